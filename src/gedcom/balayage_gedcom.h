#pragma once
// The byte scan under the GEDCOM reader: a map of the bytes a line must look at, made for a
// whole chunk at once, then each line's end and needs read from the map.
//
// The map has one bit per byte (bit i % 64 of word i / 64 for byte i), set for the bytes that
// are not printable ASCII or are an "@": line ends, tabs and other controls, DEL, bytes from
// 0x80. A line of printable ASCII with no "@" costs one look at a word of the map per 64 bytes.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace kyb {

// Rebuilds carte for the bytes of t (ceil(t.size() / 64) words; the bits past the end are 0).
void CarteOctets(std::string_view t, std::vector<uint64_t>& carte);

// The end of the line starting at debut and what its bytes need.
struct TBalayage {
  std::size_t fin = std::string_view::npos;  // index of the CR or LF, npos when not in t
  bool ascii = true;     // printable ASCII and tabs only: reads as it is in every set
  bool utf8 = true;      // well-formed UTF-8 with no control character but the tab
  bool arobase = false;  // an "@" somewhere: "@@" may need reading as one "@"
};

// Goes on scanning t from debut (a marked byte) with carte, b holding what was seen before it.
[[nodiscard]] TBalayage BalayeMarques(std::string_view t, std::size_t debut,
                                      const std::vector<uint64_t>& carte, TBalayage b) noexcept;

// Scans t from debut with carte, the map of t. Line ends and "@" are read here, the other marked
// bytes (controls, bytes from 0x80) by BalayeMarques.
[[nodiscard]] inline TBalayage Balaye(std::string_view t, std::size_t debut,
                                      const std::vector<uint64_t>& carte) noexcept {
  TBalayage b;
  std::size_t mot = debut / 64;
  if (mot >= carte.size()) return b;
  uint64_t m = carte[mot] & (~uint64_t{0} << (debut % 64));
  for (;;) {
    while (m == 0) {
      if (++mot >= carte.size()) return b;
      m = carte[mot];
    }
    const std::size_t k = mot * 64 + static_cast<std::size_t>(__builtin_ctzll(m));
    const char c = t[k];
    if (c == '\n' || c == '\r') {
      b.fin = k;
      return b;
    }
    if (c != '@') return BalayeMarques(t, k, carte, b);
    b.arobase = true;
    m &= m - 1;
  }
}

}  // namespace kyb
