// The dictionary files of the field definitions follow the genealogy when it is renamed or copied.
#include <gtest/gtest.h>

#include <algorithm>

#include "fields/csdefchps.h"
#include "fields/csstruct.h"
#include "platform/fichiers.h"
#include "support/support.h"

namespace kyb {
namespace {

void Cree(const AnsiString& chemin) {
  TFichier f = TFichier::Ouvre(chemin, TAcces::LectureEcriture, TCreation::Ecrase);
  ASSERT_TRUE(f.Valide());
  ASSERT_EQ(f.EcritA(0, "UTF-8", 5), 5);
}

TEST(FichiersGestDup, RenommesEtCopies) {
  test::RepertoireTemporaire rep;
  ASSERT_TRUE(CreeRepertoires(rep / "Famille.kya"));
  const AnsiString dossier = rep / "Famille.kya/";
  TDefChpsCs defs(nullptr, dossier + "Famille.dch", nullptr, false);
  // The default set gives the military service its dictionary 44 (and others theirs); one more
  // on a second piece.
  TChpCs* residence = defs.RechercheChampsInternePtr("RESIDENCE");
  ASSERT_NE(residence, nullptr);
  residence->IndexFicDupli = {0, 12};
  const std::vector<int> numeros = defs.NumerosGestDup();
  EXPECT_TRUE(std::is_sorted(numeros.begin(), numeros.end()));
  EXPECT_EQ(std::adjacent_find(numeros.begin(), numeros.end()), numeros.end());
  EXPECT_EQ(numeros.front(), 12);
  EXPECT_NE(std::find(numeros.begin(), numeros.end(), 44), numeros.end());
  for (const char* nom : {"Famille.d44", "Famille.r44", "Famille.d12", "Autre.d12"}) Cree(dossier + nom);

  ASSERT_TRUE(CreeRepertoires(rep / "Copie.kya"));
  EXPECT_TRUE(defs.DupliqueFichiersGestDup("Copie"));
  for (const char* nom : {"Copie.d44", "Copie.r44", "Copie.d12"}) EXPECT_TRUE(FichierExiste(rep / "Copie.kya/" + nom)) << nom;
  EXPECT_FALSE(FichierExiste(rep / "Copie.kya/Copie.r12"));
  EXPECT_TRUE(FichierExiste(dossier + "Famille.d44"));

  EXPECT_TRUE(defs.RenommeFichiersGestDup("Famille", "Neuve"));
  for (const char* nom : {"Neuve.d44", "Neuve.r44", "Neuve.d12", "Autre.d12"}) EXPECT_TRUE(FichierExiste(dossier + nom)) << nom;
  EXPECT_FALSE(FichierExiste(dossier + "Famille.d44"));
  // Back to the old name, as a failed folder rename does.
  EXPECT_TRUE(defs.RenommeFichiersGestDup("Neuve", "Famille"));
  EXPECT_TRUE(FichierExiste(dossier + "Famille.d12"));
  // A target that already exists is not overwritten and the rename reports it.
  Cree(dossier + "Neuve.d44");
  EXPECT_FALSE(defs.RenommeFichiersGestDup("Famille", "Neuve"));
  EXPECT_TRUE(FichierExiste(dossier + "Neuve.r44"));
}

}  // namespace
}  // namespace kyb
