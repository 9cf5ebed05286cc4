#include "store/parcours_ordonnes.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "engine/acr_database.h"
#include "engine/acr_query.h"
#include "platform/caracteres.h"
#include "store/datamodulebdd.h"
#include "store/enreg_public.h"
#include "store/evenement_interne.h"

namespace kyb {
namespace {

char Sexe(int64_t code) { return code == 'M' || code == 'F' ? static_cast<char>(code) : '?'; }

// Steps a walk's query: opened at the first call, moved on at the others; false at the end.
bool Avance(TACRQuery& q, bool& ouverte) {
  if (!ouverte) {
    ouverte = true;
    if (!q.Open()) return false;
  } else {
    q.Next();
  }
  return !q.Eof();
}

// The current row of a walk's query, its columns read straight from the statement (the record
// readers ask each column once).
struct TLigneDirecte {
  const TACRQuery& q;
  [[nodiscard]] TColonneLue Fields(int position) const { return q.Colonne(position); }
};

// Personnes.Data: NbConj spouse-link records of 9 bytes, then NbEnf child records of the same
// size; counts beyond the blob or the slots of a person record are cut.
void LitLiens(std::string_view data, int64_t nbConj, int64_t nbEnf, TLiensParcourus& p) {
  p.conjoints.clear();
  p.enfants.clear();
  const auto disponibles = static_cast<int64_t>(data.size() / TLienConj::kTailleDisque);
  nbConj = std::clamp<int64_t>(nbConj, 0, std::min<int64_t>(kMaxConjoints, disponibles));
  nbEnf = std::clamp<int64_t>(nbEnf, 0, std::min<int64_t>(kMaxEnfants, disponibles - nbConj));
  const auto* octets = reinterpret_cast<const unsigned char*>(data.data());
  for (int64_t i = 0; i < nbConj + nbEnf; ++i) {
    TLienConj c;
    c.Lit(octets + i * static_cast<int64_t>(TLienConj::kTailleDisque));
    if (c.Lien.No > 0) (i < nbConj ? p.conjoints : p.enfants).push_back(c.Lien.No);
  }
}

// The columns of kColonnesEven, selected in that order.
std::string ColonnesEven() {
  std::string s;
  for (const char* c : kColonnesEven) s += (s.empty() ? "" : ", ") + std::string(c);
  return s;
}

const std::vector<int>& PositionsEven() {
  static const std::vector<int> positions = [] {
    std::vector<int> p(std::size(kColonnesEven));
    for (size_t i = 0; i < p.size(); ++i) p[i] = static_cast<int>(i);
    return p;
  }();
  return positions;
}

}  // namespace

TParcoursLiensPersonnes::TParcoursLiensPersonnes(TModuleBDD& bdd)
    : requete_(std::make_unique<TACRQuery>(
          bdd.Database(), "SELECT ID, Sexe, FicheSupprimee, Pere, Mere, Data, NbConj, NbEnf FROM Personnes ORDER BY ID")) {}

TParcoursLiensPersonnes::~TParcoursLiensPersonnes() = default;

bool TParcoursLiensPersonnes::Suivante(TLiensParcourus& p) {
  TACRQuery& q = *requete_;
  if (!Avance(q, ouverte_)) return false;
  p.no = q.Colonne(0).AsInteger();
  p.sexe = Sexe(q.Colonne(1).AsInteger());
  p.supprimee = q.Colonne(2).AsInteger() == 'O';
  p.pere = q.Colonne(3).AsInteger();
  p.mere = q.Colonne(4).AsInteger();
  LitLiens(q.Colonne(5).Octets(), q.Colonne(6).AsInteger(), q.Colonne(7).AsInteger(), p);
  return true;
}

TParcoursIdentites::TParcoursIdentites(TModuleBDD& bdd)
    : requete_(std::make_unique<TACRQuery>(
          bdd.Database(), "SELECT ID, Sexe, TypePersonne, FicheSupprimee, Nom, Prenoms, Note FROM Personnes ORDER BY ID")) {}

TParcoursIdentites::~TParcoursIdentites() = default;

bool TParcoursIdentites::Suivante(TIdentiteParcourue& p) {
  TACRQuery& q = *requete_;
  if (!Avance(q, ouverte_)) return false;
  p.no = q.Colonne(0).AsInteger();
  p.sexe = Sexe(q.Colonne(1).AsInteger());
  p.typePersonne = static_cast<char>(q.Colonne(2).AsInteger());
  p.supprimee = q.Colonne(3).AsInteger() == 'O';
  p.nom = PremiersCaracteres(q.Colonne(4).AsUnicodeString(), kLongueurNom);
  p.prenoms = PremiersCaracteres(q.Colonne(5).AsUnicodeString(), kLongueurPrenoms);
  p.note = q.Colonne(6).AsInteger();
  return true;
}

void TBornesFiches::Borne(TEvenement::TEnreg& e) {
  // The places count is read again only when a number goes beyond the one known.
  if (e.Lieu > maxLieux_) maxLieux_ = bdd_.TableLieuxExist() ? bdd_.GetNbLieux() : -1;
  if (e.Lieu < 0 || (maxLieux_ >= 0 && e.Lieu > maxLieux_)) e.Lieu = 0;
  if (e.Note < 0 || (maxNotes_ >= 0 && e.Note > maxNotes_)) e.Note = 0;
}

TParcoursFichesParPorteur::TParcoursFichesParPorteur(TModuleBDD& bdd, long maxNotes)
    : bdd_(bdd),
      requete_(std::make_unique<TACRQuery>(bdd.Database(), "SELECT " + ColonnesEven() +
                                                               " FROM Evenements WHERE NoPersA > 0 ORDER BY NoPersA, RANG_A, ID")),
      bornes_(bdd, maxNotes) {}

TParcoursFichesParPorteur::~TParcoursFichesParPorteur() = default;

bool TParcoursFichesParPorteur::Suivante(TEvenement& even, TChpsSimple& chps, bool& estEven) {
  TACRQuery& q = *requete_;
  if (!Avance(q, ouverte_)) return false;
  TLigneDirecte ligne{q};
  estEven = q.Colonne(static_cast<int>(eType)).AsInteger() == 0;
  if (estEven) {
    even.SetBdd(&bdd_);
    LitLigne(ligne, PositionsEven(), even.Enreg);
    bornes_.Borne(even.Enreg);
  } else {
    chps.SetBdd(&bdd_);
    LitLigne(ligne, PositionsEven(), chps.Enreg);
  }
  return true;
}

namespace {

// Runs a statement that needs no result; false when it fails.
bool Execute(TModuleBDD& bdd, const std::string& sql) { return TACRQuery(bdd.Database(), sql).ExecSQL(); }

}  // namespace

TLectureDeParcours::TLectureDeParcours(TModuleBDD& bdd) : bdd_(bdd) {
  // A deferred transaction: it takes no write lock, only the read lock of its first read.
  transaction_ = !bdd.Database().InTransaction() && Execute(bdd, "BEGIN");
  TACRQuery q(bdd.Database(), "PRAGMA cache_size");
  if (!q.Open() || q.Eof()) return;
  cacheAvant_ = static_cast<long>(q.Fields(0).AsInteger());
  if (cacheAvant_ != 0 && !Execute(bdd, "PRAGMA cache_size=-" + std::to_string(kCacheKio))) cacheAvant_ = 0;
}

TLectureDeParcours::~TLectureDeParcours() {
  if (transaction_ && bdd_.Database().InTransaction()) (void)Execute(bdd_, "COMMIT");
  if (cacheAvant_ != 0) (void)Execute(bdd_, "PRAGMA cache_size=" + std::to_string(cacheAvant_));
}

TLecteurFiches::TLecteurFiches(TModuleBDD& bdd, long maxNotes)
    : bdd_(bdd),
      requete_(std::make_unique<TACRQuery>(bdd.Database(), "SELECT " + ColonnesEven() + " FROM Evenements WHERE ID = :id")),
      bornes_(bdd, maxNotes) {
  std::string liste;
  for (size_t i = 0; i < kLot; ++i) liste += (i ? ", :i" : ":i") + std::to_string(i);
  lot_ = std::make_unique<TACRQuery>(bdd.Database(), "SELECT " + ColonnesEven() + " FROM Evenements WHERE ID IN (" + liste + ")");
}

TLecteurFiches::~TLecteurFiches() = default;

void TLecteurFiches::Lit(TACRQuery& q, TFicheLue& f) {
  TLigneDirecte ligne{q};
  f.estEven = q.Colonne(static_cast<int>(eType)).AsInteger() == 0;
  if (f.estEven) {
    LitLigne(ligne, PositionsEven(), f.even);
    bornes_.Borne(f.even);
  } else {
    LitLigne(ligne, PositionsEven(), f.chps);
  }
}

void TLecteurFiches::Charge(const int32_t* ids, size_t n) {
  lues_.clear();
  n = std::min(n, kLot);
  TACRQuery& q = *lot_;
  // The places left over name no record.
  for (size_t i = 0; i < kLot; ++i) q.SetParamInteger("i" + std::to_string(i), i < n ? ids[i] : -1);
  if (!q.Open()) return;
  for (; !q.Eof(); q.Next()) {
    auto& [id, fiche] = lues_.emplace_back();
    id = q.Colonne(static_cast<int>(eID)).AsInteger();
    Lit(q, fiche);
  }
  q.Close();
  std::sort(lues_.begin(), lues_.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
}

TLecteurFiches::TFicheLue* TLecteurFiches::Cherche(int32_t id, bool even) {
  const auto it = std::lower_bound(lues_.begin(), lues_.end(), id, [](const auto& l, int32_t v) { return l.first < v; });
  TFicheLue* f = nullptr;
  if (it != lues_.end() && it->first == id) {
    f = &it->second;
  } else {
    TACRQuery& q = *requete_;
    q.SetParamInteger("id", id);
    if (!q.Open() || q.Eof()) return nullptr;
    Lit(q, seule_);
    q.Close();
    f = &seule_;
  }
  return f->estEven == even ? f : nullptr;
}

bool TLecteurFiches::Evenement(int32_t id, TEvenement& even) {
  TFicheLue* f = Cherche(id, true);
  if (!f) return false;
  even.SetBdd(&bdd_);
  even.Enreg = f->even;
  return true;
}

bool TLecteurFiches::ChampSimple(int32_t id, TChpsSimple& chps) {
  TFicheLue* f = Cherche(id, false);
  if (!f) return false;
  chps.SetBdd(&bdd_);
  chps.Enreg = f->chps;
  return true;
}

}  // namespace kyb
