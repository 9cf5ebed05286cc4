// libFuzzer harness for the name functions: keys, particles, phonetic codes, comparisons,
// splitting and formatting, over the input read both as Windows-1252 and as UTF-16.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "names/bo_chn1.h"
#include "names/bo_particules.h"
#include "names/bo_soundex.h"
#include "names/cles_personne.h"
#include "names/formatagenom.h"

namespace {

void Verifie(bool condition) {
  if (!condition) __builtin_trap();
}

template <typename C>
void Exerce(const std::basic_string<C>& t) {
  using namespace kyb;
  const auto cle = FormatIndex(t);
  for (const char e : kCarsExclusIndex) Verifie(cle.find(C(e)) == cle.npos);
  Verifie(TransformeEnCaractereIndex(cle) == cle);
  Verifie(PasseParticule(t).size() <= t.size());
  Verifie(UpperANSIChaineAS(t, 1).size() == t.size());
  Verifie(strSoundex(std::basic_string_view<C>(t)).size() <= 4);
  (void)CleNom(std::basic_string_view<C>(t), 2);
  (void)ClePrenom(std::basic_string_view<C>(t), 1);
  (void)EltNo(3, std::basic_string_view<C>(t), C(';'));
  (void)NombreElts(std::basic_string_view<C>(t), C(' '));
  (void)TronqueAParticule(std::basic_string_view<C>(t));
  Verifie(Particule(std::basic_string_view<C>(t)) <= static_cast<int>(t.size()));
  std::vector<std::basic_string<C>> liste;
  DecoupageDelimiteurs(std::basic_string_view<C>(t), liste, nullptr, t.size() % 2 == 0);
  (void)AssemblerTexte(liste);
  const std::basic_string<C> seps(1, C(' '));
  Verifie(FormatageNomAvecSep(std::basic_string_view<C>(t), seps, t.size() % 3 == 0, 1, 0).size() ==
          t.size());
  (void)strEgaleSoundexPartielChqElt(std::basic_string_view<C>(t), std::basic_string_view<C>(t));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace kyb;
  const std::string brut(reinterpret_cast<const char*>(data), size);
  Exerce(brut);
  std::u16string large(size / 2, u'\0');
  for (size_t i = 0; i + 1 < size; i += 2)
    large[i / 2] = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
  Exerce(large);

  // C-string forms over the text cut at its first zero byte, split in two for the comparisons.
  const std::string c = brut.substr(0, brut.find('\0'));
  const std::string a = c.substr(0, c.size() / 2), b = c.substr(c.size() / 2);
  char code[5];
  strSoundex(c.c_str(), code);
  Verifie(std::string(code).size() <= 4);
  std::vector<char> tampon(c.size() + 1);
  UpperANSIChaine0(tampon.data(), c.c_str(), 2);
  Verifie(strcmpFL(a.c_str(), b.c_str()) == -strcmpFL(b.c_str(), a.c_str()));
  Verifie(strcmpIgnDiac(a.c_str(), b.c_str()) == -strcmpIgnDiac(b.c_str(), a.c_str()));
  // The UTF-16 comparisons give the results of the 8-bit ones on every text Windows-1252 holds.
  const UnicodeString ua = AnsiVersUnicode(a), ub = AnsiVersUnicode(b);
  Verifie(strcmpFL(ua.c_str(), ub.c_str()) == strcmpFL(a.c_str(), b.c_str()));
  Verifie(strcmpNULL(ua, ub) == strcmpNULL(a.c_str(), b.c_str()));
  Verifie(strcmpIgnDiac(ua, ub) == strcmpIgnDiac(a.c_str(), b.c_str()));
  Verifie(strcmpPartiel(ua, ub) == strcmpPartiel(a.c_str(), b.c_str()));
  const int s8 = strcmpSoundexPartiel(a.c_str(), b.c_str()), s16 = strcmpSoundexPartiel(ua, ub);
  Verifie((s16 > 0) - (s16 < 0) == (s8 > 0) - (s8 < 0));
  (void)NormaliseCle(c);
  (void)SupprimerAccents(large);
  return 0;
}
