// The events of a person: adding (with the refusal rules of the field definitions), removing,
// changing and finding them in the person's record card; copying a card to another person.
#include <optional>

#include "fields/csdefchps.h"
#include "persons/bufferisationarbchrono.h"
#include "persons/gest_pers.h"
#include "persons/ident_pers.h"
#include "store/datamodulebdd.h"

namespace kyb {

TDefChpsCs* TPerson::Definitions() const {
  TGestFichier* dossier = Dossier();
  return dossier ? dossier->GetDefChpsCs() : nullptr;
}

TModuleBDD* TPerson::Bdd() const {
  TGestFichier* dossier = Dossier();
  return dossier ? dossier->GetModuleBDD() : nullptr;
}

bool TPerson::AssureFiche() {
  if (FicheChargee() && fiche_.NoPers == numero_) return true;
  LectureComplementaire();
  if (!FicheChargee() && (numero_ == 0 || !Bdd())) {
    // An unnumbered person (or one without a store) has an empty card in memory; a stored person
    // whose card cannot be read gets none, so that nothing of it is overwritten.
    fiche_ = TChpsPersonne(numero_);
    fiche_.SetConjoints(Public);
    fiche_.EvenementsCharges = fiche_.ChpsSimplesCharges = true;
  }
  return FicheChargee();
}

void TPerson::PrevientRefus() const {
  TGestFichier* dossier = Dossier();
  if (TInterfaceUtilisateur* iu = dossier ? dossier->GetProprietaire() : nullptr)
    iu->Message(u"Fiche", kMessageAjoutRefuse);
}

bool TPerson::CanAddEvent(std::string_view libelle, long conjoint) {
  if (!AssureFiche()) return false;
  const TDefChpsCs* defs = Definitions();
  const TChpCs* def = defs ? defs->RechercheChampsInternePtr(libelle) : nullptr;
  if (def && def->Repetable) return true;
  if (def && def->IsLiaisonCouple()) return fiche_.GetRgEven(libelle, conjoint > 0 ? conjoint : 0) < 0;
  return fiche_.GetRgEven(libelle) < 0;
}

int TPerson::AjoutEven(const TEvenement& even, long conjoint, TPerson* objetConjoint) {
  if (!CanAddEvent(even.Enreg.LibelleChamps, conjoint)) {
    PrevientRefus();
    return -1;
  }
  TEvenement e = even;
  e.SetBdd(Bdd());
  const TDefChpsCs* defs = Definitions();
  const TChpCs* def = defs ? defs->RechercheChampsInternePtr(e.Enreg.LibelleChamps) : nullptr;
  const bool couple = def && def->IsLiaisonCouple() && conjoint > 0 && conjoint != numero_;
  e.SetNoConj(numero_, couple ? conjoint : 0);
  // Always a new record: a copy of another person's event keeps its lists, not its row.
  e.ChargeListes();
  e.Enreg.ID = 0;
  for (TSourceEven& source : e.Enreg.Sources) source.Id = 0;
  for (TIllustrationEven& illustration : e.Enreg.Illustrations) illustration.Id = 0;
  if (couple) AjouteChezConjoint(e, conjoint, objetConjoint);
  fiche_.SetConjoints(Public);
  return fiche_.AddEvenInTV(e);
}

void TPerson::AjouteChezConjoint(TEvenement& even, long conjoint, TPerson* objet) {
  if (!fichier_ || numero_ <= 0 || !fichier_->IsNoPersOk(conjoint)) return;
  std::optional<TPerson> lu;
  if (!objet || objet->Numero() != conjoint) objet = &lu.emplace(fichier_, conjoint, true);
  TPerson& autre = *objet;
  if (!autre.AssureFiche()) return;
  even.ChargeListes();
  const int position = autre.fiche_.AddEvenInTV(even);
  const uint32_t ordre = autre.fiche_.Evenements[static_cast<size_t>(position)].Ordre;
  if (!autre.Enregistrement()) return;
  // The row now exists: this person's copy takes its identifier, so that saving it updates the
  // same row instead of adding a second one.
  for (const TEvenementTV& tv : autre.fiche_.Evenements)
    if (tv.Ordre == ordre) even.Enreg.ID = tv.Even.Enreg.ID;
}

void TPerson::CopyChamps(TPerson& autre) {
  if (!autre.AssureFiche()) return;
  fiche_ = TChpsPersonne(numero_);
  fiche_.SetConjoints(Public);
  fiche_.EvenementsCharges = fiche_.ChpsSimplesCharges = true;
  const long source = autre.numero_;
  for (size_t i = 0; i < autre.fiche_.Evenements.size(); ++i) {
    if (autre.fiche_.Partages[i]) continue;
    TEvenement e = autre.fiche_.Evenements[i].Even;
    e.ChargeListes();
    e.Enreg.ID = 0;
    for (TSourceEven& s : e.Enreg.Sources) s.Id = 0;
    for (TIllustrationEven& il : e.Enreg.Illustrations) il.Id = 0;
    e.SetNoConj(numero_, e.NoConjoint(source));
    e.Enreg.RangA = e.Enreg.RangB = 0;
    (void)fiche_.AddEvenInTV(e);
  }
  for (const TChpsSimpleTV& tv : autre.fiche_.ChpsSimples) {
    if (tv.Chps.IsLibelleChamps(kLibelleIdPers)) continue;  // an identifier belongs to one person
    TChpsSimple c = tv.Chps;
    c.Enreg.ID = 0;
    c.SetNoConj(numero_, c.NoConjoint(source));
    c.Enreg.RangA = c.Enreg.RangB = 0;
    (void)fiche_.AddChpsSimpleInTV(c);
  }
}

int TPerson::AjoutEvenVierge(const AnsiString& libelle, long conjoint) {
  TEvenement e(Bdd());
  e.NouvelleFiche();
  e.SetLibelle(libelle);
  return AjoutEven(e, conjoint);
}

bool TPerson::SupprEvenNo(int position) { return AssureFiche() && fiche_.SupprEvenNo(position); }

int TPerson::SupprimeEvenement(std::string_view libelle, long conjoint) {
  int n = 0;
  for (int rg = GetRgEven(libelle, conjoint); rg >= 0; rg = GetRgEven(libelle, conjoint)) {
    if (!fiche_.SupprEvenNo(rg)) break;
    ++n;
  }
  return n;
}

TEvenement* TPerson::EvenNo(int position) {
  if (!AssureFiche() || position < 0 || position >= fiche_.GetNbInfoEven()) return nullptr;
  return &fiche_.Evenements[static_cast<size_t>(position)].Even;
}

TEvenement::TEnreg* TPerson::EvenNoEnreg(int position) {
  TEvenement* e = EvenNo(position);
  return e ? &e->Enreg : nullptr;
}

int TPerson::MajEvenNo(int position, const TEvenement& even) {
  TEvenement* e = EvenNo(position);
  if (!e) return -1;
  const int32_t id = e->Enreg.ID, a = e->Enreg.NoPersA, b = e->Enreg.NoPersB, rangA = e->Enreg.RangA,
                rangB = e->Enreg.RangB;
  TModuleBDD* bdd = e->Bdd();
  *e = even;
  e->SetBdd(bdd);
  e->Enreg.ID = id;
  e->Enreg.NoPersA = a;
  e->Enreg.NoPersB = b;
  e->Enreg.RangA = rangA;
  e->Enreg.RangB = rangB;
  // The label may have changed: the card is sorted again and the event found by its order.
  const uint32_t ordre = fiche_.Evenements[static_cast<size_t>(position)].Ordre;
  fiche_.Trie();
  for (size_t i = 0; i < fiche_.Evenements.size(); ++i)
    if (fiche_.Evenements[i].Ordre == ordre) return static_cast<int>(i);
  return -1;
}

int TPerson::GetNbInfoEven() { return AssureFiche() ? fiche_.GetNbInfoEven() : 0; }

int TPerson::GetRgEven(std::string_view libelle, long conjoint) {
  return AssureFiche() ? fiche_.GetRgEven(libelle, conjoint) : -1;
}

int TPerson::GetRgEvenByID(long id) { return AssureFiche() && id > 0 ? fiche_.GetRgEvenByID(id) : -1; }

TEvenement* TPerson::GetEvent(std::string_view libelle, long conjoint) { return EvenNo(GetRgEven(libelle, conjoint)); }

int TPerson::CountEvents(std::string_view libelle) {
  int n = 0;
  if (AssureFiche())
    for (const TEvenementTV& tv : fiche_.Evenements) n += tv.Even.IsLibelleChamps(libelle);
  return n;
}

std::vector<int> TPerson::ClassementChronoEven() {
  if (!AssureFiche()) return {};
  return kyb::ClassementChronoEven(fiche_);
}

std::vector<int> TPerson::ClassementTypeEven() {
  if (!AssureFiche()) return {};
  const TDefChpsCs* defs = Definitions();
  return kyb::ClassementTypeEven(fiche_,
                                 [defs](const AnsiString& l) { return defs ? defs->RechercheChampsInterneRg(l) : -1; });
}

}  // namespace kyb
