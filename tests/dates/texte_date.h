#pragma once
// Dates for the tests: "DD/MM/YYYY" of three numbers (a negative year is written unsigned), and a
// value with its qualifier.
#include <cstdio>
#include <string>

#include "dates/bo_jours.h"

namespace kyb::test {

inline TDateKY Qualifiee(const char* acte, const char* texte, char calendrier = 'G') {
  TDateKY d(calendrier, texte);
  d.SetActe(acte);
  return d;
}

inline std::string TexteDate(int j, int m, int a) {
  char t[40];
  std::snprintf(t, sizeof t, "%02d/%02d/%04d", j, m, a < 0 ? -a : a);
  return t;
}

}  // namespace kyb::test
