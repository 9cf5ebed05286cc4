// kyb commands of the noms subsystem.
#include "commandes.h"

namespace kyb::cli {

std::span<const TCommande> CommandesNoms() { return {}; }

}  // namespace kyb::cli
