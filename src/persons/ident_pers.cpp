#include "persons/ident_pers.h"

#include <cstdio>
#include <random>

#include "engine/acr_query.h"
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
  TACRQuery q(bdd.Database(), "SELECT 1 FROM Evenements WHERE LibelleChamps = :l AND Donnee = :d LIMIT 1");
  q.SetParamAnsi("l", kLibelleIdPers);
  q.SetParamAnsi("d", id);
  // A store that cannot answer is taken as holding it: the identifier grows rather than repeats.
  if (!q.Open()) return true;
  return !q.Eof();
}

}  // namespace kyb
