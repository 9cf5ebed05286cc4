#include "platform/installation.h"

#include <unistd.h>

#include <array>

#include "platform/fichiers.h"
#include "platform/references_ansi.h"

namespace kyb {

AnsiString CheminExecutable() {
  std::array<char, 4096> tampon{};
  const ssize_t n = ::readlink("/proc/self/exe", tampon.data(), tampon.size());
  if (n <= 0 || static_cast<size_t>(n) >= tampon.size()) return {};
  const std::string utf8(tampon.data(), static_cast<size_t>(n));
  const AnsiString chemin = Utf8VersAnsi(utf8);
  return EstTexteAnsi(utf8) && AnsiVersUtf8(chemin) == utf8 ? chemin : AnsiString();
}

AnsiString RepertoireDonneesInstallation() {
  const AnsiString executable = CheminExecutable();
  // The directory holding the program's directory: "/p/bin/kyb" gives "/p/".
  const AnsiString prefixe = ExtraitRepertoire(SansSeparateurFinal(ExtraitRepertoire(executable)));
  if (prefixe.empty() || prefixe.front() != '/') return {};
  const AnsiString donnees = prefixe + "share/kybase/";
  return RepertoireExiste(donnees) ? donnees : AnsiString();
}

}  // namespace kyb
