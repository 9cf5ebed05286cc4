// Ranks of a person's records in the store: RANG_A orders the records a person holds (events and
// simple fields apart), RANG_B the couple events where it is the spouse. Each run goes 1, 2, 3...
// A record written alone is checked against the others (InfoRangValide); a card whose stored
// run has gaps, repeats or zeros is renumbered in its order when it is loaded.
#include "engine/acr_query.h"
#include "store/datamodulebdd_evenements_interne.h"

namespace kyb {

bool TEvenementsBDD::RangLibre(bool coteB, long noPers, int type, int32_t rang, int32_t id) {
  if (!base_->Connected()) return true;
  TACRQuery q(*base_, coteB ? "SELECT count(*) FROM Evenements WHERE NoPersB = :n AND type = :t AND RANG_B = :r AND ID <> :i"
                            : "SELECT count(*) FROM Evenements WHERE NoPersA = :n AND type = :t AND RANG_A = :r AND ID <> :i");
  q.SetParamInteger("n", noPers);
  q.SetParamInteger("t", type);
  q.SetParamInteger("r", rang);
  q.SetParamInteger("i", id);
  return !q.Open() || q.Fields(0).AsInteger() == 0;
}

bool TEvenementsBDD::TermineRecompacter(const std::vector<TCorrectionRang>& corrections) {
  if (EstLectureSeule() || !base_->Connected()) return false;
  TACRTransaction transaction(*base_);
  TACRQuery a(*base_, "UPDATE Evenements SET RANG_A = :r WHERE ID = :i");
  TACRQuery b(*base_, "UPDATE Evenements SET RANG_B = :r WHERE ID = :i");
  for (const TCorrectionRang& c : corrections) {
    TACRQuery& q = c.coteB ? b : a;
    q.SetParamInteger("r", c.rang);
    q.SetParamInteger("i", c.id);
    if (!q.ExecSQL()) return false;
  }
  return !transaction.Active() || transaction.Commit();
}

}  // namespace kyb
