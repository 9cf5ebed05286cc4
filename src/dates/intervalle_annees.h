#pragma once
// Intervals of years for the estimation of dates, and the interval a genealogical date stands for.
//
// A bound is a value with an unknown flag. Setting a bound to 1000000 (or to a value that is not
// a number) makes it unknown: value 0, flag set. Years are fractional: y + (month - 1) / 12 +
// (day - 1) / 365.242; years before Christ are negative.
#include <cmath>

#include "dates/bo_jours.h"

namespace kyb {

template <typename T>
class TInterval {
 public:
  TInterval() = default;
  TInterval(T min, T max) { SetMin(min), SetMax(max); }

  void SetMin(T v) { Pose(min_, minInconnu_, v); }
  void SetMax(T v) { Pose(max_, maxInconnu_, v); }
  void SetInconnu() { SetMin(T(kDateIncalculable)), SetMax(T(kDateIncalculable)); }
  [[nodiscard]] T Min() const { return min_; }
  [[nodiscard]] T Max() const { return max_; }
  [[nodiscard]] bool MinInconnu() const { return minInconnu_; }
  [[nodiscard]] bool MaxInconnu() const { return maxInconnu_; }
  [[nodiscard]] bool Inconnu() const { return minInconnu_ && maxInconnu_; }
  // Both bounds known and the upper below the lower.
  [[nodiscard]] bool Inverse() const { return !minInconnu_ && !maxInconnu_ && max_ < min_; }
  // Adds bas to the lower bound and haut to the upper one, each only when known.
  [[nodiscard]] TInterval Decale(T bas, T haut) const {
    TInterval r = *this;
    if (!r.minInconnu_) r.min_ += bas;
    if (!r.maxInconnu_) r.max_ += haut;
    return r;
  }
  // Keeps the tighter known bound of each side; true when one of them changed.
  bool Intersecte(const TInterval& autre) {
    const bool bas = RestreintMin(autre), haut = RestreintMax(autre);
    return bas || haut;
  }
  bool RestreintMin(const TInterval& autre) {
    if (autre.minInconnu_ || (!minInconnu_ && autre.min_ <= min_)) return false;
    SetMin(autre.min_);
    return true;
  }
  bool RestreintMax(const TInterval& autre) {
    if (autre.maxInconnu_ || (!maxInconnu_ && autre.max_ >= max_)) return false;
    SetMax(autre.max_);
    return true;
  }
  bool operator==(const TInterval&) const = default;

 private:
  static void Pose(T& valeur, bool& inconnu, T v) {
    inconnu = !(v == v) || std::isinf(static_cast<double>(v)) || v == T(kDateIncalculable);
    valeur = inconnu ? T(0) : v;
  }

  T min_ = 0, max_ = 0;
  bool minInconnu_ = true, maxInconnu_ = true;
};

using TIntervalAnnees = TInterval<float>;
inline constexpr float kAnneeInconnue = static_cast<float>(kDateIncalculable);

// The years the date may stand for, converted to Gregorian. A range gives [lower year, upper year
// + 0.99] (an open bound unknown, a range upside down nothing); a point date gives the fractional
// year with an unknown day and month taken as 1 for the lower bound (unknown under "<") and as
// 31 and 12 for the upper bound (unknown under ">"); "~" and "CA" widen by one year on each side.
// annee is the single year when the interval has no width, else kAnneeInconnue. An empty date,
// or one whose year is unknown, gives an unknown interval.
void CalculAnneeFloatOuFourchette(const TDateKY& date, TIntervalAnnees& intervalle, float& annee);
[[nodiscard]] inline TIntervalAnnees IntervalleDate(const TDateKY& date) {
  TIntervalAnnees i;
  float annee = 0;
  CalculAnneeFloatOuFourchette(date, i, annee);
  return i;
}

}  // namespace kyb
