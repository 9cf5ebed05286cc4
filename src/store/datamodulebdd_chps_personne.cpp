// A person's record card in the store: loading every event and simple field of a person (main
// thread on cursors of its own, workers through private queries), writing them back in one
// transaction, hiding them, and the shared events that reach a person as a cited person.
#include <algorithm>

#include "platform/thread_nom.h"
#include "store/datamodulebdd_evenements_interne.h"

namespace kyb {

bool TEvenementsBDD::LitChpsPersonne(TChpsPersonne& p, bool viaRequetes, std::vector<TCorrectionRang>* corrections) {
  const long n = p.NoPers;
  if (viaRequetes) {
    // Private queries bound to the same database: the shared cursors and the unit's cached
    // limits are never touched.
    const TBornes bornes = BornesPrivees();
    for (const bool coteB : {false, true}) {
      TRequeteEven q(*base_, coteB ? "Select * From Evenements Where NoPersB = :noPersB;"
                                   : "Select * From Evenements Where NoPersA = :noPersA;");
      q.requete.SetParamInteger(coteB ? "noPersB" : "noPersA", n);
      if (!q.requete.Open() || !LitLignesPersonne(q, p, coteB, &bornes)) return false;
    }
    return true;
  }
  for (const bool coteB : {false, true}) {
    std::unique_ptr<TRequeteEven>& q = coteB ? chargeB_ : chargeA_;
    if (!q)
      q = std::make_unique<TRequeteEven>(*base_, coteB ? "SELECT * FROM Evenements WHERE NoPersB = :n ORDER BY RANG_B, ID"
                                                       : "SELECT * FROM Evenements WHERE NoPersA = :n ORDER BY RANG_A, ID");
    q->requete.SetParamInteger("n", n);
    if (!q->requete.Open() || !LitLignesPersonne(*q, p, coteB, nullptr, corrections)) return false;
    q->requete.Close();
  }
  return true;
}

bool TEvenementsBDD::LitLignesPersonne(TRequeteEven& q, TChpsPersonne& p, bool coteB, const TBornes* bornes,
                                       std::vector<TCorrectionRang>* corrections) {
  const long n = p.NoPers;
  // Rows come in rank order: each kind's ranks must run 1, 2, 3...; a gap, a repeat or a 0 is
  // noted, and the record takes its place in the run.
  int32_t attenduEven = 0, attenduChps = 0;
  const auto suit = [&](int32_t& attendu, int32_t id, int32_t& rang) {
    if (++attendu == rang || !corrections) return;
    corrections->push_back({id, coteB, attendu});
    rang = attendu;
  };
  for (; !q.requete.Eof(); q.requete.Next()) {
    const std::vector<int>& c = q.Colonnes();
    // Pass B: couple records of a spouse whose records are hidden stay hidden.
    const int32_t titulaire = q.requete.Fields(c[eNoPersA]).AsInteger();
    if (coteB && (titulaire == n || titulaire <= 0)) continue;
    if (q.requete.Fields(c[eType]).AsInteger() == 0) {
      TEvenement e(&module_);
      LitLigne(q.requete, c, e.Enreg);
      if (bornes) Borne(e.Enreg, *bornes);
      else BorneNumeros(e.Enreg);
      suit(attenduEven, e.Enreg.ID, coteB ? e.Enreg.RangB : e.Enreg.RangA);
      p.AddEvenInTV(e);
    } else {
      TChpsSimple s(&module_);
      LitLigne(q.requete, c, s.Enreg);
      if (!coteB) suit(attenduChps, s.Enreg.ID, s.Enreg.RangA);
      p.AddChpsSimpleInTV(s);
    }
  }
  return true;
}

void TEvenementsBDD::ChargerLienChpsOfPerson(TChpsPersonne& p) {
  p.Vide();
  if (p.NoPers < 1 || !base_->Connected()) return;
  if (!EstThreadPrincipal()) {
    ChargerLienChpsOfPersonThread(p);
    return;
  }
  std::vector<TCorrectionRang> corrections;
  if (!LitChpsPersonne(p, false, EstLectureSeule() ? nullptr : &corrections)) return;
  if (!corrections.empty()) (void)TermineRecompacter(corrections);
  AddEventPartager(p);
  p.EvenementsCharges = p.ChpsSimplesCharges = true;
}

void TEvenementsBDD::ChargerLienChpsOfPersonThread(TChpsPersonne& p) {
  p.Vide();
  if (p.NoPers < 1 || !base_->Connected()) return;
  if (!LitChpsPersonne(p, true)) return;
  AddEventPartager(p);
  p.EvenementsCharges = p.ChpsSimplesCharges = true;
}

void TEvenementsBDD::RechargerTableEvenementTV(TChpsPersonne& p) {
  std::vector<TChpsSimpleTV> chps = std::move(p.ChpsSimples);
  const bool chpsCharges = p.ChpsSimplesCharges;
  ChargerLienChpsOfPerson(p);
  p.ChpsSimples = std::move(chps);
  p.ChpsSimplesCharges = chpsCharges;
}

bool TEvenementsBDD::EstLibellePartage(const AnsiString& libelle) const {
  return std::find(libellesPartages_.begin(), libellesPartages_.end(), libelle) != libellesPartages_.end();
}

void TEvenementsBDD::AddEventPartager(TChpsPersonne& p) {
  if (libellesPartages_.empty()) return;
  static constexpr const char* kSql =
      "SELECT DISTINCT Eve.ID, Eve.LibelleChamps FROM PersAssociees AS Pa "
      "JOIN Evenements AS Eve ON Eve.ID = Pa.ID_EVEN "
      "WHERE Pa.LienPers_No = :n AND Eve.NoPersA > 0 AND Eve.Type = 0";
  std::vector<long> ids;
  // The main thread keeps its statement prepared; a worker prepares a private one.
  std::unique_ptr<TRequeteEven> prive;
  std::unique_ptr<TRequeteEven>& c = EstThreadPrincipal() ? chargePartages_ : prive;
  if (!c) c = std::make_unique<TRequeteEven>(*base_, kSql);
  TACRQuery& q = c->requete;
  q.SetParamInteger("n", p.NoPers);
  if (!q.Open()) return;
  for (; !q.Eof(); q.Next())
    if (EstLibellePartage(q.Fields(1).AsAnsiString())) ids.push_back(q.Fields(0).AsInteger());
  q.Close();
  for (const long id : ids) {
    if (p.GetRgEvenByID(id) >= 0) continue;
    TEvenement e(&module_);
    if (LectureEven(e, id)) p.AddEvenInTV(e, true);
  }
}

bool TEvenementsBDD::EnregistrerChpsOfPerson(TChpsPersonne& p, bool evenements, bool chpsSimples) {
  if (p.NoPers < 1 || EstLectureSeule() || !base_->Connected()) return false;
  // Everything or nothing: the vectors are restored when the transaction is rolled back.
  const std::vector<TEvenementTV> evensAvant = p.Evenements;
  const std::vector<TChpsSimpleTV> chpsAvant = p.ChpsSimples;
  const std::vector<int32_t> evensSupprAvant = p.EvensSupprimes, chpsSupprAvant = p.ChpsSupprimes;
  bool ok = true;
  {
    TACRTransaction transaction(*base_);
    const auto echec = [&] { ok = false; };
    if (evenements) {
      for (const int32_t id : p.EvensSupprimes)
        if (ok && (!SupprimeIDOfTableEven(id) || !SupprimeListes(id))) echec();
      int rangA = 0;
      for (size_t i = 0; ok && i < p.Evenements.size(); ++i) {
        TEvenement& e = p.Evenements[i].Even;
        e.SetBdd(&module_);
        if (!p.Partages[i]) {
          if (e.Enreg.NoPersA == 0) e.Enreg.NoPersA = static_cast<int32_t>(p.NoPers);
          if (e.Enreg.NoPersA == p.NoPers) e.Enreg.RangA = ++rangA;
          else if (e.Enreg.RangB < 1) e.Enreg.RangB = static_cast<int32_t>(GetNextRangEven(p.NoPers, 0, true));
        }
        if (!EcritEven(e.Enreg)) echec();
      }
    }
    if (chpsSimples && ok) {
      for (const int32_t id : p.ChpsSupprimes)
        if (ok && !SupprimeIDOfTableEven(id)) echec();
      int rangA = 0;
      for (size_t i = 0; ok && i < p.ChpsSimples.size(); ++i) {
        TChpsSimple::TEnreg& c = p.ChpsSimples[i].Chps.Enreg;
        p.ChpsSimples[i].Chps.SetBdd(&module_);
        if (c.NoPersA == 0) c.NoPersA = static_cast<int32_t>(p.NoPers);
        if (c.NoPersA == p.NoPers) c.RangA = ++rangA;
        if (!EcritChpsSimple(c)) echec();
      }
    }
    if (ok && transaction.Active() && !transaction.Commit()) ok = false;
  }
  if (!ok) {
    p.Evenements = evensAvant;
    p.ChpsSimples = chpsAvant;
    p.EvensSupprimes = evensSupprAvant;
    p.ChpsSupprimes = chpsSupprAvant;
    BDDError("Evenements", "EnregistrerChpsOfPerson " + std::to_string(p.NoPers) + " : " + base_->DerniereErreur());
    return false;
  }
  if (evenements) p.EvensSupprimes.clear();
  if (chpsSimples) p.ChpsSupprimes.clear();
  p.Trie();
  coeur_.UpdateDateModifGenea();
  return true;
}

bool TEvenementsBDD::MasquerChpsOfPerson(long noPers, bool restaurer) {
  if (EstLectureSeule() || !base_->Connected() || noPers < 1) return false;
  TACRQuery q(*base_, "UPDATE Evenements SET NoPersA = :nouveau WHERE NoPersA = :ancien");
  q.SetParamInteger("nouveau", restaurer ? noPers : -noPers);
  q.SetParamInteger("ancien", restaurer ? -noPers : noPers);
  return q.ExecSQL();
}

bool TEvenementsBDD::AddPersAsso(long idEven, long noPers, long qualite, long parente) {
  TEvenement e(&module_);
  if (!LectureEven(e, idEven)) return false;
  TPersAssociee pa;
  pa.Lien = static_cast<int32_t>(noPers);
  pa.Qualite = static_cast<int32_t>(qualite);
  pa.Parente = static_cast<int32_t>(parente);
  if (e.AjoutPersAssociee(pa) < 0) return false;
  TACRTransaction transaction(*base_);
  return EnregistrementPersAssociees(e.Enreg, false) && (!transaction.Active() || transaction.Commit());
}

}  // namespace kyb
