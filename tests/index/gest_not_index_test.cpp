// The notices index: types and their orders, lists kept in step with the notices file, words
// matched to notices, damaged records, and the notices of a person.
#include "index/gest_not_index.h"

#include <gtest/gtest.h>

#include "support/genealogie_index.h"

namespace kyb {
namespace {

using T = TGestIndexNoticesPat;

TEST(TypesNotices, CorrespondancesEtLibelles) {
  EXPECT_EQ(T::GetIndexTypeNotice(7), 1);
  EXPECT_EQ(T::GetTypeNoticeFromIndex(1), 7);
  EXPECT_EQ(T::GetIndexTypeNotice(10), 0);
  EXPECT_EQ(T::GetTypeNoticeFromIndex(10), 0);
  for (int i = 0; i < T::kNbTypes; ++i) EXPECT_EQ(T::GetIndexTypeNotice(T::GetTypeNoticeFromIndex(i)), i);
  EXPECT_EQ(T::GetTypeMotCle(u"Pays"), T::tmLieu);
  EXPECT_EQ(T::GetTypeMotCle(u"Décoration"), T::tmDecoration);
  EXPECT_EQ(T::GetTypeMotCle(u"Autre"), -1);
  EXPECT_EQ(T::GetNoticeStyleLieu(u"Région / Province / Arrondissement"), 138);
  EXPECT_EQ(T::GetNoticeStyleLieu(u"Patronyme"), 0);
}

class IndexNotices : public ::testing::Test {
 protected:
  long Ecrit(int type, std::initializer_list<const char*> titres, const char* image = "") {
    TNoticesPat n(&fichier_, kEnregCourant);
    n.SetType(type);
    int i = 0;
    for (const char* t : titres) n.SetTitre(i++, A(t));
    n.SetImage(image);
    n.Enregistrement();
    return n.Numero();
  }
  test::TGenealogieIndex g_;
  TFicNoticesPat& fichier_ = *g_.Dossier().FicNoticesPat;
};

TEST_F(IndexNotices, ListesOrdresEtSuiviDuFichier) {
  const long forge = Ecrit(TNoticesPat::tnPatronyme, {"de la Forge"});
  const long martin = Ecrit(TNoticesPat::tnPatronyme, {"Martin", "Martyn"}, "blason.png");
  const long vide = Ecrit(TNoticesPat::tnPatronyme, {});
  const long supprimee = Ecrit(TNoticesPat::tnPatronyme, {"Durand"});
  TNoticesPat(&fichier_, supprimee).Suppression();
  const long rouen = Ecrit(TNoticesPat::tnVille, {"Rouen"});
  const long abel = Ecrit(TNoticesPat::tnPatronyme, {"Abel"});
  TNoticesPat(&fichier_, 1).Suppression();  // "de la Forge", deleted after the index saw it

  T index(&fichier_);
  const auto titres = [&](int type) {
    std::vector<long> n;
    for (const auto& e : index.Liste(type)) n.push_back(e.Numero);
    return n;
  };
  EXPECT_EQ(titres(TNoticesPat::tnPatronyme), (std::vector<long>{vide, abel, martin}));  // "<vide>" sorts first
  index.ChangeTypeOrdre(TNoticesPat::tnPatronyme, T::toNumero);
  EXPECT_EQ(titres(TNoticesPat::tnPatronyme), (std::vector<long>{martin, vide, abel}));
  const long pierre = Ecrit(TNoticesPat::tnPrenom, {"Pierre"});  // joins through the file
  EXPECT_EQ(titres(TNoticesPat::tnPrenom), (std::vector<long>{pierre}));
  EXPECT_EQ(index.ConsultationTitreIndex(TNoticesPat::tnPatronyme, martin), "Martin / Martyn");
  EXPECT_EQ(index.ConsultationTitreIndex(TNoticesPat::tnPatronyme, forge), "1");

  EXPECT_EQ(index.IndexNoticeDuMotCle("MARTYN", T::tmPatronyme), martin);
  EXPECT_EQ(index.IndexNoticeDuMotCle("Dupont, Martin", T::tmPatronyme), martin);
  EXPECT_EQ(index.IndexNoticeDuMotCle("Rouen", T::tmPatronyme), 0);
  EXPECT_EQ(index.IndexNoticeDuMotCle("rouen", T::tmLieu), rouen);
  EXPECT_EQ(index.IndexNoticeDuMotCle("Durand", T::tmPatronyme), 0);
  EXPECT_EQ(index.ImageDuMotCle("Martin", T::tmPatronyme), "blason.png");
}

TEST_F(IndexNotices, TypeEndommageLaisseDeCoteEtNoticesDUnePersonne) {
  const long martin = Ecrit(TNoticesPat::tnPatronyme, {"Martin"});
  const long jean = Ecrit(TNoticesPat::tnPrenom, {"Jean"});
  const long abime = Ecrit(TNoticesPat::tnPatronyme, {"Abime"});
  TNoticesPat n(&fichier_, abime);
  n.SetType(200);
  n.Enregistrement();
  const T index(&fichier_);
  EXPECT_EQ(index.Ignores(), 1);
  EXPECT_FALSE(index.Endommage());
  {
    // Cut in its last record, or in its header: what is still whole is listed, the cut reported.
    const AnsiString chemin = g_.Dossier().FabriqueNomFichier(TGestFichier::tfNotices);
    const std::string entier = test::Contenu(chemin);
    for (const size_t taille : {3 * TFicNoticesPat::kTailleEnreg + 100, size_t{100}}) {
      test::Ecrit(chemin, entier.substr(0, taille));
      fichier_.LectureEntete();
      const T coupe(&fichier_);
      EXPECT_TRUE(coupe.Endommage()) << taille;
      EXPECT_EQ(coupe.Liste(TNoticesPat::tnPatronyme).size(), taille > 100 ? 1u : 0u) << taille;
    }
    test::Ecrit(chemin, entier);
    fichier_.LectureEntete();
  }

  TPerson p = g_.Personne(g_.Ajoute({u"Martin;Dupont", u"Louis Jean", 'M'}));
  TGenereListeNotices liste(index);
  liste.AjoutPerson(p);
  EXPECT_EQ(liste.GenereMapNotices(), (std::map<long, int>{{martin, 0}, {jean, 7}}));
  const auto parType = liste.GenereMapTypeNotices();
  ASSERT_EQ(parType.size(), 2u);
  EXPECT_EQ(parType[1].first, u"Prénom");
}

}  // namespace
}  // namespace kyb
