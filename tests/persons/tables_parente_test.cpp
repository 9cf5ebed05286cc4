// Relative lists: members, separators, the 500-entry bound, appending.
#include "persons/tables_parente.h"

#include <gtest/gtest.h>

#include <functional>

#include "support/genealogie.h"

namespace kyb {
namespace {

std::vector<int32_t> Contenu(const TTableLong& t) {
  std::vector<int32_t> v;
  for (const int32_t n : t)
    if (n != 0) v.push_back(n);
  return v;
}

// P = 20: parents 10/11; father's parents 5/6, mother's parents 7/8; 5's parents 2/3; 1 father
// of 2. Uncles and aunts: 13 (father's side), 16 (mother's side). 12 the father's second wife.
std::vector<test::TMembre> Famille() {
  return {{1, 'M'},        {2, 'M', 1},         {3, 'F'},            {4, 'M', 1},       {5, 'M', 2, 3},
          {6, 'F'},        {7, 'M'},            {8, 'F'},            {9, 'M', 1},       {10, 'M', 5, 6, {11, 12}},
          {11, 'F', 7, 8}, {12, 'F', 0, 0, {10}}, {13, 'F', 5, 6},   {14, 'M', 2, 3},   {15, 'F', 14},
          {16, 'M', 7, 8}, {17, 'M', 0, 16},    {20, 'M', 10, 11, {25}}, {21, 'F', 10, 11}, {22, 'M', 10, 12},
          {25, 'F', 0, 0, {20}}, {26, 'M', 20, 25}, {30, 'M', 0, 21},   {31, 'M', 0, 13},  {32, 'M', 0, 15},
          {35, 'F', 26},   {40, 'F', 31},       {45, 'M', 0, 35},    {46, 'F', 0, 12}};
}

TEST(TablesParente, MembresDeChaqueListe) {
  const test::TFamille f(Famille());
  const TPerson p = f.Personne(20);
  using Builder = std::function<void(TTableLong&, int&)>;
  const struct {
    const char* nom;
    Builder construit;
    std::vector<int32_t> attendu;
  } cas[] = {
      {"parents", [&](TTableLong& t, int& n) { RetourneTabParents(p, t, n); }, {10, 11}},
      {"conjoints", [&](TTableLong& t, int& n) { RetourneTabConjoints(p, t, n); }, {25}},
      {"enfants", [&](TTableLong& t, int& n) { RetourneTabEnfants(p, t, n); }, {26}},
      {"frères et soeurs", [&](TTableLong& t, int& n) { RetourneTabFreresSoeurs(p, t, n, false, false); }, {21}},
      {"avec demi", [&](TTableLong& t, int& n) { RetourneTabFreresSoeurs(p, t, n, false, true); }, {21, 22}},
      {"complet", [&](TTableLong& t, int& n) { RetourneTabFreresSoeursComplet(p, t, n); }, {21, 22}},
      {"grands-parents", [&](TTableLong& t, int& n) { RetourneTabGrdParents(p, t, n); }, {5, 6, -2, 7, 8}},
      {"grands-parents paternels", [&](TTableLong& t, int& n) { RetourneTabGrdParents(p, t, n, true); }, {5, 6}},
      {"arrière-grands-parents", [&](TTableLong& t, int& n) { RetourneTabArrGrdParents(p, t, n); }, {2, 3}},
      {"trisaïeuls", [&](TTableLong& t, int& n) { RetourneTabTrisaieuls(p, t, n); }, {1}},
      {"petits-enfants", [&](TTableLong& t, int& n) { RetourneTabPetitsEnfants(p, t, n); }, {35}},
      {"arrière-petits-enfants", [&](TTableLong& t, int& n) { RetourneTabArrieresPetitsEnfants(p, t, n); }, {45}},
      {"oncles et tantes", [&](TTableLong& t, int& n) { RetourneTabOnclesTantes(p, t, n); }, {13, -2, 16}},
      {"oncles, table allouée", [&](TTableLong& t, int& n) { RetourneTabOnclesTantes(p, t, n, false, true); },
       {13, -1, 16}},
      {"oncles paternels", [&](TTableLong& t, int& n) { RetourneTabOnclesTantes(p, t, n, true); }, {13}},
      {"grands-oncles", [&](TTableLong& t, int& n) { RetourneTabGrdOnclesTantes(p, t, n); }, {14}},
      {"arrière-grands-oncles", [&](TTableLong& t, int& n) { RetourneTabArrGrdOnclesTantes(p, t, n); }, {4, 9}},
      {"neveux", [&](TTableLong& t, int& n) { RetourneTabNeveuxNieces(p, t, n); }, {30}},
      {"cousins", [&](TTableLong& t, int& n) { RetourneTabCousins(p, t, n); }, {31, 17}},
      {"cousins paternels", [&](TTableLong& t, int& n) { RetourneTabCousins(p, t, n, true); }, {31}},
      {"issus de germain", [&](TTableLong& t, int& n) { RetourneTabCousinsIssusDeGermain(p, t, n); }, {32}},
      {"remués de germain", [&](TTableLong& t, int& n) { RetourneTabCousinsRemuesDeGermain(p, t, n); }, {40}},
      {"cousins des parents", [&](TTableLong& t, int& n) { RetourneTabCousinsParents(p, t, n); }, {15}},
      {"issus germain parents", [&](TTableLong& t, int& n) { RetourneTabCousinsIssusGermainParents(p, t, n); },
       {15}},
      {"cousins des grands-parents", [&](TTableLong& t, int& n) { RetourneTabCousinsGrdParents(p, t, n); }, {}},
  };
  for (const auto& c : cas) {
    auto t = AlloueTableLong();
    int nb = -5;
    c.construit(*t, nb);
    EXPECT_EQ(Contenu(*t), c.attendu) << c.nom;
    EXPECT_EQ(nb, static_cast<int>(c.attendu.size())) << c.nom;
  }
}

TEST(TablesParente, SeparateurRetireQuandUneMoitieEstVide) {
  const test::TFamille f(Famille());
  auto t = AlloueTableLong();
  int nb = 0;
  // 22's mother 12 has no parents: the father's parents only, no separator.
  RetourneTabGrdParents(f.Personne(22), *t, nb);
  EXPECT_EQ(Contenu(*t), (std::vector<int32_t>{5, 6}));
  EXPECT_EQ(nb, 2);
  // 10's uncle is his father's brother 14; his mother has no parents: no separator.
  t = AlloueTableLong();
  RetourneTabOnclesTantes(f.Personne(10), *t, nb);
  EXPECT_EQ(Contenu(*t), std::vector<int32_t>{14});
  // 46 has no father: the mother's parents (none) give an empty list.
  t = AlloueTableLong();
  RetourneTabGrdParents(f.Personne(46), *t, nb);
  EXPECT_EQ(nb, 0);
}

TEST(TablesParente, MereSeuleConnueDemiFreresParUnAutrePere) {
  // 46 knows only its mother 12, whose son 22 is 10's: a half-brother, not a brother.
  const test::TFamille f(Famille());
  for (const bool demi : {false, true}) {
    auto t = AlloueTableLong();
    int nb = 0;
    RetourneTabFreresSoeurs(f.Personne(46), *t, nb, false, demi);
    EXPECT_EQ(Contenu(*t), demi ? std::vector<int32_t>{22} : std::vector<int32_t>{}) << demi;
  }
}

TEST(TablesParente, AjoutApresLesEntreesPresentesSansDoublon) {
  const test::TFamille f(Famille());
  const TPerson p = f.Personne(20);
  auto t = AlloueTableLong();
  int nb = 0;
  RetourneTabParents(p, *t, nb);
  RetourneTabFreresSoeurs(p, *t, nb, false, true);
  EXPECT_EQ(nb, 2);
  RetourneTabParents(p, *t, nb);  // already there: nothing added
  EXPECT_EQ(nb, 0);
  EXPECT_EQ(Contenu(*t), (std::vector<int32_t>{10, 11, 21, 22}));
}

TEST(TablesParente, BorneDeCinqCentsEntrees) {
  // 100 has 150 children (101..250), each with 4 children: 600 grandchildren.
  std::vector<test::TMembre> m{{100, 'M'}};
  for (long i = 0; i < 150; ++i) {
    m.push_back({101 + i, 'F', 100});
    for (long j = 0; j < 4; ++j) m.push_back({1000 + 4 * i + j, 'M', 0, 101 + i});
  }
  const test::TFamille f(m);
  auto t = AlloueTableLong();
  int nb = 0;
  RetourneTabPetitsEnfants(f.Personne(100), *t, nb);
  EXPECT_EQ(nb, 500);
  EXPECT_EQ(CompteNoTableLong(*t), 500);
  EXPECT_EQ((*t)[0], 1000);
  EXPECT_EQ((*t)[499], 1499);
  // With 10 entries already there, 490 more at most.
  t = AlloueTableLong();
  for (int i = 0; i < 10; ++i) (*t)[static_cast<size_t>(i)] = 5000 + i;
  RetourneTabPetitsEnfants(f.Personne(100), *t, nb);
  EXPECT_EQ(nb, 490);
  EXPECT_EQ((*t)[9], 5009);
  EXPECT_EQ((*t)[10], 1000);
}

}  // namespace
}  // namespace kyb
