#pragma once
// Letters that Windows-1252 cannot hold, folded to the base letters a key is made of.
//
// A name key is written in the letters of Windows-1252 upper-cased without accents (bo_chn1.h,
// plain table). A letter outside that set is first brought back to letters of it: its
// compatibility decomposition (Unicode NFKD, by ICU) without its combining marks (ő gives o,
// ǆ gives dz, ﬁ gives fi), or, for the letters that have no decomposition, a small table
// (Ł gives L, Đ gives D, Ħ gives H, ı gives i, ẞ gives ß). A character that neither gives (北, an
// emoji) stays as it is. Letters of Windows-1252 never go through this: their keys do not change.
// Thread-safe.
#include "platform/chaines.h"

namespace kyb {

// True when the character has a Windows-1252 form.
[[nodiscard]] bool EstCarAnsi(char16_t c) noexcept;

// The letters a character outside Windows-1252 folds to (the character itself when none).
[[nodiscard]] UnicodeString RepliLettre(char16_t c);

}  // namespace kyb
