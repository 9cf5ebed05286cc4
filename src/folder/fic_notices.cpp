#include "folder/fic_notices.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "platform/date_heure.h"

namespace kyb {
namespace {

// Whether the file is to be created; its directory is made first.
bool CreerFichierNotices(TGestFichier* dossier, bool creer) {
  const AnsiString chemin = dossier->FabriqueNomFichier(TGestFichier::tfNotices);
  if (!creer && (dossier->IsReadOnly() || FichierExiste(chemin))) return false;
  return CreeRepertoires(ExtraitRepertoire(chemin)) || creer;
}

// Decimal number at the start of a text; 0 when there is none.
long NombreDebut(const char* debut, const char* fin) {
  long n = 0;
  const auto [p, erreur] = std::from_chars(debut, fin, n);
  (void)p;
  return erreur == std::errc() ? n : 0;
}

}  // namespace

TFicNoticesPat::TFicNoticesPat(TGestFichier* dossier, bool creer)
    : TFicBase(dossier, TGestFichier::tfNotices, kTailleEnreg, "FicSource", CreerFichierNotices(dossier, creer),
               false, false) {
  // A new (or empty) file receives its header; an existing one is read.
  if (creer || TailleFichier() == 0) EcritureEntete();
  else if (Valide()) LectureEntete();
}

void TFicNoticesPat::LectureEntete() {
  NbEnreg = 0;
  manquants_ = 0;
  libres_.clear();
  const int64_t taille = TailleFichier();
  if (taille >= 0 && taille < static_cast<int64_t>(kTailleEnreg)) {  // no header yet, or a cut one
    manquants_ = taille > 0;
    return;
  }
  std::vector<char> entete(kTailleEnreg);
  if (!LitEntete(entete.data())) return;
  entete.back() = 0;
  const char* compte = entete.data() + kPositionNbEnreg;
  NbEnreg = std::max(NombreDebut(compte, compte + strnlen(compte, kPositionLibres - kPositionNbEnreg)), 0L);
  if (taille > 0) {
    const long entiers = static_cast<long>(taille / static_cast<int64_t>(kTailleEnreg)) - 1;
    manquants_ = std::max(NbEnreg - entiers, taille % static_cast<int64_t>(kTailleEnreg) ? 1L : 0L);
    NbEnreg = std::min(NbEnreg, entiers);
  }
  // The free list: "n;" repeated; anything out of range, repeated or not a number is dropped.
  const char* p = entete.data() + kPositionLibres;
  const char* fin = p + strnlen(p, kTailleEnreg - kPositionLibres);
  while (p < fin) {
    const char* separateur = std::find(p, fin, ';');
    const long no = NombreDebut(p, separateur);
    if (no >= 1 && no <= NbEnreg && std::find(libres_.begin(), libres_.end(), no) == libres_.end())
      libres_.push_back(no);
    p = separateur == fin ? fin : separateur + 1;
  }
}

void TFicNoticesPat::EcritureEntete() {
  std::vector<char> entete(kTailleEnreg, 0);
  const std::string compte = std::to_string(NbEnreg);
  std::memcpy(entete.data() + kPositionNbEnreg, compte.data(), compte.size());
  // As many free numbers as the header holds, the terminator kept.
  size_t position = kPositionLibres;
  for (const long no : libres_) {
    const std::string texte = std::to_string(no) + ";";
    if (position + texte.size() >= kTailleEnreg) break;
    std::memcpy(entete.data() + position, texte.data(), texte.size());
    position += texte.size();
  }
  EcritEntete(entete.data());
}

bool TFicNoticesPat::EstSupprime(long no) {
  unsigned char marque = 0;
  return LitZone(no, TNoticesPat::kSupprime, &marque, 1) && marque == 1;
}

long TFicNoticesPat::ReturnNewNum() {
  // A listed number whose record is live (a damaged list) is dropped, never handed out.
  while (!libres_.empty()) {
    const long no = libres_.front();
    libres_.pop_front();
    if (Dossier()->Erreur || EstSupprime(no)) {
      EcritureEntete();
      return no;
    }
  }
  ++NbEnreg;
  EcritureEntete();
  return NbEnreg;
}

void TFicNoticesPat::AjoutPosLibre(long no) {
  if (no < 1 || no > NbEnreg || std::find(libres_.begin(), libres_.end(), no) != libres_.end()) return;
  libres_.push_back(no);
  EcritureEntete();
}

TNoticesPat::TNoticesPat(TFicNoticesPat* fichier, long no) : TEnregKy(fichier, kEnregCourant) {
  if (no == kEnregCourant) {
    numero_ = fichier ? fichier->ReturnNewNum() : 0;
  } else if (no < 1 && no != kEnregEntete) {
    numero_ = no;
  } else {
    Lecture(no);
  }
}

void TNoticesPat::LectureCategories(long no) {
  if (no != kEnregCourant) numero_ = no;
  if (!fichier_) return;
  (void)fichier_->LitZone(numero_, kCategories, donnees_.data() + kCategories, kTailleCategories);
}

void TNoticesPat::Enregistrement(long no, TFicNoticesPat* fichier) {
  TEnregKy::Enregistrement(no, fichier);
  TFicNoticesPat* cible = fichier ? fichier : Fichier();
  if (!cible || numero_ < 1 || cible->Dossier()->IsReadOnly() || cible->Dossier()->Erreur) return;
  cible->Dossier()->DateEcriture = Maintenant();
  if (!Supprime() && cible->Index()) cible->Index()->Ajout(*this);
}

void TNoticesPat::Suppression() {
  TFicNoticesPat* f = Fichier();
  if (!f || numero_ < 1 || f->Dossier()->IsReadOnly()) return;
  EcritOctet(kSupprime, 1);
  Enregistrement();
  if (f->Dossier()->Erreur) return;
  f->AjoutPosLibre(numero_);
  if (f->Index()) f->Index()->Suppression(Type(), numero_);
}

AnsiString TNoticesPat::Titre(int i) const {
  if (i < 0 || i >= kNbTitres) return {};
  return LitTexte(kTitres + static_cast<size_t>(i) * kTailleTitre, kTailleTitre);
}

void TNoticesPat::SetTitre(int i, const AnsiString& titre) {
  if (i >= 0 && i < kNbTitres) EcritTexte(kTitres + static_cast<size_t>(i) * kTailleTitre, kTailleTitre, titre);
}

AnsiString TNoticesPat::TitreComplet() const {
  AnsiString titre;
  for (int i = 0; i < kNbTitres; ++i) {
    const AnsiString partie = Titre(i);
    if (partie.empty()) continue;
    if (!titre.empty()) titre += " / ";
    titre += partie;
  }
  return titre;
}

}  // namespace kyb
