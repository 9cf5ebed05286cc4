#pragma once
// Rows of the person index table (IndexNomPrenoms) as the store serves them: the walks of
// TModuleBDD::ParcoursLignesIndex, and the reading of one row of a cursor into its record.
#include "names/enreg_index.h"

namespace kyb {

// Which rows a walk of IndexNomPrenoms serves, and in what order.
enum class TOrdreLignesIndex {
  Table,        // every row, in the table's order (the fastest)
  ParPersonne,  // every row, by person number then identifier
  DUnePersonne  // the rows of one person, the newest first
};

// Reads columns 1 to 13 of the current row of a cursor or query of IndexNomPrenoms whose
// column 0 is ID, by position (defined for TACRTable and TACRQuery).
template <class Source>
void LitColonnesIndex(Source& source, TEnregIndexPerson& enreg);

}  // namespace kyb
