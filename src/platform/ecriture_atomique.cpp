#include "platform/ecriture_atomique.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace kyb {

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
  // rename() replaces the target in one step; the old content stays until then.
  if (std::rename(CheminSysteme(temporaire_).c_str(), CheminSysteme(chemin_).c_str()) != 0) {
    Abandonne();
    return false;
  }
  valide_ = true;
  return SynchroniseRepertoire(ExtraitRepertoire(chemin_));
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

bool SynchroniseRepertoire(const AnsiString& repertoire) {
  const std::string systeme = CheminSysteme(repertoire.empty() ? AnsiString(".") : repertoire);
  const int fd = ::open(systeme.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = ::fsync(fd) == 0;
  ::close(fd);
  return ok;
}

}  // namespace kyb
