#pragma once
// Kinship and inbreeding coefficients, exact.
//
// The coefficient of kinship of two persons is the probability that a gene drawn at random in
// each is the same by descent; the inbreeding coefficient of a person is that of its birth
// parents. The value is the sum, over the loops joining the two persons through a common
// ancestor (two paths of n1 and n2 generations meeting only there), of
// (1/2)^(n1 + n2 + 1) x (1 + inbreeding of the ancestor); each common ancestor's share is the sum
// of its loops. The loops are never listed one by one: the value comes from the recursion
// kinship(x, y) = (kinship(x, father of y) + kinship(x, mother of y)) / 2, y not an ancestor of x,
// and kinship(x, x) = (1 + inbreeding of x) / 2, over the persons that have a common ancestor
// of the two in their ascendancy, so that a collapse of many generations stays polynomial.
// Birth parents only; at most maxGenerations up each side; a loop in the parent links is cut
// where the walk meets it. Nothing is written.
#include <vector>

#include "persons/ancetres_communs.h"
#include "persons/fraction_dyadique.h"
#include "persons/graphe_parente.h"

namespace kyb {

struct TContributionParente {
  long Ancetre = 0;
  TFractionDyadique Part;           // the sum of the loops through this ancestor
  TFractionDyadique Consanguinite;  // the ancestor's own inbreeding coefficient
};

struct TCoefficientParente {
  TFractionDyadique Valeur;
  std::vector<TContributionParente> Contributions;  // the largest share first, then by number
  int PersonnesLues = 0;
};

// Kinship of a and b (a == b gives (1 + inbreeding of a) / 2); 0 when one is not live.
[[nodiscard]] TCoefficientParente CoefficientParente(TGrapheParente& graphe, long a, long b,
                                                      int maxGenerations = kMaxGenerationsRecherche);
// Inbreeding of no: the kinship of its birth parents; 0 without both of them.
[[nodiscard]] TCoefficientParente CoefficientConsanguinite(TGrapheParente& graphe, long no,
                                                            int maxGenerations = kMaxGenerationsRecherche);

}  // namespace kyb
