#pragma once
// An exact fraction whose denominator is a power of two: Numerateur / 2^Exposant, kept reduced
// (odd numerator, or exponent 0). Kinship coefficients are sums of such terms, so they stay exact
// at any depth.
#include <string>

#include <NTL/ZZ.h>

namespace kyb {

class TFractionDyadique {
 public:
  TFractionDyadique() = default;
  TFractionDyadique(long numerateur, long exposant) : num_(numerateur), exp_(exposant) { Reduit(); }

  TFractionDyadique& operator+=(const TFractionDyadique& autre);
  [[nodiscard]] TFractionDyadique operator+(const TFractionDyadique& autre) const { return TFractionDyadique(*this) += autre; }
  [[nodiscard]] TFractionDyadique operator*(const TFractionDyadique& autre) const;
  [[nodiscard]] TFractionDyadique Moitie() const;
  bool operator==(const TFractionDyadique& autre) const { return num_ == autre.num_ && exp_ == autre.exp_; }

  [[nodiscard]] bool EstNul() const { return NTL::IsZero(num_); }
  [[nodiscard]] double EnDouble() const;
  // "0", "1", "1/16", "5/64".
  [[nodiscard]] std::string Texte() const;

 private:
  void Reduit();
  NTL::ZZ num_;
  long exp_ = 0;
};

}  // namespace kyb
