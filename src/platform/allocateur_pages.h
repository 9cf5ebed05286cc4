#pragma once
// Allocator of the large element vectors: a block of 4 MiB or more is aligned on 2 MiB and the
// system is asked to back it with large pages. A binary search over a vector of hundreds of MB
// otherwise spends most of its time on address translation misses, one per step; with large
// pages the index answers about twice as many look-ups. Smaller blocks come from operator new.
//
// The advice is a hint: where the system has no large pages (or refuses), the block is an
// ordinary one.
#include <cstddef>
#include <cstdlib>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace kyb {

template <typename T>
class TAllocateurGrandesPages {
 public:
  using value_type = T;
  static constexpr size_t kGrandePage = size_t{2} << 20;
  static constexpr size_t kSeuil = size_t{4} << 20;

  TAllocateurGrandesPages() noexcept = default;
  template <typename U>
  explicit TAllocateurGrandesPages(const TAllocateurGrandesPages<U>&) noexcept {}

  [[nodiscard]] T* allocate(size_t n) {
    if (n > static_cast<size_t>(-1) / sizeof(T)) throw std::bad_alloc();
    const size_t octets = n * sizeof(T);
    if (octets < kSeuil)
      return static_cast<T*>(::operator new(octets, std::align_val_t{alignof(T)}));
    const size_t arrondi = (octets + kGrandePage - 1) / kGrandePage * kGrandePage;
    void* p = std::aligned_alloc(kGrandePage, arrondi);
    if (!p) throw std::bad_alloc();
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    (void)madvise(p, arrondi, MADV_HUGEPAGE);
#endif
    return static_cast<T*>(p);
  }

  void deallocate(T* p, size_t n) noexcept {
    if (n * sizeof(T) < kSeuil)
      ::operator delete(p, std::align_val_t{alignof(T)});
    else
      std::free(p);
  }

  template <typename U>
  bool operator==(const TAllocateurGrandesPages<U>&) const noexcept {
    return true;
  }
};

}  // namespace kyb
