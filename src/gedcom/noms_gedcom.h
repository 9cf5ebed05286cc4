#pragma once
// A person's NAME line as the file wrote it. The model holds one surname and first names; the
// export writes them back as "<prefix> <first names> /<surname>/ <suffix>" with GIVN and SURN.
// When the file wrote the line or its GIVN and SURN otherwise ("Joseph Tag /Torture/" with
// NPFX Prof. and GIVN Joseph), the import keeps the written form beside the names it read, and
// the export gives it back while the person's names are still those.
//
// Kept text (a heading of the person's note): the surname and the first names as stored, one
// line each, then the NAME line and its GIVN and SURN lines as GEDCOM text.
#include <string>
#include <string_view>

#include "gedcom/lecteur_gedcom.h"

namespace kyb {

// The NAME value the export writes; prefixe and suffixe may be empty.
[[nodiscard]] std::string NomComplet(std::string_view prefixe, std::string_view prenoms, std::string_view patronyme,
                                     std::string_view suffixe);

// The kept text of a NAME read into patronyme and prenoms (UTF-8, as stored); empty when the
// export would write the same NAME, GIVN and SURN lines.
[[nodiscard]] std::string NomAGarder(const TNoeudGedcom& nom, std::string_view patronyme, std::string_view prenoms);

// The GEDCOM lines of a kept text ("1 NAME …" and below) when its names are still patronyme and
// prenoms; empty otherwise.
[[nodiscard]] std::string_view LignesNomGarde(std::string_view garde, std::string_view patronyme,
                                              std::string_view prenoms);

}  // namespace kyb
