#include "platform/ecriture_atomique.h"

#include <gtest/gtest.h>

#include "support/support.h"

namespace kyb {
namespace {

std::string Contenu(const AnsiString& chemin) {
  const TFichier f = TFichier::Ouvre(chemin, TAcces::Lecture, TCreation::Existant);
  std::string r(static_cast<size_t>(std::max<int64_t>(f.Taille(), 0)), '\0');
  if (!r.empty() && f.LitA(0, r.data(), r.size()) != static_cast<int64_t>(r.size())) r.clear();
  return r;
}

class EcritureAtomique : public ::testing::Test {
 protected:
  ~EcritureAtomique() override { RestaureAppelsSysteme(); }
  test::RepertoireTemporaire rep_;
  AnsiString fichier_ = rep_ / "index.prx2";
};

TEST_F(EcritureAtomique, CreepuisRemplace) {
  ASSERT_TRUE(EcritFichierAtomique(fichier_, "premier"));
  EXPECT_EQ(Contenu(fichier_), "premier");
  {
    TEcritureAtomique e(fichier_);
    ASSERT_TRUE(e.Ouvert());
    ASSERT_TRUE(e.Ajoute("deux", 4));
    ASSERT_TRUE(e.Ajoute("ieme", 4));
    EXPECT_EQ(Contenu(fichier_), "premier");  // untouched until validated
    ASSERT_TRUE(e.Valide());
  }
  EXPECT_EQ(Contenu(fichier_), "deuxieme");
  EXPECT_FALSE(FichierExiste(fichier_ + ".tmp"));
  ASSERT_TRUE(EcritFichierAtomique(fichier_, ""));
  EXPECT_EQ(TailleFichier(fichier_), 0);
}

TEST_F(EcritureAtomique, UnEchecLaisseLAncienFichier) {
  ASSERT_TRUE(EcritFichierAtomique(fichier_, "ancien"));
  struct Cas {
    const char* nom;
    void (*panne)();
  };
  const Cas cas[] = {
      {"écriture refusée",
       [] { AppelsSysteme().pwrite = [](int, const void*, size_t, off_t) -> ssize_t { return -1; }; }},
      {"écriture sans effet",
       [] { AppelsSysteme().pwrite = [](int, const void*, size_t, off_t) -> ssize_t { return 0; }; }},
      {"synchronisation refusée", [] { AppelsSysteme().fdatasync = [](int) { return -1; }; }},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    c.panne();
    EXPECT_FALSE(EcritFichierAtomique(fichier_, "nouveau"));
    RestaureAppelsSysteme();
    EXPECT_EQ(Contenu(fichier_), "ancien");
    EXPECT_FALSE(FichierExiste(fichier_ + ".tmp"));
  }
  // Abandoned without validation.
  {
    TEcritureAtomique e(fichier_);
    ASSERT_TRUE(e.Ajoute("nouveau", 7));
  }
  EXPECT_EQ(Contenu(fichier_), "ancien");
  EXPECT_FALSE(FichierExiste(fichier_ + ".tmp"));
}

TEST_F(EcritureAtomique, TemporaireDUnAutreEcrivainRespecte) {
  TFichier autre = TFichier::Ouvre(fichier_ + ".tmp", TAcces::LectureEcriture, TCreation::Ecrase);
  ASSERT_TRUE(autre.Valide());
  ASSERT_EQ(autre.EcritA(0, "x", 1), 1);
  {
    TEcritureAtomique e(fichier_);
    EXPECT_FALSE(e.Ouvert());
    EXPECT_FALSE(e.Ajoute("y", 1));
    EXPECT_FALSE(e.Valide());
  }
  EXPECT_TRUE(FichierExiste(fichier_ + ".tmp"));  // the other writer's file is left alone
  EXPECT_FALSE(FichierExiste(fichier_));
  // A directory that does not exist.
  EXPECT_FALSE(EcritFichierAtomique(rep_ / "absent/f.txt", "z"));
}

}  // namespace
}  // namespace kyb
