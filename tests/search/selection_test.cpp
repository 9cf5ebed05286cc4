// Selections: their operations and streams, and their run over the persons of a genealogy, person
// by person and through the store.
#include "search/selection.h"

#include <gtest/gtest.h>

#include "platform/date_heure.h"
#include "search/saisie_condition.h"
#include "search/selection_complexe.h"
#include "search/selections_dossier.h"
#include "support/genealogie_index.h"

namespace kyb {
namespace {

TSelection Selection(const std::vector<const char16_t*>& conditions, const char16_t* equation,
                     const TDefChpsCs* defs = nullptr, const char16_t* nom = u"") {
  TSelection s;
  for (const char16_t* texte : conditions) {
    TCondition c;
    std::string erreur;
    EXPECT_TRUE(LitCondition(texte, defs, c, erreur)) << erreur;
    s.AjouteCondition(c);
  }
  s.Equation = equation;
  s.Nom = nom;
  return s;
}

TEST(Selection, ConcatGenerationEtGroupesSql) {
  TSelection a = Selection({u"Homme", u"Femme"}, u"1 ou 2", nullptr, u"A");
  const TSelection b = Selection({u"Vivant"}, u"", nullptr, u"B");
  a.Concat(&b);
  EXPECT_EQ(a.Nom, u"A et B");
  EXPECT_EQ(a.Equation, u"1 ou 2 et 3");
  EXPECT_EQ(a.NbConditions(), 3);
  TSelection vide;
  vide.Concat(&b);
  EXPECT_EQ(vide.Nom, u"B");
  EXPECT_EQ(vide.Equation, u"1");

  EXPECT_EQ(a.ChercheNoGen(), 1);
  EXPECT_TRUE(a.IsCondHomme() && a.IsCondFemme() && !a.IsCondImplexe());
  TSelection gen;
  gen.SetCondNoGenEgal(5);
  EXPECT_EQ(gen.Nom, u"Génération N° 5");
  EXPECT_EQ(gen.Equation, u"1");
  EXPECT_EQ(gen.ChercheNoGen(), 5);
  EXPECT_TRUE(gen.IsCondSurNoGen(5));
  EXPECT_FALSE(gen.IsCondSurNoGen(4));

  const TSelection sql = Selection({u"Profession égal à a", u"Profession égal à b", u"Profession égal à c"},
                                   u"1 et 2 ou 3");
  ASSERT_TRUE(sql.CanConvertToSql());
  std::map<int, std::vector<std::string>> groupes;
  sql.ConvertToSql(groupes);
  ASSERT_EQ(groupes.size(), 2u);
  EXPECT_EQ(groupes[0].size(), 2u);
  EXPECT_NE(groupes[1][0].find("'c'"), std::string::npos);
  EXPECT_FALSE(TSelection().CanConvertToSql());
  EXPECT_FALSE(a.CanConvertToSql());
}

TEST(Selection, DifferentDupliqueEtFlux) {
  TSelectionMEV m;
  m.Nom = u"Case par défaut";
  m.AjouteCondition(TCondition());
  m.Equation = u"1";
  m.Couleur = 0x00ff00;
  std::unique_ptr<TSelection> copie;
  DupliqueSelection(copie, &m);
  auto* mev = dynamic_cast<TSelectionMEV*>(copie.get());
  ASSERT_TRUE(mev);
  EXPECT_FALSE(m.Different(mev));
  mev->Drapeau2 = false;
  EXPECT_TRUE(m.Different(mev));
  mev->Drapeau2 = true;
  mev->Nom = u"autre";  // the name does not count for highlighting
  EXPECT_FALSE(m.Different(mev));
  EXPECT_TRUE(m.TSelection::Different(mev));

  TSelections liste;
  liste.push_back(std::make_unique<TSelection>(Selection({u"Homme", u"PERE vide"}, u"1 et non 2", nullptr, u"H")));
  liste.push_back(std::move(copie));
  const std::string octets = FluxSelections(liste);
  TSelections relue;
  ASSERT_TRUE(LitFluxSelections(octets, relue));
  ASSERT_EQ(relue.size(), 2u);
  EXPECT_FALSE(relue[0]->Different(liste[0].get()));
  EXPECT_FALSE(dynamic_cast<TSelectionMEV*>(relue[1].get())->Different(dynamic_cast<TSelectionMEV*>(liste[1].get())));
  for (size_t coupe = 0; coupe < octets.size(); coupe += 5)
    EXPECT_FALSE(LitFluxSelections(std::string_view(octets).substr(0, coupe), relue)) << coupe;
  EXPECT_FALSE(LitFluxSelections(octets + "x", relue));
}

class SelectionGenealogie : public ::testing::Test {
 protected:
  SelectionGenealogie() {
    jean = g.Ajoute({u"DUPONT", u"Jean", 'M', 0, 0, {{"NAISSANCE", "14/07/1855"}}});
    marie = g.Ajoute({u"MARTIN", u"Marie", 'F', 0, 0, {{"NAISSANCE", "../../1840"}, {"DECES", "../../1900"}}});
    pierre = g.Ajoute({u"DUPONT", u"Pierre", 'M', jean, marie, {{"NAISSANCE", "01/03/1880"}}});
    paul = g.Ajoute({u"DUPONT", u"Paul", 'M', jean, marie, {{"NAISSANCE", "01/03/1880"}}});
    louis = g.Ajoute({u"DURAND", u"Louis", 'M'});
    Profession(jean, u"Boulanger");
    Profession(pierre, u"O'Neil%");
  }
  void Profession(long no, const char16_t* texte) {
    TPerson p = g.Personne(no, true);
    p.AjouteProfession(texte);
    ASSERT_TRUE(p.Enregistrement());
  }
  std::vector<int32_t> Execute(const TSelection& s, bool parStore, bool parParcours = true) {
    TSelectionComplexe sc(g.Index());
    const TResultatSelection r = sc.Execute(s, nullptr, parStore, parParcours);
    EXPECT_EQ(r.ParStore, parStore && s.CanConvertToSql());
    std::vector<int32_t> n = r.Numeros;
    std::sort(n.begin(), n.end());
    return n;
  }

  test::TGenealogieIndex g;
  long jean = 0, marie = 0, pierre = 0, paul = 0, louis = 0;
};

TEST_F(SelectionGenealogie, ParPersonneEtParLeStore) {
  const HorlogeFixee horloge(EncodeDate(2026, 7, 14));
  const TDefChpsCs* defs = g.Dossier().GetDefChpsCs();
  const std::string pierreTexte = std::to_string(pierre);
  const UnicodeString ascendance = u"NOM ascendance de " + AnsiVersUnicode(pierreTexte);
  struct {
    std::vector<const char16_t*> conditions;
    const char16_t* equation;
    std::vector<long> attendus;
  } cas[] = {
      {{u"NAISSANCE.date entre 1850 1860", u"Homme", u"PERE vide"}, u"1 et (2 ou non 3)", {jean}},
      {{u"NAISSANCE.date entre 1850 1860", u"Homme", u"PERE vide"}, u"non 3 ou 1", {jean, pierre, paul}},
      {{u"DECES.date non vide", u"Femme"}, u"1 et 2", {marie}},
      {{u"Jumeaux"}, u"1", {pierre, paul}},
      {{u"Anniversaire ce jour"}, u"1", {jean}},
      {{u"Anniversaire ce jour"}, u"", {1, jean, marie, pierre, paul, louis}},
      {{u"Vivant", u"Nom commence par DU"}, u"1 et 2", {louis}},
      {{ascendance.c_str()}, u"1", {jean, marie}},
      {{u"Prénom égal à PIERRE, Jean"}, u"1", {jean, pierre}},
  };
  for (const auto& c : cas) {
    const TSelection s = Selection(c.conditions, c.equation, defs);
    const std::vector<int32_t> attendus(c.attendus.begin(), c.attendus.end());
    EXPECT_EQ(Execute(s, false), attendus) << UnicodeVersUtf8(c.equation);
    EXPECT_EQ(Execute(s, false, false), attendus) << UnicodeVersUtf8(c.equation);
  }
  // Conditions the store answers: the same persons either way, values taken literally.
  const std::pair<const char16_t*, std::vector<long>> parStore[] = {
      {u"Profession commence par boul", {jean}},
      {u"Profession égal à O'Neil%", {pierre}},
      {u"Profession contenant %", {pierre}},
      {u"Profession contenant ' OR 1=1 --", {}},
  };
  for (const auto& [texte, attendus] : parStore) {
    const TSelection s = Selection({texte}, u"1", defs);
    const std::vector<int32_t> a(attendus.begin(), attendus.end());
    EXPECT_EQ(Execute(s, true), a) << UnicodeVersUtf8(texte);
    EXPECT_EQ(Execute(s, false), a) << UnicodeVersUtf8(texte);
    EXPECT_EQ(Execute(s, false, false), a) << UnicodeVersUtf8(texte);
  }
  EXPECT_EQ(Execute(Selection({u"Profession commence par boul", u"Profession contenant %"}, u"non 1 et non 2", defs), true),
            Execute(Selection({u"Profession commence par boul", u"Profession contenant %"}, u"non 1 et non 2", defs), false));
}

TEST_F(SelectionGenealogie, ConditionsSansReponseEquationInvalideEtAbandon) {
  TCondition entre;
  entre.Champ = TChampBase("NAISSANCE", 'D', tbDate, TSituationChamp::Evenement);
  entre.Operateur = opEntre;
  entre.Valeur1 = TChampBase(u"1800");
  TSelection s;
  s.AjouteCondition(entre);
  s.Equation = u"1";
  EXPECT_TRUE(Execute(s, false).empty());

  TCondition caseSel;
  caseSel.SetCondCaseSelectionnee();
  TPerson p = g.Personne(jean);
  EXPECT_FALSE(caseSel.Satisfaite(p));
  const TDonneeDocBase doc{{csCaseSelectionnee}, false};
  EXPECT_TRUE(caseSel.Satisfaite(p, &doc));

  const TSelection invalide = Selection({u"Homme"}, u"1 et 4");
  TSelectionComplexe sc(g.Index());
  const TResultatSelection r = sc.Execute(invalide);
  EXPECT_TRUE(r.Invalide && invalide.Erreur);
  EXPECT_EQ(r.MessageErreur, "la condition 4 n'existe pas (1 condition(s))");
  EXPECT_FALSE(invalide.Satisfaite(p));

  TInterfaceScriptee iu;
  iu.DemandeAnnulation(true);
  TProgression barre(&iu, u"Sélection");
  const TResultatSelection arretee = sc.Execute(Selection({u"Homme"}, u""), &barre, false);
  EXPECT_TRUE(arretee.Abandonnee);
  EXPECT_TRUE(arretee.Numeros.empty());
}

TEST_F(SelectionGenealogie, SelectionsGardeesDansLeDossier) {
  TSelections liste;
  std::string erreur;
  ASSERT_TRUE(ChargeSelections(g.Dossier(), liste, erreur));
  EXPECT_TRUE(liste.empty());
  liste.push_back(std::make_unique<TSelection>(Selection({u"Homme"}, u"1", nullptr, u"Hommes")));
  ASSERT_TRUE(EnregistreSelections(g.Dossier(), liste, erreur)) << erreur;
  TSelections relue;
  ASSERT_TRUE(ChargeSelections(g.Dossier(), relue, erreur)) << erreur;
  ASSERT_EQ(relue.size(), 1u);
  EXPECT_FALSE(relue[0]->Different(liste[0].get()));
}

}  // namespace
}  // namespace kyb
