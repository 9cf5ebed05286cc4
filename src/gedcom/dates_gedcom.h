#pragma once
// GEDCOM dates and TDateKY, both ways.
//
// Read: the forms of 5.5.1 (ABT, CAL, EST, BEF, AFT, BET … AND …, FROM … TO …, FROM, TO,
// INT … (phrase), dual years "1750/51", B.C., the escapes @#DGREGORIAN@, @#DJULIAN@,
// @#DFRENCH R@, @#DHEBREW@) and of 7.0 (GREGORIAN, JULIAN, FRENCH_R, HEBREW, BCE).
//   - A date with no calendar is the civil calendar as registers wrote it (Julian up to
//     9 December 1582, Gregorian after): its numbers are kept. An explicit Gregorian day before
//     20 December 1582 and a Julian day after 9 December 1582 are converted to the civil day.
//   - ABT gives "~", CAL and EST give "?", BEF "<", AFT ">".
//   - BET … AND … and FROM … TO … give a range of years (FROM alone and TO alone an open range);
//     days and months of the bounds are lost (approchee).
//   - A dual year is the later year: "11 FEB 1731/32" is in 1732.
//   - BC gives the calendar tag 'A'; French Republican 'R' (years I to XIX); Hebrew 'H'.
// A date that cannot be read gives lue == false and a French reason; the caller keeps the text.
//
// Write: a TDateKY as a 5.5.1 or a 7.0 date with its calendar. A civil day or month before
// 20 December 1582 is written with the Julian escape; "~" and "CA" give ABT, "?" EST; a closed
// range BET … AND …, an open one FROM or TO. Reading what is written gives the same value, up to
// "CA" read back as "~".
#include <string>
#include <string_view>

#include "dates/bo_jours.h"

namespace kyb {

enum class TVersionGedcom { V551, V70 };

struct TDateGedcom {
  bool lue = false;
  TDateKY date;
  bool approchee = false;  // the value holds less than the text said (days of a range bound)
  std::string phrase;      // the phrase of INT … (…) or of a date given as "(…)"
  std::string erreur;      // French, when lue is false
};

[[nodiscard]] TDateGedcom LitDateGedcom(std::string_view texte);

// Empty for an empty date or a date text that is not in one of the fixed forms.
[[nodiscard]] std::string EcritDateGedcom(const TDateKY& date, TVersionGedcom version);

// The written form of a date that the value does not hold (CAL, FROM … TO …, a dual year, a
// calendar of its own, a phrase) is kept beside the value, so that the export gives it back.
//   DateAGarder: writing the value back, in either version, would not say what the text said.
//   Case, blanks, the dialect of calendars and of B.C., and an explicit Gregorian after the
//   reform are not differences.
[[nodiscard]] bool DateAGarder(std::string_view texte, const TDateGedcom& lue);

// A kept text in the form a version writes: the DATE value and, in 7.0, its PHRASE. 5.5.1 takes
// every kept text (keywords upper-cased, calendars as escapes, an unreadable text as a phrase
// "(…)"). 7.0 has no INT nor dual year: INT's phrase goes to PHRASE, and a text 7.0 cannot hold
// gives an empty value (lisible false): the caller writes the value and the whole text as PHRASE.
struct TDateEcrite {
  bool lisible = true;
  std::string valeur;
  std::string phrase;
};
[[nodiscard]] TDateEcrite DateGardeeGedcom(std::string_view texte, TVersionGedcom version);

}  // namespace kyb
