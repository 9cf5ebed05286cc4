#pragma once
// Person identifiers: the "ID_PERS" simple field of a person, made of 8-digit upper-case
// hexadecimal blocks drawn at random until no person of the folder carries the text.
#include <functional>

#include "platform/chaines.h"

namespace kyb {

class TModuleBDD;

// Internal label of the identifier field and its definition line (created when missing).
inline constexpr const char* kLibelleIdPers = "ID_PERS";
inline constexpr const char* kDefinitionIdPers = "ID_PERS\tIdentifiant Vastrel\tCPA\t\t1\t28\t\t\t\t\tN\tP";

// Appends the 8-digit upper-case hexadecimal form of tirage() (a number in 0..99998) to an empty
// text, again and again, until existe says no person carries it.
[[nodiscard]] AnsiString GenereIdPersUnique(const std::function<bool(const AnsiString&)>& existe,
                                            const std::function<long()>& tirage);
// A number in 0..99998 from a generator of this thread.
[[nodiscard]] long TirageIdPers();
// True when a person of the store carries this identifier (a hidden field counts too).
[[nodiscard]] bool IdPersExiste(TModuleBDD& bdd, const AnsiString& id);

}  // namespace kyb
