// Store operations of the person index: the rows of IndexNomPrenoms of one person, the
// secondary indexes dropped and recreated around a bulk load, the table recreated empty.
#include "store/datamodulebdd.h"
#include "store/schema_bdd.h"

namespace kyb {

namespace {
constexpr const char* kTableIndex = "IndexNomPrenoms";
}

std::vector<long> TModuleBDD::GetIndexPerson(long noPers) {
  std::vector<long> ids;
  if (!base_->Connected()) return ids;
  TACRQuery q(*base_, "SELECT ID FROM IndexNomPrenoms WHERE NoPers = :n ORDER BY ID");
  q.SetParamInteger("n", noPers);
  if (!q.Open()) return ids;
  for (; !q.Eof(); q.Next()) ids.push_back(static_cast<long>(q.Fields(0).AsInt64()));
  return ids;
}

bool TModuleBDD::RemoveAllIndexPersonIndex() {
  TACRTable* t = Table(kTableIndex);
  if (!t || EstLectureSeule()) return false;
  bool ok = true;
  for (const auto& def : DefinitionTable(kTableIndex).index)
    if ((def.options & kIndexPrimaire) == 0 && t->IndexExists(def.nom)) ok = t->DeleteIndex(def.nom) && ok;
  (void)t->SetIndexName("");
  return ok;
}

bool TModuleBDD::AddAllIndexPersonIndex() {
  TACRTable* t = Table(kTableIndex);
  if (!t || EstLectureSeule()) return false;
  bool ok = true;
  for (const auto& def : DefinitionTable(kTableIndex).index)
    if (!t->IndexExists(def.nom)) ok = t->AddIndex(def) && ok;
  if (!ok) BDDError(kTableIndex, base_->DerniereErreur());
  return ok;
}

bool TModuleBDD::CreerTableIndexNomPrenoms() {
  if (!base_->Connected() || EstLectureSeule()) return false;
  auto it = tables_.find(kTableIndex);
  if (it != tables_.end()) it->second->Close();
  {
    TACRTable t(*base_, kTableIndex);
    if (t.Exists() && !t.DeleteTable()) {
      BDDError(kTableIndex, base_->DerniereErreur());
      return false;
    }
  }
  if (!CreeTable(kTableIndex)) return false;
  OuvreTables();
  return Table(kTableIndex) != nullptr;
}

long TModuleBDD::DeleteIndexPerson(long noPers) {
  if (!base_->Connected() || EstLectureSeule()) return -1;
  TACRQuery q(*base_, "DELETE FROM IndexNomPrenoms WHERE NoPers = :n");
  q.SetParamInteger("n", noPers);
  if (q.ExecSQL()) return static_cast<long>(q.RowsAffected());
  BDDError(kTableIndex, base_->DerniereErreur());
  return -1;
}

}  // namespace kyb
