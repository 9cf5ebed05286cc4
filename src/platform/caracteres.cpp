#include "platform/caracteres.h"

#include <cstdio>

namespace kyb {
namespace {

constexpr bool EstPoidsFort(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
constexpr bool EstPoidsFaible(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

}  // namespace

std::size_t NombreCaracteres(std::u16string_view texte) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < texte.size(); ++i, ++n)
    if (EstPoidsFort(texte[i]) && i + 1 < texte.size() && EstPoidsFaible(texte[i + 1])) ++i;
  return n;
}

UnicodeString PremiersCaracteres(const UnicodeString& texte, std::size_t n) {
  std::size_t i = 0;
  for (std::size_t gardes = 0; i < texte.size() && gardes < n; ++i, ++gardes)
    if (EstPoidsFort(texte[i]) && i + 1 < texte.size() && EstPoidsFaible(texte[i + 1])) ++i;
  return texte.substr(0, i);
}

long PremierControle(std::u16string_view texte) {
  for (const char16_t u : texte)
    if (EstControle(u)) return u;
  return -1;
}

std::string NomCaractere(long c) {
  char texte[16];
  std::snprintf(texte, sizeof texte, "U+%04lX", static_cast<unsigned long>(c));
  return texte;
}

bool EstUtf8Valide(std::string_view octets) {
  for (std::size_t i = 0; i < octets.size();) {
    const auto c = static_cast<unsigned char>(octets[i]);
    std::size_t suite = 0;
    char32_t valeur = 0, minimum = 0;
    if (c < 0x80) {
      ++i;
      continue;
    }
    if (c >= 0xC2 && c <= 0xDF) suite = 1, valeur = c & 0x1F, minimum = 0x80;
    else if (c >= 0xE0 && c <= 0xEF) suite = 2, valeur = c & 0x0F, minimum = 0x800;
    else if (c >= 0xF0 && c <= 0xF4) suite = 3, valeur = c & 0x07, minimum = 0x10000;
    else return false;
    if (i + suite >= octets.size()) return false;
    for (std::size_t k = 1; k <= suite; ++k) {
      const auto s = static_cast<unsigned char>(octets[i + k]);
      if ((s & 0xC0) != 0x80) return false;
      valeur = (valeur << 6) | (s & 0x3F);
    }
    if (valeur < minimum || valeur > 0x10FFFF || (valeur >= 0xD800 && valeur <= 0xDFFF)) return false;
    i += suite + 1;
  }
  return true;
}

}  // namespace kyb
