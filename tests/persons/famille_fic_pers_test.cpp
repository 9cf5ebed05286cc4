// Family computations of the persons file: male line, rank letters, couples, consanguinity.
#include "persons/famille_fic_pers.h"

#include <gtest/gtest.h>

#include "support/genealogie.h"

namespace kyb {
namespace {

// 1/2 -> 3 (son) ; 3 + 4 -> 6 ; 5 is 6's maternal grandfather (4's father); 7 has a mother only
// (8, daughter of 1); 9 and 10 are each other's father (damage). 11 is 3's child with 12, 13 a
// child of 3 alone.
std::vector<test::TMembre> Famille() {
  return {{1, 'M', 0, 0, {2}}, {2, 'F', 0, 0, {1}}, {3, 'M', 1, 2, {4, 12}}, {4, 'F', 5, 0, {3}},
          {5, 'M'},            {6, 'M', 3, 4},      {7, 'F', 0, 8},          {8, 'F', 1, 2},
          {9, 'M', 10},        {10, 'M', 9},        {11, 'F', 3, 12},        {12, 'F', 0, 0, {3}},
          {13, 'M', 3, 0},     {14, 'F'}};
}

TEST(FamilleFicPers, AscendanceAgnatique) {
  const test::TFamille f(Famille());
  TFicPersons& fp = f.Fichier();
  const struct {
    long cherche, depart;
    int profondeur;
    bool attendu;
  } cas[] = {
      {6, 6, 1, true},  {6, 6, 0, false}, {1, 6, 3, true},  {1, 6, 2, false}, {5, 6, 5, false},
      {1, 7, 3, true},  // through the mother 8, no father recorded
      {2, 6, 5, false}, {0, 6, 5, false}, {6, 0, 5, false}, {14, 9, 1000000, false},
  };
  for (const auto& c : cas)
    EXPECT_EQ(EstDansAscendanceAgnatique(fp, c.cherche, c.depart, c.profondeur), c.attendu)
        << c.cherche << " " << c.depart << " " << c.profondeur;
}

TEST(FamilleFicPers, LettresDeRang) {
  const test::TFamille f(Famille(), {{3, {6, 11, 13}}});
  AnsiString code = "2-";
  CalcGenNoFrSrAsc(code, nullptr, 1, false);
  CalcGenNoFrSrAsc(code, nullptr, 0, true);
  EXPECT_EQ(code, "2-bA");
  CalcGenNoEnfant(code, nullptr, 2, false);
  EXPECT_EQ(code, "c");
  CalcGenNoEnfant(code, nullptr, 2, true);
  EXPECT_EQ(code, "C");
  CalcGenNoConj(code, nullptr, 12, false);
  EXPECT_EQ(code, "12");
  const TPerson pere = f.Personne(3);
  code = "1-";
  CalcGenNoDescRel(code, &pere, 11, true);
  CalcGenNoDescRel(code, &pere, 13, false);
  CalcGenNoDescRel(code, &pere, 14, false);  // not a child: nothing
  EXPECT_EQ(code, "1-Bc");
}

TEST(FamilleFicPers, EnfantsDUnCoupleEtClassementParUnion) {
  const test::TFamille f(Famille(), {{3, {13, 11, 6}}, {4, {6}}, {12, {11}}});
  std::vector<long> e;
  EnfantCouple(f.Fichier(), e, 3, 4);
  EXPECT_EQ(e, std::vector<long>{6});
  EnfantCouple(f.Fichier(), e, 3, 12);
  EXPECT_EQ(e, std::vector<long>{11});
  EnfantCouple(f.Fichier(), e, 3, 0);  // the father's child with no mother
  EXPECT_EQ(e, std::vector<long>{13});
  EnfantCouple(f.Fichier(), e, 0, 0);
  EXPECT_TRUE(e.empty());
  TPerson p = f.Personne(3);
  ClassementEnfParConj(f.Fichier(), p);
  EXPECT_EQ(p.GetVectorEnfants(), (std::vector<long>{6, 11, 13}));  // with 4, with 12, then alone
}

// The common-ancestor search itself is checked with its own families.
TEST(FamilleFicPers, Consanguinite) {
  const test::TFamille f(Famille());
  TFicPersons& fp = f.Fichier();
  EXPECT_TRUE(IsPersonneEnConsanguinite(fp, 6, 7));   // first cousins: 7's mother is 3's sister
  EXPECT_FALSE(IsPersonneEnConsanguinite(fp, 6, 6));  // oneself is no relative
}

}  // namespace
}  // namespace kyb
