// The reference town table of France: cleaning of names, look-ups by name, code and postal code,
// former communes, completion of places. Expected values are public facts (official geographic
// code, postal codes) that anyone can check.
#include <gtest/gtest.h>

#include <set>

#include "engine/acr_table.h"
#include "store/ficpays.h"

namespace kyb::test {
namespace {

const AnsiString kTables = KYBASE_TABLES_VILLES;

class TableFrance : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    pays = new TFicPays(nullptr, kTables, true);
    ASSERT_EQ(pays->GetPaysCourantAS(), "France") << pays->DerniereErreur();
  }
  static void TearDownTestSuite() {
    delete pays;
    pays = nullptr;
  }
  static const TVille* Premiere(const std::vector<TVille>& v, TTypeVille type) {
    for (const TVille& x : v)
      if (x.type == type) return &x;
    return nullptr;
  }
  static TFicPays* pays;
};
TFicPays* TableFrance::pays = nullptr;

TEST(CleanCommune, SaintAccentsEtSeparateursReviennentAuMemeNom) {
  const struct {
    const char* nom;
    const char* propre;
  } cas[] = {
      {"Saint-Étienne", "SAINTETIENNE"},
      {"St-Étienne", "SAINTETIENNE"},
      {"ST ETIENNE", "SAINTETIENNE"},
      {"saint etienne", "SAINTETIENNE"},
      {"Saint-Denis", "SAINTDENIS"},
      {"St-Denis", "SAINTDENIS"},
      {"St. Denis", "SAINTDENIS"},
      {"Sainte-Mère-Église", "SAINTEMEREEGLISE"},
      {"Ste Mere Eglise", "SAINTEMEREEGLISE"},
      {"L'Haÿ-les-Roses", "LHAYLESROSES"},
      {"L HAY LES ROSES", "LHAYLESROSES"},
      {"l’haÿ les roses", "LHAYLESROSES"},  // typographic apostrophe
      {"Œuilly", "OEUILLY"},
      {"oeuilly", "OEUILLY"},
      {"Stenay", "STENAY"},              // "ST" inside a word stays
      {"Saint-Just-en-Chaussée", "SAINTJUSTENCHAUSSEE"},
      {"L'Île-d'Yeu", "LILEDYEU"},
      {"Ézanville", "EZANVILLE"},
      {"Châteauneuf-du-Pape", "CHATEAUNEUFDUPAPE"},
      {"Marseille 1er Arrondissement", "MARSEILLE1ERARRONDISSEMENT"},
      {"  -- ' ", ""},
      {"", ""},
  };
  for (const auto& c : cas) EXPECT_EQ(TFicBDDINI::CleanCommune(U(c.nom)), c.propre) << c.nom;
}

// The cleaned column written by the build script agrees with CleanCommune on every row: a walk of
// the whole table through the engine cursor.
TEST_F(TableFrance, ColonneNettoyeeConformeAuNettoyage) {
  TACRDatabase base(kTables + "/France.adb");
  base.SetReadOnly(true);
  ASSERT_TRUE(base.Open());
  TACRTable t(base, "Communes");
  ASSERT_TRUE(t.Open());
  int lignes = 0, actuelles = 0;
  std::set<AnsiString> codes;
  for (t.First(); !t.Eof(); t.Next()) {
    ++lignes;
    const UnicodeString nom = t.FieldByName("A_COMMUNE").AsUnicodeString();
    ASSERT_EQ(t.FieldByName("A_COMCLEAN").AsAnsiString(), TFicBDDINI::CleanCommune(nom))
        << UnicodeVersUtf8(nom);
    if (t.FieldByName("Type").AsInteger() == 0) {
      ++actuelles;
      EXPECT_TRUE(codes.insert(t.FieldByName("C_INSEE").AsAnsiString()).second);
    }
  }
  // Every commune of today (about 35,000) and the former ones.
  EXPECT_GT(actuelles, 34000);
  EXPECT_LT(actuelles, 37700);
  EXPECT_GT(lignes, actuelles + 5000);
}

TEST_F(TableFrance, RechercheParCodeOfficiel) {
  const struct {
    const char* code;
    const char* commune;
    const char* departement;
    const char* region;
  } cas[] = {
      {"69123", "Lyon", "Rhône", "Auvergne-Rhône-Alpes"},
      {"75056", "Paris", "Paris", "Île-de-France"},
      {"13055", "Marseille", "Bouches-du-Rhône", "Provence-Alpes-Côte d'Azur"},
      {"42218", "Saint-Étienne", "Loire", "Auvergne-Rhône-Alpes"},
      {"94038", "L'Haÿ-les-Roses", "Val-de-Marne", "Île-de-France"},
      {"33063", "Bordeaux", "Gironde", "Nouvelle-Aquitaine"},
      {"67482", "Strasbourg", "Bas-Rhin", "Grand Est"},
      {"31555", "Toulouse", "Haute-Garonne", "Occitanie"},
      {"2A004", "Ajaccio", "Corse-du-Sud", "Corse"},
      {"2a004", "Ajaccio", "Corse-du-Sud", "Corse"},
      {"97411", "Saint-Denis", "La Réunion", "La Réunion"},
  };
  for (const auto& c : cas) {
    const auto v = pays->RechercheParInsse(c.code);
    ASSERT_FALSE(v.empty()) << c.code;
    EXPECT_EQ(v[0].type, TTypeVille::Actuelle) << c.code;
    EXPECT_EQ(UnicodeVersUtf8(v[0].commune), c.commune);
    EXPECT_EQ(UnicodeVersUtf8(v[0].departement), c.departement);
    EXPECT_EQ(UnicodeVersUtf8(v[0].region), c.region);
  }
  EXPECT_EQ(pays->RechercheParInsse("13055")[0].codePostal, "13001");
  EXPECT_EQ(pays->RechercheParInsse("69123")[0].codePostal, "69001");
  EXPECT_EQ(pays->RechercheParInsse("75056")[0].codePostal, "75001");
}

TEST_F(TableFrance, RechercheParCodePostal) {
  const struct {
    const char* cp;
    const char* code;
  } cas[] = {{"13001", "13055"}, {"75116", "75056"}, {"69001", "69123"}, {"31000", "31555"},
             {"42000", "42218"}, {"94240", "94038"}, {"33000", "33063"}, {"20000", "2A004"}};
  for (const auto& c : cas) {
    const auto v = pays->RechercheParCP(c.cp);
    const TVille* commune = Premiere(v, TTypeVille::Actuelle);
    ASSERT_NE(commune, nullptr) << c.cp;
    EXPECT_EQ(commune->code, c.code) << c.cp;
  }
  // 13001 also serves the first district of Marseille.
  const auto marseille = pays->RechercheParCP("13001");
  const TVille* arr = Premiere(marseille, TTypeVille::Arrondissement);
  ASSERT_NE(arr, nullptr);
  EXPECT_EQ(arr->code, "13201");
  EXPECT_EQ(arr->codeActuel, "13055");
  // Every postal code of a commune, sorted.
  const auto codes = pays->PaysCourant()->CodesPostaux("42218");
  ASSERT_GE(codes.size(), 2u);
  EXPECT_EQ(codes[0].first, "42000");
  EXPECT_EQ(codes[1].first, "42100");
  EXPECT_EQ(pays->GetCPByCom(u"Marseille"), "13001");
  EXPECT_EQ(pays->GetCPByCom(u"st etienne"), "42000");
  EXPECT_EQ(pays->GetCPByCom(u"Nullepartville"), "");
}

TEST_F(TableFrance, CodesTropCourtsNonCherches) {
  for (const char* code : {"", "6", "69", " 7 ", "2A"}) {
    EXPECT_TRUE(pays->RechercheParInsse(code).empty()) << code;
    EXPECT_TRUE(pays->RechercheParCP(code).empty()) << code;
  }
  EXPECT_TRUE(pays->RechercheParInsse("99999").empty());
}

TEST_F(TableFrance, RechercheVilleParDebutDeNom) {
  // Typed without accents, with "St", or with accents the name does not have.
  const struct {
    const char* saisie;
    const char* premiere;
  } cas[] = {{"saint-etien", "Saint-Étienne"}, {"St Étienne", "Saint-Étienne"},
             {"Lyo", "Lyon"},                  {"Lyôn", "Lyon"},
             {"Bordéaux", "Bordeaux"},         {"l hay les", "L'Haÿ-les-Roses"},
             {"MARSEILLE", "Marseille"},       {"Paris", "Paris"}};
  for (const auto& c : cas) {
    const auto v = pays->RechercheVille(U(c.saisie));
    ASSERT_FALSE(v.empty()) << c.saisie;
    EXPECT_EQ(UnicodeVersUtf8(v[0].commune), c.premiere) << c.saisie;
  }
  // By population: at most 50, never increasing, every name beginning with the typed text.
  const auto saint = pays->RechercheVille(u"Saint");
  ASSERT_EQ(saint.size(), 50u);
  for (size_t i = 0; i < saint.size(); ++i) {
    EXPECT_EQ(TFicBDDINI::CleanCommune(saint[i].commune).rfind("SAINT", 0), 0u);
    if (i > 0) {
      EXPECT_LE(saint[i].population, saint[i - 1].population);
    }
  }
  // By name: sorted on the cleaned name.
  const auto parNom = pays->RechercheVille(u"Œuil", TOrdreVille::ParNom);
  ASSERT_GE(parNom.size(), 2u);
  for (size_t i = 1; i < parNom.size(); ++i)
    EXPECT_LE(TFicBDDINI::CleanCommune(parNom[i - 1].commune), TFicBDDINI::CleanCommune(parNom[i].commune));
  // Œuilly: one in the Aisne, one in the Marne.
  std::set<std::string> departements;
  for (const TVille& v : pays->RechercheVille(u"oeuilly"))
    if (v.type == TTypeVille::Actuelle) departements.insert(UnicodeVersUtf8(v.departement));
  EXPECT_EQ(departements, (std::set<std::string>{"Aisne", "Marne"}));
  EXPECT_EQ(pays->RechercheXPremier(u"Saint", 5).size(), 5u);
  EXPECT_TRUE(pays->RechercheVille(u"' - ").empty());
}

TEST_F(TableFrance, AnciennesCommunesMenentALaCommuneActuelle) {
  const struct {
    const char* ancienne;
    const char* code;
    const char* actuelle;
  } cas[] = {
      {"Voisinlieu", "60057", "Beauvais"},                  // merged in 1943
      {"Saint-Rambert-l'Île-Barbe", "69123", "Lyon"},       // merged in 1963
      {"Annecy-le-Vieux", "74010", "Annecy"},               // merged in 2017
      {"Cherbourg-Octeville", "50129", "Cherbourg-en-Cotentin"},  // merged in 2016
  };
  for (const auto& c : cas) {
    const auto v = pays->RechercheVille(U(c.ancienne));
    ASSERT_FALSE(v.empty()) << c.ancienne;
    const TVille* a = nullptr;
    for (const TVille& x : v)
      if (x.type != TTypeVille::Actuelle && UnicodeVersUtf8(x.commune) == c.ancienne) a = &x;
    ASSERT_NE(a, nullptr) << c.ancienne;
    EXPECT_EQ(a->codeActuel, c.code) << c.ancienne;
    EXPECT_EQ(UnicodeVersUtf8(a->communeActuelle), c.actuelle);
    EXPECT_FALSE(a->codePostal.empty()) << "code postal de la commune actuelle";
  }
  // The old code of Saint-Rambert-l'Île-Barbe finds it too.
  const auto v = pays->RechercheParInsse("69232");
  ASSERT_FALSE(v.empty());
  EXPECT_EQ(v[0].codeActuel, "69123");
  EXPECT_EQ(UnicodeVersUtf8(v[0].departement), "Rhône");
}

TEST_F(TableFrance, CompletionDUnLieu) {
  const struct {
    const char* adresse;
    TCompletionLieu resultat;
    const char* attendu;  // address after completion
  } cas[] = {
      {"Lyon;;;", TCompletionLieu::Completee, "Lyon;Rhône;Auvergne-Rhône-Alpes;France"},
      {"st etienne;;;", TCompletionLieu::Completee, "st etienne;Loire;Auvergne-Rhône-Alpes;France"},
      // A former name of Saint-Étienne-les-Orgues: today's Saint-Étienne wins unless the
      // department says otherwise.
      {"Saint-Étienne;Alpes-de-Haute-Provence;;", TCompletionLieu::Completee,
       "Saint-Étienne;Alpes-de-Haute-Provence;Provence-Alpes-Côte d'Azur;France"},
      {"Oeuilly;Marne;;", TCompletionLieu::Completee, "Oeuilly;Marne;Grand Est;France"},
      {"Œuilly;02;;", TCompletionLieu::Completee, "Œuilly;02;Hauts-de-France;France"},
      {"Œuilly;;;", TCompletionLieu::Ambigue, "Œuilly;;;"},
      {"Saint-Denis;;;", TCompletionLieu::Ambigue, "Saint-Denis;;;"},
      {"Saint-Denis;La Réunion;;", TCompletionLieu::Completee, "Saint-Denis;La Réunion;La Réunion;France"},
      {"Voisinlieu;;;", TCompletionLieu::Completee, "Voisinlieu;Oise;Hauts-de-France;France"},
      {"Lyon;Loire;;", TCompletionLieu::Inconnue, "Lyon;Loire;;"},
      {"Nullepartville;;;", TCompletionLieu::Inconnue, "Nullepartville;;;"},
      {"Lyon;;;Belgique", TCompletionLieu::SansTable, "Lyon;;;Belgique"},
      {"Paris;;;france", TCompletionLieu::Completee, "Paris;Paris;Île-de-France;france"},
  };
  for (const auto& c : cas) {
    TFicCommune lieu;
    lieu.SetAdresse(U(c.adresse));
    EXPECT_EQ(pays->CompleteLieu(lieu), c.resultat) << c.adresse;
    EXPECT_EQ(UnicodeVersUtf8(lieu.GetAdresse()), c.attendu);
  }
}

TEST(TFicCommune, PartiesAdresseEtChiffres) {
  const TFicCommune lieu(u"Paris 16", u"Paris", u"Île-de-France", u"France");
  EXPECT_EQ(lieu.Commune(), u"Paris");  // digits become blanks, then trimmed
  EXPECT_EQ(lieu.GetAdresse(), u"Paris;Paris;Île-de-France;France");
  EXPECT_EQ(lieu[2], u"Île-de-France");
  EXPECT_EQ(lieu[4], u"");
  EXPECT_EQ(lieu[-1], u"");
  TFicCommune copie;
  EXPECT_TRUE(copie.IsVide());
  copie.SetAdresse(lieu.GetAdresse());
  EXPECT_EQ(copie, lieu);
  copie.SetAdresse(u"Lyon;Rhône");
  EXPECT_EQ(copie.GetAdresse(), u"Lyon;Rhône;;");
  copie.SetAdresse(u"75 Meudon 92;;;");
  EXPECT_EQ(copie.Commune(), u"Meudon");
  copie.SetAdresse(u"");
  EXPECT_TRUE(copie.IsVide());
  EXPECT_FALSE(copie == lieu);
}

}  // namespace
}  // namespace kyb::test
