// The image directories of a genealogy and the removal of external illustration files.
#include <gtest/gtest.h>

#include <fstream>

#include "folder/fic_sources.h"
#include "folder/gest_fic.h"
#include "platform/arborescence.h"
#include "platform/thread_nom.h"
#include "store/datamodulebdd.h"
#include "store/sources_bdd.h"
#include "dossier_fixture.h"

namespace kyb {
namespace {

class Images : public test::DossierTemporaire {
 protected:
  Images() { (void)Cree(Store()); }
  AnsiString Interne() const { return rep / "Famille.kya/Images/"; }
};

TEST_F(Images, RepertoireSelonLeModeDImport) {
  const AnsiString externe = rep / "Photos/";
  {
    auto g = Ouvre(Store());
    EXPECT_EQ(g->GetDirImagesExt(), Interne());  // nothing stored yet ("0")
    g->SetDirImagesExt(externe);
  }
  struct Cas {
    int mode;
    AnsiString rep, images;
  };
  const Cas cas[] = {{1, externe, externe}, {4, Interne(), externe}, {5, Interne(), Interne()}};
  for (const Cas& c : cas) {
    auto g = Ouvre(Store());
    g->ModeImport = c.mode;
    EXPECT_EQ(g->GetDirImagesRep(), c.rep) << c.mode;
    EXPECT_EQ(g->GetDirImages(), c.images) << c.mode;
    TIllustration relative(g->FicIllustrations.get(), 0);
    relative.Public.Chemin = "actes/a.jpg";
    EXPECT_EQ(relative.GetExpandFilename(), c.images + "actes/a.jpg") << c.mode;
  }
  EXPECT_TRUE(RepertoireExiste(externe));  // created on first use
}

TEST_F(Images, RepertoirePrive) {
  const AnsiString prive = rep / "Prive";
  {
    auto g = Ouvre(Store());
    EXPECT_FALSE(g->IsDirImagesPrivActive());
    EXPECT_FALSE(g->IsInDirImagesPriv(prive + "/a.jpg"));
    g->SetDirImagesPriv(prive, true);
  }
  {
    auto g = Ouvre(Store());  // read back from the store
    EXPECT_TRUE(g->IsDirImagesPrivActive());
    EXPECT_TRUE(RepertoireExiste(prive));
    struct Cas {
      AnsiString chemin;
      bool dedans;
    };
    const Cas cas[] = {{prive + "/a.jpg", true},
                       {MajusculesAnsi(prive) + "/sous/B.JPG", true},
                       {prive + "x/a.jpg", false},
                       {Interne() + "a.jpg", false}};
    for (const Cas& c : cas) EXPECT_EQ(g->IsInDirImagesPriv(c.chemin), c.dedans) << c.chemin;
    g->SetDirImagesPriv(prive, false);
  }
  auto g = Ouvre(Store());
  EXPECT_FALSE(g->IsDirImagesPrivActive());
  EXPECT_FALSE(g->IsInDirImagesPriv(prive + "/a.jpg"));
}

TEST_F(Images, FichiersExternesRetiresEnMode4) {
  const AnsiString externe = rep / "Photos/";
  ASSERT_TRUE(CreeRepertoires(externe + "album"));
  ASSERT_TRUE(CreeRepertoires(Interne()));
  for (const AnsiString& f : {externe + "album/a.jpg", externe + "b.jpg", Interne() + "c.jpg",
                              externe + "Famille_historique.txt", rep / "voisin.jpg"})
    std::ofstream(CheminSysteme(f)) << "x";
  auto g = Ouvre(Store());
  g->SetDirImagesExt(externe);
  // A received path climbing out of the external directory names a file beside the folder.
  for (const AnsiString& chemin : {externe + "album/a.jpg", externe + "b.jpg", AnsiString("c.jpg"),
                                   externe + "../voisin.jpg"}) {
    TIllustrationBDD ill;
    ill.Chemin = chemin;
    ASSERT_TRUE(g->GetModuleBDD()->EcritureIllustration(ill));
  }
  g->ModeImport = 5;  // only mode 4 removes anything
  g->RemoveIllustrationsExternFiles();
  EXPECT_TRUE(FichierExiste(externe + "b.jpg"));
  g->ModeImport = 4;
  g->RemoveIllustrationsExternFiles();
  EXPECT_FALSE(CheminOccupe(externe));  // every file gone, the emptied directories too
  EXPECT_TRUE(FichierExiste(Interne() + "c.jpg"));
  EXPECT_TRUE(FichierExiste(rep / "voisin.jpg"));
}

}  // namespace
}  // namespace kyb
