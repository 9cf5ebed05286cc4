#include "platform/arborescence.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "platform/ecriture_atomique.h"
#include "platform/fichiers.h"

namespace kyb {

std::vector<AnsiString> ListeRepertoires(const AnsiString& repertoire) {
  std::vector<AnsiString> noms;
  std::error_code ec;
  std::filesystem::directory_iterator it(CheminSysteme(repertoire), ec);
  for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
    std::error_code ec2;
    if (it->is_directory(ec2) && !it->is_symlink(ec2))
      noms.push_back(Utf8VersAnsi(it->path().filename().string()));
  }
  std::sort(noms.begin(), noms.end());
  return noms;
}

bool CheminOccupe(const AnsiString& chemin) {
  struct stat st{};
  return ::lstat(CheminSysteme(SansSeparateurFinal(chemin)).c_str(), &st) == 0;
}

bool SupprimeRepertoireVide(const AnsiString& chemin) {
  return ::rmdir(CheminSysteme(SansSeparateurFinal(chemin)).c_str()) == 0;
}

bool ReproduitArborescence(const AnsiString& source, const AnsiString& cible, bool liens) {
  if (!CreeRepertoires(cible)) return false;
  const AnsiString de = AvecSeparateurFinal(source), vers = AvecSeparateurFinal(cible);
  for (const AnsiString& nom : ListeFichiers(de, "*.*")) {
    const bool ok = liens ? GardeSousUnAutreNom(de + nom, vers + nom) : CopieSure(de + nom, vers + nom);
    if (!ok) return false;
  }
  for (const AnsiString& nom : ListeRepertoires(de))
    if (!ReproduitArborescence(de + nom, vers + nom, liens)) return false;
  return SynchroniseRepertoire(vers);
}

AnsiString CreeRepertoireUnique(const AnsiString& modele) {
  std::string gabarit = AnsiVersUtf8(modele) + "XXXXXX";
  if (!mkdtemp(gabarit.data())) return {};
  return Utf8VersAnsi(gabarit);
}

}  // namespace kyb
