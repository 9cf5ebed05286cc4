// Repair of a database file: index rebuild when the file is sound, otherwise a copy of every
// readable row into a fresh file that takes its place.
#include "engine/acr_database.h"
#include "engine/acr_ddl.h"
#include "engine/acr_field.h"
#include "engine/acr_sqlite.h"
#include "platform/fichiers.h"

namespace kyb {

bool TACRDatabase::CopieLignesLisibles(TACRDatabase& cible, const std::string& table,
                                       const TACRFieldDefs& champs) {
  std::string colonnes = "rowid", marques = "?", ecrites = "rowid";
  for (const auto& d : champs) {
    colonnes += ", " + Identifiant(d.nom);
    if (d.type == TTypeChamp::AutoInc) continue;
    ecrites += ", " + Identifiant(d.nom);
    marques += ", ?";
  }
  TInstruction lecture(connexion_, "SELECT " + colonnes + " FROM " + Identifiant(table) +
                                       " WHERE rowid >= ? ORDER BY rowid LIMIT 256");
  TInstruction ecriture(cible.Connexion(), "INSERT OR IGNORE INTO " + Identifiant(table) + "(" +
                                               ecrites + ") VALUES(" + marques + ")");
  if (!lecture.Valide() || !ecriture.Valide()) return false;
  int64_t depuis = INT64_MIN;
  int64_t saut = 1;
  for (int garde = 0; garde < 1'000'000'000; ++garde) {
    lecture.Reinitialise();
    lecture.Lie(1, TValeur::DeEntier(depuis));
    int etat = 0;
    int lues = 0;
    while ((etat = lecture.Etape()) == SQLITE_ROW) {
      ++lues;
      const int64_t rowid = lecture.Colonne(0).VersEntier();
      ecriture.Reinitialise();
      ecriture.Lie(1, TValeur::DeEntier(rowid));
      int p = 2;
      for (size_t i = 0; i < champs.size(); ++i) {
        if (champs[i].type == TTypeChamp::AutoInc) continue;
        ecriture.Lie(p++, ConvertitPourChamp(champs[i], lecture.Colonne(static_cast<int>(i) + 1)));
      }
      (void)ecriture.Etape();
      depuis = rowid + 1;
      saut = 1;
    }
    if (etat == SQLITE_DONE && lues < 256) return true;
    if (etat != SQLITE_DONE && etat != SQLITE_ROW) {
      // A damaged page: skip ahead, further each time the same place fails.
      if (depuis == INT64_MIN) depuis = 0;
      if (depuis > INT64_MAX - saut) return true;
      depuis += saut;
      saut = saut < (int64_t{1} << 40) ? saut * 2 : saut;
    }
  }
  return true;
}

bool TACRDatabase::Repair(const std::function<void(int)>& progression) {
  if (!Connected() && !Open()) return false;
  const auto signale = [&](int pct) {
    if (progression) progression(pct);
  };
  signale(0);
  if (VerifieIntegrite() == "ok") {
    const bool ok = ExecuteSql("REINDEX");
    signale(100);
    return ok;
  }
  // Rebuild into a fresh file, table by table, from the catalogue.
  const AnsiString neuf = fichier_ + ".reparation";
  SupprimeFichier(neuf);
  SupprimeFichier(neuf + "-wal");
  TACRDatabase cible(neuf);
  cible.SetGeneration(generation_);
  if (!cible.CreateDatabase()) {
    NoteErreur(cible.DerniereErreur());
    return false;
  }
  const std::vector<std::string> tables = GetTableNames();
  for (size_t t = 0; t < tables.size(); ++t) {
    TACRFieldDefs champs;
    TACRIndexDefs index;
    if (!LitDefinitions(tables[t], champs, index)) continue;
    if (!cible.ExecuteSql("BEGIN") || !cible.ExecuteSql(SqlCreationTable(tables[t], champs)))
      return false;
    (void)CopieLignesLisibles(cible, tables[t], champs);
    for (const auto& i : index) {
      const std::string sql = SqlCreationIndex(tables[t], champs, i);
      // A unique index that the surviving rows break is left out rather than failing the repair.
      if (!sql.empty() && !cible.ExecuteSql(sql))
        std::erase_if(index, [&](const TACRIndexDef& d) { return d.nom == i.nom; });
    }
    if (!cible.EcritDefinitions(tables[t], champs, index) || !cible.ExecuteSql("COMMIT"))
      return false;
    signale(static_cast<int>((t + 1) * 100 / std::max<size_t>(tables.size(), 1)));
  }
  cible.Close();
  const bool exclusif = exclusif_;
  Close();
  const AnsiString corrompu = fichier_ + ".corrompu";
  SupprimeFichier(corrompu);
  if (!RenommeFichier(fichier_, corrompu)) {
    NoteErreur("Impossible de mettre de côté la base endommagée");
    return false;
  }
  SupprimeFichier(fichier_ + "-wal");
  SupprimeFichier(fichier_ + "-shm");
  if (!RenommeFichier(neuf, fichier_)) {
    (void)RenommeFichier(corrompu, fichier_);
    NoteErreur("Impossible de remplacer la base endommagée");
    return false;
  }
  exclusif_ = exclusif;
  return Open();
}

}  // namespace kyb
