#pragma once
// A laid-out chart written as an SVG 1.1 document in UTF-8: every character of the names is
// kept (escaped for XML where it must be), a line longer than its room is set in a smaller font
// to fit it, men's boxes are blue, women's pink, unknown grey, references dashed.
#include <string>
#include <string_view>

#include "charts/dessin.h"
#include "platform/chaines.h"

namespace kyb {

// Text for XML content and attribute values: & < > " escaped; a control character, which XML
// 1.0 cannot carry, becomes U+FFFD.
[[nodiscard]] std::string EchappeXml(std::string_view utf8);

[[nodiscard]] std::string SvgDuDessin(const TDessin& d);

// Writes the document through a temporary file renamed over chemin at the end: on failure
// nothing is left at chemin (an older file stays as it was). Empty on success, else the French
// reason (missing or unwritable directory, failed write).
[[nodiscard]] std::string EcritSvg(const TDessin& d, const AnsiString& chemin);

}  // namespace kyb
