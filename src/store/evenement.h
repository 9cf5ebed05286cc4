#pragma once
// TEvenement: one event of a person or a couple (birth, union, residence...), a row of the store
// table Evenements (Type 0) with its three lists: the persons it cites (PersAssociees), its
// sources (Sources) and its media (Illustrations).
//
//   field                     column                    content
//   ID                        ID                        identifier given by the store
//   LibelleChamps             LibelleChamps             field-definition label, <= 20 characters
//   Donnee                    Donnee                    free text, <= 300 characters
//   NoPersA, NoPersB          NoPersA, NoPersB          holder; spouse of a couple event, else 0
//   Date                      Acte, TypeCalend, Date    qualifier, calendar tag, stored text
//   Lieu                      Lieu                      place number (0 = none)
//   LieuDit                   LieuDit                   locality, <= 50 characters
//   Note                      Note                      note number (0 = none)
//   NoIllustrationParDefaut   NoIllustrationParDefaut   -1 once cleared
//   LienExtEven               LienExtEven               extension record (2009 layout)
//   RangA, RangB              RANG_A, RANG_B            position among the holder's / spouse's
// Derived on every write: _DONNEE (FormatChaine_Donnee), _DATE (DateTriable), DateLastModif.
//
// Lists hold at most 50 entries; a list is read from the store on first access (when the event
// is bound to a store and already has an identifier). Adding a 51st source or illustration
// returns -1 and changes nothing; adding a cited person already present, or a 51st, does nothing.
#include <cstdint>
#include <vector>

#include "dates/bo_jours.h"
#include "platform/caracteres.h"
#include "platform/chaines.h"
#include "platform/date_heure.h"
#include "store/liens_couple.h"
#include "store/liens.h"

namespace kyb {

class TModuleBDD;

inline constexpr int kMaxListeEven = 50;
inline constexpr size_t kLongueurLibelle = 20;
inline constexpr size_t kLongueurDonnee = 300;
inline constexpr size_t kLongueurLieuDit = 50;
inline constexpr size_t kLongueurCleDonnee = 20;
inline constexpr size_t kLongueurTypeSource = 30;
inline constexpr size_t kLongueurDescriptif = 300;
inline constexpr size_t kLongueurChemin = 260;
// Identifier counted for a record not yet stored when records are ordered.
inline constexpr int32_t kIdNonStocke = 0xFFFFF;

struct TSourceEven {
  int32_t Id = 0;  // ID_SOURCE, 0 until stored
  UnicodeString Type;
  UnicodeString Descriptif;
};

struct TIllustrationEven {
  int32_t Id = 0;  // ID_ILLUSTRATION, 0 until stored
  AnsiString Chemin;
  int32_t Tag = 0;
};

// The year, month and day of a stored date packed as yyyymmdd (Gregorian; Republican and Hebrew
// dates converted). An unknown day or month counts as 01, so that a date known to the year lies
// inside that year's range; a range gives the first day of its lower year (of its upper year when
// only that bound is known); 0 when no year is known.
[[nodiscard]] int32_t DateTriable(const TDateKY& date);

class TEvenement : public TLiensCouple<TEvenement> {
 public:
  struct TEnreg {
    int32_t ID = 0;
    AnsiString LibelleChamps;
    UnicodeString Donnee;
    int32_t NoPersA = 0;
    int32_t NoPersB = 0;
    TDateKY Date;
    int32_t Lieu = 0;
    UnicodeString LieuDit;
    int32_t Note = 0;
    int32_t NoIllustrationParDefaut = 0;
    int32_t LienExtEven = 0;
    int32_t RangA = 0;
    int32_t RangB = 0;
    TDateTime DateLastModif = 0;
    std::vector<TPersAssociee> PersAssociees;
    std::vector<TSourceEven> Sources;
    std::vector<TIllustrationEven> Illustrations;
    bool PersAssocieesChargees = false;
    bool SourcesChargees = false;
    bool IllustrationsChargees = false;
    bool ErreurLecture = false;

    // Same columns and same lists (identifiers of list entries and load flags aside).
    [[nodiscard]] bool MemeContenu(const TEnreg& autre) const;
  };

  // An empty event bound to the store (which may be null: nothing is read then).
  explicit TEvenement(TModuleBDD* bdd = nullptr) : bdd_(bdd) {}
  // Bound and read by identifier (0: empty).
  TEvenement(TModuleBDD* bdd, long id);

  // Empty record, lists loaded and empty (a new event has nothing to read).
  void NouvelleFiche();
  // Reads the row of that identifier (0 re-reads the current one). False when absent.
  bool Lecture(long id = 0);
  // Sets the holder's rank and writes through the store unless it is read-only or absent.
  // id -3 keeps the current identifier; rang < 1 leaves the rank as it is.
  bool Enregistrement(long id = -3, int rang = 0, long noPers = 0);
  void SetNoPersRang(long noPers, int rang);

  void SetDonnee(const UnicodeString& donnee) { Enreg.Donnee = PremiersCaracteres(donnee, kLongueurDonnee); }
  void SetLibelle(const AnsiString& libelle) { Enreg.LibelleChamps = libelle.substr(0, kLongueurLibelle); }
  void SetLieuDit(const UnicodeString& lieuDit) { Enreg.LieuDit = PremiersCaracteres(lieuDit, kLongueurLieuDit); }
  [[nodiscard]] bool IsLibelleChamps(std::string_view libelle) const { return Enreg.LibelleChamps == libelle; }
  // No datum, date, place, locality, note and no list entry.
  [[nodiscard]] bool Vide();
  void Raz();           // everything cleared, identifier included
  void ViderContenu();  // datum, date, place, note and lists cleared; identity kept
  [[nodiscard]] bool LieuVide() const { return Enreg.Lieu == 0 && Enreg.LieuDit.empty(); }
  [[nodiscard]] bool ErreurLecture() const { return Enreg.ErreurLecture; }
  void RAZErreurLecture() { Enreg.ErreurLecture = false; }


  // Lists, read on first access.
  [[nodiscard]] const std::vector<TPersAssociee>& PersAssociees();
  [[nodiscard]] const std::vector<TSourceEven>& Sources();
  [[nodiscard]] const std::vector<TIllustrationEven>& Illustrations();
  int AjoutSource(const TSourceEven& source);  // rank (0-based) or -1 when full
  bool SupprSource(int rang);
  int AjoutIllustration(const TIllustrationEven& illustration);
  bool SupprIllustration(int rang);
  bool SetIllustration(int rang, const TIllustrationEven& illustration);
  // Rank of the new entry; -1 when the person is already cited, the number is 0 or the list full.
  int AjoutPersAssociee(const TPersAssociee& personne);
  bool ModifPersAssociee(int rang, const TPersAssociee& personne);
  bool SupprPersAssociee(int rang);
  bool SupprPersAssocieeNo(long no);
  [[nodiscard]] int ChercheRgNoSource(long id);
  [[nodiscard]] int ChercheRgNoIllustration(long id);
  [[nodiscard]] int ChercheRgNoPersAssociee(long no);
  [[nodiscard]] int CountSource() { return static_cast<int>(Sources().size()); }
  [[nodiscard]] int CountIllustration() { return static_cast<int>(Illustrations().size()); }
  [[nodiscard]] int CountPersAssociee() { return static_cast<int>(PersAssociees().size()); }
  // Loads the three lists (before a copy leaves the store's reach, or before a write).
  void ChargeListes();

  [[nodiscard]] TModuleBDD* Bdd() const { return bdd_; }
  void SetBdd(TModuleBDD* bdd) { bdd_ = bdd; }

  bool operator==(const TEvenement& autre) const { return Enreg.MemeContenu(autre.Enreg); }

  TEnreg Enreg;

 private:
  TModuleBDD* bdd_ = nullptr;
};

// An event in a person's sorted vector, with the rank of its spouse among the holder's spouses
// (0 for a record of the person alone). Order: label byte-wise, spouse rank, identifier (0 counts
// as 0xFFFFF so that new records follow stored ones), then the order of insertion, so that two
// wrappers never compare equal.
struct TEvenementTV {
  TEvenement Even;
  int RgConj = 0;
  uint32_t Ordre = 0;  // insertion order in the vector
  bool operator<(const TEvenementTV& autre) const;
};

// Orders two events by their dates (CompareDate), for chronological lists.
struct TDateCompare {
  bool operator()(const TEvenement& a, const TEvenement& b) const;
};

}  // namespace kyb
