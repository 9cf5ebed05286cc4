// Texts of the noms subsystem.
#include "platform/ressources.h"

namespace kyb {

namespace {

// 4610: surname particles, space-separated, in the case forms in which surnames are typed.
//       A word that begins a listed particle counts as one (D and L through DE and LA).
//       Particles only, from the languages met in French genealogy: French (de, d', du, des,
//       la, le, les, l'), Dutch (van, der, den, ten, ter), German (von, vom, zu, zum, zur),
//       Italian (di, da, del, della, dello, delle, degli), Portuguese (dos). Left out on purpose:
//       Mac, Mc, O', Fitz, Ben, El, Al (part of the surname itself: MacDonald, O'Brien), "das"
//       (Das is a surname on its own) and "y" (a conjunction). Some particles are also whole
//       surnames (Du, Le, and Do through "dos"): a name whose every word reads as a particle
//       keeps its last word, so they stay findable.
// 4611: small words of names, kept as typed when a name is formatted for display.
constexpr TRessource kRessources[] = {
    {4610,
     "de De DE d' D' du Du DU des Des DES la La LA le Le LE les Les LES l' L' "
     "van Van VAN der Der DER den Den DEN ten Ten TEN ter Ter TER "
     "von Von VON vom Vom VOM zu Zu ZU zum Zum ZUM zur Zur ZUR "
     "di Di DI da Da DA del Del DEL della Della DELLA dello Dello DELLO delle Delle DELLE "
     "degli Degli DEGLI dos Dos DOS"},
    {4611, "dit dite dits dites alias et ou veuve vve épouse ép né née fils"},
};

}  // namespace

std::span<const TRessource> RessourcesNoms() { return kRessources; }

}  // namespace kyb
