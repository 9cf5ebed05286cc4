#pragma once
// Numbers an import gives to cross-references, from 1 in order of first sight. A key is a
// reference without its '@' ("I12"). Keys made of a few non-digits then a number without a
// leading zero ("I12", "F7") are found by their number in a table per prefix, without hashing
// or comparing text; any other key goes through a hash table. Both give the same numbers.
//
// The tables per prefix grow with the largest number seen, bounded by the count of keys: a file
// with sparse numbers falls back to the hash table. One import, one thread.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kyb {

class TNumerosXref {
 public:
  // Its number; 0 when none was given.
  [[nodiscard]] int32_t Cherche(std::string_view cle) const;
  // Its number, given now (the next one) when it had none.
  int32_t Numero(std::string_view cle);
  // Numbers given so far.
  [[nodiscard]] int32_t Taille() const { return taille_; }

 private:
  struct TPrefixe {
    std::string texte;
    std::vector<int32_t> parNombre;  // 0: no key of that number yet
  };
  struct THachage {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  // The table of the key's prefix and its number; null when the key has not that form or the
  // number lies beyond what the table may grow to (creer: a new prefix may be added).
  std::vector<int32_t>* Table(std::string_view cle, uint32_t& nombre, bool creer);
  [[nodiscard]] const std::vector<int32_t>* Table(std::string_view cle, uint32_t& nombre) const;

  std::vector<TPrefixe> prefixes_;
  std::unordered_map<std::string, int32_t, THachage, std::equal_to<>> autres_;
  int32_t taille_ = 0;
};

}  // namespace kyb
