#pragma once
// The Sosa file of a genealogy folder (kind tfSosas, ".sst"): for every person number, the Sosa
// number the last numbering gave that person; and the numbering itself.
//
// Record n, at offset n * 40, holds the number of person n; record 0 is written empty when the
// file is created. Record layout (TSosa), little-endian 32-bit words:
//
//   offset  size  content
//   0       4     capacity word: 15
//   4       4     signed count of 30-bit digits: 1 for zero, k for a positive number of k digits,
//                 -k for a negative one (only -1, the second no-number marker, is written)
//   8       28    seven words, one 30-bit digit each, least significant first; unused ones 0
//   36      4     no meaning (written 0, ignored on reading)
//
// The overflow marker is nine words 0x7FFFFFFF over the first 36 bytes. A record whose first word
// is negative or above 65535 (and is not the marker), whose count exceeds seven digits or whose
// digit exceeds 30 bits reads as 0, as does an all-zero record and any record beyond the end of
// the file (the file grows only as numbers are written).
//
// Numbering: the root is 1, the father of n is 2n, the mother 2n + 1; a person reached through
// several lines keeps its smallest number; numbers beyond 210 bits become the overflow marker
// ("Sosa Max"), which every further ancestor keeps. The walks up and down the family use explicit
// stacks (a 150-generation line or a repeated pedigree collapse never deepens the machine stack)
// and visit persons in the order of the recursive definition: a person, its father's line, then
// its mother's line.
//
// Errors: a failed read or write sets the folder's error flag, a successful one clears it; while
// it is set, reads give 0 and writes do nothing. A read-only folder (or a file opened read-only)
// writes nothing. Parent links that loop (a person its own ancestor, by damage) end the walk
// there; the numbering reports the persons where it met a loop. Numbers are written only for
// persons 1..NbEnreg of the persons file. Main thread only.
#include <NTL/ZZ.h>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "folder/gest_fic.h"
#include "folder/gest_fic_sosa_parents.h"
#include "platform/fichiers.h"
#include "store/enreg_public.h"

namespace kyb {

class TGestNoPersSosa;

// Root person of the Sosa numbering of the current genealogy (0: none chosen).
extern long asNoStradoCujus;

// One 40-byte Sosa record, in fixed inline storage.
class TSosa {
 public:
  static constexpr size_t kTaille = 40;
  static constexpr int kChiffres = 7;
  static constexpr int kBitsChiffre = 30;
  static constexpr uint32_t kCapacite = 15;
  static constexpr uint32_t kMarqueMax = 0x7FFFFFFF;

  TSosa() = default;
  explicit TSosa(const NTL::ZZ& valeur) { Ecrit(valeur); }

  // Encodes a number; a value that needs more than seven digits, or the overflow marker itself,
  // becomes the marker.
  void Ecrit(const NTL::ZZ& valeur);
  // Decodes, with the rules of the header comment.
  [[nodiscard]] NTL::ZZ Lit() const;
  // True when the record reads as 0 (nothing numbered), without building a number.
  [[nodiscard]] bool EstZero() const;
  [[nodiscard]] const uint8_t* Octets() const { return reinterpret_cast<const uint8_t*>(mots_.data()); }
  [[nodiscard]] uint8_t* Octets() { return reinterpret_cast<uint8_t*>(mots_.data()); }

 private:
  [[nodiscard]] bool EstMarqueMax() const;
  [[nodiscard]] bool EstValide() const;
  std::array<uint32_t, 10> mots_{};
};
static_assert(sizeof(TSosa) == TSosa::kTaille);

// What a numbering did.
struct TBilanNumerotation {
  long Ecritures = 0;          // numbers written (a person renumbered counts again)
  bool Interrompue = false;    // stopped by the progress window
  std::vector<long> Boucles;   // persons met again as their own ancestor
};

// What an ancestry listing found.
struct TBilanAscendance {
  std::vector<long> Boucles;   // persons met again as their own ancestor (not followed further)
  int Generations = 0;         // generations that hold at least one ancestor
};

class TFicSosas {
 public:
  static constexpr short kProfondeurMax = 150;  // generations un-numbered at most
  static constexpr int kEnregsParBloc = 100;    // records per write of the reset

  // Opens the file; with creer (or when a writable folder has none yet) creates it with an empty
  // header record. A file opened for writing whose header cannot be read is deleted and created
  // afresh.
  TFicSosas(TGestFichier* dossier, bool creer);
  ~TFicSosas();
  TFicSosas(const TFicSosas&) = delete;
  TFicSosas& operator=(const TFicSosas&) = delete;

  // --- records ---
  NTL::ZZ LectureNoStrado(long no, NTL::ZZ* sortie = nullptr);
  void EcritureNoStrado(long no, const NTL::ZZ& sosa);
  void EcritureNoStradoZero(long no);
  void EcritureNoStradoMoinsUn(long no);
  // The person has a number other than 0.
  [[nodiscard]] bool IsExist(long no);
  // The number as text: empty for person 0 without marque; "1" with marque when the number is 0;
  // otherwise ZZtoAnsiString (empty for 0 and -1, "Sosa Max" for the marker).
  [[nodiscard]] AnsiString ChargeNoStrado(long no, NTL::ZZ* sortie, bool marque);
  // Every record from 0 to the persons file's NbEnreg back to 0, 100 records per write. False
  // when nothing may be written or the progress window stopped it.
  bool InitFichierStrado();
  // The first person numbered 1 (0 when none), read in blocks.
  [[nodiscard]] long ChercheRacine();

  // --- numbering ---
  // Clears every number and numbers the ancestry of racine from 1, all or nothing: the new
  // numbering is written beside the file ("<file>.tmp"), synced, then renamed over it in one
  // step. Cut anywhere (a failed write, a full disk, a kill), the file keeps the old numbering
  // whole; a temporary left by a kill is removed at the next writable opening. enPlace tells
  // whether the new numbering took its place (false also when the progress window stopped it).
  TBilanNumerotation Renumerote(long racine, bool& enPlace);
  [[nodiscard]] AnsiString CheminNouvelleNumerotation() const;
  // Numbers the person and its ancestry from sosa.
  TBilanNumerotation NumeroterPersNo(long no, const NTL::ZZ& sosa);
  // Removes the numbers of a person's ancestry (0, or -1 with moinsUn), at most 150 generations.
  // Nothing for person 0 or a person numbered 0 or 1.
  void DenumeroterPersNo(long no, bool moinsUn);
  void Denumerote(long no, short& profondeur, bool moinsUn);
  // Numbers the person from the smallest number of its numbered children (twice it, plus one for
  // a woman), then its ancestry the same way. False when no child is numbered.
  bool SpecNumeroterPersNo(long no);
  // The smallest Sosa number among the person's children (those of its list and, in the current
  // format, those whose record names it as parent); 0 when none is numbered.
  [[nodiscard]] NTL::ZZ InfNoStradoEnfants(long no);
  // The same, telling the user through the folder's interface when no child is numbered.
  bool MsgSpecNumeroterPersNo(long no);
  // The person that holds sosa in the ancestry of noDepart (numbered 1); 0 when the walk breaks
  // off, is abandoned (through abandon or the folder's interface) or sosa is not a number.
  long RechercheStrado2No(long noDepart, const NTL::ZZ& sosa, bool& abandon);

  // --- implex ---
  // Every Sosa number of the person under the current numbering (one per line of descent from
  // the root), ascending; found by walking down through numbered children. At most kMaxNumeros
  // numbers. With progression, a progress window of the given interface (which can stop it).
  static constexpr size_t kMaxNumeros = 10000;
  [[nodiscard]] std::vector<NTL::ZZ> ChargeNosStrados(long no, bool progression,
                                                      TInterfaceUtilisateur* proprietaire);
  // True when the person holds more than one Sosa number.
  [[nodiscard]] bool IsNosStrados(long no, bool progression, TInterfaceUtilisateur* proprietaire);
  // The ancestors of racine numbered from 1, generation by generation, at most generations above
  // it: every pair (person, number) goes into table in Sosa order. A person met again keeps its
  // first (smallest) number for its own ancestors, which are not walked again.
  TBilanAscendance ChargeAscendance(long racine, int generations, TGestNoPersSosa& table);

  void Flush();
  [[nodiscard]] bool Valide() const { return fichier_.Valide(); }
  [[nodiscard]] const AnsiString& Chemin() const { return chemin_; }

  // The root-selection progress window: numbering reports person numbers to it, the reset its
  // progress; either stops when the user asks. Null: nothing shown.
  TProgression* AvancementSelCujus = nullptr;
  // The walks that may go through much of the folder (numbering, un-numbering, ancestry) first
  // read every person's parents in one pass when the folder holds at least this many persons
  // (current format); below, they read persons one by one. Numbering and un-numbering then also
  // work on an image of the file read in blocks, written back at the end in blocks of 100
  // records (only the blocks that changed).
  long SeuilChargementParents = 20000;

 private:
  friend class TParentsCharges;
  struct TImageChargee;  // the file's image for the duration of a walk
  // Father and mother of a person: from the table loaded for the walk, or read.
  [[nodiscard]] TParentsSosa Parents(long no);
  [[nodiscard]] long NbPersonnes() const;
  [[nodiscard]] bool NoDansFichier(long no) const { return no >= 1 && no <= NbPersonnes(); }
  [[nodiscard]] bool Ecrivable() const;
  void LitSosa(long no, TSosa& sosa);
  void EcritSosa(long no, const TSosa& sosa);
  void EcritEntete();
  // The children of person no: its list, then (current format) the persons whose record names it
  // as father or mother.
  [[nodiscard]] std::vector<long> EnfantsDe(long no, const std::array<TLienPers, kMaxEnfants>& liste);
  [[nodiscard]] NTL::ZZ PlusPetitNoEnfant(const std::vector<long>& enfants);
  // The record of a person with the parents it shows (father, mother, sex, children).
  const TEnregPublic& Lit(long no);

  TGestFichier* dossier_;
  AnsiString chemin_;
  TFichier fichier_;
  TEnregPublic personne_;  // the last person read by Lit
  std::vector<TParentsSosa> parents_;  // loaded for the duration of a walk, else empty
  std::unique_ptr<TLecteurParentsSosa> lecteur_;  // during a walk on a smaller folder
  std::vector<TSosa> image_;           // records 0..NbPersonnes during a walk, else empty
  std::vector<bool> blocsModifies_;    // per block of 100 records of the image
};

}  // namespace kyb
