// Creating and editing a person field by field: links on both sides, refusals that change
// nothing, and a save that fails at any write leaving the folder as it was.
#include <gtest/gtest.h>

#include "engine/acr_query.h"
#include "folder/dossier_ancien.h"
#include "persons/edition_personne.h"
#include "platform/thread_nom.h"
#include "store/datamodulebdd.h"
#include "support/support.h"

namespace kyb {
namespace {

class EditionPersonne : public ::testing::Test {
 protected:
  EditionPersonne() {
    NommeThreadPrincipal();
    g = std::make_unique<TGestFichier>(rep / "Famille.kya/Famille.adb", TGestFichier::Creation());
    f = g->FicPersons.get();
    m = g->GetModuleBDD();
  }
  long Cree(const std::vector<std::pair<std::string, std::string>>& champs) const {
    TEditionPersonne e(*f);
    for (const auto& [champ, valeur] : champs) EXPECT_EQ(e.Applique(champ, valeur), "") << champ;
    EXPECT_EQ(e.Enregistre(), "");
    return e.Numero();
  }
  long MaxPersonne() const {
    TACRQuery q(m->Database(), "SELECT max(ID) FROM Personnes");
    return q.Open() ? q.Fields(0).AsInteger() : -1;
  }
  void PanneAuNiemeEcrit(int n) const {
    TACRDatabase& base = m->Database();
    ASSERT_TRUE(base.ExecuteSql("CREATE TEMP TABLE IF NOT EXISTS panne(restant INTEGER)"));
    ASSERT_TRUE(base.ExecuteSql("DELETE FROM panne"));
    ASSERT_TRUE(base.ExecuteSql("INSERT INTO panne VALUES(" + std::to_string(n) + ")"));
    for (const char* table : {"Evenements", "Personnes", "IDParents", "IndexNomPrenoms"})
      for (const char* op : {"INSERT", "UPDATE", "DELETE"}) {
        const std::string nom = std::string("panne_") + table + "_" + op;
        ASSERT_TRUE(
            base.ExecuteSql("CREATE TEMP TRIGGER IF NOT EXISTS " + nom + " BEFORE " + op + " ON main." + table +
                            " BEGIN UPDATE panne SET restant = restant - 1; "
                            "SELECT RAISE(ABORT, 'panne provoquée') WHERE (SELECT restant FROM panne) = 0; END"));
      }
  }
  test::RepertoireTemporaire rep;
  std::unique_ptr<TGestFichier> g;
  TFicPersons* f = nullptr;
  TModuleBDD* m = nullptr;
};

TEST_F(EditionPersonne, CreeAvecSesParentsDesDeuxCotes) {
  const long pere = Cree({{"NOM", "Martin"}, {"PRENOMS", "Jean"}, {"SEXE", "M"}});
  const long mere = Cree({{"NOM", "Dupré"}, {"PRENOMS", "Marie"}, {"SEXE", "F"}, {"CONJOINT", std::to_string(pere)}});
  const long enfant = Cree({{"NOM", "Martin"},
                            {"SEXE", "M"},
                            {"PERE", std::to_string(pere)},
                            {"MERE", std::to_string(mere)},
                            {"NAISSANCE", "14 7 1850"},
                            {"NAISSANCE.lieu", "Rouen"},
                            {"Décès", "1900"}});
  EXPECT_EQ(TPerson(f, pere).RetourneRgConj(mere), 1);  // the spouse link on both sides
  EXPECT_EQ(TPerson(f, pere).RetourneRgEnf(enfant), 1);
  EXPECT_EQ(TPerson(f, mere).RetourneRgEnf(enfant), 1);
  TPerson e(f, enfant, true);
  EXPECT_EQ(e.Public.Pere.No, pere);
  EXPECT_EQ(e.Public.Mere.No, mere);
  EXPECT_EQ(e.ChargeEven("NAISSANCE"), u"le 14 juillet 1850 à Rouen");
  EXPECT_EQ(e.ChargeEven("DECES"), u"en 1900");
  EXPECT_TRUE(e.IsExistChpsSimple("DCF"));

  // A new father: the old one loses the child, the new one gains it.
  const long autre = Cree({{"NOM", "Leroy"}, {"SEXE", "M"}});
  TEditionPersonne modif(*f, enfant);
  ASSERT_EQ(modif.Applique("PERE", std::to_string(autre)), "");
  ASSERT_EQ(modif.Enregistre(), "");
  EXPECT_EQ(TPerson(f, pere).RetourneRgEnf(enfant), 0);
  EXPECT_EQ(TPerson(f, autre).RetourneRgEnf(enfant), 1);
  EXPECT_EQ(TPerson(f, mere).RetourneRgEnf(enfant), 1);
}

TEST_F(EditionPersonne, RefusSansRienChanger) {
  const long homme = Cree({{"NOM", "Martin"}, {"SEXE", "M"}});
  const long femme = Cree({{"NOM", "Dupré"}, {"SEXE", "F"}});
  const long enfant = Cree({{"NOM", "Martin"}, {"PERE", std::to_string(homme)}, {"NAISSANCE", "1850"}});
  struct {
    long no;
    std::string champ;
    std::string valeur;
    const char* message;
  } const cas[] = {
      {homme, "PERE", std::to_string(homme), "une personne ne peut pas être son propre père"},
      {homme, "CONJOINT", std::to_string(homme), "une personne ne peut pas être son propre conjoint"},
      {homme, "MERE", "99", "la personne 99 n'existe pas"},
      {homme, "PERE", std::to_string(femme), "est une femme : elle ne peut pas être le père"},
      {homme, "MERE", std::to_string(homme), "sa propre mère"},
      {homme, "PERE", std::to_string(enfant), "est un enfant de cette personne"},
      {homme, "NOM", std::string(101, 'a'), "le nom dépasse 100 caractères (101)"},
      {homme, "PRENOMS", std::string(71, 'b'), "les prénoms dépassent 70 caractères (71)"},
      {homme, "SEXE", "X", "sexe invalide"},
      {homme, "NAISSANCE", "31/02/1850", "date invalide"},
      {homme, "INCONNUE", "1", "rubrique inconnue"},
      {homme, "UNION", "1850", "rubrique de couple"},
      {homme, "UNION@" + std::to_string(femme), "1850", "n'est pas un conjoint"},
      {homme, "PROFESSION", std::string(301, 'c'), "la donnée dépasse 300 caractères"},
  };
  for (const auto& c : cas) {
    TEditionPersonne e(*f, c.no);
    const std::string message = e.Applique(c.champ, c.valeur);
    EXPECT_NE(message.find(c.message), std::string::npos) << c.champ << " → " << message;
  }
  TEditionPersonne e(*f, enfant);
  EXPECT_EQ(e.Applique("NAISSANCE", "1851", true), "Impossible d'ajouter une nouvelle rubrique pour cette fiche.");
  EXPECT_NE(TEditionPersonne(*f, 0).Erreur(), "");
  EXPECT_NE(TEditionPersonne(*f, MaxPersonne() + 1).Erreur(), "");
  // Nothing of it reached the store.
  const TPerson h(f, homme, true);
  EXPECT_EQ(h.Public.Nom, u"Martin");
  EXPECT_EQ(h.Public.Pere.No, 0);
  EXPECT_EQ(h.CompteNbConjoint(), 0);
  EXPECT_EQ(TPerson(f, enfant, true).ChargeEven("NAISSANCE"), u"en 1850");
}

TEST_F(EditionPersonne, JamaisAMoitieCreee) {
  const long pere = Cree({{"NOM", "Martin"}, {"SEXE", "M"}});
  const long mere = Cree({{"NOM", "Dupré"}, {"SEXE", "F"}});
  const long max = MaxPersonne();
  bool ecrit = false;
  int echecs = 0;
  for (int n = 1; n <= 60 && !ecrit; ++n) {
    PanneAuNiemeEcrit(n);
    TEditionPersonne e(*f);
    for (const auto& [champ, valeur] : std::vector<std::pair<std::string, std::string>>{
             {"NOM", "Martin"}, {"PERE", std::to_string(pere)}, {"MERE", std::to_string(mere)}, {"NAISSANCE", "1850"}})
      ASSERT_EQ(e.Applique(champ, valeur), "");
    ecrit = e.Enregistre().empty();
    if (ecrit) break;
    ++echecs;
    EXPECT_EQ(MaxPersonne(), max) << n;  // no new row, not even a blank one
    EXPECT_EQ(f->NbEnreg, max) << n;
    EXPECT_EQ(TPerson(f, pere).CompteNbEnfant(), 0) << n;
    EXPECT_EQ(TPerson(f, mere).CompteNbEnfant(), 0) << n;
    EXPECT_TRUE(m->GetIndexPerson(max + 1).empty()) << n;
  }
  ASSERT_TRUE(ecrit);
  EXPECT_GE(echecs, 4);  // new row, card, person row, each parent
  const long no = max + 1;
  EXPECT_EQ(MaxPersonne(), no);
  EXPECT_EQ(TPerson(f, pere).RetourneRgEnf(no), 1);
  EXPECT_EQ(TPerson(f, mere).RetourneRgEnf(no), 1);
  EXPECT_EQ(TPerson(f, no, true).ChargeEven("NAISSANCE"), u"en 1850");
}

// An older folder (persons in the ".prs" file) is shown, never edited: nothing in it changes.
TEST_F(EditionPersonne, DossierAncienLuSansEtreModifie) {
  const AnsiString chemin =
      test::CreeDossierAncien(rep.Chemin(), {test::Personne(u"Lefèvre"), test::Personne(u"Dupont", 'F')});
  const std::string prs = ChangeExtension(chemin, ".prs");
  const std::string avant = test::Contenu(prs);
  auto ancien = std::make_unique<TGestFichier>(chemin, TGestFichier::TOptionsOuverture{.PremierePersonne = 1});
  TFicPersons& fa = *ancien->FicPersons;
  ASSERT_TRUE(fa.AncienFormat());
  TPerson p(&fa, 2, true);
  EXPECT_EQ(p.InfoLigneAllege(), u"Dupont");
  EXPECT_EQ(p.ChargeSexe(), u"Féminin");
  TEditionPersonne e(fa, 2);
  EXPECT_NE(e.Erreur(), "");
  EXPECT_NE(e.Applique("NOM", "Autre"), "");
  EXPECT_NE(e.Enregistre(), "");
  TEditionPersonne n(fa);
  EXPECT_NE(n.Enregistre(), "");
  ancien.reset();
  EXPECT_EQ(test::Contenu(prs), avant);
}

}  // namespace
}  // namespace kyb
