#pragma once
// The writer's lock of a directory: an exclusive advisory lock (flock) on the directory itself,
// so that no file is created for it and a killed holder leaves nothing behind (the system drops
// the lock with the process). A genealogy folder is written by one program at a time: its writer
// holds this lock from the opening to the closing; readers take none.
//
// A request waits at most the given time, then fails (TErreurSysteme::Verrouille). A lock that
// this process already holds is never waited for: the request fails at once (a second writable
// opening of a folder in one program can only wait for itself).
#include <chrono>

#include "platform/chaines.h"
#include "platform/fichiers.h"

namespace kyb {

class TVerrouRepertoire {
 public:
  static constexpr std::chrono::milliseconds kAttenteParDefaut{5000};

  TVerrouRepertoire() = default;
  ~TVerrouRepertoire();
  TVerrouRepertoire(TVerrouRepertoire&& autre) noexcept;
  TVerrouRepertoire& operator=(TVerrouRepertoire&& autre) noexcept;
  TVerrouRepertoire(const TVerrouRepertoire&) = delete;
  TVerrouRepertoire& operator=(const TVerrouRepertoire&) = delete;

  // Takes the lock of an existing directory; an empty object on failure (its reason in *erreur:
  // Verrouille when held elsewhere past the wait, Absent when there is no such directory).
  [[nodiscard]] static TVerrouRepertoire Prend(const AnsiString& repertoire,
                                               std::chrono::milliseconds attente = kAttenteParDefaut,
                                               TErreurSysteme* erreur = nullptr);
  // Whether another holder (a program, or another object of this one) has the lock now; asked
  // without waiting and without keeping it.
  [[nodiscard]] static bool TenuAilleurs(const AnsiString& repertoire);

  [[nodiscard]] bool Tenu() const { return fd_ >= 0; }
  // Whether this object holds the lock of the directory the path names now (a directory renamed
  // keeps its lock; a directory put in its place has none).
  [[nodiscard]] bool Couvre(const AnsiString& repertoire) const;
  void Rend() noexcept;

 private:
  int fd_ = -1;
  unsigned long long peripherique_ = 0;
  unsigned long long noeud_ = 0;
};

}  // namespace kyb
