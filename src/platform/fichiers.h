#pragma once
// File services of the library: the only place that calls the operating system for files.
//
// Paths are AnsiString (Windows-1252), like every file name of the library; they are turned into
// UTF-8 for the system. Either '/' or '\' separates directories on input; '/' is written. There is
// no drive letter.
//
// Share modes: an opening for writing takes a non-blocking exclusive advisory lock (flock) on the
// file, held until the handle closes; a second writer, in this process or another, fails to open
// (errno EWOULDBLOCK) and the caller falls back to read-only. Readers take no lock.
//
// The system calls go through AppelsSysteme(), which tests replace to make a read or a write
// transfer nothing or fail, so that error paths are exercised for real.
//
// Why a call failed is kept per thread until the next failure (the system's error number, which
// this layer preserves across its own clean-ups) and read as a TErreurSysteme: no layer above
// reads the system's numbers.
#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/chaines.h"
#include "platform/date_heure.h"

namespace kyb {

enum class TErreurSysteme {
  Aucune,
  DisquePlein,  // no space left on the device, or quota reached
  Existe,       // the target name is taken
  NonVide,      // a directory that is not empty
  Absent,       // no such file or directory
  Refuse,       // permission refused, or a read-only file system
  Verrouille,   // the file is locked by another writer
  Autre,
};
// The reason of the calling thread's last failed file operation.
[[nodiscard]] TErreurSysteme DerniereErreurSysteme();
// The system's own text for it (for logs and detailed messages).
[[nodiscard]] std::string TexteErreurSysteme();
// The reason of a system error number that another library kept (the engine's).
[[nodiscard]] TErreurSysteme ErreurSystemeDe(int numero);

// Writes that failed or fell short in this process, whatever layer made them (record files and
// the engine alike): a long operation compares two readings to learn that one of its writes
// failed, and CauseDerniereEcritureEchouee() tells why (a short write counts as a full disk).
[[nodiscard]] uint64_t EcrituresEchouees();
[[nodiscard]] TErreurSysteme CauseDerniereEcritureEchouee();
// Counts a failed write of a layer that calls AppelsSysteme() itself; numero is its errno, 0 for
// a write that fell short.
void SignaleEcritureEchouee(int numero);

struct TAppelsSysteme {
  ssize_t (*pread)(int fd, void* tampon, size_t taille, off_t position);
  ssize_t (*pwrite)(int fd, const void* tampon, size_t taille, off_t position);
  int (*fdatasync)(int fd);
  int (*rename)(const char* ancien, const char* nouveau);
  int (*fsync)(int fd);  // directories
};
TAppelsSysteme& AppelsSysteme();
void RestaureAppelsSysteme();

enum class TAcces { Lecture, LectureEcriture };
enum class TCreation {
  Existant,  // the file must exist
  Ecrase,    // created, or emptied when it exists
};

// A move-only handle on an open file. Errors are reported by return values; the reason is kept
// (DerniereErreurSysteme).
class TFichier {
 public:
  TFichier() = default;
  ~TFichier();
  TFichier(TFichier&& autre) noexcept;
  TFichier& operator=(TFichier&& autre) noexcept;
  TFichier(const TFichier&) = delete;
  TFichier& operator=(const TFichier&) = delete;

  // Opens; an invalid handle on failure (its reason in *erreur when given).
  [[nodiscard]] static TFichier Ouvre(const AnsiString& chemin, TAcces acces, TCreation creation,
                                      TErreurSysteme* erreur = nullptr);

  [[nodiscard]] bool Valide() const { return fd_ >= 0; }
  explicit operator bool() const { return Valide(); }
  [[nodiscard]] bool EnEcriture() const { return ecriture_; }
  [[nodiscard]] const AnsiString& Chemin() const { return chemin_; }

  // Positioned transfers; the count of bytes transferred (short at end of file), -1 on error.
  [[nodiscard]] int64_t LitA(int64_t position, void* tampon, size_t taille) const;
  [[nodiscard]] int64_t EcritA(int64_t position, const void* tampon, size_t taille);
  [[nodiscard]] bool Synchronise();  // fdatasync
  [[nodiscard]] int64_t Taille() const;  // -1 on error
  [[nodiscard]] bool Tronque(int64_t taille);
  void Ferme() noexcept;

 private:
  int fd_ = -1;
  bool ecriture_ = false;
  AnsiString chemin_;
};

// Paths.
[[nodiscard]] AnsiString NormaliseChemin(const AnsiString& chemin);   // '\' -> '/'
[[nodiscard]] std::string CheminSysteme(const AnsiString& chemin);    // normalised, in UTF-8
[[nodiscard]] AnsiString ExtraitRepertoire(const AnsiString& chemin); // with trailing '/'
[[nodiscard]] AnsiString ExtraitNomFichier(const AnsiString& chemin); // name with extension
[[nodiscard]] AnsiString ExtraitExtension(const AnsiString& chemin);  // ".ext" or empty
[[nodiscard]] AnsiString ChangeExtension(const AnsiString& chemin, const AnsiString& extension);
[[nodiscard]] AnsiString AvecSeparateurFinal(const AnsiString& chemin);
[[nodiscard]] AnsiString SansSeparateurFinal(const AnsiString& chemin);

// Whole files and directories. Each returns false (or -1) on failure and changes nothing then.
[[nodiscard]] bool FichierExiste(const AnsiString& chemin);
[[nodiscard]] bool RepertoireExiste(const AnsiString& chemin);
[[nodiscard]] bool CreeRepertoires(const AnsiString& chemin);  // with every missing parent
[[nodiscard]] bool SupprimeArborescence(const AnsiString& chemin);
bool SupprimeFichier(const AnsiString& chemin);
// Fails when the target exists, as the platform's rename did.
[[nodiscard]] bool RenommeFichier(const AnsiString& ancien, const AnsiString& nouveau);
[[nodiscard]] bool CopieFichier(const AnsiString& source, const AnsiString& cible, bool ecraser);
[[nodiscard]] int64_t TailleFichier(const AnsiString& chemin);
// Both paths name one existing file or directory (links and other spellings followed).
[[nodiscard]] bool MemeFichier(const AnsiString& a, const AnsiString& b);
// Last write time in local time.
[[nodiscard]] bool DateModificationFichier(const AnsiString& chemin, TDateTime& date);
[[nodiscard]] bool DefinitDateModificationFichier(const AnsiString& chemin, TDateTime date);
[[nodiscard]] bool EstEnLectureSeule(const AnsiString& chemin);
[[nodiscard]] bool DefinitLectureSeule(const AnsiString& chemin, bool lectureSeule);

// Names (not paths) of the regular files of a directory matching a "*.*"-style pattern ('*' any
// run, '?' one character, case-insensitive; "*.*" matches every file, with or without a dot),
// sorted by name so that the order is stable.
[[nodiscard]] std::vector<AnsiString> ListeFichiers(const AnsiString& repertoire,
                                                    const AnsiString& motif);
[[nodiscard]] bool CorrespondMotif(const AnsiString& nom, const AnsiString& motif);

}  // namespace kyb
