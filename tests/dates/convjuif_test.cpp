// Hebrew calendar: published dates, Passover by a formula independent of the molad, round trips.
#include "texte_date.h"
#include "dates/convjuif.h"

#include <gtest/gtest.h>

#include <cmath>

#include "dates/calendrier_civil.h"

namespace kyb {
namespace {

std::string Texte(int j, int m, int a) { return test::TexteDate(j, m, a); }

TEST(Hebreu, DatesPubliees) {
  const std::pair<const char*, const char*> cas[] = {
      // Rosh Hashana (1 Tichri).
      {"24/09/1900", "01/01/5661"}, {"14/09/1939", "01/01/5700"}, {"27/09/1973", "01/01/5734"},
      {"11/09/1999", "01/01/5760"}, {"30/09/2000", "01/01/5761"}, {"16/09/2023", "01/01/5784"},
      {"03/10/2024", "01/01/5785"}, {"23/09/2025", "01/01/5786"},
      // First day of Passover (15 Nissan).
      {"20/04/1943", "15/08/5703"}, {"20/04/2000", "15/08/5760"}, {"06/04/2023", "15/08/5783"},
      {"23/04/2024", "15/08/5784"}, {"13/04/2025", "15/08/5785"},
      // Other well-known days.
      {"12/11/1945", "07/03/5706"}, {"14/05/1948", "05/09/5708"}, {"06/10/1973", "10/01/5734"},
  };
  for (const auto& [civil, hebreu] : cas) {
    EXPECT_EQ(ConvGregorienHebraique(civil), hebreu) << civil;
    EXPECT_EQ(ConvHebraiqueGregorien(hebreu), civil) << hebreu;
  }
}

// Gauss's formula for the first day of Passover, a computation independent of the molad: its
// result is a day of March in the Julian calendar.
TEST(Hebreu, PaqueJuiveSelonLaFormuleDeGauss) {
  for (int an = 100; an <= 2399; ++an) {
    const int a = (12 * an + 12) % 19, b = an % 4;
    const double q = 20.0955877 + 1.5542418 * a + 0.25 * b - 0.003177794 * an;
    const int m = static_cast<int>(std::floor(q));
    const double fraction = q - m;
    const int c = (m + 3 * an + 5 * b + 1) % 7;
    int mars = m;
    if (c == 2 || c == 4 || c == 6)
      mars = m + 1;
    else if (c == 1 && a > 6 && fraction >= 0.63287037)
      mars = m + 2;
    else if (c == 0 && a > 11 && fraction >= 0.89772376)
      mars = m + 1;
    // Julian day number of 1 March of that year in the Julian calendar.
    const std::int64_t y = an + 4800;
    const std::int64_t premierMars = 1 + (153 * 0 + 2) / 5 + 365 * y + y / 4 - 32083;
    int j = 0, mo = 0, yr = 0;
    JdnVersCivil(premierMars + mars - 1, j, mo, yr);
    ASSERT_EQ(ConvHebraiqueGregorien(Texte(15, 8, an + 3760)), Texte(j, mo, yr)) << an;
  }
}

TEST(Hebreu, AllerRetourDe1583A2399) {
  std::int64_t jdn = CivilVersJdn(1, 1, 1583);
  const std::int64_t fin = CivilVersJdn(31, 12, 2399);
  int precedentMois = 0;
  for (; jdn <= fin; ++jdn) {
    int j = 0, m = 0, a = 0;
    JdnVersCivil(jdn, j, m, a);
    const std::string civil = Texte(j, m, a);
    const AnsiString hebreu = ConvGregorienHebraique(civil);
    ASSERT_EQ(ConvHebraiqueGregorien(hebreu), civil) << hebreu;
    const int mois = (hebreu[3] - '0') * 10 + (hebreu[4] - '0');
    ASSERT_TRUE(mois == precedentMois || mois == precedentMois % 13 + 1 ||
                (mois == 8 && precedentMois == 6) || precedentMois == 0)
        << civil;
    precedentMois = mois;
  }
}

TEST(Hebreu, MoisEtJoursImpossibles) {
  EXPECT_EQ(ConvHebraiqueGregorien("01/07/5785"), "");  // no Adar II in a 12-month year
  EXPECT_NE(ConvHebraiqueGregorien("01/07/5784"), "");
  ConvJuif annee;
  ASSERT_TRUE(annee.convJuif_civil("01/01/5785"));
  EXPECT_EQ(ConvHebraiqueGregorien("30/02/5785").empty(), annee.Hechvan() == 29);
  EXPECT_EQ(ConvHebraiqueGregorien("30/03/5785").empty(), annee.Kislev() == 29);
  EXPECT_EQ(ConvHebraiqueGregorien("30/04/5785"), "");
  EXPECT_EQ(ConvHebraiqueGregorien("01/14/5785"), "");
  EXPECT_EQ(ConvHebraiqueGregorien("01/01/3760"), "");
  EXPECT_EQ(ConvHebraiqueGregorien("01/01/...."), "");
  EXPECT_EQ(ConvHebraiqueGregorien("n'importe"), "");
  EXPECT_EQ(ConvGregorienHebraique("31/02/2000"), "");
  EXPECT_EQ(ConvGregorienHebraique(""), "");
}

TEST(Hebreu, PartiesInconnuesAnneesEtTextes) {
  EXPECT_EQ(ConvGregorienHebraique("../../2024"), "../../5784");
  EXPECT_EQ(ConvHebraiqueGregorien("../../5784"), "../../2024");
  EXPECT_EQ(ConvHebraiqueGregorien("../08/5784"), "../04/2024");
  EXPECT_EQ(ConvGregorienHebraique("2000/2024"), "5760/5784");
  EXPECT_EQ(ConvHebraiqueGregorien("5760/5784"), "2000/2024");
  EXPECT_EQ(ConvGregorienHebraique("2000/...."), "");
  ConvJuif c;
  ASSERT_TRUE(c.convCivil_juif("03/10/2024"));
  EXPECT_EQ(c.getReponse(), "01/01/5785");
  EXPECT_EQ(c.getJour(), "jeudi");
  EXPECT_EQ(c.getDistrib(), A("Année commune de 12 mois"));
  EXPECT_EQ(c.Hechvan() + c.Kislev(), c.LongueurAnnee() - 295);
  ASSERT_TRUE(c.convJuif_civil("01/07/5784"));
  EXPECT_EQ(c.getDistrib(), A("Année embolismique de 13 mois"));
  // Julian reckoning before the French reform: 10 days apart from the Gregorian one.
  EXPECT_EQ(ConvGregorienHebraique("09/12/1582"), ConvGregorienHebraique("19/12/1582"));
}

}  // namespace
}  // namespace kyb
