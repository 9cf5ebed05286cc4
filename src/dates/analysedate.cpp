// Analysis of typed dates into the fixed text forms (rules in analysedate.h).
#include "dates/analysedate.h"

#include <array>

#include "dates/calendrier_civil.h"
#include "dates/convjuif.h"
#include "dates/convrepublicain.h"
#include "dates/nomsmois.h"
#include "platform/date_heure.h"

namespace kyb {

char LettreSimple(unsigned char c) noexcept {
  if (c >= 'A' && c <= 'Z') return static_cast<char>(c - 'A' + 'a');
  if (c >= 'a' && c <= 'z') return static_cast<char>(c);
  static constexpr char kAccents[64 + 1] =
      "aaaaaaaceeeeiiiidnooooo.ouuuuyts"   // 0xC0..0xDF
      "aaaaaaaceeeeiiiidnooooo.ouuuuyty";  // 0xE0..0xFF
  if (c >= 0xC0) return kAccents[c - 0xC0] == '.' ? 0 : kAccents[c - 0xC0];
  if (c == 0x9C || c == 0x8C) return 'o';  // oe ligature
  return 0;
}

namespace {

constexpr std::string_view kSeparateurs = " -|_,;.:/*+";

bool EstMarque(char c) noexcept { return c == '.' || c == '?'; }

// Kind of a part: empty, unknown (dots or '?'), a number, or unreadable (digits and marks mixed).
enum class Genre { Vide, Inconnu, Nombre, Illisible };

struct Partie {
  std::string_view texte;
  Genre genre = Genre::Vide;
  int valeur = 0;  // for Nombre, capped at 99999
};

Partie Classe(std::string_view t) noexcept {
  Partie p{t};
  if (t.empty()) return p;
  bool chiffres = false, marques = false;
  for (const char c : t) (IsChiffre(c) ? chiffres : marques) = true;
  if (chiffres && marques) {
    p.genre = Genre::Illisible;
  } else if (marques) {
    p.genre = Genre::Inconnu;
  } else {
    p.genre = Genre::Nombre;
    for (const char c : t) p.valeur = p.valeur > 9999 ? 99999 : p.valeur * 10 + (c - '0');
  }
  return p;
}

// A '.' is a separator unless it belongs to a run of marks or stands alone as a part.
bool PointEstMarque(std::string_view t, std::size_t i) noexcept {
  const bool avant = i > 0 && EstMarque(t[i - 1]);
  const bool apres = i + 1 < t.size() && EstMarque(t[i + 1]);
  if (avant || apres) return true;
  const bool bordAvant = i == 0 || IsSeparateurDate(t[i - 1]);
  const bool bordApres = i + 1 >= t.size() || IsSeparateurDate(t[i + 1]);
  return bordAvant && bordApres;
}

// Cuts t at runs of separators into at most 3 parts; a leading or trailing run leaves an empty
// part at that end. Returns 0 or kErreurCaractere.
int Decoupe(std::string_view t, std::array<std::string_view, 3>& parties, int& nb) noexcept {
  nb = 0;
  if (t.empty()) return 0;
  std::size_t debut = 0;
  bool dansSeparateur = false;
  const auto ajoute = [&](std::string_view p) {
    if (nb == 3) return false;
    parties[nb++] = p;
    return true;
  };
  for (std::size_t i = 0; i < t.size(); ++i) {
    const char c = t[i];
    bool separateur = false;
    if (c == '.') {
      separateur = !PointEstMarque(t, i);
    } else if (!IsChiffre(c) && c != '?') {
      if (!IsSeparateurDate(c)) return kErreurCaractere;
      separateur = true;
    }
    if (separateur && !dansSeparateur) {
      if (!ajoute(t.substr(debut, i - debut))) return kErreurCaractere;
      dansSeparateur = true;
    } else if (!separateur && dansSeparateur) {
      debut = i;
      dansSeparateur = false;
    }
  }
  const bool ok = dansSeparateur ? ajoute({}) : ajoute(t.substr(debut));
  return ok ? 0 : kErreurCaractere;
}

int AnneeCouranteCivile() { return DecodeDateHeure(Maintenant()).annee; }

int AnneeCouranteHebraique() {
  const TDateDecodee d = DecodeDateHeure(Maintenant());
  return d.annee + 3760 + (d.mois >= 9 ? 1 : 0);
}

void EcritNombre(char* sortie, int valeur, int chiffres) noexcept {
  for (int i = chiffres - 1; i >= 0; --i, valeur /= 10)
    sortie[i] = static_cast<char>('0' + valeur % 10);
}

// Year part -> 4 characters in sortie. Returns 0 or an error code.
int AnneeNormalisee(const Partie& p, char calendrier, char* sortie) {
  if (p.genre == Genre::Vide || p.genre == Genre::Inconnu) {
    std::fill(sortie, sortie + 4, '.');
    return 0;
  }
  if (p.genre == Genre::Illisible) return kErreurAnnee;
  const std::size_t n = p.texte.size();
  if (n > 4) return kErreurAnneeLongue;
  int annee = p.valeur;
  if (calendrier == 'G') {
    if (n == 1) {
      annee += 2000;
    } else if (n == 2) {
      annee += annee > AnneeCouranteCivile() % 100 ? 1900 : 2000;
    }
  } else if (calendrier == 'H') {
    if (n == 1) {
      annee += 5770;
    } else if (n == 2) {
      annee += 5700;
      if (annee > AnneeCouranteHebraique()) annee -= 100;
    } else if (n == 3) {
      annee += 5000;
    }
  }
  // Year 0 does not exist: the year before 1 is 1 before Christ.
  if (calendrier == 'H' ? !AnneeHebOk(annee) : (!AnneeOk(annee) || annee == 0))
    return kErreurAnnee;
  EcritNombre(sortie, annee, 4);
  return 0;
}

// Whether day j of month m of year a (0 = unknown) can exist in the calendar. With an unknown
// year the month's longest length counts (29 February); before Christ the leap years are those
// of the proleptic Julian calendar (1, 5, 9 ... BC); 10 to 19 December 1582 never existed.
bool JourPossible(int j, int m, int a, char calendrier) noexcept {
  if (j == 0) return true;
  if (calendrier == 'H') return m == 0 ? j <= 30 : JourHebOk(j, m);
  if (m == 0) return j <= 31;
  if (a == 0) return j <= (m == 2 ? 29 : JoursDuMoisCivil(m, 2000));
  if (calendrier == 'A') return j <= JoursDuMoisCivil(m, 1 - a);
  return JourOk(j, m, a) && !JourDuTrou1582(j, m, a);
}

// Day or month part -> 2 characters; value through *valeur (0 when unknown).
bool PartieCourte(const Partie& p, char* sortie, int& valeur) noexcept {
  valeur = 0;
  if (p.genre == Genre::Vide || p.genre == Genre::Inconnu) {
    sortie[0] = sortie[1] = '.';
    return true;
  }
  if (p.genre == Genre::Illisible || p.texte.size() > 2) return false;
  valeur = p.valeur;
  EcritNombre(sortie, valeur, 2);
  return true;
}

int AnalyseNumerique(AnsiString& resultat, std::string_view t, char calendrier, bool strict) {
  std::array<std::string_view, 3> morceaux;
  int nb = 0;
  bool compact = t.size() >= 5 && t.size() <= 8;
  for (const char c : t) compact = compact && IsChiffre(c);
  if (compact) {
    morceaux = {t.substr(0, 2), t.substr(2, 2), t.substr(4)};
    nb = 3;
  } else if (const int e = Decoupe(t, morceaux, nb); e != 0) {
    return e;
  }
  Partie jour, mois, annee;
  if (nb == 3) {
    jour = Classe(morceaux[0]);
    mois = Classe(morceaux[1]);
    annee = Classe(morceaux[2]);
  } else if (nb == 2) {
    mois = Classe(morceaux[0]);
    annee = Classe(morceaux[1]);
  } else if (nb == 1) {
    annee = Classe(morceaux[0]);
  }
  char sortie[10] = {'.', '.', '/', '.', '.', '/', '.', '.', '.', '.'};
  if (const int e = AnneeNormalisee(annee, calendrier, sortie + 6); e != 0) return e;
  int m = 0, j = 0;
  const bool hebreu = calendrier == 'H';
  const bool moisRefuse = !PartieCourte(mois, sortie + 3, m) ||
                          (mois.genre == Genre::Nombre && (hebreu ? !MoisHebOk(m) : !MoisOk(m)));
  if (moisRefuse) {
    if (strict) {
      const std::size_t k = t.find_first_of(kSeparateurs);
      AnsiString encore;
      if (k != std::string_view::npos &&
          AnalyseNumerique(encore, AnsiString(t) + t[k], calendrier, false) == kAnalyseOk) {
        resultat = encore;
        return kAnalyseOk;
      }
    }
    return kErreurMois;
  }
  // A day outside 1..31 is refused even when the month or year is unknown: the result keeps
  // its fixed form.
  if (!PartieCourte(jour, sortie, j) || (jour.genre == Genre::Nombre && (j < 1 || j > 31)))
    return kErreurJour;
  const int a = annee.genre == Genre::Nombre ? LitNombre(std::string_view(sortie, 10), 6, 4) : 0;
  if (!JourPossible(j, m, a, calendrier)) return kErreurJour;
  resultat.assign(sortie, 10);
  return kAnalyseOk;
}

// ---- Republican dates typed in words or numbers --------------------------------------------

enum class Jeton { Nombre, Inconnu, Mois, Romain };

struct JetonR {
  Jeton genre;
  int valeur;
  std::size_t longueur;
};


int ValeurRomaine(std::string_view mot) noexcept {
  int total = 0, precedent = 0;
  for (auto it = mot.rbegin(); it != mot.rend(); ++it) {
    const int v = *it == 'i' ? 1 : *it == 'v' ? 5 : *it == 'x' ? 10 : 0;
    if (v == 0) return 0;
    total += v < precedent ? -v : v;
    precedent = v > precedent ? v : precedent;
  }
  return total > 0 && total < 40 ? total : 0;
}

// Reads a word: month, roman year, ignored word (-1), or unknown word (0).
int LitMot(std::string_view mot, JetonR& jeton) noexcept {
  static constexpr std::string_view kIgnores[] = {"an", "l", "le", "de", "du", "jour", "jours",
                                                  "er", "e", "eme", "ieme", "annee", "culottide",
                                                  "culottides", "mois"};
  for (const std::string_view i : kIgnores)
    if (mot == i) return -1;
  if (mot.size() >= 4) {
    for (int m = 1; m <= 12; ++m) {
      const std::string_view code = CodeMoisRepublicain(m);
      bool egal = true;
      for (int k = 0; k < 4; ++k) egal = egal && mot[k] == LettreSimple(code[k]);
      if (egal) {
        jeton = {Jeton::Mois, m, 4};
        return 1;
      }
    }
    if (mot.substr(0, 4) == "comp" || mot.substr(0, 4) == "sans") {
      jeton = {Jeton::Mois, 13, 4};
      return 1;
    }
  }
  if (const int r = ValeurRomaine(mot); r != 0) {
    jeton = {Jeton::Romain, r, 2};
    return 1;
  }
  return 0;
}

int AnalyseRepublicaine(AnsiString& resultat, std::string_view t) {
  JetonR jetons[8];
  int nb = 0;
  char mot[24];
  for (std::size_t i = 0; i < t.size();) {
    const unsigned char c = static_cast<unsigned char>(t[i]);
    JetonR j{};
    if (IsChiffre(static_cast<char>(c))) {
      std::size_t k = i;
      int v = 0;
      for (; k < t.size() && IsChiffre(t[k]); ++k) v = v > 9999 ? 99999 : v * 10 + (t[k] - '0');
      j = {Jeton::Nombre, v, k - i};
      i = k;
    } else if (c == '?' || (c == '.' && PointEstMarque(t, i))) {
      while (i < t.size() && EstMarque(t[i])) ++i;
      j = {Jeton::Inconnu, 0, 0};
    } else if (LettreSimple(c) != 0) {
      std::size_t n = 0;
      while (i < t.size() && LettreSimple(static_cast<unsigned char>(t[i])) != 0) {
        if (n < sizeof mot) mot[n] = LettreSimple(static_cast<unsigned char>(t[i]));
        ++n;
        ++i;
      }
      if (n > sizeof mot) return kErreurCaractere;
      const int lu = LitMot(std::string_view(mot, n), j);
      if (lu == 0) return kErreurCaractere;
      if (lu < 0) continue;
    } else if (IsSeparateurDate(static_cast<char>(c)) || c == '\'') {
      ++i;
      continue;
    } else {
      return kErreurCaractere;
    }
    if (nb == 8) return kErreurCaractere;
    jetons[nb++] = j;
  }
  // Day, month and year tokens.
  const JetonR* jour = nullptr;
  const JetonR* mois = nullptr;
  const JetonR* annee = nullptr;
  int posMois = -1;
  for (int k = 0; k < nb; ++k)
    if (jetons[k].genre == Jeton::Mois) {
      if (posMois >= 0) return kErreurMois;
      posMois = k;
    }
  if (posMois >= 0) {
    if (posMois > 1 || nb - posMois > 2) return kErreurCaractere;
    mois = &jetons[posMois];
    if (posMois == 1) jour = &jetons[0];
    if (posMois + 1 < nb) annee = &jetons[posMois + 1];
  } else {
    if (nb > 3) return kErreurCaractere;
    if (nb == 3) {
      jour = &jetons[0];
      mois = &jetons[1];
      annee = &jetons[2];
    } else if (nb == 2) {
      mois = &jetons[0];
      annee = &jetons[1];
    } else if (nb == 1) {
      annee = &jetons[0];
    }
  }
  if ((jour && jour->genre == Jeton::Romain) || (mois && mois->genre == Jeton::Romain) ||
      (jour && jour->genre == Jeton::Mois) || (annee && annee->genre == Jeton::Mois))
    return kErreurCaractere;
  int a = 0;
  if (annee && annee->genre != Jeton::Inconnu) {
    if (annee->genre == Jeton::Nombre && annee->longueur > 2) return kErreurAnneeLongue;
    a = annee->valeur;
    if (!AnneeRepublicaineOk(a)) return kErreurAnnee;
  }
  int m = 0;
  if (mois && mois->genre != Jeton::Inconnu) {
    m = mois->valeur;
    if (mois->genre == Jeton::Nombre && (mois->longueur > 2 || m < 1 || m > 13))
      return kErreurMois;
  }
  int d = 0;
  if (jour && jour->genre != Jeton::Inconnu) {
    d = jour->valeur;
    const int max = m == 13 ? (a == 0 || AnneeRepublicaineSextile(a) ? 6 : 5) : 30;
    if (jour->longueur > 2 || d < 1 || d > max) return kErreurJour;
  }
  char sortie[10];
  if (d) EcritNombre(sortie, d, 2); else sortie[0] = sortie[1] = '.';
  sortie[2] = '/';
  const std::string_view code = m ? CodeMoisRepublicain(m) : std::string_view("....");
  std::copy(code.begin(), code.end(), sortie + 3);
  sortie[7] = '/';
  if (a) EcritNombre(sortie + 8, a, 2); else sortie[8] = sortie[9] = '.';
  resultat.assign(sortie, 10);
  return kAnalyseOk;
}

}  // namespace

bool IsSeparateurDate(char c) noexcept { return kSeparateurs.find(c) != std::string_view::npos; }

int AnalyseDate(AnsiString& resultat, std::string_view texte, std::string_view calendrier,
                bool strict) {
  const char cal = calendrier.empty() ? 0 : calendrier[0];
  if (cal != 'G' && cal != 'A' && cal != 'H' && cal != 'R') return kAnalyseOk;
  while (!texte.empty() && texte.front() == ' ') texte.remove_prefix(1);
  while (!texte.empty() && texte.back() == ' ') texte.remove_suffix(1);
  if (cal == 'R') return AnalyseRepublicaine(resultat, texte);
  return AnalyseNumerique(resultat, texte, cal, strict);
}

bool DateFormatGregorien(std::string_view t) noexcept {
  return t.size() == 10 && t[2] == '/' && t[5] == '/';
}

bool DateFormatHebraique(std::string_view t) noexcept { return DateFormatGregorien(t); }

bool DateFormatRepublicain(std::string_view t) noexcept {
  return t.size() >= 9 && t[2] == '/' && t[7] == '/';
}

bool DateFormatFourchette(std::string_view t) noexcept {
  return (t.size() == 5 && t[2] == '/') || (t.size() == 9 && t[4] == '/');
}

bool AnneeVide(std::string_view t) noexcept { return t.empty() || t == "...."; }

bool FourchetteBienFormee(std::string_view t) noexcept {
  if (!DateFormatFourchette(t)) return false;
  const std::size_t n = t.size() == 9 ? 4 : 2;
  for (const std::string_view borne : {t.substr(0, n), t.substr(n + 1)}) {
    const bool chiffres = LitNombre(borne, 0, n) >= 0;
    if (!chiffres && borne.find_first_not_of('.') != std::string_view::npos) return false;
  }
  return true;
}

namespace {

bool AnneeDeFourchetteOk(int annee, char calendrier) noexcept {
  switch (calendrier) {
    case 'R': return AnneeRepublicaineOk(annee);
    case 'H': return AnneeHebOk(annee);
    default: return annee != 0 && AnneeOk(annee);
  }
}

}  // namespace

char FourchetteSaisie(std::string_view t, char calendrier) noexcept {
  if (!FourchetteBienFormee(t)) return 0;
  const bool courte = t.size() == 5;
  if (calendrier == 0) calendrier = courte ? 'R' : 'G';
  if (courte != (calendrier == 'R')) return 0;
  const std::size_t n = courte ? 2 : 4;
  const int bas = LitNombre(t, 0, n), haut = LitNombre(t, n + 1, n);  // -1 when open
  // A Republican range has both bounds; other ranges may leave one open.
  if ((bas < 0 && haut < 0) || (calendrier == 'R' && (bas < 0 || haut < 0))) return 0;
  if ((bas >= 0 && !AnneeDeFourchetteOk(bas, calendrier)) ||
      (haut >= 0 && !AnneeDeFourchetteOk(haut, calendrier)))
    return 0;
  if (bas >= 0 && haut >= 0 && bas > haut) return 0;
  return calendrier;
}

int AnalyseSaisie(AnsiString& resultat, char& calendrierResultat, std::string_view texte,
                  char calendrier) {
  while (!texte.empty() && texte.front() == ' ') texte.remove_prefix(1);
  while (!texte.empty() && texte.back() == ' ') texte.remove_suffix(1);
  if (const char c = FourchetteSaisie(texte, calendrier); c != 0) {
    resultat.assign(texte);
    calendrierResultat = c;
    return kAnalyseOk;
  }
  if (calendrier == 0) calendrier = DateFormatRepublicain(texte) ? 'R' : 'G';
  AnsiString r;
  const int code = AnalyseDate(r, texte, std::string_view(&calendrier, 1), true);
  if (code != kAnalyseOk) return code;
  resultat = r;
  calendrierResultat = calendrier;
  return kAnalyseOk;
}

char RetourneFormatDate(std::string_view t) noexcept {
  if (t.empty()) return ' ';
  if (DateFormatGregorien(t)) return 'G';
  if (DateFormatRepublicain(t)) return 'R';
  return '?';
}

int LitNombre(std::string_view t, std::size_t debut, std::size_t longueur) noexcept {
  if (longueur == 0 || debut > t.size() || t.size() - debut < longueur) return -1;
  int v = 0;
  for (std::size_t i = debut; i < debut + longueur; ++i) {
    if (!IsChiffre(t[i])) return -1;
    v = v * 10 + (t[i] - '0');
  }
  return v;
}

int RecupJour(std::string_view t) noexcept {
  const int j = LitNombre(t, 0, 2);
  return j < 0 ? 0 : j;
}

int RecupMois(std::string_view t) {
  if (DateFormatRepublicain(t) && t.size() >= 10 && !DateFormatGregorien(t)) {
    AnsiString nom;
    return RetourneMoisRepublicain(t.substr(3, 4), nom);
  }
  const int m = LitNombre(t, 3, 2);
  return m < 0 ? 0 : m;
}

int RecupAnnee(std::string_view t) noexcept {
  int a = -1;
  if (DateFormatGregorien(t)) {
    a = LitNombre(t, 6, 4);
  } else if (DateFormatRepublicain(t)) {
    a = LitNombre(t, 8, t.size() - 8);
  } else if (t.size() == 4) {
    a = LitNombre(t, 0, 4);
  }
  return a < 0 ? 0 : a;
}

void RecupJourMoisAnnee(std::string_view t, int* jour, int* mois, int* annee) {
  if (jour) *jour = RecupJour(t);
  if (mois) *mois = RecupMois(t);
  if (annee) *annee = RecupAnnee(t);
}

}  // namespace kyb
