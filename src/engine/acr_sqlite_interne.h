#pragma once
// RAII over SQLite handles and the mapping of SQLite codes: private to the engine layer (only
// the engine's .cpp files include this header).
#include <sqlite3.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/acr_database.h"
#include "engine/acr_erreur.h"
#include "engine/acr_types.h"
#include "platform/chaines.h"

namespace kyb {

// A prepared statement; finalized by the destructor. Move-only.
class TInstruction {
 public:
  TInstruction() = default;
  TInstruction(sqlite3* connexion, const std::string& sql);
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

 private:
  sqlite3_stmt* stmt_ = nullptr;
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

 private:
  static int SurTrace(unsigned type, void* moi, void*, void*);
  static int SurCommit(void* moi);

  sqlite3* connexion_;
  std::atomic<int64_t> instructions_{0};
  std::atomic<int64_t> commits_{0};
};

// The engine's classes reach the raw connection of a database through this.
struct TAccesMoteur {
  [[nodiscard]] static sqlite3* Connexion(const TACRDatabase& base) {
    return base.connexion_ ? base.connexion_->Brut() : nullptr;
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
