#pragma once
// The person index of a genealogy folder, in its two forms kept in step:
// - the rows of the store table IndexNomPrenoms, one per (surname element, given-name element)
//   pair of a live person, at most 10 per person;
// - the in-memory index (TGestEltIndex), restored at opening from the ".prx2" file and saved to
//   it at closing.
//
// TFicIndexPerson owns both for one folder. Every person save calls ModifClef; deletions call
// SupprimeClef. The ".prx2" is trusted only when it is at least as recent as the store file, holds
// as many entries as there are rows, and a sample of its entries matches the rows; otherwise the
// in-memory index is rebuilt from the rows and the user is told why. The file is read at the
// first use of the in-memory index, not at opening: a command that reads one person costs no
// index, and a search that walks few entries reads the file in place (VueFichier) rather than
// loading it. On a writable folder the file is removed once read, so that a crash before the next
// closing leaves no file to trust; a file never read keeps its place and takes the store's date.
// Rows written while the file is unread make it stale: it is removed and memory is reloaded from
// the rows when next used.
//
// Counting the rows walks the whole table, so it is done only when needed: the file records the
// last row number of the table (its autoincrement) when it was written, and while the table still
// ends there no row was added since, and none removed (every removal reads the file first, which
// removes it): the count of the file's entries is the count of the rows.
//
// Main thread only.
#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "folder/index_personnes.h"
#include "index/annees_vie.h"
#include "names/enreg_index.h"
#include "names/gest_elt_index.h"
#include "names/vue_fichier_index.h"
#include "platform/fichier_projete.h"
#include "platform/chaines.h"
#include "platform/interface_utilisateur.h"
#include "store/enreg_public.h"

namespace kyb {

class TFicIndexPerson;
class TGestFichier;
class TGenealogieMemoire;
class TPersonnesImportees;
class TModuleBDD;
class TPerson;

// One index row and its identifier.
class TIndexPerson {
 public:
  using TEnreg = TEnregIndexPerson;

  // id below 1 other than -2: empty record; -2: the row under the table's cursor; positive: that
  // row, looked up by its identifier.
  TIndexPerson(TFicIndexPerson* fichier, long id);

  // False (record left as it was) when the row cannot be read.
  [[nodiscard]] bool Lecture(long id);
  // Writes the record: a new row when insert, else over row id. Returns the row's identifier, or
  // -1 when the row is missing, belongs to another person (a line goes to the application log)
  // or cannot be written.
  [[nodiscard]] long Enregistrement(long id, TFicIndexPerson* proprietaire, bool insert);
  // The fields common to all rows of the person: ranks cleared, type, deletion mark, sex, number
  // and lifetime range (from the record card when it is loaded, else from the stored events).
  void Set(const TEnregPublic& personne, long numero, TAnneesVie annees = {});
  void Set(const TPerson& personne);
  // Each bound as int16; 0 or a value that is not a year gives 0.
  void SetAnneeMinAnneeMax(double anneeMin, double anneeMax);
  [[nodiscard]] static std::vector<long> GetIDIndexByNoPers(TModuleBDD& store, long noPers);
  // A row that cannot come from a person of a folder of nbPersonnes records.
  [[nodiscard]] static bool EnregFoireux(const TEnreg& enreg, long nbPersonnes);

  TEnreg Enreg;
  long ID = 0;

 private:
  TFicIndexPerson* fichier_;
};

// What a consistency check found, by kind of damage (counts of rows, or of persons).
struct TBilanIndex {
  long LignesLues = 0;
  long LignesPersonneAbsente = 0;    // rows naming a person beyond the file or unreadable
  long LignesPersonneSupprimee = 0;  // rows of a deleted person
  long LignesEnDouble = 0;           // a second row of the same entry for the same person
  long LignesPerimees = 0;           // rows that no longer match the person's names
  long LignesHorsMemoire = 0;        // rows missing from the in-memory index
  long LignesFoireuses = 0;          // rows that no person could have given
  long PersonnesSansLignes = 0;      // live persons whose rows are missing or incomplete
  long ElementsSansLigne = 0;        // in-memory entries that no row backs
  long PersonnesReparees = 0;        // persons whose rows were rewritten or removed
  bool MemoireRechargee = false;     // the in-memory index was reloaded from the rows

  [[nodiscard]] long Defauts() const {
    return LignesPersonneAbsente + LignesPersonneSupprimee + LignesEnDouble + LignesPerimees +
           LignesHorsMemoire + LignesFoireuses + PersonnesSansLignes + ElementsSansLigne;
  }
};

// What the repair of a genealogy (ReconstruitIndex) did.
struct TBilanReconstruction {
  bool Abandonnee = false;        // the user cancelled, or the store could not be repaired
  long NbPersonnes = 0;           // person records after the repair
  long FichesRecreees = 0;        // numbers without a record, recreated as deleted records
  long LiensRetires = 0;          // links to no person, or to a deleted one, removed
  long LiensNonReciproques = 0;   // links the other person does not return (reported only)
  long TypesCorriges = 0;         // witnesses with family links made persons
  long OrdresCorriges = 0;        // persons whose spouses or children were compacted or reordered
  long NotesRetirees = 0;         // person notes pointing beyond the notes file, removed
  long NotesCouplesCompletees = 0;  // couple notes copied to the side that had none
  long PersonnesEnTrop = 0;       // store persons beyond the count, deleted
  long Signalements = 0;          // entries of the error report
  AnsiString Rapport;             // path of the error report, empty when nothing was reported
};

class TFicIndexPerson final : public TIndexPersonnesDossier {
 public:
  static constexpr int kMaxLignesParPersonne = 10;
  static constexpr long kSeuilFenetre = 20000;  // rows above which reloading shows progress

  // The index of an open folder (null when it was opened without one).
  [[nodiscard]] static TFicIndexPerson* De(const TGestFichier& dossier);
  // The factory a folder opening takes to open its person index.
  [[nodiscard]] static TFabriqueIndexPersonnes Fabrique();

  // How the in-memory index was obtained at opening.
  enum class TOrigine { Fichier, Reconstruit, Vide };

  // Opens the index of the folder (see the file comment). reset deletes the ".prx2" and starts
  // empty. barre is kept for the saving at closing.
  TFicIndexPerson(TGestFichier* dossier, bool reset, TProgression* barre);
  // Saves the in-memory index to the ".prx2" unless the folder is read-only.
  ~TFicIndexPerson() override;
  TFicIndexPerson(const TFicIndexPerson&) = delete;
  TFicIndexPerson& operator=(const TFicIndexPerson&) = delete;

  // Writes the rows of the person (at most 10), reusing its existing rows when lookUpRows, and
  // updates the in-memory index when memoire (appended unsorted when bulk). A deleted person
  // loses its rows and entries. While the store imports, the person form writes the rows only
  // and the in-memory index is reloaded from them when next used (one sort instead of an
  // ordered insertion per person).
  void ModifClef(const TPerson& personne, bool lookUpRows = true, bool bulk = false, bool memoire = true);
  void ModifClef(const TEnregPublic& personne, long numero, bool lookUpRows, bool bulk, bool memoire) override;
  // The same for a person just saved by the person object (see TIndexPersonnesDossier).
  void PersonneEcrite(const TEnregPublic& personne, long numero, const TChpsPersonne* fiche, bool lookUpRows) override;
  void ModifClef(const TEnregPublic& personne, long numero, TAnneesVie annees, bool lookUpRows, bool bulk,
                 bool memoire);
  // Removes the person's entries from memory and, when disque, its rows (during a repair the
  // rows wait in the pending set for SupprimeClefDisque).
  void SupprimeClef(long noPers, bool disque);
  void SupprimeClef(const TPerson& personne, bool disque);
  void SupprimeClefDisque(const std::set<long>& numeros);
  void SupprimeClefDisque() { SupprimeClefDisque(aSupprimer_); aSupprimer_.clear(); }

  // Recreates the table and every row from the persons, then reloads memory. False when the
  // table could not be recreated.
  [[nodiscard]] bool ReinitTableIndex() override;
  // The same from what an import gathered while writing (gest_fic_index_import.cpp): every row
  // as ReinitTableIndex writes it, without reading the persons or their events back.
  [[nodiscard]] bool RemplitApresImport(TPersonnesImportees& personnes);
  // Reloads memory from the rows (unsorted, then sorted once) and saves the ".prx2".
  void ReinitTableIndexBis() override;
  // Regenerates every row (and memory when asked) in bulk from an empty table, secondary indexes
  // dropped meanwhile.
  void AddAllIndexComplete(bool memoire);

  // Recomputes each live person's entries and rewrites the rows that differ from them; reloads
  // memory when entries were missing there. Returns the number of persons rewritten.
  int CheckIndexValidComplete(TProgression* barre);
  // Checks every row against its person and against memory, then every person against its rows;
  // with repare, rewrites or removes what is wrong and reloads memory when it disagrees.
  TBilanIndex CheckIndexValid(TProgression* barre, bool repare = true);
  // What is wrong with one row of a person (personne null: the person is missing), given the
  // entries that person gives and the entries of its rows already seen. The row's entry joins
  // dejaVues.
  enum class TDefautLigne { Aucun, PersonneAbsente, PersonneSupprimee, EnDouble, Perimee, HorsMemoire, Foireuse };
  [[nodiscard]] TDefautLigne CheckOneIndex(const TEnregIndexPerson& ligne, const TEnregPublic* personne,
                                           const std::vector<TEnregIndexPerson>& attendues,
                                           std::vector<TEltIndex>& dejaVues) const;

  // --- searches (gest_fic_index_recherche.cpp) ---
  struct TTrouve {
    int32_t NoPers = 0;
    bool Exact = false;  // the keys matched; otherwise the phonetic codes
    int Position = -1;   // of the first entry of that person found
    int16_t AnneeMin = 0, AnneeMax = 0;  // lifetime range of that entry
  };
  // Persons whose surname key equals the key of nom (and given-name key that of prenom, when
  // not empty), in index order; then those whose phonetic codes are the same. At most max.
  [[nodiscard]] std::vector<TTrouve> ChercheNom(const UnicodeString& nom, const UnicodeString& prenom,
                                                size_t max);
  // One found person as a list shows it: "MARTIN Jean Pierre (1850-1910)", an unknown year as
  // "?", an estimated one as "~1910", no parentheses when both are unknown.
  [[nodiscard]] UnicodeString LibelleTrouve(const TTrouve& trouve) const;
  [[nodiscard]] static UnicodeString TexteAnnees(int16_t anneeMin, int16_t anneeMax, bool estimeeMin = false,
                                                 bool estimeeMax = false);
  // The lifetime range of the person's principal row (its usual given name, else its first), read
  // from its rows alone; (0, 0) when it has none.
  [[nodiscard]] std::pair<int16_t, int16_t> AnneesPrincipales(int32_t noPers) const;
  // Position of the first entry of each surname whose phonetic code is code, in index order.
  [[nodiscard]] std::vector<int32_t> DebutsNomsCode(std::u16string_view code) const;
  // Number of person records of the folder.
  [[nodiscard]] long NbPersonnesConnues() const { return NbPersonnes(); }

  // --- repair of a genealogy (gest_fic_index_reparation.cpp) ---
  // The store repaired (niveau 2 and above: its deeper level), the person count checked against
  // the store (the user confirms a higher one), then every person read, its links checked, its
  // index rows and entries written anew; couple notes and person notes checked last. With
  // corrige, what can be corrected without losing anything is corrected; otherwise it is only
  // reported. Problems go to the error report "err.txt" of the folder, one entry per person.
  TBilanReconstruction ReconstruitIndex(int niveau, bool corrige);
  // Empties the cache of persons, so that the repair reads the store.
  void ReparationBDD();
  // Couple events of the person that its spouse also holds (same label, the two persons in
  // opposite roles): a note on one side only is copied to the other when modifie. Different notes
  // on both sides are both kept and reported. Returns the number of notes copied (or to copy).
  int SynchroNotesCouples(long noPers, bool modifie);
  // Appends one entry for the person to the error report being built (see the file comment of
  // gest_fic_index_reparation.cpp).
  void MsgErreurNote(const UnicodeString& message, TPerson& personne);
  [[nodiscard]] const std::string& TexteRapport() const { return rapport_; }

  void LectureEntete();
  void EcritureEntete() {}  // the rows live in the store: no header to write
  void Raz();
  // Replaces the in-memory index by an empty one of that capacity.
  void InitTailleIndex(long taille) override;

  // The in-memory index, reloaded first when an import left it behind the rows.
  [[nodiscard]] TGestEltIndex* Index();
  // The trusted index file read in place while the in-memory index is not loaded
  // (gest_fic_index_vue.cpp). Null once the index is loaded, for a file without the appendix of
  // vue_fichier_index.h (an older one: Index() reads it whole), for a file that does not match
  // the rows, and from the call after a read found the view damaged (Index() then reads the file
  // whole, which rebuilds from the rows when it is damaged).
  [[nodiscard]] const TVueFichierIndex* VueFichier();
  // After a search through the view: some entries it read are checked against the rows (see
  // gest_fic_index_vue.cpp); true when the view was found damaged or wrong, and the search must
  // run again over Index().
  [[nodiscard]] bool VueEndommagee();
  [[nodiscard]] TGestFichier* Dossier() const { return dossier_; }
  [[nodiscard]] TModuleBDD* Store() const;
  // Counted at the first call when no trusted file gave it.
  [[nodiscard]] long NbLignes() const;
  // Both read the index file first when it is still waiting to be read.
  [[nodiscard]] TOrigine Origine() {
    (void)Memoire();
    return origine_;
  }
  // Why the index was rebuilt at opening or at its first use (French), empty otherwise.
  [[nodiscard]] const UnicodeString& MotifReconstruction() {
    (void)Memoire();
    return motif_;
  }
  // Increases at every change of the in-memory index.
  [[nodiscard]] unsigned long Generation() const { return generation_; }
  // Surnames in the table of phonetic codes (built by the first phonetic search after a change).
  [[nodiscard]] size_t NbNomsCodes() const { return codes_.size(); }
  // While a repair runs, SupprimeClef leaves the rows to SupprimeClefDisque.
  void SetReparationEnCours(bool oui) { reparationEnCours_ = oui; }
  [[nodiscard]] const std::set<long>& ASupprimer() const { return aSupprimer_; }
  [[nodiscard]] AnsiString NomFichier() const { return nomFichier_; }

  // The entries the person's names give, in row order (surname-major), repeats skipped, at most 10.
  [[nodiscard]] static std::vector<TEnregIndexPerson> EntreesPersonne(const TEnregPublic& personne, long numero,
                                                                      TAnneesVie annees = {});
  // Lifetime range of a person from its stored events, unknown bounds completed by estimation
  // (gest_fic_index_annees.cpp).
  [[nodiscard]] TAnneesVie AnneesVie(long numero) const;
  // Only what the stored events state.
  [[nodiscard]] TAnneesVie AnneesDeclarees(long numero) const;
  // The range given completed by the estimation of the person from its relatives.
  [[nodiscard]] TAnneesVie EstimeAnnees(long numero, TAnneesVie declarees) const;
  // The ranges of persons 1..nb (element 0 unused), from one walk of the stored events, completed
  // by estimation over the whole genealogy read into memory.
  [[nodiscard]] std::vector<TAnneesVie> AnneesVieToutes(long nb) const;
  // Completes the unknown bounds of the ranges of persons 1..size - 1 by that estimation.
  void CompleteParEstimation(std::vector<TAnneesVie>& annees) const;
  // The same over a genealogy already in memory.
  void CompleteParEstimation(std::vector<TAnneesVie>& annees, TGenealogieMemoire& genealogie) const;
  // The persons whose estimation reads this one: its parents, spouses and children, and its
  // father's children when both parents are known (each once, in number order).
  [[nodiscard]] std::vector<long> ProchesEstimes(long numero) const;
  // After the person was written: rewrites the rows of those of ProchesEstimes whose years no
  // longer match their estimate. Returns the number of persons rewritten.
  int MajAnneesProches(long numero);
  // Rewrites the years of the rows that differ from AnneesVieToutes (after an import): the
  // number of rows rewritten (memory then reloaded from the rows), -1 when the store could not
  // be read or written.
  long MajAnneesEstimees();

 private:
  // Ends a filling of the rows: indexes back, header read, the index marked done; memory sorted
  // when it took every row as written (memoireRemplie), reloaded from the rows otherwise.
  bool TermineRemplissage(bool import, bool memoireRemplie = false);
  // One person's rows and entries, the years taken from the card when given.
  void EcritPersonne(const TEnregPublic& personne, long numero, const TChpsPersonne* fiche, bool lookUpRows,
                     bool bulk, bool memoire);
  friend class TIndexPerson;
  [[nodiscard]] bool RestaureFichier();
  // A file of n entries whose footer recorded derniereLigne (0: unknown) holds as many entries as
  // there are rows (see the file comment); the rows are counted only when the table has moved on.
  [[nodiscard]] bool LignesDuFichier(long n, uint64_t derniereLigne);
  // The last row number of the table (its autoincrement), 0 when unknown.
  [[nodiscard]] int64_t DerniereLigneStore() const;
  // A row was added under that number.
  void LigneAjoutee(long id) {
    if (derniereLigne_ >= 0) derniereLigne_ = std::max<int64_t>(derniereLigne_, id);
    if (nbLignes_ >= 0) ++nbLignes_;
  }
  // Rows are about to be written while the file is unread: the file no longer matches them.
  void AbandonneFichier();
  // n entries equal to the rows' count: a sample spread over them must each match a row of its
  // person and follow one another in order (a file of another genealogy, or an older one, fails).
  // Sets motif_ when it fails.
  [[nodiscard]] bool EchantillonConforme(int n, const std::function<TEltIndex(int)>& entree);
  // The entry matches a row of its person.
  [[nodiscard]] bool EntreeConforme(const TEltIndex& e);
  void LibereVue();
  // The in-memory index, read from the file first when the opening left it there.
  TGestEltIndex* Memoire();
  // Rebuilds memory from the rows and tells the user why (motif_), when there is a reason.
  void Reconstruit();
  [[nodiscard]] UnicodeString ControleFichier();
  void Signale(const UnicodeString& texte) const;
  void SauveFichier();
  // One person of the repair: links checked (and corrected), rows and entries written.
  void ReparePersonne(TPerson& p, TAnneesVie annees, bool corrige, TBilanReconstruction& bilan);
  void VerifieNotePersonne(TPerson& p, bool corrige, TBilanReconstruction& bilan);
  void RechargeMemoire();
  // RechargeMemoire's steps: memory emptied and the file dropped (the store, or null when the
  // rows do not go to memory), then the entries added sorted.
  TModuleBDD* VideMemoire();
  void ClasseMemoire();
  [[nodiscard]] long NbPersonnes() const;
  [[nodiscard]] bool LectureSeule() const;
  void Modifie() { ++generation_; }
  // Memory follows the rows of one person: entries of the rows replaced or deleted leave it, the
  // entries written join it.
  void MetAJourMemoire(std::vector<TEltIndex> anciennes, std::vector<TEltIndex> nouvelles, bool bulk);
  template <class F>
  void PourChaquePersonne(F&& f);

  TGestFichier* dossier_;
  std::unique_ptr<TGestEltIndex> index_;
  mutable long nbLignes_ = -1;  // rows of the table, -1 until counted
  int64_t derniereLigne_ = -1;  // last row number while memory matches the rows, -1 unknown
  std::set<long> aSupprimer_;
  TProgression* barre_;
  AnsiString nomFichier_;
  TOrigine origine_ = TOrigine::Vide;
  UnicodeString motif_;
  unsigned long generation_ = 0;
  // Phonetic code of each surname with the position of its first entry, sorted; rebuilt after
  // changes (gest_fic_index_recherche.cpp).
  void ConstruitCodes() const;
  mutable std::vector<std::pair<uint64_t, int32_t>> codes_;
  mutable unsigned long generationCodes_ = ~0UL;
  mutable size_t elementsCodes_ = 0;
  bool reparationEnCours_ = false;
  std::string rapport_;  // error report of the repair being run (UTF-8)
  long signalements_ = 0;
  bool aRecharger_ = false;  // rows written during an import, memory not yet reloaded
  bool differe_ = false;     // the trusted file is not read yet (see Memoire)
  TFichierProjete projection_;           // the file mapped for vue_
  std::optional<TVueFichierIndex> vue_;  // over projection_
  bool vueEssayee_ = false;
  int entreesControlees_ = 0;  // entries of vue_ found matching the rows
};

}  // namespace kyb
