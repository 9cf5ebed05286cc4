#include "persons/ancetres_communs.h"

#include <algorithm>
#include <array>
#include <optional>
#include <climits>
#include <unordered_map>

#include "persons/tables_parente.h"

namespace kyb {
namespace {

// One side of the search: distance of each ancestor reached, and the children through which it
// was reached at the previous generation (every one of them, for implex).
class TCote {
 public:
  TCote(TFicPersons& fichier, long depart, int& lues) : fichier_(fichier), lues_(lues) {
    distance_[depart] = 0;
    if (const auto parents = LitParents(depart)) frontiere_.push_back({depart, *parents});
  }
  [[nodiscard]] int Niveau() const { return niveau_; }
  [[nodiscard]] bool Epuise() const { return frontiere_.empty(); }
  [[nodiscard]] size_t Largeur() const { return frontiere_.size(); }
  [[nodiscard]] int Distance(long no) const {
    const auto it = distance_.find(no);
    return it == distance_.end() ? -1 : it->second;
  }
  [[nodiscard]] const std::unordered_map<long, int>& Distances() const { return distance_; }

  // Climbs one generation; returns the ancestors newly reached. A parent that is not a live
  // person is not reached.
  std::vector<long> Monte() {
    std::vector<long> nouveaux;
    std::vector<TNoeud> suivante;
    for (const auto& [no, parents] : frontiere_) {
      for (const long parent : parents) {
        if (parent <= 0) continue;
        const auto it = distance_.find(parent);
        if (it == distance_.end()) {
          const auto sesParents = LitParents(parent);
          if (!sesParents) continue;
          distance_[parent] = niveau_ + 1;
          nouveaux.push_back(parent);
          suivante.push_back({parent, *sesParents});
        } else if (it->second != niveau_ + 1) {
          continue;  // reached earlier by a shorter way (or a loop)
        }
        auto& venus = enfants_[parent];
        if (std::find(venus.begin(), venus.end(), no) == venus.end()) venus.push_back(no);
      }
    }
    frontiere_ = std::move(suivante);
    ++niveau_;
    return nouveaux;
  }

  // Every shortest path from the ancestor down to the start, ancestor first.
  void Chemins(long ancetre, std::vector<std::vector<long>>& sortie, size_t limite) const {
    std::vector<long> courant{ancetre};
    Descend(ancetre, courant, sortie, limite);
  }

 private:
  void Descend(long no, std::vector<long>& courant, std::vector<std::vector<long>>& sortie, size_t limite) const {
    if (sortie.size() >= limite) return;
    const auto it = enfants_.find(no);
    if (Distance(no) == 0 || it == enfants_.end()) {
      sortie.push_back(courant);
      return;
    }
    for (const long enfant : it->second) {
      courant.push_back(enfant);
      Descend(enfant, courant, sortie, limite);
      courant.pop_back();
    }
  }

  using TParents = std::array<long, 2>;
  struct TNoeud {
    long no;
    TParents parents;
  };
  std::optional<TParents> LitParents(long no) {
    ++lues_;
    TPerson p(&fichier_, 0);
    if (!LitPersonneVivante(fichier_, no, p)) return std::nullopt;
    return TParents{p.Public.Pere.No, p.Public.Mere.No};
  }

  TFicPersons& fichier_;
  int& lues_;
  int niveau_ = 0;
  std::vector<TNoeud> frontiere_;
  std::unordered_map<long, int> distance_;
  std::unordered_map<long, std::vector<long>> enfants_;
};

void CompleteChemins(const TCote& cA, const TCote& cB, long ancetre, TAncetresCommuns& r) {
  std::vector<std::vector<long>> versA, versB;
  cA.Chemins(ancetre, versA, kMaxChemins);
  cB.Chemins(ancetre, versB, kMaxChemins);
  for (const auto& montee : versA)
    for (const auto& descente : versB) {
      if (r.Chemins.size() >= static_cast<size_t>(kMaxChemins)) return;
      TCheminParente c;
      c.Ancetre = ancetre;
      c.GenerationsA = cA.Distance(ancetre);
      c.GenerationsB = cB.Distance(ancetre);
      c.Personnes.assign(montee.rbegin(), montee.rend());        // A ... ancestor
      c.Personnes.insert(c.Personnes.end(), descente.begin() + 1, descente.end());  // ... B
      r.Chemins.push_back(std::move(c));
    }
}

}  // namespace

TAncetresCommuns ChercheAncetresCommuns(TFicPersons& fichier, long a, long b, int maxGenerations) {
  TAncetresCommuns r;
  if (a <= 0 || b <= 0 || !fichier.NoPersValide(a) || !fichier.NoPersValide(b)) return r;
  TCote cA(fichier, a, r.PersonnesLues), cB(fichier, b, r.PersonnesLues);
  int meilleur = a == b ? 0 : INT_MAX;
  const auto examine = [&](const std::vector<long>& nouveaux, const TCote& autre, const TCote& cote) {
    for (const long no : nouveaux) {
      const int d = autre.Distance(no);
      if (d >= 0) meilleur = std::min(meilleur, d + cote.Distance(no));
    }
  };
  examine({b}, cA, cB);
  examine({a}, cB, cA);
  // The two sides climb in turn, the lower one first (the narrower at equal levels). The search
  // stops at the first generation where the ascendancies meet, once both sides have reached it.
  const auto ouvert = [maxGenerations](const TCote& c) { return !c.Epuise() && c.Niveau() < maxGenerations; };
  while (ouvert(cA) || ouvert(cB)) {
    if (meilleur != INT_MAX && !(ouvert(cA) && ouvert(cB) && cA.Niveau() != cB.Niveau())) break;
    bool monteA = ouvert(cA);
    if (monteA && ouvert(cB))
      monteA = cA.Niveau() != cB.Niveau() ? cA.Niveau() < cB.Niveau() : cA.Largeur() <= cB.Largeur();
    TCote& cote = monteA ? cA : cB;
    const TCote& autre = monteA ? cB : cA;
    examine(cote.Monte(), autre, cote);
  }
  if (meilleur == INT_MAX) return r;
  for (const auto& [no, d] : cA.Distances()) {
    const int e = cB.Distance(no);
    if (e >= 0 && d + e == meilleur) r.Ancetres.push_back(no);
  }
  std::sort(r.Ancetres.begin(), r.Ancetres.end());
  for (const long ancetre : r.Ancetres) CompleteChemins(cA, cB, ancetre, r);
  return r;
}

}  // namespace kyb
