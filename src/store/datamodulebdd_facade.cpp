// TModuleBDD: the module's operations handed to the units that carry them (life, maintenance,
// persons, places and values, sources and illustrations, person index rows).
#include "store/datamodulebdd.h"

#include "store/datamodulebdd_coeur_interne.h"
#include "store/datamodulebdd_evenements_interne.h"
#include "store/datamodulebdd_index_interne.h"
#include "store/datamodulebdd_lieux_interne.h"
#include "store/datamodulebdd_maintenance_interne.h"
#include "store/datamodulebdd_personnes_interne.h"
#include "store/datamodulebdd_sources_interne.h"
#include "store/lecteur_proches_interne.h"

namespace kyb {

TModuleBDD::TModuleBDD(TDossierBDD* dossier, AnsiString cheminBdd, AnsiString version)
    : coeur_(std::make_unique<TCoeurBDD>(dossier, std::move(cheminBdd), std::move(version))),
      base_(coeur_->base_.get()),
      personnes_(std::make_unique<TPersonnesBDD>(*coeur_)),
      lieux_(std::make_unique<TLieuxBDD>(*coeur_)),
      valeurs_(std::make_unique<TValeursBDD>(*coeur_)),
      evenements_(std::make_unique<TEvenementsBDD>(*coeur_, *this, *lieux_)),
      sources_(std::make_unique<TSourcesBDD>(*coeur_)),
      index_(std::make_unique<TIndexBDD>(*coeur_)),
      maintenance_(std::make_unique<TMaintenanceBDD>(*coeur_, [this](bool miseAJour) {
        return OpenDataBase(miseAJour);
      })) {
  coeur_->SetReparation([this] { (void)RepairDatabase(false); });
}

TModuleBDD::~TModuleBDD() {
  if (coeur_->EnImport()) (void)EndImport(coeur_->ImportIndex());
  CloseDataBase();
  proches_.reset();
  maintenance_.reset();
  index_.reset();
  sources_.reset();
  evenements_.reset();
  valeurs_.reset();
  lieux_.reset();
  personnes_.reset();
  coeur_.reset();
}

const std::string& TModuleBDD::NomBase() const { return coeur_->nomBase_; }
const std::string& TModuleBDD::NomSession() const { return coeur_->nomSession_; }
const AnsiString& TModuleBDD::Chemin() const { return coeur_->chemin_; }
TACRTable* TModuleBDD::Table(const std::string& nom) { return coeur_->Table(nom); }

// --- life ---

bool TModuleBDD::CreateDataBase() {
  bool erreur = false;
  if (coeur_->AConvertir(erreur) && !ConversionADB4To5(coeur_->chemin_)) return false;
  return !erreur && coeur_->Cree();
}

bool TModuleBDD::OpenDataBase(bool miseAJour, bool) {
  if (!coeur_->Ouvre()) return false;
  if (miseAJour) maintenance_->UpdateOldBase();
  if (!coeur_->EstLectureSeule() && !coeur_->EnImport()) (void)maintenance_->RetablitIndex();
  coeur_->OuvreTables();
  return true;
}

void TModuleBDD::CloseDataBase() { coeur_->CloseDataBase(); }
void TModuleBDD::UpdateOldBase() { maintenance_->UpdateOldBase(); }
void TModuleBDD::InitFieldCopy() { coeur_->InitFieldCopy(); }
UnicodeString TModuleBDD::GetVersionBDD() { return GetInfoChps("Vers", u""); }
void TModuleBDD::MAJTabInformation() { MAJInfoChps("Vers", AnsiVersUnicode(coeur_->version_)); }
UnicodeString TModuleBDD::GetInfoChps(const std::string& cle, const UnicodeString& defaut) {
  return coeur_->GetInfoChps(cle, defaut);
}
bool TModuleBDD::MAJInfoChps(const std::string& cle, const UnicodeString& valeur) {
  return coeur_->MAJInfoChps(cle, valeur);
}
bool TModuleBDD::TableExiste(const std::string& nom) { return coeur_->TableExiste(nom); }
int64_t TModuleBDD::NombreLignes(const std::string& table) { return coeur_->NombreLignes(table); }
void TModuleBDD::UpdateDateModifGenea() { coeur_->UpdateDateModifGenea(); }

// --- copies and maintenance ---

bool TModuleBDD::CopieADB() { return maintenance_->CopieADB(); }
bool TModuleBDD::RestoreOldADB(const AnsiString& cheminCopie) { return maintenance_->RestoreOldADB(cheminCopie); }
void TModuleBDD::DeleteCopieADB() { maintenance_->DeleteCopieADB(); }
AnsiString TModuleBDD::CheminCopie() const { return maintenance_->CheminCopie(); }
bool TModuleBDD::CompactBDD(bool silencieux) { return maintenance_->CompactBDD(silencieux); }
bool TModuleBDD::RepairDatabase(bool niveau) { return maintenance_->RepairDatabase(niveau); }
bool TModuleBDD::RepairDatabaseNiv1() { return RepairDatabase(false); }
bool TModuleBDD::RepairDatabaseNiv2() { return RepairDatabase(true); }
bool TModuleBDD::RepairTable(const std::string& table) { return maintenance_->RepairTable(table); }
bool TModuleBDD::RepaireIndexUnique() { return maintenance_->RepaireIndexUnique(); }
bool TModuleBDD::OptimisationBDD() { return maintenance_->OptimisationBDD(); }
void TModuleBDD::SetCancelRepair(bool annule) { maintenance_->SetCancelRepair(annule); }
bool TModuleBDD::IsCanceledRepair() const { return maintenance_->IsCanceledRepair(); }
bool TModuleBDD::ConversionADB4To5(const AnsiString& chemin) { return maintenance_->ConversionADB4To5(chemin); }
TACRFieldDefs TModuleBDD::ConvertDefsTo5(const TACRFieldDefs& anciennes) {
  return TMaintenanceBDD::ConvertDefsTo5(anciennes);
}
bool TModuleBDD::CopyTableV4toV5(TACRTable& source, TACRTable& cible) {
  return maintenance_->CopyTableV4toV5(source, cible);
}
void TModuleBDD::SetNameBDD(const AnsiString& chemin) { maintenance_->SetNameBDD(chemin); }
bool TModuleBDD::DestroyDataBaseBDD() { return maintenance_->DestroyDataBaseBDD(); }
void TModuleBDD::DeleteLesTables() { maintenance_->DeleteLesTables(); }
bool TModuleBDD::RestructurationBDD() { return maintenance_->RestructurationBDD(); }
const TBilanReparation& TModuleBDD::DernierBilanReparation() const { return maintenance_->DernierBilanReparation(); }
std::vector<std::string> TModuleBDD::RapportReparation() const { return maintenance_->RapportReparation(); }
int TModuleBDD::RetablitIndex() { return maintenance_->RetablitIndex(); }
TAnalyseBDD TModuleBDD::AnalyseBDD() { return maintenance_->AnalyseBDD(); }

// --- batching and locking ---

bool TModuleBDD::BeginImport(bool reconstruireIndex, bool grandsLots) {
  if (!coeur_->DebutImport(reconstruireIndex, grandsLots)) return false;
  personnes_->DebutImport();
  return true;
}

bool TModuleBDD::EndImport(bool reconstruireIndex) {
  if (!coeur_->EnImport()) return false;
  const bool reserveeEcrite = personnes_->FinImport();
  return coeur_->FinImport(reconstruireIndex) && reserveeEcrite;
}

bool TModuleBDD::EnImport() const { return coeur_->EnImport(); }
int64_t TModuleBDD::ProchainIdReserve(const std::string& table) const { return coeur_->ProchainIdReserve(table); }
bool TModuleBDD::Lock() { return coeur_->verrou_.Prend(); }
void TModuleBDD::Unlock() { coeur_->verrou_.Rend(); }
bool TModuleBDD::PostInTable(TACRTable& table) { return coeur_->PostInTable(table); }
bool TModuleBDD::DeleteInTable(TACRTable& table) { return coeur_->DeleteInTable(table); }
void TModuleBDD::BDDError(const std::string& table, const std::string& message) { coeur_->BDDError(table, message); }

// --- persons ---

bool TModuleBDD::ReadPerson(TEnregPublic& personne, long numero) { return personnes_->ReadPerson(personne, numero); }
bool TModuleBDD::ReadPersonData(TEnregPublic& personne, long numero) {
  return personnes_->ReadPersonData(personne, numero);
}
bool TModuleBDD::WritePerson(const TEnregPublic& personne, long numero) {
  return personnes_->WritePerson(personne, numero);
}
long TModuleBDD::InsertPerson() { return personnes_->InsertPerson(); }
bool TModuleBDD::PersonneNeuve(long numero) const { return personnes_->PersonneNeuve(numero); }
long TModuleBDD::GetMaxNoPers() { return personnes_->GetMaxNoPers(); }
long TModuleBDD::GetIDPersonMax() { return personnes_->GetIDPersonMax(); }
long TModuleBDD::CountPerson() { return personnes_->CountPerson(); }
long TModuleBDD::CountPersonDelete() { return personnes_->CountPersonDelete(); }
bool TModuleBDD::PersonDeleted(long numero) { return personnes_->PersonDeleted(numero); }
bool TModuleBDD::AddPersSuppr(long numero) { return personnes_->AddPersSuppr(numero); }
bool TModuleBDD::RemovePersSuppr(long numero) { return personnes_->RemovePersSuppr(numero); }
std::vector<long> TModuleBDD::GetListPersSuppr() { return personnes_->GetListPersSuppr(); }
bool TModuleBDD::ReadNoParents(long numero, TNoParent& parents) { return personnes_->ReadNoParents(numero, parents); }
bool TModuleBDD::WriteNoParents(long numero, const TNoParent& parents) {
  return personnes_->WriteNoParents(numero, parents);
}
bool TModuleBDD::DeleteNoParents(long numero) { return personnes_->DeleteNoParents(numero); }
std::vector<std::pair<long, TNoParent>> TModuleBDD::ListeNoParents() { return personnes_->ListeNoParents(); }
std::vector<long> TModuleBDD::EnfantsParentB(long parent) { return personnes_->EnfantsParentB(parent); }
std::vector<long> TModuleBDD::EnfantsParLiens(long parent) { return personnes_->EnfantsParLiens(parent); }
void TModuleBDD::BeginParcoursPerson() { personnes_->BeginParcoursPerson(); }
bool TModuleBDD::ReadPersonParcours(TEnregPublic& personne, long& numero) {
  return personnes_->ReadPersonParcours(personne, numero);
}
void TModuleBDD::EndParcoursPerson() { personnes_->EndParcoursPerson(); }
bool TModuleBDD::IsIDPersExists(long noPers) { return personnes_->IsIDPersExists(noPers); }
bool TModuleBDD::ChargeParentsSosa(long nbPersonnes, std::vector<TParentsSosa>& parents) {
  return personnes_->ChargeParentsSosa(nbPersonnes, parents);
}
std::vector<UnicodeString> TModuleBDD::GetListPersNom() { return personnes_->GetListPersNom(); }
std::vector<UnicodeString> TModuleBDD::GetListPersPrenoms() { return personnes_->GetListPersPrenoms(); }

// --- person index rows ---

std::vector<long> TModuleBDD::GetIndexPerson(long noPers) { return index_->GetIndexPerson(noPers); }
bool TModuleBDD::RemoveAllIndexPersonIndex() { return index_->RemoveAllIndexPersonIndex(); }
bool TModuleBDD::AddAllIndexPersonIndex() { return index_->AddAllIndexPersonIndex(); }
bool TModuleBDD::CreerTableIndexNomPrenoms() { return index_->CreerTableIndexNomPrenoms(); }
int64_t TModuleBDD::AjouteLigneIndexImport(const TEnregIndexPerson& ligne) { return index_->AjouteLigneIndexImport(ligne); }
long TModuleBDD::DeleteIndexPerson(long noPers) { return index_->DeleteIndexPerson(noPers); }
bool TModuleBDD::ParcoursLignesIndex(TOrdreLignesIndex ordre, long noPers,
                                     const std::function<bool(long, const TEnregIndexPerson&)>& action) {
  return index_->ParcoursLignesIndex(ordre, noPers, action);
}

bool TModuleBDD::ParcoursLignesIndexDe(const std::vector<long>& nos,
                                       const std::function<bool(long, const TEnregIndexPerson&)>& action) {
  return index_->ParcoursLignesIndexDe(nos, action);
}
long TModuleBDD::DeleteIndexHorsPersonnes(long nbPersonnes) { return index_->DeleteIndexHorsPersonnes(nbPersonnes); }
bool TModuleBDD::ParcoursEvenementsVie(long noPers,
                                       const std::function<void(long, std::string_view, const TDateKY&)>& action) {
  return index_->ParcoursEvenementsVie(noPers, action);
}
bool TModuleBDD::DeleteNoPers(long premier) { return index_->DeleteNoPers(premier); }

// --- places and values ---

bool TModuleBDD::TableLieuxExist() { return lieux_->TableLieuxExist(); }
bool TModuleBDD::ReadPlace(long id, TLieuBDD& lieu) { return lieux_->ReadPlace(id, lieu); }
bool TModuleBDD::WritePlace(long id, const TLieuBDD& lieu) { return lieux_->WritePlace(id, lieu); }
long TModuleBDD::GetNbLieux() { return lieux_->GetNbLieux(); }
bool TModuleBDD::ParcoursLieux(const std::function<void(long, const TLieuBDD&)>& action) {
  return lieux_->ParcoursLieux(action);
}
std::vector<std::pair<long, TLieuBDD>> TModuleBDD::RechercheLieux(const UnicodeString& debutCle, int maximum,
                                                                  bool avecSupprimes) {
  return lieux_->RechercheLieux(debutCle, maximum, avecSupprimes);
}
long TModuleBDD::ChercheLieu(const UnicodeString& cle) { return lieux_->ChercheLieu(cle); }
bool TModuleBDD::RemplaceLieux(const std::vector<TLieuBDD>& lieux) { return lieux_->RemplaceLieux(lieux); }
bool TModuleBDD::AssureIndexLieux() { return lieux_->AssureIndexLieux(); }
std::vector<UnicodeString> TModuleBDD::RechercheDonneesEvent(const AnsiString& libelle, const UnicodeString& debut,
                                                             int maximum) {
  return valeurs_->RechercheDonneesEvent(libelle, debut, maximum);
}
bool TModuleBDD::DonneeEventExiste(const AnsiString& libelle, const UnicodeString& donnee) {
  return valeurs_->DonneeEventExiste(libelle, donnee);
}
std::vector<UnicodeString> TModuleBDD::GetListDonneeEvent(const AnsiString& libelle) {
  return valeurs_->GetListDonneeEvent(libelle);
}
std::vector<UnicodeString> TModuleBDD::GetListLieuDitEvent() { return valeurs_->GetListLieuDitEvent(); }
std::vector<long> TModuleBDD::GetListIdLieuEvent() { return valeurs_->GetListIdLieuEvent(); }
std::vector<UnicodeString> TModuleBDD::GetListDescrSources() { return valeurs_->GetListDescrSources(); }
std::vector<UnicodeString> TModuleBDD::GetListTypeSource() { return valeurs_->GetListTypeSource(); }
std::vector<long> TModuleBDD::GetListIdQualites() { return valeurs_->GetListIdQualites(); }
std::vector<long> TModuleBDD::GetListIdParentes() { return valeurs_->GetListIdParentes(); }
std::vector<long> TModuleBDD::GetListIdEvenAvec(TListeEven liste) { return valeurs_->GetListIdEvenAvec(liste); }

// --- sources and illustrations ---

long TModuleBDD::ReturnNewNumSource() { return sources_->ReturnNewNumSource(); }
long TModuleBDD::ReturnNewNumIllustration() { return sources_->ReturnNewNumIllustration(); }
bool TModuleBDD::NoSourceExists(long id) { return sources_->NoSourceExists(id); }
bool TModuleBDD::NoIllustrationExists(long id) { return sources_->NoIllustrationExists(id); }
bool TModuleBDD::LectureSource(long id, TSourceBDD& source) { return sources_->LectureSource(id, source); }
bool TModuleBDD::LectureIllustration(long id, TIllustrationBDD& illustration) {
  return sources_->LectureIllustration(id, illustration);
}
bool TModuleBDD::EcritureSource(TSourceBDD& source) { return sources_->EcritureSource(source); }
bool TModuleBDD::EcritureIllustration(TIllustrationBDD& illustration) {
  return sources_->EcritureIllustration(illustration);
}
void TModuleBDD::BeginParcoursSources() { sources_->BeginParcoursSources(); }
bool TModuleBDD::GetSourceParcours(TSourceBDD& source) { return sources_->GetSourceParcours(source); }
void TModuleBDD::EndParcoursSources() { sources_->EndParcoursSources(); }
void TModuleBDD::BeginParcoursIllustrations() { sources_->BeginParcoursIllustrations(); }
bool TModuleBDD::GetIllustrationParcours(TIllustrationBDD& illustration) {
  return sources_->GetIllustrationParcours(illustration);
}
void TModuleBDD::EndParcoursIllustrations() { sources_->EndParcoursIllustrations(); }

}  // namespace kyb
