#pragma once
// The store side of search conditions: a comparison of the datum of one field label with a value,
// as the text shown to the user and as a query run on the Evenements table.
//
// The text form (TexteSqlComparaison) quotes the value by doubling its quote characters; it is for
// display and logs only. The query actually run (PersonnesComparaison) never holds the value: it
// is bound as a parameter, so that no quote or SQL word in a typed value can change the statement.
// For "commence par", "termine par" and "contenant" the wildcard characters of the value (% _ \)
// are escaped and match themselves.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/chaines.h"
#include "store/evenement.h"

namespace kyb {

class TModuleBDD;

struct TComparaisonBDD {
  AnsiString Libelle;     // LibelleChamps of the rows
  int Operateur = 0;      // 0 égal à, 1 commence par, 2 termine par, 9 contenant
  UnicodeString Valeur;   // compared with Donnee, letters without regard to case
};

// The operators a comparison can be run with.
[[nodiscard]] bool OperateurConvertible(int operateur);
// "SELECT NoPersA FROM Evenements WHERE LibelleChamps = '...' AND Donnee LIKE 'Du%';" (UTF-8);
// empty for an operator that cannot be converted.
[[nodiscard]] std::string TexteSqlComparaison(const TComparaisonBDD& comparaison);
// Numbers of the persons holding a matching row, ascending, each once. ok is false (and the list
// empty) on an operator that cannot be converted or an engine error.
[[nodiscard]] std::vector<int32_t> PersonnesComparaison(TModuleBDD& bdd, const TComparaisonBDD& comparaison,
                                                        bool& ok);

// Every visible event held by a person (Type 0, NoPersA above 0), in holder order and, for one
// holder, in rank order: its label, datum, date, place number and lieu-dit filled (lists left
// unloaded). One statement for the whole walk. False on an engine error.
[[nodiscard]] bool ParcoursEvenementsParPersonne(TModuleBDD& bdd,
                                                 const std::function<void(long, const TEvenement::TEnreg&)>& action);

}  // namespace kyb
