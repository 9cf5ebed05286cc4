#pragma once
// RAII over SQLite handles and the mapping of SQLite codes: private to the engine layer (only
// the engine's .cpp files include this header).
#include <sqlite3.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "engine/acr_database.h"
#include "engine/acr_erreur.h"
#include "engine/acr_types.h"
#include "platform/chaines.h"

namespace kyb {

// The prepared statements a connection keeps for reuse, by SQL text: a statement given back is
// reset and unbound, then lent again to the next user of the same text (SQLite prepares it again
// by itself when the schema changed). Several threads may borrow from one connection's cache.
// Closed with its connection: the statements kept are finalized then, and those still lent are
// finalized when given back.
class TCacheInstructions {
 public:
  static constexpr size_t kCapacite = 128;  // statements kept; the least recently given back go
  explicit TCacheInstructions(sqlite3* connexion) : connexion_(connexion) {}
  ~TCacheInstructions() { Ferme(); }
  TCacheInstructions(const TCacheInstructions&) = delete;
  TCacheInstructions& operator=(const TCacheInstructions&) = delete;

  // A kept statement of that text, or a new one; null when the text cannot be prepared (the
  // error is on the connection).
  [[nodiscard]] sqlite3_stmt* Emprunte(const std::string& sql);
  void Rend(sqlite3_stmt* instruction);
  void Ferme();
  [[nodiscard]] int64_t Preparations() const { return preparations_.load(std::memory_order_relaxed); }

 private:
  std::mutex verrou_;
  sqlite3* connexion_;
  bool ferme_ = false;
  std::vector<std::pair<std::string, sqlite3_stmt*>> gardees_;  // oldest given back first
  std::atomic<int64_t> preparations_{0};
};

// A prepared statement; finalized by the destructor, or given back to the cache it came from.
// Move-only.
class TInstruction {
 public:
  TInstruction() = default;
  TInstruction(sqlite3* connexion, const std::string& sql);  // prepared for this object alone
  // Borrowed from the cache of the database's connection (none when it is closed).
  [[nodiscard]] static TInstruction Empruntee(const TACRDatabase& base, const std::string& sql);
  ~TInstruction();
  TInstruction(TInstruction&& autre) noexcept;
  TInstruction& operator=(TInstruction&& autre) noexcept;
  TInstruction(const TInstruction&) = delete;
  TInstruction& operator=(const TInstruction&) = delete;

  [[nodiscard]] bool Valide() const { return stmt_ != nullptr; }
  [[nodiscard]] sqlite3_stmt* Brut() const { return stmt_; }
  void Reinitialise();  // reset and clear bindings
  void Lie(int position, const TValeur& valeur);  // 1-based; SQLite keeps its own copy
  // Binds without a copy: the value must stay unchanged until the statement is reset.
  void LieSansCopie(int position, const TValeur& valeur);
  // SQLITE_ROW, SQLITE_DONE or an error code.
  [[nodiscard]] int Etape();
  [[nodiscard]] TValeur Colonne(int i) const;  // 0-based
  [[nodiscard]] int NbColonnes() const;
  // Whether the statement belongs to that connection (a database closed and opened again has a
  // new one).
  [[nodiscard]] bool De(sqlite3* connexion) const { return stmt_ && sqlite3_db_handle(stmt_) == connexion; }

 private:
  void Libere();

  sqlite3_stmt* stmt_ = nullptr;
  std::shared_ptr<TCacheInstructions> cache_;  // where it goes back; null: finalized
};

// The connection of a TACRDatabase: closed by the destructor, counts the statements it starts
// and the transactions it commits (TACRDatabase::Activite).
class TConnexionSqlite {
 public:
  explicit TConnexionSqlite(sqlite3* connexion);
  ~TConnexionSqlite();
  TConnexionSqlite(const TConnexionSqlite&) = delete;
  TConnexionSqlite& operator=(const TConnexionSqlite&) = delete;

  [[nodiscard]] sqlite3* Brut() const { return connexion_; }
  [[nodiscard]] int64_t Instructions() const { return instructions_.load(std::memory_order_relaxed); }
  [[nodiscard]] int64_t Commits() const { return commits_.load(std::memory_order_relaxed); }
  [[nodiscard]] const std::shared_ptr<TCacheInstructions>& Cache() const { return cache_; }

 private:
  static int SurTrace(unsigned type, void* moi, void*, void*);
  static int SurCommit(void* moi);

  sqlite3* connexion_;
  std::shared_ptr<TCacheInstructions> cache_;
  std::atomic<int64_t> instructions_{0};
  std::atomic<int64_t> commits_{0};
};

// The engine's classes reach the raw connection of a database through this.
struct TAccesMoteur {
  [[nodiscard]] static sqlite3* Connexion(const TACRDatabase& base) {
    return base.connexion_ ? base.connexion_->Brut() : nullptr;
  }
  [[nodiscard]] static std::shared_ptr<TCacheInstructions> Cache(const TACRDatabase& base) {
    return base.connexion_ ? base.connexion_->Cache() : nullptr;
  }
};
[[nodiscard]] inline sqlite3* ConnexionDe(const TACRDatabase& base) { return TAccesMoteur::Connexion(base); }

// The engine's value for an SQLite result code (primary or extended).
[[nodiscard]] TErreurMoteur ErreurDeSqlite(int code);
// The value of a connection's last failure: its code, a full disk told by the system's error
// when SQLite saw only a failed read, write or creation.
[[nodiscard]] TErreurMoteur ErreurDeConnexion(sqlite3* connexion);
// Its French text; SQLite's own text only for a failure the engine has no word for (a fault of
// the SQL itself).
[[nodiscard]] std::string TexteConnexion(sqlite3* connexion);

// Sends the engine's own reads and writes through the platform's system-call table, so that a
// failing or short write (full disk) reaches the store exactly as it reaches the record files.
void BrancheAppelsMoteur();
// "file:" URI opening a database immutable (read-only, nothing created beside it).
[[nodiscard]] std::string UriImmuable(const AnsiString& chemin);

}  // namespace kyb
