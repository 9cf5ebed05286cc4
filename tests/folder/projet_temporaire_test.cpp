// A rename carries the genealogy's subdirectory of the temporary project directory along.
#include "dossier_fixture.h"
#include "folder/maintenance_dossier.h"
#include "platform/arborescence.h"
#include "platform/fichiers.h"

namespace kyb::test {
namespace {

class ProjetTemporaire : public DossierTemporaire {
 protected:
  ProjetTemporaire() { asRepStockageProjetTmp = rep / "projets"; }
  ~ProjetTemporaire() override { asRepStockageProjetTmp.clear(); }
};

TEST_F(ProjetTemporaire, SuitLeRenommageSansEcraserUnAutre) {
  (void)Cree(Store());
  ASSERT_TRUE(CreeRepertoires(rep / "projets/Famille/pages"));
  ASSERT_EQ(Ouvre(Store())->RenommeGenealogie("Neuf"), emAucune);
  EXPECT_FALSE(CheminOccupe(rep / "projets/Famille"));
  EXPECT_TRUE(RepertoireExiste(rep / "projets/Neuf/pages"));
  // The new name already has a project directory: both stay as they are.
  ASSERT_TRUE(CreeRepertoires(rep / "projets/Neuf2/autre"));
  ASSERT_EQ(Ouvre(Store("Neuf"))->RenommeGenealogie("Neuf2"), emAucune);
  EXPECT_TRUE(RepertoireExiste(rep / "projets/Neuf/pages"));
  EXPECT_TRUE(RepertoireExiste(rep / "projets/Neuf2/autre"));
  EXPECT_FALSE(CheminOccupe(rep / "projets/Neuf2/pages"));
}

}  // namespace
}  // namespace kyb::test
