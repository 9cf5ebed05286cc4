#include "names/table_codes_index.h"

#include <algorithm>

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
    const std::u16string_view nom = elts[debut].Nom();
    const auto meme = [nom](const TEltIndex& e) { return e.Nom() == nom; };
    size_t dernier = debut, pas = 1;
    while (debut + pas < n && meme(elts[debut + pas])) {
      dernier = debut + pas;
      pas *= 2;
    }
    const size_t borne = std::min(n, debut + pas);
    const auto fin = std::partition_point(elts.begin() + static_cast<std::ptrdiff_t>(dernier) + 1,
                                          elts.begin() + static_cast<std::ptrdiff_t>(borne), meme);
    codes.emplace_back(CodeEntier(elts[debut].NomSoundex()), static_cast<int32_t>(debut));
    debut = static_cast<size_t>(fin - elts.begin());
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
