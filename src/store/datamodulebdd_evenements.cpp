// Events and simple fields in the store: reading and writing one record, its three lists
// (PersAssociees, Sources, Illustrations), identifiers and ranks.
//
// Lists are always read through private queries, so that the main thread's cursors keep their
// place and worker threads may read them too. A list is rewritten whole: its rows are deleted and
// inserted again in their order (RANG / Rang = position + 1), each keeping its identifier.
#include <type_traits>

#include "platform/caracteres.h"
#include "platform/date_heure.h"
#include "platform/references_ansi.h"
#include "platform/thread_nom.h"
#include "store/datamodulebdd_evenements_interne.h"
#include "store/datamodulebdd_lieux_interne.h"

namespace kyb {
namespace {

template <class TFiche>
bool BonType(int64_t type) {
  return std::is_same_v<TFiche, TEvenement> ? type == 0 : type != 0;
}

constexpr const char* kColonnesPersAssociees[] = {"ID_EVEN", "LienQualite", "LienParente", "LienPers_No",
                                                  "LienPers_NivNo", "Rang"};
constexpr const char* kColonnesSources[] = {"ID_SOURCE", "ID_EVEN", "TYPE", "DESCRIPTIF", "RANG"};
constexpr const char* kColonnesIllustrations[] = {"ID_ILLUSTRATION", "ID_EVEN", "CHEMIN", "RANG", "TAG"};

bool SupprimeLignes(TACRDatabase& base, const char* table, int32_t idEven) {
  TACRQuery q(base, std::string("DELETE FROM ") + table + " WHERE ID_EVEN = :id");
  q.SetParamInteger("id", idEven);
  return q.ExecSQL();
}

}  // namespace

long TEvenementsBDD::NombreLimite(bool lieux) {
  if (!lieux) return coeur_.dossier_ ? coeur_.dossier_->NbNotes() : -1;
  return lieux_.TableLieuxExist() ? lieux_.GetNbLieux() : -1;
}

void TEvenementsBDD::FermeCurseurs() {
  parcoursEvens_.Fin();
  parcoursChps_.Fin();
  parcoursFiches_.Fin();
  insertionImport_.reset();
  chargeA_.reset();
  chargeB_.reset();
  chargePartages_.reset();
  rangA_.reset();
  rangB_.reset();
  maxLieux_ = -1;
  for (TColonnesCurseur* c : {&colonnesEven_, &colonnesLectureEven_, &colonnesPersAssociees_, &colonnesSources_,
                              &colonnesIllustrations_})
    c->Oublie();
}

// --- one record ---

void TEvenementsBDD::GetEvenement(TACRTable& t, TEvenement::TEnreg& e) {
  // Walks read every row: the columns are found once per cursor, not by name per column and row.
  LitLigne(t, colonnesLectureEven_.Positions(t, kColonnesEven), e);
  BorneNumeros(e);
}

void TEvenementsBDD::Borne(TEvenement::TEnreg& e, const TBornes& b) {
  // A place or note number beyond its table reads as 0.
  if (e.Lieu < 0 || (b.lieux >= 0 && e.Lieu > b.lieux)) e.Lieu = 0;
  if (e.Note < 0 || (b.notes >= 0 && e.Note > b.notes)) e.Note = 0;
}

void TEvenementsBDD::BorneNumeros(TEvenement::TEnreg& e) {
  if (e.Lieu > maxLieux_) maxLieux_ = NombreLimite(true);
  Borne(e, {maxLieux_, NombreLimite(false)});
}

TEvenementsBDD::TBornes TEvenementsBDD::BornesPrivees() {
  TBornes b;
  if (coeur_.TableExiste("Lieux")) {
    const std::vector<long> n = ListeNombres("SELECT max(ID) FROM Lieux");
    b.lieux = n.empty() ? 0 : n.front();
  }
  b.notes = NombreLimite(false);
  return b;
}

void TEvenementsBDD::SetEvenement(TACRTable& t, const TEvenement::TEnreg& e) {
  const std::vector<int>& c = colonnesEven_.Positions(t, kColonnesEven);
  const auto champ = [&](size_t i) -> TACRField& { return t.Fields(c[i]); };
  if (e.ID > 0) champ(eID).SetInteger(e.ID);
  champ(eType).SetInteger(0);
  champ(eLibelle).SetAnsiString(e.LibelleChamps.substr(0, kLongueurLibelle));
  champ(eDonnee).SetUnicodeString(PremiersCaracteres(e.Donnee, kLongueurDonnee));
  champ(eNoPersA).SetInteger(e.NoPersA);
  champ(eNoPersB).SetInteger(e.NoPersB);
  champ(eActe).SetAnsiString(e.Date.GetActe());
  const char calendrier = e.Date.GetCalendrier();
  champ(eCalendrier).SetAnsiString(calendrier ? AnsiString(1, calendrier) : AnsiString());
  champ(eDate).SetAnsiString(e.Date.GetDate());
  champ(eLieu).SetInteger(e.Lieu);
  champ(eLieuDit).SetUnicodeString(PremiersCaracteres(e.LieuDit, kLongueurLieuDit));
  champ(eNote).SetInteger(e.Note);
  champ(eIllustration).SetInteger(e.NoIllustrationParDefaut);
  champ(eLienExt).SetInteger(e.LienExtEven);
  champ(eCleDonnee).SetUnicodeString(FormatChaine_Donnee(e.Donnee, false));
  champ(eDateTriable).SetInteger(DateTriable(e.Date));
  champ(eRangA).SetInteger(e.RangA);
  champ(eRangB).SetInteger(e.RangB);
  champ(eModif).SetDateTime(Maintenant());
}

void TEvenementsBDD::GetChpsSimple(TACRTable& t, TChpsSimple::TEnreg& e) {
  LitLigne(t, colonnesLectureEven_.Positions(t, kColonnesEven), e);
}

void TEvenementsBDD::SetChpsSimple(TACRTable& t, const TChpsSimple::TEnreg& e) {
  const std::vector<int>& c = colonnesEven_.Positions(t, kColonnesEven);
  const auto champ = [&](size_t i) -> TACRField& { return t.Fields(c[i]); };
  if (e.ID > 0) champ(eID).SetInteger(e.ID);
  champ(eType).SetInteger(1);
  champ(eLibelle).SetAnsiString(e.LibelleChamps.substr(0, kLongueurLibelle));
  champ(eDonnee).SetUnicodeString(PremiersCaracteres(e.Donnee, kLongueurDonnee));
  champ(eNoPersA).SetInteger(e.NoPersA);
  champ(eNoPersB).SetInteger(e.NoPersB);
  champ(eRangA).SetInteger(e.RangA);
  champ(eRangB).SetInteger(e.RangB);
  champ(eCleDonnee).SetUnicodeString(FormatChaine_Donnee(e.Donnee, false));
  champ(eDateTriable).SetInteger(
      EstDateSysteme(e.LibelleChamps) ? DateTriable(TDateKY('G', UnicodeVersAnsi(e.Donnee.substr(0, 10)))) : 0);
  champ(eModif).SetDateTime(Maintenant());
}

template <class TFiche>
bool TEvenementsBDD::LitFiche(TFiche& fiche, long id) {
  fiche.SetBdd(&module_);
  auto& e = fiche.Enreg;
  if (id > 0 && !EstThreadPrincipal()) {
    // A worker reads through a private query; numbers beyond their tables are checked on the
    // main thread only (the place count is a cache of the unit).
    TACRQuery q(*base_, "Select * From Evenements Where ID = " + std::to_string(id));
    if (q.Open() && !q.Eof() && BonType<TFiche>(q.FieldByName("Type").AsInteger())) {
      TColonnesCurseur colonnes;
      LitLigne(q, colonnes.Positions(q, kColonnesEven), e);
      return true;
    }
  } else if (TACRTable* t = Table("Evenements");
             id > 0 && t && t->SetIndexName("ParID") && t->FindKey({Cle(id)}) &&
             BonType<TFiche>(t->FieldByName("Type").AsInteger())) {
    if constexpr (std::is_same_v<TFiche, TEvenement>) GetEvenement(*t, e);
    else GetChpsSimple(*t, e);
    return true;
  }
  fiche.NouvelleFiche();
  if constexpr (std::is_same_v<TFiche, TEvenement>) e.ErreurLecture = true;
  return false;
}

template <class TFiche>
bool TEvenementsBDD::EcritFiche(typename TFiche::TEnreg& e, bool controleRang) {
  constexpr bool kEven = std::is_same_v<TFiche, TEvenement>;
  TACRTable* t = Table("Evenements");
  if (!t || EstLectureSeule()) return false;
  if constexpr (kEven)
    if (coeur_.dossier_ && !EnImport()) {
      coeur_.dossier_->OublieEnCache(e.NoPersA);
      coeur_.dossier_->OublieEnCache(e.NoPersB);
    }
  bool nouveau = true;
  const bool reserve = IsReserved(e.ID);
  if (e.ID > 0 && !reserve && t->SetIndexName("ParID") && t->FindKey({Cle(e.ID)})) {
    nouveau = false;
    EditInTable(*t);
  } else {
    InsertInTable(*t);
    if (e.ID <= 0 && EnImport()) e.ID = coeur_.IdReserve("Evenements");
  }
  // An import numbers the ranks of what it writes itself: no look-up per record there.
  if (controleRang && !EnImport() && !InfoRangValide(e, kEven ? 0 : 1)) {
    if (e.RangA < 1 || !RangLibre(false, e.NoPersA, kEven ? 0 : 1, e.RangA, e.ID)) e.RangA = 0;
    if (kEven && e.NoPersB > 0 && (e.RangB < 1 || !RangLibre(true, e.NoPersB, 0, e.RangB, e.ID))) e.RangB = 0;
  }
  if (e.RangA < 1) e.RangA = static_cast<int32_t>(GetNextRangEven(e.NoPersA, kEven ? 0 : 1, false));
  if constexpr (kEven) {
    if (e.NoPersB != 0 && e.RangB < 1) e.RangB = static_cast<int32_t>(GetNextRangEven(e.NoPersB, 0, true));
    SetEvenement(*t, e);
  } else {
    e.Type = 1;
    SetChpsSimple(*t, e);
  }
  if (!PostInTable(*t)) {
    Cancel(*t);
    return false;
  }
  const int32_t ancien = e.ID;
  e.ID = static_cast<int32_t>(t->RowId());
  if (reserve) reserves_.erase(ancien);
  if constexpr (kEven) {
    nouveau = nouveau || ancien != e.ID;
    return (!e.PersAssocieesChargees || EnregistrementPersAssociees(e, nouveau)) &&
           (!e.IllustrationsChargees || UpdaterIllustrationOfEven(e, nouveau)) &&
           (!e.SourcesChargees || UpdaterSourceOfEven(e, nouveau));
  }
  return true;
}

bool TEvenementsBDD::EcritEven(TEvenement::TEnreg& e) { return EcritFiche<TEvenement>(e); }

bool TEvenementsBDD::EcritChpsSimple(TChpsSimple::TEnreg& e) { return EcritFiche<TChpsSimple>(e); }

template <class TFiche>
bool TEvenementsBDD::EnregistreFiche(TFiche& fiche) {
  fiche.SetBdd(&module_);
  // The row and its lists commit together; on failure the record is left as it was.
  TACRTransaction transaction(*base_);
  const typename TFiche::TEnreg avant = fiche.Enreg;
  if (!EcritFiche<TFiche>(fiche.Enreg, true) || (transaction.Active() && !transaction.Commit())) {
    fiche.Enreg = avant;
    return false;
  }
  coeur_.UpdateDateModifGenea();
  return true;
}

template bool TEvenementsBDD::LitFiche(TEvenement&, long);
template bool TEvenementsBDD::LitFiche(TChpsSimple&, long);
template bool TEvenementsBDD::EnregistreFiche(TEvenement&);
template bool TEvenementsBDD::EnregistreFiche(TChpsSimple&);

// --- the three lists ---

template <class TEntree, class Lit>
void TEvenementsBDD::ChargeListe(int32_t idEven, const char* sql, std::vector<TEntree>& entrees, bool& chargee,
                                 const Lit& lit) {
  entrees.clear();
  chargee = true;
  if (!base_->Connected() || idEven <= 0) return;
  TACRQuery q(*base_, sql);
  q.SetParamInteger("id", idEven);
  if (!q.Open()) return;
  for (; !q.Eof() && entrees.size() < kMaxListeEven; q.Next()) entrees.push_back(lit(q));
}

void TEvenementsBDD::ChargerPersAssocieeOfEven(TEvenement::TEnreg& e) {
  ChargeListe(e.ID,
              "SELECT LienPers_No, LienPers_NivNo, LienQualite, LienParente FROM PersAssociees "
              "WHERE ID_EVEN = :id ORDER BY Rang, ID_PERSASSOC",
              e.PersAssociees, e.PersAssocieesChargees, [](TACRQuery& q) {
                TPersAssociee p;
                p.Lien.No = q.Fields(0).AsInteger();
                const AnsiString niv = q.Fields(1).AsAnsiString();
                p.Lien.NivNo = niv.empty() ? 0 : static_cast<uint8_t>(niv[0]);
                p.Qualite = q.Fields(2).AsInteger();
                p.Parente = q.Fields(3).AsInteger();
                return p;
              });
}

void TEvenementsBDD::ChargerSourceOfEven(TEvenement::TEnreg& e) {
  ChargeListe(e.ID, "SELECT ID_SOURCE, TYPE, DESCRIPTIF FROM Sources WHERE ID_EVEN = :id ORDER BY RANG, ID_SOURCE",
              e.Sources, e.SourcesChargees, [](TACRQuery& q) {
                return TSourceEven{q.Fields(0).AsInteger(), q.Fields(1).AsUnicodeString(),
                                   q.Fields(2).AsUnicodeString()};
              });
}

void TEvenementsBDD::ChargerIllustrationOfEven(TEvenement::TEnreg& e) {
  ChargeListe(e.ID,
              "SELECT ID_ILLUSTRATION, CHEMIN, TAG FROM Illustrations WHERE ID_EVEN = :id "
              "ORDER BY RANG, ID_ILLUSTRATION",
              e.Illustrations, e.IllustrationsChargees, [](TACRQuery& q) {
                return TIllustrationEven{q.Fields(0).AsInteger(), q.Fields(1).AsAnsiString(), q.Fields(2).AsInteger()};
              });
}

template <class TEntree, class Remplit>
bool TEvenementsBDD::EcritListe(TACRTable* t, int32_t idEven, bool nouveau, std::vector<TEntree>& entrees,
                                const Remplit& remplit) {
  if (!t || EstLectureSeule() || idEven <= 0) return false;
  if (!nouveau && !SupprimeLignes(*base_, t->TableName().c_str(), idEven)) return false;
  int rang = 0;
  for (TEntree& x : entrees) {
    if (rang >= kMaxListeEven) break;
    InsertInTable(*t);
    remplit(x, ++rang);
    if (!PostInTable(*t)) {
      Cancel(*t);
      return false;
    }
    if constexpr (requires { x.Id; }) x.Id = static_cast<int32_t>(t->RowId());
  }
  return true;
}

bool TEvenementsBDD::EnregistrementPersAssociees(TEvenement::TEnreg& e, bool nouveau) {
  TACRTable* t = Table("PersAssociees");
  if (!t) return false;
  const std::vector<int>& c = colonnesPersAssociees_.Positions(*t, kColonnesPersAssociees);
  return EcritListe(t, e.ID, nouveau, e.PersAssociees, [&](const TPersAssociee& p, int rang) {
    t->Fields(c[0]).SetInteger(e.ID);
    t->Fields(c[1]).SetInteger(p.Qualite);
    t->Fields(c[2]).SetInteger(p.Parente);
    t->Fields(c[3]).SetInteger(p.Lien.No);
    t->Fields(c[4]).SetAnsiString(p.Lien.NivNo ? AnsiString(1, static_cast<char>(p.Lien.NivNo)) : "");
    t->Fields(c[5]).SetInteger(rang);
  });
}

bool TEvenementsBDD::UpdaterSourceOfEven(TEvenement::TEnreg& e, bool nouveau) {
  TACRTable* t = Table("Sources");
  if (!t) return false;
  const std::vector<int>& c = colonnesSources_.Positions(*t, kColonnesSources);
  return EcritListe(t, e.ID, nouveau, e.Sources, [&](TSourceEven& s, int rang) {
    if (s.Id <= 0 && EnImport()) s.Id = coeur_.IdReserve("Sources");
    if (s.Id > 0) t->Fields(c[0]).SetInteger(s.Id);
    t->Fields(c[1]).SetInteger(e.ID);
    t->Fields(c[2]).SetUnicodeString(s.Type.substr(0, kLongueurTypeSource));
    t->Fields(c[3]).SetUnicodeString(s.Descriptif.substr(0, kLongueurDescriptif));
    t->Fields(c[4]).SetInteger(rang);
  });
}

bool TEvenementsBDD::UpdaterIllustrationOfEven(TEvenement::TEnreg& e, bool nouveau) {
  TACRTable* t = Table("Illustrations");
  if (!t) return false;
  const std::vector<int>& c = colonnesIllustrations_.Positions(*t, kColonnesIllustrations);
  return EcritListe(t, e.ID, nouveau, e.Illustrations, [&](TIllustrationEven& i, int rang) {
    if (i.Id <= 0 && EnImport()) i.Id = coeur_.IdReserve("Illustrations");
    if (i.Id > 0) t->Fields(c[0]).SetInteger(i.Id);
    t->Fields(c[1]).SetInteger(e.ID);
    t->Fields(c[2]).SetAnsiString(CoupeAnsiCaracteres(i.Chemin, kLongueurChemin));
    t->Fields(c[3]).SetInteger(rang);
    t->Fields(c[4]).SetInteger(i.Tag);
  });
}

bool TEvenementsBDD::SupprimeListes(long idEven) {
  for (const char* table : {"PersAssociees", "Sources", "Illustrations"})
    if (!SupprimeLignes(*base_, table, static_cast<int32_t>(idEven))) return false;
  TACRQuery q(*base_, "DELETE FROM NotesTranscription WHERE ID_Event = :id");
  q.SetParamInteger("id", idEven);
  return q.ExecSQL();
}

// --- identifiers and ranks ---

long TEvenementsBDD::ReturnNewNumEven() {
  if (EnImport()) {
    const int32_t id = coeur_.IdReserve("Evenements");
    if (id > 0) reserves_.insert(id);
    return id;
  }
  reserves_.clear();
  TACRTable* t = Table("Evenements");
  return t ? static_cast<long>(std::max<int64_t>(t->LastAutoIncValue(), GetIDEventMax())) + 1 : 0;
}

long TEvenementsBDD::GetNextRangEven(long noPers, int type, bool coteB) {
  if (!base_->Connected()) return 1;
  // The main thread keeps the two statements prepared; a worker prepares private ones.
  std::unique_ptr<TRequeteEven> prive;
  std::unique_ptr<TRequeteEven>& c = !EstThreadPrincipal() ? prive : coteB ? rangB_ : rangA_;
  if (!c)
    c = std::make_unique<TRequeteEven>(
        *base_, coteB ? "SELECT MAX(RANG_B) as rg_max FROM Evenements WHERE NoPersB = :n AND type = :t"
                      : "SELECT MAX(RANG_A) as rg_max FROM Evenements WHERE NoPersA = :n AND type = :t");
  TACRQuery& q = c->requete;
  q.SetParamInteger("n", noPers);
  q.SetParamInteger("t", type);
  const long maximum = q.Open() && !q.Eof() ? static_cast<long>(q.Fields(0).AsInt64()) : 0;
  q.Close();
  return maximum + 1;
}

bool TEvenementsBDD::UpdateRang(long idEven) {
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

bool TEvenementsBDD::SupprimeIDOfTableEven(long id) {
  TACRTable* t = Table("Evenements");
  if (!t || EstLectureSeule() || !t->SetIndexName("ParID") || !t->FindKey({Cle(id)})) return false;
  return DeleteInTable(*t);
}

bool TEvenementsBDD::DeleteEvent(long id) {
  if (EstLectureSeule() || !base_->Connected()) return false;
  TACRTransaction transaction(*base_);
  if (!SupprimeIDOfTableEven(id) || !SupprimeListes(id)) return false;
  return !transaction.Active() || transaction.Commit();
}

bool TEvenementsBDD::SupprimeEvenDefinitvement(long id) {
  if (!DeleteEvent(id)) return false;
  coeur_.UpdateDateModifGenea();
  return true;
}

// --- look-ups the folder forwards ---

long TEvenementsBDD::GetIDEventMax() {
  const std::vector<long> n = ListeNombres("SELECT max(ID) FROM Evenements");
  return n.empty() ? 0 : n.front();
}

bool TEvenementsBDD::ShiftIDEvent(long minimum) {
  TACRTable* t = Table("Evenements");
  return t && !EstLectureSeule() && (t->LastAutoIncValue() >= minimum || t->SetLastAutoIncValue(minimum));
}

bool TEvenementsBDD::IsIdEventExistBDD(long id) {
  TACRTable* t = Table("Evenements");
  return t && t->SetIndexName("ParID") && t->FindKey({Cle(id)});
}

bool TEvenementsBDD::EvenChangeNoPersA(long ancien, long nouveau) {
  if (EstLectureSeule()) return false;
  TACRQuery q(*base_, "UPDATE Evenements SET NoPersA = :n WHERE NoPersA = :a");
  q.SetParamInteger("n", nouveau);
  q.SetParamInteger("a", ancien);
  return q.ExecSQL();
}

bool TEvenementsBDD::EvenChangeID(long ancien, long nouveau) {
  if (EstLectureSeule() || IsIdEventExistBDD(nouveau)) return false;
  TACRTransaction transaction(*base_);
  for (const char* sql : {"UPDATE Evenements SET ID = :n WHERE ID = :a",
                          "UPDATE Sources SET ID_EVEN = :n WHERE ID_EVEN = :a",
                          "UPDATE Illustrations SET ID_EVEN = :n WHERE ID_EVEN = :a",
                          "UPDATE PersAssociees SET ID_EVEN = :n WHERE ID_EVEN = :a",
                          "UPDATE NotesTranscription SET ID_Event = :n WHERE ID_Event = :a"}) {
    TACRQuery q(*base_, sql);
    q.SetParamInteger("n", nouveau);
    q.SetParamInteger("a", ancien);
    if (!q.ExecSQL()) return false;
  }
  return !transaction.Active() || transaction.Commit();
}

bool TEvenementsBDD::IsIDevenAssocieNoPers(long id, long noPers) {
  TACRQuery q(*base_, "SELECT count(*) FROM PersAssociees WHERE ID_EVEN = :id AND LienPers_No = :p");
  q.SetParamInteger("id", id);
  q.SetParamInteger("p", noPers);
  return q.Open() && q.Fields(0).AsInteger() > 0;
}

bool TEvenementsBDD::IsDateTriableEven() {
  if (!base_->Connected()) return false;
  TACRTable evenements(*base_, "Evenements");
  TACRFieldDefs champs;
  TACRIndexDefs index;
  if (!evenements.ReadDefs(champs, index)) return false;
  const TACRFieldDef* date = TrouveChamp(champs, "_DATE");
  return date && (date->type == TTypeChamp::Int32 || date->type == TTypeChamp::DateTime);
}

std::vector<TNotesCouple> TEvenementsBDD::GetNotesCouples(long noPers) {
  std::vector<TNotesCouple> paires;
  if (!base_->Connected() || noPers < 1) return paires;
  TACRQuery q(*base_,
              "SELECT a.ID, a.Note, b.ID, b.Note FROM Evenements a JOIN Evenements b ON b.Type = 0 AND "
              "b.NoPersA = a.NoPersB AND b.NoPersB = a.NoPersA AND b.LibelleChamps = a.LibelleChamps "
              "WHERE a.Type = 0 AND a.NoPersA = :n AND a.NoPersB > 0");
  q.SetParamInteger("n", noPers);
  if (!q.Open()) return paires;
  for (; !q.Eof(); q.Next())
    paires.push_back({static_cast<long>(q.Fields(0).AsInt64()), static_cast<long>(q.Fields(1).AsInt64()),
                      static_cast<long>(q.Fields(2).AsInt64()), static_cast<long>(q.Fields(3).AsInt64())});
  return paires;
}

std::vector<long> TEvenementsBDD::GetIdEvensCitant(long noPers) {
  std::vector<long> ids;
  if (!base_->Connected() || noPers <= 0) return ids;
  TACRQuery q(*base_,
              "SELECT DISTINCT Eve.ID FROM PersAssociees AS Pa JOIN Evenements AS Eve ON Eve.ID = Pa.ID_EVEN "
              "WHERE Pa.LienPers_No = :n AND Eve.NoPersA > 0 AND Eve.NoPersA <> :n AND Eve.Type = 0 ORDER BY Eve.ID");
  q.SetParamInteger("n", noPers);
  if (!q.Open()) return ids;
  for (; !q.Eof(); q.Next()) ids.push_back(static_cast<long>(q.Fields(0).AsInt64()));
  return ids;
}

}  // namespace kyb
