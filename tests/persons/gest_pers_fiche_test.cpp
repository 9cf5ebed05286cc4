// The person's record card (events and simple fields) read with it and saved with it, all or
// nothing.
#include <gtest/gtest.h>

#include "persons/bufferisationarbchrono.h"
#include "persons/gest_pers.h"
#include "platform/thread_nom.h"
#include "store/datamodulebdd.h"
#include "support/support.h"

namespace kyb {
namespace {

class FichePersonne : public ::testing::Test {
 protected:
  FichePersonne() {
    NommeThreadPrincipal();
    g = std::make_unique<TGestFichier>(rep / "Famille.kya/Famille.adb", TGestFichier::Creation());
    f = g->FicPersons.get();
    m = g->GetModuleBDD();
  }
  TEvenement Even(const char* libelle, const char* date) const {
    TEvenement e(m);
    e.NouvelleFiche();
    e.SetLibelle(libelle);
    e.Enreg.Date = TDateKY('G', date);
    return e;
  }
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
  test::RepertoireTemporaire rep;
  std::unique_ptr<TGestFichier> g;
  TFicPersons* f = nullptr;
  TModuleBDD* m = nullptr;
};

TEST_F(FichePersonne, LueEtEnregistreeAvecLaPersonne) {
  TPerson p(f, 0);
  p.NouvelleFiche(kEnregCourant);
  const long no = p.Numero();
  p.SetNom(u"Martin");
  p.Fiche().EvenementsCharges = p.Fiche().ChpsSimplesCharges = true;  // a new person: empty card
  p.Fiche().AddEvenInTV(Even("NAISSANCE", "12/03/1850"));
  p.Fiche().AddChpsSimpleInTV(Simple("PROFESSION", u"Forgeron"));
  ASSERT_TRUE(p.Enregistrement());

  const TPerson seul(f, no);  // identity only: no card
  EXPECT_FALSE(seul.FicheChargee());
  const TPerson complet(f, no, true);
  ASSERT_TRUE(complet.FicheChargee());
  ASSERT_EQ(complet.Fiche().GetNbInfoEven(), 1);
  EXPECT_EQ(complet.Fiche().Evenements[0].Even.Enreg.LibelleChamps, "NAISSANCE");
  EXPECT_EQ(complet.Fiche().Evenements[0].Even.Enreg.NoPersA, no);
  ASSERT_EQ(complet.Fiche().GetNbChpsSimple(), 1);
  EXPECT_EQ(complet.Fiche().ChpsSimples[0].Chps.Enreg.Donnee, u"Forgeron");

  // A cached complete read gives the card; a second one asks nothing of the store.
  TPerson lu(f, 0);
  lu.Lecture(no, true, 0, true);
  EXPECT_EQ(lu.Fiche().GetNbInfoEven(), 1);
  lu.Lecture(no, false, 0, true);
  EXPECT_FALSE(lu.FicheChargee());
  // An event added through one copy is seen through the cache.
  TPerson q(f, no, true);
  q.Fiche().AddEvenInTV(Even("DECES", "01/02/1900"));
  ASSERT_TRUE(q.Enregistrement());
  lu.Lecture(no, true, 0, true);
  EXPECT_EQ(lu.Fiche().GetNbInfoEven(), 2);
  EXPECT_EQ(TPerson(f, no, true).Fiche().GetNbInfoEven(), 2);
}

TEST_F(FichePersonne, JamaisAMoitieEnregistree) {
  TPerson p(f, 0);
  p.NouvelleFiche(kEnregCourant);
  const long no = p.Numero();
  p.SetNom(u"Martin");
  p.Fiche().EvenementsCharges = p.Fiche().ChpsSimplesCharges = true;
  p.Fiche().AddEvenInTV(Even("NAISSANCE", "12/03/1850"));
  ASSERT_TRUE(p.Enregistrement());

  // Name, card (one event removed, one added, a simple field) and alternative parents at once.
  TPerson change(f, no, true);
  change.SetNom(u"Martel;Forge");
  ASSERT_TRUE(change.Fiche().SupprEvenNo(0));
  change.Fiche().AddEvenInTV(Even("DECES", "01/02/1900"));
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
