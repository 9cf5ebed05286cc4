// Persons in the store: person rows and their links, deleted persons, alternative parents, the
// walk of every person, the parents read in one pass for the Sosa walks, and the number reserved
// during an import.
//
// Personnes.Data holds the links of a person as 9-byte spouse-link records: first the NbConj
// spouses (positive numbers only, in their stored order), then the NbEnf children, each written
// as a spouse-link record (child number, the child link's flag byte, -1).
#include "platform/caracteres.h"
#include "platform/journal.h"
#include "platform/thread_nom.h"
#include "store/datamodulebdd.h"
#include "store/datamodulebdd_personnes_interne.h"

namespace kyb {
namespace {

std::string EcritData(const TEnregPublic& p, int& nbConj, int& nbEnf) {
  std::string data;
  unsigned char bloc[TLienConj::kTailleDisque];
  nbConj = nbEnf = 0;
  for (const TLienConj& c : p.Conjoints) {
    if (c.Lien.No <= 0) continue;
    c.Ecrit(bloc);
    data.append(reinterpret_cast<const char*>(bloc), sizeof bloc);
    ++nbConj;
  }
  for (const TLienPers& e : p.Enfants) {
    if (e.No <= 0) continue;
    TLienConj enfant;
    enfant.Lien = e;
    enfant.Compagnon = -1;
    enfant.Ecrit(bloc);
    data.append(reinterpret_cast<const char*>(bloc), sizeof bloc);
    ++nbEnf;
  }
  return data;
}

// Fills the 150 + 150 slots from the blob; counts beyond the blob or the slots are cut.
void LitData(const std::string& data, int nbConj, int nbEnf, TEnregPublic& p) {
  p.Conjoints.fill(TLienConj());
  p.Enfants.fill(TLienPers());
  const int disponibles = static_cast<int>(data.size() / TLienConj::kTailleDisque);
  nbConj = std::clamp(nbConj, 0, std::min(kMaxConjoints, disponibles));
  nbEnf = std::clamp(nbEnf, 0, std::min(kMaxEnfants, disponibles - nbConj));
  const auto* octets = reinterpret_cast<const unsigned char*>(data.data());
  for (int i = 0; i < nbConj; ++i) p.Conjoints[static_cast<size_t>(i)].Lit(octets + i * TLienConj::kTailleDisque);
  for (int i = 0; i < nbEnf; ++i) {
    TLienConj c;
    c.Lit(octets + (nbConj + i) * TLienConj::kTailleDisque);
    p.Enfants[static_cast<size_t>(i)] = c.Lien;
  }
}

char Sexe(int64_t code) { return code == 'M' || code == 'F' ? static_cast<char>(code) : '?'; }

template <class Curseur>
void LitLigne(Curseur& c, TEnregPublic& p, bool donneesSeules) {
  LitData(c.FieldByName("Data").AsBlob(), c.FieldByName("NbConj").AsInteger(),
          c.FieldByName("NbEnf").AsInteger(), p);
  if (donneesSeules) return;
  p.TypePersonne = static_cast<char>(c.FieldByName("TypePersonne").AsInteger());
  p.FicheSupprimee = static_cast<char>(c.FieldByName("FicheSupprimee").AsInteger());
  p.Sexe = Sexe(c.FieldByName("Sexe").AsInteger());
  p.Pere = c.FieldByName("Pere").AsInteger();
  p.Mere = c.FieldByName("Mere").AsInteger();
  p.Nom = PremiersCaracteres(c.FieldByName("Nom").AsUnicodeString(), kLongueurNom);
  p.Prenoms = PremiersCaracteres(c.FieldByName("Prenoms").AsUnicodeString(), kLongueurPrenoms);
  p.OrdrePU = static_cast<uint8_t>(c.FieldByName("OrdrePU").AsInteger());
  p.Note = c.FieldByName("Note").AsInteger();
}

}  // namespace

bool TPersonnesBDD::LitPersonne(TEnregPublic& p, long numero, bool donneesSeules, const char* contexte) {
  if (numero == -2) numero = 0;
  if (EstThreadPrincipal() && numero == reservee_) (void)EcritPersonneReservee();
  if (!EstThreadPrincipal()) {
    // Workers read through a private query and never move the shared cursor.
    TACRQuery q(*base_, "Select * From Personnes Where ID = :id");
    q.SetParamInteger("id", numero);
    if (!q.Open() || q.Eof()) {
      AjouteJournal("LogMsgError", std::string(contexte) + " personne " + std::to_string(numero) + " introuvable");
      return false;
    }
    LitLigne(q, p, donneesSeules);
    return true;
  }
  TACRTable* t = Table("Personnes");
  if (!t || !t->SetIndexName("ParID") || !t->FindKey({Cle(numero)})) {
    AjouteJournal("LogMsgError", std::string(contexte) + " personne " + std::to_string(numero) + " introuvable");
    return false;
  }
  LitLigne(*t, p, donneesSeules);
  return true;
}

bool TPersonnesBDD::ReadPerson(TEnregPublic& p, long numero) { return LitPersonne(p, numero, false, "ReadPerson :"); }

bool TPersonnesBDD::ReadPersonData(TEnregPublic& p, long numero) {
  return LitPersonne(p, numero, true, "ReadPersonData :");
}

namespace {

// The columns WritePerson fills, in this order.
constexpr const char* kColonnesPersonne[] = {"ID", "TypePersonne", "FicheSupprimee", "Sexe", "Pere",
                                             "Mere", "Data", "Nom", "Prenoms", "OrdrePU", "Note", "NbEnf",
                                             "NbConj"};
enum : size_t { cID, cType, cSupprime, cSexe, cPere, cMere, cData, cNom, cPrenoms, cOrdrePU, cNote, cNbEnf, cNbConj };

constexpr const char* kPointPersonne = "ecriture_personne";

// Keeps the deleted-persons table in step with the mark, in the caller's transaction.
bool SuitMarqueSuppression(TPersonnesBDD& m, TACRTable& suppr, long numero, int64_t avant, int64_t apres) {
  if (apres == avant) return true;
  if (apres == 'O') {
    if (m.PersonDeleted(numero)) return true;
    suppr.Insert();
    suppr.FieldByName("ID").SetInteger(numero);
    return suppr.Post();
  }
  if (apres == 'N' && avant == 'O')
    while (m.PersonDeleted(numero))
      if (!suppr.Delete()) return false;
  return true;
}

}  // namespace

bool TPersonnesBDD::WritePerson(const TEnregPublic& p, long numero) {
  if (numero == -2) numero = 0;
  TACRTable* t = Table("Personnes");
  TACRTable* suppr = Table("PersonnesSuppr");
  if (!t || !suppr || EstLectureSeule() || numero < 0) {
    AjouteJournal("LogMsgError", "WritePerson : écriture impossible de la personne " + std::to_string(numero) +
                                     (EstLectureSeule() ? " (dossier en lecture seule)" : ""));
    base_->NoteErreur("Écriture refusée : le dossier est en lecture seule");
    return false;
  }
  (void)t->SetIndexName("ParID");
  int64_t avant = 0;
  // During an import, a number above every number already written cannot exist: no look-up.
  const bool nouveau = EnImport() && numero > plusGrandNumeroImport_;
  // The number InsertPerson has just reserved: its row is written here, once, in full.
  const bool reservee = PersonneNeuve(numero);
  if (nouveau && !reservee && p.FicheSupprimee != 'O') return AjoutePersonneImport(*t, p, numero);
  if (reservee) {
    avant = ' ';  // the mark of the empty row it stands for
    InsertInTable(*t);
  } else if (!nouveau && t->FindKey({Cle(numero)})) {
    avant = t->FieldByName("FicheSupprimee").AsInteger();
    EditInTable(*t);
  } else {
    InsertInTable(*t);
  }
  int nbConj = 0, nbEnf = 0;
  const std::string data = EcritData(p, nbConj, nbEnf);
  const std::vector<int>& c = colonnesPersonne_.Positions(*t, kColonnesPersonne);
  const auto champ = [&](size_t i) -> TACRField& { return t->Fields(c[i]); };
  champ(cID).SetInteger(numero);
  champ(cType).SetInteger(static_cast<unsigned char>(p.TypePersonne));
  champ(cSupprime).SetInteger(static_cast<unsigned char>(p.FicheSupprimee));
  champ(cSexe).SetInteger(static_cast<unsigned char>(p.Sexe));
  champ(cPere).SetInteger(p.Pere.No);
  champ(cMere).SetInteger(p.Mere.No);
  champ(cData).SetBlob(data);
  champ(cNom).SetUnicodeString(PremiersCaracteres(p.Nom, kLongueurNom));
  champ(cPrenoms).SetUnicodeString(PremiersCaracteres(p.Prenoms, kLongueurPrenoms));
  champ(cOrdrePU).SetInteger(p.OrdrePU);
  champ(cNote).SetInteger(p.Note);
  champ(cNbEnf).SetInteger(nbEnf);
  champ(cNbConj).SetInteger(nbConj);
  const int64_t apres = static_cast<unsigned char>(p.FicheSupprimee);
  // When the deleted-persons table changes too, both writes commit together: one transaction,
  // or a savepoint inside the batch of an import. Otherwise the single post is its own commit.
  const bool deuxTables = apres != avant && (apres == 'O' || avant == 'O');
  const bool lot = base_->InTransaction();
  bool ok = !deuxTables ||
            base_->ExecuteSql(lot ? std::string("SAVEPOINT ") + kPointPersonne : std::string("BEGIN IMMEDIATE"));
  ok = ok && t->Post() && SuitMarqueSuppression(*this, *suppr, numero, avant, apres);
  if (ok && deuxTables)
    ok = base_->ExecuteSql(lot ? std::string("RELEASE ") + kPointPersonne : std::string("COMMIT"));
  if (!ok) {
    const std::string erreur = base_->DerniereErreur();
    const TErreurMoteur code = base_->CodeErreur();
    Cancel(*t);
    Cancel(*suppr);
    if (deuxTables)
      (void)base_->ExecuteSql(lot ? std::string("ROLLBACK TO ") + kPointPersonne + "; RELEASE " + kPointPersonne
                                  : std::string("ROLLBACK"));
    base_->NoteErreur(erreur, code);
    AjouteJournal("LogMsgError", "WritePerson : personne " + std::to_string(numero) + " non écrite : " + erreur +
                                     " (code " + NomErreurMoteur(code) + ")");
    return false;
  }
  if (reservee) reservee_ = 0;
  if (EnImport()) {
    plusGrandNumeroImport_ = std::max(plusGrandNumeroImport_, numero);
    // The batch of an import is committed and restarted every so many writes.
    if (!coeur_.CompteLot("Personnes")) return false;
  }
  return true;
}

bool TPersonnesBDD::AjoutePersonneImport(TACRTable& t, const TEnregPublic& p, long numero) {
  if (!insertionImport_)
    insertionImport_ = std::make_unique<TACRInsertion>(
        t, std::vector<std::string>(std::begin(kColonnesPersonne), std::end(kColonnesPersonne)));
  if (!insertionImport_->Valide()) return false;
  // The same values as WritePerson gives the cursor.
  TACRInsertion& r = *insertionImport_;
  int nbConj = 0, nbEnf = 0;
  r.Texte(cData, EcritData(p, nbConj, nbEnf));
  r.Entier(cID, numero);
  r.Entier(cType, static_cast<unsigned char>(p.TypePersonne));
  r.Entier(cSupprime, static_cast<unsigned char>(p.FicheSupprimee));
  r.Entier(cSexe, static_cast<unsigned char>(p.Sexe));
  r.Entier(cPere, p.Pere.No);
  r.Entier(cMere, p.Mere.No);
  r.Texte(cNom, UnicodeVersUtf8(PremiersCaracteres(p.Nom, kLongueurNom)));
  r.Texte(cPrenoms, UnicodeVersUtf8(PremiersCaracteres(p.Prenoms, kLongueurPrenoms)));
  r.Entier(cOrdrePU, p.OrdrePU);
  r.Entier(cNote, p.Note);
  r.Entier(cNbEnf, nbEnf);
  r.Entier(cNbConj, nbConj);
  if (!r.Ajoute()) {
    AjouteJournal("LogMsgError", "WritePerson : personne " + std::to_string(numero) + " non écrite : " +
                                     base_->DerniereErreur());
    return false;
  }
  plusGrandNumeroImport_ = std::max(plusGrandNumeroImport_, numero);
  return coeur_.CompteLot("Personnes");
}

bool TPersonnesBDD::PostePersonneVide(TACRTable& t, long numero) {
  InsertInTable(t);
  if (numero > 0) t.FieldByName("ID").SetInteger(numero);
  t.FieldByName("TypePersonne").SetInteger('P');
  t.FieldByName("FicheSupprimee").SetInteger(' ');
  t.FieldByName("Sexe").SetInteger('?');
  if (PostInTable(t)) return true;
  Cancel(t);
  return false;
}

bool TPersonnesBDD::EcritPersonneReservee() {
  if (reservee_ == 0) return true;
  TACRTable* t = Table("Personnes");
  if (!t || !PostePersonneVide(*t, reservee_)) return false;
  reservee_ = 0;
  return true;
}

long TPersonnesBDD::InsertPerson() {
  TACRTable* t = Table("Personnes");
  if (!t || EstLectureSeule()) return 0;
  if (EnImport()) {
    // The number the engine would give, reserved: WritePerson writes the row once, in full.
    // An earlier number still unwritten gets its empty row first.
    if (!EcritPersonneReservee()) return 0;
    reservee_ = ++plusGrandNumeroImport_;
    return reservee_;
  }
  if (!PostePersonneVide(*t, 0)) return 0;
  return static_cast<long>(t->RowId());
}

long TPersonnesBDD::GetMaxNoPers() {
  const std::vector<long> n = ListeNombres("SELECT max(ID) FROM Personnes");
  return n.empty() ? 0 : n.front();
}

long TPersonnesBDD::GetIDPersonMax() {
  if (EstThreadPrincipal() && reservee_ != 0) (void)EcritPersonneReservee();
  TACRTable* t = Table("Personnes");
  return t ? static_cast<long>(std::max<int64_t>(t->LastAutoIncValue(), GetMaxNoPers())) : 0;
}

long TPersonnesBDD::CountPerson() {
  const std::vector<long> n =
      ListeNombres("SELECT count(*) FROM Personnes WHERE ID > 0 AND FicheSupprimee <> 79");
  return n.empty() ? 0 : n.front();
}

long TPersonnesBDD::CountPersonDelete() {
  const std::vector<long> n = ListeNombres("SELECT count(*) FROM PersonnesSuppr");
  return n.empty() ? 0 : n.front();
}

bool TPersonnesBDD::PersonDeleted(long numero) {
  TACRTable* t = Table("PersonnesSuppr");
  return t && t->SetIndexName("ParID") && t->FindKey({Cle(numero)});
}

bool TPersonnesBDD::AddPersSuppr(long numero) {
  TACRTable* t = Table("PersonnesSuppr");
  if (!t || EstLectureSeule()) return false;
  if (PersonDeleted(numero)) return true;
  InsertInTable(*t);
  t->FieldByName("ID").SetInteger(numero);
  return PostInTable(*t);
}

bool TPersonnesBDD::RemovePersSuppr(long numero) {
  TACRTable* t = Table("PersonnesSuppr");
  if (!t || EstLectureSeule()) return false;
  bool supprime = false;
  while (PersonDeleted(numero)) {
    if (!DeleteInTable(*t)) return false;
    supprime = true;
  }
  return supprime;
}

std::vector<long> TPersonnesBDD::GetListPersSuppr() {
  return ListeNombres("SELECT DISTINCT ID FROM PersonnesSuppr ORDER BY ID");
}

bool TPersonnesBDD::ReadNoParents(long numero, TNoParent& parents) {
  TACRQuery q(*base_, "SELECT NoPersA, NoMersA, NoPersB, NoMersB, PerePrinc, MerePrinc FROM IDParents WHERE NoPers = :n");
  q.SetParamInteger("n", numero);
  if (!q.Open() || q.Eof()) return false;
  parents.PereA = q.Fields(0).AsInteger();
  parents.MereA = q.Fields(1).AsInteger();
  parents.PereB = q.Fields(2).AsInteger();
  parents.MereB = q.Fields(3).AsInteger();
  parents.PerePrinc = static_cast<int8_t>(q.Fields(4).AsInteger());
  parents.MerePrinc = static_cast<int8_t>(q.Fields(5).AsInteger());
  return true;
}

bool TPersonnesBDD::WriteNoParents(long numero, const TNoParent& parents) {
  TACRTable* t = Table("IDParents");
  if (!t || EstLectureSeule()) return false;
  (void)t->SetIndexName("ParNoPers");
  if (t->FindKey({Cle(numero)})) EditInTable(*t);
  else InsertInTable(*t);
  t->FieldByName("NoPers").SetInteger(numero);
  t->FieldByName("NoPersA").SetInteger(parents.PereA);
  t->FieldByName("NoMersA").SetInteger(parents.MereA);
  t->FieldByName("NoPersB").SetInteger(parents.PereB);
  t->FieldByName("NoMersB").SetInteger(parents.MereB);
  t->FieldByName("PerePrinc").SetInteger(parents.PerePrinc);
  t->FieldByName("MerePrinc").SetInteger(parents.MerePrinc);
  if (PostInTable(*t)) return true;
  Cancel(*t);
  return false;
}

bool TPersonnesBDD::DeleteNoParents(long numero) {
  TACRTable* t = Table("IDParents");
  if (!t || EstLectureSeule()) return false;
  (void)t->SetIndexName("ParNoPers");
  return t->FindKey({Cle(numero)}) && DeleteInTable(*t);
}

std::vector<std::pair<long, TNoParent>> TPersonnesBDD::ListeNoParents() {
  std::vector<std::pair<long, TNoParent>> lignes;
  TACRQuery q(*base_, "SELECT NoPers, NoPersA, NoMersA, NoPersB, NoMersB, PerePrinc, MerePrinc FROM IDParents ORDER BY NoPers");
  if (!q.Open()) return lignes;
  for (; !q.Eof(); q.Next()) {
    TNoParent p;
    p.PereA = static_cast<int32_t>(q.Fields(1).AsInteger());
    p.MereA = static_cast<int32_t>(q.Fields(2).AsInteger());
    p.PereB = static_cast<int32_t>(q.Fields(3).AsInteger());
    p.MereB = static_cast<int32_t>(q.Fields(4).AsInteger());
    p.PerePrinc = static_cast<int8_t>(q.Fields(5).AsInteger());
    p.MerePrinc = static_cast<int8_t>(q.Fields(6).AsInteger());
    lignes.emplace_back(static_cast<long>(q.Fields(0).AsInteger()), p);
  }
  return lignes;
}

std::vector<long> TPersonnesBDD::EnfantsParentB(long parent) {
  if (parent <= 0) return {};
  const std::string n = std::to_string(parent);
  return ListeNombres("SELECT NoPers FROM IDParents WHERE NoPersB = " + n + " OR NoMersB = " + n + " ORDER BY NoPers");
}

std::vector<long> TPersonnesBDD::EnfantsParLiens(long parent) {
  if (parent <= 0) return {};
  if (EstThreadPrincipal() && reservee_ != 0) (void)EcritPersonneReservee();
  const std::string n = std::to_string(parent);
  return ListeNombres("SELECT ID FROM Personnes WHERE (Pere = " + n + " OR Mere = " + n + ") AND ID > 0 ORDER BY ID");
}

void TPersonnesBDD::BeginParcoursPerson() {
  if (EstThreadPrincipal() && reservee_ != 0) (void)EcritPersonneReservee();
  parcoursPersonnes_ = std::make_unique<TACRTable>(*base_, "Personnes");
  if (!parcoursPersonnes_->Open() || !parcoursPersonnes_->SetIndexName("ParID")) {
    parcoursPersonnes_.reset();
    return;
  }
  parcoursPersonnes_->First();
}

bool TPersonnesBDD::ReadPersonParcours(TEnregPublic& p, long& numero) {
  if (!parcoursPersonnes_ || parcoursPersonnes_->Eof() || parcoursPersonnes_->IsEmpty()) return false;
  numero = parcoursPersonnes_->FieldByName("ID").AsInteger();
  p.Raz();
  LitLigne(*parcoursPersonnes_, p, false);
  parcoursPersonnes_->Next();
  return true;
}

bool TPersonnesBDD::IsIDPersExists(long noPers) {
  if (EstThreadPrincipal() && noPers == reservee_) (void)EcritPersonneReservee();
  TACRQuery q(*base_, "SELECT count(*) FROM Personnes WHERE ID = :p");
  q.SetParamInteger("p", noPers);
  return q.Open() && q.Fields(0).AsInteger() > 0;
}

bool TPersonnesBDD::ChargeParentsSosa(long nbPersonnes, std::vector<TParentsSosa>& parents) {
  if (EstThreadPrincipal() && reservee_ != 0) (void)EcritPersonneReservee();
  parents.assign(static_cast<size_t>(std::max(0L, nbPersonnes)) + 1, TParentsSosa());
  const auto dansTable = [nbPersonnes](int64_t no) { return no >= 1 && no <= nbPersonnes; };
  TACRQuery personnes(*base_, "SELECT ID, Pere, Mere FROM Personnes");
  if (!personnes.Open()) {
    parents.clear();
    return false;
  }
  for (; !personnes.Eof(); personnes.Next()) {
    const int64_t no = personnes.Fields(0).AsInteger();
    if (dansTable(no))
      parents[static_cast<size_t>(no)] = {static_cast<int32_t>(personnes.Fields(1).AsInteger()),
                                          static_cast<int32_t>(personnes.Fields(2).AsInteger())};
  }
  TACRQuery choix(*base_, "SELECT NoPers, NoPersA, NoMersA, NoPersB, NoMersB, PerePrinc, MerePrinc FROM IDParents");
  if (!choix.Open()) {
    parents.clear();
    return false;
  }
  for (; !choix.Eof(); choix.Next()) {
    const int64_t no = choix.Fields(0).AsInteger();
    if (!dansTable(no)) continue;
    TParentsSosa& p = parents[static_cast<size_t>(no)];
    p.Pere = static_cast<int32_t>(choix.Fields(5).AsInteger() == 2 ? choix.Fields(3).AsInteger() : choix.Fields(1).AsInteger());
    p.Mere = static_cast<int32_t>(choix.Fields(6).AsInteger() == 2 ? choix.Fields(4).AsInteger() : choix.Fields(2).AsInteger());
  }
  return true;
}

TLecteurParentsSosa::TLecteurParentsSosa(TModuleBDD& store)
    : requete_(std::make_unique<TACRQuery>(
          store.Database(),
          "SELECT p.Pere, p.Mere, i.NoPers, i.NoPersA, i.NoMersA, i.NoPersB, i.NoMersB, i.PerePrinc, i.MerePrinc "
          "FROM Personnes p LEFT JOIN IDParents i ON i.NoPers = p.ID WHERE p.ID = :id")) {}

TLecteurParentsSosa::~TLecteurParentsSosa() = default;

bool TLecteurParentsSosa::Lit(long no, TParentsSosa& parents) {
  parents = TParentsSosa();
  TACRQuery& q = *requete_;
  q.SetParamInteger("id", no);
  if (!q.Open() || q.Eof()) return false;
  if (q.Fields(2).IsNull()) {
    parents = {q.Fields(0).AsInteger(), q.Fields(1).AsInteger()};
  } else {
    parents.Pere = q.Fields(7).AsInteger() == 2 ? q.Fields(5).AsInteger() : q.Fields(3).AsInteger();
    parents.Mere = q.Fields(8).AsInteger() == 2 ? q.Fields(6).AsInteger() : q.Fields(4).AsInteger();
  }
  q.Close();
  return true;
}

std::vector<UnicodeString> TPersonnesBDD::GetListPersNom() {
  return ListeTextes("SELECT Distinct Nom From Personnes Order By Nom");
}

std::vector<UnicodeString> TPersonnesBDD::GetListPersPrenoms() {
  return ListeTextes("SELECT Distinct Prenoms From Personnes Order By Prenoms");
}

void TPersonnesBDD::DebutImport() {
  reservee_ = 0;
  plusGrandNumeroImport_ = std::max(GetMaxNoPers(), GetIDPersonMax());
}

bool TPersonnesBDD::FinImport() {
  const bool ecrite = EcritPersonneReservee();
  reservee_ = 0;
  return ecrite;
}

std::vector<UnicodeString> TPersonnesBDD::ListeTextes(const std::string& sql) {
  if (EstThreadPrincipal() && reservee_ != 0) (void)EcritPersonneReservee();
  return coeur_.ListeTextes(sql);
}

std::vector<long> TPersonnesBDD::ListeNombres(const std::string& sql) {
  if (EstThreadPrincipal() && reservee_ != 0) (void)EcritPersonneReservee();
  return coeur_.ListeNombres(sql);
}

}  // namespace kyb
