#pragma once
// Safety of a genealogy folder on disk: the marker of a creation under way (a folder whose
// creation was cut is recognised and never mistaken for a genealogy), whether the folder may be
// written, and the check that every file name of the folder can be made.
#include "platform/chaines.h"

namespace kyb {

class TGestFichier;

// The marker file that lies in a folder from the start of its creation to its end.
[[nodiscard]] AnsiString MarqueCreation(const AnsiString& repertoire);
[[nodiscard]] bool CreationInterrompue(const AnsiString& repertoire);
[[nodiscard]] bool PoseMarqueCreation(const AnsiString& repertoire);
[[nodiscard]] bool LeveMarqueCreation(const AnsiString& repertoire);
// Creates the folder's directory (and its missing parents) with the marker already in it.
[[nodiscard]] bool CreeRepertoireMarque(const AnsiString& repertoire);
// False when the folder's directory or its store (or persons file) is write-protected: such a
// folder opens read-only and nothing is created in it.
[[nodiscard]] bool DossierInscriptible(const TGestFichier& dossier);
// Whether the nearest existing directory above repertoire (or itself) may be written: a folder
// can be created there.
[[nodiscard]] bool EmplacementInscriptible(const AnsiString& repertoire);
// Builds the name of every file kind the folder can hold: throws ErreurKy("Nom de fichier trop
// long !") before anything is created when one of them would pass the length limit.
void VerifieNomsDeFichiers(const TGestFichier& dossier);

}  // namespace kyb
