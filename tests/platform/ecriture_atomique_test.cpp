#include "platform/ecriture_atomique.h"

#include <gtest/gtest.h>

#include "support/coupures.h"
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

// Cut or killed at any call, the file holds the old text or the new one; a failed write leaves
// no temporary file behind.
TEST_F(EcritureAtomique, CoupeeAChaqueAppelAncienOuNouveau) {
  for (const auto mode : {test::PanneAuNiemeAppel::Mode::UnSeul, test::PanneAuNiemeAppel::Mode::Tue}) {
    test::TCoupure c;
    c.mode = mode;
    c.prepare = [&] {
      ASSERT_TRUE(EcritFichierAtomique(fichier_, "ancien"));
      (void)SupprimeFichier(fichier_ + ".tmp");
    };
    c.operation = [&] { return EcritFichierAtomique(fichier_, "nouveau"); };
    c.estAncien = [&] {
      return Contenu(fichier_) == "ancien" &&
             (mode == test::PanneAuNiemeAppel::Mode::Tue || !FichierExiste(fichier_ + ".tmp"));
    };
    c.estNouveau = [&] { return Contenu(fichier_) == "nouveau"; };
    EXPECT_GT(test::CoupeAChaqueAppel(c), 2);
  }
  // A write that stores nothing, and a writer abandoned without validation.
  AppelsSysteme().pwrite = [](int, const void*, size_t, off_t) -> ssize_t { return 0; };
  EXPECT_FALSE(EcritFichierAtomique(fichier_, "autre"));
  RestaureAppelsSysteme();
  {
    TEcritureAtomique e(fichier_);
    ASSERT_TRUE(e.Ajoute("autre", 5));
  }
  EXPECT_EQ(Contenu(fichier_), "nouveau");
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
