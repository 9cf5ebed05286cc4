// Intervals of years, the interval a date stands for, and the age limits of the settings.
#include "dates/intervalle_annees.h"

#include <gtest/gtest.h>

#include <cmath>

#include "dates/consconfigsais.h"

namespace kyb {
namespace {

constexpr float I = kAnneeInconnue;  // an unknown bound in the tables below

TEST(TInterval, BornesInconnuesDecalageIntersection) {
  TIntervalAnnees i(1800.0f, I);
  EXPECT_FALSE(i.MinInconnu());
  EXPECT_TRUE(i.MaxInconnu());
  EXPECT_EQ(i.Max(), 0.0f);
  i.SetMin(std::nanf(""));
  EXPECT_TRUE(i.Inconnu());
  // Only known bounds move: [1850, ?] shifted by (-50, -18) is [1800, ?].
  const TIntervalAnnees d = TIntervalAnnees(1850.0f, I).Decale(-50.0f, -18.0f);
  EXPECT_EQ(d, TIntervalAnnees(1800.0f, I));
  // [1800, ?] meets [1790, 1830]: the tighter known bound of each side, [1800, 1830].
  TIntervalAnnees a(1800.0f, I);
  EXPECT_TRUE(a.Intersecte(TIntervalAnnees(1790.0f, 1830.0f)));
  EXPECT_EQ(a, TIntervalAnnees(1800.0f, 1830.0f));
  EXPECT_FALSE(a.Intersecte(TIntervalAnnees(I, 1840.0f)));
  EXPECT_TRUE(TIntervalAnnees(1830.0f, 1820.0f).Inverse());
}

TEST(CalculAnneeFloatOuFourchette, DatesDeToutesFormes) {
  // Fraction of a point date: (month - 1) / 12 + (day - 1) / 365.242.
  const float finAnnee = 11.0f / 12 + 30 / 365.242f;  // 31/12: 0.916667 + 0.082137
  const struct {
    const char* acte;
    char calendrier;
    const char* texte;
    float min, max;
  } cas[] = {
      {"", 'G', "14/07/1789", 1789.535593f, 1789.535593f},  // 1789 + 6/12 + 13/365.242
      {"", 'G', "../../1800", 1800.0f, 1800 + finAnnee},
      {"", 'G', "../03/1800", 1800 + 2 / 12.0f, 1800 + 2 / 12.0f + 30 / 365.242f},
      {"<", 'G', "../../1800", I, 1800 + finAnnee},
      {">", 'G', "../../1800", 1800.0f, I},
      {"~", 'G', "../../1800", 1799.0f, 1801 + finAnnee},
      {"ca", 'G', "../../1800", 1799.0f, 1801 + finAnnee},
      {"", 'G', "1750/1760", 1750.0f, 1760.99f},
      {"", 'G', "1750/....", 1750.0f, I},
      {"", 'G', "1760/1750", I, I},                      // upside down: nothing known
      {"", 'A', "15/03/0044", -43.795002f, -43.795002f},  // -44 + 2/12 + 14/365.242
      {"", 'R', "01/PLUV/12", 1804.057496f, 1804.057496f},  // 22/01/1804: 1804 + 21/365.242
      {"", 'G', "", I, I},
      {"", 'G', "../05/....", I, I},
  };
  for (const auto& c : cas) {
    TDateKY d(c.calendrier, c.texte);
    d.SetActe(c.acte);
    TIntervalAnnees i;
    float annee = 0;
    CalculAnneeFloatOuFourchette(d, i, annee);
    SCOPED_TRACE(std::string(c.acte) + c.texte);
    EXPECT_EQ(i.MinInconnu(), c.min == I);
    EXPECT_EQ(i.MaxInconnu(), c.max == I);
    if (c.min != I) {
      EXPECT_NEAR(i.Min(), c.min, 1e-3);
    }
    if (c.max != I) {
      EXPECT_NEAR(i.Max(), c.max, 1e-3);
    }
    // The single year only for a date without width.
    if (c.min != I && c.min == c.max) {
      EXPECT_NEAR(annee, c.min, 1e-3);
    } else {
      EXPECT_EQ(annee, I);
    }
  }
}

TEST(TConsConfigSais, LimitesBrutesEtElargies) {
  const TConsConfigSais c;
  const struct {
    char sexe;
    bool brut;
    int min, max, unionMin, unionMax;
  } cas[] = {
      {'M', true, 18, 50, 17, 70},
      {'F', true, 15, 50, 17, 70},
      {'M', false, 25, 90, 20, 30},  // int(1.7*18-5)=int(25.6), int(1.7*50+5); int(1.5*17-/+5)
      {'F', false, 20, 90, 18, 28},  // int(1.7*15-5)=int(20.5); int(1.4*17-5)=int(18.8), int(28.8)
  };
  for (const auto& x : cas) {
    int min = 0, max = 0;
    c.GetAgePremierEnfant(min, max, x.sexe, x.brut);
    EXPECT_EQ(std::pair(min, max), std::pair(x.min, x.max)) << x.sexe << x.brut;
    c.GetAgeUnion(min, max, x.sexe, x.brut);
    EXPECT_EQ(std::pair(min, max), std::pair(x.unionMin, x.unionMax)) << x.sexe << x.brut;
  }
  EXPECT_EQ(c.AgeDecesMoyen(), 58);  // int(100 / 1.7) = int(58.8)
  EXPECT_EQ(c.EcartMaxFreres(true), 35);
}

}  // namespace
}  // namespace kyb
