#pragma once
// Rows of the person index in the store (IndexNomPrenoms), the events that give the persons'
// lifetime ranges, and the persons removed from a number on by a genealogy's repair. Private to
// the store.
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "dates/bo_jours.h"
#include "engine/acr_insertion.h"
#include "store/datamodulebdd_coeur_interne.h"
#include "store/lignes_index.h"

namespace kyb {

class TIndexBDD : public TUniteBDD {
 public:
  using TUniteBDD::TUniteBDD;
  void FermeCurseurs() override { insertionImport_.reset(); }

  [[nodiscard]] std::vector<long> GetIndexPerson(long noPers);
  [[nodiscard]] int64_t AjouteLigneIndexImport(const TEnregIndexPerson& e);
  bool RemoveAllIndexPersonIndex();
  bool AddAllIndexPersonIndex();
  [[nodiscard]] bool CreerTableIndexNomPrenoms();
  long DeleteIndexPerson(long noPers);
  bool ParcoursLignesIndex(TOrdreLignesIndex ordre, long noPers,
                           const std::function<bool(long, const TEnregIndexPerson&)>& action);
  bool ParcoursLignesIndexDe(const std::vector<long>& nos,
                             const std::function<bool(long, const TEnregIndexPerson&)>& action);
  long DeleteIndexHorsPersonnes(long nbPersonnes);
  bool ParcoursEvenementsVie(long noPers, const std::function<void(long, std::string_view, const TDateKY&)>& action);
  bool DeleteNoPers(long premier);

 private:
  std::unique_ptr<TACRInsertion> insertionImport_;  // AjouteLigneIndexImport's, kept while the table lasts
};

}  // namespace kyb
