#pragma once
// Typed date texts: analysis into the fixed forms of TDateKY, and the tests on those forms.
//
// AnalyseDate reads what users type ("14 7 1789", "140789", "?/5/89", "1 pluviôse an XII") in
// one calendar and writes the normalised text. Separators are any of " -|_,;.:/*+"; '?' and
// runs of dots mark an unknown part (a single '.' between numbers is a separator). A lone run of
// 5 to 8 digits reads as DDMMY...; otherwise three parts are day, month, year, two parts month
// and year, one part the year.
//
// Years: year 0 is refused (the year before 1 is 1 before Christ). Gregorian 1 digit d -> 200d, 2 digits yy -> 19yy when yy is above the current year's
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
//
// Days: a known day must exist. With the year unknown a month's longest length counts
// ("30/02/...." and "31/04/...." are refused, "29/02/...." is not); 10 to 19 December 1582 never
// existed in the Gregorian calendar; before Christ, leap years are 1, 5, 9 ... BC (proleptic
// Julian calendar, no year 0).
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
// The one rule that keeps a typed text as a stored range: the fixed form (YYYY/YYYY, or YY/YY for
// Republican years) with each bound all digits or all dots, at least one bound known (both for a
// Republican range), each known
// bound a valid year of the calendar (Republican 1 to 19, Hebrew above 3760, others 1 to 3000:
// year 0 never) and the lower bound not above the upper. calendrier 0 takes the calendar from the
// form ('R' for YY/YY, else 'G'). Returns the calendar of the range, or 0 when the text is not
// one ("05/89", "14/07", "1760/1750" are not: they go to AnalyseDate).
[[nodiscard]] char FourchetteSaisie(std::string_view texte, char calendrier = 0) noexcept;
// A typed date: a range by the rule above, else AnalyseDate in the calendar (0: 'R' for a
// Republican layout, else 'G'), strict. Fills the fixed text and its calendar and returns -1, or
// returns AnalyseDate's error code and leaves both unchanged. Blanks around the text are ignored.
int AnalyseSaisie(AnsiString& resultat, char& calendrierResultat, std::string_view texte,
                  char calendrier = 0);
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

// Letter of Windows-1252 folded to lower case without accent; 0 when not a letter.
[[nodiscard]] char LettreSimple(unsigned char c) noexcept;

}  // namespace kyb
