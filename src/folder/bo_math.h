#pragma once
// Sosa-Stradonitz arithmetic: the root person is 1, the father of n is 2n, the mother 2n + 1, so
// the generation of n is the index of its highest set bit and the bits below it, read from the
// top, spell the path from the root (0 = father, 1 = mother).
//
// Numbers are NTL ZZ. A storable number has at most 210 bits; a number that would need more
// becomes the overflow marker of names/g_nopers.h (SetSosaMax), which stays the marker in every
// further computation and reads "Sosa Max". 0 and -1 stand for "no number".
#include <NTL/ZZ.h>

#include <string>

#include "names/g_nopers.h"
#include "platform/chaines.h"

namespace kyb {

// Generation index: bit length - 1, 0 for n <= 1 (1 -> 0, 2 and 3 -> 1, 4 to 7 -> 2).
[[nodiscard]] int CalculGen(int n);
[[nodiscard]] int CalculGen(const NTL::ZZ& n);
// n >= 2: true when n lies on the father's side of the root (bit below the highest set is 0).
// False for 1, for the overflow marker and for numbers below 1.
[[nodiscard]] bool CotePaternel(const NTL::ZZ& n);
// Halves n while it is above 3; true when the result is 2.
[[nodiscard]] bool CotePaternel(int n);
// True when a lies in the ancestry of b or equals it (always when b is 1).
[[nodiscard]] bool IsMultipleDeux(NTL::ZZ a, const NTL::ZZ& b);
// Halves n (g2 - g1 - 1) times when g2 - g1 > 1; true when the result is even.
[[nodiscard]] bool VersPere(int g1, int g2, NTL::ZZ n);
// Offset of a inside the block of b's ancestors of a's generation: b is doubled until it exceeds
// a (at least once), the result is a - b/2. 0 for b below 1.
[[nodiscard]] NTL::ZZ CalculRapportRef(const NTL::ZZ& a, NTL::ZZ b);
// z = haut * 2^32 + bas; the pair (0x7FFFFFFF, 0x7FFFFFFF) gives -1.
void comp2ZZ(long haut, unsigned long bas, NTL::ZZ& z);
// The inverse: -1 gives (0x7FFFFFFF, 0x7FFFFFFF); a value that does not fit (negative, or a high
// part above 0x7FFFFFFF) gives (0, 0).
void ZZ2comp(const NTL::ZZ& z, long& haut, unsigned long& bas);
// x to the power n by repeated multiplication (wrapping on overflow); 1 for n <= 0.
[[nodiscard]] long Puissance(long x, short n);
// 2n for the father, 2n + 1 for the mother; the overflow marker when n is the marker or the
// result needs more than 210 bits.
[[nodiscard]] NTL::ZZ RetSosaDuParent(const NTL::ZZ& n, bool pere);
// Decimal text; for a null pointer, 0 or -1 the empty text when vide, "0" otherwise; the overflow
// marker gives "Sosa Max".
[[nodiscard]] AnsiString ZZtoAnsiString(const NTL::ZZ* z, bool vide);
inline constexpr const char* kTexteSosaMax = "Sosa Max";

}  // namespace kyb
