#include "platform/marque_fichier.h"

#include <fcntl.h>
#include <sys/stat.h>

#include "platform/fichiers.h"

namespace kyb {

bool MarqueFichierModifie(const AnsiString& chemin) {
  return ::utimensat(AT_FDCWD, CheminSysteme(chemin).c_str(), nullptr, 0) == 0;
}

}  // namespace kyb
