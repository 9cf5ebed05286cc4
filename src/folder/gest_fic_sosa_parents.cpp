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

TLecteurParentsSosa::TLecteurParentsSosa(TModuleBDD& store)
    : requete_(std::make_unique<TACRQuery>(
          store.Database(),
          "SELECT p.Pere, p.Mere, i.NoPers, i.NoPersA, i.NoMersA, i.NoPersB, i.NoMersB, i.PerePrinc, i.MerePrinc "
          "FROM Personnes p LEFT JOIN IDParents i ON i.NoPers = p.ID WHERE p.ID = :id")) {}

TLecteurParentsSosa::~TLecteurParentsSosa() = default;

bool TLecteurParentsSosa::Lit(long no, TParentsSosa& parents) {
  parents = TParentsSosa();
  TACRQuery& q = *requete_;
  q.SetParamInteger("id", no);
  if (!q.Open() || q.Eof()) return false;
  if (q.Fields(2).IsNull()) {
    parents = {q.Fields(0).AsInteger(), q.Fields(1).AsInteger()};
  } else {
    parents.Pere = q.Fields(7).AsInteger() == 2 ? q.Fields(5).AsInteger() : q.Fields(3).AsInteger();
    parents.Mere = q.Fields(8).AsInteger() == 2 ? q.Fields(6).AsInteger() : q.Fields(4).AsInteger();
  }
  q.Close();
  return true;
}

}  // namespace kyb
