#include "dates/intervalle_annees.h"

#include <algorithm>
#include <cctype>

namespace kyb {

namespace {

constexpr float kJoursAnnee = 365.242f;
constexpr float kFinAnneeFourchette = 0.99f;

float AnneeFractionnaire(int annee, int mois, int jour) {
  return static_cast<float>(annee) + static_cast<float>(mois - 1) / 12.0f + static_cast<float>(jour - 1) / kJoursAnnee;
}

bool EstEnviron(const TDateKY& date) {
  const AnsiString acte = date.GetActe();
  std::string a;
  for (const char c : acte)
    if (c != ' ') a += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return a == "~" || a == "CA";
}

TIntervalAnnees IntervalleFourchette(const TDateKY& date) {
  int annee = 0, bas = 0, haut = 0;
  (void)date.RecupAnneeChn(true, &annee, &bas, &haut, false);
  TIntervalAnnees i;
  if (date.DateFormatAvantJC()) {
    // Years before Christ count down: the larger number is the earlier year.
    if (bas && haut) i = TIntervalAnnees(static_cast<float>(-std::max(bas, haut)),
                                         static_cast<float>(-std::min(bas, haut)) + kFinAnneeFourchette);
    else if (bas || haut) i = TIntervalAnnees(static_cast<float>(-(bas + haut)),
                                              static_cast<float>(-(bas + haut)) + kFinAnneeFourchette);
    return i;
  }
  if (bas) i.SetMin(static_cast<float>(bas));
  if (haut) i.SetMax(static_cast<float>(haut) + kFinAnneeFourchette);
  if (i.Inverse()) i.SetInconnu();  // a range upside down says nothing
  return i;
}

TIntervalAnnees IntervallePonctuel(const TDateKY& date) {
  int jour = 0, mois = 0, annee = 0;
  date.ExtractJourMoisAnnee(jour, mois, annee, false);
  TIntervalAnnees i;
  if (annee <= 0) return i;
  if (date.DateFormatAvantJC()) annee = -annee;
  if (!date.IsActeInferieur()) i.SetMin(AnneeFractionnaire(annee, mois ? mois : 1, jour ? jour : 1));
  if (!date.IsActeSuperieur()) i.SetMax(AnneeFractionnaire(annee, mois ? mois : 12, jour ? jour : 31));
  return i;
}

}  // namespace

void CalculAnneeFloatOuFourchette(const TDateKY& date, TIntervalAnnees& intervalle, float& annee) {
  intervalle.SetInconnu();
  annee = kAnneeInconnue;
  if (date.DateVide()) return;
  intervalle = date.DateFormatFourchette() ? IntervalleFourchette(date) : IntervallePonctuel(date);
  if (EstEnviron(date)) intervalle = intervalle.Decale(-1.0f, 1.0f);
  if (!intervalle.MinInconnu() && !intervalle.MaxInconnu() && intervalle.Min() == intervalle.Max())
    annee = intervalle.Min();
}

}  // namespace kyb
