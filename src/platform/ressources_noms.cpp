// Texts of the noms subsystem.
#include "platform/ressources.h"

namespace kyb {

// Empty until the subsystem adds its texts (numbers unique across every table).
std::span<const TRessource> RessourcesNoms() { return {}; }

}  // namespace kyb
