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
// Errors are reported by false results; the message (French) and the kind of the last failure
// are kept in DerniereErreur() / CodeErreur().
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/acr_erreur.h"
#include "engine/acr_types.h"
#include "platform/chaines.h"

namespace kyb {

inline constexpr int kGenerationMoteur = 5;

// What a repair did to one table: rows copied, rows known to exist that could not be read, and
// whether rows may have been lost without being counted (damage where no index could tell).
struct TBilanTable {
  std::string table;
  int64_t gardees = 0;
  int64_t perdues = 0;
  bool perteInconnue = false;
  bool definitionsReconstruites = false;  // the catalogue was unreadable for this table
};

struct TBilanReparation {
  bool reconstruite = false;    // the rows were copied into a fresh file
  AnsiString fichierEndommage;  // where the damaged file was kept (when reconstruite)
  std::vector<TBilanTable> tables;
  [[nodiscard]] bool SansPerte() const {
    for (const auto& t : tables)
      if (t.perdues > 0 || t.perteInconnue) return false;
    return true;
  }
};

// The definitions a caller knows for a table, used when the catalogue cannot give them.
using TSchemaConnu = std::function<bool(const std::string& table, TACRFieldDefs&, TACRIndexDefs&)>;

// State of a file on disk, read without writing anything to it.
enum class TEtatFichierBase {
  Absent,
  Etranger,    // not an SQLite file, or an SQLite file without the engine catalogue
  Endommage,   // an SQLite file with the engine catalogue, but unreadable in part
  Occupe,      // held by another connection or program past the wait
  Sain,        // ours, catalogue readable
};

class TConnexionSqlite;  // the engine's connection handle (engine/acr_sqlite_interne.h)

// What a connection did since it opened, for diagnostics.
struct TActiviteMoteur {
  int64_t instructions = 0;  // statements started (each run of a prepared statement counts)
  int64_t commits = 0;       // transactions committed, explicit or automatic
  int64_t preparations = 0;  // statements prepared for the cache of reusable ones
};

class TACRDatabase {
 public:
  TACRDatabase();
  explicit TACRDatabase(AnsiString fichier);
  ~TACRDatabase();
  TACRDatabase(const TACRDatabase&) = delete;
  TACRDatabase& operator=(const TACRDatabase&) = delete;

  void SetFileName(const AnsiString& fichier);  // closes first when connected
  [[nodiscard]] const AnsiString& FileName() const { return fichier_; }
  void SetDatabaseName(std::string nom) { nomBase_ = std::move(nom); }
  [[nodiscard]] const std::string& DatabaseName() const { return nomBase_; }
  void SetSessionName(std::string nom) { nomSession_ = std::move(nom); }
  [[nodiscard]] const std::string& SessionName() const { return nomSession_; }
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
  // The state, and in *generation (when given) the generation of a sound file, from one look:
  // a caller that decides on both never mixes two looks (a file busy at one and free at the
  // other).
  [[nodiscard]] static TEtatFichierBase EtatFichier(const AnsiString& chemin, int* generation = nullptr);

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
  // When the catalogue is unreadable, the definitions come from schema (else from the columns
  // SQLite still knows). bilan receives what was kept and lost per table. A file whose catalogue
  // is damaged, which Open() refuses, can be repaired.
  [[nodiscard]] bool Repair(const std::function<void(int)>& progression = {},
                            const TSchemaConnu& schema = {}, TBilanReparation* bilan = nullptr);
  // Whether the physical index of (table, nom) exists in the file.
  [[nodiscard]] bool IndexPhysiqueExiste(const std::string& table, const std::string& nom) const;
  // Whether the definition needs nothing more in the file: its physical index exists, or it is
  // the row number itself.
  [[nodiscard]] bool IndexPhysiqueEnPlace(const std::string& table, const TACRIndexDef& index) const;
  // Creates the physical index of a definition already in the catalogue.
  [[nodiscard]] bool RecreeIndexPhysique(const std::string& table, const TACRIndexDef& index);
  // "ok" or the first problems found by SQLite's integrity check.
  [[nodiscard]] std::string VerifieIntegrite() const;

  // Catalogue of field and index definitions.
  [[nodiscard]] bool LitDefinitions(const std::string& table, TACRFieldDefs& champs,
                                    TACRIndexDefs& index) const;
  [[nodiscard]] bool EcritDefinitions(const std::string& table, const TACRFieldDefs& champs,
                                      const TACRIndexDefs& index);
  [[nodiscard]] bool SupprimeDefinitions(const std::string& table);

  // Runs SQL text without results (several statements may follow each other).
  [[nodiscard]] bool ExecuteSql(const std::string& sql);
  // Statements started and commits made on the connection since it opened (zero when closed).
  [[nodiscard]] TActiviteMoteur Activite() const;

  // The message takes the kind of the connection's last failure.
  void NoteErreur(const std::string& message) const;
  void NoteErreur(const std::string& message, TErreurMoteur code) const {
    derniereErreur_ = message;
    codeErreur_ = code;
  }
  void NoteErreurSqlite(const std::string& contexte) const;
  // Why a file that is not a sound store cannot be opened (message and kind).
  void NoteEtatFichier(TEtatFichierBase etat) const;
  // The last failed file operation of the platform on this thread: its text and its kind.
  void NoteErreurSysteme(const std::string& contexte) const;
  [[nodiscard]] const std::string& DerniereErreur() const { return derniereErreur_; }
  [[nodiscard]] TErreurMoteur CodeErreur() const { return codeErreur_; }

 private:
  [[nodiscard]] bool OuvreConnexion(int drapeaux, bool immuable = false);
  [[nodiscard]] bool OuvrePourReparation();
  [[nodiscard]] bool CatalogueSain(const std::string& table) const;
  [[nodiscard]] bool DefinitionsPourCopie(const std::string& table, const TSchemaConnu& schema,
                                          TACRFieldDefs& champs, TACRIndexDefs& index,
                                          bool& reconstruites) const;
  [[nodiscard]] std::vector<std::string> ColonnesPhysiques(const std::string& table) const;
  [[nodiscard]] std::vector<int64_t> RowidsConnus(const std::string& table) const;
  [[nodiscard]] bool CopieTable(TACRDatabase& cible, const std::string& table,
                                const TSchemaConnu& schema, TBilanTable& bilan);
  void CopieLignesLisibles(TACRDatabase& cible, const std::string& table,
                           const TACRFieldDefs& champs, TBilanTable& bilan);
  [[nodiscard]] bool RemplaceParReconstruction(const AnsiString& neuf, TBilanReparation& bilan);

  AnsiString fichier_;
  std::string nomBase_;
  std::string nomSession_;
  bool lectureSeule_ = false;
  int generation_ = 0;
  int generationCreation_ = kGenerationMoteur;
  std::unique_ptr<TConnexionSqlite> connexion_;
  mutable std::string derniereErreur_;
  mutable TErreurMoteur codeErreur_ = TErreurMoteur::Aucune;

  friend struct TAccesMoteur;
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
