#pragma once
// One search run in several genealogy folders: the open one and the others a genealogist keeps
// beside it (a spouse's family, a cousin's tree). Each folder is searched through its own person
// index and its own equivalence tables, so that its results, in its index order, are what a
// search of that folder alone gives; the results stay apart, one per folder.
#include <span>
#include <vector>

#include "index/recherche_simple.h"

namespace kyb {

class TGestFichier;

struct TResultatDossier {
  TGestFichier* Dossier = nullptr;
  TResultatRecherche Resultat;
  bool SansIndex = false;  // the folder was opened without its person index: not searched
};

// The search of criteres in each folder, in the order given (folders opened by the caller;
// read-only is enough: nothing is written). Keeps the first limite persons of each and counts
// every match.
[[nodiscard]] std::vector<TResultatDossier> RechercheDansDossiers(const TRechSimple& criteres,
                                                                  std::span<TGestFichier* const> dossiers,
                                                                  size_t limite);

}  // namespace kyb
