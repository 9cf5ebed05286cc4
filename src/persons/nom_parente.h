#pragma once
// The precise French name of every relationship in which a person B stands to a person A, as a
// genealogist says it, beside the sixteen words of TLienParente (which do not change).
//
// Blood relations come from every common ancestor (ChercheToutesParentes), named by the number
// of generations on each side: ascendants (père, grand-père, arrière-grand-père, trisaïeul,
// quadrisaïeul, then "ancêtre à la Ne génération", the person being the first generation),
// descendants (fils, petit-fils, arrière-petit-fils, arrière-arrière-petit-fils, then
// "descendant à la Ne génération"), siblings (frère, demi-frère consanguin through the father,
// utérin through the mother), uncles and nephews (oncle, grand-oncle, arrière-grand-oncle...;
// neveu, petit-neveu, arrière-petit-neveu...), cousins (germain, issu de germain, issu d'issu de
// germain, the "à la mode de Bretagne" relations one generation apart, then "cousin au Ne degré"
// with the civil degree). A relation through one common ancestor where two parents could be
// shared is a "demi-" one. Adoptive parents and children (the second parent pair) are named as
// such; relations by marriage: époux/épouse, beau-père/belle-mère (a spouse's parent or a
// parent's spouse), gendre/bru, beau-fils/belle-fille (a spouse's child), beau-frère/belle-sœur,
// and the other relatives of a spouse and spouses of relatives "par alliance".
//
// Words are 8-bit texts (Windows-1252), feminine when B's sex is 'F' (a parent's word follows
// its slot), masculine otherwise. Every relation that holds is given once, the closest first
// (the civil degree, the spouse at 0, a relation by marriage at the degree of the blood relation
// it goes through), and at one degree ancestors, then descendants, adoptive links, collaterals
// and relations by marriage. Nothing is written.
#include <vector>

#include "persons/ancetres_communs.h"
#include "persons/graphe_parente.h"
#include "platform/chaines.h"

namespace kyb {

struct TLienPrecis {
  AnsiString Mot;
  int Degre = 0;
  int Sorte = 0;  // order among the relations of one degree
};

// Every relationship of b to a; empty when there is none, when a == b or one is not live.
[[nodiscard]] std::vector<TLienPrecis> NommeParente(TGrapheParente& graphe, long a, long b,
                                                    int maxGenerations = kMaxGenerationsRecherche);
// The words joined by ", ".
[[nodiscard]] AnsiString TexteLiens(const std::vector<TLienPrecis>& liens);

}  // namespace kyb
