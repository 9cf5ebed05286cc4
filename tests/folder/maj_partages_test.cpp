// The shared-event upgrade of the census and privileged-relation fields: asked once, kept.
#include <gtest/gtest.h>

#include "fields/csdefchps.h"
#include "fields/csstruct.h"
#include "folder/gest_fic.h"
#include "platform/thread_nom.h"
#include "store/datamodulebdd.h"
#include "support/support.h"

namespace kyb {
namespace {

size_t Questions(const TInterfaceScriptee& iu) {
  size_t n = 0;
  for (const std::string& l : iu.Journal()) n += l.rfind("question:", 0) == 0;
  return n;
}

class MajPartages : public ::testing::Test {
 protected:
  MajPartages() {
    NommeThreadPrincipal();
    auto g = Ouvre(true);
    // An older set of definitions: neither field shared, the relation not repeatable.
    g->GetDefChpsCs()->RechercheChampsInternePtr("RECENSEMENT")->Partage = false;
    TChpCs* relation = g->GetDefChpsCs()->RechercheChampsInternePtr("RELATION_PRIV");
    relation->Partage = false;
    relation->Repetable = false;
    EXPECT_TRUE(g->GetDefChpsCs()->Sauvegarde());
    EXPECT_TRUE(g->GetModuleBDD()->MAJInfoChps("Shared_v2", u"0"));
  }
  std::unique_ptr<TGestFichier> Ouvre(bool creer = false, TInterfaceUtilisateur* iu = nullptr) const {
    return std::make_unique<TGestFichier>(rep / "Famille.kya/Famille.adb", TGestFichier::TOptionsOuverture{.Creer = creer, .PremierePersonne = 1, .Proprietaire = iu});
  }
  test::RepertoireTemporaire rep;
};

TEST_F(MajPartages, AccordUneSeuleFois) {
  TInterfaceScriptee iu;
  iu.Reponses().push_back(kReponseOui);
  {
    auto g = Ouvre(false, &iu);
    ASSERT_FALSE(g->Erreur);
    EXPECT_EQ(g->GetModuleBDD()->GetInfoChps("Shared_v2"), u"UPDATED-1");
    EXPECT_TRUE(g->GetDefChpsCs()->RechercheChampsInternePtr("RECENSEMENT")->Partage);
    const TChpCs* relation = g->GetDefChpsCs()->RechercheChampsInternePtr("RELATION_PRIV");
    EXPECT_TRUE(relation->Partage);
    EXPECT_TRUE(relation->Repetable);
  }
  EXPECT_EQ(Questions(iu), 1u);
  EXPECT_TRUE(iu.JournalContient(
      "question:Evolution de votre base de données|Mise à jour des événements partagés\nDonnez-vous votre accord "
      "pour mettre à jour les champs Recensement et Relations privilégiées afin de profiter au mieux des "
      "évolutions de Vastrel 2026 ?"));
  // Saved definitions: the next opening asks nothing.
  auto g = Ouvre(false, &iu);
  EXPECT_EQ(Questions(iu), 1u);
  EXPECT_TRUE(g->GetDefChpsCs()->RechercheChampsInternePtr("RECENSEMENT")->Partage);
}

TEST_F(MajPartages, RefusGardeEtPlusPropose) {
  TInterfaceScriptee iu;
  iu.Reponses().push_back(kReponseNon);
  {
    auto g = Ouvre(false, &iu);
    EXPECT_EQ(g->GetModuleBDD()->GetInfoChps("Shared_v2"), u"CANCELLED");
    EXPECT_FALSE(g->GetDefChpsCs()->RechercheChampsInternePtr("RECENSEMENT")->Partage);
  }
  auto g = Ouvre(false, &iu);
  EXPECT_EQ(Questions(iu), 1u);  // not offered again
  EXPECT_EQ(g->GetModuleBDD()->GetInfoChps("Shared_v2"), u"CANCELLED");
  EXPECT_FALSE(g->GetDefChpsCs()->RechercheChampsInternePtr("RELATION_PRIV")->Partage);
}

TEST_F(MajPartages, SansFenetreCompteCommeRefus) {
  auto g = Ouvre();
  EXPECT_EQ(g->GetModuleBDD()->GetInfoChps("Shared_v2"), u"CANCELLED");
}

TEST(MajPartagesNeuf, DossierNeufNAPasBesoinDeMiseAJour) {
  NommeThreadPrincipal();
  test::RepertoireTemporaire rep;
  const AnsiString chemin = rep / "Neuf.kya/Neuf.adb";
  (void)std::make_unique<TGestFichier>(chemin, TGestFichier::Creation());
  TInterfaceScriptee iu;
  TGestFichier g(chemin, TGestFichier::TOptionsOuverture{.PremierePersonne = 1, .Proprietaire = &iu});
  EXPECT_EQ(g.GetModuleBDD()->GetInfoChps("Shared_v2"), u"UPDATED-1");
  EXPECT_EQ(Questions(iu), 0u);
}

}  // namespace
}  // namespace kyb
