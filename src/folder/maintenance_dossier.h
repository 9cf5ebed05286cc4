#pragma once
// Maintenance of a genealogy folder as a whole: renaming, duplicating and deleting it
// (members of TGestFichier, maintenance_dossier.cpp), and the codes and French texts of their
// failures.
//
// Safety against an interruption (kill, power loss, full disk):
// - Duplication builds the copy in the neighbouring directory "<nouveau>.<ext>.inachevee" (files
//   copied and synced one by one, then the directory synced) and moves it into place by one
//   directory rename. A duplication cut short leaves the original untouched and at most a
//   ".inachevee" directory, which is no genealogy folder and is removed by the next attempt.
// - Renaming gives every file of the folder a second name (a hard link; a synced copy where the
//   file system has none) under its new name in "<nouveau>.<ext>.renommage", syncs it, moves it
//   into place by one directory rename, then moves the old folder aside to "<ancien>.<ext>.supprime"
//   and removes it. Until the directory rename the old folder is whole and untouched; after it
//   the new one is whole. Between that rename and the moving aside both names exist, made of the
//   same files (same content, same IdGenea): never two different genealogies.
// - Deletion removes the store first (the folder stops being an openable genealogy at once), then
//   only the folder's own files (every kind of file the manager names, the store's journals,
//   backup copies and damaged stores kept by a repair, the repair report, the notices files and
//   the temporaries of them all), then the directories left empty. Any other file stays, with its
//   directory; no link is followed out of the folder.
// - Renaming and deletion act only on a recognised genealogy folder (EstDossierGenealogie).
#include <string>

#include "platform/chaines.h"

namespace kyb {

enum TErreurMaintenance : int {
  emAucune = 0,
  emNomInvalide,         // empty, or a character not allowed in file names
  emNomExistant,         // the target folder exists
  emParentLectureSeule,  // no writing in the directory that holds the folder
  emDisquePlein,         // the copy did not fit
  emEchecCopie,          // another failure while copying
  emEchecRenommage,      // a failure while renaming
  emEchecSuppression,    // a file of the folder could not be removed
  emPasGenealogie,       // the folder is no genealogy folder, or a link to one
};

// Whether repertoire is a genealogy folder as it lies: a directory of its own (not a link to
// one) named "<Nom>.<ext>", holding as a regular file its store "<Nom>.adb" or, for an older
// folder, its persons file "<Nom>.prs". Maintenance acts on nothing else.
[[nodiscard]] bool EstDossierGenealogie(const AnsiString& repertoire);
// The genealogy folder in which chemin, resolved through its links, lies (or that it is), without
// trailing '/'; empty when there is none. No command writes a file of its own there.
[[nodiscard]] AnsiString DossierGenealogieContenant(const AnsiString& chemin);

// Whether nouveauNom can name a genealogy: not empty, no '\\', '/', ':', '*', '?', '"', '<', '>',
// '|', '.', no control character, no leading or trailing space.
[[nodiscard]] bool NomGenealogieValide(const AnsiString& nom);

// French text of a failure code (UTF-8), naming the genealogy or the target name.
[[nodiscard]] std::string TexteErreurMaintenance(int code, const AnsiString& nom);

// Suffixes of the directories of an unfinished duplication or renaming, and of a folder set aside.
inline constexpr const char* kSuffixeCopieInachevee = ".inachevee";
inline constexpr const char* kSuffixeRenommage = ".renommage";
inline constexpr const char* kSuffixeSupprime = ".supprime";

}  // namespace kyb
