#include "index/annees_vie.h"

#include <cmath>

#include "persons/estimationpersonne.h"
#include "store/chps_personne.h"

namespace kyb {

namespace {

// First (debut) or last year a date allows; 0 when it gives none or lies before Christ.
int16_t Annee(const TDateKY& date, bool debut) {
  if (date.DateVide() || date.DateFormatAvantJC()) return 0;
  int annee = 0, bas = 0, haut = 0;
  (void)date.RecupAnneeChn(true, &annee, &bas, &haut, false);
  int a = debut ? (bas ? bas : haut) : (haut ? haut : bas);
  if (a == 0) a = annee;
  return a > 0 && a <= 32767 ? static_cast<int16_t>(a) : 0;
}

// The middle year of an interval known at both ends, 0 otherwise.
int16_t Milieu(const TIntervalAnnees& i) {
  if (i.MinInconnu() || i.MaxInconnu() || i.Inverse()) return 0;
  const double m = std::floor((static_cast<double>(i.Min()) + i.Max()) / 2);
  return m >= 1 && m <= 32767 ? static_cast<int16_t>(m) : 0;
}

void Garde(int16_t& place, int16_t annee) {
  if (place == 0) place = annee;
}

}  // namespace

void TCollecteAnneesVie::Ajoute(std::string_view libelle, const TDateKY& date) {
  if (libelle == "NAISSANCE") Garde(naissance_, Annee(date, true));
  else if (libelle == "BAPTEME") Garde(bapteme_, Annee(date, true));
  else if (libelle == "DECES") Garde(deces_, Annee(date, false));
  else if (libelle == "INHUMATION") Garde(inhumation_, Annee(date, false));
}

TAnneesVie TCollecteAnneesVie::Annees() const {
  return {naissance_ ? naissance_ : bapteme_, deces_ ? deces_ : inhumation_};
}

TAnneesVie AnneesVie(const TChpsPersonne& fiche) {
  TCollecteAnneesVie collecte;
  for (const TEvenementTV& e : fiche.Evenements)
    if (e.Even.Enreg.NoPersA == fiche.NoPers) collecte.Ajoute(e.Even.Enreg.LibelleChamps, e.Even.Enreg.Date);
  return collecte.Annees();
}

TAnneesVie CompleteAnneesVie(TAnneesVie declarees, const TResultatEstimation& estimation) {
  if (!declarees.Min) declarees.Min = Milieu(estimation.Naissance);
  if (!declarees.Max) declarees.Max = Milieu(estimation.Deces);
  return declarees;
}

}  // namespace kyb
