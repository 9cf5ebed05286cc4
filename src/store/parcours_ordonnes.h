#pragma once
// Walks that visit every row of a table once, in a fixed order, each on a statement of its own
// stepped row by row: a walk holds one row at a time whatever the size of the genealogy, and
// look-ups made during it (by the store's cursors) never move it. Used by whole-genealogy writers.
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "platform/chaines.h"
#include "store/chps_simple.h"
#include "store/evenement.h"

namespace kyb {

class TACRQuery;
class TModuleBDD;

// The links of a person's row.
struct TLiensParcourus {
  int32_t no = 0;
  char sexe = '?';  // 'M', 'F' or '?'
  bool supprimee = false;
  int32_t pere = 0, mere = 0;
  std::vector<int32_t> conjoints, enfants;  // positive numbers, in their stored order
};

// What a person's row says of the person itself.
struct TIdentiteParcourue {
  int32_t no = 0;
  char sexe = '?';  // 'M', 'F' or '?'
  char typePersonne = 'P';
  bool supprimee = false;
  UnicodeString nom, prenoms;  // cut to the lengths of a person record
  int32_t note = 0;
};

// Persons in number order: their links.
class TParcoursLiensPersonnes {
 public:
  explicit TParcoursLiensPersonnes(TModuleBDD& bdd);
  ~TParcoursLiensPersonnes();
  TParcoursLiensPersonnes(const TParcoursLiensPersonnes&) = delete;
  TParcoursLiensPersonnes& operator=(const TParcoursLiensPersonnes&) = delete;
  // The next person; false at the end (or when the table cannot be read).
  [[nodiscard]] bool Suivante(TLiensParcourus& p);

 private:
  std::unique_ptr<TACRQuery> requete_;
  bool ouverte_ = false;
};

// Persons in number order: sex, kind, name and note.
class TParcoursIdentites {
 public:
  explicit TParcoursIdentites(TModuleBDD& bdd);
  ~TParcoursIdentites();
  TParcoursIdentites(const TParcoursIdentites&) = delete;
  TParcoursIdentites& operator=(const TParcoursIdentites&) = delete;
  [[nodiscard]] bool Suivante(TIdentiteParcourue& p);

 private:
  std::unique_ptr<TACRQuery> requete_;
  bool ouverte_ = false;
};

// Place numbers beyond the places table and note numbers beyond maxNotes (-1: not checked) of
// an event read outside the store's cursors read as 0, as in every other read of an event.
class TBornesFiches {
 public:
  TBornesFiches(TModuleBDD& bdd, long maxNotes) : bdd_(bdd), maxNotes_(maxNotes) {}
  void Borne(TEvenement::TEnreg& e);

 private:
  TModuleBDD& bdd_;
  long maxLieux_ = -1, maxNotes_ = -1;
};

// Events and simple fields of their holders (NoPersA > 0) by holder, then rank, then identifier:
// the order of the holder index.
class TParcoursFichesParPorteur {
 public:
  TParcoursFichesParPorteur(TModuleBDD& bdd, long maxNotes);
  ~TParcoursFichesParPorteur();
  TParcoursFichesParPorteur(const TParcoursFichesParPorteur&) = delete;
  TParcoursFichesParPorteur& operator=(const TParcoursFichesParPorteur&) = delete;
  // The next record, into even (estEven) or chps; false at the end. The event's lists are read
  // from the store when asked for.
  [[nodiscard]] bool Suivante(TEvenement& even, TChpsSimple& chps, bool& estEven);

 private:
  TModuleBDD& bdd_;
  std::unique_ptr<TACRQuery> requete_;
  bool ouverte_ = false;
  TBornesFiches bornes_;
};

// The reads of a whole-genealogy writer, from construction to destruction: one read
// transaction (the file is locked and looked at once, not at each statement; nothing when a
// transaction is already open) and a page cache of kCacheKio KiB, the walks reading each
// page once; the connection's cache size comes back at the end. The reads see the file as it was
// at the first one: nothing may be written meanwhile.
class TLectureDeParcours {
 public:
  static constexpr long kCacheKio = 8192;
  explicit TLectureDeParcours(TModuleBDD& bdd);
  ~TLectureDeParcours();
  TLectureDeParcours(const TLectureDeParcours&) = delete;
  TLectureDeParcours& operator=(const TLectureDeParcours&) = delete;

 private:
  TModuleBDD& bdd_;
  bool transaction_ = false;  // opened here
  long cacheAvant_ = 0;  // the connection's cache_size before (0: unknown, left alone)
};

// Events and simple fields read back by identifier. Charge reads up to kLot of them in one
// statement and keeps them until the next Charge; a record not kept is looked up alone.
class TLecteurFiches {
 public:
  static constexpr size_t kLot = 64;
  TLecteurFiches(TModuleBDD& bdd, long maxNotes);
  ~TLecteurFiches();
  TLecteurFiches(const TLecteurFiches&) = delete;
  TLecteurFiches& operator=(const TLecteurFiches&) = delete;
  // Reads the records of the first kLot identifiers in one statement.
  void Charge(const int32_t* ids, size_t n);
  // False when no record of that kind has the identifier.
  [[nodiscard]] bool Evenement(int32_t id, TEvenement& even);
  [[nodiscard]] bool ChampSimple(int32_t id, TChpsSimple& chps);

 private:
  struct TFicheLue {
    bool estEven = false;
    TEvenement::TEnreg even;
    TChpsSimple::TEnreg chps;
  };
  // The record of identifier id when it is of that kind (event: type 0); null when none.
  [[nodiscard]] TFicheLue* Cherche(int32_t id, bool even);
  void Lit(TACRQuery& q, TFicheLue& f);

  TModuleBDD& bdd_;
  std::unique_ptr<TACRQuery> requete_, lot_;
  std::vector<std::pair<int32_t, TFicheLue>> lues_;  // of the last Charge, by identifier
  TFicheLue seule_;                                  // a record looked up alone
  TBornesFiches bornes_;
};

}  // namespace kyb
