#pragma once
// The statistics of a genealogy as kyb statistiques shows them: the store's counts
// (statistiques_bdd.h) and what the lifetime years of the persons give — persons by century of
// birth and mean lifetime. Years are the stated ones (annees_vie.h), never estimated.
#include <map>

#include "store/statistiques_bdd.h"

namespace kyb {

class TGestFichier;

struct TStatistiques {
  TDecomptesBDD Decomptes;
  // Century (19 for 1801 to 1900) -> persons born in it; persons with no birth year apart.
  std::map<int, long> ParSiecle;
  long NaissancesInconnues = 0;
  // Persons with a birth year and a death year not before it, and their mean age at death.
  long DureesConnues = 0;
  double DureeVieMoyenne = 0;
};

// The statistics of the open genealogy; false when its store could not be read.
[[nodiscard]] bool CalculeStatistiques(TGestFichier& g, TStatistiques& s);

}  // namespace kyb
