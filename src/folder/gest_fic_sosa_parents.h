#pragma once
// The parents of every person of a current-format folder, read in one pass: what the Sosa walks
// use instead of reading persons one by one when they go through a large part of the folder.
#include <cstdint>
#include <memory>
#include <vector>

namespace kyb {

class TModuleBDD;
class TFicSosas;
class TACRQuery;

struct TParentsSosa {
  int32_t Pere = 0;
  int32_t Mere = 0;
};

// parents[n] becomes the father and mother a person object shows for person n (1..nbPersonnes):
// the Personnes row's, or those of the principal pair of its IDParents row when it has one (B when
// its selector is 2, otherwise A). False when the store could not be read (parents left empty).
[[nodiscard]] bool ChargeParentsSosa(TModuleBDD& store, long nbPersonnes, std::vector<TParentsSosa>& parents);

// The parents of one person at a time, through one statement prepared for the life of the
// reader (which must end before the store closes): the same parents as above.
class TLecteurParentsSosa {
 public:
  explicit TLecteurParentsSosa(TModuleBDD& store);
  ~TLecteurParentsSosa();
  TLecteurParentsSosa(const TLecteurParentsSosa&) = delete;
  TLecteurParentsSosa& operator=(const TLecteurParentsSosa&) = delete;
  // False when the person has no row (parents then 0).
  [[nodiscard]] bool Lit(long no, TParentsSosa& parents);

 private:
  std::unique_ptr<TACRQuery> requete_;
};

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
