// Life of the store: creation, opening, upgrade, information table, batching, error log.
#include "store/datamodulebdd.h"

#include <atomic>
#include <vector>

#include "platform/fichiers.h"
#include "platform/journal.h"
#include "platform/thread_nom.h"
#include "store/schema_bdd.h"

namespace kyb {
namespace {

constexpr int kTailleLotImport = 1000;
std::atomic<int> gCompteurBases{0};

// Secondary indexes dropped for the length of an import and built once at its end: every row
// poured in would otherwise update each of them at a random place. The indexes by holder
// (events) and by person number (person index rows) stay: an import reads cards back by them.
struct TIndexImport {
  const char* table;
  std::vector<const char*> index;
};
const std::vector<TIndexImport>& IndexSuspendus() {
  static const std::vector<TIndexImport> liste = {
      {"Personnes", {"Par_Pere", "Par_Mere"}},
      {"Evenements", {"ParLibEtDonnee", "ParNoPersAEtLib", "ParLieu", "Par_DATE", "Par_DateLastModif"}},
      {"IndexNomPrenoms", {"ParNom", "ParPrenom", "ParAnneeMinMax"}}};
  return liste;
}

// Packed yyyymmdd of a stored date text "DD/MM/YYYY" (unknown parts count 0), or of the first
// year of a range "YYYY/YYYY"; 0 when the text holds no year.
int32_t DateTriable(const AnsiString& date) {
  const auto nombre = [&](size_t debut, size_t n) {
    int v = 0;
    for (size_t i = debut; i < debut + n; ++i) {
      if (i >= date.size() || date[i] < '0' || date[i] > '9') return 0;
      v = v * 10 + (date[i] - '0');
    }
    return v;
  };
  if (date.size() >= 10 && date[2] == '/' && date[5] == '/')
    return nombre(6, 4) * 10000 + nombre(3, 2) * 100 + nombre(0, 2);
  if (date.size() >= 9 && date[4] == '/') return nombre(0, 4) * 10000;
  return 0;
}

}  // namespace

TModuleBDD::TModuleBDD(TDossierBDD* dossier, AnsiString cheminBdd, AnsiString version)
    : dossier_(dossier), chemin_(std::move(cheminBdd)), version_(std::move(version)) {
  const int n = ++gCompteurBases;
  nomBase_ = "AccuracerBDD_" + std::to_string(n);
  nomSession_ = "ses" + std::to_string(n);
  base_ = std::make_unique<TACRDatabase>(chemin_);
  base_->SetDatabaseName(nomBase_);
  base_->SetSessionName(nomSession_);
  session_.SetSessionName(nomSession_);
}

TModuleBDD::~TModuleBDD() {
  if (enImport_) (void)EndImport(importIndex_);
  CloseDataBase();
}

void TModuleBDD::JournalSauvegarde(const std::string& texte) const {
  AjouteJournal("LOG_BACKUP", texte);
}

TACRTable* TModuleBDD::Table(const std::string& nom) {
  const auto it = tables_.find(nom);
  if (it == tables_.end() || !it->second->Active()) return nullptr;
  return it->second.get();
}

bool TModuleBDD::TableExiste(const std::string& nom) {
  return base_->Connected() && TACRTable(*base_, nom).Exists();
}

int64_t TModuleBDD::NombreLignes(const std::string& table) {
  TACRTable* t = Table(table);
  return t ? t->RecordCount() : 0;
}

void TModuleBDD::OuvreTables() {
  for (const auto& def : SchemaBDD()) {
    auto& t = tables_[def.nom];
    if (!t) {
      t = std::make_unique<TACRTable>(*base_, def.nom);
      t->OnPostError = [this](TACRTable& table, const std::string& message) {
        BDDError(table.TableName(), message);
      };
    }
    if (!t->Active() && t->Exists()) (void)t->Open();
  }
}

void TModuleBDD::FermeTables() {
  FermeCurseursEvens();
  parcoursPersonnes_.reset();
  tables_.clear();
}

void TModuleBDD::CloseDataBase() {
  FermeTables();
  base_->Close();
}

bool TModuleBDD::CreeTable(const std::string& nom) {
  TACRTable t(*base_, nom);
  if (t.Exists()) return true;
  const TDefinitionTable& def = DefinitionTable(nom);
  if (!t.CreateTable(def.champs, def.index)) {
    BDDError(nom, base_->DerniereErreur());
    return false;
  }
  return true;
}

void TModuleBDD::CreePersonnesSuppr() {
  if (EstLectureSeule() || TableExiste("PersonnesSuppr")) return;
  std::vector<long> supprimees;
  if (TableExiste("Personnes")) supprimees = ListeNombres("SELECT ID From Personnes where FicheSupprimee == 79");
  if (!CreeTable("PersonnesSuppr")) return;
  TACRTable t(*base_, "PersonnesSuppr");
  if (!t.Open()) return;
  TACRTransaction transaction(*base_);
  for (const long no : supprimees) {
    t.Insert();
    t.FieldByName("ID").SetInteger(no);
    (void)t.Post();
  }
  if (transaction.Active()) (void)transaction.Commit();
  TACRTable personnes(*base_, "Personnes");
  if (personnes.IndexExists("Par_FicheSupprimee")) (void)personnes.DeleteIndex("Par_FicheSupprimee");
}

bool TModuleBDD::CreateDataBase() {
  // An open store is ours; a file on disk is checked before anything touches it.
  if (!base_->Connected() && FichierExiste(chemin_) && !TACRDatabase::IsAccuracerDatabaseFile(chemin_)) {
    if (TACRDatabase::GenerationFichier(chemin_) == 0) {
      base_->NoteEtatFichier(TACRDatabase::EtatFichier(chemin_));
      BDDError("", base_->DerniereErreur());
      return false;
    }
    if (!ConversionADB4To5(chemin_)) return false;
  }
  if (!CreeRepertoires(ExtraitRepertoire(chemin_))) return false;
  const bool etaitConnecte = base_->Connected();
  if (!etaitConnecte) {
    if (!FichierExiste(chemin_)) {
      if (!base_->CreateDatabase()) {
        BDDError("", base_->DerniereErreur());
        return false;
      }
    } else if (!base_->Open()) {
      BDDError("", base_->DerniereErreur());
      return false;
    }
  }
  for (const auto& def : SchemaBDD()) {
    if (def.nom == "PersonnesSuppr")
      CreePersonnesSuppr();
    else if (!CreeTable(def.nom))
      return false;
  }
  if (!etaitConnecte) base_->Close();
  else OuvreTables();
  return true;
}

bool TModuleBDD::OpenDataBase(bool miseAJour, bool) {
  JournalSauvegarde("OpenDataBase " + AnsiVersUtf8(chemin_));
  CloseDataBase();
  base_->SetExclusive(true);
  base_->SetReadOnly(EstLectureSeule());
  if (!FichierExiste(chemin_)) return false;
  if (!base_->Open()) {
    BDDError("", base_->DerniereErreur());
    return false;
  }
  if (miseAJour) UpdateOldBase();
  if (!EstLectureSeule() && !enImport_) (void)RetablitIndex();
  OuvreTables();
  return true;
}

bool TModuleBDD::MetAuSchema(const std::string& nom, TProgression& progression,
                             const UnicodeString& texte) {
  const TDefinitionTable& def = DefinitionTable(nom);
  TACRTable t(*base_, nom);
  if (!t.Exists()) return CreeTable(nom);
  TACRFieldDefs champs;
  TACRIndexDefs index;
  if (!t.ReadDefs(champs, index)) return false;
  if (champs == def.champs && index == def.index) return true;
  progression.Texte(texte);
  progression.Texte(u"Mise à jour de la table \"" + AnsiVersUnicode(nom) + u"\"");
  if (!t.RestructureTable(def.champs, def.index)) {
    BDDError(nom, base_->DerniereErreur());
    return false;
  }
  return true;
}

void TModuleBDD::AjouterTypeDateEven() {
  TACRTable t(*base_, "Evenements");
  TACRFieldDefs champs;
  TACRIndexDefs index;
  if (!t.ReadDefs(champs, index)) return;
  if (!TrouveChamp(champs, "_DATE") && !t.AddField({"_DATE", TTypeChamp::Int32, 0, false})) return;
  if (!t.Open()) return;
  TACRTransaction transaction(*base_);
  for (t.First(); !t.Eof(); t.Next()) {
    t.Edit();
    t.FieldByName("_DATE").SetInteger(DateTriable(t.FieldByName("Date").AsAnsiString()));
    (void)t.Post();
  }
  if (transaction.Active()) (void)transaction.Commit();
}

bool TModuleBDD::BesoinMiseAJour() {
  for (const auto& def : SchemaBDD()) {
    if (def.nom == "PersonnesSuppr" || def.nom == "Personnes" || def.nom == "Lieux") continue;
    TACRTable t(*base_, def.nom);
    TACRFieldDefs champs;
    TACRIndexDefs index;
    if (!t.ReadDefs(champs, index) || champs != def.champs || index != def.index) return true;
  }
  return false;
}

void TModuleBDD::UpdateOldBase() {
  if (!EstThreadPrincipal() || EstLectureSeule() || !base_->Connected() || !BesoinMiseAJour()) return;
  // Whether the sortable date column must be filled, decided before any restructuring adds it.
  bool sansDateTriable = false;
  {
    TACRTable t(*base_, "Evenements");
    TACRFieldDefs champs;
    TACRIndexDefs index;
    sansDateTriable = t.ReadDefs(champs, index) && !TrouveChamp(champs, "_DATE");
  }
  TProgression progression(Interface(), u"Mise à jour de la base de données...", 9);
  const UnicodeString simple = u"Mise à jour de la base de données...";
  const UnicodeString unicode = u"Mise à jour de la base de données (Gestion Unicode)...";
  // Text columns of older stores become wide strings first.
  for (const char* nom : {"Evenements", "Sources", "IndexNomPrenoms"}) {
    TACRTable t(*base_, nom);
    TACRFieldDefs champs;
    TACRIndexDefs index;
    if (!t.ReadDefs(champs, index)) continue;
    const auto& cible = DefinitionTable(nom).champs;
    bool texteEtroit = false;
    for (const auto& c : champs)
      if (const TACRFieldDef* d = TrouveChamp(cible, c.nom))
        texteEtroit |= d->type == TTypeChamp::WideString && EstTypeTexte8Bits(c.type);
    if (texteEtroit) (void)MetAuSchema(nom, progression, unicode);
  }
  const char* etapes[] = {"NotesTranscription", "Geolocalisation", "RechercheVastrelNet",
                          "IndexNomPrenoms"};
  for (const char* nom : etapes) {
    progression.Avance();
    (void)MetAuSchema(nom, progression, simple);
  }
  progression.Avance();
  {
    TACRTable geo(*base_, "Geolocalisation");
    TACRFieldDefs champs;
    TACRIndexDefs index;
    if (geo.ReadDefs(champs, index) && !TrouveChamp(champs, "CurrentAddress"))
      (void)geo.AddField({"CurrentAddress", TTypeChamp::WideString, 120, false});
  }
  progression.Avance();
  if (sansDateTriable) AjouterTypeDateEven();
  for (const char* nom : {"Evenements", "IDParents", "TabInformations", "Illustrations"}) {
    progression.Avance();
    (void)MetAuSchema(nom, progression, simple);
  }
}

void TModuleBDD::InitFieldCopy() {
  if (EstLectureSeule()) return;
  if (GetInfoChps("Version-G", u"") == AnsiVersUnicode(kVersionSchema)) return;
  if (GetInfoChps("LAST_DATE_CONTROL_IMG", u"").empty() && dossier_ &&
      dossier_->GetEtatControleImages() == 1)
    dossier_->SetEtatControleImages(5);
  MAJInfoChps("Version-G", AnsiVersUnicode(kVersionSchema));
}

UnicodeString TModuleBDD::GetVersionBDD() { return GetInfoChps("Vers", u""); }

void TModuleBDD::MAJTabInformation() { MAJInfoChps("Vers", AnsiVersUnicode(version_)); }

UnicodeString TModuleBDD::GetInfoChps(const std::string& cle, const UnicodeString& defaut) {
  if (!base_->Connected()) return defaut;
  // A private query: workers may ask too, and the shared cursor keeps its place.
  TACRQuery q(*base_, "SELECT Donnees FROM TabInformations WHERE Champs = :cle LIMIT 1");
  q.SetParamAnsi("cle", cle);
  if (!q.Open() || q.Eof()) return defaut;
  return q.Fields(0).AsUnicodeString();
}

bool TModuleBDD::MAJInfoChps(const std::string& cle, const UnicodeString& valeur) {
  if (EstLectureSeule() || !base_->Connected()) return false;
  TACRQuery existe(*base_, "SELECT count(*) FROM TabInformations WHERE Champs = :cle");
  existe.SetParamAnsi("cle", cle);
  if (!existe.Open()) return false;
  const bool present = existe.Fields(0).AsInteger() > 0;
  existe.Close();
  TACRQuery ecrit(*base_, present ? "UPDATE TabInformations SET Donnees = :v WHERE Champs = :cle"
                                  : "INSERT INTO TabInformations(Champs, Donnees) VALUES(:cle, :v)");
  ecrit.SetParamAnsi("cle", cle);
  ecrit.SetParamUnicode("v", valeur.substr(0, 256));
  if (!ecrit.ExecSQL()) {
    BDDError("TabInformations", base_->DerniereErreur());
    return false;
  }
  return true;
}

bool TModuleBDD::BeginImport(bool reconstruireIndex) {
  if (enImport_ || !base_->Connected() || EstLectureSeule()) return false;
  importIndex_ = reconstruireIndex;
  if (reconstruireIndex)
    for (const TIndexImport& s : IndexSuspendus())
      if (TACRTable* t = Table(s.table))
        for (const char* index : s.index)
          if (t->IndexExists(index)) (void)t->DeleteIndex(index);
  // Batches are committed without waiting for the disk: with the write-ahead log a crash still
  // leaves the last committed batch or an earlier one, never a torn store. EndImport syncs.
  // A large page cache keeps the index pages of the events table in memory while rows pour in.
  (void)base_->ExecuteSql("PRAGMA synchronous=NORMAL; PRAGMA cache_size=-262144");
  if (!base_->StartTransaction()) return false;
  // Identifiers reserved by a probe row: imported rows follow one another from here.
  idsReserves_.clear();
  for (const char* nom : {"Evenements", "Sources", "Illustrations"}) {
    TACRTable* t = Table(nom);
    if (!t) continue;
    t->Insert();
    if (!t->Post()) continue;
    idsReserves_[nom] = t->RowId();
    (void)t->Delete();
  }
  plusGrandNumeroImport_ = std::max(GetMaxNoPers(), GetIDPersonMax());
  enImport_ = true;
  postsImport_ = 0;
  reservee_ = 0;
  return true;
}

int64_t TModuleBDD::ProchainIdReserve(const std::string& table) const {
  const auto it = idsReserves_.find(table);
  return it == idsReserves_.end() ? 0 : it->second;
}

bool TModuleBDD::EndImport(bool reconstruireIndex) {
  if (!enImport_) return false;
  const bool reserveeEcrite = EcritPersonneReservee();
  enImport_ = false;
  reservee_ = 0;
  const bool ok = (!base_->InTransaction() || base_->Commit()) && reserveeEcrite;
  // The indexes are built while the large page cache still serves their sorts.
  if (reconstruireIndex)
    for (const TIndexImport& s : IndexSuspendus())
      if (TACRTable* t = Table(s.table))
        for (const auto& def : DefinitionTable(s.table).index)
          if (!t->IndexExists(def.nom) && !t->AddIndex(def)) BDDError(s.table, base_->DerniereErreur());
  (void)base_->ExecuteSql("PRAGMA synchronous=FULL; PRAGMA cache_size=-32768");
  (void)base_->ExecuteSql("PRAGMA wal_checkpoint(FULL)");
  return ok;
}

bool TModuleBDD::PostInTable(TACRTable& table) {
  if (!table.Post()) return false;
  // During an import the transaction is committed and restarted every 1000 posts.
  if (enImport_ && ++postsImport_ % kTailleLotImport == 0 && base_->InTransaction()) {
    if (!base_->Commit() || !base_->StartTransaction()) {
      BDDError(table.TableName(), base_->DerniereErreur());
      return false;
    }
  }
  return true;
}

bool TModuleBDD::DeleteInTable(TACRTable& table) {
  if (table.Delete()) return true;
  BDDError(table.TableName(), base_->DerniereErreur());
  return false;
}

void TModuleBDD::BDDError(const std::string& table, const std::string& message) {
  AjouteJournal("LogBDD.log", message + (table.empty() ? "" : " (" + table + ")") + "|NamneBDD:" +
                                  nomBase_ + " code " + NomErreurMoteur(base_->CodeErreur()));
  // Damaged pages on the tables of events and their attachments: offer the repair at once.
  const TErreurMoteur code = base_->CodeErreur();
  const bool tableSensible = table == "Evenements" || table == "Sources" ||
                             table == "Illustrations" || table == "PersAssociees" ||
                             table == "IndexNomPrenoms";
  TInterfaceUtilisateur* iu = Interface();
  if (iu && tableSensible && (code == TErreurMoteur::Endommagee || code == TErreurMoteur::PasUneBase) &&
      EstThreadPrincipal() &&
      iu->Question(u"Base de données", u"La base de données de votre généalogie semble endommagée.\n\n"
                                       u"Souhaitez-vous la réparer maintenant ?",
                   kBoutonOui | kBoutonNon, kReponseNon) == kReponseOui)
    (void)RepairDatabase(false);
}

}  // namespace kyb
