// Kinship naming: the sixteen categories on a hand-built family, the code decoders, the words.
#include "persons/lienparente.h"

#include <gtest/gtest.h>

#include "support/genealogie.h"

namespace kyb {
namespace {

// P is 20. Ancestors 10/11 (parents; 10 of unknown sex), 5/6 and 7/8 (grandparents), 2/3
// (father's father's parents), 1 (father of 2). 12 is the father's second wife.
std::vector<test::TMembre> Famille() {
  return {
      {1, 'M'},
      {2, 'M', 1},
      {3, 'F'},
      {4, 'M', 1},            // brother of 2: great-great-uncle
      {5, 'M', 2, 3},
      {6, 'F'},
      {7, 'M'},
      {8, 'F'},
      {10, '?', 5, 6, {11, 12}},
      {11, 'F', 7, 8, {10}},
      {12, 'F', 0, 0, {10}},
      {13, 'F', 5, 6},        // aunt
      {14, 'M', 2, 3},        // great-uncle
      {15, 'F', 14},          // father's first cousin
      {16, 'M', 7, 8},        // uncle on the mother's side
      {20, 'M', 10, 11, {25}},
      {21, 'F', 10, 11, {31}},  // sister
      {22, 'M', 10, 12},      // half-brother
      {25, 'F', 0, 0, {20}},
      {26, 'M', 20, 25},
      {27, '?', 20, 25},
      {28, 'M', 20, 25, {}, true},  // deleted
      {30, 'M', 31, 21},      // nephew, and child of a cousin
      {31, 'M', 0, 13, {21}}, // first cousin
      {32, 'M', 0, 15},       // second cousin
      {35, 'F', 26},
      {40, 'F', 31},          // child of a first cousin
      {45, 'M', 0, 35},
      {50, 'F'},              // unrelated
  };
}

std::string Mot(const AnsiString& a) { return AnsiVersUtf8(a); }

TEST(LienParente, SeizeCategoriesDansUneFamille) {
  const test::TFamille f(Famille());
  const TPerson p = f.Personne(20);
  const TLienParente lien(p);
  const struct {
    long q;
    const char* mot;
  } attendus[] = {
      {10, "père"},  // the displayed father, of unknown sex
      {11, "mère"},       {25, "conjoint"},      {26, "fils"},           {27, "fils"},
      {35, "petite-fille"}, {45, "arrière-petit-fils"}, {21, "soeur"},  {22, "frère"},
      {30, "neveu"},      // a cousin's child too: the nephew category comes first
      {13, "tante"},      {16, "oncle"},         {31, "cousin"},         {32, "cousin"},
      {40, "cousine"},    {15, "tante"},         {14, "grand-oncle"},    {5, "grand-père"},
      {6, "grand-mère"},  {2, "arrière-grand-père"}, {3, "arrière-grand-mère"},
      {4, "arrière-grand-oncle"},
      {50, ""},           {12, ""},              {20, ""},               {28, ""},
      {0, ""},            {9999, ""},
  };
  for (const auto& a : attendus) EXPECT_EQ(Mot(lien.RetourneLienDeParente(a.q)), a.mot) << "Q = " << a.q;
  // A wife names her husband "conjoint" too; a mother is "mère" seen from her daughter.
  const TPerson epouse = f.Personne(25);
  EXPECT_EQ(Mot(TLienParente(epouse).RetourneLienDeParente(20)), "conjoint");
  EXPECT_EQ(Mot(TLienParente(f.Personne(21)).RetourneLienDeParente(11)), "mère");
  // Seen from the great-great-uncle, P's father is in no category.
  EXPECT_EQ(Mot(TLienParente(f.Personne(4)).RetourneLienDeParente(10)), "");
}

TEST(LienParente, FemininsEtMasculinsDesSeizeCategories) {
  // The word of the other sex of Q in each category (the first table names the other ones).
  const std::vector<test::TMembre> famille = {
      {1, 'M'},          {2, 'F'},          {3, 'M', 1, 2},    {4, 'F', 1, 2},   {5, 'M', 3},
      {6, 'F', 3},       {7, 'M', 5},       {8, 'F', 5},       {9, 'M', 7},      {10, 'F', 7},
      {11, 'M', 9},      {12, 'F', 9},      {13, 'M', 11},     {14, 'F', 11},
  };
  const test::TFamille f(famille);
  const struct {
    long p, q;
    const char* mot;
  } attendus[] = {
      {1, 4, "fille"},
      {1, 5, "petit-fils"},
      {1, 8, "arrière-petite-fille"},
      {4, 6, "nièce"},
      {5, 4, "tante"},
      {8, 4, "grande-tante"},
      {7, 4, "grande-tante"},  // the aunt of 5 is 7's great-aunt
      {9, 4, "arrière-grande-tante"},
      {11, 4, ""},  // one generation beyond the last category
  };
  for (const auto& a : attendus)
    EXPECT_EQ(Mot(TLienParente(f.Personne(a.p)).RetourneLienDeParente(a.q)), a.mot) << a.p << " -> " << a.q;
}

TEST(LienParente, BouclesEtParentConjoint) {
  // 60 and 61 are each other's father (damage); 62 is both the father and a spouse of 63.
  const test::TFamille f({{60, 'M', 61}, {61, 'M', 60}, {62, 'M', 0, 0, {63}}, {63, 'F', 62, 0, {62}}, {64, 'F'}});
  EXPECT_EQ(Mot(TLienParente(f.Personne(60)).RetourneLienDeParente(64)), "");
  EXPECT_EQ(Mot(TLienParente(f.Personne(60)).RetourneLienDeParente(61)), "père");
  EXPECT_EQ(Mot(TLienParente(f.Personne(63)).RetourneLienDeParente(62)), "père");
  EXPECT_EQ(Mot(TLienParente(f.Personne(62)).RetourneLienDeParente(63)), "conjoint");
}

TEST(LienParente, DecodeursDuCodeDeGeneration) {
  const struct {
    char sexe;
    const char* code;
    const char* mot;
  } cas[] = {
      {'M', "1-1", "Conjoint"},
      {'F', "1-1a", "Fille"},
      {'?', "1-1A", "Enfant"},
      {'?', "1-1a1", "Belle-fille"},
      {'M', "1-1A1A", "Petit-fils"},
      {'?', "1-1A1A1a", "Arrière-petit-enfant"},
      {'M', "1-1A1A1", ""},
      {'M', "1", ""},
      {'M', "2", "Père"},
      {'F', "3-", "Mère"},
      {'F', "3-2", "Belle-mère"},
      {'M', "2-A", "Frère "},
      {'F', "3-a", "Soeur utérine"},
      {'M', "2-1A", "Frère consanguin"},
      {'M', "2-aA1", ""},
      {'F', "3-aAa", "Nièce"},
      {'M', "3-aAaAA", "Petit-neveu"},
      {'M', "2-aAaA", ""},
      {'F', "5", "Grand-mère paternelle"},
      {'M', "6", "Grand-père maternel"},
      {'M', "4-1", "Beau grand-père"},
      {'F', "7-a", "Tante maternelle"},
      {'M', "5-A1", "Oncle par alliance "},
      {'M', "6-aA", "Oncle maternel"},
      {'F', "4-AAa", "Cousine germaine"},
      {'M', "7-aA1", ""},
      {'M', "7-aAAA", ""},
      {'F', "11", "Arrière-grand-mère  paternelle"},
      {'M', "14", "Arrière-grand-père  maternel"},
      {'F', "9-1", "Arrière-grand-belle-mère "},
      {'F', "15-a", "Grand-tante"},
      {'M', "8-AA", ""},
      {'F', "FrConj1-A1", "Belle-soeur"},
      {'M', "Conj2-1", "Beau-père"},
      {'M', "Autre-A", ""},
      {'M', "16", ""},
      {'M', "0-A", ""},
      {'M', "", ""},
  };
  for (const auto& c : cas) {
    TPerson p(nullptr, 0);
    p.SetSexe(c.sexe);
    p.Public.CodeGeneration = Utf8VersUnicode(c.code);
    const TLienParente lien(p);
    EXPECT_EQ(Mot(lien.DecodeNumGene()), c.mot) << c.sexe << " " << c.code;
    EXPECT_EQ(Mot(lien.GetLienPersCentrale()), c.mot) << c.code;
  }
}

TEST(LienParente, NiveauDeLienDeSang) {
  const struct {
    int niveau;
    const char* code;
    const char* mot;
  } cas[] = {
      {2, "2-1", "Père"},           {2, "2-A", "Oncle paternel"},       {2, "2-a", "Tante paternelle"},
      {2, "2-É", "Oncle paternel"}, {2, "2-é", "Tante paternelle"},     {3, "1", "Mère"},
      {3, "3-B", "Oncle maternel"}, {3, "3-b", "Tante maternelle"},     {4, "1", "Grand-père paternel"},
      {5, "1", "Grand-mère paternelle"}, {6, "1", "Grand-père maternel"}, {7, "1", "Grand-mère maternelle"},
      {4, "A", ""},                 {7, "2", ""},                       {1, "1", ""},
      {8, "1", ""},                 {2, "", ""},
  };
  for (const auto& c : cas)
    EXPECT_EQ(Mot(TLienParente::DecodeNivLienSang(c.niveau, Utf8VersAnsi(c.code))), c.mot) << c.niveau << c.code;
}

}  // namespace
}  // namespace kyb
