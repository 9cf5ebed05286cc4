// Estimation of birth, death and procreation years from the person and its relatives.
#include "persons/estimationpersonne.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "platform/erreur.h"
#include "support/genealogie.h"

namespace kyb {
namespace {

constexpr int I = kDateIncalculable;  // an unknown bound in the tables below

// Persons held in memory, read by number.
class TSourceTest final : public TSourceEstimation {
 public:
  TDonneesEstimation& operator[](long no) {
    TDonneesEstimation& d = personnes_[no];
    d.No = no;
    return d;
  }
  bool Lit(long no, TDonneesEstimation& d) override {
    const auto it = personnes_.find(no);
    if (it == personnes_.end()) return false;
    d = it->second;
    return true;
  }

 private:
  std::map<long, TDonneesEstimation> personnes_;
};

TDateKY G(const char* texte) { return TDateKY('G', texte); }

// Whole years of the bounds, I for an unknown one.
std::pair<int, int> Annees(const TIntervalAnnees& i) {
  return {i.MinInconnu() ? I : static_cast<int>(std::floor(i.Min())),
          i.MaxInconnu() ? I : static_cast<int>(std::floor(i.Max()))};
}

TResultatEstimation Estime(TSourceTest& s, long no, bool brut, bool incoherences = true) {
  TEstimationCalculee cache;
  TEstimationPersonne e(&cache, brut);
  e.EstimePersonne(no, s, incoherences, false);
  return e.Resultat();
}

TEST(EstimationPersonne, UneContrainteParSorteDeProche) {
  const struct {
    const char* cas;
    void (*prepare)(TSourceTest&);
    bool brut;
    std::pair<int, int> naissance, deces;
  } cas[] = {
      // Birth 1800 only: death within 58 years (int(100 / 1.7)) of the birth's last day, 1858.99.
      {"naissance seule", [](TSourceTest& s) { s[1].Naissance = G("../../1800"); }, false, {1800, 1800}, {1800, 1858}},
      // Raw: within the largest age at death, 100.
      {"naissance seule brute", [](TSourceTest& s) { s[1].Naissance = G("../../1800"); }, true, {1800, 1800}, {1800, 1900}},
      // A man's child born in 1850 ([1850, 1850.99]), ages 18 to 50: [1800, 1832.99]; he died at
      // the earliest a pregnancy (269 days, 0.74 year) before the birth: 1849.26; at the latest
      // 100 years after his latest birth: 1932.99.
      {"enfant", [](TSourceTest& s) { s[1].Sexe = 'M'; s[1].Enfants = {2}; s[2].Naissance = G("../../1850"); },
       true, {1800, 1832}, {1849, 1932}},
      // A spouse born in 1820 ([1820, 1820.99]), 20 years either side: [1800, 1840.99].
      {"conjoint", [](TSourceTest& s) { s[1].Conjoints = {2}; s[2].Naissance = G("../../1820"); },
       false, {1800, 1840}, {1800, 1898}},
      // A mother born in 1800, ages 15 to 50 at a child's birth: [1815, 1850.99].
      {"mère", [](TSourceTest& s) { s[1].Mere = 2; s[2].Sexe = 'F'; s[2].Naissance = G("../../1800"); },
       true, {1815, 1850}, {1815, 1950}},
      // A full brother born in 1830: 35 years either side (50 - 15): [1795, 1865.99].
      {"frère", [](TSourceTest& s) {
         s[1].Pere = 3, s[1].Mere = 4, s[2].Pere = 3, s[2].Mere = 4;
         s[3].Enfants = {1, 2};
         s[2].Naissance = G("../../1830");
       }, true, {1795, 1865}, {1795, 1965}},
      // A half-brother (another mother) says nothing.
      {"demi-frère", [](TSourceTest& s) {
         s[1].Pere = 3, s[1].Mere = 4, s[2].Pere = 3, s[2].Mere = 5;
         s[3].Enfants = {1, 2};
         s[2].Naissance = G("../../1830");
       }, true, {I, I}, {I, I}},
      // A man married in 1825, ages 20 to 30 at a union (int(1.5 * 17 -/+ 5)): [1795, 1805.99];
      // alive at the union.
      {"union", [](TSourceTest& s) { s[1].Sexe = 'M'; s[1].Unions = {{2, G("../../1825")}}; },
       false, {1795, 1805}, {1825, 1863}},
      // A baptism in 1801: born before its end, dead after its start; a burial in 1870: dead
      // before its end; born at the earliest 100 years before the earliest death, 1701.
      {"baptême et inhumation", [](TSourceTest& s) { s[1].Autres = {G("../../1801")}; s[1].Inhumation = G("../../1870"); },
       true, {1701, 1801}, {1801, 1870}},
      // Children born in 1850 and 1950 contradict each other: birth and death stay unknown.
      {"enfants contradictoires", [](TSourceTest& s) {
         s[1].Sexe = 'M', s[1].Enfants = {2, 3};
         s[2].Naissance = G("../../1850"), s[3].Naissance = G("../../1950");
       }, true, {I, I}, {I, I}},
      // Links that loop (own father, own spouse, own child) are passed over.
      {"boucle", [](TSourceTest& s) { s[1].Pere = 1, s[1].Conjoints = {1}, s[1].Naissance = G("../../1800"); },
       false, {1800, 1800}, {1800, 1858}},
  };
  for (const auto& c : cas) {
    TSourceTest s;
    s[1];
    c.prepare(s);
    const TResultatEstimation r = Estime(s, 1, c.brut);
    EXPECT_EQ(Annees(r.Naissance), c.naissance) << c.cas;
    EXPECT_EQ(Annees(r.Deces), c.deces) << c.cas;
  }
}

TEST(EstimationPersonne, DecesAnterieurALaNaissanceSaisie) {
  TSourceTest s;
  s[1].Naissance = G("../../1800");
  s[1].Deces = G("../../1790");
  // Dropped: the death comes from the birth again, [1800, 1858].
  EXPECT_EQ(Annees(Estime(s, 1, false, true).Deces), std::pair(1800, 1858));
  // Kept: the interval it makes with the birth is upside down, so only the stated year stays as
  // the lower bound.
  EXPECT_EQ(Annees(Estime(s, 1, false, false).Deces), std::pair(1790, I));
}

TEST(EstimationPersonne, ProcreationOriginesEtCache) {
  TSourceTest s;
  s[1].Sexe = 'M';
  s[1].Naissance = G("01/01/1800");
  s[1].Deces = G("01/01/1830");
  s[1].Enfants = {2};
  s[2].Naissance = G("../../1829");
  TEstimationCalculee cache;
  TEstimationPersonne e(&cache, true);
  e.EstimePersonne(1, s, true, false);
  const TResultatEstimation& r = e.Resultat();
  EXPECT_FLOAT_EQ(r.AnneeNaissance, 1800.0f);
  // From 18 years after the birth to the death plus 269 days: [1818, 1830.74].
  EXPECT_FLOAT_EQ(r.Procreation.Min(), 1818.0f);
  EXPECT_NEAR(r.Procreation.Max(), 1830.0f + 269 / 365.242f, 1e-3);
  EXPECT_EQ(r.NaissanceMin.Quoi, TOrigineBorne::Naissance);
  // The child was estimated on its own data once and kept.
  ASSERT_NE(cache.Trouve(2, true), nullptr);
  EXPECT_EQ(Annees(cache.Trouve(2, true)->Naissance), std::pair(1829, 1829));
  ASSERT_NE(cache.Trouve(1, false), nullptr);
  // Nobody to read: everything unknown.
  e.EstimePersonne(9, s, true, false);
  EXPECT_TRUE(e.Resultat().Naissance.Inconnu());
}

TEST(EstimationPersonne, SansReglagesUneExceptionEtDepuisLeDossier) {
  TSourceTest s;
  TConsConfigSais* reglages = GConsConfigSais;
  GConsConfigSais = nullptr;
  TEstimationPersonne e(nullptr, false);
  EXPECT_THROW(e.EstimePersonne(1, s, false, false), ErreurKy);
  GConsConfigSais = reglages;

  // Through the persons file: a father whose child was born in 1850.
  test::TGenealogie g;
  const long pere = g.Ajoute({u"Martin", u"Louis", 'M'});
  (void)g.Ajoute({u"Martin", u"Paul", 'M', pere, 0, {{"NAISSANCE", "../../1850"}}});
  TEstimationPersonne brute(nullptr, true);
  brute.EstimePersonne(pere, g.Personnes(), true, false);
  EXPECT_EQ(Annees(brute.Resultat().Naissance), std::pair(1800, 1832));
  EXPECT_EQ(brute.Resultat().NaissanceMin.Quoi, TOrigineBorne::Enfant);
}

}  // namespace
}  // namespace kyb
