#pragma once
// TACRDatabase: one relational database file (an SQLite database with the engine catalogue), its
// connection, transactions, compaction and repair. TACRSession names a working session bound to
// a database; TACRTransaction is an RAII transaction.
//
// A file is "ours" when it is an SQLite database holding the table _acr_base with format
// "kybase-acr"; its generation tells the on-disk layout (5 current; 4 older, whose 8-bit texts
// are stored as raw Windows-1252 bytes). Opening a file that is not ours fails and writes
// nothing to it. The connection is opened in serialized mode: worker threads may run their own
// TACRQuery on the same database.
//
// Errors are reported by false results; the message (French) and the SQLite code of the last
// failure are kept in DerniereErreur() / CodeErreur().
#include <sqlite3.h>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "engine/acr_types.h"
#include "platform/chaines.h"

namespace kyb {

inline constexpr int kGenerationMoteur = 5;

class TACRDatabase {
 public:
  TACRDatabase() = default;
  explicit TACRDatabase(AnsiString fichier) : fichier_(std::move(fichier)) {}
  ~TACRDatabase();
  TACRDatabase(const TACRDatabase&) = delete;
  TACRDatabase& operator=(const TACRDatabase&) = delete;

  void SetFileName(const AnsiString& fichier);  // closes first when connected
  [[nodiscard]] const AnsiString& FileName() const { return fichier_; }
  void SetDatabaseName(std::string nom) { nomBase_ = std::move(nom); }
  [[nodiscard]] const std::string& DatabaseName() const { return nomBase_; }
  void SetSessionName(std::string nom) { nomSession_ = std::move(nom); }
  [[nodiscard]] const std::string& SessionName() const { return nomSession_; }
  void SetExclusive(bool exclusif) { exclusif_ = exclusif; }
  void SetReadOnly(bool lectureSeule) { lectureSeule_ = lectureSeule; }
  [[nodiscard]] bool ReadOnly() const { return lectureSeule_; }
  void SetGeneration(int generation) { generationCreation_ = generation; }  // for CreateDatabase

  [[nodiscard]] bool Exists() const;
  // Creates a new empty database file; false when the file exists or cannot be created.
  [[nodiscard]] bool CreateDatabase();
  // Opens the file; false when it is missing, locked, or not ours (nothing written then).
  [[nodiscard]] bool Open();
  void Close();
  [[nodiscard]] bool Connected() const { return connexion_ != nullptr; }
  [[nodiscard]] int Generation() const { return generation_; }

  // The file is ours and of the current generation.
  [[nodiscard]] static bool IsAccuracerDatabaseFile(const AnsiString& chemin);
  // 0 when the file is not ours (or unreadable), else its generation.
  [[nodiscard]] static int GenerationFichier(const AnsiString& chemin);

  [[nodiscard]] std::vector<std::string> GetTableNames() const;

  [[nodiscard]] bool StartTransaction();
  [[nodiscard]] bool Commit();
  [[nodiscard]] bool Rollback();
  [[nodiscard]] bool InTransaction() const;

  // Rewrites the file without free pages (the database must be open, no transaction).
  [[nodiscard]] bool Compact();
  // Checks the file; rebuilds the indexes when it is sound, otherwise copies every readable row
  // into a fresh file that replaces it (the damaged file is kept beside it with the extension
  // ".corrompu"). The callback receives a percentage. The database is open afterwards.
  [[nodiscard]] bool Repair(const std::function<void(int)>& progression = {});
  // "ok" or the first problems found by SQLite's integrity check.
  [[nodiscard]] std::string VerifieIntegrite() const;

  // Catalogue of field and index definitions.
  [[nodiscard]] bool LitDefinitions(const std::string& table, TACRFieldDefs& champs,
                                    TACRIndexDefs& index) const;
  [[nodiscard]] bool EcritDefinitions(const std::string& table, const TACRFieldDefs& champs,
                                      const TACRIndexDefs& index);
  [[nodiscard]] bool SupprimeDefinitions(const std::string& table);

  [[nodiscard]] sqlite3* Connexion() const { return connexion_; }
  [[nodiscard]] bool ExecuteSql(const std::string& sql);
  void NoteErreur(const std::string& message) const;
  void NoteErreurSqlite(const std::string& contexte) const;
  [[nodiscard]] const std::string& DerniereErreur() const { return derniereErreur_; }
  [[nodiscard]] int CodeErreur() const { return codeErreur_; }

 private:
  [[nodiscard]] bool OuvreConnexion(int drapeaux);
  [[nodiscard]] bool CopieLignesLisibles(TACRDatabase& cible, const std::string& table,
                                         const TACRFieldDefs& champs);

  AnsiString fichier_;
  std::string nomBase_;
  std::string nomSession_;
  bool exclusif_ = false;
  bool lectureSeule_ = false;
  int generation_ = 0;
  int generationCreation_ = kGenerationMoteur;
  sqlite3* connexion_ = nullptr;
  mutable std::string derniereErreur_;
  mutable int codeErreur_ = 0;
};

// A named session of a database (the engine's multi-session model; here a name and a binding).
class TACRSession {
 public:
  TACRSession() = default;
  explicit TACRSession(std::string nom) : nom_(std::move(nom)) {}
  void SetSessionName(std::string nom) { nom_ = std::move(nom); }
  [[nodiscard]] const std::string& SessionName() const { return nom_; }

 private:
  std::string nom_;
};

// Starts a transaction when none is open; rolls it back on destruction unless committed.
class TACRTransaction {
 public:
  explicit TACRTransaction(TACRDatabase& base);
  ~TACRTransaction();
  TACRTransaction(const TACRTransaction&) = delete;
  TACRTransaction& operator=(const TACRTransaction&) = delete;
  [[nodiscard]] bool Active() const { return active_; }
  [[nodiscard]] bool Commit();

 private:
  TACRDatabase& base_;
  bool active_ = false;
};

}  // namespace kyb
