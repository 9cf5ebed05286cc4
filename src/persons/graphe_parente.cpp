#include "persons/graphe_parente.h"

#include <algorithm>
#include <tuple>
#include <unordered_set>

#include "persons/acces_proches.h"
#include "persons/gest_pers.h"

namespace kyb {
namespace {

TNoeudParente NoeudDe(long no, const TProcheLu& p) {
  TNoeudParente n;
  n.Vivant = p.Vivant();
  if (!n.Vivant) return n;
  n.Sexe = p.Sexe;
  std::tie(n.Pere, n.Mere) = p.PaireA();
  std::tie(n.PereAdoptif, n.MereAdoptive) = p.PaireB();
  for (const int32_t c : p.Conjoints)
    if (c > 0 && c != no) n.Conjoints.push_back(c);
  return n;
}

}  // namespace

TGrapheParente::TGrapheParente(TFicPersons& fichier)
    : fichier_(fichier), acces_(std::make_unique<TAccesProches>(fichier)) {}

TGrapheParente::~TGrapheParente() = default;

TNoeudParente TGrapheParente::LitPersonne(long no) {
  ++lues_;
  if (TLecteurProches* l = acces_->Lecteur()) {
    TProcheLu p;
    if (l->Lit(no, p)) return NoeudDe(no, p);
  }
  TNoeudParente n;
  const TPerson p(&fichier_, no);
  n.Vivant = !p.FicheSupprimee();
  if (n.Vivant) {
    n.Sexe = p.Public.Sexe;
    p.GetIdParent(false, n.Pere, n.Mere);
    p.GetIdParent(true, n.PereAdoptif, n.MereAdoptive);
    for (const TLienConj& c : p.Public.Conjoints)
      if (c.Lien.No > 0 && c.Lien.No != no) n.Conjoints.push_back(c.Lien.No);
  }
  return n;
}

const TNoeudParente& TGrapheParente::Noeud(long no) {
  const auto it = noeuds_.find(no);
  if (it != noeuds_.end()) return it->second;
  TNoeudParente n;
  if (no > 0 && fichier_.NoPersValide(no)) n = LitPersonne(no);
  return noeuds_.emplace(no, std::move(n)).first->second;
}

void TGrapheParente::Precharge(const std::vector<long>& nos) {
  std::vector<long> alire;
  for (const long no : nos)
    if (no > 0 && fichier_.NoPersValide(no) && !noeuds_.count(no)) alire.push_back(no);
  std::sort(alire.begin(), alire.end());
  alire.erase(std::unique(alire.begin(), alire.end()), alire.end());
  TLecteurProches* l = alire.size() > 1 ? acces_->Lecteur() : nullptr;
  std::vector<TProcheLu> lus;
  if (!l || !l->LitLot(alire, lus)) return;  // read one by one when asked
  for (size_t i = 0; i < alire.size(); ++i) noeuds_.emplace(alire[i], NoeudDe(alire[i], lus[i]));
  lues_ += static_cast<int>(alire.size());
}

std::pair<long, long> TAscendance::Parents(const TNoeudParente& n, long no) const {
  const auto rang = Rang.find(no);
  const auto garde = [&](long parent) {
    const auto r = Rang.find(parent);
    return parent > 0 && rang != Rang.end() && r != Rang.end() && r->second < rang->second ? parent : 0;
  };
  return {garde(n.Pere), garde(n.Mere)};
}

const TAscendance& TGrapheParente::Ascendance(long no, int maxGenerations) {
  if (maxGenerations != maxAscendances_) {
    ascendances_.clear();
    maxAscendances_ = maxGenerations;
  }
  if (const auto it = ascendances_.find(no); it != ascendances_.end()) return it->second;
  return ascendances_.emplace(no, AscendanceCommune({no}, maxGenerations)).first->second;
}

TAscendance TGrapheParente::AscendanceCommune(const std::vector<long>& racines, int maxGenerations) {
  const TLecturesGroupees groupe(acces_->Lecteur());
  TAscendance a;
  // Breadth first: the shortest distance of each live ancestor.
  std::vector<long> niveau;
  for (const long no : racines)
    if (!a.Contient(no) && Noeud(no).Vivant) {
      a.Distance[no] = 0;
      niveau.push_back(no);
    }
  for (int g = 1; g <= maxGenerations && !niveau.empty(); ++g) {
    std::vector<long> parents;
    for (const long x : niveau) {
      const TNoeudParente& n = Noeud(x);
      parents.push_back(n.Pere);
      parents.push_back(n.Mere);
    }
    Precharge(parents);
    std::vector<long> suivant;
    for (const long x : niveau) {
      const TNoeudParente& n = Noeud(x);
      for (const long parent : {n.Pere, n.Mere})
        if (parent > 0 && !a.Contient(parent) && Noeud(parent).Vivant) {
          a.Distance[parent] = g;
          suivant.push_back(parent);
        }
    }
    niveau = std::move(suivant);
  }
  // Depth first from the person, a node written once its parents are: parents before children.
  // A parent still on the walk's stack closes a loop and is not followed.
  std::unordered_set<long> vus;
  struct TEtape {
    long no;
    int prochain;
  };
  std::vector<TEtape> pile;
  for (const long racine : racines) {
    if (!a.Contient(racine) || vus.count(racine)) continue;
    vus.insert(racine);
    pile.push_back({racine, 0});
    while (!pile.empty()) {
      TEtape& e = pile.back();
      const TNoeudParente& n = Noeud(e.no);
      if (e.prochain < 2) {
        const long parent = e.prochain++ == 0 ? n.Pere : n.Mere;
        if (parent > 0 && a.Contient(parent) && !vus.count(parent)) {
          vus.insert(parent);
          pile.push_back({parent, 0});
        }
        continue;
      }
      a.Rang[e.no] = static_cast<int>(a.Ordre.size());
      a.Ordre.push_back(e.no);
      pile.pop_back();
    }
  }
  return a;
}

}  // namespace kyb
