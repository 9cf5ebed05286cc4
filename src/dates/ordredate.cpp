// Days a date stands for, and the total order (rules in ordredate.h).
#include "dates/ordredate.h"

#include <algorithm>
#include <cstring>

#include "dates/analysedate.h"
#include "dates/calendrier_civil.h"
#include "dates/convjuif.h"
#include "dates/convrepublicain.h"

namespace kyb {
namespace {


TEtendueJours Etendue(std::int64_t premier, std::int64_t dernier) noexcept {
  return {true, premier, dernier};
}

std::string_view SansBlancFinal(std::string_view t) noexcept {
  while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
  return t;
}

// Two characters of a day or month: 0 when unknown ("..", "00"), -1 when unreadable.
int Partie(std::string_view t, std::size_t debut) noexcept {
  if (t.substr(debut, 2) == "..") return 0;
  return LitNombre(t, debut, 2);
}

AnsiString Deux(int n) {
  return AnsiString{static_cast<char>('0' + n / 10 % 10), static_cast<char>('0' + n % 10)};
}

// ---- Civil calendar (Gregorian and before Christ, years astronomical) -----------------------

TEtendueJours AnneeCivile(int annee) noexcept {
  return Etendue(CivilVersJdn(1, 1, annee), CivilVersJdn(31, 12, annee));
}

TEtendueJours PointCivil(int jour, int mois, int annee) noexcept {
  if (mois == 0)
    return jour == 0 ? AnneeCivile(annee)
                     : Etendue(CivilVersJdn(jour, 1, annee), CivilVersJdn(jour, 12, annee));
  const int longueur = JoursDuMoisCivil(mois, annee);
  if (jour == 0) return Etendue(CivilVersJdn(1, mois, annee), CivilVersJdn(longueur, mois, annee));
  const std::int64_t j = CivilVersJdn(std::min(jour, longueur), mois, annee);
  return Etendue(j, j);
}

// ---- Republican calendar --------------------------------------------------------------------

int JoursComplementaires(int annee) noexcept { return AnneeRepublicaineSextile(annee) ? 6 : 5; }

std::int64_t JdnRepublicain(int jour, int mois, int annee) {
  const int n = CalculNbJours(Deux(jour) + "/" + AnsiString(CodeMoisRepublicain(mois)) + "/" +
                              Deux(annee));
  static const std::int64_t kVendemiaireAn1 = CivilVersJdn(22, 9, 1792);
  return kVendemiaireAn1 + n;
}

TEtendueJours AnneeRepublicaine(int annee) {
  return Etendue(JdnRepublicain(1, 1, annee),
                 JdnRepublicain(JoursComplementaires(annee), 13, annee));
}

TEtendueJours PointRepublicain(std::string_view t) {
  if (!DateFormatRepublicain(t) || t.size() != 10) return {};
  const int annee = LitNombre(t, 8, 2);
  if (!AnneeRepublicaineOk(annee)) return {};
  const int mois = t.substr(3, 4) == "...." ? 0 : NumeroMoisRepublicain(t.substr(3, 4));
  const int jour = Partie(t, 0);
  if (mois == 0 || jour < 0) return AnneeRepublicaine(annee);
  const int longueur = mois == 13 ? JoursComplementaires(annee) : 30;
  if (jour == 0) return Etendue(JdnRepublicain(1, mois, annee), JdnRepublicain(longueur, mois, annee));
  const std::int64_t j = JdnRepublicain(std::min(jour, longueur), mois, annee);
  return Etendue(j, j);
}

// ---- Hebrew calendar ------------------------------------------------------------------------

TEtendueJours AnneeHebraique(int annee) noexcept {
  return Etendue(ConvJuif::JdnRochHachana(annee), ConvJuif::JdnRochHachana(annee + 1) - 1);
}

TEtendueJours PointHebreu(std::string_view t) {
  if (!DateFormatHebraique(t)) return {};
  const int annee = LitNombre(t, 6, 4);
  if (!AnneeHebOk(annee)) return {};
  const int mois = Partie(t, 3), jour = Partie(t, 0);
  if (mois <= 0 || mois > 13 || jour < 0) return AnneeHebraique(annee);
  int longueur = 0;
  const std::int64_t debut = ConvJuif::JdnJourHebreu(1, mois, annee, &longueur);
  if (longueur == 0) return {};  // Adar II of a 12-month year
  if (jour == 0) return Etendue(debut, debut + longueur - 1);
  const std::int64_t j = debut + std::min(jour, longueur) - 1;
  return Etendue(j, j);
}

// ---- Texts ----------------------------------------------------------------------------------

// A range of years YYYY/YYYY or YY/YY (bounds 0 when open).
TEtendueJours Fourchette(std::string_view t, char calendrier) {
  const bool courte = t.size() == 5;
  const std::size_t n = courte ? 2 : 4;
  const int bas = std::max(0, LitNombre(t, 0, n)), haut = std::max(0, LitNombre(t, n + 1, n));
  if (bas == 0 && haut == 0) return {};
  // Republican and Hebrew ranges with an open bound have no Gregorian form (the converters
  // refuse them): no known day, as CompareDate sees them.
  if ((calendrier == 'R' || calendrier == 'H') && (bas == 0 || haut == 0)) return {};
  TEtendueJours e{true, kJourSansLimiteAvant, kJourSansLimiteApres};
  switch (calendrier) {
    case 'R':
      if ((bas && !AnneeRepublicaineOk(bas)) || (haut && !AnneeRepublicaineOk(haut))) return {};
      if (bas) e.premier = AnneeRepublicaine(bas).premier;
      if (haut) e.dernier = AnneeRepublicaine(haut).dernier;
      return e;
    case 'H':
      if ((bas && !AnneeHebOk(bas)) || (haut && !AnneeHebOk(haut))) return {};
      if (bas) e.premier = AnneeHebraique(bas).premier;
      if (haut) e.dernier = AnneeHebraique(haut).dernier;
      return e;
    case 'A':
      // The larger number is the earlier year; the numbers stop at 1 BC.
      e.dernier = AnneeCivile(bas ? 1 - bas : 0).dernier;
      if (haut) e.premier = AnneeCivile(1 - haut).premier;
      return e;
    default:
      if (bas) e.premier = AnneeCivile(bas).premier;
      if (haut) e.dernier = AnneeCivile(haut).dernier;
      return e;
  }
}

TEtendueJours PointGregorien(std::string_view t, bool avantJC) {
  if (!DateFormatGregorien(t)) return {};
  const int annee = LitNombre(t, 6, 4);
  const int mois = Partie(t, 3), jour = Partie(t, 0);
  if (annee <= 0 || mois < 0 || mois > 12 || jour < 0 || jour > 31) return {};
  return PointCivil(jour, mois, avantJC ? 1 - annee : annee);
}

TEtendueJours EtendueTexte(const TDateKY& d) {
  const std::string_view t = SansBlancFinal(d.Texte());
  if (d.DateVide() || t.empty()) return {};
  if (DateFormatFourchette(t)) return Fourchette(t, d.GetCalendrier());
  if (d.DateFormatRepublicain()) return PointRepublicain(t);
  if (d.DateFormatHebraique()) return PointHebreu(t);
  return PointGregorien(t, d.DateFormatAvantJC());
}

// The whole year of a point date as comparisons read it: the Gregorian year of its converted day
// (a Republican or Hebrew date is compared through its Gregorian form).
TEtendueJours EtendueAnnee(const TDateKY& d) {
  const AnsiString g = d.ConvVersGreg();
  const int a = DateFormatGregorien(g) ? LitNombre(g, 6, 4) : -1;
  if (a <= 0) return {};
  return AnneeCivile(d.DateFormatAvantJC() ? 1 - a : a);
}

int Signe(std::int64_t a, std::int64_t b) noexcept { return a < b ? -1 : (a > b ? 1 : 0); }

int CompareOctets(const char* a, const char* b, std::size_t n) noexcept {
  const int c = std::memcmp(a, b, n);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

}  // namespace

TEtendueJours EtendueJours(const TDateKY& date, bool qualificatif) {
  const TEtendueJours e = EtendueTexte(date);
  if (!e.connue || !qualificatif || date.DateFormatFourchette() || date.ActeVide()) return e;
  if (date.IsActeInferieur() || date.IsActeSuperieur() ||
      (date.IsActeImprecis() && date.GetActe().find('?') == AnsiString::npos)) {
    TEtendueJours annee = EtendueAnnee(date);
    if (!annee.connue) return e;
    if (date.IsActeInferieur()) annee.premier = kJourSansLimiteAvant;
    if (date.IsActeSuperieur()) annee.dernier = kJourSansLimiteApres;
    return annee;
  }
  return e;
}

bool Chevauchent(const TEtendueJours& a, const TEtendueJours& b) noexcept {
  return a.connue && b.connue && a.premier <= b.dernier && b.premier <= a.dernier;
}

int CompareOrdreTri(const TDateKY& a, const TDateKY& b) {
  const TEtendueJours ea = EtendueJours(a), eb = EtendueJours(b);
  if (ea.connue != eb.connue) return ea.connue ? 1 : -1;
  if (ea.connue) {
    if (const int c = Signe(ea.premier, eb.premier); c != 0) return c;
    if (const int c = Signe(ea.dernier, eb.dernier); c != 0) return c;
  }
  const AnsiString ta = a.GetDate(), tb = b.GetDate();
  if (const int c = ta.compare(tb); c != 0) return c < 0 ? -1 : 1;
  const char ca = a.GetCalendrier(), cb = b.GetCalendrier();
  if (ca != cb) return static_cast<unsigned char>(ca) < static_cast<unsigned char>(cb) ? -1 : 1;
  char qa[3] = {}, qb[3] = {};
  const AnsiString sa = a.GetActe(), sb = b.GetActe();
  std::memcpy(qa, sa.data(), std::min<std::size_t>(sa.size(), 2));
  std::memcpy(qb, sb.data(), std::min<std::size_t>(sb.size(), 2));
  return CompareOctets(qa, qb, 2);
}

}  // namespace kyb
