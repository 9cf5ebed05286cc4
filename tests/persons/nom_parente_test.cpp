// Precise kinship names on hand-built families; the words are those a genealogist writes.
#include "persons/nom_parente.h"

#include <gtest/gtest.h>

#include "support/genealogie.h"

namespace kyb {
namespace {

// 1 x 2: 3 (x 8), 4 (x 9); 5 son of 1 alone; 6 daughter of 2 and 7 (2's second husband).
// 3 x 8: 10, 11; 4 x 9: 12, 13. First cousins 10 x 12: 28. A line from 11 (x 17, sex unknown):
// 14 (x 19), 18 (x 23), 22 (x 25), 24. From 13 (x 21): 16 (x 27), 26. The marriage of 10 and 12
// adds relations by marriage to their blood ones (10 is 3's son and the husband of his niece).
std::vector<test::TMembre> Famille() {
  return {{1, 'M', 0, 0, {2}},     {2, 'F', 0, 0, {1, 7}}, {3, 'M', 1, 2, {8}},    {4, 'F', 1, 2, {9}},
          {5, 'M', 1, 0},          {6, 'F', 7, 2},         {7, 'M', 0, 0, {2}},    {8, 'F', 0, 0, {3}},
          {9, 'M', 0, 0, {4}},     {10, 'M', 3, 8, {12}},  {11, 'F', 3, 8, {17}},  {12, 'F', 9, 4, {10}},
          {13, 'M', 9, 4, {21}},   {14, 'M', 17, 11, {19}}, {16, 'F', 13, 21, {27}}, {17, '?', 0, 0, {11}},
          {18, 'F', 14, 19, {23}}, {19, 'F', 0, 0, {14}},  {21, 'F', 0, 0, {13}},  {22, 'M', 23, 18, {25}},
          {23, 'M', 0, 0, {18}},   {24, 'F', 22, 25},      {25, 'F', 0, 0, {22}},  {26, 'M', 27, 16},
          {27, 'M', 0, 0, {16}},   {28, 'M', 10, 12}};
}

std::string Nom(test::TFamille& f, long a, long b) {
  TGrapheParente g(f.Fichier());
  return AnsiVersUtf8(TexteLiens(NommeParente(g, a, b)));
}

TEST(NomParente, ChaqueLienDeLaFamille) {
  test::TFamille f(Famille());
  TPerson treize = f.Personne(13);
  treize.NoParents().PereB = 7;  // 7 adopts 13
  ASSERT_TRUE(treize.Enregistrement());
  const struct {
    long a, b;
    const char* attendu;
  } cas[] = {
      // ascendants, the father by his slot whatever his sex
      {24, 22, "père"}, {14, 17, "père"}, {24, 18, "grand-mère"}, {24, 14, "arrière-grand-père"},
      {24, 11, "trisaïeule"}, {24, 3, "quadrisaïeul"}, {24, 1, "ancêtre à la 7e génération"},
      {24, 2, "ancêtre à la 7e génération"},
      // descendants
      {3, 10, "fils, neveu par alliance"}, {3, 11, "fille"}, {1, 11, "petite-fille"}, {1, 14, "arrière-petit-fils"},
      {1, 18, "arrière-arrière-petite-fille"}, {1, 22, "descendant à la 6e génération"},
      {1, 24, "descendante à la 7e génération"},
      // siblings, half ones by the parent they share
      {3, 4, "sœur"}, {4, 3, "frère"}, {3, 5, "demi-frère consanguin"}, {3, 6, "demi-sœur utérine"},
      // uncles and nephews
      {11, 4, "tante"}, {14, 4, "grand-tante"}, {18, 4, "arrière-grand-tante"}, {14, 5, "demi-grand-oncle"},
      {4, 11, "nièce"}, {4, 14, "petit-neveu"}, {4, 18, "arrière-petite-nièce"}, {5, 10, "demi-neveu"},
      // cousins
      {11, 12, "belle-sœur, cousine germaine"}, {11, 13, "cousin germain"}, {14, 16, "cousine issue de germain"},
      {18, 26, "cousin issu d'issu de germain"}, {14, 13, "oncle à la mode de Bretagne"},
      {13, 14, "neveu à la mode de Bretagne"}, {18, 13, "grand-oncle à la mode de Bretagne"},
      {12, 18, "petite-nièce par alliance, petite-nièce à la mode de Bretagne"}, {22, 26, "cousin au 9e degré"},
      {24, 26, "cousin au 10e degré"},
      // marriage
      {3, 8, "épouse"}, {8, 3, "époux"}, {11, 17, "conjoint"}, {8, 1, "beau-père"}, {8, 2, "belle-mère"},
      {1, 8, "bru"}, {1, 9, "gendre"}, {8, 4, "belle-sœur"}, {3, 9, "beau-frère"}, {3, 7, "beau-père"},
      {7, 3, "beau-fils"}, {7, 6, "fille"}, {11, 9, "oncle par alliance"}, {14, 9, "grand-oncle par alliance"},
      // adoption, then what else holds
      {13, 7, "père adoptif, grand-père par alliance"}, {7, 13, "fils adoptif, petit-fils par alliance"},
      // several at once, the closest first, ancestors before collaterals
      {12, 10, "époux, cousin germain"}, {28, 3, "grand-père, grand-oncle"}, {28, 4, "grand-mère, grand-tante"},
      {28, 1, "arrière-grand-père"},
      // nothing, oneself
      {5, 6, ""}, {3, 3, ""}, {3, 0, ""}, {3, 999, ""},
  };
  for (const auto& c : cas) EXPECT_EQ(Nom(f, c.a, c.b), c.attendu) << c.a << " -> " << c.b;
}

TEST(NomParente, LiensEndommagesEtAscendancesProfondes) {
  // 30 and 31 are each other's father; 32 is 30's son; 40 is deleted, the mother of 41 and 42.
  // 100..350: a line of 251 generations, 100 at the top.
  std::vector<test::TMembre> m = {{30, 'M', 31}, {31, 'M', 30}, {32, 'M', 30}, {40, 'F', 0, 0, {}, true},
                                  {41, 'M', 0, 40}, {42, 'F', 0, 40}};
  for (long n = 100; n <= 350; ++n) m.push_back({n, 'M', n > 100 ? n - 1 : 0});
  test::TFamille f(m);
  EXPECT_EQ(Nom(f, 32, 30), "père");
  EXPECT_EQ(Nom(f, 32, 31), "demi-frère consanguin");  // 30 is the father of both; the loop is cut
  EXPECT_EQ(Nom(f, 41, 42), "");
  EXPECT_EQ(Nom(f, 41, 40), "");
  EXPECT_EQ(Nom(f, 350, 150), "ancêtre à la 201e génération");
  EXPECT_EQ(Nom(f, 350, 149), "");  // beyond 200 generations
}

}  // namespace
}  // namespace kyb
