#pragma once
// Ordering of genealogical dates and the day, month and year counts between two of them.
// Counts follow the French civil calendar day by day: Julian leap years before 1582, Gregorian
// from 1583, 10 to 19 December 1582 skipped. They are computed arithmetically (no walk); the
// cannot-be-computed result is kDateIncalculable.
#include "dates/bo_jours.h"

namespace kyb {

// -1, 0, 1: d1 before d2 when the latest day d1 may stand for lies before the earliest of d2.
// Ranges compare by their bounds (open ones closed 100 years away); before-Christ dates come
// first, the earlier year first (the days of one year in their order). A tie of two point dates
// is broken when modeEgalite is 1 (-1 unless drapeauEgalite) or 2 (-1 when drapeauEgalite); the
// first integer has no effect. Not a strict weak ordering: sort with TDateKY::operator<.
[[nodiscard]] int CompareDate(TDateKY d1, TDateKY d2, int ignore = 0, int modeEgalite = 0,
                              bool drapeauEgalite = false);
// Days from d1 to d2 in French civil reckoning (dates put in order first, unknown day and month
// counted as the first; year y BC is the astronomical year 1 - y, so 31/12/1 BC is followed by
// 01/01/1). With milieu, ranges stand for their middle year and the result is the
// approximation 365 a year, 30 a month; the float years are then the whole years.
// Two dates whose days overlap (a month and one of its days, a year and one of its days, two
// equal partial dates) give 0 days and 0 years, in either order, and set *incertain.
int CalcJours(TDateKY d1, TDateKY d2, float* annees, int* anneesEntieres, int* joursReste,
              bool* inverse, bool milieu, int* joursMois, bool* incertain = nullptr);
int CalcJours(const TDateKY& d1, const TDateKY& d2, int* anneesEntieres, bool milieu,
              bool* inverse, bool* incertain = nullptr);
// d1 - d2 in days.
[[nodiscard]] int CalcNbJours(TDateKY d1, TDateKY d2);
// Signed counts from d1 to d2 (ages); 0 and *incertain set for overlapping dates.
int CalculJoursDateDate(const TDateKY& d1, const TDateKY& d2, int* annees, bool* ok,
                        bool* incertain = nullptr);
int CalculJoursDateDate(const TDateKY& d1, const TDateKY& d2, bool& impossible);
[[nodiscard]] int CalculAnneeDateDate(const TDateKY& d1, const TDateKY& d2,
                                      bool* incertain = nullptr);
[[nodiscard]] int CalculMoisDateDate(const TDateKY& d1, const TDateKY& d2,
                                     bool* incertain = nullptr);

}  // namespace kyb
