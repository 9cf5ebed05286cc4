// CompareDate and the day counts between two dates.
//
// The counts are defined by a walk over every civil day from the first date to the second
// (Julian leap years before 1582, Gregorian from 1583, 10..19 December 1582 skipped) that counts
// days, anniversaries of the first date and "month days" (days whose day of month is the first
// date's, with 1 March standing in for a missing 29, 30 or 31 February and the 30th for a missing
// 31st). They are computed here from day ranks, in constant time.
#include "dates/calcjours.h"

#include <algorithm>
#include <utility>

#include "dates/analysedate.h"
#include "dates/calendrier_civil.h"
#include "dates/ordredate.h"

namespace kyb {
namespace {

int Signe(int a, int b) noexcept { return a < b ? -1 : (a > b ? 1 : 0); }

int CompareTextes(const AnsiString& a, const AnsiString& b) noexcept {
  const int c = a.compare(b);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

// Point date in the year of `annee` with the day and month of `modele` when it has both.
TDateKY PointDansAnnee(int annee, char calendrier, const TDateKY& modele) {
  const std::string_view t = modele.Texte();
  const bool jourMois = t.size() == 10 && t[0] != '.' && t[3] != '.';
  TDateKY r(annee, jourMois ? t.substr(0, 6) : std::string_view("01/01/"));
  r.SetCalendrier(calendrier);
  return r;
}

int CompareFourchettes(const TDateKY& d1, const TDateKY& d2) {
  int b1 = 0, h1 = 0, b2 = 0, h2 = 0;
  d1.RecupAnneeFourchette(true, nullptr, nullptr, nullptr, &b1, &h1);
  d2.RecupAnneeFourchette(true, nullptr, nullptr, nullptr, &b2, &h2);
  const bool ferme1 = b1 && h1, ferme2 = b2 && h2;
  if (ferme1 && ferme2) {
    const int c = Signe(b1, b2);
    return c != 0 ? c : Signe(h1, h2);
  }
  if (!ferme1 && !ferme2) return Signe(b1 ? b1 : h1, b2 ? b2 : h2);
  if (!ferme1) {
    if (b1) return Signe(b1, b2);
    return std::max(1, h1 - 100) > b2 ? 1 : -1;
  }
  if (b2) return Signe(b1, b2);
  return std::max(1, h2 - 100) > b1 ? -1 : 1;
}

// Fast path for the common case: two Gregorian point dates without qualifier. Same keys as the
// general path below, built without copies. False when the case does not apply.
bool ClePointGregorien(const TDateKY& d, bool tard, char (&cle)[8], bool& vide) noexcept {
  const char c = d.GetCalendrier();
  const std::string_view t = d.Texte();
  if ((c != 'G' && c != 0 && c != ' ' && c != 'F') || t.size() != 10 || t[2] != '/' ||
      t[5] != '/' || !d.ActeVide())
    return false;
  vide = LitNombre(t, 6, 4) <= 0;
  const auto partie = [&](int debut, int cible, const char* remplit) {
    const bool inconnu = t[debut] == '.' && t[debut + 1] == '.';
    cle[cible] = inconnu ? remplit[0] : t[debut];
    cle[cible + 1] = inconnu ? remplit[1] : t[debut + 1];
  };
  std::copy(t.begin() + 6, t.end(), cle);
  partie(3, 4, tard ? "12" : "01");
  partie(0, 6, tard ? "31" : "01");
  return true;
}

int CompareGeneral(TDateKY d1, TDateKY d2, int modeEgalite, bool drapeauEgalite);

int Compare(const TDateKY& d1, const TDateKY& d2, int modeEgalite, bool drapeauEgalite) {
  char k1[8], k2[8];
  bool vide1 = false, vide2 = false;
  if (ClePointGregorien(d1, true, k1, vide1) && ClePointGregorien(d2, false, k2, vide2)) {
    if (d1.Texte() == d2.Texte()) return 0;
    int c = vide1 || vide2 ? (vide1 == vide2 ? 0 : (vide1 ? -1 : 1))
                           : std::string_view(k1, 8).compare(std::string_view(k2, 8));
    c = c < 0 ? -1 : (c > 0 ? 1 : 0);
    if (c == 0 && modeEgalite > 0)
      c = ((modeEgalite == 1 && !drapeauEgalite) || (modeEgalite == 2 && drapeauEgalite)) ? -1 : 1;
    return c;
  }
  return CompareGeneral(d1, d2, modeEgalite, drapeauEgalite);
}

int CompareGeneral(TDateKY d1, TDateKY d2, int modeEgalite, bool drapeauEgalite) {
  d1.ConvVersGregInterne();
  d2.ConvVersGregInterne();
  int min1 = 0, min2 = 0;
  const int a1 = d1.RecupAnnee(true, &min1, nullptr, true);
  const int a2 = d2.RecupAnnee(true, &min2, nullptr, true);
  const bool f1 = d1.DateFormatFourchette(), f2 = d2.DateFormatFourchette();
  const bool avjc1 = d1.DateFormatAvantJC(), avjc2 = d2.DateFormatAvantJC();
  // Equal texts are equal dates, unless one of them counts before Christ.
  if (avjc1 == avjc2 && d1.Texte() == d2.Texte()) return 0;
  int c = 0;
  if (f1 != f2) {
    // The range is compared through a point date in its (closed) lower year.
    if (f1) return Compare(PointDansAnnee(min1, d1.GetCalendrier(), d2), d2, modeEgalite,
                           drapeauEgalite);
    return Compare(d1, PointDansAnnee(min2, d2.GetCalendrier(), d1), modeEgalite,
                   drapeauEgalite);
  }
  if (f1) {
    c = CompareFourchettes(d1, d2);
  } else if (avjc1 && avjc2 && a1 && a2 && a1 != a2) {
    // Before Christ the years run backwards; the months and days of one year still run forwards.
    return a1 > a2 ? -1 : 1;
  } else {
    const AnsiString k1 = a1 ? d1.RetAnneeMoisJour("9999", "12", "31") : AnsiString();
    const AnsiString k2 = a2 ? d2.RetAnneeMoisJour("0000", "01", "01") : AnsiString();
    c = CompareTextes(k1, k2);
    if (c == 0 && modeEgalite > 0)
      c = ((modeEgalite == 1 && !drapeauEgalite) || (modeEgalite == 2 && drapeauEgalite)) ? -1 : 1;
  }
  if (avjc1 && avjc2) return f1 ? -c : c;
  if (avjc1) return -1;
  if (avjc2) return 1;
  return c;
}

struct Jour {
  int j, m, a;
};

bool Avant(const Jour& x, const Jour& y) noexcept {
  if (x.a != y.a) return x.a < y.a;
  if (x.m != y.m) return x.m < y.m;
  return x.j < y.j;
}

bool Marche(const Jour& x) noexcept { return !JourDuTrou1582(x.j, x.m, x.a); }

std::int64_t Rang(const Jour& x) noexcept { return RangJourCivil(x.j, x.m, x.a); }

// Anniversary of (jourRef, moisRef) in year a: 1 March when 29 February is missing.
Jour Anniversaire(int jourRef, int moisRef, int a) noexcept {
  if (moisRef == 2 && jourRef == 29 && !DateGregorienOk(29, 2, a)) return {1, 3, a};
  return {jourRef, moisRef, a};
}

// Month days among walked days up to x, from an origin: 12 a year, Feb and March shifting
// when the reference day is missing in February, minus the one lost in the 1582 gap.
std::int64_t JoursMoisJusqua(const Jour& x, int jourRef) noexcept {
  const bool deplace = jourRef >= 30 || (jourRef == 29 && !AnneeCivileBissextile(x.a));
  std::int64_t n = 12LL * x.a + (x.m - 1);
  if (x.m >= 3 && deplace) --n;
  if (x.m >= 4 && deplace) ++n;
  const int longueur = JoursDuMoisCivil(x.m, x.a);
  if (jourRef <= longueur && jourRef <= x.j) ++n;
  if (x.m == 3 && deplace && x.j >= 1) ++n;
  if (jourRef == 31 && longueur == 30 && x.j >= 30) ++n;
  const bool perduEn1582 = x.a > 1582 || (x.a == 1582 && x.m == 12 && x.j >= jourRef);
  if (jourRef >= 10 && jourRef <= 19 && perduEn1582) --n;
  return n;
}

struct Marche_ {
  int jours = 0, anniversaires = 0, reste = 0, joursMois = 0;
};

Marche_ Compte(const Jour& debut, const Jour& fin) noexcept {
  Marche_ r;
  if (Avant(fin, debut)) return r;
  const int premier = Marche(debut) ? 1 : 0;
  r.jours = static_cast<int>(Rang(fin) - Rang(debut)) + premier;
  const auto compte = [&](int a) {
    const Jour x = Anniversaire(debut.j, debut.m, a);
    return !Avant(x, debut) && !Avant(fin, x) && Marche(x);
  };
  if (debut.a == fin.a) {
    r.anniversaires = compte(debut.a) ? 1 : 0;
  } else {
    r.anniversaires = (compte(debut.a) ? 1 : 0) + (compte(fin.a) ? 1 : 0) + (fin.a - debut.a - 1);
    if (debut.a < 1582 && fin.a > 1582 && !Marche(Anniversaire(debut.j, debut.m, 1582)))
      --r.anniversaires;
  }
  r.reste = r.jours;
  for (int a = fin.a; a >= debut.a; --a)
    if (compte(a)) {
      r.reste = static_cast<int>(Rang(fin) - Rang(Anniversaire(debut.j, debut.m, a)));
      break;
    }
  r.joursMois =
      static_cast<int>(JoursMoisJusqua(fin, debut.j) - JoursMoisJusqua(debut, debut.j)) + premier;
  return r;
}

// Whether two dates share a day without both being that one day (qualifiers aside), read in
// their own calendars before any conversion.
bool Recouvrent(const TDateKY& d1, const TDateKY& d2) {
  const TEtendueJours e1 = EtendueJours(d1, false), e2 = EtendueJours(d2, false);
  return Chevauchent(e1, e2) && !(e1.premier == e1.dernier && e2.premier == e2.dernier);
}

void Impossible(float* annees, int* entieres, int& resultat) {
  *annees = 1000000.0f;
  *entieres = kDateIncalculable;
  resultat = kDateIncalculable;
}

}  // namespace

int CompareDate(TDateKY d1, TDateKY d2, int, int modeEgalite, bool drapeauEgalite) {
  return Compare(d1, d2, modeEgalite, drapeauEgalite);
}

int CalcJours(TDateKY d1, TDateKY d2, float* annees, int* anneesEntieres, int* joursReste,
              bool* inverse, bool milieu, int* joursMois, bool* incertain) {
  float annees0 = 0;
  int entieres0 = 0, reste0 = 0, mois0 = 0;
  bool inverse0 = false, incertain0 = false;
  if (!annees) annees = &annees0;
  if (!anneesEntieres) anneesEntieres = &entieres0;
  if (!joursReste) joursReste = &reste0;
  if (!inverse) inverse = &inverse0;
  if (!joursMois) joursMois = &mois0;
  if (!incertain) incertain = &incertain0;
  *inverse = *incertain = false;
  *joursReste = *joursMois = 0;
  if (milieu) {
    d1.CalculDateMoyenneFourchette(true);
    d2.CalculDateMoyenneFourchette(true);
  }
  const bool recouvrent = Recouvrent(d1, d2);
  d1.ConvVersGregInterne();
  d2.ConvVersGregInterne();
  int resultat = 0;
  if (d1.AnneeDateVide() || d2.AnneeDateVide()) {
    Impossible(annees, anneesEntieres, resultat);
    return resultat;
  }
  if (CompareDate(d1, d2) > 0) {
    std::swap(d1, d2);
    *inverse = true;
  }
  Jour x{}, y{};
  d1.ExtractJourMoisAnnee(x.j, x.m, x.a, true);
  d2.ExtractJourMoisAnnee(y.j, y.m, y.a, true);
  const auto existe = [](const Jour& j, bool avantJC) {
    return avantJC ? j.a <= 3000 && DateGregorienOk(j.j, j.m, 1 - j.a)
                   : DateGregorienOk(j.j, j.m, j.a);
  };
  if (x.a == 0 || y.a == 0 || !existe(x, d1.DateFormatAvantJC()) ||
      !existe(y, d2.DateFormatAvantJC())) {
    Impossible(annees, anneesEntieres, resultat);
    return resultat;
  }
  // Overlapping dates (a month and one of its days, a year and one of its days) have no
  // interval between them: 0, uncertain, whatever their order.
  if (recouvrent) {
    *inverse = false;
    *incertain = true;
    *anneesEntieres = 0;
    *annees = 0.0f;
    return 0;
  }
  // Before Christ, year y is the astronomical year 1 - y: 1 BC is followed by AD 1.
  if (d1.DateFormatAvantJC()) x.a = 1 - x.a;
  if (d2.DateFormatAvantJC()) y.a = 1 - y.a;
  if (milieu) {
    *anneesEntieres = y.a - x.a;
    *annees = static_cast<float>(*anneesEntieres);
    return (y.a - x.a) * 365 + (y.m - x.m) * 30 + (y.j - x.j);
  }
  const Marche_ m = Compte(x, y);
  *anneesEntieres = m.anniversaires - 1;
  *joursReste = m.reste;
  *joursMois = m.joursMois;
  const double fraction = m.reste / 365.0;
  double a = *anneesEntieres + fraction;
  if (fraction > 0.995) a -= 0.006;
  if (fraction < 0.005 && m.reste > 0) a += 0.005;
  *annees = static_cast<float>(a);
  return m.jours - 1;
}

int CalcJours(const TDateKY& d1, const TDateKY& d2, int* anneesEntieres, bool milieu,
              bool* inverse, bool* incertain) {
  return CalcJours(d1, d2, nullptr, anneesEntieres, nullptr, inverse, milieu, nullptr,
                   incertain);
}

int CalcNbJours(TDateKY d1, TDateKY d2) {
  if (Recouvrent(d1, d2) && !d1.AnneeDateVide() && !d2.AnneeDateVide()) return 0;
  d1.ConvVersGregInterne();
  d2.ConvVersGregInterne();
  const int n = CalcJours(d1, d2, nullptr, false, nullptr);
  if (n == kDateIncalculable) return n;
  Jour x{}, y{};
  d1.ExtractJourMoisAnnee(x.j, x.m, x.a, true);
  d2.ExtractJourMoisAnnee(y.j, y.m, y.a, true);
  if (d1.DateFormatAvantJC()) x.a = 1 - x.a;
  if (d2.DateFormatAvantJC()) y.a = 1 - y.a;
  return Avant(x, y) ? -n : n;
}

int CalculJoursDateDate(const TDateKY& d1, const TDateKY& d2, int* annees, bool* ok,
                        bool* incertain) {
  if (ok) *ok = false;
  if (incertain) *incertain = false;
  if (!d1.CalculDatePossible() || !d2.CalculDatePossible()) return kDateIncalculable;
  int entieres = 0;
  bool inverse = false;
  const int n =
      CalcJours(d1, d2, nullptr, &entieres, nullptr, &inverse, false, nullptr, incertain);
  if (n == kDateIncalculable) return n;
  if (annees) *annees = inverse ? -entieres : entieres;
  if (ok) *ok = true;
  return inverse ? -n : n;
}

int CalculJoursDateDate(const TDateKY& d1, const TDateKY& d2, bool& impossible) {
  bool ok = false;
  const int n = CalculJoursDateDate(d1, d2, nullptr, &ok);
  impossible = !ok;
  return n;
}

int CalculAnneeDateDate(const TDateKY& d1, const TDateKY& d2, bool* incertain) {
  if (incertain) *incertain = false;
  if (!d1.CalculDatePossible() || !d2.CalculDatePossible()) return kDateIncalculable;
  bool inverse = false;
  const int n = CalcJours(d1, d2, nullptr, nullptr, nullptr, &inverse, true, nullptr, incertain);
  if (n == kDateIncalculable) return n;
  int annees = n / 365;
  if (inverse && annees == 0) annees = 1;
  return inverse ? -annees : annees;
}

int CalculMoisDateDate(const TDateKY& d1, const TDateKY& d2, bool* incertain) {
  bool flou = false;
  if (incertain) *incertain = false;
  if (!d1.CalculDatePossible() || !d2.CalculDatePossible()) return kDateIncalculable;
  int entieres = 0, reste = 0;
  bool inverse = false;
  const int n = CalcJours(d1, d2, nullptr, &entieres, &reste, &inverse, false, nullptr, &flou);
  if (incertain) *incertain = flou;
  if (n == kDateIncalculable) return n;
  if (flou) return 0;
  double mois = reste / 30.437 + 0.1 + entieres * 12.0;
  if (inverse) mois = -mois;
  return static_cast<int>(mois);
}

}  // namespace kyb
