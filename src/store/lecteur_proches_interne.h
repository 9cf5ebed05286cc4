#pragma once
// The store's unit that keeps the main thread's reader of relatives (TModuleBDD::LecteurProches):
// its statements are dropped with the other units' cursors when the tables close. Private to
// the store.
#include "store/datamodulebdd_coeur_interne.h"
#include "store/lecteur_proches.h"

namespace kyb {

class TUniteProches final : public TUniteBDD {
 public:
  explicit TUniteProches(TCoeurBDD& coeur) : TUniteBDD(coeur), Lecteur(*base_) {}
  void FermeCurseurs() override { Lecteur.Oublie(); }
  TLecteurProches Lecteur;
};

}  // namespace kyb
