// The export as the standards write it: a small genealogy holding each structure a peer must
// read back (free events, citations, media and associations of a person or a couple, kept lines
// with pointers, events without details, dates that are only text, a citation with no source
// record), exported in 5.5.1 and 7.0,
// checked line by line and against the grammar of each version.
#include <gtest/gtest.h>

#include <string>

#include "folder/gest_fic.h"
#include "gedcom/export_gedcom.h"
#include "gedcom/import_gedcom.h"
#include "gedcom/validateur_gedcom.h"
#include "index/ouverture_genealogie.h"
#include "support/support.h"

namespace kyb {
namespace {

const std::string kGenealogie =
    "0 HEAD\n1 GEDC\n2 VERS 5.5.1\n1 CHAR UTF-8\n"
    "0 @X9@ INDI\n1 NAME Anne /Roy/\n1 SEX F\n"
    "1 EVEN Emigrated with her brother to Quebec on the Saint-Laurent\n2 TYPE Emigration\n"
    "1 SOUR @S1@\n1 OBJE\n2 FILE photos/anne.jpg\n3 FORM jpg\n1 ASSO @X1@\n2 RELA Parrain\n"
    "1 _SOUR\n2 SOUR @S2@\n1 _IMG\n2 FILE photos/ancien.png\n1 _REL\n2 ASSO @X1@\n3 RELA Ami\n"
    "1 _AMI @X1@\n1 _FOO\n2 SOUR @S9@\n3 PAGE 4\n2 SOUR @S1@\n"
    "1 CREM Y\n1 BIRT\n2 DATE 31 FEB 1800\n2 ASSO @X1@\n3 RELA Témoin\n1 NOTE Deux lignes\n2 CONT @ la fin\n1 FAMS @F1@\n"
    "1 BAPM\n2 DATE 1801\n2 SOUR Registre de Tulle\n3 TEXT Baptisé le 2\n1 RIN 3\n"
    "0 @X1@ INDI\n1 NAME Paul /Roy/\n1 SEX M\n1 FAMC @F1@\n2 PEDI foster\n"
    "0 @F1@ FAM\n1 WIFE @X9@\n1 CHIL @X1@\n1 RIN 7\n1 MARR\n2 DATE 1900\n1 SOUR @S1@\n1 NOTE Note du couple\n"
    "0 INDI\n1 NAME Sans /Identifiant/\n1 SEX X\n"
    "0 @S1@ SOUR\n1 TITL Registre\n0 @S2@ SOUR\n1 TITL Recensement\n0 TRLR\n";

struct TExports {
  TBilanImportGedcom import;
  std::string v551, v70;
  long retirees = 0;
};

const TExports& Exports() {
  static const TExports e = [] {
    TExports r;
    test::RepertoireTemporaire rep;
    test::Ecrit(rep / "g.ged", kGenealogie);
    const std::string base = rep / "G.kya/G.adb";
    r.import = ImporteFichierGedcom(Utf8VersAnsi(rep / "g.ged"), Utf8VersAnsi(base));
    TGestFichier g(Utf8VersAnsi(base), AvecIndex(TGestFichier::Ouverture()));
    for (const TVersionGedcom v : {TVersionGedcom::V551, TVersionGedcom::V70}) {
      const std::string ged = rep / "e.ged";
      const TBilanExportGedcom b = ExporteFichierGedcom(g, Utf8VersAnsi(ged), v);
      (v == TVersionGedcom::V70 ? r.v70 : r.v551) = test::Contenu(ged);
      if (v == TVersionGedcom::V551) r.retirees = b.lignesGardeesRetirees;
    }
    return r;
  }();
  return e;
}

TEST(ExportGedcomStandard, ChaqueStructureCommeLaNormeLEcrit) {
  const TExports& e = Exports();
  for (const auto& a : e.import.avertissements) EXPECT_EQ(a.message.find("trop long"), std::string::npos) << a.message;
  const struct {
    bool v7;
    const char* attendu;
  } cas[] = {
      {false, "1 EVEN Emigrated with her brother to Quebec on the Saint-Laurent\r\n2 TYPE Emigration\r\n"},
      {true, "1 EVEN Emigrated with her brother to Quebec on the Saint-Laurent\r\n2 TYPE Emigration\r\n"},
      {false, "1 SOUR @S1@\r\n"},
      {false, "1 OBJE\r\n2 FILE photos/anne.jpg\r\n3 FORM jpg\r\n"},
      {false, "1 OBJE\r\n2 FILE photos/ancien.png\r\n3 FORM png\r\n"},
      {true, "1 OBJE @O1@\r\n"},
      {true, "0 @O1@ OBJE\r\n1 FILE photos/anne.jpg\r\n2 FORM image/jpeg\r\n"},
      {false, "1 ASSO @I2@\r\n2 RELA Parrain\r\n"},
      {false, "1 ASSO @I2@\r\n2 RELA Ami\r\n"},
      {true, "1 ASSO @I2@\r\n2 ROLE OTHER\r\n3 PHRASE Parrain\r\n"},
      {false, "1 _AMI @I2@\r\n"},
      {false, "1 _FOO\r\n2 SOUR @S1@\r\n"},
      {true, "1 _FOO\r\n2 SOUR @VOID@\r\n3 PAGE 4\r\n2 SOUR @S1@\r\n"},
      {false, "1 CREM Y\r\n"},
      {false, "1 BIRT\r\n2 DATE (31 FEB 1800)\r\n2 _ASSO @I2@\r\n3 RELA Témoin\r\n"},
      {true, "1 BIRT\r\n2 DATE\r\n3 PHRASE 31 FEB 1800\r\n"},
      {true, "2 CONT @@ la fin\r\n"},
      // Family events, fields and notes under FAM, not under INDI, even with one spouse.
      {false, "0 @F1@ FAM\r\n1 WIFE @I1@\r\n1 CHIL @I2@\r\n1 RIN 7\r\n1 MARR\r\n2 DATE 1900\r\n1 SOUR @S1@\r\n1 NOTE Note du couple\r\n"},
      {true, "1 CHIL @I2@\r\n1 EXID 7\r\n2 TYPE https://gedcom.io/terms/v7/RIN#KYBASE\r\n"},
      {false, "1 RIN 3\r\n"},
      {true, "1 SOUR @S1@\r\n1 NOTE Note du couple\r\n"},
      // The tag an event was read under, and the kind of a parent pair.
      {false, "1 BAPM\r\n2 DATE 1801\r\n2 SOUR Registre de Tulle\r\n3 TEXT Baptisé le 2\r\n"},
      {true, "1 BAPM\r\n2 DATE 1801\r\n2 SOUR @VOID@\r\n3 PAGE Registre de Tulle\r\n3 DATA\r\n4 TEXT Baptisé le 2\r\n"},
      {false, "1 FAMC @F1@\r\n2 PEDI foster\r\n"},
      {true, "1 FAMC @F1@\r\n2 PEDI FOSTER\r\n"},
      {true, "0 @I3@ INDI\r\n1 NAME Sans /Identifiant/\r\n2 GIVN Sans\r\n2 SURN Identifiant\r\n1 SEX X\r\n"},
      {false, "1 SUBM @SOUMETTEUR@\r\n"},
      {true, "2 TAG _AMI https://kybase.fr/gedcom/_AMI\r\n"},
  };
  for (const auto& c : cas) {
    const std::string& texte = c.v7 ? e.v70 : e.v551;
    EXPECT_NE(texte.find(c.attendu), std::string::npos) << c.attendu << "\n--- dans ---\n" << texte;
  }
  EXPECT_TRUE(e.v70.starts_with("\xEF\xBB\xBF" "0 HEAD\r\n"));
  for (const char* absent : {"_SOUR", "_IMG", "_REL", "@S9@", "PAGE 4"}) {
    EXPECT_EQ(e.v551.find(absent), std::string::npos) << absent;
  }
  EXPECT_EQ(e.retirees, 1);  // 5.5.1: the citation of a source that is not in the file, with its PAGE
  for (const std::string& f : test::Valide551(e.v551, KYBASE_FICHIERS_GEDCOM)) ADD_FAILURE() << "5.5.1 : " << f;
  for (const std::string& f : test::Valide70(e.v70, KYBASE_FICHIERS_GEDCOM)) ADD_FAILURE() << "7.0 : " << f;
}

}  // namespace
}  // namespace kyb
