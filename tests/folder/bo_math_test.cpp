// Sosa arithmetic against hand-worked values and a path walk written independently.
#include "folder/bo_math.h"

#include <gtest/gtest.h>

#include <random>

namespace kyb {
namespace {

using NTL::ZZ;

ZZ Z(long v) { return ZZ(v); }
ZZ Deux(long k) { return NTL::power2_ZZ(k); }

TEST(SosaCalcul, GenerationEtCote) {
  // Father's side of the root: 2, 4 and 5, 8 to 11, 16 to 23; mother's: 3, 6 and 7, 12 to 15.
  const struct {
    long n;
    int g;
    bool paternel;
  } cas[] = {{-5, 0, false}, {0, 0, false},     {1, 0, false},       {2, 1, true},        {3, 1, false},
             {11, 3, true},  {12, 3, false},    {1023, 9, false},    {1024, 10, true},    {1048576, 20, true}};
  for (const auto& c : cas) {
    EXPECT_EQ(CalculGen(static_cast<int>(c.n)), c.g) << c.n;
    EXPECT_EQ(CalculGen(Z(c.n)), c.g) << c.n;
    if (c.n < 1) continue;
    EXPECT_EQ(CotePaternel(static_cast<int>(c.n)), c.paternel) << c.n;
    EXPECT_EQ(CotePaternel(Z(c.n)), c.paternel) << c.n;
  }
  EXPECT_EQ(CalculGen(Deux(209)), 209);
  EXPECT_EQ(CalculGen(Deux(210) - 1), 209);
  EXPECT_TRUE(CotePaternel(Deux(209) + 5));   // far up the father's side
  EXPECT_FALSE(CotePaternel(Deux(210) - 1));  // the last mother of generation 209
}

TEST(SosaCalcul, AscendanceEtRapport) {
  EXPECT_FALSE(IsMultipleDeux(Z(12), Z(2)));  // 12 -> 6 -> 3: another line

  EXPECT_EQ(CalculRapportRef(Z(9), Z(2)), 1);
  EXPECT_EQ(CalculRapportRef(Z(2), Z(2)), 0);
  EXPECT_EQ(CalculRapportRef(Z(11), Z(2)), 3);  // 8, 9, 10, 11: the fourth of the block
  EXPECT_EQ(CalculRapportRef(Z(13), Z(3)), 1);  // 12, 13
  EXPECT_EQ(CalculRapportRef(Z(7), Z(0)), 0);   // no block: no endless doubling

  // VersPere(g1, g2, n): the ancestor g2 - g1 - 1 steps below n is a father (even).
  EXPECT_TRUE(VersPere(0, 1, Z(2)));
  EXPECT_FALSE(VersPere(0, 1, Z(3)));
  EXPECT_TRUE(VersPere(1, 3, Z(9)));    // 9 halved once: 4
  EXPECT_TRUE(VersPere(1, 4, Z(27)));   // halved twice: 27 -> 13 -> 6
  EXPECT_FALSE(VersPere(1, 4, Z(29)));  // 29 -> 14 -> 7
  EXPECT_FALSE(VersPere(2, 3, Z(5)));   // one generation apart: not halved
  EXPECT_TRUE(VersPere(3, 3, Z(4)));
}

TEST(SosaCalcul, CompositionsSur64Bits) {
  ZZ z;
  comp2ZZ(0x7FFFFFFF, 0x7FFFFFFF, z);
  EXPECT_EQ(z, -1);
  long haut = 0;
  unsigned long bas = 0;
  ZZ2comp(Z(-1), haut, bas);
  EXPECT_EQ(haut, 0x7FFFFFFF);
  EXPECT_EQ(bas, 0x7FFFFFFFUL);
  comp2ZZ(1, 5, z);
  EXPECT_EQ(z, Deux(32) + 5);
  ZZ2comp(Deux(40) + 7, haut, bas);
  EXPECT_EQ(haut, 256);
  EXPECT_EQ(bas, 7UL);
  ZZ2comp(Deux(63) - 1, haut, bas);  // the largest that fits
  EXPECT_EQ(haut, 0x7FFFFFFF);
  EXPECT_EQ(bas, 0xFFFFFFFFUL);
  for (const ZZ& trop : {Deux(63), Deux(100), Z(-2)}) {
    ZZ2comp(trop, haut, bas);
    EXPECT_EQ(haut, 0);
    EXPECT_EQ(bas, 0UL);
  }
}

TEST(SosaCalcul, ParentsEtDepassement) {
  // Generation 208 -> 209 is the last one that fits in 210 bits.
  EXPECT_EQ(RetSosaDuParent(Deux(209) - 1, false), Deux(210) - 1);
  EXPECT_FALSE(IsSosaMax(RetSosaDuParent(Deux(209) - 1, false)));
  EXPECT_TRUE(IsSosaMax(RetSosaDuParent(Deux(209), true)));
  EXPECT_TRUE(IsSosaMax(RetSosaDuParent(Deux(210) - 1, false)));
  ZZ max;
  SetSosaMax(max);
  EXPECT_TRUE(IsSosaMax(RetSosaDuParent(max, true)));  // the marker stays
  EXPECT_TRUE(IsSosaMax(RetSosaDuParent(max, false)));
  EXPECT_FALSE(IsSosaMax(SosaPlusGrandStockable()));
  EXPECT_GT(max, SosaPlusGrandStockable());  // beyond any real number
}

TEST(SosaCalcul, Textes) {
  const ZZ zero(0), moinsUn(-1), n(Deux(100) + 1);
  ZZ max;
  SetSosaMax(max);
  for (const ZZ* sans : {static_cast<const ZZ*>(nullptr), &zero, &moinsUn}) {
    EXPECT_EQ(ZZtoAnsiString(sans, true), "");
    EXPECT_EQ(ZZtoAnsiString(sans, false), "0");
  }
  EXPECT_EQ(ZZtoAnsiString(&max, false), "Sosa Max");
  EXPECT_EQ(ZZtoAnsiString(&n, false), "1267650600228229401496703205377");  // 2^100 + 1
}

// Reference walk: the path of a number read as steps father/mother from the root, rebuilt step by
// step with 2n and 2n + 1; generation, side and parent-of relations follow from the path.
TEST(SosaCalcul, CheminAleatoireContreReference) {
  std::mt19937_64 hasard(7);
  for (int essai = 0; essai < 500; ++essai) {
    const int g = 1 + static_cast<int>(hasard() % 200);
    std::vector<bool> chemin(static_cast<size_t>(g));  // true = mother
    ZZ n(1);
    for (int i = 0; i < g; ++i) {
      chemin[static_cast<size_t>(i)] = hasard() & 1;
      n = RetSosaDuParent(n, !chemin[static_cast<size_t>(i)]);
    }
    ASSERT_EQ(CalculGen(n), g);
    EXPECT_EQ(CotePaternel(n), !chemin[0]);
    // Every ancestor on the path lies in the ancestry of each number below it.
    ZZ descendant(1);
    for (int i = 0; i < g; ++i) {
      EXPECT_TRUE(IsMultipleDeux(n, descendant));
      descendant = RetSosaDuParent(descendant, !chemin[static_cast<size_t>(i)]);
    }
    EXPECT_EQ(descendant, n);
    EXPECT_EQ(n / 2, descendant >> 1);  // child = n / 2
  }
}

}  // namespace
}  // namespace kyb
