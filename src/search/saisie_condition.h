#pragma once
// A condition typed by the user in French, read into a TCondition:
//
//   "Homme", "Vivant", "Jumeaux"            a ready-made condition that takes no value
//   "Profession contenant boulanger"        a ready-made condition, an operator label, a value
//   "NAISSANCE.date entre 1850 1860"        a field, an operator label, one or two values
//   "PERE vide"                             a field and an operator without value
//
// A field is the internal label of a field definition of the genealogy (or its screen label when
// it is one word), or one of NOM, PRENOM, SEXE, PERE, MERE, NOSOSA, optionally followed by a part
// of an event: ".date", ".lieu", ".lieudit", ".source" (the datum otherwise). Labels compare
// without regard to case. "entre" takes two values, separated by blanks, by " - " or by " et ".
#include <string>

#include "platform/chaines.h"
#include "search/condition.h"

namespace kyb {

class TDefChpsCs;

// True with condition filled; false with a French message in erreur (condition unspecified).
[[nodiscard]] bool LitCondition(const UnicodeString& texte, const TDefChpsCs* definitions, TCondition& condition,
                                std::string& erreur);

}  // namespace kyb
