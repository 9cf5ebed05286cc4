#pragma once
// A whole file mapped read-only into memory, for readers that look at a few places of a large
// file (a binary search) without reading all of it.
//
// The mapping is private to this object and released by its destructor; move-only. An empty file,
// a missing one or one that cannot be mapped gives an object that is not open (Octets() empty);
// why is kept as the thread's last system error (platform/fichiers.h). The content is what the
// file held when it was mapped as long as nobody rewrites the file in place; the library replaces
// its files by renaming a new one over them, which leaves a mapping on the old content.
#include <cstddef>
#include <string_view>

#include "platform/chaines.h"

namespace kyb {

class TFichierProjete {
 public:
  TFichierProjete() = default;
  explicit TFichierProjete(const AnsiString& chemin);
  ~TFichierProjete();
  TFichierProjete(TFichierProjete&& autre) noexcept;
  TFichierProjete& operator=(TFichierProjete&& autre) noexcept;
  TFichierProjete(const TFichierProjete&) = delete;
  TFichierProjete& operator=(const TFichierProjete&) = delete;

  [[nodiscard]] bool Ouvert() const { return adresse_ != nullptr; }
  // The bytes of the file, valid while this object lives.
  [[nodiscard]] std::string_view Octets() const { return {static_cast<const char*>(adresse_), taille_}; }

 private:
  void Libere() noexcept;

  void* adresse_ = nullptr;
  size_t taille_ = 0;
};

}  // namespace kyb
