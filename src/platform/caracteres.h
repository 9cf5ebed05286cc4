#pragma once
// Texts counted and checked in characters (Unicode code points), whatever their encoding in
// memory: a character outside the Basic Multilingual Plane is one character, not two UTF-16
// units. And control characters, the ones a terminal obeys: C0 (U+0000 to U+001F), DEL (U+007F)
// and C1 (U+0080 to U+009F).
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/chaines.h"

namespace kyb {

// Number of characters of a UTF-16 text (a surrogate pair is one).
[[nodiscard]] std::size_t NombreCaracteres(std::u16string_view texte);
// The first n characters of a UTF-16 text, never half a pair.
[[nodiscard]] UnicodeString PremiersCaracteres(const UnicodeString& texte, std::size_t n);

[[nodiscard]] constexpr bool EstControle(char32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }
// The first control character of a UTF-16 text, or -1 when it holds none.
[[nodiscard]] long PremierControle(std::u16string_view texte);
// "U+001B": how a message names a character.
[[nodiscard]] std::string NomCaractere(long c);

// Whether the bytes are well-formed UTF-8 (no overlong form, no surrogate, nothing above U+10FFFF).
[[nodiscard]] bool EstUtf8Valide(std::string_view octets);

}  // namespace kyb
