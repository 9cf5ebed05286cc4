#include "platform/verrou_repertoire.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>
#include <random>
#include <set>
#include <thread>
#include <utility>

namespace kyb {
namespace {

using TCle = std::pair<unsigned long long, unsigned long long>;  // device, inode

// The directories whose lock this process holds.
std::mutex& MutexTenus() {
  static std::mutex m;
  return m;
}
std::set<TCle>& Tenus() {
  static std::set<TCle> tenus;
  return tenus;
}

bool TenuIci(const TCle& cle) {
  const std::lock_guard<std::mutex> garde(MutexTenus());
  return Tenus().count(cle) > 0;
}

}  // namespace

TVerrouRepertoire::~TVerrouRepertoire() { Rend(); }

TVerrouRepertoire::TVerrouRepertoire(TVerrouRepertoire&& autre) noexcept
    : fd_(std::exchange(autre.fd_, -1)), peripherique_(autre.peripherique_), noeud_(autre.noeud_) {}

TVerrouRepertoire& TVerrouRepertoire::operator=(TVerrouRepertoire&& autre) noexcept {
  if (this != &autre) {
    Rend();
    fd_ = std::exchange(autre.fd_, -1);
    peripherique_ = autre.peripherique_;
    noeud_ = autre.noeud_;
  }
  return *this;
}

void TVerrouRepertoire::Rend() noexcept {
  if (fd_ < 0) return;
  {
    const std::lock_guard<std::mutex> garde(MutexTenus());
    Tenus().erase({peripherique_, noeud_});
  }
  ::close(fd_);  // releases the lock
  fd_ = -1;
}

bool TVerrouRepertoire::Couvre(const AnsiString& repertoire) const {
  struct stat st{};
  return Tenu() && ::stat(CheminSysteme(SansSeparateurFinal(repertoire)).c_str(), &st) == 0 &&
         static_cast<unsigned long long>(st.st_dev) == peripherique_ &&
         static_cast<unsigned long long>(st.st_ino) == noeud_;
}

TVerrouRepertoire TVerrouRepertoire::Prend(const AnsiString& repertoire, std::chrono::milliseconds attente,
                                           TErreurSysteme* erreur) {
  TVerrouRepertoire v;
  const auto echec = [&](int e) {
    errno = e;
    if (erreur) *erreur = DerniereErreurSysteme();
    return TVerrouRepertoire();
  };
  const int fd = ::open(CheminSysteme(SansSeparateurFinal(repertoire)).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return echec(errno);
  struct stat st{};
  if (::fstat(fd, &st) != 0) {
    const int e = errno;
    ::close(fd);
    return echec(e);
  }
  const TCle cle{static_cast<unsigned long long>(st.st_dev), static_cast<unsigned long long>(st.st_ino)};
  if (TenuIci(cle)) {
    ::close(fd);
    return echec(EWOULDBLOCK);
  }
  // Polled with a short random pause, so that writers queued on one folder take turns.
  const auto limite = std::chrono::steady_clock::now() + attente;
  std::minstd_rand hasard(static_cast<unsigned>(::getpid()) ^ static_cast<unsigned>(st.st_ino));
  while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int e = errno;
    if ((e != EWOULDBLOCK && e != EINTR) || std::chrono::steady_clock::now() >= limite) {
      ::close(fd);
      return echec(e);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2 + hasard() % 18));
  }
  {
    const std::lock_guard<std::mutex> garde(MutexTenus());
    Tenus().insert(cle);
  }
  v.fd_ = fd;
  v.peripherique_ = cle.first;
  v.noeud_ = cle.second;
  if (erreur) *erreur = TErreurSysteme::Aucune;
  return v;
}

bool TVerrouRepertoire::TenuAilleurs(const AnsiString& repertoire) {
  const int fd = ::open(CheminSysteme(SansSeparateurFinal(repertoire)).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st{};
  bool tenu = ::fstat(fd, &st) == 0 &&
              TenuIci({static_cast<unsigned long long>(st.st_dev), static_cast<unsigned long long>(st.st_ino)});
  if (!tenu) {
    tenu = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    // Closing releases the probe's lock when it got it.
  }
  ::close(fd);
  return tenu;
}

}  // namespace kyb
