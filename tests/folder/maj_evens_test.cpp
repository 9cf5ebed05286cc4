// One-time upgrades that need events, run when a writable folder of the current format opens.
#include <gtest/gtest.h>

#include "fields/csdefchps.h"
#include "folder/gest_fic.h"
#include "platform/thread_nom.h"
#include "store/datamodulebdd.h"
#include "dossier_fixture.h"

namespace kyb {
namespace {

using MiseAJourEvenements = test::DossierTemporaire;

TEST_F(MiseAJourEvenements, ChampSimpleDevientEvenementUneSeuleFois) {
  const AnsiString chemin = Store();
  long id = 0;
  {
    auto g = Cree(chemin);
    ASSERT_FALSE(g->Erreur);
    EXPECT_TRUE(g->IsConvertedForKY2013());  // integer _DATE column of the current schema
    // A folder whose PROFESSION is still a text field, with one value.
    g->GetDefChpsCs()->RechercheChampsInternePtr("PROFESSION")->Type = 10;
    ASSERT_TRUE(g->GetDefChpsCs()->Sauvegarde());
    TChpsSimple s(g->GetModuleBDD());
    s.SetLibelle("PROFESSION");
    s.SetDonnee(u"Charron");
    s.Enreg.NoPersA = 1;
    ASSERT_TRUE(s.Enregistrement());
    id = s.Enreg.ID;
  }
  {
    auto g = Ouvre(chemin);
    ASSERT_FALSE(g->Erreur);
    TModuleBDD& bdd = *g->GetModuleBDD();
    EXPECT_EQ(bdd.GetInfoChps("UPDATE_PROF"), u"UPDATED");
    EXPECT_EQ(bdd.GetInfoChps("UPDATE_TITRE"), u"UPDATED");  // already an event field: key only
    EXPECT_EQ(g->GetDefChpsCs()->RechercheChampsInternePtr("PROFESSION")->Type, 9);
    TEvenement e(&bdd);
    ASSERT_TRUE(e.Lecture(id));
    EXPECT_EQ(e.Enreg.Donnee, u"Charron");
    // A later text field of that name is left alone: the step ran once.
    g->GetDefChpsCs()->RechercheChampsInternePtr("PROFESSION")->Type = 10;
    ASSERT_TRUE(g->GetDefChpsCs()->Sauvegarde());
    EXPECT_FALSE(g->UpdateChpsProfession());
  }
  auto g = Ouvre(chemin);
  EXPECT_EQ(g->GetDefChpsCs()->RechercheChampsInternePtr("PROFESSION")->Type, 10);
}

TEST_F(MiseAJourEvenements, LibellesPartagesTransmisAuMagasin) {
  auto g = Cree(Store());
  ASSERT_FALSE(g->Erreur);
  // The default definitions mark the census as shared.
  EXPECT_TRUE(g->GetModuleBDD()->EstLibellePartage("RECENSEMENT"));
  EXPECT_FALSE(g->GetModuleBDD()->EstLibellePartage("NAISSANCE"));
}

}  // namespace
}  // namespace kyb
