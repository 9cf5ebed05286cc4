#pragma once
// TLecteurProches: what the walks over relatives (estimation of dates, kinship) read of a person
// without loading its person object or its record card: the person row's deleted mark, sex,
// parents and links, its alternative-parents row, and the dated events of its card. Each read is
// one statement prepared once for the reader's life; the rows of several persons come in one
// statement. Nothing is written.
//
// A number without a Personnes row reads as a person object shows it: live, sex '?', no link,
// the parents of its IDParents row if it has one.
//
// The reader belongs to one thread. TModuleBDD::LecteurProches() is the main thread's, kept for
// the store's life (its statements are dropped when the tables close and prepared again on the
// next read); a worker makes its own, which must end before the store closes. Every read
// returns false when the store could not be read (outputs then empty).
#include <cstdint>
#include <memory>
#include <vector>

#include "dates/bo_jours.h"
#include "platform/chaines.h"
#include "store/enreg_public.h"

namespace kyb {

class TACRDatabase;
class TACRQuery;

struct TProcheLu {
  char FicheSupprimee = ' ';  // 'O' deleted
  char Sexe = '?';            // 'M', 'F' or '?'
  int32_t Pere = 0, Mere = 0;  // the parents of the person row
  bool LigneParents = false;   // an IDParents row exists: Parents holds it
  TNoParent Parents;
  // The spouse and child links as stored, in order (numbers of 0 or less included).
  std::vector<int32_t> Conjoints, Enfants;

  [[nodiscard]] bool Vivant() const { return FicheSupprimee != 'O'; }
  // The parents a person object shows: the principal pair of the IDParents row, else the row's.
  [[nodiscard]] int32_t PereAffiche() const;
  [[nodiscard]] int32_t MereAffiche() const;
  // The birth (pair A) and adoptive (pair B) parents, 0 for none.
  [[nodiscard]] std::pair<int32_t, int32_t> PaireA() const;
  [[nodiscard]] std::pair<int32_t, int32_t> PaireB() const;
};

struct TEvenProche {
  int32_t ID = 0, NoPersA = 0, NoPersB = 0;
  AnsiString Libelle;
  TDateKY Date;
  bool Cite = false;  // an event of another person that cites this one
};

class TLecteurProches {
 public:
  static constexpr size_t kLot = 32;  // persons read by one statement

  explicit TLecteurProches(TACRDatabase& base);
  ~TLecteurProches();
  TLecteurProches(const TLecteurProches&) = delete;
  TLecteurProches& operator=(const TLecteurProches&) = delete;

  [[nodiscard]] bool Lit(long no, TProcheLu& p);
  // sortie[i] is the person nos[i]; kLot numbers per statement.
  [[nodiscard]] bool LitLot(const std::vector<long>& nos, std::vector<TProcheLu>& sortie);
  // The dated events of the person's card: those it holds, or shares as the second person of a
  // couple record held by another, in the card's order (label, rank of the spouse among
  // conjoints, identifier); then, with citations, the events of other holders that cite it.
  [[nodiscard]] bool LitEvenements(long no, const std::vector<int32_t>& conjoints, bool citations,
                                   std::vector<TEvenProche>& evens);
  // Drops the prepared statements (the tables are closing).
  void Oublie();

 private:
  friend class TLecturesGroupees;
  [[nodiscard]] bool Debute();  // false when a transaction is already open
  void Termine();

  TACRDatabase& base_;
  std::unique_ptr<TACRQuery> personne_, lot_, evens_, debut_, fin_;
};

// One read transaction over a series of reads of a reader (null: nothing): the file is locked
// and looked at once instead of at each statement. Nothing when a transaction is already open.
// The reads see the file as it was at the first one, and a transaction cannot start meanwhile:
// end the series before writing.
class TLecturesGroupees {
 public:
  explicit TLecturesGroupees(TLecteurProches* lecteur) : lecteur_(lecteur && lecteur->Debute() ? lecteur : nullptr) {}
  ~TLecturesGroupees() {
    if (lecteur_) lecteur_->Termine();
  }
  TLecturesGroupees(const TLecturesGroupees&) = delete;
  TLecturesGroupees& operator=(const TLecturesGroupees&) = delete;

 private:
  TLecteurProches* lecteur_;
};

}  // namespace kyb
