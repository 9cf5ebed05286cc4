#pragma once
// The core of the store, shared by its units: the database and its session, one look-up cursor
// per table, the folder, the batch of an import, the information table and the error log.
// TCoeurBDD also carries the life of the store (creation, opening, closing).
//
// TUniteBDD is the base of every unit (persons, events, places, sources, index rows,
// maintenance): a unit takes the core by reference, owns its own walk cursors and prepared
// queries, and drops them when the core closes its tables.
//
// Private to the store: only store .cpp files include this header.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/acr_database.h"
#include "engine/acr_query.h"
#include "engine/acr_table.h"
#include "platform/chaines.h"
#include "platform/verrou.h"
#include "store/dossier_bdd.h"

namespace kyb {

class TUniteBDD;

class TCoeurBDD {
 public:
  TCoeurBDD(TDossierBDD* dossier, AnsiString cheminBdd, AnsiString version);
  TCoeurBDD(const TCoeurBDD&) = delete;
  TCoeurBDD& operator=(const TCoeurBDD&) = delete;

  // --- tables ---
  // The look-up cursor of a table (null when the table is not open).
  [[nodiscard]] TACRTable* Table(const std::string& nom) {
    const auto it = tables_.find(nom);
    if (it == tables_.end() || !it->second->Active()) return nullptr;
    return it->second.get();
  }
  [[nodiscard]] bool TableExiste(const std::string& nom);
  [[nodiscard]] int64_t NombreLignes(const std::string& table);
  void OuvreTables();
  // Every unit drops its cursors, then the look-up cursors close.
  void FermeTables();
  void CloseDataBase();
  [[nodiscard]] bool CreeTable(const std::string& nom);
  // Closes the look-up cursor of a table (before the table is dropped and made again).
  void FermeTable(const std::string& nom);

  // --- life ---
  // The file holds a store of an older engine generation that must be converted first; false
  // with the error noted when it is no store at all (erreur set).
  [[nodiscard]] bool AConvertir(bool& erreur);
  // Directory chain, database and missing tables.
  [[nodiscard]] bool Cree();
  // Closes and reopens; false when the file is missing or is not a store.
  [[nodiscard]] bool Ouvre();
  void InitFieldCopy();
  [[nodiscard]] UnicodeString GetInfoChps(const std::string& cle, const UnicodeString& defaut);
  bool MAJInfoChps(const std::string& cle, const UnicodeString& valeur);
  void UpdateDateModifGenea();  // not while importing

  // --- batch of an import ---
  [[nodiscard]] bool DebutImport(bool reconstruireIndex, bool grandsLots);
  [[nodiscard]] bool FinImport(bool reconstruireIndex);
  [[nodiscard]] bool EnImport() const { return enImport_; }
  [[nodiscard]] bool ImportIndex() const { return importIndex_; }
  // Counts a post of the import: every postsParLot the batch is committed and a new one started.
  [[nodiscard]] bool CompteLot(const std::string& table);
  [[nodiscard]] int64_t ProchainIdReserve(const std::string& table) const;
  // The next reserved identifier of a table (then advanced); 0 when none is reserved.
  [[nodiscard]] int32_t IdReserve(const std::string& table) {
    auto it = idsReserves_.find(table);
    if (it == idsReserves_.end() || it->second <= 0) return 0;
    return static_cast<int32_t>(it->second++);
  }
  [[nodiscard]] bool PostInTable(TACRTable& table) { return table.Post() && (!enImport_ || CompteLot(table.TableName())); }
  [[nodiscard]] bool DeleteInTable(TACRTable& table);

  // --- errors and folder ---
  void BDDError(const std::string& table, const std::string& message);
  [[nodiscard]] bool EstLectureSeule() const { return dossier_ && dossier_->IsReadOnly(); }
  [[nodiscard]] TInterfaceUtilisateur* Interface() const {
    return dossier_ ? dossier_->GetProprietaire() : nullptr;
  }
  void JournalSauvegarde(const std::string& texte) const;
  // Single-column results of a query, as texts or numbers (parametre bound to :p when given).
  [[nodiscard]] std::vector<UnicodeString> ListeTextes(const std::string& sql, const UnicodeString& parametre = {});
  [[nodiscard]] std::vector<long> ListeNombres(const std::string& sql);
  [[nodiscard]] long Nombre(const std::string& sql) {
    const std::vector<long> n = ListeNombres(sql);
    return n.empty() ? 0 : n.front();
  }

  void Inscrit(TUniteBDD& unite) { unites_.push_back(&unite); }
  // What BDDError runs when the user accepts to repair a damaged store.
  void SetReparation(std::function<void()> reparation) { reparation_ = std::move(reparation); }

  TDossierBDD* dossier_;
  AnsiString chemin_;
  AnsiString version_;
  std::string nomBase_;
  std::string nomSession_;
  std::unique_ptr<TACRDatabase> base_;
  TACRSession session_;
  TVerrou verrou_;

 private:
  void CreePersonnesSuppr();

  std::map<std::string, std::unique_ptr<TACRTable>> tables_;
  std::vector<TUniteBDD*> unites_;
  std::function<void()> reparation_;
  bool enImport_ = false;
  bool importIndex_ = false;
  int postsImport_ = 0;
  int postsParLot_ = 1000;  // posts per committed batch of the import under way
  std::map<std::string, int64_t> idsReserves_;
};

// Base of the units: the core's services under short names.
class TUniteBDD {
 public:
  explicit TUniteBDD(TCoeurBDD& coeur) : coeur_(coeur), base_(coeur.base_.get()) { coeur.Inscrit(*this); }
  virtual ~TUniteBDD() = default;
  TUniteBDD(const TUniteBDD&) = delete;
  TUniteBDD& operator=(const TUniteBDD&) = delete;
  // Drops the unit's cursors and prepared queries (the tables are closing).
  virtual void FermeCurseurs() {}

 protected:
  [[nodiscard]] TACRTable* Table(const std::string& nom) { return coeur_.Table(nom); }
  [[nodiscard]] bool EstLectureSeule() const { return coeur_.EstLectureSeule(); }
  [[nodiscard]] bool EnImport() const { return coeur_.EnImport(); }
  [[nodiscard]] TInterfaceUtilisateur* Interface() const { return coeur_.Interface(); }
  [[nodiscard]] bool PostInTable(TACRTable& table) { return coeur_.PostInTable(table); }
  [[nodiscard]] bool DeleteInTable(TACRTable& table) { return coeur_.DeleteInTable(table); }
  void BDDError(const std::string& table, const std::string& message) { coeur_.BDDError(table, message); }
  [[nodiscard]] std::vector<long> ListeNombres(const std::string& sql) { return coeur_.ListeNombres(sql); }
  static void InsertInTable(TACRTable& table) { table.Insert(); }
  static void EditInTable(TACRTable& table) { table.Edit(); }
  static void Cancel(TACRTable& table) { table.Cancel(); }

  TCoeurBDD& coeur_;
  TACRDatabase* const base_;  // the core's database, which outlives every unit
};

}  // namespace kyb
