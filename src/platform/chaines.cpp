#include "platform/chaines.h"

#include <array>
#include <charconv>
#include <cstddef>
#include <string>

#include "platform/references_ansi.h"

namespace kyb {
namespace {

// 0x80..0x9F of Windows-1252; the five undefined bytes keep their own value.
constexpr std::array<char16_t, 32> kCp1252Haut = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

struct TablesAnsi {
  std::array<unsigned char, 256> majuscule{};
  std::array<unsigned char, 256> minuscule{};
  TablesAnsi() {
    for (int i = 0; i < 256; ++i) {
      majuscule[i] = static_cast<unsigned char>(i);
      minuscule[i] = static_cast<unsigned char>(i);
    }
    auto paire = [this](int maj, int min) {
      majuscule[min] = static_cast<unsigned char>(maj);
      minuscule[maj] = static_cast<unsigned char>(min);
    };
    for (int c = 'a'; c <= 'z'; ++c) paire(c - 32, c);
    for (int c = 0xE0; c <= 0xFE; ++c)
      if (c != 0xF7) paire(c - 32, c);  // 0xF7 is the division sign
    paire(0x8A, 0x9A);                  // Š š
    paire(0x8C, 0x9C);                  // Œ œ
    paire(0x8E, 0x9E);                  // Ž ž
    paire(0x9F, 0xFF);                  // Ÿ ÿ
  }
};

const TablesAnsi& Tables() {
  static const TablesAnsi tables;
  return tables;
}

void AjouteUtf8(std::string& sortie, char32_t cp) {
  if (cp < 0x80) {
    sortie.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    sortie.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    sortie.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    sortie.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    sortie.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    sortie.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    sortie.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    sortie.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    sortie.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    sortie.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

void AjouteUtf16(UnicodeString& sortie, char32_t cp) {
  if (cp < 0x10000) {
    sortie.push_back(static_cast<char16_t>(cp));
  } else {
    cp -= 0x10000;
    sortie.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    sortie.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
  }
}

// Decodes one UTF-8 sequence at position i (advanced past it); U+FFFD on any error.
char32_t LitUtf8(std::string_view t, size_t& i) {
  const auto octet = [&](size_t k) { return static_cast<unsigned char>(t[k]); };
  const unsigned char c0 = octet(i++);
  if (c0 < 0x80) return c0;
  int suite = 0;
  char32_t cp = 0;
  char32_t minimum = 0;
  if ((c0 & 0xE0) == 0xC0) { suite = 1; cp = c0 & 0x1F; minimum = 0x80; }
  else if ((c0 & 0xF0) == 0xE0) { suite = 2; cp = c0 & 0x0F; minimum = 0x800; }
  else if ((c0 & 0xF8) == 0xF0) { suite = 3; cp = c0 & 0x07; minimum = 0x10000; }
  else return 0xFFFD;
  for (int k = 0; k < suite; ++k) {
    if (i >= t.size() || (octet(i) & 0xC0) != 0x80) return 0xFFFD;
    cp = (cp << 6) | (octet(i++) & 0x3F);
  }
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0xFFFD;
  return cp;
}

// The Windows-1252 byte of a character, when it has one.
bool FormeAnsi(char32_t cp, char& b) noexcept {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
    b = static_cast<char>(cp);
    return true;
  }
  for (size_t i = 0; i < kCp1252Haut.size(); ++i)
    if (kCp1252Haut[i] == cp) {
      b = static_cast<char>(0x80 + i);
      return true;
    }
  return false;
}

// The rarer cases of AjouteAnsi, kept out of its loop.
[[gnu::noinline]] void AjouteAnsiRare(AnsiString& sortie, char32_t cp, bool suiviDeDiese) {
  char b = 0;
  if (cp == '&' && suiviDeDiese) {
    sortie += "&#38;";
  } else if (FormeAnsi(cp, b)) {
    sortie.push_back(b);
  } else {
    sortie += "&#";
    sortie += std::to_string(static_cast<uint32_t>(cp));
    sortie.push_back(';');
  }
}

// Writes one character in Windows-1252: its byte, else its reference "&#N;"; an "&" that stands
// before "#" is escaped as "&#38;" so that reading never takes typed text for a reference.
inline void AjouteAnsi(AnsiString& sortie, char32_t cp, bool suiviDeDiese) {
  if ((cp < 0x80 && cp != '&') || (cp >= 0xA0 && cp <= 0xFF)) sortie.push_back(static_cast<char>(cp));
  else AjouteAnsiRare(sortie, cp, suiviDeDiese);
}

// Length of the reference that AjouteAnsi may have written at position i (0 when there is none),
// its character in cp. Only decimal references without leading zero to a character that has no
// Windows-1252 form, and "&#38;" before "#", are references.
size_t Reference(std::string_view t, size_t i, char32_t& cp) noexcept {
  if (t[i] != '&' || i + 2 >= t.size() || t[i + 1] != '#' || t[i + 2] == '0') return 0;
  size_t j = i + 2;
  char32_t v = 0;
  while (j < t.size() && j < i + 9 && t[j] >= '0' && t[j] <= '9') v = v * 10 + static_cast<char32_t>(t[j++] - '0');
  if (j == i + 2 || j >= t.size() || t[j] != ';' || v > 0x10FFFF) return 0;
  char b = 0;
  if (v == '&') {
    if (j + 1 >= t.size() || t[j + 1] != '#') return 0;
  } else if (FormeAnsi(v, b)) {
    return 0;
  }
  cp = v;
  return j + 1 - i;
}

// Spaces and control characters; bytes above 0x7F are letters of Windows-1252, never blanks.
bool EstBlanc(char c) { return static_cast<unsigned char>(c) <= 0x20; }
bool EstBlanc(char16_t c) { return c <= 0x20; }

template <typename Vue>
Vue RogneVue(Vue t) {
  size_t debut = 0;
  size_t fin = t.size();
  while (debut < fin && EstBlanc(t[debut])) ++debut;
  while (fin > debut && EstBlanc(t[fin - 1])) --fin;
  return t.substr(debut, fin - debut);
}

// Length of the leading run of ASCII characters (what every conversion copies as it stands).
size_t PrefixeAscii(std::string_view t) noexcept {
  size_t i = 0;
  while (i < t.size() && static_cast<unsigned char>(t[i]) < 0x80) ++i;
  return i;
}

size_t PrefixeAscii(std::u16string_view t) noexcept {
  size_t i = 0;
  while (i < t.size() && t[i] < 0x80) ++i;
  return i;
}

}  // namespace

char16_t CarAnsiVersUnicode(unsigned char c) noexcept {
  if (c >= 0x80 && c <= 0x9F) return kCp1252Haut[c - 0x80];
  return c;
}

char CarUnicodeVersAnsi(char16_t c) noexcept {
  char b = '?';
  return FormeAnsi(c, b) ? b : '?';
}

UnicodeString AnsiVersUnicode(std::string_view texte) {
  UnicodeString sortie;
  sortie.reserve(texte.size());
  for (size_t i = 0; i < texte.size();) {
    char32_t cp = 0;
    if (const size_t n = Reference(texte, i, cp)) {
      AjouteUtf16(sortie, cp);
      i += n;
    } else {
      sortie.push_back(CarAnsiVersUnicode(static_cast<unsigned char>(texte[i++])));
    }
  }
  return sortie;
}

AnsiString UnicodeVersAnsi(std::u16string_view texte) {
  AnsiString sortie;
  sortie.reserve(texte.size());
  for (size_t i = 0; i < texte.size(); ++i) {
    char32_t cp = texte[i];
    // A surrogate pair is one character; a lone surrogate keeps its own value.
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < texte.size() && texte[i + 1] >= 0xDC00 &&
        texte[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (texte[i + 1] - 0xDC00);
      ++i;
    }
    AjouteAnsi(sortie, cp, i + 1 < texte.size() && texte[i + 1] == u'#');
  }
  return sortie;
}

std::string UnicodeVersUtf8(std::u16string_view texte) {
  std::string sortie;
  sortie.reserve(texte.size());
  const size_t ascii = PrefixeAscii(texte);
  sortie.resize(ascii);
  for (size_t i = 0; i < ascii; ++i) sortie[i] = static_cast<char>(texte[i]);
  for (size_t i = ascii; i < texte.size(); ++i) {
    char32_t cp = texte[i];
    if (cp >= 0xD800 && cp <= 0xDBFF) {
      if (i + 1 < texte.size() && texte[i + 1] >= 0xDC00 && texte[i + 1] <= 0xDFFF) {
        cp = 0x10000 + ((cp - 0xD800) << 10) + (texte[i + 1] - 0xDC00);
        ++i;
      } else {
        cp = 0xFFFD;
      }
    } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
      cp = 0xFFFD;
    }
    AjouteUtf8(sortie, cp);
  }
  return sortie;
}

UnicodeString Utf8VersUnicode(std::string_view texte) {
  UnicodeString sortie;
  sortie.reserve(texte.size());
  size_t i = PrefixeAscii(texte);
  sortie.assign(texte.begin(), texte.begin() + static_cast<std::ptrdiff_t>(i));
  while (i < texte.size()) AjouteUtf16(sortie, LitUtf8(texte, i));
  return sortie;
}

std::string AnsiVersUtf8(std::string_view texte) {
  if (texte.find('&') == std::string_view::npos) return AnsiBrutVersUtf8(texte);
  std::string sortie;
  sortie.reserve(texte.size() + texte.size() / 4);
  for (size_t i = 0; i < texte.size();) {
    char32_t cp = 0;
    if (const size_t n = Reference(texte, i, cp)) {
      AjouteUtf8(sortie, (cp >= 0xD800 && cp <= 0xDFFF) ? 0xFFFD : cp);
      i += n;
    } else {
      AjouteUtf8(sortie, CarAnsiVersUnicode(static_cast<unsigned char>(texte[i++])));
    }
  }
  return sortie;
}

AnsiString Utf8VersAnsi(std::string_view texte) {
  if (PrefixeAscii(texte) == texte.size() && texte.find('&') == std::string_view::npos) return AnsiString(texte);
  AnsiString sortie;
  sortie.reserve(texte.size());
  size_t i = 0;
  while (i < texte.size()) {
    if (const char c = texte[i]; static_cast<unsigned char>(c) < 0x80 && c != '&') {
      sortie.push_back(c);  // ASCII goes across as it is
      ++i;
      continue;
    }
    const char32_t cp = LitUtf8(texte, i);
    AjouteAnsi(sortie, cp, i < texte.size() && texte[i] == '#');
  }
  return sortie;
}

std::string AnsiBrutVersUtf8(std::string_view octets) {
  if (PrefixeAscii(octets) == octets.size()) return std::string(octets);
  std::string sortie;
  sortie.reserve(octets.size() + octets.size() / 4);
  for (const char c : octets) {
    if (static_cast<unsigned char>(c) < 0x80) sortie.push_back(c);
    else AjouteUtf8(sortie, CarAnsiVersUnicode(static_cast<unsigned char>(c)));
  }
  return sortie;
}

bool EstTexteAnsi(std::string_view utf8) {
  char b = 0;
  for (size_t i = 0; i < utf8.size();)
    if (!FormeAnsi(LitUtf8(utf8, i), b)) return false;
  return true;
}

// Cut of texte after at most n units, each unit weighing what poids says of its bytes and of the
// characters it holds.
template <typename Poids>
AnsiString CoupeUnites(std::string_view texte, size_t n, Poids poids) {
  size_t fin = 0, total = 0;
  while (fin < texte.size()) {
    char32_t cp = 0;
    size_t octets = Reference(texte, fin, cp);
    size_t caracteres = 1;
    if (octets == 0) octets = 1;
    else if (cp == '&') ++octets, ++caracteres;  // the escaped "&" and its "#" stay together
    total += poids(octets, caracteres);
    if (total > n) break;
    fin += octets;
  }
  return AnsiString(texte.substr(0, fin));
}

AnsiString CoupeAnsi(std::string_view texte, size_t n) {
  if (texte.size() <= n) return AnsiString(texte);
  return CoupeUnites(texte, n, [](size_t octets, size_t) { return octets; });
}

AnsiString CoupeAnsiCaracteres(std::string_view texte, size_t n) {
  if (texte.size() <= n) return AnsiString(texte);
  return CoupeUnites(texte, n, [](size_t, size_t caracteres) { return caracteres; });
}

char MajusculeAnsi(char c) noexcept {
  return static_cast<char>(Tables().majuscule[static_cast<unsigned char>(c)]);
}

char MinusculeAnsi(char c) noexcept {
  return static_cast<char>(Tables().minuscule[static_cast<unsigned char>(c)]);
}

namespace {

// Case pairs beyond Latin Extended-A that names met in genealogies use: Vietnamese (horned
// letters and Latin Extended Additional), Romanian, pinyin with carons, Greek, Cyrillic, Armenian.
// Each block is either alternating pairs (capital first) or a constant offset.
struct TPlageCasse {
  char16_t debut, fin;  // lower-case letters of the block, both included
  int decalage;         // capital = small - decalage; 1 with alternating pairs
  bool alternee;        // pairs capital/small at even/odd positions from debut - 1
};

constexpr TPlageCasse kPlagesCasse[] = {
    {0x01A1, 0x01A5, 1, true}, {0x01B0, 0x01B0, 1, false}, {0x01CE, 0x01DC, 1, true},
    {0x01DF, 0x01EF, 1, true}, {0x01F9, 0x021F, 1, true},  {0x0223, 0x0233, 1, true},
    {0x03AC, 0x03AC, 0x26, false}, {0x03AD, 0x03AF, 0x25, false}, {0x03CC, 0x03CC, 0x40, false},
    {0x03CD, 0x03CE, 0x3F, false}, {0x03B1, 0x03C1, 0x20, false}, {0x03C3, 0x03CB, 0x20, false}, {0x0430, 0x044F, 0x20, false},
    {0x0450, 0x045F, 0x50, false}, {0x0461, 0x0481, 1, true}, {0x048B, 0x04BF, 1, true},
    {0x04D1, 0x04FF, 1, true}, {0x0561, 0x0586, 0x30, false}, {0x1E01, 0x1E95, 1, true},
    {0x1EA1, 0x1EFF, 1, true},
};

bool DansPlage(const TPlageCasse& p, char16_t petite) {
  if (petite < p.debut || petite > p.fin) return false;
  return !p.alternee || (petite - p.debut) % 2 == 0;
}

char16_t MajusculeHorsLatin1(char16_t c) noexcept {
  if (c == 0x03C2) return 0x03A3;  // final sigma
  for (const TPlageCasse& p : kPlagesCasse)
    if (DansPlage(p, c)) return static_cast<char16_t>(c - p.decalage);
  return c;
}

char16_t MinusculeHorsLatin1(char16_t c) noexcept {
  for (const TPlageCasse& p : kPlagesCasse) {
    const int petite = c + p.decalage;
    if (petite <= 0xFFFF && DansPlage(p, static_cast<char16_t>(petite))) return static_cast<char16_t>(petite);
  }
  return c;
}

}  // namespace

char16_t MajusculeUnicode(char16_t c) noexcept {
  if (c < 0x100) {
    if (c == 0xFF) return 0x0178;
    if (c < 0x80 || c >= 0xA0) return static_cast<char16_t>(Tables().majuscule[c]);
    return c;  // C1 controls
  }
  if (c >= 0x0100 && c <= 0x0137) return (c & 1) ? c - 1 : c;
  if (c >= 0x0139 && c <= 0x0148) return (c & 1) ? c : c - 1;
  if (c >= 0x014A && c <= 0x0177) return (c & 1) ? c - 1 : c;
  if (c == 0x017A || c == 0x017C || c == 0x017E) return c - 1;
  if (c == 0x0192) return 0x0191;
  return MajusculeHorsLatin1(c);
}

char16_t MinusculeUnicode(char16_t c) noexcept {
  if (c < 0x100) {
    if (c < 0x80 || c >= 0xA0) return static_cast<char16_t>(Tables().minuscule[c]);
    return c;
  }
  if (c == 0x0178) return 0xFF;
  if (c >= 0x0100 && c <= 0x0137) return (c & 1) ? c : c + 1;
  if (c >= 0x0139 && c <= 0x0148) return (c & 1) ? c + 1 : c;
  if (c >= 0x014A && c <= 0x0177) return (c & 1) ? c : c + 1;
  if (c == 0x0179 || c == 0x017B || c == 0x017D) return c + 1;
  if (c == 0x0191) return 0x0192;
  return MinusculeHorsLatin1(c);
}

AnsiString MajusculesAnsi(std::string_view texte) {
  AnsiString sortie(texte);
  for (char& c : sortie) c = MajusculeAnsi(c);
  return sortie;
}

AnsiString MinusculesAnsi(std::string_view texte) {
  AnsiString sortie(texte);
  for (char& c : sortie) c = MinusculeAnsi(c);
  return sortie;
}

UnicodeString MajusculesUnicode(std::u16string_view texte) {
  UnicodeString sortie(texte);
  for (char16_t& c : sortie) c = MajusculeUnicode(c);
  return sortie;
}

UnicodeString MinusculesUnicode(std::u16string_view texte) {
  UnicodeString sortie(texte);
  for (char16_t& c : sortie) c = MinusculeUnicode(c);
  return sortie;
}

int CompareSansCasseAnsi(std::string_view a, std::string_view b) noexcept {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const auto ca = static_cast<unsigned char>(MajusculeAnsi(a[i]));
    const auto cb = static_cast<unsigned char>(MajusculeAnsi(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool EgalSansCasseAnsi(std::string_view a, std::string_view b) noexcept {
  return a.size() == b.size() && CompareSansCasseAnsi(a, b) == 0;
}

AnsiString Rogne(std::string_view texte) { return AnsiString(RogneVue(texte)); }

UnicodeString Rogne(std::u16string_view texte) { return UnicodeString(RogneVue(texte)); }

bool TexteVersEntier(std::string_view texte, long long& valeur) noexcept {
  const std::string_view t = RogneVue(texte);
  if (t.empty()) return false;
  size_t debut = (t[0] == '+') ? 1 : 0;
  if (debut == t.size()) return false;
  long long v = 0;
  const auto [fin, erreur] = std::from_chars(t.data() + debut, t.data() + t.size(), v);
  if (erreur != std::errc() || fin != t.data() + t.size()) return false;
  valeur = v;
  return true;
}

bool TexteVersEntier(std::u16string_view texte, long long& valeur) noexcept {
  std::string etroit;
  etroit.reserve(texte.size());
  for (const char16_t c : texte) {
    if (c >= 0x80) return false;
    etroit.push_back(static_cast<char>(c));
  }
  return TexteVersEntier(std::string_view(etroit), valeur);
}

}  // namespace kyb
