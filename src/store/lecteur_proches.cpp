#include "store/lecteur_proches.h"

#include <algorithm>
#include <string>

#include "engine/acr_query.h"
#include "store/datamodulebdd.h"
#include "store/lecteur_proches_interne.h"
#include "store/liens.h"

namespace kyb {
namespace {

// The rows of the persons of a table k(n), then their alternative-parents rows, then the dated
// events they hold and that cite them: sorte, k.n, then
//   0: a person row read (ID, FicheSupprimee, Sexe, Pere, Mere, NbConj, NbEnf, Data; NULL without one),
//   3: its IDParents row (NoPers, NoPersA, NoMersA, NoPersB, NoMersB, PerePrinc, MerePrinc),
//   1 held, 2 cited: the event's ID, LibelleChamps, NoPersA, NoPersB, Acte, TypeCalend and Date.
// Few columns: each is copied out of every row. k is expanded in each part (never materialized
// into a temporary table), so it must be cheap.
enum : int { cSorte, cFiche, cFicheDonnees };
std::string SqlPersonnes(const std::string& k) {
  return "WITH " + k +
         " SELECT 0, k.n, p.ID, p.FicheSupprimee, p.Sexe, p.Pere, p.Mere, p.NbConj, p.NbEnf, p.Data"
         " FROM k LEFT JOIN Personnes p ON p.ID = k.n"
         " UNION ALL SELECT 3, k.n, i.NoPers, i.NoPersA, i.NoMersA, i.NoPersB, i.NoMersB, i.PerePrinc, i.MerePrinc, NULL"
         " FROM k CROSS JOIN IDParents i WHERE i.NoPers = k.n";
}

std::string SqlFiches(const std::string& k) {
  const std::string evens = "e.ID, e.LibelleChamps, e.NoPersA, e.NoPersB, e.Acte, e.TypeCalend, e.Date, NULL";
  return SqlPersonnes(k) +
         " UNION ALL SELECT 1, k.n, " + evens + " FROM k CROSS JOIN Evenements e WHERE e.NoPersA = k.n AND e.Type = 0"
         " UNION ALL SELECT 1, k.n, " + evens + " FROM k CROSS JOIN Evenements e"
         " WHERE e.NoPersB = k.n AND e.NoPersA > 0 AND e.NoPersA <> k.n AND e.Type = 0"
         " UNION ALL SELECT 2, k.n, " + evens + " FROM k CROSS JOIN PersAssociees pa CROSS JOIN Evenements e"
         " WHERE :c = 1 AND pa.LienPers_No = k.n AND e.ID = pa.ID_EVEN AND e.NoPersA > 0 AND e.NoPersA <> k.n"
         " AND e.Type = 0";
}

// The name of the parameter of the i-th number of a list.
std::string Parametre(size_t i) {
  std::string nom = "n";
  nom += std::to_string(i);
  return nom;
}

// The numbers :n0 .. :n(taille - 1), as constant rows (json_each or a materialized table would
// cost more than the reads of a few persons).
std::string SqlListe(size_t taille) {
  std::string k = "k(n) AS NOT MATERIALIZED (VALUES ";
  for (size_t i = 0; i < taille; ++i) {
    k += i ? ",(:" : "(:";
    k += Parametre(i);
    k += ')';
  }
  return k + ')';
}

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

// A person row's columns from c on: ID (NULL without a row), FicheSupprimee, Sexe, Pere, Mere,
// NbConj, NbEnf, Data.
void LitRangeePersonne(TACRQuery& q, int c, TProcheLu& p) {
  if (q.Fields(c).IsNull()) return;
  p.FicheSupprimee = static_cast<char>(q.Fields(c + 1).AsInteger());
  p.Sexe = Sexe(q.Fields(c + 2).AsInteger());
  p.Pere = q.Fields(c + 3).AsInteger();
  p.Mere = q.Fields(c + 4).AsInteger();
  LitLiens(q.Fields(c + 7).AsBlob(), q.Fields(c + 5).AsInteger(), q.Fields(c + 6).AsInteger(), p);
}

// An IDParents row's columns from c on: NoPers (NULL without a row), NoPersA, NoMersA, NoPersB,
// NoMersB, PerePrinc, MerePrinc.
void LitRangeeParents(TACRQuery& q, int c, TProcheLu& p) {
  p.LigneParents = !q.Fields(c).IsNull();
  if (p.LigneParents)
    p.Parents = {q.Fields(c + 1).AsInteger(), q.Fields(c + 2).AsInteger(), q.Fields(c + 3).AsInteger(),
                 q.Fields(c + 4).AsInteger(), static_cast<int8_t>(q.Fields(c + 5).AsInteger()),
                 static_cast<int8_t>(q.Fields(c + 6).AsInteger())};
}

// The rows of the persons of SqlPersonnes, by the place of each in k (from 0): the person rows
// come in the order of k.
template <typename TPlaces>
void LitPersonnes(TACRQuery& q, const std::vector<long>& nos, TPlaces&& place, TProcheLu* sortie) {
  size_t rang = 0;
  for (; !q.Eof(); q.Next()) {
    const long no = q.Fields(cFiche).AsInteger();
    if (q.Fields(cSorte).AsInteger() == 0) {
      const size_t i = rang < nos.size() && nos[rang] == no ? rang : place(no);
      ++rang;
      if (i < nos.size()) LitRangeePersonne(q, cFicheDonnees, sortie[i]);
      continue;
    }
    for (size_t i = 0; i < nos.size(); ++i)
      if (nos[i] == no) LitRangeeParents(q, cFicheDonnees, sortie[i]);
  }
}

// The dated event of the current row (columns from first on), false when undated.
bool LitEven(TACRQuery& q, int first, TEvenProche& e) {
  e.Date.SetActe(Rogne(q.Fields(first + 4).AsAnsiString()));
  const AnsiString calendrier = q.Fields(first + 5).AsAnsiString();
  e.Date.SetCalendrier(calendrier.empty() ? 0 : calendrier[0]);
  e.Date.SetDate(q.Fields(first + 6).AsAnsiString());
  if (e.Date.DateVide()) return false;
  e.ID = q.Fields(first).AsInteger();
  e.Libelle = q.Fields(first + 1).AsAnsiString();
  e.NoPersA = q.Fields(first + 2).AsInteger();
  e.NoPersB = q.Fields(first + 3).AsInteger();
  return true;
}

// 1-based position of the last slot holding n, 0 for 0 or a non-spouse (a card's spouse rank).
int RangConjoint(const std::vector<int32_t>& conjoints, long n) {
  if (n == 0) return 0;
  for (size_t i = conjoints.size(); i > 0; --i)
    if (conjoints[i - 1] == n) return static_cast<int>(i);
  return 0;
}

// The card's order of the person's events: those it holds by label, spouse rank and identifier,
// then the cited ones as they came.
void Ordonne(long no, const std::vector<int32_t>& conjoints, std::vector<TEvenProche>& evens) {
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
  for (auto& q : lots_) q.reset();
  for (auto& q : fiches_) q.reset();
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
  if (!personne_) personne_ = std::make_unique<TACRQuery>(base_, SqlPersonnes("k(n) AS NOT MATERIALIZED (SELECT :n)"));
  TACRQuery& q = *personne_;
  q.SetParamInteger("n", no);
  if (!q.Open()) return false;
  LitPersonnes(q, {no}, [](long) { return size_t{0}; }, &p);
  q.Close();
  return true;
}

bool TLecteurProches::LitLot(const std::vector<long>& nos, std::vector<TProcheLu>& sortie) {
  sortie.assign(nos.size(), TProcheLu());
  std::vector<long> lot;
  for (size_t debut = 0; debut < nos.size(); debut += kLot) {
    const size_t taille = std::min(kLot, nos.size() - debut);
    // A statement for 1, 2, 4 ... kLot numbers; its unused places ask for -1, which no person has.
    size_t rang = 0;
    while ((size_t{1} << rang) < taille) ++rang;
    const size_t places = size_t{1} << rang;
    std::unique_ptr<TACRQuery>& q = lots_[rang];
    if (!q) q = std::make_unique<TACRQuery>(base_, SqlPersonnes(SqlListe(places)));
    lot.assign(nos.begin() + static_cast<std::ptrdiff_t>(debut),
               nos.begin() + static_cast<std::ptrdiff_t>(debut + taille));
    for (size_t i = 0; i < places; ++i) q->SetParamInteger(Parametre(i), i < taille ? lot[i] : -1);
    if (!q->Open()) {
      sortie.assign(nos.size(), TProcheLu());
      return false;
    }
    const auto place = [&lot](long no) {
      return static_cast<size_t>(std::find(lot.begin(), lot.end(), no) - lot.begin());
    };
    LitPersonnes(*q, lot, place, sortie.data() + debut);
    // A number asked twice: both places hold its row.
    for (size_t i = 0; i < taille; ++i)
      if (const size_t j = place(lot[i]); j < i) sortie[debut + i] = sortie[debut + j];
    q->Close();
  }
  return true;
}

bool TLecteurProches::LitFichesDe(TACRQuery& q, bool citations, std::vector<TFicheProche>& sortie) {
  sortie.clear();
  q.SetParamInteger("c", citations ? 1 : 0);
  if (!q.Open()) return false;
  const auto fiche = [&sortie](long no) -> TFicheProche* {
    for (TFicheProche& f : sortie)
      if (f.No == no) return &f;
    return nullptr;
  };
  for (; !q.Eof(); q.Next()) {
    const long no = q.Fields(cFiche).AsInteger();
    const int sorte = q.Fields(cSorte).AsInteger();
    if (sorte == 0) {
      if (fiche(no)) continue;
      sortie.push_back({no, {}, {}});
      LitRangeePersonne(q, cFicheDonnees, sortie.back().Personne);
      continue;
    }
    TFicheProche* f = fiche(no);
    if (!f) continue;
    if (sorte == 3) {
      LitRangeeParents(q, cFicheDonnees, f->Personne);
      continue;
    }
    TEvenProche e;
    if (!LitEven(q, cFicheDonnees, e)) continue;
    e.Cite = sorte == 2;
    // A person named twice on one event is cited once.
    if (e.Cite && std::any_of(f->Evenements.begin(), f->Evenements.end(),
                              [&e](const TEvenProche& x) { return x.Cite && x.ID == e.ID; }))
      continue;
    f->Evenements.push_back(std::move(e));
  }
  q.Close();
  for (TFicheProche& f : sortie) Ordonne(f.No, f.Personne.Conjoints, f.Evenements);
  return true;
}

bool TLecteurProches::LitFiches(const std::vector<long>& nos, bool citations, std::vector<TFicheProche>& sortie) {
  sortie.clear();
  std::vector<long> uniques;
  for (const long no : nos)
    if (std::find(uniques.begin(), uniques.end(), no) == uniques.end()) uniques.push_back(no);
  std::vector<TFicheProche> lues;
  for (size_t debut = 0; debut < uniques.size(); debut += kLotFiches) {
    const size_t taille = std::min(kLotFiches, uniques.size() - debut);
    std::unique_ptr<TACRQuery>& q = fiches_[taille - 1];
    if (!q) q = std::make_unique<TACRQuery>(base_, SqlFiches(SqlListe(taille)));
    for (size_t i = 0; i < taille; ++i) q->SetParamInteger(Parametre(i), uniques[debut + i]);
    if (!LitFichesDe(*q, citations, lues)) {
      sortie.clear();
      return false;
    }
    // In the order asked, whatever the plan.
    for (size_t i = debut; i < debut + taille; ++i)
      for (TFicheProche& f : lues)
        if (f.No == uniques[i]) sortie.push_back(std::move(f));
  }
  return true;
}

TLecteurProches& TModuleBDD::LecteurProches() {
  if (!proches_) proches_ = std::make_unique<TUniteProches>(*coeur_);
  return proches_->Lecteur;
}

}  // namespace kyb
