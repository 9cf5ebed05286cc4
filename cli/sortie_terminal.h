#pragma once
// Text a terminal would obey is never printed raw: every control character of what kyb prints
// (a name or place holding ESC, BEL, a C1 code...) is written as a visible escape, "\x1B" or
// "\u009B". Line feeds, and tabs between columns, are kept.
#include <string>
#include <string_view>

namespace kyb::cli {

// The text with its control characters escaped (UTF-8 in, UTF-8 out).
[[nodiscard]] std::string Echappe(std::string_view texte);

// Makes stdout escape what the commands print through it; called once, first thing in main.
void FiltreSortieStandard();

}  // namespace kyb::cli
