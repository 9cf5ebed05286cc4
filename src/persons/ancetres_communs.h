#pragma once
// Common ancestors of two persons, found by a breadth-first search up the parent links from both
// sides at once.
//
// The two searches climb one generation at a time, the lower side first, and stop at the first
// generation where the two ascendancies meet, once both sides have climbed to it (or at the
// generation limit, or when both sides run out of ancestors). Each person is read once per side,
// so loops in the parent links (damage) end the search like any other visit.
//
// Result: among the common ancestors reached then, those at the smallest total number of
// generations (A up to the ancestor, then down to B), with every path of that length through
// each of them (implex gives several), up to kMaxChemins paths. A person who is an ancestor of
// the other is its own common ancestor (0 generations on its side). The search stops at the
// first meeting rather than climbing every ascendancy to its end: a longer, unbalanced joint
// (an ancestor far up one side and near on the other) that would be shorter in total is not
// looked for beyond that generation. Nothing is written.
#include <vector>

#include "folder/gest_fic_pers.h"

namespace kyb {

struct TCheminParente {
  long Ancetre = 0;
  int GenerationsA = 0;        // from A up to the ancestor
  int GenerationsB = 0;        // from B up to the ancestor
  std::vector<long> Personnes;  // A, ..., the ancestor, ..., B
};

struct TAncetresCommuns {
  std::vector<long> Ancetres;  // the common ancestors at the shortest distance, ascending numbers
  std::vector<TCheminParente> Chemins;
  int PersonnesLues = 0;
  [[nodiscard]] bool Trouve() const { return !Ancetres.empty(); }
};

inline constexpr int kMaxChemins = 64;
inline constexpr int kMaxGenerationsRecherche = 200;

// Persons that are not live (deleted, beyond the storage) are not climbed through. a == b gives
// the person itself with a path of one person.
[[nodiscard]] TAncetresCommuns ChercheAncetresCommuns(TFicPersons& fichier, long a, long b,
                                                      int maxGenerations = kMaxGenerationsRecherche);

}  // namespace kyb
