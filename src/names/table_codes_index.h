#pragma once
// The table of phonetic codes of the person index: one (code, position) pair per surname key,
// the position being that of the surname's first entry in index order, sorted by code then
// position. The entries of one surname key follow one another in the index and the phonetic code
// is the surname's, so a phonetic search finds its surnames by binary search in this table and
// walks their entries. The table is saved with the index file so that a search after an opening
// does not build it again.
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "names/vue_elt_index.h"

namespace kyb {

using TTableCodes = std::vector<std::pair<uint64_t, int32_t>>;

// Up to five characters of a phonetic code in one integer, ordered as the text.
[[nodiscard]] uint64_t CodeEntier(std::u16string_view code);

// The table of the entries (sorted in index order). Finding where each surname ends costs a few
// comparisons per surname (steps doubling while the surname lasts, then a binary search).
[[nodiscard]] TTableCodes ConstruitTableCodes(const TVueEltIndex& elts);

// Positions of the surnames of that code, in index order.
[[nodiscard]] std::vector<int32_t> DebutsCode(const TTableCodes& table, uint64_t code);

}  // namespace kyb
