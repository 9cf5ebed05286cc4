#pragma once
// What the estimation of dates reads of a person, and where it reads it from: the persons file
// (TSourceEstimationFichier, one person object at a time) or any other reader of the same facts
// (the whole genealogy loaded in memory for a check of every person).
#include <utility>
#include <vector>

#include "dates/bo_jours.h"

namespace kyb {

class TFicPersons;
class TPerson;

struct TDonneesEstimation {
  long No = 0;
  char Sexe = '?';
  TDateKY Naissance, Deces;  // the NAISSANCE and DECES events (empty when absent)
  TDateKY Inhumation;        // INHUMATION: lies after the death
  std::vector<TDateKY> Autres;  // every other dated event held or cited, in any order
  std::vector<std::pair<long, TDateKY>> Unions;  // (spouse, date) of each dated union
  long Pere = 0, Mere = 0;
  std::vector<long> Conjoints, Enfants;
};

class TSourceEstimation {
 public:
  virtual ~TSourceEstimation() = default;
  // The facts of a live person; false (d left empty) for 0, a missing or a deleted one.
  virtual bool Lit(long no, TDonneesEstimation& d) = 0;
};

// Reads persons through person objects and their record cards; an unreadable relative sets the
// folder's error flag.
class TSourceEstimationFichier final : public TSourceEstimation {
 public:
  // Without citations, only the events the person holds (or shares as a spouse) count: the
  // facts the whole genealogy in memory gives (TGenealogieMemoire).
  explicit TSourceEstimationFichier(TFicPersons& fichier, bool citations = true)
      : fichier_(fichier), citations_(citations) {}
  bool Lit(long no, TDonneesEstimation& d) override;
  // The facts of a person already loaded (its card read when it is not).
  static void Extrait(TPerson& personne, TDonneesEstimation& d, bool citations = true);

 private:
  TFicPersons& fichier_;
  bool citations_;
};

}  // namespace kyb
