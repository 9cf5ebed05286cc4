#pragma once
// Events and simple fields in the store: the table Evenements (Type 0 events, other types simple
// fields) with the three lists of an event (PersAssociees, Sources, Illustrations); one record
// read or written, a person's record card, hiding, shared events, the event search, edits by
// label and the walks. Records are bound to the module that owns this unit. Private to the store.
//
// Threads: a worker never touches the cursors of the unit; it reads through private queries.
#include <map>
#include <set>
#include <memory>
#include <string>
#include <vector>

#include "engine/acr_insertion.h"
#include "store/chps_personne.h"
#include "store/colonnes_curseur.h"
#include "store/datamodulebdd.h"
#include "store/datamodulebdd_coeur_interne.h"
#include "store/evenement_interne.h"

namespace kyb {

class TLieuxBDD;

// A query prepared once and kept, with the positions of the columns of Evenements it returns.
struct TRequeteEven {
  TRequeteEven(TACRDatabase& base, std::string sql) : requete(base, std::move(sql)) {}
  const std::vector<int>& Colonnes() { return colonnes.Positions(requete, kColonnesEven); }
  TACRQuery requete;
  TColonnesCurseur colonnes;
};

// One walk of Evenements on a cursor of its own: the records of one kind (0 events, 1 simple
// fields, -1 both), of one label when a filter is given; hidden records are stepped over.
class TParcoursFiches {
 public:
  bool Debut(TACRDatabase& base, int sorte, const std::string& index, const std::string& filtre, bool arriere,
             const TCle& debut);
  [[nodiscard]] bool Eof() const { return !c_ || c_->Eof() || c_->IsEmpty(); }
  [[nodiscard]] TACRTable& Curseur() { return *c_; }
  [[nodiscard]] const std::vector<int>& Colonnes() { return colonnes_.Positions(*c_, kColonnesEven); }
  void Suivant();  // to the next row served
  void Fin() {
    c_.reset();
    colonnes_.Oublie();
  }

 private:
  [[nodiscard]] bool Garde();
  std::unique_ptr<TACRTable> c_;
  TColonnesCurseur colonnes_;
  int sorte_ = 0;
  std::string filtre_;
};

class TEvenementsBDD : public TUniteBDD {
 public:
  TEvenementsBDD(TCoeurBDD& coeur, TModuleBDD& module, TLieuxBDD& lieux)
      : TUniteBDD(coeur), module_(module), lieux_(lieux) {}
  void FermeCurseurs() override;

  // --- one record (datamodulebdd_evenements.cpp) ---
  [[nodiscard]] bool LectureEven(TEvenement& even, long id) { return LitFiche(even, id); }
  [[nodiscard]] bool EnregistrementEven(TEvenement& even) { return EnregistreFiche(even); }
  [[nodiscard]] bool AjouteEvenImport(TEvenement& even);  // datamodulebdd_evenements_import.cpp
  [[nodiscard]] bool LectureChpsSimple(TChpsSimple& chps, long id) { return LitFiche(chps, id); }
  [[nodiscard]] bool EnregistrementChpsSimple(TChpsSimple& chps) { return EnregistreFiche(chps); }
  void GetEvenement(TACRTable& table, TEvenement::TEnreg& enreg);
  void SetEvenement(TACRTable& table, const TEvenement::TEnreg& enreg);
  void GetChpsSimple(TACRTable& table, TChpsSimple::TEnreg& enreg);
  void SetChpsSimple(TACRTable& table, const TChpsSimple::TEnreg& enreg);
  void ChargerPersAssocieeOfEven(TEvenement::TEnreg& enreg);
  void ChargerSourceOfEven(TEvenement::TEnreg& enreg);
  void ChargerIllustrationOfEven(TEvenement::TEnreg& enreg);
  [[nodiscard]] bool EnregistrementPersAssociees(TEvenement::TEnreg& enreg, bool nouveau);
  [[nodiscard]] bool UpdaterSourceOfEven(TEvenement::TEnreg& enreg, bool nouveau);
  [[nodiscard]] bool UpdaterIllustrationOfEven(TEvenement::TEnreg& enreg, bool nouveau);
  [[nodiscard]] long ReturnNewNumEven();
  [[nodiscard]] long GetNextRangEven(long noPers, int type, bool coteB);
  // The ranks of a record are valid: holder rank from 1 and held by no other row of the holder
  // and kind; the same on the spouse's side of a couple record (datamodulebdd_rangs.cpp).
  template <class TEnreg>
  [[nodiscard]] bool InfoRangValide(const TEnreg& e, int type) {
    return e.RangA >= 1 && (e.NoPersA <= 0 || RangLibre(false, e.NoPersA, type, e.RangA, e.ID)) &&
           (type != 0 || e.NoPersB == 0 ||
            (e.RangB >= 1 && (e.NoPersB <= 0 || RangLibre(true, e.NoPersB, 0, e.RangB, e.ID))));
  }
  // An identifier ReturnNewNumEven reserved during the import under way and not yet written: no
  // row can hold it, so writing it needs no look-up.
  [[nodiscard]] bool IsReserved(long id) const { return EnImport() && reserves_.count(static_cast<int32_t>(id)) > 0; }
  bool UpdateRang(long idEven);
  bool SupprimeIDOfTableEven(long id);
  bool DeleteEvent(long id);
  bool SupprimeEvenDefinitvement(long id);
  [[nodiscard]] long GetIDEventMax();
  bool ShiftIDEvent(long minimum);
  [[nodiscard]] bool IsIdEventExistBDD(long id);
  bool EvenChangeNoPersA(long ancien, long nouveau);
  bool EvenChangeID(long ancien, long nouveau);
  [[nodiscard]] bool IsIDevenAssocieNoPers(long id, long noPers);
  [[nodiscard]] std::vector<TNotesCouple> GetNotesCouples(long noPers);
  [[nodiscard]] bool IsDateTriableEven();
  [[nodiscard]] std::vector<long> GetIdEvensCitant(long noPers);

  // --- a person's record card (datamodulebdd_chps_personne.cpp) ---
  void ChargerLienChpsOfPerson(TChpsPersonne& personne);
  void ChargerLienChpsOfPersonThread(TChpsPersonne& personne);
  void RechargerTableEvenementTV(TChpsPersonne& personne);
  [[nodiscard]] bool EnregistrerChpsOfPerson(TChpsPersonne& personne, bool evenements, bool chpsSimples);
  bool MasquerChpsOfPerson(long noPers, bool restaurer);
  void SetLibellesPartages(std::vector<AnsiString> libelles) { libellesPartages_ = std::move(libelles); }
  [[nodiscard]] bool EstLibellePartage(const AnsiString& libelle) const;
  bool AddPersAsso(long idEven, long noPers, long qualite, long parente);

  // --- search, edits by label, shared events (datamodulebdd_filtres.cpp) ---
  [[nodiscard]] bool SearchEven(std::map<long, long>& resultat, const TFilterEvent& filtre);
  [[nodiscard]] static std::string SqlSearchEven(const TFilterEvent& filtre);
  [[nodiscard]] std::vector<long> ApplyFilterEvent(const TFilterEvent& filtre, const std::vector<long>& personnes);
  [[nodiscard]] std::vector<long> GetFilteredEventPerson(long noPers, const TFilterEvent& filtre);
  [[nodiscard]] std::vector<long> FiltreEventByLieuDate(const std::vector<long>& personnes, long lieu,
                                                        int anneeMin, int anneeMax);
  int ChangeTypeEvenement(const AnsiString& libelle, int type);
  int RenameEven(const AnsiString& ancien, const AnsiString& nouveau);
  int ModifChampsAvecLeLibelle(const AnsiString& libelle, const UnicodeString& ancienne,
                               const UnicodeString& nouvelle);
  int UpdateDataEvent(const AnsiString& libelle, const UnicodeString& donnee);
  int UpdateResidence(long lieuAncien, long lieuNouveau);
  int ChpsSimpleEven(const AnsiString& libelle);
  int CleanSharedEvent(const AnsiString& libelle, TProgression* progression);  // datamodulebdd_partages.cpp
  int ConversionEvenPartage(TProgression* progression);
  [[nodiscard]] static UnicodeString ConvertirChaineFormatSQL(const UnicodeString& texte);
  [[nodiscard]] static UnicodeString FormatChaine_Donnee(const UnicodeString& texte, bool echappe);

  // --- walks (datamodulebdd_parcours_fiches.cpp) ---
  bool BeginParcoursEvens(const std::string& index, const std::string& filtre, bool arriere, const TCle& debut) {
    return parcoursEvens_.Debut(*base_, 0, index, filtre, arriere, debut);
  }
  [[nodiscard]] bool EofParcoursEvens() const { return parcoursEvens_.Eof(); }
  bool GetEvenParcours(TEvenement& even);
  void EndParcoursEvens() { parcoursEvens_.Fin(); }
  bool BeginParcoursChpsSimple(const std::string& index, const std::string& filtre, bool arriere,
                               const TCle& debut) {
    return parcoursChps_.Debut(*base_, 1, index, filtre, arriere, debut);
  }
  [[nodiscard]] bool EofParcoursChpsSimple() const { return parcoursChps_.Eof(); }
  bool GetChpsSimpleParcours(TChpsSimple& chps);
  void EndParcoursChpsSimple() { parcoursChps_.Fin(); }
  bool BeginParcoursFiches(const std::string& index) { return parcoursFiches_.Debut(*base_, -1, index, {}, false, {}); }
  bool GetFicheParcours(TEvenement& even, TChpsSimple& chps, bool& estEven);
  void EndParcoursFiches() { parcoursFiches_.Fin(); }

 private:
  // Merging a copy of a shared event into the kept one (datamodulebdd_partages.cpp).
  [[nodiscard]] bool FusionneCopie(TEvenement& garde, TEvenement& copie);
  [[nodiscard]] bool RattacheTranscriptions(const TEvenement::TEnreg& garde, const TEvenement::TEnreg& copie);
  // Events and simple fields are read and written by one template each (the kind's own columns
  // come from LitLigne / SetEvenement / SetChpsSimple).
  template <class TFiche>
  [[nodiscard]] bool LitFiche(TFiche& fiche, long id);
  // controleRang: a record written alone has its holder and spouse ranks checked
  // (InfoRangValide) and, when wrong, given the next free one.
  template <class TFiche>
  [[nodiscard]] bool EcritFiche(typename TFiche::TEnreg& enreg, bool controleRang = false);
  template <class TFiche>
  [[nodiscard]] bool EnregistreFiche(TFiche& fiche);
  [[nodiscard]] bool EcritEven(TEvenement::TEnreg& enreg);
  [[nodiscard]] bool EcritChpsSimple(TChpsSimple::TEnreg& enreg);
  // A list of an event rewritten whole; remplit(entry, rank) fills the inserted row.
  template <class TEntree, class Remplit>
  [[nodiscard]] bool EcritListe(TACRTable* table, int32_t idEven, bool nouveau, std::vector<TEntree>& entrees,
                                const Remplit& remplit);
  // A list of an event read through a private query (parameter :id); lit(query) gives an entry.
  template <class TEntree, class Lit>
  void ChargeListe(int32_t idEven, const char* sql, std::vector<TEntree>& entrees, bool& chargee, const Lit& lit);
  // Serves the current row of a walk into the record of its kind.
  template <class TFiche>
  void LitParcours(TParcoursFiches& parcours, TFiche& fiche);
  void AddEventPartager(TChpsPersonne& personne);
  // A rank to rewrite after a person's card was loaded (TermineRecompacter).
  struct TCorrectionRang {
    int32_t id;
    bool coteB;
    int32_t rang;
  };
  [[nodiscard]] bool LitChpsPersonne(TChpsPersonne& personne, bool viaRequetes,
                                     std::vector<TCorrectionRang>* corrections = nullptr);
  // Writes the ranks of the corrections (one transaction); false when the store refused.
  bool TermineRecompacter(const std::vector<TCorrectionRang>& corrections);
  // No other row of that holder (spouse for coteB) and kind holds the rank.
  [[nodiscard]] bool RangLibre(bool coteB, long noPers, int type, int32_t rang, int32_t id);
  // Highest place and note numbers (-1: not checked).
  struct TBornes {
    long lieux = -1, notes = -1;
  };
  // The rows of an open query into the person's vectors (pass B: records where it is the
  // spouse); place and note numbers are checked against bornes, or against the unit's cached
  // limits when bornes is null (main thread).
  [[nodiscard]] bool LitLignesPersonne(TRequeteEven& requete, TChpsPersonne& personne, bool coteB,
                                       const TBornes* bornes, std::vector<TCorrectionRang>* corrections = nullptr);
  [[nodiscard]] bool SupprimeListes(long idEven);
  [[nodiscard]] long NombreLimite(bool lieux);
  void BorneNumeros(TEvenement::TEnreg& enreg);
  // The limits read through private queries only, for a worker thread.
  [[nodiscard]] TBornes BornesPrivees();
  static void Borne(TEvenement::TEnreg& enreg, const TBornes& bornes);

  TModuleBDD& module_;
  TLieuxBDD& lieux_;
  TParcoursFiches parcoursEvens_, parcoursChps_, parcoursFiches_;
  // Person loading on the main thread: prepared once, kept between calls.
  std::unique_ptr<TRequeteEven> chargeA_, chargeB_, chargePartages_, rangA_, rangB_;
  // Columns written at each row, found by name once (forgotten when the tables close).
  TColonnesCurseur colonnesEven_, colonnesLectureEven_;
  TColonnesCurseur colonnesPersAssociees_, colonnesSources_, colonnesIllustrations_;
  long maxLieux_ = -1;
  // Event identifiers handed out by ReturnNewNumEven during an import, not yet written.
  // The import's statement appending events (AjouteEvenImport), kept while it lasts.
  std::unique_ptr<TACRInsertion> insertionImport_;
  std::set<int32_t> reserves_;  // highest place number seen in Lieux (refreshed when a larger one is read)
  std::vector<AnsiString> libellesPartages_;
};

}  // namespace kyb
