// A person saved with its record card (events and simple fields) and alternative parents: all
// of it or nothing, whichever row write fails.
#include <gtest/gtest.h>

#include "support/dommages.h"
#include "support/genealogie.h"

namespace kyb {
namespace {

class FichePersonne : public ::testing::Test, protected test::TGenealogie {
 protected:
  TChpsSimple Simple(const char* libelle, const char16_t* donnee) const {
    TChpsSimple c(m);
    c.SetLibelle(libelle);
    c.SetDonnee(donnee);
    return c;
  }
  TFicPersons* f = Personnes();
  TModuleBDD* m = Bdd();
};

TEST_F(FichePersonne, JamaisAMoitieEnregistree) {
  const long no = Ajoute({u"Martin", u"", 'M', 0, 0, {{"NAISSANCE", "12/03/1850"}}});

  // Name, card (one event removed, one added, a simple field) and alternative parents at once.
  TPerson change(f, no, true);
  change.SetNom(u"Martel;Forge");
  ASSERT_TRUE(change.Fiche().SupprEvenNo(0));
  change.Fiche().AddEvenInTV(test::Evenement(m, {"DECES", "01/02/1900"}));
  change.Fiche().AddChpsSimpleInTV(Simple("PROFESSION", u"Forgeron"));
  change.NoParents().PereB = 1;
  int echecs = 0;
  bool ecrit = false;
  for (int n = 1; n <= 30 && !ecrit; ++n) {
    test::PanneAuNiemeEcrit(m->Database(), n, {"Evenements", "Personnes", "IDParents"});
    ecrit = change.Enregistrement();
    if (ecrit) break;
    ++echecs;
    const TPerson relu(f, no, true);  // the stored person is the old one, all of it
    EXPECT_EQ(relu.Public.Nom, u"Martin") << n;
    ASSERT_EQ(relu.Fiche().GetNbInfoEven(), 1) << n;
    EXPECT_EQ(relu.Fiche().Evenements[0].Even.Enreg.LibelleChamps, "NAISSANCE") << n;
    EXPECT_EQ(relu.Fiche().GetNbChpsSimple(), 0) << n;
    TNoParent parents;
    EXPECT_FALSE(m->ReadNoParents(no, parents)) << n;
    // The pending change is kept as it was, ready to be saved again.
    EXPECT_EQ(change.Fiche().GetNbInfoEven(), 1) << n;
    EXPECT_EQ(change.Fiche().EvensSupprimes.size(), 1u) << n;
  }
  ASSERT_TRUE(ecrit);
  EXPECT_GE(echecs, 4);  // removed event, added event, simple field, person row, parents row
  const TPerson relu(f, no, true);
  EXPECT_EQ(relu.Public.Nom, u"Martel;Forge");
  ASSERT_EQ(relu.Fiche().GetNbInfoEven(), 1);  // no event twice after the retries
  EXPECT_EQ(relu.Fiche().Evenements[0].Even.Enreg.LibelleChamps, "DECES");
  ASSERT_EQ(relu.Fiche().GetNbChpsSimple(), 1);
  EXPECT_EQ(relu.NoParents().PereB, 1);
}

}  // namespace
}  // namespace kyb
