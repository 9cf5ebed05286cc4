#pragma once
// Dates written out in French words. The TDateKY wording members (RedigeAnnee, RedigeFourchette,
// PlaceJour, FormatDateTilde, seasons, zodiac, weekday) are implemented in redigedate.cpp; this
// header adds the free helpers of the same family. Texts are Windows-1252.
//
// Seasons change on the 22nd of March, June, September and December. Signs of the zodiac are
// numbers 0 (Aries, from 21 March) to 11 (Pisces); -1 when the day or month is unknown.
#include <string_view>

#include "dates/bo_jours.h"
#include "platform/chaines.h"

namespace kyb {

// Word of a qualifier: "avant", "après", "vers", "peut-être"; empty for none.
[[nodiscard]] AnsiString MotQualificatif(std::string_view qualificatif);

// A DD/MM/YYYY text as "14 juillet 1789" ("1er" for the first day, unknown parts left out);
// any other text is returned unchanged.
[[nodiscard]] AnsiString FormatDateNews(std::string_view texte);

// Sets `date` to the year range typed in `texte` ("1750-1760", "1750/1760", "1750", "/1760",
// "1750/"); a single year gives that year twice, bounds typed in reverse are put in order. False
// (date unchanged) when the text is not such a range or its years are not valid for the date's
// calendar (FourchetteSaisie).
bool MajFourchetteAnnee(TDateKY& date, std::string_view texte);

}  // namespace kyb
