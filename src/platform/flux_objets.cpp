#include "platform/flux_objets.h"

#include <cstring>

namespace kyb {
namespace {

constexpr uint8_t kPointeurNul = 0;
constexpr uint8_t kNouvelObjet = 1;
constexpr uint8_t kReference = 2;

template <typename T>
void EcritLE(std::string& sortie, T valeur) {
  unsigned char octets[sizeof(T)];
  std::memcpy(octets, &valeur, sizeof(T));  // the library runs on little-endian machines only
  sortie.append(reinterpret_cast<const char*>(octets), sizeof(T));
}

}  // namespace

TRegistreClasses& TRegistreClasses::Global() {
  static TRegistreClasses registre;
  return registre;
}

void TRegistreClasses::Enregistre(const std::string& nomClasse, Fabrique fabrique) {
  fabriques_[nomClasse] = std::move(fabrique);
}

std::unique_ptr<TObjetFlux> TRegistreClasses::Cree(const std::string& nomClasse) const {
  const auto it = fabriques_.find(nomClasse);
  return it == fabriques_.end() ? nullptr : it->second();
}

void TFluxSortie::EcritEntier32(int32_t valeur) { EcritLE(donnees_, valeur); }

void TFluxSortie::EcritDouble(double valeur) { EcritLE(donnees_, valeur); }

void TFluxSortie::EcritOctet(uint8_t valeur) { donnees_.push_back(static_cast<char>(valeur)); }

void TFluxSortie::EcritChaine(std::string_view texte) {
  EcritEntier32(static_cast<int32_t>(texte.size()));
  donnees_.append(texte);
}

void TFluxSortie::EcritChaineUnicode(std::u16string_view texte) {
  EcritEntier32(static_cast<int32_t>(texte.size()));
  for (const char16_t c : texte) EcritLE(donnees_, static_cast<uint16_t>(c));
}

void TFluxSortie::EcritOctets(const void* donnees, size_t taille) {
  donnees_.append(static_cast<const char*>(donnees), taille);
}

void TFluxSortie::EcritPointeur(const TObjetFlux* objet) {
  if (!objet) {
    EcritOctet(kPointeurNul);
    return;
  }
  const auto it = ecrits_.find(objet);
  if (it != ecrits_.end()) {
    EcritOctet(kReference);
    EcritEntier32(it->second);
    return;
  }
  const auto index = static_cast<int32_t>(ecrits_.size());
  ecrits_.emplace(objet, index);
  EcritOctet(kNouvelObjet);
  EcritChaine(objet->NomClasse());
  EcritEntier32(objet->Version());
  objet->Ecrit(*this);
}

bool TFluxEntree::Prend(void* sortie, size_t taille) {
  if (taille == 0) return !echec_;
  if (echec_ || donnees_.size() - position_ < taille) {
    echec_ = true;
    std::memset(sortie, 0, taille);
    return false;
  }
  std::memcpy(sortie, donnees_.data() + position_, taille);
  position_ += taille;
  return true;
}

int32_t TFluxEntree::LitEntier32() {
  int32_t v = 0;
  Prend(&v, sizeof v);
  return v;
}

double TFluxEntree::LitDouble() {
  double v = 0;
  Prend(&v, sizeof v);
  return v;
}

uint8_t TFluxEntree::LitOctet() {
  uint8_t v = 0;
  Prend(&v, sizeof v);
  return v;
}

AnsiString TFluxEntree::LitChaine() {
  const int32_t n = LitEntier32();
  if (echec_ || n < 0 || static_cast<size_t>(n) > Restant()) {
    echec_ = true;
    return {};
  }
  AnsiString texte(donnees_.substr(position_, static_cast<size_t>(n)));
  position_ += static_cast<size_t>(n);
  return texte;
}

UnicodeString TFluxEntree::LitChaineUnicode() {
  const int32_t n = LitEntier32();
  if (echec_ || n < 0 || static_cast<size_t>(n) > Restant() / 2) {
    echec_ = true;
    return {};
  }
  UnicodeString texte(static_cast<size_t>(n), u'\0');
  for (char16_t& c : texte) {
    uint16_t v = 0;
    Prend(&v, sizeof v);
    c = static_cast<char16_t>(v);
  }
  return texte;
}

bool TFluxEntree::LitOctets(void* donnees, size_t taille) { return Prend(donnees, taille); }

TObjetFlux* TFluxEntree::LitPointeur() {
  const uint8_t tag = LitOctet();
  if (echec_) return nullptr;
  if (tag == kPointeurNul) return nullptr;
  if (tag == kReference) {
    const int32_t index = LitEntier32();
    if (echec_ || index < 0 || static_cast<size_t>(index) >= lus_.size()) {
      echec_ = true;
      return nullptr;
    }
    return lus_[static_cast<size_t>(index)];
  }
  if (tag != kNouvelObjet) {
    echec_ = true;
    return nullptr;
  }
  const AnsiString nomClasse = LitChaine();
  const int32_t version = LitEntier32();
  std::unique_ptr<TObjetFlux> objet = echec_ ? nullptr : registre_.Cree(nomClasse);
  if (!objet) {
    echec_ = true;
    return nullptr;
  }
  TObjetFlux* brut = objet.get();
  lus_.push_back(brut);
  possedes_.push_back(std::move(objet));
  brut->Lit(*this, version);
  return echec_ ? nullptr : brut;
}

std::unique_ptr<TObjetFlux> TFluxEntree::Adopte(TObjetFlux* objet) {
  for (auto& p : possedes_)
    if (p.get() == objet) return std::move(p);
  return nullptr;
}

}  // namespace kyb
