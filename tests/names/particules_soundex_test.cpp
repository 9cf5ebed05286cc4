#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "names/bo_chn1.h"
#include "names/bo_particules.h"
#include "names/bo_soundex.h"
#include "names/cles_personne.h"

namespace kyb {
namespace {

// The particle walk exactly as the rule states it: the word at s is tested at every position.
// When no word is left, the last word of the name is.
AnsiString PasseParticuleReference(AnsiString t) {
  const AnsiString origine = t;
  size_t s = 0;
  for (size_t i = 0; i < t.size(); ++i) {
    if (EstDelimiteurParticule(t[i])) {
      s = i + 1;
      continue;
    }
    size_t e = s;
    while (e < t.size() && !EstDelimiteurParticule(t[e])) ++e;
    if (EstCeUneParticule(std::string_view(t).substr(s, e - s)))
      t.erase(s, e - s + (e < t.size() ? 1 : 0));
  }
  const auto mot = [](char c) { return !EstDelimiteurParticule(c); };
  if (std::none_of(t.begin(), t.end(), mot)) {
    const auto fin = std::find_if(origine.rbegin(), origine.rend(), mot);
    const auto debut = std::find_if_not(fin, origine.rend(), mot);
    if (fin != origine.rend()) return AnsiString(debut.base(), fin.base());
  }
  return t;
}

TEST(Particules, TestDuMot) {
  EXPECT_TRUE(EstCeUnPetitMot(U("Épouse")));
  EXPECT_FALSE(EstCeUnPetitMot(std::string_view("di")));
  for (const char* oui :
       {"de", "DE", "D", "D'", "d'", "L", "La", "VAN", "della", "DEL", "", " de De", "'"})
    EXPECT_TRUE(EstCeUneParticule(std::string_view(oui))) << oui;
  for (const char* non : {"dE", "DUPONT", "DEX", "MARTIN", "dit", " xde", "AN", "ELLA"})
    EXPECT_FALSE(EstCeUneParticule(std::string_view(non))) << non;
  EXPECT_TRUE(EstCeUneParticule(U("Der")));
  EXPECT_FALSE(EstCeUneParticule(U("Dé")));
}

TEST(Particules, SuppressionCommeLaMarcheLitterale) {
  std::mt19937 alea(3);
  const char* morceaux[] = {"DE", "LA", "D", "L", "MARTIN", "X", "DU", "VAN", "de", "Le", "BO"};
  const std::string delimiteurs = "-.'? &()[]/;,\xB0";
  for (int essai = 0; essai < 3000; ++essai) {
    std::string t;
    const int n = static_cast<int>(alea() % 6);
    for (int k = 0; k < n; ++k) {
      t += morceaux[alea() % std::size(morceaux)];
      const int seps = static_cast<int>(alea() % 3);
      for (int j = 0; j < seps; ++j) t.push_back(delimiteurs[alea() % delimiteurs.size()]);
    }
    EXPECT_EQ(PasseParticule(std::string_view(t)), PasseParticuleReference(t)) << t;
    EXPECT_EQ(PasseParticule(AnsiVersUnicode(t)), AnsiVersUnicode(PasseParticuleReference(t)))
        << t;
  }
}

TEST(Particules, UnNomGardeToujoursUnMot) {
  // Short surnames that begin a listed particle, or are one, keep their last word.
  struct Cas {
    const char* entree;
    const char* sansParticules;
    const char* cle;
    const char* code;
  };
  const Cas cas[] = {
      {"Du", "Du", "DU", "D"},         {"Do", "Do", "DO", "D"},
      {"Vo", "Vo", "VO", "V"},         {"Dell", "Dell", "DELL", "D4"},
      {"DE", "DE", "DE", "D"},         {"de La", "La", "LA", "L"},
      {"Le Du", "Du", "DU", "D"},      {"D'", "D", "D", "D"},
      {"van der", "der", "DER", "D6"}, {"(Du)", "Du", "DU", "D"},
      {"Du Pont", "Pont", "PONT", "P53"}, {"Dell'Acqua", "Acqua", "ACQUA", "A22"},
  };
  for (const Cas& c : cas) {
    EXPECT_EQ(PasseParticule(std::string_view(c.entree)), c.sansParticules) << c.entree;
    EXPECT_EQ(PasseParticule(U(c.entree)), U(c.sansParticules)) << c.entree;
    EXPECT_EQ(FormatIndex(U(c.entree)), U(c.cle)) << c.entree;
    EXPECT_EQ(CleNom(U(c.entree), 1), U(c.cle)) << c.entree;
    EXPECT_EQ(SoundexCle(CleNom(U(c.entree), 1)), U(c.code)) << c.entree;
  }
  // A text without any word stays as it is.
  EXPECT_EQ(PasseParticule(std::string_view(" - ")), " - ");
}

TEST(Particules, ListeRevue) {
  // Particles of European surnames are skipped; words that belong to the surname are kept.
  struct Cas {
    const char* entree;
    const char* cle;
  };
  const Cas cas[] = {
      {"ten Brink", "BRINK"},        {"Ter Horst", "HORST"},        {"zu Guttenberg", "GUTTENBERG"},
      {"vom Stein", "STEIN"},        {"zur Mühlen", "MUHLEN"},      {"dello Russo", "RUSSO"},
      {"degli Alberti", "ALBERTI"},  {"dos Santos", "SANTOS"},      {"van den Berg", "BERG"},
      {"MacDonald", "MACDONALD"},    {"Mac Donald", "MAC DONALD"},  {"O'Brien", "O'BRIEN"},
      {"Das", "DAS"},                {"Ben Ali", "BEN ALI"},        {"Lê", "LE"},
      {"Ortega y Gasset", "ORTEGA Y GASSET"},
  };
  for (const Cas& c : cas) EXPECT_EQ(FormatIndex(U(c.entree)), U(c.cle)) << c.entree;
}

TEST(Soundex, CodesConnus) {
  struct Cas {
    const char* nom;
    const char* code;
  };
  const Cas cas[] = {
      {"MARTEL", "M634"}, {"HUBERT", "U163"}, {"HENRI", "E56"},  {"H", ""},
      {"BBB", "B"},       {"MAR*", "M6*"},    {"LI", "L"},       {"BFPV", "B111"},
      {"", ""},           {"HH", "H"},        {"ATTA", "A3"},    {"PFISTER", "P123"},
      {"JACKSON", "J222"}, {"MARTIN", "M635"}, {"TYMCZAK", "T522"}, {"1ER", "16"},
  };
  for (const Cas& c : cas) {
    char code8[5];
    strSoundex(c.nom, code8);
    EXPECT_STREQ(code8, c.code) << c.nom;
    char16_t code16[5];
    const UnicodeString nom16 = U(c.nom);
    strSoundex(nom16.c_str(), code16);
    EXPECT_EQ(UnicodeString(code16), U(c.code)) << c.nom;
    EXPECT_EQ(strSoundex(nom16), U(c.code)) << c.nom;
    EXPECT_EQ(strSoundex(std::string_view(c.nom)), c.code) << c.nom;
  }
  char code[5];
  strSoundex(static_cast<const char*>(nullptr), code);
  EXPECT_STREQ(code, "");
  EXPECT_EQ(strSoundex(U("ÉMILE")), U("É54"));  // the first character is kept as it stands
}

TEST(Soundex, ComparaisonsPartielles) {
  EXPECT_EQ(strcmpSoundexPartiel("MAR*", "MARTEL"), 0);
  EXPECT_EQ(strcmpSoundexPartiel("MARTEL", "MAR*"), 0);
  EXPECT_NE(strcmpSoundexPartiel("MARTEL", "MARTIN"), 0);
  EXPECT_LT(strcmpSoundexPartiel("MARTEL", "MARTIN"), 0);
  EXPECT_EQ(strcmpSoundexPartiel("MARTEL", "MARTELL"), 0);
  EXPECT_EQ(strcmpSoundexPartiel(nullptr, ""), 0);
  EXPECT_TRUE(strEgaleSoundexPartielChqElt(std::string_view("JEAN MARTIN"), "MARTAN"));
  EXPECT_TRUE(strEgaleSoundexPartielChqElt(std::string_view("JEAN MAR*"), "MARTEL"));
  EXPECT_FALSE(strEgaleSoundexPartielChqElt(std::string_view("JEAN PAUL"), "MARTIN"));
  EXPECT_TRUE(strEgaleSoundexPartielChqElt(U("PAUL HENRI"), U("ENRY")));
}

TEST(ClesPersonne, NomsPrenomsEtCodes) {
  const UnicodeString noms = U("de la Forge;Martel (dit Brun); ;MARTELLIERE(DIT BRUNEAU)");
  EXPECT_EQ(NombreClesNom(noms), 4);
  EXPECT_EQ(CleNom(noms, 1), U("FORGE"));
  EXPECT_EQ(CleNom(noms, 2), U("MARTEL DIT BRUN"));
  EXPECT_EQ(CleNom(noms, 3), U(""));
  // Cut to 20 characters before cleaning: the cut falls inside the bracket, none remains.
  EXPECT_EQ(CleNom(noms, 4), U("MARTELLIERE DIT BRUN"));
  EXPECT_EQ(CleNom(noms, 5), U(""));
  EXPECT_EQ(CleNom(std::string_view("ABCDEFGHIJKLMNOPQRSTUVWXYZABCD"), 1), "ABCDEFGHIJKLMNOPQRST");
  EXPECT_EQ(CleNom(A("Müller"), 1), "MULLER");

  const UnicodeString prenoms = U("Jean-Édouard  (Marie)");
  EXPECT_EQ(NombreClesPrenom(prenoms), 2);
  EXPECT_EQ(ClePrenom(prenoms, 1), U("JEAN-EDOUARD"));
  EXPECT_EQ(ClePrenom(prenoms, 2), U("MARIE"));
  EXPECT_EQ(ClePrenom(prenoms, 3), U(""));
  EXPECT_EQ(NombreClesPrenom(U("")), 0);

  EXPECT_EQ(SoundexCle(U("MARTEL")), U("M634"));
  EXPECT_EQ(SoundexCle(U("H")), U("H"));  // empty code, key not empty: the key itself
  EXPECT_EQ(SoundexCle(U("")), U(""));
  EXPECT_EQ(SoundexCle(std::string_view("HENRI")), "E56");
}

}  // namespace
}  // namespace kyb
