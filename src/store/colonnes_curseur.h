#pragma once
// Positions of named columns in a table cursor or a query, found by name once and kept while the
// cursor and its columns stay the same: rows read or written in a loop look nothing up by name.
#include <cstddef>
#include <vector>

namespace kyb {

class TColonnesCurseur {
 public:
  // Positions of the columns noms in the cursor, in that order (-1 for a column it lacks).
  template <class Curseur, size_t N>
  [[nodiscard]] const std::vector<int>& Positions(Curseur& curseur, const char* const (&noms)[N]) {
    if (!Valides(curseur, noms[0])) Cherche(curseur, noms, N);
    return positions_;
  }
  void Oublie() {
    curseur_ = nullptr;
    positions_.clear();
  }

 private:
  template <class Curseur>
  [[nodiscard]] bool Valides(const Curseur& curseur, const char* premier) const {
    return curseur_ == &curseur && !positions_.empty() && nbChamps_ == curseur.FieldCount() &&
           curseur.NomChamp(positions_[0]) == premier;
  }
  template <class Curseur>
  void Cherche(Curseur& curseur, const char* const* noms, size_t n) {
    positions_.clear();
    for (size_t i = 0; i < n; ++i) positions_.push_back(curseur.FieldByName(noms[i]).Index());
    curseur_ = &curseur;
    nbChamps_ = curseur.FieldCount();
  }

  const void* curseur_ = nullptr;
  int nbChamps_ = 0;
  std::vector<int> positions_;
};

}  // namespace kyb
