#pragma once
// Link values that point from one person to another.
//
//   TLienPers (5 bytes on disk):  offset 0 int32 No (person number, 0 = no link)
//                                 offset 4 byte  NivNo (qualifier of the link, 0 by default)
//   TLienConj (9 bytes on disk):  a TLienPers, then offset 5 int32 companion value (0 by default)
//
// TLienPers compares on No alone; assigning a plain number sets No and clears NivNo.
#include <cstdint>
#include <cstring>

namespace kyb {

struct TLienPers {
  static constexpr size_t kTailleDisque = 5;
  int32_t No = 0;
  uint8_t NivNo = 0;

  TLienPers() = default;
  TLienPers(int32_t no) : No(no) {}  // NOLINT: plain numbers convert, as in the rest of the system
  TLienPers& operator=(int32_t no) {
    No = no;
    NivNo = 0;
    return *this;
  }
  bool operator!() const { return No == 0; }
  int32_t operator()() const { return No; }
  friend bool operator==(const TLienPers& a, const TLienPers& b) { return a.No == b.No; }
  friend bool operator<(const TLienPers& a, const TLienPers& b) { return a.No < b.No; }
  friend bool operator>(const TLienPers& a, const TLienPers& b) { return a.No > b.No; }

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

  void Ecrit(unsigned char* sortie) const {
    Lien.Ecrit(sortie);
    std::memcpy(sortie + 5, &Compagnon, 4);
  }
  void Lit(const unsigned char* entree) {
    Lien.Lit(entree);
    std::memcpy(&Compagnon, entree + 5, 4);
  }
};

}  // namespace kyb
