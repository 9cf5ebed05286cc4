// Relative lists of the persons cited in a person's events (RetourneTabPersonCite...).
#include <vector>

#include "persons/tables_parente.h"
#include "store/datamodulebdd.h"

namespace kyb {
namespace {

// Appends the live persons of v after the entries of tab, skipping soi and those already
// there; nb takes the count added.
TTableLong& Remplit(TFicPersons* fichier, long soi, const std::vector<long>& v, TTableLong& tab, int& nb) {
  nb = 0;
  int fin = 0;
  while (fin < kMaxTableLong && tab[static_cast<size_t>(fin)] != 0) ++fin;
  for (const long no : v) {
    if (fin >= kMaxTableLong) break;
    if (no <= 0 || no == soi || IsPersInTab(tab, static_cast<int32_t>(no), fin)) continue;
    TPerson lu(fichier, 0);
    if (!fichier || !LitPersonneVivante(*fichier, no, lu)) continue;
    tab[static_cast<size_t>(fin++)] = static_cast<int32_t>(no);
    ++nb;
  }
  return tab;
}

// The persons each event of the person's card cites, in card order.
std::vector<long> CitesDansFiche(const TPerson& p) {
  TPerson copie = p;
  if (!copie.FicheChargee()) copie.LectureComplementaire();
  std::vector<long> v;
  for (TEvenementTV& tv : copie.Fiche().Evenements)
    for (const TPersAssociee& a : tv.Even.PersAssociees()) v.push_back(a.Lien.No);
  return v;
}

}  // namespace

TTableLong& RetourneTabPersonCite(const TPerson& p, TTableLong& tab, int& nb) {
  return Remplit(p.Fichier(), p.Numero(), CitesDansFiche(p), tab, nb);
}

TTableLong& RetourneTabPersonCiteComplet(const TPerson& p, TTableLong& tab, int& nb) {
  std::vector<long> v = CitesDansFiche(p);
  TGestFichier* dossier = p.Fichier() ? p.Fichier()->Dossier() : nullptr;
  TModuleBDD* m = dossier ? dossier->GetModuleBDD() : nullptr;
  if (m && p.Numero() > 0)
    for (const long id : p.GetCitations()) {
      TEvenement e(m);
      if (!m->LectureEven(e, id)) continue;
      v.push_back(e.Enreg.NoPersA);
      v.push_back(e.Enreg.NoPersB);
      for (const TPersAssociee& a : e.PersAssociees()) v.push_back(a.Lien.No);
    }
  return Remplit(p.Fichier(), p.Numero(), v, tab, nb);
}

}  // namespace kyb
