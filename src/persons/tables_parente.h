#pragma once
// Relative lists of a person: tables of at most 500 person numbers, filled by the RetourneTab...
// builders from the links of the persons they pass through.
//
// Reading rule: a table is filled from its first empty entry (0); a number is never entered
// twice; -1 or -2 may stand as a separator between two halves (grandparents, uncles and aunts)
// and is removed again, with the list compacted, when one half is empty. A builder appends
// after the entries already there and sets nb to the number of entries it added (separators
// included). A builder that would go beyond 500 entries adds nothing more.
//
// Every builder reads the intermediate persons through the persons file of the person given.
// Numbers beyond the persons storage, deleted persons and negative numbers are skipped, so a
// link to a deleted person adds nothing; a loop in the parent links (damage) cannot make a
// builder run for ever, each one climbs or descends a fixed number of generations.
#include <array>
#include <cstdint>
#include <memory>

#include "persons/gest_pers.h"

namespace kyb {

inline constexpr int kMaxTableLong = 500;
inline constexpr int32_t kSeparateurGrdParents = -2;  // also uncles and aunts in a given table
inline constexpr int32_t kSeparateurAlloue = -1;      // uncles and aunts in a freshly allocated table
using TTableLong = std::array<int32_t, kMaxTableLong>;

// A new table of 500 zero entries; the caller owns it.
[[nodiscard]] std::unique_ptr<TTableLong> AlloueTableLong();
// Puts no in the first 0 entry among the first capacite unless already there. False when the
// table is full (no stays out); true when present or added. 0 is never added.
bool AjouteNoTableLong(TTableLong& tab, int capacite, int32_t no);
// Zeroes every entry equal to no.
void MetAZeroNoTableLong(TTableLong& tab, int32_t no);
// Moves the non-zero entries to the front, in their order.
void RecompactTableLong(TTableLong& tab);
[[nodiscard]] int CompteNoTableLong(const TTableLong& tab);
// True when no is among the first nb entries.
[[nodiscard]] bool IsPersInTab(const TTableLong& tab, int32_t no, int nb);

// Reads person no into p; false (p untouched) when no is not a live person of the file.
[[nodiscard]] bool LitPersonneVivante(TFicPersons& fichier, long no, TPerson& p);

TTableLong& RetourneTabParents(const TPerson& p, TTableLong& tab, int& nb);
TTableLong& RetourneTabConjoints(const TPerson& p, TTableLong& tab, int& nb);
TTableLong& RetourneTabEnfants(const TPerson& p, TTableLong& tab, int& nb);
// Without p. demi: every other child of the father and of the mother; otherwise only the
// children of both. premier: also the children of the alternative parent pairs.
TTableLong& RetourneTabFreresSoeurs(const TPerson& p, TTableLong& tab, int& nb, bool premier, bool demi);
// Half-siblings and alternative parents included.
TTableLong& RetourneTabFreresSoeursComplet(const TPerson& p, TTableLong& tab, int& nb);
// The father's parents, -2, the mother's parents (second half left out with paternelSeul).
TTableLong& RetourneTabGrdParents(const TPerson& p, TTableLong& tab, int& nb, bool paternelSeul = false);
// Great-grandparents; RetourneTabTrisaieuls one generation further (the parents of those).
TTableLong& RetourneTabArrGrdParents(const TPerson& p, TTableLong& tab, int& nb);
TTableLong& RetourneTabTrisaieuls(const TPerson& p, TTableLong& tab, int& nb);
TTableLong& RetourneTabPetitsEnfants(const TPerson& p, TTableLong& tab, int& nb);
TTableLong& RetourneTabArrieresPetitsEnfants(const TPerson& p, TTableLong& tab, int& nb);
// Siblings (half ones too) of the father, separator, those of the mother. The separator is -1
// when tableAllouee (the table was just allocated for this call), -2 otherwise.
TTableLong& RetourneTabOnclesTantes(const TPerson& p, TTableLong& tab, int& nb, bool paternelSeul = false,
                                    bool tableAllouee = false);
TTableLong& RetourneTabGrdOnclesTantes(const TPerson& p, TTableLong& tab, int& nb);
TTableLong& RetourneTabArrGrdOnclesTantes(const TPerson& p, TTableLong& tab, int& nb);
TTableLong& RetourneTabNeveuxNieces(const TPerson& p, TTableLong& tab, int& nb);
// First cousins: children of the uncles and aunts (the father's side only with paternelSeul).
TTableLong& RetourneTabCousins(const TPerson& p, TTableLong& tab, int& nb, bool paternelSeul = false);
// Second cousins: children of the parents' first cousins.
TTableLong& RetourneTabCousinsIssusDeGermain(const TPerson& p, TTableLong& tab, int& nb);
// Children of the first cousins.
TTableLong& RetourneTabCousinsRemuesDeGermain(const TPerson& p, TTableLong& tab, int& nb);
// The parents' first cousins (the father's only with paternelSeul).
TTableLong& RetourneTabCousinsParents(const TPerson& p, TTableLong& tab, int& nb, bool paternelSeul = false);
// The parents' first cousins, both sides: the "uncles and aunts" of the kinship naming.
TTableLong& RetourneTabCousinsIssusGermainParents(const TPerson& p, TTableLong& tab, int& nb);
// The grandparents' first cousins.
TTableLong& RetourneTabCousinsGrdParents(const TPerson& p, TTableLong& tab, int& nb);

// The persons the person's events cite, in card order.
TTableLong& RetourneTabPersonCite(const TPerson& p, TTableLong& tab, int& nb);
// Those, then the holders (and spouses) of the other persons' events that cite this one and the
// other persons those events cite.
TTableLong& RetourneTabPersonCiteComplet(const TPerson& p, TTableLong& tab, int& nb);

}  // namespace kyb
