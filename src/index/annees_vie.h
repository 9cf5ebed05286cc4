#pragma once
// The lifetime range that the person index records for a person, from its record card: the first
// year is the year of birth, or of baptism when the birth gives none; the last year is the year
// of death, or of burial when the death gives none. 0 when unknown.
//
// A range of dates ("entre 1750 et 1760") gives its earlier bound as first year and its later
// bound as last year; Republican and Hebrew years are converted to Gregorian ones; dates before
// Christ give 0 (the index orders its years as positive numbers).
#include <cstdint>
#include <string_view>
#include <vector>

#include "dates/bo_jours.h"

namespace kyb {

class TChpsPersonne;

struct TAnneesVie {
  int16_t Min = 0;
  int16_t Max = 0;
  bool operator==(const TAnneesVie&) const = default;
};

// Gathers the events of one person, in any order, then gives its range.
class TCollecteAnneesVie {
 public:
  // The event counts when its label is NAISSANCE, BAPTEME, DECES or INHUMATION; the first dated
  // one of each label is kept.
  void Ajoute(std::string_view libelle, const TDateKY& date);
  [[nodiscard]] TAnneesVie Annees() const;

 private:
  int16_t naissance_ = 0, bapteme_ = 0, deces_ = 0, inhumation_ = 0;
};

// The range from a loaded record card (only the events the person holds).
[[nodiscard]] TAnneesVie AnneesVie(const TChpsPersonne& fiche);

// Element n of ranges indexed by person number; none for a number outside them.
[[nodiscard]] inline TAnneesVie AnneesDe(const std::vector<TAnneesVie>& annees, long n) {
  return n >= 1 && static_cast<size_t>(n) < annees.size() ? annees[static_cast<size_t>(n)] : TAnneesVie{};
}

// An unknown bound completed by estimation (TEstimationPersonne with the raw limits): the middle
// year of the estimated interval when both of its ends are known, 0 otherwise. Stated bounds are
// kept as they are. The index rows hold such years; a list shows them as "~1847".
struct TResultatEstimation;
[[nodiscard]] TAnneesVie CompleteAnneesVie(TAnneesVie declarees, const TResultatEstimation& estimation);
[[nodiscard]] inline bool AnneesCompletes(TAnneesVie a) { return a.Min != 0 && a.Max != 0; }

// Labels of the events that give the range, for queries.
inline constexpr std::string_view kLibellesVie[] = {"NAISSANCE", "BAPTEME", "DECES", "INHUMATION"};

}  // namespace kyb
