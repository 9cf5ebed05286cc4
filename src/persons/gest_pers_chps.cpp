// The simple fields of a person (a label and a datum): adding with the rules of the field
// definitions, removing, changing and finding them in the person's record card.
#include "fields/csdefchps.h"
#include "persons/gest_pers.h"
#include "store/datamodulebdd.h"

namespace kyb {
namespace {

// A second field of a label is refused when its definition is neither repeatable nor a couple
// field (or the label is unknown); a couple field is refused only for the same spouse.
bool PeutAjouter(const TChpsPersonne& fiche, const TDefChpsCs* defs, std::string_view libelle, long conjoint) {
  const TChpCs* def = defs ? defs->RechercheChampsInternePtr(libelle) : nullptr;
  if (def && def->Repetable) return true;
  for (const TChpsSimpleTV& tv : fiche.ChpsSimples)
    if (tv.Chps.IsLibelleChamps(libelle) &&
        (!def || !def->IsLiaisonCouple() || tv.Chps.NoConjoint(fiche.NoPers) == conjoint))
      return false;
  return true;
}

}  // namespace

int TPerson::AjoutChpsSimple(const TChpsSimple& chps, long conjoint) {
  if (!AssureFiche()) return -1;
  const TDefChpsCs* defs = Definitions();
  const TChpCs* def = defs ? defs->RechercheChampsInternePtr(chps.Enreg.LibelleChamps) : nullptr;
  const bool couple = def && def->IsLiaisonCouple() && conjoint > 0 && conjoint != numero_;
  if (!PeutAjouter(fiche_, defs, chps.Enreg.LibelleChamps, couple ? conjoint : 0)) {
    PrevientRefus();
    return -1;
  }
  TChpsSimple c = chps;
  c.SetBdd(Bdd());
  c.SetNoConj(numero_, couple ? conjoint : 0);
  fiche_.SetConjoints(Public);
  return fiche_.AddChpsSimpleInTV(c);
}

int TPerson::AjoutChpsSimpleVierge(const AnsiString& libelle, long conjoint) {
  TChpsSimple c(Bdd());
  c.SetLibelle(libelle);
  return AjoutChpsSimple(c, conjoint);
}

int TPerson::AjoutChpsSimpleImmediatDisque(const AnsiString& libelle, const UnicodeString& donnee) {
  TChpsSimple c(Bdd());
  c.SetLibelle(libelle);
  c.SetDonnee(donnee);
  const int position = AjoutChpsSimple(c);
  if (position < 0) return -1;
  const uint32_t ordre = fiche_.ChpsSimples[static_cast<size_t>(position)].Ordre;
  if (!Enregistrement()) {
    (void)fiche_.SupprChpsSimpleNo(position);  // not stored: the card goes back as it was
    return -1;
  }
  for (size_t i = 0; i < fiche_.ChpsSimples.size(); ++i)
    if (fiche_.ChpsSimples[i].Ordre == ordre) return static_cast<int>(i);
  return -1;
}

bool TPerson::SupprChpsSimpleNo(int position) { return AssureFiche() && fiche_.SupprChpsSimpleNo(position); }

TChpsSimple* TPerson::ChpsSimpleNo(int position) {
  if (!AssureFiche() || position < 0 || position >= fiche_.GetNbChpsSimple()) return nullptr;
  return &fiche_.ChpsSimples[static_cast<size_t>(position)].Chps;
}

int TPerson::MajChpsSimpleNo(int position, const TChpsSimple& chps) {
  TChpsSimple* c = ChpsSimpleNo(position);
  if (!c) return -1;
  c->SetLibelle(chps.Enreg.LibelleChamps);
  c->SetDonnee(chps.Enreg.Donnee);
  const uint32_t ordre = fiche_.ChpsSimples[static_cast<size_t>(position)].Ordre;
  fiche_.Trie();
  for (size_t i = 0; i < fiche_.ChpsSimples.size(); ++i)
    if (fiche_.ChpsSimples[i].Ordre == ordre) return static_cast<int>(i);
  return -1;
}

int TPerson::GetNbChpsSimple() { return AssureFiche() ? fiche_.GetNbChpsSimple() : 0; }

int TPerson::GetRgChpsSimple(std::string_view libelle) { return AssureFiche() ? fiche_.GetRgChpsSimple(libelle) : -1; }

int TPerson::GetRgChpsSimpleByID(long id) {
  if (!AssureFiche() || id <= 0) return -1;
  for (size_t i = 0; i < fiche_.ChpsSimples.size(); ++i)
    if (fiche_.ChpsSimples[i].Chps.Enreg.ID == id) return static_cast<int>(i);
  return -1;
}

std::vector<UnicodeString> TPerson::ValeursChpsSimple(std::string_view libelle) {
  std::vector<UnicodeString> valeurs;
  if (AssureFiche())
    for (const TChpsSimpleTV& tv : fiche_.ChpsSimples)
      if (tv.Chps.IsLibelleChamps(libelle)) valeurs.push_back(tv.Chps.Enreg.Donnee);
  return valeurs;
}

bool TPerson::SetValeurChpsSimple(const AnsiString& libelle, const UnicodeString& donnee) {
  if (!AssureFiche()) return false;
  if (donnee.empty()) {
    for (int rg = fiche_.GetRgChpsSimple(libelle); rg >= 0; rg = fiche_.GetRgChpsSimple(libelle))
      if (!fiche_.SupprChpsSimpleNo(rg)) return false;
    return true;
  }
  if (const int rg = fiche_.GetRgChpsSimple(libelle); rg >= 0) {
    fiche_.ChpsSimples[static_cast<size_t>(rg)].Chps.SetDonnee(donnee);
    return true;
  }
  TChpsSimple c(Bdd());
  c.SetLibelle(libelle);
  c.SetDonnee(donnee);
  return AjoutChpsSimple(c) >= 0;
}

}  // namespace kyb
