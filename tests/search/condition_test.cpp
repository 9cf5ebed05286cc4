// Search conditions without a genealogy: the value comparison, the ready-made table, the display
// text, the store form and the streams.
#include "search/condition.h"

#include <gtest/gtest.h>

#include "fields/csdefchps.h"
#include "search/saisie_condition.h"

namespace kyb {
namespace {

TCondition Comparaison(int op, const char16_t* v1, const char16_t* v2 = u"") {
  TCondition c;
  c.Operateur = op;
  c.Valeur1 = TChampBase(v1);
  c.Valeur2 = TChampBase(v2);
  return c;
}

TEST(Condition, TestValeurElementParElement) {
  struct {
    int op;
    const char16_t *v1, *v2;
    TTypeChpBasic type;
    const char16_t* personne;
    bool attendu;
  } cas[] = {
      {opEgal, u"JEAN, PIERRE", u"", tbTexte, u"Pierre, Paul", true},
      {opEgal, u"jean", u"", tbTexte, u"Pierre, Paul", false},
      {opDifferent, u"A, B", u"", tbTexte, u"b", false},
      {opDifferent, u"A, B", u"", tbTexte, u"c", true},
      {opDifferent, u"A", u"", tbTexte, u"", true},
      {opCommencePar, u"du", u"", tbTexte, u"Dupont", true},
      {opTerminePar, u"ONT", u"", tbTexte, u"Dupont", true},
      {opTerminePar, u"DU", u"", tbTexte, u"Dupont", false},
      {opContenant, u"pon", u"", tbTexte, u"Dupont", true},
      {opEntre, u"1850", u"1860", tbDate, u"14/07/1855", true},
      {opEntre, u"1850", u"1860", tbDate, u"14/07/1861", false},
      {opEntre, u"1850", u"", tbDate, u"14/07/1855", false},
      {opEgal, u"1855", u"", tbDate, u"14/07/1855", true},
      {opEgal, u"14/07/1855", u"", tbDate, u"15/07/1855", false},
      {opPlusGrandOuEgal, u"10", u"", tbNombre, u"<12", true},
      {opPlusGrandOuEgal, u"10", u"", tbNombre, u"9", false},
      {opPlusPetitOuEgal, u"10", u"", tbNombre, u"abc", false},
      {opPlusGrandOuEgal, u"B", u"", tbTexte, u"c", true},
      {opVide, u"", u"", tbTexte, u"", true},
      {opVide, u"", u"", tbTexte, u"x", false},
      {opNonVide, u"", u"", tbTexte, u"x", true},
  };
  for (const auto& c : cas)
    EXPECT_EQ(Comparaison(c.op, c.v1, c.v2).TestValeur(c.personne, c.type), c.attendu)
        << c.op << " " << UnicodeVersUtf8(c.v1) << " / " << UnicodeVersUtf8(c.personne);
}

TEST(Condition, ConditionsToutesFaitesDansLesDeuxSens) {
  ASSERT_EQ(RetNbCondSimple(), 37);
  std::set<int> types;
  for (int pos = 0; pos < RetNbCondSimple(); ++pos) {
    const int type = RetConditionSimpleObj(pos);
    EXPECT_EQ(RetPosConditionSimpleObj(type), pos);
    types.insert(type);
  }
  EXPECT_EQ(types.size(), 37u);
  EXPECT_EQ(RetConditionSimpleObj(-1), -1);
  EXPECT_EQ(RetConditionSimpleObj(37), -1);
  EXPECT_EQ(RetConditionSimple(0), u"Case centrale de l'arbre");
  EXPECT_EQ(RetConditionSimple(-1), u" ... Choix d'un autre champ ...");
  std::set<int> sansValeur;
  for (int t = -1; t < 40; ++t)
    if (IsCondSimpleBool(t)) sansValeur.insert(t);
  EXPECT_EQ(sansValeur, (std::set<int>{2, 3, 4, 5, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 33,
                                       34, 35, 36}));
  EXPECT_EQ(RetOperateur(10), u"ascendance de");
  EXPECT_EQ(RetOperateur(11), u"");
}

TEST(Condition, TexteAffiche) {
  TCondition entre = Comparaison(opEntre, u"1850", u"1860");
  entre.Champ.Libelle = "NAISSANCE";
  EXPECT_EQ(entre.RetChnCond(nullptr), u"NAISSANCE entre 1850 - 1860");
  TCondition vide = Comparaison(opVide, u"ignoré");
  vide.Type = csProfession;
  EXPECT_EQ(vide.RetChnCond(nullptr), u"Profession vide");
  TCondition homme = Comparaison(opEgal, u"x");
  homme.Type = csHomme;
  EXPECT_EQ(homme.RetChnCond(nullptr), u"Homme");
  TCondition gen;
  gen.SetCondNoGenEgal(4);
  EXPECT_EQ(gen.RetChnCond(nullptr), u"N° Génération égal à 4");
}

TEST(Condition, FormeSqlEtValeursHostiles) {
  TCondition c = Comparaison(opCommencePar, u"Du");
  c.Champ = TChampBase("X", 'F', tbTexte, TSituationChamp::Personne);
  ASSERT_TRUE(c.CanConvertToSql());
  EXPECT_EQ(c.GetSql(), "SELECT NoPersA FROM Evenements WHERE LibelleChamps = 'X' AND Donnee LIKE 'Du%';");
  c.Valeur1.Valeur = u"O'Neil'; DROP TABLE Personnes; --";
  EXPECT_EQ(c.GetSql(), "SELECT NoPersA FROM Evenements WHERE LibelleChamps = 'X' AND Donnee LIKE "
                        "'O''Neil''; DROP TABLE Personnes; --%';");
  TCondition profession = Comparaison(opContenant, u"boulanger");
  profession.Type = csProfession;
  EXPECT_NE(profession.GetSql().find("LibelleChamps = 'PROFESSION' AND Donnee LIKE '%boulanger%'"), std::string::npos);
  // What stays with the person-by-person evaluation.
  TCondition entre = c;
  entre.Operateur = opEntre;
  TCondition evenement = c;
  evenement.Champ.Situation = TSituationChamp::Evenement;
  TCondition liste = c;
  liste.Valeur1.Valeur = u"A, B";
  TCondition nom = c;
  nom.Champ.Libelle = "NOM";
  for (const TCondition* x : {&entre, &evenement, &liste, &nom}) {
    EXPECT_FALSE(x->CanConvertToSql());
    EXPECT_EQ(x->GetSql(), "");
  }
}

std::string Flux(const TCondition& c) {
  TFluxSortie s;
  s.EcritPointeur(&c);
  return s.Donnees();
}

TEST(Condition, FluxAllerRetourAnciennesVersionsEtDommages) {
  EnregistreClassesRecherche();
  TCondition c = Comparaison(opEntre, u"1850", u"1860");
  c.Champ = TChampBase("NAISSANCE", 'D', tbDate, TSituationChamp::Evenement);
  const std::string octets = Flux(c);
  {
    TFluxEntree e(octets);
    auto* lu = dynamic_cast<TCondition*>(e.LitPointeur());
    ASSERT_TRUE(lu && !e.Echec());
    EXPECT_FALSE(lu->Different(&c));
  }
  // A version-1 stream: kinds written without 10 and 22.
  for (const auto& [ecrit, lu] : std::vector<std::pair<int, int>>{{9, 9}, {10, 11}, {20, 21}, {21, 23}, {34, 36}}) {
    TCondition v1;
    v1.Type = ecrit;
    std::string o = Flux(v1);
    const std::string version2 = std::string("TCondition") + '\x02';
    const size_t p = o.find(version2);
    ASSERT_NE(p, std::string::npos);
    o[p + 10] = '\x01';
    TFluxEntree e(o);
    auto* x = dynamic_cast<TCondition*>(e.LitPointeur());
    ASSERT_TRUE(x) << ecrit;
    EXPECT_EQ(x->Type, lu) << ecrit;
  }
  for (size_t coupe = 0; coupe < octets.size(); coupe += 7) {
    TFluxEntree e(std::string_view(octets).substr(0, coupe));
    (void)e.LitPointeur();
    EXPECT_TRUE(e.Echec()) << coupe;
  }
  std::string faux = octets;
  faux[faux.size() - 1] = '\x7f';  // kind 127
  TFluxEntree e(faux);
  (void)e.LitPointeur();
  EXPECT_TRUE(e.Echec());
}

TEST(Condition, Different) {
  const TCondition a = Comparaison(opEgal, u"x");
  for (auto change : std::vector<void (*)(TCondition&)>{
           [](TCondition& c) { c.Operateur = opCommencePar; }, [](TCondition& c) { c.Valeur1.Valeur = u"y"; },
           [](TCondition& c) { c.Valeur2.Valeur = u"y"; }, [](TCondition& c) { c.Type = csNom; },
           [](TCondition& c) { c.Champ.Libelle = "NOM"; }}) {
    TCondition b(&a);
    EXPECT_FALSE(a.Different(&b));
    change(b);
    EXPECT_TRUE(a.Different(&b));
  }
  EXPECT_TRUE(a.Different(nullptr));
}

TEST(Condition, SaisieEnFrancais) {
  struct {
    const char16_t* texte;
    int type, op;
    const char* libelle;
    char morceau;
    const char16_t *v1, *v2;
  } bons[] = {
      {u"Homme", csHomme, -1, "", 'F', u"", u""},
      {u"NAISSANCE.date entre 1850 1860", -1, opEntre, "NAISSANCE", 'D', u"1850", u"1860"},
      {u"naissance.lieu contenant Saint-Genis, Laval", -1, opContenant, "NAISSANCE", 'L', u"Saint-Genis, Laval", u""},
      {u"PERE vide", -1, opVide, "PERE", 'F', u"", u""},
      {u"Profession non vide", csProfession, opNonVide, "", 'F', u"", u""},
      {u"Nom commence par O'Neil", csNom, opCommencePar, "", 'F', u"O'Neil", u""},
      {u"DECES.date entre 1900 - 1910", -1, opEntre, "DECES", 'D', u"1900", u"1910"},
  };
  TDefChpsCs defs;
  defs.ChargeDefaut();
  for (const auto& b : bons) {
    TCondition c;
    std::string erreur;
    ASSERT_TRUE(LitCondition(b.texte, &defs, c, erreur)) << UnicodeVersUtf8(b.texte) << " : " << erreur;
    EXPECT_EQ(c.Type, b.type) << UnicodeVersUtf8(b.texte);
    EXPECT_EQ(c.Operateur, b.op) << UnicodeVersUtf8(b.texte);
    EXPECT_EQ(c.Champ.Libelle, b.libelle) << UnicodeVersUtf8(b.texte);
    EXPECT_EQ(c.Champ.Morceau, b.morceau) << UnicodeVersUtf8(b.texte);
    EXPECT_EQ(c.Valeur1.Valeur, b.v1) << UnicodeVersUtf8(b.texte);
    EXPECT_EQ(c.Valeur2.Valeur, b.v2) << UnicodeVersUtf8(b.texte);
  }
  const char16_t* mauvais[] = {u"INCONNU égal à 3", u"PERE environ 3", u"PERE entre 1850", u"Homme égal à 3",
                               u"PERE", u"NOM.date vide", u"", u"PERE égal à"};
  for (const char16_t* m : mauvais) {
    TCondition c;
    std::string erreur;
    EXPECT_FALSE(LitCondition(m, &defs, c, erreur)) << UnicodeVersUtf8(m);
    EXPECT_FALSE(erreur.empty()) << UnicodeVersUtf8(m);
  }
}

}  // namespace
}  // namespace kyb
