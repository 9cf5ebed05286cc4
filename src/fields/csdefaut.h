#pragma once
// The default field definitions: the set a new genealogy folder starts with, and the lines that
// bring the definition files of older folders up to date.
#include <vector>

#include "platform/chaines.h"

namespace kyb {

inline constexpr int kNbDefinitionsDefaut = 102;

// The default definition lines (Windows-1252, TChpCs line format), in table order.
[[nodiscard]] const std::vector<AnsiString>& LignesDefaut();

}  // namespace kyb
