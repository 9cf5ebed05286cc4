// Places of the places value table kept in the store's Lieux table: one place read or written,
// the walk that loads them, look-ups of typed beginnings on the key column Chn4, and the rewrite
// of the whole table.
#include "store/datamodulebdd_lieux_interne.h"

namespace kyb {
namespace {

constexpr const char* kColonnesLieu = "SELECT ID, FicheSupprimee, Chn1, Chn2, Chn3, Chn4 FROM Lieux ";

TLieuBDD LitLieu(TACRQuery& q) {
  TLieuBDD lieu;
  lieu.FicheSupprimee = static_cast<char>(q.Fields(1).AsInteger());
  lieu.Chn1 = q.Fields(2).AsUnicodeString();
  lieu.Chn2 = q.Fields(3).AsUnicodeString();
  lieu.Chn3 = q.Fields(4).AsUnicodeString();
  lieu.Chn4 = q.Fields(5).AsUnicodeString();
  return lieu;
}

// The first text after every text beginning with debut: debut followed by the highest unit.
UnicodeString FinPlage(const UnicodeString& debut) { return debut + u'\uFFFF'; }

void Rouvre(TACRTable& t) {
  t.Close();
  (void)t.Open();
}

}  // namespace

bool TLieuxBDD::ReadPlace(long id, TLieuBDD& lieu) {
  TACRTable* t = Table("Lieux");
  if (!t || !t->SetIndexName("ParID") || !t->FindKey({Cle(id)})) return false;
  lieu.FicheSupprimee = static_cast<char>(t->FieldByName("FicheSupprimee").AsInteger());
  lieu.Chn1 = t->FieldByName("Chn1").AsUnicodeString();
  lieu.Chn2 = t->FieldByName("Chn2").AsUnicodeString();
  lieu.Chn3 = t->FieldByName("Chn3").AsUnicodeString();
  lieu.Chn4 = t->FieldByName("Chn4").AsUnicodeString();
  return true;
}

bool TLieuxBDD::WritePlace(long id, const TLieuBDD& lieu) {
  TACRTable* t = Table("Lieux");
  if (!t || EstLectureSeule() || id < 0) return false;
  (void)t->SetIndexName("ParID");
  if (t->FindKey({Cle(id)})) EditInTable(*t);
  else InsertInTable(*t);
  t->FieldByName("ID").SetInteger(id);
  t->FieldByName("FicheSupprimee").SetInteger(static_cast<unsigned char>(lieu.FicheSupprimee));
  t->FieldByName("Chn1").SetUnicodeString(lieu.Chn1);
  t->FieldByName("Chn2").SetUnicodeString(lieu.Chn2);
  t->FieldByName("Chn3").SetUnicodeString(lieu.Chn3);
  t->FieldByName("Chn4").SetUnicodeString(lieu.Chn4);
  if (PostInTable(*t)) return true;
  Cancel(*t);
  return false;
}

long TLieuxBDD::GetNbLieux() {
  const std::vector<long> n = coeur_.ListeNombres("SELECT max(ID) FROM Lieux");
  return n.empty() ? 0 : n.front();
}

bool TLieuxBDD::ParcoursLieux(const std::function<void(long, const TLieuBDD&)>& action) {
  if (!Table("Lieux")) return false;
  TACRQuery q(*base_, std::string(kColonnesLieu) + "WHERE ID >= 1 ORDER BY ID");
  if (!q.Open()) return false;
  for (; !q.Eof(); q.Next()) action(static_cast<long>(q.Fields(0).AsInteger()), LitLieu(q));
  return true;
}

std::vector<std::pair<long, TLieuBDD>> TLieuxBDD::RechercheLieux(const UnicodeString& debutCle,
                                                                  int maximum, bool avecSupprimes) {
  std::vector<std::pair<long, TLieuBDD>> trouves;
  if (!Table("Lieux")) return trouves;
  std::string sql = std::string(kColonnesLieu) + "WHERE Chn4 >= :debut AND Chn4 < :fin AND ID >= 1";
  if (!avecSupprimes) sql += " AND FicheSupprimee <> 79";
  sql += " ORDER BY Chn4, ID";
  if (maximum > 0) sql += " LIMIT " + std::to_string(maximum);
  TACRQuery q(*base_, sql);
  q.SetParamUnicode("debut", debutCle);
  q.SetParamUnicode("fin", FinPlage(debutCle));
  if (!q.Open()) return trouves;
  for (; !q.Eof(); q.Next()) trouves.emplace_back(static_cast<long>(q.Fields(0).AsInteger()), LitLieu(q));
  return trouves;
}

long TLieuxBDD::ChercheLieu(const UnicodeString& cle) {
  if (!Table("Lieux")) return 0;
  TACRQuery q(*base_, "SELECT ID FROM Lieux WHERE Chn4 = :cle AND ID >= 1 AND FicheSupprimee <> 79 "
                      "ORDER BY ID LIMIT 1");
  q.SetParamUnicode("cle", cle);
  if (!q.Open() || q.Eof()) return 0;
  return static_cast<long>(q.Fields(0).AsInteger());
}

bool TLieuxBDD::RemplaceLieux(const std::vector<TLieuBDD>& lieux) {
  if (!Table("Lieux") || EstLectureSeule()) return false;
  TACRTransaction transaction(*base_);
  if (!transaction.Active()) return false;
  TACRQuery ecrit(*base_, "INSERT OR REPLACE INTO Lieux (ID, FicheSupprimee, Chn1, Chn2, Chn3, Chn4) "
                          "VALUES (:id, :etat, :c1, :c2, :c3, :c4)");
  for (size_t i = 0; i < lieux.size(); ++i) {
    const TLieuBDD& l = lieux[i];
    ecrit.SetParamInteger("id", static_cast<int64_t>(i + 1));
    ecrit.SetParamInteger("etat", static_cast<unsigned char>(l.FicheSupprimee));
    ecrit.SetParamUnicode("c1", l.Chn1);
    ecrit.SetParamUnicode("c2", l.Chn2);
    ecrit.SetParamUnicode("c3", l.Chn3);
    ecrit.SetParamUnicode("c4", l.Chn4);
    if (!ecrit.ExecSQL()) return false;
  }
  TACRQuery efface(*base_, "DELETE FROM Lieux WHERE ID > :n");
  efface.SetParamInteger("n", static_cast<int64_t>(lieux.size()));
  if (!efface.ExecSQL() || !transaction.Commit()) return false;
  // The table cursor may hold rows read before the rewrite.
  Rouvre(*Table("Lieux"));
  return true;
}

bool TLieuxBDD::AssureIndexLieux() {
  TACRTable* t = Table("Lieux");
  if (!t || EstLectureSeule()) return false;
  if (t->IndexExists("ParChn4")) return true;
  const bool ok = TACRTable(*base_, "Lieux").AddIndex({"ParChn4", {"Chn4"}, 0});
  Rouvre(*t);
  return ok;
}

}  // namespace kyb
