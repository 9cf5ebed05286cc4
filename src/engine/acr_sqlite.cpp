#include "engine/acr_sqlite_interne.h"

namespace kyb {

TInstruction::TInstruction(sqlite3* connexion, const std::string& sql) {
  if (connexion &&
      sqlite3_prepare_v3(connexion, sql.c_str(), static_cast<int>(sql.size()),
                         SQLITE_PREPARE_PERSISTENT, &stmt_, nullptr) != SQLITE_OK) {
    sqlite3_finalize(stmt_);
    stmt_ = nullptr;
  }
}

TInstruction::~TInstruction() { Libere(); }

void TInstruction::Libere() {
  if (cache_ && stmt_) cache_->Rend(stmt_);
  else sqlite3_finalize(stmt_);
  stmt_ = nullptr;
  cache_.reset();
}

TInstruction::TInstruction(TInstruction&& autre) noexcept
    : stmt_(std::exchange(autre.stmt_, nullptr)), cache_(std::move(autre.cache_)) {}

TInstruction& TInstruction::operator=(TInstruction&& autre) noexcept {
  if (this != &autre) {
    Libere();
    stmt_ = std::exchange(autre.stmt_, nullptr);
    cache_ = std::move(autre.cache_);
  }
  return *this;
}

void TInstruction::Reinitialise() {
  if (!stmt_) return;
  sqlite3_reset(stmt_);
  sqlite3_clear_bindings(stmt_);
}

namespace {

void LieAvec(sqlite3_stmt* stmt, int position, const TValeur& v, sqlite3_destructor_type copie) {
  switch (v.sorte) {
    case TValeur::Sorte::Nul: sqlite3_bind_null(stmt, position); break;
    case TValeur::Sorte::Entier: sqlite3_bind_int64(stmt, position, v.entier); break;
    case TValeur::Sorte::Reel: sqlite3_bind_double(stmt, position, v.reel); break;
    case TValeur::Sorte::Texte:
      sqlite3_bind_text(stmt, position, v.octets.data(), static_cast<int>(v.octets.size()), copie);
      break;
    case TValeur::Sorte::Blob:
      sqlite3_bind_blob(stmt, position, v.octets.data(), static_cast<int>(v.octets.size()), copie);
      break;
  }
}

}  // namespace

void TInstruction::Lie(int position, const TValeur& v) {
  if (stmt_) LieAvec(stmt_, position, v, SQLITE_TRANSIENT);
}

void TInstruction::LieSansCopie(int position, const TValeur& v) {
  if (stmt_) LieAvec(stmt_, position, v, SQLITE_STATIC);
}

int TInstruction::Etape() { return stmt_ ? sqlite3_step(stmt_) : SQLITE_MISUSE; }

TValeur TInstruction::Colonne(int i) const {
  switch (sqlite3_column_type(stmt_, i)) {
    case SQLITE_INTEGER: return TValeur::DeEntier(sqlite3_column_int64(stmt_, i));
    case SQLITE_FLOAT: return TValeur::DeReel(sqlite3_column_double(stmt_, i));
    case SQLITE_TEXT: {
      const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i));
      return TValeur::DeTexte(std::string(t, static_cast<size_t>(sqlite3_column_bytes(stmt_, i))));
    }
    case SQLITE_BLOB: {
      const auto* b = static_cast<const char*>(sqlite3_column_blob(stmt_, i));
      const int n = sqlite3_column_bytes(stmt_, i);
      return TValeur::DeBlob(b ? std::string(b, static_cast<size_t>(n)) : std::string());
    }
    default: return TValeur::Nul();
  }
}

int TInstruction::NbColonnes() const { return stmt_ ? sqlite3_column_count(stmt_) : 0; }

TConnexionSqlite::TConnexionSqlite(sqlite3* connexion)
    : connexion_(connexion), cache_(std::make_shared<TCacheInstructions>(connexion)) {
  sqlite3_trace_v2(connexion_, SQLITE_TRACE_STMT, &SurTrace, this);
  sqlite3_commit_hook(connexion_, &SurCommit, this);
}

TConnexionSqlite::~TConnexionSqlite() {
  // The kept statements go first; a statement still lent keeps the connection until it goes back.
  cache_->Ferme();
  sqlite3_close_v2(connexion_);
}

int TConnexionSqlite::SurTrace(unsigned, void* moi, void*, void*) {
  static_cast<TConnexionSqlite*>(moi)->instructions_.fetch_add(1, std::memory_order_relaxed);
  return 0;
}

int TConnexionSqlite::SurCommit(void* moi) {
  static_cast<TConnexionSqlite*>(moi)->commits_.fetch_add(1, std::memory_order_relaxed);
  return 0;  // the commit goes on
}

}  // namespace kyb
