#pragma once
// Kept GEDCOM lines written in either version. An import keeps what the model has no place for
// as the file wrote it, in 5.5.1 or 7.0; the export may write the other version. Each tag path
// that exists in one version only is a row of a table (versions_gedcom.cpp): its form in 5.5.1,
// its form in 7.0, or none. A kept line goes out in the form of the version written; a line
// with no counterpart goes out as an extension tag ("_" and its tag: UID in 5.5.1 is _UID),
// which the other version reads back to its own tag, so nothing is lost either way.
//
// Besides renaming, a few rows change the structure: AFN, RFN and RIN are 7.0 EXID lines with a
// TYPE naming them (an RFN's resource and an RIN's system in its fragment); a 7.0 ordinance takes no "Y"; a 7.0 STAT needs its DATE; a 7.0 medium link
// points to its record (the FILE line becomes a pointer to the medium of that path, see
// gedcom/gedcom_gardees.h); a medium record without a file (5.5) has no 7.0 form and goes.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "gedcom/dates_gedcom.h"
#include "gedcom/lignes_gardees.h"

namespace kyb {

// The system named in the HEAD.SOUR of the files written here (and in the EXID TYPE of their RIN).
inline constexpr std::string_view kSystemeGedcom = "KYBASE";
// The cross-reference of the submitter record the files written here name in their HEAD: the
// genealogy itself.
inline constexpr std::string_view kSoumetteurGedcom = "@SOUMETTEUR@";

// Rewrites lines in the form of version. contexte holds the tags of the structures above the
// lines of the lowest level ("INDI", "BIRT"), from the record down; a line's path is contexte,
// then the lines above it.
void TraduitLignesGardees(std::vector<TLigneGardee>& lignes, TContexteGarde contexte,
                          TVersionGedcom version);

// A line the export writes from a field or an event (no kept sub-lines): its tag and value in the
// form of version, as TraduitLignesGardees gives them; type gets the value of a TYPE line to
// write below it (an EXID's), else is emptied. False, and nothing changed, when no row names tag.
bool TraduitChamp(std::string& tag, std::string& valeur, std::string& type, TContexteGarde contexte,
                  TVersionGedcom version);

// The standard tag of an extension form the table gives in the version of the file read ("_UID"
// of 5.5.1: "UID"), read back as such by an import; tag itself otherwise (an extension of the
// file's own).
[[nodiscard]] std::string_view TagStandard(std::string_view tag, TVersionGedcom lue);

// The media type of a medium's format as 5.5.1 writes it, its file's extension without the dot
// ("jpg": "image/jpeg"); empty when it has none known.
[[nodiscard]] std::string TypeMedia(std::string_view format);

// The extension tags that lines translated into version may get (for the 7.0 header).
[[nodiscard]] std::vector<std::string> ExtensionsDeVersion(TVersionGedcom version);

}  // namespace kyb
