// Typed dates: which texts are ranges, refused years and days, invalid bytes, and the French
// words people type.
#include <gtest/gtest.h>

#include "dates/analysedate.h"
#include "dates/saisiedate.h"
#include "platform/date_heure.h"

namespace kyb {
namespace {

class SaisieTest : public ::testing::Test {
 protected:
  HorlogeFixee horloge_{EncodeDate(2026, 12, 5)};  // two-digit years above 26 are 19yy
};

struct Attendu {
  const char* saisie;
  char calendrier;    // of the value read; 0 when the date text is left empty (refused)
  const char* texte;
};

TEST_F(SaisieTest, UnTexteNEstUneFourchetteQueSiSesBornesSontValides) {
  const Attendu cas[] = {
      {"05/89", 'G', "../05/1989"},  // month and year, not the Republican years 5 to 89
      {"14/07", 'G', "14/07/...."},  // day and month
      {"31/02", 0, ""},              // no such day, whatever the year
      {"02/05", 'R', "02/05"},       // Republican years 2 to 5
      {"19/19", 'R', "19/19"},
      {"05/02", 'G', "../05/2002"},  // lower bound above the upper: month and year
      {"1750/1760", 'G', "1750/1760"},
      {"1750/....", 'G', "1750/...."},
      {"..../1760", 'G', "..../1760"},
      {"1760/1750", 0, ""},
      {"0000/1750", 0, ""},
      {"1750/3001", 0, ""},
  };
  for (const Attendu& c : cas) {
    const TDateKY d(c.saisie);
    EXPECT_EQ(d.GetDate(), c.texte) << c.saisie;
    if (c.calendrier) { EXPECT_EQ(d.GetCalendrier(), c.calendrier) << c.saisie; }
  }
  // The rule alone, with the calendar given or taken from the form.
  EXPECT_EQ(FourchetteSaisie("02/05"), 'R');
  EXPECT_EQ(FourchetteSaisie("02/.."), 0);  // a Republican range has both bounds
  EXPECT_EQ(FourchetteSaisie("00/05"), 0);
  EXPECT_EQ(FourchetteSaisie("02/20"), 0);
  EXPECT_EQ(FourchetteSaisie("5500/5510", 'H'), 'H');
  EXPECT_EQ(FourchetteSaisie("1750/1760", 'H'), 0);  // not Hebrew years
  EXPECT_EQ(FourchetteSaisie("0400/0500", 'A'), 'A');
  EXPECT_EQ(FourchetteSaisie("1750/1760", 'R'), 0);
  EXPECT_EQ(FourchetteSaisie("..../...."), 0);
  EXPECT_EQ(FourchetteSaisie("17a0/1760"), 0);
}

TEST_F(SaisieTest, DesOctetsQuiNeSontPasDuTexteSontRefuses) {
  // Invalid UTF-8, and characters Windows-1252 cannot hold, would otherwise read as '?', the
  // mark of an unknown part.
  for (const char* saisie : {"\xFF/07/1789", "14/07/1789\xC3", "\xE2\x86\x92/07/1789",
                             "\xF0\x9F\x98\x80 1789", "\xED\xA0\x80/07/1789"}) {
    const TLectureDate l = LitDateFrancaiseUtf8(saisie);
    EXPECT_EQ(l.code, kErreurTexte) << saisie;
    EXPECT_TRUE(l.date.Vide()) << saisie;
  }
  EXPECT_EQ(LitDateFrancaiseUtf8("?/07/1789").date.GetDate(), "../07/1789");
  EXPECT_EQ(LitDateFrancaiseUtf8("1er ao\xC3\xBBt 1789").date.GetDate(), "01/08/1789");
  EXPECT_EQ(MotifRefusDate(LitDateFrancaiseUtf8("\xFF")), "octets qui ne forment pas du texte");
}

struct Phrase {
  const char* saisie;
  const char* acte;
  char calendrier;
  const char* texte;
};

TEST_F(SaisieTest, MotsFrancaisDesGenealogistes) {
  const Phrase cas[] = {
      {"vers 1750", "~", 'G', "../../1750"},
      {"environ 1750", "~", 'G', "../../1750"},
      {"env. 1750", "~", 'G', "../../1750"},
      {"ca 1750", "CA", 'G', "../../1750"},
      {"circa 1750", "CA", 'G', "../../1750"},
      {"~1750", "~", 'G', "../../1750"},
      {"avant 1750", "<", 'G', "../../1750"},
      {"<1750", "<", 'G', "../../1750"},
      {"apr\xE8s 1750", ">", 'G', "../../1750"},
      {"apres le 14 juillet 1789", ">", 'G', "14/07/1789"},
      {"peut-\xEAtre 1750", "?", 'G', "../../1750"},
      {"peut-\xEAtre en juin 1750", "?", 'G', "../06/1750"},
      {"entre 1750 et 1760", "", 'G', "1750/1760"},
      {"de 1750 \xE0 1760", "", 'G', "1750/1760"},
      {"1750-1760", "", 'G', "1750/1760"},
      {"vers 1750-1760", "~", 'G', "1750/1760"},
      {"14 juillet 1789", "", 'G', "14/07/1789"},
      {"le 1er ao\xFBt 1789", "", 'G', "01/08/1789"},
      {"1er juil. 1789", "", 'G', "01/07/1789"},
      {"juillet 1789", "", 'G', "../07/1789"},
      {"en 1789", "", 'G', "../../1789"},
      {"14 JUILLET 1789", "", 'G', "14/07/1789"},
      {"l'an 1750", "", 'G', "../../1750"},
      {"an XII", "", 'R', "../..../12"},
      {"vers l'an XII", "~", 'R', "../..../12"},
      {"1er pluvi\xF4se an XII", "", 'R', "01/PLUV/12"},
      {"entre l'an 2 et l'an 5", "", 'R', "02/05"},
      {"44 av. J.-C.", "", 'A', "../../0044"},
      {"15 mars 44 av. J.-C.", "", 'A', "15/03/0044"},
      {"vers 300 avant J\xE9sus-Christ", "~", 'A', "../../0300"},
      {"entre 500 et 400 av. J.-C.", "", 'A', "0400/0500"},
      {"..../1760", "", 'G', "..../1760"},
      {"vers ..../1760", "~", 'G', "..../1760"},
  };
  for (const Phrase& c : cas) {
    const TLectureDate l = LitDateFrancaise(c.saisie);
    ASSERT_EQ(l.code, kAnalyseOk) << c.saisie << " : " << MotifRefusDate(l);
    EXPECT_EQ(l.date.GetActe(), c.acte) << c.saisie;
    EXPECT_EQ(l.date.GetCalendrier(), c.calendrier) << c.saisie;
    EXPECT_EQ(l.date.GetDate(), c.texte) << c.saisie;
  }
  // Hebrew month names when the Hebrew calendar is asked for.
  EXPECT_EQ(LitDateFrancaise("15 nissan 5784", 'H').date.GetDate(), "15/08/5784");
  EXPECT_EQ(LitDateFrancaise("1 adar II 5784", 'H').date.GetDate(), "01/07/5784");
  EXPECT_EQ(LitDateFrancaise("vers tichri 5785", 'H').date.GetDate(), "../01/5785");
}

TEST_F(SaisieTest, MotsInconnusEtFormesRefusees) {
  const struct {
    const char* saisie;
    int code;
    const char* mot;
  } cas[] = {
      {"vers bidule 1750", kErreurMot, "bidule"},
      {"14 Juillett 1789", kErreurMot, "Juillett"},
      {"1er pluvi\xF4se an XII bis", kErreurMot, "bis"},
      {"demain", kErreurMot, "demain"},
      {"entre 1760 et 1750", kErreurAnnee, ""},
      {"entre juin 1750 et 1760", kErreurAnnee, ""},
      {"entre l'an 2 et 1760", kErreurAnnee, ""},
      {"vers", kErreurAnnee, ""},
      {"31 avril 1789", kErreurJour, ""},
      {"15 d\xE9""cembre 1582", kErreurJour, ""},
      {"an XX", kErreurAnnee, ""},
      // A sign or the year 0 never becomes another year (2005, 500, 2000).
      {"-5", kErreurSigne, ""},
      {"vers -5", kErreurSigne, ""},
      {"1/1/-500", kErreurSigne, ""},
      {"entre -5 et 10", kErreurSigne, ""},
      {"0", kErreurAnneeZero, ""},
      {"1/1/0000", kErreurAnneeZero, ""},
  };
  for (const auto& c : cas) {
    const TLectureDate l = LitDateFrancaise(c.saisie);
    EXPECT_EQ(l.code, c.code) << c.saisie;
    EXPECT_EQ(l.mot, c.mot) << c.saisie;
  }
  EXPECT_EQ(MotifRefusDate(LitDateFrancaise("vers bidule 1750")),
            A("mot inconnu « bidule »"));
}

}  // namespace
}  // namespace kyb
