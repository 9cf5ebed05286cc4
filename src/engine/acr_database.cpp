#include "engine/acr_database.h"

#include <cstring>

#include "engine/acr_sqlite_interne.h"
#include "platform/ecriture_atomique.h"
#include "platform/fichiers.h"

namespace kyb {
namespace {

constexpr char kEnteteSqlite[16] = {'S', 'Q', 'L', 'i', 't', 'e', ' ', 'f',
                                    'o', 'r', 'm', 'a', 't', ' ', '3', '\0'};
constexpr int kAttenteVerrouMs = 1000;

std::string JoinChamps(const std::vector<std::string>& champs) {
  std::string s;
  for (const auto& c : champs) {
    if (!s.empty()) s.push_back(',');
    s += c;
  }
  return s;
}

std::vector<std::string> SepareChamps(const std::string& texte) {
  std::vector<std::string> champs;
  size_t debut = 0;
  while (debut <= texte.size()) {
    const size_t fin = texte.find(',', debut);
    const std::string c = Rogne(std::string_view(texte).substr(
        debut, fin == std::string::npos ? std::string::npos : fin - debut));
    if (!c.empty()) champs.push_back(c);
    if (fin == std::string::npos) break;
    debut = fin + 1;
  }
  return champs;
}

// Whether the first bytes of the file are the SQLite header, read without SQLite.
bool EnteteSqlite(const AnsiString& chemin) {
  const TFichier f = TFichier::Ouvre(chemin, TAcces::Lecture, TCreation::Existant);
  char entete[16] = {};
  return f.Valide() && f.LitA(0, entete, sizeof entete) == sizeof entete &&
         std::memcmp(entete, kEnteteSqlite, sizeof entete) == 0;
}

// Whether a program may write the file: it and its directory are writable.
bool PeutEtreEcrit(const AnsiString& chemin) {
  return EcritureAutorisee(chemin) && EcritureAutorisee(ExtraitRepertoire(chemin));
}

}  // namespace

TACRDatabase::TACRDatabase() = default;

TACRDatabase::TACRDatabase(AnsiString fichier) : fichier_(std::move(fichier)) {}

TACRDatabase::~TACRDatabase() { Close(); }

void TACRDatabase::SetFileName(const AnsiString& fichier) {
  Close();
  fichier_ = fichier;
}

bool TACRDatabase::Exists() const { return FichierExiste(fichier_); }

void TACRDatabase::NoteErreur(const std::string& message) const {
  derniereErreur_ = message;
  sqlite3* c = ConnexionDe(*this);
  codeErreur_ = c ? ErreurDeConnexion(c) : TErreurMoteur::Aucune;
}

void TACRDatabase::NoteErreurSqlite(const std::string& contexte) const {
  sqlite3* c = ConnexionDe(*this);
  derniereErreur_ = contexte + " : " + (c ? TexteConnexion(c) : "base non connectée");
  codeErreur_ = c ? ErreurDeConnexion(c) : TErreurMoteur::Aucune;
}

namespace {

// The platform's reason in French (the system's own text only when it has no word here).
std::string TexteSysteme(TErreurSysteme e) {
  switch (e) {
    case TErreurSysteme::DisquePlein: return "le disque est plein";
    case TErreurSysteme::Existe: return "le nom est déjà pris";
    case TErreurSysteme::NonVide: return "le répertoire n'est pas vide";
    case TErreurSysteme::Absent: return "fichier ou répertoire absent";
    case TErreurSysteme::Refuse: return "écriture refusée par le système";
    case TErreurSysteme::Verrouille: return "fichier tenu par un autre programme";
    case TErreurSysteme::Aucune:
    case TErreurSysteme::Autre: break;
  }
  return "erreur du système (" + TexteErreurSysteme() + ")";
}

}  // namespace

void TACRDatabase::NoteErreurSysteme(const std::string& contexte) const {
  const TErreurSysteme e = DerniereErreurSysteme();
  derniereErreur_ = contexte + " : " + TexteSysteme(e);
  switch (e) {
    case TErreurSysteme::DisquePlein: codeErreur_ = TErreurMoteur::DisquePlein; break;
    case TErreurSysteme::Refuse: codeErreur_ = TErreurMoteur::LectureSeule; break;
    default: codeErreur_ = TErreurMoteur::EntreeSortie;
  }
}

TActiviteMoteur TACRDatabase::Activite() const {
  if (!connexion_) return {};
  return {connexion_->Instructions(), connexion_->Commits(), connexion_->Cache()->Preparations()};
}

bool TACRDatabase::OuvreConnexion(int drapeaux, bool immuable) {
  Close();
  BrancheAppelsMoteur();
  // An immutable opening reads the file alone and creates nothing beside it (no -wal, no -shm).
  const std::string chemin = immuable ? UriImmuable(fichier_) : CheminSysteme(fichier_);
  if (immuable) drapeaux |= SQLITE_OPEN_URI;
  sqlite3* c = nullptr;
  if (sqlite3_open_v2(chemin.c_str(), &c, drapeaux | SQLITE_OPEN_FULLMUTEX, nullptr) != SQLITE_OK) {
    derniereErreur_ = "Impossible d'ouvrir la base « " + AnsiVersUtf8(fichier_) + " » : " +
                      (c ? TexteConnexion(c) : "mémoire insuffisante");
    codeErreur_ = c ? ErreurDeConnexion(c) : TErreurMoteur::Autre;
    sqlite3_close(c);
    return false;
  }
  connexion_ = std::make_unique<TConnexionSqlite>(c);
  sqlite3_busy_timeout(c, kAttenteVerrouMs);
  sqlite3_extended_result_codes(c, 1);
  return true;
}

bool TACRDatabase::CreateDatabase() {
  if (Exists()) {
    NoteErreur("La base « " + AnsiVersUtf8(fichier_) + " » existe déjà");
    return false;
  }
  if (!OuvreConnexion(SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE)) return false;
  const std::string sql =
      "PRAGMA page_size=4096; PRAGMA journal_mode=WAL; BEGIN;"
      "CREATE TABLE _acr_base(cle TEXT PRIMARY KEY, valeur TEXT NOT NULL);"
      "CREATE TABLE _acr_champs(table_nom TEXT NOT NULL, position INTEGER NOT NULL,"
      " nom TEXT NOT NULL, type INTEGER NOT NULL, taille INTEGER NOT NULL,"
      " requis INTEGER NOT NULL, PRIMARY KEY(table_nom, nom));"
      "CREATE TABLE _acr_index(table_nom TEXT NOT NULL, nom TEXT NOT NULL,"
      " champs TEXT NOT NULL, options INTEGER NOT NULL, PRIMARY KEY(table_nom, nom));"
      "INSERT INTO _acr_base VALUES('format','kybase-acr'),('generation','" +
      std::to_string(generationCreation_) + "'); COMMIT;";
  if (!ExecuteSql(sql)) {
    Close();
    SupprimeFichier(fichier_);
    return false;
  }
  generation_ = generationCreation_;
  return true;
}

namespace {

bool EstOccupe(int code) {
  code &= 0xFF;
  return code == SQLITE_BUSY || code == SQLITE_LOCKED;
}

// Reads the catalogue marker of a file opened read-only: its generation, 0 when unreadable
// (*code receives the SQLite code of the failure).
int LitGeneration(sqlite3* c, int* code) {
  TInstruction format(c, "SELECT valeur FROM _acr_base WHERE cle='format'");
  TInstruction gen(c, "SELECT valeur FROM _acr_base WHERE cle='generation'");
  *code = SQLITE_OK;
  if (!format.Valide() || !gen.Valide()) {
    *code = sqlite3_extended_errcode(c);
    return 0;
  }
  const int etat = format.Etape();
  if (etat != SQLITE_ROW || format.Colonne(0).VersTexte() != "kybase-acr" || gen.Etape() != SQLITE_ROW) {
    *code = etat == SQLITE_ROW || etat == SQLITE_DONE ? SQLITE_CORRUPT : etat;
    return 0;
  }
  const int64_t g = gen.Colonne(0).VersEntier();
  if (g > 0 && g < 100) return static_cast<int>(g);
  *code = SQLITE_CORRUPT;
  return 0;
}

// -1: the list of tables is unreadable (*code why); else how many catalogue tables it names.
int TablesDuCatalogue(sqlite3* c, int* code) {
  TInstruction s(c, "SELECT count(*) FROM sqlite_master WHERE type='table' AND name IN "
                    "('_acr_base','_acr_champs','_acr_index')");
  const int etat = s.Valide() ? s.Etape() : sqlite3_extended_errcode(c);
  if (etat != SQLITE_ROW) {
    *code = etat;
    return -1;
  }
  return static_cast<int>(s.Colonne(0).VersEntier());
}

// Opens a file for a look that writes nothing to it. Where a program may be writing (the file
// and its directory writable) the look takes SQLite's locks as a reader beside that writer, so
// that it never reads a write half-made (a connection that may write but is held to reading:
// the last one to close removes the journal files as a writer does); elsewhere the file is read
// immutable (nothing created beside it) unless a journal must be read.
sqlite3* OuvreEnConsultation(const AnsiString& chemin, bool sansJournal = false) {
  BrancheAppelsMoteur();
  const bool partage = !sansJournal && PeutEtreEcrit(chemin);
  const bool journal = !sansJournal && (partage || FichierExiste(chemin + "-wal"));
  const std::string nom = journal ? CheminSysteme(chemin) : UriImmuable(chemin);
  sqlite3* c = nullptr;
  const int drapeaux = (partage ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY) | (journal ? 0 : SQLITE_OPEN_URI);
  if (sqlite3_open_v2(nom.c_str(), &c, drapeaux, nullptr) != SQLITE_OK ||
      (partage && sqlite3_exec(c, "PRAGMA query_only=1", nullptr, nullptr, nullptr) != SQLITE_OK)) {
    sqlite3_close(c);
    return nullptr;
  }
  sqlite3_busy_timeout(c, kAttenteVerrouMs);
  return c;
}

// State and generation of a file, read without writing anything to it.
TEtatFichierBase Examine(const AnsiString& chemin, int& generation) {
  generation = 0;
  if (!FichierExiste(chemin)) return TEtatFichierBase::Absent;
  if (!EnteteSqlite(chemin)) return TEtatFichierBase::Etranger;
  sqlite3* c = OuvreEnConsultation(chemin);
  if (!c) return TEtatFichierBase::Endommage;
  int code = SQLITE_OK;
  TEtatFichierBase etat = TEtatFichierBase::Sain;
  int catalogue = TablesDuCatalogue(c, &code);
  if (catalogue < 0 && !EstOccupe(code) && FichierExiste(chemin + "-wal")) {
    // A journal that cannot be read here (directory we may not write): the file alone.
    sqlite3_close(c);
    c = OuvreEnConsultation(chemin, true);
    if (!c) return TEtatFichierBase::Endommage;
    catalogue = TablesDuCatalogue(c, &code);
  }
  if (catalogue == 0) etat = TEtatFichierBase::Etranger;
  else if (catalogue < 0) etat = EstOccupe(code) ? TEtatFichierBase::Occupe : TEtatFichierBase::Endommage;
  else if (catalogue < 3) etat = TEtatFichierBase::Endommage;
  else if ((generation = LitGeneration(c, &code)) == 0)
    etat = EstOccupe(code) ? TEtatFichierBase::Occupe : TEtatFichierBase::Endommage;
  sqlite3_close(c);
  return etat;
}

}  // namespace

TEtatFichierBase TACRDatabase::EtatFichier(const AnsiString& chemin, int* generation) {
  int lue = 0;
  const TEtatFichierBase etat = Examine(chemin, lue);
  if (generation) *generation = lue;
  return etat;
}

int TACRDatabase::GenerationFichier(const AnsiString& chemin) {
  int generation = 0;
  return Examine(chemin, generation) == TEtatFichierBase::Sain ? generation : 0;
}

void TACRDatabase::NoteEtatFichier(TEtatFichierBase etat) const {
  const std::string nom = "« " + AnsiVersUtf8(fichier_) + " »";
  switch (etat) {
    case TEtatFichierBase::Absent:
      NoteErreur("La base " + nom + " n'existe pas", TErreurMoteur::Ouverture);
      break;
    case TEtatFichierBase::Occupe:
      NoteErreur("La base " + nom + " est déjà ouverte par un autre programme", TErreurMoteur::Occupe);
      break;
    case TEtatFichierBase::Endommage:
      NoteErreur("La base " + nom + " est endommagée (catalogue illisible)", TErreurMoteur::Endommagee);
      break;
    case TEtatFichierBase::Etranger:
    case TEtatFichierBase::Sain:
      NoteErreur("Le fichier " + nom + " n'est pas une base de données de généalogie",
                 TErreurMoteur::PasUneBase);
      break;
  }
}

bool TACRDatabase::IsAccuracerDatabaseFile(const AnsiString& chemin) {
  return GenerationFichier(chemin) == kGenerationMoteur;
}

bool TACRDatabase::Open() {
  if (Connected()) return true;
  if (!Exists()) {
    NoteErreur("La base « " + AnsiVersUtf8(fichier_) + " » n'existe pas", TErreurMoteur::Ouverture);
    return false;
  }
  // Checked before SQLite touches the file, so that nothing is written to a foreign file.
  int generation = 0;
  const TEtatFichierBase etat = Examine(fichier_, generation);
  if (etat != TEtatFichierBase::Sain) {
    NoteEtatFichier(etat);
    return false;
  }
  // Read-only: a file that a program may be writing is read under SQLite's locks, beside that
  // writer, by a connection held to reading; a file nobody may write is read immutable (nothing
  // created beside it) unless a journal left by a crash must be read.
  const bool partage = lectureSeule_ && PeutEtreEcrit(fichier_);
  const int drapeaux = lectureSeule_ && !partage ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
  const bool immuable = lectureSeule_ && !partage && !FichierExiste(fichier_ + "-wal");
  if (!OuvreConnexion(drapeaux, immuable)) return false;
  generation_ = generation;
  // 32 MB of page cache: look-ups in a large genealogy stay in memory. Normal locking in WAL
  // mode: readers never block one another nor the writer, and a writer waits (bounded) for the
  // other's transaction; writers of a folder are kept one at a time above the engine, by the
  // folder's lock.
  std::string pragmas = "PRAGMA synchronous=FULL; PRAGMA cache_size=-32768;";
  if (partage) pragmas += "PRAGMA query_only=1;";
  if (!lectureSeule_) pragmas += "PRAGMA journal_mode=WAL;";
  if (!ExecuteSql(pragmas)) {
    Close();
    return false;
  }
  return true;
}

void TACRDatabase::Close() {
  if (!connexion_) return;
  connexion_.reset();
  generation_ = 0;
}

bool TACRDatabase::ExecuteSql(const std::string& sql) {
  if (!connexion_) {
    NoteErreur("Base de données non connectée");
    return false;
  }
  char* message = nullptr;
  sqlite3* c = connexion_->Brut();
  if (sqlite3_exec(c, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
    codeErreur_ = ErreurDeConnexion(c);
    const char* texte = TexteErreurMoteur(codeErreur_);
    derniereErreur_ = *texte ? std::string(texte) : std::string("Erreur SQL : ") + (message ? message : "?");
    sqlite3_free(message);
    return false;
  }
  return true;
}

std::vector<std::string> TACRDatabase::GetTableNames() const {
  std::vector<std::string> noms;
  TInstruction s(ConnexionDe(*this),
                 "SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE '\\_acr\\_%' "
                 "ESCAPE '\\' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY name");
  while (s.Etape() == SQLITE_ROW) noms.push_back(s.Colonne(0).VersTexte());
  return noms;
}

bool TACRDatabase::StartTransaction() {
  if (InTransaction()) {
    NoteErreur("Une transaction est déjà ouverte");
    return false;
  }
  return ExecuteSql("BEGIN IMMEDIATE");
}

bool TACRDatabase::Commit() { return InTransaction() && ExecuteSql("COMMIT"); }

bool TACRDatabase::Rollback() { return InTransaction() && ExecuteSql("ROLLBACK"); }

bool TACRDatabase::InTransaction() const {
  return connexion_ && sqlite3_get_autocommit(connexion_->Brut()) == 0;
}

bool TACRDatabase::Compact() {
  if (InTransaction()) {
    NoteErreur("Compactage impossible pendant une transaction");
    return false;
  }
  return ExecuteSql("VACUUM") && ExecuteSql("PRAGMA wal_checkpoint(TRUNCATE)");
}

std::string TACRDatabase::VerifieIntegrite() const {
  TInstruction s(ConnexionDe(*this), "PRAGMA integrity_check(20)");
  std::string resultat;
  int etat = 0;
  while ((etat = s.Etape()) == SQLITE_ROW) {
    if (!resultat.empty()) resultat += "\n";
    resultat += s.Colonne(0).VersTexte();
  }
  if (etat != SQLITE_DONE && resultat.empty()) {
    const char* texte = TexteErreurMoteur(ErreurDeSqlite(etat));
    resultat = *texte ? texte : sqlite3_errstr(etat);
  }
  return resultat;
}

bool TACRDatabase::LitDefinitions(const std::string& table, TACRFieldDefs& champs,
                                  TACRIndexDefs& index) const {
  champs.clear();
  index.clear();
  // Kept by the connection: a genealogy's opening reads the definitions of every table.
  TInstruction c = TInstruction::Empruntee(*this,
                 "SELECT nom, type, taille, requis FROM _acr_champs WHERE table_nom=? "
                 "ORDER BY position");
  TInstruction i = TInstruction::Empruntee(*this,
                 "SELECT nom, champs, options FROM _acr_index WHERE table_nom=? ORDER BY rowid");
  if (!c.Valide() || !i.Valide()) {
    NoteErreurSqlite("Lecture du catalogue");
    return false;
  }
  c.Lie(1, TValeur::DeTexte(table));
  while (c.Etape() == SQLITE_ROW) {
    const int type = static_cast<int>(c.Colonne(1).VersEntier());
    if (!TypeChampValide(type)) continue;  // a damaged catalogue row is skipped
    champs.push_back({c.Colonne(0).VersTexte(), static_cast<TTypeChamp>(type),
                      static_cast<int>(c.Colonne(2).VersEntier()), c.Colonne(3).VersEntier() != 0});
  }
  i.Lie(1, TValeur::DeTexte(table));
  while (i.Etape() == SQLITE_ROW)
    index.push_back({i.Colonne(0).VersTexte(), SepareChamps(i.Colonne(1).VersTexte()),
                     static_cast<int>(i.Colonne(2).VersEntier())});
  return !champs.empty();
}

bool TACRDatabase::SupprimeDefinitions(const std::string& table) {
  TInstruction c(ConnexionDe(*this), "DELETE FROM _acr_champs WHERE table_nom=?");
  TInstruction i(ConnexionDe(*this), "DELETE FROM _acr_index WHERE table_nom=?");
  c.Lie(1, TValeur::DeTexte(table));
  i.Lie(1, TValeur::DeTexte(table));
  if (c.Etape() != SQLITE_DONE || i.Etape() != SQLITE_DONE) {
    NoteErreurSqlite("Écriture du catalogue");
    return false;
  }
  return true;
}

bool TACRDatabase::EcritDefinitions(const std::string& table, const TACRFieldDefs& champs,
                                    const TACRIndexDefs& index) {
  if (!SupprimeDefinitions(table)) return false;
  TInstruction c(ConnexionDe(*this), "INSERT INTO _acr_champs VALUES(?,?,?,?,?,?)");
  for (size_t p = 0; p < champs.size(); ++p) {
    c.Reinitialise();
    c.Lie(1, TValeur::DeTexte(table));
    c.Lie(2, TValeur::DeEntier(static_cast<int64_t>(p)));
    c.Lie(3, TValeur::DeTexte(champs[p].nom));
    c.Lie(4, TValeur::DeEntier(static_cast<int>(champs[p].type)));
    c.Lie(5, TValeur::DeEntier(champs[p].taille));
    c.Lie(6, TValeur::DeEntier(champs[p].requis ? 1 : 0));
    if (c.Etape() != SQLITE_DONE) {
      NoteErreurSqlite("Écriture du catalogue");
      return false;
    }
  }
  TInstruction i(ConnexionDe(*this), "INSERT INTO _acr_index VALUES(?,?,?,?)");
  for (const auto& d : index) {
    i.Reinitialise();
    i.Lie(1, TValeur::DeTexte(table));
    i.Lie(2, TValeur::DeTexte(d.nom));
    i.Lie(3, TValeur::DeTexte(JoinChamps(d.champs)));
    i.Lie(4, TValeur::DeEntier(d.options));
    if (i.Etape() != SQLITE_DONE) {
      NoteErreurSqlite("Écriture du catalogue");
      return false;
    }
  }
  return true;
}

TACRTransaction::TACRTransaction(TACRDatabase& base) : base_(base) {
  active_ = !base_.InTransaction() && base_.StartTransaction();
}

TACRTransaction::~TACRTransaction() {
  if (active_) (void)base_.Rollback();
}

bool TACRTransaction::Commit() {
  if (!active_) return false;
  active_ = false;
  return base_.Commit();
}

}  // namespace kyb
