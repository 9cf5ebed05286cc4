#pragma once
// Replacing a file so that a crash at any point leaves the old content or the new one: the new
// content is written to "<file>.tmp", synced, renamed over the file, and the directory is synced.
// Used for every file the library rebuilds whole (index caches, definitions, backups).
// Every system call goes through AppelsSysteme(), so tests can make any of them fail.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/chaines.h"
#include "platform/fichiers.h"

namespace kyb {

class TEcritureAtomique {
 public:
  // Opens (creates or empties) the temporary; Ouvert() tells whether it could.
  explicit TEcritureAtomique(const AnsiString& chemin);
  // Without a successful Valide(), the temporary is removed and the file left untouched.
  ~TEcritureAtomique();
  TEcritureAtomique(const TEcritureAtomique&) = delete;
  TEcritureAtomique& operator=(const TEcritureAtomique&) = delete;

  [[nodiscard]] bool Ouvert() const { return fichier_.Valide(); }
  // Appends n bytes; false (and every later call too) once a write failed.
  [[nodiscard]] bool Ajoute(const void* octets, size_t n);
  // Syncs the temporary, renames it over the file and syncs the directory. False, with the old
  // file in place and the temporary removed, when any step failed before the rename.
  [[nodiscard]] bool Valide();

  [[nodiscard]] const AnsiString& Temporaire() const { return temporaire_; }

 private:
  void Abandonne() noexcept;

  AnsiString chemin_;
  AnsiString temporaire_;
  TFichier fichier_;
  int64_t position_ = 0;
  bool cree_ = false;  // the temporary was opened by this writing
  bool erreur_ = false;
  bool valide_ = false;
};

// The whole content in one call, by the rule above.
[[nodiscard]] bool EcritFichierAtomique(const AnsiString& chemin, std::string_view contenu);

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
