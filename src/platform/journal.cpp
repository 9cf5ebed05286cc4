#include "platform/journal.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>

#include "platform/date_heure.h"
#include "platform/thread_nom.h"

namespace kyb {
namespace {

std::mutex gMutex;
std::string gRepertoire;

std::string NomFichier(const std::string& fichier) {
  return fichier.find('.') == std::string::npos ? fichier + ".log" : fichier;
}

// The user's state directory: $XDG_STATE_HOME, else ~/.local/state (an absolute path only).
std::string RepertoireSansVerrou() {
  if (!gRepertoire.empty()) return gRepertoire;
  const char* etat = std::getenv("XDG_STATE_HOME");
  if (etat && *etat == '/') return std::string(etat) + "/kybase/logs";
  const char* maison = std::getenv("HOME");
  if (maison && *maison == '/') return std::string(maison) + "/.local/state/kybase/logs";
  const char* tmp = std::getenv("TMPDIR");
  return std::string(tmp && *tmp ? tmp : "/tmp") + "/kybase-logs";
}

}  // namespace

void DefinitRepertoireJournaux(const std::string& repertoireUtf8) {
  const std::lock_guard<std::mutex> garde(gMutex);
  gRepertoire = repertoireUtf8;
}

std::string RepertoireJournaux() {
  const std::lock_guard<std::mutex> garde(gMutex);
  return RepertoireSansVerrou();
}

void AjouteJournal(const std::string& fichier, const std::string& texteUtf8) {
  try {
    const std::lock_guard<std::mutex> garde(gMutex);
    const std::filesystem::path repertoire(RepertoireSansVerrou());
    std::error_code ec;
    std::filesystem::create_directories(repertoire, ec);
    std::ofstream sortie(repertoire / NomFichier(fichier), std::ios::app);
    const TDateTime maintenant = Maintenant();
    sortie << FormatDateHeure("dd/mm/yyyy hh:nn:ss", maintenant) << " [" << NomThread() << "] "
           << texteUtf8 << '\n';
  } catch (...) {
    // A log that cannot be written is lost; the operation that logged goes on.
  }
}

std::vector<std::string> LignesJournal(const std::string& fichier) {
  const std::lock_guard<std::mutex> garde(gMutex);
  std::ifstream entree(std::filesystem::path(RepertoireSansVerrou()) / NomFichier(fichier));
  std::vector<std::string> lignes;
  std::string ligne;
  while (std::getline(entree, ligne)) lignes.push_back(ligne);
  return lignes;
}

}  // namespace kyb
