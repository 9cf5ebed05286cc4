// A person's record card in the store: loading every event and simple field of a person (main
// thread on cursors of its own, workers through private queries), writing them back in one
// transaction, hiding them, and the shared events that reach a person as a cited person.
#include <algorithm>

#include "platform/thread_nom.h"
#include "store/datamodulebdd.h"
#include "store/evenement_interne.h"

namespace kyb {
bool TModuleBDD::LitChpsPersonne(TChpsPersonne& p, bool viaRequetes) {
  const long n = p.NoPers;
  if (viaRequetes) {
    // Private queries bound to the same database: the shared cursors are never touched.
    for (const bool coteB : {false, true}) {
      TACRQuery q(*base_, coteB ? "Select * From Evenements Where NoPersB = :noPersB;"
                                : "Select * From Evenements Where NoPersA = :noPersA;");
      q.SetParamInteger(coteB ? "noPersB" : "noPersA", n);
      if (!q.Open()) return false;
      for (; !q.Eof(); q.Next()) {
        // Pass B: couple records of a spouse whose records are hidden stay hidden.
        if (coteB && (q.FieldByName("NoPersA").AsInteger() == n || q.FieldByName("NoPersA").AsInteger() <= 0)) continue;
        if (q.FieldByName("Type").AsInteger() == 0) {
          // Numbers beyond their tables are checked on the main thread only (the place count
          // is a cache of the module).
          TEvenement e(this);
          LitLigneEven(q, e.Enreg);
          p.AddEvenInTV(e);
        } else {
          TChpsSimple s(this);
          LitLigneChps(q, s.Enreg);
          p.AddChpsSimpleInTV(s);
        }
      }
    }
    return true;
  }
  for (const bool coteB : {false, true}) {
    std::shared_ptr<TChargeurChps>& q = coteB ? chargeB_ : chargeA_;
    if (!q)
      q = std::make_shared<TChargeurChps>(*base_, coteB ? "SELECT * FROM Evenements WHERE NoPersB = :n ORDER BY RANG_B, ID"
                                                        : "SELECT * FROM Evenements WHERE NoPersA = :n ORDER BY RANG_A, ID");
    q->requete.SetParamInteger("n", n);
    if (!q->requete.Open()) return false;
    for (; !q->requete.Eof(); q->requete.Next()) {
      if (coteB && (q->FieldByName("NoPersA").AsInteger() == n || q->FieldByName("NoPersA").AsInteger() <= 0))
        continue;
      if (q->FieldByName("Type").AsInteger() == 0) {
        TEvenement e(this);
        LitLigneEven(*q, e.Enreg);
        BorneNumeros(e.Enreg);
        p.AddEvenInTV(e);
      } else {
        TChpsSimple s(this);
        LitLigneChps(*q, s.Enreg);
        p.AddChpsSimpleInTV(s);
      }
    }
    q->requete.Close();
  }
  return true;
}

void TModuleBDD::ChargerLienChpsOfPerson(TChpsPersonne& p, int, bool) {
  p.Vide();
  if (p.NoPers < 1 || !base_->Connected()) return;
  if (!EstThreadPrincipal()) {
    ChargerLienChpsOfPersonThread(p);
    return;
  }
  if (!LitChpsPersonne(p, false)) return;
  AddEventPartager(p);
  p.EvenementsCharges = p.ChpsSimplesCharges = true;
}

void TModuleBDD::ChargerLienChpsOfPersonThread(TChpsPersonne& p) {
  p.Vide();
  if (p.NoPers < 1 || !base_->Connected()) return;
  if (!LitChpsPersonne(p, true)) return;
  AddEventPartager(p);
  p.EvenementsCharges = p.ChpsSimplesCharges = true;
}

void TModuleBDD::RechargerTableEvenementTV(TChpsPersonne& p) {
  std::vector<TChpsSimpleTV> chps = std::move(p.ChpsSimples);
  const bool chpsCharges = p.ChpsSimplesCharges;
  ChargerLienChpsOfPerson(p);
  p.ChpsSimples = std::move(chps);
  p.ChpsSimplesCharges = chpsCharges;
}

bool TModuleBDD::EstLibellePartage(const AnsiString& libelle) const {
  return std::find(libellesPartages_.begin(), libellesPartages_.end(), libelle) != libellesPartages_.end();
}

void TModuleBDD::AddEventPartager(TChpsPersonne& p) {
  if (libellesPartages_.empty()) return;
  static constexpr const char* kSql =
      "SELECT DISTINCT Eve.ID, Eve.LibelleChamps FROM PersAssociees AS Pa "
      "JOIN Evenements AS Eve ON Eve.ID = Pa.ID_EVEN "
      "WHERE Pa.LienPers_No = :n AND Eve.NoPersA > 0 AND Eve.Type = 0";
  std::vector<long> ids;
  // The main thread keeps its statement prepared; a worker prepares a private one.
  std::shared_ptr<TChargeurChps> prive;
  std::shared_ptr<TChargeurChps>& c = EstThreadPrincipal() ? chargePartages_ : prive;
  if (!c) c = std::make_shared<TChargeurChps>(*base_, kSql);
  TACRQuery& q = c->requete;
  q.SetParamInteger("n", p.NoPers);
  if (!q.Open()) return;
  for (; !q.Eof(); q.Next())
    if (EstLibellePartage(q.Fields(1).AsAnsiString())) ids.push_back(q.Fields(0).AsInteger());
  q.Close();
  for (const long id : ids) {
    if (p.GetRgEvenByID(id) >= 0) continue;
    TEvenement e(this);
    if (LectureEven(e, id)) p.AddEvenInTV(e, true);
  }
}

bool TModuleBDD::EnregistrerChpsOfPerson(TChpsPersonne& p, bool evenements, bool chpsSimples) {
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
        e.SetBdd(this);
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
        p.ChpsSimples[i].Chps.SetBdd(this);
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
  UpdateDateModifGenea();
  return true;
}

bool TModuleBDD::MasquerChpsOfPerson(long noPers, bool restaurer) {
  if (EstLectureSeule() || !base_->Connected() || noPers < 1) return false;
  TACRQuery q(*base_, "UPDATE Evenements SET NoPersA = :nouveau WHERE NoPersA = :ancien");
  q.SetParamInteger("nouveau", restaurer ? noPers : -noPers);
  q.SetParamInteger("ancien", restaurer ? -noPers : noPers);
  return q.ExecSQL();
}

bool TModuleBDD::AddPersAsso(long idEven, long noPers, long qualite, long parente) {
  TEvenement e(this);
  if (!LectureEven(e, idEven)) return false;
  TPersAssociee pa;
  pa.Lien = static_cast<int32_t>(noPers);
  pa.Qualite = static_cast<int32_t>(qualite);
  pa.Parente = static_cast<int32_t>(parente);
  if (e.AjoutPersAssociee(pa) < 0) return false;
  TACRTransaction transaction(*base_);
  return EnregistrementPersAssociees(e.Enreg) && (!transaction.Active() || transaction.Commit());
}

}  // namespace kyb
