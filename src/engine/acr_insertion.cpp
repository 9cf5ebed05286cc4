#include "engine/acr_insertion.h"

#include "engine/acr_field.h"
#include "engine/acr_sqlite_interne.h"

namespace kyb {

TACRInsertion::TACRInsertion(TACRTable& table, const std::vector<std::string>& colonnes)
    : base_(table.Database()), table_(table.TableName()) {
  std::string noms, marques;
  for (const std::string& c : colonnes) {
    const TACRFieldDef* def = table.FindFieldDef(c);
    if (!def) return;
    defs_.push_back(*def);
    noms += (noms.empty() ? "" : ", ") + Identifiant(def->nom);
    marques += marques.empty() ? "?" : ", ?";
  }
  if (base_.Generation() < kGenerationMoteur) return;
  valeurs_.assign(defs_.size(), TValeur::Nul());
  instruction_ = std::make_unique<TInstruction>(
      ConnexionDe(base_), "INSERT INTO " + Identifiant(table_) + "(" + noms + ") VALUES(" + marques + ")");
}

TACRInsertion::~TACRInsertion() = default;

bool TACRInsertion::Valide() const { return instruction_ && instruction_->Valide(); }

void TACRInsertion::Pose(size_t i, TValeur valeur) {
  if (i < valeurs_.size()) valeurs_[i] = ConvertitPourChamp(defs_[i], std::move(valeur));
}

void TACRInsertion::Entier(size_t i, int64_t valeur) { Pose(i, TValeur::DeEntier(valeur)); }

void TACRInsertion::Reel(size_t i, double valeur) { Pose(i, TValeur::DeReel(valeur)); }

void TACRInsertion::Texte(size_t i, std::string utf8) { Pose(i, TValeur::DeTexte(std::move(utf8))); }

bool TACRInsertion::Ajoute() {
  if (!Valide()) return false;
  TInstruction& s = *instruction_;
  for (size_t i = 0; i < valeurs_.size(); ++i) {
    // A value never set is written as its column's own (the default of its type).
    if (valeurs_[i].EstNul()) valeurs_[i] = ConvertitPourChamp(defs_[i], TValeur::Nul());
    s.LieSansCopie(static_cast<int>(i) + 1, valeurs_[i]);
  }
  const int etat = s.Etape();
  s.Reinitialise();
  for (TValeur& v : valeurs_) {
    v.sorte = TValeur::Sorte::Nul;
    v.octets.clear();
  }
  if (etat != SQLITE_DONE) {
    base_.NoteErreurSqlite("Ajout (table " + table_ + ")");
    return false;
  }
  rowid_ = sqlite3_last_insert_rowid(ConnexionDe(base_));
  return true;
}

}  // namespace kyb
