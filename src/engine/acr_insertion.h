#pragma once
// TACRInsertion: rows appended to one table through one INSERT of chosen columns, prepared once
// and bound in place: the bulk path beside the cursor of TACRTable, with nothing kept of a row
// once it is written. Each value is converted to its column's type and size as a field of the
// table converts it (ConvertitPourChamp), so both paths store the same values. Columns left out
// take the table's defaults.
//
// Built on an open table whose definitions stay unchanged while it lives; not usable on a store
// of an older generation (8-bit texts kept raw), where Valide() is false. Errors: Ajoute returns
// false and leaves the message on the database. One thread.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/acr_table.h"

namespace kyb {

class TACRInsertion {
 public:
  TACRInsertion(TACRTable& table, const std::vector<std::string>& colonnes);
  ~TACRInsertion();
  TACRInsertion(const TACRInsertion&) = delete;
  TACRInsertion& operator=(const TACRInsertion&) = delete;

  // Prepared, every column found.
  [[nodiscard]] bool Valide() const;
  // The value of column i (0-based, in the order given) for the next row.
  void Entier(size_t i, int64_t valeur);
  void Reel(size_t i, double valeur);
  void Texte(size_t i, std::string utf8);
  // Writes the row of the values set (unset ones as NULL, converted as their column's); the
  // values are forgotten after.
  [[nodiscard]] bool Ajoute();
  // Rowid of the last row written.
  [[nodiscard]] int64_t RowId() const { return rowid_; }

 private:
  void Pose(size_t i, TValeur valeur);

  TACRDatabase& base_;
  std::string table_;
  std::vector<TACRFieldDef> defs_;
  std::vector<TValeur> valeurs_;
  std::unique_ptr<TInstruction> instruction_;
  int64_t rowid_ = 0;
};

}  // namespace kyb
