#include "platform/fichier_projete.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/fichiers.h"

namespace kyb {

TFichierProjete::TFichierProjete(const AnsiString& chemin) {
  const int fd = ::open(CheminSysteme(chemin).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return;
  struct stat etat {};
  if (::fstat(fd, &etat) == 0 && S_ISREG(etat.st_mode) && etat.st_size > 0) {
    void* a = ::mmap(nullptr, static_cast<size_t>(etat.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
    if (a != MAP_FAILED) {
      adresse_ = a;
      taille_ = static_cast<size_t>(etat.st_size);
    }
  }
  // The mapping outlives the descriptor; the failure's number survives the closing.
  const int erreur = errno;
  ::close(fd);
  errno = erreur;
}

TFichierProjete::~TFichierProjete() { Libere(); }

TFichierProjete::TFichierProjete(TFichierProjete&& autre) noexcept
    : adresse_(std::exchange(autre.adresse_, nullptr)), taille_(std::exchange(autre.taille_, 0)) {}

TFichierProjete& TFichierProjete::operator=(TFichierProjete&& autre) noexcept {
  if (this != &autre) {
    Libere();
    adresse_ = std::exchange(autre.adresse_, nullptr);
    taille_ = std::exchange(autre.taille_, 0);
  }
  return *this;
}

void TFichierProjete::Libere() noexcept {
  if (adresse_) ::munmap(adresse_, taille_);
  adresse_ = nullptr;
  taille_ = 0;
}

}  // namespace kyb
