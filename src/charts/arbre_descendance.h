#pragma once
// The descendants chart: the root at the left, each generation a column to its right. A person's
// box has its spouses' boxes ("∞") just below it; its children, in the order of its record, are
// stacked in the next column, each owning a horizontal band as high as its own descendants need,
// and the couple sits midway along its children's band: bands never overlap, so boxes never do.
// Numbers are d'Aboville's (1, 1.1, 1.2, 1.1.1). A person met again (a descendant through two
// lines, or a spouse who is also a descendant) gets a reference box ("voir n° 1.2") and is not
// followed further, which also stops any loop of a damaged folder.
#include "charts/dessin.h"

namespace kyb {

class TLecteurArbre;

inline constexpr int kGenerationsDescendanceMax = 12;

// The root must be a live person; generations from 1 to kGenerationsDescendanceMax.
[[nodiscard]] TDessin DessineDescendance(TLecteurArbre& lecteur, long racine, int generations);

}  // namespace kyb
