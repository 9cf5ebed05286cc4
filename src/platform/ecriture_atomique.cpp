#include "platform/ecriture_atomique.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "platform/fichiers.h"

namespace kyb {
namespace {

// Keeps errno across the clean-up of a failed step.
class TGardeErrno {
 public:
  TGardeErrno() : valeur_(errno) {}
  ~TGardeErrno() { errno = valeur_; }
  TGardeErrno(const TGardeErrno&) = delete;
  TGardeErrno& operator=(const TGardeErrno&) = delete;

 private:
  int valeur_;
};

AnsiString RepertoireDe(const AnsiString& chemin) {
  const AnsiString r = ExtraitRepertoire(chemin);
  return r.empty() ? AnsiString("./") : r;
}

}  // namespace

bool SynchroniseRepertoire(const AnsiString& repertoire) {
  const std::string chemin = CheminSysteme(repertoire.empty() ? AnsiString("./") : repertoire);
  const int fd = ::open(chemin.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = AppelsSysteme().fsync(fd) == 0;
  const TGardeErrno garde;
  ::close(fd);
  return ok;
}

bool SynchroniseFichier(const AnsiString& chemin) {
  const int fd = ::open(CheminSysteme(chemin).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = AppelsSysteme().fdatasync(fd) == 0;
  const TGardeErrno garde;
  ::close(fd);
  return ok;
}

bool RemplaceFichier(const AnsiString& source, const AnsiString& cible) {
  if (AppelsSysteme().rename(CheminSysteme(source).c_str(), CheminSysteme(cible).c_str()) != 0)
    return false;
  return SynchroniseRepertoire(RepertoireDe(cible));
}

bool CopieSure(const AnsiString& source, const AnsiString& cible) {
  const AnsiString temporaire = cible + ".tmp";
  const auto echec = [&] {
    const TGardeErrno garde;
    SupprimeFichier(temporaire);
    return false;
  };
  const TFichier entree = TFichier::Ouvre(source, TAcces::Lecture, TCreation::Existant);
  if (!entree.Valide()) return false;
  TFichier sortie = TFichier::Ouvre(temporaire, TAcces::LectureEcriture, TCreation::Ecrase);
  if (!sortie.Valide()) return false;
  std::vector<unsigned char> tampon(1 << 20);
  for (int64_t position = 0;;) {
    const int64_t lus = entree.LitA(position, tampon.data(), tampon.size());
    if (lus < 0) return echec();
    if (lus == 0) break;
    const int64_t ecrits = sortie.EcritA(position, tampon.data(), static_cast<size_t>(lus));
    if (ecrits != lus) {
      if (ecrits >= 0) errno = ENOSPC;  // a short write: the disk is full
      return echec();
    }
    position += lus;
  }
  if (!sortie.Synchronise()) return echec();
  sortie.Ferme();
  if (!RemplaceFichier(temporaire, cible)) return echec();
  return true;
}

bool CreeLienDur(const AnsiString& existant, const AnsiString& nouveau) {
  return ::link(CheminSysteme(existant).c_str(), CheminSysteme(nouveau).c_str()) == 0;
}

bool GardeSousUnAutreNom(const AnsiString& existant, const AnsiString& nouveau) {
  if (CreeLienDur(existant, nouveau)) return true;
  if (errno == EEXIST) return false;
  return CopieSure(existant, nouveau);
}

bool EcritureAutorisee(const AnsiString& chemin) {
  const std::string systeme = CheminSysteme(chemin.empty() ? AnsiString("./") : chemin);
  struct stat st{};
  if (::stat(systeme.c_str(), &st) != 0) return false;
  return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 && ::access(systeme.c_str(), W_OK) == 0;
}

AnsiString NomLibre(const AnsiString& chemin) {
  for (int n = 1;; ++n) {
    const AnsiString nom = n == 1 ? chemin : chemin + "." + std::to_string(n);
    struct stat st{};
    if (::lstat(CheminSysteme(nom).c_str(), &st) != 0) return nom;
  }
}

}  // namespace kyb
