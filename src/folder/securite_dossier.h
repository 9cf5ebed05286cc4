#pragma once
// Safety of a genealogy folder on disk: the marker of a creation under way (a folder whose
// creation was cut is recognised and never mistaken for a genealogy), whether the folder may be
// written, and the check that every file name of the folder can be made.
#include <vector>

#include "platform/chaines.h"
#include "platform/verrou_repertoire.h"

namespace kyb {

class TGestFichier;

// The marker file that lies in a folder from the start of its creation to its end. It holds the
// word of the command that makes it again: empty for a creation, kMarqueImport for an import.
inline constexpr const char* kMarqueImport = "importe";
[[nodiscard]] AnsiString MarqueCreation(const AnsiString& repertoire);
[[nodiscard]] bool CreationInterrompue(const AnsiString& repertoire);
// Whether the marker says that the creation was an import's.
[[nodiscard]] bool CreationParImport(const AnsiString& repertoire);
[[nodiscard]] bool PoseMarqueCreation(const AnsiString& repertoire, const char* origine = "");
[[nodiscard]] bool LeveMarqueCreation(const AnsiString& repertoire);
// Creates the folder's directory (and its missing parents) with the marker already in it; with
// verrou, the writer's lock of the directory is taken before it takes its name.
[[nodiscard]] bool CreeRepertoireMarque(const AnsiString& repertoire, TVerrouRepertoire* verrou = nullptr,
                                        const char* origine = "");
// Takes the folder's writer lock for a writable opening, waiting at most the lock's wait. False,
// with the folder's error flag and CodeErreurBDD Occupe, when another program keeps it; an
// opening that cannot ask (no such directory) goes on and says what it finds.
[[nodiscard]] bool PrendVerrouEcriture(TGestFichier& dossier,
                                       std::chrono::milliseconds attente = TVerrouRepertoire::kAttenteParDefaut);
// False when the folder's directory or its store (or persons file) is write-protected: such a
// folder opens read-only and nothing is created in it.
[[nodiscard]] bool DossierInscriptible(const TGestFichier& dossier);
// Whether the nearest existing directory above repertoire (or itself) may be written: a folder
// can be created there.
[[nodiscard]] bool EmplacementInscriptible(const AnsiString& repertoire);
// Removes what killed operations left, at a writable opening (under the folder's lock), and
// writes each removal to "LogBDD.log": the temporary "*.adb.tmp" of a copy cut short, and beside
// the folder a directory that a rename cut short had set aside ("<old>.kya.supprime", ".N")
// holding the same genealogy (same IdGenea). Returns the paths removed.
std::vector<AnsiString> NettoieRestes(const TGestFichier& dossier);
// Builds the name of every file kind the folder can hold: throws ErreurKy("Nom de fichier trop
// long !") before anything is created when one of them would pass the length limit.
void VerifieNomsDeFichiers(const TGestFichier& dossier);

}  // namespace kyb
