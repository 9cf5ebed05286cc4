#include "persons/nom_parente.h"

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <tuple>

#include "persons/chemins_parente.h"

namespace kyb {
namespace {

enum ESorte { kEpoux, kAscendant, kDescendant, kAdoptif, kCollateral, kAlliance };

// One blood relation: generations from A and from B up to the common ancestors.
struct TLienSang {
  int GenA = 0, GenB = 0;
  bool Demi = false;
  int Cote = 0;  // half-siblings: 1 through the father, 2 through the mother
};

std::vector<TLienSang> LiensDeSang(TGrapheParente& g, long a, long b, int maxGenerations) {
  const TParenteComplete r = ChercheToutesParentes(g, a, b, 0, maxGenerations);
  // The common ancestors met at each junction (generations on each side, the children of the
  // ancestor on the two ways): two of them are a couple, one alone makes a half relation.
  std::map<std::tuple<int, int, long, long>, std::vector<long>> jonctions;
  for (const TAncetreCommun& c : r.Ancetres)
    for (const auto& [cleA, nA] : c.VersA)
      for (const auto& [cleB, nB] : c.VersB)
        jonctions[{cleA.first, cleB.first, cleA.second, cleB.second}].push_back(c.No);
  std::map<std::pair<int, int>, TLienSang> liens;
  for (const auto& [cle, ancetres] : jonctions) {
    const auto [genA, genB, enfantA, enfantB] = cle;
    const bool plein = genA == 0 || genB == 0 || ancetres.size() >= 2;
    int cote = 0;
    if (!plein && genA == 1 && genB == 1) {
      const TNoeudParente& x = g.Noeud(a);
      const TNoeudParente& y = g.Noeud(b);
      if (x.Pere == ancetres[0] && y.Pere == ancetres[0]) cote = 1;
      else if (x.Mere == ancetres[0] && y.Mere == ancetres[0]) cote = 2;
    }
    const auto [it, nouveau] = liens.try_emplace({genA, genB}, TLienSang{genA, genB, !plein, cote});
    if (!nouveau && plein) it->second.Demi = false;
  }
  std::vector<TLienSang> v;
  for (const auto& [cle, l] : liens) v.push_back(l);
  return v;
}

std::string Repete(const char* texte, int fois) {
  std::string s;
  for (int i = 0; i < fois; ++i) s += texte;
  return s;
}

std::string Nieme(int n) { return std::to_string(n) + "e"; }

// The word (UTF-8) for B, gA generations from A and gB from B up to the common ancestors.
std::string MotSang(const TLienSang& l, bool femme) {
  const auto mf = [femme](const std::string& m, const std::string& f) { return femme ? f : m; };
  const int gA = l.GenA, gB = l.GenB;
  if (gB == 0) {
    switch (gA) {
      case 1: return mf("père", "mère");
      case 2: return mf("grand-père", "grand-mère");
      case 3: return mf("arrière-grand-père", "arrière-grand-mère");
      case 4: return mf("trisaïeul", "trisaïeule");
      case 5: return mf("quadrisaïeul", "quadrisaïeule");
      default: return "ancêtre à la " + Nieme(gA + 1) + " génération";
    }
  }
  if (gA == 0) {
    if (gB > 4) return mf("descendant", "descendante") + " à la " + Nieme(gB + 1) + " génération";
    return Repete("arrière-", std::max(gB - 2, 0)) +
           (gB == 1 ? mf("fils", "fille") : mf("petit-fils", "petite-fille"));
  }
  const std::string demi = l.Demi ? "demi-" : "";
  const std::string collateral = mf("collatéral", "collatérale") + " au " + Nieme(gA + gB) + " degré";
  if (gA == 1 && gB == 1) {
    if (!l.Demi) return mf("frère", "sœur");
    const char* cote = l.Cote == 1 ? (femme ? " consanguine" : " consanguin")
                       : l.Cote == 2 ? (femme ? " utérine" : " utérin")
                                     : "";
    return mf("demi-frère", "demi-sœur") + cote;
  }
  if (gB == 1) {
    if (gA > 5) return demi + collateral;
    if (gA == 2) return demi + mf("oncle", "tante");
    return demi + Repete("arrière-", gA - 3) + mf("grand-oncle", "grand-tante");
  }
  if (gA == 1) {
    if (gB > 5) return demi + collateral;
    if (gB == 2) return demi + mf("neveu", "nièce");
    return demi + Repete("arrière-", gB - 3) + mf("petit-neveu", "petite-nièce");
  }
  std::string mot;
  if (gA == gB && gA <= 4) {
    static const char* const kCousins[][2] = {{"cousin germain", "cousine germaine"},
                                              {"cousin issu de germain", "cousine issue de germain"},
                                              {"cousin issu d'issu de germain", "cousine issue d'issue de germain"}};
    mot = mf(kCousins[gA - 2][0], kCousins[gA - 2][1]);
  } else if (gA == 3 && gB == 2) {
    mot = mf("oncle", "tante") + " à la mode de Bretagne";
  } else if (gA == 2 && gB == 3) {
    mot = mf("neveu", "nièce") + " à la mode de Bretagne";
  } else if (gA == 4 && gB == 2) {
    mot = mf("grand-oncle", "grand-tante") + " à la mode de Bretagne";
  } else if (gA == 2 && gB == 4) {
    mot = mf("petit-neveu", "petite-nièce") + " à la mode de Bretagne";
  } else {
    mot = mf("cousin", "cousine") + " au " + Nieme(gA + gB) + " degré";
  }
  return demi + mot;
}

int SorteSang(const TLienSang& l) { return l.GenB == 0 ? kAscendant : l.GenA == 0 ? kDescendant : kCollateral; }

class TNommage {
 public:
  TNommage(TGrapheParente& g, long a, long b, int maxGenerations)
      : g_(g), a_(a), b_(b), max_(maxGenerations), femme_(g.Noeud(b).EstFemme()) {}

  std::vector<TLienPrecis> Liens() {
    const TNoeudParente nA = g_.Noeud(a_);
    const TNoeudParente nB = g_.Noeud(b_);
    if (a_ == b_ || !nA.Vivant || !nB.Vivant) return {};
    if (Contient(nA.Conjoints, b_) || Contient(nB.Conjoints, a_))
      Ajoute(nB.Sexe == '?' ? "conjoint" : Mf("époux", "épouse"), 0, kEpoux);
    if (b_ == nA.PereAdoptif || b_ == nA.MereAdoptive)
      Ajoute(b_ == nA.PereAdoptif ? "père adoptif" : "mère adoptive", 1, kAdoptif);
    if (a_ == nB.PereAdoptif || a_ == nB.MereAdoptive) Ajoute(Mf("fils adoptif", "fille adoptive"), 1, kAdoptif);
    for (const TLienSang& l : LiensDeSang(g_, a_, b_, max_)) {
      sang_.insert({l.GenA, l.GenB});
      const bool femme = l.GenA == 1 && l.GenB == 0 ? b_ == nA.Mere : femme_;
      Ajoute(MotSang(l, femme), l.GenA + l.GenB, SorteSang(l));
    }
    for (const long conjoint : nA.Conjoints)
      if (conjoint != b_) ParentsDuConjoint(conjoint);
    for (const long conjoint : nB.Conjoints)
      if (conjoint != a_) ConjointsDesParents(conjoint);
    std::stable_sort(liens_.begin(), liens_.end(), [](const TLienPrecis& x, const TLienPrecis& y) {
      return std::pair(x.Degre, x.Sorte) < std::pair(y.Degre, y.Sorte);
    });
    std::vector<TLienPrecis> uniques;
    std::set<AnsiString> vus;
    for (TLienPrecis& l : liens_)
      if (vus.insert(l.Mot).second) uniques.push_back(std::move(l));
    return uniques;
  }

 private:
  static bool Contient(const std::vector<long>& v, long no) { return std::find(v.begin(), v.end(), no) != v.end(); }
  [[nodiscard]] std::string Mf(const std::string& m, const std::string& f) const { return femme_ ? f : m; }
  void Ajoute(const std::string& motUtf8, int degre, int sorte) { liens_.push_back({A(motUtf8), degre, sorte}); }

  // A relation through a spouse that B also has by blood is the family A shares with that
  // spouse (the spouse's grandchild who is A's own grandchild), not a relation by marriage.
  [[nodiscard]] bool DejaParSang(const TLienSang& l) const { return sang_.count({l.GenA, l.GenB}) != 0; }

  // B is a relative of one of A's spouses.
  void ParentsDuConjoint(long conjoint) {
    for (const TLienSang& l : LiensDeSang(g_, conjoint, b_, max_)) {
      if (DejaParSang(l)) continue;
      if (l.GenA == 1 && l.GenB == 0) Ajoute(Mf("beau-père", "belle-mère"), 1, kAlliance);
      else if (l.GenA == 0 && l.GenB == 1) Ajoute(Mf("beau-fils", "belle-fille"), 1, kAlliance);
      else if (l.GenA == 1 && l.GenB == 1) Ajoute(Mf("beau-frère", "belle-sœur"), 2, kAlliance);
      else Ajoute(MotSang(l, femme_) + " par alliance", l.GenA + l.GenB, kAlliance);
    }
  }

  // B is the spouse of one of A's relatives.
  void ConjointsDesParents(long conjoint) {
    for (const TLienSang& l : LiensDeSang(g_, a_, conjoint, max_)) {
      if (DejaParSang(l)) continue;
      if (l.GenA == 1 && l.GenB == 0) Ajoute(Mf("beau-père", "belle-mère"), 1, kAlliance);
      else if (l.GenA == 0 && l.GenB == 1) Ajoute(Mf("gendre", "bru"), 1, kAlliance);
      else if (l.GenA == 1 && l.GenB == 1) Ajoute(Mf("beau-frère", "belle-sœur"), 2, kAlliance);
      else Ajoute(MotSang(l, femme_) + " par alliance", l.GenA + l.GenB, kAlliance);
    }
  }

  TGrapheParente& g_;
  long a_, b_;
  int max_;
  bool femme_;
  std::vector<TLienPrecis> liens_;
  std::set<std::pair<int, int>> sang_;  // B's blood relations to A (generations on each side)
};

}  // namespace

std::vector<TLienPrecis> NommeParente(TGrapheParente& g, long a, long b, int maxGenerations) {
  return TNommage(g, a, b, maxGenerations).Liens();
}

AnsiString TexteLiens(const std::vector<TLienPrecis>& liens) {
  AnsiString texte;
  for (const TLienPrecis& l : liens) texte += (texte.empty() ? "" : ", ") + l.Mot;
  return texte;
}

}  // namespace kyb
