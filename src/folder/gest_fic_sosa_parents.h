#pragma once
// The parents the Sosa walks of a current-format folder read from the store (store/parents_sosa.h)
// instead of reading persons one by one.
#include "store/parents_sosa.h"

namespace kyb {

class TFicSosas;

// For the duration of a walk of a Sosa file object in a current-format folder: the parents of
// every person when the walk may cover much of a folder of at least
// TFicSosas::SeuilChargementParents persons, a reader of one person at a time otherwise;
// released at the end.
class TParentsCharges {
 public:
  explicit TParentsCharges(TFicSosas& s, bool grandParcours = true);
  ~TParentsCharges();
  TParentsCharges(const TParentsCharges&) = delete;
  TParentsCharges& operator=(const TParentsCharges&) = delete;

 private:
  TFicSosas& s_;
  bool lecteur_ = false;  // this walk installed the reader
  bool table_ = false;    // this walk loaded the table
};

}  // namespace kyb
