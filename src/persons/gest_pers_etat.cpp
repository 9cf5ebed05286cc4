// The state of a person's record: deletion and restoration, emptiness, broken links and their
// repair, and the same-sex couples left by a change of sex.
#include "folder/gest_fic_sosa.h"
#include "persons/gest_pers.h"
#include "store/datamodulebdd.h"

namespace kyb {
namespace {

// Each link beyond the storage emptied (when repare); true when one was found.
template <class F>
bool ParcourtLiens(TEnregPublic& p, F&& horsFichier, bool repare) {
  bool trouve = false;
  const auto lien = [&](int32_t& no) {
    if (no == 0 || !horsFichier(no)) return;
    trouve = true;
    if (repare) no = 0;
  };
  lien(p.Pere.No);
  lien(p.Mere.No);
  for (TLienConj& c : p.Conjoints) lien(c.Lien.No);
  for (TLienPers& e : p.Enfants) lien(e.No);
  return trouve;
}

}  // namespace

bool TPerson::Suppression(bool effaceNoms) {
  if (effaceNoms) {
    Public.Nom = u"XXX";
    Public.Prenoms.clear();
  }
  Public.FicheSupprimee = 'O';
  TGestFichier* dossier = Dossier();
  const bool ecrivable = dossier && !dossier->IsReadOnly() && !dossier->Erreur && numero_ > 0;
  bool ok = true;
  if (ecrivable) {
    if (TModuleBDD* m = Bdd()) ok = m->MasquerChpsOfPerson(numero_, false);
    // The hidden records are not this person's card any more: nothing of it is written again.
    fiche_ = TChpsPersonne(numero_);
  }
  if (ecrivable && !AucunLien()) (void)SupprimeLien();
  if (ecrivable)
    if (TFicSosas* sosas = dossier->GetFicSosas(); sosas && sosas->IsExist(numero_))
      sosas->EcritureNoStradoZero(numero_);
  return ok;
}

bool TPerson::RestaurationData() {
  TGestFichier* dossier = Dossier();
  TModuleBDD* m = Bdd();
  if (!m || numero_ <= 0 || dossier->IsReadOnly() || dossier->Erreur) return false;
  if (!m->MasquerChpsOfPerson(numero_, true)) return false;
  fiche_ = TChpsPersonne();  // read again with the restored records
  return true;
}

bool TPerson::FicheVide() {
  return Public.Nom.empty() && Public.Prenoms.empty() && AucunLien() && GetNbInfoEven() == 0;
}

int TPerson::CompteIndexPers() const {
  int n = 0;
  for (const int32_t i : Public.IndexPers) n += i != 0;
  return n;
}

void TPerson::SetLoaded(bool charge) {
  Public.LiensChpsSimples[0] = Public.LiensEvens[0] = Public.LiensCitations[0] = charge ? 1 : 0;
}

bool TPerson::FicheCassee() const {
  if (!fichier_) return false;
  TEnregPublic copie = Public;
  return ParcourtLiens(
      copie, [this](int32_t no) { return no < 0 || !fichier_->NoPersValide(no); }, false);
}

bool TPerson::RepareFiche() {
  if (!fichier_) return false;
  return ParcourtLiens(
      Public, [this](int32_t no) { return no < 0 || !fichier_->NoPersValide(no); }, true);
}

bool TPerson::IsCouplesHomosexuel() const {
  if (!fichier_ || (!EstHomme() && !EstFemme())) return false;
  for (const TLienConj& c : Public.Conjoints)
    if (c.Lien.No > 0 && fichier_->NoPersValide(c.Lien.No) && TPerson(fichier_, c.Lien.No).Public.Sexe == Public.Sexe)
      return true;
  return false;
}

bool TPerson::GestionCoupleHomoSexuel(int reponse) {
  if (reponse != kReponseOui && reponse != kReponseNon) return true;
  if (!Enregistrement()) return false;
  bool ok = true;
  // InverserPereEtMereDesEnfants: this person in the slot of its sex, the spouse in the other.
  for (const TLienPers& e : Public.Enfants) {
    if (e.No <= 0 || !fichier_->NoPersValide(e.No)) continue;
    TPerson enfant(fichier_, e.No);
    TEnregPublic& p = enfant.Public;
    const bool malPlace = (p.Pere.No == numero_ && EstFemme()) || (p.Mere.No == numero_ && EstHomme());
    if (!malPlace) continue;
    std::swap(p.Pere, p.Mere);
    ok = enfant.Enregistrement() && ok;
  }
  // InverserSexeConjoints.
  if (reponse == kReponseOui)
    for (const TLienConj& c : Public.Conjoints) {
      if (c.Lien.No <= 0 || !fichier_->NoPersValide(c.Lien.No)) continue;
      TPerson conjoint(fichier_, c.Lien.No);
      if (conjoint.Public.Sexe != Public.Sexe) continue;
      conjoint.SetSexe(NotSex());
      ok = conjoint.Enregistrement() && ok;
    }
  return ok;
}

}  // namespace kyb
