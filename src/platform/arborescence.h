#pragma once
// Whole directory trees: listing subdirectories, reproducing a tree (hard links or synced copies),
// removing an empty directory, and resolving a path through its links to say where it truly
// lies. Used by the maintenance of genealogy folders and by every check of an output path.
#include <functional>
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
// The absolute path that chemin names once ".", ".." and every symbolic link are resolved, as
// the system would resolve it when opening or creating it: the existing part as the system
// resolves it, a link at the end that points nowhere followed to where a creation would land,
// the missing rest appended as written. Empty when it cannot be worked out (a loop of links).
[[nodiscard]] AnsiString CheminResolu(const AnsiString& chemin);
// Whether chemin, resolved, is repertoire (resolved) or lies below it. False when either cannot
// be resolved.
[[nodiscard]] bool CheminDans(const AnsiString& chemin, const AnsiString& repertoire);
// Whether the path itself (not what it points to) is a symbolic link.
[[nodiscard]] bool EstLienSymbolique(const AnsiString& chemin);
// Gives every entry of the tree source a second name under cible, each as it lies: regular files,
// special files and symbolic links as hard links (where the file system has none, a regular
// file is copied and synced and a link made anew with the same target), directories made with
// the permissions of their source and synced. nom(sousRepertoire, entree) gives the name under
// cible of an entry of source/sousRepertoire (sousRepertoire "" or "Notices/"). Nothing is
// followed out of source. False at the first failure, errno kept; what was made stays for the
// caller to remove.
using TNomEntree = std::function<AnsiString(const AnsiString& sousRepertoire, const AnsiString& entree)>;
[[nodiscard]] bool LieArborescence(const AnsiString& source, const AnsiString& cible, const TNomEntree& nom);
// A new directory of a unique name beginning with modele (e.g. "/tmp/kyb-demo-"), made for this
// process alone (mode 0700); empty when it cannot be made.
[[nodiscard]] AnsiString CreeRepertoireUnique(const AnsiString& modele);

}  // namespace kyb
