#include "names/bo_soundex.h"

#include <array>
#include <cstring>
#include <utility>

#include "names/bo_chn1.h"

namespace kyb {

namespace {

// Digit of each ASCII character, 0 for none.
constexpr auto kClasses = [] {
  std::array<char, 128> t{};
  for (const char c : std::string_view("BFPV")) t[c] = '1';
  for (const char c : std::string_view("CGJKQSXZ")) t[c] = '2';
  t['D'] = t['T'] = '3';
  t['L'] = '4';
  t['M'] = t['N'] = '5';
  t['R'] = '6';
  t['*'] = '*';
  return t;
}();

template <typename C>
C Chiffre(C c) noexcept {
  const auto u = static_cast<std::make_unsigned_t<C>>(c);
  return u < 128 ? C(kClasses[u]) : C(0);
}

// Writes the code of the n characters at s into dest (at most 4 characters, then a zero).
template <typename C>
void Code(const C* s, size_t n, C* dest) noexcept {
  size_t lg = 0;
  if (n > 0 && s[0] == C('H')) {
    ++s;
    --n;
  }
  if (n > 0) {
    dest[lg++] = s[0];
    for (size_t i = 1; i < n && lg < 4; ++i) {
      if (s[i] == s[i - 1]) continue;
      const C d = Chiffre(s[i]);
      if (d) dest[lg++] = d;
    }
  }
  dest[lg] = C(0);
}

template <typename C>
std::basic_string<C> CodeTexte(std::basic_string_view<C> t) {
  C code[5];
  Code(t.data(), t.size(), code);
  return std::basic_string<C>(code);
}

// Cuts the code of the starred text at its star and the other code to the same length.
template <typename C>
void CoupeEtoile(std::basic_string<C>& codeEtoile, std::basic_string<C>& autre) {
  const size_t p = codeEtoile.find(C('*'));
  if (p != codeEtoile.npos) codeEtoile.resize(p);
  if (autre.size() > codeEtoile.size()) autre.resize(codeEtoile.size());
}

// The two codes of a partial comparison, cut at the star of the starred text.
template <typename C>
std::pair<std::basic_string<C>, std::basic_string<C>> CodesPartiels(std::basic_string_view<C> a,
                                                                    std::basic_string_view<C> b) {
  std::basic_string<C> ca = CodeTexte(a), cb = CodeTexte(b);
  if (a.find(C('*')) != a.npos)
    CoupeEtoile(ca, cb);
  else if (b.find(C('*')) != b.npos)
    CoupeEtoile(cb, ca);
  return {std::move(ca), std::move(cb)};
}

template <typename C>
bool EgaleChqElt(std::basic_string_view<C> a, std::basic_string_view<C> b) {
  size_t debut = 0;
  while (debut <= a.size()) {
    size_t fin = a.find(C(' '), debut);
    if (fin == a.npos) fin = a.size();
    const auto [ca, cb] = CodesPartiels(a.substr(debut, fin - debut), b);
    if (ca == cb) return true;
    debut = fin + 1;
  }
  return false;
}

}  // namespace

void strSoundex(const char* source, char* dest) noexcept {
  Code(source ? source : "", source ? std::strlen(source) : 0, dest);
}

void strSoundex(const char16_t* source, char16_t* dest) noexcept {
  const std::u16string_view t = source ? std::u16string_view(source) : std::u16string_view();
  Code(t.data(), t.size(), dest);
}

UnicodeString strSoundex(std::u16string_view texte) { return CodeTexte(texte); }
AnsiString strSoundex(std::string_view texte) { return CodeTexte(texte); }

int strcmpSoundexPartiel(const char* a, const char* b) {
  const auto [ca, cb] = CodesPartiels(std::string_view(a ? a : ""), std::string_view(b ? b : ""));
  return strcmpNULL(ca.c_str(), cb.c_str());
}

int strcmpSoundexPartiel(const char16_t* a, const char16_t* b) {
  const auto [ca, cb] =
      CodesPartiels(std::u16string_view(a ? a : u""), std::u16string_view(b ? b : u""));
  return strcmpNULL(ca.c_str(), cb.c_str());
}

int strcmpSoundexPartiel(const UnicodeString& a, const UnicodeString& b) {
  return strcmpSoundexPartiel(a.c_str(), b.c_str());
}

bool strEgaleSoundexPartielChqElt(std::string_view a, std::string_view b) {
  return EgaleChqElt(a, b);
}
bool strEgaleSoundexPartielChqElt(std::u16string_view a, std::u16string_view b) {
  return EgaleChqElt(a, b);
}

}  // namespace kyb
