// kyb commands of the dates subsystem.
#include "commandes.h"

namespace kyb::cli {

std::span<const TCommande> CommandesDates() { return {}; }

}  // namespace kyb::cli
