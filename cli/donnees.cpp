#include "donnees.h"

#include "platform/fichiers.h"
#include "platform/installation.h"

#ifndef KYBASE_DONNEES
#define KYBASE_DONNEES "data"
#endif

namespace kyb::cli {

const std::string& RepertoireDonnees() {
  static const std::string repertoire = [] {
    const AnsiString installees = RepertoireDonneesInstallation();
    return installees.empty() ? std::string(KYBASE_DONNEES) : AnsiVersUtf8(SansSeparateurFinal(installees));
  }();
  return repertoire;
}

}  // namespace kyb::cli
