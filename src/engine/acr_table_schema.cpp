// Schema side of TACRTable: creation, deletion, restructuring, indexes and auto-increment.
#include "engine/acr_ddl.h"
#include "engine/acr_sqlite_interne.h"
#include "engine/acr_table.h"

namespace kyb {
namespace {

bool ExisteSequence(sqlite3* c) {
  TInstruction s(c, "SELECT 1 FROM sqlite_master WHERE type='table' AND name='sqlite_sequence'");
  return s.Etape() == SQLITE_ROW;
}

}  // namespace

bool TACRTable::Exists() const {
  // Kept by the connection: a genealogy's opening asks it of every table.
  TInstruction s = TInstruction::Empruntee(base_, "SELECT 1 FROM sqlite_master WHERE type='table' AND name=?");
  s.Lie(1, TValeur::DeTexte(nom_));
  return s.Etape() == SQLITE_ROW;
}

bool TACRTable::ReadDefs(TACRFieldDefs& champs, TACRIndexDefs& index) const {
  return base_.LitDefinitions(nom_, champs, index);
}

bool TACRTable::ExecuteSchema(const std::vector<std::string>& ordres, const TACRFieldDefs& champs,
                              const TACRIndexDefs& index) {
  // Inside the caller's transaction when one is open (imports), else in one of our own.
  TACRTransaction transaction(base_);
  for (const auto& sql : ordres)
    if (!sql.empty() && !base_.ExecuteSql(sql)) return false;
  if (!base_.EcritDefinitions(nom_, champs, index)) return false;
  return !transaction.Active() || transaction.Commit();
}

bool TACRTable::CreateTable(const TACRFieldDefs& champs, const TACRIndexDefs& index) {
  if (const std::string erreur = VerifieDefinitions(champs, index); !erreur.empty()) {
    base_.NoteErreur(erreur + " (table " + nom_ + ")");
    return false;
  }
  if (Exists()) {
    base_.NoteErreur("La table " + nom_ + " existe déjà");
    return false;
  }
  std::vector<std::string> ordres{SqlCreationTable(nom_, champs)};
  for (const auto& i : index) ordres.push_back(SqlCreationIndex(nom_, champs, i));
  return ExecuteSchema(ordres, champs, index);
}

bool TACRTable::DeleteTable() {
  Close();
  if (!Exists()) return false;
  TACRTransaction transaction(base_);
  if (!base_.ExecuteSql("DROP TABLE " + Identifiant(nom_)) || !base_.SupprimeDefinitions(nom_))
    return false;
  if (ExisteSequence(ConnexionDe(base_))) {
    TInstruction s(ConnexionDe(base_), "DELETE FROM sqlite_sequence WHERE name=?");
    s.Lie(1, TValeur::DeTexte(nom_));
    (void)s.Etape();
  }
  return !transaction.Active() || transaction.Commit();
}

bool TACRTable::EmptyTable() {
  if (!base_.ExecuteSql("DELETE FROM " + Identifiant(nom_))) return false;
  if (Active()) First();
  return true;
}

bool TACRTable::AddField(const TACRFieldDef& champ) {
  TACRFieldDefs champs;
  TACRIndexDefs index;
  if (!ReadDefs(champs, index)) return false;
  if (champ.type == TTypeChamp::AutoInc || TrouveChamp(champs, champ.nom)) {
    base_.NoteErreur("Champ impossible à ajouter : " + nom_ + "." + champ.nom);
    return false;
  }
  champs.push_back(champ);
  if (const std::string erreur = VerifieDefinitions(champs, index); !erreur.empty()) {
    base_.NoteErreur(erreur);
    return false;
  }
  const auto def = champs.back();
  const std::string type = EstTypeTexte(def.type) ? "TEXT"
                           : EstTypeEntier(def.type) ? "INTEGER"
                           : EstTypeReel(def.type)   ? "REAL"
                                                     : "BLOB";
  const bool etaitActive = Active();
  Close();
  const bool ok = ExecuteSchema({"ALTER TABLE " + Identifiant(nom_) + " ADD COLUMN " +
                                 Identifiant(def.nom) + " " + type + " NOT NULL DEFAULT " +
                                 SqlValeurParDefaut(def.type)},
                                champs, index);
  if (etaitActive) (void)Open();
  return ok;
}

bool TACRTable::AddIndex(const TACRIndexDef& def) {
  TACRFieldDefs champs;
  TACRIndexDefs index;
  if (!ReadDefs(champs, index)) return false;
  index.push_back(def);
  if (const std::string erreur = VerifieDefinitions(champs, index); !erreur.empty()) {
    base_.NoteErreur(erreur);
    return false;
  }
  if (!ExecuteSchema({SqlCreationIndex(nom_, champs, def)}, champs, index)) return false;
  index_ = index;
  return true;
}

bool TACRTable::DeleteIndex(const std::string& nomIndex) {
  TACRFieldDefs champs;
  TACRIndexDefs index;
  if (!ReadDefs(champs, index) || !TrouveIndex(index, nomIndex)) return false;
  std::erase_if(index, [&](const TACRIndexDef& d) { return d.nom == nomIndex; });
  if (!ExecuteSchema({"DROP INDEX IF EXISTS " + Identifiant(NomIndexSql(nom_, nomIndex))}, champs,
                     index))
    return false;
  index_ = index;
  if (nomIndex_ == nomIndex) (void)SetIndexName("");
  return true;
}

bool TACRTable::IndexExists(const std::string& nomIndex) const {
  TACRFieldDefs champs;
  TACRIndexDefs index;
  return ReadDefs(champs, index) && TrouveIndex(index, nomIndex) != nullptr;
}

bool TACRTable::RepairTable() { return base_.ExecuteSql("REINDEX " + Identifiant(nom_)); }

int64_t TACRTable::LastAutoIncValue() const {
  if (!ExisteSequence(ConnexionDe(base_))) return 0;
  TInstruction s(ConnexionDe(base_), "SELECT seq FROM sqlite_sequence WHERE name=?");
  s.Lie(1, TValeur::DeTexte(nom_));
  return s.Etape() == SQLITE_ROW ? s.Colonne(0).VersEntier() : 0;
}

bool TACRTable::SetLastAutoIncValue(int64_t valeur) {
  TACRFieldDefs champs;
  TACRIndexDefs index;
  if (!ReadDefs(champs, index)) return false;
  const bool autoInc = std::any_of(champs.begin(), champs.end(), [](const TACRFieldDef& d) {
    return d.type == TTypeChamp::AutoInc;
  });
  if (!autoInc || !ExisteSequence(ConnexionDe(base_))) {
    base_.NoteErreur("La table " + nom_ + " n'a pas de champ auto-incrémenté");
    return false;
  }
  TInstruction maj(ConnexionDe(base_), "UPDATE sqlite_sequence SET seq=? WHERE name=?");
  maj.Lie(1, TValeur::DeEntier(valeur));
  maj.Lie(2, TValeur::DeTexte(nom_));
  if (maj.Etape() != SQLITE_DONE) return false;
  if (sqlite3_changes(ConnexionDe(base_)) > 0) return true;
  TInstruction ajout(ConnexionDe(base_), "INSERT INTO sqlite_sequence(name, seq) VALUES(?, ?)");
  ajout.Lie(1, TValeur::DeTexte(nom_));
  ajout.Lie(2, TValeur::DeEntier(valeur));
  return ajout.Etape() == SQLITE_DONE;
}

bool TACRTable::RestructureTable(const TACRFieldDefs& champs, const TACRIndexDefs& index) {
  if (const std::string erreur = VerifieDefinitions(champs, index); !erreur.empty()) {
    base_.NoteErreur(erreur + " (table " + nom_ + ")");
    return false;
  }
  TACRFieldDefs anciens;
  TACRIndexDefs anciensIndex;
  if (!ReadDefs(anciens, anciensIndex)) return false;
  const bool etaitActive = Active();
  const std::string indexCourant = nomIndex_;
  Close();
  const int64_t sequence = LastAutoIncValue();
  const std::string provisoire = nom_ + "__restructure";
  sqlite3* c = ConnexionDe(base_);

  TACRTransaction transaction(base_);
  if (!base_.ExecuteSql("DROP TABLE IF EXISTS " + Identifiant(provisoire)) ||
      !base_.ExecuteSql(SqlCreationTable(provisoire, champs)))
    return false;
  // Rows are copied one by one through the field conversions, keeping their rowid.
  std::vector<std::pair<size_t, size_t>> correspondance;  // new position, old position
  std::string colonnesLues = "rowid", colonnesEcrites, marques;
  size_t positionAutoInc = champs.size();
  for (size_t n = 0; n < champs.size(); ++n) {
    if (champs[n].type == TTypeChamp::AutoInc) positionAutoInc = n;
    for (size_t a = 0; a < anciens.size(); ++a)
      if (anciens[a].nom == champs[n].nom) {
        correspondance.emplace_back(n, a);
        colonnesLues += ", " + Identifiant(anciens[a].nom);
      }
  }
  colonnesEcrites = "rowid";
  marques = "?";
  for (const auto& [n, a] : correspondance) {
    if (n == positionAutoInc) continue;  // the auto-increment column is the rowid
    colonnesEcrites += ", " + Identifiant(champs[n].nom);
    marques += ", ?";
  }
  TInstruction lecture(c, "SELECT " + colonnesLues + " FROM " + Identifiant(nom_));
  TInstruction ecriture(c, "INSERT INTO " + Identifiant(provisoire) + "(" + colonnesEcrites +
                               ") VALUES(" + marques + ")");
  if (!lecture.Valide() || !ecriture.Valide()) {
    base_.NoteErreurSqlite("Restructuration de la table " + nom_);
    return false;
  }
  int etat = 0;
  while ((etat = lecture.Etape()) == SQLITE_ROW) {
    ecriture.Reinitialise();
    ecriture.Lie(1, lecture.Colonne(0));
    int p = 2;
    for (size_t k = 0; k < correspondance.size(); ++k) {
      if (correspondance[k].first == positionAutoInc) continue;
      ecriture.Lie(p++, ConvertitPourChamp(champs[correspondance[k].first],
                                           lecture.Colonne(static_cast<int>(k) + 1)));
    }
    if (ecriture.Etape() != SQLITE_DONE) {
      base_.NoteErreurSqlite("Restructuration de la table " + nom_);
      return false;
    }
  }
  if (etat != SQLITE_DONE) {
    base_.NoteErreurSqlite("Restructuration de la table " + nom_);
    return false;
  }
  lecture = {};
  ecriture = {};
  std::vector<std::string> ordres{"DROP TABLE " + Identifiant(nom_),
                                  "ALTER TABLE " + Identifiant(provisoire) + " RENAME TO " +
                                      Identifiant(nom_)};
  for (const auto& i : index) ordres.push_back(SqlCreationIndex(nom_, champs, i));
  for (const auto& sql : ordres)
    if (!sql.empty() && !base_.ExecuteSql(sql)) return false;
  if (!base_.SupprimeDefinitions(provisoire) || !base_.EcritDefinitions(nom_, champs, index))
    return false;
  if (positionAutoInc < champs.size() && sequence > LastAutoIncValue() &&
      !SetLastAutoIncValue(sequence))
    return false;
  if (transaction.Active() && !transaction.Commit()) return false;
  if (etaitActive && Open()) (void)SetIndexName(TrouveIndex(index, indexCourant) ? indexCourant : "");
  return true;
}

}  // namespace kyb
