#include "engine/acr_ddl.h"

#include <set>

namespace kyb {
namespace {

const char* TypeSql(TTypeChamp type) {
  if (EstTypeTexte(type)) return "TEXT";
  if (EstTypeEntier(type)) return "INTEGER";
  if (EstTypeReel(type)) return "REAL";
  return "BLOB";
}

bool EstCleRowid(const TACRFieldDefs& champs, const TACRIndexDef& index) {
  if (!(index.options & kIndexPrimaire) || index.champs.size() != 1) return false;
  const TACRFieldDef* d = TrouveChamp(champs, index.champs[0]);
  return d && d->type == TTypeChamp::AutoInc;
}

}  // namespace

std::string SqlValeurParDefaut(TTypeChamp type) {
  if (EstTypeTexte(type)) return "''";
  if (type == TTypeChamp::Blob) return "x''";
  return "0";
}

std::string SqlCreationTable(const std::string& table, const TACRFieldDefs& champs) {
  std::string sql = "CREATE TABLE " + Identifiant(table) + "(";
  for (size_t i = 0; i < champs.size(); ++i) {
    if (i) sql += ", ";
    const TACRFieldDef& d = champs[i];
    sql += Identifiant(d.nom);
    if (d.type == TTypeChamp::AutoInc)
      sql += " INTEGER PRIMARY KEY AUTOINCREMENT";
    else
      sql += std::string(" ") + TypeSql(d.type) + " NOT NULL DEFAULT " + SqlValeurParDefaut(d.type);
  }
  return sql + ")";
}

std::string SqlCreationIndex(const std::string& table, const TACRFieldDefs& champs,
                             const TACRIndexDef& index) {
  if (EstCleRowid(champs, index)) return {};
  const bool unique = index.options & (kIndexPrimaire | kIndexUnique);
  std::string sql = std::string("CREATE ") + (unique ? "UNIQUE " : "") + "INDEX " +
                    Identifiant(NomIndexSql(table, index.nom)) + " ON " + Identifiant(table) + "(";
  for (size_t i = 0; i < index.champs.size(); ++i) {
    if (i) sql += ", ";
    sql += Identifiant(index.champs[i]);
    const TACRFieldDef* d = TrouveChamp(champs, index.champs[i]);
    if ((index.options & kIndexSansCasse) && d && EstTypeTexte(d->type)) sql += " COLLATE NOCASE";
  }
  return sql + ")";
}

std::string VerifieDefinitions(const TACRFieldDefs& champs, const TACRIndexDefs& index) {
  if (champs.empty()) return "Une table doit avoir au moins un champ";
  std::set<std::string> noms;
  int autoInc = 0;
  for (const auto& d : champs) {
    if (d.nom.empty()) return "Nom de champ vide";
    if (!noms.insert(d.nom).second) return "Champ en double : " + d.nom;
    if (!TypeChampValide(static_cast<int>(d.type))) return "Type de champ inconnu : " + d.nom;
    if (d.type == TTypeChamp::AutoInc) ++autoInc;
  }
  if (autoInc > 1) return "Plusieurs champs auto-incrémentés";
  std::set<std::string> nomsIndex;
  for (const auto& i : index) {
    if (i.nom.empty() || i.champs.empty()) return "Index incomplet";
    if (!nomsIndex.insert(i.nom).second) return "Index en double : " + i.nom;
    for (const auto& c : i.champs)
      if (!noms.count(c)) return "Champ inconnu dans l'index " + i.nom + " : " + c;
  }
  return {};
}

}  // namespace kyb
