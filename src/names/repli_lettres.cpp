#include "names/repli_lettres.h"

#include <unicode/uchar.h>
#include <unicode/unorm2.h>

#include <algorithm>
#include <array>
#include <utility>

namespace kyb {
namespace {

// Letters without decomposition, and their base letters.
constexpr std::array<std::pair<char16_t, const char16_t*>, 24> kSansDecomposition = {{
    {u'\u0110', u"D"}, {u'\u0111', u"d"},    // Đ đ
    {u'\u0126', u"H"}, {u'\u0127', u"h"},    // Ħ ħ
    {u'\u0131', u"i"},                       // ı
    {u'\u0138', u"k"},                       // ĸ
    {u'\u0141', u"L"}, {u'\u0142', u"l"},    // Ł ł
    {u'\u014A', u"N"}, {u'\u014B', u"n"},    // Ŋ ŋ
    {u'\u0166', u"T"}, {u'\u0167', u"t"},    // Ŧ ŧ
    {u'\u0180', u"b"}, {u'\u0181', u"B"},    // ƀ Ɓ
    {u'\u0189', u"D"}, {u'\u018A', u"D"},    // Ɖ Ɗ
    {u'\u0197', u"I"}, {u'\u01B5', u"Z"},    // Ɨ Ƶ
    {u'\u01B6', u"z"}, {u'\u0248', u"J"},    // ƶ Ɉ
    {u'\u0249', u"j"}, {u'\u1E9E', u"\u00DF"},  // ẞ (capital sharp s) gives ß
    {u'\u0253', u"b"}, {u'\u0257', u"d"},    // ɓ ɗ
}};

UnicodeString Decompose(char16_t c) {
  UErrorCode erreur = U_ZERO_ERROR;
  const UNormalizer2* nfkd = unorm2_getNFKDInstance(&erreur);
  if (U_FAILURE(erreur)) return UnicodeString(1, c);
  std::array<UChar, 32> tampon{};
  const int32_t n = unorm2_normalize(nfkd, reinterpret_cast<const UChar*>(&c), 1, tampon.data(),
                                     static_cast<int32_t>(tampon.size()), &erreur);
  if (U_FAILURE(erreur)) return UnicodeString(1, c);
  return UnicodeString(reinterpret_cast<const char16_t*>(tampon.data()), static_cast<size_t>(n));
}

}  // namespace

bool EstCarAnsi(char16_t c) noexcept { return c == u'?' || CarUnicodeVersAnsi(c) != '?'; }

UnicodeString RepliLettre(char16_t c) {
  if (EstCarAnsi(c) || (c >= 0xD800 && c <= 0xDFFF)) return UnicodeString(1, c);
  UnicodeString base;
  for (const char16_t d : Decompose(c)) {
    if (u_charType(d) == U_NON_SPACING_MARK) continue;
    const auto it = std::find_if(kSansDecomposition.begin(), kSansDecomposition.end(),
                                 [d](const auto& p) { return p.first == d; });
    if (it != kSansDecomposition.end()) base += it->second;
    else base += d;
  }
  return base.empty() ? UnicodeString(1, c) : base;
}

}  // namespace kyb
