#pragma once
// The parents a person object shows for a person, read straight from the store for the walks
// that go through many persons (Sosa numbering): the Personnes row's father and mother, or those
// of the principal pair of its IDParents row when it has one (B when its selector is 2,
// otherwise A).
#include <cstdint>
#include <memory>

namespace kyb {

class TModuleBDD;
class TACRQuery;

struct TParentsSosa {
  int32_t Pere = 0;
  int32_t Mere = 0;
};

// The parents of one person at a time, through one statement prepared for the life of the
// reader (which must end before the store closes).
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

}  // namespace kyb
