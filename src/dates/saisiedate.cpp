// French typed dates (forms in saisiedate.h).
#include "dates/saisiedate.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "dates/analysedate.h"

namespace kyb {
namespace {

struct Mot {
  std::size_t debut = 0, fin = 0;  // position in the text
  AnsiString plie;                 // folded letters
};

std::vector<Mot> Mots(std::string_view t) {
  std::vector<Mot> mots;
  for (std::size_t i = 0; i < t.size();) {
    if (LettreSimple(static_cast<unsigned char>(t[i])) == 0) {
      ++i;
      continue;
    }
    Mot m{i, i, {}};
    for (; i < t.size() && LettreSimple(static_cast<unsigned char>(t[i])) != 0; ++i)
      m.plie += LettreSimple(static_cast<unsigned char>(t[i]));
    m.fin = i;
    mots.push_back(std::move(m));
  }
  return mots;
}

std::string_view Rognee(std::string_view t) noexcept {
  while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
  while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
  return t;
}

bool Parmi(std::string_view mot, std::initializer_list<std::string_view> liste) noexcept {
  for (const std::string_view m : liste)
    if (mot == m) return true;
  return false;
}

// Only blanks, dots and hyphens in t (what may stand between the words of one expression).
bool Liaison(std::string_view t) noexcept {
  return t.find_first_not_of(" .-'") == std::string_view::npos;
}

// ---- Words of the calendars -----------------------------------------------------------------

int MoisGregorien(std::string_view m) noexcept {
  static constexpr std::string_view kNoms[12][3] = {
      {"janvier", "janv", "jan"}, {"fevrier", "fevr", "fev"}, {"mars", "mars", "mars"},
      {"avril", "avr", "avr"},    {"mai", "mai", "mai"},       {"juin", "juin", "juin"},
      {"juillet", "juil", "juil"}, {"aout", "aout", "aout"},   {"septembre", "sept", "sep"},
      {"octobre", "oct", "oct"},  {"novembre", "nov", "nov"}, {"decembre", "dec", "dec"}};
  for (int i = 0; i < 12; ++i)
    for (const std::string_view n : kNoms[i])
      if (m == n) return i + 1;
  return 0;
}

int MoisHebreu(std::string_view m) noexcept {
  static constexpr std::pair<std::string_view, int> kNoms[] = {
      {"tichri", 1},  {"tishri", 1},  {"hechvan", 2}, {"heshvan", 2}, {"marhechvan", 2},
      {"kislev", 3},  {"tevet", 4},   {"chevat", 5},  {"shevat", 5},  {"adar", 6},
      {"nissan", 8},  {"nisan", 8},   {"iyar", 9},    {"sivan", 10},  {"tamouz", 11},
      {"tammouz", 11}, {"av", 12},    {"eloul", 13},  {"elloul", 13}};
  for (const auto& [nom, n] : kNoms)
    if (m == nom) return n;
  return 0;
}

// A word the Republican analysis reads as a month: its first four letters are a month code.
bool MoisRepublicain(std::string_view m) noexcept {
  static constexpr std::string_view kCodes[] = {"vend", "brum", "frim", "nivo", "pluv",
                                                "vent", "germ", "flor", "prai", "mess",
                                                "ther", "fruc", "comp", "sans"};
  if (m.size() < 4) return false;
  for (const std::string_view c : kCodes)
    if (m.substr(0, 4) == c) return true;
  return false;
}

bool Romain(std::string_view m) noexcept {
  return !m.empty() && m.find_first_not_of("ivx") == std::string_view::npos;
}

// Words a Republican date may hold besides months and Roman years.
bool MotRepublicainAdmis(std::string_view m) noexcept {
  return MoisRepublicain(m) || Romain(m) ||
         Parmi(m, {"an", "l", "le", "de", "du", "jour", "jours", "er", "e", "eme", "ieme",
                   "annee", "mois", "culottide", "culottides"});
}

// ---- Reading --------------------------------------------------------------------------------

struct Point {
  int code = kAnalyseOk;
  AnsiString texte;
  char calendrier = 'G';
  AnsiString mot;
};

Point Refus(int code, std::string_view mot = {}) { return Point{code, {}, 'G', AnsiString(mot)}; }

// Gregorian, Hebrew or before-Christ words: month names become their numbers.
Point LitPointNumerique(std::string_view t, char calendrier) {
  AnsiString texte;
  std::size_t suite = 0;
  const std::vector<Mot> mots = Mots(t);
  for (std::size_t k = 0; k < mots.size(); ++k) {
    const Mot& m = mots[k];
    texte.append(t.substr(suite, m.debut - suite));
    suite = m.fin;
    int mois = calendrier == 'H' ? MoisHebreu(m.plie) : MoisGregorien(m.plie);
    if (calendrier == 'H' && mois == 6 && k + 1 < mots.size() &&
        (mots[k + 1].plie == "i" || mots[k + 1].plie == "ii") &&
        Liaison(t.substr(m.fin, mots[k + 1].debut - m.fin))) {
      mois = mots[k + 1].plie == "ii" ? 7 : 6;
      suite = mots[++k].fin;
    }
    if (mois) {
      if (suite < t.size() && t[suite] == '.') ++suite;  // "juil." : the dot ends the word
      texte += ' ';
      texte += static_cast<char>('0' + mois / 10);
      texte += static_cast<char>('0' + mois % 10);
      texte += ' ';
      continue;
    }
    const bool apresChiffre = m.debut > 0 && IsChiffre(t[m.debut - 1]);
    if ((m.plie == "er" && apresChiffre) || Parmi(m.plie, {"l", "an"})) {  // 1er, l'an
      if (suite < t.size() && t[suite] == '\'') ++suite;
      continue;
    }
    return Refus(kErreurMot, t.substr(m.debut, m.fin - m.debut));
  }
  texte.append(t.substr(suite));
  Point p;
  p.code = AnalyseSaisie(p.texte, p.calendrier, texte, calendrier);
  return p;
}

Point LitPoint(std::string_view t, char calendrier) {
  const std::vector<Mot> mots = Mots(t);
  bool republicain = calendrier == 'R', moisRep = false;
  if (calendrier == 0 || calendrier == 'R') {
    for (const Mot& m : mots) {
      moisRep = moisRep || MoisRepublicain(m.plie);
      republicain = republicain || MoisRepublicain(m.plie) || m.plie == "an";
    }
  }
  // "l'an 1750" is a Gregorian year said in words.
  if (republicain && calendrier == 0 && !moisRep) {
    std::size_t courante = 0, plusLongue = 0;
    for (const char c : t) {
      courante = IsChiffre(c) ? courante + 1 : 0;
      plusLongue = std::max(plusLongue, courante);
    }
    republicain = plusLongue < 3;
  }
  if (!republicain) return LitPointNumerique(t, calendrier);
  for (const Mot& m : mots)
    if (!MotRepublicainAdmis(m.plie)) return Refus(kErreurMot, t.substr(m.debut, m.fin - m.debut));
  Point p;
  p.code = AnalyseSaisie(p.texte, p.calendrier, t, 'R');
  return p;
}

// Year of a bound typed alone ("1750", "l'an 2"); 0 when the bound is no year alone.
int AnneeSeule(const Point& p) {
  const std::string_view t = p.texte;
  if (p.calendrier == 'R')
    return t.size() == 10 && t.substr(0, 8) == "../..../" ? LitNombre(t, 8, 2) : 0;
  return t.size() == 10 && t.substr(0, 6) == "../../" ? std::max(0, LitNombre(t, 6, 4)) : 0;
}

AnsiString Chiffres(int n, int largeur) {
  AnsiString s(static_cast<std::size_t>(largeur), '0');
  for (int i = largeur - 1; i >= 0 && n > 0; --i, n /= 10) s[i] = static_cast<char>('0' + n % 10);
  return s;
}

// "entre X et Y", "de X à Y", "X-Y": both bounds years of one calendar, in order.
Point LitFourchette(std::string_view x, std::string_view y, char calendrier) {
  const Point px = LitPoint(Rognee(x), calendrier), py = LitPoint(Rognee(y), calendrier);
  if (px.code != kAnalyseOk) return px;
  if (py.code != kAnalyseOk) return py;
  int bas = AnneeSeule(px), haut = AnneeSeule(py);
  if (bas == 0 || haut == 0 || px.calendrier != py.calendrier) return Refus(kErreurAnnee);
  // Before Christ the earlier year has the larger number: either order is read.
  if (px.calendrier == 'A' && bas > haut) std::swap(bas, haut);
  const int largeur = px.calendrier == 'R' ? 2 : 4;
  Point p{kAnalyseOk, Chiffres(bas, largeur) + "/" + Chiffres(haut, largeur), px.calendrier, {}};
  if (FourchetteSaisie(p.texte, p.calendrier) == 0) return Refus(kErreurAnnee);
  return p;
}

// Two runs of 3 or 4 digits joined by one '-' or '/' ("1750-1760").
bool FourchetteChiffree(std::string_view t, std::string_view& x, std::string_view& y) noexcept {
  const std::size_t k = t.find_first_of("-/");
  if (k == std::string_view::npos || t.find_first_of("-/", k + 1) != std::string_view::npos)
    return false;
  x = Rognee(t.substr(0, k));
  y = Rognee(t.substr(k + 1));
  const auto annee = [](std::string_view a) {
    return a.size() >= 3 && a.size() <= 4 && a.find_first_not_of("0123456789") == a.npos;
  };
  return annee(x) && annee(y);
}

// Leading qualifier: a sign or a word. Returns the qualifier and removes it from t.
AnsiString Qualificatif(std::string_view& t) {
  if (!t.empty() && (t[0] == '~' || t[0] == '<' || t[0] == '>')) {
    const AnsiString q(1, t[0]);
    t.remove_prefix(1);
    return q;
  }
  const std::vector<Mot> mots = Mots(t);
  if (mots.empty() || mots[0].debut != 0) return {};
  const std::string_view m = mots[0].plie;
  std::size_t fin = mots[0].fin;
  AnsiString q;
  if (Parmi(m, {"vers", "environ", "env"}))
    q = "~";
  else if (Parmi(m, {"ca", "circa"}))
    q = "CA";
  else if (Parmi(m, {"avant", "av"}))
    q = "<";
  else if (Parmi(m, {"apres", "ap"}))
    q = ">";
  else if (m == "peut" && mots.size() > 1 && mots[1].plie == "etre" &&
           Liaison(t.substr(mots[0].fin, mots[1].debut - mots[0].fin))) {
    q = "?";
    fin = mots[1].fin;
  }
  if (!q.empty()) t.remove_prefix(fin);
  if (!q.empty() && !t.empty() && t.front() == '.') t.remove_prefix(1);  // "env. 1750"
  return q;
}

// Removes a trailing "av. J.-C." (or "avant J.-C.", "av. JC", "avant Jésus-Christ"); true when
// found.
bool AvantJesusChrist(std::string_view& t) {
  const std::vector<Mot> mots = Mots(t);
  const std::size_t n = mots.size();
  const auto fin = [&](std::size_t premier, std::initializer_list<std::string_view> suite) {
    if (n < premier + suite.size() + 1 || premier + suite.size() + 1 != n) return false;
    std::size_t k = premier + 1;
    for (const std::string_view s : suite) {
      if (mots[k].plie != s || !Liaison(t.substr(mots[k - 1].fin, mots[k].debut - mots[k - 1].fin)))
        return false;
      ++k;
    }
    return Liaison(t.substr(mots[n - 1].fin));
  };
  for (std::size_t premier = n >= 3 ? n - 3 : 0; premier < n; ++premier) {
    if (!Parmi(mots[premier].plie, {"av", "avant"})) continue;
    if (fin(premier, {"j", "c"}) || fin(premier, {"jc"}) || fin(premier, {"jesus", "christ"})) {
      t = Rognee(t.substr(0, mots[premier].debut));
      return true;
    }
  }
  return false;
}

// kErreurSigne for a '-' that signs a number (at the start, after '/' or a blank), kErreurAnneeZero for a
// numeric date whose last number, its year, is 0 in one, three or four digits; else kAnalyseOk.
int AnneeImpossible(std::string_view t) {
  for (std::size_t i = 0; i + 1 < t.size(); ++i)
    if (t[i] == '-' && IsChiffre(t[i + 1]) && (i == 0 || t[i - 1] == '/' || t[i - 1] == ' ')) return kErreurSigne;
  if (!Mots(t).empty()) return kAnalyseOk;
  std::size_t fin = t.size();
  while (fin > 0 && !IsChiffre(t[fin - 1])) --fin;
  std::size_t debut = fin;
  while (debut > 0 && IsChiffre(t[debut - 1])) --debut;
  const std::string_view annee = t.substr(debut, fin - debut);
  const bool zero = !annee.empty() && annee.find_first_not_of('0') == std::string_view::npos;
  return zero && annee.size() != 2 ? kErreurAnneeZero : kAnalyseOk;
}

Point LitDate(std::string_view t, char& calendrier) {
  if (const int code = AnneeImpossible(t); code != kAnalyseOk) return Refus(code);
  if (calendrier != 'H' && calendrier != 'R' && AvantJesusChrist(t)) calendrier = 'A';
  const std::vector<Mot> mots = Mots(t);
  if (!mots.empty() && mots[0].debut == 0 && Parmi(mots[0].plie, {"entre", "de"})) {
    const std::string_view lien = mots[0].plie == "entre" ? "et" : "a";
    for (std::size_t k = 1; k < mots.size(); ++k)
      if (mots[k].plie == lien)
        return LitFourchette(t.substr(mots[0].fin, mots[k].debut - mots[0].fin),
                             t.substr(mots[k].fin), calendrier);
  }
  std::string_view x, y;
  if (mots.empty() && FourchetteChiffree(t, x, y)) return LitFourchette(x, y, calendrier);
  return LitPoint(t, calendrier);
}

}  // namespace

TLectureDate LitDateFrancaise(std::string_view texte, char calendrier) {
  TLectureDate r;
  std::string_view t = Rognee(texte);
  const AnsiString acte = Qualificatif(t);
  t = Rognee(t);
  // "le 14 juillet", "en 1750", "vers l'an XII": the article says nothing more.
  if (const std::vector<Mot> mots = Mots(t);
      !mots.empty() && mots[0].debut == 0 && Parmi(mots[0].plie, {"le", "en"}))
    t = Rognee(t.substr(mots[0].fin));
  if (!acte.empty() && t.empty()) {
    r.code = kErreurAnnee;
    return r;
  }
  const Point p = LitDate(t, calendrier);
  r.code = p.code;
  r.mot = p.mot;
  if (p.code != kAnalyseOk) return r;
  r.date = TDateKY(p.calendrier, p.texte);
  r.date.SetActe(acte);
  return r;
}

TLectureDate LitDateFrancaiseUtf8(std::string_view texte, char calendrier) {
  const UnicodeString u = Utf8VersUnicode(texte);
  for (const char16_t c : u) {
    // U+FFFD marks bytes that were not UTF-8; '?' a character Windows-1252 cannot hold.
    if (c == u'\uFFFD' || (c != u'?' && CarUnicodeVersAnsi(c) == '?')) {
      TLectureDate r;
      r.code = kErreurTexte;
      return r;
    }
  }
  return LitDateFrancaise(UnicodeVersAnsi(u), calendrier);
}

AnsiString MotifRefusDate(const TLectureDate& lecture) {
  switch (lecture.code) {
    case kAnalyseOk: return {};
    case kErreurMot: return A("mot inconnu « ") + lecture.mot + A(" »");
    case kErreurTexte: return A("octets qui ne forment pas du texte");
    case kErreurSigne: return A("année précédée d'un signe moins : écrivez « 500 av. J.-C. »");
    case kErreurAnneeZero: return A("l'année 0 n'existe pas (1 av. J.-C. précède l'an 1)");
    case kErreurCaractere: return A("caractère non reconnu");
    case kErreurAnneeLongue: return A("année de plus de 4 chiffres");
    case kErreurAnnee: return A("année incorrecte ou manquante");
    case kErreurMois: return A("mois incorrect");
    case kErreurJour: return A("jour qui n'existe pas");
    default: return A("date incorrecte");
  }
}

}  // namespace kyb
