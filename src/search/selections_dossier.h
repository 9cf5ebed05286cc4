#pragma once
// The selections a genealogy keeps, in the file "selections.kys" of its folder.
//
// Layout: the 8 bytes "KYSEL001", then an object stream (platform/flux_objets.h): the number of
// selections (int32), then each selection as a pointer (TSelection or TSelectionMEV). The file is
// replaced whole (platform/ecriture_atomique.h): a failed write leaves the previous one.
#include <memory>
#include <string>
#include <vector>

#include "search/selection.h"

namespace kyb {

class TGestFichier;

using TSelections = std::vector<std::unique_ptr<TSelection>>;

[[nodiscard]] AnsiString FichierSelections(const TGestFichier& dossier);
// The saved selections (none when the file does not exist). False, with a French message, when
// the file cannot be read or is damaged; selections is then left empty.
[[nodiscard]] bool ChargeSelections(const TGestFichier& dossier, TSelections& selections, std::string& erreur);
// Writes every selection. False, with a French message, on a read-only folder or a failed write.
[[nodiscard]] bool EnregistreSelections(const TGestFichier& dossier, const TSelections& selections,
                                        std::string& erreur);
// The stream form alone (without the leading bytes), and back; false on a damaged stream.
[[nodiscard]] std::string FluxSelections(const TSelections& selections);
[[nodiscard]] bool LitFluxSelections(std::string_view donnees, TSelections& selections);

}  // namespace kyb
