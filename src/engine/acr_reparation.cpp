// Repair of a database file: index rebuild when the file and its catalogue are sound, otherwise
// a copy of every readable row into a fresh file that takes its place in one rename. The
// catalogue is no single point of failure: definitions it cannot give come from the caller's
// known schema, or from the columns SQLite still knows.
#include <algorithm>

#include "engine/acr_database.h"
#include "engine/acr_ddl.h"
#include "engine/acr_field.h"
#include "engine/acr_sqlite_interne.h"
#include "platform/ecriture_atomique.h"
#include "platform/fichiers.h"

namespace kyb {
namespace {

constexpr int kLot = 256;

// Engine type of a column known only by its SQLite declaration.
TACRFieldDef DefinitionDeColonne(const std::string& nom, const std::string& type, bool cle) {
  if (cle) return {nom, TTypeChamp::AutoInc, 0, false};
  if (type == "INTEGER") return {nom, TTypeChamp::Int64, 0, false};
  if (type == "REAL") return {nom, TTypeChamp::Double, 0, false};
  if (type == "TEXT") return {nom, TTypeChamp::WideMemo, 0, false};
  return {nom, TTypeChamp::Blob, 0, false};
}

// The storage class SQLite declares for a column of an engine type.
std::string StockageSql(TTypeChamp type) {
  if (EstTypeTexte(type)) return "TEXT";
  if (EstTypeEntier(type) || type == TTypeChamp::AutoInc) return "INTEGER";
  if (EstTypeReel(type)) return "REAL";
  return "BLOB";
}

}  // namespace

bool TACRDatabase::IndexPhysiqueExiste(const std::string& table, const std::string& nom) const {
  TInstruction s(ConnexionDe(*this), "SELECT 1 FROM sqlite_master WHERE type='index' AND name=?");
  s.Lie(1, TValeur::DeTexte(NomIndexSql(table, nom)));
  return s.Etape() == SQLITE_ROW;
}

bool TACRDatabase::IndexPhysiqueEnPlace(const std::string& table, const TACRIndexDef& index) const {
  TACRFieldDefs champs;
  TACRIndexDefs catalogue;
  // The primary key on the auto-increment column is the row number itself: no index to find.
  if (LitDefinitions(table, champs, catalogue) && SqlCreationIndex(table, champs, index).empty()) return true;
  return IndexPhysiqueExiste(table, index.nom);
}

bool TACRDatabase::RecreeIndexPhysique(const std::string& table, const TACRIndexDef& index) {
  TACRFieldDefs champs;
  TACRIndexDefs catalogue;
  if (!LitDefinitions(table, champs, catalogue)) return false;
  const std::string sql = SqlCreationIndex(table, champs, index);
  return sql.empty() || ExecuteSql(sql);
}

std::vector<std::string> TACRDatabase::ColonnesPhysiques(const std::string& table) const {
  std::vector<std::string> noms;
  TInstruction s(ConnexionDe(*this), "SELECT name FROM pragma_table_info(?) ORDER BY cid");
  s.Lie(1, TValeur::DeTexte(table));
  while (s.Etape() == SQLITE_ROW) noms.push_back(s.Colonne(0).VersTexte());
  return noms;
}

bool TACRDatabase::CatalogueSain(const std::string& table) const {
  TACRFieldDefs champs;
  TACRIndexDefs index;
  if (!LitDefinitions(table, champs, index)) return false;
  // Each column of the catalogue must be the file's column of that place, of the same storage.
  TInstruction s(ConnexionDe(*this), "SELECT name, upper(type) FROM pragma_table_info(?) ORDER BY cid");
  s.Lie(1, TValeur::DeTexte(table));
  size_t i = 0;
  for (; s.Etape() == SQLITE_ROW; ++i)
    if (i >= champs.size() || champs[i].nom != s.Colonne(0).VersTexte() ||
        StockageSql(champs[i].type) != s.Colonne(1).VersTexte())
      return false;
  return i == champs.size();
}

bool TACRDatabase::DefinitionsPourCopie(const std::string& table, const TSchemaConnu& schema,
                                        TACRFieldDefs& champs, TACRIndexDefs& index,
                                        bool& reconstruites) const {
  reconstruites = false;
  if (CatalogueSain(table) && LitDefinitions(table, champs, index)) return true;
  reconstruites = true;
  if (schema && schema(table, champs, index)) return true;
  // Unknown to the caller: the columns SQLite still declares, without their indexes.
  champs.clear();
  index.clear();
  TInstruction s(ConnexionDe(*this), "SELECT name, upper(type), pk FROM pragma_table_info(?) ORDER BY cid");
  s.Lie(1, TValeur::DeTexte(table));
  while (s.Etape() == SQLITE_ROW)
    champs.push_back(DefinitionDeColonne(s.Colonne(0).VersTexte(), s.Colonne(1).VersTexte(),
                                         s.Colonne(2).VersEntier() == 1));
  return !champs.empty();
}

std::vector<int64_t> TACRDatabase::RowidsConnus(const std::string& table) const {
  // Each index holds the rowid of every row: what they still know tells which rows existed.
  std::vector<int64_t> rowids;
  TInstruction noms(ConnexionDe(*this), "SELECT name FROM sqlite_master WHERE type='index' AND tbl_name=?");
  noms.Lie(1, TValeur::DeTexte(table));
  std::vector<std::string> index;
  while (noms.Etape() == SQLITE_ROW) index.push_back(noms.Colonne(0).VersTexte());
  for (const auto& nom : index) {
    TInstruction s(ConnexionDe(*this), "SELECT rowid FROM " + Identifiant(table) + " INDEXED BY " +
                                   Identifiant(nom));
    while (s.Valide() && s.Etape() == SQLITE_ROW) rowids.push_back(s.Colonne(0).VersEntier());
  }
  std::sort(rowids.begin(), rowids.end());
  rowids.erase(std::unique(rowids.begin(), rowids.end()), rowids.end());
  return rowids;
}

void TACRDatabase::CopieLignesLisibles(TACRDatabase& cible, const std::string& table,
                                       const TACRFieldDefs& champs, TBilanTable& bilan) {
  // Only the columns the damaged table has; the others take their defaults.
  const std::vector<std::string> physiques = ColonnesPhysiques(table);
  std::vector<const TACRFieldDef*> copiees;
  std::string colonnes = "rowid", marques = "?", ecrites = "rowid";
  for (const auto& d : champs) {
    if (d.type == TTypeChamp::AutoInc ||
        std::find(physiques.begin(), physiques.end(), d.nom) == physiques.end())
      continue;
    copiees.push_back(&d);
    colonnes += ", " + Identifiant(d.nom);
    ecrites += ", " + Identifiant(d.nom);
    marques += ", ?";
  }
  TInstruction lecture(ConnexionDe(*this), "SELECT " + colonnes + " FROM " + Identifiant(table) +
                                       " WHERE rowid >= ? ORDER BY rowid LIMIT " + std::to_string(kLot));
  TInstruction ecriture(ConnexionDe(cible), "INSERT OR IGNORE INTO " + Identifiant(table) + "(" +
                                               ecrites + ") VALUES(" + marques + ")");
  if (!lecture.Valide() || !ecriture.Valide()) {
    bilan.perteInconnue = true;
    return;
  }
  const std::vector<int64_t> connus = RowidsConnus(table);
  std::vector<int64_t> gardes;
  bool abime = false;
  int64_t depuis = INT64_MIN;
  int64_t saut = 1;
  while (true) {
    lecture.Reinitialise();
    lecture.Lie(1, TValeur::DeEntier(depuis));
    int etat = 0;
    int lues = 0;
    while ((etat = lecture.Etape()) == SQLITE_ROW) {
      ++lues;
      const int64_t rowid = lecture.Colonne(0).VersEntier();
      ecriture.Reinitialise();
      ecriture.Lie(1, TValeur::DeEntier(rowid));
      for (size_t i = 0; i < copiees.size(); ++i)
        ecriture.Lie(static_cast<int>(i) + 2,
                     ConvertitPourChamp(*copiees[i], lecture.Colonne(static_cast<int>(i) + 1)));
      if (ecriture.Etape() == SQLITE_DONE && sqlite3_changes(ConnexionDe(cible)) > 0)
        gardes.push_back(rowid);
      depuis = rowid == INT64_MAX ? rowid : rowid + 1;
      saut = 1;
    }
    if (etat == SQLITE_DONE && lues < kLot) break;
    if (etat == SQLITE_DONE) continue;
    // A damaged page: go on at the next row an index still knows, else further and further.
    abime = true;
    const auto suivant = std::upper_bound(connus.begin(), connus.end(), depuis);
    if (suivant != connus.end()) {
      depuis = *suivant;
      continue;
    }
    bilan.perteInconnue = true;
    if (depuis == INT64_MIN) depuis = 0;
    if (depuis > INT64_MAX - saut) break;
    depuis += saut;
    saut = saut < (int64_t{1} << 40) ? saut * 2 : saut;
  }
  bilan.gardees = static_cast<int64_t>(gardes.size());
  if (!abime) return;
  // Rows the indexes knew that could not be read are the rows lost.
  std::sort(gardes.begin(), gardes.end());
  for (const int64_t r : connus)
    if (!std::binary_search(gardes.begin(), gardes.end(), r)) ++bilan.perdues;
  if (connus.empty()) bilan.perteInconnue = true;
}

bool TACRDatabase::CopieTable(TACRDatabase& cible, const std::string& table,
                              const TSchemaConnu& schema, TBilanTable& bilan) {
  TACRFieldDefs champs;
  TACRIndexDefs index;
  if (!DefinitionsPourCopie(table, schema, champs, index, bilan.definitionsReconstruites)) {
    bilan.perteInconnue = true;
    return true;
  }
  if (!cible.ExecuteSql("BEGIN") || !cible.ExecuteSql(SqlCreationTable(table, champs))) {
    NoteErreur(cible.DerniereErreur());
    return false;
  }
  CopieLignesLisibles(cible, table, champs, bilan);
  // A unique index that the surviving rows break is left out rather than failing the repair.
  TACRIndexDefs creees;
  for (const auto& i : index) {
    const std::string sql = SqlCreationIndex(table, champs, i);
    if (sql.empty() || cible.ExecuteSql(sql)) creees.push_back(i);
  }
  if (!cible.EcritDefinitions(table, champs, creees) || !cible.ExecuteSql("COMMIT")) {
    NoteErreur(cible.DerniereErreur());
    return false;
  }
  return true;
}

bool TACRDatabase::OuvrePourReparation() {
  if (Connected()) return true;
  if (Open()) return true;
  // A file whose catalogue is damaged is still ours: open it without reading the catalogue.
  if (EtatFichier(fichier_) != TEtatFichierBase::Endommage) return false;
  if (!OuvreConnexion(SQLITE_OPEN_READWRITE)) return false;
  generation_ = 0;
  return true;
}

bool TACRDatabase::RemplaceParReconstruction(const AnsiString& neuf, TBilanReparation& bilan) {
  // The damaged file must carry no journal: a journal left beside the new file would be
  // replayed into it. Closing folds it in; a second try runs an explicit checkpoint.
  Close();
  if (TailleFichier(fichier_ + "-wal") > 0 && OuvreConnexion(SQLITE_OPEN_READWRITE)) {
    (void)ExecuteSql("PRAGMA wal_checkpoint(TRUNCATE)");
    Close();
  }
  if (TailleFichier(fichier_ + "-wal") > 0) {
    NoteErreur("Le journal de la base endommagée n'a pas pu être intégré ; la base n'a pas été remplacée");
    return false;
  }
  // The damaged file keeps a second name, then the new file replaces it in one rename: there is
  // always a store under the file's name.
  const AnsiString corrompu = NomLibre(fichier_ + ".corrompu");
  if (!GardeSousUnAutreNom(fichier_, corrompu) || !SynchroniseFichier(neuf) ||
      !RemplaceFichier(neuf, fichier_)) {
    NoteErreurSysteme("Impossible de remplacer la base endommagée");
    return false;
  }
  SupprimeFichier(fichier_ + "-wal");
  SupprimeFichier(fichier_ + "-shm");
  bilan.reconstruite = true;
  bilan.fichierEndommage = corrompu;
  return Open();
}

bool TACRDatabase::Repair(const std::function<void(int)>& progression, const TSchemaConnu& schema,
                          TBilanReparation* bilanDemande) {
  TBilanReparation local;
  TBilanReparation& bilan = bilanDemande ? *bilanDemande : local;
  bilan = {};
  if (!OuvrePourReparation()) return false;
  const auto signale = [&](int pct) {
    if (progression) progression(pct);
  };
  signale(0);
  {
    TInstruction liste(ConnexionDe(*this), "SELECT count(*) FROM sqlite_master");
    if (!liste.Valide() || liste.Etape() != SQLITE_ROW) {
      NoteErreurSqlite("La liste des tables de la base est illisible ; rien n'a été modifié");
      return false;
    }
  }
  const std::vector<std::string> tables = GetTableNames();
  bool catalogue = generation_ != 0;
  for (const auto& t : tables) catalogue = catalogue && CatalogueSain(t);
  if (catalogue && VerifieIntegrite() == "ok") {
    const bool ok = ExecuteSql("REINDEX");
    for (const auto& t : tables) {
      TInstruction n(ConnexionDe(*this), "SELECT count(*) FROM " + Identifiant(t));
      bilan.tables.push_back({t, n.Etape() == SQLITE_ROW ? n.Colonne(0).VersEntier() : 0});
    }
    signale(100);
    return ok;
  }
  // Rebuild into a fresh file, table by table.
  const AnsiString neuf = fichier_ + ".reparation";
  SupprimeFichier(neuf);
  SupprimeFichier(neuf + "-wal");
  {
    TACRDatabase cible(neuf);
    cible.SetGeneration(generation_ != 0 ? generation_ : kGenerationMoteur);
    if (!cible.CreateDatabase()) {
      NoteErreur(cible.DerniereErreur());
      return false;
    }
    for (size_t t = 0; t < tables.size(); ++t) {
      bilan.tables.push_back({tables[t]});
      if (!CopieTable(cible, tables[t], schema, bilan.tables.back())) {
        cible.Close();
        for (const char* suffixe : {"", "-wal", "-shm"}) SupprimeFichier(neuf + suffixe);
        return false;
      }
      signale(static_cast<int>((t + 1) * 100 / std::max<size_t>(tables.size(), 1)));
    }
    // Closing folds the new file's journal into it before it takes the old file's place.
    cible.Close();
  }
  // The new file takes the damaged one's place only whole, its journal folded in.
  if (TailleFichier(neuf + "-wal") > 0 || !RemplaceParReconstruction(neuf, bilan)) {
    if (TailleFichier(neuf + "-wal") > 0) NoteErreur("La base reconstruite n'a pas pu être terminée ; rien n'a été remplacé");
    for (const char* suffixe : {"", "-wal", "-shm"}) SupprimeFichier(neuf + suffixe);
    return false;
  }
  return true;
}

}  // namespace kyb
