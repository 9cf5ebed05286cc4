#pragma once
// Phonetic code of a name: the first letter (after a leading H) and up to three digits of the
// phonetic classes below, never padded ("MARTEL" M634, "HENRI" E56, "LI" L).
//
//   B F P V → 1   C G J K Q S X Z → 2   D T → 3   L → 4   M N → 5   R → 6   * → * (kept)
//   anything else (vowels, H, W, Y, digits, punctuation, lower case) gives no digit.
//
// A character equal to the input character just before it is skipped ("TT" counts once), but two
// different letters of one class both count ("BFPV" gives B111). The input is expected in upper
// case. Thread-safe.
#include <string_view>

#include "platform/chaines.h"

namespace kyb {

// dest receives the code and its terminating zero: at least 5 characters.
void strSoundex(const char* source, char* dest) noexcept;
void strSoundex(const char16_t* source, char16_t* dest) noexcept;
[[nodiscard]] UnicodeString strSoundex(std::u16string_view texte);
[[nodiscard]] AnsiString strSoundex(std::string_view texte);

// Codes compared with a "*" cutting both at the starred one's star ("MAR*", code M6*, equals
// "MARTEL", code M634 cut to M6); negative, zero or positive.
[[nodiscard]] int strcmpSoundexPartiel(const char* a, const char* b);
// The same over UTF-16; the codes compare as strcmpNULL does (bo_chn1.h).
[[nodiscard]] int strcmpSoundexPartiel(const char16_t* a, const char16_t* b);
[[nodiscard]] int strcmpSoundexPartiel(const UnicodeString& a, const UnicodeString& b);
// True when the code of one space-separated element of a equals the code of b under that rule.
[[nodiscard]] bool strEgaleSoundexPartielChqElt(std::string_view a, std::string_view b);
[[nodiscard]] bool strEgaleSoundexPartielChqElt(std::u16string_view a, std::u16string_view b);

}  // namespace kyb
