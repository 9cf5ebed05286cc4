// Texts of the noms subsystem.
#include "platform/ressources.h"

namespace kyb {

namespace {

// 4610: surname particles, space-separated, in the case forms in which surnames are typed.
//       A word that begins a listed particle counts as one (D and L through DE and LA).
// 4611: small words of names, kept as typed when a name is formatted for display.
constexpr TRessource kRessources[] = {
    {4610,
     "de De DE d' D' du Du DU des Des DES la La LA le Le LE les Les LES l' L' "
     "van Van VAN von Von VON der Der DER den Den DEN di Di DI da Da DA "
     "del Del DEL della Della DELLA dos Dos DOS"},
    {4611, "dit dite dits dites alias et ou veuve vve épouse ép né née fils"},
};

}  // namespace

std::span<const TRessource> RessourcesNoms() { return kRessources; }

}  // namespace kyb
