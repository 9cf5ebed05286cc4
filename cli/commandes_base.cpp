// kyb commands that are not tied to one subsystem: version, help, demo.
#include <cstdio>

#include "commandes.h"
#include "demo.h"
#include "version.h"

namespace kyb::cli {

int Aide(const TAppel& args);

namespace {

int Version(const TAppel&) {
  std::printf("kyb %s (kybase)\n", KYBASE_VERSION);
  return 0;
}

constexpr TCommande kCommandes[] = {
    {"--version", "--version", "affiche la version", Version},
    {"aide", "aide [COMMANDE...]", "affiche cette aide, ou l'usage d'une commande", Aide},
    {"demo", "demo [REPERTOIRE]", "démonstration sur une généalogie d'exemple, gardée dans REPERTOIRE (le répertoire courant par défaut)", Demo},
};

}  // namespace

std::span<const TCommande> CommandesBase() { return kCommandes; }

}  // namespace kyb::cli
