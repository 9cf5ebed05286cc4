// Analysis of typed dates: normalised forms, refused inputs and the layout tests.
#include "dates/analysedate.h"

#include <gtest/gtest.h>

#include "platform/date_heure.h"

namespace kyb {
namespace {

struct Cas {
  const char* saisie;
  const char* calendrier;
  const char* attendu;  // normalised text, or nullptr when refused
  int code;
};

class AnalyseDateTest : public ::testing::Test {
 protected:
  HorlogeFixee horloge_{EncodeDate(2026, 12, 5)};  // current year 2026, Hebrew 5787
};

TEST_F(AnalyseDateTest, FormesNormalisees) {
  const Cas cas[] = {
      {"14 7 1789", "G", "14/07/1789", -1},
      {"140789", "G", "14/07/1989", -1},
      {"14071789", "G", "14/07/1789", -1},
      {"1407178", "G", "14/07/0178", -1},
      {"14075", "G", "14/07/2005", -1},
      {"1789", "G", "../../1789", -1},
      {"?/5/1789", "G", "../05/1789", -1},
      {"../05/1789", "G", "../05/1789", -1},
      {"14.07.1789", "G", "14/07/1789", -1},
      {"  3-2-1900 ", "G", "03/02/1900", -1},
      {"3;2|1900", "G", "03/02/1900", -1},
      {"5/1789", "G", "../05/1789", -1},
      {"1/1/26", "G", "01/01/2026", -1},
      {"1/1/27", "G", "01/01/1927", -1},
      {"1/1/7", "G", "01/01/2007", -1},
      {"789", "G", "../../0789", -1},
      {"", "G", "../../....", -1},
      {"?/?/?", "G", "../../....", -1},
      {"29/2/1500", "G", "29/02/1500", -1},
      {"25 12", "G", "25/12/....", -1},  // refused month, read again as day and month
      {"1/1/50", "A", "01/01/0050", -1},
      {"15/3/44", "A", "15/03/0044", -1},
      {"1/8/5784", "H", "01/08/5784", -1},
      {"30/6/84", "H", "30/06/5784", -1},
      {"1/1/88", "H", "01/01/5688", -1},
      {"1/1/7", "H", "01/01/5777", -1},
      {"01/PLUV/12", "R", "01/PLUV/12", -1},
      {"1 pluvi\xF4se an XII", "R", "01/PLUV/12", -1},
      {"1 pluviose an 12", "R", "01/PLUV/12", -1},
      {"1er Vend\xE9miaire an I", "R", "01/VEND/01", -1},
      {"1/5/12", "R", "01/PLUV/12", -1},
      {"5/12", "R", "../PLUV/12", -1},
      {"an XIV", "R", "../..../14", -1},
      {"6 sans-culottides an III", "R", "06/COMP/03", -1},
      {"3 jour compl\xE9mentaire an 4", "R", "03/COMP/04", -1},
      {"thermidor an 2", "R", "../THER/02", -1},
      {"?/brumaire/8", "R", "../BRUM/08", -1},
      // Around the 1582 reform, years before Christ, days known without their year.
      {"09/12/1582", "G", "09/12/1582", -1},
      {"20/12/1582", "G", "20/12/1582", -1},
      {"29/02/....", "G", "29/02/....", -1},
      {"1/1/0", "G", "01/01/2000", -1},  // a one-digit year is 200d
      {"1/1/00", "G", "01/01/2000", -1},
      {"29/02/0045", "A", "29/02/0045", -1},  // 45 BC was a leap year
      {"29/02/0001", "A", "29/02/0001", -1},  // so was 1 BC
  };
  for (const Cas& c : cas) {
    AnsiString r = "inchang\xE9";
    EXPECT_EQ(AnalyseDate(r, c.saisie, c.calendrier, true), c.code) << c.saisie;
    EXPECT_EQ(r, c.attendu) << c.saisie;
  }
}

TEST_F(AnalyseDateTest, SaisiesRefusees) {
  const Cas cas[] = {
      {"14 juillet 1789", "G", nullptr, 3},
      {"14/07/1789 10h", "G", nullptr, 3},
      {"1/2/3/4", "G", nullptr, 3},
      {"1/1/12345", "G", nullptr, 4},
      {"1/1/3001", "G", nullptr, 7},
      {"1/1/17?9", "G", nullptr, 7},
      {"1/13/1789", "G", nullptr, 8},
      {"13/1789", "G", nullptr, 8},
      {"32/1/1789", "G", nullptr, 9},
      {"31/4/1789", "G", nullptr, 9},
      {"29/2/1700", "G", nullptr, 9},
      {"29/2/1582", "G", nullptr, 9},
      {"0/1/1789", "G", nullptr, 9},
      {"123/1/1789", "G", nullptr, 9},
      {"1/1/3760", "H", nullptr, 7},
      {"1/14/5784", "H", nullptr, 8},
      {"30/4/5784", "H", nullptr, 9},
      {"1 pluviose an 20", "R", nullptr, 7},
      {"1/14/5", "R", nullptr, 8},
      {"31 pluviose an 5", "R", nullptr, 9},
      {"6 compl\xE9mentaire an 4", "R", nullptr, 9},
      {"1 bidule an 5", "R", nullptr, 3},
      {"1 pluviose an 123", "R", nullptr, 4},
      {"140789", "R", nullptr, 4},
      // No year 0; days France skipped in 1582; days no year has.
      {"1/1/0000", "G", nullptr, 7},
      {"1/1/000", "G", nullptr, 7},
      {"0000", "G", nullptr, 7},
      {"1/1/0", "A", nullptr, 7},
      {"15/12/1582", "G", nullptr, 9},
      {"10/12/1582", "G", nullptr, 9},
      {"19/12/1582", "G", nullptr, 9},
      {"31/04/....", "G", nullptr, 9},
      {"30/02/....", "G", nullptr, 9},
      {"29/02/0044", "A", nullptr, 9},  // 44 BC was a common year
  };
  for (const Cas& c : cas) {
    AnsiString r = "inchang\xE9";
    EXPECT_EQ(AnalyseDate(r, c.saisie, c.calendrier, true), c.code) << c.saisie;
    EXPECT_EQ(r, "inchang\xE9") << c.saisie;
  }
  // Without strict analysis a refused month is final.
  AnsiString r;
  EXPECT_EQ(AnalyseDate(r, "25 12", "G", false), kErreurMois);
  // An unknown calendar leaves the result alone and reports success.
  r = "x";
  EXPECT_EQ(AnalyseDate(r, "14/07/1789", "Z", true), kAnalyseOk);
  EXPECT_EQ(r, "x");
  EXPECT_EQ(AnalyseDate(r, "14/07/1789", "", true), kAnalyseOk);
  EXPECT_EQ(r, "x");
}

TEST_F(AnalyseDateTest, AnneeADeuxChiffresSuitLHorloge) {
  AnsiString r;
  {
    HorlogeFixee h(EncodeDate(2089, 1, 1));
    ASSERT_EQ(AnalyseDate(r, "1/1/89", "G"), kAnalyseOk);
    EXPECT_EQ(r, "01/01/2089");
    ASSERT_EQ(AnalyseDate(r, "1/1/90", "G"), kAnalyseOk);
    EXPECT_EQ(r, "01/01/1990");
  }
}

// The forms a stored text is recognised by (a typed text goes through AnalyseDate instead).
TEST(FormesDeTexte, Gabarits) {
  EXPECT_EQ(RetourneFormatDate(""), ' ');
  EXPECT_EQ(RetourneFormatDate("14/07/1789"), 'G');
  EXPECT_EQ(RetourneFormatDate("01/PLUV/12"), 'R');
  EXPECT_EQ(RetourneFormatDate("01/PLUV/1"), 'R');
  EXPECT_EQ(RetourneFormatDate("1750/1760"), '?');
  EXPECT_TRUE(DateFormatFourchette("02/05"));
  for (const char* t : {"14/07/178", "14-07-1789", "1750/1760 ", "17501/760", "01/PLUV/"})
    EXPECT_FALSE(DateFormatGregorien(t) || DateFormatFourchette(t) || DateFormatRepublicain(t)) << t;
}

}  // namespace
}  // namespace kyb
