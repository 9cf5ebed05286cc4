// Kept lines of one GEDCOM version in the form of the other: each case is written in 5.5.1 and
// 7.0, and either form read as the other version's gives the other form back.
#include "gedcom/versions_gedcom.h"

#include <gtest/gtest.h>

#include <string>

#include "gedcom/gedcom_gardees.h"

namespace kyb {
namespace {

std::string Texte(const std::vector<TLigneGardee>& lignes) {
  std::string s;
  for (const TLigneGardee& l : lignes) s += std::to_string(l.niveau) + " " + l.tag + (l.valeur.empty() ? "" : " " + l.valeur) + "\n";
  return s;
}

std::string Traduit(const std::string& texte, std::string_view enregistrement, TVersionGedcom version) {
  std::vector<TLigneGardee> lignes = LitLignesGardees(texte);
  const std::string_view contexte[] = {enregistrement};
  TraduitLignesGardees(lignes, contexte, version);
  return Texte(lignes);
}

TEST(VersionsGedcom, ChaqueFormeDonneLAutre) {
  const struct {
    const char* enregistrement;
    const char* v551;
    const char* v70;
  } kCas[] = {
      {"INDI", "1 _UID 9441\n1 _CREA\n2 DATE 1 JAN 2000\n3 _TIME 10:00\n", "1 UID 9441\n1 CREA\n2 DATE 1 JAN 2000\n3 TIME 10:00\n"},
      {"INDI", "1 CHAN\n2 DATE 1 JAN 2000\n3 TIME 10:00\n", "1 CHAN\n2 DATE 1 JAN 2000\n3 TIME 10:00\n"},
      {"INDI", "1 AFN 12\n1 RIN 3\n1 RFN Resource:5431\n1 RFN 7\n",
       "1 EXID 12\n2 TYPE https://gedcom.io/terms/v7/AFN\n1 EXID 3\n2 TYPE https://gedcom.io/terms/v7/RIN#KYBASE\n"
       "1 EXID 5431\n2 TYPE https://gedcom.io/terms/v7/RFN#Resource\n1 EXID 7\n2 TYPE https://gedcom.io/terms/v7/RFN\n"},
      {"INDI", "1 _EXID 12\n2 TYPE http://x\n", "1 EXID 12\n2 TYPE http://x\n"},
      {"INDI", "1 NAME\n2 _TRAN Jean\n3 _LANG fr\n", "1 NAME\n2 TRAN Jean\n3 LANG fr\n"},
      {"SUBM", "1 LANG French\n", "1 LANG French\n"},
      {"INDI", "1 CONL\n2 STAT DNS\n", "1 CONL\n2 _STAT DNS\n"},
      {"INDI", "1 BAPL\n2 STAT DNS\n3 DATE 1 JAN 2000\n", "1 BAPL\n2 STAT DNS\n3 DATE 1 JAN 2000\n"},
      {"FAM", "1 ENGA\n2 AGE 42\n3 _PHRASE quarante\n", "1 ENGA\n2 _AGE 42\n3 PHRASE quarante\n"},
      {"SOUR", "1 DATA\n2 EVEN BIRT\n3 PLAC Lyon\n4 _MAP\n5 LATI N45\n", "1 DATA\n2 EVEN BIRT\n3 PLAC Lyon\n4 MAP\n5 LATI N45\n"},
      {"INDI", "1 BIRT\n2 PLAC Lyon\n3 _SOUR @S1@\n", "1 BIRT\n2 PLAC Lyon\n3 _SOUR @S1@\n"},
      // A medium record's files stay files; a 5.5 record's own title is in neither; a child's
      // link status needs no date, its words in the version's case; a note takes a citation in
      // 7.0 only.
      {"OBJE", "1 FILE a.pdf\n2 FORM pdf\n3 TYPE document\n2 TITL Acte\n1 _TITL Registre\n1 NOTE vu\n",
       "1 FILE a.pdf\n2 FORM application/pdf\n3 MEDI OTHER\n4 PHRASE document\n2 TITL Acte\n1 _TITL Registre\n1 NOTE vu\n"},
      // Words of an enumeration in capitals in 7.0; another text is OTHER and its phrase.
      {"INDI", "1 RESN locked\n1 BIRT\n2 SOUR @S1@\n3 EVEN BIRT\n4 ROLE (Témoin)\n2 SOUR @S1@\n3 EVEN BIRT\n4 ROLE HUSB\n",
       "1 RESN LOCKED\n1 BIRT\n2 SOUR @S1@\n3 EVEN BIRT\n4 ROLE OTHER\n5 PHRASE Témoin\n2 SOUR @S1@\n3 EVEN BIRT\n4 ROLE HUSB\n"},
      {"SOUR", "1 REPO @R1@\n2 CALN 12\n3 MEDI book\n", "1 REPO @R1@\n2 CALN 12\n3 MEDI BOOK\n"},
      // The ages of the older dialects in 7.0's grammar, the text as read in a phrase.
      {"INDI", "1 BIRT\n2 AGE CHILD\n1 BAPM\n2 AGE 3 months\n1 DEAT\n2 AGE 42y 6m\n",
       "1 BIRT\n2 AGE < 8y\n3 PHRASE CHILD\n1 BAPM\n2 AGE 3m\n3 PHRASE 3 months\n1 DEAT\n2 AGE 42y 6m\n"},
      {"INDI", "1 FAMC @F1@\n2 STAT proven\n2 PEDI foster\n", "1 FAMC @F1@\n2 STAT PROVEN\n2 PEDI FOSTER\n"},
      {"INDI", "1 NOTE vu\n2 _SOUR @S1@\n", "1 NOTE vu\n2 SOUR @S1@\n"},
  };
  for (const auto& c : kCas) {
    SCOPED_TRACE(c.v551);
    EXPECT_EQ(Traduit(c.v551, c.enregistrement, TVersionGedcom::V70), c.v70);
    EXPECT_EQ(Traduit(c.v70, c.enregistrement, TVersionGedcom::V551), c.v551);
  }
}

// Dates and ages of kept lines that 7.0's grammar cannot hold as read.
TEST(VersionsGedcom, DatesEtAgesEnSept) {
  const struct {
    const char* lu;
    const char* sept;
  } kCas[] = {
      {"1 CHAN\n2 DATE 11 Jan 2001\n", "1 CHAN\n2 DATE 11 JAN 2001\n"},
      {"1 ENDL\n2 DATE 5 MAY 0005 B.C.\n", "1 ENDL\n2 DATE 5 MAY 0005 BCE\n"},
      {"1 ENDL\n2 DATE @#DJULIAN@ 4 SEP 1560\n", "1 ENDL\n2 DATE JULIAN 4 SEP 1560\n"},
      {"1 ENDL\n2 DATE 27 OCT 1699/00\n", "1 ENDL\n2 DATE\n3 PHRASE 27 OCT 1699/00\n"},
      {"1 ENDL\n2 DATE ABT 1700 (d'après son âge)\n", "1 ENDL\n2 DATE ABT 1700\n3 PHRASE d'après son âge\n"},
      {"1 BIRT\n2 AGE <42y 6m\n", "1 BIRT\n2 AGE < 42y 6m\n"},
      {"1 BIRT\n2 AGE 40\n", "1 BIRT\n2 AGE 40y\n3 PHRASE 40\n"},
      {"1 BIRT\n2 AGE environ dix ans\n", "1 BIRT\n2 AGE\n3 PHRASE environ dix ans\n"},
  };
  for (const auto& c : kCas) EXPECT_EQ(Traduit(c.lu, "INDI", TVersionGedcom::V70), c.sept) << c.lu;
  // 5.5.1 keeps a kept date as it was written, and takes back one that 7.0 held in its phrase.
  EXPECT_EQ(Traduit("1 CHAN\n2 DATE 11 Jan 2001\n", "INDI", TVersionGedcom::V551), "1 CHAN\n2 DATE 11 Jan 2001\n");
  EXPECT_EQ(Traduit("1 ENDL\n2 DATE\n3 PHRASE 27 OCT 1699/00\n", "INDI", TVersionGedcom::V551), "1 ENDL\n2 DATE 27 OCT 1699/00\n");
  EXPECT_EQ(Traduit("1 ENDL\n2 DATE\n3 PHRASE un hiver\n", "INDI", TVersionGedcom::V551), "1 ENDL\n2 DATE\n3 _PHRASE un hiver\n");
}

TEST(VersionsGedcom, Sept) {
  // 7.0 only: an ordinance without "Y", a medium link pointing to the record of its file (its
  // format an extension, its title kept), a second file an extension.
  EXPECT_EQ(Traduit("1 CONL Y\n1 OBJE\n2 FILE a.jpg\n3 FORM jpeg\n3 TITL Portrait\n2 FILE b.jpg\n2 NOTE vu\n", "INDI",
                    TVersionGedcom::V70),
            "1 CONL\n1 OBJE " + PointeurGardeMedia("a.jpg") + "\n2 _FORM jpeg\n2 TITL Portrait\n2 _FILE b.jpg\n2 _NOTE vu\n");
  std::string tag = "RFN", valeur = "12", type;
  const std::string_view indi[] = {"INDI"};
  EXPECT_TRUE(TraduitChamp(tag, valeur, type, indi, TVersionGedcom::V70));
  EXPECT_EQ(tag + " " + valeur + " " + type, "EXID 12 https://gedcom.io/terms/v7/RFN");
  tag = "OCCU";
  EXPECT_FALSE(TraduitChamp(tag, valeur, type, indi, TVersionGedcom::V70));
}

// Media types as IANA registers them; a format of no known type has none.
TEST(VersionsGedcom, TypesDeMedia) {
  for (const auto& [format, type] : std::initializer_list<std::pair<const char*, const char*>>{
           {"JPG", "image/jpeg"}, {"tiff", "image/tiff"}, {"webp", "image/webp"}, {"pdf", "application/pdf"},
           {"mp3", "audio/mpeg"}, {"htm", "text/html"}, {"mov", "video/quicktime"}, {"xyz", ""}, {"", ""}})
    EXPECT_EQ(TypeMedia(format), type) << format;
}

}  // namespace
}  // namespace kyb
