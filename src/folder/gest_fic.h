#pragma once
// TGestFichier: the genealogy folder manager. This unit holds what every record file needs of
// it: where the folder lies, how each kind of file is named, the format tests, the error and
// read-only flags, and the opening of record files with their read-only fallbacks. The opening,
// creation and closing of a whole folder are added to this class by the folder unit that owns
// the file objects.
//
// A genealogy folder is a directory "<Nom>.kya" (or ".ky2", ".ky3") holding files named
// "<Nom>.<extension>", one extension per kind. Paths are Windows-1252 texts with '/' separators
// and a trailing '/' on directories; there is no drive letter (Lecteur stays 0).
#include <string>

#include "platform/chaines.h"
#include "platform/date_heure.h"
#include "platform/fichiers.h"
#include "platform/interface_utilisateur.h"

namespace kyb {

class TGestFichier {
 public:
  enum TTypeFichier : int {
    tfPersonnes = 0, tfQualites, tfIndexQualites, tfParentes, tfIndexParentes, tfLieux,
    tfIndexLieux, tfIllustrations, tfPersonnesExt, tfPersonnesSuppr, tfSources, tfChpsSimple,
    tfEvensExt, tfEvens, tfSosas, tfNotes, tfSansExtension, tfEin, tfIndexPersonnes, tfRtf,
    tfDefChamps, tfNomsEquiv, tfPreq, tfDuplicats, tfNotices, tfLienIdPersDbf, tfLienIdPersCpt,
    tfXml, tfBaseDonnees, tfAnnulation, tfIndexNotices, tfSyn, tfEvenEq, tfBrd, tfGeneTp,
    tfIndexPersonnes2, tfTags,
  };
  static constexpr int kNbTypesFichier = 37;
  static constexpr int kLongueurMaxChemin = 260;  // a path must stay below this length

  // Builds the manager on any file path of the folder (only its directory and base name are
  // kept), without opening anything. conversionMode2: the folder is being read by a conversion.
  explicit TGestFichier(const AnsiString& nomFichier, bool lectureSeule = false,
                        bool conversionMode2 = false);
  virtual ~TGestFichier() = default;
  TGestFichier(const TGestFichier&) = delete;
  TGestFichier& operator=(const TGestFichier&) = delete;

  // Full path of a file kind. numero and flag are used by tfDuplicats only ("d"/"r" + number).
  // Throws ErreurKy("Nom de fichier trop long !") for a path of 260 characters or more.
  [[nodiscard]] AnsiString FabriqueNomFichier(TTypeFichier type, int numero = 0,
                                              bool flag = false) const;

  // Opens or creates a record file with the fallbacks of the record layer: on failure the
  // folder's files are made writable and the opening retried; then, unless a folder is being
  // created, the folder turns read-only and the file is opened read-only. An invalid handle when
  // every attempt failed.
  [[nodiscard]] TFichier OuvertureFichier(const AnsiString& chemin, bool creer);

  void SetError(bool erreur) { Erreur = erreur; }
  [[nodiscard]] bool GetError() const { return Erreur; }
  [[nodiscard]] bool IsReadOnly() const { return LectureSeule; }
  void SetReadOnly(bool lectureSeule) { LectureSeule = lectureSeule; }

  // Format tests.
  [[nodiscard]] bool IsOldVersion() const;  // persons file present in a ".kya" folder (or mode 2)
  [[nodiscard]] bool IsExt2009() const;     // folder extension none of .kya, .ky2, .ky3
  [[nodiscard]] bool IsVersion2009() const { return VersionFichier == 2009; }

  // Data members, public as in the rest of the system.
  TInterfaceUtilisateur* Proprietaire = nullptr;  // progress and questions; null shows nothing
  bool Erreur = false;
  bool EnCreation = false;
  bool LectureSeule = false;
  int CodeErreurOuverture = 0;
  bool ModeConversion2 = false;
  AnsiString Nom;         // genealogy name: base name of every file
  AnsiString Repertoire;  // folder directory, trailing '/'
  char Lecteur = 0;       // no drive letters here
  int VersionFichier = 2009;
  TDateTime DateOuverture = 0, DateEcriture = 0, DateLecture = 0;
  unsigned long NoThreadEcriture = 0, NoThreadLecture = 0;
};

// Path of a folder file: repertoire + name + folder extension + '/' + name + suffixe. A name with
// a dot carries its own folder extension (from the dot); otherwise ".kya".
[[nodiscard]] AnsiString ConstruitAccesGenealogie(const AnsiString& repertoire,
                                                  const AnsiString& nom,
                                                  const AnsiString& suffixe);

// Clears the read-only attribute of every file of the directory. False when the directory does
// not exist or an attribute could not be changed.
[[nodiscard]] bool PutFilesInReadWrite(const AnsiString& repertoire);

}  // namespace kyb
