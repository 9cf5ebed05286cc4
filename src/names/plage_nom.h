#pragma once
// The range of sorted index entries a surname key covers, found by two binary searches, or from
// its first entry when that is known.
#include <algorithm>
#include <cstddef>
#include <string>
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

// The end of the entries of the surname whose first entry is at debut: steps doubling while the
// surname lasts, then a binary search within the last step. It reads a few entries, all near
// debut, where PlageNom searches the whole file twice.
template <class Vue>
[[nodiscard]] size_t FinNom(const Vue& elts, size_t debut) {
  const size_t n = elts.size();
  if (debut >= n) return n;
  const std::u16string nom(elts[debut].Nom());
  const auto meme = [&](size_t k) { return elts[k].Nom() == nom; };
  size_t dernier = debut, pas = 1;
  while (debut + pas < n && meme(debut + pas)) {
    dernier = debut + pas;
    pas *= 2;
  }
  size_t bas = dernier + 1, haut = std::min(n, debut + pas);
  while (bas < haut) {
    const size_t milieu = bas + (haut - bas) / 2;
    if (meme(milieu)) bas = milieu + 1;
    else haut = milieu;
  }
  return bas;
}

// The range of the surname whose first entry the table of phonetic codes gives. A position that
// is not a surname's first entry (a damaged table) falls back to the search by key.
template <class Vue, class ParCle>
[[nodiscard]] std::pair<size_t, size_t> PlageDepuis(const Vue& elts, size_t debut, const ParCle& parCle) {
  if (debut >= elts.size()) return {0, 0};
  const std::u16string nom(elts[debut].Nom());
  if (debut > 0 && elts[debut - 1].Nom() == nom) return parCle(nom);
  return {debut, FinNom(elts, debut)};
}
}  // namespace kyb
