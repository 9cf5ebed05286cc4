// Properties over 10,000 generated dates of every kind: round trips through the export form and
// the stored columns, the laws of the sorting order, and its agreement with CompareDate.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

#include "dates/calcjours.h"
#include "dates/ordredate.h"
#include "generateur_dates.h"

namespace kyb {
namespace {

constexpr int kNombreDates = 10000;

std::vector<TDateKY> Dates(unsigned graine) {
  test::TGenerateurDates g(graine);
  std::vector<TDateKY> dates;
  dates.reserve(kNombreDates);
  for (int i = 0; i < kNombreDates; ++i) dates.push_back(g.Suivante());
  return dates;
}

std::string Decrit(const TDateKY& d) {
  return "[" + d.GetActe() + "|" + (d.GetCalendrier() ? std::string(1, d.GetCalendrier()) : "NUL") +
         "|" + d.GetDate() + "]";
}

// The same value: qualifier without its padding, NUL tag read as 'G', identical text. An empty
// value (no qualifier, no text) may come back as the empty date "../../....".
void ExpectMemeValeur(const TDateKY& attendu, const TDateKY& lu) {
  if (attendu.ActeVide() && attendu.DateVide0()) {
    EXPECT_TRUE(lu.Vide()) << Decrit(attendu) << " -> " << Decrit(lu);
    return;
  }
  const auto acte = [](const TDateKY& d) {
    AnsiString a = d.GetActe();
    a.erase(0, a.find_first_not_of(' ') == AnsiString::npos ? a.size() : a.find_first_not_of(' '));
    while (!a.empty() && a.back() == ' ') a.pop_back();
    return a;
  };
  const auto calendrier = [](const TDateKY& d) {
    return d.GetCalendrier() == 0 ? 'G' : d.GetCalendrier();
  };
  EXPECT_EQ(acte(lu), acte(attendu)) << Decrit(attendu) << " -> " << Decrit(lu);
  EXPECT_EQ(calendrier(lu), calendrier(attendu)) << Decrit(attendu) << " -> " << Decrit(lu);
  EXPECT_EQ(lu.GetDate(), attendu.GetDate()) << Decrit(attendu) << " -> " << Decrit(lu);
}

TEST(ProprietesDates, ExportPuisLectureRendLaMemeValeur) {
  for (const TDateKY& d : Dates(1789)) {
    const AnsiString forme = d.ExportInString();
    if (!d.Vide()) { EXPECT_EQ(forme.size(), 15u) << Decrit(d); }
    ExpectMemeValeur(d, TDateKY(forme));
    if (::testing::Test::HasFailure()) return;
  }
}

TEST(ProprietesDates, StockagePuisLectureRendLaMemeValeur) {
  // The columns go through what an 8-bit text column does (Windows-1252 to UTF-8 and back) and
  // come back padded with blanks to their fixed widths, as a fixed-width column may.
  const auto colonne = [](const AnsiString& t, std::size_t largeur) {
    AnsiString r = Utf8VersAnsi(AnsiVersUtf8(t));
    if (r.size() < largeur) r.append(largeur - r.size(), ' ');
    return r;
  };
  for (const TDateKY& d : Dates(1792)) {
    const TDateKY::TColonnes c = d.FormeStockee();
    ExpectMemeValeur(d, TDateKY::DepuisFormeStockee(
                            {colonne(c.acte, 3), colonne(c.calendrier, 1), colonne(c.date, 10)}));
    // The binary records of older folders hold the 15 bytes as they stand.
    TDateKY copie;
    std::memcpy(static_cast<void*>(&copie), static_cast<const void*>(&d), sizeof(TDateKY));
    ExpectMemeValeur(d, copie);
    if (::testing::Test::HasFailure()) return;
  }
}

TEST(ProprietesDates, LOrdreDeTriEstUnOrdreStrictTotal) {
  const std::vector<TDateKY> dates = Dates(1804);
  std::mt19937 alea(42);
  std::uniform_int_distribution<std::size_t> choix(0, dates.size() - 1);
  const auto equivalents = [](const TDateKY& a, const TDateKY& b) { return !(a < b) && !(b < a); };
  for (const TDateKY& d : dates) ASSERT_FALSE(d < d) << Decrit(d);  // irreflexive
  for (int i = 0; i < 60000; ++i) {
    // Triples drawn with many copies, so that equivalence is met often.
    const TDateKY a = dates[choix(alea)];
    const TDateKY b = i % 2 ? a : dates[choix(alea)];
    const TDateKY c = i % 3 ? b : dates[choix(alea)];
    ASSERT_FALSE(a < b && b < a) << Decrit(a) << Decrit(b);  // asymmetric
    if (a < b && b < c) { ASSERT_TRUE(a < c) << Decrit(a) << Decrit(b) << Decrit(c); }
    if (equivalents(a, b) && equivalents(b, c)) {
      ASSERT_TRUE(equivalents(a, c)) << Decrit(a) << Decrit(b) << Decrit(c);
    }
    // Total: only identical stored fields are equivalent.
    if (equivalents(a, c)) {
      ASSERT_TRUE(a.GetActe() == c.GetActe() && a.GetCalendrier() == c.GetCalendrier() &&
                  a.GetDate() == c.GetDate())
          << Decrit(a) << Decrit(c);
    }
  }
  // Sorted, every date is before or equivalent to the next; dates with a known day come after
  // those without, and by their earliest day.
  std::vector<TDateKY> triees = dates;
  std::sort(triees.begin(), triees.end());
  for (std::size_t i = 1; i < triees.size(); ++i) {
    ASSERT_FALSE(triees[i] < triees[i - 1]);
    const TEtendueJours e0 = EtendueJours(triees[i - 1]), e1 = EtendueJours(triees[i]);
    ASSERT_TRUE(!e0.connue || (e1.connue && e0.premier <= e1.premier))
        << Decrit(triees[i - 1]) << Decrit(triees[i]);
  }
}

TEST(ProprietesDates, LOrdreDeTriSuitCompareDateQuandElleEstSure) {
  // CompareDate is sure when it gives one verdict whatever the order of its arguments, about
  // two dates whose days cannot meet.
  const std::vector<TDateKY> dates = Dates(1806);
  std::mt19937 alea(7);
  std::uniform_int_distribution<std::size_t> choix(0, dates.size() - 1);
  int sures = 0;
  for (int i = 0; i < 60000; ++i) {
    const TDateKY& a = dates[choix(alea)];
    const TDateKY& b = dates[choix(alea)];
    const TEtendueJours ea = EtendueJours(a), eb = EtendueJours(b);
    if (!ea.connue || !eb.connue || Chevauchent(ea, eb)) continue;
    const int c = CompareDate(a, b);
    if (c == 0 || CompareDate(b, a) != -c) continue;
    ++sures;
    ASSERT_EQ(c < 0, a < b) << Decrit(a) << Decrit(b) << " CompareDate " << c;
    // The sure verdict is also the true order of the days.
    ASSERT_EQ(c < 0, ea.dernier < eb.premier) << Decrit(a) << Decrit(b);
  }
  EXPECT_GT(sures, 20000);  // most pairs of the sample are decided
}

}  // namespace
}  // namespace kyb
