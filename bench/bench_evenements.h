#pragma once
// The generator of the events benchmark, for the other benchmarks that need persons with their
// record cards: N persons (KYB_BENCH_PERSONNES, 1,000,000 by default), each with birth, baptism,
// union, death, a nationality and an identifier, over 5000 places.
#include "store/datamodulebdd.h"

namespace kyb::bench {

[[nodiscard]] long NbPersonnesEvenements();
// Writes the places and the N persons with their cards into the store, in import mode.
void ConstruitEvenements(TModuleBDD& bdd, long n);

}  // namespace kyb::bench
