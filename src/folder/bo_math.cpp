#include "folder/bo_math.h"

#include <bit>
#include <sstream>

namespace kyb {

int CalculGen(int n) { return n <= 1 ? 0 : std::bit_width(static_cast<unsigned>(n)) - 1; }

int CalculGen(const NTL::ZZ& n) { return n <= 1 ? 0 : static_cast<int>(NTL::NumBits(n)) - 1; }

bool CotePaternel(const NTL::ZZ& n) {
  if (n < 2 || IsSosaMax(n)) return false;
  return NTL::bit(n, NTL::NumBits(n) - 2) == 0;
}

bool CotePaternel(int n) {
  while (n > 3) n /= 2;
  return n == 2;
}

bool IsMultipleDeux(NTL::ZZ a, const NTL::ZZ& b) {
  if (b == 1) return true;
  while (a - 1 > b) a >>= 1;
  return a == b;
}

bool VersPere(int g1, int g2, NTL::ZZ n) {
  const int d = g2 - g1;
  if (d > 1) n >>= (d - 1);
  return NTL::IsOdd(n) == 0;
}

NTL::ZZ CalculRapportRef(const NTL::ZZ& a, NTL::ZZ b) {
  if (b < 1) return NTL::ZZ(0);
  do b <<= 1;
  while (b <= a);
  return a - (b >> 1);
}

void comp2ZZ(long haut, unsigned long bas, NTL::ZZ& z) {
  if (haut == 0x7FFFFFFF && bas == 0x7FFFFFFF) {
    z = -1;
    return;
  }
  z = NTL::ZZ(haut);
  z <<= 32;
  z += NTL::conv<NTL::ZZ>(bas & 0xFFFFFFFFUL);
}

void ZZ2comp(const NTL::ZZ& z, long& haut, unsigned long& bas) {
  if (z == -1) {
    haut = 0x7FFFFFFF;
    bas = 0x7FFFFFFF;
    return;
  }
  if (z < 0 || NTL::NumBits(z) > 63) {
    haut = 0;
    bas = 0;
    return;
  }
  haut = NTL::conv<long>(z >> 32);
  bas = NTL::conv<unsigned long>(NTL::trunc_ZZ(z, 32));
}

long Puissance(long x, short n) {
  unsigned long r = 1;
  for (short i = 0; i < n; ++i) r *= static_cast<unsigned long>(x);
  return static_cast<long>(r);
}

NTL::ZZ RetSosaDuParent(const NTL::ZZ& n, bool pere) {
  NTL::ZZ r;
  if (IsSosaMax(n) || NTL::NumBits(n) >= kSosaBitsMax) {
    SetSosaMax(r);
    return r;
  }
  r = n << 1;
  if (!pere) r += 1;
  return r;
}

AnsiString ZZtoAnsiString(const NTL::ZZ* z, bool vide) {
  if (!z || NTL::IsZero(*z) || *z == -1) return vide ? AnsiString() : AnsiString("0");
  if (IsSosaMax(*z)) return kTexteSosaMax;
  std::ostringstream flux;
  flux << *z;
  return flux.str();
}

}  // namespace kyb
