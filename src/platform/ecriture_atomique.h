#pragma once
// Replacing a file so that a crash at any point leaves the old content or the new one: the new
// content is written beside the target, synced, renamed over it, and the directory is synced.
// Every system call goes through AppelsSysteme(), so tests can make any of them fail.
#include <cstdint>

#include "platform/chaines.h"

namespace kyb {

// Syncs a directory, so that the renames and creations done in it survive a crash.
[[nodiscard]] bool SynchroniseRepertoire(const AnsiString& repertoire);
// Syncs the data of a file already written.
[[nodiscard]] bool SynchroniseFichier(const AnsiString& chemin);
// Renames source over cible in one step (cible replaced if present), then syncs the directory.
[[nodiscard]] bool RemplaceFichier(const AnsiString& source, const AnsiString& cible);
// Copies source to cible through "<cible>.tmp" (synced, renamed over cible, directory synced).
// On failure cible is untouched, the temporary file removed and errno kept.
[[nodiscard]] bool CopieSure(const AnsiString& source, const AnsiString& cible);
// A second name for an existing file (nothing copied); fails when nouveau exists.
[[nodiscard]] bool CreeLienDur(const AnsiString& existant, const AnsiString& nouveau);
// Keeps the content of existant under nouveau as well: a second name where the file system has
// hard links, else a synced copy (removable drives).
[[nodiscard]] bool GardeSousUnAutreNom(const AnsiString& existant, const AnsiString& nouveau);
// Whether the library may write there: the path (file or directory) exists, the system grants
// writing, and it carries at least one write permission bit (a write-protected file stays
// protected even for the administrator).
[[nodiscard]] bool EcritureAutorisee(const AnsiString& chemin);
// chemin when it names no file, else "<chemin>.N" for the first free N from 2: a place to keep
// a file aside without replacing one kept before.
[[nodiscard]] AnsiString NomLibre(const AnsiString& chemin);

}  // namespace kyb
