#include "engine/acr_query.h"

#include "engine/acr_sqlite_interne.h"

namespace kyb {

TACRQuery::TACRQuery(TACRDatabase& base) : base_(base), instruction_(std::make_unique<TInstruction>()) {}

TACRQuery::TACRQuery(TACRDatabase& base, std::string sql)
    : base_(base), sql_(std::move(sql)), instruction_(std::make_unique<TInstruction>()) {}

TACRQuery::~TACRQuery() = default;

void TACRQuery::SetSQL(std::string sql) {
  Close();
  sql_ = std::move(sql);
  parametres_.clear();
  *instruction_ = {};
}

void TACRQuery::ParamByName(const std::string& nom, TValeur valeur) {
  parametres_[nom.empty() || nom[0] != ':' ? ":" + nom : nom] = std::move(valeur);
}

void TACRQuery::SetParamAnsi(const std::string& nom, const AnsiString& v) {
  ParamByName(nom, TValeur::DeTexte(AnsiVersUtf8(v)));
}

void TACRQuery::SetParamUnicode(const std::string& nom, const UnicodeString& v) {
  ParamByName(nom, TValeur::DeTexte(UnicodeVersUtf8(v)));
}

bool TACRQuery::Prepare() {
  if (!base_.Connected()) {
    base_.NoteErreur("Base de données non connectée");
    return false;
  }
  // A statement of a connection since closed is given back; the database's own is borrowed.
  if (!instruction_->De(ConnexionDe(base_))) *instruction_ = TInstruction::Empruntee(base_, sql_);
  if (!instruction_->Valide()) {
    base_.NoteErreurSqlite("Requête « " + sql_ + " »");
    return false;
  }
  instruction_->Reinitialise();
  sqlite3_stmt* s = instruction_->Brut();
  for (const auto& [nom, valeur] : parametres_) {
    const int position = sqlite3_bind_parameter_index(s, nom.c_str());
    if (position > 0) instruction_->Lie(position, valeur);
  }
  return true;
}

void TACRQuery::LitLigneCourante() {
  // Values are read when asked for: a caller reading columns straight copies nothing.
  ligne_.resize(noms_.size());
  lues_.assign(noms_.size(), false);
}

bool TACRQuery::Open() {
  Close();
  if (!Prepare()) return false;
  // The columns are read after the first step: a statement kept from before a schema change is
  // prepared again by that step, and "*" may then name other columns.
  const int etat = instruction_->Etape();
  if (etat != SQLITE_ROW && etat != SQLITE_DONE) {
    base_.NoteErreurSqlite("Requête « " + sql_ + " »");
    instruction_->Reinitialise();
    return false;
  }
  LitNomsColonnes();
  actif_ = true;
  eof_ = etat != SQLITE_ROW;
  if (!eof_) LitLigneCourante();
  return true;
}

void TACRQuery::LitNomsColonnes() {
  sqlite3_stmt* s = instruction_->Brut();
  const int n = sqlite3_column_count(s);
  // The columns of the previous run are kept when they are the same (the field objects too).
  bool memes = static_cast<int>(noms_.size()) == n;
  for (int i = 0; memes && i < n; ++i) {
    const char* nom = sqlite3_column_name(s, i);
    memes = noms_[static_cast<size_t>(i)] == (nom ? nom : "");
  }
  if (memes) return;
  noms_.clear();
  champs_.clear();
  for (int i = 0; i < n; ++i) {
    const char* nom = sqlite3_column_name(s, i);
    noms_.emplace_back(nom ? nom : "");
    champs_.push_back(std::make_unique<TACRField>(this, i, nullptr));
  }
}

void TACRQuery::Next() {
  if (!actif_ || eof_) return;
  const int etat = instruction_->Etape();
  if (etat == SQLITE_ROW) {
    LitLigneCourante();
    return;
  }
  if (etat != SQLITE_DONE) base_.NoteErreurSqlite("Requête « " + sql_ + " »");
  eof_ = true;
}

bool TACRQuery::ExecSQL() {
  Close();
  if (!Prepare()) return false;
  int etat = 0;
  while ((etat = instruction_->Etape()) == SQLITE_ROW) {
  }
  lignesModifiees_ = sqlite3_changes64(ConnexionDe(base_));
  instruction_->Reinitialise();
  if (etat != SQLITE_DONE) {
    base_.NoteErreurSqlite("Requête « " + sql_ + " »");
    return false;
  }
  return true;
}

void TACRQuery::Close() {
  if (instruction_->Valide()) instruction_->Reinitialise();
  actif_ = false;
  eof_ = true;
  ligne_.clear();
  lues_.clear();
}

const TValeur& TACRQuery::ValeurChamp(int position) const {
  static const TValeur nulle;
  if (!actif_ || eof_ || position < 0 || static_cast<size_t>(position) >= ligne_.size()) return nulle;
  const auto i = static_cast<size_t>(position);
  if (!lues_[i]) {
    ligne_[i] = instruction_->Colonne(position);
    lues_[i] = true;
  }
  return ligne_[i];
}

TColonneLue TACRQuery::Colonne(int position) const {
  const bool sur = actif_ && !eof_ && position >= 0 && static_cast<size_t>(position) < noms_.size();
  return TColonneLue(sur ? instruction_.get() : nullptr, position);
}

const std::string& TACRQuery::NomChamp(int position) const {
  static const std::string vide;
  if (position < 0 || static_cast<size_t>(position) >= noms_.size()) return vide;
  return noms_[static_cast<size_t>(position)];
}

TACRField* TACRQuery::FindField(const std::string& nom) {
  for (size_t i = 0; i < noms_.size(); ++i)
    if (EgalSansCasseAnsi(noms_[i], nom)) return champs_[i].get();
  return nullptr;
}

TACRField& TACRQuery::FieldByName(const std::string& nom) {
  if (TACRField* f = FindField(nom)) return *f;
  base_.NoteErreur("Colonne introuvable : " + nom);
  if (!champAbsent_) champAbsent_ = std::make_unique<TACRField>(this, -1, nullptr);
  return *champAbsent_;
}

TACRField& TACRQuery::Fields(int position) {
  if (position >= 0 && static_cast<size_t>(position) < champs_.size())
    return *champs_[static_cast<size_t>(position)];
  if (!champAbsent_) champAbsent_ = std::make_unique<TACRField>(this, -1, nullptr);
  return *champAbsent_;
}

}  // namespace kyb
