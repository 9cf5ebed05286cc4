#pragma once
// Why an operation of the engine failed, as the layers above see it. The engine turns the codes
// of its storage library into these values; nothing above the engine reads those codes.
namespace kyb {

enum class TErreurMoteur {
  Aucune,
  DisquePlein,   // no space left (or quota reached) while writing
  Occupe,        // the file is held by another connection or program
  PasUneBase,    // not a database file of ours
  Endommagee,    // a database whose pages or catalogue cannot be read
  LectureSeule,  // writing refused: read-only file, directory or opening
  Refusee,       // access refused by the system
  Ouverture,     // the file cannot be opened (missing, or its directory)
  EntreeSortie,  // a read or write failed
  Autre,
};

// A short name for logs ("DisquePlein").
[[nodiscard]] const char* NomErreurMoteur(TErreurMoteur erreur);
// What it means, in French, for messages ("le disque est plein"); empty for Aucune and Autre.
[[nodiscard]] const char* TexteErreurMoteur(TErreurMoteur erreur);

}  // namespace kyb
