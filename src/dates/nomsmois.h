#pragma once
// Names of months and weekdays, read from the string resources of the dates subsystem.
//
//   1808..1820  Republican months: "NN CODE Name" (number at 1-2, code at 4-7, name from 9)
//   1825..1836  Gregorian months:  "NN CODE name" (name from 9, at most 9 characters)
//   1841..1847  weekdays, 1841 = Sunday: "NN name" (name from 4, at most 9 characters)
//   3761..3773  Hebrew months 1..13: "NN CODE Name" (name from 9, at most 7 characters)
//   3776, 3778  kinds of Hebrew year: 12 months, 13 months
#include <string_view>

#include "platform/chaines.h"

namespace kyb {

inline constexpr int kResMoisRepublicain = 1808;  // month 1; COMP is 1820
inline constexpr int kResMoisGregorien = 1824;    // + month 1..12
inline constexpr int kResJourSemaine = 1840;      // + weekday 1..7
inline constexpr int kResMoisHebraique = 3760;    // + month 1..13
inline constexpr int kResAnnee12Mois = 3776;
inline constexpr int kResAnnee13Mois = 3778;

// Names (Windows-1252), empty outside the ranges.
[[nodiscard]] AnsiString RetourneMensualite(int mois);
[[nodiscard]] AnsiString RetourneMensualiteHeb(int mois);
[[nodiscard]] AnsiString RetourneJour(int jourSemaine);

// Republican month by its code (RetourneMoisRepublicain) or its two-digit number
// (RetourneMoisRepublicain2): the month 1..13 and its name, or 0 and "....".
int RetourneMoisRepublicain(std::string_view code, AnsiString& nom);
int RetourneMoisRepublicain2(std::string_view numero, AnsiString& nom);

// Month names by number; false (empty name) outside 1..12 / 1..13.
bool RetourneMoisGregorien(int mois, AnsiString& nom);
bool RetourneMoisHebraique(int mois, AnsiString& nom);

}  // namespace kyb
