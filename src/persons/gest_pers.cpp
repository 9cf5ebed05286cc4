#include "persons/gest_pers.h"

#include "engine/acr_database.h"
#include "folder/gest_fic_pers_annexes.h"
#include "persons/bufferisationarbchrono.h"
#include "platform/thread_nom.h"
#include "store/datamodulebdd.h"

namespace kyb {

TPerson::TPerson(TFicPersons* fichier, long numero, bool complet, int entier, bool cache) : fichier_(fichier) {
  if (numero > 0 || numero == kEnregEntete) Lecture(numero, complet, entier, cache);
  else NouvelleFiche(0);
  modifie_ = false;
}

void TPerson::CopyPerson(const TPerson& autre) {
  Public = autre.Public;
  noParents_ = autre.noParents_;
  numero_ = autre.numero_;
  ligneParents_ = autre.ligneParents_;
  fiche_ = autre.fiche_;
}

void TPerson::NouvelleFiche(long numero) {
  noParents_ = TNoParent();
  fiche_ = TChpsPersonne();
  Public.Raz();
  if (numero == kEnregCourant) {
    numero_ = fichier_ ? fichier_->ReturnNewNum() : 0;
    Public.LiensChpsSimples[0] = Public.LiensEvens[0] = Public.LiensCitations[0] = 1;
    ligneParents_ = false;  // a number just handed out has no IDParents row
  } else {
    numero_ = numero;
    ligneParents_ = true;
  }
}

void TPerson::LitStockage() {
  if (fichier_) fichier_->LitPublic(numero_, Public);
}

void TPerson::Lecture(long numero, bool complet, int, bool cache, bool) {
  if (numero != kEnregCourant) numero_ = numero;
  TBufferisationArbChrono* buffer = fichier_ ? &TBufferisationArbChrono::De(*fichier_) : nullptr;
  if (!cache || numero_ == 0 || numero_ == kEnregEntete || !buffer) {
    if (buffer) buffer->Delete(static_cast<int>(numero_));
    NouvelleFiche(numero_);
    LitStockage();
    if (complet) LectureComplementaire();
    if (TGestFichier* dossier = Dossier(); dossier && !dossier->IsVersion2009()) ReadNoParentFromBDD();
  } else {
    // The cached person carries its alternative parents and card: a hit asks nothing of the
    // store. The card is copied only when it was asked for.
    const TBufferisationArbChrono::TLecture lue = buffer->Lit(numero_, complet);
    const TPerson& cache = *lue.Personne;
    CopiePublic(cache.Public, lue.Liens, Public);
    noParents_ = cache.noParents_;
    ligneParents_ = cache.ligneParents_;
    if (complet) fiche_ = cache.fiche_;
    else if (fiche_.NoPers != 0 || fiche_.EvenementsCharges) fiche_ = TChpsPersonne();
  }
  if (TGestFichier* dossier = Dossier()) dossier->MarqueLecture(IdThread());
}

bool TPerson::EcritStockage(TFicPersons& fichier) {
  if (!fichier.AncienFormat()) {
    TModuleBDD* m = fichier.Store();
    return m && m->WritePerson(Public, numero_);
  }
  TGestFichier* dossier = fichier.Dossier();
  if (TFicExtPersons* fichierExt = dossier->FicExtPersons.get()) {
    bool contenu = false;
    for (int i = kConjointsFichier; i < kMaxConjoints; ++i) contenu |= Public.Conjoints[static_cast<size_t>(i)].Lien.No != 0;
    for (int i = kEnfantsFichier; i < kMaxEnfants; ++i) contenu |= Public.Enfants[static_cast<size_t>(i)].No != 0;
    const bool horsFichier = Public.NoExtension < 1 || Public.NoExtension > fichierExt->NbEnreg;
    const bool nouveau = contenu && horsFichier;
    if (nouveau) Public.NoExtension = static_cast<int32_t>(fichierExt->ReturnNewNum());
    if (Public.NoExtension >= 1 && Public.NoExtension <= fichierExt->NbEnreg) {
      // The list areas of an existing extension record belong to other data: they are kept.
      TExtPerson extension(fichierExt, nouveau ? kEnregCourant : Public.NoExtension);
      extension.RazLiens();
      for (int i = 0; i < TExtPerson::kNbConjoints; ++i)
        extension.SetConjoint(i, Public.Conjoints[static_cast<size_t>(kConjointsFichier + i)]);
      for (int i = 0; i < TExtPerson::kNbLiens; ++i)
        extension.SetLien(i, Public.Enfants[static_cast<size_t>(kEnfantsFichier + i)]);
      extension.Enregistrement(Public.NoExtension);
    }
  }
  TEnregPersonne enreg;
  enreg.TransfertDepuisPublic(Public);
  return fichier.EcritEnreg(numero_, enreg);
}

void TPerson::LectureComplementaire() {
  if (FicheChargee() && fiche_.NoPers == numero_) return;
  fiche_ = TChpsPersonne(numero_);
  fiche_.SetConjoints(Public);
  TGestFichier* dossier = Dossier();
  TModuleBDD* m = dossier ? dossier->GetModuleBDD() : nullptr;
  if (m && numero_ > 0 && !dossier->Erreur) m->ChargerLienChpsOfPerson(fiche_);
}

bool TPerson::EcritTout(TFicPersons& fichier, bool avecFiche) {
  TModuleBDD* m = fichier.Dossier()->GetModuleBDD();
  if (avecFiche && FicheChargee()) {
    fiche_.NoPers = numero_;
    fiche_.SetConjoints(Public);
    if (!m || !m->EnregistrerChpsOfPerson(fiche_)) return false;
  }
  if (!EcritStockage(fichier)) return false;
  SetNoPere(Public.Pere.No);
  SetNoMere(Public.Mere.No);
  return EcritParents();
}

bool TPerson::Enregistrement(long numero, TFicPersons* fichier) {
  return Enregistrement(numero, fichier, TOptionsEnregistrement{});
}

bool TPerson::Enregistrement(long numero, TFicPersons* fichier, const TOptionsEnregistrement& options) {
  TFicPersons* cible = fichier ? fichier : fichier_;
  if (numero != kEnregCourant && numero != numero_) {
    numero_ = numero;
    ligneParents_ = true;
  }
  TGestFichier* dossier = cible ? cible->Dossier() : nullptr;
  if (!dossier || numero_ == 0 || dossier->IsReadOnly() || dossier->Erreur) return false;
  if (!AucunLien() && (Public.TypePersonne == 'T' || Public.TypePersonne == ' ')) SetPersonne();
  // The tags are put right before the card is written, so that the fix is saved with it.
  if (options.ControleTags && options.Fiche && FicheChargee()) (void)ControlTags();
  modifie_ = true;
  bool ecrit = false;
  TModuleBDD* m = dossier->GetModuleBDD();
  // A number just handed out by an import has no index rows yet: nothing to look up.
  const bool neuve = !cible->AncienFormat() && m && m->PersonneNeuve(numero_);
  if (!cible->AncienFormat() && m) {
    // One transaction for card, record and parents; the card is restored when it rolls back.
    const TChpsPersonne ficheAvant = fiche_;
    const TNoParent parentsAvant = noParents_;
    const bool ligneAvant = ligneParents_;
    {
      TACRTransaction transaction(m->Database());
      ecrit = EcritTout(*cible, options.Fiche);
      if (ecrit && transaction.Active()) ecrit = transaction.Commit();
    }
    if (!ecrit) {
      fiche_ = ficheAvant;
      noParents_ = parentsAvant;
      ligneParents_ = ligneAvant;
    }
  } else {
    ecrit = EcritTout(*cible, options.Fiche);
  }
  // The person index follows every save: rows and in-memory entries.
  if (ecrit && numero_ > 0 && options.Index)
    if (TIndexPersonnesDossier* index = dossier->GetFicIndexPerson()) index->PersonneEcrite(Public, numero_, &fiche_, !neuve);
  if (numero_ != kEnregEntete) dossier->MarqueEcriture(IdThread());
  // The cached copy follows the person and its parents once both are written; after a failed
  // write it is dropped, so that nothing unsaved is served.
  if (cible->Cache()) {
    TBufferisationArbChrono& cache = TBufferisationArbChrono::De(*cible);
    if (ecrit) cache.Update(*this);
    else cache.Oublie(*this);
  }
  return ecrit;
}

void TPerson::SexeTouint16(uint16_t& homme, uint16_t& femme, uint16_t& inconnu) const {
  homme = EstHomme();
  femme = EstFemme();
  inconnu = !homme && !femme;
}

void TPerson::uint16ToSexe(uint16_t homme, uint16_t femme) { Public.Sexe = homme ? 'M' : femme ? 'F' : '?'; }

bool TPerson::NomEtPrenomVides() const {
  return (Public.Nom.empty() || Public.Nom == u"XXX") && Public.Prenoms.empty();
}

int TPerson::AjouteConj(long no) {
  if (no <= 0) return -1;
  int libre = -1;
  for (int i = kMaxConjoints - 1; i >= 0; --i) {
    const int32_t present = Public.Conjoints[static_cast<size_t>(i)].Lien.No;
    if (present == no) return i;
    if (present == 0) libre = i;
  }
  if (libre >= 0) Public.Conjoints[static_cast<size_t>(libre)].Lien = static_cast<int32_t>(no);
  return libre;
}

int TPerson::AjouteEnf(long no) {
  if (no <= 0) return -1;
  int libre = -1;
  for (int i = kMaxEnfants - 1; i >= 0; --i) {
    const int32_t present = Public.Enfants[static_cast<size_t>(i)].No;
    if (present == no) return i;
    if (present == 0) libre = i;
  }
  if (libre >= 0) Public.Enfants[static_cast<size_t>(libre)] = static_cast<int32_t>(no);
  return libre;
}

bool TPerson::AucunLien() const {
  return Public.Pere.No == 0 && Public.Mere.No == 0 && CompteNbConjoint() == 0 && CompteNbEnfant() == 0;
}

void TPerson::AfficheParents() {
  Public.Pere = noParents_.PerePrinc == 2 ? noParents_.PereB : noParents_.PereA;
  Public.Mere = noParents_.MerePrinc == 2 ? noParents_.MereB : noParents_.MereA;
}

void TPerson::ReadNoParentFromBDD() {
  TGestFichier* dossier = Dossier();
  TModuleBDD* m = dossier ? dossier->GetModuleBDD() : nullptr;
  TNoParent lu;
  if (m && numero_ > 0) ligneParents_ = m->ReadNoParents(numero_, lu);
  if (m && numero_ > 0 && ligneParents_) {
    noParents_ = lu;
    AfficheParents();
    return;
  }
  noParents_.PereA = Public.Pere.No;
  noParents_.MereA = Public.Mere.No;
  noParents_.PerePrinc = noParents_.MerePrinc = 0;
}

bool TPerson::DefaultNoParent() const {
  return noParents_.PereA == Public.Pere.No && noParents_.MereA == Public.Mere.No && noParents_.PerePrinc == 0 &&
         noParents_.MerePrinc == 0 && noParents_.PereB < 1 && noParents_.MereB < 1;
}

void TPerson::WriteNoParentFromBDD() {
  (void)EcritParents();
  // A cached copy of this person no longer knows its parents.
  if (fichier_ && fichier_->Cache()) TBufferisationArbChrono::De(*fichier_).Oublie(*this);
}

bool TPerson::EcritParents() {
  TGestFichier* dossier = Dossier();
  TModuleBDD* m = dossier ? dossier->GetModuleBDD() : nullptr;
  if (!m || numero_ <= 0 || dossier->IsReadOnly()) return true;
  if (!DefaultNoParent()) {
    if (!m->WriteNoParents(numero_, noParents_)) return false;
    ligneParents_ = true;
    return true;
  }
  if (!ligneParents_) return true;
  // No row to delete is no failure.
  TNoParent lu;
  if (!m->DeleteNoParents(numero_) && m->ReadNoParents(numero_, lu)) return false;
  ligneParents_ = false;
  return true;
}

void TPerson::SetNoPere(long no) {
  (noParents_.PerePrinc == 2 ? noParents_.PereB : noParents_.PereA) = static_cast<int32_t>(no);
}

void TPerson::SetNoMere(long no) {
  (noParents_.MerePrinc == 2 ? noParents_.MereB : noParents_.MereA) = static_cast<int32_t>(no);
}

namespace {
struct TPersonneAttachee : TAttacheFicPersons {
  explicit TPersonneAttachee(TFicPersons* fichier) : Personne(fichier, 0) {}
  TPerson Personne;
};
}  // namespace

TPerson& PersonneCourante(TFicPersons& fichier) {
  auto* attachee = dynamic_cast<TPersonneAttachee*>(fichier.Attache());
  if (!attachee) {
    auto nouvelle = std::make_unique<TPersonneAttachee>(&fichier);
    attachee = nouvelle.get();
    fichier.Attache(std::move(nouvelle));
  }
  return attachee->Personne;
}

}  // namespace kyb
