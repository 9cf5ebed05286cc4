// Adoption queries over the alternative parent pair: pair A the birth parents, pair B the
// adoptive ones, and the rule on the sexes of two parents.
#include <algorithm>

#include "persons/gest_pers.h"
#include "store/datamodulebdd.h"

namespace kyb {

bool SexesParentsAdmis(char sexePere, char sexeMere) {
  if (sexePere != 'F' && sexeMere != 'M') return true;
  return sexePere == sexeMere;
}

bool TPerson::IsAdopt() const { return noParents_.PereB > 0 || noParents_.MereB > 0; }

bool TPerson::HasEnfAdop() const {
  TModuleBDD* m = Bdd();
  return m && numero_ > 0 && !Dossier()->IsVersion2009() && !m->EnfantsParentB(numero_).empty();
}

void TPerson::GetIdParent(bool adoptifs, long& pere, long& mere) const {
  pere = std::max<int32_t>(adoptifs ? noParents_.PereB : noParents_.PereA, 0);
  mere = std::max<int32_t>(adoptifs ? noParents_.MereB : noParents_.MereA, 0);
}

}  // namespace kyb
