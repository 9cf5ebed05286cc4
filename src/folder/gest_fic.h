#pragma once
// TGestFichier: the genealogy folder manager, one per open genealogy.
//
// It knows where the folder lies and how every file is named, decides the folder's format
// (2009, 2024 or 2026), creates or opens the folder by creating its store and one object per
// file in a fixed order, and closes them in a fixed order. Every other part reaches the data
// through the objects it owns.
//
// A genealogy folder is a directory "<Nom>.kya" (or ".ky2", ".ky3") holding files named
// "<Nom>.<extension>", one extension per kind. Paths are Windows-1252 texts with '/' separators
// and a trailing '/' on directories; there is no drive letter (Lecteur stays 0).
//
// Errors: the error flag (Erreur) and CodeErreurOuverture; exceptions only for a file name of 260
// characters or more ("Nom de fichier trop long !"). All calls come from the main thread except
// the person read/write stamps (MarqueLecture, MarqueEcriture, CheckIfIs...).
#include <memory>
#include <string>

#include "engine/acr_erreur.h"
#include "folder/gestbufferchamps.h"
#include "folder/index_personnes.h"
#include "platform/chaines.h"
#include "platform/date_heure.h"
#include "platform/fichiers.h"
#include "platform/interface_utilisateur.h"
#include "platform/verrou_repertoire.h"
#include "store/dossier_bdd.h"

namespace kyb {

class TModuleBDD;
class TFicXml;
class TFicPersons;
class TFicExtPersons;
class TFicPersSuppr;
class TFicSosas;
class TDefChpsCs;
class TFicNotes;
class TFicNoticesPat;
class TFicSources;
class TFicIllustrations;
class TFicDupli;

// Default structure path of the application (a definition file or the directory holding one).
extern AnsiString asStructFilenameNew;
// The application's temporary project directory (empty: none). A subdirectory named after a
// genealogy follows that genealogy's rename.
extern AnsiString asRepStockageProjetTmp;

class TGestFichier : public TDossierBDD {
 public:
  enum TTypeFichier : int {
    tfPersonnes = 0, tfQualites, tfIndexQualites, tfParentes, tfIndexParentes, tfLieux,
    tfIndexLieux, tfIllustrations, tfPersonnesExt, tfPersonnesSuppr, tfSources, tfChpsSimple,
    tfEvensExt, tfEvens, tfSosas, tfNotes, tfSansExtension, tfEin, tfIndexPersonnes, tfRtf,
    tfDefChamps, tfNomsEquiv, tfPreq, tfDuplicats, tfNotices, tfLienIdPersDbf, tfLienIdPersCpt,
    tfXml, tfBaseDonnees, tfAnnulation, tfIndexNotices, tfSyn, tfEvenEq, tfBrd, tfGeneTp,
    tfIndexPersonnes2, tfTags,
  };
  // 0 no conversion, 1 offer the conversion of an older folder, 2 read by the conversion itself.
  enum TModeConversion : int { mcAucune = 0, mcProposer = 1, mcConversion = 2 };

  static constexpr int kNbTypesFichier = 37;
  static constexpr int kLongueurMaxChemin = 260;  // a path must stay below this length
  static constexpr const char* kVersionFormat = "2026";
  static constexpr const char* kVersionBDD = "5.90";
  static constexpr long kSeuilProgression = 10000;  // persons above which opening shows progress

  // How a folder is opened. The named openings below give the usual sets.
  struct TOptionsOuverture {
    bool Creer = false;            // a new folder, numbered from PremierePersonne
    bool Leger = false;            // the light opening (see OuvrirFichier)
    bool SansProgression = true;   // no progress window while opening
    bool SansOuverture = false;    // the format decided, nothing opened
    int PremierePersonne = 0;
    TModeConversion Conversion = mcAucune;
    bool LectureSeule = false;
    bool SansIndexNotices = false;
    // A creation that leaves its marker, naming this origin (see securite_dossier.h), for the
    // caller to lift once the rest of its work is done: a kill in between leaves no folder that
    // looks complete.
    const char* MarqueGardee = nullptr;
    TInterfaceUtilisateur* Proprietaire = nullptr;  // progress and questions; null shows nothing
    TFabriqueIndexPersonnes FabriqueIndex{};        // empty: no person index
    // How long a writable opening waits for the folder's other writer.
    std::chrono::milliseconds AttenteVerrou = TVerrouRepertoire::kAttenteParDefaut;
  };
  // A new folder whose first person bears premierePersonne.
  [[nodiscard]] static TOptionsOuverture Creation(int premierePersonne = 1, TInterfaceUtilisateur* iu = nullptr);
  // An existing folder, for writing: it waits (bounded) for the folder's other writer and fails
  // with CodeErreurBDD Occupe past the wait; a folder that may not be written opens read-only.
  [[nodiscard]] static TOptionsOuverture Ouverture(TInterfaceUtilisateur* iu = nullptr);
  // An existing folder, read-only: nothing is written to it.
  [[nodiscard]] static TOptionsOuverture OuvertureLectureSeule(TInterfaceUtilisateur* iu = nullptr);

  // nomFichier: any file path of the folder (its directory and base name are kept). Whether the
  // opening succeeded is told by Erreur and CodeErreurOuverture.
  TGestFichier(const AnsiString& nomFichier, const TOptionsOuverture& options);
  // A bare manager on a folder path: no format decision, nothing opened (record-file work, tools).
  explicit TGestFichier(const AnsiString& nomFichier, bool lectureSeule = false,
                        bool conversionMode2 = false);
  ~TGestFichier() override;
  TGestFichier(const TGestFichier&) = delete;
  TGestFichier& operator=(const TGestFichier&) = delete;

  // --- opening and closing ---
  void OuvrirFichier(bool leger, bool sansProgression);
  void NouveauFichier(int premierePersonne, const char* marqueGardee);
  void FermerFichiers();
  void Flush();
  void EcritureEntete();

  // --- naming ---
  // Full path of a file kind. numero and flag are used by tfDuplicats only ("d"/"r" + number).
  // Throws ErreurKy("Nom de fichier trop long !") for a path of 260 characters or more.
  [[nodiscard]] AnsiString FabriqueNomFichier(TTypeFichier type, int numero = 0,
                                              bool flag = false) const;
  // Opens or creates a record file with the fallbacks of the record layer: on failure the
  // folder's files are made writable and the opening retried; then, unless a folder is being
  // created, the folder turns read-only and the file is opened read-only.
  [[nodiscard]] TFichier OuvertureFichier(const AnsiString& chemin, bool creer);
  // First definition (kind 20) or tags (kind 36) file of the default structure path.
  [[nodiscard]] AnsiString GetDefaultFile(TTypeFichier type) const;

  // --- flags and formats ---
  void SetError(bool erreur) { Erreur = erreur; }
  [[nodiscard]] bool GetError() const { return Erreur; }
  [[nodiscard]] bool IsReadOnly() const override { return LectureSeule; }
  void SetReadOnly(bool lectureSeule) { LectureSeule = lectureSeule; }
  [[nodiscard]] bool IsCDROM() const { return false; }  // no removable read-only drives here
  [[nodiscard]] bool IsOldVersion() const;  // persons file present in a ".kya" folder (or mode 2)
  [[nodiscard]] bool IsExt2009() const;     // folder extension none of .kya, .ky2, .ky3
  [[nodiscard]] bool IsVersion2009() const { return VersionFichier == 2009; }
  [[nodiscard]] bool isVersion10() const;
  // The store has the sortable date column _DATE of events (see docs/decisions.md).
  [[nodiscard]] bool IsConvertedForKY2013() const;
  [[nodiscard]] bool IsModeImport() const { return ModeImport == 1 || ModeImport == 4 || ModeImport == 5; }
  [[nodiscard]] bool IsModeImportR() const { return ModeImport == 4 || ModeImport == 5; }
  [[nodiscard]] bool IsModeImportInterne() const { return ModeImport == 1 || ModeImport == 5; }

  // --- identity ---
  [[nodiscard]] AnsiString GenereIdGenea() const;
  [[nodiscard]] bool VerifIdPersOk(const AnsiString& idPers) const;
  [[nodiscard]] bool IsSameGenea(const TGestFichier* autre) const;
  [[nodiscard]] long NombrePersonnes(bool = false) const;
  // Date and time of the last modification of the genealogy; both 0 when unknown.
  void GetDateFile(TDateTime& date, TDateTime& heure) const;

  // --- person read and write stamps ---
  void MarqueEcriture(unsigned long idThread);
  void MarqueLecture(unsigned long idThread);
  [[nodiscard]] bool CheckIfIsWriting(unsigned long idThread) const;
  [[nodiscard]] bool CheckIfIsReading(unsigned long idThread) const;

  // --- one-time upgrades that need events (gest_fic_maj_evens.cpp) ---
  // Simple fields PROFESSION, TITRE, DECORATION become event fields once (keys "UPDATE_PROF",
  // "UPDATE_TITRE", "UPDATE_DECO" read "0" before, "UPDATED" after). True when the key was written.
  bool UpdateChpsProfession();
  bool UpdateChpsTitre();
  bool UpdateChpsDecoration();
  // Census and privileged-relation fields made shared events once, with the user's agreement
  // (key "Shared_v2": "UPDATED-1" done or not needed, "CANCELLED" refused); then InitFieldCopy.
  void UpdateFile();
  // Tells the store which labels are shared events (field definitions marked shared).
  void TransmetLibellesPartages();

  // --- maintenance of the whole folder (maintenance_dossier.cpp; codes: maintenance_dossier.h) ---
  // Each returns 0 or a TErreurMaintenance code, leaves the folder closed and, on failure, the
  // original folder whole.
  [[nodiscard]] int SuppressionGenealogie();
  [[nodiscard]] int RenommeGenealogie(const AnsiString& nouveauNom);
  [[nodiscard]] int DupliqueGenealogie(const AnsiString& nouveauNom);
  // The file of that kind renamed (in place) or copied (into repertoire) under nouveauNom.
  [[nodiscard]] bool RenommeFichier(TTypeFichier type, const AnsiString& nouveauNom, int numero = 0);
  [[nodiscard]] bool DupliqueFichier(TTypeFichier type, const AnsiString& nouveauNom,
                                     const AnsiString& repertoire, int numero = 0);
  // The "np*.*" files of Notices/ copied to repertoireCible + "Notices/".
  [[nodiscard]] bool DupliqueFichierNP(const AnsiString& repertoireCible);

  // --- image directories (images_dossier.cpp); directories end with '/' ---
  [[nodiscard]] AnsiString GetDirImages();     // external directory in import mode 4, else ...Rep
  [[nodiscard]] AnsiString GetDirImagesRep();  // external in mode 1, else the folder's "Images/"
  // "REP_IMG_EXT" of the store, or the folder's "Images/"; created when missing; cached.
  [[nodiscard]] AnsiString GetDirImagesExt();
  void SetDirImagesExt(const AnsiString& repertoire);
  [[nodiscard]] AnsiString GetDirImagesPriv();
  void SetDirImagesPriv(const AnsiString& repertoire, bool actif);
  [[nodiscard]] bool IsDirImagesPrivActive();
  [[nodiscard]] bool IsInDirImagesPriv(const AnsiString& chemin);
  // Mode 4: the illustration files lying in the external directory, and its history file, are
  // deleted, with the directories they leave empty.
  void RemoveIllustrationsExternFiles();

  // --- field-value buffer ---
  void StartBufferChamps();
  void StopBufferChamps();
  [[nodiscard]] TGestBufferChamps* BufferChamps() const { return bufferChamps_.get(); }

  // --- store pass-throughs and keys ---
  [[nodiscard]] long GetIDEventMax() const;
  bool ShiftIDEvent(long minimum);
  [[nodiscard]] bool IsIdEventExistBDD(long id) const;
  bool EvenChangeNoPersA(long ancien, long nouveau);
  bool EvenChangeID(long ancien, long nouveau);
  [[nodiscard]] bool IsIDevenAssocieNoPers(long id, long noPers) const;
  [[nodiscard]] bool IsIDPersExists(long noPers) const;
  [[nodiscard]] int GetStateDistCum() const;
  void SetStateCum(int etat);
  [[nodiscard]] long GetNoFicheDsitCaum() const;
  void SetNoFicheDsitCaum(long numero);
  [[nodiscard]] int GetTypeClassementEven() const { return 0; }

  // --- owned objects ---
  [[nodiscard]] TModuleBDD* GetModuleBDD() const { return ModuleBDD.get(); }
  [[nodiscard]] TFicXml* GetFicXml() const { return FicXml.get(); }
  [[nodiscard]] TFicPersons* GetFicPersons() const { return FicPersons.get(); }
  [[nodiscard]] TDefChpsCs* GetDefChpsCs() const { return DefChpsCs.get(); }
  [[nodiscard]] TFicSosas* GetFicSosas() const { return FicSosas.get(); }
  [[nodiscard]] TFicDupli* GetFicQualites() const { return FicQualites.get(); }
  [[nodiscard]] TFicDupli* GetFicParentes() const { return FicParentes.get(); }
  [[nodiscard]] TFicDupli* GetFicLieux() const { return FicLieux.get(); }
  [[nodiscard]] TIndexPersonnesDossier* GetFicIndexPerson() const { return FicIndexPerson.get(); }
  // Replaces the person index's in-memory entries by an empty index of that capacity.
  void InitTailleIndex(long taille);

  // TDossierBDD
  [[nodiscard]] TInterfaceUtilisateur* GetProprietaire() const override { return Proprietaire; }
  [[nodiscard]] int GetEtatControleImages() const override { return EtatControleImages; }
  void SetEtatControleImages(int etat) override { EtatControleImages = etat; }
  void OublieEnCache(long noPers) override;
  // The highest block of the notes file: a note number beyond it is read as 0.
  [[nodiscard]] long NbNotes() const override;

  // --- data members, public as in the rest of the system ---
  bool Erreur = false;
  bool EnCreation = false;
  AnsiString IdGenea;
  AnsiString RepImagesExt;
  bool RepImagesPrivActif = false;
  AnsiString RepImagesPriv;
  TInterfaceUtilisateur* Proprietaire = nullptr;  // progress and questions; null shows nothing
  int ReponseNomExistant = 0;
  bool LectureSeule = false;
  int CodeErreurOuverture = 0;  // 1 store missing, 2 store could not be created or opened
  TErreurMoteur CodeErreurBDD = TErreurMoteur::Aucune;  // why the store failed (TexteErreurBDD)
  bool CreationInachevee = false; // the folder's creation was cut before its end
  bool ImportInacheve = false;    // ... and that creation was an import's
  bool ConversionAnnulee = false;
  AnsiString Nom;         // genealogy name: base name of every file
  AnsiString Repertoire;  // folder directory, trailing '/'
  TDateTime DateOuverture = 0, DateEcriture = 0, DateLecture = 0;
  unsigned long NoThreadEcriture = 0, NoThreadLecture = 0;
  char Lecteur = 0;  // no drive letters here
  int ModeImport = 1;
  int VersionFichier = 2009;
  bool AncienneVersion = false;
  bool SansIndexNotices = false;
  bool ModeConversion2 = false;
  int TypeClassementEven = 0;
  int EtatControleImages = 0;

  // Owned objects; null when absent. File objects of the other kinds join them in the opening,
  // creation and closing orders of gest_fic_ouverture.cpp as their classes arrive.
  // Held by a writable opening or a creation from its start to the end of the object, after every
  // file is closed: one writer at a time in a folder (another waits, bounded, then is refused).
  TVerrouRepertoire VerrouEcriture;
  std::unique_ptr<TModuleBDD> ModuleBDD;
  std::unique_ptr<TFicPersons> FicPersons;
  std::unique_ptr<TFicExtPersons> FicExtPersons;  // older folders only
  std::unique_ptr<TFicPersSuppr> FicPersSuppr;    // older folders only
  std::unique_ptr<TFicSosas> FicSosas;
  std::unique_ptr<TFicDupli> FicQualites;  // value tables: qualities, kinships, places
  std::unique_ptr<TFicDupli> FicParentes;
  std::unique_ptr<TFicDupli> FicLieux;
  std::unique_ptr<TDefChpsCs> DefChpsCs;
  std::unique_ptr<TFicXml> FicXml;
  std::unique_ptr<TFicIllustrations> FicIllustrations;
  std::unique_ptr<TFicSources> FicSources;
  std::unique_ptr<TFicNotes> FicNotes;
  std::unique_ptr<TFicNoticesPat> FicNoticesPat;
  std::unique_ptr<TIndexPersonnesDossier> FicIndexPerson;  // current-format folders with a store
  TFabriqueIndexPersonnes FabriqueIndex;  // how the opening makes FicIndexPerson (empty: none)

 private:
  void DecideFormat(TModeConversion mode);
  void VidePointeurs();  // every owned object released before an opening or a creation
  void PlaceNom(const AnsiString& nomFichier);
  [[nodiscard]] bool CreeModuleBDD(bool creer, bool ouvrir, bool miseAJour);
  void LitIdGenea();
  bool UpdateChpsEnEvenement(const char* cle, const char* libelle);
  [[nodiscard]] long NombreEnregistrementsPersonnes() const;
  void AbandonneCreation();  // removes what a failed creation made

  std::unique_ptr<TGestBufferChamps> bufferChamps_;
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
