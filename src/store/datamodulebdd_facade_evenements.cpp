// TModuleBDD: the operations on events and simple fields, handed to the events unit.
#include "store/datamodulebdd.h"

#include "store/datamodulebdd_evenements_interne.h"

namespace kyb {

bool TModuleBDD::LectureEven(TEvenement& even, long id) { return evenements_->LectureEven(even, id); }
bool TModuleBDD::EnregistrementEven(TEvenement& even) { return evenements_->EnregistrementEven(even); }
bool TModuleBDD::AjouteEvenImport(TEvenement& even) { return evenements_->AjouteEvenImport(even); }
bool TModuleBDD::LectureChpsSimple(TChpsSimple& chps, long id) { return evenements_->LectureChpsSimple(chps, id); }
bool TModuleBDD::EnregistrementChpsSimple(TChpsSimple& chps) { return evenements_->EnregistrementChpsSimple(chps); }
void TModuleBDD::GetEvenement(TACRTable& table, TEvenement::TEnreg& enreg) { evenements_->GetEvenement(table, enreg); }
void TModuleBDD::SetEvenement(TACRTable& table, const TEvenement::TEnreg& enreg) {
  evenements_->SetEvenement(table, enreg);
}
void TModuleBDD::GetChpsSimple(TACRTable& table, TChpsSimple::TEnreg& enreg) {
  evenements_->GetChpsSimple(table, enreg);
}
void TModuleBDD::SetChpsSimple(TACRTable& table, const TChpsSimple::TEnreg& enreg) {
  evenements_->SetChpsSimple(table, enreg);
}
void TModuleBDD::ChargerPersAssocieeOfEven(TEvenement::TEnreg& enreg) { evenements_->ChargerPersAssocieeOfEven(enreg); }
void TModuleBDD::ChargerSourceOfEven(TEvenement::TEnreg& enreg) { evenements_->ChargerSourceOfEven(enreg); }
void TModuleBDD::ChargerIllustrationOfEven(TEvenement::TEnreg& enreg) { evenements_->ChargerIllustrationOfEven(enreg); }
bool TModuleBDD::EnregistrementPersAssociees(TEvenement::TEnreg& enreg, bool nouveau) {
  return evenements_->EnregistrementPersAssociees(enreg, nouveau);
}
bool TModuleBDD::UpdaterSourceOfEven(TEvenement::TEnreg& enreg, bool nouveau) {
  return evenements_->UpdaterSourceOfEven(enreg, nouveau);
}
bool TModuleBDD::UpdaterIllustrationOfEven(TEvenement::TEnreg& enreg, bool nouveau) {
  return evenements_->UpdaterIllustrationOfEven(enreg, nouveau);
}
long TModuleBDD::ReturnNewNumEven() { return evenements_->ReturnNewNumEven(); }
long TModuleBDD::ReturnNewNumChpsSimple() { return evenements_->ReturnNewNumEven(); }
bool TModuleBDD::IsReserved(long idEven) const { return evenements_->IsReserved(idEven); }
long TModuleBDD::GetNextRangEven(long noPers, int type, bool coteB) {
  return evenements_->GetNextRangEven(noPers, type, coteB);
}
bool TModuleBDD::UpdateRang(long idEven) { return evenements_->UpdateRang(idEven); }
bool TModuleBDD::SupprimeIDOfTableEven(long id) { return evenements_->SupprimeIDOfTableEven(id); }
bool TModuleBDD::DeleteEvent(long id) { return evenements_->DeleteEvent(id); }
bool TModuleBDD::SupprimeEvenDefinitvement(long id) { return evenements_->SupprimeEvenDefinitvement(id); }
long TModuleBDD::GetIDEventMax() { return evenements_->GetIDEventMax(); }
bool TModuleBDD::ShiftIDEvent(long minimum) { return evenements_->ShiftIDEvent(minimum); }
bool TModuleBDD::IsIdEventExistBDD(long id) { return evenements_->IsIdEventExistBDD(id); }
bool TModuleBDD::EvenChangeNoPersA(long ancien, long nouveau) { return evenements_->EvenChangeNoPersA(ancien, nouveau); }
bool TModuleBDD::EvenChangeID(long ancien, long nouveau) { return evenements_->EvenChangeID(ancien, nouveau); }
bool TModuleBDD::IsIDevenAssocieNoPers(long id, long noPers) { return evenements_->IsIDevenAssocieNoPers(id, noPers); }
bool TModuleBDD::IsDateTriableEven() { return evenements_->IsDateTriableEven(); }
std::vector<TNotesCouple> TModuleBDD::GetNotesCouples(long noPers) { return evenements_->GetNotesCouples(noPers); }
std::vector<long> TModuleBDD::GetIdEvensCitant(long noPers) { return evenements_->GetIdEvensCitant(noPers); }

// --- a person's record card ---

void TModuleBDD::ChargerLienChpsOfPerson(TChpsPersonne& personne, int, bool) {
  evenements_->ChargerLienChpsOfPerson(personne);
}
void TModuleBDD::ChargerLienChpsOfPersonThread(TChpsPersonne& personne) {
  evenements_->ChargerLienChpsOfPersonThread(personne);
}
void TModuleBDD::RechargerTableEvenementTV(TChpsPersonne& personne) { evenements_->RechargerTableEvenementTV(personne); }
bool TModuleBDD::EnregistrerChpsOfPerson(TChpsPersonne& personne, bool evenements, bool chpsSimples) {
  return evenements_->EnregistrerChpsOfPerson(personne, evenements, chpsSimples);
}
bool TModuleBDD::MasquerChpsOfPerson(long noPers, bool restaurer) {
  return evenements_->MasquerChpsOfPerson(noPers, restaurer);
}
void TModuleBDD::SetLibellesPartages(std::vector<AnsiString> libelles) {
  evenements_->SetLibellesPartages(std::move(libelles));
}
bool TModuleBDD::EstLibellePartage(const AnsiString& libelle) const { return evenements_->EstLibellePartage(libelle); }
bool TModuleBDD::AddPersAsso(long idEven, long noPers, long qualite, long parente) {
  return evenements_->AddPersAsso(idEven, noPers, qualite, parente);
}
int TModuleBDD::CleanSharedEvent(const AnsiString& libelle, TProgression* progression) {
  return evenements_->CleanSharedEvent(libelle, progression);
}
int TModuleBDD::ConversionEvenPartage(TProgression* progression) {
  return evenements_->ConversionEvenPartage(progression);
}

// --- edits by label and search ---

int TModuleBDD::ChangeTypeEvenement(const AnsiString& libelle, int type) {
  return evenements_->ChangeTypeEvenement(libelle, type);
}
int TModuleBDD::RenameEven(const AnsiString& ancien, const AnsiString& nouveau) {
  return evenements_->RenameEven(ancien, nouveau);
}
int TModuleBDD::ModifChampsAvecLeLibelle(const AnsiString& libelle, const UnicodeString& ancienne,
                                         const UnicodeString& nouvelle) {
  return evenements_->ModifChampsAvecLeLibelle(libelle, ancienne, nouvelle);
}
int TModuleBDD::UpdateDataEvent(const AnsiString& libelle, const UnicodeString& donnee) {
  return evenements_->UpdateDataEvent(libelle, donnee);
}
int TModuleBDD::RemoveDataEvent(const AnsiString& libelle) { return evenements_->UpdateDataEvent(libelle, u""); }
int TModuleBDD::UpdateResidence(long lieuAncien, long lieuNouveau) {
  return evenements_->UpdateResidence(lieuAncien, lieuNouveau);
}
int TModuleBDD::ChpsSimpleEven(const AnsiString& libelle) { return evenements_->ChpsSimpleEven(libelle); }
bool TModuleBDD::SearchEven(std::map<long, long>& resultat, const TFilterEvent& filtre) {
  return evenements_->SearchEven(resultat, filtre);
}
std::string TModuleBDD::SqlSearchEven(const TFilterEvent& filtre) { return TEvenementsBDD::SqlSearchEven(filtre); }
std::vector<long> TModuleBDD::ApplyFilterEvent(const TFilterEvent& filtre, const std::vector<long>& personnes) {
  return evenements_->ApplyFilterEvent(filtre, personnes);
}
std::vector<long> TModuleBDD::GetFilteredEventPerson(long noPers, const TFilterEvent& filtre) {
  return evenements_->GetFilteredEventPerson(noPers, filtre);
}
std::vector<long> TModuleBDD::FiltreEventByLieuDate(const std::vector<long>& personnes, long lieu, int anneeMin,
                                                    int anneeMax) {
  return evenements_->FiltreEventByLieuDate(personnes, lieu, anneeMin, anneeMax);
}
UnicodeString TModuleBDD::ConvertirChaineFormatSQL(const UnicodeString& texte) {
  return TEvenementsBDD::ConvertirChaineFormatSQL(texte);
}
UnicodeString TModuleBDD::FormatChaine_Donnee(const UnicodeString& texte, bool echappe) {
  return TEvenementsBDD::FormatChaine_Donnee(texte, echappe);
}

// --- walks ---

bool TModuleBDD::BeginParcoursEvens(const std::string& index, const std::string& filtre, bool arriere,
                                    const TCle& debut) {
  return evenements_->BeginParcoursEvens(index, filtre, arriere, debut);
}
bool TModuleBDD::EofParcoursEvens() const { return evenements_->EofParcoursEvens(); }
bool TModuleBDD::GetEvenParcours(TEvenement& even) { return evenements_->GetEvenParcours(even); }
void TModuleBDD::EndParcoursEvens() { evenements_->EndParcoursEvens(); }
bool TModuleBDD::BeginParcoursChpsSimple(const std::string& index, const std::string& filtre, bool arriere,
                                         const TCle& debut) {
  return evenements_->BeginParcoursChpsSimple(index, filtre, arriere, debut);
}
bool TModuleBDD::EofParcoursChpsSimple() const { return evenements_->EofParcoursChpsSimple(); }
bool TModuleBDD::GetChpsSimpleParcours(TChpsSimple& chps) { return evenements_->GetChpsSimpleParcours(chps); }
void TModuleBDD::EndParcoursChpsSimple() { evenements_->EndParcoursChpsSimple(); }
bool TModuleBDD::BeginParcoursFiches(const std::string& index) { return evenements_->BeginParcoursFiches(index); }
bool TModuleBDD::GetFicheParcours(TEvenement& even, TChpsSimple& chps, bool& estEven) {
  return evenements_->GetFicheParcours(even, chps, estEven);
}
void TModuleBDD::EndParcoursFiches() { evenements_->EndParcoursFiches(); }

}  // namespace kyb
