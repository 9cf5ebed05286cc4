#pragma once
// The kinds of a child's link to the family of its parents (FAMC.PEDI), read by the import and
// written by the export.
//
// A person has at most two parent pairs: A, its birth parents, and B, its adoptive parents
// (the person object's alternative pair). A FAMC without PEDI, or PEDI birth, names a birth
// family; adopted, foster, sealing and any other word name the adoptive family.
#include <string>
#include <string_view>

namespace kyb {

inline constexpr char kPediNaissance = 'N';
inline constexpr char kPediAdoption = 'A';

// The kind of a PEDI value, in any case: 'N' birth, 'A' adopted, 'F' foster, 'S' sealing, 'O'
// any other word (7.0 OTHER); 0 for an empty value.
[[nodiscard]] char Pedi(std::string_view valeur);
// The word of a kind: 5.5.1 in lower case ("birth", "adopted"), 7.0 in capitals ("BIRTH").
[[nodiscard]] std::string MotPedi(char pedi, bool v7);

}  // namespace kyb
