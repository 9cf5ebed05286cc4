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
// Why an opening failed, in French.
[[nodiscard]] std::string MessageOuverture(const TGestFichier& g);
// Format, read-only state, identifier, counts, tables and last modification; ecritAilleurs: the
// folder was opened read-only because another program is writing it.
void AfficheInfo(TGestFichier& g, bool ecritAilleurs = false);

}  // namespace kyb::cli
