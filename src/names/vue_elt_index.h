#pragma once
// A read-only random-access view of index entries in index order: the order holds slot numbers,
// the store holds the entries. Valid until the index changes.
#include <compare>
#include <cstddef>
#include <cstdint>
#include <iterator>

#include "names/elt_index.h"

namespace kyb {

class TVueEltIndex {
 public:
  class iterator {
   public:
    using iterator_category = std::random_access_iterator_tag;
    using value_type = TEltIndex;
    using difference_type = std::ptrdiff_t;
    using pointer = const TEltIndex*;
    using reference = const TEltIndex&;

    iterator() = default;
    iterator(const int32_t* slot, const TEltIndex* stock) : slot_(slot), stock_(stock) {}

    reference operator*() const { return stock_[*slot_]; }
    pointer operator->() const { return &stock_[*slot_]; }
    reference operator[](difference_type n) const { return stock_[slot_[n]]; }
    iterator& operator++() { ++slot_; return *this; }
    iterator operator++(int) { iterator avant = *this; ++slot_; return avant; }
    iterator& operator--() { --slot_; return *this; }
    iterator operator--(int) { iterator avant = *this; --slot_; return avant; }
    iterator& operator+=(difference_type n) { slot_ += n; return *this; }
    iterator& operator-=(difference_type n) { slot_ -= n; return *this; }
    friend iterator operator+(iterator i, difference_type n) { return i += n; }
    friend iterator operator+(difference_type n, iterator i) { return i += n; }
    friend iterator operator-(iterator i, difference_type n) { return i -= n; }
    friend difference_type operator-(const iterator& a, const iterator& b) { return a.slot_ - b.slot_; }
    friend bool operator==(const iterator& a, const iterator& b) { return a.slot_ == b.slot_; }
    friend std::strong_ordering operator<=>(const iterator& a, const iterator& b) { return a.slot_ <=> b.slot_; }

   private:
    const int32_t* slot_ = nullptr;
    const TEltIndex* stock_ = nullptr;
  };

  TVueEltIndex(const int32_t* ordre, size_t taille, const TEltIndex* stock)
      : ordre_(ordre), taille_(taille), stock_(stock) {}

  [[nodiscard]] iterator begin() const { return {ordre_, stock_}; }
  [[nodiscard]] iterator end() const { return {ordre_ + taille_, stock_}; }
  [[nodiscard]] size_t size() const { return taille_; }
  [[nodiscard]] bool empty() const { return taille_ == 0; }
  const TEltIndex& operator[](size_t i) const { return stock_[ordre_[i]]; }

 private:
  const int32_t* ordre_;
  size_t taille_;
  const TEltIndex* stock_;
};

// Entry k of a long walk over the in-memory index: nothing to spare there.
[[nodiscard]] inline const TEltIndex& EntreeParcourue(const TVueEltIndex& vue, size_t k) { return vue[k]; }

}  // namespace kyb
