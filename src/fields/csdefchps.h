#pragma once
// TDefChpsCs: the field definitions of one genealogy folder, kept in the folder's definition file
// ("<Nom>.dch"), and TEquivChpCs, the standard events the set keeps (birth, death, union...).
//
// Definition file: Windows-1252 text, lines ended by CR LF (LF alone is read too):
//
//   line(s)       content
//   1             number of definitions, decimal
//   2 .. n+1      one definition per line, TChpCs::Code() (fields/csstruct.h), in list order
//   3 lines each  four TEquivChpCs records: birth, death, union, divorce
//   1             comma-separated list: standard events of a person
//   1             comma-separated list: standard events of a couple
//   3 lines       TEquivChpCs record: residence
//   1             layout version of the file ("1")
//   1             comma-separated list: categories of person fields
//   1             comma-separated list: categories of couple fields
//
// A TEquivChpCs record is three lines: the internal label of the event, the label of its
// companion (the event that stands closest to it: baptism for birth, burial for death, marriage
// contract for union), and the number of the date sub-field of an event record.
//
// Reading. The first line gives the number of definition lines that follow. Each of them that
// cannot be decoded (no TAB, control characters other than TAB, an empty or repeated internal
// label) is skipped and counted as lost; every readable definition after it is kept. A line
// holding a TAB after the counted ones is a definition line too (a line split by damage); the first
// line without TAB after the counted ones starts the records. Counted lines that are missing are
// lost too. A last line without its line end is a line like the others, unless it is a definition
// line with fewer columns than the one before it: it was cut, is kept as far as it goes and counts
// as damaged. A block that is missing keeps its default, so older files that stop after their
// definitions are read as they are. A file re-encoded in UTF-8 (a byte-order mark, or bytes from
// 0x80 up that all form UTF-8 sequences) is read back into Windows-1252 and reported.
//
// Standard events. The records and the two lists name events whose definitions the set must hold,
// as it must hold the four base fields (NOM, PRENOM, SEXE, SOSA). A default label that no
// definition bears gets its definition back from the default table; in a file that holds its
// records this is damage (the definition was lost or renamed) and the user is told. A record label
// that is neither a definition's nor a default one is damage of the record itself: the record
// takes its default label back (a list item is dropped) and the user is told.
//
// Update. A file of an older version of the set (its version line, 0 when absent) gets the
// default definitions introduced since that version (fields/csdefaut.h) whose label it lacks;
// the defaults a user deleted stay deleted. A damaged file gets every missing default, since the
// lost lines cannot be told apart.
//
// Damage. A file that cannot be read at all (unreadable, empty, over 16 MB, or without a single
// usable definition) is copied beside itself ("<Nom>.dch.copie", then ".copie1"...) before
// the default set replaces it; a file read with losses (lines lost, a count that is missing or
// disagrees with the lines, a damaged standard event, UTF-8) is copied the same way before it is
// saved again. Either way the user gets a French message through the interface given (and in the
// log channel kJournal), saying how many lines were lost. A read-only set, or one whose copy cannot be made, leaves the file
// untouched and tells the user that the repair waits for an opening for writing.
//
// Not thread-safe: the set belongs to the thread that runs the folder.
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "fields/csstruct.h"
#include "platform/chaines.h"
#include "platform/interface_utilisateur.h"

namespace kyb {

class TGestFichier;

// Date sub-field of an event record in the default records (sub-field 0 is the field's value).
inline constexpr int kSousChampDate = 1;

class TEquivChpCs {
 public:
  TEquivChpCs() = default;
  TEquivChpCs(AnsiString libelle, AnsiString compagnon, int sousChampDate = kSousChampDate)
      : Libelle(std::move(libelle)),
        Compagnon(std::move(compagnon)),
        SousChampDate(sousChampDate) {}

  // Appends the three lines of the record.
  void Sauv(std::vector<AnsiString>& lignes) const;
  // Reads the record from line no and advances no past it; reads nothing and returns false when
  // fewer than three lines remain. A sub-field line that is not a number keeps the default.
  bool Rest(const std::vector<AnsiString>& lignes, size_t& no);

  // True for the event label or its companion; an empty label never matches.
  [[nodiscard]] bool Contient(std::string_view libelle) const;
  bool operator==(const TEquivChpCs&) const = default;

  AnsiString Libelle;
  AnsiString Compagnon;
  int SousChampDate = kSousChampDate;
};

class TDefChpsCs {
 public:
  // Log channel of the messages about the definition file (platform/journal.h).
  static constexpr const char* kJournal = "LogMsgError";

  // How the definitions were obtained at construction.
  enum TEtat {
    etVide,      // an empty set bound to no file
    etCree,      // created from the default table (or a default file)
    etCharge,    // read from the folder's file
    etRepare,    // read with losses; the old file was kept as a copy
    etRemplace,  // unreadable; kept as a copy and replaced by the default set
    etMemoire,   // unreadable and not replaced (read-only folder, or no copy possible)
  };

  // An empty set bound to no file (secondary sets, tests).
  TDefChpsCs() = default;
  // The definitions of a folder: read from fichier, or, when it does not exist, taken from the
  // default file (copied into the folder, when one is given) or from the default table, then
  // saved. dossier is kept for callers and never used here; iu shows messages (null: none);
  // a read-only set never writes anything.
  TDefChpsCs(TGestFichier* dossier, const AnsiString& fichier, TInterfaceUtilisateur* iu,
             bool lectureSeule, const AnsiString& fichierDefaut = {});
  TDefChpsCs(const TDefChpsCs&) = delete;
  TDefChpsCs& operator=(const TDefChpsCs&) = delete;

  // Writes the definition file: the new content goes to "<fichier>.tmp", the old file is set
  // aside as "<fichier>.bak" while the new one takes its name, then removed (an opening that
  // finds only the ".bak" puts it back). False, with a message, when it could not; false
  // without a message for a read-only set or one bound to no file.
  bool Sauvegarde();

  // Replaces the definitions by the default table and the records by their defaults.
  void ChargeDefaut();
  // Adds each default definition whose internal label is missing; returns how many.
  int MiseAJour();
  // Adds each default definition introduced after that version of the set whose internal label
  // is missing (the update of an older file); returns how many.
  int MiseAJourDepuis(int version);

  // Creates a definition from a line and appends it; null (nothing added) when its internal
  // label is empty or already used in that list.
  TChpCs* CreatChpCs(std::string_view ligne);
  TChpCs* CreatSecondaryChpCs(std::string_view ligne);

  // The lists. Positions count from 0.
  [[nodiscard]] int Count() const { return static_cast<int>(liste_.size()); }
  [[nodiscard]] TChpCs* GetChpCs(int rg) const;
  [[nodiscard]] int CountSecondary() const { return static_cast<int>(secondaire_.size()); }
  [[nodiscard]] TChpCs* GetSecondaryChpCs(int rg) const;

  // Searches. Internal labels compare exactly, screen labels without regard to case.
  [[nodiscard]] TChpCs* RechercheChampsInternePtr(std::string_view libelle) const;
  [[nodiscard]] int RechercheChampsInterneRg(std::string_view libelle) const;  // -1 when absent
  [[nodiscard]] TChpCs* RechercheChampsLibelleEcranPtr(std::string_view libelle) const;
  [[nodiscard]] AnsiString RetourneLibelleEcran(std::string_view libelleInterne) const;
  [[nodiscard]] bool IsChampExist(std::string_view libelleInterne) const {
    return RechercheChampsInterneRg(libelleInterne) >= 0;
  }
  [[nodiscard]] bool IsLibelleExiste(std::string_view libelleEcran) const {
    return RechercheChampsLibelleEcranPtr(libelleEcran) != nullptr;
  }
  // The n-th event definition and the n-th personal definition, in list order; null past them.
  [[nodiscard]] TChpCs* RetChpCsRgEven(int n) const;
  [[nodiscard]] TChpCs* RetChpCsRgPerso(int n) const;

  // Standard events.
  [[nodiscard]] bool IsEvenNaissance(std::string_view libelle) const {
    return EquivNaissance.Contient(libelle);
  }
  [[nodiscard]] bool IsEvenNaissanceUniquement(std::string_view libelle) const;
  [[nodiscard]] bool IsEvenDeces(std::string_view libelle) const {
    return EquivDeces.Contient(libelle);
  }
  [[nodiscard]] bool IsEvenUnion(std::string_view libelle) const {
    return EquivUnion.Contient(libelle);
  }
  // One of the records above, the divorce or residence records, or the two lists of standard
  // events.
  [[nodiscard]] bool IsEvenStandard(std::string_view libelle) const;
  [[nodiscard]] bool IsDateNaissance(const TChpCs* chp, int sousChamp) const;
  [[nodiscard]] bool IsDateUnion(const TChpCs* chp, int sousChamp) const;

  // The first 17 characters of the label followed by the smallest counter from 0 that no
  // definition of this set nor of autre (when given) bears.
  [[nodiscard]] AnsiString NouveauLibelleInterne(std::string_view libelle,
                                                 const TDefChpsCs* autre) const;
  // Appends to liste each equivalent of libelle not already in it (nor libelle itself) and
  // returns how many were added; with cascade the equivalents of the labels this call added, and
  // of those only, are followed in turn, breadth first.
  int GetEventAssociated(std::string_view libelle, std::vector<AnsiString>& liste,
                         bool cascade) const;
  // The screen label of the first definition whose category is libelle, or empty.
  [[nodiscard]] AnsiString GetEventIntercalaire(std::string_view libelle) const;
  // Orders the list: base fields, events, simple fields, system dates, then the others. Base
  // fields and system dates by type (name, first names, sex, Sosa number); the other groups by
  // screen label (upper-cased Windows-1252 byte order). Ties keep their order.
  void SortChpCs();

  // Dictionary files of the fields ("<name>.d<n>" and "<name>.r<n>" beside the definition file,
  // n each non-zero IndexFicDupli of the definitions; csdefchps_gestdup.cpp).
  [[nodiscard]] std::vector<int> NumerosGestDup() const;
  // Renames those of genealogy ancienNom that exist to nouveauNom in the same directory; false
  // when one could not be renamed (the others are).
  bool RenommeFichiersGestDup(const AnsiString& ancienNom, const AnsiString& nouveauNom) const;
  // Copies those that exist into the folder nouveauNom beside this one (same folder extension),
  // under the new name; false when one could not be copied.
  bool DupliqueFichiersGestDup(const AnsiString& nouveauNom) const;
  // The same copies into the directory repertoire (with its trailing '/').
  bool DupliqueFichiersGestDupVers(const AnsiString& repertoire, const AnsiString& nouveauNom) const;

  [[nodiscard]] TEtat GetEtat() const { return etat_; }
  [[nodiscard]] const AnsiString& GetFichier() const { return fichier_; }
  [[nodiscard]] TGestFichier* GetDossier() const { return dossier_; }
  [[nodiscard]] bool IsReadOnly() const { return lectureSeule_; }
  void SetReadOnly(bool lectureSeule) { lectureSeule_ = lectureSeule; }

  // Blocks of the file after the definitions, public as in the rest of the system.
  TEquivChpCs EquivNaissance{"NAISSANCE", "BAPTEME"};
  TEquivChpCs EquivDeces{"DECES", "INHUMATION"};
  TEquivChpCs EquivUnion{"UNION", "CTR-MARIAGE"};
  TEquivChpCs EquivDivorce{"DIVORCE", ""};
  std::vector<AnsiString> EvenStandardPersonne{"NAISSANCE", "BAPTEME", "DECES", "INHUMATION"};
  std::vector<AnsiString> EvenStandardCouple{"UNION", "CTR-MARIAGE", "DIVORCE"};
  TEquivChpCs EquivResidence{"RESIDENCE", "RECENSEMENT"};
  AnsiString VersionFichier = "1";
  std::vector<AnsiString> CategoriesPersonne{"AUTRES", "PHOTOS"};
  std::vector<AnsiString> CategoriesCouple{"PHOTOS_COUPLE"};

 private:
  using TListe = std::vector<std::unique_ptr<TChpCs>>;

  // What a reading found wrong in the file.
  struct TBilan {
    int lignesPerdues = 0;      // definition lines skipped or missing
    bool compteFaux = false;    // count missing, not a number, or not the number of lines
    bool derniereCoupee = false;
    bool utf8 = false;
    bool complet = false;       // every block after the definitions was there
    std::vector<AnsiString> evenementsEndommages;  // damaged standard events, as found
    [[nodiscard]] bool Endommage() const {
      return lignesPerdues > 0 || compteFaux || derniereCoupee || utf8 ||
             !evenementsEndommages.empty();
    }
  };

  TChpCs* Creat(TListe& liste, std::string_view ligne);
  // Reads the file into lu; false when it cannot be read at all.
  [[nodiscard]] bool Lit(TDefChpsCs& lu, TBilan& bilan) const;
  // Restores the standard events that no definition bears (see above).
  void ControleEvenementsStandard(TBilan& bilan);
  [[nodiscard]] AnsiString TexteDommages(const TBilan& bilan) const;
  // The blocks that follow the definitions in the file.
  void CopieBlocs(const TDefChpsCs& source);
  // Copies the file beside itself; the copy's path, or empty when no copy could be made.
  [[nodiscard]] AnsiString CopieDeCote() const;
  void Previent(const AnsiString& texte) const;

  TGestFichier* dossier_ = nullptr;
  AnsiString fichier_;
  TInterfaceUtilisateur* iu_ = nullptr;
  bool lectureSeule_ = true;
  TEtat etat_ = etVide;
  TListe liste_;
  TListe secondaire_;
};

}  // namespace kyb
