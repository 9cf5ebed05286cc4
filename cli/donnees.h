#pragma once
// The data kyb ships: reference town tables (TableVille/) and the demo's family (demo/).
#include <string>

namespace kyb::cli {

// The share/kybase of the installation holding kyb; from a build tree, the source tree's data.
// UTF-8, without a trailing '/'.
[[nodiscard]] const std::string& RepertoireDonnees();

}  // namespace kyb::cli
