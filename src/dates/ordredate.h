#pragma once
// The days a genealogical date can stand for, and the total order used to sort dates.
//
// CompareDate (calcjours.h) answers "is d1 surely before d2?" and may answer 0 for dates that
// differ, or answer differently when the arguments are swapped: it cannot order a container. The
// sorting order here is total: the earliest day a date can stand for, then the latest, then the
// stored fields (text, calendar, qualifier), so that two values are equivalent only when equal.
// Whenever CompareDate gives the same verdict in both argument orders about two dates whose days
// cannot meet, this order agrees with it.
//
// Days are Julian day numbers, in the reckoning of the French registers (Julian calendar up to
// 9 December 1582, Gregorian from 20 December 1582). What a date stands for:
//   - a point date: its day, or every day of its month or year when those are unknown, in its own
//     calendar (a Republican or Hebrew month is its real span, not a Gregorian month);
//   - before Christ: year y BC is the astronomical year 1 - y (no year 0);
//   - a range: from the first day of its lower year to the last day of its upper year, an open
//     bound reaching without limit (before Christ the larger number is the earlier year, and an
//     open lower bound ends with 1 BC); a Republican or Hebrew range with an open bound has no
//     Gregorian form, hence no known day;
//   - qualifiers, read as the comparison reads them: "~" and "CA" stand for the whole year of the
//     date (the Gregorian year of its converted day), "<" for every day up to the end of that
//     year, ">" for every day from its start, "?" changes nothing; a qualifier on a range changes
//     nothing;
//   - a date with no year (or no readable text) stands for no known day: it sorts first.
#include <cstdint>
#include <limits>

#include "dates/bo_jours.h"

namespace kyb {

inline constexpr std::int64_t kJourSansLimiteAvant = std::numeric_limits<std::int64_t>::min();
inline constexpr std::int64_t kJourSansLimiteApres = std::numeric_limits<std::int64_t>::max();

struct TEtendueJours {
  bool connue = false;        // false: no known day (the bounds are then meaningless)
  std::int64_t premier = 0;   // first day, or kJourSansLimiteAvant
  std::int64_t dernier = 0;   // last day, or kJourSansLimiteApres
};

// Days the date stands for; with qualificatif false the qualifier is ignored (the days of the
// text alone, as day counts read them).
[[nodiscard]] TEtendueJours EtendueJours(const TDateKY& date, bool qualificatif = true);
// True when both spans are known and share a day.
[[nodiscard]] bool Chevauchent(const TEtendueJours& a, const TEtendueJours& b) noexcept;

// The total order: -1, 0 (identical stored fields) or 1.
[[nodiscard]] int CompareOrdreTri(const TDateKY& a, const TDateKY& b);

}  // namespace kyb
