#pragma once
// Names of wedding anniversaries by years of marriage: TableNoces[1] is "noces de coton",
// TableNoces[100] "noces d'eau"; TableNoces[0] is empty. Windows-1252 texts, built when the
// library starts.
#include <array>

#include "platform/chaines.h"

namespace kyb {

extern const std::array<AnsiString, 101> TableNoces;

}  // namespace kyb
