#pragma once
// TCouplesExport: the export's families by couple. A couple is (man or first member, woman or
// second member), numbers from 0 (0: no such member); a family number is from 1. A person alone
// (one member 0) numbered below the size given is found by its number in a plain array, read in
// person order as the export writes; a couple in an open-addressing table of 64-bit keys (one probe in most look-ups,
// where a node per entry costs two cache misses).
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kyb {

class TCouplesExport {
 public:
  // Persons alone numbered below n are kept by number (the others in the table).
  void Dimensionne(size_t n) {
    seulH_.assign(n, 0);
    seulF_.assign(n, 0);
  }
  // The family of the couple; 0 when it has none.
  [[nodiscard]] int32_t Trouve(int32_t h, int32_t f) const;
  // The family of the couple: the one it has, else numero, which it gets.
  int32_t Ajoute(int32_t h, int32_t f, int32_t numero);

 private:
  [[nodiscard]] static uint64_t Cle(int32_t h, int32_t f) {
    return (static_cast<uint64_t>(static_cast<uint32_t>(h)) << 32) | static_cast<uint32_t>(f);
  }
  [[nodiscard]] size_t Case(uint64_t cle) const;  // its slot, or the empty slot where it goes
  void Agrandit();

  std::vector<int32_t> seulH_, seulF_;  // families (no, 0) and (0, no), by no
  struct TCase {
    uint64_t cle = 0;
    int32_t famille = 0;  // 0: empty slot
  };
  std::vector<TCase> cases_;  // key and family side by side: one cache line a probe
  size_t nombre_ = 0;
  int decalage_ = 64;
};

}  // namespace kyb
