#include "persons/bufferisationarbchrono.h"

#include <bit>
#include <cstdint>

namespace kyb {

TBufferisationArbChrono::TBufferisationArbChrono(TFicPersons* fichier, size_t capacite)
    : fichier_(fichier), capacite_(capacite == 0 ? 1 : capacite) {
  cases_.resize(std::bit_ceil(capacite_ * 3));
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

size_t TBufferisationArbChrono::Place(long no) const {
  // Multiplicative hashing: consecutive numbers spread over the table.
  const uint64_t h = static_cast<uint64_t>(no) * 0x9E3779B97F4A7C15ULL;
  return static_cast<size_t>(h >> 32) & (cases_.size() - 1);
}

size_t TBufferisationArbChrono::Cherche(long no) const {
  const size_t masque = cases_.size() - 1;
  for (size_t i = Place(no);; i = (i + 1) & masque) {
    if (cases_[i].No == no) return i;
    if (cases_[i].No == kLibre) return kAbsent;
  }
}

TBufferisationArbChrono::TCase& TBufferisationArbChrono::Trouve(long no, bool complet) {
  if (no < 0 && no != kEnregEntete) no = 0;
  if (const size_t i = Cherche(no); i != kAbsent) {
    TCase& c = cases_[i];
    const TPerson& p = *c.Personne;
    PrechargePublic(p.Public);
    __builtin_prefetch(&p.NoParents());
    __builtin_prefetch(&p.Fiche());
    if (complet) c.Personne->LectureComplementaire();
    return c;
  }
  return Insere(std::make_unique<TPerson>(fichier_, no, complet));
}

TBufferisationArbChrono::TLecture TBufferisationArbChrono::Lit(long no, bool complet) {
  const TCase& c = Trouve(no, complet);
  return {c.Personne.get(), c.Liens};
}

TPerson* TBufferisationArbChrono::GetPerson(long no, bool complet) {
  TCase& c = Trouve(no, complet);
  c.Liens = TLiensUtilises::Tous();  // the caller may fill any slot
  return c.Personne.get();
}

void TBufferisationArbChrono::AjoutePersonne(std::unique_ptr<TPerson> personne) {
  if (personne) Insere(std::move(personne));
}

TBufferisationArbChrono::TCase& TBufferisationArbChrono::Insere(std::unique_ptr<TPerson> personne) {
  const long no = personne->Numero();
  personne->SetModifie(false);
  const TLiensUtilises liens = TLiensUtilises::De(personne->Public);
  size_t i = Cherche(no);
  if (i == kAbsent) {
    if (numeros_.size() >= capacite_) {
      Retire(Cherche(*numeros_.begin()));
      numeros_.erase(numeros_.begin());
    }
    const size_t masque = cases_.size() - 1;
    for (i = Place(no); cases_[i].No != kLibre; i = (i + 1) & masque) {
    }
    cases_[i].No = no;
    numeros_.insert(no);
  }
  cases_[i].Personne = std::move(personne);
  cases_[i].Liens = liens;
  return cases_[i];
}

TPerson* TBufferisationArbChrono::Update(TPerson& personne, bool) {
  if (!personne.Modifie()) return nullptr;
  const size_t i = Cherche(personne.Numero());
  if (i == kAbsent || cases_[i].Personne.get() == &personne) return nullptr;
  personne.SetModifie(false);
  TCase& c = cases_[i];
  c.Personne->CopyPerson(personne);
  c.Liens = TLiensUtilises::De(c.Personne->Public);
  return c.Personne.get();
}

void TBufferisationArbChrono::Retire(size_t i) {
  const size_t masque = cases_.size() - 1;
  size_t j = i;
  for (;;) {
    cases_[i].No = kLibre;
    cases_[i].Personne.reset();
    // The next entry that may fill the hole: one whose home slot is not in (i, j].
    for (;;) {
      j = (j + 1) & masque;
      if (cases_[j].No == kLibre) return;
      const size_t k = Place(cases_[j].No);
      const bool resteLa = i <= j ? (i < k && k <= j) : (i < k || k <= j);
      if (!resteLa) break;
    }
    cases_[i] = std::move(cases_[j]);
    i = j;
  }
}

void TBufferisationArbChrono::Oublie(const TPerson& personne) {
  const size_t i = Cherche(personne.Numero());
  if (i != kAbsent && cases_[i].Personne.get() != &personne) {
    numeros_.erase(cases_[i].No);
    Retire(i);
  }
}

void TBufferisationArbChrono::Delete(int no) {
  if (const size_t i = Cherche(no); i != kAbsent) {
    numeros_.erase(no);
    Retire(i);
  }
}

void TBufferisationArbChrono::RazBuffers() {
  for (TCase& c : cases_) {
    c.No = kLibre;
    c.Personne.reset();
  }
  numeros_.clear();
}

std::unique_ptr<TCachePersonnes> TBufferisationArbChrono::Recree() const {
  return std::make_unique<TBufferisationArbChrono>(fichier_, TFicPersons::kCapaciteCache);
}

}  // namespace kyb
