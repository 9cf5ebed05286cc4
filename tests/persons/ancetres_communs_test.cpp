// Common ancestors: cousins of several degrees, implex, loops, deleted persons, no joint.
#include "persons/ancetres_communs.h"

#include <gtest/gtest.h>

#include "support/genealogie.h"

namespace kyb {
namespace {

// A couple 1/2 with two sons 3 and 4; then two lines going down from each son: 3 -> 5 -> 7 -> 9
// and 4 -> 6 -> 8 -> 10 (each generation with a spouse of its own outside, 11..16).
std::vector<test::TMembre> DeuxLignees() {
  return {{1, 'M', 0, 0, {2}}, {2, 'F', 0, 0, {1}}, {3, 'M', 1, 2}, {4, 'M', 1, 2},
          {5, 'M', 3, 11},     {6, 'F', 4, 12},     {7, 'M', 5, 13}, {8, 'M', 0, 6},
          {9, 'F', 7, 14},     {10, 'M', 8, 15},    {11, 'F'},       {12, 'F'},
          {13, 'F'},           {14, 'F'},           {15, 'F'},       {16, 'M'}};
}

TEST(AncetresCommuns, CousinsDeDegresDivers) {
  const test::TFamille f(DeuxLignees());
  const struct {
    long a, b;
    int genA, genB;
  } cas[] = {{5, 6, 2, 2}, {7, 8, 3, 3}, {9, 10, 4, 4}, {9, 6, 4, 2}, {3, 4, 1, 1}};
  for (const auto& c : cas) {
    const TAncetresCommuns r = ChercheAncetresCommuns(f.Fichier(), c.a, c.b);
    ASSERT_EQ(r.Ancetres, (std::vector<long>{1, 2})) << c.a << "-" << c.b;
    ASSERT_EQ(r.Chemins.size(), 2u);
    for (const TCheminParente& chemin : r.Chemins) {
      EXPECT_EQ(chemin.GenerationsA, c.genA);
      EXPECT_EQ(chemin.GenerationsB, c.genB);
      EXPECT_EQ(chemin.Personnes.size(), static_cast<size_t>(c.genA + c.genB + 1));
      EXPECT_EQ(chemin.Personnes.front(), c.a);
      EXPECT_EQ(chemin.Personnes.back(), c.b);
    }
  }
  const TAncetresCommuns r = ChercheAncetresCommuns(f.Fichier(), 9, 10);
  EXPECT_EQ(r.Chemins[0].Personnes, (std::vector<long>{9, 7, 5, 3, 1, 4, 6, 8, 10}));
  EXPECT_EQ(r.Chemins[1].Personnes, (std::vector<long>{9, 7, 5, 3, 2, 4, 6, 8, 10}));
}

TEST(AncetresCommuns, AscendantDirectSoiMemeEtRienEnCommun) {
  const test::TFamille f(DeuxLignees());
  TAncetresCommuns r = ChercheAncetresCommuns(f.Fichier(), 9, 3);  // 3 is 9's great-grandfather
  ASSERT_EQ(r.Ancetres, std::vector<long>{3});
  EXPECT_EQ(r.Chemins.at(0).Personnes, (std::vector<long>{9, 7, 5, 3}));
  EXPECT_EQ(r.Chemins.at(0).GenerationsB, 0);
  r = ChercheAncetresCommuns(f.Fichier(), 7, 7);
  EXPECT_EQ(r.Chemins.at(0).Personnes, std::vector<long>{7});
  EXPECT_FALSE(ChercheAncetresCommuns(f.Fichier(), 9, 16).Trouve());
  EXPECT_FALSE(ChercheAncetresCommuns(f.Fichier(), 11, 12).Trouve());  // two spouses from outside
  EXPECT_FALSE(ChercheAncetresCommuns(f.Fichier(), 9, 0).Trouve());
  EXPECT_FALSE(ChercheAncetresCommuns(f.Fichier(), 9, 500).Trouve());
  // A limit of two generations does not reach the great-grandparents' parents.
  EXPECT_FALSE(ChercheAncetresCommuns(f.Fichier(), 9, 10, 2).Trouve());
}

TEST(AncetresCommuns, ImplexDonneTousLesCheminsLesPlusCourts) {
  // 5 and 6 are first cousins (grandparents 1/2) and the parents of 20: 1 is 20's
  // great-grandfather by both sides.
  auto membres = DeuxLignees();
  membres.push_back({20, 'M', 5, 6});
  const test::TFamille f(membres);
  const TAncetresCommuns r = ChercheAncetresCommuns(f.Fichier(), 20, 1);
  ASSERT_EQ(r.Ancetres, std::vector<long>{1});
  ASSERT_EQ(r.Chemins.size(), 2u);
  EXPECT_EQ(r.Chemins[0].Personnes.size(), 4u);
  EXPECT_NE(r.Chemins[0].Personnes[1], r.Chemins[1].Personnes[1]);  // by the father, by the mother
  // 7 is a son of 5 by another wife: the half-brothers meet at their father.
  const TAncetresCommuns frere = ChercheAncetresCommuns(f.Fichier(), 20, 7);
  EXPECT_EQ(frere.Ancetres, std::vector<long>{5});
}

TEST(AncetresCommuns, BouclesEtPersonnesSupprimees) {
  // 30 and 31 are each other's father; 32 is the son of 30; 40 is deleted and the father of
  // 41 and 42.
  const test::TFamille f({{30, 'M', 31}, {31, 'M', 30}, {32, 'M', 30}, {33, 'F'},
                          {40, 'M', 0, 0, {}, true}, {41, 'M', 40}, {42, 'F', 40}});
  EXPECT_FALSE(ChercheAncetresCommuns(f.Fichier(), 32, 33).Trouve());
  const TAncetresCommuns r = ChercheAncetresCommuns(f.Fichier(), 32, 31);
  // In the loop 30 is also 31's father: the two ascendancies meet at 30 in the first generation.
  ASSERT_EQ(r.Ancetres, std::vector<long>{30});
  EXPECT_EQ(r.Chemins.at(0).Personnes, (std::vector<long>{32, 30, 31}));
  // A deleted parent is not a joint, and nothing is climbed through it.
  EXPECT_FALSE(ChercheAncetresCommuns(f.Fichier(), 41, 42).Trouve());
}

}  // namespace
}  // namespace kyb
