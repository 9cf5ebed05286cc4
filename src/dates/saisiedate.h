#pragma once
// Dates as people type them in French, turned into the date value the library holds.
//
//   vers 1750, environ 1750, ca 1750, ~1750     qualifier "~" ("CA" for ca / circa)
//   avant 1750, <1750                           qualifier "<"
//   après 1750, >1750                           qualifier ">"
//   peut-être 1750                              qualifier "?"
//   entre 1750 et 1760, de 1750 à 1760,
//   1750-1760, 1750/1760                        range 1750/1760 (bounds in order, valid years)
//   14 juillet 1789, 1er juil. 1789, juillet 1789, le 14 juillet 1789, en 1789
//   an XII, 1er pluviôse an XII, 01/PLUV/12     Republican calendar
//   44 av. J.-C., 15 mars 44 avant Jésus-Christ before Christ
//   14/07/1789, 14 7 1789, ?/5/1789             as AnalyseDate reads them
// A minus sign before a year ("-5", "1/1/-500") and the year 0 typed in digits ("0", "1/1/000")
// are refused: the sign is no separator and there is no year 0, so neither may become another
// year (2005, 500, 2000). Years before Christ are typed "500 av. J.-C.".
// The date part goes through AnalyseSaisie (analysedate.h), the one reader of typed dates: a
// valid stored range is kept, anything else is analysed. Hebrew month names are read when the
// calendar 'H' is asked for. Any other word is refused, and named.
#include <string_view>

#include "dates/bo_jours.h"
#include "platform/chaines.h"

namespace kyb {

// Codes beside AnalyseDate's (3, 4, 7, 8, 9).
inline constexpr int kErreurMot = 10;    // a word that belongs to no date
inline constexpr int kErreurTexte = 11;  // bytes that are not text (invalid UTF-8, ...)
inline constexpr int kErreurSigne = 12;  // a year with a minus sign ("-5", "1/1/-500")
inline constexpr int kErreurAnneeZero = 13;  // the year 0 typed in digits ("0", "1/1/0000")

struct TLectureDate {
  TDateKY date;
  int code = -1;   // -1 when read
  AnsiString mot;  // the refused word (kErreurMot), as typed
};

// Windows-1252 text. calendrier: 'G', 'R', 'H', 'A', or 0 to take it from the words and form.
[[nodiscard]] TLectureDate LitDateFrancaise(std::string_view texte, char calendrier = 0);
// UTF-8 text (terminal, files): bytes that do not form UTF-8, and characters that Windows-1252
// cannot hold, are refused (kErreurTexte) instead of being read as '?', the unknown-part mark.
[[nodiscard]] TLectureDate LitDateFrancaiseUtf8(std::string_view texte, char calendrier = 0);

// French reason of a refusal (Windows-1252), naming the refused word.
[[nodiscard]] AnsiString MotifRefusDate(const TLectureDate& lecture);

}  // namespace kyb
