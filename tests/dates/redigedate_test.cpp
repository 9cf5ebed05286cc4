// Wordings, seasons, zodiac, weekdays, Easter, anniversaries and today's helpers.
#include "dates/redigedate.h"

#include <gtest/gtest.h>

#include "dates/jourcourant.h"
#include "dates/nomsmois.h"
#include "platform/date_heure.h"
#include "texte_date.h"

namespace kyb {
namespace {

using test::Qualifiee;

TEST(Redaction, AnneesEtFourchettes) {
  EXPECT_EQ(Qualifiee("", "14/07/1789").RedigeAnnee(), "1789");
  EXPECT_EQ(Qualifiee("<", "14/07/1789").RedigeAnnee(), "avant 1789");
  EXPECT_EQ(Qualifiee("ca", "../../1789").RedigeAnnee(true), "Vers 1789");
  EXPECT_EQ(Qualifiee(">", "01/PLUV/12", 'R').RedigeAnnee(), A("après l'an 12"));
  EXPECT_EQ(Qualifiee("", "14/07/....").RedigeAnnee(), "");
  EXPECT_EQ(Qualifiee("", "1750/1760").RedigeFourchette(), "entre 1750 et 1760");
  EXPECT_EQ(Qualifiee("", "1750/....").RedigeFourchette(), A("après 1750"));
  EXPECT_EQ(Qualifiee("", "..../1760").RedigeFourchette(), "avant 1760");
  EXPECT_EQ(Qualifiee("", "02/05", 'R').RedigeFourchette(), "entre l'an 2 et l'an 5");
  EXPECT_EQ(Qualifiee("", "14/07/1789").RedigeFourchette(), "");
  EXPECT_EQ(Qualifiee("", "14/07/1789").FormatDateTilde(), " ~ 1789");
  EXPECT_EQ(Qualifiee("", "1750/....").FormatDateTilde(), "1750 ~ ....");
  EXPECT_EQ(Qualifiee("", "").FormatDateTilde(), "");
}

// The capitalised wordings are in the reviewed table (redaction_table_test.cpp).
TEST(Redaction, PlaceJourEnMinusculesEtDateDeNouvelles) {
  EXPECT_EQ(Qualifiee("<", "14/07/1789").PlaceJour(), "avant le 14 juillet 1789");
  EXPECT_EQ(Qualifiee("", "").PlaceJour(), "");
  EXPECT_EQ(FormatDateNews("14/07/1789"), "14 juillet 1789");
  EXPECT_EQ(FormatDateNews("../../1789"), "1789");
  EXPECT_EQ(FormatDateNews("autre"), "autre");
}

TEST(Redaction, Saisons) {
  const std::pair<const char*, const char*> cas[] = {
      {"15/01/1800", "Durant le deuxième mois de l'hiver"},
      {"15/05/1800", "Durant le troisième mois du printemps"},
      {"21/03/1800", "Dernier jour de l'hiver"},
      {"20/06/1800", "Avant-dernier jour du printemps"},
      {"05/09/1800", "Durant le dernier mois de l'été"},
      {"15/12/1800", "Au cours des derniers jours de l'automne"},
      {"22/12/1800", "Premier jour de l'hiver"},
      {"23/03/1800", "Deuxième jour du printemps"},
      {"24/06/1800", "Troisième jour de l'été"},
      {"28/09/1800", "Au cours des premiers jours de l'automne"},
      {"../../1800", "Saison inconnue"},
  };
  for (const auto& [date, phrase] : cas) {
    AnsiString p;
    Qualifiee("", date).GetSaison(&p);
    EXPECT_EQ(p, A(phrase)) << date;
  }
  AnsiString p;
  EXPECT_EQ(Qualifiee("", "22/06/1800").GetSaison(&p), 2);
  EXPECT_EQ(Qualifiee("", "21/06/1800").GetSaison(&p), 1);
  EXPECT_EQ(Qualifiee("", "../../1800").GetSaison(&p), -1);
}

TEST(Redaction, ZodiaqueEtJourDeLaSemaine) {
  const std::pair<const char*, int> signes[] = {
      {"21/03/1800", 0}, {"20/03/1800", 11}, {"01/01/1800", 9},  {"20/01/1800", 9},
      {"21/01/1800", 10}, {"31/12/1800", 9}, {"21/06/1800", 2},  {"22/06/1800", 3},
      {"19/02/1800", 10}, {"20/02/1800", 11}, {"../03/1800", -1}};
  for (const auto& [date, signe] : signes)
    EXPECT_EQ(Qualifiee("", date).GetSigneZodiaque(), signe) << date;
  EXPECT_EQ(Qualifiee("", "01/VEND/01", 'R').GetSigneZodiaque(), 5);  // 22 September
  AnsiString nom;
  EXPECT_EQ(Qualifiee("", "14/07/1789").RetourneJourSemaine(nom), 3);
  EXPECT_EQ(nom, "mardi");
  EXPECT_EQ(Qualifiee("", "../07/1789").RetourneJourSemaine(nom), 0);
  EXPECT_EQ(nom, "");
}

TEST(Redaction, Paques) {
  const std::pair<const char*, const char*> cas[] = {
      {"2000", "23/04/2000"}, {"1981", "19/04/1981"}, {"1954", "18/04/1954"},
      {"2024", "31/03/2024"}, {"2025", "20/04/2025"}, {"1818", "22/03/1818"},
      {"1943", "25/04/1943"}, {"2038", "25/04/2038"}, {"2008", "23/03/2008"},
      {"1583", "10/04/1583"}, {"2285", "22/03/2285"}, {"1961", "02/04/1961"},
      {"1582", ""},           {"2499", ""},           {"abc", ""}};
  for (const auto& [annee, date] : cas) EXPECT_EQ(CalcDatePaques(annee), date) << annee;
}

// (The month names in wordings are the reviewed table's; the longest one here, whole.)
TEST(Redaction, MoisRepublicains) {
  AnsiString nom;
  EXPECT_EQ(RetourneMoisRepublicain2("13", nom), 13);
  EXPECT_EQ(nom, A("complémentaires"));
}

TEST(Outils, TextesDuJour) {
  HorlogeFixee horloge(CombineDateHeure(EncodeDate(2028, 2, 29), EncodeHeure(14, 5, 9)));
  char t[11];
  GetDateJour(t);
  EXPECT_STREQ(t, "29/02/2028");
  GetHeure(t);
  EXPECT_STREQ(t, "14:05:09");
  GetAnneeCourante(t);
  EXPECT_STREQ(t, "2028");
  AjouteUnAn(t);
  EXPECT_STREQ(t, "28/02/2029");
  char court[6];
  GetDateJour(court);
  EXPECT_STREQ(court, "29/02");
  EXPECT_DOUBLE_EQ(RetourneTDT(""), Maintenant());
  EXPECT_DOUBLE_EQ(RetourneTDT("n'importe"), Maintenant());
  EXPECT_DOUBLE_EQ(RetourneTDT("45000.5"), 45000.5);
  EXPECT_DOUBLE_EQ(RetourneTDT("01/01/2000"), EncodeDate(2000, 1, 1));
  EXPECT_DOUBLE_EQ(RetourneTDT("01/01/2000 12:00"), EncodeDate(2000, 1, 1) + 0.5);
}

TEST(Outils, Formats) {
  char t[11] = "1/2/1800";
  EXPECT_TRUE(FormatDateG(t));
  EXPECT_STREQ(t, "01/02/1800");
  char u[11] = "1/2/18";
  EXPECT_FALSE(FormatDateG(u));
  EXPECT_STREQ(u, "1/2/18");
  char v[9];
  FormatDateG8("14/07/1789", v);
  EXPECT_STREQ(v, "14/07/89");
  FormatDateG8("14/07/178", v);
  EXPECT_STREQ(v, "");
  EXPECT_EQ(CreerChnAn(789), "0789");
  EXPECT_EQ(CreerChnAn(-1), "....");
  TDateKY d('G', "14/07/1789");
  EXPECT_TRUE(MajFourchetteAnnee(d, "1760-1750"));
  EXPECT_EQ(d.GetDate(), "1750/1760");
  EXPECT_TRUE(MajFourchetteAnnee(d, "/1760"));
  EXPECT_EQ(d.GetDate(), "..../1760");
  EXPECT_TRUE(MajFourchetteAnnee(d, "1750"));
  EXPECT_EQ(d.GetDate(), "1750/1750");
  EXPECT_FALSE(MajFourchetteAnnee(d, "17a0"));
  EXPECT_EQ(d.GetDate(), "1750/1750");
  EXPECT_FALSE(MajFourchetteAnnee(d, "1750-3001"));  // no year after 3000
  EXPECT_EQ(d.GetDate(), "1750/1750");
  TDateKY h('H', "01/01/5785");
  EXPECT_FALSE(MajFourchetteAnnee(h, "1750-1760"));  // not Hebrew years
  EXPECT_TRUE(MajFourchetteAnnee(h, "5780-5785"));
}

}  // namespace
}  // namespace kyb
