// Republican calendar: published equivalences, round trips over the whole table, refusals.
#include "texte_date.h"
#include "dates/convrepublicain.h"

#include <gtest/gtest.h>

#include "dates/calendrier_civil.h"

namespace kyb {
namespace {

std::string Texte(int j, int m, int a) { return test::TexteDate(j, m, a); }

TEST(Republicain, EquivalencesPubliees) {
  const std::pair<const char*, const char*> cas[] = {
      {"01/VEND/01", "22/09/1792"}, {"01/VEND/05", "22/09/1796"},
      {"01/VEND/04", "23/09/1795"}, {"06/COMP/03", "22/09/1795"},
      {"01/VEND/12", "24/09/1803"}, {"18/BRUM/08", "09/11/1799"},
      {"09/THER/02", "27/07/1794"}, {"01/PLUV/12", "22/01/1804"},
      {"11/FRIM/13", "02/12/1804"}, {"10/NIVO/14", "31/12/1805"},
      {"30/FRUC/14", "17/09/1806"}, {"01/VEND/15", "23/09/1806"},
  };
  for (const auto& [rep, greg] : cas) {
    EXPECT_EQ(ConvRepublicainGregorien(rep), greg) << rep;
    EXPECT_EQ(ConvRepublicainGregorien2(rep), greg) << rep;
    EXPECT_EQ(ConvGregorienRepublicain(greg), rep) << greg;
  }
}

TEST(Republicain, AllerRetourSurToutLaTable) {
  const std::int64_t premier = CivilVersJdn(22, 9, 1792);
  int j = 0, m = 0, a = 0;
  for (std::int64_t k = 0; k <= 2381052 - 2375839; ++k) {
    JdnVersCivil(premier + k, j, m, a);
    const std::string g = Texte(j, m, a);
    ASSERT_EQ(JourJulien(g), 2375839 + k) << g;
    const AnsiString r = ConvGregorienRepublicain(g);
    ASSERT_EQ(r.size(), 10u) << g;
    ASSERT_EQ(ConvRepublicainGregorien(r), g) << r;
  }
  // Just outside the table.
  EXPECT_EQ(ConvGregorienRepublicain("21/09/1792"), "");
  JdnVersCivil(premier + 2381052 - 2375839 + 1, j, m, a);
  EXPECT_EQ(ConvGregorienRepublicain(Texte(j, m, a)), "");
}

TEST(Republicain, PartiesInconnuesEtFourchettes) {
  EXPECT_EQ(ConvRepublicainGregorien("../PLUV/12"), "../01/1804");
  EXPECT_EQ(ConvRepublicainGregorien("../..../12"), "../../1804");
  EXPECT_EQ(ConvRepublicainGregorien("01/PLUV/.."), "");
  EXPECT_EQ(ConvRepublicainGregorien("01/PLUV/5"), "");
  EXPECT_EQ(ConvRepublicainGregorien2("01/PLUV/5"), "20/01/1797");
  EXPECT_EQ(ConvGregorienRepublicain("../01/1804"), "../PLUV/12");
  EXPECT_EQ(ConvGregorienRepublicain("../../1804"), "../..../12");
  EXPECT_EQ(ConvGregorienRepublicain("../../...."), "");
  EXPECT_EQ(ConvAnneeRepubGreg("02/05"), "1794/1797");
  EXPECT_EQ(ConvAnneeRepubGreg("02/.."), "");
  EXPECT_EQ(ConvRepublicainGregorien("02/05"), "1794/1797");
  EXPECT_EQ(ConvGregorienRepublicain("1794/1797"), "02/05");
  EXPECT_EQ(ConvGregorienRepublicain("1794/...."), "");
  EXPECT_EQ(ConvAnneeGregRepub("1800"), "08");
  EXPECT_EQ(ConvAnneeRepubGreg("01/PLUV/12"), "1804");
}

TEST(Republicain, TextesRefuses) {
  for (const char* t : {"", "01/XXXX/05", "31/PLUV/05", "06/COMP/04", "01/PLUV/20", "01/PLUV/00",
                        "ab/PLUV/05", "01/PLUV/5x"})
    EXPECT_EQ(ConvRepublicainGregorien2(t), "") << t;
  for (const char* t : {"", "31/02/1800", "14/07/1789", "1x/07/1800", "14/07"})
    EXPECT_EQ(ConvGregorienRepublicain(t), "") << t;
  EXPECT_EQ(JourJulien("n'importe"), 0);
  EXPECT_EQ(CalculNbJours("01/VEND/01"), 0);
  EXPECT_EQ(CalculNbJours("01/VEND/02"), 365);
  EXPECT_EQ(CalculNbJours("../VEND/02"), -1);
}

TEST(JourJulien, ValeursConnues) {
  // The formula counts from midnight: one less than the noon-based number of astronomers.
  EXPECT_EQ(JourJulien("01/01/2000"), 2451544);
  EXPECT_EQ(JourJulien("15/10/1582"), 2299160);
  EXPECT_EQ(JourJulien("04/10/1582"), 2299159);
}

}  // namespace
}  // namespace kyb
