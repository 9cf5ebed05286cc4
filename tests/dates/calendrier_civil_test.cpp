// The French civil calendar: validity, leap years, the 1582 gap, Julian day numbers.
#include "dates/calendrier_civil.h"

#include <gtest/gtest.h>

namespace kyb {
namespace {

TEST(CalendrierCivil, Validite) {
  struct {
    int j, m, a;
    bool ok;
  } const cas[] = {
      {29, 2, 1500, true},  {29, 2, 1504, true},  {29, 2, 1582, false}, {29, 2, 1700, false},
      {29, 2, 1600, true},  {29, 2, 2000, true},  {29, 2, 1900, false}, {31, 4, 1789, false},
      {30, 4, 1789, true},  {31, 12, 2399, true}, {1, 1, 2400, false},  {1, 13, 1789, false},
      {0, 1, 1789, false},  {32, 1, 1789, false}, {15, 12, 1582, true}, {29, 2, 0, true},
      {29, 2, -4, true},    {29, 2, -3, false},
  };
  for (const auto& c : cas)
    EXPECT_EQ(DateGregorienOk(c.j, c.m, c.a), c.ok) << c.j << "/" << c.m << "/" << c.a;
  EXPECT_TRUE(AnneeOk(0));
  EXPECT_TRUE(AnneeOk(3000));
  EXPECT_FALSE(AnneeOk(3001));
  EXPECT_FALSE(AnneeOk(-1));
  EXPECT_TRUE(JourOk(31, 0, 1789));
  EXPECT_TRUE(DateGregorienOk("29/2/1600"));
  EXPECT_TRUE(DateGregorienOk("01/02/1800"));
  for (const char* t : {"29/2/1700", "1/2", "1/2/3/4", "//1800", "1/2/1800/", "a/2/1800", ""})
    EXPECT_FALSE(DateGregorienOk(t)) << t;
}

TEST(CalendrierCivil, ReformeDe1582) {
  // 9 December 1582 (Julian) is followed by 20 December 1582 (Gregorian).
  EXPECT_EQ(CivilVersJdn(20, 12, 1582) - CivilVersJdn(9, 12, 1582), 1);
  EXPECT_EQ(RangJourCivil(20, 12, 1582) - RangJourCivil(9, 12, 1582), 1);
  EXPECT_EQ(RangJourCivil(15, 12, 1582), RangJourCivil(9, 12, 1582));
  EXPECT_EQ(CivilVersJdn(4, 10, 1582), 2299160);
  EXPECT_EQ(CivilVersJdn(1, 1, 2000), 2451545);
  EXPECT_EQ(CivilVersJdn(1, 1, 1), 1721424);
  // Years of 1582 and around: 355, 365 and 366 existing days.
  EXPECT_EQ(RangJourCivil(1, 1, 1583) - RangJourCivil(1, 1, 1582), 355);
  EXPECT_EQ(RangJourCivil(1, 1, 1582) - RangJourCivil(1, 1, 1581), 365);
  EXPECT_EQ(RangJourCivil(1, 1, 1581) - RangJourCivil(1, 1, 1580), 366);
  EXPECT_EQ(RangJourCivil(1, 1, 1701) - RangJourCivil(1, 1, 1700), 365);
  EXPECT_EQ(RangJourCivil(1, 1, 1) - RangJourCivil(1, 1, 0), 366);
  // Back from Julian day numbers on both sides of the reform.
  for (std::int64_t jdn = 2299000; jdn < 2299400; ++jdn) {
    int j = 0, m = 0, a = 0;
    JdnVersCivil(jdn, j, m, a);
    ASSERT_FALSE(JourDuTrou1582(j, m, a)) << jdn;
    ASSERT_EQ(CivilVersJdn(j, m, a), jdn);
  }
}

TEST(CalendrierCivil, JourDeLaSemaine) {
  EXPECT_EQ(JourSemaineCivil(14, 7, 1789), 3);  // Tuesday
  EXPECT_EQ(JourSemaineCivil(1, 1, 2000), 7);   // Saturday
  EXPECT_EQ(JourSemaineCivil(4, 10, 1582), 5);  // Thursday
  EXPECT_EQ(JourSemaineCivil(20, 12, 1582), 2);
  EXPECT_EQ(JourSemaineCivil(5, 12, 2026), 7);
}

}  // namespace
}  // namespace kyb
