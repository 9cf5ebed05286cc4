// The person index file read in place: a trusted ".prx2" mapped in memory and searched by
// position, so that a search after an opening costs the few entries it reads rather than the
// loading of the whole index; and what decides that the file still matches the rows without
// walking them: its footer at opening, then the entries searches read, a few at a time.
#include <algorithm>

#include "index/gest_fic_index.h"
#include "platform/fichiers.h"
#include "store/datamodulebdd.h"

namespace kyb {

namespace {

constexpr int kEchantillon = 32;  // entries of a trusted file checked against the rows
constexpr size_t kControlesParRecherche = 4;  // of them, checked after one search through the view
constexpr const char* kTableLignes = "IndexNomPrenoms";

}  // namespace

bool TFicIndexPerson::EntreeConforme(const TEltIndex& e) {
  TModuleBDD* m = Store();
  bool trouve = false;
  // One statement: the person's rows, compared as they come.
  if (m && e.NoPers >= 1 && e.NoPers <= NbPersonnes())
    (void)m->ParcoursLignesIndex(TOrdreLignesIndex::DUnePersonne, e.NoPers, [&](long, const TEnregIndexPerson& l) {
      trouve = TEltIndex(l, 0) == e && l.RgNom == e.RgNom && l.RgPrenom == e.RgPrenom;
      return !trouve;
    });
  return trouve;
}

bool TFicIndexPerson::EchantillonConforme(int n, const std::function<TEltIndex(int)>& entree) {
  const int pas = std::max(1, n / kEchantillon);
  for (int i = 0; Store() && i < n; i += pas) {
    const TEltIndex e = entree(i);
    if (!EntreeConforme(e) || (i + pas < n && entree(i + pas) < e)) {
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
  vue_->LimiteNoPers(NbPersonnes());
  const auto n = static_cast<long>(vue_->size());
  // Index() reads the file whole and says why it cannot be trusted. The entries themselves are
  // checked against the rows as searches read them (VueEndommagee).
  if (!vue_->Valide() || !LignesDuFichier(n, vue_->DerniereLigne())) {
    LibereVue();
    return nullptr;
  }
  entreesControlees_ = 0;
  return &*vue_;
}

bool TFicIndexPerson::VueEndommagee() {
  if (!vue_) return false;
  // A few of the entries the last search decoded, each between its neighbours and against its
  // person's rows (one statement for them all), until as many as a whole reading samples have
  // been checked.
  const std::vector<size_t> lues = vue_->PrendsLues();
  std::vector<TEltIndex> entrees;
  std::vector<long> personnes;
  for (const size_t i : lues) {
    if (vue_->Endommage() || entreesControlees_ + static_cast<int>(entrees.size()) >= kEchantillon ||
        entrees.size() == kControlesParRecherche)
      break;
    const TEltIndex e = (*vue_)[i];
    const bool ordonnee = (i == 0 || !(e < (*vue_)[i - 1])) && (i + 1 >= vue_->size() || !((*vue_)[i + 1] < e));
    if (!ordonnee || e.NoPers < 1) vue_->MarqueEndommage();
    entrees.push_back(e);
    personnes.push_back(e.NoPers);
  }
  (void)vue_->PrendsLues();  // the neighbours just read are no search's
  if (vue_->Endommage() || entrees.empty()) return vue_->Endommage();
  std::vector<bool> trouvees(entrees.size(), false);
  TModuleBDD* m = Store();
  const bool lu = m && m->ParcoursLignesIndexDe(personnes, [&](long, const TEnregIndexPerson& l) {
    const TEltIndex ligne(l, 0);
    for (size_t k = 0; k < entrees.size(); ++k)
      if (!trouvees[k] && ligne == entrees[k] && l.RgNom == entrees[k].RgNom && l.RgPrenom == entrees[k].RgPrenom)
        trouvees[k] = true;
    return true;
  });
  if (!lu || std::find(trouvees.begin(), trouvees.end(), false) != trouvees.end()) vue_->MarqueEndommage();
  entreesControlees_ += static_cast<int>(entrees.size());
  return vue_->Endommage();
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
