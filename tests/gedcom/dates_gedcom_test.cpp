// GEDCOM dates: hand-worked readings, refusals, writings in 5.5.1 and 7.0, and round trips over
// generated values.
#include "gedcom/dates_gedcom.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

namespace kyb {
namespace {

struct TCasLecture {
  const char* gedcom;
  const char* acte;
  char calendrier;
  const char* texte;
};

TEST(DatesGedcom, LecturesCalculeesALaMain) {
  const TCasLecture cas[] = {
      {"14 JUL 1789", "", 'G', "14/07/1789"},
      {"JUL 1789", "", 'G', "../07/1789"},
      {"1789", "", 'G', "../../1789"},
      {"abt 1750", "~", 'G', "../../1750"},
      {"ABT 1750", "~", 'G', "../../1750"},
      {"CAL 1750", "?", 'G', "../../1750"},
      {"EST 3 MAR 1750", "?", 'G', "03/03/1750"},
      {"BEF 1 JAN 1800", "<", 'G', "01/01/1800"},
      {"AFT 1800", ">", 'G', "../../1800"},
      {"BET 1750 AND 1760", "", 'G', "1750/1760"},
      {"FROM 1820 TO 1821", "", 'G', "1820/1821"},
      {"FROM 1750", "", 'G', "1750/...."},
      {"TO 1760", "", 'G', "..../1760"},
      {"INT 1760 (vers la Saint-Jean)", "", 'G', "../../1760"},
      // Dual years: the later year; Washington was born 11 February 1731/32 (Julian), 22 February
      // 1732 in the Gregorian calendar; Newton on 25 December 1642 (Julian), 4 January 1643.
      {"10 FEB 1750/51", "", 'G', "10/02/1751"},
      {"1699/00", "", 'G', "../../1700"},
      {"@#DJULIAN@ 11 FEB 1731/32", "", 'G', "22/02/1732"},
      {"@#DJULIAN@ 25 DEC 1642", "", 'G', "04/01/1643"},
      {"JULIAN 1 JAN 1700", "", 'G', "11/01/1700"},
      // Before the French reform the civil day is the Julian one: kept; the first Gregorian day
      // of 1582 (15 October) was 5 October in the Julian reckoning.
      {"@#DJULIAN@ 4 OCT 1582", "", 'G', "04/10/1582"},
      // France went from 9 to 20 December 1582: Julian 12 December is civil 22 December.
      {"@#DJULIAN@ 9 DEC 1582", "", 'G', "09/12/1582"},
      {"@#DJULIAN@ 12 DEC 1582", "", 'G', "22/12/1582"},
      {"@#DGREGORIAN@ 15 OCT 1582", "", 'G', "05/10/1582"},
      {"GREGORIAN 20 DEC 1582", "", 'G', "20/12/1582"},
      {"@#DGREGORIAN@ 1 JAN 1900", "", 'G', "01/01/1900"},
      {"@#DFRENCH R@ 18 BRUM 8", "", 'R', "18/BRUM/08"},
      {"@#DFRENCH R@ 5 COMP 3", "", 'R', "05/COMP/03"},
      {"@#DFRENCH R@ 6 COMP 3", "", 'R', "06/COMP/03"},
      {"FRENCH_R 1 PLUV 12", "", 'R', "01/PLUV/12"},
      {"@#DFRENCH R@ THER 2", "", 'R', "../THER/02"},
      {"ABT @#DFRENCH R@ 12", "~", 'R', "../..../12"},
      {"BET @#DFRENCH R@ 2 AND @#DFRENCH R@ 5", "", 'R', "02/05"},
      {"@#DHEBREW@ 15 NSN 5525", "", 'H', "15/08/5525"},
      {"HEBREW 1 TSH 5785", "", 'H', "01/01/5785"},
      {"@#DHEBREW@ ADS 5784", "", 'H', "../07/5784"},
      {"@#DHEBREW@ ELL 5700", "", 'H', "../13/5700"},
      {"44 B.C.", "", 'A', "../../0044"},
      {"15 MAR 44 BC", "", 'A', "15/03/0044"},
      {"BEF 44 BCE", "<", 'A', "../../0044"},
      {"29 FEB 45 B.C.", "", 'A', "29/02/0045"},
  };
  for (const auto& c : cas) {
    const TDateGedcom r = LitDateGedcom(c.gedcom);
    ASSERT_TRUE(r.lue) << c.gedcom << " : " << r.erreur;
    EXPECT_EQ(std::string(r.date.GetActe()), c.acte) << c.gedcom;
    EXPECT_EQ(r.date.GetCalendrier(), c.calendrier) << c.gedcom;
    EXPECT_EQ(r.date.Texte(), c.texte) << c.gedcom;
  }
  EXPECT_EQ(LitDateGedcom("INT 1760 (vers la Saint-Jean)").phrase, "vers la Saint-Jean");
  EXPECT_TRUE(LitDateGedcom("BET 3 MAR 1750 AND 1760").approchee);
  EXPECT_FALSE(LitDateGedcom("BET 1750 AND 1760").approchee);
}

TEST(DatesGedcom, DatesIllisiblesSignalees) {
  const char* const refusees[] = {
      "", "(un jour de pluie)", "32 JAN 1800", "31 FEB 1800", "29 FEB 1900", "14 JUL",
      "JULY 1789", "BET 1750", "BET 1750 AND", "@#DROMAN@ 12", "@#DUNKNOWN@ 1800",
      "12 DEC 1582",  // no such day in the French civil calendar
      "@#DFRENCH R@ 6 COMP 2", "@#DFRENCH R@ 1 VEND 25", "@#DFRENCH R@ 31 BRUM 8",
      "BET 1750 AND @#DHEBREW@ 5500", "1750/52", "ABT", "29 FEB 44 B.C.", "44 B.C. 12",
      "@#DHEBREW@ 1 TSH 3000", "FROM @#DFRENCH R@ 5", "le 14 juillet 1789", "0", "1 2 3 1800",
  };
  for (const char* texte : refusees) {
    const TDateGedcom r = LitDateGedcom(texte);
    EXPECT_FALSE(r.lue) << texte;
    EXPECT_NE(r.erreur.find("illisible"), std::string::npos) << texte;
    EXPECT_TRUE(r.date.Vide()) << texte;
  }
  EXPECT_EQ(LitDateGedcom("(un jour de pluie)").phrase, "un jour de pluie");
}

struct TCasEcriture {
  const char* acte;
  char calendrier;
  const char* texte;
  const char* v551;
  const char* v70;
};

TEST(DatesGedcom, EcritureEn551EtEn70) {
  const TCasEcriture cas[] = {
      {"", 'G', "14/07/1789", "14 JUL 1789", "14 JUL 1789"},
      {"", 'G', "../07/1789", "JUL 1789", "JUL 1789"},
      {"<", 'G', "../../1800", "BEF 1800", "BEF 1800"},
      {">", 'G', "01/01/1800", "AFT 1 JAN 1800", "AFT 1 JAN 1800"},
      {"~", 'G', "../../1750", "ABT 1750", "ABT 1750"},
      {"CA", 'G', "../../1750", "ABT 1750", "ABT 1750"},
      {"?", 'G', "../../1750", "EST 1750", "EST 1750"},
      {"", 'G', "1750/1760", "BET 1750 AND 1760", "BET 1750 AND 1760"},
      {"", 'G', "1750/....", "FROM 1750", "FROM 1750"},
      {"", 'G', "..../1760", "TO 1760", "TO 1760"},
      {"", 'G', "04/10/1582", "@#DJULIAN@ 4 OCT 1582", "JULIAN 4 OCT 1582"},
      {"", 'G', "../03/1500", "@#DJULIAN@ MAR 1500", "JULIAN MAR 1500"},
      {"", 'G', "../../1500", "1500", "1500"},
      {"", 'R', "18/BRUM/08", "@#DFRENCH R@ 18 BRUM 8", "FRENCH_R 18 BRUM 8"},
      {"", 'R', "../..../12", "@#DFRENCH R@ 12", "FRENCH_R 12"},
      {"", 'R', "02/05", "BET @#DFRENCH R@ 2 AND @#DFRENCH R@ 5", "BET FRENCH_R 2 AND FRENCH_R 5"},
      {"", 'H', "15/08/5525", "@#DHEBREW@ 15 NSN 5525", "HEBREW 15 NSN 5525"},
      {"", 'A', "15/03/0044", "15 MAR 44 B.C.", "15 MAR 44 BCE"},
      {"", 'G', "../../....", "", ""},
      {"", 'G', "14/07/....", "", ""},
  };
  for (const auto& c : cas) {
    TDateKY d(c.calendrier, c.texte);
    d.SetActe(c.acte);
    EXPECT_EQ(EcritDateGedcom(d, TVersionGedcom::V551), c.v551) << c.texte;
    EXPECT_EQ(EcritDateGedcom(d, TVersionGedcom::V70), c.v70) << c.texte;
  }
}

// Reference generator, field by field: civil dates (with the 1582 gap avoided), before Christ,
// Republican, Hebrew, and year ranges.
class TGenerateur {
 public:
  explicit TGenerateur(unsigned graine) : alea_(graine) {}
  TDateKY Suivante() {
    static const char* const kActes[] = {"", "", "<", ">", "~", "?"};
    TDateKY d;
    switch (Entre(0, 6)) {
      case 0: case 1: d = Civile(false); break;
      case 2: d = Civile(true); break;
      case 3: d = Republicaine(); break;
      case 4: d = Hebraique(); break;
      default: return Fourchette();
    }
    d.SetActe(kActes[Entre(0, 5)]);
    return d;
  }

 private:
  int Entre(int a, int b) { return std::uniform_int_distribution<int>(a, b)(alea_); }
  static std::string N(int n, int largeur) {
    char t[16];
    std::snprintf(t, sizeof t, "%0*d", largeur, n);
    return t;
  }
  TDateKY Civile(bool avantJC) {
    static const int kJours[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const int a = Entre(1, avantJC ? 800 : 2300), m = Entre(1, 12);
    bool bissextile = a <= 1582 ? a % 4 == 0 && a != 1582
                                : (a % 4 == 0 && a % 100 != 0) || a % 400 == 0;
    if (avantJC) bissextile = (a - 1) % 4 == 0;
    int j = Entre(1, m == 2 && bissextile ? 29 : kJours[m]);
    if (a == 1582 && m == 12 && j >= 10 && j <= 19) j = 9;
    std::string t;
    switch (Entre(0, 2)) {
      case 0: t = N(j, 2) + "/" + N(m, 2) + "/" + N(a, 4); break;
      case 1: t = "../" + N(m, 2) + "/" + N(a, 4); break;
      default: t = "../../" + N(a, 4); break;
    }
    return TDateKY(avantJC ? 'A' : 'G', t);
  }
  TDateKY Republicaine() {
    static const char* const kCodes[14] = {"", "VEND", "BRUM", "FRIM", "NIVO", "PLUV", "VENT",
                                           "GERM", "FLOR", "PRAI", "MESS", "THER", "FRUC", "COMP"};
    const int a = Entre(1, 19), m = Entre(1, 13);
    const int j = Entre(1, m == 13 ? ((a + 1) % 4 == 0 ? 6 : 5) : 30);
    switch (Entre(0, 2)) {
      case 0: return TDateKY('R', N(j, 2) + "/" + kCodes[m] + "/" + N(a, 2));
      case 1: return TDateKY('R', std::string("../") + kCodes[m] + "/" + N(a, 2));
      default: return TDateKY('R', "../..../" + N(a, 2));
    }
  }
  TDateKY Hebraique() {
    const int a = Entre(4000, 6000), m = Entre(1, 13), j = Entre(1, 29);
    switch (Entre(0, 2)) {
      case 0: return TDateKY('H', N(j, 2) + "/" + N(m, 2) + "/" + N(a, 4));
      case 1: return TDateKY('H', "../" + N(m, 2) + "/" + N(a, 4));
      default: return TDateKY('H', "../../" + N(a, 4));
    }
  }
  TDateKY Fourchette() {
    switch (Entre(0, 5)) {
      case 0: {
        const int a = Entre(1, 17);
        return TDateKY('R', N(a, 2) + "/" + N(Entre(a, 19), 2));
      }
      case 1: {
        const int a = Entre(4000, 5900);
        return TDateKY('H', N(a, 4) + "/" + N(Entre(a, a + 50), 4));
      }
      case 2: return TDateKY('G', N(Entre(1, 2300), 4) + "/....");
      case 3: return TDateKY('G', "..../" + N(Entre(1, 2300), 4));
      default: {
        const int a = Entre(1, 2300);
        return TDateKY('G', N(a, 4) + "/" + N(Entre(a, a + 80), 4));
      }
    }
  }
  std::mt19937 alea_;
};

TEST(DatesGedcom, AllerRetourSurDesDatesGenerees) {
  TGenerateur generateur(19);
  for (int i = 0; i < 20000; ++i) {
    const TDateKY d = generateur.Suivante();
    for (const TVersionGedcom v : {TVersionGedcom::V551, TVersionGedcom::V70}) {
      const std::string gedcom = EcritDateGedcom(d, v);
      ASSERT_FALSE(gedcom.empty()) << d.ExportInString();
      const TDateGedcom r = LitDateGedcom(gedcom);
      ASSERT_TRUE(r.lue) << gedcom << " : " << r.erreur;
      EXPECT_EQ(r.date.ExportInString(), d.ExportInString()) << gedcom;
      EXPECT_FALSE(r.approchee) << gedcom;
      EXPECT_EQ(EcritDateGedcom(r.date, v), gedcom);
    }
  }
}

}  // namespace
}  // namespace kyb
