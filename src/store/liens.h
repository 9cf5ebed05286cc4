#pragma once
// Link values that point from one person to another, packed little-endian as records and blobs
// store them:
//
//   TLienPers (5 bytes):  offset 0  int32  No     person number, 0 = no link
//                         offset 4  byte   NivNo  qualifier of the link, 0 by default
//   TLienConj (9 bytes):  offset 0  5      a TLienPers
//                         offset 5  int32  companion value, 0 by default
//
// In memory only: TLienConjSupp (a TLienConj and a further int32), TPersAssociee (the cited
// person of an event as a TLienPers, then the quality and kinship numbers, entries of their
// value tables) and TPersAssocieeSupp (a TPersAssociee assigned from another).
//
// Every comparison of TLienPers looks at No alone; assigning a plain number sets No and clears
// NivNo, assigning a link copies both members.
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace kyb {

struct TLienPers {
  static constexpr size_t kTailleDisque = 5;
  int32_t No = 0;
  uint8_t NivNo = 0;

  TLienPers() = default;
  TLienPers(int32_t no) : No(no) {}  // NOLINT: plain numbers convert, as in the rest of the system
  TLienPers(const TLienPers&) = default;
  TLienPers& operator=(const TLienPers&) = default;
  TLienPers& operator=(int32_t no) {
    No = no;
    NivNo = 0;
    return *this;
  }
  bool operator!() const { return No == 0; }
  int32_t operator()() const { return No; }
  friend bool operator==(const TLienPers& a, const TLienPers& b) { return a.No == b.No; }
  friend bool operator!=(const TLienPers& a, const TLienPers& b) { return a.No != b.No; }
  friend bool operator<(const TLienPers& a, const TLienPers& b) { return a.No < b.No; }
  friend bool operator>(const TLienPers& a, const TLienPers& b) { return a.No > b.No; }
  friend bool operator==(const TLienPers& a, int32_t n) { return a.No == n; }
  friend bool operator!=(const TLienPers& a, int32_t n) { return a.No != n; }
  friend bool operator<(const TLienPers& a, int32_t n) { return a.No < n; }
  friend bool operator>(const TLienPers& a, int32_t n) { return a.No > n; }

  void Ecrit(unsigned char* sortie) const {
    std::memcpy(sortie, &No, 4);
    sortie[4] = NivNo;
  }
  void Lit(const unsigned char* entree) {
    std::memcpy(&No, entree, 4);
    NivNo = entree[4];
  }
};

struct TLienConj {
  static constexpr size_t kTailleDisque = 9;
  TLienPers Lien;
  int32_t Compagnon = 0;

  // Copies the three members.
  TLienConj& operator=(const TLienConj&) = default;

  void Ecrit(unsigned char* sortie) const {
    Lien.Ecrit(sortie);
    std::memcpy(sortie + 5, &Compagnon, 4);
  }
  void Lit(const unsigned char* entree) {
    Lien.Lit(entree);
    std::memcpy(&Compagnon, entree + 5, 4);
  }
};

struct TLienConjSupp {
  TLienConj Conj;
  int32_t Supplement = 0;
};

// A person cited by an event: the person, then the quality and kinship numbers (0 = none).
struct TPersAssociee {
  TLienPers Lien;
  int32_t Qualite = 0;
  int32_t Parente = 0;

  friend bool operator==(const TPersAssociee& a, int32_t n) { return a.Lien.No == n; }
  friend bool operator!=(const TPersAssociee& a, int32_t n) { return a.Lien.No != n; }
  [[nodiscard]] bool Vide() const { return Lien.No == 0; }
};

struct TPersAssocieeSupp : TPersAssociee {
  TPersAssocieeSupp() = default;
  TPersAssocieeSupp& operator=(const TPersAssociee& autre) {
    static_cast<TPersAssociee&>(*this) = autre;
    return *this;
  }
};

// True when one of the first n links of the table has the number no (false for n <= 0).
[[nodiscard]] inline bool ExisteNoTableLienPers(const TLienPers* table, int n, long no) {
  if (!table) return false;
  for (int i = 0; i < n; ++i)
    if (table[i].No == no) return true;
  return false;
}

// (rang + 256) modulo 256 with the sign of the dividend: -1 gives 255, 256 gives 0.
[[nodiscard]] inline int AjusteRang(int rang) { return (rang + 256) % 256; }

}  // namespace kyb
