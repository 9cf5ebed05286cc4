// The three chart layouts on a small family with implex: Sosa and d'Aboville numbers, persons
// met again drawn once and referred to, no two boxes or sectors meeting.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <tuple>
#include <vector>

#include "charts/arbre_ascendance.h"
#include "charts/arbre_descendance.h"
#include "charts/arbre_eventail.h"
#include "charts/lecteur_arbre.h"
#include "charts/textes_boite.h"
#include "chevauchements.h"
#include "support/genealogie.h"

namespace kyb {
namespace {

// 1, child of 2 and 3, whose fathers 4 and 6 are brothers: 8 and 9 are met twice going up, and
// 1 is met twice going down from them.
test::TFamille Cousins() {
  return test::TFamille({{1, 'M', 2, 3},
                         {2, 'M', 4, 5, {3}},
                         {3, 'F', 6, 7, {2}},
                         {4, 'M', 8, 9, {5}},
                         {5, 'F', 0, 0, {4}},
                         {6, 'M', 8, 9, {7}},
                         {7, 'F', 0, 0, {6}},
                         {8, 'M', 0, 0, {9}},
                         {9, 'F', 0, 0, {8}}});
}

// (number shown, person, reference) for every box or sector, in drawing order.
template <class T>
std::vector<std::tuple<std::string, long, bool>> Cases(const std::vector<T>& cases) {
  std::vector<std::tuple<std::string, long, bool>> r;
  for (const T& c : cases) r.emplace_back(c.Textes.Numero, c.No, c.Renvoi);
  return r;
}

TEST(Arbres, AscendanceNumeroteParSosaEtRenvoieLesImplexes) {
  const test::TFamille f = Cousins();
  TLecteurArbre lecteur(f.Dossier());
  const TDessin d = DessineAscendance(lecteur, 1, 5);
  const std::vector<std::tuple<std::string, long, bool>> attendu = {
      {"1", 1, false}, {"2", 2, false}, {"3", 3, false}, {"4", 4, false}, {"5", 5, false}, {"6", 6, false},
      {"7", 7, false}, {"8", 8, false}, {"9", 9, false}, {"12", 8, true}, {"13", 9, true}};
  EXPECT_EQ(Cases(d.Boites), attendu);
  EXPECT_EQ(d.Boites[9].Textes.Lignes.back(), "voir n° 8");
  EXPECT_EQ(d.Generations, 4);
  EXPECT_EQ(test::Chevauchement(d), "");
}

TEST(Arbres, DescendanceNumeroteALaDAbovilleAvecLesConjoints) {
  const test::TFamille f = Cousins();
  TLecteurArbre lecteur(f.Dossier());
  const TDessin d = DessineDescendance(lecteur, 8, 4);
  const std::vector<std::tuple<std::string, long, bool>> attendu = {
      {"1.1.1.1", 1, false}, {"1.1.1", 2, false}, {"∞", 3, false},  {"1.1", 4, false}, {"∞", 5, false},
      {"1.2.1.1", 1, true},  {"1.2.1", 3, false}, {"∞", 2, true},   {"1.2", 6, false}, {"∞", 7, false},
      {"1", 8, false},       {"∞", 9, false}};
  EXPECT_EQ(Cases(d.Boites), attendu);
  EXPECT_EQ(d.Boites[5].Textes.Lignes.back(), "voir n° 1.1.1.1");
  EXPECT_EQ(test::Chevauchement(d), "");
  // Two generations only: 8, its spouse and its two children with theirs.
  EXPECT_EQ(DessineDescendance(lecteur, 8, 2).Boites.size(), 6u);
}

TEST(Arbres, EventailPartageLeDemiCercleParSosa) {
  const test::TFamille f = Cousins();
  TLecteurArbre lecteur(f.Dossier());
  const TDessin d = DessineEventail(lecteur, 1, 4);
  ASSERT_EQ(d.Secteurs.size(), 11u);
  EXPECT_EQ(std::get<0>(Cases(d.Secteurs)[9]), "12");
  EXPECT_TRUE(d.Secteurs[9].Renvoi);
  // Sosa 12 is the fifth of the eight sectors of ring 3: from 90° to 67.5°.
  EXPECT_DOUBLE_EQ(d.Secteurs[9].AngleDebut, 90);
  EXPECT_DOUBLE_EQ(d.Secteurs[9].AngleFin, 67.5);
  EXPECT_EQ(test::Chevauchement(d), "");
}

// A line of ten fathers: every ring of a ten-generation fan is drawn, the outer ones radially,
// each sector at least one line high where it is narrowest.
TEST(Arbres, EventailDeDixGenerationsLisible) {
  std::vector<test::TMembre> lignee;
  for (long k = 1; k <= 10; ++k) lignee.push_back({k, 'M', k < 10 ? k + 1 : 0});
  const test::TFamille f(lignee);
  TLecteurArbre lecteur(f.Dossier());
  const TDessin d = DessineEventail(lecteur, 1, 12);
  EXPECT_EQ(d.GenerationsDemandees, kGenerationsEventailMax);
  ASSERT_EQ(d.Secteurs.size(), 10u);
  for (const TSecteur& s : d.Secteurs) {
    SCOPED_TRACE(s.Anneau);
    EXPECT_EQ(s.Radial, s.Anneau >= 4);
    const double arc = s.RayonInterieur * (s.AngleDebut - s.AngleFin) * std::numbers::pi / 180;
    if (s.Radial) {
      EXPECT_GE(arc + 0.5, HauteurLigne(s.Textes.Corps));
    }
  }
  EXPECT_EQ(test::Chevauchement(d), "");
}

TEST(Arbres, AnneesDesCases) {
  const struct {
    int declMin, declMax, indexMin, indexMax;
    const char* attendu;
  } cas[] = {
      {1820, 1880, 1820, 1880, "1820-1880"}, {1820, 0, 1820, 1885, "1820-~1885"}, {0, 0, 1790, 1850, "~1790-~1850"},
      {0, 1880, 0, 1880, "?-1880"},          {0, 0, 0, 0, ""},
  };
  for (const auto& c : cas) EXPECT_EQ(TexteAnneesArbre(c.declMin, c.declMax, c.indexMin, c.indexMax), c.attendu);
}

}  // namespace
}  // namespace kyb
