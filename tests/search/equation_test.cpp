// The equation of a selection: the tree read once agrees with the symbol-rewriting evaluation on
// every equation, and bad equations are refused with a reason.
#include "search/equation.h"

#include <gtest/gtest.h>

#include <random>

namespace kyb {
namespace {

std::vector<bool> Bits(const char* s) {
  std::vector<bool> r;
  for (; *s; ++s) r.push_back(*s == '1');
  return r;
}

// '1', '0' or '2' (invalid) by the tree.
char ParArbre(const UnicodeString& texte, const std::vector<bool>& resultats) {
  TEquation e;
  if (!e.Analyse(texte, static_cast<int>(resultats.size()))) return '2';
  return e.Evalue([&](int n) { return resultats[n - 1]; }) ? '1' : '0';
}

TEST(Equation, PrioritesEtEquationsInvalides) {
  struct {
    const char16_t* texte;
    const char* resultats;
    char attendu;
  } cas[] = {
      {u"1 ou 2 et 3", "100", '1'},
      {u"non 1 et 2", "01", '1'},
      {u"non (1 et 2)", "11", '0'},
      {u"1 et (2 ou non 3)", "101", '0'},
      {u"(1)et(2)", "11", '1'},
      {u"NON non 1", "1", '1'},
      {u"", "", '1'},
      {u"1 et 4", "111", '2'},
      {u"0", "1", '2'},
      {u"(1 ou 2", "11", '2'},
      {u"1 ou 2)", "11", '2'},
      {u"1 2", "11", '2'},
      {u"1 et", "11", '2'},
      {u"1 et ou 2", "11", '2'},
      {u"1 plus 2", "11", '2'},
      {u"()", "1", '2'},
  };
  for (const auto& c : cas) {
    EXPECT_EQ(ParArbre(c.texte, Bits(c.resultats)), c.attendu) << UnicodeVersUtf8(c.texte);
    EXPECT_EQ(TEquation::Reduction(c.texte, Bits(c.resultats)), c.attendu) << UnicodeVersUtf8(c.texte);
  }
  TEquation e;
  std::string message;
  EXPECT_FALSE(e.Analyse(u"1 et 4", 3, &message));
  EXPECT_EQ(message, "la condition 4 n'existe pas (3 condition(s))");
  EXPECT_FALSE(e.Analyse(u"(1 ou 2", 3, &message));
  EXPECT_EQ(message, "parenthèse fermante manquante");
}

// A random equation over n conditions: well formed, or (one time in four) with words dropped,
// swapped or added, so that invalid texts are compared too.
UnicodeString Aleatoire(std::mt19937& alea, int n, int profondeur) {
  std::uniform_int_distribution<int> de(0, 9);
  const int tirage = profondeur > 3 ? 0 : de(alea);
  const auto numero = [&] { return AnsiVersUnicode(std::to_string(std::uniform_int_distribution<int>(1, n + 1)(alea))); };
  if (tirage <= 3) return numero();
  if (tirage == 4) return u"non " + Aleatoire(alea, n, profondeur + 1);
  if (tirage <= 6) return u"(" + Aleatoire(alea, n, profondeur + 1) + u")";
  return Aleatoire(alea, n, profondeur + 1) + (tirage == 7 ? u" et " : u" ou ") + Aleatoire(alea, n, profondeur + 1);
}

UnicodeString Abime(std::mt19937& alea, const UnicodeString& texte) {
  static const char16_t* mots[] = {u"et", u"ou", u"non", u"(", u")", u"1", u"x"};
  std::vector<std::string> m = TEquation::Mots(texte);
  const size_t i = std::uniform_int_distribution<size_t>(0, m.size())(alea);
  switch (std::uniform_int_distribution<int>(0, 2)(alea)) {
    case 0: if (i < m.size()) m.erase(m.begin() + static_cast<long>(i)); break;
    case 1: m.insert(m.begin() + static_cast<long>(i), UnicodeVersUtf8(mots[alea() % 7])); break;
    default: if (i + 1 < m.size()) std::swap(m[i], m[i + 1]);
  }
  std::string r;
  for (const std::string& x : m) r += x + " ";
  return Utf8VersUnicode(r);
}

TEST(Equation, ArbreEtReecritureDAccordSurDesMilliersDEquations) {
  std::mt19937 alea(31);
  int valides = 0, invalides = 0;
  for (int i = 0; i < 5000; ++i) {
    const int n = std::uniform_int_distribution<int>(1, 6)(alea);
    UnicodeString texte = Aleatoire(alea, n, 0);
    if (alea() % 4 == 0) texte = Abime(alea, texte);
    std::vector<bool> resultats(n);
    for (int k = 0; k < n; ++k) resultats[k] = alea() & 1;
    const char arbre = ParArbre(texte, resultats);
    ASSERT_EQ(arbre, TEquation::Reduction(texte, resultats)) << UnicodeVersUtf8(texte);
    (arbre == '2' ? invalides : valides)++;
  }
  EXPECT_GT(valides, 2000);
  EXPECT_GT(invalides, 500);
}

}  // namespace
}  // namespace kyb
