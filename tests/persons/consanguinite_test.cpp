// Kinship and inbreeding coefficients, and every common ancestor with its paths, on families
// worked out by hand.
#include "persons/consanguinite.h"

#include <gtest/gtest.h>

#include "persons/chemins_parente.h"
#include "persons/nom_parente.h"
#include "support/genealogie.h"

namespace kyb {
namespace {

using TParts = std::vector<std::pair<long, std::string>>;

TParts Parts(const TCoefficientParente& c) {
  TParts v;
  for (const TContributionParente& x : c.Contributions) v.emplace_back(x.Ancetre, x.Part.Texte());
  return v;
}

std::string F(test::TFamille& f, long no) {
  TGrapheParente g(f.Fichier());
  return CoefficientConsanguinite(g, no).Valeur.Texte();
}

TEST(Consanguinite, FamillesCalculeesALaMain) {
  // First cousins 7 x 8 (grandparents 1 x 2): 9 and 10. Then 9 x 11 and 10 x 12 give the first
  // cousins 13 x 14, parents of 15: loops through 7 and 8 (2 + 2 generations, 1/32 each) and
  // through 1 and 2 (4 + 4, two ways each, 2/512 each): 9/128.
  test::TFamille cousins({{1, 'M'}, {2, 'F'}, {3, 'M', 1, 2}, {4, 'F', 1, 2}, {5, 'F'}, {6, 'M'},
                          {7, 'M', 3, 5}, {8, 'F', 6, 4}, {9, 'M', 7, 8}, {10, 'F', 7, 8}, {11, 'F'},
                          {12, 'M'}, {13, 'M', 9, 11}, {14, 'F', 12, 10}, {15, 'M', 13, 14}});
  EXPECT_EQ(F(cousins, 9), "1/16");
  EXPECT_EQ(F(cousins, 15), "9/128");
  EXPECT_EQ(F(cousins, 7), "0");
  EXPECT_EQ(F(cousins, 1), "0");
  TGrapheParente g(cousins.Fichier());
  const TCoefficientParente c = CoefficientConsanguinite(g, 15);
  EXPECT_EQ(Parts(c), (TParts{{7, "1/32"}, {8, "1/32"}, {1, "1/256"}, {2, "1/256"}}));
  // Kinship: siblings 1/4, oneself 1/2 (plus half one's inbreeding), first cousins 1/16.
  EXPECT_EQ(CoefficientParente(g, 3, 4).Valeur.Texte(), "1/4");
  EXPECT_EQ(CoefficientParente(g, 3, 3).Valeur.Texte(), "1/2");
  EXPECT_EQ(CoefficientParente(g, 9, 9).Valeur.Texte(), "17/32");
  EXPECT_EQ(CoefficientParente(g, 7, 8).Valeur.Texte(), "1/16");
  EXPECT_EQ(CoefficientParente(g, 1, 2).Valeur.Texte(), "0");

  // Double first cousins 9 x 10 (sons of 1 x 2 married daughters of 5 x 6): 4 loops of 1/32.
  // Uncle and niece 3 x 16: two loops of 1/16.
  test::TFamille doubles({{1, 'M'}, {2, 'F'}, {3, 'M', 1, 2}, {4, 'M', 1, 2}, {5, 'M'}, {6, 'F'},
                          {7, 'F', 5, 6}, {8, 'F', 5, 6}, {9, 'M', 3, 7}, {10, 'F', 4, 8}, {11, 'M', 9, 10},
                          {15, 'F', 1, 2}, {16, 'F', 0, 15}, {17, 'M', 3, 16}});
  EXPECT_EQ(F(doubles, 11), "1/8");
  EXPECT_EQ(F(doubles, 17), "1/8");
  TGrapheParente h(doubles.Fichier());
  EXPECT_EQ(Parts(CoefficientConsanguinite(h, 11)), (TParts{{1, "1/32"}, {2, "1/32"}, {5, "1/32"}, {6, "1/32"}}));
}

// Brother and sister married at every generation from 1 x 2: 3 x 4, 5 x 6, ... 61 x 62.
std::vector<test::TMembre> FreresSoeurs() {
  std::vector<test::TMembre> m = {{1, 'M'}, {2, 'F'}};
  for (long n = 3; n <= 62; n += 2) m.push_back({n, 'M', n - 2, n - 1}), m.push_back({n + 1, 'F', n - 2, n - 1});
  return m;
}

TEST(Consanguinite, TrenteGenerationsDImplex) {
  test::TFamille f(FreresSoeurs());
  // F(t) = (1 + 2 F(t-1) + F(t-2)) / 4: 0, 1/4, 3/8, 1/2, 19/32.
  const char* attendus[] = {"0", "1/4", "3/8", "1/2", "19/32"};
  for (long t = 0; t < 5; ++t) EXPECT_EQ(F(f, 3 + 2 * t), attendus[t]) << t;
  TGrapheParente g(f.Fichier());
  const TCoefficientParente bas = CoefficientConsanguinite(g, 61);
  EXPECT_GT(bas.Valeur.EnDouble(), 0.99);
  EXPECT_LT(bas.Valeur.EnDouble(), 1.0);
  // 61 reaches 1 by 2^29 paths, all counted, 64 listed.
  const TParenteComplete r = ChercheToutesParentes(g, 61, 1);
  ASSERT_EQ(r.Ancetres.size(), 1u);
  EXPECT_EQ(r.NbChemins, NTL::power2_ZZ(29));
  EXPECT_EQ(r.Chemins.size(), static_cast<size_t>(kMaxChemins));
  EXPECT_EQ(r.Chemins[0].Personnes.size(), 31u);
}

TEST(CheminsParente, TousLesAncetresCommunsSansArretAuPremier) {
  // 9 and 10 are third cousins through 1 x 2; 9's mother 22 and 10's ancestor 28, 6 generations
  // up, are both children of 30 alone: a half relation joined 2 + 7 generations away.
  test::TFamille f({{1, 'M', 0, 0, {2}}, {2, 'F', 0, 0, {1}}, {3, 'M', 1, 2}, {4, 'M', 1, 2}, {5, 'M', 3},
                    {6, 'M', 4}, {7, 'M', 5}, {8, 'M', 6}, {9, 'M', 7, 22}, {10, 'F', 8, 23}, {22, 'F', 30},
                    {23, 'F', 0, 24}, {24, 'F', 0, 25}, {25, 'F', 0, 26}, {26, 'F', 0, 27}, {27, 'F', 0, 28},
                    {28, 'F', 30}, {30, 'M'}});
  TGrapheParente g(f.Fichier());
  const TParenteComplete r = ChercheToutesParentes(g, 9, 10);
  ASSERT_EQ(r.Ancetres.size(), 3u);
  EXPECT_EQ(r.Ancetres[2].No, 30);
  EXPECT_EQ(r.Ancetres[2].GenerationsMin(), 9);
  EXPECT_EQ(r.NbChemins, 3);
  EXPECT_EQ(r.Chemins[2].Personnes, (std::vector<long>{9, 22, 30, 28, 27, 26, 25, 24, 23, 10}));
  EXPECT_EQ(AnsiVersUtf8(TexteLiens(NommeParente(g, 9, 10))),
            "cousine issue d'issue de germain, demi-cousine au 9e degré");
}

}  // namespace
}  // namespace kyb
