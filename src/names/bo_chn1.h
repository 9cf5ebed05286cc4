#pragma once
// Name keys: upper-casing with the two folding tables, index cleaning, the search key of a
// surname, the normalised key, accent removal, byte and partial comparisons, and the small text
// utilities every name function shares. Pure functions without state; thread-safe.
//
// Two folding tables, applied after the general upper-casing of chaines.h:
//  - mode 1, accented upper case: à→À … ÿ→Ÿ, æ→Æ, œ→Œ (accents kept);
//  - any other mode, plain upper case (the index uses mode 2): every accented Latin letter to its
//    bare letter (À→A, Ç→C, Ÿ→Y, Ł→L, ő→O: names/repli_lettres.h); Æ, Œ, ß, Ø stay one letter.
// The 8-bit forms work on Windows-1252 bytes (other letters as references), the 16-bit forms on
// UTF-16; both give the same result (the buffer forms and ToUpper* fold no outside letter).
#include <string_view>

#include "platform/chaines.h"

namespace kyb {

// Characters that never appear in an index key (each becomes a space): * ? , ( ) { } [ ] & " / =
inline constexpr std::string_view kCarsExclusIndex = "*?,(){}[]&\"/=";

// --- Upper-casing -------------------------------------------------------------------------------

// The folding tables as texts of (from, to) pairs: character 2k becomes character 2k + 1.
[[nodiscard]] const AnsiString& asConvAccenMajAcc();     // mode 1, Windows-1252
[[nodiscard]] const AnsiString& asConvAccenMajNonAcc();  // plain table, Windows-1252
[[nodiscard]] const UnicodeString& usConvAccenMajAcc();
[[nodiscard]] const UnicodeString& usConvAccenMajNonAcc();

// General form: upper-case the text, then replace each character by the "to" of the first pair
// whose "from" equals it (a text of pairs as above; an odd last character is ignored).
[[nodiscard]] AnsiString UpperAnsiString(std::string_view texte, std::string_view paires);
[[nodiscard]] UnicodeString UpperAnsiString(std::u16string_view texte,
                                            std::u16string_view paires);
// Buffer form: dest receives strlen(source) + 1 bytes.
void UpperChaine0(char* dest, const char* source, std::string_view paires);

// Mode 1: accented upper case; any other mode: plain upper case.
[[nodiscard]] AnsiString UpperANSIChaineAS(std::string_view texte, int mode);
[[nodiscard]] UnicodeString UpperANSIChaineAS(std::u16string_view texte, int mode);
void UpperANSIChaine0(char* dest, const char* source, int mode);

// One character.
[[nodiscard]] char ToUpperNonAcc(char c) noexcept;
[[nodiscard]] char ToUpperAcc(char c) noexcept;
[[nodiscard]] char16_t ToUpperNonAcc(char16_t c) noexcept;
[[nodiscard]] char16_t ToUpperAcc(char16_t c) noexcept;

// --- Keys ---------------------------------------------------------------------------------------

// Index cleaning: excluded characters become spaces, both ends trimmed (blanks and control
// characters), runs of ";" and runs of spaces collapsed to one. Case is untouched.
[[nodiscard]] AnsiString TransformeEnCaractereIndex(std::string_view texte);
[[nodiscard]] UnicodeString TransformeEnCaractereIndex(std::u16string_view texte);

// Search key of a typed surname: particles removed, plain upper case, index cleaning. Not cut.
[[nodiscard]] AnsiString FormatIndex(std::string_view texte);
[[nodiscard]] UnicodeString FormatIndex(std::u16string_view texte);

// Plain upper case, then only A-Z, space and '-' outside parentheses ("Martel (dit Forge)" gives
// "MARTEL ").
[[nodiscard]] AnsiString NormaliseCle(std::string_view texte);

// Accented Latin letters to their bare letter, case kept (Ø gives O, Æ and Œ stay).
[[nodiscard]] UnicodeString SupprimerAccents(std::u16string_view texte);

// --- Comparisons (negative, zero or positive) ---------------------------------------------------

// Byte by byte as signed characters: every byte from 0x80 up sorts before ASCII. -1, 0 or 1.
[[nodiscard]] int strcmpFL(const char* a, const char* b) noexcept;
// A null text equals an empty one and is less than a non-empty one; otherwise strcmpFL.
[[nodiscard]] int strcmpNULL(const char* a, const char* b) noexcept;
// Plain-upper-case forms compared first; equal ones are ordered by the unfolded texts.
[[nodiscard]] int strcmpIgnDiac(const char* a, const char* b);
// "*" in one text ends the comparison there ("MAR*" equals "MARTEL"); the first text's star wins.
[[nodiscard]] int strcmpPartiel(const char* a, const char* b);

// The same four over UTF-16, giving the result of the 8-bit form on every text Windows-1252 can
// hold: each character weighs as its Windows-1252 byte read signed (so every non-ASCII letter
// sorts before ASCII, É before A). A character without Windows-1252 form sorts before all of
// those, by code unit.
[[nodiscard]] int strcmpFL(const char16_t* a, const char16_t* b) noexcept;
[[nodiscard]] int strcmpNULL(const char16_t* a, const char16_t* b) noexcept;
[[nodiscard]] int strcmpIgnDiac(const char16_t* a, const char16_t* b);
[[nodiscard]] int strcmpPartiel(const char16_t* a, const char16_t* b);
[[nodiscard]] int strcmpFL(const UnicodeString& a, const UnicodeString& b) noexcept;
[[nodiscard]] int strcmpNULL(const UnicodeString& a, const UnicodeString& b) noexcept;
[[nodiscard]] int strcmpIgnDiac(const UnicodeString& a, const UnicodeString& b);
[[nodiscard]] int strcmpPartiel(const UnicodeString& a, const UnicodeString& b);

// --- Text utilities (same contract in both forms) -----------------------------------------------

// Each character of the set becomes a space.
[[nodiscard]] AnsiString EnleveCars(std::string_view texte, std::string_view ensemble);
[[nodiscard]] UnicodeString EnleveCars(std::u16string_view texte, std::u16string_view ensemble);
// Each run of c becomes one c.
[[nodiscard]] AnsiString ElimineMultiSeparateur(std::string_view texte, char c);
[[nodiscard]] UnicodeString ElimineMultiSeparateur(std::u16string_view texte, char16_t c);
// Element n (from 1) of the text split at c, untrimmed; empty for 0 or beyond the last one.
[[nodiscard]] AnsiString EltNo(int n, std::string_view texte, char c);
[[nodiscard]] UnicodeString EltNo(int n, std::u16string_view texte, char16_t c);
// Number of elements of the text split at c: 0 for an empty text, else the count of c plus one.
[[nodiscard]] int NombreElts(std::string_view texte, char c) noexcept;
[[nodiscard]] int NombreElts(std::u16string_view texte, char16_t c) noexcept;
// Blanks and control characters trimmed at both ends.
[[nodiscard]] AnsiString EffBlancs(std::string_view texte);
[[nodiscard]] UnicodeString EffBlancs(std::u16string_view texte);

}  // namespace kyb
