// The counts of a whole genealogy: what is counted once, what is left out.
#include "platform/thread_nom.h"
#include "store/statistiques_bdd.h"
#include "store/evenement.h"
#include "store_fixture.h"

namespace kyb::test {
namespace {

class Decomptes : public Magasin {
 protected:
  void SetUp() override {
    NommeThreadPrincipal();
    Magasin::SetUp();
  }
  void Even(const char* libelle, long noPers, long conjoint = 0, const char* date = "") {
    TEvenement e(module.get());
    e.NouvelleFiche();
    e.SetLibelle(libelle);
    e.Enreg.NoPersA = static_cast<int32_t>(noPers);
    e.Enreg.NoPersB = static_cast<int32_t>(conjoint);
    if (*date) e.Enreg.Date = TDateKY('G', date);
    ASSERT_TRUE(module->EnregistrementEven(e));
  }
};

TEST_F(Decomptes, CopieDuConjointEtFichesCacheesOuSupprimeesHorsDuCompte) {
  Even("UNION", 1, 2);  // the union held by both spouses
  Even("UNION", 2, 1);
  Even("UNION", 3, 4);  // held by one only
  Even("NAISSANCE", 1, 0, "02/03/1850");
  Even("NAISSANCE", -5, 0, "01/01/1700");  // hidden
  Even("NAISSANCE", 6, 0, "01/01/1600");   // its holder is deleted
  Even("DECES", 2, 0, "04/05/1901");
  ASSERT_TRUE(module->AddPersSuppr(6));
  TDecomptesBDD d;
  ASSERT_TRUE(LitDecomptes(*module, d));
  const std::vector<std::pair<AnsiString, long>> attendus{{"UNION", 2}, {"DECES", 1}, {"NAISSANCE", 1}};
  EXPECT_EQ(d.Evenements, attendus);
  EXPECT_EQ(d.PlusAncien.NoPers, 1);
  EXPECT_EQ(d.PlusAncien.Date.Texte(), "02/03/1850");
  EXPECT_EQ(d.PlusRecent.NoPers, 2);
}

}  // namespace
}  // namespace kyb::test
