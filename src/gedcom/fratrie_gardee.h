#pragma once
// Brothers and sisters known only from a family an import kept whole for having no spouse: the
// children of parents the file does not name, whom the model's parent pairs cannot link.
#include <vector>

namespace kyb {

class TGestFichier;

// The other children of the kept families that list person no as a child, each once, in the
// order of those families; deleted persons included (the caller shows what it can).
[[nodiscard]] std::vector<long> FreresSansParentsConnus(const TGestFichier& dossier, long no);

}  // namespace kyb
