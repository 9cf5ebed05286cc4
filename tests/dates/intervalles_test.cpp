// Days a date stands for, the sorting order, intervals between overlapping dates, dates before
// Christ and moves of a date.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "dates/calcjours.h"
#include "dates/calendrier_civil.h"
#include "dates/ordredate.h"

namespace kyb {
namespace {

TDateKY D(const char* acte, char calendrier, const char* texte) {
  TDateKY d(calendrier, texte);
  d.SetActe(acte);
  return d;
}

TDateKY G(const char* texte) { return TDateKY('G', texte); }

// Julian day numbers of published dates, written independently of the code under test.
constexpr std::int64_t kJdn22Janvier1804 = 2379978;  // 1 pluviôse an XII
constexpr std::int64_t kJdn1Janvier1AvJC = 1721058;
constexpr std::int64_t kJdn1Janvier1 = 1721424;      // 1 January AD 1, Julian calendar
constexpr std::int64_t kJdnIdesDeMars44AvJC = 1705426;
constexpr std::int64_t kJdn14Juillet1789 = 2374674;

TEST(EtendueJours, JoursQuUneDatePeutDesigner) {
  const struct {
    TDateKY date;
    std::int64_t premier, dernier;
  } cas[] = {
      {G("14/07/1789"), kJdn14Juillet1789, kJdn14Juillet1789},
      {G("../07/1789"), kJdn14Juillet1789 - 13, kJdn14Juillet1789 + 17},
      {G("../02/1700"), CivilVersJdn(1, 2, 1700), CivilVersJdn(1, 2, 1700) + 27},  // common year
      // Pluviôse an XII: 22 January to 20 February 1804; the year XII: 24 September 1803 to
      // 22 September 1804 (an XIII began on 23 September 1804).
      {D("", 'R', "../PLUV/12"), kJdn22Janvier1804, kJdn22Janvier1804 + 29},
      {D("", 'R', "01/PLUV/12"), kJdn22Janvier1804, kJdn22Janvier1804},
      {D("", 'R', "../..../12"), kJdn22Janvier1804 - 120, kJdn22Janvier1804 + 244},
      // Hebrew 5784: 16 September 2023 to 2 October 2024; Adar II 5784: 11 March to 8 April 2024.
      {D("", 'H', "../../5784"), CivilVersJdn(16, 9, 2023), CivilVersJdn(2, 10, 2024)},
      {D("", 'H', "../07/5784"), CivilVersJdn(11, 3, 2024), CivilVersJdn(8, 4, 2024)},
      // Before Christ: 1 BC is followed by AD 1; the Ides of March 44 BC.
      {D("", 'A', "../../0001"), kJdn1Janvier1AvJC, kJdn1Janvier1 - 1},
      {D("", 'A', "15/03/0044"), kJdnIdesDeMars44AvJC, kJdnIdesDeMars44AvJC},
      {D("", 'A', "0001/0002"), kJdn1Janvier1AvJC - 365, kJdn1Janvier1 - 1},
      {G("1750/1760"), CivilVersJdn(1, 1, 1750), CivilVersJdn(31, 12, 1760)},
      {G("1750/...."), CivilVersJdn(1, 1, 1750), kJourSansLimiteApres},
      {G("..../1760"), kJourSansLimiteAvant, CivilVersJdn(31, 12, 1760)},
      // Qualifiers as the comparison reads them.
      {D("~", 'G', "14/07/1789"), CivilVersJdn(1, 1, 1789), CivilVersJdn(31, 12, 1789)},
      {D("CA", 'G', "../../1789"), CivilVersJdn(1, 1, 1789), CivilVersJdn(31, 12, 1789)},
      {D("<", 'G', "14/07/1789"), kJourSansLimiteAvant, CivilVersJdn(31, 12, 1789)},
      {D(">", 'G', "14/07/1789"), CivilVersJdn(1, 1, 1789), kJourSansLimiteApres},
      {D("?", 'G', "14/07/1789"), kJdn14Juillet1789, kJdn14Juillet1789},
      {D("<", 'G', "1750/1760"), CivilVersJdn(1, 1, 1750), CivilVersJdn(31, 12, 1760)},
  };
  for (const auto& c : cas) {
    const TEtendueJours e = EtendueJours(c.date);
    ASSERT_TRUE(e.connue) << c.date.GetDate();
    EXPECT_EQ(e.premier, c.premier) << c.date.GetDate();
    EXPECT_EQ(e.dernier, c.dernier) << c.date.GetDate();
  }
  for (const TDateKY& vide : {G(""), G("14/07/...."), G("../../...."), D("", 'H', "5500/....")})
    EXPECT_FALSE(EtendueJours(vide).connue) << vide.GetDate();
}

TEST(OrdreDeTri, DatesDiversesRangees) {
  // In order: no year first, then by earliest day, then by latest day.
  const std::vector<TDateKY> attendu = {
      G("14/07/...."),
      G("..../1700"),               // every day up to 1700
      D("", 'A', "15/03/0044"),     // before Christ
      D("", 'A', "16/03/0044"),
      D("~", 'G', "../../1750"),    // the year 1750
      G("1750/1760"),               // same first day, later last day
      G("15/06/1750"),
      G("14/07/1789"),
      D("", 'R', "../..../12"),     // 24/09/1803
      D("", 'R', "01/PLUV/12"),     // 22/01/1804
      G("15/02/1804"),
  };
  std::vector<TDateKY> melange(attendu.rbegin(), attendu.rend());
  std::swap(melange[2], melange[7]);
  std::sort(melange.begin(), melange.end());
  for (std::size_t i = 0; i < attendu.size(); ++i)
    EXPECT_EQ(melange[i].GetDate(), attendu[i].GetDate()) << i;
  // A set keeps distinct values apart and equal ones once.
  std::set<TDateKY> ensemble(attendu.begin(), attendu.end());
  ensemble.insert(G("14/07/1789"));
  ensemble.insert(D("?", 'G', "14/07/1789"));
  EXPECT_EQ(ensemble.size(), attendu.size() + 1);
}

TEST(Intervalles, DatesQuiSeRecouvrentDonnentZeroIncertain) {
  const std::pair<TDateKY, TDateKY> cas[] = {
      {G("../06/1750"), G("15/06/1750")},  // a month and one of its days
      {G("../../1750"), G("15/06/1750")},  // a year and one of its days
      {G("../../1750"), G("../06/1750")},
      {G("../06/1750"), G("../06/1750")},
      {D("", 'R', "../PLUV/12"), G("10/02/1804")},  // Pluviôse XII holds 10 February 1804
  };
  for (const auto& [a, b] : cas) {
    for (const bool sens : {true, false}) {
      const TDateKY& d1 = sens ? a : b;
      const TDateKY& d2 = sens ? b : a;
      bool incertain = false, inverse = true, ok = false;
      int annees = -1;
      EXPECT_EQ(CalcJours(d1, d2, &annees, false, &inverse, &incertain), 0) << d1.GetDate();
      EXPECT_TRUE(incertain);
      EXPECT_FALSE(inverse);
      EXPECT_EQ(annees, 0);
      incertain = false;
      EXPECT_EQ(CalculJoursDateDate(d1, d2, &annees, &ok, &incertain), 0);
      EXPECT_TRUE(ok && incertain);
      EXPECT_EQ(CalculAnneeDateDate(d1, d2, &incertain), 0) << d1.GetDate();
      EXPECT_TRUE(incertain);
      EXPECT_EQ(CalculMoisDateDate(d1, d2, &incertain), 0);
      EXPECT_TRUE(incertain);
      EXPECT_EQ(CalcNbJours(d1, d2), 0);
    }
  }
  // Dates that do not meet keep their counts, certain.
  bool incertain = true;
  EXPECT_EQ(CalcJours(G("../05/1750"), G("15/06/1750"), nullptr, false, nullptr, &incertain), 45);
  EXPECT_FALSE(incertain);
  EXPECT_EQ(CalcJours(G("15/06/1750"), G("15/06/1750"), nullptr, false, nullptr, &incertain), 0);
  EXPECT_FALSE(incertain);  // the same day: surely 0
}

TEST(Intervalles, AvantJesusChristSansAnneeZero) {
  const TDateKY ides = D("", 'A', "15/03/0044");
  EXPECT_EQ(CalcJours(D("", 'A', "31/12/0001"), G("01/01/0001"), nullptr, false, nullptr), 1);
  EXPECT_EQ(CalcJours(D("", 'A', "01/01/0001"), G("01/01/0001"), nullptr, false, nullptr), 366);
  EXPECT_EQ(CalcJours(ides, G("01/01/0001"), nullptr, false, nullptr),
            kJdn1Janvier1 - kJdnIdesDeMars44AvJC);
  int annees = 0;
  CalcJours(ides, D("", 'A', "15/03/0043"), &annees, false, nullptr);
  EXPECT_EQ(annees, 1);
  EXPECT_EQ(CalcJours(ides, D("", 'A', "15/03/0043"), nullptr, false, nullptr), 365);
  EXPECT_EQ(CalcNbJours(ides, D("", 'A', "16/03/0044")), -1);
  // The days of one year before Christ run forwards, the years backwards.
  EXPECT_EQ(CompareDate(ides, D("", 'A', "16/03/0044")), -1);
  EXPECT_EQ(CompareDate(D("", 'A', "16/03/0044"), ides), 1);
  EXPECT_EQ(CompareDate(ides, D("", 'A', "01/01/0043")), -1);
  EXPECT_EQ(CompareDate(D("", 'A', "../../0500"), D("", 'A', "../../0400")), -1);
  EXPECT_EQ(CompareDate(D("", 'A', "01/01/0010"), G("01/01/0010")), -1);
  EXPECT_TRUE(ides < D("", 'A', "16/03/0044"));
  EXPECT_TRUE(D("", 'A', "31/12/0001") < G("01/01/0001"));
}

TEST(Intervalles, DecalageDonneToujoursUnJourQuiExiste) {
  const struct {
    const char* depart;
    char calendrier;
    int n;
    const char* arrivee;
    char calendrierArrivee;
  } cas[] = {
      {"31/01/1789", 'G', 30, "28/02/1789", 'G'},   // no 31 February
      {"31/01/1788", 'G', 30, "29/02/1788", 'G'},
      {"30/03/1789", 'G', 30, "30/04/1789", 'G'},
      {"05/12/1582", 'G', 10, "20/12/1582", 'G'},   // over the days France skipped
      {"25/12/1582", 'G', -10, "09/12/1582", 'G'},
      {"15/01/0001", 'G', -30, "16/12/0001", 'A'},  // back into 1 BC
      {"16/12/0001", 'A', 30, "16/01/0001", 'G'},
      {"14/07/1789", 'G', 10, "24/07/1789", 'G'},
  };
  for (const auto& c : cas) {
    TDateKY d(c.calendrier, c.depart);
    ASSERT_TRUE(d.Decalage(c.n)) << c.depart;
    EXPECT_EQ(d.GetDate(), c.arrivee) << c.depart << " + " << c.n;
    EXPECT_EQ(d.GetCalendrier(), c.calendrierArrivee) << c.depart;
  }
  TDateKY loin = G("14/07/2999");
  EXPECT_FALSE(loin.Decalage(800));  // beyond the years a date may hold
  EXPECT_EQ(loin.GetDate(), "14/07/2999");
}

}  // namespace
}  // namespace kyb
