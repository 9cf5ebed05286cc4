#pragma once
// Positions of named columns in a table cursor, found by name once and kept while the cursor and
// its definitions stay the same: rows written in a loop look nothing up by name.
#include <cstddef>
#include <vector>

#include "engine/acr_table.h"

namespace kyb {

class TColonnesCurseur {
 public:
  // Positions of the columns noms in the cursor, in that order (-1 for a column it lacks).
  template <size_t N>
  [[nodiscard]] const std::vector<int>& Positions(TACRTable& table, const char* const (&noms)[N]) {
    if (!Valides(table, noms[0])) Cherche(table, noms, N);
    return positions_;
  }
  void Oublie() {
    table_ = nullptr;
    positions_.clear();
  }

 private:
  [[nodiscard]] bool Valides(const TACRTable& table, const char* premier) const {
    return table_ == &table && !positions_.empty() && nbChamps_ == table.FieldCount() &&
           table.NomChamp(positions_[0]) == premier;
  }
  void Cherche(TACRTable& table, const char* const* noms, size_t n) {
    positions_.clear();
    for (size_t i = 0; i < n; ++i) positions_.push_back(table.FieldByName(noms[i]).Index());
    table_ = &table;
    nbChamps_ = table.FieldCount();
  }

  const TACRTable* table_ = nullptr;
  int nbChamps_ = 0;
  std::vector<int> positions_;
};

}  // namespace kyb
