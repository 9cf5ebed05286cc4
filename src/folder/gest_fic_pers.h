#pragma once
// The persons file: how persons are numbered, counted, validated, read and written.
//
// In the current format persons live in the store's Personnes table and TFicPersons has no file:
// it keeps the count and takes new numbers from the store. In older folders it also owns the
// persons file ".prs" of 644-byte records, record n at offset n * 644, record 0 the header.
//
// Person record (TEnregPersonne), integers little-endian, texts Windows-1252 zero-terminated:
//
//   offset  size  content
//   0       1     person type: 'P' person, 'T' witness, ' ' either
//   1       1     deleted mark: 'O' deleted, 'N' or ' ' live
//   2       1     sex: 'M', 'F'; anything else reads '?'
//   3       1     position of the usual first name
//   4       5     father (TLienPers: int32 number, byte level)
//   9       5     mother (TLienPers)
//   14      90    spouses 1 to 10 (TLienConj, 9 bytes each)
//   104     150   children 1 to 30 (TLienPers, 5 bytes each)
//   254     101   surname, at most 100 characters
//   355     71    first names, at most 70 characters
//   426     40    10 person-index entries (int32)
//   466     4     note number (int32)
//   470     4     extension record number in the ".exp" file (int32, 0 = none)
//   474     8     two further numbers (int32 each), kept as they are
//   482     162   reserved, zeros
//
// Header person (number -2; record 0 of the file, row 0 of Personnes in the current format), in
// the same layout: father = NbEnreg, mother = NoPremier, first spouse's number = NoSecond, first
// child = NoTroisieme; surname = folder text; first names = "opening$write$read$writer thread"
// (the folder's times as decimal day counts and its writer thread); note = first folder integer,
// first further number = second folder integer (the store row has no column for the second,
// which reads 0 there).
//
// Errors: file reads and writes follow the record layer (the folder's error flag). A record whose
// type, deleted mark or texts cannot be those of a person is garbage (EnregFoireux) and is never
// taken as a person. Nothing here throws; writes beyond NbEnreg are refused with false.
#include <cstdint>
#include <memory>

#include "folder/fic_enreg.h"
#include "store/enreg_public.h"

namespace kyb {

class TModuleBDD;
class TInterfaceUtilisateur;

inline constexpr size_t kTailleEnregPersonne = 644;
inline constexpr int kConjointsFichier = 10;  // spouse links held by the person record
inline constexpr int kEnfantsFichier = 30;    // child links held by the person record

// One 644-byte person record of an older folder.
class TEnregPersonne : public TEnregKy {
 public:
  static constexpr size_t kType = 0, kSupprime = 1, kSexe = 2, kOrdrePU = 3, kPere = 4, kMere = 9,
                          kConjoints = 14, kEnfants = 104, kNom = 254, kTailleNom = 101,
                          kPrenoms = 355, kTaillePrenoms = 71, kIndex = 426, kNote = 466,
                          kExtension = 470, kAutres = 474;

  // An empty record (nothing read) on the given file, which may be null.
  explicit TEnregPersonne(TFicBase* fichier = nullptr) : TEnregKy(fichier, kEnregCourant) {
    if (!fichier) donnees_.assign(kTailleEnregPersonne, 0);
  }

  // True when the record cannot be a person: unknown type or deleted mark, a text that misses
  // its terminator, a negative extension number.
  [[nodiscard]] bool EnregFoireux() const;
  // Record -> public record: sex other than 'M'/'F' reads '?', texts widened; the spouses beyond
  // 10 and children beyond 30 are left as they are (they come from the extension file).
  void TransfertVersPublic(TEnregPublic& p) const;
  // Public record -> record: only the first 10 spouses and 30 children are kept.
  void TransfertDepuisPublic(const TEnregPublic& p);
};

// The person cache kept by the persons file. The persons library gives the concrete cache.
class TCachePersonnes {
 public:
  virtual ~TCachePersonnes() = default;
  virtual void Delete(int no) = 0;
  virtual void RazBuffers() = 0;
  // A new empty cache of the same kind and capacity.
  [[nodiscard]] virtual std::unique_ptr<TCachePersonnes> Recree() const = 0;
};

// An object an upper layer attaches to the persons file and that is destroyed with it, before the
// cache (the person object keeps its scratch person there).
class TAttacheFicPersons {
 public:
  virtual ~TAttacheFicPersons() = default;
};

class TFicPersons {
 public:
  static constexpr long kCapaciteCache = 10000;

  // Older folder: opens the ".prs" file. With creer, NoPremier and NoSecond become -1, the
  // folder's opening and write times and writer thread are stamped now and the header written;
  // otherwise the header is read (current format, or the file opened). An older folder whose
  // file cannot be opened sets the folder's error flag.
  TFicPersons(TGestFichier* dossier, bool creer);
  ~TFicPersons();
  TFicPersons(const TFicPersons&) = delete;
  TFicPersons& operator=(const TFicPersons&) = delete;

  // Reads the header person; NbEnreg from the store maximum (current format) or the header
  // (capped to the records the file holds). A count below 1 is recomputed (store maximum, or
  // file size / 644 - 1); still below 1, the folder's error flag is set and reading stops.
  // NoPremier 0 becomes 1; NoSecond and NoTroisieme below 1 or above NbEnreg take NoPremier.
  // The header is then rewritten.
  void LectureEntete();
  void EcritureEntete();
  // Current format: the number the store gives a new person (0 when it cannot insert);
  // NbEnreg and NbAjouts grow. Older format: NbEnreg grows, the header is rewritten, the new
  // NbEnreg returned.
  long ReturnNewNum();
  [[nodiscard]] long NbPersEffective() const { return NbEnreg; }
  [[nodiscard]] bool NoPersValide(long no) const { return no <= NbEnreg; }
  // In range 1..NbEnreg and not deleted (store list, or the record's deleted mark).
  [[nodiscard]] bool IsNoPersOk(long no);
  // Sum of code(i) * i over the 1-based positions 1..length-1, in 32-bit arithmetic.
  [[nodiscard]] static int32_t GetHashCode(const UnicodeString& s);
  // Older format only: last write time of the persons file; false otherwise.
  [[nodiscard]] bool GetFileDateAndTime(TDateTime& date);
  // Empties the cache (a new one of capacity 10000 takes its place).
  void VideBufferPerson();
  // The object attached by an upper layer (null when none), and its replacement.
  [[nodiscard]] TAttacheFicPersons* Attache() const { return attache_.get(); }
  void Attache(std::unique_ptr<TAttacheFicPersons> attache) { attache_ = std::move(attache); }
  // Reloads the folder's value tables (qualities, kinships, places) from their storage, after
  // another program changed them; what this program wrote is flushed first. Pointers to the old
  // tables are no longer valid. The progress goes to iu (null shows nothing).
  void ReloadFicDupli(TInterfaceUtilisateur* iu = nullptr);
  void Flush();

  // Person records of an older folder. Lire: false when nothing could be read (no file, number
  // out of 1..NbEnreg other than -2, folder in error, or a failed read). Ecrire: false when the
  // number is out of range or nothing may be written.
  [[nodiscard]] bool LitEnreg(long no, TEnregPersonne& enreg);
  // The stored record of a person: the store's row, or the record with the spouses and children
  // of its extension record (older format). A store row that cannot be read empties p; otherwise
  // p is left as it was when nothing can be read (number out of range, folder in error, damaged
  // record).
  void LitPublic(long no, TEnregPublic& p);
  // The same with the parents a person shows: the principal pair of its store parent row
  // (IDParents) when it has one, as the person object reads them.
  void LitPublicParentsAffiches(long no, TEnregPublic& p);
  bool EcritEnreg(long no, const TEnregPersonne& enreg);

  [[nodiscard]] TGestFichier* Dossier() const { return dossier_; }
  [[nodiscard]] bool AncienFormat() const { return ancien_; }
  // The ".prs" record file; null in the current format.
  [[nodiscard]] TFicBase* Fichier() const { return fichier_.get(); }
  [[nodiscard]] TModuleBDD* Store() const;
  [[nodiscard]] TCachePersonnes* Cache() const { return cache_.get(); }
  void InstalleCache(std::unique_ptr<TCachePersonnes> cache) { cache_ = std::move(cache); }

  long NbEnreg = 0;
  long NbAjouts = 0;
  long NoPremier = 1, NoSecond = 1, NoTroisieme = 1;
  UnicodeString TexteDossier;       // folder text of the header, carried unchanged
  int32_t EntierDossier1 = 0;       // the two folder integers of the header, carried unchanged
  int32_t EntierDossier2 = 0;

 private:
  [[nodiscard]] TEnregPublic Entete() const;
  void LitTemps(const UnicodeString& texte);

  TGestFichier* dossier_;
  bool ancien_;
  std::unique_ptr<TFicBase> fichier_;
  std::unique_ptr<TCachePersonnes> cache_;
  std::unique_ptr<TAttacheFicPersons> attache_;  // destroyed before the cache
};

}  // namespace kyb
