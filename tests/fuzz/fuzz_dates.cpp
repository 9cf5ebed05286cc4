// libFuzzer harness of the dates subsystem: any bytes given to the text analysis, the TDateKY
// constructors, the converters and the day counts must return a code or an empty text, never
// crash nor read outside their input. Over the values built from the bytes, the sorting order is
// a strict total order; over the dates the typed text reads as, it follows CompareDate where
// CompareDate is sure, and they come back the same from their export form and stored columns.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dates/analysedate.h"
#include "dates/calcjours.h"
#include "dates/convjuif.h"
#include "dates/convrepublicain.h"
#include "dates/jourcourant.h"
#include "dates/ordredate.h"
#include "dates/redigedate.h"
#include "dates/saisiedate.h"

namespace {

using kyb::TDateKY;

void Verifie(bool condition) {
  if (!condition) __builtin_trap();
}

bool MemesChamps(const TDateKY& a, const TDateKY& b) {
  return a.GetActe() == b.GetActe() && a.GetCalendrier() == b.GetCalendrier() && a.GetDate() == b.GetDate();
}

// Strict (irreflexive, asymmetric, transitive) and total: only identical fields are equivalent.
// Dates with a known day come after those without, and by their earliest day.
void VerifieOrdre(const std::vector<TDateKY>& dates) {
  for (const TDateKY& a : dates) {
    Verifie(!(a < a));
    const kyb::TEtendueJours ea = kyb::EtendueJours(a);
    for (const TDateKY& b : dates) {
      Verifie(!(a < b && b < a));
      const kyb::TEtendueJours eb = kyb::EtendueJours(b);
      if (a < b) Verifie(!ea.connue || (eb.connue && ea.premier <= eb.premier));
      if (!(a < b) && !(b < a)) Verifie(MemesChamps(a, b));
      for (const TDateKY& c : dates)
        if (a < b && b < c) Verifie(a < c);
    }
  }
}

// Where CompareDate gives one verdict whatever the order of its arguments, about two dates whose
// days cannot meet, the order agrees with it and with the order of the days (well-formed dates).
void VerifieAccordCompareDate(const std::vector<TDateKY>& dates) {
  for (const TDateKY& a : dates)
    for (const TDateKY& b : dates) {
      const kyb::TEtendueJours ea = kyb::EtendueJours(a), eb = kyb::EtendueJours(b);
      if (!ea.connue || !eb.connue || kyb::Chevauchent(ea, eb)) continue;
      const int v = kyb::CompareDate(a, b);
      if (v != 0 && kyb::CompareDate(b, a) == -v) Verifie((v < 0) == (a < b) && (v < 0) == (ea.dernier < eb.premier));
    }
}

// The same value: qualifier without its blanks, NUL tag read as 'G', same text; an empty value
// may come back as the empty date.
void VerifieMemeValeur(const TDateKY& attendu, const TDateKY& lu) {
  if (attendu.ActeVide() && attendu.DateVide0()) return Verifie(lu.Vide());
  const auto acte = [](const TDateKY& d) {
    kyb::AnsiString a = d.GetActe();
    a.erase(0, a.find_first_not_of(' ') == kyb::AnsiString::npos ? a.size() : a.find_first_not_of(' '));
    while (!a.empty() && a.back() == ' ') a.pop_back();
    return a;
  };
  const auto calendrier = [](const TDateKY& d) { return d.GetCalendrier() == 0 ? 'G' : d.GetCalendrier(); };
  Verifie(acte(lu) == acte(attendu) && calendrier(lu) == calendrier(attendu) && lu.GetDate() == attendu.GetDate());
}

// Through the export form, and through the columns as an 8-bit text column keeps them (to UTF-8
// and back) and a fixed-width one pads them.
void VerifieRelectures(const TDateKY& d) {
  VerifieMemeValeur(d, TDateKY(d.ExportInString()));
  const auto colonne = [](const kyb::AnsiString& t, std::size_t largeur) {
    kyb::AnsiString r = kyb::Utf8VersAnsi(kyb::AnsiVersUtf8(t));
    if (r.size() < largeur) r.append(largeur - r.size(), ' ');
    return r;
  };
  const TDateKY::TColonnes c = d.FormeStockee();
  VerifieMemeValeur(d, TDateKY::DepuisFormeStockee({colonne(c.acte, 3), colonne(c.calendrier, 1), colonne(c.date, 10)}));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
  using namespace kyb;
  // The input lives in its own heap block of exactly its size, so reads past it are caught.
  const std::string copie(reinterpret_cast<const char*>(donnees), taille);
  const std::string_view texte(copie);

  for (const char* calendrier : {"G", "A", "H", "R"}) {
    AnsiString r = "inchang\xE9";
    const int code = AnalyseDate(r, texte, calendrier, true);
    if (code != kAnalyseOk && r != "inchang\xE9") __builtin_trap();
    if (code == kAnalyseOk && r != "inchang\xE9" && r.size() != 10) __builtin_trap();
  }

  (void)ConvRepublicainGregorien(texte);
  (void)ConvRepublicainGregorien2(texte);
  (void)ConvGregorienRepublicain(texte);
  (void)ConvGregorienHebraique(texte);
  (void)ConvHebraiqueGregorien(texte);
  (void)ConvAnneeGregHebr(texte);
  (void)ConvAnneeHebrGreg(texte);
  (void)ConvAnneeGregRepub(texte);
  (void)ConvAnneeRepubGreg(texte);
  (void)JourJulien(texte);
  (void)CalculNbJours(texte);
  (void)CalcDatePaques(texte);
  (void)FormatDateNews(texte);
  (void)RecupMois(texte);
  char tampon[9];
  FormatDateG8(texte, tampon);

  // Dates typed in French words, from Windows-1252 and from UTF-8; what they read as, and the
  // typed form, read back the same.
  std::vector<TDateKY> lues = {TDateKY(texte)};
  const TLectureDate francaise = LitDateFrancaise(texte);
  (void)MotifRefusDate(francaise);
  for (const TLectureDate& l : {francaise, LitDateFrancaiseUtf8(texte, 'H'), LitDateFrancaiseUtf8(texte, 'R')})
    if (l.code == -1) lues.push_back(l.date);
  for (const TDateKY& d : lues) VerifieRelectures(d);

  // Values built from the bytes, then every member that reads them.
  const TDateKY saisie(texte);
  TDateKY brutes[] = {saisie, TDateKY('G', texte), TDateKY('R', texte), TDateKY('H', texte),
                      TDateKY('A', texte)};
  if (taille >= 2) brutes[0].SetActe(texte.substr(0, 2));
  const TDateKY reference('G', "14/07/1789");
  for (TDateKY& d : brutes) {
    (void)CompareDate(d, reference);
    (void)CompareDate(reference, d, 0, 1, true);
    (void)(d < reference);
    (void)EtendueJours(d);
    (void)CalcJours(d, reference, nullptr, false, nullptr);
    (void)CalculMoisDateDate(d, reference);
    (void)CalculAnneeDateDate(reference, d);
    (void)d.ExportInString();
    (void)d.PlaceJour(true);
    (void)d.RedigeAnnee(false);
    (void)d.FormatDateTilde();
    AnsiString s;
    (void)d.GetSaison(&s);
    (void)d.GetSigneZodiaque();
    (void)d.RetourneJourSemaine(s);
    (void)d.RecupAnneeFloat(true);
    TDateKY e = d;
    (void)e.Decalage(static_cast<int>(taille) * 37 - 500);
    e = d;
    e.TransformeFourchetteDate();
    (void)d.GetDateLimiteFourchette(true);
    (void)d.DateIn(reference, reference);
  }
  lues.push_back(reference);
  VerifieAccordCompareDate(lues);
  lues.insert(lues.end(), std::begin(brutes), std::end(brutes));
  VerifieOrdre(lues);
  return 0;
}
