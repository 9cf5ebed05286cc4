#pragma once
// Wildcard masks of the name searches: "*" stands for any run of characters (none included).
//  - a mask equal to "*" (or made of stars only) matches every text;
//  - a mask without "*" matches only the identical text;
//  - otherwise the piece before the first star must begin the text, each following non-empty
//    piece is found further on, in order, and, unless the mask ends with a star, the last piece
//    ends the text ("MAR*" and "*TEL" match "MARTEL", "MAR*IN" does not, "MAR*IN" matches
//    "MARTININ").
// Comparison is exact, character by character (the callers give index keys). Thread-safe.
#include <string_view>

namespace kyb {

[[nodiscard]] bool StrCmpMasque(std::string_view masque, std::string_view texte) noexcept;
[[nodiscard]] bool StrCmpMasque(std::u16string_view masque, std::u16string_view texte) noexcept;

// True when the text holds a star.
[[nodiscard]] inline bool EstMasque(std::u16string_view texte) noexcept {
  return texte.find(u'*') != std::u16string_view::npos;
}
// What every text a mask matches begins with: the mask up to its first star.
[[nodiscard]] inline std::u16string_view DebutMasque(std::u16string_view masque) noexcept {
  return masque.substr(0, masque.find(u'*'));
}

}  // namespace kyb
