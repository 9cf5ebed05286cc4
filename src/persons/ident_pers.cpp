#include "persons/ident_pers.h"

#include <cstdio>
#include <random>

#include "store/datamodulebdd.h"

namespace kyb {

AnsiString GenereIdPersUnique(const std::function<bool(const AnsiString&)>& existe,
                              const std::function<long()>& tirage) {
  AnsiString id;
  do {
    char bloc[16];
    std::snprintf(bloc, sizeof bloc, "%08lX", static_cast<unsigned long>(tirage()));
    id += bloc;
  } while (existe(id));
  return id;
}

long TirageIdPers() {
  thread_local std::mt19937 generateur{std::random_device{}()};
  return std::uniform_int_distribution<long>(0, 99998)(generateur);
}

bool IdPersExiste(TModuleBDD& bdd, const AnsiString& id) {
  // A store that cannot answer is taken as holding it: the identifier grows rather than repeats.
  if (!bdd.Connecte() || !bdd.Table("Evenements")) return true;
  return bdd.DonneeEventExiste(kLibelleIdPers, AnsiVersUnicode(id));
}

}  // namespace kyb
