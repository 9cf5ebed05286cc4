#pragma once
// A genealogy folder written out as text, one line per person (and one for its alternative
// parent pair) and per record, so that two folders can be compared whole: identity and links,
// then every event (label, datum, date in its stored form, place text, locality, note headings
// and texts, cited persons with their quality and kinship, sources, media) and every simple
// field. A couple record is written with its two
// persons in number order, whichever of them holds it. Record identifiers and ranks are left
// out: they are the store's, not the genealogy's.
#include <string>

namespace kyb::test {

[[nodiscard]] std::string GenealogieTexte(const std::string& cheminBase);

}  // namespace kyb::test
