#include "gedcom/balayage_gedcom.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kyb {

namespace {

bool Ordinaire(char c) noexcept {
  return static_cast<signed char>(c) >= 0x20 && c != 0x7F && c != '@';
}

// Length of the well-formed UTF-8 sequence of two to four bytes at p (n bytes available), 0 when
// it is ill-formed, overlong, a surrogate or a C1 control (U+0080-U+009F).
std::size_t SequenceUtf8(const unsigned char* p, std::size_t n) noexcept {
  const unsigned c = p[0];
  std::size_t suite = 0;
  char32_t point = 0, minimum = 0;
  if (c >= 0xC2 && c <= 0xDF) {
    suite = 1, point = c & 0x1F, minimum = 0xA0;
  } else if (c >= 0xE0 && c <= 0xEF) {
    suite = 2, point = c & 0x0F, minimum = 0x800;
  } else if (c >= 0xF0 && c <= 0xF4) {
    suite = 3, point = c & 0x07, minimum = 0x10000;
  } else {
    return 0;
  }
  if (suite >= n) return 0;
  for (std::size_t k = 1; k <= suite; ++k) {
    const unsigned s = p[k];
    if ((s & 0xC0) != 0x80) return 0;
    point = (point << 6) | (s & 0x3F);
  }
  if (point < minimum || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return 0;
  return suite + 1;
}

// Notes the marked byte p[k]; true at a line end. A UTF-8 sequence moves suivant past its last
// byte, so that its other bytes are not read again.
bool NoteOctet(const char* p, std::size_t k, std::size_t n, TBalayage& b,
               std::size_t& suivant) noexcept {
  const char c = p[k];
  if (c == '\n' || c == '\r') return true;
  if (c == '@') {
    b.arobase = true;
  } else if (static_cast<signed char>(c) < 0) {
    b.ascii = false;
    const std::size_t longueur =
        SequenceUtf8(reinterpret_cast<const unsigned char*>(p) + k, n - k);
    if (longueur == 0) b.utf8 = false;
    suivant = k + std::max<std::size_t>(longueur, 1);
  } else if (c != '\t') {
    b.ascii = b.utf8 = false;
  }
  return false;
}

}  // namespace

void CarteOctets(std::string_view t, std::vector<uint64_t>& carte) {
  const char* p = t.data();
  const std::size_t n = t.size();
  carte.resize((n + 63) / 64);
  std::size_t i = 0, mot = 0;
#if defined(__SSE2__)
  // Signed comparison: the bytes from 0x80 are below the space too.
  const __m128i espace = _mm_set1_epi8(0x20), del = _mm_set1_epi8(0x7F), arobase = _mm_set1_epi8('@');
  for (; i + 64 <= n; i += 64, ++mot) {
    uint64_t m = 0;
    for (int j = 0; j < 4; ++j) {
      const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 16 * j));
      const __m128i marques = _mm_or_si128(_mm_cmplt_epi8(x, espace),
                                           _mm_or_si128(_mm_cmpeq_epi8(x, del), _mm_cmpeq_epi8(x, arobase)));
      m |= static_cast<uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(marques))) << (16 * j);
    }
    carte[mot] = m;
  }
#endif
  for (; i < n; i += 64, ++mot) {
    uint64_t m = 0;
    for (std::size_t k = i; k < std::min(n, i + 64); ++k)
      if (!Ordinaire(p[k])) m |= uint64_t{1} << (k - i);
    carte[mot] = m;
  }
}

TBalayage BalayeMarques(std::string_view t, std::size_t debut, const std::vector<uint64_t>& carte,
                        TBalayage b) noexcept {
  const char* p = t.data();
  const std::size_t n = t.size();
  std::size_t suivant = debut;  // bytes before it belong to a sequence already checked
  const std::size_t premier = debut / 64;
  for (std::size_t mot = premier; mot < carte.size(); ++mot) {
    uint64_t m = carte[mot];
    if (mot == premier) m &= ~uint64_t{0} << (debut % 64);
    for (; m != 0; m &= m - 1) {
      const std::size_t k = mot * 64 + static_cast<std::size_t>(__builtin_ctzll(m));
      if (k >= suivant && NoteOctet(p, k, n, b, suivant)) {
        b.fin = k;
        return b;
      }
    }
  }
  return b;
}

}  // namespace kyb
