// The person index file read in place: a trusted ".prx2" mapped in memory and searched by
// position, so that a search after an opening costs the few entries it reads rather than the
// loading of the whole index; and what decides that the file still matches the rows without
// walking them.
#include <algorithm>

#include "index/gest_fic_index.h"
#include "platform/fichiers.h"
#include "store/datamodulebdd.h"

namespace kyb {

namespace {

constexpr int kEchantillon = 32;  // entries of a trusted file checked against the rows
constexpr const char* kTableLignes = "IndexNomPrenoms";

}  // namespace

bool TFicIndexPerson::EchantillonConforme(int n, const std::function<TEltIndex(int)>& entree) {
  TModuleBDD* m = Store();
  const long nbPers = NbPersonnes();
  const int pas = std::max(1, n / kEchantillon);
  for (int i = 0; m && i < n; i += pas) {
    const TEltIndex e = entree(i);
    bool trouve = false;
    // One statement per sampled person: its rows, compared as they come.
    if (e.NoPers >= 1 && e.NoPers <= nbPers)
      (void)m->ParcoursLignesIndex(TOrdreLignesIndex::DUnePersonne, e.NoPers, [&](long, const TEnregIndexPerson& l) {
        trouve = TEltIndex(l, 0) == e && l.RgNom == e.RgNom && l.RgPrenom == e.RgPrenom;
        return !trouve;
      });
    if (!trouve || (i + pas < n && entree(i + pas) < e)) {
      motif_ = u"Le fichier d'index des personnes ne correspond pas à cette généalogie.";
      return false;
    }
  }
  return true;
}

const TVueFichierIndex* TFicIndexPerson::VueFichier() {
  if (!differe_) return nullptr;
  if (vue_ && vue_->Endommage()) LibereVue();
  if (vueEssayee_) return vue_ ? &*vue_ : nullptr;
  vueEssayee_ = true;
  projection_ = TFichierProjete(nomFichier_);
  vue_.emplace(projection_.Octets());
  const auto n = static_cast<long>(vue_->size());
  if (!vue_->Valide() || !LignesDuFichier(n, vue_->DerniereLigne()) ||
      !EchantillonConforme(static_cast<int>(n), [this](int i) { return (*vue_)[static_cast<size_t>(i)]; }) ||
      vue_->Endommage()) {
    // Index() reads the file whole and says why it cannot be trusted.
    motif_.clear();
    LibereVue();
    return nullptr;
  }
  return &*vue_;
}

long TFicIndexPerson::NbLignes() const {
  if (nbLignes_ < 0) {
    TModuleBDD* m = Store();
    nbLignes_ = m ? static_cast<long>(m->NombreLignes(kTableLignes)) : 0;
  }
  return nbLignes_;
}

int64_t TFicIndexPerson::DerniereLigneStore() const {
  TModuleBDD* m = Store();
  const TACRTable* t = m ? m->Table(kTableLignes) : nullptr;
  return t ? t->LastAutoIncValue() : 0;
}

bool TFicIndexPerson::LignesDuFichier(long n, uint64_t derniereLigne) {
  const int64_t actuelle = DerniereLigneStore();
  if (nbLignes_ < 0 && derniereLigne > 0 && static_cast<uint64_t>(actuelle) == derniereLigne) nbLignes_ = n;
  if (NbLignes() != n) return false;
  derniereLigne_ = actuelle;
  return true;
}

void TFicIndexPerson::AbandonneFichier() {
  if (!differe_ || LectureSeule()) return;
  differe_ = false;
  LibereVue();
  (void)SupprimeFichier(nomFichier_);
  aRecharger_ = true;
}

void TFicIndexPerson::LibereVue() {
  vue_.reset();
  projection_ = TFichierProjete();
}

}  // namespace kyb
