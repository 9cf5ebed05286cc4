// Texts outside Windows-1252 through import, the folder's files and both exports; the null
// pointer of 7.0.
#include <gtest/gtest.h>

#include <string>

#include "folder/gest_fic.h"
#include "gedcom/export_gedcom.h"
#include "gedcom/genealogie_texte.h"
#include "gedcom/import_gedcom.h"
#include "index/ouverture_genealogie.h"
#include "support/support.h"

namespace kyb {
namespace {

struct TImport {
  test::RepertoireTemporaire rep;
  std::string base = rep / "G.kya/G.adb";
  TBilanImportGedcom bilan;

  explicit TImport(const std::string& contenu) {
    test::Ecrit(rep / "f.ged", contenu);
    bilan = ImporteFichierGedcom(Utf8VersAnsi(rep / "f.ged"), Utf8VersAnsi(base));
  }

  std::string Exporte(TVersionGedcom version) {
    const std::string ged = rep / (version == TVersionGedcom::V70 ? "sortie7.ged" : "sortie.ged");
    TGestFichier g(Utf8VersAnsi(base), AvecIndex(TGestFichier::OuvertureLectureSeule()));
    const TBilanExportGedcom b = ExporteFichierGedcom(g, Utf8VersAnsi(ged), version);
    EXPECT_TRUE(b.reussi) << b.erreur;
    return test::Contenu(ged);
  }
};

TEST(ImportGedcomCaracteres, ChaqueTexteRevientTelQuelDansLesDeuxExports) {
  // Note, event type, long place (its note), medium path, kept structure: each an 8-bit file or
  // column of the folder.
  const char* const textes[] = {
      "Urodzony w Łodzi; 北京; Győr", "né 😀 &#65; fin", "Podróż do 北京",
      "Łódź, województwo łódzkie, Rzeczpospolita Polska, Europa Środkowa", "skany/Łódź.jpg",
      "Księga 😀 &#38;", "Akt — Győr"};
  TImport i(std::string("0 HEAD\n1 GEDC\n2 VERS 5.5.1\n2 FORM LINEAGE-LINKED\n1 CHAR UTF-8\n") +
            "0 @I1@ INDI\n1 NAME Łukasz /Łódź/\n1 SEX M\n1 NOTE " + textes[0] + "\n2 CONT " + textes[1] +
            "\n1 EVEN\n2 TYPE " + textes[2] + "\n1 BIRT\n2 DATE 1 JAN 1900\n2 PLAC " + textes[3] +
            "\n2 OBJE\n3 FILE " + textes[4] + "\n1 _PRZYDOMEK Łysy\n2 _ZRODLO " + textes[5] +
            "\n2 NOTE " + textes[6] + "\n0 TRLR\n");
  ASSERT_TRUE(i.bilan.reussi) << i.bilan.erreur;
  for (const TVersionGedcom v : {TVersionGedcom::V551, TVersionGedcom::V70}) {
    const std::string sortie = i.Exporte(v);
    EXPECT_NE(sortie.find("Łukasz /Łódź/"), std::string::npos);
    for (const char* texte : textes)
      EXPECT_NE(sortie.find(std::string(" ") + texte + "\r\n"), std::string::npos)
          << texte << (v == TVersionGedcom::V70 ? " (7.0)" : " (5.5.1)") << "\n" << sortie;
  }
}

TEST(ImportGedcomCaracteres, LePointeurNulDe7GardeSaStructureSansAvertir) {
  TImport i(
      "0 HEAD\n1 GEDC\n2 VERS 7.0\n"
      "0 @I1@ INDI\n1 NAME Anne /Lévy/\n1 SEX F\n1 FAMS @F1@\n1 FAMC @VOID@\n"
      "1 BIRT\n2 SOUR @VOID@\n3 PAGE Registre 12\n2 ASSO @VOID@\n3 ROLE GODP\n"
      "1 ASSO @VOID@\n2 ROLE FRIEND\n"
      "0 @F1@ FAM\n1 HUSB @VOID@\n1 WIFE @I1@\n1 CHIL @I2@\n"
      "0 @I2@ INDI\n1 NAME Paul /Lévy/\n1 FAMC @F1@\n0 TRLR\n");
  ASSERT_TRUE(i.bilan.reussi) << i.bilan.erreur;
  for (const auto& a : i.bilan.avertissements) ADD_FAILURE() << a.message;
  EXPECT_EQ(i.bilan.personnes, 2);
  const std::string g = test::GenealogieTexte(i.base);
  // An unknown husband: Anne is Paul's only parent; nobody else was made.
  EXPECT_NE(g.find("P 1 Lévy / Anne F pere 0 mere 0 conjoints enfants 2"), std::string::npos) << g;
  EXPECT_NE(g.find("P 2 Lévy / Paul ? pere 0 mere 1"), std::string::npos) << g;
  EXPECT_EQ(g.find("P 3 "), std::string::npos) << g;
  // The citation's page and the roles are kept, and written back.
  const std::string sortie = i.Exporte(TVersionGedcom::V70);
  for (const char* garde : {"PAGE Registre 12", "ROLE GODP", "ROLE FRIEND"})
    EXPECT_NE(sortie.find(garde), std::string::npos) << garde << "\n" << sortie;
}

}  // namespace
}  // namespace kyb
