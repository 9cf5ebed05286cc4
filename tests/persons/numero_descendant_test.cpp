// Descendant codes from the numbered ancestors of the Sosa file.
#include "persons/numero_descendant.h"

#include <gtest/gtest.h>

#include "support/genealogie.h"
#include "folder/gest_fic_sosa.h"

namespace kyb {
namespace {

// Root 1 (numbered 1): father 2, mother 3; 2's parents 4 and 5. 6 and 7 are the second and third
// children of 4 and 5 (after 2); 8 is 7's daughter; 9 the child of 6 and 10; 11 unrelated; 12
// and 13 are each other's father.
std::vector<test::TMembre> Famille() {
  return {{1, 'M', 2, 3}, {2, 'M', 4, 5}, {3, 'F'},    {4, 'M'},      {5, 'F'},      {6, 'M', 4, 5}, {7, 'F', 4, 5},
          {8, 'F', 7},    {9, 'M', 6, 10}, {10, 'F'}, {11, 'M'},     {12, 'M', 13}, {13, 'M', 12}};
}

TEST(NumeroDescendant, CodesDepuisLesAncetresNumerotes) {
  const test::TFamille f(Famille());
  TFicSosas& sosas = *f.Dossier().GetFicSosas();
  ASSERT_TRUE(sosas.InitFichierStrado());
  (void)sosas.NumeroterPersNo(1, NTL::ZZ(1));
  ASSERT_EQ(sosas.LectureNoStrado(4), NTL::ZZ(4));
  const struct {
    long no;
    int style;
    bool majuscule;
    const char* code;
  } cas[] = {
      {1, 190, true, "1-"},    {5, 190, true, "5-"},    {6, 190, true, "4-B"},   {7, 190, false, "4-c"},
      {8, 190, true, "4-CA"},  {8, 191, true, "4-31"},  {9, 196, false, "4-ba"}, {9, 193, false, "4-21"},
      {11, 190, true, ""},     {12, 190, true, ""},     {10, 190, true, ""},
  };
  for (const auto& c : cas)
    EXPECT_EQ(ChercheNoDesc(f.Fichier(), sosas, c.no, c.style, c.majuscule), c.code) << c.no << " " << c.style;
  const TCodeDesc r = Recherche(f.Fichier(), sosas, 8, 190, true);
  EXPECT_EQ(r.Sosa, NTL::ZZ(4));  // 4 before 5 at the same distance: the smaller number
  EXPECT_EQ(r.Chemin, "CA");
}

TEST(NumeroDescendant, PasEtNumerotationLaPlusFaible) {
  TPerson parent(nullptr, 0);
  parent.AjouteEnf(20);
  parent.AjouteEnf(21);
  AnsiString code = "x";
  EXPECT_TRUE(CalcGenNoDesc(code, &parent, 21, true, 190, true));
  EXPECT_EQ(code, "Bx");
  EXPECT_TRUE(CalcGenNoDesc(code, &parent, 20, false, 195, true));
  EXPECT_EQ(code, "Bx1");
  EXPECT_FALSE(CalcGenNoDesc(code, &parent, 22, false, 190, true));
  EXPECT_FALSE(CalcGenNoDesc(code, nullptr, 20, false, 190, true));
  EXPECT_EQ(code, "Bx1");
  const NTL::ZZ quatre(4), six(6), zero(0);
  EXPECT_TRUE(DetermineNumPlusFaible(six, "A", quatre, "AB"));   // one generation fewer
  EXPECT_TRUE(DetermineNumPlusFaible(quatre, "B", six, "A"));    // same distance: smaller number
  EXPECT_TRUE(DetermineNumPlusFaible(quatre, "A", quatre, "B"));
  EXPECT_FALSE(DetermineNumPlusFaible(zero, "", quatre, "AB"));  // 0 is no number
  EXPECT_TRUE(DetermineNumPlusFaible(quatre, "AB", zero, ""));
}

}  // namespace
}  // namespace kyb
