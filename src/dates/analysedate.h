#pragma once
// Typed date texts: analysis into the fixed forms of TDateKY, and the tests on those forms.
//
// AnalyseDate reads what users type ("14 7 1789", "140789", "?/5/89", "1 pluviôse an XII") in
// one calendar and writes the normalised text. Separators are any of " -|_,;.:/*+"; '?' and
// runs of dots mark an unknown part (a single '.' between numbers is a separator). A lone run of
// 5 to 8 digits reads as DDMMY...; otherwise three parts are day, month, year, two parts month
// and year, one part the year.
//
// Years: Gregorian 1 digit d -> 200d, 2 digits yy -> 19yy when yy is above the current year's
// last two digits, else 20yy (today's date from the platform clock), 3 digits get a leading 0.
// Before Christ: padded with 0, no century guessed. Hebrew: d -> 577d, yy -> 57yy unless that
// lies after the current Hebrew year, then 56yy; 3 digits get a leading 5.
//
// Republican dates may be typed with month numbers 1-13 ("1/5/12"), month codes ("01/PLUV/12")
// or names with or without accents, the year in digits or Roman numerals ("1 pluviôse an XII");
// the complementary days are the month "complémentaire(s)" or "sans-culottide(s)"; the words
// "an", "l'", "jour", "de", "du", "le" and ordinal endings ("1er") are skipped. Result DD/MMMM/YY
// with dots for unknown parts; year 1 to 19, day 1 to 30 (complementary days 1 to 5, 6 in a
// sextile year).
#include <string_view>

#include "platform/chaines.h"

namespace kyb {

// Error codes of AnalyseDate (success is -1).
inline constexpr int kAnalyseOk = -1;
inline constexpr int kErreurCaractere = 3;
inline constexpr int kErreurAnneeLongue = 4;
inline constexpr int kErreurAnnee = 7;
inline constexpr int kErreurMois = 8;
inline constexpr int kErreurJour = 9;

// Calendar 'G', 'A', 'H' or 'R' (first character of calendrier); any other tag returns -1 and
// leaves resultat unchanged. On error resultat is unchanged and a positive code is returned.
// With strict, a refused month is tried once more with the text followed by its first separator
// (so "25 12" reads as a day and a month).
int AnalyseDate(AnsiString& resultat, std::string_view texte, std::string_view calendrier,
                bool strict = true);

[[nodiscard]] constexpr bool IsChiffre(char c) noexcept { return c >= '0' && c <= '9'; }
[[nodiscard]] bool IsSeparateurDate(char c) noexcept;

// Layout tests (positions 1-based): G and H are 10 characters with '/' at 3 and 6; R at least 9
// with '/' at 3 and 8; a range 5 characters with '/' at 3 or 9 with '/' at 5.
[[nodiscard]] bool DateFormatGregorien(std::string_view texte) noexcept;
[[nodiscard]] bool DateFormatHebraique(std::string_view texte) noexcept;
[[nodiscard]] bool DateFormatRepublicain(std::string_view texte) noexcept;
[[nodiscard]] bool DateFormatFourchette(std::string_view texte) noexcept;
[[nodiscard]] bool AnneeVide(std::string_view texte) noexcept;
// A range whose bounds are each all digits or all dots ("1750/1760", "..../1760", "02/05").
[[nodiscard]] bool FourchetteBienFormee(std::string_view texte) noexcept;
// ' ' empty, 'G' Gregorian layout, 'R' Republican layout, '?' otherwise.
[[nodiscard]] char RetourneFormatDate(std::string_view texte) noexcept;

// Parts of a point date text, 0 when unknown or unreadable. The month of a Republican text is
// its code looked up among the month resources.
[[nodiscard]] int RecupJour(std::string_view texte) noexcept;
[[nodiscard]] int RecupMois(std::string_view texte);
[[nodiscard]] int RecupAnnee(std::string_view texte) noexcept;
void RecupJourMoisAnnee(std::string_view texte, int* jour, int* mois, int* annee);

// Reads exactly `longueur` digits at `debut` (0-based); -1 when any is not a digit or the text is
// too short.
[[nodiscard]] int LitNombre(std::string_view texte, std::size_t debut,
                            std::size_t longueur) noexcept;

}  // namespace kyb
