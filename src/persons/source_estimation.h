#pragma once
// What the estimation of dates reads of a person, and where it reads it from: the persons file
// (TSourceEstimationFichier, one person object at a time) or any other reader of the same facts
// (the whole genealogy loaded in memory for a check of every person).
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

#include "dates/bo_jours.h"

namespace kyb {

class TAccesProches;
class TLecturesGroupees;
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

// Reads persons through the store's reader of relatives (persons/acces_proches.h), or through
// person objects and their record cards where it has none: the same facts either way. An
// unreadable relative sets the folder's error flag. From its first read to its end, the source
// reads in one read transaction of the store (TLecturesGroupees) and reads each person once:
// keep it for one estimation, never across a write.
class TSourceEstimationFichier final : public TSourceEstimation {
 public:
  // Without citations, only the events the person holds (or shares as a spouse) count: the
  // facts the whole genealogy in memory gives (TGenealogieMemoire).
  explicit TSourceEstimationFichier(TFicPersons& fichier, bool citations = true);
  ~TSourceEstimationFichier() override;
  TSourceEstimationFichier(const TSourceEstimationFichier&) = delete;
  TSourceEstimationFichier& operator=(const TSourceEstimationFichier&) = delete;
  bool Lit(long no, TDonneesEstimation& d) override;
  // The facts of a person already loaded (its card read when it is not).
  static void Extrait(TPerson& personne, TDonneesEstimation& d, bool citations = true);

 private:
  bool LitPersonne(long no, TDonneesEstimation& d);

  TFicPersons& fichier_;
  bool citations_;
  std::unique_ptr<TAccesProches> acces_;
  std::unique_ptr<TLecturesGroupees> groupe_;
  std::unordered_map<long, std::pair<bool, TDonneesEstimation>> lus_;  // by the reader of relatives
};

}  // namespace kyb
