#include "dates/jourcourant.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "dates/analysedate.h"

namespace kyb {
namespace {

void Ecrit(char* tampon, std::size_t taille, std::string_view texte) noexcept {
  if (tampon == nullptr || taille == 0) return;
  const std::size_t n = std::min(taille - 1, texte.size());
  if (n > 0) std::memcpy(tampon, texte.data(), n);
  tampon[n] = 0;
}

}  // namespace

bool FormatDateG(char* tampon, std::size_t taille) noexcept {
  if (tampon == nullptr || taille < 11) return false;
  const std::string_view t(tampon, strnlen(tampon, taille));
  const std::size_t p1 = t.find('/');
  const std::size_t p2 = p1 == std::string_view::npos ? p1 : t.find('/', p1 + 1);
  if (p2 == std::string_view::npos || t.find('/', p2 + 1) != std::string_view::npos) return false;
  const std::string_view j = t.substr(0, p1), m = t.substr(p1 + 1, p2 - p1 - 1),
                         a = t.substr(p2 + 1);
  if (j.empty() || j.size() > 2 || m.empty() || m.size() > 2 || a.size() != 4) return false;
  char r[11];
  r[0] = j.size() == 1 ? '0' : j[0];
  r[1] = j.back();
  r[2] = '/';
  r[3] = m.size() == 1 ? '0' : m[0];
  r[4] = m.back();
  r[5] = '/';
  std::memcpy(r + 6, a.data(), 4);
  r[10] = 0;
  std::memcpy(tampon, r, 11);
  return true;
}

void FormatDateG8(std::string_view texte, char* tampon, std::size_t taille) noexcept {
  if (texte.size() != 10) return Ecrit(tampon, taille, {});
  char r[8];
  std::memcpy(r, texte.data(), 6);
  std::memcpy(r + 6, texte.data() + 8, 2);
  Ecrit(tampon, taille, std::string_view(r, 8));
}

void GetDateJour(char* tampon, std::size_t taille) {
  Ecrit(tampon, taille, FormatDateHeure("dd/mm/yyyy", Maintenant()));
}

void GetHeure(char* tampon, std::size_t taille) {
  Ecrit(tampon, taille, FormatDateHeure("hh:nn:ss", Maintenant()));
}

void GetAnneeCourante(char* tampon, std::size_t taille) {
  Ecrit(tampon, taille, std::to_string(DecodeDateHeure(Maintenant()).annee));
}

void AjouteUnAn(char* tampon, std::size_t taille) {
  const TDateDecodee d = DecodeDateHeure(Maintenant());
  const int jour = (d.mois == 2 && d.jour == 29) ? 28 : d.jour;
  TDateTime v = 0;
  if (!EssaieEncodeDate(d.annee + 1, d.mois, jour, v)) return Ecrit(tampon, taille, {});
  Ecrit(tampon, taille, FormatDateHeure("dd/mm/yyyy", v));
}

TDateTime RetourneTDT(std::string_view texte) {
  const AnsiString t = Rogne(texte);
  if (t.empty()) return Maintenant();
  char* fin = nullptr;
  const double v = std::strtod(t.c_str(), &fin);
  if (fin == t.c_str() + t.size() && std::isfinite(v)) return v;
  for (const char* format : {"dd/mm/yyyy hh:nn:ss", "dd/mm/yyyy hh:nn", "dd/mm/yyyy"})
    if (const auto lu = LitDateHeure(t, format)) return *lu;
  return Maintenant();
}

AnsiString CreerChnAn(int annee) {
  if (annee < 0 || annee > 9999) return "....";
  AnsiString s = "0000";
  for (int i = 3; i >= 0; --i, annee /= 10) s[i] = static_cast<char>('0' + annee % 10);
  return s;
}

AnsiString CalcDatePaques(std::string_view annee) {
  long long y = 0;
  if (!TexteVersEntier(annee, y) || y < 1583 || y > 2498) return {};
  // Gauss's constants M and N by century (1583-1599 take those of the 1600s).
  static constexpr int kM[9] = {22, 23, 23, 24, 24, 24, 25, 26, 25};
  static constexpr int kN[9] = {2, 3, 4, 5, 5, 6, 0, 1, 1};
  const int siecle = static_cast<int>(y / 100) - 16, s = siecle < 0 ? 0 : siecle;
  const int a = static_cast<int>(y % 19);
  const int d = (19 * a + kM[s]) % 30;
  const int e = (2 * static_cast<int>(y % 4) + 4 * static_cast<int>(y % 7) + 6 * d + kN[s]) % 7;
  int jour = 0, mois = 4;
  if (d + e - 9 == 26) {
    jour = 19;
  } else if (a >= 11 && d == 28 && e == 6) {
    jour = 18;
  } else if (d + e + 22 <= 31) {
    jour = d + e + 22;
    mois = 3;
  } else {
    jour = d + e - 9;
  }
  AnsiString r = "00/0" + std::to_string(mois) + "/";
  r[0] = static_cast<char>('0' + jour / 10);
  r[1] = static_cast<char>('0' + jour % 10);
  return r + AnsiString(annee);
}

}  // namespace kyb
