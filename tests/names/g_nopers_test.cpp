// Person-number tables: identifiers to numbers, (person, Sosa) pairs, arrays of person numbers.
#include "names/g_nopers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "platform/erreur.h"

namespace kyb {
namespace {

std::vector<std::string> Cles(const TGestNoPers& t) {
  std::vector<std::string> v;
  TEltNoPers e;
  for (int i = 0; i < t.GetNbElt(); ++i) {
    t.Lit(i, e);
    v.push_back(e.Cle);
  }
  return v;
}

TEST(GestNoPers, OrdreDesClesCadreesADroite) {
  for (const auto& ordre : {std::vector<std::string>{"10", "9", "100"}, {"100", "10", "9"}, {"9", "100", "10"}}) {
    TGestNoPers t(4);
    for (const auto& c : ordre) t.CreerNoPers(c);
    EXPECT_EQ(Cles(t), (std::vector<std::string>{"9", "10", "100"}));
  }
  // Equal lengths compare byte by byte as unsigned; a key of characters above the space after one
  // of the same length below it.
  TGestNoPers t(2);
  t.CreerNoPers("I12");
  t.CreerNoPers("\xC9" "1");  // "É1", two bytes
  t.CreerNoPers("AB");
  t.CreerNoPers("I2");
  EXPECT_EQ(Cles(t), (std::vector<std::string>{"AB", "I2", "\xC9" "1", "I12"}));
  EXPECT_EQ(t.ChercheNoPers("I12", false), 1);
  EXPECT_EQ(t.ChercheNoPers("AB", false), 3);
  EXPECT_EQ(t.ChercheNoPers("I3", false), 0);
}

TEST(GestNoPers, ChercheEtCree) {
  TGestNoPers t(10);
  const long a = t.ChercheNoPersEtCreer("", true, false);
  const long b = t.ChercheNoPersEtCreer("", true, false);
  EXPECT_NE(a, b);
  EXPECT_EQ(t.ChercheNoPers("~#0#", false), a);
  EXPECT_EQ(t.ChercheNoPers("~#1#", false), b);
  EXPECT_EQ(t.ChercheNoPersEtCreer("0", true, false), 0);  // "0" with zeroNul: no person
  EXPECT_EQ(t.GetNbElt(), 2);
  EXPECT_EQ(t.ChercheNoPersEtCreer("0", false, false), 3);  // without: a generated key
  EXPECT_EQ(t.ChercheNoPers("~#2#", false), 3);
  // A record reference between at signs is found without them.
  EXPECT_EQ(t.CreerNoPers("I45"), 4);
  EXPECT_EQ(t.ChercheNoPersEtCreer("@I45@", true, false), 4);
  EXPECT_EQ(t.ChercheNoPersEtCreer("I45", true, true), 5);  // always new
  EXPECT_EQ(t.CreerNoPers("X", 77), 77);
  EXPECT_EQ(t.ChercheNoPers("X", false), 77);
  EXPECT_TRUE(t.SupprimeNoPers("X", true));
  EXPECT_FALSE(t.SupprimeNoPers("X", true));
  EXPECT_EQ(t.ChercheNoPers("X", false), 0);
  EXPECT_EQ(t.ChercheNoPers("0", true), 0);
  // Long keys are cut to 254 characters.
  const std::string longue(300, 'K');
  t.CreerNoPers(longue, 9);
  EXPECT_EQ(t.ChercheNoPers(longue.substr(0, 254), false), 9);
}

TEST(GestNoPersSosa, PairesEtParents) {
  TGestNoPersSosa t;
  // Root 10, father 11, mother 12; 13 is the father's father and also, by implex, the mother's
  // father (numbers 4 and 6).
  t.CreerNoPers(NTL::ZZ(1), 10);
  t.CreerNoPers(NTL::ZZ(2), 11);
  t.CreerNoPers(NTL::ZZ(3), 12);
  t.CreerNoPers(NTL::ZZ(4), 13);
  t.CreerNoPers(NTL::ZZ(6), 13);
  EXPECT_EQ(t.CherchePere(10), 11);
  EXPECT_EQ(t.ChercheMere(10), 12);
  EXPECT_EQ(t.CherchePere(11), 13);
  EXPECT_EQ(t.CherchePere(12), 13);
  EXPECT_EQ(t.ChercheMere(11), 0);
  EXPECT_EQ(t.CherchePere(99), 0);
  EXPECT_EQ(t.CherchePersNoParSosa(NTL::ZZ(6)), 13);
  EXPECT_EQ(t.CherchePersNoParSosa(NTL::ZZ(5)), 0);
  EXPECT_EQ(t.SosasDe(13), (std::vector<NTL::ZZ>{NTL::ZZ(4), NTL::ZZ(6)}));
  NTL::ZZ s(-7);
  EXPECT_FALSE(t.ChercheNoPers(99, s, true));
  EXPECT_EQ(s, -7);  // untouched
  ASSERT_TRUE(t.ChercheNoPers(13, s, true));
  EXPECT_EQ(s, 4);
  TEltNoPersSosa e;
  t.LitPosCouranteMLZ(e);  // the cursor stands on the person's first pair
  EXPECT_EQ(e.NoPers, 13);
  EXPECT_EQ(e.Sosa, 4);
  ASSERT_TRUE(t.Lit(2, e));
  EXPECT_EQ(e.NoPers, 12);
  EXPECT_FALSE(t.Lit(5, e));
}

TEST(GestNoPersSosa, CurseursEtCopie) {
  TGestNoPersSosa t;
  const long personnes[] = {30, 10, 20, 10};
  for (int i = 0; i < 4; ++i) t.CreerNoPers(NTL::ZZ(i + 1), personnes[i]);
  const TGestNoPersSosa copie(t);
  t.Raz();
  EXPECT_EQ(t.GetNbElt(), 0);
  TGestNoPersSosa c(copie);
  c.RazPosCourante();
  std::vector<long> v, m;
  TEltNoPersSosa e;
  while (!c.LastVLZ()) {
    c.LitPosCouranteVLZ(e);
    v.push_back(e.NoPers);
    c.NextVLZ();
  }
  while (!c.LastMLZ()) {
    c.LitPosCouranteMLZ(e);
    m.push_back(e.NoPers * 10 + NTL::conv<long>(e.Sosa));
    c.NextMLZ();
  }
  EXPECT_EQ(v, (std::vector<long>{30, 10, 20, 10}));
  EXPECT_EQ(m, (std::vector<long>{102, 104, 203, 301}));  // person order, then creation order
  EXPECT_THROW(c.LitPosCouranteVLZ(e), ErreurKy);
  EXPECT_THROW(c.LitPosCouranteMLZ(e), ErreurKy);
  EXPECT_TRUE(c.LastVLZ());  // the cursors stay where they were
}

using Tableau = std::array<int32_t, 5>;

TEST(TableNoPers, Operations) {
  Tableau t{};
  InitNoTableLong(t.data(), 5, 7);
  EXPECT_EQ(t, (Tableau{7, 7, 7, 7, 7}));
  int entiers[3];
  InitNoTableInt(entiers, 3, -1);
  EXPECT_EQ(entiers[2], -1);

  t = {4, 0, 4, 0, 0};  // only the slots before the first free one are searched
  EXPECT_TRUE(AjouteNoTableLong(t.data(), 5, 4));
  EXPECT_EQ(t, (Tableau{4, 0, 4, 0, 0}));
  t = {5, 0, 4, 0, 0};
  EXPECT_TRUE(AjouteNoTableLong(t.data(), 5, 4));
  EXPECT_EQ(t, (Tableau{5, 4, 4, 0, 0}));
  t = {1, 2, 3, 4, 5};
  EXPECT_FALSE(AjouteNoTableLong(t.data(), 5, 6));
  EXPECT_TRUE(AjouteNoTableLong(t.data(), 5, 3));
  EXPECT_TRUE(ExisteNoTableLong(t.data(), 5, 5));
  EXPECT_FALSE(ExisteNoTableLong(t.data(), 4, 5));

  t = {1, 2, 3, 0, 0};
  EXPECT_TRUE(InsereNoTableLong(t.data(), 5, 9, 1));
  EXPECT_EQ(t, (Tableau{1, 9, 2, 3, 0}));
  EXPECT_TRUE(InsereNoTableLong(t.data(), 5, 8, 0));
  EXPECT_EQ(t, (Tableau{8, 1, 9, 2, 3}));
  EXPECT_FALSE(InsereNoTableLong(t.data(), 5, 7, 0));  // last slot taken: nothing
  EXPECT_EQ(t, (Tableau{8, 1, 9, 2, 3}));

  t = {6, 1, 6, 2, 0};
  EXPECT_TRUE(MetAZeroNoTableLong(t.data(), 5, 6));
  EXPECT_EQ(t, (Tableau{6, 1, 0, 2, 0}));
  EXPECT_FALSE(MetAZeroNoTableLong(t.data(), 5, 9));
  EXPECT_EQ(CompteNoTableLong(t.data(), 5), 3);
  EXPECT_TRUE(RecompactTableLong(t.data(), 5));
  EXPECT_EQ(t, (Tableau{6, 1, 2, 0, 0}));
  EXPECT_EQ(PremierNonNulTableLong(t.data(), 5, true), 6);
  EXPECT_EQ(PremierNonNulTableLong(t.data(), 5, false), 1);
  EXPECT_EQ(t, (Tableau{0, 1, 2, 0, 0}));
  std::vector<int32_t> v{0, 0, 3};
  EXPECT_EQ(PremierNonNulVecLong(v, true), 3);
  EXPECT_EQ(PremierNonNulVecLong(v, false), 0);
  t = {};
  EXPECT_FALSE(RecompactTableLong(t.data(), 5));
}

TEST(TableNoPers, Deplacement) {
  const struct {
    Tableau avant;
    int32_t valeur;
    int pos;
    Tableau apres;
  } cas[] = {
      {{1, 2, 3, 4, 5}, 4, 2, {1, 4, 2, 3, 5}},  // towards the front
      {{1, 2, 3, 4, 5}, 1, 4, {2, 3, 4, 1, 5}},  // towards the back
      {{1, 2, 3, 4, 5}, 3, 3, {1, 2, 3, 4, 5}},  // already in slot pos - 1
      {{1, 2, 3, 4, 5}, 2, 5, {1, 2, 3, 4, 5}},  // pos >= n: nothing
      {{1, 2, 3, 4, 5}, 9, 1, {1, 2, 3, 4, 5}},  // absent
  };
  for (const auto& c : cas) {
    Tableau t = c.avant;
    DeplaceNoVersPosTableLong(t.data(), 5, c.valeur, c.pos);
    EXPECT_EQ(t, c.apres) << c.valeur << " vers " << c.pos;
  }
}

TEST(TableNoPers, TaillesNulles) {
  int32_t t[1] = {5};
  EXPECT_FALSE(AjouteNoTableLong(t, 0, 5));
  EXPECT_FALSE(InsereNoTableLong(t, -1, 5, 0));
  EXPECT_EQ(CompteNoTableLong(t, -3), 0);
  DeplaceNoVersPosTableLong(t, 0, 5, 0);
  EXPECT_EQ(t[0], 5);
}

}  // namespace
}  // namespace kyb
