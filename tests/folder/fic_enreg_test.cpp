#include "folder/fic_enreg.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/erreur.h"
#include "support/support.h"

namespace kyb {
namespace {

constexpr size_t kTaille = 16;

class FichierEnreg : public ::testing::Test {
 protected:
  FichierEnreg() : dossier(rep / "Essai.kya/Essai.adb") { EXPECT_TRUE(CreeRepertoires(dossier.Repertoire)); }
  ~FichierEnreg() override { RestaureAppelsSysteme(); }

  TFicBase* Cree() {
    fic = std::make_unique<TFicBase>(&dossier, TGestFichier::tfNotes, kTaille, "FicNote", true, true);
    return fic.get();
  }
  std::string Contenu() const { return test::Contenu(dossier.FabriqueNomFichier(TGestFichier::tfNotes)); }

  test::RepertoireTemporaire rep;
  TGestFichier dossier;
  std::unique_ptr<TFicBase> fic;
};

TEST_F(FichierEnreg, NumerotationEtEntete) {
  TFicBase* f = Cree();
  EXPECT_EQ(f->NbEnreg, 0);
  EXPECT_EQ(Contenu().size(), kTaille);  // the header alone
  EXPECT_EQ(f->ReturnNewNum(), 1);
  TEnregKy e(f, kEnregCourant);
  e.EcritTexte(0, 8, "abcdefghij");
  e.EcritEntier32(8, -7);
  e.Enregistrement(1);
  EXPECT_FALSE(dossier.Erreur);
  EXPECT_EQ(f->ReturnNewNum(), 2);
  fic.reset();
  TFicBase relu(&dossier, TGestFichier::tfNotes, kTaille, "FicNote", false);
  EXPECT_EQ(relu.NbEnreg, 2);
  const TEnregKy lu(&relu, 1);
  EXPECT_EQ(lu.LitTexte(0, 8), "abcdefg");  // 7 characters and the terminator
  EXPECT_EQ(lu.LitEntier32(8), -7);
  const TEnregKy entete(&relu, kEnregEntete);
  EXPECT_EQ(entete.LitEntier32(0), 2);
}

TEST_F(FichierEnreg, UnChampFixeGardeChaqueCaractereSansCouperUneReference) {
  TFicBase* f = Cree();
  f->ReturnNewNum();
  for (const char* texte : {"skany/Łódź", "Győr 😀", "a&#65;b", "北京"}) {
    for (size_t taille = 1; taille <= kTaille; ++taille) {
      TEnregKy e(f, kEnregCourant);
      e.EcritTexte(0, taille, Utf8VersAnsi(texte));
      e.Enregistrement(1);
      // What the field holds reads back as the start of the text.
      const std::string lu = AnsiVersUtf8(TEnregKy(f, 1).LitTexte(0, taille));
      EXPECT_EQ(std::string_view(texte).substr(0, lu.size()), lu) << texte << ", " << taille;
      if (taille == kTaille && Utf8VersAnsi(texte).size() < kTaille) {
        EXPECT_EQ(lu, texte);
      }
    }
  }
}

TEST_F(FichierEnreg, NumerosSpeciauxEtDepassement) {
  TFicBase* f = Cree();
  f->ReturnNewNum();
  const std::string avant = Contenu();
  TEnregKy zero(f, 0);
  EXPECT_EQ(zero.Numero(), 0);
  EXPECT_EQ(zero.Donnees(), std::vector<unsigned char>(kTaille, 0));
  TEnregKy negatif(f, -5);
  EXPECT_EQ(negatif.Numero(), 0);
  zero.EcritEntier32(0, 99);
  zero.Enregistrement();  // number 0: nothing written
  EXPECT_EQ(Contenu(), avant);
  TEnregKy e(f, kEnregCourant);
  try {
    e.Enregistrement(2);
    FAIL() << "exception attendue";
  } catch (const ErreurKy& x) {
    EXPECT_STREQ(x.what(), "FicNote : Erreur Enreg");
  }
  EXPECT_EQ(Contenu(), avant);
}

TEST_F(FichierEnreg, LectureVideLeveLErreurJusquaRemiseAZero) {
  TFicBase* f = Cree();
  f->ReturnNewNum();
  f->ReturnNewNum();  // header claims 2 records, file holds only the header
  TEnregKy e(f, 2);
  EXPECT_TRUE(dossier.Erreur);
  EXPECT_EQ(dossier.CodeErreurOuverture, 1);
  // While the flag is set, reads give zeros and writes do nothing.
  e.EcritEntier32(0, 5);
  e.Enregistrement(1);
  EXPECT_EQ(Contenu().size(), kTaille);
  dossier.SetError(false);
  e.Enregistrement(1);
  EXPECT_FALSE(dossier.Erreur);
  EXPECT_EQ(Contenu().size(), 2 * kTaille);
}

TEST_F(FichierEnreg, EnregistrementCoupeEnDeux) {
  TFicBase* f = Cree();
  f->ReturnNewNum();
  TEnregKy e(f, kEnregCourant);
  e.EcritTexte(0, kTaille, "complet");
  e.Enregistrement(1);
  fic.reset();
  ASSERT_EQ(truncate(dossier.FabriqueNomFichier(TGestFichier::tfNotes).c_str(), kTaille + 4), 0);
  TFicBase relu(&dossier, TGestFichier::tfNotes, kTaille, "FicNote", false);
  const TEnregKy lu(&relu, 1);
  EXPECT_FALSE(dossier.Erreur);  // some bytes were read
  EXPECT_EQ(lu.LitTexte(0, kTaille), "comp");
}

TEST_F(FichierEnreg, DossierEnLectureSeule) {
  TFicBase* f = Cree();
  f->ReturnNewNum();
  const std::string avant = Contenu();
  dossier.SetReadOnly(true);
  dossier.SetError(true);
  TEnregKy e(f, kEnregCourant);
  e.EcritEntier32(0, 1);
  e.Enregistrement(1);
  EXPECT_TRUE(dossier.Erreur);  // left alone
  dossier.SetError(false);
  e.Enregistrement(1);
  EXPECT_FALSE(dossier.Erreur);
  EXPECT_EQ(Contenu(), avant);
}

TEST_F(FichierEnreg, SecondOuvreurPasseEnLectureSeule) {
  Cree();
  fic->ReturnNewNum();
  TGestFichier second(rep / "Essai.kya/Essai.adb");
  TFicBase autre(&second, TGestFichier::tfNotes, kTaille, "FicNote", false);
  EXPECT_TRUE(autre.Valide());
  EXPECT_TRUE(second.IsReadOnly());
  EXPECT_EQ(autre.NbEnreg, 1);
  EXPECT_FALSE(dossier.IsReadOnly());
  // During a folder creation the fallback to read-only is not taken.
  TGestFichier creation(rep / "Essai.kya/Essai.adb");
  creation.EnCreation = true;
  TFicBase refuse(&creation, TGestFichier::tfNotes, kTaille, "FicNote", false);
  EXPECT_FALSE(refuse.Valide());
  EXPECT_FALSE(creation.IsReadOnly());
  TEnregKy vide(&refuse, 1);
  EXPECT_EQ(vide.Donnees(), std::vector<unsigned char>(kTaille, 0));
}

TEST_F(FichierEnreg, FichierProtegeRemisEnEcriture) {
  Cree();
  fic.reset();
  ASSERT_TRUE(DefinitLectureSeule(dossier.FabriqueNomFichier(TGestFichier::tfNotes), true));
  const int avant = test::DescripteursOuverts();
  {
    TFicBase f(&dossier, TGestFichier::tfNotes, kTaille, "FicNote", false);
    EXPECT_TRUE(f.Valide());
    EXPECT_FALSE(dossier.IsReadOnly());
  }
  EXPECT_EQ(test::DescripteursOuverts(), avant);
}

}  // namespace
}  // namespace kyb
