// Event and simple-field files of 2009 folders: layout, extension records, damaged records.
#include "folder/gest_fic_evens.h"

#include <gtest/gtest.h>

#include "platform/fichiers.h"
#include "support/support.h"

namespace kyb {
namespace {

class Fichiers2009 : public ::testing::Test {
 protected:
  Fichiers2009() {
    EXPECT_TRUE(CreeRepertoires(rep / "Ancien"));
    dossier = std::make_unique<TGestFichier>(rep / "Ancien/Ancien.adb");
    evens = std::make_unique<TFicEvens>(dossier.get(), true);
    extensions = std::make_unique<TFicExtEvens>(dossier.get(), true);
    chps = std::make_unique<TFicChpsSimple>(dossier.get(), true);
  }
  test::RepertoireTemporaire rep;
  std::unique_ptr<TGestFichier> dossier;
  std::unique_ptr<TFicEvens> evens;
  std::unique_ptr<TFicExtEvens> extensions;
  std::unique_ptr<TFicChpsSimple> chps;
};

TEST_F(Fichiers2009, TaillesEtPositionsDesEnregistrements) {
  TEvenement::TEnreg e;
  e.LibelleChamps = "NAISSANCE";
  e.NoPersA = 0x0A0B0C0D;
  e.Date = TDateKY('G', "14/07/1789");
  e.Date.SetActe("~");
  e.Lieu = 5;
  e.Donnee = u"court";
  ASSERT_EQ(EcritureAncien(e, *evens, *extensions), 1);
  EXPECT_EQ(extensions->NbEnreg, 0);  // short datum and no list: no extension record
  EXPECT_EQ(evens->TailleFichier(), 2 * 220);
  const TEnregKy brut(evens.get(), 1);
  EXPECT_EQ(brut.LitOctet(21), 0x0D);  // holder, little-endian, right after the 21-byte label
  EXPECT_EQ(brut.LitOctet(24), 0x0A);
  EXPECT_EQ(brut.LitTexte(33, 11), "14/07/1789");
  EXPECT_EQ(brut.LitEntier32(44), 5);
  EXPECT_EQ(brut.LitTexte(119, 101), "court");
  TChpsSimple::TEnreg c;
  c.LibelleChamps = "PROFESSION";
  c.NoPersA = 4;
  c.Donnee = U("Maréchal-ferrant");
  ASSERT_EQ(EcritureAncien(c, *chps), 1);
  EXPECT_EQ(chps->TailleFichier(), 2 * 334);
  TChpsSimple relu;
  ASSERT_TRUE(LectureAncien(relu, *chps, 1));
  EXPECT_EQ(relu.Enreg.Donnee, U("Maréchal-ferrant"));
  EXPECT_EQ(relu.Enreg.NoPersA, 4);
}

TEST_F(Fichiers2009, DonneeLongueEtListesDansLExtension) {
  TEvenement::TEnreg e;
  e.LibelleChamps = "UNION";
  e.NoPersA = 1;
  e.NoPersB = 2;
  e.Donnee = UnicodeString(250, u'é');
  for (int i = 0; i < 3; ++i) {
    TPersAssociee pa;
    pa.Lien = 10 + i;
    pa.Lien.NivNo = 1;
    pa.Qualite = i;
    pa.Parente = 2 * i;
    e.PersAssociees.push_back(pa);
  }
  ASSERT_EQ(EcritureAncien(e, *evens, *extensions, {7, 9}, {3}), 1);
  ASSERT_EQ(extensions->NbEnreg, 1);
  EXPECT_EQ(extensions->TailleFichier(), 2 * 1251);
  TLecteursListesAncien lecteurs;
  lecteurs.Source = [](long no, TSourceEven& s) {
    s.Descriptif = u"source " + AnsiVersUnicode(std::to_string(no));
    return no != 9;  // record 9 is missing from the sources file
  };
  TEvenement relu;
  ASSERT_TRUE(LectureAncien(relu, *evens, extensions.get(), 1, lecteurs));
  EXPECT_EQ(relu.Enreg.Donnee, UnicodeString(250, u'é'));
  EXPECT_TRUE(relu.IsCouple(2, 1));
  ASSERT_EQ(relu.CountPersAssociee(), 3);
  EXPECT_EQ(relu.PersAssociees()[2].Lien.No, 12);
  EXPECT_EQ(relu.PersAssociees()[2].Lien.NivNo, 1);
  EXPECT_EQ(relu.PersAssociees()[2].Parente, 4);
  ASSERT_EQ(relu.CountSource(), 1);
  EXPECT_EQ(relu.Sources()[0].Descriptif, u"source 7");
  ASSERT_EQ(relu.CountIllustration(), 1);
  EXPECT_EQ(relu.Illustrations()[0].Id, 3);  // no reader: the legacy number is kept
}

TEST_F(Fichiers2009, EnregistrementsAbimesOuHorsDuFichier) {
  TEvenement::TEnreg e;
  e.LibelleChamps = "DECES";
  e.PersAssociees.resize(1);
  e.PersAssociees[0].Lien = 3;
  ASSERT_EQ(EcritureAncien(e, *evens, *extensions), 1);
  TEvenement lu;
  EXPECT_FALSE(LectureAncien(lu, *evens, extensions.get(), 2));  // beyond NbEnreg
  EXPECT_TRUE(lu.ErreurLecture());
  EXPECT_FALSE(LectureAncien(lu, *evens, extensions.get(), 0));
  EXPECT_FALSE(LectureAncien(lu, *evens, nullptr, 1));  // the extension file is missing
  EXPECT_TRUE(lu.ErreurLecture());
  EXPECT_EQ(lu.Enreg.LibelleChamps, "DECES");  // what could be read is kept
  // A label without its terminator: the record is refused as a whole.
  TEnregKy abime(evens.get(), 1);
  for (size_t i = 0; i < 21; ++i) abime.EcritOctet(i, 'A');
  abime.Enregistrement(1);
  EXPECT_FALSE(LectureAncien(lu, *evens, extensions.get(), 1));
  EXPECT_TRUE(lu.Enreg.LibelleChamps.empty());
}

TEST_F(Fichiers2009, FicheDUnePersonneParSesLiens) {
  TEnregPublic p;
  p.Conjoints[0].Lien = 2;
  TEvenement::TEnreg n;
  n.LibelleChamps = "NAISSANCE";
  n.NoPersA = 1;
  TEvenement::TEnreg u;
  u.LibelleChamps = "UNION";
  u.NoPersA = 1;
  u.NoPersB = 2;
  p.LiensEvens[1] = static_cast<int32_t>(EcritureAncien(u, *evens, *extensions));
  p.LiensEvens[2] = static_cast<int32_t>(EcritureAncien(n, *evens, *extensions));
  p.LiensEvens[3] = 99;  // beyond the file
  TChpsSimple::TEnreg c;
  c.LibelleChamps = "EMAIL";
  c.NoPersA = 1;
  p.LiensChpsSimples[1] = static_cast<int32_t>(EcritureAncien(c, *chps));
  TChpsPersonne fiche(1);
  EXPECT_EQ(LectureAncien(fiche, p, *evens, extensions.get(), *chps), 1);
  ASSERT_EQ(fiche.GetNbInfoEven(), 2);
  EXPECT_EQ(fiche.Evenements[0].Even.Enreg.LibelleChamps, "NAISSANCE");
  EXPECT_EQ(fiche.Evenements[1].RgConj, 1);
  EXPECT_EQ(fiche.GetNbChpsSimple(), 1);
}

}  // namespace
}  // namespace kyb
