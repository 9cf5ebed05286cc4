// The places table owns the reference town tables and fills a place's empty parts from them.
#include "dossier_fixture.h"
#include "folder/fic_dupli.h"
#include "store/ficpays.h"

namespace kyb::test {
namespace {

class LieuxReference : public DossierTemporaire {
 protected:
  LieuxReference() { DefinitRepertoireTablesVilles(KYBASE_TABLES_VILLES); }
};

TEST_F(LieuxReference, PartiesCodeesRempliesDepuisLaTable) {
  auto g = Cree(Store());
  EXPECT_EQ(g->GetFicQualites()->GetFicPays(), nullptr);
  TFicDupli& lieux = *g->GetFicLieux();
  ASSERT_NE(lieux.GetFicPays(), nullptr);
  EXPECT_EQ(lieux.GetFicPays(), lieux.GetFicPays());  // one, owned by the table
  const struct {
    const char *valeur, *code, *complement;
    TCompletionLieu resultat;
    const char *valeurApres, *codeApres, *complementApres;
  } cas[] = {
      {"Lyon", "", "", TCompletionLieu::Completee, "Lyon;Auvergne-Rhône-Alpes", "69", "France"},
      {"Œuilly", "02", "", TCompletionLieu::Completee, "Œuilly;Hauts-de-France", "02", "France"},
      {"Paris", "", "france;UE", TCompletionLieu::Completee, "Paris;Île-de-France", "75", "france;UE"},
      {"Œuilly", "", "", TCompletionLieu::Ambigue, "Œuilly", "", ""},
      {"Lyon", "", "Belgique", TCompletionLieu::SansTable, "Lyon", "", "Belgique"},
  };
  for (const auto& c : cas) {
    TEltDupWideChn lieu(U(c.valeur), U(c.code), U(c.complement));
    EXPECT_EQ(lieux.CompleteLieu(lieu), c.resultat) << c.valeur;
    EXPECT_EQ(UnicodeVersUtf8(lieu.Valeur()), c.valeurApres);
    EXPECT_EQ(UnicodeVersUtf8(lieu.Code()), c.codeApres);
    EXPECT_EQ(UnicodeVersUtf8(lieu.Complement()), c.complementApres);
  }
}

}  // namespace
}  // namespace kyb::test
