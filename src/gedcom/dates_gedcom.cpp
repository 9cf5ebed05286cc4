#include "gedcom/dates_gedcom.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "dates/analysedate.h"
#include "dates/calendrier_civil.h"
#include "dates/convjuif.h"
#include "dates/convrepublicain.h"

namespace kyb {

namespace {

// 'C' civil (no calendar given), 'G' explicit Gregorian, 'J' Julian, 'R' Republican, 'H' Hebrew.
struct TDateSimple {
  char calendrier = 'C';
  int jour = 0, mois = 0, annee = 0;
  bool avantJC = false;
};

constexpr std::array<const char*, 12> kMoisGreg = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                   "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
constexpr std::array<const char*, 13> kMoisHeb = {"TSH", "CSH", "KSL", "TVT", "SHV", "ADR", "ADS",
                                                  "NSN", "IYR", "SVN", "TMZ", "AAV", "ELL"};

std::vector<std::string> Mots(std::string_view texte) {
  std::string t;
  for (char c : texte) t += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  for (std::size_t p; (p = t.find("@#DFRENCH R@")) != std::string::npos;)
    t.replace(p, 12, "@#DFRENCH_R@");
  std::vector<std::string> mots;
  std::string mot;
  for (const char c : t) {
    if (c == ' ' || c == '\t') {
      if (!mot.empty()) mots.push_back(std::move(mot));
      mot.clear();
    } else {
      mot += c;
    }
  }
  if (!mot.empty()) mots.push_back(std::move(mot));
  return mots;
}

bool Nombre(std::string_view mot, int& n, std::size_t chiffresMax) {
  if (mot.empty() || mot.size() > chiffresMax) return false;
  n = 0;
  for (const char c : mot) {
    if (c < '0' || c > '9') return false;
    n = n * 10 + (c - '0');
  }
  return true;
}

int MoisDuNom(std::string_view nom, char calendrier) {
  if (calendrier == 'R') return NumeroMoisRepublicain(nom);
  if (calendrier == 'H') {
    for (std::size_t i = 0; i < kMoisHeb.size(); ++i)
      if (nom == kMoisHeb[i]) return static_cast<int>(i) + 1;
    return 0;
  }
  for (std::size_t i = 0; i < kMoisGreg.size(); ++i)
    if (nom == kMoisGreg[i]) return static_cast<int>(i) + 1;
  return 0;
}

// 'R' or 'H' for a month of those calendars only, else 'C'.
char CalendrierDuMois(std::string_view mois) {
  if (MoisDuNom(mois, 'G') != 0) return 'C';
  if (MoisDuNom(mois, 'R') != 0) return 'R';
  return MoisDuNom(mois, 'H') != 0 ? 'H' : 'C';
}

// Year with an optional dual form "1750/51" (the later year).
bool Annee(std::string_view mot, bool doubleAdmis, int& annee) {
  const std::size_t barre = mot.find('/');
  if (barre == std::string_view::npos) return Nombre(mot, annee, 5);
  int premiere = 0, suffixe = 0;
  if (!doubleAdmis || !Nombre(mot.substr(0, barre), premiere, 5) ||
      !Nombre(mot.substr(barre + 1), suffixe, 2) || mot.size() - barre - 1 != 2)
    return false;
  annee = premiere - premiere % 100 + suffixe;
  if (annee <= premiere) annee += 100;
  return annee == premiere + 1;
}

// Reads one date from mots[i..fin); false with a reason.
bool LitSimple(const std::vector<std::string>& mots, std::size_t i, std::size_t fin,
               TDateSimple& d, std::string& erreur) {
  if (i < fin) {
    const std::string& m = mots[i];
    char c = 0;
    if (m == "@#DGREGORIAN@" || m == "GREGORIAN") c = 'G';
    else if (m == "@#DJULIAN@" || m == "JULIAN") c = 'J';
    else if (m == "@#DFRENCH_R@" || m == "FRENCH_R") c = 'R';
    else if (m == "@#DHEBREW@" || m == "HEBREW") c = 'H';
    else if (m.starts_with("@#D") || m == "ROMAN" || m == "UNKNOWN") {
      erreur = "calendrier « " + m + " » non pris en charge";
      return false;
    }
    if (c != 0) {
      d.calendrier = c;
      ++i;
    }
  }
  if (fin > i && (mots[fin - 1] == "BC" || mots[fin - 1] == "B.C." || mots[fin - 1] == "BCE")) {
    d.avantJC = true;
    --fin;
  }
  const std::size_t n = fin - i;
  if (n < 1 || n > 3) {
    erreur = "date incomplète ou de trop de mots";
    return false;
  }
  // A Republican or Hebrew month written without its calendar's escape names the calendar.
  if (d.calendrier == 'C' && n >= 2) d.calendrier = CalendrierDuMois(mots[fin - 2]);
  const bool doubleAdmis = d.calendrier == 'C' || d.calendrier == 'G' || d.calendrier == 'J';
  if (!Annee(mots[fin - 1], doubleAdmis, d.annee) || d.annee < 1) {
    erreur = "année « " + mots[fin - 1] + " » illisible";
    return false;
  }
  if (n >= 2) {
    d.mois = MoisDuNom(mots[fin - 2], d.calendrier == 'C' || d.calendrier == 'J' ? 'G'
                                                                                  : d.calendrier);
    if (d.mois == 0) {
      erreur = "mois « " + mots[fin - 2] + " » inconnu";
      return false;
    }
  }
  if (n == 3 && (!Nombre(mots[i], d.jour, 2) || d.jour < 1)) {
    erreur = "jour « " + mots[i] + " » illisible";
    return false;
  }
  return true;
}

int64_t JdnJulien(int j, int m, int a) {
  const int64_t c = (14 - m) / 12, y = a + 4800 - c, mm = m + 12 * c - 3;
  return j + (153 * mm + 2) / 5 + 365 * y + y / 4 - 32083;
}

int64_t JdnGregorien(int j, int m, int a) {
  const int64_t c = (14 - m) / 12, y = a + 4800 - c, mm = m + 12 * c - 3;
  return j + (153 * mm + 2) / 5 + 365 * y + y / 4 - y / 100 + y / 400 - 32045;
}

bool AvantReforme(int j, int m, int a) {
  return a < 1582 || (a == 1582 && (m < 12 || j < 20));
}

std::string Deux(int n) {
  char t[8];
  std::snprintf(t, sizeof t, "%02d", n % 100);
  return t;
}

// A point date into the value (qualifier left to the caller).
bool VersDateKY(const TDateSimple& d, TDateKY& date, bool& approchee, std::string& erreur) {
  if (d.avantJC && (d.calendrier == 'R' || d.calendrier == 'H')) {
    erreur = "avant Jésus-Christ dans ce calendrier";
    return false;
  }
  if (d.calendrier == 'R') {
    const bool complementaire = d.mois == 13;
    const int joursMax = complementaire ? (AnneeRepublicaineSextile(d.annee) ? 6 : 5) : 30;
    if (!AnneeRepublicaineOk(d.annee) || d.jour > joursMax) {
      erreur = "date républicaine impossible";
      return false;
    }
    const std::string texte = (d.jour ? Deux(d.jour) : "..") + "/" +
                              (d.mois ? std::string(CodeMoisRepublicain(d.mois)) : "....") + "/" +
                              Deux(d.annee);
    date = TDateKY('R', texte);
    return true;
  }
  if (d.calendrier == 'H') {
    if (!AnneeHebOk(d.annee) || d.annee > 9999 || (d.jour && !JourHebOk(d.jour, d.mois))) {
      erreur = "date hébraïque impossible";
      return false;
    }
    date = TDateKY();
    date.SetJourMoisAnnee(d.jour, d.mois, d.annee);
    date.SetCalendrier('H');
    return true;
  }
  int j = d.jour, m = d.mois, a = d.annee;
  // Before Christ, 1, 5, 9 ... BC are leap years (astronomical years 0, -4, -8 ...).
  if (!AnneeOk(a) || (j != 0 && !JourOk(j, m, d.avantJC ? 1 - a : a))) {
    erreur = "date impossible";
    return false;
  }
  if (!d.avantJC && j != 0) {
    int64_t jdn = 0;
    // The civil reckoning is Julian up to 9 December 1582: a later Julian day is converted.
    const bool julienCivil = a < 1582 || (a == 1582 && (m < 12 || j <= 9));
    if (d.calendrier == 'J' && !julienCivil) jdn = JdnJulien(j, m, a);
    if (d.calendrier == 'G' && AvantReforme(j, m, a)) jdn = JdnGregorien(j, m, a);
    if (jdn != 0) JdnVersCivil(jdn, j, m, a);
    if (JourDuTrou1582(j, m, a)) {
      erreur = "jour inexistant (du 10 au 19 décembre 1582)";
      return false;
    }
  } else if (!d.avantJC && d.calendrier == 'J' && !AvantReforme(31, m ? m : 12, a)) {
    approchee = true;  // a Julian month or year after the reform is kept as it stands
  }
  if (!AnneeOk(a) || a < 1) {
    erreur = "année hors des limites";
    return false;
  }
  date = TDateKY();
  date.SetJourMoisAnnee(j, m, a);
  if (d.avantJC) date.SetCalendrier('A');
  return true;
}

char Famille(const TDateSimple& d) {
  if (d.avantJC) return 'A';
  if (d.calendrier == 'R' || d.calendrier == 'H') return d.calendrier;
  return 'G';
}

// Year of a range bound, in the calendar of the range.
int AnneeDeBorne(const TDateSimple& d, const TDateKY& date) {
  if (d.calendrier == 'R') return d.annee;
  int j = 0, m = 0, a = 0;
  if (d.calendrier == 'H' || d.avantJC) return d.annee;
  date.ExtractJourMoisAnnee(j, m, a, false);
  return a;
}

bool LitFourchette(const std::vector<std::string>& mots, std::size_t debut, std::size_t milieu,
                   std::size_t fin, TDateGedcom& r) {
  TDateSimple bornes[2];
  bool connue[2] = {false, false};
  int annees[2] = {0, 0};
  const std::size_t limites[2][2] = {{debut, milieu}, {milieu + 1, fin}};
  for (int k = 0; k < 2; ++k) {
    if (limites[k][0] >= limites[k][1] || limites[k][0] > mots.size()) continue;
    TDateKY point;
    bool approchee = false;
    if (!LitSimple(mots, limites[k][0], limites[k][1], bornes[k], r.erreur) ||
        !VersDateKY(bornes[k], point, approchee, r.erreur))
      return false;
    connue[k] = true;
    annees[k] = AnneeDeBorne(bornes[k], point);
    if (bornes[k].mois != 0 || approchee) r.approchee = true;
  }
  if (!connue[0] && !connue[1]) {
    r.erreur = "fourchette sans borne";
    return false;
  }
  const char c = connue[0] ? Famille(bornes[0]) : Famille(bornes[1]);
  if (connue[0] && connue[1] && Famille(bornes[1]) != c) {
    r.erreur = "fourchette entre deux calendriers";
    return false;
  }
  const auto texte = [&](int bas, int haut, bool b, bool h) {
    if (c == 'R') return Deux(bas) + "/" + Deux(haut);
    char t[16];
    std::snprintf(t, sizeof t, "%04d", bas);
    std::string s = b ? std::string(t) : "....";
    std::snprintf(t, sizeof t, "%04d", haut);
    return s + "/" + (h ? std::string(t) : "....");
  };
  std::string t = texte(annees[0], annees[1], connue[0], connue[1]);
  if (FourchetteSaisie(t, c) == 0) {
    t = texte(annees[1], annees[0], connue[1], connue[0]);
    if (!connue[0] || !connue[1] || FourchetteSaisie(t, c) == 0) {
      r.erreur = "fourchette impossible dans ce calendrier";
      return false;
    }
    r.approchee = true;
  }
  r.date = TDateKY(c, t);
  return true;
}

std::size_t Cherche(const std::vector<std::string>& mots, std::size_t debut,
                    std::string_view mot) {
  for (std::size_t i = debut; i < mots.size(); ++i)
    if (mots[i] == mot) return i;
  return mots.size();
}

}  // namespace

TDateGedcom LitDateGedcom(std::string_view texte) {
  TDateGedcom r;
  std::string_view corps = texte;
  const std::size_t parenthese = texte.find('(');
  if (parenthese != std::string_view::npos) {
    const std::size_t ferme = texte.rfind(')');
    const std::size_t finPhrase = ferme != std::string_view::npos && ferme > parenthese
                                      ? ferme
                                      : texte.size();
    r.phrase = std::string(texte.substr(parenthese + 1, finPhrase - parenthese - 1));
    corps = texte.substr(0, parenthese);
  }
  const std::vector<std::string> mots = Mots(corps);
  const auto echec = [&](std::string raison) {
    r.lue = false;
    r.date = TDateKY();
    r.erreur = "Date GEDCOM « " + std::string(texte) + " » illisible : " + raison + ".";
    return r;
  };
  if (mots.empty())
    return echec(r.phrase.empty() ? "elle est vide" : "elle n'est qu'une phrase");
  const std::string& premier = mots[0];
  std::size_t debut = 0;
  std::string qualificatif;
  if (premier == "BET" || premier == "FROM" || premier == "TO") {
    const std::string_view separateur = premier == "BET" ? "AND" : "TO";
    std::size_t milieu = premier == "TO" ? 0 : Cherche(mots, 1, separateur);
    if (premier == "BET" && milieu == mots.size()) return echec("BET sans AND");
    if (milieu < mots.size() && milieu + 1 == mots.size()) return echec("borne manquante");
    if (premier != "TO" && milieu == 1) return echec("borne manquante");
    if (!LitFourchette(mots, 1, milieu, mots.size(), r)) return echec(r.erreur);
    r.lue = true;
    return r;
  }
  if (premier == "ABT") qualificatif = "~";
  else if (premier == "CAL" || premier == "EST") qualificatif = "?";
  else if (premier == "BEF") qualificatif = "<";
  else if (premier == "AFT") qualificatif = ">";
  if (!qualificatif.empty() || premier == "INT") debut = 1;
  if (!r.phrase.empty() && premier != "INT") return echec("phrase entre parenthèses hors INT");
  TDateSimple d;
  if (!LitSimple(mots, debut, mots.size(), d, r.erreur) ||
      !VersDateKY(d, r.date, r.approchee, r.erreur))
    return echec(r.erreur);
  if (!qualificatif.empty()) r.date.SetActe(qualificatif);
  r.lue = true;
  return r;
}

namespace {

std::string Calendrier(char c, TVersionGedcom v) {
  const bool v7 = v == TVersionGedcom::V70;
  switch (c) {
    case 'J': return v7 ? "JULIAN " : "@#DJULIAN@ ";
    case 'R': return v7 ? "FRENCH_R " : "@#DFRENCH R@ ";
    case 'H': return v7 ? "HEBREW " : "@#DHEBREW@ ";
    default: return "";
  }
}

std::string AvantJC(TVersionGedcom v) { return v == TVersionGedcom::V70 ? " BCE" : " B.C."; }

// A point date without qualifier; empty when the text is not a fixed form.
std::string Point(const TDateKY& date, TVersionGedcom v) {
  const std::string_view t = date.Texte();
  const char tag = date.GetCalendrier();
  if (tag == 'R') {
    if (t.size() < 9 || t[2] != '/' || t[7] != '/') return {};
    const int annee = LitNombre(t, 8, t.size() - 8);
    const int jour = LitNombre(t, 0, 2);
    const int mois = NumeroMoisRepublicain(t.substr(3, 4));
    if (annee <= 0 || (mois == 0 && t.substr(3, 4) != "....")) return {};
    std::string s = Calendrier('R', v);
    if (jour > 0 && mois > 0) s += std::to_string(jour) + " ";
    if (mois > 0) s += std::string(CodeMoisRepublicain(mois)) + " ";
    return s + std::to_string(annee);
  }
  if (t.size() != 10 || t[2] != '/' || t[5] != '/') return {};
  const int jour = LitNombre(t, 0, 2), mois = LitNombre(t, 3, 2), annee = LitNombre(t, 6, 4);
  if (annee <= 0 || (mois < 0 && t.substr(3, 2) != "..") || (jour < 0 && t.substr(0, 2) != ".."))
    return {};
  if (mois > (tag == 'H' ? 13 : 12)) return {};
  char c = tag == 'H' ? 'H' : 'C';
  if (c == 'C' && tag != 'A' && mois > 0 && AvantReforme(jour > 0 ? jour : 0, mois, annee))
    c = 'J';
  std::string s = Calendrier(c, v);
  if (jour > 0 && mois > 0) s += std::to_string(jour) + " ";
  if (mois > 0) s += std::string(tag == 'H' ? kMoisHeb[mois - 1] : kMoisGreg[mois - 1]) + " ";
  s += std::to_string(annee);
  if (tag == 'A') s += AvantJC(v);
  return s;
}

std::string Borne(std::string_view annee, char tag, TVersionGedcom v) {
  int n = 0;
  if (!Nombre(annee, n, 4) || n <= 0) return {};
  if (tag == 'A') return std::to_string(n) + AvantJC(v);
  return Calendrier(tag == 'R' || tag == 'H' ? tag : 'C', v) + std::to_string(n);
}

}  // namespace

std::string EcritDateGedcom(const TDateKY& date, TVersionGedcom version) {
  if (date.DateVide()) return {};
  if (date.DateFormatFourchette()) {
    std::string_view t = date.Texte();
    if (t.size() == 10 && t.back() == ' ') t.remove_suffix(1);
    const std::size_t barre = t.find('/');
    if (barre == std::string_view::npos) return {};
    const char tag = date.GetCalendrier();
    const std::string_view bas = t.substr(0, barre), haut = t.substr(barre + 1);
    const bool basConnu = bas.find('.') == std::string_view::npos;
    const bool hautConnu = haut.find('.') == std::string_view::npos;
    const std::string b = basConnu ? Borne(bas, tag, version) : "";
    const std::string h = hautConnu ? Borne(haut, tag, version) : "";
    if ((basConnu && b.empty()) || (hautConnu && h.empty())) return {};
    if (basConnu && hautConnu) return "BET " + b + " AND " + h;
    if (basConnu) return "FROM " + b;
    if (hautConnu) return "TO " + h;
    return {};
  }
  const std::string point = Point(date, version);
  if (point.empty()) return {};
  if (date.IsActeInferieur()) return "BEF " + point;
  if (date.IsActeSuperieur()) return "AFT " + point;
  const AnsiString acte = date.GetActe();
  if (acte.find('?') != std::string::npos) return "EST " + point;
  if (date.IsActeImprecis()) return "ABT " + point;
  return point;
}

namespace {

// A word of a date in the dialect of a version (calendar escapes, B.C.).
std::string Dialecte(const std::string& mot, TVersionGedcom v) {
  static constexpr std::array<std::array<const char*, 3>, 4> kCalendriers = {{
      {"@#DGREGORIAN@", "GREGORIAN", "@#DGREGORIAN@"},
      {"@#DJULIAN@", "JULIAN", "@#DJULIAN@"},
      {"@#DFRENCH_R@", "FRENCH_R", "@#DFRENCH R@"},
      {"@#DHEBREW@", "HEBREW", "@#DHEBREW@"},
  }};
  const bool v7 = v == TVersionGedcom::V70;
  for (const auto& c : kCalendriers)
    if (mot == c[0] || mot == c[1]) return v7 ? c[1] : c[2];
  if (mot == "BC" || mot == "B.C." || mot == "BCE") return v7 ? "BCE" : (mot == "BCE" ? "B.C." : mot);
  if (!v7) return mot;
  // 7.0 writes its keywords and months in capitals ("11 Jan 2001" is read as 11 JAN 2001).
  std::string r = mot;
  for (char& c : r) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return r;
}

std::vector<std::string> MotsComparables(std::string_view texte) {
  std::vector<std::string> r;
  for (const std::string& m : Mots(texte)) r.push_back(Dialecte(m, TVersionGedcom::V70));
  return r;
}

// A calendar word of either version: 'G', 'J', 'R', 'H', 'X' for an extension calendar of 7.0
// ("_MAYAN"), 0 for none.
char CalendrierDuMot(const std::string& m, bool v7) {
  if (m == "@#DGREGORIAN@" || m == "GREGORIAN") return 'G';
  if (m == "@#DJULIAN@" || m == "JULIAN") return 'J';
  if (m == "@#DFRENCH_R@" || m == "FRENCH_R") return 'R';
  if (m == "@#DHEBREW@" || m == "HEBREW") return 'H';
  if (v7 && m.size() > 1 && m[0] == '_') return 'X';
  return 0;
}

// mots[i, fin) is one date of the grammar of the version: [calendar] [[day] month] year [epoch].
// Only its form is checked, not that the day exists.
bool FormeSimple(const std::vector<std::string>& mots, std::size_t i, std::size_t fin, bool v7) {
  char c = i < fin ? CalendrierDuMot(mots[i], v7) : 0;
  if (c != 0) ++i;
  else c = 'G';
  // An epoch: B.C. of either version, or (7.0) an extension one.
  if (fin > i && (mots[fin - 1] == "BC" || mots[fin - 1] == "B.C." || mots[fin - 1] == "BCE" ||
                  (v7 && mots[fin - 1].size() > 1 && mots[fin - 1][0] == '_'))) {
    if ((c == 'R' || c == 'H') && mots[fin - 1][0] != '_') return false;
    --fin;
  }
  const std::size_t n = fin > i ? fin - i : 0;
  if (n < 1 || n > 3) return false;
  int x = 0;
  if (!Annee(mots[fin - 1], !v7 && (c == 'G' || c == 'J'), x)) return false;
  if (n >= 2) {
    // 7.0 takes an extension month in any calendar, and any month in an extension calendar.
    const std::string& mois = mots[fin - 2];
    const bool extension = v7 && mois.size() > 1 && mois[0] == '_';
    if (!extension && (c == 'X' ? mois.empty() || mois[0] < 'A' || mois[0] > 'Z' : MoisDuNom(mois, c == 'J' ? 'G' : c) == 0))
      return false;
  }
  if (n < 3) return true;
  // A day of a known month exists in it (a leap day admitted): "31 FEB 1800" is no date.
  static constexpr int kJoursMax[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const int mois = MoisDuNom(mots[fin - 2], c == 'J' ? 'G' : c);
  const int jourMax = mois == 0 ? 99 : (c == 'G' || c == 'J') ? kJoursMax[mois - 1] : 30;
  return Nombre(mots[i], x, 2) && x >= 1 && x <= jourMax;
}

// The whole text is a date of the version's grammar (phrase of INT aside).
bool FormeDate(const std::vector<std::string>& mots, bool v7) {
  if (mots.empty()) return false;
  const std::string& q = mots[0];
  const std::size_t fin = mots.size();
  if (q == "BET") {
    const std::size_t et = Cherche(mots, 1, "AND");
    return et < fin && FormeSimple(mots, 1, et, v7) && FormeSimple(mots, et + 1, fin, v7);
  }
  if (q == "FROM") {
    const std::size_t a = Cherche(mots, 1, "TO");
    return FormeSimple(mots, 1, a, v7) && (a == fin || FormeSimple(mots, a + 1, fin, v7));
  }
  const bool qualifie = q == "TO" || q == "ABT" || q == "CAL" || q == "EST" || q == "BEF" || q == "AFT" || q == "INT";
  return FormeSimple(mots, qualifie ? 1 : 0, fin, v7);
}

std::string SansBlancs(std::string_view s) {
  const std::size_t a = s.find_first_not_of(" \t");
  if (a == std::string_view::npos) return {};
  return std::string(s.substr(a, s.find_last_not_of(" \t") - a + 1));
}

// The calendar word of a date whose month alone names its calendar ("5 VEND 10"), added before it.
void AjouteCalendriers(std::vector<std::string>& mots) {
  static constexpr std::string_view kMotsCles[] = {"BET", "AND", "FROM", "TO", "ABT", "CAL", "EST", "BEF", "AFT", "INT"};
  const auto motCle = [](const std::string& m) { return std::find(std::begin(kMotsCles), std::end(kMotsCles), m) != std::end(kMotsCles); };
  for (std::size_t k = 0; k < mots.size(); ++k) {
    const char c = CalendrierDuMois(mots[k]);
    if (c == 'C') continue;
    std::size_t debut = k;
    while (debut > 0 && !motCle(mots[debut - 1])) --debut;
    if (CalendrierDuMot(mots[debut], true) != 0) continue;
    mots.insert(mots.begin() + static_cast<long>(debut), c == 'R' ? "FRENCH_R" : "HEBREW");
    ++k;
  }
}

}  // namespace

bool DateAGarder(std::string_view texte, const TDateGedcom& lue) {
  if (!lue.lue || lue.approchee || !lue.phrase.empty()) return true;
  const std::string en551 = EcritDateGedcom(lue.date, TVersionGedcom::V551);
  if (en551 == texte) return false;  // the usual case, without splitting words
  const std::vector<std::string> mots = MotsComparables(texte);
  return MotsComparables(en551) != mots &&
         MotsComparables(EcritDateGedcom(lue.date, TVersionGedcom::V70)) != mots;
}

TDateEcrite DateGardeeGedcom(std::string_view texte, TVersionGedcom version) {
  TDateEcrite r;
  const bool v7 = version == TVersionGedcom::V70;
  std::string_view corps = texte;
  std::string phrase;
  if (const std::size_t p = texte.find('('); p != std::string_view::npos) {
    const std::size_t f = texte.rfind(')');
    phrase = std::string(texte.substr(p + 1, (f != std::string_view::npos && f > p ? f : texte.size()) - p - 1));
    corps = texte.substr(0, p);
  }
  std::vector<std::string> mots = Mots(corps);
  AjouteCalendriers(mots);
  if (!LitDateGedcom(texte).lue && !FormeDate(mots, v7)) {
    // Unreadable: the whole text is a phrase.
    const std::string tout = SansBlancs(corps).empty() && !phrase.empty() ? phrase : SansBlancs(texte);
    if (v7) r.phrase = tout;
    else r.valeur = "(" + tout + ")";
    return r;
  }
  if (v7 && (std::any_of(mots.begin(), mots.end(), [](const std::string& m) { return m.find('/') != std::string::npos; }))) {
    r.lisible = false;
    r.phrase = SansBlancs(texte);
    return r;
  }
  for (const std::string& m : mots) {
    if (v7 && m == "INT") continue;
    if (!r.valeur.empty()) r.valeur += ' ';
    r.valeur += Dialecte(m, version);
  }
  if (v7) r.phrase = phrase;
  else if (!phrase.empty()) r.valeur += " (" + phrase + ")";
  return r;
}

}  // namespace kyb
