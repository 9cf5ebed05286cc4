// TSelectionComplexe (search/selection_complexe.h).
#include "search/selection_complexe.h"

#include "folder/gest_fic.h"
#include "folder/gest_fic_pers.h"
#include "index/gest_fic_index.h"
#include "persons/gest_pers.h"
#include "store/datamodulebdd.h"
#include "store/selection_bdd.h"

namespace kyb {

std::vector<int32_t> TSelectionComplexe::Personnes() const {
  std::vector<int32_t> personnes;
  const TGestEltIndex* elements = index_.Index();
  if (!elements) return personnes;
  std::vector<bool> vus;
  for (const TEltIndex& e : elements->Elements()) {
    if (e.NoPers <= 0 || e.FicheSupprimee == 'O') continue;
    if (static_cast<size_t>(e.NoPers) >= vus.size()) vus.resize(static_cast<size_t>(e.NoPers) * 2 + 1);
    if (vus[e.NoPers]) continue;
    vus[e.NoPers] = true;
    personnes.push_back(e.NoPers);
  }
  return personnes;
}

bool TSelectionComplexe::Arret(TProgression* barre, long fait) const {
  if (barre && fait % kPas == 0) {
    barre->Position(static_cast<int>(fait / kPas));
    if (TInterfaceUtilisateur* iu = barre->Interface()) iu->TraiteMessages();
  }
  return abandon_ || (barre && barre->Annulee());
}

TResultatSelection TSelectionComplexe::Execute(const TSelection& selection, TProgression* barre, bool parStore) {
  TResultatSelection r;
  abandon_ = false;
  const TEquation& arbre = selection.Arbre();
  if (!arbre.Valide()) {
    r.Invalide = true;
    r.MessageErreur = selection.MessageErreur;
    selection.Erreur = true;
    return r;
  }
  const std::vector<int32_t> personnes = Personnes();
  if (barre) barre->Maximum(static_cast<int>(personnes.size() / kPas + 1));
  if (!(parStore && selection.CanConvertToSql() && ParStore(selection, personnes, r, barre)))
    ParPersonne(selection, personnes, r, barre);
  return r;
}

bool TSelectionComplexe::ParStore(const TSelection& selection, const std::vector<int32_t>& personnes,
                                  TResultatSelection& r, TProgression* barre) {
  TModuleBDD* bdd = index_.Store();
  if (!bdd) return false;
  // One bit set per condition the equation names, by person number.
  std::vector<std::vector<bool>> resultats(selection.NbConditions() + 1);
  for (const int n : selection.Arbre().Numeros()) {
    bool ok = false;
    const std::vector<int32_t> trouves = PersonnesComparaison(*bdd, selection.Conditions[n - 1]->Comparaison(), ok);
    if (!ok) return false;
    for (const int32_t no : trouves) {
      if (no <= 0) continue;
      if (static_cast<size_t>(no) >= resultats[n].size()) resultats[n].resize(static_cast<size_t>(no) + 1);
      resultats[n][no] = true;
    }
  }
  r.ParStore = true;
  for (const int32_t no : personnes) {
    if (Arret(barre, r.Examinees)) {
      r.Abandonnee = true;
      break;
    }
    ++r.Examinees;
    const bool retenu = selection.Arbre().Evalue([&](int n) {
      const std::vector<bool>& bits = resultats[n];
      return static_cast<size_t>(no) < bits.size() && bits[no];
    });
    if (retenu) r.Numeros.push_back(no);
  }
  return true;
}

void TSelectionComplexe::ParPersonne(const TSelection& selection, const std::vector<int32_t>& personnes,
                                     TResultatSelection& r, TProgression* barre) {
  TGestFichier* dossier = index_.Dossier();
  TFicPersons* fichier = dossier ? dossier->GetFicPersons() : nullptr;
  if (!fichier) return;
  for (const int32_t no : personnes) {
    if (Arret(barre, r.Examinees)) {
      r.Abandonnee = true;
      break;
    }
    ++r.Examinees;
    TPerson p(fichier, no);
    if (selection.Satisfaite(p)) r.Numeros.push_back(no);
  }
}

}  // namespace kyb
