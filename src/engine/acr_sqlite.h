#pragma once
// RAII over SQLite handles, private to the engine layer.
#include <sqlite3.h>

#include <string>
#include <vector>

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

// Sends the engine's own reads and writes through the platform's system-call table, so that a
// failing or short write (full disk) reaches the store exactly as it reaches the record files.
void BrancheAppelsMoteur();
// "file:" URI opening a database immutable (read-only, nothing created beside it).
[[nodiscard]] std::string UriImmuable(const AnsiString& chemin);

// Runs one statement without results; false on error.
[[nodiscard]] bool Execute(sqlite3* connexion, const std::string& sql);

}  // namespace kyb
