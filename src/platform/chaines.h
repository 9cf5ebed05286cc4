#pragma once
// Text types of the library and the conversions between them.
//
// AnsiString holds Windows-1252 bytes (names of files, most internal labels, the 8-bit record
// fields of older folders); UnicodeString holds UTF-16 (the store's text columns, current value
// tables). UTF-8 is used only at the edges: SQLite text, the terminal, XML and settings files.
//
// Windows-1252 leaves five bytes undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D); they map to the C1
// control code points of the same value and back, so that every one of the 256 bytes survives a
// round trip through UTF-16. Other characters become references (platform/references_ansi.h).
// Upper-casing is table-driven (no locale): Windows-1252 letters, and in UTF-16 the Latin-1 and
// Latin Extended-A letters; other characters are left unchanged.
#include <cstdint>
#include <string>
#include <string_view>

namespace kyb {

using AnsiString = std::string;
using UnicodeString = std::u16string;

// Windows-1252 <-> UTF-16.
[[nodiscard]] char16_t CarAnsiVersUnicode(unsigned char c) noexcept;
[[nodiscard]] char CarUnicodeVersAnsi(char16_t c) noexcept;  // '?' when not representable
[[nodiscard]] UnicodeString AnsiVersUnicode(std::string_view texte);
[[nodiscard]] AnsiString UnicodeVersAnsi(std::u16string_view texte);

// UTF-16 <-> UTF-8. Invalid sequences become U+FFFD; lone surrogates are encoded as U+FFFD.
[[nodiscard]] std::string UnicodeVersUtf8(std::u16string_view texte);
[[nodiscard]] UnicodeString Utf8VersUnicode(std::string_view texte);

// Windows-1252 <-> UTF-8.
[[nodiscard]] std::string AnsiVersUtf8(std::string_view texte);
[[nodiscard]] AnsiString Utf8VersAnsi(std::string_view texte);

// Table-driven case mapping.
[[nodiscard]] char MajusculeAnsi(char c) noexcept;
[[nodiscard]] char MinusculeAnsi(char c) noexcept;
[[nodiscard]] char16_t MajusculeUnicode(char16_t c) noexcept;
[[nodiscard]] char16_t MinusculeUnicode(char16_t c) noexcept;
[[nodiscard]] AnsiString MajusculesAnsi(std::string_view texte);
[[nodiscard]] AnsiString MinusculesAnsi(std::string_view texte);
[[nodiscard]] UnicodeString MajusculesUnicode(std::u16string_view texte);
[[nodiscard]] UnicodeString MinusculesUnicode(std::u16string_view texte);

// Case-insensitive comparison through the tables above (<0, 0, >0).
[[nodiscard]] int CompareSansCasseAnsi(std::string_view a, std::string_view b) noexcept;
[[nodiscard]] bool EgalSansCasseAnsi(std::string_view a, std::string_view b) noexcept;

// Literal helper for tests and built-in texts written in UTF-8 source: u8 text -> UnicodeString.
[[nodiscard]] inline UnicodeString U(std::string_view utf8) { return Utf8VersUnicode(utf8); }
// UTF-8 source text -> Windows-1252.
[[nodiscard]] inline AnsiString A(std::string_view utf8) { return Utf8VersAnsi(utf8); }

// Trims spaces and control characters at both ends.
[[nodiscard]] AnsiString Rogne(std::string_view texte);
[[nodiscard]] UnicodeString Rogne(std::u16string_view texte);

// Decimal conversions that never throw: false when the whole text (spaces trimmed) is not a number
// in range.
[[nodiscard]] bool TexteVersEntier(std::string_view texte, long long& valeur) noexcept;
[[nodiscard]] bool TexteVersEntier(std::u16string_view texte, long long& valeur) noexcept;

}  // namespace kyb
