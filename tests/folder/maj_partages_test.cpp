// The shared-event upgrade of the census and privileged-relation fields: asked once, kept.
#include <gtest/gtest.h>

#include "fields/csdefchps.h"
#include "fields/csstruct.h"
#include "folder/gest_fic.h"
#include "platform/thread_nom.h"
#include "store/datamodulebdd.h"
#include "dossier_fixture.h"

namespace kyb {
namespace {

size_t Questions(const TInterfaceScriptee& iu) {
  size_t n = 0;
  for (const std::string& l : iu.Journal()) n += l.rfind("question:", 0) == 0;
  return n;
}

class MajPartages : public test::DossierTemporaire {
 protected:
  MajPartages() {
    auto g = Cree(Store());
    // An older set of definitions: neither field shared, the relation not repeatable.
    g->GetDefChpsCs()->RechercheChampsInternePtr("RECENSEMENT")->Partage = false;
    TChpCs* relation = g->GetDefChpsCs()->RechercheChampsInternePtr("RELATION_PRIV");
    relation->Partage = false;
    relation->Repetable = false;
    EXPECT_TRUE(g->GetDefChpsCs()->Sauvegarde());
    EXPECT_TRUE(g->GetModuleBDD()->MAJInfoChps("Shared_v2", u"0"));
  }
  std::unique_ptr<TGestFichier> Ouvre(TInterfaceUtilisateur* iu = nullptr) const {
    return DossierTemporaire::Ouvre(Store(), iu);
  }
};

TEST_F(MajPartages, AccordUneSeuleFois) {
  TInterfaceScriptee iu;
  iu.Reponses().push_back(kReponseOui);
  {
    auto g = Ouvre(&iu);
    ASSERT_FALSE(g->Erreur);
    EXPECT_EQ(g->GetModuleBDD()->GetInfoChps("Shared_v2"), u"UPDATED-1");
    EXPECT_TRUE(g->GetDefChpsCs()->RechercheChampsInternePtr("RECENSEMENT")->Partage);
    const TChpCs* relation = g->GetDefChpsCs()->RechercheChampsInternePtr("RELATION_PRIV");
    EXPECT_TRUE(relation->Partage);
    EXPECT_TRUE(relation->Repetable);
  }
  EXPECT_EQ(Questions(iu), 1u);
  // Saved definitions: the next opening asks nothing.
  auto g = Ouvre(&iu);
  EXPECT_EQ(Questions(iu), 1u);
  EXPECT_TRUE(g->GetDefChpsCs()->RechercheChampsInternePtr("RECENSEMENT")->Partage);
}

TEST_F(MajPartages, RefusGardeEtPlusPropose) {
  TInterfaceScriptee iu;
  iu.Reponses().push_back(kReponseNon);
  {
    auto g = Ouvre(&iu);
    EXPECT_EQ(g->GetModuleBDD()->GetInfoChps("Shared_v2"), u"CANCELLED");
    EXPECT_FALSE(g->GetDefChpsCs()->RechercheChampsInternePtr("RECENSEMENT")->Partage);
  }
  auto g = Ouvre(&iu);
  EXPECT_EQ(Questions(iu), 1u);  // not offered again
  EXPECT_EQ(g->GetModuleBDD()->GetInfoChps("Shared_v2"), u"CANCELLED");
  EXPECT_FALSE(g->GetDefChpsCs()->RechercheChampsInternePtr("RELATION_PRIV")->Partage);
}

TEST_F(MajPartages, SansFenetreCompteCommeRefus) {
  EXPECT_EQ(Ouvre()->GetModuleBDD()->GetInfoChps("Shared_v2"), u"CANCELLED");
  // A new folder needs no upgrade and asks nothing.
  TInterfaceScriptee iu;
  (void)std::make_unique<TGestFichier>(rep / "Neuf.kya/Neuf.adb", TGestFichier::Creation());
  TGestFichier g(rep / "Neuf.kya/Neuf.adb", TGestFichier::Ouverture(&iu));
  EXPECT_EQ(g.GetModuleBDD()->GetInfoChps("Shared_v2"), u"UPDATED-1");
  EXPECT_EQ(Questions(iu), 0u);
}

}  // namespace
}  // namespace kyb
