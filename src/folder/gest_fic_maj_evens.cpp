// What the folder does for its events: one-time upgrade steps (simple fields PROFESSION, TITRE,
// DECORATION turned into event fields), the labels of shared events handed to the store, and the
// person cache emptied of the persons whose records the store writes.
#include "fields/csdefchps.h"
#include "folder/fic_notes.h"
#include "folder/gest_fic.h"
#include "folder/gest_fic_pers.h"
#include "store/datamodulebdd.h"

namespace kyb {
namespace {

// The field kind that makes a field an event with information (Part of the field definitions).
constexpr int kTypeEvenementInfo = 9;

}  // namespace

bool TGestFichier::UpdateChpsEnEvenement(const char* cle, const char* libelle) {
  if (!DefChpsCs || !ModuleBDD || LectureSeule) return false;
  if (ModuleBDD->GetInfoChps(cle) != u"0") return false;
  TChpCs* champ = DefChpsCs->RechercheChampsInternePtr(libelle);
  if (champ && champ->Type != kTypeEvenementInfo) {
    if (ModuleBDD->ChpsSimpleEven(libelle) < 0) return false;  // tried again at the next opening
    champ->Type = kTypeEvenementInfo;
    if (!DefChpsCs->Sauvegarde()) return false;
  }
  return ModuleBDD->MAJInfoChps(cle, u"UPDATED");
}

bool TGestFichier::UpdateChpsProfession() { return UpdateChpsEnEvenement("UPDATE_PROF", "PROFESSION"); }
bool TGestFichier::UpdateChpsTitre() { return UpdateChpsEnEvenement("UPDATE_TITRE", "TITRE"); }
bool TGestFichier::UpdateChpsDecoration() { return UpdateChpsEnEvenement("UPDATE_DECO", "DECORATION"); }

void TGestFichier::OublieEnCache(long noPers) {
  if (noPers > 0 && FicPersons && FicPersons->Cache()) FicPersons->Cache()->Delete(static_cast<int>(noPers));
}

long TGestFichier::NbNotes() const { return FicNotes && FicNotes->Valide() ? FicNotes->NbEnreg : -1; }

void TGestFichier::TransmetLibellesPartages() {
  if (!ModuleBDD || !DefChpsCs) return;
  std::vector<AnsiString> libelles;
  for (int i = 0; i < DefChpsCs->Count(); ++i)
    if (const TChpCs* c = DefChpsCs->GetChpCs(i); c && c->Partage) libelles.push_back(c->LibelleInterne);
  ModuleBDD->SetLibellesPartages(std::move(libelles));
}

}  // namespace kyb
