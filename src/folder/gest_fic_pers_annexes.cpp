#include "folder/gest_fic_pers_annexes.h"

#include <algorithm>

namespace kyb {
namespace {

// The count of the header, within 0 and the records the file holds.
long CompteBorne(long compte, const TFicBase& f) {
  const int64_t taille = f.TailleFichier();
  const long presents = taille > 0 ? static_cast<long>(taille / static_cast<int64_t>(f.TailleEnreg())) - 1 : 0;
  return std::clamp(compte, 0L, std::max(presents, 0L));
}

}  // namespace

TFicExtPersons::TFicExtPersons(TGestFichier* dossier, bool creer)
    : TFicBase(dossier, TGestFichier::tfPersonnesExt, kTailleEnreg, "FicExtPers", creer) {
  // The base constructor read the raw count; bring it within the file.
  if (!creer && Valide()) LectureEntete();
}

void TFicExtPersons::LectureEntete() {
  TFicBase::LectureEntete();
  NbEnreg = CompteBorne(NbEnreg, *this);
}

TLienConj TExtPerson::Conjoint(int i) const {
  TLienConj c;
  if (i >= 0 && i < kNbConjoints) c.Lit(donnees_.data() + kConjoints + static_cast<size_t>(i) * TLienConj::kTailleDisque);
  return c;
}

void TExtPerson::SetConjoint(int i, const TLienConj& lien) {
  if (i >= 0 && i < kNbConjoints) lien.Ecrit(donnees_.data() + kConjoints + static_cast<size_t>(i) * TLienConj::kTailleDisque);
}

TLienPers TExtPerson::Lien(int i) const {
  TLienPers l;
  if (i >= 0 && i < kNbLiens) l.Lit(donnees_.data() + kLiens + static_cast<size_t>(i) * TLienPers::kTailleDisque);
  return l;
}

void TExtPerson::SetLien(int i, const TLienPers& lien) {
  if (i >= 0 && i < kNbLiens) lien.Ecrit(donnees_.data() + kLiens + static_cast<size_t>(i) * TLienPers::kTailleDisque);
}

bool TExtPerson::Vide() const {
  return Conjoint(0).Lien.No == 0 && Lien(0).No == 0 && LitEntier32(kListe1) == 0 && LitEntier32(kListe2) == 0 &&
         LitEntier32(kListe3) == 0;
}

void TExtPerson::Raz() { TEnregKy::Vide(); }

void TExtPerson::RazLiens() { std::fill(donnees_.begin() + kConjoints, donnees_.begin() + kListe1, 0); }

TFicPersSuppr::TFicPersSuppr(TGestFichier* dossier, bool creer)
    : TFicBase(dossier, TGestFichier::tfPersonnesSuppr, 4, "FicPersSuppr", creer, true) {
  if (!creer && Valide()) LectureEntete();
}

void TFicPersSuppr::LectureEntete() {
  TFicBase::LectureEntete();
  NbEnreg = CompteBorne(NbEnreg, *this);
}

void TFicPersSuppr::AjouteNo(long no) {
  TPersSuppr enreg(this, kEnregCourant);
  enreg.SetNo(no);
  enreg.Enregistrement(ReturnNewNum());
}

void TFicPersSuppr::SuppNo(long no) {
  for (long i = 1; i <= NbEnreg; ++i) {
    const TPersSuppr enreg(this, i);
    if (enreg.No() != no) continue;
    TPersSuppr dernier(this, NbEnreg);
    const long numeroDernier = dernier.No();
    dernier.SetNo(0);
    dernier.Enregistrement();
    if (i != NbEnreg) {
      TPersSuppr remplace(this, kEnregCourant);
      remplace.SetNo(numeroDernier);
      remplace.Enregistrement(i);
    }
    --NbEnreg;
    break;
  }
  EcritureEntete();
}

void TFicPersSuppr::SupprimeList(std::set<long>& numeros, bool ecrire) {
  if (ecrire) {
    TPersSuppr enreg(this, kEnregCourant);
    for (const long no : numeros) {
      ++NbEnreg;
      enreg.SetNo(no);
      enreg.Enregistrement(NbEnreg);
    }
    EcritureEntete();
  }
  numeros.clear();
}

}  // namespace kyb
