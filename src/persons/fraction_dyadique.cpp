#include "persons/fraction_dyadique.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace kyb {

void TFractionDyadique::Reduit() {
  if (NTL::IsZero(num_)) {
    exp_ = 0;
    return;
  }
  // Every factor 2 out of the numerator, then back those the exponent cannot take.
  const long deux = NTL::MakeOdd(num_);
  const long retires = std::min(deux, exp_);
  num_ <<= deux - retires;
  exp_ -= retires;
}

TFractionDyadique& TFractionDyadique::operator+=(const TFractionDyadique& autre) {
  const long e = std::max(exp_, autre.exp_);
  num_ = (num_ << (e - exp_)) + (autre.num_ << (e - autre.exp_));
  exp_ = e;
  Reduit();
  return *this;
}

TFractionDyadique TFractionDyadique::operator*(const TFractionDyadique& autre) const {
  TFractionDyadique r;
  r.num_ = num_ * autre.num_;
  r.exp_ = exp_ + autre.exp_;
  r.Reduit();
  return r;
}

TFractionDyadique TFractionDyadique::Moitie() const {
  TFractionDyadique r(*this);
  if (!r.EstNul()) ++r.exp_;
  return r;
}

double TFractionDyadique::EnDouble() const { return std::ldexp(NTL::conv<double>(num_), -static_cast<int>(exp_)); }

std::string TFractionDyadique::Texte() const {
  std::ostringstream s;
  s << num_;
  if (exp_ > 0) s << '/' << NTL::power2_ZZ(exp_);
  return s.str();
}

}  // namespace kyb
