#pragma once
// TChpsPersonne: the record card of one person, the events and simple fields the store loads for
// it (ChargerLienChpsOfPerson) and writes back (EnregistrerChpsOfPerson). The person object owns
// one; it gives the person's number and spouses (for the spouse rank of couple records).
//
// Both vectors are kept sorted (TEvenementTV, TChpsSimpleTV::Compare). Records removed from a
// vector after loading are remembered and deleted from the store by the next write. Shared
// events that reach the person as a cited person (holder elsewhere) are flagged and written as
// they are, never deleted through this person.
#include <cstdint>
#include <functional>
#include <vector>

#include "store/chps_simple.h"
#include "store/enreg_public.h"
#include "store/evenement.h"

namespace kyb {

class TChpsPersonne {
 public:
  TChpsPersonne() = default;
  explicit TChpsPersonne(long noPers) : NoPers(noPers) {}

  // Spouse numbers in the person's order, from its public record.
  void SetConjoints(const TEnregPublic& personne);
  // 1-based position of spouse n among the person's spouses; 0 for 0 or a non-spouse.
  [[nodiscard]] int RetourneRgConj(long n) const;

  void Vide();  // both vectors and the removed records forgotten
  // Adds a record with its spouse rank, in sorted place. Returns its position.
  int AddEvenInTV(const TEvenement& even, bool partage = false);
  int AddChpsSimpleInTV(const TChpsSimple& chps);
  // Removes the record at a position; a stored one is deleted by the next write.
  bool SupprEvenNo(int position);
  bool SupprChpsSimpleNo(int position);
  // Sorts again (after labels, spouses or identifiers changed).
  void Trie();

  [[nodiscard]] int GetNbInfoEven() const { return static_cast<int>(Evenements.size()); }
  [[nodiscard]] int GetNbChpsSimple() const { return static_cast<int>(ChpsSimples.size()); }
  // Position of the first record with that label (and that spouse when conjoint >= 0); -1.
  [[nodiscard]] int GetRgEven(std::string_view libelle, long conjoint = -1) const;
  [[nodiscard]] int GetRgChpsSimple(std::string_view libelle) const;
  [[nodiscard]] int GetRgEvenByID(long id) const;

  long NoPers = 0;
  std::vector<int32_t> Conjoints;
  std::vector<TEvenementTV> Evenements;
  std::vector<bool> Partages;  // per event position: a shared event held by another person
  std::vector<TChpsSimpleTV> ChpsSimples;
  std::vector<int32_t> EvensSupprimes;
  std::vector<int32_t> ChpsSupprimes;
  bool EvenementsCharges = false;
  bool ChpsSimplesCharges = false;

 private:
  uint32_t ordre_ = 0;
};

// Card order of a person's events (TypeClassementEven of the folder).
enum TTypeClassementEven : int { kClassementChrono = 0, kClassementType = 1 };

// Positions of the events in chronological order: dated events by CompareDate (a range stands
// for its mean date), equal dates ordered "<" first, then no qualifier, then the others; events
// without a date (or with a text that is no date) follow, in their vector order.
[[nodiscard]] std::vector<int> ClassementChronoEven(const TChpsPersonne& personne);
// Positions ordered by the rank the field definitions give each label (labels without rank
// last), then chronologically.
[[nodiscard]] std::vector<int> ClassementTypeEven(const TChpsPersonne& personne,
                                                  const std::function<int(const AnsiString&)>& rangLibelle);

}  // namespace kyb
