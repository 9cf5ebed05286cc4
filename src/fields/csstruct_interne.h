#pragma once
// Text helpers shared by the field-definition units (not part of the public interface).
#include <string_view>
#include <vector>

#include "platform/chaines.h"

namespace kyb::csinterne {

// Every item between separators, empty ones included ("a,,b" gives three items); an empty text
// gives no item.
[[nodiscard]] std::vector<std::string_view> Decoupe(std::string_view texte, char separateur);
// As Decoupe, each item trimmed of spaces.
[[nodiscard]] std::vector<AnsiString> DecoupeRogne(std::string_view texte, char separateur);
[[nodiscard]] AnsiString Joint(const std::vector<AnsiString>& items, std::string_view separateur);
// Trims spaces and control characters at both ends; bytes from 0x80 up are letters and stay.
[[nodiscard]] AnsiString RogneAnsi(std::string_view texte);
// Control characters become spaces, so that a text never breaks its line or its column.
[[nodiscard]] AnsiString SansControle(std::string_view texte);
// Decimal value of the whole text (spaces trimmed) within int bounds, or the default.
[[nodiscard]] int EntierOuDefaut(std::string_view texte, int defaut);

}  // namespace kyb::csinterne
