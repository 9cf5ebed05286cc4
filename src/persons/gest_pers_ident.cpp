// The identifier of a person ("ID_PERS" simple field).
#include "fields/csdefchps.h"
#include "persons/gest_pers.h"
#include "persons/ident_pers.h"
#include "store/datamodulebdd.h"

namespace kyb {

AnsiString TPerson::GenereIdPersUnique() const {
  TGestFichier* dossier = Dossier();
  TModuleBDD* m = dossier ? dossier->GetModuleBDD() : nullptr;
  return kyb::GenereIdPersUnique([m](const AnsiString& id) { return m && IdPersExiste(*m, id); }, TirageIdPers);
}

bool TPerson::VerifIdPersOk(const AnsiString& idPers) const {
  const TGestFichier* dossier = Dossier();
  return dossier && dossier->VerifIdPersOk(idPers);
}

AnsiString TPerson::IdPersComplet(bool creer) {
  const AnsiString id = RetourneIdPers(creer);
  const TGestFichier* dossier = Dossier();
  return id.empty() || !dossier ? AnsiString() : dossier->IdGenea + id;
}

AnsiString TPerson::RetourneIdPers(bool creer) {
  TGestFichier* dossier = Dossier();
  if (!dossier) return {};
  if (TDefChpsCs* defs = dossier->GetDefChpsCs(); defs && !defs->IsChampExist(kLibelleIdPers))
    if (defs->CreatChpCs(kDefinitionIdPers)) (void)defs->Sauvegarde();
  LectureComplementaire();
  if (const int rg = fiche_.GetRgChpsSimple(kLibelleIdPers); rg >= 0)
    return UnicodeVersAnsi(fiche_.ChpsSimples[static_cast<size_t>(rg)].Chps.Enreg.Donnee);
  if (!creer || !FicheChargee()) return {};
  TChpsSimple champ(dossier->GetModuleBDD());
  champ.SetLibelle(kLibelleIdPers);
  const AnsiString id = GenereIdPersUnique();
  champ.SetDonnee(AnsiVersUnicode(id));
  const int position = fiche_.AddChpsSimpleInTV(champ);
  if (Enregistrement()) return id;
  (void)fiche_.SupprChpsSimpleNo(position);  // not stored: the card goes back as it was
  return {};
}

}  // namespace kyb
