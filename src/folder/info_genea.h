#pragma once
// A genealogy summarised without opening its folder (lists of genealogies), and the reading of
// the dates stored as text in the store.
#include "platform/chaines.h"
#include "platform/date_heure.h"

namespace kyb {

// Person count and date of last modification of the genealogy whose store is cheminAdb. A store
// set aside as ".~adb" is put back first. False when there is no store file (or it is not one).
[[nodiscard]] bool GetInfoFileGenea(const UnicodeString& cheminAdb, TDateTime& date, long& nbPersonnes);

// Reads a date and time written "dd/mm/yyyy", "yyyy/mm/dd", "dd-mm-yyyy", "yyyy-mm-dd",
// "dd.mm.yyyy" or "yyyy.mm.dd", each followed by "hh:mm:ss"; the first that converts wins.
[[nodiscard]] bool GetDateTime(const UnicodeString& texte, TDateTime& resultat);

}  // namespace kyb
