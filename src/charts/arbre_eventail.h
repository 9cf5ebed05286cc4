#pragma once
// The fan chart: a half circle, the root in the half disc at the centre bottom, each generation
// a ring outward, the father's side on the left. The person of Sosa number s of generation g
// takes the sector s - 2^g of the 2^g equal sectors of ring g. The inner rings write along the
// arc; from ring 4 on, sectors are narrow and texts run along the radius. A ring starts no nearer
// the centre than where its sectors are one line high, and the radial rings widen together to
// meet it, so that ten generations stay readable. Implex as in the pedigree chart: an ancestor
// met again is drawn once, its other sectors refer to it ("voir n° 12") and stop there.
#include "charts/dessin.h"

namespace kyb {

class TLecteurArbre;

inline constexpr int kGenerationsEventailMax = 10;

// The root must be a live person; generations from 1 to kGenerationsEventailMax.
[[nodiscard]] TDessin DessineEventail(TLecteurArbre& lecteur, long racine, int generations);

}  // namespace kyb
