#pragma once
// TSelectionComplexe: runs a selection (search/selection.h) over the persons of a genealogy's
// person index, each live person once, in index order (by surname and given names).
//
// When every condition converts to the store (TSelection::CanConvertToSql), each condition is
// one query on the store and the equation is evaluated on their results; otherwise each person is
// read and the equation evaluated on it, a condition being tested only when the equation needs it.
// When the conditions read only the identity, the displayed parents and the events a person holds
// (their label, datum, date and places), the persons and their events are read in two walks of the
// store in number order instead of one person at a time. Either way the result is the same set of
// persons.
//
// A progress window follows the walk (position every kPas persons); SetAbandon(true), from the
// progress window's cancel or from the caller between steps, stops it at the next step: the
// result then holds the persons found so far and Abandonnee is true.
//
// Main thread only (the person index's rule).
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/interface_utilisateur.h"
#include "search/selection.h"

namespace kyb {

class TFicIndexPerson;

struct TResultatSelection {
  std::vector<int32_t> Numeros;  // in index order
  long Examinees = 0;            // persons looked at
  bool ParStore = false;         // answered by store queries
  bool Abandonnee = false;
  bool Invalide = false;         // the equation does not read (MessageErreur tells why)
  std::string MessageErreur;
};

class TSelectionComplexe {
 public:
  static constexpr int kPas = 1024;

  explicit TSelectionComplexe(TFicIndexPerson& index) : index_(index) {}

  // parStore false forces the person-by-person evaluation, parParcours false its reading of one
  // person at a time.
  [[nodiscard]] TResultatSelection Execute(const TSelection& selection, TProgression* barre = nullptr,
                                           bool parStore = true, bool parParcours = true);
  void SetAbandon(bool abandon) { abandon_ = abandon; }

 private:
  // The index entries' persons, each once, live ones only.
  [[nodiscard]] std::vector<int32_t> Personnes() const;
  [[nodiscard]] bool Arret(TProgression* barre, long fait) const;
  [[nodiscard]] bool ParStore(const TSelection& selection, const std::vector<int32_t>& personnes,
                              TResultatSelection& r, TProgression* barre);
  void ParPersonne(const TSelection& selection, const std::vector<int32_t>& personnes, TResultatSelection& r,
                   TProgression* barre);
  // False when the walks could not be made (nothing decided then).
  [[nodiscard]] bool ParParcours(const TSelection& selection, const std::vector<int32_t>& personnes,
                                 TResultatSelection& r, TProgression* barre);

  TFicIndexPerson& index_;
  std::atomic<bool> abandon_ = false;
};

}  // namespace kyb
