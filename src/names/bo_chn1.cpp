#include "names/bo_chn1.h"

#include <array>
#include <cstring>

#include "names/bo_chn1_interne.h"
#include "names/bo_particules.h"
#include "names/repli_lettres.h"

namespace kyb {

using noms_interne::Contient;
using noms_interne::EstBlanc;

namespace {

// The two folding tables, in their order of lookup (the first matching pair wins).
constexpr std::string_view kPairesAccentuees =
    "àÀáÁâÂãÃäÄåÅçÇèÈéÉêÊëËìÌíÍîÎïÏñÑòÒóÓôÔõÕöÖùÙúÚûÛüÜýÝÿŸæÆœŒßßøØ¹¹³³¿¿µµ";
constexpr std::string_view kPairesSimples =
    "àAáAâAãAäAåAçCèEéEêEëEìIíIîIïIñNòOóOôOõOöOùUúUûUüUýYÿYæÆœŒ"
    "ÀAÁAÂAÃAÄAÅAÇCÈEÉEÊEËEÌIÍIÎIÏIÑNÒOÓOÔOÕOÖOÙUÚUÛUÜUÝYŸYßßøØ¹¹³³¿¿µµ";

template <typename C>
C ChercheDansPaires(C c, std::basic_string_view<C> paires) {
  for (size_t k = 0; k + 1 < paires.size(); k += 2)
    if (paires[k] == c) return paires[k + 1];
  return c;
}

// Every character a pair mentions lies below this bound (Ÿ is U+0178).
constexpr char16_t kBorneTable16 = 0x180;

// Upper-casing and folding precomputed for one table, for both character widths.
struct TTableMajuscules {
  std::array<char, 256> ansi{};
  std::array<char16_t, kBorneTable16> unicode{};
  bool replie = false;  // letters outside Windows-1252 folded to their base letters first

  explicit TTableMajuscules(const UnicodeString& paires16, const AnsiString& paires8, bool replieHors1252)
      : replie(replieHors1252) {
    for (int i = 0; i < 256; ++i)
      ansi[i] = ChercheDansPaires<char>(MajusculeAnsi(static_cast<char>(i)), paires8);
    for (char16_t i = 0; i < kBorneTable16; ++i)
      unicode[i] = ChercheDansPaires<char16_t>(MajusculeUnicode(i), paires16);
  }
  [[nodiscard]] char operator()(char c) const { return ansi[static_cast<unsigned char>(c)]; }
  [[nodiscard]] char16_t operator()(char16_t c) const {
    if (c < kBorneTable16) return unicode[c];
    const char16_t m = MajusculeUnicode(c);
    return m < kBorneTable16 ? unicode[m] : m;
  }
};

struct TTables {
  UnicodeString accentuees16 = U(kPairesAccentuees);
  UnicodeString simples16 = U(kPairesSimples);
  AnsiString accentuees8 = UnicodeVersAnsi(accentuees16);
  AnsiString simples8 = UnicodeVersAnsi(simples16);
  TTableMajuscules majAcc{accentuees16, accentuees8, false};
  TTableMajuscules majNonAcc{simples16, simples8, true};
};

const TTables& Tables() {
  static const TTables tables;
  return tables;
}

const TTableMajuscules& TableDuMode(int mode) {
  return mode == 1 ? Tables().majAcc : Tables().majNonAcc;
}

UnicodeString Majuscules(std::u16string_view texte, const TTableMajuscules& t) {
  UnicodeString sortie(texte);
  size_t i = 0;
  for (; i < sortie.size(); ++i) {
    if (t.replie && sortie[i] >= 0x100 && !EstCarAnsi(sortie[i])) break;
    sortie[i] = t(sortie[i]);
  }
  if (i == sortie.size()) return sortie;
  // A letter to fold: the rest of the text is rebuilt, a letter may give several.
  sortie.resize(i);
  for (; i < texte.size(); ++i) {
    if (texte[i] < 0x100 || EstCarAnsi(texte[i])) {
      sortie.push_back(t(texte[i]));
      continue;
    }
    for (const char16_t r : RepliLettre(texte[i])) sortie.push_back(t(r));
  }
  return sortie;
}

// 8-bit texts carry letters outside Windows-1252 as references: the plain table folds them too.
AnsiString Majuscules(std::string_view texte, const TTableMajuscules& t) {
  if (t.replie && texte.find("&#") != std::string_view::npos)
    return UnicodeVersAnsi(Majuscules(AnsiVersUnicode(texte), t));
  AnsiString sortie(texte);
  for (char& c : sortie) c = t(c);
  return sortie;
}

template <typename C>
std::basic_string<C> UpperGeneral(std::basic_string_view<C> texte,
                                  std::basic_string_view<C> paires) {
  std::basic_string<C> sortie(texte);
  for (C& c : sortie) {
    if constexpr (sizeof(C) == 1)
      c = ChercheDansPaires<C>(MajusculeAnsi(c), paires);
    else
      c = ChercheDansPaires<C>(MajusculeUnicode(c), paires);
  }
  return sortie;
}

template <typename C>
std::basic_string<C> IndexT(std::basic_string_view<C> texte) {
  constexpr std::string_view exclus = kCarsExclusIndex;
  const auto estExclu = [&](C c) {
    return static_cast<std::make_unsigned_t<C>>(c) < 0x80 &&
           exclus.find(static_cast<char>(c)) != std::string_view::npos;
  };
  // Excluded characters count as blanks for the trimming that follows their replacement.
  size_t debut = 0, fin = texte.size();
  while (debut < fin && (EstBlanc(texte[debut]) || estExclu(texte[debut]))) ++debut;
  while (fin > debut && (EstBlanc(texte[fin - 1]) || estExclu(texte[fin - 1]))) --fin;
  std::basic_string<C> sortie;
  sortie.reserve(fin - debut);
  for (size_t i = debut; i < fin; ++i) {
    const C c = estExclu(texte[i]) ? C(' ') : texte[i];
    if ((c == C(' ') || c == C(';')) && !sortie.empty() && sortie.back() == c) continue;
    sortie.push_back(c);
  }
  return sortie;
}

template <typename C>
std::basic_string<C> EnleveCarsT(std::basic_string_view<C> texte,
                                 std::basic_string_view<C> ensemble) {
  std::basic_string<C> sortie(texte);
  for (C& c : sortie)
    if (Contient(ensemble, c)) c = C(' ');
  return sortie;
}

template <typename C>
std::basic_string<C> ElimineMultiT(std::basic_string_view<C> texte, C sep) {
  std::basic_string<C> sortie;
  sortie.reserve(texte.size());
  for (const C c : texte)
    if (!(c == sep && !sortie.empty() && sortie.back() == sep)) sortie.push_back(c);
  return sortie;
}

template <typename C>
std::basic_string<C> EltNoT(int n, std::basic_string_view<C> texte, C sep) {
  if (n < 1) return {};
  size_t debut = 0;
  for (int k = 1; k < n; ++k) {
    const size_t p = texte.find(sep, debut);
    if (p == std::basic_string_view<C>::npos) return {};
    debut = p + 1;
  }
  const size_t p = texte.find(sep, debut);
  return std::basic_string<C>(texte.substr(debut, p == texte.npos ? texte.npos : p - debut));
}

template <typename C>
int NombreEltsT(std::basic_string_view<C> texte, C sep) noexcept {
  if (texte.empty()) return 0;
  int n = 1;
  for (const C c : texte) n += (c == sep);
  return n;
}

const char* NonNul(const char* s) { return s ? s : ""; }
const char16_t* NonNul(const char16_t* s) { return s ? s : u""; }

// Weight of a UTF-16 character in the byte order of the 8-bit comparison: its Windows-1252 byte
// read signed; below all of them, by code unit, a character that byte set cannot hold.
int Poids(char16_t c) noexcept {
  if (c < 0x80) return c;
  const char b = CarUnicodeVersAnsi(c);
  if (b != '?') return static_cast<signed char>(b);
  return static_cast<int>(c) - 0x20000;
}

// "*" in one text ends the comparison there; the first text's star wins.
template <typename C>
int Partiel(std::basic_string<C> a, std::basic_string<C> b) {
  const auto coupe = [](std::basic_string<C>& etoilee, std::basic_string<C>& autre) {
    etoilee.resize(etoilee.find(C('*')));
    if (autre.size() > etoilee.size()) autre.resize(etoilee.size());
  };
  if (a.find(C('*')) != a.npos)
    coupe(a, b);
  else if (b.find(C('*')) != b.npos)
    coupe(b, a);
  return strcmpNULL(a.c_str(), b.c_str());
}

}  // namespace

// --- Upper-casing -------------------------------------------------------------------------------

const AnsiString& asConvAccenMajAcc() { return Tables().accentuees8; }
const AnsiString& asConvAccenMajNonAcc() { return Tables().simples8; }
const UnicodeString& usConvAccenMajAcc() { return Tables().accentuees16; }
const UnicodeString& usConvAccenMajNonAcc() { return Tables().simples16; }

AnsiString UpperAnsiString(std::string_view texte, std::string_view paires) {
  return UpperGeneral(texte, paires);
}

UnicodeString UpperAnsiString(std::u16string_view texte, std::u16string_view paires) {
  return UpperGeneral(texte, paires);
}

void UpperChaine0(char* dest, const char* source, std::string_view paires) {
  const AnsiString r = UpperGeneral(std::string_view(NonNul(source)), paires);
  std::memcpy(dest, r.c_str(), r.size() + 1);
}

AnsiString UpperANSIChaineAS(std::string_view texte, int mode) {
  return Majuscules(texte, TableDuMode(mode));
}

UnicodeString UpperANSIChaineAS(std::u16string_view texte, int mode) {
  return Majuscules(texte, TableDuMode(mode));
}

void UpperANSIChaine0(char* dest, const char* source, int mode) {
  const TTableMajuscules& t = TableDuMode(mode);
  source = NonNul(source);
  while (*source) *dest++ = t(*source++);
  *dest = '\0';
}

char ToUpperNonAcc(char c) noexcept { return Tables().majNonAcc(c); }
char ToUpperAcc(char c) noexcept { return Tables().majAcc(c); }
char16_t ToUpperNonAcc(char16_t c) noexcept { return Tables().majNonAcc(c); }
char16_t ToUpperAcc(char16_t c) noexcept { return Tables().majAcc(c); }

// --- Keys ---------------------------------------------------------------------------------------

AnsiString TransformeEnCaractereIndex(std::string_view texte) { return IndexT(texte); }
UnicodeString TransformeEnCaractereIndex(std::u16string_view texte) { return IndexT(texte); }

AnsiString FormatIndex(std::string_view texte) {
  return IndexT<char>(UpperANSIChaineAS(PasseParticule(texte), 2));
}

UnicodeString FormatIndex(std::u16string_view texte) {
  return IndexT<char16_t>(UpperANSIChaineAS(PasseParticule(texte), 2));
}

AnsiString NormaliseCle(std::string_view texte) {
  const TTableMajuscules& t = Tables().majNonAcc;
  const AnsiString replie = Majuscules(texte, t);
  AnsiString sortie;
  sortie.reserve(texte.size());
  bool entreParentheses = false;
  for (const char brut : replie) {
    const char c = t(brut);
    if (c == '(') {
      entreParentheses = true;
    } else if (c == ')') {
      entreParentheses = false;
    } else if (!entreParentheses && ((c >= 'A' && c <= 'Z') || c == ' ' || c == '-')) {
      sortie.push_back(c);
    }
  }
  return sortie;
}

UnicodeString SupprimerAccents(std::u16string_view texte) {
  static const UnicodeString de =
      U("ÀÁÂÃÄÅàáâãäåÒÓÔÕÖØòóôõöøÈÉÊËèéêëÌÍÎÏìíîïÙÚÛÜùúûüÿÑñÇç");
  static const UnicodeString vers = U("AAAAAAaaaaaaOOOOOOooooooEEEEeeeeIIIIiiiiUUUUuuuuyNnCc");
  UnicodeString sortie(texte);
  for (char16_t& c : sortie) {
    const size_t p = de.find(c);
    if (p != UnicodeString::npos) c = vers[p];
  }
  return sortie;
}

// --- Comparisons --------------------------------------------------------------------------------

namespace {

// Null pointers and empty texts compare equal and before every other text.
template <typename C>
int CompareNul(const C* a, const C* b) noexcept {
  if (!a || !b) {
    const bool videA = !a || !*a;
    const bool videB = !b || !*b;
    if (videA && videB) return 0;
    return videA ? -1 : 1;
  }
  return strcmpFL(a, b);
}

// Upper case without accents first, the exact texts to break ties.
template <typename C>
int CompareSansDiacritiques(const C* a, const C* b) {
  const auto pa = UpperANSIChaineAS(std::basic_string_view<C>(NonNul(a)), 2);
  const auto pb = UpperANSIChaineAS(std::basic_string_view<C>(NonNul(b)), 2);
  const int r = strcmpFL(pa.c_str(), pb.c_str());
  return r != 0 ? r : strcmpFL(a, b);
}

}  // namespace

int strcmpFL(const char* a, const char* b) noexcept {
  a = NonNul(a);
  b = NonNul(b);
  for (;; ++a, ++b) {
    const auto ca = static_cast<signed char>(*a);
    const auto cb = static_cast<signed char>(*b);
    if (ca != cb) return ca < cb ? -1 : 1;
    if (ca == 0) return 0;
  }
}

int strcmpNULL(const char* a, const char* b) noexcept { return CompareNul(a, b); }

int strcmpIgnDiac(const char* a, const char* b) { return CompareSansDiacritiques(a, b); }

int strcmpPartiel(const char* a, const char* b) {
  return Partiel<char>(NonNul(a), NonNul(b));
}

int strcmpFL(const char16_t* a, const char16_t* b) noexcept {
  a = NonNul(a);
  b = NonNul(b);
  for (;; ++a, ++b) {
    if (*a != *b) return Poids(*a) < Poids(*b) ? -1 : 1;
    if (*a == 0) return 0;
  }
}

int strcmpNULL(const char16_t* a, const char16_t* b) noexcept { return CompareNul(a, b); }

int strcmpIgnDiac(const char16_t* a, const char16_t* b) { return CompareSansDiacritiques(a, b); }

int strcmpPartiel(const char16_t* a, const char16_t* b) {
  return Partiel<char16_t>(NonNul(a), NonNul(b));
}

int strcmpFL(const UnicodeString& a, const UnicodeString& b) noexcept {
  return strcmpFL(a.c_str(), b.c_str());
}
int strcmpNULL(const UnicodeString& a, const UnicodeString& b) noexcept {
  return strcmpNULL(a.c_str(), b.c_str());
}
int strcmpIgnDiac(const UnicodeString& a, const UnicodeString& b) {
  return strcmpIgnDiac(a.c_str(), b.c_str());
}
int strcmpPartiel(const UnicodeString& a, const UnicodeString& b) {
  return strcmpPartiel(a.c_str(), b.c_str());
}

// --- Text utilities -----------------------------------------------------------------------------

AnsiString EnleveCars(std::string_view texte, std::string_view ensemble) {
  return EnleveCarsT(texte, ensemble);
}
UnicodeString EnleveCars(std::u16string_view texte, std::u16string_view ensemble) {
  return EnleveCarsT(texte, ensemble);
}
AnsiString ElimineMultiSeparateur(std::string_view texte, char c) {
  return ElimineMultiT(texte, c);
}
UnicodeString ElimineMultiSeparateur(std::u16string_view texte, char16_t c) {
  return ElimineMultiT(texte, c);
}
AnsiString EltNo(int n, std::string_view texte, char c) { return EltNoT(n, texte, c); }
UnicodeString EltNo(int n, std::u16string_view texte, char16_t c) { return EltNoT(n, texte, c); }
int NombreElts(std::string_view texte, char c) noexcept { return NombreEltsT(texte, c); }
int NombreElts(std::u16string_view texte, char16_t c) noexcept { return NombreEltsT(texte, c); }
AnsiString EffBlancs(std::string_view texte) { return AnsiString(noms_interne::Rogne(texte)); }
UnicodeString EffBlancs(std::u16string_view texte) {
  return UnicodeString(noms_interne::Rogne(texte));
}

}  // namespace kyb
