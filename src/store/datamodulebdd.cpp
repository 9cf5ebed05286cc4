// The core of the store: its tables, creation, opening, information table, batching, error log.
#include "store/datamodulebdd_coeur_interne.h"

#include <atomic>
#include <vector>

#include "platform/date_heure.h"
#include "platform/fichiers.h"
#include "platform/journal.h"
#include "platform/thread_nom.h"
#include "store/datamodulebdd.h"
#include "store/schema_bdd.h"

namespace kyb {
namespace {

constexpr int kPostsParLot = 1000;
constexpr int kPostsParLotSansIndex = 250000;
std::atomic<int> gCompteurBases{0};

// Secondary indexes dropped for the length of an import and built once at its end, in the
// schema's order (the catalogue then matches the schema): every row poured in would otherwise
// update each of them at a random place. An import reads no event back by its holder: it numbers
// the ranks itself (TEvenementsBDD::AjouteEvenImport).
struct TIndexImport {
  const char* table;
  std::vector<const char*> index;
};
const std::vector<TIndexImport>& IndexSuspendus() {
  static const std::vector<TIndexImport> liste = {
      {"Personnes", {"Par_Pere", "Par_Mere"}},
      {"Evenements", {"ParLibEtDonnee", "ParNoPersAEtLib", "ParNoPersA", "ParNoPersB", "ParLieu", "Par_DATE",
                      "Par_DateLastModif"}},
      {"IndexNomPrenoms", {"ParNom", "ParPrenom", "ParAnneeMinMax"}}};
  return liste;
}

}  // namespace

TCoeurBDD::TCoeurBDD(TDossierBDD* dossier, AnsiString cheminBdd, AnsiString version)
    : dossier_(dossier), chemin_(std::move(cheminBdd)), version_(std::move(version)) {
  const int n = ++gCompteurBases;
  nomBase_ = "AccuracerBDD_" + std::to_string(n);
  nomSession_ = "ses" + std::to_string(n);
  base_ = std::make_unique<TACRDatabase>(chemin_);
  base_->SetDatabaseName(nomBase_);
  base_->SetSessionName(nomSession_);
  session_.SetSessionName(nomSession_);
}

void TCoeurBDD::JournalSauvegarde(const std::string& texte) const {
  AjouteJournal("LOG_BACKUP", texte);
}

bool TCoeurBDD::TableExiste(const std::string& nom) {
  return base_->Connected() && TACRTable(*base_, nom).Exists();
}

bool TModuleBDD::LitResume(const AnsiString& cheminBdd, TResumeBDD& resume) {
  TACRDatabase base(cheminBdd);
  base.SetReadOnly(true);
  if (!base.Open()) return false;
  const auto compte = [&base](const char* sql) -> long {
    TACRQuery q(base, sql);
    return q.Open() && !q.Eof() ? static_cast<long>(q.Fields(0).AsInt64()) : 0;
  };
  // Record 0 is no person.
  resume.nbPersonnes =
      std::max(0L, compte("SELECT count(*) FROM Personnes") - compte("SELECT count(*) FROM PersonnesSuppr") - 1);
  resume.dateModif.clear();
  TACRQuery q(base, "SELECT Donnees FROM TabInformations WHERE Champs = 'Date_Modif_Genea'");
  if (q.Open() && !q.Eof()) resume.dateModif = q.Fields(0).AsUnicodeString();
  return true;
}

int64_t TCoeurBDD::NombreLignes(const std::string& table) {
  TACRTable* t = Table(table);
  return t ? t->RecordCount() : 0;
}

void TCoeurBDD::OuvreTables() {
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

void TCoeurBDD::FermeTables() {
  for (TUniteBDD* u : unites_) u->FermeCurseurs();
  tables_.clear();
}

void TCoeurBDD::FermeTable(const std::string& nom) {
  if (auto it = tables_.find(nom); it != tables_.end()) it->second->Close();
}

void TCoeurBDD::CloseDataBase() {
  FermeTables();
  base_->Close();
}

bool TCoeurBDD::CreeTable(const std::string& nom) {
  TACRTable t(*base_, nom);
  if (t.Exists()) return true;
  const TDefinitionTable& def = DefinitionTable(nom);
  if (!t.CreateTable(def.champs, def.index)) {
    BDDError(nom, base_->DerniereErreur());
    return false;
  }
  return true;
}

void TCoeurBDD::CreePersonnesSuppr() {
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

bool TCoeurBDD::AConvertir(bool& erreur) {
  erreur = false;
  // An open store is ours; a file on disk is checked before anything touches it, in one look: a
  // store busy with another program is busy, never taken for an older generation.
  if (base_->Connected() || !FichierExiste(chemin_)) return false;
  int generation = 0;
  const TEtatFichierBase etat = TACRDatabase::EtatFichier(chemin_, &generation);
  if (etat == TEtatFichierBase::Sain) return generation < kGenerationMoteur;
  base_->NoteEtatFichier(etat);
  BDDError("", base_->DerniereErreur());
  erreur = true;
  return false;
}

bool TCoeurBDD::Cree() {
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

bool TCoeurBDD::Ouvre() {
  JournalSauvegarde("OpenDataBase " + AnsiVersUtf8(chemin_));
  CloseDataBase();
  base_->SetReadOnly(EstLectureSeule());
  if (!FichierExiste(chemin_)) return false;
  if (!base_->Open()) {
    BDDError("", base_->DerniereErreur());
    return false;
  }
  return true;
}

void TCoeurBDD::InitFieldCopy() {
  if (EstLectureSeule()) return;
  if (GetInfoChps("Version-G", u"") == AnsiVersUnicode(kVersionSchema)) return;
  if (GetInfoChps("LAST_DATE_CONTROL_IMG", u"").empty() && dossier_ &&
      dossier_->GetEtatControleImages() == 1)
    dossier_->SetEtatControleImages(5);
  MAJInfoChps("Version-G", AnsiVersUnicode(kVersionSchema));
}

UnicodeString TCoeurBDD::GetInfoChps(const std::string& cle, const UnicodeString& defaut) {
  if (!base_->Connected()) return defaut;
  // A private query: workers may ask too, and the shared cursor keeps its place.
  TACRQuery q(*base_, "SELECT Donnees FROM TabInformations WHERE Champs = :cle LIMIT 1");
  q.SetParamAnsi("cle", cle);
  if (!q.Open() || q.Eof()) return defaut;
  return q.Fields(0).AsUnicodeString();
}

bool TCoeurBDD::MAJInfoChps(const std::string& cle, const UnicodeString& valeur) {
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

bool TCoeurBDD::DebutImport(bool reconstruireIndex, bool grandsLots) {
  if (enImport_ || !base_->Connected() || EstLectureSeule()) return false;
  importIndex_ = reconstruireIndex;
  // An import that drops the indexes is whole or nothing already: cut short, it leaves a store
  // without them until they are built again. Its batches only bound memory, so they are large:
  // each commit rewrites the pages it touched and checkpoints the log.
  postsParLot_ = reconstruireIndex || grandsLots ? kPostsParLotSansIndex : kPostsParLot;
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
  enImport_ = true;
  postsImport_ = 0;
  return true;
}

int64_t TCoeurBDD::ProchainIdReserve(const std::string& table) const {
  const auto it = idsReserves_.find(table);
  return it == idsReserves_.end() ? 0 : it->second;
}

bool TCoeurBDD::FinImport(bool reconstruireIndex) {
  if (!enImport_) return false;
  enImport_ = false;
  const bool ok = !base_->InTransaction() || base_->Commit();
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

bool TCoeurBDD::CompteLot(const std::string& table) {
  // During an import the transaction is committed and restarted every postsParLot_ posts.
  if (++postsImport_ % postsParLot_ == 0 && base_->InTransaction()) {
    if (!base_->Commit() || !base_->StartTransaction()) {
      BDDError(table, base_->DerniereErreur());
      return false;
    }
  }
  return true;
}

bool TCoeurBDD::DeleteInTable(TACRTable& table) {
  if (table.Delete()) return true;
  BDDError(table.TableName(), base_->DerniereErreur());
  return false;
}

void TCoeurBDD::BDDError(const std::string& table, const std::string& message) {
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
    if (reparation_) reparation_();
}

void TCoeurBDD::UpdateDateModifGenea() {
  if (enImport_ || EstLectureSeule()) return;
  MAJInfoChps("Date_Modif_Genea", AnsiVersUnicode(FormatDateHeure("dd/mm/yyyy hh:nn:ss", Maintenant())));
}

std::vector<UnicodeString> TCoeurBDD::ListeTextes(const std::string& sql, const UnicodeString& parametre) {
  std::vector<UnicodeString> valeurs;
  if (!base_->Connected()) return valeurs;
  TACRQuery q(*base_, sql);
  if (!parametre.empty()) q.SetParamUnicode("p", parametre);
  if (!q.Open()) return valeurs;
  for (; !q.Eof(); q.Next()) valeurs.push_back(q.Fields(0).AsUnicodeString());
  return valeurs;
}

std::vector<long> TCoeurBDD::ListeNombres(const std::string& sql) {
  std::vector<long> valeurs;
  if (!base_->Connected()) return valeurs;
  TACRQuery q(*base_, sql);
  if (!q.Open()) return valeurs;
  for (; !q.Eof(); q.Next()) valeurs.push_back(static_cast<long>(q.Fields(0).AsInt64()));
  return valeurs;
}

}  // namespace kyb
