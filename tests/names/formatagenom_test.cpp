#include "names/formatagenom.h"

#include <gtest/gtest.h>

namespace kyb {
namespace {

using Liste = std::vector<AnsiString>;

TEST(ListesDeNoms, DecoupageEtAssemblage) {
  struct Cas {
    const char* texte;
    bool garderVides;
    Liste attendu;
    const char* delimiteurs;
  };
  const Cas cas[] = {
      {"MARTEL; FORGE,,BRUN", false, {"MARTEL", "FORGE", "BRUN"}, "; ,,"},
      {"MARTEL; FORGE,,BRUN", true, {"MARTEL", "FORGE", "", "BRUN"}, ";,,"},
      {"PAUL LOUIS", false, {"PAUL", "LOUIS"}, " "},
      {"PAUL LOUIS", true, {"PAUL LOUIS"}, ""},
      {";A;", true, {"", "A"}, ";;"},
      {"  ", false, {}, "  "},
      {"", true, {}, ""},
  };
  for (const Cas& c : cas) {
    Liste liste{"déjà là"};
    AnsiString delimiteurs;
    DecoupageDelimiteurs(c.texte, liste, &delimiteurs, c.garderVides);
    Liste attendu{"déjà là"};
    attendu.insert(attendu.end(), c.attendu.begin(), c.attendu.end());
    EXPECT_EQ(liste, attendu) << c.texte << " " << c.garderVides;
    EXPECT_EQ(delimiteurs, c.delimiteurs) << c.texte;
  }
  std::vector<UnicodeString> liste16;
  DecoupageDelimiteurs(U("Élise ; Zoé"), liste16, nullptr, false);
  EXPECT_EQ(liste16, (std::vector<UnicodeString>{U("Élise"), U("Zoé")}));

  EXPECT_EQ(AssemblerTexte(Liste{"MARTEL", "FORGE"}), "MARTEL ; FORGE");
  EXPECT_EQ(AssemblerTexte(Liste{"MARTEL"}), "MARTEL");
  EXPECT_EQ(AssemblerTexte(Liste{}), "");
  EXPECT_EQ(AssemblerTexte(liste16), U("Élise ; Zoé"));
}

TEST(Particule, TeteDuNom) {
  EXPECT_EQ(TronqueAParticule("de la Forge"), "de la ");
  EXPECT_EQ(TronqueAParticule("Forge"), "");
  EXPECT_EQ(TronqueAParticule(""), "");
  EXPECT_EQ(TronqueAParticule("van *"), "van ");
  EXPECT_EQ(TronqueAParticule("tout en minuscules"), "");
  EXPECT_EQ(TronqueAParticule(A("d'Élodie")), "d'");
  EXPECT_EQ(TronqueAParticule(U("de Œillet")), U("de "));

  struct Cas {
    const char* nom;
    int longueur;
  };
  const Cas cas[] = {{"de la Forge", 2}, {"des Forges", 3}, {"d'Artois", 2}, {"D'ARTOIS", 2},
                     {"Dupont", 0},      {"de", 2},         {"dela", 0},     {"DE LA", 2},
                     {"van Gogh", 3},    {"L'Hermite", 2},  {"Le'X", 2},     {"", 0},
                     {"della Robbia", 5}};
  for (const Cas& c : cas) {
    EXPECT_EQ(Particule(std::string_view(c.nom)), c.longueur) << c.nom;
    EXPECT_EQ(Particule(U(c.nom)), c.longueur) << c.nom;
  }
}

TEST(Particule, FormatageDAffichage) {
  struct Cas {
    const char* nom;
    const char* separateurs;
    bool initiales;
    int premier, dernier;
    const char* attendu;
  };
  const Cas cas[] = {
      {"de la fontaine", " ", false, 1, 0, "de la FONTAINE"},
      {"d'artois", " '", false, 1, 0, "d'ARTOIS"},
      {"martin dit forge", " ", false, 1, 0, "MARTIN dit FORGE"},
      {"Le Goff", " ", false, 1, 0, "Le GOFF"},
      {"hélène martin", " ", false, 2, 2, "hélène MARTIN"},
      {"hélène martin", " ", false, 1, 1, "HÉLÈNE martin"},
      {"j. d martin", " .", false, 1, -1, "J. D MARTIN"},
      {"jean-PAUL éloi", " -", true, 1, 0, "Jean-Paul Éloi"},
      {"  martin  ", " ", false, 1, 0, "  MARTIN  "},
      {"", " ", false, 1, 0, ""},
  };
  for (const Cas& c : cas) {
    EXPECT_EQ(FormatageNomAvecSep(A(c.nom), c.separateurs, c.initiales, c.premier, c.dernier),
              A(c.attendu))
        << c.nom;
    EXPECT_EQ(FormatageNomAvecSep(U(c.nom), U(c.separateurs), c.initiales, c.premier, c.dernier),
              U(c.attendu))
        << c.nom;
  }
}

}  // namespace
}  // namespace kyb
