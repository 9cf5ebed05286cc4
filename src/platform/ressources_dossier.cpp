// Texts of the genealogy folder.
#include "platform/ressources.h"

namespace kyb {
namespace {

constexpr TRessource kTable[] = {
    {6200,
     "La généalogie #1 existe déjà !\nElle contient #2 personnes. Si vous souhaitez réellement "
     "supprimer ce dossier, veuillez le supprimer par la palette Outils, puis créer un nouveau "
     "dossier.\n\nVoulez-vous choisir un autre nom pour le nouveau dossier ?"},
    {6201, "Création d'un dossier généalogique"},
};

}  // namespace

std::span<const TRessource> RessourcesDossier() { return kTable; }

}  // namespace kyb
