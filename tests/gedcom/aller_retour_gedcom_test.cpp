// GEDCOM in and out: the demo sample imported as a genealogist reads it, and the round trip
// import(export(g)) == g over the sample and over a generated genealogy that uses every default
// field definition and every date form, in 5.5.1 and in 7.0.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fields/csdefaut.h"
#include "fields/csstruct.h"
#include "folder/gest_fic.h"
#include "gedcom/export_gedcom.h"
#include "gedcom/genealogie_texte.h"
#include "gedcom/import_gedcom.h"
#include "support/support.h"
#include "index/ouverture_genealogie.h"

namespace kyb {
namespace {

const std::string kDemo = std::string(KYBASE_DONNEES) + "/demo/famille.ged";

std::string Base(const test::RepertoireTemporaire& rep, const std::string& nom) {
  return rep / (nom + ".kya/" + nom + ".adb");
}

TBilanImportGedcom Importe(const std::string& ged, const std::string& base) {
  return ImporteFichierGedcom(Utf8VersAnsi(ged), Utf8VersAnsi(base));
}

// Exports the folder, imports the file into a new folder, and gives both texts.
std::pair<std::string, std::string> AllerRetour(const test::RepertoireTemporaire& rep, const std::string& base,
                                                TVersionGedcom version) {
  const std::string ged = rep / (version == TVersionGedcom::V70 ? "retour7.ged" : "retour.ged");
  {
    TGestFichier g(Utf8VersAnsi(base), AvecIndex(TGestFichier::Ouverture()));
    const TBilanExportGedcom b = ExporteFichierGedcom(g, Utf8VersAnsi(ged), version);
    EXPECT_TRUE(b.reussi) << b.erreur;
    // Media formats: the extension in 5.5.1, the media type in 7.0.
    const std::string texte = test::Contenu(ged);
    if (b.medias > 0) {
      EXPECT_NE(texte.find(version == TVersionGedcom::V70 ? "2 FORM image/jpeg\r\n" : "2 FORM jpg\r\n"), std::string::npos);
    }
    EXPECT_EQ(b.datesSansForme, 0);
  }
  const std::string retour = Base(rep, version == TVersionGedcom::V70 ? "Retour7" : "Retour");
  const TBilanImportGedcom bilan = Importe(ged, retour);
  EXPECT_TRUE(bilan.reussi) << bilan.erreur;
  // Only the long place warns again (its whole text is in the file again).
  for (const auto& a : bilan.avertissements) EXPECT_NE(a.message.find("de plus de 50 caractères"), std::string::npos) << a.message;
  return {test::GenealogieTexte(base), test::GenealogieTexte(retour)};
}

TEST(ImportGedcom, LitLaFamilleDExempleCommeUnGenealogiste) {
  test::RepertoireTemporaire rep;
  const TBilanImportGedcom b = Importe(kDemo, Base(rep, "Demo"));
  ASSERT_TRUE(b.reussi) << b.erreur;
  EXPECT_EQ(b.personnes, 7);
  EXPECT_EQ(b.couples, 3);
  EXPECT_EQ(b.lieux, 3);  // Lyon, Villeurbanne, Mâcon
  EXPECT_TRUE(b.avertissements.empty());
  const std::string g = test::GenealogieTexte(Base(rep, "Demo"));
  // Jean Baptiste: son of Pierre and Jeanne, husband of Marie Élise, father of Louis.
  for (const char* attendu : {
           "P 1 Martin / Jean Baptiste M pere 3 mere 4 conjoints 2 enfants 7 note [Note:Jean Baptiste tenait",
           "P 2 Dupré / Marie Élise F pere 5 mere 6 conjoints 1 enfants 7",
           "  E 1 NAISSANCE «» #  G14/07/1789# lieu «Lyon, Rhône, France»",
           "  E 1 DECES «» # ~G../../1850# lieu «Villeurbanne, Rhône, France»",
           "  E 1+2 UNION «» #  G1820/1821 # lieu «Lyon, Rhône, France»",
           "  E 2 NAISSANCE «» #  R18/BRUM/08#",  // 9 November 1799
           "  E 3 NAISSANCE «» #  G22/02/1732# lieu «» dit «» note [Note:Date relevée dans un registre",
           "  E 4 INHUMATION «» # >G10/03/1795#",
           "  E 5 NAISSANCE «» #  G../../1760# lieu «» dit «» note [Date:1 DATE INT 1760 (vers la Saint-Jean 1760)]",
           "  E 6 NAISSANCE «» #  H15/08/5525#",
           "  C EMAIL «louis.martin@exemple.fr»",
           "  E 1 PROFESSION «Canut»",
       })
    EXPECT_NE(g.find(attendu), std::string::npos) << attendu;
}

TEST(ImportGedcom, LitLesFormesDe7) {
  test::RepertoireTemporaire rep;
  test::Ecrit(rep / "sept.ged",
              "0 HEAD\n1 GEDC\n2 VERS 7.0\n0 @N1@ SNOTE Texte partagé\n0 @I1@ INDI\n1 NAME Anne /Lévy/\n"
              "1 SEX F\n1 SNOTE @N1@\n1 BIRT\n2 DATE HEBREW 15 NSN 5525\n2 ASSO @I2@\n3 ROLE GODP\n4 PHRASE Parrain\n"
              "0 @I2@ INDI\n1 NAME Moïse /Lévy/\n1 SEX M\n0 TRLR\n");
  const TBilanImportGedcom b = Importe(rep / "sept.ged", Base(rep, "Sept"));
  ASSERT_TRUE(b.reussi) << b.erreur;
  EXPECT_EQ(b.version, "7.0");
  EXPECT_TRUE(b.avertissements.empty()) << b.avertissements.front().message;
  const std::string g = test::GenealogieTexte(Base(rep, "Sept"));
  EXPECT_NE(g.find("P 1 Lévy / Anne F pere 0 mere 0 conjoints enfants note [Note partagée:Texte partagé]"), std::string::npos) << g;
  EXPECT_NE(g.find("E 1 NAISSANCE «» #  H15/08/5525# lieu «» dit «» note  {cite 2/Parrain/}"), std::string::npos) << g;
}

TEST(ImportGedcom, AllerRetourDeLaFamilleDExemple) {
  test::RepertoireTemporaire rep;
  ASSERT_TRUE(Importe(kDemo, Base(rep, "Demo")).reussi);
  for (const TVersionGedcom v : {TVersionGedcom::V551, TVersionGedcom::V70}) {
    const auto [avant, apres] = AllerRetour(rep, Base(rep, "Demo"), v);
    EXPECT_EQ(avant, apres);
  }
}

// A genealogy that uses every default definition: each field once, on a person or a couple,
// with the date forms in turn; sources, media, cited persons, notes and unknown tags besides.
std::string GenealogieComplete() {
  static const std::vector<std::string> kDates = {
      "14 JUL 1789", "JUL 1789", "1789", "ABT 1750", "CAL 1750", "EST 3 MAR 1750", "BEF 1 JAN 1800",
      "AFT 1800", "BET 1750 AND 1760", "FROM 1820 TO 1821", "FROM 1750", "TO 1760",
      "INT 1760 (vers la Saint-Jean)", "10 FEB 1750/51", "@#DJULIAN@ 25 DEC 1642", "@#DFRENCH R@ 18 BRUM 8",
      "@#DFRENCH R@ THER 2", "@#DHEBREW@ 15 NSN 5525", "15 MAR 44 BC", "BET 3 MAR 1750 AND 1760",
      "(un jour de pluie)", "31 FEB 1800",
      "@#DJULIAN@ 24 APR 1827", "1 JAN 1900\n3 TIME 12:00"};
  std::string indi, fam;
  size_t d = 0;
  for (const AnsiString& ligne : LignesDefaut()) {
    const TChpCs c(ligne);
    if (c.IsBase()) continue;
    std::string tag = "_" + AnsiVersUtf8(c.LibelleInterne);
    for (int i = 0; i < c.GetNbTagGedCom(); ++i)
      if (c.GetTagGedCom(i) != "CHAN" && !c.GetTagGedCom(i).empty()) {
        tag = c.GetTagGedCom(i);
        break;
      }
    std::string& cible = c.IsLiaisonCouple() ? fam : indi;
    const std::string valeur = AnsiVersUtf8(c.LibelleEcran);
    if (tag == "NAME") continue;  // the nickname goes under the name below
    if (!c.IsEvenement()) {
      const bool adresse = tag == "ADDR" && c.SousTagGedCom.size() == 1;
      cible += adresse ? "1 ADDR\n2 " + std::string(c.SousTagGedCom[0]) + " " + valeur + "\n" : "1 " + tag + " " + valeur + "\n";
      continue;
    }
    std::string ev = "1 " + tag;
    bool ligneValeur = c.NbMorceaux <= 1 && (c.SousTagGedCom.empty() || c.SousTagGedCom[0].empty());
    if (ligneValeur) ev += " " + valeur;
    ev += "\n";
    for (size_t i = 0; i < c.SousTagGedCom.size(); ++i)
      if (!c.SousTagGedCom[i].empty()) ev += "2 " + std::string(c.SousTagGedCom[i]) + " morceau " + std::to_string(i) + "\n";
    ev += "2 DATE " + kDates[d % kDates.size()] + "\n2 PLAC Lieu " + std::to_string(d % 5) + ", France\n";
    if (d == 7) ev.replace(ev.find("2 PLAC"), std::string::npos, "2 PLAC Saint-Germain-en-Laye, Yvelines, Île-de-France, France\n");
    if (d % 3 == 0) ev += "2 ADDR Hameau des Crêts\n";
    if (d % 4 == 0) ev += "2 SOUR @S1@\n2 OBJE\n3 FILE actes/acte" + std::to_string(d) + ".jpg\n";
    if (d % 4 == 1) ev += "2 ASSO @I3@\n3 RELA Témoin\n3 _KINSHIP cousin\n2 SOUR Registre paroissial\n3 PAGE folio 12\n";
    if (d % 5 == 2) ev += "2 NOTE Note de l'événement\n3 CONT sur deux lignes\n2 CAUS fièvre\n";
    if (d % 7 == 3) ev += "2 SOUR Dit par sa fille\n3 TEXT Né au moulin\n3 QUAY 1\n";  // no source record
    cible += ev;
    ++d;
  }
  return "0 HEAD\n1 SOUR TEST\n1 GEDC\n2 VERS 5.5.1\n1 CHAR UTF-8\n"
         "0 @I1@ INDI\n1 NAME Jean /de La Fontaine/ fils\n2 NICK Le Fabuliste\n2 _MARNM Autre\n1 SEX M\n" + indi +
         "1 _FOO valeur inconnue\n1 _BAR\n2 _BAZ structure inconnue\n1 NOTE @N1@\n1 FAMS @F1@\n"
         "0 @I2@ INDI\n1 NAME Marie /Héricart/\n1 SEX F\n1 FAMS @F1@\n"
         "0 @I3@ INDI\n1 NAME Charles /de La Fontaine/\n1 SEX M\n1 FAMC @F1@\n"
         "0 @I4@ INDI\n1 NAME Antoine /Pintrel/\n1 SEX M\n1 _TEMOIN Y\n"
         "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 CHIL @I3@\n1 NOTE Note du couple\n1 _QUX valeur de famille\n" + fam +
         "0 @S1@ SOUR\n1 TITL État civil de Château-Thierry\n"
         "0 @N1@ NOTE Fabuliste,\n1 CONT né à Château-Thierry.\n0 TRLR\n";
}

TEST(ImportGedcom, AllerRetourDUneGenealogieQuiUtiliseChaqueChamp) {
  test::RepertoireTemporaire rep;
  test::Ecrit(rep / "complete.ged", GenealogieComplete());
  const TBilanImportGedcom b = Importe(rep / "complete.ged", Base(rep, "Complete"));
  ASSERT_TRUE(b.reussi) << b.erreur;
  const std::string g = test::GenealogieTexte(Base(rep, "Complete"));
  // Every default definition that is not a base field holds a record.
  for (const AnsiString& ligne : LignesDefaut()) {
    const TChpCs c(ligne);
    if (c.IsBase()) continue;
    EXPECT_NE(g.find(" " + AnsiVersUtf8(c.LibelleInterne) + " «"), std::string::npos) << c.LibelleInterne;
  }
  EXPECT_NE(g.find("C SURNOM «Le Fabuliste»"), std::string::npos);
  EXPECT_NE(g.find("C FOO «valeur inconnue»"), std::string::npos);
  EXPECT_NE(g.find("[Famille 2:Note du couple]"), std::string::npos);
  EXPECT_NE(g.find("P 4 Pintrel / Antoine M témoin pere 0"), std::string::npos);
  // A place longer than the table's 50 characters: cut there, whole in the event's note.
  EXPECT_NE(g.find("lieu «Saint-Germain-en-Laye, Yvelines, Île-de-France, Fr» dit «» note [Lieu:Saint-Germain-en-Laye, "
                   "Yvelines, Île-de-France, France]"), std::string::npos);
  EXPECT_NE(g.find("[GEDCOM:1 NAME\n2 _MARNM Autre\n1 _BAR\n2 _BAZ structure inconnue]"), std::string::npos);
  EXPECT_NE(g.find("{cite 3/Témoin/cousin}"), std::string::npos);
  EXPECT_NE(g.find("[Citations:1 SOUR Registre paroissial\n2 PAGE folio 12]"), std::string::npos) << g;
  EXPECT_NE(g.find("{source /Registre paroissial}"), std::string::npos);
  EXPECT_NE(g.find("{source /Dit par sa fille}"), std::string::npos);
  EXPECT_NE(g.find("{source /État civil de Château-Thierry}"), std::string::npos);
  // Dates the value cannot hold keep their text beside it.
  EXPECT_NE(g.find("[Date:1 DATE (31 FEB 1800)]"), std::string::npos);
  EXPECT_NE(g.find("[Date:1 DATE BET 3 MAR 1750 AND 1760]"), std::string::npos);
  for (const TVersionGedcom v : {TVersionGedcom::V551, TVersionGedcom::V70}) {
    const auto [avant, apres] = AllerRetour(rep, Base(rep, "Complete"), v);
    EXPECT_EQ(avant, apres);
  }
}

}  // namespace
}  // namespace kyb

namespace kyb {
namespace {

TEST(ExportGedcom, ChaqueNoteResteUneNote) {
  test::RepertoireTemporaire rep;
  test::Ecrit(rep / "n.ged", "0 HEAD\n1 GEDC\n2 VERS 5.5.1\n1 CHAR UTF-8\n0 @I1@ INDI\n1 NAME Jean /Roux/\n"
                             "1 NOTE Une\n1 BIRT\n2 DATE 1900\n2 NOTE Trois\n2 NOTE Quatre\n1 NOTE Deux\n0 TRLR\n");
  ASSERT_TRUE(Importe(rep / "n.ged", Base(rep, "N")).reussi);
  TGestFichier g(Utf8VersAnsi(Base(rep, "N")), AvecIndex(TGestFichier::Ouverture()));
  ASSERT_TRUE(ExporteFichierGedcom(g, Utf8VersAnsi(rep / "e.ged"), TVersionGedcom::V551).reussi);
  const std::string e = test::Contenu(rep / "e.ged");
  for (const char* ligne : {"1 NOTE Une\r\n", "1 NOTE Deux\r\n", "2 NOTE Trois\r\n", "2 NOTE Quatre\r\n"})
    EXPECT_NE(e.find(ligne), std::string::npos) << ligne;
  EXPECT_EQ(e.find("_TITRE"), std::string::npos);
}

}  // namespace
}  // namespace kyb
