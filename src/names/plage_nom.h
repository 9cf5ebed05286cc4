#pragma once
// The range of sorted index entries a surname key covers, found by two binary searches.
#include <cstddef>
#include <string_view>
#include <utility>

#include "names/elt_index.h"

namespace kyb {

// The positions [debut, fin) of the entries whose surname key is cle, or begins with it, in
// entries sorted in index order: the in-memory ones or those of the file read in place.
template <class Vue>
[[nodiscard]] std::pair<size_t, size_t> PlageNom(const Vue& elts, std::u16string_view cle, bool prefixe) {
  const auto premier = [&elts](size_t bas, size_t haut, const auto& avant) {
    while (bas < haut) {
      const size_t milieu = bas + (haut - bas) / 2;
      if (avant(elts[milieu])) bas = milieu + 1;
      else haut = milieu;
    }
    return bas;
  };
  const size_t debut = premier(0, elts.size(), [&](const TEltIndex& e) { return e.Nom() < cle; });
  const size_t fin = premier(debut, elts.size(), [&](const TEltIndex& e) {
    return prefixe ? e.Nom().substr(0, cle.size()) == cle : e.Nom() == cle;
  });
  return {debut, fin};
}
}  // namespace kyb
