#pragma once
// The pedigree chart: the root at the left, each generation a column to its right. The person
// of Sosa number s (father 2s, mother 2s + 1) of generation g = floor(log2 s) takes slot
// s - 2^g of the 2^g equal slots of its column, so that each box sits midway between its
// parents' and no two boxes meet. An ancestor met again (implex) is drawn once, under its
// smallest number; its other places get a reference box ("voir n° 12") whose line stops there.
#include "charts/dessin.h"

namespace kyb {

class TLecteurArbre;

inline constexpr int kGenerationsAscendanceMax = 12;

// The root must be a live person; generations from 1 to kGenerationsAscendanceMax.
[[nodiscard]] TDessin DessineAscendance(TLecteurArbre& lecteur, long racine, int generations);

}  // namespace kyb
