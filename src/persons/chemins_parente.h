#pragma once
// Every common ancestor of two persons and every path through it, climbing both ascendancies to
// their end (at most maxGenerations generations up each side): no early stop.
//
// A common ancestor is kept when some path of persons joins it to each side without passing
// through another common ancestor: the ancestors of a common ancestor, reached only through it,
// are left out. The two persons themselves stop no path: when one is an ancestor of the other
// and also joins it by another line (the grandfather who is the grandmother's brother), the
// ancestors of that other line are kept too. Each side's paths are counted by their number of generations and by the child of
// the ancestor they come through (implex gives several), exactly, however many; only the listed
// paths are bounded. A person who is an ancestor of the other is its own common ancestor (0
// generations on its side). A loop in the parent links (damage) is cut where the walk meets it.
// Nothing is written.
#include <map>
#include <utility>
#include <vector>

#include <NTL/ZZ.h>

#include "persons/ancetres_communs.h"
#include "persons/graphe_parente.h"

namespace kyb {

struct TAncetreCommun {
  long No = 0;
  // (generations from the person up to the ancestor, the ancestor's child on the way; 0 when
  // the ancestor is the person) -> number of paths.
  using TArrivees = std::map<std::pair<int, long>, NTL::ZZ>;
  TArrivees VersA, VersB;
  [[nodiscard]] int GenerationsMin() const;  // smallest total of the two sides
  [[nodiscard]] NTL::ZZ NbChemins() const;   // paths on A's side times paths on B's side
};

struct TParenteComplete {
  std::vector<TAncetreCommun> Ancetres;  // the smallest total first, then by number
  std::vector<TCheminParente> Chemins;   // at most the number asked, in the order of Ancetres
  NTL::ZZ NbChemins;                     // every path, listed or not
  int PersonnesLues = 0;
  [[nodiscard]] bool Trouve() const { return !Ancetres.empty(); }
};

// a == b, or a person that is not live, gives nothing.
[[nodiscard]] TParenteComplete ChercheToutesParentes(TGrapheParente& graphe, long a, long b,
                                                      size_t maxChemins = kMaxChemins,
                                                      int maxGenerations = kMaxGenerationsRecherche);

}  // namespace kyb
