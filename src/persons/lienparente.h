#pragma once
// Kinship naming in French words, for one person P.
//
// Direct naming: the closest of sixteen categories in which another person Q stands to P, tried
// in a fixed order (parents, spouses, children, grandchildren, great-grandchildren, siblings with
// half-siblings, nephews and nieces, uncles and aunts, first cousins, second cousins, children of
// first cousins, the parents' first cousins, great-uncles and aunts, grandparents,
// great-grandparents, great-great-uncles and aunts); the word is chosen by Q's sex.
//
// Code naming: the generation code of the person's public record places it relative to the
// central person (Sosa number 1): a first element (a Sosa number, "FrConj1" or a word beginning
// with "Conj"), then after '-' a path of one-character steps (uppercase letter: a son, lowercase
// letter: a daughter, digit: a spouse). The decoders name it from P's sex.
//
// Words are 8-bit texts (Windows-1252) exactly as the application shows them, trailing blanks
// included; a relation that has no word gives an empty text. Nothing here writes.
#include "persons/gest_pers.h"
#include "persons/tables_parente.h"

namespace kyb {

inline constexpr int kNbCategoriesParente = 16;

class TLienParente {
 public:
  explicit TLienParente(const TPerson& personne) : p_(personne) {}

  // The word for Q, or empty when Q is in none of the sixteen categories (or is P itself).
  [[nodiscard]] AnsiString RetourneLienDeParente(long noQ) const;
  // The word for Q in the given category (0..15) when Q is a member of it; empty otherwise.
  [[nodiscard]] AnsiString CalculLienParente(int categorie, long noQ) const;
  // The members of one category for P (the list builder of that category); the count added.
  int MembresCategorie(int categorie, TTableLong& tab) const;

  [[nodiscard]] AnsiString GetLienPersCentrale() const { return DecodeNumGene(); }
  [[nodiscard]] AnsiString DecodeNumGene() const;
  [[nodiscard]] AnsiString DecodeDescDirect(const AnsiString& premier, const AnsiString& chemin) const;
  [[nodiscard]] AnsiString DecodeParents(const AnsiString& premier, const AnsiString& chemin) const;
  [[nodiscard]] AnsiString DecodeBoParents(const AnsiString& premier, const AnsiString& chemin) const;
  [[nodiscard]] AnsiString DecodeFrSr(const AnsiString& premier, const AnsiString& chemin) const;
  [[nodiscard]] AnsiString DecodeDescFrSr(const AnsiString& premier, const AnsiString& chemin) const;
  [[nodiscard]] AnsiString DecodeGp(const AnsiString& premier, const AnsiString& chemin) const;
  [[nodiscard]] AnsiString DecodeArrGp(const AnsiString& premier, const AnsiString& chemin) const;
  [[nodiscard]] AnsiString DecodeGrOncle(const AnsiString& premier, const AnsiString& chemin) const;
  [[nodiscard]] AnsiString DecodeAscConj(const AnsiString& premier, const AnsiString& chemin) const;
  // Word for a blood relation at a Sosa level (2..7), from the last character of the code.
  [[nodiscard]] static AnsiString DecodeNivLienSang(int niveau, const AnsiString& code);

 private:
  [[nodiscard]] AnsiString Sexe3(const char* homme, const char* femme, const char* inconnu) const;
  [[nodiscard]] AnsiString Sexe2(const char* homme, const char* femme) const;
  const TPerson& p_;
};

// An uppercase letter of Windows-1252 (A-Z and the accented capitals).
[[nodiscard]] bool IsCarMajAnsi(char c);

}  // namespace kyb
