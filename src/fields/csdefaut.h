#pragma once
// The default field definitions: the set a new genealogy folder starts with, and the lines that
// bring the definition files of older folders up to date.
#include <string_view>
#include <vector>

#include "platform/chaines.h"

namespace kyb {

inline constexpr int kNbDefinitionsDefaut = 102;

// The default definition lines (Windows-1252, TChpCs line format), in table order.
[[nodiscard]] const std::vector<AnsiString>& LignesDefaut();

// Version of the set of definitions that the definition file records (its version line). A file
// without that line is of version 0. Version 1 brought the source image, the military and medical
// fields and the FamilySearch identifier.
inline constexpr int kVersionDefinitions = 1;

// The version of the default set that brought the definition of this internal label (0 for the
// definitions every file had, and for labels that are no default).
[[nodiscard]] int VersionIntroduction(std::string_view libelleInterne);

}  // namespace kyb
