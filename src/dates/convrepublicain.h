#pragma once
// The French Republican calendar, from 1 Vendémiaire an I (22 September 1792).
//
// Twelve months of 30 days (codes VEND BRUM FRIM NIVO PLUV VENT GERM FLOR PRAI MESS THER FRUC)
// and the complementary days (COMP), 5 or 6 in a sextile year (years 3, 7, 11, 15, 19). Text form
// DD/MMMM/YY; a range is YY/YY. Republican to Gregorian follows periods of 365 days from
// 22 September (the 4th and 12th, holding 29 February 1796 and 1804, have 366), which is exact
// for the years the calendar was in use. Gregorian to Republican reads a table of years I to
// XV (XV cut after 101 days): Julian days 2375839 to 2381052; other days do not convert.
// Every converter returns the empty text when it cannot convert. Nothing throws.
#include <cstdint>
#include <string_view>

#include "platform/chaines.h"

namespace kyb {

[[nodiscard]] bool AnneeRepublicaineOk(int annee) noexcept;  // 1..19
[[nodiscard]] bool AnneeRepublicaineSextile(int annee) noexcept;
// Code of month 1..13 ("VEND".."FRUC", "COMP"), empty outside; and back (0 when unknown).
[[nodiscard]] std::string_view CodeMoisRepublicain(int mois) noexcept;
[[nodiscard]] int NumeroMoisRepublicain(std::string_view code) noexcept;

// Julian day number of a DD/MM/YYYY text (Julian calendar up to 14/10/1582, Gregorian after);
// 0 when the text cannot be read.
[[nodiscard]] std::int64_t JourJulien(std::string_view texte) noexcept;
// Days elapsed from 1 Vendémiaire an I to a DD/MMMM/YY text; -1 when it cannot be read.
[[nodiscard]] int CalculNbJours(std::string_view texte) noexcept;

// Republican -> Gregorian. An unknown day or month is computed with 07 / FLOR and written "..";
// an unknown year gives the empty text. The first form wants the full 10-character text.
[[nodiscard]] AnsiString ConvRepublicainGregorien(std::string_view texte);
[[nodiscard]] AnsiString ConvRepublicainGregorien2(std::string_view texte);
// Gregorian -> Republican. Unknown month computed with 04 and written "....", unknown day
// computed with 26 and written "..".
[[nodiscard]] AnsiString ConvGregorienRepublicain(std::string_view texte);

// Year converters: Gregorian year -> YY through 26/04; a Republican date or range -> YYYY (or
// YYYY/YYYY for a range, empty when a bound is open).
[[nodiscard]] AnsiString ConvAnneeGregRepub(std::string_view annee);
[[nodiscard]] AnsiString ConvAnneeRepubGreg(std::string_view texte);

}  // namespace kyb
