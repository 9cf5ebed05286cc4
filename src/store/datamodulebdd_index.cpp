// Store operations of the person index: the rows of IndexNomPrenoms of one person, the
// secondary indexes dropped and recreated around a bulk load, the table recreated empty; the
// events that give the persons' lifetime ranges; the persons removed by a genealogy's repair.
#include "store/datamodulebdd_index_interne.h"
#include "store/schema_bdd.h"

namespace kyb {

namespace {
constexpr const char* kTableIndex = "IndexNomPrenoms";
}

std::vector<long> TIndexBDD::GetIndexPerson(long noPers) {
  std::vector<long> ids;
  if (!base_->Connected()) return ids;
  TACRQuery q(*base_, "SELECT ID FROM IndexNomPrenoms WHERE NoPers = :n ORDER BY ID");
  q.SetParamInteger("n", noPers);
  if (!q.Open()) return ids;
  for (; !q.Eof(); q.Next()) ids.push_back(static_cast<long>(q.Fields(0).AsInt64()));
  return ids;
}

bool TIndexBDD::RemoveAllIndexPersonIndex() {
  TACRTable* t = Table(kTableIndex);
  if (!t || EstLectureSeule()) return false;
  bool ok = true;
  for (const auto& def : DefinitionTable(kTableIndex).index)
    if ((def.options & kIndexPrimaire) == 0 && t->IndexExists(def.nom)) ok = t->DeleteIndex(def.nom) && ok;
  (void)t->SetIndexName("");
  return ok;
}

bool TIndexBDD::AddAllIndexPersonIndex() {
  TACRTable* t = Table(kTableIndex);
  if (!t || EstLectureSeule()) return false;
  bool ok = true;
  for (const auto& def : DefinitionTable(kTableIndex).index)
    if (!t->IndexExists(def.nom)) ok = t->AddIndex(def) && ok;
  if (!ok) BDDError(kTableIndex, base_->DerniereErreur());
  return ok;
}

bool TIndexBDD::CreerTableIndexNomPrenoms() {
  if (!base_->Connected() || EstLectureSeule()) return false;
  coeur_.FermeTable(kTableIndex);
  {
    TACRTable t(*base_, kTableIndex);
    if (t.Exists() && !t.DeleteTable()) {
      BDDError(kTableIndex, base_->DerniereErreur());
      return false;
    }
  }
  if (!coeur_.CreeTable(kTableIndex)) return false;
  coeur_.OuvreTables();
  return Table(kTableIndex) != nullptr;
}

long TIndexBDD::DeleteIndexPerson(long noPers) {
  if (!base_->Connected() || EstLectureSeule()) return -1;
  TACRQuery q(*base_, "DELETE FROM IndexNomPrenoms WHERE NoPers = :n");
  q.SetParamInteger("n", noPers);
  if (q.ExecSQL()) return static_cast<long>(q.RowsAffected());
  BDDError(kTableIndex, base_->DerniereErreur());
  return -1;
}

bool TIndexBDD::ParcoursEvenementsVie(long noPers,
                                       const std::function<void(long, std::string_view, const TDateKY&)>& action) {
  if (!base_->Connected()) return false;
  // Hidden records carry negated holders: a positive holder excludes them.
  TACRQuery q(*base_,
              std::string("SELECT NoPersA, LibelleChamps, Acte, TypeCalend, Date FROM Evenements WHERE Type = 0 AND "
                          "LibelleChamps IN ('NAISSANCE', 'BAPTEME', 'DECES', 'INHUMATION') AND ") +
                  (noPers > 0 ? "NoPersA = :n" : "NoPersA > 0"));
  if (noPers > 0) q.SetParamInteger("n", noPers);
  if (!q.Open()) return false;
  for (; !q.Eof(); q.Next()) {
    const AnsiString libelle = q.Fields(1).AsAnsiString();
    const TDateKY date = TDateKY::DepuisFormeStockee(
        {q.Fields(2).AsAnsiString(), q.Fields(3).AsAnsiString(), q.Fields(4).AsAnsiString()});
    action(static_cast<long>(q.Fields(0).AsInt64()), libelle, date);
  }
  return true;
}

bool TIndexBDD::DeleteNoPers(long premier) {
  if (!base_->Connected() || EstLectureSeule() || premier < 1) return false;
  // All or nothing: a person never loses its index rows without its record.
  TACRTransaction transaction(*base_);
  const char* const requetes[] = {
      "DELETE FROM Personnes WHERE ID >= :n",
      "DELETE FROM IDParents WHERE NoPers >= :n",
      "DELETE FROM PersonnesSuppr WHERE ID >= :n",
      "DELETE FROM IndexNomPrenoms WHERE NoPers >= :n",
  };
  for (const char* sql : requetes) {
    TACRQuery q(*base_, sql);
    q.SetParamInteger("n", premier);
    if (!q.ExecSQL()) {
      BDDError("Personnes", base_->DerniereErreur());
      return false;
    }
  }
  return !transaction.Active() || transaction.Commit();
}
}  // namespace kyb
