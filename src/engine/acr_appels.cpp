// The engine's file transfers go through the platform's system-call table.
#include <cerrno>
#include <cstdio>
#include <mutex>

#include "engine/acr_sqlite_interne.h"
#include "platform/fichiers.h"

namespace kyb {
namespace {

ssize_t EcritureMoteur(int fd, const void* tampon, size_t taille, off_t position) {
  const ssize_t ecrits = AppelsSysteme().pwrite(fd, tampon, taille, position);
  if (ecrits != static_cast<ssize_t>(taille)) SignaleEcritureEchouee(ecrits < 0 ? errno : 0);
  return ecrits;
}

ssize_t LectureMoteur(int fd, void* tampon, size_t taille, off_t position) {
  return AppelsSysteme().pread(fd, tampon, taille, position);
}

}  // namespace

void BrancheAppelsMoteur() {
  static std::once_flag fait;
  std::call_once(fait, [] {
    sqlite3_vfs* vfs = sqlite3_vfs_find(nullptr);
    if (!vfs || vfs->iVersion < 3 || !vfs->xSetSystemCall) return;
    (void)vfs->xSetSystemCall(vfs, "pwrite64", reinterpret_cast<sqlite3_syscall_ptr>(&EcritureMoteur));
    (void)vfs->xSetSystemCall(vfs, "pread64", reinterpret_cast<sqlite3_syscall_ptr>(&LectureMoteur));
  });
}

std::string UriImmuable(const AnsiString& chemin) {
  std::string uri = "file:";
  for (const unsigned char c : CheminSysteme(chemin)) {
    if (c == '%' || c == '?' || c == '#' || c < 0x20) {
      char code[4];
      std::snprintf(code, sizeof code, "%%%02X", c);
      uri += code;
    } else {
      uri += static_cast<char>(c);
    }
  }
  return uri + "?immutable=1";
}

}  // namespace kyb
