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
  MajPartages() { (void)Cree(Store()); }
  // An older set of definitions: neither field shared, the relation not repeatable.
  void Ancien() const {
    auto g = Ouvre();
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

// Agreed, refused, or with no window to ask (counted as refused): asked at most once, the answer
// kept, never offered again.
TEST_F(MajPartages, ReponseDonneeUneSeuleFoisPuisGardee) {
  const struct {
    int reponse;  // 0: no window
    const char16_t* etat;
    bool partage;
  } cas[] = {{kReponseOui, u"UPDATED-1", true}, {kReponseNon, u"CANCELLED", false}, {0, u"CANCELLED", false}};
  for (const auto& c : cas) {
    SCOPED_TRACE(c.reponse);
    Ancien();
    TInterfaceScriptee iu;
    iu.Reponses().push_back(c.reponse);
    for (int ouverture = 0; ouverture < 2; ++ouverture) {
      auto g = Ouvre(c.reponse ? &iu : nullptr);
      ASSERT_FALSE(g->Erreur);
      EXPECT_EQ(g->GetModuleBDD()->GetInfoChps("Shared_v2"), c.etat);
      EXPECT_EQ(g->GetDefChpsCs()->RechercheChampsInternePtr("RECENSEMENT")->Partage, c.partage);
      const TChpCs* relation = g->GetDefChpsCs()->RechercheChampsInternePtr("RELATION_PRIV");
      EXPECT_EQ(relation->Partage, c.partage);
      EXPECT_EQ(relation->Repetable, c.partage);
    }
    EXPECT_EQ(Questions(iu), c.reponse ? 1u : 0u);
  }
  // A new folder needs no upgrade and asks nothing.
  TInterfaceScriptee iu;
  (void)std::make_unique<TGestFichier>(rep / "Neuf.kya/Neuf.adb", TGestFichier::Creation());
  TGestFichier g(rep / "Neuf.kya/Neuf.adb", TGestFichier::Ouverture(&iu));
  EXPECT_EQ(g.GetModuleBDD()->GetInfoChps("Shared_v2"), u"UPDATED-1");
  EXPECT_EQ(Questions(iu), 0u);
}

}  // namespace
}  // namespace kyb
