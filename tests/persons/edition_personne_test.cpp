// Creating and editing a person field by field: links on both sides, refusals that change
// nothing.
#include <gtest/gtest.h>

#include "persons/edition_personne.h"
#include "support/genealogie.h"

namespace kyb {
namespace {

class EditionPersonne : public ::testing::Test, protected test::TGenealogie {
 protected:
  long Cree(const std::vector<std::pair<std::string, std::string>>& champs) const {
    TEditionPersonne e(*Personnes());
    for (const auto& [champ, valeur] : champs) EXPECT_EQ(e.Applique(champ, valeur), "") << champ;
    EXPECT_EQ(e.Enregistre(), "");
    return e.Numero();
  }
  TFicPersons* f = Personnes();
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
      {enfant, "CONJOINT", std::to_string(homme), "est un parent de cette personne"},
      {homme, "CONJOINT", std::to_string(enfant), "est un enfant de cette personne"},
      {homme, "NOM", "", "le nom est vide"},
      {homme, "NOM", "Mar\x1B]0;titre\x07tin", "caractère de contrôle (U+001B)"},
      {homme, "NAISSANCE.lieu", "Rouen\xC2\x9B" "2J", "caractère de contrôle (U+009B)"},
  };
  for (const auto& c : cas) {
    TEditionPersonne e(*f, c.no);
    const std::string message = e.Applique(c.champ, c.valeur);
    EXPECT_NE(message.find(c.message), std::string::npos) << c.champ << " → " << message;
  }
  TEditionPersonne e(*f, enfant);
  EXPECT_EQ(e.Applique("NAISSANCE", "1851", true), "Impossible d'ajouter une nouvelle rubrique pour cette fiche.");
  EXPECT_NE(TEditionPersonne(*f, 0).Erreur(), "");
  EXPECT_NE(TEditionPersonne(*f, f->NbEnreg + 1).Erreur(), "");
  // Nothing of it reached the store.
  const TPerson h(f, homme, true);
  EXPECT_EQ(h.Public.Nom, u"Martin");
  EXPECT_EQ(h.Public.Pere.No, 0);
  EXPECT_EQ(h.CompteNbConjoint(), 0);
  EXPECT_EQ(TPerson(f, enfant, true).ChargeEven("NAISSANCE"), u"en 1850");
}

// Lengths are characters, not UTF-16 units; an empty part makes no event.
TEST_F(EditionPersonne, CaracteresHorsDuPlanDeBaseEtRubriqueVide) {
  std::string emoji;
  for (int i = 0; i < 60; ++i) emoji += "\xF0\x9F\x98\x80";
  const long no = Cree({{"NOM", emoji}, {"PRENOMS", emoji}, {"SEXE", "F"}, {"NAISSANCE", ""}});
  TPerson p(f, no, true);
  EXPECT_EQ(p.Public.Nom, Utf8VersUnicode(emoji));
  EXPECT_EQ(p.Public.Prenoms, Utf8VersUnicode(emoji));
  EXPECT_EQ(p.GetEvent("NAISSANCE", -1), nullptr);
}

TEST_F(EditionPersonne, DeuxParentsDUnSexeAdmisUnParentInverseRefuse) {
  const std::string h = std::to_string(Cree({{"SEXE", "M"}}));
  const std::string f1 = std::to_string(Cree({{"SEXE", "F"}})), f2 = std::to_string(Cree({{"SEXE", "F"}}));
  const long deuxMeres = Cree({{"PERE", f1}, {"MERE", f2}});
  EXPECT_EQ(TPerson(f, deuxMeres).Public.Pere.No, std::stol(f1));
  const long enfant = Cree({{"PERE", h}});
  const struct {
    long no;  // 0: a new person
    std::vector<std::pair<std::string, std::string>> champs;
    std::string message;  // empty when accepted
  } cas[] = {
      {0, {{"PERE", f1}}, "est une femme : une femme n'est admise comme père qu'à côté d'une femme comme mère"},
      {0, {{"PERE", f1}, {"MERE", h}}, "est une femme"},
      {0, {{"MERE", h}}, "est un homme : un homme n'est admis comme mère qu'à côté d'un homme comme père"},
      {0, {{"PERE", h}, {"MERE", h}}, "le père et la mère sont la même personne"},
      {std::stol(h), {{"SEXE", "F"}}, "est le père de " + std::to_string(enfant)},
      {std::stol(f2), {{"SEXE", "M"}}, "est la mère de " + std::to_string(deuxMeres)},
      {std::stol(f1), {{"SEXE", "M"}}, ""},  // a father and a mother
  };
  for (const auto& c : cas) {
    TEditionPersonne e = c.no ? TEditionPersonne(*f, c.no) : TEditionPersonne(*f);
    std::string message;
    for (const auto& [champ, valeur] : c.champs)
      if (message.empty()) message = e.Applique(champ, valeur);
    if (message.empty()) message = e.Enregistre();
    if (c.message.empty()) {
      EXPECT_EQ(message, "");
    } else {
      EXPECT_NE(message.find(c.message), std::string::npos) << c.message << " → " << message;
    }
  }
}

}  // namespace
}  // namespace kyb
