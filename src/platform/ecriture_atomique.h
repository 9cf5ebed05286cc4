#pragma once
// Whole-file replacement that a crash cannot leave half done: the new bytes go to "<chemin>.tmp",
// which is synced to disk, renamed over the file and its directory synced. At every point the
// file holds its old content or its new one; a ".tmp" left by a crash is emptied by the next
// writing. Used for the files the library rebuilds whole (index caches, definitions).
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

// Makes the entries of a directory (renames, creations) durable.
[[nodiscard]] bool SynchroniseRepertoire(const AnsiString& repertoire);

}  // namespace kyb
