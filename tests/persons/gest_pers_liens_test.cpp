// Link editing on a person: spouses and children added, ordered and removed on both sides.
#include <gtest/gtest.h>

#include "support/genealogie.h"
#include "persons/gest_pers.h"

namespace kyb {
namespace {

// 1 (M) married 2 then 3; children 4, 5 with 2 and 6 with 3; 7 is a child of 3 alone.
std::vector<test::TMembre> Famille() {
  return {{1, 'M', 0, 0, {2, 3}}, {2, 'F', 0, 0, {1}}, {3, 'F', 0, 0, {1}}, {4, 'M', 1, 2},
          {5, 'F', 1, 2},         {6, 'M', 1, 3},      {7, 'F', 0, 3},      {8, 'M', 1, 2},
          {9, 'M'}};
}

TEST(LiensPersonne, ConjointsEtEnfantsComptesEtRangs) {
  const test::TFamille f(Famille(), {{1, {4, 5, 6}}});
  const TPerson p = f.Personne(1);
  EXPECT_EQ(p.CompteNbConjointHors(2), 1);
  EXPECT_EQ(p.GetFirstNoConj(), 0);
  EXPECT_EQ(p.CompteNbEnfant(0L), 3);
  EXPECT_EQ(p.CompteNbEnfant(2L), 2);
  EXPECT_EQ(p.CompteNbEnfant(9L), 0);
  EXPECT_TRUE(p.IsParentOf(6));
  EXPECT_FALSE(p.IsParentOf(4, 1));
  EXPECT_EQ(p.FirstNullChild(), 3);
  EXPECT_EQ(p.RetourneRgConj(3), 2);
  EXPECT_EQ(p.RetourneRgEnf(9), 0);
  const TPerson enfant = f.Personne(4);
  EXPECT_EQ(enfant.NoAutreParent(1), 2);
  EXPECT_EQ(enfant.NoAutreParent(9), 0);
}

TEST(LiensPersonne, ParentsAdoptifsDansLaSecondePaire) {
  const test::TFamille f(Famille());
  TPerson sept = f.Personne(7);
  sept.NoParents().PereB = 9;  // 9 adopts 3's daughter
  ASSERT_TRUE(sept.Enregistrement());
  const TPerson relu(&f.Fichier(), 7);
  long pere = -1, mere = -1;
  relu.GetIdParent(true, pere, mere);
  EXPECT_EQ(std::pair(pere, mere), std::pair(9L, 0L));
  relu.GetIdParent(false, pere, mere);
  EXPECT_EQ(std::pair(pere, mere), std::pair(0L, 3L));
  EXPECT_TRUE(relu.IsAdopt());
  EXPECT_FALSE(f.Personne(4).IsAdopt());
  EXPECT_TRUE(f.Personne(9).HasEnfAdop());
  EXPECT_FALSE(f.Personne(3).HasEnfAdop());
}

TEST(LiensPersonne, EnfantsParDateDeNaissanceSansDateAvecLeurUnion) {
  constexpr int32_t s = kSansDateNaissance;
  const struct {
    std::vector<TEnfantAClasser> enfants;  // {no, birth, spouse rank}
    std::vector<int32_t> ordre;
  } cas[] = {
      {{{1, 19100101, 1}, {2, 19050101, 1}, {3, 19050101, 2}}, {2, 3, 1}},  // equal dates keep their order
      {{{1, s, 1}, {2, 19200101, 2}, {3, 19100101, 1}}, {3, 1, 2}},        // undated with its union
      {{{1, s, 2}, {2, 19000101, 1}, {3, 19100101, 2}}, {2, 3, 1}},
      {{{1, s, 0}, {2, s, 0}}, {1, 2}},
  };
  for (const auto& c : cas) {
    std::vector<TEnfantAClasser> v = c.enfants;
    ClasseEnfants(v);
    std::vector<int32_t> ordre;
    for (const TEnfantAClasser& e : v) ordre.push_back(e.no);
    EXPECT_EQ(ordre, c.ordre);
  }
}

TEST(LiensPersonne, AjoutDEnfantRangeParUnion) {
  // 1's children: 4, 5 (with 2), 6 (with 3). 8 is another child with 2: it goes before 6.
  const test::TFamille f(Famille(), {{1, {4, 5, 6}}});
  TPerson p = f.Personne(1);
  EXPECT_EQ(p.AjouteEnf(8, 2), 2);
  EXPECT_EQ(p.GetVectorEnfants(), (std::vector<long>{4, 5, 8, 6}));
  EXPECT_EQ(p.AjouteEnf(8, 2), 2);  // already there
  EXPECT_EQ(p.AjouteEnf(0, 2), 0);
  EXPECT_EQ(p.AjouteEnf(9, -1), 4);  // appended
  EXPECT_EQ(p.AjouteEnf(7, 9), 5);   // 9 is no spouse: at the end
  TPerson q = f.Personne(1);
  EXPECT_EQ(q.AjouteEnf(7, 3), 3);  // with the last spouse: stays at the end
  // Full list: -1 and nothing changes.
  TPerson plein = f.Personne(9);
  for (long i = 0; i < kMaxEnfants; ++i) ASSERT_GE(plein.AjouteEnf(1000 + i, -1), 0);
  EXPECT_EQ(plein.AjouteEnf(5000, -1), -1);
  EXPECT_EQ(plein.CompteNbEnfant(), 150);
  for (long i = 0; i < kMaxConjoints; ++i) ASSERT_GE(plein.AjouteConj(2000 + i), 0);
  EXPECT_EQ(plein.AjouteConj(2000), 0);  // twice: the same slot, one link
  EXPECT_EQ(plein.AjouteConj(5000), -1);
}

TEST(LiensPersonne, DeplacementsEtCompactage) {
  const test::TFamille f(Famille(), {{1, {4, 5, 6}}});
  TPerson p = f.Personne(1);
  EXPECT_TRUE(p.DeplaceEnfantVersAine(6));
  EXPECT_EQ(p.GetVectorEnfants(), (std::vector<long>{6, 4, 5}));
  EXPECT_TRUE(p.DeplaceEnfantVersBenjamin(6));
  EXPECT_EQ(p.GetVectorEnfants(), (std::vector<long>{4, 5, 6}));
  EXPECT_TRUE(p.DeplacerEnfantVersPos(4, 1));
  EXPECT_EQ(p.GetVectorEnfants(), (std::vector<long>{5, 4, 6}));
  EXPECT_FALSE(p.DeplacerEnfantVersPos(9, 0));
  EXPECT_TRUE(p.DeplacerConjVersPos(3, 0));
  EXPECT_EQ(p.Public.Conjoints[0].Lien.No, 3);
  EXPECT_EQ(p.Public.Conjoints[1].Lien.No, 2);
  bool modifie = false;
  p.SupprimeEnfant(5, modifie);
  EXPECT_TRUE(modifie);
  EXPECT_EQ(p.Public.Enfants[0].No, 0);  // emptied, not compacted
  EXPECT_EQ(p.GetVectorEnfants(), (std::vector<long>{4, 6}));
  p.RecompacteEnfant();
  EXPECT_EQ(p.Public.Enfants[0].No, 4);
  modifie = false;
  p.SupprimeConjoint(9, modifie);
  EXPECT_FALSE(modifie);
  TLienConj lien;
  lien.Lien = 2;
  lien.Compagnon = 77;
  EXPECT_TRUE(p.SetLienConj(lien));
  EXPECT_EQ(p.Public.Conjoints[1].Compagnon, 77);
  lien.Lien = 9;
  EXPECT_FALSE(p.SetLienConj(lien));
}

TEST(LiensPersonne, SuppressionDesDeuxCotes) {
  const test::TFamille f(Famille(), {{1, {4, 5, 6}}});
  TPerson p = f.Personne(1);
  ASSERT_TRUE(p.SupprimeLienConjoint(3));
  ASSERT_TRUE(p.SupprimeLienEnfant(6));
  ASSERT_TRUE(p.Enregistrement());
  EXPECT_EQ(f.Personne(3).CompteNbConjoint(), 0);
  EXPECT_EQ(f.Personne(6).Public.Pere.No, 0);
  EXPECT_EQ(f.Personne(1).GetVectorEnfants(), (std::vector<long>{4, 5}));
  TPerson enfant = f.Personne(5);
  ASSERT_TRUE(enfant.SupprimeLienParent());
  ASSERT_TRUE(enfant.Enregistrement());
  EXPECT_EQ(f.Personne(1).GetVectorEnfants(), std::vector<long>{4});
  EXPECT_EQ(f.Personne(2).GetVectorEnfants(), (std::vector<long>{4, 8}));
  // Deleting every link of 2: 1 loses a spouse, 4 and 8 their mother.
  TPerson deux = f.Personne(2);
  ASSERT_TRUE(deux.SupprimeLien());
  EXPECT_TRUE(f.Personne(2).AucunLien());
  EXPECT_EQ(f.Personne(1).CompteNbConjoint(), 0);
  EXPECT_EQ(f.Personne(4).Public.Mere.No, 0);
  EXPECT_EQ(f.Personne(4).Public.Pere.No, 1);
}

TEST(LiensPersonne, VerificationsEtOrdreDesEnfantsCommuns) {
  // 1 lists 5 before 4, while 2 lists 4 before 5; 8 is listed by 1 but does not name him.
  const test::TFamille f({{1, 'M', 0, 0, {2}}, {2, 'F', 0, 0, {1}}, {4, 'M', 1, 2}, {5, 'F', 1, 2}, {8, 'M'}},
                         {{1, {5, 6, 4, 8, 9999}}, {2, {4, 5}}});
  TPerson p = f.Personne(1);
  EXPECT_EQ(p.VerifLienSysmetrique(), (std::vector<long>{6, 8, 9999}));
  EXPECT_EQ(p.VerifLienHorsFichier(), std::vector<long>{9999});
  EXPECT_TRUE(p.ClassementEnfantIdentiqueConjoint());
  EXPECT_EQ(p.GetVectorEnfants(), (std::vector<long>{4, 6, 5, 8, 9999}));
  EXPECT_FALSE(p.ClassementEnfantIdentiqueConjoint());
}

}  // namespace
}  // namespace kyb
