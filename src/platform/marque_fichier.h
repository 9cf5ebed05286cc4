#pragma once
// Dating a file anew without writing it.
#include "platform/chaines.h"

namespace kyb {

// Gives the file the system's present time as modification date (not the clock tests set: the
// date is compared with those the system gives to files written just before). False when the
// file is missing or cannot be changed.
[[nodiscard]] bool MarqueFichierModifie(const AnsiString& chemin);

}  // namespace kyb
