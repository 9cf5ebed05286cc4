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

TEcritureAtomique::TEcritureAtomique(const AnsiString& chemin)
    : chemin_(chemin), temporaire_(chemin + ".tmp") {
  fichier_ = TFichier::Ouvre(temporaire_, TAcces::LectureEcriture, TCreation::Ecrase);
  cree_ = fichier_.Valide();
  erreur_ = !cree_;
}

TEcritureAtomique::~TEcritureAtomique() {
  if (!valide_) Abandonne();
}

bool TEcritureAtomique::Ajoute(const void* octets, size_t n) {
  if (erreur_) return false;
  if (n == 0) return true;
  if (fichier_.EcritA(position_, octets, n) != static_cast<int64_t>(n)) {
    erreur_ = true;
    return false;
  }
  position_ += static_cast<int64_t>(n);
  return true;
}

bool TEcritureAtomique::Valide() {
  if (erreur_ || valide_ || !fichier_.Synchronise()) {
    Abandonne();
    return false;
  }
  fichier_.Ferme();
  // The rename replaces the target in one step; the old content stays until then.
  if (AppelsSysteme().rename(CheminSysteme(temporaire_).c_str(), CheminSysteme(chemin_).c_str()) != 0) {
    Abandonne();
    return false;
  }
  valide_ = true;
  return SynchroniseRepertoire(RepertoireDe(chemin_));
}

void TEcritureAtomique::Abandonne() noexcept {
  erreur_ = true;
  fichier_.Ferme();
  // Only a temporary this writing created is removed: another writer may hold its own.
  if (cree_ && !valide_) SupprimeFichier(temporaire_);
  cree_ = false;
}

bool EcritFichierAtomique(const AnsiString& chemin, std::string_view contenu) {
  TEcritureAtomique ecriture(chemin);
  return ecriture.Ajoute(contenu.data(), contenu.size()) && ecriture.Valide();
}

}  // namespace kyb
