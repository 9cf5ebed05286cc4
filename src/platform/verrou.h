#pragma once
// The inter-thread mutex of the store: a timed mutex whose waits are bounded (5000 ms by
// default), and an RAII holder that knows whether it obtained the lock.
#include <chrono>
#include <mutex>

namespace kyb {

class TVerrou {
 public:
  static constexpr std::chrono::milliseconds kAttenteParDefaut{5000};

  // False when the mutex could not be taken within the wait.
  [[nodiscard]] bool Prend(std::chrono::milliseconds attente = kAttenteParDefaut) {
    return mutex_.try_lock_for(attente);
  }
  void Rend() { mutex_.unlock(); }

 private:
  std::timed_mutex mutex_;
};

class TVerrouTenu {
 public:
  explicit TVerrouTenu(TVerrou& verrou,
                       std::chrono::milliseconds attente = TVerrou::kAttenteParDefaut)
      : verrou_(verrou), tenu_(verrou.Prend(attente)) {}
  ~TVerrouTenu() {
    if (tenu_) verrou_.Rend();
  }
  TVerrouTenu(const TVerrouTenu&) = delete;
  TVerrouTenu& operator=(const TVerrouTenu&) = delete;
  [[nodiscard]] bool Tenu() const { return tenu_; }

 private:
  TVerrou& verrou_;
  bool tenu_;
};

}  // namespace kyb
