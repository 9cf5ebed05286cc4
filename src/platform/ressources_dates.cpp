// Texts of the dates subsystem.
#include "platform/ressources.h"

namespace kyb {

// Empty until the subsystem adds its texts (numbers unique across every table).
std::span<const TRessource> RessourcesDates() { return {}; }

}  // namespace kyb
