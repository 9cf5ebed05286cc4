#include "folder/gest_fic.h"

#include <gtest/gtest.h>

#include "platform/erreur.h"
#include "support/support.h"

namespace kyb {
namespace {

TEST(NomsDeFichiers, ChaqueGenreASonNom) {
  const TGestFichier g("/G/Famille.kya/Famille.prs");
  struct Cas {
    TGestFichier::TTypeFichier type;
    int numero;
    bool flag;
    const char* attendu;
  };
  const Cas cas[] = {
      {TGestFichier::tfPersonnes, 0, false, "/G/Famille.kya/Famille.prs"},
      {TGestFichier::tfDuplicats, 12, true, "/G/Famille.kya/Famille.d12"},
      {TGestFichier::tfDuplicats, 12, false, "/G/Famille.kya/Famille.r12"},
      {TGestFichier::tfNotices, 0, false, "/G/Famille.kya/Notices/Famille.gnp"},
      {TGestFichier::tfLienIdPersCpt, 0, false, "/G/Famille.kya/lienidpers.cpt"},
      {TGestFichier::tfAnnulation, 0, false, "/G/Famille.kya/undo.adb"},
      {TGestFichier::tfSansExtension, 0, false, "/G/Famille.kya/Famille."},
  };
  for (const Cas& c : cas) EXPECT_EQ(g.FabriqueNomFichier(c.type, c.numero, c.flag), c.attendu);
  // Input paths may use '\' and keep only the directory and base name.
  const TGestFichier windows("\\G\\Famille.kya\\Famille.adb");
  EXPECT_EQ(windows.FabriqueNomFichier(TGestFichier::tfNotes), "/G/Famille.kya/Famille.not");
}

TEST(NomsDeFichiers, LimiteDe260Caracteres) {
  // "/" + dir + "/" + name + ".prs": choose lengths that give exactly 259 and 260.
  const std::string dossier(200, 'd');
  const std::string nom259(259 - 1 - dossier.size() - 1 - 4, 'n');
  const TGestFichier accepte("/" + dossier + "/" + nom259 + ".x");
  EXPECT_EQ(accepte.FabriqueNomFichier(TGestFichier::tfPersonnes).size(), 259u);
  const TGestFichier refuse("/" + dossier + "/" + nom259 + "n.x");
  try {
    (void)refuse.FabriqueNomFichier(TGestFichier::tfPersonnes);
    FAIL() << "exception attendue";
  } catch (const ErreurKy& e) {
    EXPECT_STREQ(e.what(), "Nom de fichier trop long !");
  }
}

TEST(NomsDeFichiers, AccesGenealogie) {
  EXPECT_EQ(ConstruitAccesGenealogie("/G", "Famille", ".prs"), "/G/Famille.kya/Famille.prs");
  EXPECT_EQ(ConstruitAccesGenealogie("/G/", "Famille.ky3", ".prs"), "/G/Famille.ky3/Famille.prs");
  EXPECT_EQ(ConstruitAccesGenealogie("\\G", "Famille", ""), "/G/Famille.kya/Famille");
}

TEST(Format, ExtensionEtFichierDesPersonnes) {
  test::RepertoireTemporaire rep;
  ASSERT_TRUE(CreeRepertoires(rep / "A.kya"));
  ASSERT_TRUE(CreeRepertoires(rep / "B.ky2"));
  ASSERT_TRUE(CreeRepertoires(rep / "C.old"));
  const TGestFichier a(rep / "A.kya/A.adb"), b(rep / "B.ky2/B.adb"), c(rep / "C.old/C.adb");
  EXPECT_FALSE(a.IsOldVersion());
  EXPECT_FALSE(a.IsExt2009());
  EXPECT_FALSE(b.IsExt2009());
  EXPECT_TRUE(c.IsExt2009());
  { TFichier f = TFichier::Ouvre(rep / "A.kya/A.prs", TAcces::LectureEcriture, TCreation::Ecrase); }
  { TFichier f = TFichier::Ouvre(rep / "B.ky2/B.prs", TAcces::LectureEcriture, TCreation::Ecrase); }
  EXPECT_TRUE(a.IsOldVersion());
  EXPECT_FALSE(b.IsOldVersion());
  const TGestFichier bConversion(rep / "B.ky2/B.adb", false, true);
  EXPECT_TRUE(bConversion.IsOldVersion());
}

}  // namespace
}  // namespace kyb
