#include "store/lecteur_proches.h"

#include <algorithm>
#include <string>
#include <unordered_map>

#include "engine/acr_query.h"
#include "store/datamodulebdd.h"
#include "store/lecteur_proches_interne.h"
#include "store/liens.h"

namespace kyb {
namespace {

// The columns of a person read, after its number: k.n, then these.
constexpr const char* kColonnesPersonne =
    "p.ID, p.FicheSupprimee, p.Sexe, p.Pere, p.Mere, p.NbConj, p.NbEnf, p.Data, "
    "i.NoPers, i.NoPersA, i.NoMersA, i.NoPersB, i.NoMersB, i.PerePrinc, i.MerePrinc";
enum : int { cNo, cID, cSupprime, cSexe, cPere, cMere, cNbConj, cNbEnf, cData, cLigne, cPereA, cMereA, cPereB, cMereB,
             cPerePrinc, cMerePrinc };

std::string SqlPersonnes(const std::string& numeros) {
  return "WITH k(n) AS (" + numeros + ") SELECT k.n, " + kColonnesPersonne +
         " FROM k LEFT JOIN Personnes p ON p.ID = k.n LEFT JOIN IDParents i ON i.NoPers = k.n";
}

std::string SqlLot() {
  std::string valeurs = "VALUES ";
  for (size_t i = 0; i < TLecteurProches::kLot; ++i) valeurs += (i ? ",(:n" : "(:n") + std::to_string(i) + ")";
  return SqlPersonnes(valeurs);
}

// The card's events as a person loads them (held as A; held as B when the holder is another
// positive number), then the events of other holders that cite the person.
constexpr const char* kSqlEvens =
    "SELECT ID, LibelleChamps, NoPersA, NoPersB, Acte, TypeCalend, Date, 0 FROM Evenements "
    "WHERE NoPersA = :n AND Type = 0 "
    "UNION ALL SELECT ID, LibelleChamps, NoPersA, NoPersB, Acte, TypeCalend, Date, 0 FROM Evenements "
    "WHERE NoPersB = :n AND NoPersA > 0 AND NoPersA <> :n AND Type = 0 "
    "UNION ALL SELECT DISTINCT e.ID, e.LibelleChamps, e.NoPersA, e.NoPersB, e.Acte, e.TypeCalend, e.Date, 1 "
    "FROM PersAssociees pa JOIN Evenements e ON e.ID = pa.ID_EVEN "
    "WHERE :c = 1 AND pa.LienPers_No = :n AND e.NoPersA > 0 AND e.NoPersA <> :n AND e.Type = 0";

char Sexe(int64_t code) { return code == 'M' || code == 'F' ? static_cast<char>(code) : '?'; }

// The links of the Data blob: NbConj spouse records, then NbEnf child records (9 bytes each);
// counts beyond the blob or the 150 slots are cut, as the person row reader does.
void LitLiens(const std::string& data, int nbConj, int nbEnf, TProcheLu& p) {
  const int disponibles = static_cast<int>(data.size() / TLienConj::kTailleDisque);
  nbConj = std::clamp(nbConj, 0, std::min(kMaxConjoints, disponibles));
  nbEnf = std::clamp(nbEnf, 0, std::min(kMaxEnfants, disponibles - nbConj));
  const auto* octets = reinterpret_cast<const unsigned char*>(data.data());
  TLienConj c;
  for (int i = 0; i < nbConj + nbEnf; ++i) {
    c.Lit(octets + static_cast<size_t>(i) * TLienConj::kTailleDisque);
    (i < nbConj ? p.Conjoints : p.Enfants).push_back(c.Lien.No);
  }
}

void LitLigne(TACRQuery& q, TProcheLu& p) {
  p = TProcheLu();
  if (!q.Fields(cID).IsNull()) {
    p.FicheSupprimee = static_cast<char>(q.Fields(cSupprime).AsInteger());
    p.Sexe = Sexe(q.Fields(cSexe).AsInteger());
    p.Pere = q.Fields(cPere).AsInteger();
    p.Mere = q.Fields(cMere).AsInteger();
    LitLiens(q.Fields(cData).AsBlob(), q.Fields(cNbConj).AsInteger(), q.Fields(cNbEnf).AsInteger(), p);
  }
  p.LigneParents = !q.Fields(cLigne).IsNull();
  if (p.LigneParents)
    p.Parents = {q.Fields(cPereA).AsInteger(), q.Fields(cMereA).AsInteger(), q.Fields(cPereB).AsInteger(),
                 q.Fields(cMereB).AsInteger(), static_cast<int8_t>(q.Fields(cPerePrinc).AsInteger()),
                 static_cast<int8_t>(q.Fields(cMerePrinc).AsInteger())};
}

// 1-based position of the last slot holding n, 0 for 0 or a non-spouse (a card's spouse rank).
int RangConjoint(const std::vector<int32_t>& conjoints, long n) {
  if (n == 0) return 0;
  for (size_t i = conjoints.size(); i > 0; --i)
    if (conjoints[i - 1] == n) return static_cast<int>(i);
  return 0;
}

}  // namespace

int32_t TProcheLu::PereAffiche() const {
  if (!LigneParents) return Pere;
  return Parents.PerePrinc == 2 ? Parents.PereB : Parents.PereA;
}

int32_t TProcheLu::MereAffiche() const {
  if (!LigneParents) return Mere;
  return Parents.MerePrinc == 2 ? Parents.MereB : Parents.MereA;
}

std::pair<int32_t, int32_t> TProcheLu::PaireA() const {
  if (!LigneParents) return {std::max(Pere, 0), std::max(Mere, 0)};
  return {std::max(Parents.PereA, 0), std::max(Parents.MereA, 0)};
}

std::pair<int32_t, int32_t> TProcheLu::PaireB() const {
  if (!LigneParents) return {0, 0};
  return {std::max(Parents.PereB, 0), std::max(Parents.MereB, 0)};
}

TLecteurProches::TLecteurProches(TACRDatabase& base) : base_(base) {}

TLecteurProches::~TLecteurProches() = default;

void TLecteurProches::Oublie() {
  personne_.reset();
  lot_.reset();
  evens_.reset();
  debut_.reset();
  fin_.reset();
}

bool TLecteurProches::Debute() {
  if (base_.InTransaction()) return false;
  if (!debut_) debut_ = std::make_unique<TACRQuery>(base_, "BEGIN");
  return debut_->ExecSQL();
}

void TLecteurProches::Termine() {
  if (!base_.InTransaction()) return;
  if (!fin_) fin_ = std::make_unique<TACRQuery>(base_, "COMMIT");
  (void)fin_->ExecSQL();
}

bool TLecteurProches::Lit(long no, TProcheLu& p) {
  p = TProcheLu();
  if (!personne_) personne_ = std::make_unique<TACRQuery>(base_, SqlPersonnes("SELECT :n"));
  TACRQuery& q = *personne_;
  q.SetParamInteger("n", no);
  if (!q.Open()) return false;
  if (!q.Eof()) LitLigne(q, p);
  q.Close();
  return true;
}

bool TLecteurProches::LitLot(const std::vector<long>& nos, std::vector<TProcheLu>& sortie) {
  sortie.assign(nos.size(), TProcheLu());
  if (!lot_) lot_ = std::make_unique<TACRQuery>(base_, SqlLot());
  TACRQuery& q = *lot_;
  std::unordered_map<long, TProcheLu> lus;
  for (size_t debut = 0; debut < nos.size(); debut += kLot) {
    // Unused places ask for -1, which no person has.
    for (size_t i = 0; i < kLot; ++i)
      q.SetParamInteger("n" + std::to_string(i), debut + i < nos.size() ? nos[debut + i] : -1);
    if (!q.Open()) {
      sortie.assign(nos.size(), TProcheLu());
      return false;
    }
    for (; !q.Eof(); q.Next()) LitLigne(q, lus[q.Fields(cNo).AsInteger()]);
    q.Close();
  }
  for (size_t i = 0; i < nos.size(); ++i)
    if (const auto it = lus.find(nos[i]); it != lus.end()) sortie[i] = it->second;
  return true;
}

bool TLecteurProches::LitEvenements(long no, const std::vector<int32_t>& conjoints, bool citations,
                                    std::vector<TEvenProche>& evens) {
  evens.clear();
  if (!evens_) evens_ = std::make_unique<TACRQuery>(base_, kSqlEvens);
  TACRQuery& q = *evens_;
  q.SetParamInteger("n", no);
  q.SetParamInteger("c", citations ? 1 : 0);
  if (!q.Open()) return false;
  for (; !q.Eof(); q.Next()) {
    TEvenProche e;
    e.Date.SetActe(Rogne(q.Fields(4).AsAnsiString()));
    const AnsiString calendrier = q.Fields(5).AsAnsiString();
    e.Date.SetCalendrier(calendrier.empty() ? 0 : calendrier[0]);
    e.Date.SetDate(q.Fields(6).AsAnsiString());
    if (e.Date.DateVide()) continue;
    e.ID = q.Fields(0).AsInteger();
    e.Libelle = q.Fields(1).AsAnsiString();
    e.NoPersA = q.Fields(2).AsInteger();
    e.NoPersB = q.Fields(3).AsInteger();
    e.Cite = q.Fields(7).AsInteger() != 0;
    evens.push_back(std::move(e));
  }
  q.Close();
  const auto cites = std::stable_partition(evens.begin(), evens.end(), [](const TEvenProche& e) { return !e.Cite; });
  const auto conjoint = [no](const TEvenProche& e) -> long {
    return e.NoPersA == no ? e.NoPersB : e.NoPersB == no ? e.NoPersA : 0;
  };
  std::sort(evens.begin(), cites, [&](const TEvenProche& a, const TEvenProche& b) {
    if (const int c = a.Libelle.compare(b.Libelle); c != 0) return c < 0;
    const int ra = RangConjoint(conjoints, conjoint(a)), rb = RangConjoint(conjoints, conjoint(b));
    if (ra != rb) return ra < rb;
    return a.ID < b.ID;
  });
  return true;
}

TLecteurProches& TModuleBDD::LecteurProches() {
  if (!proches_) proches_ = std::make_unique<TUniteProches>(*coeur_);
  return proches_->Lecteur;
}

}  // namespace kyb
