// A disk that fills up during an import: the import fails whole, says so, and leaves no folder.
#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "gedcom/import_gedcom.h"
#include "platform/fichiers.h"
#include "support/dommages.h"
#include "support/support.h"

namespace kyb {
namespace {

TEST(ImportGedcomDisquePlein, LImportEchoueEntierEtLeDit) {
  std::string ged = "0 HEAD\n1 GEDC\n2 VERS 5.5.1\n1 CHAR UTF-8\n";
  for (int i = 1; i <= 3000; ++i)
    ged += "0 @I" + std::to_string(i) + "@ INDI\n1 NAME Jean /Martin" + std::to_string(i) +
           "/\n1 BIRT\n2 DATE 1 JAN 1800\n2 PLAC Rouen\n";
  ged += "0 TRLR\n";
  test::RepertoireTemporaire rep;
  test::Ecrit(rep / "f.ged", ged);
  const AnsiString source = Utf8VersAnsi(rep / "f.ged"), cible = Utf8VersAnsi(rep / "G.kya/G.adb");
  long appels = 0;
  {
    const test::PanneAuNiemeAppel compte(1L << 40, ENOSPC);
    ASSERT_TRUE(ImporteFichierGedcom(source, cible).reussi);
    appels = test::PanneAuNiemeAppel::Appels();
  }
  ASSERT_TRUE(SupprimeArborescence(Utf8VersAnsi(rep / "G.kya")));
  // The disk full from the middle of the import on, then from near its end.
  for (const long n : {appels / 2, appels * 9 / 10}) {
    const test::PanneAuNiemeAppel plein(n, ENOSPC, test::PanneAuNiemeAppel::Mode::EcrituresSuivantes);
    const TBilanImportGedcom b = ImporteFichierGedcom(source, cible);
    EXPECT_FALSE(b.reussi) << n;
    EXPECT_NE(b.erreur.find("le disque est plein"), std::string::npos) << b.erreur;
    EXPECT_FALSE(RepertoireExiste(Utf8VersAnsi(rep / "G.kya"))) << n;
  }
}

}  // namespace
}  // namespace kyb
