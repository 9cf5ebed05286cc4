// The person index an import leaves: the rows it writes from what it gathered while writing, and
// the index file, are exactly those a rebuild from the stored persons and events gives, and the
// folder needs nothing at its first writable opening.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>

#include "folder/gest_fic.h"
#include "gedcom/import_gedcom.h"
#include "index/gest_fic_index.h"
#include "index/ouverture_genealogie.h"
#include "platform/fichiers.h"
#include "store/datamodulebdd.h"
#include "support/support.h"

namespace kyb {
namespace {

// Awkward cases for the index: no dates at all (years estimated from relatives, for one from a
// union its spouse holds), a baptism and a burial standing in for birth and death, ranges and
// approximate dates, particles and several given names, namesakes, a witness, no name, a person
// defined twice, a person only pointed to.
const char* const kPedigree =
    "0 HEAD\n1 GEDC\n2 VERS 5.5.1\n1 CHAR UTF-8\n"
    "0 @I1@ INDI\n1 NAME Pierre Marie /de la Fontaine/\n1 SEX M\n1 FAMC @F1@\n1 FAMS @F3@\n"
    "0 @I2@ INDI\n1 NAME Jean /Martin/\n1 SEX M\n1 BIRT\n2 DATE ABT 1820\n1 DEAT\n2 DATE BET 1880 AND 1885\n"
    "1 FAMS @F1@\n"
    "0 @I3@ INDI\n1 NAME Anne /D'Arc/\n1 SEX F\n1 BAPM\n2 DATE 3 MAR 1825\n1 BURI\n2 DATE 1890\n1 FAMS @F1@\n"
    "0 @I4@ INDI\n1 NAME Jean /Martin/\n1 SEX M\n1 BIRT\n2 DATE 1850\n1 FAMC @F1@\n"
    "0 @I5@ INDI\n1 NAME Jean /Martin/\n1 SEX M\n"
    "0 @I6@ INDI\n1 NAME /Sans Prénom/\n1 _TEMOIN\n"
    "0 @I7@ INDI\n1 SEX F\n1 FAMS @F3@\n"
    "0 @I5@ INDI\n1 NAME Autre /Nom/\n"
    "0 @I8@ INDI\n1 NAME Louise Jeanne Marie /Van der Berg/\n1 SEX F\n1 DEAT\n2 DATE 12 FEB 1901\n1 FAMC @F3@\n"
    "0 @F1@ FAM\n1 HUSB @I2@\n1 WIFE @I3@\n1 CHIL @I1@\n1 CHIL @I4@\n1 MARR\n2 DATE 1845\n"
    "0 @F3@ FAM\n1 HUSB @I1@\n1 WIFE @I7@\n1 CHIL @I8@\n1 CHIL @I9@\n1 MARR\n2 DATE ABT 1849\n"
    "0 TRLR\n";

// Every row of the index table with every column, in row order.
std::string Lignes(TGestFichier& g) {
  std::string texte;
  (void)g.GetModuleBDD()->ParcoursLignesIndex(TOrdreLignesIndex::Table, 0, [&](long id, const TEnregIndexPerson& e) {
    texte += std::to_string(id) + " " + std::to_string(e.NoPers) + " " + UnicodeVersUtf8(e.Nom) + "/" +
             UnicodeVersUtf8(e.Prenom) + "/" + UnicodeVersUtf8(e.NomSoundex) + "/" + UnicodeVersUtf8(e.PrenomSoundex) +
             " " + std::to_string(e.AnneeMin) + "-" + std::to_string(e.AnneeMax) + " " + std::to_string(e.RgNom) +
             "." + std::to_string(e.RgPrenom) + "." + std::to_string(e.RgPrenomUsuel) + " " + e.TypePersonne +
             e.FicheSupprimee + (e.Sexe ? e.Sexe : '_') + "\n";
    return true;
  });
  return texte;
}

// The store's catalogue read by SQLite alone: any restructuring moves its entries or their pages.
std::string Catalogue(const std::string& chemin) {
  std::string texte;
  sqlite3* c = nullptr;
  sqlite3_stmt* s = nullptr;
  if (sqlite3_open_v2(chemin.c_str(), &c, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK &&
      sqlite3_prepare_v2(c, "SELECT name, rootpage, sql FROM sqlite_master ORDER BY rowid", -1, &s, nullptr) == SQLITE_OK)
    while (sqlite3_step(s) == SQLITE_ROW)
      for (int i = 0; i < 3; ++i) {
        const unsigned char* t = sqlite3_column_text(s, i);
        texte += std::string(t ? reinterpret_cast<const char*>(t) : "") + (i == 2 ? "\n" : " ");
      }
  sqlite3_finalize(s);
  sqlite3_close(c);
  return texte;
}

TEST(ImportGedcomIndex, LesLignesEtLeFichierSontCeuxDUneReconstructionEtLaPremiereOuvertureNeFaitRien) {
  test::RepertoireTemporaire rep;
  test::Ecrit(rep / "f.ged", kPedigree);
  const std::string base = rep / "G.kya/G.adb";
  ASSERT_TRUE(ImporteFichierGedcom(Utf8VersAnsi(rep / "f.ged"), Utf8VersAnsi(base)).reussi);
  const std::string catalogue = Catalogue(base);
  ASSERT_NE(catalogue, "");
  const std::string fichier = test::Contenu(rep / "G.kya/G.prx2");
  ASSERT_NE(fichier, "");
  {
    TGestFichier g(Utf8VersAnsi(base), AvecIndex(TGestFichier::Ouverture()));
    ASSERT_FALSE(g.Erreur);
    // The first writable opening restructures nothing and trusts the index file the import left.
    EXPECT_EQ(Catalogue(base), catalogue);
    TFicIndexPerson& index = *TFicIndexPerson::De(g);
    EXPECT_EQ(index.Origine(), TFicIndexPerson::TOrigine::Fichier);
    EXPECT_EQ(UnicodeVersUtf8(index.MotifReconstruction()), "");
    EXPECT_EQ(index.Index()->Elements().size(), static_cast<size_t>(index.NbLignes()));
    const std::string importees = Lignes(g);
    ASSERT_TRUE(index.ReinitTableIndex());
    EXPECT_EQ(Lignes(g), importees);
  }
  // Memory reloaded from the rows writes the file that the import wrote from the rows in hand.
  EXPECT_EQ(test::Contenu(rep / "G.kya/G.prx2"), fichier);
}

}  // namespace
}  // namespace kyb
