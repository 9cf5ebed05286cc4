// Events and simple fields in the store: reading and writing one record, its three lists
// (PersAssociees, Sources, Illustrations), identifiers and ranks.
//
// Lists are always read through private queries, so that the main thread's cursors keep their
// place and worker threads may read them too. A list is rewritten whole: its rows are deleted and
// inserted again in their order (RANG / Rang = position + 1), each keeping its identifier.
#include "platform/date_heure.h"
#include "platform/thread_nom.h"
#include "store/datamodulebdd.h"
#include "store/evenement_interne.h"

namespace kyb {
namespace {

// System-date simple fields hold "dd/mm/yyyy hh:nn:ss": their day goes to _DATE so that persons
// modified in a period can be found.
bool EstDateSysteme(const AnsiString& libelle) {
  return libelle == "DDMF" || libelle == "DCF" || libelle == "DDNOTIF";
}

// The columns of Evenements written by SetEvenement and SetChpsSimple.
constexpr const char* kColonnesEven[] = {
    "ID", "Type", "LibelleChamps", "Donnee", "NoPersA", "NoPersB", "Acte", "TypeCalend", "Date", "Lieu",
    "LieuDit", "Note", "NoIllustrationParDefaut", "LienExtEven", "_DONNEE", "_DATE", "RANG_A", "RANG_B",
    "DateLastModif"};
enum : size_t {
  eID, eType, eLibelle, eDonnee, eNoPersA, eNoPersB, eActe, eCalendrier, eDate, eLieu,
  eLieuDit, eNote, eIllustration, eLienExt, eCleDonnee, eDateTriable, eRangA, eRangB, eModif
};

}  // namespace

long TModuleBDD::NombreLimite(bool lieux) {
  if (!lieux) return dossier_ ? dossier_->NbNotes() : -1;
  return TableLieuxExist() ? GetNbLieux() : -1;
}

// --- one event ---

void TModuleBDD::GetEvenement(TACRTable& t, TEvenement::TEnreg& e) {
  // The same reading as LitLigneEven, with the columns found once per cursor: walks read every
  // row, and a look-up by name per column and row was most of their cost.
  const std::vector<int>& c = colonnesLectureEven_.Positions(t, kColonnesEven);
  const auto champ = [&](size_t i) -> TACRField& { return t.Fields(c[i]); };
  e.ID = champ(eID).AsInteger();
  e.LibelleChamps = champ(eLibelle).AsAnsiString();
  e.Donnee = champ(eDonnee).AsUnicodeString();
  e.NoPersA = champ(eNoPersA).AsInteger();
  e.NoPersB = champ(eNoPersB).AsInteger();
  e.Date = TDateKY();
  e.Date.SetActe(Rogne(champ(eActe).AsAnsiString()));
  const AnsiString calendrier = champ(eCalendrier).AsAnsiString();
  e.Date.SetCalendrier(calendrier.empty() ? 0 : calendrier[0]);
  e.Date.SetDate(champ(eDate).AsAnsiString());
  e.Lieu = champ(eLieu).AsInteger();
  e.LieuDit = champ(eLieuDit).AsUnicodeString();
  e.Note = champ(eNote).AsInteger();
  e.NoIllustrationParDefaut = champ(eIllustration).AsInteger();
  e.LienExtEven = champ(eLienExt).AsInteger();
  e.RangA = champ(eRangA).AsInteger();
  e.RangB = champ(eRangB).AsInteger();
  e.DateLastModif = champ(eModif).AsDateTime();
  e.PersAssociees.clear();
  e.Sources.clear();
  e.Illustrations.clear();
  e.PersAssocieesChargees = e.SourcesChargees = e.IllustrationsChargees = false;
  e.ErreurLecture = false;
  BorneNumeros(e);
}

void TModuleBDD::BorneNumeros(TEvenement::TEnreg& e) {
  // A place or note number beyond its table reads as 0.
  if (e.Lieu > maxLieux_) maxLieux_ = NombreLimite(true);
  if (e.Lieu < 0 || (maxLieux_ >= 0 && e.Lieu > maxLieux_)) e.Lieu = 0;
  const long notes = NombreLimite(false);
  if (e.Note < 0 || (notes >= 0 && e.Note > notes)) e.Note = 0;
}

void TModuleBDD::SetEvenement(TACRTable& t, const TEvenement::TEnreg& e) {
  const std::vector<int>& c = colonnesEven_.Positions(t, kColonnesEven);
  const auto champ = [&](size_t i) -> TACRField& { return t.Fields(c[i]); };
  if (e.ID > 0) champ(eID).SetInteger(e.ID);
  champ(eType).SetInteger(0);
  champ(eLibelle).SetAnsiString(e.LibelleChamps.substr(0, kLongueurLibelle));
  champ(eDonnee).SetUnicodeString(e.Donnee.substr(0, kLongueurDonnee));
  champ(eNoPersA).SetInteger(e.NoPersA);
  champ(eNoPersB).SetInteger(e.NoPersB);
  champ(eActe).SetAnsiString(e.Date.GetActe());
  const char calendrier = e.Date.GetCalendrier();
  champ(eCalendrier).SetAnsiString(calendrier ? AnsiString(1, calendrier) : AnsiString());
  champ(eDate).SetAnsiString(e.Date.GetDate());
  champ(eLieu).SetInteger(e.Lieu);
  champ(eLieuDit).SetUnicodeString(e.LieuDit.substr(0, kLongueurLieuDit));
  champ(eNote).SetInteger(e.Note);
  champ(eIllustration).SetInteger(e.NoIllustrationParDefaut);
  champ(eLienExt).SetInteger(e.LienExtEven);
  champ(eCleDonnee).SetUnicodeString(FormatChaine_Donnee(e.Donnee, false));
  champ(eDateTriable).SetInteger(DateTriable(e.Date));
  champ(eRangA).SetInteger(e.RangA);
  champ(eRangB).SetInteger(e.RangB);
  champ(eModif).SetDateTime(Maintenant());
}

bool TModuleBDD::LectureEven(TEvenement& even, long id) {
  even.SetBdd(this);
  TEvenement::TEnreg& e = even.Enreg;
  if (id > 0 && !EstThreadPrincipal()) {
    TACRQuery q(*base_, "Select * From Evenements Where ID = " + std::to_string(id));
    if (q.Open() && !q.Eof() && q.FieldByName("Type").AsInteger() == 0) {
      LitLigneEven(q, e);
      return true;
    }
  } else if (TACRTable* t = Table("Evenements");
             id > 0 && t && t->SetIndexName("ParID") && t->FindKey({Cle(id)}) &&
             t->FieldByName("Type").AsInteger() == 0) {
    GetEvenement(*t, e);
    return true;
  }
  even.NouvelleFiche();
  e.ErreurLecture = true;
  return false;
}

int32_t TModuleBDD::IdReserve(const std::string& table) {
  auto it = idsReserves_.find(table);
  if (it == idsReserves_.end() || it->second <= 0) return 0;
  return static_cast<int32_t>(it->second++);
}

bool TModuleBDD::EcritEven(TEvenement::TEnreg& e) {
  TACRTable* t = Table("Evenements");
  if (!t || EstLectureSeule()) return false;
  if (dossier_ && !enImport_) {
    dossier_->OublieEnCache(e.NoPersA);
    dossier_->OublieEnCache(e.NoPersB);
  }
  bool nouveau = true;
  if (e.ID > 0 && t->SetIndexName("ParID") && t->FindKey({Cle(e.ID)})) {
    nouveau = false;
    EditInTable(*t);
  } else {
    InsertInTable(*t);
    if (e.ID <= 0 && enImport_) e.ID = IdReserve("Evenements");
  }
  if (e.RangA < 1) e.RangA = static_cast<int32_t>(GetNextRangEven(e.NoPersA, 0));
  if (e.NoPersB != 0 && e.RangB < 1) e.RangB = static_cast<int32_t>(GetNextRangEven(e.NoPersB, 0, true));
  SetEvenement(*t, e);
  if (!PostInTable(*t)) {
    Cancel(*t);
    return false;
  }
  const int32_t ancien = e.ID;
  e.ID = static_cast<int32_t>(t->RowId());
  nouveau = nouveau || ancien != e.ID;
  return (!e.PersAssocieesChargees || EnregistrementPersAssociees(e, nouveau)) &&
         (!e.IllustrationsChargees || UpdaterIllustrationOfEven(e, nouveau)) &&
         (!e.SourcesChargees || UpdaterSourceOfEven(e, nouveau));
}

bool TModuleBDD::EnregistrementEven(TEvenement& even) {
  even.SetBdd(this);
  TACRTransaction transaction(*base_);
  const TEvenement::TEnreg avant = even.Enreg;
  if (!EcritEven(even.Enreg) || (transaction.Active() && !transaction.Commit())) {
    even.Enreg = avant;
    return false;
  }
  UpdateDateModifGenea();
  return true;
}

// --- one simple field ---

void TModuleBDD::GetChpsSimple(TACRTable& t, TChpsSimple::TEnreg& e) { LitLigneChps(t, e); }

void TModuleBDD::SetChpsSimple(TACRTable& t, const TChpsSimple::TEnreg& e) {
  const std::vector<int>& c = colonnesEven_.Positions(t, kColonnesEven);
  const auto champ = [&](size_t i) -> TACRField& { return t.Fields(c[i]); };
  if (e.ID > 0) champ(eID).SetInteger(e.ID);
  champ(eType).SetInteger(1);
  champ(eLibelle).SetAnsiString(e.LibelleChamps.substr(0, kLongueurLibelle));
  champ(eDonnee).SetUnicodeString(e.Donnee.substr(0, kLongueurDonnee));
  champ(eNoPersA).SetInteger(e.NoPersA);
  champ(eNoPersB).SetInteger(e.NoPersB);
  champ(eRangA).SetInteger(e.RangA);
  champ(eRangB).SetInteger(e.RangB);
  champ(eCleDonnee).SetUnicodeString(FormatChaine_Donnee(e.Donnee, false));
  champ(eDateTriable).SetInteger(
      EstDateSysteme(e.LibelleChamps) ? DateTriable(TDateKY('G', UnicodeVersAnsi(e.Donnee.substr(0, 10)))) : 0);
  champ(eModif).SetDateTime(Maintenant());
}

bool TModuleBDD::LectureChpsSimple(TChpsSimple& chps, long id) {
  chps.SetBdd(this);
  if (id > 0 && !EstThreadPrincipal()) {
    TACRQuery q(*base_, "Select * From Evenements Where ID = " + std::to_string(id));
    if (q.Open() && !q.Eof() && q.FieldByName("Type").AsInteger() != 0) {
      LitLigneChps(q, chps.Enreg);
      return true;
    }
  } else if (TACRTable* t = Table("Evenements");
             id > 0 && t && t->SetIndexName("ParID") && t->FindKey({Cle(id)}) &&
             t->FieldByName("Type").AsInteger() != 0) {
    GetChpsSimple(*t, chps.Enreg);
    return true;
  }
  chps.NouvelleFiche();
  return false;
}

bool TModuleBDD::EcritChpsSimple(TChpsSimple::TEnreg& e) {
  TACRTable* t = Table("Evenements");
  if (!t || EstLectureSeule()) return false;
  if (e.ID > 0 && t->SetIndexName("ParID") && t->FindKey({Cle(e.ID)})) {
    EditInTable(*t);
  } else {
    InsertInTable(*t);
    if (e.ID <= 0 && enImport_) e.ID = IdReserve("Evenements");
  }
  e.Type = 1;
  if (e.RangA < 1) e.RangA = static_cast<int32_t>(GetNextRangEven(e.NoPersA, 1));
  SetChpsSimple(*t, e);
  if (!PostInTable(*t)) {
    Cancel(*t);
    return false;
  }
  e.ID = static_cast<int32_t>(t->RowId());
  return true;
}

bool TModuleBDD::EnregistrementChpsSimple(TChpsSimple& chps) {
  chps.SetBdd(this);
  const TChpsSimple::TEnreg avant = chps.Enreg;
  if (!EcritChpsSimple(chps.Enreg)) {
    chps.Enreg = avant;
    return false;
  }
  UpdateDateModifGenea();
  return true;
}

// --- the three lists ---

void TModuleBDD::ChargerPersAssocieeOfEven(TEvenement::TEnreg& e) {
  e.PersAssociees.clear();
  e.PersAssocieesChargees = true;
  if (!base_->Connected() || e.ID <= 0) return;
  TACRQuery q(*base_, "SELECT LienPers_No, LienPers_NivNo, LienQualite, LienParente FROM PersAssociees "
                      "WHERE ID_EVEN = :id ORDER BY Rang, ID_PERSASSOC");
  q.SetParamInteger("id", e.ID);
  if (!q.Open()) return;
  for (; !q.Eof() && e.PersAssociees.size() < kMaxListeEven; q.Next()) {
    TPersAssociee p;
    p.Lien.No = q.Fields(0).AsInteger();
    const AnsiString niv = q.Fields(1).AsAnsiString();
    p.Lien.NivNo = niv.empty() ? 0 : static_cast<uint8_t>(niv[0]);
    p.Qualite = q.Fields(2).AsInteger();
    p.Parente = q.Fields(3).AsInteger();
    e.PersAssociees.push_back(p);
  }
}

void TModuleBDD::ChargerSourceOfEven(TEvenement::TEnreg& e) {
  e.Sources.clear();
  e.SourcesChargees = true;
  if (!base_->Connected() || e.ID <= 0) return;
  TACRQuery q(*base_, "SELECT ID_SOURCE, TYPE, DESCRIPTIF FROM Sources WHERE ID_EVEN = :id ORDER BY RANG, ID_SOURCE");
  q.SetParamInteger("id", e.ID);
  if (!q.Open()) return;
  for (; !q.Eof() && e.Sources.size() < kMaxListeEven; q.Next())
    e.Sources.push_back({q.Fields(0).AsInteger(), q.Fields(1).AsUnicodeString(), q.Fields(2).AsUnicodeString()});
}

void TModuleBDD::ChargerIllustrationOfEven(TEvenement::TEnreg& e) {
  e.Illustrations.clear();
  e.IllustrationsChargees = true;
  if (!base_->Connected() || e.ID <= 0) return;
  TACRQuery q(*base_, "SELECT ID_ILLUSTRATION, CHEMIN, TAG FROM Illustrations WHERE ID_EVEN = :id "
                      "ORDER BY RANG, ID_ILLUSTRATION");
  q.SetParamInteger("id", e.ID);
  if (!q.Open()) return;
  for (; !q.Eof() && e.Illustrations.size() < kMaxListeEven; q.Next())
    e.Illustrations.push_back({q.Fields(0).AsInteger(), q.Fields(1).AsAnsiString(), q.Fields(2).AsInteger()});
}

namespace {

bool SupprimeLignes(TACRDatabase& base, const char* table, int32_t idEven) {
  TACRQuery q(base, std::string("DELETE FROM ") + table + " WHERE ID_EVEN = :id");
  q.SetParamInteger("id", idEven);
  return q.ExecSQL();
}

}  // namespace

bool TModuleBDD::EnregistrementPersAssociees(TEvenement::TEnreg& e, bool nouveau) {
  TACRTable* t = Table("PersAssociees");
  if (!t || EstLectureSeule() || e.ID <= 0) return false;
  if (!nouveau && !SupprimeLignes(*base_, "PersAssociees", e.ID)) return false;
  int rang = 0;
  for (const TPersAssociee& p : e.PersAssociees) {
    if (rang >= kMaxListeEven) break;
    InsertInTable(*t);
    t->FieldByName("ID_EVEN").SetInteger(e.ID);
    t->FieldByName("LienQualite").SetInteger(p.Qualite);
    t->FieldByName("LienParente").SetInteger(p.Parente);
    t->FieldByName("LienPers_No").SetInteger(p.Lien.No);
    t->FieldByName("LienPers_NivNo").SetAnsiString(p.Lien.NivNo ? AnsiString(1, static_cast<char>(p.Lien.NivNo)) : "");
    t->FieldByName("Rang").SetInteger(++rang);
    if (!PostInTable(*t)) {
      Cancel(*t);
      return false;
    }
  }
  return true;
}

bool TModuleBDD::UpdaterSourceOfEven(TEvenement::TEnreg& e, bool nouveau) {
  TACRTable* t = Table("Sources");
  if (!t || EstLectureSeule() || e.ID <= 0) return false;
  if (!nouveau && !SupprimeLignes(*base_, "Sources", e.ID)) return false;
  int rang = 0;
  for (TSourceEven& s : e.Sources) {
    if (rang >= kMaxListeEven) break;
    InsertInTable(*t);
    if (s.Id <= 0 && enImport_) s.Id = IdReserve("Sources");
    if (s.Id > 0) t->FieldByName("ID_SOURCE").SetInteger(s.Id);
    t->FieldByName("ID_EVEN").SetInteger(e.ID);
    t->FieldByName("TYPE").SetUnicodeString(s.Type.substr(0, kLongueurTypeSource));
    t->FieldByName("DESCRIPTIF").SetUnicodeString(s.Descriptif.substr(0, kLongueurDescriptif));
    t->FieldByName("RANG").SetInteger(++rang);
    if (!PostInTable(*t)) {
      Cancel(*t);
      return false;
    }
    s.Id = static_cast<int32_t>(t->RowId());
  }
  return true;
}

bool TModuleBDD::UpdaterIllustrationOfEven(TEvenement::TEnreg& e, bool nouveau) {
  TACRTable* t = Table("Illustrations");
  if (!t || EstLectureSeule() || e.ID <= 0) return false;
  if (!nouveau && !SupprimeLignes(*base_, "Illustrations", e.ID)) return false;
  int rang = 0;
  for (TIllustrationEven& i : e.Illustrations) {
    if (rang >= kMaxListeEven) break;
    InsertInTable(*t);
    if (i.Id <= 0 && enImport_) i.Id = IdReserve("Illustrations");
    if (i.Id > 0) t->FieldByName("ID_ILLUSTRATION").SetInteger(i.Id);
    t->FieldByName("ID_EVEN").SetInteger(e.ID);
    t->FieldByName("CHEMIN").SetAnsiString(i.Chemin.substr(0, kLongueurChemin));
    t->FieldByName("RANG").SetInteger(++rang);
    t->FieldByName("TAG").SetInteger(i.Tag);
    if (!PostInTable(*t)) {
      Cancel(*t);
      return false;
    }
    i.Id = static_cast<int32_t>(t->RowId());
  }
  return true;
}

bool TModuleBDD::SupprimeListes(long idEven) {
  for (const char* table : {"PersAssociees", "Sources", "Illustrations"})
    if (!SupprimeLignes(*base_, table, static_cast<int32_t>(idEven))) return false;
  TACRQuery q(*base_, "DELETE FROM NotesTranscription WHERE ID_Event = :id");
  q.SetParamInteger("id", idEven);
  return q.ExecSQL();
}

// --- identifiers and ranks ---

long TModuleBDD::ReturnNewNumEven() {
  if (enImport_) return IdReserve("Evenements");
  TACRTable* t = Table("Evenements");
  return t ? static_cast<long>(std::max<int64_t>(t->LastAutoIncValue(), GetIDEventMax())) + 1 : 0;
}

long TModuleBDD::GetNextRangEven(long noPers, int type, bool coteB) {
  if (!base_->Connected()) return 1;
  // The main thread keeps the two statements prepared; a worker prepares private ones.
  std::shared_ptr<TChargeurChps> prive;
  std::shared_ptr<TChargeurChps>& c = !EstThreadPrincipal() ? prive : coteB ? rangB_ : rangA_;
  if (!c)
    c = std::make_shared<TChargeurChps>(
        *base_, coteB ? "SELECT MAX(RANG_B) as rg_max FROM Evenements WHERE NoPersB = :n AND type = :t"
                      : "SELECT MAX(RANG_A) as rg_max FROM Evenements WHERE NoPersA = :n AND type = :t");
  TACRQuery& q = c->requete;
  q.SetParamInteger("n", noPers);
  q.SetParamInteger("t", type);
  const long maximum = q.Open() && !q.Eof() ? static_cast<long>(q.Fields(0).AsInt64()) : 0;
  q.Close();
  return maximum + 1;
}

bool TModuleBDD::UpdateRang(long idEven) {
  if (EstLectureSeule() || !base_->Connected()) return false;
  std::vector<long> ids;
  {
    TACRQuery q(*base_, "SELECT ID_ILLUSTRATION FROM Illustrations WHERE ID_EVEN = :id ORDER BY RANG, ID_ILLUSTRATION");
    q.SetParamInteger("id", idEven);
    if (!q.Open()) return false;
    for (; !q.Eof(); q.Next()) ids.push_back(q.Fields(0).AsInteger());
  }
  TACRTransaction transaction(*base_);
  for (size_t i = 0; i < ids.size(); ++i) {
    TACRQuery u(*base_, "UPDATE Illustrations SET RANG = :r WHERE ID_ILLUSTRATION = :i");
    u.SetParamInteger("r", static_cast<int64_t>(i + 1));
    u.SetParamInteger("i", ids[i]);
    if (!u.ExecSQL()) return false;
  }
  return !transaction.Active() || transaction.Commit();
}

// --- deletion ---

bool TModuleBDD::SupprimeIDOfTableEven(long id) {
  TACRTable* t = Table("Evenements");
  if (!t || EstLectureSeule() || !t->SetIndexName("ParID") || !t->FindKey({Cle(id)})) return false;
  return DeleteInTable(*t);
}

bool TModuleBDD::DeleteEvent(long id) {
  if (EstLectureSeule() || !base_->Connected()) return false;
  TACRTransaction transaction(*base_);
  if (!SupprimeIDOfTableEven(id) || !SupprimeListes(id)) return false;
  return !transaction.Active() || transaction.Commit();
}

bool TModuleBDD::SupprimeEvenDefinitvement(long id) {
  if (!DeleteEvent(id)) return false;
  UpdateDateModifGenea();
  return true;
}

void TModuleBDD::UpdateDateModifGenea() {
  if (enImport_ || EstLectureSeule()) return;
  MAJInfoChps("Date_Modif_Genea", AnsiVersUnicode(FormatDateHeure("dd/mm/yyyy hh:nn:ss", Maintenant())));
}

void TModuleBDD::FermeCurseursEvens() {
  parcoursEvens_.reset();
  parcoursChps_.reset();
  parcoursFiches_.reset();
  parcoursSources_.reset();
  parcoursIllustrations_.reset();
  chargeA_.reset();
  chargeB_.reset();
  chargePartages_.reset();
  rangA_.reset();
  rangB_.reset();
  maxLieux_ = -1;
  colonnesPersonne_.Oublie();
  colonnesEven_.Oublie();
  colonnesLectureEven_.Oublie();
}

}  // namespace kyb
