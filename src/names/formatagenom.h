#pragma once
// Name lists and display of surnames: splitting a multi-valued name field at its separators and
// assembling it back, the particle that begins a name, and the display form of a surname.
// Thread-safe.
#include <string_view>
#include <vector>

#include "platform/chaines.h"

namespace kyb {

// Separator of the assembled lists.
inline constexpr std::string_view kSeparateurAssemblage = " ; ";

// ";" and "," separate the values of a name list; a space too when espaceAussi is set.
[[nodiscard]] bool IsCharSeparator(char c, bool espaceAussi) noexcept;
[[nodiscard]] bool IsCharSeparator(char16_t c, bool espaceAussi) noexcept;

// Splits texte into liste (appended to). Spaces separate only when garderVides is false; each
// piece is trimmed and added when not empty, or always when garderVides is set (an empty piece
// between two separators then counts). When delimiteurs is given it receives, in order, every
// separator character met, so that a caller can rebuild the text with its own separators.
void DecoupageDelimiteurs(std::string_view texte, std::vector<AnsiString>& liste,
                          AnsiString* delimiteurs, bool garderVides);
void DecoupageDelimiteurs(std::u16string_view texte, std::vector<UnicodeString>& liste,
                          UnicodeString* delimiteurs, bool garderVides);

// The strings joined with " ; "; empty for an empty list.
[[nodiscard]] AnsiString AssemblerTexte(const std::vector<AnsiString>& liste);
[[nodiscard]] UnicodeString AssemblerTexte(const std::vector<UnicodeString>& liste);

// What stands before the first upper-case letter or "*" ("de la Forge" gives "de la "); empty when
// the name begins with one, is empty, or holds none.
[[nodiscard]] AnsiString TronqueAParticule(std::string_view nom);
[[nodiscard]] UnicodeString TronqueAParticule(std::u16string_view nom);

// Length of the particle word of the list that begins the name, 0 when none does. A listed word
// matches when the name begins with it and continues with a space or an apostrophe or ends
// there; a listed word that itself ends with an apostrophe (d') matches whatever follows it. The
// longest matching word wins ("des Forges" gives 3 even though "de" is listed).
[[nodiscard]] int Particule(std::string_view nom);
[[nodiscard]] int Particule(std::u16string_view nom);

// Display form of a surname, word by word; words are the runs of characters that are not in
// separateurs, numbered from 1. Words premier to dernier (dernier < 1: to the last word) are
// rewritten, the others and every separator are copied as they stand. In the range:
//  - a particle (as typed, "de", "La", "van"; also "d" or "l" elided before an apostrophe) and a
//    small word ("dit", "veuve"…) are kept as typed, as French usage writes "de LA FONTAINE" or
//    "MARTIN dit FORGE";
//  - every other word, single letters (initials) included, is written in capitals with their
//    accents ("Hélène" HÉLÈNE) or, when initiales is set, with only its first letter in capital
//    and the rest in lower case ("jean-PAUL" Jean-Paul with "-" among the separators).
[[nodiscard]] AnsiString FormatageNomAvecSep(std::string_view nom, std::string_view separateurs,
                                             bool initiales, int premier, int dernier);
[[nodiscard]] UnicodeString FormatageNomAvecSep(std::u16string_view nom,
                                                std::u16string_view separateurs, bool initiales,
                                                int premier, int dernier);

}  // namespace kyb
