#include "dates/calendrier_civil.h"

#include <algorithm>

namespace kyb {
namespace {

constexpr int kAnneeOrigine = -100000;  // multiple of 400: the leap pattern starts clean
constexpr int kAnneeLimite = 99999;

std::int64_t DivBas(std::int64_t a, std::int64_t b) noexcept {
  const std::int64_t q = a / b;
  return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

int Borne(int annee) noexcept { return std::clamp(annee, kAnneeOrigine + 1, kAnneeLimite); }

std::int64_t BissextilesGregoriens(std::int64_t n) noexcept { return n / 4 - n / 100 + n / 400; }

// Existing days of the years kAnneeOrigine .. annee - 1.
std::int64_t JoursAvantAnnee(int annee) noexcept {
  if (annee <= 1582) {
    const std::int64_t a = static_cast<std::int64_t>(annee) - kAnneeOrigine;
    return 365 * a + (a + 3) / 4;
  }
  return JoursAvantAnnee(1582) + 355 + 365LL * (annee - 1583) + BissextilesGregoriens(annee - 1) -
         BissextilesGregoriens(1582);
}

constexpr int kAvantMois[13] = {0, 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};

std::int64_t JdnGregorien(int j, int m, int a) noexcept {
  const std::int64_t x = (14 - m) / 12, y = static_cast<std::int64_t>(a) + 4800 - x,
                     mm = m + 12 * x - 3;
  return j + (153 * mm + 2) / 5 + 365 * y + DivBas(y, 4) - DivBas(y, 100) + DivBas(y, 400) - 32045;
}

std::int64_t JdnJulien(int j, int m, int a) noexcept {
  const std::int64_t x = (14 - m) / 12, y = static_cast<std::int64_t>(a) + 4800 - x,
                     mm = m + 12 * x - 3;
  return j + (153 * mm + 2) / 5 + 365 * y + DivBas(y, 4) - 32083;
}

const std::int64_t kJdnReforme = JdnGregorien(20, 12, 1582);

}  // namespace

bool AnneeOk(int annee) noexcept { return annee >= 0 && annee <= 3000; }

bool MoisOk(int mois) noexcept { return mois >= 1 && mois <= 12; }

bool AnneeCivileBissextile(int annee) noexcept {
  if (annee < 1582) return annee % 4 == 0;
  if (annee == 1582) return false;
  return (annee % 4 == 0 && annee % 100 != 0) || annee % 400 == 0;
}

int JoursDuMoisCivil(int mois, int annee) noexcept {
  switch (mois) {
    case 1: case 3: case 5: case 7: case 8: case 10: case 12: return 31;
    case 4: case 6: case 9: case 11: return 30;
    case 2: return AnneeCivileBissextile(annee) ? 29 : 28;
    default: return 0;
  }
}

bool JourOk(int jour, int mois, int annee) noexcept {
  if (jour < 1) return false;
  if (mois < 1 || mois > 12) return jour <= 31;
  return jour <= JoursDuMoisCivil(mois, annee);
}

bool DateGregorienOk(int jour, int mois, int annee) noexcept {
  return mois >= 1 && mois <= 12 && annee < 2400 && JourOk(jour, mois, annee);
}

bool DateGregorienOk(std::string_view texte) noexcept {
  int parties[3] = {0, 0, 0};
  int n = 0, chiffres = 0;
  for (const char c : texte) {
    if (c == '/') {
      if (chiffres == 0 || ++n > 2) return false;
      chiffres = 0;
    } else if (c >= '0' && c <= '9' && chiffres < 5) {
      parties[n] = parties[n] * 10 + (c - '0');
      ++chiffres;
    } else {
      return false;
    }
  }
  return n == 2 && chiffres > 0 && DateGregorienOk(parties[0], parties[1], parties[2]);
}

bool JourDuTrou1582(int jour, int mois, int annee) noexcept {
  return annee == 1582 && mois == 12 && jour >= 10 && jour <= 19;
}

std::int64_t RangJourCivil(int jour, int mois, int annee) noexcept {
  annee = Borne(annee);
  mois = std::clamp(mois, 1, 12);
  std::int64_t rang = JoursAvantAnnee(annee) + kAvantMois[mois] + jour;
  if (mois > 2 && AnneeCivileBissextile(annee)) ++rang;
  if (annee == 1582 && mois == 12 && jour >= 10) rang -= jour <= 19 ? jour - 9 : 10;
  return rang;
}

std::int64_t CivilVersJdn(int jour, int mois, int annee) noexcept {
  annee = Borne(annee);
  if (annee < 1582 || (annee == 1582 && (mois < 12 || (mois == 12 && jour <= 9))))
    return JdnJulien(jour, mois, annee);
  return JdnGregorien(jour, mois, annee);
}

void JdnVersCivil(std::int64_t jdn, int& jour, int& mois, int& annee) noexcept {
  std::int64_t b = 0, c = 0;
  if (jdn >= kJdnReforme) {
    const std::int64_t a = jdn + 32044;
    b = DivBas(4 * a + 3, 146097);
    c = a - DivBas(146097 * b, 4);
  } else {
    c = jdn + 32082;
  }
  const std::int64_t d = DivBas(4 * c + 3, 1461), e = c - DivBas(1461 * d, 4),
                     m = DivBas(5 * e + 2, 153);
  jour = static_cast<int>(e - DivBas(153 * m + 2, 5) + 1);
  mois = static_cast<int>(m + 3 - 12 * (m / 10));
  annee = static_cast<int>(100 * b + d - 4800 + m / 10);
}

int JourSemaineCivil(int jour, int mois, int annee) noexcept {
  const std::int64_t j = CivilVersJdn(jour, mois, annee) + 1;  // JDN 0 was a Monday
  return static_cast<int>(j - 7 * DivBas(j, 7)) + 1;
}

}  // namespace kyb
