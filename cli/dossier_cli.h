#pragma once
// Helpers of the kyb commands that work on a genealogy folder.
#include <string>

#include "folder/gest_fic.h"

namespace kyb::cli {

// A path typed by the user, in Windows-1252; throws ErreurKy (French) when a character has no
// Windows-1252 form, rather than substituting one.
[[nodiscard]] AnsiString CheminAnsi(const std::string& cheminUtf8);
// The store path of a folder given as "/a/Famille.kya", "/a/Famille.kya/Famille.adb" or
// "/a/Famille" (the ".kya" folder), in Windows-1252.
[[nodiscard]] AnsiString CheminDossier(const std::string& cheminUtf8);
// A file or directory a command writes, typed by the user: refused (ErreurKy, French) when,
// resolved through its links, it lies inside a genealogy folder, whose own files it could replace.
[[nodiscard]] AnsiString CheminSortie(const std::string& cheminUtf8);
// The store path of a genealogy to create (as CheminDossier): refused when its folder has no
// name a genealogy can bear ("", "/") or would lie inside another genealogy folder.
[[nodiscard]] AnsiString CheminNouveauDossier(const std::string& cheminUtf8);
// Why an opening failed, in French.
[[nodiscard]] std::string MessageOuverture(const TGestFichier& g);
// Format, read-only state, identifier, counts, tables and last modification; ecritAilleurs: the
// folder was opened read-only because another program is writing it.
void AfficheInfo(TGestFichier& g, bool ecritAilleurs = false);

}  // namespace kyb::cli
