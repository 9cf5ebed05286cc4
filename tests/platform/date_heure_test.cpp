#include "platform/date_heure.h"

#include <gtest/gtest.h>

#include <random>

namespace kyb {
namespace {

TEST(DateHeure, ValeursConnues) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
  EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
  EXPECT_EQ(EncodeDate(2000, 1, 1), 36526.0);
  EXPECT_EQ(EncodeDate(1, 1, 1), -693593.0);
  EXPECT_DOUBLE_EQ(EncodeHeure(6, 0, 0), 0.25);
  const TDateDecodee d = DecodeDateHeure(CombineDateHeure(EncodeDate(1899, 12, 29), 0.25));
  EXPECT_EQ(d.annee * 10000 + d.mois * 100 + d.jour, 18991229);
  EXPECT_EQ(d.heure, 6);
  EXPECT_EQ(DecodeDateHeure(EncodeDate(2024, 2, 29)).jourSemaine, 5);  // Thursday
  EXPECT_EQ(DecodeDateHeure(0.0).jourSemaine, 7);                     // Saturday
}

TEST(DateHeure, DatesInexistantesRefusees) {
  TDateTime v = 12;
  EXPECT_FALSE(EssaieEncodeDate(1900, 2, 29, v));
  EXPECT_FALSE(EssaieEncodeDate(2023, 13, 1, v));
  EXPECT_FALSE(EssaieEncodeDate(0, 1, 1, v));
  EXPECT_FALSE(EssaieEncodeHeure(24, 0, 0, 0, v));
  EXPECT_EQ(v, 12);
  EXPECT_TRUE(EssaieEncodeDate(2000, 2, 29, v));
}

TEST(DateHeure, EncodeDecodeAllerRetour) {
  std::mt19937 alea(7);
  std::uniform_int_distribution<int> jours(-693593, 2958465);
  for (int i = 0; i < 20000; ++i) {
    const int j = jours(alea);
    const TDateDecodee d = DecodeDateHeure(j);
    EXPECT_EQ(EncodeDate(d.annee, d.mois, d.jour), j);
  }
}

TEST(DateHeure, FormatEtLecture) {
  const TDateTime v = CombineDateHeure(EncodeDate(2026, 3, 7), EncodeHeure(9, 5, 4));
  EXPECT_EQ(FormatDateHeure("dd/mm/yyyy", v), "07/03/2026");
  EXPECT_EQ(FormatDateHeure("hh:nn:ss", v), "09:05:04");
  EXPECT_EQ(FormatDateHeure("hh:mm:ss", v), "09:05:04");
  EXPECT_EQ(FormatDateHeure("d/m/yy 'à' h", v), "7/3/26 à 9");
  EXPECT_EQ(LitDateHeure("07/03/2026", "dd/mm/yyyy"), EncodeDate(2026, 3, 7));
  EXPECT_EQ(LitDateHeure("7/3/2026 09:05:04", "dd/mm/yyyy hh:nn:ss"), v);
  for (const char* refuse : {"31/02/2026", "07-03-2026", "07/03/2026x", "", "aa/bb/cccc"})
    EXPECT_FALSE(LitDateHeure(refuse, "dd/mm/yyyy").has_value()) << refuse;
}

TEST(DateHeure, HorlogeFixeeParLesTests) {
  {
    const HorlogeFixee horloge(EncodeDate(2030, 1, 2) + 0.5);
    EXPECT_EQ(Maintenant(), EncodeDate(2030, 1, 2) + 0.5);
    EXPECT_EQ(Aujourdhui(), EncodeDate(2030, 1, 2));
    EXPECT_EQ(LitDateHeure("01/01/79", "dd/mm/yy"), EncodeDate(2079, 1, 1));
    EXPECT_EQ(LitDateHeure("01/01/80", "dd/mm/yy"), EncodeDate(1980, 1, 1));
  }
  EXPECT_GT(Maintenant(), EncodeDate(2020, 1, 1));
}

}  // namespace
}  // namespace kyb
