#include "folder/fic_enreg.h"

#include <algorithm>
#include <cstring>

#include "platform/erreur.h"
#include "platform/references_ansi.h"

namespace kyb {

TFicBase::TFicBase(TGestFichier* dossier, TGestFichier::TTypeFichier type, size_t tailleEnreg,
                   std::string nomCourt, bool creer, bool erreurOuverture, bool lireEntete)
    : dossier_(dossier),
      tailleEnreg_(tailleEnreg),
      nomCourt_(std::move(nomCourt)),
      erreurOuverture_(erreurOuverture) {
  chemin_ = dossier_->FabriqueNomFichier(type);
  fichier_ = dossier_->OuvertureFichier(chemin_, creer);
  if (!lireEntete) return;
  if (creer)
    EcritureEntete();
  else if (fichier_.Valide())
    LectureEntete();
}

int64_t TFicBase::Position(long numero) const {
  return numero == kEnregEntete ? 0 : static_cast<int64_t>(numero) * static_cast<int64_t>(tailleEnreg_);
}

void TFicBase::LitEnreg(long numero, void* donnees) {
  std::memset(donnees, 0, tailleEnreg_);
  if (!fichier_.Valide() || numero == kEnregAucun || (numero < 0 && numero != kEnregEntete) ||
      dossier_->Erreur)
    return;
  const int64_t lus = fichier_.LitA(Position(numero), donnees, tailleEnreg_);
  dossier_->SetError(lus <= 0);
  if (lus <= 0 && erreurOuverture_) dossier_->CodeErreurOuverture = 1;
}

void TFicBase::EcritEnreg(long numero, const void* donnees) {
  if (numero > NbEnreg) throw ErreurKy(nomCourt_ + " : Erreur Enreg");
  if (numero == kEnregAucun || (numero < 0 && numero != kEnregEntete) ||
      dossier_->IsReadOnly() || dossier_->Erreur || !fichier_.Valide())
    return;
  const int64_t ecrits = fichier_.EcritA(Position(numero), donnees, tailleEnreg_);
  dossier_->SetError(ecrits <= 0);
}

long TFicBase::LitEnregs(long premier, long nombre, void* donnees) {
  if (nombre <= 0) return 0;
  const size_t taille = static_cast<size_t>(nombre) * tailleEnreg_;
  std::memset(donnees, 0, taille);
  if (!fichier_.Valide() || premier < 1 || dossier_->Erreur) return 0;
  const int64_t lus = fichier_.LitA(Position(premier), donnees, taille);
  dossier_->SetError(lus <= 0);
  if (lus <= 0) {
    if (erreurOuverture_) dossier_->CodeErreurOuverture = 1;
    return 0;
  }
  return static_cast<long>((lus + static_cast<int64_t>(tailleEnreg_) - 1) / static_cast<int64_t>(tailleEnreg_));
}

void TFicBase::EcritEnregs(long premier, long nombre, const void* donnees) {
  if (nombre <= 0) return;
  if (premier + nombre - 1 > NbEnreg) throw ErreurKy(nomCourt_ + " : Erreur Enreg");
  if (premier < 1 || dossier_->IsReadOnly() || dossier_->Erreur || !fichier_.Valide()) return;
  const int64_t ecrits = fichier_.EcritA(Position(premier), donnees, static_cast<size_t>(nombre) * tailleEnreg_);
  dossier_->SetError(ecrits <= 0);
}

bool TFicBase::LitZone(long numero, size_t offset, void* donnees, size_t taille) {
  std::memset(donnees, 0, taille);
  if (!fichier_.Valide() || numero < 1 || dossier_->Erreur || offset + taille > tailleEnreg_) return false;
  const int64_t lus = fichier_.LitA(Position(numero) + static_cast<int64_t>(offset), donnees, taille);
  dossier_->SetError(lus <= 0);
  if (lus <= 0 && erreurOuverture_) dossier_->CodeErreurOuverture = 1;
  return lus > 0;
}

bool TFicBase::LitEntete(void* donnees) {
  LitEnreg(kEnregEntete, donnees);
  return !dossier_->Erreur;
}

void TFicBase::EcritEntete(const void* donnees) { EcritEnreg(kEnregEntete, donnees); }

void TFicBase::LectureEntete() {
  NbEnreg = 0;
  std::vector<unsigned char> entete(tailleEnreg_);
  if (!LitEntete(entete.data()) || tailleEnreg_ < 4) return;
  int32_t n = 0;
  std::memcpy(&n, entete.data(), sizeof n);
  NbEnreg = n;
}

void TFicBase::EcritureEntete() {
  std::vector<unsigned char> entete(tailleEnreg_);
  const auto n = static_cast<int32_t>(NbEnreg);
  if (tailleEnreg_ >= 4) std::memcpy(entete.data(), &n, sizeof n);
  EcritEntete(entete.data());
}

long TFicBase::ReturnNewNum() {
  ++NbEnreg;
  EcritureEntete();
  return NbEnreg;
}

void TFicBase::Flush() {
  if (fichier_.Valide() && fichier_.EnEcriture()) (void)fichier_.Synchronise();
}

TEnregKy::TEnregKy(TFicBase* fichier, long numero)
    : fichier_(fichier), donnees_(fichier ? fichier->TailleEnreg() : 0, 0) {
  if (numero == kEnregCourant) return;
  if (numero < 1 && numero != kEnregEntete) {
    numero_ = 0;
    return;
  }
  Lecture(numero);
}

void TEnregKy::Lecture(long numero) {
  if (numero != kEnregCourant) numero_ = numero;
  if (!fichier_) {
    Vide();
    return;
  }
  fichier_->LitEnreg(numero_, donnees_.data());
}

void TEnregKy::Enregistrement(long numero, TFicBase* fichier) {
  if (numero != kEnregCourant) numero_ = numero;
  TFicBase* cible = fichier ? fichier : fichier_;
  if (!cible) return;
  // A file of another record size takes the common part, zero-padded.
  std::vector<unsigned char> bloc(cible->TailleEnreg(), 0);
  std::memcpy(bloc.data(), donnees_.data(), std::min(bloc.size(), donnees_.size()));
  cible->EcritEnreg(numero_, bloc.data());
}

int32_t TEnregKy::LitEntier32(size_t offset) const {
  int32_t v = 0;
  if (offset + 4 <= donnees_.size()) std::memcpy(&v, donnees_.data() + offset, 4);
  return v;
}

void TEnregKy::EcritEntier32(size_t offset, int32_t valeur) {
  if (offset + 4 <= donnees_.size()) std::memcpy(donnees_.data() + offset, &valeur, 4);
}

int16_t TEnregKy::LitEntier16(size_t offset) const {
  int16_t v = 0;
  if (offset + 2 <= donnees_.size()) std::memcpy(&v, donnees_.data() + offset, 2);
  return v;
}

void TEnregKy::EcritEntier16(size_t offset, int16_t valeur) {
  if (offset + 2 <= donnees_.size()) std::memcpy(donnees_.data() + offset, &valeur, 2);
}

unsigned char TEnregKy::LitOctet(size_t offset) const {
  return offset < donnees_.size() ? donnees_[offset] : 0;
}

void TEnregKy::EcritOctet(size_t offset, unsigned char valeur) {
  if (offset < donnees_.size()) donnees_[offset] = valeur;
}

AnsiString TEnregKy::LitTexte(size_t offset, size_t taille) const {
  if (offset >= donnees_.size()) return {};
  const size_t n = std::min(taille, donnees_.size() - offset);
  const auto* debut = reinterpret_cast<const char*>(donnees_.data() + offset);
  return AnsiString(debut, strnlen(debut, n));
}

void TEnregKy::EcritTexte(size_t offset, size_t taille, const AnsiString& texte) {
  if (taille == 0 || offset + taille > donnees_.size()) return;
  std::memset(donnees_.data() + offset, 0, taille);
  const AnsiString coupe = CoupeAnsi(texte, taille - 1);  // never inside a reference
  std::memcpy(donnees_.data() + offset, coupe.data(), coupe.size());
}

UnicodeString TEnregKy::LitTexteUnicode(size_t offset, size_t taille) const {
  UnicodeString texte;
  for (size_t i = 0; i < taille && offset + 2 * i + 2 <= donnees_.size(); ++i) {
    const auto c = static_cast<char16_t>(donnees_[offset + 2 * i] | (donnees_[offset + 2 * i + 1] << 8));
    if (c == 0) break;
    texte.push_back(c);
  }
  return texte;
}

void TEnregKy::EcritTexteUnicode(size_t offset, size_t taille, const UnicodeString& texte) {
  if (taille == 0 || offset + 2 * taille > donnees_.size()) return;
  std::memset(donnees_.data() + offset, 0, 2 * taille);
  for (size_t i = 0; i < std::min(texte.size(), taille - 1); ++i) {
    donnees_[offset + 2 * i] = static_cast<unsigned char>(texte[i] & 0xFF);
    donnees_[offset + 2 * i + 1] = static_cast<unsigned char>(texte[i] >> 8);
  }
}

}  // namespace kyb
