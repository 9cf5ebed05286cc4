#pragma once
// Whole directory trees: listing subdirectories, reproducing a tree (hard links or synced copies)
// and removing an empty directory. Used by the maintenance of genealogy folders.
#include <vector>

#include "platform/chaines.h"

namespace kyb {

// Names of the subdirectories of a directory, sorted.
[[nodiscard]] std::vector<AnsiString> ListeRepertoires(const AnsiString& repertoire);
// Whether anything (file, directory, link) bears that path.
[[nodiscard]] bool CheminOccupe(const AnsiString& chemin);
// Removes a directory only when it is empty.
bool SupprimeRepertoireVide(const AnsiString& chemin);
// Reproduces the tree source under cible (created): every file as a second name of the same
// content (liens, a synced copy where links are impossible) or as a synced copy; each directory
// synced. False at the first failure, errno kept; what was made stays for the caller to remove.
[[nodiscard]] bool ReproduitArborescence(const AnsiString& source, const AnsiString& cible, bool liens);
// A new directory of a unique name beginning with modele (e.g. "/tmp/kyb-demo-"), made for this
// process alone (mode 0700); empty when it cannot be made.
[[nodiscard]] AnsiString CreeRepertoireUnique(const AnsiString& modele);

}  // namespace kyb
