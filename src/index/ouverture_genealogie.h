#pragma once
// Opening a genealogy folder with its person index: what a host or a tool uses. The folder layer
// alone opens without an index (see folder/index_personnes.h); these options add it.
//
//   TGestFichier g(chemin, AvecIndex(TGestFichier::Ouverture(iu)));
#include "folder/gest_fic.h"

namespace kyb {

// The same options, with the person index opened in its place among the folder's files.
[[nodiscard]] TGestFichier::TOptionsOuverture AvecIndex(TGestFichier::TOptionsOuverture options);

}  // namespace kyb
