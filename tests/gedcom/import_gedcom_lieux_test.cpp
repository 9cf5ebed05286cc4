// Places of an import, added to the places table in bulk: numbered in the order the file gives
// them, each once, and ranked alphabetically once the import is over.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "folder/fic_dupli.h"
#include "folder/gest_fic.h"
#include "gedcom/import_gedcom.h"
#include "platform/fichiers.h"
#include "support/support.h"
#include "index/ouverture_genealogie.h"

namespace kyb {
namespace {

TEST(ImportGedcomLieux, NumerotesALaPremiereRencontreEtRangesParOrdreAlphabetique) {
  test::RepertoireTemporaire rep;
  // Places met out of alphabetical order, with repeats.
  const std::vector<std::string> lus = {"Rouen", "Amiens", "Lyon", "Amiens", "Brest", "Rouen", "Caen"};
  std::string contenu = "0 HEAD\n1 GEDC\n2 VERS 5.5.1\n1 CHAR UTF-8\n";
  for (size_t i = 0; i < lus.size(); ++i)
    contenu += "0 @I" + std::to_string(i + 1) + "@ INDI\n1 BIRT\n2 PLAC " + lus[i] + "\n";
  contenu += "0 TRLR\n";
  test::Ecrit(rep / "f.ged", contenu);
  const TBilanImportGedcom bilan = ImporteFichierGedcom(Utf8VersAnsi(rep / "f.ged"), Utf8VersAnsi(rep / "G.kya/G.adb"));
  ASSERT_TRUE(bilan.reussi) << bilan.erreur;
  EXPECT_EQ(bilan.lieux, 5);

  TGestFichier g(Utf8VersAnsi(rep / "G.kya/G.adb"), AvecIndex(TGestFichier::OuvertureLectureSeule()));
  TFicDupli* lieux = g.GetFicLieux();
  ASSERT_NE(lieux, nullptr);
  // Numbers in the order of first appearance.
  const struct {
    const char16_t* nom;
    long numero;
  } attendus[] = {{u"Rouen", 1}, {u"Amiens", 2}, {u"Lyon", 3}, {u"Brest", 4}, {u"Caen", 5}};
  for (const auto& a : attendus) {
    const TEltDupWideChn e{UnicodeString(a.nom)};
    EXPECT_EQ(lieux->Cherche(&e, false), a.numero) << UnicodeVersUtf8(a.nom);
  }
  // The ranking holds every value, alphabetically.
  EXPECT_EQ(lieux->NumerosCommencantPar(u""), (std::vector<long>{2, 4, 5, 3, 1}));
}

}  // namespace
}  // namespace kyb
