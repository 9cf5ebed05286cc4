// libFuzzer harness of the dates subsystem: any bytes given to the text analysis, the TDateKY
// constructors, the converters and the day counts must return a code or an empty text, never
// crash nor read outside their input.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "dates/analysedate.h"
#include "dates/calcjours.h"
#include "dates/convjuif.h"
#include "dates/convrepublicain.h"
#include "dates/jourcourant.h"
#include "dates/ordredate.h"
#include "dates/redigedate.h"
#include "dates/saisiedate.h"

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

  // Dates typed in French words, from Windows-1252 and from UTF-8.
  (void)MotifRefusDate(LitDateFrancaise(texte));
  (void)LitDateFrancaiseUtf8(texte, 'H');

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
  return 0;
}
