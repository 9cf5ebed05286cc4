#pragma once
// "DD/MM/YYYY" of three numbers, for the calendar tests (a negative year is written unsigned).
#include <cstdio>
#include <string>

namespace kyb::test {

inline std::string TexteDate(int j, int m, int a) {
  char t[40];
  std::snprintf(t, sizeof t, "%02d/%02d/%04d", j, m, a < 0 ? -a : a);
  return t;
}

}  // namespace kyb::test
