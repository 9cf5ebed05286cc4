// Ordering and day counts, checked against known values and against the day-by-day walk.
#include "texte_date.h"
#include "dates/calcjours.h"

#include <gtest/gtest.h>

#include <tuple>

#include "dates/calendrier_civil.h"

namespace kyb {
namespace {

TDateKY G(const char* t) { return TDateKY('G', t); }

// The reference: every civil day from the first date to the second, one by one.
struct Marche {
  int jours, annees, reste, joursMois;
};

Marche MarcheJourParJour(int j1, int m1, int a1, int j2, int m2, int a2) {
  int jours = 0, anniversaires = 0, reste = 0, joursMois = 0;
  const auto debut = std::make_tuple(a1, m1, j1), fin = std::make_tuple(a2, m2, j2);
  for (int a = a1; a <= a2; ++a)
    for (int m = 1; m <= 12; ++m)
      for (int j = 1; j <= 31; ++j) {
        const auto jour = std::make_tuple(a, m, j);
        if (jour < debut) continue;
        if (jour > fin) return {jours - 1, anniversaires - 1, reste, joursMois};
        if (!DateGregorienOk(j, m, a) || (a == 1582 && m == 12 && j >= 10 && j <= 19)) continue;
        ++jours;
        const bool sans29 = !DateGregorienOk(29, 2, a);
        if ((m == m1 && j == j1) || (j1 == 29 && m1 == 2 && m == 3 && j == 1 && sans29)) {
          ++anniversaires;
          reste = 0;
        } else {
          ++reste;
        }
        if (j == j1 || (j1 == 29 && m == 3 && j == 1 && sans29) || (j1 >= 30 && m == 3 && j == 1) ||
            (j1 == 31 && j == 30 && !DateGregorienOk(31, m, a)))
          ++joursMois;
      }
  return {jours - 1, anniversaires - 1, reste, joursMois};
}

std::string Texte(int j, int m, int a) { return test::TexteDate(j, m, a); }

// Years are astronomical here: 0 is 1 BC, -44 is 45 BC (no year 0 between 1 BC and AD 1).
TDateKY Date(int j, int m, int a) {
  return a <= 0 ? TDateKY('A', Texte(j, m, 1 - a)) : TDateKY('G', Texte(j, m, a));
}

void CompareALaMarche(int j1, int m1, int a1, int j2, int m2, int a2) {
  const Marche attendu = MarcheJourParJour(j1, m1, a1, j2, m2, a2);
  float annees = 0;
  int entieres = 0, reste = 0, joursMois = 0;
  bool inverse = true;
  const int n = CalcJours(Date(j1, m1, a1), Date(j2, m2, a2), &annees, &entieres, &reste,
                          &inverse, false, &joursMois);
  SCOPED_TRACE(Texte(j1, m1, a1) + " -> " + Texte(j2, m2, a2));
  EXPECT_EQ(n, attendu.jours);
  EXPECT_EQ(entieres, attendu.annees);
  EXPECT_EQ(reste, attendu.reste);
  EXPECT_EQ(joursMois, attendu.joursMois);
  EXPECT_FALSE(inverse);
  // The other order gives the same counts, flagged as swapped.
  int entieres2 = 0;
  bool inverse2 = false;
  EXPECT_EQ(CalcJours(Date(j2, m2, a2), Date(j1, m1, a1), &entieres2, false, &inverse2), n);
  EXPECT_EQ(entieres2, entieres);
  EXPECT_EQ(inverse2, std::make_tuple(a1, m1, j1) != std::make_tuple(a2, m2, j2));
}

TEST(CalcJours, EgaleLaMarcheAuxJoursDifficiles) {
  // Ends of months, 29 February, the 1582 gap and the days around it, a day whose 1582
  // anniversary falls in the gap, before-Christ years.
  const int jours[][3] = {{29, 2, 1600}, {28, 2, 1601}, {1, 3, 1601},  {31, 1, 1700},
                          {30, 4, 1582}, {31, 12, 1581}, {9, 12, 1582}, {10, 12, 1582},
                          {15, 12, 1582}, {19, 12, 1582}, {20, 12, 1582}, {31, 12, 1582},
                          {29, 2, 1580}, {30, 3, 1583}, {31, 5, 1583}, {28, 2, 1700},
                          {29, 2, 2000}, {31, 8, 2001}, {1, 1, -44},   {29, 2, -8},
                          {15, 12, 1583}, {31, 12, 0},     {15, 12, 1581}};
  for (const auto& x : jours)
    for (const auto& y : jours)
      if (std::make_tuple(x[2], x[1], x[0]) <= std::make_tuple(y[2], y[1], y[0]))
        CompareALaMarche(x[0], x[1], x[2], y[0], y[1], y[2]);
}

// (Exact days, the 1582 gap and 29 February anniversaries are the walk's above.)
TEST(CalcJours, ValeursConnues) {
  int annees = -1;
  // Unknown day and month count as the first.
  EXPECT_EQ(CalcJours(G("../02/1800"), G("../../1801"), nullptr, false, nullptr), 334);
  // The approximation of useMiddle, ranges replaced by their middle.
  EXPECT_EQ(CalcJours(G("1750/1760"), G("15/03/1760"), &annees, true, nullptr),
            5 * 365 + 2 * 30 + 14);
  EXPECT_EQ(annees, 5);
  float f = 0;
  int entieres = 0, reste = 0;
  CalcJours(G("01/01/1900"), G("31/12/1900"), &f, &entieres, &reste, nullptr, false, nullptr);
  EXPECT_EQ(reste, 364);
  EXPECT_NEAR(f, 364 / 365.0 - 0.006, 1e-6);  // a year less a day reads just under 1
  CalcJours(G("01/01/1900"), G("02/01/1901"), &f, &entieres, &reste, nullptr, false, nullptr);
  EXPECT_NEAR(f, 1 + 1 / 365.0 + 0.005, 1e-6);
}

TEST(CalcJours, ImpossiblesDonnentUnMillion) {
  float f = 0;
  int entieres = 0;
  const auto calcule = [&](const TDateKY& a, const TDateKY& b) {
    return CalcJours(a, b, &f, &entieres, nullptr, nullptr, false, nullptr);
  };
  EXPECT_EQ(calcule(G("14/07/...."), G("14/07/1789")), kDateIncalculable);
  EXPECT_EQ(entieres, kDateIncalculable);
  EXPECT_FLOAT_EQ(f, 1000000.0f);
  EXPECT_EQ(calcule(G(""), G("14/07/1789")), kDateIncalculable);
  EXPECT_EQ(calcule(G("31/02/1789"), G("14/07/1789")), kDateIncalculable);
  EXPECT_EQ(calcule(G("01/01/2400"), G("14/07/1789")), kDateIncalculable);
  EXPECT_EQ(calcule(G("1750/1760"), G("14/07/1789")), kDateIncalculable);
  EXPECT_EQ(CalculJoursDateDate(G("../../...."), G("14/07/1789"), nullptr, nullptr),
            kDateIncalculable);
  EXPECT_EQ(CalculAnneeDateDate(G("xx"), G("14/07/1789")), kDateIncalculable);
  EXPECT_EQ(CalculMoisDateDate(G("14/07/1789"), G("")), kDateIncalculable);
}

TEST(CalcJours, FormesDerivees) {
  EXPECT_EQ(CalcNbJours(G("20/12/1582"), G("09/12/1582")), 1);
  EXPECT_EQ(CalcNbJours(G("09/12/1582"), G("20/12/1582")), -1);
  int annees = 0;
  bool ok = false;
  EXPECT_EQ(CalculJoursDateDate(G("14/07/1889"), G("14/07/1789"), &annees, &ok), -36524);
  EXPECT_EQ(annees, -100);
  EXPECT_TRUE(ok);
  bool impossible = false;
  EXPECT_EQ(CalculJoursDateDate(G("14/07/1789"), G("15/07/1789"), impossible), 1);
  EXPECT_FALSE(impossible);
  EXPECT_EQ(CalculAnneeDateDate(G("01/01/1700"), G("31/12/1750")), 50);
  EXPECT_EQ(CalculAnneeDateDate(G("02/01/1700"), G("01/01/1700")), -1);
  EXPECT_EQ(CalculMoisDateDate(G("15/01/1800"), G("20/04/1801")), 15);
  EXPECT_EQ(CalculMoisDateDate(G("20/04/1801"), G("15/01/1800")), -15);
  // Republican and Hebrew dates count through their Gregorian day.
  EXPECT_EQ(CalculJoursDateDate(TDateKY('R', "01/VEND/01"), G("23/09/1792"), nullptr, nullptr),
            1);
  EXPECT_EQ(CalculJoursDateDate(TDateKY('H', "01/01/5785"), G("04/10/2024"), nullptr, nullptr),
            1);
  EXPECT_EQ(G("14/07/1789").CalcNbJoursAbs(false, "13/07/1789"), 1);
}

TEST(CompareDate, PointsEtPrecision) {
  EXPECT_EQ(CompareDate(G("../../1750"), G("15/06/1750")), 1);
  EXPECT_EQ(CompareDate(G("15/06/1750"), G("../../1750")), 1);
  EXPECT_EQ(CompareDate(G("15/06/1750"), G("15/06/1750")), 0);
  EXPECT_EQ(CompareDate(G("../06/1750"), G("../06/1750")), 0);
  EXPECT_EQ(CompareDate(G("14/06/1750"), G("15/06/1750")), -1);
  EXPECT_EQ(CompareDate(G("../06/1750"), G("01/07/1750")), -1);
  EXPECT_EQ(CompareDate(G("14/07/...."), G("01/01/1000")), -1);
  EXPECT_EQ(CompareDate(G("14/07/...."), G("01/02/....")), 0);  // no year: no order between them
  EXPECT_EQ(CompareDate(G(""), G("01/01/1000")), -1);
  EXPECT_EQ(CompareDate(G("01/01/1000"), G("")), 1);
  // Ties broken on request.
  EXPECT_EQ(CompareDate(G("../12/1750"), G("31/12/1750"), 0, 1, false), -1);
  EXPECT_EQ(CompareDate(G("../12/1750"), G("31/12/1750"), 0, 1, true), 1);
  EXPECT_EQ(CompareDate(G("../12/1750"), G("31/12/1750"), 0, 2, true), -1);
  EXPECT_EQ(CompareDate(G("../12/1750"), G("31/12/1750"), 0, 0, true), 0);
  // Other calendars compare through their Gregorian day.
  EXPECT_EQ(CompareDate(TDateKY('R', "01/VEND/01"), G("21/09/1792")), 1);
  EXPECT_EQ(CompareDate(TDateKY('R', "01/VEND/01"), G("22/09/1792")), 0);
  EXPECT_EQ(CompareDate(TDateKY('H', "15/08/5784"), G("24/04/2024")), -1);
}

TEST(CompareDate, QualificatifsEtFourchettes) {
  TDateKY avant = G("14/07/1789");
  avant.SetActe("<");
  TDateKY vers = G("14/07/1789");
  vers.SetActe("~");
  EXPECT_EQ(CompareDate(avant, vers), 0);  // both read as the range 1789/1789
  EXPECT_EQ(CompareDate(G("1750/1760"), G("1750/1770")), -1);
  EXPECT_EQ(CompareDate(G("1751/1760"), G("1750/1770")), 1);
  EXPECT_EQ(CompareDate(G("1750/1760"), G("1750/1760")), 0);
  EXPECT_EQ(CompareDate(G("1750/...."), G("1740/...."), 0), 1);
  EXPECT_EQ(CompareDate(G("1750/...."), G("1750/1800")), 0);
  EXPECT_EQ(CompareDate(G("..../1800"), G("1650/1700")), 1);  // closed at 1700 > 1650
  EXPECT_EQ(CompareDate(G("..../1800"), G("1750/1760")), -1);
  EXPECT_EQ(CompareDate(G("1750/1760"), G("..../1800")), 1);
  // A range against a point: the range stands in its lower year, on the point's day.
  EXPECT_EQ(CompareDate(G("1750/1760"), G("15/06/1749")), 1);
  EXPECT_EQ(CompareDate(G("15/06/1749"), G("1750/1760")), -1);
  EXPECT_EQ(CompareDate(G("15/06/1751"), G("1750/1760")), 1);
  EXPECT_EQ(CompareDate(G("1750/1760"), G("15/06/1750")), 0);
}

}  // namespace
}  // namespace kyb
