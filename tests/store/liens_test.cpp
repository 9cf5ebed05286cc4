#include <gtest/gtest.h>

#include "store/liens.h"

namespace kyb::test {
namespace {

TEST(Liens, AjusteRangGardeLeSigneDuDividende) {
  const struct {
    int rang, attendu;
  } cas[] = {{-1, 255}, {255, 255}, {256, 0}, {0, 0}, {1, 1}, {-256, 0}, {511, 255}, {-300, -44}};
  for (const auto& c : cas) EXPECT_EQ(AjusteRang(c.rang), c.attendu) << c.rang;
}

TEST(Liens, ExisteNoTableLienPersRegardeLesNPremiers) {
  const TLienPers table[] = {4, 9, 0, 12};
  EXPECT_FALSE(ExisteNoTableLienPers(table, 0, 4));
  EXPECT_TRUE(ExisteNoTableLienPers(table, 1, 4));
  EXPECT_FALSE(ExisteNoTableLienPers(table, 3, 12));
  EXPECT_TRUE(ExisteNoTableLienPers(table, 4, 12));
  EXPECT_TRUE(ExisteNoTableLienPers(table, 4, 0));
  EXPECT_FALSE(ExisteNoTableLienPers(nullptr, 4, 12));
}

TEST(Liens, ComparaisonsSurLeNumeroSeul) {
  TLienPers a;
  a.No = 7;
  a.NivNo = 3;
  TLienPers b = 7;
  EXPECT_TRUE(a == b);  // NivNo differs, No alone counts
  EXPECT_FALSE(a != b);
  EXPECT_TRUE(a == 7);
  EXPECT_TRUE(a != 8);
  EXPECT_TRUE(a < 8);
  EXPECT_TRUE(a > 6);
  EXPECT_TRUE(TLienPers(3) < a);
  EXPECT_EQ(a(), 7);
  EXPECT_FALSE(!a);
  EXPECT_TRUE(!TLienPers());
  a = 12;  // a plain number clears the qualifier
  EXPECT_EQ(a.NivNo, 0);
  b.NivNo = 9;
  a = b;  // a link copies both
  EXPECT_EQ(a.No, 7);
  EXPECT_EQ(a.NivNo, 9);
}

TEST(Liens, DispositionPetitBoutiste) {
  TLienConj c;
  c.Lien.No = 0x01020304;
  c.Lien.NivNo = 0xAB;
  c.Compagnon = -2;
  unsigned char octets[TLienConj::kTailleDisque] = {};
  c.Ecrit(octets);
  const unsigned char attendus[] = {0x04, 0x03, 0x02, 0x01, 0xAB, 0xFE, 0xFF, 0xFF, 0xFF};
  for (size_t i = 0; i < sizeof attendus; ++i) EXPECT_EQ(octets[i], attendus[i]) << i;
  TLienConj relu;
  relu.Lit(octets);
  EXPECT_EQ(relu.Lien.No, c.Lien.No);
  EXPECT_EQ(relu.Lien.NivNo, 0xAB);
  EXPECT_EQ(relu.Compagnon, -2);
}

TEST(Liens, PersonneAssocieeComparaisonEtCopie) {
  TPersAssociee p;
  p.Lien = 15;
  p.Qualite = 2;
  p.Parente = 3;
  EXPECT_TRUE(p == 15);
  EXPECT_TRUE(p != 16);
  TPersAssocieeSupp s;
  s = p;
  EXPECT_TRUE(s == 15);
  EXPECT_EQ(s.Qualite, 2);
  EXPECT_EQ(s.Parente, 3);
  TLienConjSupp cs;
  cs.Conj.Lien = 4;
  cs.Supplement = 1;
  TLienConj copie;
  copie = cs.Conj;
  EXPECT_EQ(copie.Lien.No, 4);
}

}  // namespace
}  // namespace kyb::test
