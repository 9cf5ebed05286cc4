// A person saved with its record card (events and simple fields) and alternative parents: all
// of it or nothing, whichever row write fails.
#include <gtest/gtest.h>

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
  // Makes the n-th row write on the person's tables fail (temporary triggers on this connection).
  void PanneAuNiemeEcrit(int n) const {
    TACRDatabase& base = m->Database();
    ASSERT_TRUE(base.ExecuteSql("CREATE TEMP TABLE IF NOT EXISTS panne(restant INTEGER)"));
    ASSERT_TRUE(base.ExecuteSql("DELETE FROM panne"));
    ASSERT_TRUE(base.ExecuteSql("INSERT INTO panne VALUES(" + std::to_string(n) + ")"));
    for (const char* table : {"Evenements", "Personnes", "IDParents"})
      for (const char* op : {"INSERT", "UPDATE", "DELETE"}) {
        const std::string nom = std::string("panne_") + table + "_" + op;
        ASSERT_TRUE(base.ExecuteSql("CREATE TEMP TRIGGER IF NOT EXISTS " + nom + " BEFORE " + op + " ON main." +
                                    table + " BEGIN UPDATE panne SET restant = restant - 1; "
                                    "SELECT RAISE(ABORT, 'panne provoquée') WHERE (SELECT restant FROM panne) = 0; END"));
      }
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
    PanneAuNiemeEcrit(n);
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
