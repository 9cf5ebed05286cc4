// French Republican calendar conversions (rules in convrepublicain.h).
#include "dates/convrepublicain.h"

#include <cmath>

#include "dates/analysedate.h"
#include "dates/calendrier_civil.h"

namespace kyb {
namespace {

constexpr std::string_view kCodes[14] = {"",     "VEND", "BRUM", "FRIM", "NIVO",
                                         "PLUV", "VENT", "GERM", "FLOR", "PRAI",
                                         "MESS", "THER", "FRUC", "COMP"};

// Lengths of years I to XV of the table and the Julian days it covers.
constexpr int kLongueurAnnee[15] = {365, 365, 366, 365, 365, 365, 366, 365,
                                    365, 365, 366, 365, 365, 365, 100};
constexpr std::int64_t kJdnAn1 = 2375839;
constexpr std::int64_t kJdnDernier = 2381052;

// Gregorian months from September (k = 0) to August (k = 11), from 22 September.
constexpr int kMoisPeriode[12] = {9, 31, 30, 31, 31, 28, 31, 30, 31, 30, 31, 31};

AnsiString Deux(int n) {
  AnsiString s(2, '0');
  s[0] = static_cast<char>('0' + (n / 10) % 10);
  s[1] = static_cast<char>('0' + n % 10);
  return s;
}

AnsiString Quatre(int n) { return Deux(n / 100) + Deux(n % 100); }

// Day d (1..), month m (1..13), year y (1..19): days since 1 Vendémiaire an I.
int JoursDepuisAn1(int j, int m, int a) noexcept {
  int l = 0;
  for (const int s : {3, 7, 11})
    if (s < a) ++l;
  return 30 * (m - 1) + 365 * a + j - 366 + l;
}

// Day count since 22/09/1792 -> Gregorian day, month, year (walk of periods and months).
bool PeriodesVersGregorien(int n, int& jour, int& mois, int& annee) noexcept {
  if (n < 0) return false;
  int p = 0;
  for (;;) {
    const int longueur = (p == 3 || p == 11) ? 366 : 365;
    if (n < longueur) break;
    n -= longueur;
    ++p;
  }
  int k = 0;
  for (; k < 12; ++k) {
    int l = kMoisPeriode[k];
    if (k == 5 && (p == 3 || p == 11)) l = 29;
    if (n < l) break;
    n -= l;
  }
  if (k == 0) n += 21;
  mois = k < 4 ? k + 9 : k - 3;
  annee = k < 4 ? p + 1792 : p + 1793;
  jour = n + 1;
  return true;
}

// Reads DD/MMMM/YY (year on 1 or 2 digits). Unknown parts give 0; false when unreadable.
bool LitRepublicain(std::string_view t, int& jour, int& mois, int& annee) noexcept {
  if (!DateFormatRepublicain(t) || t.size() > 10) return false;
  const std::string_view j = t.substr(0, 2), m = t.substr(3, 4), a = t.substr(8);
  jour = j == ".." ? 0 : LitNombre(t, 0, 2);
  mois = m == "...." ? 0 : NumeroMoisRepublicain(m);
  annee = (a == ".." || a == ".") ? 0 : LitNombre(t, 8, a.size());
  if (jour < 0 || (mois == 0 && m != "....") || annee < 0) return false;
  if (annee != 0 && !AnneeRepublicaineOk(annee)) return false;
  if (jour != 0) {
    const int max = mois == 13 ? (annee == 0 || AnneeRepublicaineSextile(annee) ? 6 : 5) : 30;
    if (jour < 1 || jour > max) return false;
  }
  return true;
}

AnsiString RepublicainVersGregorien(std::string_view t) {
  int jour = 0, mois = 0, annee = 0;
  if (!LitRepublicain(t, jour, mois, annee) || annee == 0) return {};
  int gj = 0, gm = 0, ga = 0;
  if (!PeriodesVersGregorien(JoursDepuisAn1(jour ? jour : 7, mois ? mois : 8, annee), gj, gm, ga))
    return {};
  return (jour && mois ? Deux(gj) : AnsiString("..")) + "/" +
         (mois ? Deux(gm) : AnsiString("..")) + "/" + Quatre(ga);
}

// Republican range YY/YY -> YYYY/YYYY; empty when a bound is open or unreadable.
AnsiString FourchetteRepubVersGreg(std::string_view t) {
  if (t.size() != 5 || t[2] != '/') return {};
  const int a1 = LitNombre(t, 0, 2), a2 = LitNombre(t, 3, 2);
  if (!AnneeRepublicaineOk(a1) || !AnneeRepublicaineOk(a2)) return {};
  const AnsiString g1 = ConvAnneeRepubGreg("07/FLOR/" + Deux(a1));
  const AnsiString g2 = ConvAnneeRepubGreg("07/FLOR/" + Deux(a2));
  if (g1.empty() || g2.empty()) return {};
  return g1 + "/" + g2;
}

}  // namespace

bool AnneeRepublicaineOk(int annee) noexcept { return annee >= 1 && annee < 20; }

bool AnneeRepublicaineSextile(int annee) noexcept { return (annee + 1) % 4 == 0; }

std::string_view CodeMoisRepublicain(int mois) noexcept {
  return mois >= 1 && mois <= 13 ? kCodes[mois] : std::string_view();
}

int NumeroMoisRepublicain(std::string_view code) noexcept {
  for (int m = 1; m <= 13; ++m)
    if (kCodes[m] == code) return m;
  return 0;
}

std::int64_t JourJulien(std::string_view texte) noexcept {
  const int d = LitNombre(texte, 0, 2), m = LitNombre(texte, 3, 2), y = LitNombre(texte, 6, 4);
  if (d < 0 || m < 0 || y < 0 || texte[2] != '/' || texte[5] != '/') return 0;
  const int yp = m < 3 ? y - 1 : y, mp = m < 3 ? m + 12 : m;
  double j = std::trunc(365.25 * yp) + std::trunc(30.6001 * (mp + 1)) + d;
  j = std::trunc(j + 1720994.5);
  if (y + m / 100.0 + d / 10000.0 > 1582.1014)
    j += 2 - std::trunc(yp / 100.0) + std::trunc(yp / 400.0);
  return static_cast<std::int64_t>(j);
}

int CalculNbJours(std::string_view texte) noexcept {
  int jour = 0, mois = 0, annee = 0;
  if (!LitRepublicain(texte, jour, mois, annee) || !jour || !mois || !annee) return -1;
  return JoursDepuisAn1(jour, mois, annee);
}

AnsiString ConvRepublicainGregorien(std::string_view texte) {
  if (DateFormatFourchette(texte)) return FourchetteRepubVersGreg(texte);
  if (texte.size() < 10) return {};
  return RepublicainVersGregorien(texte);
}

AnsiString ConvRepublicainGregorien2(std::string_view texte) {
  if (DateFormatFourchette(texte)) return FourchetteRepubVersGreg(texte);
  return RepublicainVersGregorien(texte);
}

AnsiString ConvGregorienRepublicain(std::string_view texte) {
  if (DateFormatFourchette(texte)) {
    if (texte.size() != 9) return {};
    const AnsiString r1 = ConvAnneeGregRepub(texte.substr(0, 4));
    const AnsiString r2 = ConvAnneeGregRepub(texte.substr(5, 4));
    if (r1.empty() || r2.empty()) return {};
    return r1 + "/" + r2;
  }
  if (!DateFormatGregorien(texte)) return {};
  const bool jourInconnu = texte.substr(0, 2) == "..", moisInconnu = texte.substr(3, 2) == "..";
  const int jour = jourInconnu ? 26 : LitNombre(texte, 0, 2);
  const int mois = moisInconnu ? 4 : LitNombre(texte, 3, 2);
  const int annee = LitNombre(texte, 6, 4);
  if (jour < 0 || mois < 0 || annee < 0 || !DateGregorienOk(jour, mois, annee)) return {};
  std::int64_t j = JourJulien(Deux(jour) + "/" + Deux(mois) + "/" + Quatre(annee));
  if (j < kJdnAn1 || j > kJdnDernier) return {};
  j -= kJdnAn1;
  int a = 0;
  while (a < 14 && j >= kLongueurAnnee[a]) j -= kLongueurAnnee[a++];
  const int t = static_cast<int>(j);
  return (jourInconnu ? AnsiString("..") : Deux(t % 30 + 1)) + "/" +
         (moisInconnu ? AnsiString("....") : AnsiString(kCodes[t / 30 + 1])) + "/" +
         Deux(a + 1);
}

AnsiString ConvAnneeGregRepub(std::string_view annee) {
  long long a = 0;
  if (annee.size() > 4 || !TexteVersEntier(annee, a) || a < 0) return {};
  const AnsiString r = ConvGregorienRepublicain("26/04/" + Quatre(static_cast<int>(a)));
  return r.size() >= 10 ? r.substr(8, 2) : AnsiString();
}

AnsiString ConvAnneeRepubGreg(std::string_view texte) {
  if (DateFormatFourchette(texte)) return FourchetteRepubVersGreg(texte);
  const AnsiString g = ConvRepublicainGregorien2(texte);
  return g.size() == 10 ? g.substr(6, 4) : AnsiString();
}

}  // namespace kyb
