// The person index file read in place: a trusted ".prx2" mapped in memory and searched by
// position, so that a search after an opening costs the few entries it reads rather than the
// loading of the whole index.
#include <algorithm>

#include "index/gest_fic_index.h"
#include "store/datamodulebdd.h"

namespace kyb {

namespace {

constexpr int kEchantillon = 32;  // entries of a trusted file checked against the rows

}  // namespace

bool TFicIndexPerson::EchantillonConforme(int n, const std::function<TEltIndex(int)>& entree) {
  TModuleBDD* m = Store();
  const long nbPers = NbPersonnes();
  const int pas = std::max(1, n / kEchantillon);
  for (int i = 0; m && i < n; i += pas) {
    const TEltIndex e = entree(i);
    bool trouve = false;
    if (e.NoPers >= 1 && e.NoPers <= nbPers)
      for (const long id : m->GetIndexPerson(e.NoPers)) {
        const TIndexPerson ligne(this, id);
        if (TEltIndex(ligne.Enreg, 0) == e && ligne.Enreg.RgNom == e.RgNom && ligne.Enreg.RgPrenom == e.RgPrenom) {
          trouve = true;
          break;
        }
      }
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
  if (!vue_->Valide() || n != nbLignes_ ||
      !EchantillonConforme(static_cast<int>(n), [this](int i) { return (*vue_)[static_cast<size_t>(i)]; }) ||
      vue_->Endommage()) {
    // Index() reads the file whole and says why it cannot be trusted.
    motif_.clear();
    LibereVue();
    return nullptr;
  }
  return &*vue_;
}

void TFicIndexPerson::LibereVue() {
  vue_.reset();
  projection_ = TFichierProjete();
}

}  // namespace kyb
