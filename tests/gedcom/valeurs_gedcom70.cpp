#include "gedcom/valeurs_gedcom70.h"

#include <algorithm>
#include <array>
#include <vector>

namespace kyb::test {
namespace {

std::vector<std::string_view> Mots(std::string_view s) {
  std::vector<std::string_view> r;
  for (size_t d = 0, f; d < s.size(); d = f + 1) {
    f = std::min(s.find(' ', d), s.size());
    r.push_back(s.substr(d, f - d));  // an empty word: two spaces, which the grammar forbids
  }
  return r;
}

bool Entier(std::string_view s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool Extension(std::string_view s) {
  return s.size() > 1 && s[0] == '_' &&
         std::all_of(s.begin() + 1, s.end(), [](char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'; });
}

// A month of that calendar: one of its own, or an extension's; any tag in an extension calendar.
bool MoisDe(std::string_view calendrier, std::string_view mot) {
  static constexpr std::array<std::string_view, 12> kGregorien = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                                  "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
  static constexpr std::array<std::string_view, 13> kRepublicain = {"VEND", "BRUM", "FRIM", "NIVO", "PLUV", "VENT", "GERM",
                                                                    "FLOR", "PRAI", "MESS", "THER", "FRUC", "COMP"};
  static constexpr std::array<std::string_view, 13> kHebreu = {"TSH", "CSH", "KSL", "TVT", "SHV", "ADR", "ADS",
                                                               "NSN", "IYR", "SVN", "TMZ", "AAV", "ELL"};
  const auto dans = [&](const auto& t) { return std::find(t.begin(), t.end(), mot) != t.end(); };
  if (Extension(mot)) return true;
  if (Extension(calendrier)) return !mot.empty() && mot[0] >= 'A' && mot[0] <= 'Z' && mot != "TO" && mot != "AND" && mot != "BCE";
  if (calendrier == "FRENCH_R") return dans(kRepublicain);
  if (calendrier == "HEBREW") return dans(kHebreu);
  return dans(kGregorien);
}

// date = [calendar D] [[day D] month D] year [D epoch], read from mots[i] on; i moves past it.
bool Date(const std::vector<std::string_view>& mots, size_t& i) {
  static constexpr std::string_view kCalendriers[] = {"GREGORIAN", "JULIAN", "FRENCH_R", "HEBREW"};
  const auto mot = [&](size_t k) { return k < mots.size() ? mots[k] : std::string_view(); };
  std::string_view calendrier = "GREGORIAN";
  if (std::find(std::begin(kCalendriers), std::end(kCalendriers), mot(i)) != std::end(kCalendriers) || Extension(mot(i)))
    calendrier = mots[i++];
  if (Entier(mot(i)) && MoisDe(calendrier, mot(i + 1)) && Entier(mot(i + 2))) i += 2;  // day and month
  else if (MoisDe(calendrier, mot(i)) && Entier(mot(i + 1))) i += 1;                 // month
  if (!Entier(mot(i))) return false;
  ++i;
  // An epoch of the Gregorian and Julian calendars, or of an extension one.
  const bool epoque = calendrier == "GREGORIAN" || calendrier == "JULIAN" || Extension(calendrier);
  if (mot(i) == "BCE" || Extension(mot(i))) {
    if (!epoque && mot(i) == "BCE") return false;
    ++i;
  }
  return true;
}

bool DateSeule(const std::vector<std::string_view>& mots, size_t i) { return Date(mots, i) && i == mots.size(); }

// A date of the standard, or (general) one with a modifier, a range or a period.
bool DateValide(std::string_view valeur, bool generale, bool periode) {
  const std::vector<std::string_view> m = Mots(valeur);
  if (valeur.empty()) return generale || periode;
  const auto suite = [&](size_t i, std::string_view mot, bool requis) {
    size_t k = i;
    if (!Date(m, k)) return false;
    if (k == m.size()) return !requis;
    if (m[k] != mot) return false;
    return DateSeule(m, k + 1);
  };
  if (m[0] == "FROM") return suite(1, "TO", false);
  if (m[0] == "TO") return DateSeule(m, 1);
  if (periode) return false;
  if (!generale) return DateSeule(m, 0);
  if (m[0] == "BET") return suite(1, "AND", true);
  if (m[0] == "AFT" || m[0] == "BEF" || m[0] == "ABT" || m[0] == "CAL" || m[0] == "EST") return DateSeule(m, 1);
  return DateSeule(m, 0);
}

// hour ":" minute [":" second ["." fraction]] ["Z"], hours 0 to 23.
bool Heure(std::string_view v) {
  if (v.ends_with('Z')) v.remove_suffix(1);
  const size_t a = v.find(':');
  if (a == std::string_view::npos || a == 0 || a > 2 || !Entier(v.substr(0, a)) || std::stoi(std::string(v.substr(0, a))) > 23)
    return false;
  std::string_view reste = v.substr(a + 1);
  const auto deuxChiffres = [](std::string_view s, int max) { return s.size() == 2 && Entier(s) && std::stoi(std::string(s)) <= max; };
  if (!deuxChiffres(reste.substr(0, 2), 59)) return false;
  reste.remove_prefix(2);
  if (reste.empty()) return true;
  if (reste[0] != ':' || !deuxChiffres(reste.substr(1, 2), 59)) return false;
  reste.remove_prefix(3);
  return reste.empty() || (reste[0] == '.' && Entier(reste.substr(1)));
}

// Empty, or [("<" / ">") D] then years "y", months "m", weeks "w", days "d", in that order, each at
// most once.
bool Age(std::string_view v) {
  if (v.empty()) return true;  // an age told by its PHRASE alone
  std::vector<std::string_view> m = Mots(v);
  size_t i = 0;
  if (!m.empty() && (m[0] == "<" || m[0] == ">")) ++i;
  if (i == m.size()) return false;
  std::string_view ordre = "ymwd";
  for (; i < m.size(); ++i) {
    const std::string_view w = m[i];
    if (w.size() < 2 || !Entier(w.substr(0, w.size() - 1))) return false;
    const size_t k = ordre.find(w.back());
    if (k == std::string_view::npos) return false;
    ordre.remove_prefix(k + 1);
  }
  return true;
}

// "N12.5", "E4.85": a hemisphere letter, then a decimal number up to its bound.
bool Coordonnee(std::string_view v, char plus, char moins, double borne) {
  if (v.size() < 2 || (v[0] != plus && v[0] != moins)) return false;
  v.remove_prefix(1);
  const size_t point = v.find('.');
  if (!Entier(v.substr(0, point)) || (point != std::string_view::npos && !Entier(v.substr(point + 1)))) return false;
  return std::stod(std::string(v)) <= borne;
}

bool TypeMedia(std::string_view v) {
  const size_t barre = v.find('/');
  return barre != std::string_view::npos && barre > 0 && barre + 1 < v.size() && v.find(' ') == std::string_view::npos;
}

}  // namespace

std::string FauteValeur70(std::string_view type, std::string_view valeur) {
  const std::string_view base = "https://gedcom.io/terms/v7/";
  bool juste = true;
  if (type == std::string(base) + "type-Date") juste = DateValide(valeur, true, false);
  else if (type == std::string(base) + "type-Date#exact") juste = !valeur.empty() && DateValide(valeur, false, false);
  else if (type == std::string(base) + "type-Date#period") juste = DateValide(valeur, false, true);
  else if (type == std::string(base) + "type-Time") juste = Heure(valeur);
  else if (type == std::string(base) + "type-Age") juste = Age(valeur);
  else if (type == std::string(base) + "type-Latitude") juste = Coordonnee(valeur, 'N', 'S', 90);
  else if (type == std::string(base) + "type-Longitude") juste = Coordonnee(valeur, 'E', 'W', 180);
  else if (type == "http://www.w3.org/2001/XMLSchema#nonNegativeInteger") juste = Entier(valeur);
  else if (type == "http://www.w3.org/ns/dcat#mediaType") juste = TypeMedia(valeur);
  return juste ? std::string() : "« " + std::string(valeur) + " » n'est pas un " + std::string(type.substr(type.rfind('/') + 1));
}

}  // namespace kyb::test
