#include "persons/chemins_parente.h"

#include <algorithm>
#include <climits>
#include <unordered_map>
#include <unordered_set>

namespace kyb {

int TAncetreCommun::GenerationsMin() const {
  if (VersA.empty() || VersB.empty()) return INT_MAX;
  return VersA.begin()->first.first + VersB.begin()->first.first;
}

NTL::ZZ TAncetreCommun::NbChemins() const {
  NTL::ZZ a, b;
  for (const auto& [cle, n] : VersA) a += n;
  for (const auto& [cle, n] : VersB) b += n;
  return a * b;
}

namespace {

// One side: the paths from the person up to each common ancestor, counted by length.
class TMontee {
 public:
  TMontee(TGrapheParente& g, const TAscendance& asc, const std::unordered_set<long>& communs, long depart)
      : depart_(depart) {
    std::unordered_map<long, std::map<int, NTL::ZZ>> nb;
    nb[depart][0] = 1;
    if (communs.count(depart)) arrivees_[depart][{0, 0}] = 1;
    // Children before parents; a common ancestor ends the paths that reach it (the person
    // itself ends none: a grandfather who is also a great-uncle is both).
    for (auto it = asc.Ordre.rbegin(); it != asc.Ordre.rend(); ++it) {
      const long x = *it;
      const auto trouve = nb.find(x);
      if (trouve == nb.end() || (communs.count(x) && x != depart)) continue;
      const auto [pere, mere] = asc.Parents(g.Noeud(x), x);
      for (const long p : {pere, mere}) {
        if (p <= 0) continue;
        enfants_[p].push_back(x);
        for (const auto& [longueur, n] : trouve->second) {
          nb[p][longueur + 1] += n;
          if (communs.count(p)) arrivees_[p][{longueur + 1, x}] += n;
        }
      }
    }
  }
  [[nodiscard]] const TAncetreCommun::TArrivees* Arrivees(long ancetre) const {
    const auto it = arrivees_.find(ancetre);
    return it == arrivees_.end() ? nullptr : &it->second;
  }
  // Paths from the ancestor down to the person (ancestor first), at most limite.
  void Chemins(long ancetre, std::vector<std::vector<long>>& sortie, size_t limite) const {
    std::vector<long> courant{ancetre};
    Descend(ancetre, courant, sortie, limite);
  }

 private:
  void Descend(long no, std::vector<long>& courant, std::vector<std::vector<long>>& sortie, size_t limite) const {
    if (sortie.size() >= limite) return;
    if (no == depart_) {
      sortie.push_back(courant);
      return;
    }
    const auto it = enfants_.find(no);
    if (it == enfants_.end()) return;
    for (const long enfant : it->second) {
      courant.push_back(enfant);
      Descend(enfant, courant, sortie, limite);
      courant.pop_back();
    }
  }

  long depart_;
  std::unordered_map<long, std::vector<long>> enfants_;  // the children on the way
  std::unordered_map<long, TAncetreCommun::TArrivees> arrivees_;
};

}  // namespace

TParenteComplete ChercheToutesParentes(TGrapheParente& g, long a, long b, size_t maxChemins, int maxGenerations) {
  TParenteComplete r;
  const int lues = g.PersonnesLues();
  if (a == b || !g.Noeud(a).Vivant || !g.Noeud(b).Vivant) return r;
  const TAscendance& ascA = g.Ascendance(a, maxGenerations);
  const TAscendance& ascB = g.Ascendance(b, maxGenerations);
  std::unordered_set<long> communs;
  const TAscendance& petite = ascA.Distance.size() <= ascB.Distance.size() ? ascA : ascB;
  const TAscendance& grande = &petite == &ascA ? ascB : ascA;
  for (const auto& [no, d] : petite.Distance)
    if (grande.Contient(no)) communs.insert(no);
  const TMontee montA(g, ascA, communs, a), montB(g, ascB, communs, b);
  for (const long c : communs) {
    const auto* versA = montA.Arrivees(c);
    const auto* versB = montB.Arrivees(c);
    if (!versA || !versB) continue;
    r.Ancetres.push_back({c, *versA, *versB});
    r.NbChemins += r.Ancetres.back().NbChemins();
  }
  std::sort(r.Ancetres.begin(), r.Ancetres.end(), [](const TAncetreCommun& x, const TAncetreCommun& y) {
    return std::pair(x.GenerationsMin(), x.No) < std::pair(y.GenerationsMin(), y.No);
  });
  for (const TAncetreCommun& c : r.Ancetres) {
    if (r.Chemins.size() >= maxChemins) break;
    std::vector<std::vector<long>> versA, versB;
    montA.Chemins(c.No, versA, maxChemins);
    montB.Chemins(c.No, versB, maxChemins);
    for (const auto& montee : versA)
      for (const auto& descente : versB) {
        if (r.Chemins.size() >= maxChemins) break;
        TCheminParente chemin;
        chemin.Ancetre = c.No;
        chemin.GenerationsA = static_cast<int>(montee.size()) - 1;
        chemin.GenerationsB = static_cast<int>(descente.size()) - 1;
        chemin.Personnes.assign(montee.rbegin(), montee.rend());
        chemin.Personnes.insert(chemin.Personnes.end(), descente.begin() + 1, descente.end());
        r.Chemins.push_back(std::move(chemin));
      }
  }
  r.PersonnesLues = g.PersonnesLues() - lues;
  return r;
}

}  // namespace kyb
