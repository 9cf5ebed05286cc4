#pragma once
// Characters outside Windows-1252 inside 8-bit texts.
//
// No character is lost in an AnsiString: AnsiVersUnicode / UnicodeVersAnsi and AnsiVersUtf8 /
// Utf8VersAnsi (platform/chaines.h) write a character with no Windows-1252 form as the numeric
// reference "&#N;" (N its decimal code point: "&#321;" for Ł, one reference for a character
// outside the BMP) and read it back. A typed "&" that stands before "#" is written "&#38;", so a
// typed "&#65;" comes back as typed. Reading decodes only what writing makes: "&#N;" without
// leading zero for a character that has no Windows-1252 form, and "&#38;" before "#"; any other
// "&#…" (an older file's "&#65;") stays as it is. Every 8-bit file of a folder and every 8-bit
// column of the store thus keeps its layout and every character.
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/chaines.h"

namespace kyb {

// Bytes of an outside file in Windows-1252, each byte one character (no reference read).
[[nodiscard]] std::string AnsiBrutVersUtf8(std::string_view octets);

// True when every character of the UTF-8 text has a Windows-1252 form (no reference needed).
[[nodiscard]] bool EstTexteAnsi(std::string_view utf8);

// The longest start of texte of at most n bytes that ends neither inside a reference nor between
// an escaped "&" and its "#": the cut of a fixed-size field.
[[nodiscard]] AnsiString CoupeAnsi(std::string_view texte, std::size_t n);
// The same cut counted in characters (a reference is one), for fields sized in characters.
[[nodiscard]] AnsiString CoupeAnsiCaracteres(std::string_view texte, std::size_t n);

}  // namespace kyb
