#pragma once
// Family computations over the persons file: male-line ancestry, the rank letters of descendant
// numberings, the children of a couple, the ordering of children by union, consanguinity.
//
// They read the persons they pass through from the persons file given. Persons that are not
// live (deleted, beyond the storage) end a walk. Every walk is bounded, so loops in the parent
// links (damage) end it too. Nothing is written except by ClassementEnfParConj, which changes
// the person given (the caller saves it).
#include <vector>

#include "persons/gest_pers.h"

namespace kyb {

// True when noCherche is reached from noDepart by moving up at most profondeur - 1 times,
// through the father, or through the mother where no father is recorded.
[[nodiscard]] bool EstDansAscendanceAgnatique(TFicPersons& fichier, long noCherche, long noDepart, int profondeur);

// Appends the letter of rank rang among brothers and sisters: 'a' + rang ('A' + rang).
void CalcGenNoFrSrAsc(AnsiString& code, const TPerson* personne, int rang, bool majuscule);
// Sets code to the letter of rank rang among children, same letters.
void CalcGenNoEnfant(AnsiString& code, const TPerson* personne, int rang, bool majuscule);
// Sets code to the decimal text of the spouse rank.
void CalcGenNoConj(AnsiString& code, const TPerson* personne, int rang, bool majuscule);
// Appends the letter of the first child slot of parent holding no; nothing when no is not a
// child.
void CalcGenNoDescRel(AnsiString& code, const TPerson* parent, long no, bool majuscule);

// The children of the couple: with both parents, those in both child lists (the father's
// order); with one parent, those of its children who have no other parent; nothing for 0, 0.
void EnfantCouple(TFicPersons& fichier, std::vector<long>& enfants, long pere, long mere);
// Reorders the person's children by union: for each spouse in the spouse order, the children
// shared with that spouse, then the others, each group in its present order.
void ClassementEnfParConj(TFicPersons& fichier, TPerson& personne);
// True when the two persons are blood relatives: one descends from the other or they have a
// common ancestor, within 16 generations on each side. False for the same person or 0.
[[nodiscard]] bool IsPersonneEnConsanguinite(TFicPersons& fichier, long no1, long no2);

}  // namespace kyb
