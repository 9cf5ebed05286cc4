#pragma once
// Random genealogical dates of every kind, from a fixed seed: exact days, partial dates, ranges
// (closed and open), every qualifier, the four calendars, and a few values without a year.
// Values are built field by field (not through the analysis under test).
#include <cstdio>
#include <random>
#include <string>

#include "dates/bo_jours.h"

namespace kyb::test {

class TGenerateurDates {
 public:
  explicit TGenerateurDates(unsigned graine) : alea_(graine) {}

  TDateKY Suivante() {
    TDateKY d;
    switch (Entre(0, 9)) {
      case 0: case 1: case 2: d = Civile('G', 1, 2399); break;
      case 3: d = Civile('A', 1, 900); break;
      case 4: case 5: d = Republicaine(); break;
      case 6: case 7: d = Hebraique(); break;
      case 8: d = Fourchette(); break;
      default: d = Rare(); break;
    }
    static const char* const kActes[] = {"", "", "", "", " ", "<", ">", "~", "CA", "ca", "?"};
    d.SetActe(kActes[Entre(0, 10)]);
    return d;
  }

 private:
  int Entre(int a, int b) { return std::uniform_int_distribution<int>(a, b)(alea_); }

  static std::string Nombre(int n, int largeur) {
    char t[16];
    std::snprintf(t, sizeof t, "%0*d", largeur, n);
    return t;
  }

  // Days of month m of year a as written; before Christ, 1, 5, 9 ... BC are leap years.
  static int JoursCivils(int m, int a, bool avantJC) {
    static const int kJours[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool bissextile = a < 1582 ? a % 4 == 0 : (a % 4 == 0 && a % 100 != 0) || a % 400 == 0;
    if (avantJC) bissextile = (a - 1) % 4 == 0;
    return m == 2 && bissextile && (avantJC || a != 1582) ? 29 : kJours[m];
  }

  // Exact (half), month and year, or year alone.
  TDateKY Civile(char calendrier, int min, int max) {
    const int a = Entre(min, max), m = Entre(1, 12);
    // Before Christ, leap years are 1, 5, 9 ... BC (astronomical 0, -4, -8 ...).
    int j = Entre(1, JoursCivils(m, a, calendrier == 'A'));
    if (calendrier == 'G' && a == 1582 && m == 12 && j >= 10 && j <= 19) j = 20;
    std::string t;
    switch (Entre(0, 3)) {
      case 0: case 1: t = Nombre(j, 2) + "/" + Nombre(m, 2) + "/" + Nombre(a, 4); break;
      case 2: t = "../" + Nombre(m, 2) + "/" + Nombre(a, 4); break;
      default: t = "../../" + Nombre(a, 4); break;
    }
    return TDateKY(calendrier, t);
  }

  TDateKY Republicaine() {
    static const char* const kCodes[14] = {"",     "VEND", "BRUM", "FRIM", "NIVO",
                                           "PLUV", "VENT", "GERM", "FLOR", "PRAI",
                                           "MESS", "THER", "FRUC", "COMP"};
    const int a = Entre(1, 14), m = Entre(1, 13);
    const int j = Entre(1, m == 13 ? ((a + 1) % 4 == 0 ? 6 : 5) : 30);
    switch (Entre(0, 4)) {
      case 0: case 1:
        return TDateKY('R', Nombre(j, 2) + "/" + kCodes[m] + "/" + Nombre(a, 2));
      case 2: return TDateKY('R', std::string("../") + kCodes[m] + "/" + Nombre(a, 2));
      case 3: return TDateKY('R', "../..../" + Nombre(a, 2));
      default: return TDateKY('R', Nombre(a, 2) + "/" + Nombre(Entre(a, 14), 2));
    }
  }

  TDateKY Hebraique() {
    const int a = Entre(5000, 5900);
    const int cycle = a % 19;
    const bool treize = cycle == 0 || cycle == 3 || cycle == 6 || cycle == 8 || cycle == 11 ||
                        cycle == 14 || cycle == 17;
    int m = Entre(1, 13);
    if (m == 7 && !treize) m = 6;
    const int j = Entre(1, 29);  // every Hebrew month has at least 29 days
    switch (Entre(0, 4)) {
      case 0: case 1: return TDateKY('H', Nombre(j, 2) + "/" + Nombre(m, 2) + "/" + Nombre(a, 4));
      case 2: return TDateKY('H', "../" + Nombre(m, 2) + "/" + Nombre(a, 4));
      case 3: return TDateKY('H', "../../" + Nombre(a, 4));
      default: {
        const int forme = Entre(0, 5);  // mostly closed; open ranges have no Gregorian form
        return TDateKY('H', (forme == 0 ? "...." : Nombre(a, 4)) + "/" +
                                (forme == 1 ? "...." : Nombre(Entre(a, 5900), 4)));
      }
    }
  }

  // Year ranges of the Gregorian and before-Christ calendars, closed or open.
  TDateKY Fourchette() {
    const char calendrier = Entre(0, 3) == 0 ? 'A' : 'G';
    const int a = Entre(1, calendrier == 'A' ? 900 : 2300);
    const int b = Entre(a, a + Entre(0, 60));
    switch (Entre(0, 3)) {
      case 0: return TDateKY(calendrier, "..../" + Nombre(b, 4));
      case 1: return TDateKY(calendrier, Nombre(a, 4) + "/....");
      default: return TDateKY(calendrier, Nombre(a, 4) + "/" + Nombre(b, 4));
    }
  }

  // Values without a year, empty values, a day known without its month, a NUL tag.
  TDateKY Rare() {
    switch (Entre(0, 5)) {
      case 0: return TDateKY();
      case 1: return TDateKY('G', "14/07/....");
      case 2: return TDateKY('G', "../../....");
      case 3: return TDateKY('G', Nombre(Entre(1, 28), 2) + "/../" + Nombre(Entre(1, 2300), 4));
      case 4: {
        TDateKY d;
        d.SetDate("../" + Nombre(Entre(1, 12), 2) + "/" + Nombre(Entre(1, 2300), 4));
        return d;  // tag NUL, read as Gregorian
      }
      default: return TDateKY('R', "../..../..");
    }
  }

  std::mt19937 alea_;
};

}  // namespace kyb::test
