// Cursor side of TACRTable: navigation, key look-ups, editing and field access.
#include "engine/acr_table.h"

#include "engine/acr_sqlite_interne.h"

namespace kyb {

struct TACRTable::Instructions {
  std::map<std::pair<int, int>, TInstruction> parOperation;  // (operation, key columns given)
  TInstruction insertion, insertionAvecId, miseAJour, suppression;
  void Vide() {
    parOperation.clear();
    insertion = {};
    insertionAvecId = {};
    miseAJour = {};
    suppression = {};
  }
};
namespace {

constexpr int kTailleLot = 64;

const TValeur& ValeurNulle() {
  static const TValeur nulle;
  return nulle;
}

}  // namespace

TACRTable::TACRTable(TACRDatabase& base, std::string nomTable)
    : base_(base), nom_(std::move(nomTable)), instructions_(std::make_unique<Instructions>()) {}

TACRTable::~TACRTable() = default;

bool TACRTable::Open() {
  if (Active()) return true;
  if (!base_.Connected()) {
    base_.NoteErreur("Base de données non connectée");
    return false;
  }
  if (!Exists() || !base_.LitDefinitions(nom_, champs_, index_)) {
    base_.NoteErreur("Table introuvable : " + nom_);
    return false;
  }
  ConstruitChamps();
  ReinitialiseCurseur();
  etat_ = TEtatCurseur::Consultation;
  if (!nomIndex_.empty() && !SetIndexName(nomIndex_)) (void)SetIndexName("");
  First();
  return true;
}

void TACRTable::Close() {
  ReinitialiseCurseur();
  instructions_->Vide();
  objetsChamps_.clear();
  positions_.clear();
  ligne_.clear();
  etat_ = TEtatCurseur::Inactif;
}

void TACRTable::ConstruitChamps() {
  indexPret_ = false;
  objetsChamps_.clear();
  positions_.clear();
  positionAutoInc_ = -1;
  listeColonnes_ = "rowid";
  for (size_t i = 0; i < champs_.size(); ++i) {
    const int p = static_cast<int>(i);
    objetsChamps_.push_back(std::make_unique<TACRField>(this, p, &champs_[i]));
    positions_[champs_[i].nom] = p;
    if (champs_[i].type == TTypeChamp::AutoInc) positionAutoInc_ = p;
    listeColonnes_ += ", " + Identifiant(champs_[i].nom);
  }
  defauts_.clear();
  for (size_t i = 0; i < champs_.size(); ++i) defauts_.push_back(ValeurParDefaut(static_cast<int>(i)));
  instructions_->Vide();
}

void TACRTable::ReinitialiseCurseur() {
  positionne_ = false;
  eof_ = bof_ = true;
  rowid_ = 0;
  ligne_ = defauts_;
  tampon_.clear();
  lu_ = 0;
  finAtteinte_ = false;
}

TValeur TACRTable::ValeurParDefaut(int position) const {
  return ConvertitPourChamp(champs_[static_cast<size_t>(position)], TValeur::Nul());
}

bool TACRTable::SetIndexName(const std::string& nomIndex) {
  // Selecting the index in use keeps the prepared statements: callers select before each look-up.
  if (indexPret_ && nomIndex == nomIndex_) return true;
  std::vector<int> colonnes;
  std::vector<bool> sansCasse;
  if (!nomIndex.empty()) {
    const TACRIndexDef* def = TrouveIndex(index_, nomIndex);
    if (!def) {
      base_.NoteErreur("Index introuvable : " + nom_ + "." + nomIndex);
      return false;
    }
    for (const auto& c : def->champs) {
      const auto it = positions_.find(c);
      if (it == positions_.end()) return false;
      colonnes.push_back(it->second);
      sansCasse.push_back((def->options & kIndexSansCasse) &&
                          EstTypeTexte(champs_[static_cast<size_t>(it->second)].type));
    }
  }
  nomIndex_ = nomIndex;
  indexPret_ = true;
  colonnesCle_ = std::move(colonnes);
  sansCasse_ = std::move(sansCasse);
  instructions_->parOperation.clear();
  tampon_.clear();
  lu_ = 0;
  finAtteinte_ = false;
  return true;
}

std::string TACRTable::TermeCle(int i) const {
  const auto k = static_cast<size_t>(i);
  std::string s = Identifiant(champs_[static_cast<size_t>(colonnesCle_[k])].nom);
  if (sansCasse_[k]) s += " COLLATE NOCASE";
  return s;
}

std::string TACRTable::TermesCle(int nbCles, bool avecRowid) const {
  std::string s;
  for (int i = 0; i < nbCles; ++i) s += (i ? ", " : "") + TermeCle(i);
  if (avecRowid) s += (nbCles ? ", rowid" : "rowid");
  return s;
}

std::string TACRTable::ClausePlage() const {
  if (!plage_) return {};
  const int nd = static_cast<int>(std::min(debutPlage_.size(), colonnesCle_.size()));
  const int nf = static_cast<int>(std::min(finPlage_.size(), colonnesCle_.size()));
  std::string s;
  const auto marques = [](int n) {
    std::string m;
    for (int i = 0; i < n; ++i) m += i ? ",?" : "?";
    return m;
  };
  if (nd) s += "(" + TermesCle(nd, false) + ") >= (" + marques(nd) + ")";
  if (nf) s += std::string(nd ? " AND " : "") + "(" + TermesCle(nf, false) + ") <= (" + marques(nf) + ")";
  return s;
}

int TACRTable::LiePlage(TInstruction& s, int position) const {
  if (!plage_) return position;
  const size_t nd = std::min(debutPlage_.size(), colonnesCle_.size());
  const size_t nf = std::min(finPlage_.size(), colonnesCle_.size());
  for (size_t i = 0; i < nd; ++i) s.Lie(position++, debutPlage_[i]);
  for (size_t i = 0; i < nf; ++i) s.Lie(position++, finPlage_[i]);
  return position;
}

int TACRTable::LieCleCourante(TInstruction& s, int position) const {
  for (const int c : colonnesCle_) s.Lie(position++, ligne_[static_cast<size_t>(c)]);
  s.Lie(position++, TValeur::DeEntier(rowid_));
  return position;
}

std::string TACRTable::SqlOperation(Operation op, int nbCles) const {
  const int n = static_cast<int>(colonnesCle_.size());
  const std::string ordre = TermesCle(n, true);
  std::string ordreInverse;
  for (int i = 0; i < n; ++i) ordreInverse += TermeCle(i) + " DESC, ";
  ordreInverse += "rowid DESC";
  const std::string plage = ClausePlage();
  std::string condition;
  const auto et = [&](const std::string& c) {
    if (c.empty()) return;
    condition += condition.empty() ? " WHERE " : " AND ";
    condition += c;
  };
  std::string marques;
  for (int i = 0; i < (op == kSuivants || op == kPrecedent ? n + 1 : nbCles); ++i)
    marques += i ? ",?" : "?";
  switch (op) {
    case kSuivants: et("(" + ordre + ") > (" + marques + ")"); break;
    case kPrecedent: et("(" + ordre + ") < (" + marques + ")"); break;
    case kEgal:
      for (int i = 0; i < nbCles; ++i) et(TermeCle(i) + " = ?");
      break;
    case kProche: et("(" + TermesCle(nbCles, false) + ") >= (" + marques + ")"); break;
    default: break;
  }
  et(plage);
  const std::string depuis = " FROM " + Identifiant(nom_);
  if (op == kCompte) return "SELECT count(*)" + depuis + condition;
  const bool inverse = op == kPrecedent || op == kDernier;
  const int limite = (op == kSuivants || op == kPremier) ? kTailleLot : 1;
  return "SELECT " + listeColonnes_ + depuis + condition + " ORDER BY " +
         (inverse ? ordreInverse : ordre) + " LIMIT " + std::to_string(limite);
}

TInstruction& TACRTable::Instruction(Operation op, int nbCles) {
  const auto cle = std::make_pair(static_cast<int>(op), nbCles);
  auto it = instructions_->parOperation.find(cle);
  if (it == instructions_->parOperation.end())
    it = instructions_->parOperation.emplace(cle, TInstruction::Empruntee(base_, SqlOperation(op, nbCles))).first;
  TInstruction& s = it->second;
  s.Reinitialise();
  if (!s.Valide()) base_.NoteErreurSqlite("Lecture de la table " + nom_);
  return s;
}

bool TACRTable::LitLigne(TInstruction& s, Ligne& ligne) const {
  if (s.Etape() != SQLITE_ROW) return false;
  ligne.rowid = s.Colonne(0).VersEntier();
  ligne.valeurs.resize(champs_.size());
  for (size_t i = 0; i < champs_.size(); ++i) ligne.valeurs[i] = s.Colonne(static_cast<int>(i) + 1);
  return true;
}

void TACRTable::PlaceSur(Ligne ligne) {
  rowid_ = ligne.rowid;
  ligne_ = std::move(ligne.valeurs);
  positionne_ = true;
}

bool TACRTable::RemplitTampon(TInstruction& s) {
  tampon_.clear();
  lu_ = 0;
  Ligne l;
  while (LitLigne(s, l)) tampon_.push_back(std::move(l));
  s.Reinitialise();
  finAtteinte_ = tampon_.size() < static_cast<size_t>(kTailleLot);
  return !tampon_.empty();
}

bool TACRTable::ChargeSuivants() {
  TInstruction& s = Instruction(kSuivants, 0);
  LiePlage(s, LieCleCourante(s, 1));
  return RemplitTampon(s);
}

void TACRTable::First() {
  if (!Active()) return;
  TInstruction& s = Instruction(kPremier, 0);
  LiePlage(s, 1);
  if (!RemplitTampon(s)) {
    ReinitialiseCurseur();
    return;
  }
  PlaceSur(std::move(tampon_[lu_++]));
  bof_ = true;
  eof_ = false;
}

void TACRTable::Next() {
  if (!Active() || !positionne_) {
    eof_ = true;
    return;
  }
  if (lu_ >= tampon_.size() && (finAtteinte_ || !ChargeSuivants())) {
    eof_ = true;
    return;
  }
  PlaceSur(std::move(tampon_[lu_++]));
  eof_ = bof_ = false;
}

void TACRTable::Prior() {
  if (!Active() || !positionne_) {
    bof_ = true;
    return;
  }
  TInstruction& s = Instruction(kPrecedent, 0);
  LiePlage(s, LieCleCourante(s, 1));
  Ligne l;
  const bool trouve = LitLigne(s, l);
  s.Reinitialise();
  if (!trouve) {
    bof_ = true;
    return;
  }
  PlaceSur(std::move(l));
  tampon_.clear();
  lu_ = 0;
  finAtteinte_ = false;
  eof_ = bof_ = false;
}

void TACRTable::Last() {
  if (!Active()) return;
  TInstruction& s = Instruction(kDernier, 0);
  LiePlage(s, 1);
  Ligne l;
  const bool trouve = LitLigne(s, l);
  s.Reinitialise();
  if (!trouve) {
    ReinitialiseCurseur();
    return;
  }
  PlaceSur(std::move(l));
  tampon_.clear();
  lu_ = 0;
  finAtteinte_ = true;
  eof_ = true;
  bof_ = false;
}

bool TACRTable::ChercheUne(Operation op, const TCle& valeurs) {
  if (!Active() || valeurs.empty()) return false;
  const int n = static_cast<int>(std::min(valeurs.size(), colonnesCle_.size()));
  if (colonnesCle_.empty()) {
    base_.NoteErreur("Aucun index choisi pour la recherche dans la table " + nom_);
    return false;
  }
  TInstruction& s = Instruction(op, n);
  int p = 1;
  for (int i = 0; i < n; ++i) s.Lie(p++, valeurs[static_cast<size_t>(i)]);
  LiePlage(s, p);
  Ligne l;
  const bool trouve = LitLigne(s, l);
  s.Reinitialise();
  if (!trouve) return false;
  PlaceSur(std::move(l));
  tampon_.clear();
  lu_ = 0;
  finAtteinte_ = false;
  eof_ = bof_ = false;
  return true;
}

bool TACRTable::FindKey(const TCle& valeurs) { return ChercheUne(kEgal, valeurs); }

bool TACRTable::FindNearest(const TCle& valeurs) { return ChercheUne(kProche, valeurs); }

void TACRTable::SetRange(const TCle& debut, const TCle& fin) {
  plage_ = true;
  debutPlage_ = debut;
  finPlage_ = fin;
  instructions_->parOperation.clear();
  First();
}

void TACRTable::CancelRange() {
  plage_ = false;
  debutPlage_.clear();
  finPlage_.clear();
  instructions_->parOperation.clear();
  First();
}

int64_t TACRTable::RecordCount() const {
  TInstruction s = TInstruction::Empruntee(base_, SqlOperation(kCompte, 0));
  LiePlage(s, 1);
  return s.Etape() == SQLITE_ROW ? s.Colonne(0).VersEntier() : 0;
}

void TACRTable::Edit() {
  if (etat_ != TEtatCurseur::Consultation || !positionne_) {
    base_.NoteErreur("Aucune ligne à modifier dans la table " + nom_);
    return;
  }
  sauvegarde_ = ligne_;
  etat_ = TEtatCurseur::Edition;
}

void TACRTable::Insert() {
  if (etat_ != TEtatCurseur::Consultation) {
    base_.NoteErreur("La table " + nom_ + " n'est pas en consultation");
    return;
  }
  // The current row is kept aside for Cancel; the new one starts from the defaults.
  std::swap(sauvegarde_, ligne_);
  rowidSauvegarde_ = rowid_;
  positionneSauvegarde_ = positionne_;
  ligne_ = defauts_;
  etat_ = TEtatCurseur::Insertion;
}

void TACRTable::Cancel() {
  if (etat_ == TEtatCurseur::Edition) {
    ligne_ = std::move(sauvegarde_);
  } else if (etat_ == TEtatCurseur::Insertion) {
    ligne_ = std::move(sauvegarde_);
    rowid_ = rowidSauvegarde_;
    positionne_ = positionneSauvegarde_;
  } else {
    return;
  }
  etat_ = TEtatCurseur::Consultation;
}

bool TACRTable::EchecEcriture(const std::string& contexte) {
  base_.NoteErreurSqlite(contexte + " (table " + nom_ + ")");
  if (OnPostError) OnPostError(*this, base_.DerniereErreur());
  return false;
}

bool TACRTable::Post() {
  if (etat_ != TEtatCurseur::Edition && etat_ != TEtatCurseur::Insertion) return false;
  sqlite3* c = ConnexionDe(base_);
  if (etat_ == TEtatCurseur::Edition) {
    if (!instructions_->miseAJour.Valide()) {
      std::string sql = "UPDATE " + Identifiant(nom_) + " SET ";
      bool premier = true;
      for (size_t i = 0; i < champs_.size(); ++i) {
        if (static_cast<int>(i) == positionAutoInc_) continue;
        sql += (premier ? "" : ", ") + Identifiant(champs_[i].nom) + " = ?";
        premier = false;
      }
      instructions_->miseAJour = TInstruction::Empruntee(base_, sql + " WHERE rowid = ?");
    }
    instructions_->miseAJour.Reinitialise();
    int p = 1;
    for (size_t i = 0; i < champs_.size(); ++i)
      if (static_cast<int>(i) != positionAutoInc_) instructions_->miseAJour.LieSansCopie(p++, ligne_[i]);
    instructions_->miseAJour.Lie(p, TValeur::DeEntier(rowid_));
    const int etat = instructions_->miseAJour.Etape();
    instructions_->miseAJour.Reinitialise();
    if (etat != SQLITE_DONE) return EchecEcriture("Modification");
  } else {
    const bool avecId = positionAutoInc_ >= 0 && !ligne_[static_cast<size_t>(positionAutoInc_)].EstNul();
    TInstruction& s = avecId ? instructions_->insertionAvecId : instructions_->insertion;
    if (!s.Valide()) {
      std::string colonnes, marques;
      for (size_t i = 0; i < champs_.size(); ++i) {
        if (static_cast<int>(i) == positionAutoInc_ && !avecId) continue;
        colonnes += (colonnes.empty() ? "" : ", ") + Identifiant(champs_[i].nom);
        marques += marques.empty() ? "?" : ", ?";
      }
      s = TInstruction::Empruntee(base_, "INSERT INTO " + Identifiant(nom_) + "(" + colonnes + ") VALUES(" + marques + ")");
    }
    s.Reinitialise();
    int p = 1;
    for (size_t i = 0; i < champs_.size(); ++i)
      if (static_cast<int>(i) != positionAutoInc_ || avecId) s.LieSansCopie(p++, ligne_[i]);
    const int etat = s.Etape();
    s.Reinitialise();
    if (etat != SQLITE_DONE) return EchecEcriture("Ajout");
    rowid_ = sqlite3_last_insert_rowid(c);
    if (positionAutoInc_ >= 0) ligne_[static_cast<size_t>(positionAutoInc_)] = TValeur::DeEntier(rowid_);
  }
  etat_ = TEtatCurseur::Consultation;
  positionne_ = true;
  eof_ = bof_ = false;
  tampon_.clear();
  lu_ = 0;
  finAtteinte_ = false;
  return true;
}

bool TACRTable::Delete() {
  if (etat_ != TEtatCurseur::Consultation || !positionne_) return false;
  if (!instructions_->suppression.Valide())
    instructions_->suppression = TInstruction::Empruntee(base_, "DELETE FROM " + Identifiant(nom_) + " WHERE rowid = ?");
  instructions_->suppression.Reinitialise();
  instructions_->suppression.Lie(1, TValeur::DeEntier(rowid_));
  const int etat = instructions_->suppression.Etape();
  instructions_->suppression.Reinitialise();
  if (etat != SQLITE_DONE) return EchecEcriture("Suppression");
  // The cursor moves to the row after the deleted one, or before it at the end.
  if (ChargeSuivants()) {
    PlaceSur(std::move(tampon_[lu_++]));
    eof_ = bof_ = false;
    return true;
  }
  tampon_.clear();
  lu_ = 0;
  TInstruction& s = Instruction(kPrecedent, 0);
  LiePlage(s, LieCleCourante(s, 1));
  Ligne l;
  if (LitLigne(s, l)) {
    PlaceSur(std::move(l));
    eof_ = true;
    bof_ = false;
  } else {
    ReinitialiseCurseur();
  }
  s.Reinitialise();
  return true;
}

const TValeur& TACRTable::ValeurChamp(int position) const {
  if (position < 0 || static_cast<size_t>(position) >= ligne_.size()) return ValeurNulle();
  return ligne_[static_cast<size_t>(position)];
}

bool TACRTable::EcritChamp(int position, TValeur valeur) {
  if (etat_ != TEtatCurseur::Edition && etat_ != TEtatCurseur::Insertion) {
    base_.NoteErreur("La table " + nom_ + " n'est pas en modification");
    return false;
  }
  if (position < 0 || static_cast<size_t>(position) >= ligne_.size()) return false;
  ligne_[static_cast<size_t>(position)] = std::move(valeur);
  return true;
}

const std::string& TACRTable::NomChamp(int position) const {
  static const std::string vide;
  if (position < 0 || static_cast<size_t>(position) >= champs_.size()) return vide;
  return champs_[static_cast<size_t>(position)].nom;
}

TACRField* TACRTable::FindField(const std::string& nom) {
  const auto it = positions_.find(nom);
  return it == positions_.end() ? nullptr : objetsChamps_[static_cast<size_t>(it->second)].get();
}

TACRField& TACRTable::FieldByName(const std::string& nom) {
  if (TACRField* f = FindField(nom)) return *f;
  base_.NoteErreur("Champ introuvable : " + nom_ + "." + nom);
  if (!champAbsent_) champAbsent_ = std::make_unique<TACRField>(this, -1, nullptr);
  return *champAbsent_;
}

TACRField& TACRTable::Fields(int position) {
  if (position >= 0 && static_cast<size_t>(position) < objetsChamps_.size())
    return *objetsChamps_[static_cast<size_t>(position)];
  if (!champAbsent_) champAbsent_ = std::make_unique<TACRField>(this, -1, nullptr);
  return *champAbsent_;
}

const TACRFieldDef* TACRTable::FindFieldDef(const std::string& nom) const {
  return TrouveChamp(champs_, nom);
}

}  // namespace kyb
