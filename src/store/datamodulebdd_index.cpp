// Store operations of the person index: the walks of the rows of IndexNomPrenoms, the rows of one
// person, those of no possible person, the secondary indexes dropped and recreated around a bulk
// load, the table recreated empty; the events that give the persons' lifetime ranges; the
// persons removed by a genealogy's repair.
#include "store/datamodulebdd_index_interne.h"
#include "store/schema_bdd.h"

namespace kyb {

namespace {
constexpr const char* kTableIndex = "IndexNomPrenoms";

char LitCar(const TACRField& f) {
  const AnsiString t = f.AsAnsiString();
  return t.empty() ? 0 : t[0];
}

}  // namespace

template <class Source>
void LitColonnesIndex(Source& s, TEnregIndexPerson& e) {
  e.Nom = s.Fields(1).AsUnicodeString();
  e.Prenom = s.Fields(2).AsUnicodeString();
  e.NomSoundex = s.Fields(3).AsUnicodeString();
  e.PrenomSoundex = s.Fields(4).AsUnicodeString();
  e.AnneeMin = static_cast<int16_t>(s.Fields(5).AsInteger());
  e.AnneeMax = static_cast<int16_t>(s.Fields(6).AsInteger());
  e.NoPers = s.Fields(7).AsInteger();
  e.RgNom = static_cast<int16_t>(s.Fields(8).AsInteger());
  e.RgPrenom = static_cast<int16_t>(s.Fields(9).AsInteger());
  e.RgPrenomUsuel = static_cast<int16_t>(s.Fields(10).AsInteger());
  e.TypePersonne = LitCar(s.Fields(11));
  e.FicheSupprimee = LitCar(s.Fields(12));
  e.Sexe = LitCar(s.Fields(13));
}
template void LitColonnesIndex(TACRQuery&, TEnregIndexPerson&);
template void LitColonnesIndex(TACRTable&, TEnregIndexPerson&);

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
  insertionImport_.reset();
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

namespace {

// The rows of an index query (ID first, then the record's columns), each given to action until it
// returns false.
bool DonneLignesIndex(TACRQuery& q, const std::function<bool(long, const TEnregIndexPerson&)>& action) {
  if (!q.Open()) return false;
  TEnregIndexPerson ligne;
  for (; !q.Eof(); q.Next()) {
    LitColonnesIndex(q, ligne);
    if (!action(static_cast<long>(q.Fields(0).AsInt64()), ligne)) break;
  }
  return true;
}

}  // namespace

bool TIndexBDD::ParcoursLignesIndex(TOrdreLignesIndex ordre, long noPers,
                                    const std::function<bool(long, const TEnregIndexPerson&)>& action) {
  if (!base_->Connected()) return false;
  // Columns in record order after ID, read by position.
  std::string sql =
      "SELECT ID, Nom, Prenom, NomSoundex, PrenomSoundex, AnneeMin, AnneeMax, NoPers, RgNom, RgPrenom, "
      "RgPrenomUsuel, TypePersonne, FicheSupprimee, Sexe FROM IndexNomPrenoms";
  switch (ordre) {
    case TOrdreLignesIndex::Table: break;
    case TOrdreLignesIndex::ParPersonne: sql += " ORDER BY NoPers, ID"; break;
    case TOrdreLignesIndex::DUnePersonne: sql += " WHERE NoPers = :n ORDER BY ID DESC"; break;
  }
  TACRQuery q(*base_, sql);
  if (ordre == TOrdreLignesIndex::DUnePersonne) q.SetParamInteger("n", noPers);
  return DonneLignesIndex(q, action);
}

bool TIndexBDD::ParcoursLignesIndexDe(const std::vector<long>& nos,
                                      const std::function<bool(long, const TEnregIndexPerson&)>& action) {
  if (!base_->Connected() || nos.empty() || nos.size() > 8) return false;
  std::string sql =
      "SELECT ID, Nom, Prenom, NomSoundex, PrenomSoundex, AnneeMin, AnneeMax, NoPers, RgNom, RgPrenom, "
      "RgPrenomUsuel, TypePersonne, FicheSupprimee, Sexe FROM IndexNomPrenoms WHERE NoPers IN (";
  for (size_t k = 0; k < nos.size(); ++k) sql += (k ? ", :n" : ":n") + std::to_string(k);
  sql += ")";
  TACRQuery q(*base_, sql);
  for (size_t k = 0; k < nos.size(); ++k) q.SetParamInteger("n" + std::to_string(k), nos[k]);
  return DonneLignesIndex(q, action);
}

long TIndexBDD::DeleteIndexHorsPersonnes(long nbPersonnes) {
  if (!base_->Connected() || EstLectureSeule()) return -1;
  // Such a row names no one: it is found by its number alone.
  TACRQuery q(*base_, "DELETE FROM IndexNomPrenoms WHERE NoPers < 0 OR NoPers > :n");
  q.SetParamInteger("n", nbPersonnes);
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
