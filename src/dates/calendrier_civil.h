#pragma once
// The civil calendar of the genealogy, as French registers kept it: Julian until 9 December 1582,
// Gregorian from 20 December 1582 (France skipped 10 to 19 December 1582, by the royal edict that
// applied the papal reform of 1582 there). Leap years follow the
// Julian rule before 1582 (every fourth year, year 0 and negative years included) and the
// Gregorian rule from 1583; 1582 itself is common. Years run from -99999 to 99999 in the
// arithmetic below; the validity tests bound them further.
#include <cstdint>
#include <string_view>

namespace kyb {

// Validity of numeric dates. AnneeOk: 0..3000. MoisOk: 1..12. JourOk: 1..length of the month
// (an unknown month accepts 1..31). DateGregorienOk also requires m <= 12 and y < 2400.
[[nodiscard]] bool AnneeOk(int annee) noexcept;
[[nodiscard]] bool MoisOk(int mois) noexcept;
[[nodiscard]] bool JourOk(int jour, int mois, int annee) noexcept;
[[nodiscard]] bool DateGregorienOk(int jour, int mois, int annee) noexcept;
// The same test on a D/M/Y text of three '/'-separated numbers.
[[nodiscard]] bool DateGregorienOk(std::string_view texte) noexcept;

// Leap year of the civil calendar (rule above).
[[nodiscard]] bool AnneeCivileBissextile(int annee) noexcept;
// Days of a month (0 for a month outside 1..12), without the 1582 gap.
[[nodiscard]] int JoursDuMoisCivil(int mois, int annee) noexcept;
// True for 10..19 December 1582, days that exist in no French register.
[[nodiscard]] bool JourDuTrou1582(int jour, int mois, int annee) noexcept;

// Number of civil days that exist (gap excluded) up to and including the given day, counted
// from a fixed origin far in the past. Differences give day counts across the 1582 gap; a day
// of the gap has the rank of 9 December 1582.
[[nodiscard]] std::int64_t RangJourCivil(int jour, int mois, int annee) noexcept;

// Julian day number of a civil day (Julian reckoning up to 9/12/1582, Gregorian after; a day of
// the gap is read as Gregorian) and back.
[[nodiscard]] std::int64_t CivilVersJdn(int jour, int mois, int annee) noexcept;
void JdnVersCivil(std::int64_t jdn, int& jour, int& mois, int& annee) noexcept;

// Weekday of a civil day: 1 = Sunday .. 7 = Saturday.
[[nodiscard]] int JourSemaineCivil(int jour, int mois, int annee) noexcept;

}  // namespace kyb
