#pragma once
// TModuleBDD: the relational store of a genealogy folder (its ".adb" file): the tables and their
// life (creation, opening, upgrade, engine-format conversion, backup copies, compaction, repair),
// the batching of imports, error logging, and the record operations on persons and places.
//
// The module is a façade: each operation is carried by a unit of its own, private to the store
// (datamodulebdd_*_interne.h): the core (database, tables, life, batching, errors), persons,
// events and simple fields, places and values, sources and illustrations, person index rows,
// and maintenance.
//
// Threads: the module is used from the main thread ("ThreadPrincipale") and from workers. A
// worker never touches the shared table cursors: its reads run private queries on the same
// database. Schema upgrades run only on the main thread. Lock()/Unlock() guard shared state
// with waits of at most 5000 ms.
//
// Errors: engine errors go through BDDError to "LogBDD.log"; person reads and writes log their
// failures under "LogMsgError". Results are false / 0 / empty on failure; nothing throws.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/acr_database.h"
#include "engine/acr_query.h"
#include "engine/acr_table.h"
#include "platform/chaines.h"
#include "store/chps_personne.h"
#include "store/chps_simple.h"
#include "store/dossier_bdd.h"
#include "store/enreg_public.h"
#include "store/lignes_index.h"
#include "store/parents_sosa.h"
#include "store/sources_bdd.h"
#include "store/evenement.h"
#include "store/filtre_even.h"

namespace kyb {

class TCoeurBDD;
class TPersonnesBDD;
class TEvenementsBDD;
class TLieuxBDD;
class TValeursBDD;
class TSourcesBDD;
class TIndexBDD;
class TMaintenanceBDD;
class TUniteProches;
class TLecteurProches;

// One place of the places value table kept in the store.
struct TLieuBDD {
  char FicheSupprimee = 'N';
  UnicodeString Chn1, Chn2, Chn3, Chn4;
};

// Result of AnalyseBDD: the store's pages are damaged, or some records make no sense.
// A couple event of a person and the same event held by the spouse towards the person, with
// their notes.
struct TNotesCouple {
  long idA = 0, noteA = 0;  // the person's event
  long idB = 0, noteB = 0;  // the spouse's
};

// The lists of events kept in tables of their own.
enum class TListeEven { PersAssociees, Sources, Illustrations };

// What a genealogy's store tells of it without opening the genealogy.
struct TResumeBDD {
  long nbPersonnes = 0;        // live persons, record 0 excluded
  UnicodeString dateModif;     // value of "Date_Modif_Genea", empty when absent
};

struct TAnalyseBDD {
  bool endommagee = false;
  long enregistrementsFoireux = 0;
  std::string journal;  // path of the analysis log (UTF-8)
};

class TModuleBDD {
 public:
  // dossier may be null (no read-only folder, no user interface). version: "5.90".
  TModuleBDD(TDossierBDD* dossier, AnsiString cheminBdd, AnsiString version);
  ~TModuleBDD();
  TModuleBDD(const TModuleBDD&) = delete;
  TModuleBDD& operator=(const TModuleBDD&) = delete;

  [[nodiscard]] const std::string& NomBase() const;     // "AccuracerBDD_<n>"
  [[nodiscard]] const std::string& NomSession() const;  // "ses<n>"
  [[nodiscard]] const AnsiString& Chemin() const;
  [[nodiscard]] TACRDatabase& Database() { return *base_; }
  [[nodiscard]] bool Connecte() const { return base_->Connected(); }

  // --- life of the store ---
  // Creates the directory chain, the database and each missing table (an older engine generation
  // is converted first). False when nothing could be created or the file is not a store.
  [[nodiscard]] bool CreateDataBase();
  // Closes, reopens (its writers are kept one at a time by the folder's lock), upgrades when
  // asked, opens every table. False when the file is missing or is not a store (nothing written
  // then).
  [[nodiscard]] bool OpenDataBase(bool miseAJour, bool second = false);
  void CloseDataBase();
  void UpdateOldBase();
  void InitFieldCopy();
  [[nodiscard]] UnicodeString GetVersionBDD();
  void MAJTabInformation();
  // Value of a key of TabInformations; "0" (or the default given) when absent.
  [[nodiscard]] UnicodeString GetInfoChps(const std::string& cle, const UnicodeString& defaut = u"0");
  bool MAJInfoChps(const std::string& cle, const UnicodeString& valeur);
  [[nodiscard]] bool TableExiste(const std::string& nom);
  [[nodiscard]] int64_t NombreLignes(const std::string& table);
  // Opens the store file read-only for a moment (nothing written) and reads its summary. False
  // when the file cannot be opened as a database.
  [[nodiscard]] static bool LitResume(const AnsiString& cheminBdd, TResumeBDD& resume);

  // --- copies and maintenance ---
  [[nodiscard]] bool CopieADB();
  [[nodiscard]] bool RestoreOldADB(const AnsiString& cheminCopie = {});
  void DeleteCopieADB();
  [[nodiscard]] AnsiString CheminCopie() const;  // "<base>_backup.adb"
  [[nodiscard]] bool CompactBDD(bool silencieux = false);
  // False when the user abandoned the repair (answer No to the cancel question) or it failed.
  [[nodiscard]] bool RepairDatabase(bool niveau);
  [[nodiscard]] bool RepairDatabaseNiv1();
  [[nodiscard]] bool RepairDatabaseNiv2();
  [[nodiscard]] bool RepairTable(const std::string& table);
  [[nodiscard]] bool RepaireIndexUnique();
  [[nodiscard]] bool OptimisationBDD();
  void SetCancelRepair(bool annule);
  [[nodiscard]] bool IsCanceledRepair() const;
  // Converts a store of the older engine generation into the current one; the old file is kept
  // as "<base>_v4.adb". True when both renames succeeded.
  [[nodiscard]] bool ConversionADB4To5(const AnsiString& chemin);
  [[nodiscard]] static TACRFieldDefs ConvertDefsTo5(const TACRFieldDefs& anciennes);
  [[nodiscard]] bool CopyTableV4toV5(TACRTable& source, TACRTable& cible);
  void SetNameBDD(const AnsiString& chemin);
  [[nodiscard]] bool DestroyDataBaseBDD();
  void DeleteLesTables();

  // --- batching and locking ---
  // An import: writes batched in transactions of 1000 posts. With reconstruireIndex the secondary
  // indexes of persons, events and person-index rows that no look-up of an import needs are
  // dropped, the batches grow to 250,000 posts (such an import is kept whole or not at all), and
  // EndImport builds the indexes again once (an interrupted import: RetablitIndex). With
  // grandsLots alone the batches grow as well: for a fill that is redone whole when cut short.
  [[nodiscard]] bool BeginImport(bool reconstruireIndex, bool grandsLots = false);
  [[nodiscard]] bool EndImport(bool reconstruireIndex);
  [[nodiscard]] bool EnImport() const;
  [[nodiscard]] int64_t ProchainIdReserve(const std::string& table) const;
  [[nodiscard]] bool Lock();
  void Unlock();
  void InsertInTable(TACRTable& table) { table.Insert(); }
  void EditInTable(TACRTable& table) { table.Edit(); }
  [[nodiscard]] bool PostInTable(TACRTable& table);
  [[nodiscard]] bool DeleteInTable(TACRTable& table);
  void Cancel(TACRTable& table) { table.Cancel(); }
  void BDDError(const std::string& table, const std::string& message);

  // --- persons ---
  [[nodiscard]] bool ReadPerson(TEnregPublic& personne, long numero);
  [[nodiscard]] bool ReadPersonData(TEnregPublic& personne, long numero);
  [[nodiscard]] bool WritePerson(const TEnregPublic& personne, long numero);
  // Number of a new empty person, 0 on failure. During an import the number is only reserved:
  // WritePerson writes its row once, in full; the empty row is written instead when the next
  // number is asked for, when the person is read, when the persons are counted, listed or walked
  // through this module, and at the end of the import.
  [[nodiscard]] long InsertPerson();
  // During an import: the number InsertPerson has just reserved, not yet written (no row, index
  // row nor alternative parents can exist for it).
  [[nodiscard]] bool PersonneNeuve(long numero) const;
  [[nodiscard]] long GetMaxNoPers();
  [[nodiscard]] long GetIDPersonMax();
  [[nodiscard]] long CountPerson();        // live persons, record 0 excluded
  [[nodiscard]] long CountPersonDelete();  // numbers in PersonnesSuppr
  [[nodiscard]] bool PersonDeleted(long numero);
  bool AddPersSuppr(long numero);
  bool RemovePersSuppr(long numero);
  [[nodiscard]] std::vector<long> GetListPersSuppr();
  [[nodiscard]] bool ReadNoParents(long numero, TNoParent& parents);
  bool WriteNoParents(long numero, const TNoParent& parents);
  bool DeleteNoParents(long numero);
  // Every IDParents row with its person number, in number order (empty when unreadable).
  [[nodiscard]] std::vector<std::pair<long, TNoParent>> ListeNoParents();
  // The persons whose pair B (their adoptive parents) names that parent, in number order.
  [[nodiscard]] std::vector<long> EnfantsParentB(long parent);
  // The persons whose row names parent as father or mother, ascending (whether or not the
  // parent's own list of children holds them).
  [[nodiscard]] std::vector<long> EnfantsParLiens(long parent);
  // parents[n] becomes the father and mother a person object shows for person n
  // (1..nbPersonnes), read in one pass (see store/parents_sosa.h). False when the store could
  // not be read (parents left empty).
  [[nodiscard]] bool ChargeParentsSosa(long nbPersonnes, std::vector<TParentsSosa>& parents);
  // The main thread's reader of relatives (store/lecteur_proches.h), made on first use.
  [[nodiscard]] TLecteurProches& LecteurProches();
  // Walk of every person in number order on a cursor of its own.
  void BeginParcoursPerson();
  [[nodiscard]] bool ReadPersonParcours(TEnregPublic& personne, long& numero);
  void EndParcoursPerson();

  // --- person index rows (datamodulebdd_index.cpp) ---
  // Identifiers of the person's rows of IndexNomPrenoms, in increasing order.
  [[nodiscard]] std::vector<long> GetIndexPerson(long noPers);
  [[nodiscard]] bool PostInTableIndex(TACRTable& table) { return PostInTable(table); }
  // A row appended during a batch (BeginImport) through one prepared INSERT, the values stored
  // as a row posted on the cursor: its identifier, 0 when not written (not in a batch, refused).
  [[nodiscard]] int64_t AjouteLigneIndexImport(const TEnregIndexPerson& ligne);
  // Drops, then recreates, the secondary indexes of IndexNomPrenoms around a bulk load.
  bool RemoveAllIndexPersonIndex();
  bool AddAllIndexPersonIndex();
  // Deletes and recreates IndexNomPrenoms empty, its cursor reopened. False on failure.
  [[nodiscard]] bool CreerTableIndexNomPrenoms();
  // Deletes every row of the person: how many, or -1 on an engine error.
  long DeleteIndexPerson(long noPers);
  // Walk of the rows (see TOrdreLignesIndex; noPers names the person of DUnePersonne), one
  // statement prepared once, the record reused from row to row. The walk stops when action
  // returns false. False on an engine error.
  bool ParcoursLignesIndex(TOrdreLignesIndex ordre, long noPers,
                           const std::function<bool(long id, const TEnregIndexPerson&)>& action);
  // The rows of the persons nos (at most 8), in one statement, in no particular order. False on
  // an engine error.
  bool ParcoursLignesIndexDe(const std::vector<long>& nos,
                             const std::function<bool(long id, const TEnregIndexPerson&)>& action);
  // Deletes the rows whose person number is negative or above nbPersonnes: how many, -1 on an
  // engine error.
  long DeleteIndexHorsPersonnes(long nbPersonnes);
  // Birth, baptism, death and burial events held by the person (every holder when noPers is 0),
  // as (holder, label, date); hidden records are not served. False on an engine error.
  bool ParcoursEvenementsVie(long noPers, const std::function<void(long, std::string_view, const TDateKY&)>& action);
  // Repair of a genealogy: the persons numbered from premier on, with their parents, deletion
  // marks and index rows, deleted; every missing index of the schema recreated and the engine's
  // statistics refreshed.
  bool DeleteNoPers(long premier);
  bool RestructurationBDD();

  // --- places ---
  [[nodiscard]] bool TableLieuxExist();
  [[nodiscard]] bool ReadPlace(long id, TLieuBDD& lieu);
  bool WritePlace(long id, const TLieuBDD& lieu);
  [[nodiscard]] long GetNbLieux();
  // Places of the places value table (datamodulebdd_lieux.cpp). Chn4 holds the upper-case key
  // of Chn1, indexed by ParChn4, so that typed beginnings are range look-ups on that index.
  // Every row numbered 1 or more, in number order; false on an engine error.
  [[nodiscard]] bool ParcoursLieux(const std::function<void(long, const TLieuBDD&)>& action);
  // Up to maximum places (0: all) whose key begins with debutCle, in key order; deleted ones
  // only when asked.
  [[nodiscard]] std::vector<std::pair<long, TLieuBDD>> RechercheLieux(const UnicodeString& debutCle,
                                                                     int maximum, bool avecSupprimes);
  // Number of the first live place whose key is cle, 0 when none.
  [[nodiscard]] long ChercheLieu(const UnicodeString& cle);
  // Writes rows 1..lieux.size() in one transaction and deletes the rows beyond; false (nothing
  // changed) on failure.
  [[nodiscard]] bool RemplaceLieux(const std::vector<TLieuBDD>& lieux);
  // Adds the ParChn4 index to a store created without it.
  bool AssureIndexLieux();
  // Values typed in the events of a field (datamodulebdd_valeurs.cpp), through the index
  // ParLibEtDonnee: the distinct data of label libelle whose search key (_DONNEE: trimmed, first
  // 20 characters) begins with the typed beginning, in key order, up to maximum (0: all); and
  // whether a datum is there.
  [[nodiscard]] std::vector<UnicodeString> RechercheDonneesEvent(const AnsiString& libelle,
                                                                 const UnicodeString& debut, int maximum);
  [[nodiscard]] bool DonneeEventExiste(const AnsiString& libelle, const UnicodeString& donnee);

  // --- events, as far as the folder forwards them ---
  // Whether the events carry their sortable date (_DATE): an integer yyyymmdd, or the older
  // engine's date-time form of the same column.
  [[nodiscard]] bool IsDateTriableEven();
  [[nodiscard]] long GetIDEventMax();
  bool ShiftIDEvent(long minimum);  // the next event identifier will be above minimum
  [[nodiscard]] bool IsIdEventExistBDD(long id);
  bool EvenChangeNoPersA(long ancien, long nouveau);
  bool EvenChangeID(long ancien, long nouveau);
  [[nodiscard]] bool IsIDevenAssocieNoPers(long id, long noPers);
  [[nodiscard]] bool IsIDPersExists(long noPers);
  // The person's couple events (towards a spouse) whose spouse holds the same event towards the
  // person, with both notes.
  [[nodiscard]] std::vector<TNotesCouple> GetNotesCouples(long noPers);
  // Identifiers of the events held by others (not hidden) in which the person is cited, ascending.
  [[nodiscard]] std::vector<long> GetIdEvensCitant(long noPers);

  // --- sources and illustrations (datamodulebdd_sources.cpp) ---
  // The next identifier (the reserved one while importing, which then advances).
  [[nodiscard]] long ReturnNewNumSource();
  [[nodiscard]] long ReturnNewNumIllustration();
  [[nodiscard]] bool NoSourceExists(long id);
  [[nodiscard]] bool NoIllustrationExists(long id);
  [[nodiscard]] bool LectureSource(long id, TSourceBDD& source);
  [[nodiscard]] bool LectureIllustration(long id, TIllustrationBDD& illustration);
  // Edits the row of the record's identifier, or inserts one (under that identifier, or a new
  // one when it is 0, stored back into the record). False in a read-only folder or on failure.
  [[nodiscard]] bool EcritureSource(TSourceBDD& source);
  [[nodiscard]] bool EcritureIllustration(TIllustrationBDD& illustration);
  // Walks of every row in identifier order, on cursors of their own.
  void BeginParcoursSources();
  [[nodiscard]] bool GetSourceParcours(TSourceBDD& source);
  void EndParcoursSources();
  void BeginParcoursIllustrations();
  [[nodiscard]] bool GetIllustrationParcours(TIllustrationBDD& illustration);
  void EndParcoursIllustrations();

  // --- distinct values for pickers, ascending ---
  [[nodiscard]] std::vector<UnicodeString> GetListPersNom();
  [[nodiscard]] std::vector<UnicodeString> GetListPersPrenoms();
  [[nodiscard]] std::vector<UnicodeString> GetListDonneeEvent(const AnsiString& libelle);
  [[nodiscard]] std::vector<UnicodeString> GetListLieuDitEvent();
  [[nodiscard]] std::vector<long> GetListIdLieuEvent();
  [[nodiscard]] std::vector<UnicodeString> GetListDescrSources();
  [[nodiscard]] std::vector<UnicodeString> GetListTypeSource();
  [[nodiscard]] std::vector<long> GetListIdQualites();
  [[nodiscard]] std::vector<long> GetListIdParentes();
  // Identifiers of the events that have at least one row in that list.
  [[nodiscard]] std::vector<long> GetListIdEvenAvec(TListeEven liste);

  // --- events and simple fields (datamodulebdd_evenements*.cpp) ---
  // Reads by identifier (a worker thread reads through a private query). False when absent.
  [[nodiscard]] bool LectureEven(TEvenement& even, long id);
  // Inserts or updates the row, then its cited persons, illustrations and sources (the lists
  // that were loaded). The record receives its identifier. False (row cancelled) on failure.
  [[nodiscard]] bool EnregistrementEven(TEvenement& even);
  // During an import: a new event (no identifier, ranks given) appended with its lists, as
  // EnregistrementEven writes it, through one statement prepared for the import; any other
  // record goes through EnregistrementEven (datamodulebdd_evenements_import.cpp).
  [[nodiscard]] bool AjouteEvenImport(TEvenement& even);
  [[nodiscard]] bool LectureChpsSimple(TChpsSimple& chps, long id);
  [[nodiscard]] bool EnregistrementChpsSimple(TChpsSimple& chps);
  // Row <-> record: Get reads the current row of the cursor, Set fills it (derived columns too).
  void GetEvenement(TACRTable& table, TEvenement::TEnreg& enreg);
  void SetEvenement(TACRTable& table, const TEvenement::TEnreg& enreg);
  void GetChpsSimple(TACRTable& table, TChpsSimple::TEnreg& enreg);
  void SetChpsSimple(TACRTable& table, const TChpsSimple::TEnreg& enreg);
  // The three lists of an event, read (always through private queries) or rewritten.
  void ChargerPersAssocieeOfEven(TEvenement::TEnreg& enreg);
  void ChargerSourceOfEven(TEvenement::TEnreg& enreg);
  void ChargerIllustrationOfEven(TEvenement::TEnreg& enreg);
  [[nodiscard]] bool EnregistrementPersAssociees(TEvenement::TEnreg& enreg, bool nouveau = false);
  [[nodiscard]] bool UpdaterSourceOfEven(TEvenement::TEnreg& enreg, bool nouveau = false);
  [[nodiscard]] bool UpdaterIllustrationOfEven(TEvenement::TEnreg& enreg, bool nouveau = false);
  // Next identifiers (reserved ones while importing).
  [[nodiscard]] long ReturnNewNumEven();
  [[nodiscard]] long ReturnNewNumChpsSimple();
  // An event identifier ReturnNewNumEven reserved during the import under way and not yet
  // written: writing it inserts the row without looking it up.
  [[nodiscard]] bool IsReserved(long idEven) const;
  // MAX(RANG_A) of the holder's rows of that type + 1 (side B: RANG_B of NoPersB).
  [[nodiscard]] long GetNextRangEven(long noPers, int type, bool coteB = false);
  // Renumbers the RANG of an event's illustrations 1, 2, ... in their order.
  bool UpdateRang(long idEven);

  // A person's record card. Loading empties the vectors first; nothing for numbers below 1.
  void ChargerLienChpsOfPerson(TChpsPersonne& personne, int entier = 0, bool majCache = false);
  void ChargerLienChpsOfPersonThread(TChpsPersonne& personne);
  void RechargerTableEvenementTV(TChpsPersonne& personne);
  // Writes every record of the person (and deletes those removed since loading) in one
  // transaction: on failure the stored records are those of before and the vectors unchanged.
  [[nodiscard]] bool EnregistrerChpsOfPerson(TChpsPersonne& personne, bool evenements = true,
                                             bool chpsSimples = true);
  // Hides (negated holder numbers) or restores a person's records.
  bool MasquerChpsOfPerson(long noPers, bool restaurer);
  // Deletes a record with its lists (SupprimeIDOfTableEven: the row alone).
  bool SupprimeIDOfTableEven(long id);
  bool DeleteEvent(long id);
  bool SupprimeEvenDefinitvement(long id);

  // Shared events: labels whose single record is shared by several persons (field definitions
  // marked shared); the persons other than the holder stand in it as cited persons.
  void SetLibellesPartages(std::vector<AnsiString> libelles);
  [[nodiscard]] bool EstLibellePartage(const AnsiString& libelle) const;
  // Cites a person in an event (nothing when already cited or the list is full).
  bool AddPersAsso(long idEven, long noPers, long qualite = 0, long parente = 0);
  // Merges the events of that label that tell the same thing (same date, place, locality and
  // datum) into the first one, the other holders becoming cited persons. Number merged.
  int CleanSharedEvent(const AnsiString& libelle, TProgression* progression = nullptr);
  int ConversionEvenPartage(TProgression* progression = nullptr);

  // Bulk edits by label. Each returns the number of rows changed, -1 on failure.
  int ChangeTypeEvenement(const AnsiString& libelle, int type);
  int RenameEven(const AnsiString& ancien, const AnsiString& nouveau);
  int ModifChampsAvecLeLibelle(const AnsiString& libelle, const UnicodeString& ancienne,
                               const UnicodeString& nouvelle);
  int UpdateDataEvent(const AnsiString& libelle, const UnicodeString& donnee);
  int RemoveDataEvent(const AnsiString& libelle);
  int UpdateResidence(long lieuAncien, long lieuNouveau);
  // Turns the simple fields of a label into events (upgrade of PROFESSION, TITRE, DECORATION).
  int ChpsSimpleEven(const AnsiString& libelle);

  // Event search: identifier -> holder's number.
  [[nodiscard]] bool SearchEven(std::map<long, long>& resultat, const TFilterEvent& filtre);
  [[nodiscard]] static std::string SqlSearchEven(const TFilterEvent& filtre);
  // Holders of the events matching the filter, among the given persons (all when empty).
  [[nodiscard]] std::vector<long> ApplyFilterEvent(const TFilterEvent& filtre, const std::vector<long>& personnes);
  [[nodiscard]] std::vector<long> GetFilteredEventPerson(long noPers, const TFilterEvent& filtre);
  [[nodiscard]] std::vector<long> FiltreEventByLieuDate(const std::vector<long>& personnes, long lieu,
                                                        int anneeMin, int anneeMax);

  // Iterations on cursors of their own (look-ups during an iteration keep their place), on the
  // index given, from the nearest key to debut (one row back with arriere). The filter is a label:
  // only the records of that label are served. Hidden records are never served.
  bool BeginParcoursEvens(const std::string& index = "ParID", const std::string& filtre = {},
                          bool arriere = false, const TCle& debut = {});
  [[nodiscard]] bool EofParcoursEvens() const;
  bool GetEvenParcours(TEvenement& even);
  void EndParcoursEvens();
  bool BeginParcoursChpsSimple(const std::string& index = "ParID", const std::string& filtre = {},
                               bool arriere = false, const TCle& debut = {});
  [[nodiscard]] bool EofParcoursChpsSimple() const;
  bool GetChpsSimpleParcours(TChpsSimple& chps);
  void EndParcoursChpsSimple();
  // One walk over events and simple fields together, in the order of the index given: each call
  // serves the next record into even (estEven true) or chps. Hidden records are never served.
  // Half the reading of two walks side by side over the same table.
  bool BeginParcoursFiches(const std::string& index = "ParID");
  bool GetFicheParcours(TEvenement& even, TChpsSimple& chps, bool& estEven);
  void EndParcoursFiches();

  // Text preparation for SQL literals, and the form compared with _DONNEE.
  [[nodiscard]] static UnicodeString ConvertirChaineFormatSQL(const UnicodeString& texte);
  [[nodiscard]] static UnicodeString FormatChaine_Donnee(const UnicodeString& texte, bool echappe);
  // Stamps "Date_Modif_Genea" (not while importing).
  void UpdateDateModifGenea();

  // The cursor of a table for look-ups (null when the table is not open).
  [[nodiscard]] TACRTable* Table(const std::string& nom);

  // --- safety of the data (datamodulebdd_securite.cpp) ---
  // What the last repair kept and lost, table by table, and its French report.
  [[nodiscard]] const TBilanReparation& DernierBilanReparation() const;
  [[nodiscard]] std::vector<std::string> RapportReparation() const;
  // Creates every index of the schema missing from an existing table (an import stopped before
  // its end leaves them dropped); logs each one. The count restored.
  int RetablitIndex();
  // Checks the store and its events and sources; findings go to "DataModuleBDD_AnalyseBDD.log".
  [[nodiscard]] TAnalyseBDD AnalyseBDD();
  // Kind of the last failure, as the engine reports it.
  [[nodiscard]] TErreurMoteur CodeErreur() const { return base_->CodeErreur(); }

 private:
  // Created in this order and destroyed in the reverse one: the units drop their cursors and
  // queries before the core closes the database.
  std::unique_ptr<TCoeurBDD> coeur_;
  TACRDatabase* base_;  // the core's database
  std::unique_ptr<TPersonnesBDD> personnes_;
  std::unique_ptr<TLieuxBDD> lieux_;
  std::unique_ptr<TValeursBDD> valeurs_;
  std::unique_ptr<TEvenementsBDD> evenements_;
  std::unique_ptr<TSourcesBDD> sources_;
  std::unique_ptr<TIndexBDD> index_;
  std::unique_ptr<TMaintenanceBDD> maintenance_;
  std::unique_ptr<TUniteProches> proches_;  // made on first use
};

// The cause of a store failure in French, from its engine code: full disk, store in use by
// another program, damaged store (with the repair command), file we may not write, other.
[[nodiscard]] std::string TexteErreurBDD(TErreurMoteur code, const std::string& cheminUtf8);

}  // namespace kyb
