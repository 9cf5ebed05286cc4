#pragma once
// The couple side of a record that names a holder (NoPersA) and a spouse (NoPersB): events and
// simple fields share it. R is the record class; it has a public Enreg with both numbers.
#include <cstdint>

namespace kyb {

template <typename R>
class TLiensCouple {
 public:
  // The record belongs to the couple a–b, in either order.
  [[nodiscard]] bool IsCouple(long a, long b) const {
    const auto& e = EnregCouple();
    return (e.NoPersA == a && e.NoPersB == b) || (e.NoPersA == b && e.NoPersB == a);
  }
  // Person n is one of the two.
  [[nodiscard]] bool IsPersCouple(long n) const {
    const auto& e = EnregCouple();
    return n != 0 && (e.NoPersA == n || e.NoPersB == n);
  }
  // The other member of the couple seen from n; 0 when n is neither.
  [[nodiscard]] long NoConjoint(long n) const {
    const auto& e = EnregCouple();
    return e.NoPersA == n ? e.NoPersB : e.NoPersB == n ? e.NoPersA : 0;
  }
  void SetNoConj(long n, long conjoint) {
    auto& e = static_cast<R*>(this)->Enreg;
    e.NoPersA = static_cast<int32_t>(n);
    e.NoPersB = static_cast<int32_t>(conjoint);
  }

 private:
  [[nodiscard]] const auto& EnregCouple() const { return static_cast<const R*>(this)->Enreg; }
};

}  // namespace kyb
