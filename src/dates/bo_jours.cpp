// TDateKY: fields, parts, years and ranges.
#include "dates/bo_jours.h"

#include <algorithm>
#include <cstring>

#include "dates/analysedate.h"
#include "dates/calcjours.h"
#include "dates/calendrier_civil.h"
#include "dates/convjuif.h"
#include "dates/convrepublicain.h"
#include "dates/ordredate.h"

namespace kyb {
namespace {

void Copie(char* cible, std::size_t capacite, std::string_view source) noexcept {
  const std::size_t n = std::min(capacite, source.size());
  std::memcpy(cible, source.data(), n);
  cible[n] = 0;
  // An embedded NUL ends the text: clear what follows so the field compares cleanly.
  const std::size_t fin = std::strlen(cible);
  std::memset(cible + fin, 0, capacite + 1 - fin);
}

AnsiString Chiffres(int n, int largeur) {
  AnsiString s(static_cast<std::size_t>(largeur), '0');
  for (int i = largeur - 1; i >= 0 && n > 0; --i, n /= 10) s[i] = static_cast<char>('0' + n % 10);
  return s;
}

std::string_view SansBlancFinal(std::string_view t) noexcept {
  if (!t.empty() && t.back() == ' ') t.remove_suffix(1);
  return t;
}

// Qualifier without its padding blanks.
std::string_view ActeNet(const char* acte) noexcept {
  std::string_view a(acte);
  while (!a.empty() && a.front() == ' ') a.remove_prefix(1);
  while (!a.empty() && a.back() == ' ') a.remove_suffix(1);
  return a;
}

bool EstCirca(std::string_view a) noexcept { return EgalSansCasseAnsi(a, "CA"); }

// Republican year (1..19) to its Gregorian year, through 7 Floréal (about 26 April).
int AnneeRepubVersGreg(int annee) {
  if (!AnneeRepublicaineOk(annee)) return 0;
  const AnsiString g = ConvAnneeRepubGreg("07/FLOR/" + Chiffres(annee, 2));
  return RecupAnnee(std::string_view(g));
}

// A range's bounds as numbers (0 when open), converted when asked.
void LitBornes(std::string_view t, char calendrier, bool versGreg, int& bas, int& haut) {
  t = SansBlancFinal(t);
  bas = haut = 0;
  if (t.size() == 9 && t[4] == '/') {
    bas = std::max(0, LitNombre(t, 0, 4));
    haut = std::max(0, LitNombre(t, 5, 4));
  } else if (t.size() == 5 && t[2] == '/') {
    bas = std::max(0, LitNombre(t, 0, 2));
    haut = std::max(0, LitNombre(t, 3, 2));
  }
  if (!versGreg) return;
  for (int* b : {&bas, &haut}) {
    if (*b == 0) continue;
    if (calendrier == 'R') {
      *b = AnneeRepubVersGreg(*b);
    } else if (calendrier == 'H') {
      *b = RecupAnnee(std::string_view(ConvAnneeHebrGreg(Chiffres(*b, 4))));
    }
  }
}

}  // namespace

// ---- Construction ---------------------------------------------------------------------------

// The text of a value is always NUL-padded to its end, so it copies as a block.
TDateKY::TDateKY(const TDateKY& autre) noexcept {
  std::memcpy(acte_, autre.acte_, sizeof acte_);
  calendrier_ = autre.calendrier_ == '?' ? 'G' : autre.calendrier_;
  std::memcpy(date_, autre.date_, sizeof date_);
}

TDateKY::TDateKY(char calendrier, std::string_view texte) noexcept : calendrier_(calendrier) {
  SetDate(texte);
}

TDateKY::TDateKY(int annee, std::string_view prefixe) noexcept : calendrier_('G') {
  char texte[16];
  const std::size_t n = std::min<std::size_t>(prefixe.size(), 6);
  std::memcpy(texte, prefixe.data(), n);
  if (annee < 0 || annee > 9999) {
    std::memcpy(texte + n, "....", 4);
  } else {
    for (int i = 3; i >= 0; --i, annee /= 10) texte[n + i] = static_cast<char>('0' + annee % 10);
  }
  SetDate(std::string_view(texte, n + 4));
}

TDateKY::TDateKY(std::string_view texte) {
  if (texte.size() == 15 && texte[0] == '#') {
    Copie(acte_, 2, texte.substr(1, 2));
    calendrier_ = texte[3];
    // The export form pads a shorter text with blanks; no fixed form ends with one.
    std::string_view t = texte.substr(4, 10);
    while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
    SetDate(t);
    return;
  }
  // A valid range is kept as it stands, any other text is analysed (one rule for every reader).
  AnsiString resultat;
  char calendrier = 'G';
  const int code = AnalyseSaisie(resultat, calendrier, texte);
  calendrier_ = code == kAnalyseOk ? calendrier
                                   : (kyb::DateFormatRepublicain(texte) ? 'R' : 'G');
  if (code == kAnalyseOk && resultat.size() <= 10) SetDate(resultat);
}

bool TDateKY::operator<(const TDateKY& autre) const { return CompareOrdreTri(*this, autre) < 0; }

void TDateKY::SetDate(std::string_view texte) noexcept { Copie(date_, 10, texte); }

void TDateKY::SetActe(std::string_view qualificatif) noexcept { Copie(acte_, 2, qualificatif); }

// ---- Parts ----------------------------------------------------------------------------------

void TDateKY::SetJourMoisAnnee(int jour, int mois, int annee) noexcept {
  char t[10] = {'.', '.', '/', '.', '.', '/', '.', '.', '.', '.'};
  const auto ecrit = [&](int debut, int largeur, int v) {
    if (v <= 0 || v >= (largeur == 2 ? 100 : 10000)) return;
    for (int i = largeur - 1; i >= 0; --i, v /= 10) t[debut + i] = static_cast<char>('0' + v % 10);
  };
  ecrit(0, 2, jour);
  ecrit(3, 2, mois);
  ecrit(6, 4, annee);
  SetDate(std::string_view(t, 10));
  calendrier_ = 'G';
}

void TDateKY::ExtractJourMoisAnnee(int& jour, int& mois, int& annee, bool completer) const {
  jour = mois = annee = 0;
  if (DateFormatFourchette()) return;
  const AnsiString g = ConvVersGreg();
  if (kyb::DateFormatGregorien(g)) {
    jour = std::max(0, LitNombre(g, 0, 2));
    mois = std::max(0, LitNombre(g, 3, 2));
    annee = std::max(0, LitNombre(g, 6, 4));
  }
  if (completer) ModifMinMaxJourMoisAnnee(jour, mois, true);
}

void TDateKY::ModifMinMaxJourMoisAnnee(int& jour, int& mois, bool minimum) noexcept {
  if (jour == 0) jour = minimum ? 1 : 31;
  if (mois == 0) mois = minimum ? 1 : 12;
}

AnsiString TDateKY::RetAnneeMoisJour(std::string_view remplitAnnee, std::string_view remplitMois,
                                     std::string_view remplitJour) const {
  const std::string_view t = Texte();
  if (!kyb::DateFormatGregorien(t)) return {};
  AnsiString cle;
  cle.reserve(8);
  const auto ajoute = [&](std::string_view partie, std::string_view inconnu,
                          std::string_view remplit) {
    cle += (partie == inconnu && !remplit.empty()) ? remplit : partie;
  };
  ajoute(t.substr(6, 4), "....", remplitAnnee);
  ajoute(t.substr(3, 2), "..", remplitMois);
  ajoute(t.substr(0, 2), "..", remplitJour);
  return cle;
}

AnsiString TDateKY::ExportInString() const {
  if (acte_[0] == 0 && date_[0] == 0) return {};
  AnsiString s = "#";
  const std::string_view a(acte_);
  s.append(2 - a.size(), ' ');
  s += a;
  s += calendrier_ == 0 ? 'G' : calendrier_;
  s += Texte();
  // A text shorter than 10 characters (a range, a Republican range or short date, a qualifier
  // alone) is padded with blanks so that the form keeps its 15 characters and reads back.
  s.append(10 - Texte().size(), ' ');
  s += '#';
  return s;
}

TDateKY::TColonnes TDateKY::FormeStockee() const {
  return {AnsiString(acte_), AnsiString(1, calendrier_ == 0 ? 'G' : calendrier_),
          AnsiString(Texte())};
}

TDateKY TDateKY::DepuisFormeStockee(const TColonnes& colonnes) {
  std::string_view acte = colonnes.acte, date = colonnes.date;
  while (!acte.empty() && acte.back() == ' ') acte.remove_suffix(1);
  while (!date.empty() && date.back() == ' ') date.remove_suffix(1);
  TDateKY d(colonnes.calendrier.empty() || colonnes.calendrier[0] == ' ' ? 'G'
                                                                          : colonnes.calendrier[0],
            date);
  d.SetActe(acte);
  return d;
}

// ---- Tests ----------------------------------------------------------------------------------

bool TDateKY::DateFormatGregorien() const noexcept {
  return calendrier_ == 'G' || calendrier_ == 0 || calendrier_ == ' ' || calendrier_ == 'F';
}

bool TDateKY::DateFormatFourchette() const noexcept {
  return kyb::DateFormatFourchette(SansBlancFinal(Texte()));
}

bool TDateKY::DateFormatFourchetteAVC4chiffre() const noexcept {
  return Texte().size() == 9 && date_[4] == '/';
}

bool TDateKY::ActeVide() const noexcept { return ActeNet(acte_).empty(); }
bool TDateKY::IsActeInferieur() const noexcept { return ActeNet(acte_) == "<"; }
bool TDateKY::IsActeSuperieur() const noexcept { return ActeNet(acte_) == ">"; }

bool TDateKY::IsActeImprecis() const noexcept {
  const std::string_view a = ActeNet(acte_);
  return a == "~" || a == "?" || EstCirca(a);
}

bool TDateKY::NotActePrecisionDate() const noexcept {
  return !IsActeInferieur() && !IsActeSuperieur() && !IsActeImprecis();
}

bool TDateKY::DateVide() const noexcept {
  const std::string_view t = Texte();
  if (t.empty() || t == "../../...." || t == "../..../..") return true;
  std::string_view s = t;
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s == "..../....";
}

bool TDateKY::IsDatePrecise(int* jour, int* mois, int* annee, std::string_view texte,
                            bool utiliseTexte) const {
  if (DateFormatFourchette()) return false;
  const std::string_view t = utiliseTexte ? texte : Texte();
  int j = 0, m = 0, a = 0;
  RecupJourMoisAnnee(t, &j, &m, &a);
  if (jour) *jour = j;
  if (mois) *mois = m;
  if (annee) *annee = a;
  return j != 0 && m != 0 && a != 0;
}

bool TDateKY::DateExacte() const {
  if (IsActeImprecis() || IsActeInferieur() || IsActeSuperieur()) return false;
  return IsDatePrecise(nullptr, nullptr, nullptr);
}

bool TDateKY::DateIncomplete() const {
  int j = 0, m = 0, a = 0;
  if (DateFormatFourchette() || IsDatePrecise(&j, &m, &a)) return false;
  return a != 0;
}

bool TDateKY::DateNiPreciseNiFourchette() const {
  return !DateFormatFourchette() && !IsDatePrecise(nullptr, nullptr, nullptr);
}

bool TDateKY::AnneeDateVide(AnsiString* texteAnnee) const {
  int annee = 0;
  const AnsiString t = RecupAnneeChn(false, &annee);
  if (texteAnnee) *texteAnnee = t;
  return t.empty() || annee == 0;
}

bool TDateKY::CalculDatePossible() const noexcept {
  if (DateVide()) return false;
  const std::string_view t = Texte();
  bool forme = false;
  if (calendrier_ == 'R')
    forme = kyb::DateFormatRepublicain(t);
  else if (calendrier_ == 'H')
    forme = kyb::DateFormatHebraique(t);
  else
    forme = kyb::DateFormatGregorien(t);
  return forme || DateFormatFourchette() || calendrier_ == 'A';
}

// ---- Years ----------------------------------------------------------------------------------

AnsiString TDateKY::RecupAnneeChn(bool versGregorien, int* annee, int* anneeMin, int* anneeMax,
                                  bool estime) const {
  int a = 0;
  if (DateFormatFourchette()) {
    int bas = 0, haut = 0;
    LitBornes(Texte(), calendrier_, versGregorien, bas, haut);
    const bool deuxBornes = bas != 0 && haut != 0;
    a = deuxBornes ? (bas + haut) / 2 : 0;
    if (estime && bas == 0 && haut != 0) bas = std::max(1, haut - 100);  // no year 0
    if (estime && haut == 0 && bas != 0) haut = bas + 100;
    if (anneeMin) *anneeMin = bas;
    if (anneeMax) *anneeMax = haut;
    if (annee) *annee = a;
    return a != 0 ? Chiffres(a, 4) : AnsiString();
  }
  const std::string_view t = Texte().empty() ? std::string_view("../../....") : Texte();
  AnsiString texte;
  if (calendrier_ == 'R' && kyb::DateFormatRepublicain(t)) {
    const std::string_view y = t.substr(8);
    if (y.find('.') == std::string_view::npos) texte = versGregorien ? ConvAnneeRepubGreg(t) : y;
  } else if (kyb::DateFormatGregorien(t)) {
    const std::string_view y = t.substr(6, 4);
    if (y != "....") texte = versGregorien && calendrier_ == 'H' ? ConvAnneeHebrGreg(y) : y;
  }
  a = std::max(0, LitNombre(texte, 0, texte.size()));
  if (annee) *annee = a;
  if (anneeMin) *anneeMin = a;
  if (anneeMax) *anneeMax = a;
  return texte;
}

int TDateKY::RecupAnnee(bool versGregorien, int* anneeMin, int* anneeMax, bool estime) {
  AjusteDateFourchette();
  int a = 0;
  RecupAnneeChn(versGregorien, &a, anneeMin, anneeMax, estime);
  return a;
}

void TDateKY::RecupAnneeFourchette(bool versGregorien, AnsiString* texteMin,
                                   AnsiString* texteMax, int* moyenne, int* anneeMin,
                                   int* anneeMax) const {
  RecupAnneeFourchetteEstim(false, versGregorien, texteMin, texteMax, moyenne, anneeMin,
                            anneeMax);
}

void TDateKY::RecupAnneeFourchetteEstim(bool estime, bool versGregorien, AnsiString* texteMin,
                                        AnsiString* texteMax, int* moyenne, int* anneeMin,
                                        int* anneeMax) const {
  int bas = 0, haut = 0;
  if (DateFormatFourchette()) LitBornes(Texte(), calendrier_, versGregorien, bas, haut);
  const int m = bas && haut ? (bas + haut) / 2 : (bas ? bas : haut);
  if (estime && bas == 0 && haut != 0) bas = std::max(1, haut - 100);  // no year 0
  if (estime && haut == 0 && bas != 0) haut = bas + 100;
  const int largeur = calendrier_ == 'R' && !versGregorien ? 2 : 4;
  if (texteMin) *texteMin = bas ? Chiffres(bas, largeur) : AnsiString(largeur, '.');
  if (texteMax) *texteMax = haut ? Chiffres(haut, largeur) : AnsiString(largeur, '.');
  if (moyenne) *moyenne = m;
  if (anneeMin) *anneeMin = bas;
  if (anneeMax) *anneeMax = haut;
}

float TDateKY::RecupAnneeFloat(bool versGregorien, int* anneeMin, int* anneeMax,
                               bool* fourchette) {
  AjusteDateFourchette();
  if (fourchette) *fourchette = false;
  if (DateFormatFourchette()) {
    if (fourchette) *fourchette = true;
    int m = 0;
    RecupAnneeFourchetteEstim(true, versGregorien, nullptr, nullptr, &m, anneeMin, anneeMax);
    return static_cast<float>(m);
  }
  int a = 0;
  RecupAnneeChn(versGregorien, &a, anneeMin, anneeMax);
  if (a == 0) return 0.0f;
  TDateKY date(*this);
  if (versGregorien) date.ConvVersGregInterne();
  const int d = CalcNbJours(date, TDateKY(a, "01/01/"));
  if (d == kDateIncalculable) return static_cast<float>(a);
  const int l = DateGregorienOk(29, 2, a) ? 366 : 365;
  return static_cast<float>(a) + static_cast<float>(d) / static_cast<float>(l);
}

bool TDateKY::LimiteAnneeMin(int n) const {
  int a = 0;
  RecupAnneeChn(true, &a);
  return n < a;
}

// ---- Ranges ---------------------------------------------------------------------------------

void TDateKY::AjusteDateFourchette() {
  if (DateFormatFourchette()) return;
  const std::string_view a = ActeNet(acte_);
  const bool borne = a == "<" || a == ">";
  if (!borne && a != "~" && !EstCirca(a)) return;
  const AnsiString annee = RecupAnneeChn(false);
  if (annee.empty()) return;
  SetDate(annee + "/" + annee);
  if (!borne) acte_[0] = acte_[1] = 0;
}

TDateKY TDateKY::GetDateLimiteFourchette(bool superieure) const {
  TDateKY r(*this);
  if (!DateFormatFourchette()) {
    const AnsiString annee = RecupAnneeChn(true);
    if (annee.empty() || (!IsActeInferieur() && !IsActeSuperieur())) return r;
    r.SetDate(IsActeInferieur() ? "..../" + annee : annee + "/....");
    r.calendrier_ = 'G';
  }
  int bas = 0, haut = 0;
  LitBornes(r.Texte(), r.calendrier_, true, bas, haut);
  TDateKY limite;
  limite.calendrier_ = 'G';
  const int annee = superieure ? haut : bas;
  limite.SetDate(annee ? AnsiString(superieure ? "31/12/" : "01/01/") + Chiffres(annee, 4)
                       : AnsiString("../../...."));
  return limite;
}

bool TDateKY::CalculDateMoyenneFourchette(bool versGregorien) {
  if (!DateFormatFourchette()) return false;
  int m = 0;
  RecupAnneeFourchette(versGregorien, nullptr, nullptr, &m, nullptr, nullptr);
  if (m == 0) return false;
  if (calendrier_ == 'R' && !versGregorien) {
    SetDate("01/PLUV/" + Chiffres(m, 2));
  } else {
    SetDate("01/01/" + Chiffres(m, 4));
    if (versGregorien && calendrier_ != 'A') calendrier_ = 'G';
  }
  return true;
}

void TDateKY::TransformeFourchetteDate() {
  if (!DateFormatFourchette()) return;
  int bas = 0, haut = 0;
  LitBornes(Texte(), calendrier_, false, bas, haut);
  int a = 0;
  if (bas && haut)
    a = (bas + haut) / 2;
  else if (bas)
    a = bas + 1;
  else if (haut)
    a = haut - 1;
  SetDate(a > 0 ? "00/00/" + Chiffres(a, 4) : AnsiString("../../...."));
}

bool TDateKY::DateDansFourchette(std::string_view texteMin, std::string_view texteMax) const {
  int a = 0;
  RecupAnneeChn(true, &a);
  long long mn = 0, mx = 0;
  if (!TexteVersEntier(texteMin, mn)) mn = 0;
  if (!TexteVersEntier(texteMax, mx)) mx = 0;
  return !((mn != 0 && mn > a) || (mx != 0 && mx < a));
}

int TDateKY::DateIn(const TDateKY& d1, const TDateKY& d2) const {
  const int n = CalcNbJoursAbs(true, "01/01/0001");
  if (n == kDateIncalculable) return 1;
  const int n1 = d1.CalcNbJoursAbs(true, "01/01/0001");
  const int n2 = d2.CalcNbJoursAbs(true, "01/01/0001");
  if (n1 == kDateIncalculable || n2 == kDateIncalculable) return -1;
  if (n1 <= n && n <= n2) return 0;
  return n1 > n ? -1 : 1;
}

namespace {

// Widens [mn, mx] (0 meaning not set yet) to contain v.
template <typename T>
void Elargit(T& mn, T& mx, int v) {
  if (v == 0) return;
  if (mn == 0 || v < mn) mn = static_cast<T>(v);
  if (mx == 0 || v > mx) mx = static_cast<T>(v);
}

}  // namespace

// Widens [minimum, maximum] by the date's year, or by both bounds of a range.
template <typename T>
void AjusteFourchetteDe(const TDateKY& date, T& minimum, T& maximum, bool bornes) {
  if (bornes && date.DateFormatFourchette()) {
    int bas = 0, haut = 0;
    LitBornes(date.Texte(), date.GetCalendrier(), true, bas, haut);
    Elargit(minimum, maximum, bas);
    Elargit(minimum, maximum, haut);
    return;
  }
  int a = 0;
  date.RecupAnneeChn(true, &a);
  Elargit(minimum, maximum, a);
}

void TDateKY::AjusteFourchette(short& minimum, short& maximum, bool bornes) const {
  AjusteFourchetteDe(*this, minimum, maximum, bornes);
}

void TDateKY::AjusteFourchette(float& minimum, float& maximum, bool bornes) const {
  AjusteFourchetteDe(*this, minimum, maximum, bornes);
}

bool TDateKY::Decalage(int n) {
  const int annees = n / 365, r = n % 365;
  const int mois = static_cast<int>(r / 30.437 + 0.1);
  const int jours = static_cast<int>(r - mois * 30.437);
  int j = 0, m = 0, a = 0;
  ExtractJourMoisAnnee(j, m, a, true);
  if (a == 0) return false;
  // Before Christ the years are counted astronomically (1 BC is 0) while moving.
  if (DateFormatAvantJC()) a = 1 - a;
  j += jours;
  m += mois;
  // Overflow of the day moves the month, of the month the year.
  while (j > 31) j -= 31, ++m;
  while (j < 1) j += 31, --m;
  while (m > 12) m -= 12, ++a;
  while (m < 1) m += 12, --a;
  a += annees;
  // The result is a day that exists: the last of a shorter month, around the 1582 gap.
  j = std::min(j, JoursDuMoisCivil(m, a));
  if (JourDuTrou1582(j, m, a)) j = n >= 0 ? 20 : 9;
  const bool avantJC = a <= 0;
  if (avantJC) a = 1 - a;
  if (!AnneeOk(a)) return false;
  if (n > 30) j = 0;
  if (n > 365) m = 0;
  SetJourMoisAnnee(j, m, a);
  if (avantJC) calendrier_ = 'A';
  return true;
}

// ---- Conversion -----------------------------------------------------------------------------

AnsiString TDateKY::ConvVersGreg() const {
  if (calendrier_ == 'R') return ConvRepublicainGregorien(Texte());
  if (calendrier_ == 'H') return ConvHebraiqueGregorien(Texte());
  return AnsiString(Texte());
}

void TDateKY::ConvVersGregInterne() {
  if (calendrier_ == 'R' || calendrier_ == 'H') SetDate(ConvVersGreg());
  if (calendrier_ != 'A') calendrier_ = 'G';
}

int TDateKY::CalcNbJoursAbs(bool milieu, std::string_view texteReference) const {
  TDateKY reference;
  reference.SetDate(texteReference);
  return CalcJours(reference, *this, nullptr, milieu, nullptr);
}

}  // namespace kyb
