#include "gedcom/dates_lues_import.h"

namespace kyb {

const TDatesLuesImport::TLue& TDatesLuesImport::Lit(std::string_view texte) {
  std::string cle(texte);
  if (const auto it = lues_.find(cle); it != lues_.end()) return it->second;
  if (lues_.size() >= kMax) lues_.clear();
  TLue lue{LitDateGedcom(texte), true};
  lue.aGarder = DateAGarder(texte, lue.date);
  return lues_.emplace(std::move(cle), std::move(lue)).first->second;
}

}  // namespace kyb
