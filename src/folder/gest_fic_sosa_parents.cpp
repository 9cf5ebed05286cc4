#include "folder/gest_fic_sosa_parents.h"

#include "engine/acr_query.h"
#include "store/datamodulebdd.h"

namespace kyb {

bool ChargeParentsSosa(TModuleBDD& store, long nbPersonnes, std::vector<TParentsSosa>& parents) {
  parents.assign(static_cast<size_t>(std::max(0L, nbPersonnes)) + 1, TParentsSosa());
  const auto dansTable = [nbPersonnes](int64_t no) { return no >= 1 && no <= nbPersonnes; };
  TACRQuery personnes(store.Database(), "SELECT ID, Pere, Mere FROM Personnes");
  if (!personnes.Open()) {
    parents.clear();
    return false;
  }
  for (; !personnes.Eof(); personnes.Next()) {
    const int64_t no = personnes.Fields(0).AsInteger();
    if (dansTable(no))
      parents[static_cast<size_t>(no)] = {static_cast<int32_t>(personnes.Fields(1).AsInteger()),
                                          static_cast<int32_t>(personnes.Fields(2).AsInteger())};
  }
  TACRQuery choix(store.Database(),
                  "SELECT NoPers, NoPersA, NoMersA, NoPersB, NoMersB, PerePrinc, MerePrinc FROM IDParents");
  if (!choix.Open()) {
    parents.clear();
    return false;
  }
  for (; !choix.Eof(); choix.Next()) {
    const int64_t no = choix.Fields(0).AsInteger();
    if (!dansTable(no)) continue;
    TParentsSosa& p = parents[static_cast<size_t>(no)];
    p.Pere = static_cast<int32_t>(choix.Fields(5).AsInteger() == 2 ? choix.Fields(3).AsInteger() : choix.Fields(1).AsInteger());
    p.Mere = static_cast<int32_t>(choix.Fields(6).AsInteger() == 2 ? choix.Fields(4).AsInteger() : choix.Fields(2).AsInteger());
  }
  return true;
}

}  // namespace kyb
