// The check of a whole genealogy: one planted fault of each sort gives exactly its finding.
#include "search/verification.h"

#include <gtest/gtest.h>

#include <tuple>

#include "support/genealogie.h"

namespace kyb {
namespace {

using test::TEvenTest;
using S = TSorteConstat;

class Verification : public ::testing::Test {
 protected:
  long Ajoute(char sexe, std::vector<TEvenTest> evens, long pere = 0, long mere = 0) {
    return g_.Ajoute({u"Essai", u"", sexe, pere, mere, std::move(evens)});
  }
  // Both spouses linked, the union held by the first.
  void Union(long a, long b, const char* date) {
    TPerson pb = g_.Personne(b);
    pb.AjouteConj(a);
    ASSERT_TRUE(pb.Enregistrement());
    TPerson pa = g_.Personne(a, true);
    pa.AjouteConj(b);
    ASSERT_GE(pa.AjoutEven(test::Evenement(g_.Bdd(), {"UNION", date}), b), 0);
    ASSERT_TRUE(pa.Enregistrement());
  }
  void Pere(long enfant, long pere) {
    TPerson p = g_.Personne(enfant);
    p.Public.Pere = static_cast<int32_t>(pere);
    ASSERT_TRUE(p.Enregistrement());
  }
  TBilanVerification Verifie() {
    TGenealogieMemoire m;
    EXPECT_TRUE(m.Charge(*g_.Personnes()));
    return VerifieGenealogie(m, TConsConfigSais(), TDateKY('G', "06/12/2026"));
  }

  test::TGenealogie g_;
};

TEST_F(Verification, UnDefautPlanteDeChaqueSorte) {
  // A family without fault: parents of 30 and 25 at the first birth, married at 25 and 20.
  const long jean = Ajoute('M', {{"NAISSANCE", "01/01/1800"}, {"DECES", "01/01/1870"}});
  const long marie = Ajoute('F', {{"NAISSANCE", "01/01/1805"}, {"DECES", "01/01/1875"}});
  Union(jean, marie, "01/06/1825");
  (void)Ajoute('M', {{"NAISSANCE", "01/03/1830"}}, jean, marie);
  (void)Ajoute('F', {{"NAISSANCE", "01/03/1832"}}, jean, marie);
  // Dates known to the year only: the mother may have been 15 at the birth, no finding.
  const long annee = Ajoute('F', {{"NAISSANCE", "../../1850"}});
  (void)Ajoute('F', {{"NAISSANCE", "../../1865"}}, 0, annee);

  // One fault of each sort.
  const long deces = Ajoute('M', {{"NAISSANCE", "10/05/1850"}, {"DECES", "01/01/1840"}});
  const long inhume = Ajoute('M', {{"DECES", "10/05/1850"}, {"INHUMATION", "01/05/1850"}});
  const long apres = Ajoute('M', {{"DECES", "01/01/1850"}, {"INHUMATION", "05/01/1850"}, {"RESIDENCE", "01/01/1860"}});
  const long jeune = Ajoute('F', {{"NAISSANCE", "01/01/1840"}});
  const long deJeune = Ajoute('F', {{"NAISSANCE", "01/01/1850"}}, 0, jeune);  // mother aged 10
  const long age = Ajoute('M', {{"NAISSANCE", "01/01/1780"}});
  const long dAge = Ajoute('M', {{"NAISSANCE", "01/01/1840"}}, age);  // father aged 60
  const long pereMort = Ajoute('M', {{"NAISSANCE", "01/01/1800"}, {"DECES", "01/01/1840"}});
  const long posthume = Ajoute('M', {{"NAISSANCE", "01/01/1842"}}, pereMort);  // 24 months after
  const long mereMorte = Ajoute('F', {{"NAISSANCE", "01/01/1800"}, {"DECES", "01/01/1835"}});
  const long orphelin = Ajoute('M', {{"NAISSANCE", "01/06/1835"}}, 0, mereMorte);
  const long epouxJeune = Ajoute('M', {{"NAISSANCE", "01/01/1830"}});
  const long epouse = Ajoute('F', {{"NAISSANCE", "01/01/1820"}});
  Union(epouxJeune, epouse, "01/01/1840");  // he is 10, she is 20
  const long veuf = Ajoute('M', {{"NAISSANCE", "01/01/1800"}, {"DECES", "01/01/1840"}});
  const long veuve = Ajoute('F', {{"NAISSANCE", "01/01/1805"}});
  Union(veuve, veuf, "01/01/1850");  // ten years after his death
  const long mere = Ajoute('F', {{"NAISSANCE", "01/01/1800"}});
  const long aine = Ajoute('M', {{"NAISSANCE", "01/01/1830"}}, 0, mere);
  const long cadet = Ajoute('M', {{"NAISSANCE", "01/05/1830"}}, 0, mere);  // four months later
  (void)Ajoute('F', {{"NAISSANCE", "01/01/1835"}}, 0, mere);  // twins, a day apart
  (void)Ajoute('F', {{"NAISSANCE", "02/01/1835"}}, 0, mere);
  const long vieux = Ajoute('M', {{"NAISSANCE", "01/01/1700"}, {"DECES", "01/01/1810"}});
  const long a = Ajoute('M', {});
  const long b = Ajoute('M', {}, a);
  Pere(a, b);  // a and b each the other's father
  const long futur = Ajoute('F', {{"NAISSANCE", "01/01/2030"}});

  const TBilanVerification r = Verifie();
  ASSERT_TRUE(r.Lue);
  std::vector<std::tuple<S, long, long>> trouves;
  for (const TConstat& c : r.Constats) trouves.emplace_back(c.Sorte, c.No, c.Autre);
  const std::vector<std::tuple<S, long, long>> attendus = {
      {S::DecesAvantNaissance, deces, 0},
      {S::InhumationAvantDeces, inhume, 0},
      {S::EvenementApresInhumation, apres, 0},
      {S::ParentTropJeune, jeune, deJeune},
      {S::ParentTropAge, age, dAge},
      {S::NaissanceApresDecesPere, posthume, pereMort},
      {S::NaissanceApresDecesMere, orphelin, mereMorte},
      {S::UnionAvantAgeMinimum, epouxJeune, epouse},
      {S::UnionApresDeces, veuf, veuve},
      {S::FreresTropRapproches, cadet, aine},
      {S::VieTropLongue, vieux, 0},
      {S::PropreAncetre, a, 0},
      {S::PropreAncetre, b, 0},
      {S::DateFuture, futur, 0},
  };
  EXPECT_EQ(trouves, attendus);
  EXPECT_EQ(r.Compte(S::PropreAncetre), 2);
  EXPECT_EQ(r.PersonnesVerifiees, g_.Personnes()->NbEnreg);
}

}  // namespace
}  // namespace kyb
