#pragma once
// Checking a store on request. Findings go to "DataModuleBDD_AnalyseBDD.log" in the log
// directory; when something is wrong the user interface (null: none) is told where to read them.
//
// Main thread only.
#include "store/datamodulebdd.h"

namespace kyb {

class TInterfaceUtilisateur;

// Rapide reads every page and row (damaged pages are found); Complete also compares every index
// with its table, several times slower on a large genealogy.
enum class TVerificationBDD { Rapide, Complete };

// The pages checked, then events of no person and sources of no event counted.
[[nodiscard]] TAnalyseBDD AnalyseBase(TACRDatabase& base, TInterfaceUtilisateur* iu, TVerificationBDD verification);
[[nodiscard]] inline TAnalyseBDD AnalyseBDD(TModuleBDD& m, TVerificationBDD verification, TInterfaceUtilisateur* iu) {
  return AnalyseBase(m.Database(), iu, verification);
}

}  // namespace kyb
