#pragma once
// The parents of every person of a current-format folder, read in one pass: what the Sosa walks
// use instead of reading persons one by one when they go through a large part of the folder.
#include <cstdint>
#include <vector>

namespace kyb {

class TModuleBDD;
class TFicSosas;

struct TParentsSosa {
  int32_t Pere = 0;
  int32_t Mere = 0;
};

// parents[n] becomes the father and mother a person object shows for person n (1..nbPersonnes):
// the Personnes row's, or those of the principal pair of its IDParents row when it has one (B when
// its selector is 2, otherwise A). False when the store could not be read (parents left empty).
[[nodiscard]] bool ChargeParentsSosa(TModuleBDD& store, long nbPersonnes, std::vector<TParentsSosa>& parents);

// The parents of every person loaded into a Sosa file object for the duration of a walk, when
// its folder holds at least TFicSosas::SeuilChargementParents persons; released at the end.
class TParentsCharges {
 public:
  explicit TParentsCharges(TFicSosas& s);
  ~TParentsCharges();
  TParentsCharges(const TParentsCharges&) = delete;
  TParentsCharges& operator=(const TParentsCharges&) = delete;

 private:
  TFicSosas& s_;
};

}  // namespace kyb
