#include "platform/date_heure.h"

#include <atomic>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "platform/erreur.h"

namespace kyb {
namespace {

constexpr double kMillisParJour = 86400000.0;
constexpr long long kJours1970 = 25569;  // 01/01/1970 as a TDateTime

std::atomic<bool> gHorlogeFixee{false};
std::atomic<double> gValeurFixee{0.0};

// Days from 01/01/0001 style civil algorithm (H. Hinnant), relative to 30/12/1899.
long long JoursDepuisCivil(int a, int m, int j) noexcept {
  a -= m <= 2;
  const long long ere = (a >= 0 ? a : a - 399) / 400;
  const unsigned ae = static_cast<unsigned>(a - ere * 400);
  const unsigned ja = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + j - 1;
  const unsigned je = ae * 365 + ae / 4 - ae / 100 + ja;
  const long long depuis1970 = ere * 146097 + static_cast<long long>(je) - 719468;
  return depuis1970 + kJours1970;
}

void CivilDepuisJours(long long jours, int& a, int& m, int& j) noexcept {
  const long long z = jours - kJours1970 + 719468;
  const long long ere = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned je = static_cast<unsigned>(z - ere * 146097);
  const unsigned ae = (je - je / 1460 + je / 36524 - je / 146096) / 365;
  const long long y = static_cast<long long>(ae) + ere * 400;
  const unsigned ja = je - (365 * ae + ae / 4 - ae / 100);
  const unsigned mp = (5 * ja + 2) / 153;
  j = static_cast<int>(ja - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  a = static_cast<int>(y + (m <= 2));
}

TDateTime HorlogeSysteme() {
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  const time_t secondes = ts.tv_sec;
  // The local calendar second is worked out once per second and thread (localtime is costly).
  thread_local time_t derniereSeconde = -1;
  thread_local long long jours = 0;
  thread_local double millisDuJour = 0;
  if (secondes != derniereSeconde) {
    tm local{};
    localtime_r(&secondes, &local);
    jours = JoursDepuisCivil(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    millisDuJour = local.tm_hour * 3600000.0 + local.tm_min * 60000.0 + local.tm_sec * 1000.0;
    derniereSeconde = secondes;
  }
  const double fraction = (millisDuJour + static_cast<double>(ts.tv_nsec / 1000000)) / kMillisParJour;
  return static_cast<double>(jours) + fraction;
}

struct Jeton {
  char lettre = 0;
  int longueur = 0;
};

}  // namespace

TDateTime Maintenant() {
  if (gHorlogeFixee.load()) return gValeurFixee.load();
  return HorlogeSysteme();
}

TDateTime Aujourdhui() { return std::floor(Maintenant()); }

HorlogeFixee::HorlogeFixee(TDateTime valeur) {
  gValeurFixee.store(valeur);
  gHorlogeFixee.store(true);
}

HorlogeFixee::~HorlogeFixee() { gHorlogeFixee.store(false); }

bool EstBissextile(int annee) noexcept {
  return (annee % 4 == 0 && annee % 100 != 0) || annee % 400 == 0;
}

int JoursDansMois(int annee, int mois) noexcept {
  static constexpr int kJours[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (mois < 1 || mois > 12) return 0;
  return (mois == 2 && EstBissextile(annee)) ? 29 : kJours[mois - 1];
}

bool EssaieEncodeDate(int annee, int mois, int jour, TDateTime& valeur) noexcept {
  if (annee < 1 || annee > 9999 || mois < 1 || mois > 12 || jour < 1 ||
      jour > JoursDansMois(annee, mois))
    return false;
  valeur = static_cast<double>(JoursDepuisCivil(annee, mois, jour));
  return true;
}

bool EssaieEncodeHeure(int heure, int minute, int seconde, int milli, TDateTime& valeur) noexcept {
  if (heure < 0 || heure > 23 || minute < 0 || minute > 59 || seconde < 0 || seconde > 59 ||
      milli < 0 || milli > 999)
    return false;
  valeur = (heure * 3600000.0 + minute * 60000.0 + seconde * 1000.0 + milli) / kMillisParJour;
  return true;
}

TDateTime EncodeDate(int annee, int mois, int jour) {
  TDateTime v = 0;
  if (!EssaieEncodeDate(annee, mois, jour, v)) throw ErreurKy("Date incorrecte");
  return v;
}

TDateTime EncodeHeure(int heure, int minute, int seconde, int milli) {
  TDateTime v = 0;
  if (!EssaieEncodeHeure(heure, minute, seconde, milli, v)) throw ErreurKy("Heure incorrecte");
  return v;
}

TDateTime CombineDateHeure(TDateTime date, TDateTime heure) noexcept {
  return date < 0 ? date - heure : date + heure;
}

TDateDecodee DecodeDateHeure(TDateTime valeur) noexcept {
  TDateDecodee d;
  if (!std::isfinite(valeur) || std::fabs(valeur) > 3.0e6) return d;
  // Round to the millisecond first so that 0.9999999 does not show as 23:59:59.999.
  const double jours = std::trunc(valeur);
  long long millis = std::llround(std::fabs(valeur - jours) * kMillisParJour);
  long long j = static_cast<long long>(jours);
  if (millis >= static_cast<long long>(kMillisParJour)) {
    millis -= static_cast<long long>(kMillisParJour);
    j += valeur < 0 ? -1 : 1;
  }
  CivilDepuisJours(j, d.annee, d.mois, d.jour);
  d.heure = static_cast<int>(millis / 3600000);
  d.minute = static_cast<int>(millis / 60000 % 60);
  d.seconde = static_cast<int>(millis / 1000 % 60);
  d.milli = static_cast<int>(millis % 1000);
  // 30/12/1899 was a Saturday (7).
  d.jourSemaine = static_cast<int>(((j % 7) + 7 + 6) % 7) + 1;
  return d;
}

std::string FormatDateHeure(std::string_view format, TDateTime valeur) {
  const TDateDecodee d = DecodeDateHeure(valeur);
  std::string sortie;
  bool apresHeure = false;
  size_t i = 0;
  char tampon[16];
  while (i < format.size()) {
    const char c = format[i];
    if (c == '"' || c == '\'') {
      const size_t fin = format.find(c, i + 1);
      const size_t stop = fin == std::string_view::npos ? format.size() : fin;
      sortie.append(format.substr(i + 1, stop - i - 1));
      i = stop == format.size() ? stop : stop + 1;
      continue;
    }
    const char l = static_cast<char>(c | 0x20);
    size_t n = 1;
    while (i + n < format.size() && (format[i + n] | 0x20) == l) ++n;
    int valeurJeton = -1;
    int chiffres = 0;
    switch (l) {
      case 'd': valeurJeton = d.jour; chiffres = n >= 2 ? 2 : 1; break;
      case 'm':
        valeurJeton = apresHeure ? d.minute : d.mois;
        chiffres = n >= 2 ? 2 : 1;
        apresHeure = false;
        break;
      case 'y':
        if (n >= 3) { valeurJeton = d.annee; chiffres = 4; }
        else { valeurJeton = d.annee % 100; chiffres = 2; }
        break;
      case 'h': valeurJeton = d.heure; chiffres = n >= 2 ? 2 : 1; apresHeure = true; break;
      case 'n': valeurJeton = d.minute; chiffres = n >= 2 ? 2 : 1; break;
      case 's': valeurJeton = d.seconde; chiffres = n >= 2 ? 2 : 1; break;
      case 'z': valeurJeton = d.milli; chiffres = n >= 3 ? 3 : 1; break;
      default: break;
    }
    if (valeurJeton < 0) {
      sortie.push_back(c);
      i += 1;
      continue;
    }
    std::snprintf(tampon, sizeof tampon, "%0*d", chiffres, valeurJeton);
    sortie.append(tampon);
    i += n;
  }
  return sortie;
}

std::optional<TDateTime> LitDateHeure(std::string_view texte, std::string_view format) {
  int a = 1899, mo = 12, j = 30, h = 0, mi = 0, s = 0, ms = 0;
  bool aDate = false;
  bool apresHeure = false;
  size_t i = 0, p = 0;
  const auto passeBlancs = [&] { while (p < texte.size() && texte[p] == ' ') ++p; };
  while (i < format.size()) {
    const char c = format[i];
    const char l = static_cast<char>(c | 0x20);
    size_t n = 1;
    while (i + n < format.size() && (format[i + n] | 0x20) == l) ++n;
    int* cible = nullptr;
    int maxChiffres = 2;
    switch (l) {
      case 'd': cible = &j; aDate = true; break;
      case 'm': cible = apresHeure ? &mi : &mo; if (!apresHeure) aDate = true; apresHeure = false; break;
      case 'y': cible = &a; maxChiffres = 4; aDate = true; break;
      case 'h': cible = &h; apresHeure = true; break;
      case 'n': cible = &mi; break;
      case 's': cible = &s; break;
      case 'z': cible = &ms; maxChiffres = 3; break;
      default: break;
    }
    if (!cible) {
      if (c == ' ') { passeBlancs(); ++i; continue; }
      if (p >= texte.size() || texte[p] != c) return std::nullopt;
      ++p;
      ++i;
      continue;
    }
    int valeur = 0, lus = 0;
    while (p < texte.size() && lus < maxChiffres && texte[p] >= '0' && texte[p] <= '9') {
      valeur = valeur * 10 + (texte[p] - '0');
      ++p;
      ++lus;
    }
    if (lus == 0) return std::nullopt;
    if (l == 'y' && lus <= 2) {
      // Two-digit years fall in the century window ending 50 years after the current year.
      const int courante = DecodeDateHeure(Maintenant()).annee;
      const int pivot = courante - 50;
      valeur += pivot - pivot % 100;
      if (valeur < pivot) valeur += 100;
    }
    *cible = valeur;
    i += n;
  }
  passeBlancs();
  if (p != texte.size()) return std::nullopt;
  TDateTime date = 0, heure = 0;
  if (aDate && !EssaieEncodeDate(a, mo, j, date)) return std::nullopt;
  if (!EssaieEncodeHeure(h, mi, s, ms, heure)) return std::nullopt;
  return CombineDateHeure(date, heure);
}

TDateTime DepuisSecondesUnix(double secondes) noexcept {
  return static_cast<double>(kJours1970) + secondes / 86400.0;
}

double VersSecondesUnix(TDateTime valeur) noexcept {
  return (valeur - static_cast<double>(kJours1970)) * 86400.0;
}

}  // namespace kyb
