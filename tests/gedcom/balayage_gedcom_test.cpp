// The byte map under the GEDCOM reader against an obvious byte-by-byte scan, on random lines
// made of the bytes that matter (ends, "@", tabs, controls, UTF-8 pieces), from every start.
#include "gedcom/balayage_gedcom.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace kyb {
namespace {

// Well-formed UTF-8 decoded one code point at a time: no overlong form, no surrogate, nothing
// above U+10FFFF, no C0 control but the tab, no DEL, no C1 control.
bool Utf8Propre(const std::string& l) {
  for (std::size_t i = 0; i < l.size();) {
    const auto c = static_cast<unsigned char>(l[i]);
    const std::size_t n = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 0;
    if (n == 0 || i + n > l.size()) return false;
    char32_t point = n == 1 ? c : c & (0x7F >> n);
    for (std::size_t k = 1; k < n; ++k) {
      const auto s = static_cast<unsigned char>(l[i + k]);
      if ((s & 0xC0) != 0x80) return false;
      point = (point << 6) | (s & 0x3F);
    }
    const char32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
    if (point < minimum[n] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return false;
    if ((point < 0x20 && point != '\t') || (point >= 0x7F && point <= 0x9F)) return false;
    i += n;
  }
  return true;
}

// The line from debut read the slow way: its end, then its bytes judged as a whole.
TBalayage Reference(const std::string& t, std::size_t debut) {
  TBalayage b;
  const std::size_t fin = t.find_first_of("\r\n", debut);
  b.fin = fin == std::string::npos ? std::string_view::npos : fin;
  const std::string ligne = t.substr(debut, fin == std::string::npos ? std::string::npos : fin - debut);
  for (const char c : ligne) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x7F || (u < 0x20 && c != '\t')) b.ascii = false;
    if (c == '@') b.arobase = true;
  }
  b.utf8 = Utf8Propre(ligne);
  return b;
}

TEST(BalayageGedcom, CarteCommeOctetParOctet) {
  const std::string pieces[] = {"a", "bcdefgh ", "@", "\t", "\x01", "\x7F", "\xC3\xA9", "\xE2\x82\xAC",
                                "\xF0\x9D\x84\x9E", "\xC3", "\xC2\x85", "\xED\xA0\x80", "\xFF", "\r", "\n"};
  std::mt19937 alea(35);
  std::vector<uint64_t> carte;
  for (int essai = 0; essai < 300; ++essai) {
    std::string t;
    const int n = static_cast<int>(alea() % 60);
    for (int i = 0; i < n; ++i) t += pieces[alea() % std::size(pieces)];
    CarteOctets(t, carte);
    for (std::size_t debut = 0; debut <= t.size(); ++debut) {
      const TBalayage b = Balaye(t, debut, carte), r = Reference(t, debut);
      ASSERT_EQ(b.fin, r.fin) << essai << " " << debut;
      ASSERT_EQ(b.ascii, r.ascii) << essai << " " << debut;
      ASSERT_EQ(b.utf8, r.utf8) << essai << " " << debut;
      ASSERT_EQ(b.arobase, r.arobase) << essai << " " << debut;
    }
  }
}

}  // namespace
}  // namespace kyb
