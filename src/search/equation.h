#pragma once
// TEquation: the boolean equation of a selection over its condition numbers, such as
// "1 et (2 ou non 3)". Words are separated by blanks; "(" and ")" stand on their own even when
// glued to a word. A decimal number n is the result of condition n, "et" is AND, "ou" is OR,
// "non" is NOT; NOT binds tighter than AND, AND tighter than OR.
//
// The text is read once into a tree (Analyse) that is then evaluated for each person, asking for
// the result of a condition only when the tree needs it. An equation that does not read, or that
// names a condition number the selection does not have, is invalid: Analyse gives false and a
// French message.
//
// Reduction() is the symbol-rewriting evaluation the tree must agree with: the equation becomes a
// string of '1', '0' (condition results), '2' (a number without condition), '!', '*', '+' and
// parentheses; innermost groups are reduced ('!' first, then '*', then '+') until one digit is
// left. It is kept as the reference the tests compare the tree with.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/chaines.h"

namespace kyb {

class TEquation {
 public:
  // Words of an equation ("(" and ")" split off).
  [[nodiscard]] static std::vector<std::string> Mots(const UnicodeString& texte);

  // Reads texte for a selection of nbConditions conditions. An empty text is valid and always
  // true. False, with message set (French), when invalid.
  [[nodiscard]] bool Analyse(const UnicodeString& texte, int nbConditions, std::string* message = nullptr);
  [[nodiscard]] bool Valide() const { return valide_; }
  [[nodiscard]] bool Vide() const { return noeuds_.empty(); }
  // The value for the results of the conditions (resultat(n) for condition n, from 1, asked at
  // most once each per call when the tree needs it). False for an invalid equation.
  [[nodiscard]] bool Evalue(const std::function<bool(int)>& resultat) const;
  // Condition numbers the equation names, each once, ascending.
  [[nodiscard]] std::vector<int> Numeros() const;

  // The rewriting evaluation: '1', '0', or '2' for an invalid equation.
  [[nodiscard]] static char Reduction(const UnicodeString& texte, const std::vector<bool>& resultats);

 private:
  enum TGenre : uint8_t { Condition, Non, Et, Ou };
  struct TNoeud {
    TGenre genre;
    int32_t a = -1, b = -1;  // children, or a = condition number
  };
  [[nodiscard]] bool EvalueNoeud(int32_t n, const std::function<bool(int)>& resultat) const;

  std::vector<TNoeud> noeuds_;
  int32_t racine_ = -1;
  bool valide_ = true;
};

}  // namespace kyb
