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
  EXPECT_TRUE(TLienPers(3) < a);
  a = 12;  // a plain number clears the qualifier
  EXPECT_EQ(a.NivNo, 0);
  b.NivNo = 9;
  a = b;  // a link copies both
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

}  // namespace
}  // namespace kyb::test
