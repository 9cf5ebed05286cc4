#include "store/ficbddini.h"

#include <cctype>

#include "engine/acr_query.h"
#include "platform/fichiers.h"
#include "platform/parametres.h"

namespace kyb {
namespace {

std::atomic<int> gCompteurTablesPays{0};

constexpr const char* kColonneNom = "A_COMMUNE";
constexpr const char* kColonneNettoyeeDefaut = "A_COMCLEAN";
constexpr const char* kIndexNettoye = "A_COMCLEAN-Index";

std::vector<std::string> Parties(const std::string& texte) {
  std::vector<std::string> parties;
  size_t debut = 0;
  while (true) {
    const size_t fin = texte.find(';', debut);
    parties.push_back(Rogne(std::string_view(texte).substr(
        debut, fin == std::string::npos ? std::string::npos : fin - debut)));
    if (fin == std::string::npos) return parties;
    debut = fin + 1;
  }
}

// A column or table name of the descriptor goes into SQL only when it is a plain identifier.
bool IdentifiantSimple(const std::string& nom) {
  if (nom.empty()) return false;
  for (const char c : nom)
    if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_')) return false;
  return true;
}

}  // namespace

TFicBDDINI::TFicBDDINI(AnsiString repertoire, AnsiString nom)
    : repertoire_(AvecSeparateurFinal(NormaliseChemin(repertoire))), nom_(std::move(nom)) {
  LitDescripteur();
}

TFicBDDINI::~TFicBDDINI() { CloseBDD(); }

AnsiString TFicBDDINI::CheminBase() const { return repertoire_ + nom_ + ".adb"; }
AnsiString TFicBDDINI::CheminDescripteur() const { return repertoire_ + nom_ + ".ini"; }

void TFicBDDINI::LitDescripteur() {
  descripteur_ = std::make_unique<TParametres>(CheminSysteme(CheminDescripteur()));
  const TParametres& d = *descripteur_;
  nomTable_ = d.LitTexte("BASE", "Table", "Communes");
  champs_.clear();
  const long long n = d.LitEntier("BASE", "NbrChamp", 0);
  for (long long i = 1; i <= n && i <= 100; ++i) {
    const auto p = Parties(d.LitTexte("BASE", "CHAMP" + std::to_string(i)));
    if (p[0].empty()) continue;
    TChampPays c;
    c.colonne = p[0];
    c.libelle = Utf8VersUnicode(p.size() > 1 && !p[1].empty() ? p[1] : p[0]);
    long long v = 0;
    if (p.size() > 2 && TexteVersEntier(p[2], v) && v > 0) c.largeur = static_cast<int>(v);
    c.visible = !(p.size() > 3 && p[3] == "0");
    champs_.push_back(std::move(c));
  }
  for (int niveau = 1; niveau <= 3; ++niveau) {
    const auto p = Parties(d.LitTexte("ZONE", "Z" + std::to_string(niveau)));
    TNiveauZone z;
    z.table = p[0];
    if (p.size() > 1) z.colonneCode = p[1];
    if (p.size() > 2) z.colonneNom = p[2];
    if (p.size() > 3) z.colonneParent = p[3];
    if (p.size() > 4) z.condition = p[4];
    const bool sain = IdentifiantSimple(z.table) && IdentifiantSimple(z.colonneCode) &&
                      IdentifiantSimple(z.colonneNom) &&
                      (z.colonneParent.empty() || IdentifiantSimple(z.colonneParent));
    niveaux_[niveau - 1] = sain ? z : TNiveauZone{};
  }
  colonneNettoyee_ = d.LitTexte("CLEAN", kColonneNom);
  if (!IdentifiantSimple(nomTable_)) nomTable_ = "Communes";
}

AnsiString TFicBDDINI::GetCodePays() const {
  return Utf8VersAnsi(descripteur_->LitTexte("PAYS", "Code", "France"));
}

bool TFicBDDINI::ShowPays() const { return descripteur_->LitEntier("BASE", "ShowPays", 1) != 0; }
bool TFicBDDINI::Selected() const { return descripteur_->LitEntier("BASE", "Selected", 0) != 0; }
void TFicBDDINI::SetShowPays(bool montrer) { descripteur_->EcritEntier("BASE", "ShowPays", montrer); }
void TFicBDDINI::SetSelected(bool choisi) { descripteur_->EcritEntier("BASE", "Selected", choisi); }

bool TFicBDDINI::ChargeChamps() {
  // An open table is opened again, so that the defaults taken from its columns still hold.
  if (isBDDactive()) return OpenBDD() && FichierExiste(CheminDescripteur());
  LitDescripteur();
  return FichierExiste(CheminDescripteur());
}

bool TFicBDDINI::SauveChamps() {
  TParametres& d = *descripteur_;
  const long long ancien = d.LitEntier("BASE", "NbrChamp", 0);
  for (long long i = 1; i <= ancien; ++i) d.SupprimeCle("BASE", "CHAMP" + std::to_string(i));
  d.EcritEntier("BASE", "NbrChamp", static_cast<long long>(champs_.size()));
  for (size_t i = 0; i < champs_.size(); ++i) {
    const TChampPays& c = champs_[i];
    d.EcritTexte("BASE", "CHAMP" + std::to_string(i + 1),
                 c.colonne + ";" + UnicodeVersUtf8(c.libelle) + ";" + std::to_string(c.largeur) +
                     ";" + (c.visible ? "1" : "0"));
  }
  if (d.Sauvegarde()) return true;
  NoteErreur("Impossible d'écrire le descripteur « " + AnsiVersUtf8(CheminDescripteur()) + " »");
  return false;
}

const TNiveauZone& TFicBDDINI::Niveau(int niveau) const {
  static const TNiveauZone kAucun;
  return niveau >= 1 && niveau <= 3 ? niveaux_[niveau - 1] : kAucun;
}

bool TFicBDDINI::OpenBDD() {
  CloseBDD();
  LitDescripteur();
  const AnsiString chemin = CheminBase();
  const std::string nomUtf8 = AnsiVersUtf8(nom_);
  if (!FichierExiste(chemin)) {
    NoteErreur("La table des communes « " + nomUtf8 + " » est introuvable (" +
               AnsiVersUtf8(chemin) + ")");
    return false;
  }
  base_ = std::make_unique<TACRDatabase>(chemin);
  base_->SetDatabaseName("AccuracerBDD_" + std::to_string(++gCompteurTablesPays));
  // Always read-only: the shipped file stays as built (rollback journal, no WAL files beside
  // it), readable from a read-only data directory. UpdateGeo writes through its own connection.
  base_->SetReadOnly(true);
  if (!base_->Open()) {
    NoteErreur("La table des communes « " + nomUtf8 + " » est illisible : " +
               base_->DerniereErreur());
    base_.reset();
    return false;
  }
  if (!VerifieTable()) {
    table_.reset();
    base_.reset();
    return false;
  }
  ChargeZones();
  arret_ = false;
  return true;
}

bool TFicBDDINI::VerifieTable() {
  const std::string nomUtf8 = AnsiVersUtf8(nom_);
  auto table = std::make_unique<TACRTable>(*base_, nomTable_);
  if (!table->Open()) {
    NoteErreur("La table des communes « " + nomUtf8 + " » est endommagée ou incomplète : " +
               base_->DerniereErreur());
    return false;
  }
  const TACRFieldDefs& defs = table->FieldDefs();
  if (colonneNettoyee_.empty() && TrouveChamp(defs, kColonneNettoyeeDefaut))
    colonneNettoyee_ = kColonneNettoyeeDefaut;
  if (defs.size() < 3 || !TrouveChamp(defs, kColonneNom) ||
      !TrouveChamp(defs, colonneNettoyee_) || !table->IndexExists(kIndexNettoye)) {
    NoteErreur("La table des communes « " + nomUtf8 +
               " » n'a pas les colonnes du nom, du nom nettoyé et du code, ni l'index " +
               kIndexNettoye);
    return false;
  }
  colonneCode_ = defs[2].nom;
  if (champs_.empty())  // no field described: every column under its own name
    for (const TACRFieldDef& d : defs) champs_.push_back({d.nom, Utf8VersUnicode(d.nom), 100, true});
  table_ = std::move(table);
  TACRTable postaux(*base_, "CodesPostaux");
  tableCodesPostaux_ = postaux.Exists();
  return true;
}

void TFicBDDINI::ChargeZones() {
  zone1_.clear();
  zone2_.clear();
  for (const TEntreeZone& e : Zones(1)) zone1_[e.code] = e.nom;
  const TNiveauZone& z2 = niveaux_[1];
  if (!z2.Valide() || z2.colonneParent.empty()) return;
  TACRQuery q(*base_, "SELECT " + z2.colonneCode + ", " + z2.colonneNom + ", " +
                          z2.colonneParent + " FROM " + z2.table);
  if (!q.Open()) return;
  for (; !q.Eof(); q.Next())
    zone2_[q.Fields(0).AsAnsiString()] = {q.Fields(1).AsUnicodeString(), q.Fields(2).AsAnsiString()};
}

TACRQuery& TFicBDDINI::Requete(const std::string& sql) const {
  auto& q = requetes_[sql];
  if (!q) q = std::make_unique<TACRQuery>(*base_, sql);
  return *q;
}

void TFicBDDINI::CloseBDD() {
  requetes_.clear();
  table_.reset();
  base_.reset();
  zone1_.clear();
  zone2_.clear();
  tableCodesPostaux_ = false;
}

std::string TFicBDDINI::CreerRequete(int niveau) const {
  const TNiveauZone& z = Niveau(niveau);
  if (!z.Valide()) return {};
  std::string sql = "SELECT " + z.colonneCode + ", " + z.colonneNom + " FROM " + z.table;
  std::string condition = z.condition;
  if (niveau > 1 && !z.colonneParent.empty())
    condition = z.colonneParent + " = :parent" + (condition.empty() ? "" : " AND (" + condition + ")");
  if (!condition.empty()) sql += " WHERE " + condition;
  return sql + " ORDER BY " + z.colonneNom;
}

std::vector<TEntreeZone> TFicBDDINI::Zones(int niveau, const AnsiString& parent) const {
  std::vector<TEntreeZone> entrees;
  const std::string sql = CreerRequete(niveau);
  if (!base_ || sql.empty()) return entrees;
  TACRQuery q(*base_, sql);
  q.SetParamAnsi("parent", parent);
  if (!q.Open()) {
    NoteErreur("Niveau " + std::to_string(niveau) + " illisible : " + base_->DerniereErreur());
    return entrees;
  }
  for (; !q.Eof(); q.Next()) entrees.push_back({q.Fields(0).AsAnsiString(), q.Fields(1).AsUnicodeString()});
  return entrees;
}

void TFicBDDINI::CompleteZones(TVille& ville) const {
  const auto d = zone2_.find(ville.codeZone);
  if (d == zone2_.end()) return;
  ville.departement = d->second.first;
  const auto r = zone1_.find(d->second.second);
  if (r != zone1_.end()) ville.region = r->second;
}

bool TFicBDDINI::AColonne(const std::string& colonne) const {
  return table_ && table_->FindFieldDef(colonne) != nullptr;
}

int64_t TFicBDDINI::RecordCount() const { return table_ ? table_->RecordCount() : 0; }

UnicodeString TFicBDDINI::RetrieveResult(const TVille& ville) const {
  return ville.commune + u" ; " + ville.departement + u" ; " + ville.region + u" ; " +
         AnsiVersUnicode(GetCodePays());
}

}  // namespace kyb
