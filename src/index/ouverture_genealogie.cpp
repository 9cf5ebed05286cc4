#include "index/ouverture_genealogie.h"

#include "index/gest_fic_index.h"

namespace kyb {

TGestFichier::TOptionsOuverture AvecIndex(TGestFichier::TOptionsOuverture options) {
  options.FabriqueIndex = TFicIndexPerson::Fabrique();
  return options;
}

}  // namespace kyb
