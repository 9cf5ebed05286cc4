#include "names/table_codes_index.h"

#include <algorithm>

#include "names/plage_nom.h"

namespace kyb {

uint64_t CodeEntier(std::u16string_view code) {
  uint64_t v = 0;
  for (size_t i = 0; i < 5; ++i) v = (v << 12) | (i < code.size() ? (code[i] & 0xFFF) : 0);
  return v;
}

TTableCodes ConstruitTableCodes(const TVueEltIndex& elts) {
  TTableCodes codes;
  const size_t n = elts.size();
  for (size_t debut = 0; debut < n;) {
    codes.emplace_back(CodeEntier(elts[debut].NomSoundex()), static_cast<int32_t>(debut));
    debut = FinNom(elts, debut);
  }
  std::sort(codes.begin(), codes.end());
  return codes;
}

std::vector<int32_t> DebutsCode(const TTableCodes& table, uint64_t code) {
  std::vector<int32_t> debuts;
  auto it = std::lower_bound(table.begin(), table.end(), std::pair<uint64_t, int32_t>(code, -1));
  for (; it != table.end() && it->first == code; ++it) debuts.push_back(it->second);
  return debuts;
}

}  // namespace kyb
