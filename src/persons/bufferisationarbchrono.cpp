#include "persons/bufferisationarbchrono.h"

namespace kyb {

TBufferisationArbChrono::TBufferisationArbChrono(TFicPersons* fichier, size_t capacite)
    : fichier_(fichier), capacite_(capacite == 0 ? 1 : capacite) {
  personnes_.reserve(capacite_);
}

TBufferisationArbChrono& TBufferisationArbChrono::De(TFicPersons& fichier) {
  auto* cache = dynamic_cast<TBufferisationArbChrono*>(fichier.Cache());
  if (!cache) {
    auto nouveau = std::make_unique<TBufferisationArbChrono>(&fichier, TFicPersons::kCapaciteCache);
    cache = nouveau.get();
    fichier.InstalleCache(std::move(nouveau));
  }
  return *cache;
}

TPerson* TBufferisationArbChrono::GetPerson(long no, bool complet) {
  if (no < 0 && no != kEnregEntete) no = 0;
  const auto it = personnes_.find(no);
  if (it != personnes_.end()) {
    if (complet) it->second->LectureComplementaire();
    return it->second.get();
  }
  auto personne = std::make_unique<TPerson>(fichier_, no, complet);
  TPerson* p = personne.get();
  AjoutePersonne(std::move(personne));
  return p;
}

void TBufferisationArbChrono::AjoutePersonne(std::unique_ptr<TPerson> personne) {
  if (!personne) return;
  const long no = personne->Numero();
  if (!personnes_.count(no) && personnes_.size() >= capacite_) {
    personnes_.erase(*numeros_.begin());
    numeros_.erase(numeros_.begin());
  }
  personne->SetModifie(false);
  personnes_[no] = std::move(personne);
  numeros_.insert(no);
}

TPerson* TBufferisationArbChrono::Update(TPerson& personne, bool) {
  if (!personne.Modifie()) return nullptr;
  const auto it = personnes_.find(personne.Numero());
  if (it == personnes_.end() || it->second.get() == &personne) return nullptr;
  personne.SetModifie(false);
  it->second->CopyPerson(personne);
  return it->second.get();
}

void TBufferisationArbChrono::Oublie(const TPerson& personne) {
  const auto it = personnes_.find(personne.Numero());
  if (it != personnes_.end() && it->second.get() != &personne) {
    numeros_.erase(it->first);
    personnes_.erase(it);
  }
}

void TBufferisationArbChrono::Delete(int no) {
  if (personnes_.erase(no) != 0) numeros_.erase(no);
}

void TBufferisationArbChrono::RazBuffers() {
  personnes_.clear();
  numeros_.clear();
}

std::unique_ptr<TCachePersonnes> TBufferisationArbChrono::Recree() const {
  return std::make_unique<TBufferisationArbChrono>(fichier_, TFicPersons::kCapaciteCache);
}

}  // namespace kyb
