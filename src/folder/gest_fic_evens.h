#pragma once
// The event and simple-field files of 2009 folders, read only for conversion (LectureAncien).
// Integers little-endian, texts Windows-1252 zero-terminated and zero-padded; record 0 holds
// NbEnreg in its first 4 bytes.
//
// Event record (TFicEvens, ".evn", 220 bytes):
//   offset  size  content
//   0       21    label, at most 20 characters
//   21      4     holder (NoPersA)
//   25      4     spouse (NoPersB), 0 for a person's own event
//   29      3     act qualifier, at most 2 characters
//   32      1     calendar tag
//   33      11    date text, at most 10 characters
//   44      4     place number
//   48      51    locality, at most 50 characters
//   99      4     note number
//   103     4     default illustration
//   107     4     extension record in ".evx" (LienExtEven), 0 = none
//   111     4     rank among the holder's records
//   115     4     rank among the spouse's records
//   119     101   datum, characters 1 to 100
//
// Event extension record (TFicExtEvens, ".evx", 1251 bytes):
//   0       201   datum, characters 101 to 300
//   201     650   50 cited persons, 13 bytes each: TLienPers (5), quality int32, kinship int32
//   851     200   50 source record numbers of the sources file (int32, 0 = none)
//   1051    200   50 illustration record numbers of the illustrations file
//
// Simple-field record (TFicChpsSimple, ".chs", 334 bytes):
//   0       21    label
//   21      4     holder
//   25      4     spouse
//   29      4     rank
//   33      301   datum, at most 300 characters
//
// A record number outside 1..NbEnreg, a record whose texts miss their terminator, or an extension
// number outside its file reads as an empty record with the read-error flag set; nothing throws.
// The file classes also write records, so that tests and tools can build 2009 folders.
#include <functional>

#include "folder/fic_enreg.h"
#include "store/chps_personne.h"

namespace kyb {

class TFicEvens : public TFicBase {
 public:
  static constexpr size_t kTailleEnreg = 220;
  static constexpr size_t kLibelle = 0, kNoPersA = 21, kNoPersB = 25, kActe = 29, kCalendrier = 32, kDate = 33,
                          kLieu = 44, kLieuDit = 48, kNote = 99, kIllustration = 103, kExtension = 107,
                          kRangA = 111, kRangB = 115, kDonnee = 119, kTailleDonnee = 101;
  TFicEvens(TGestFichier* dossier, bool creer)
      : TFicBase(dossier, TGestFichier::tfEvens, kTailleEnreg, "FicEvens", creer) {}
};

class TFicExtEvens : public TFicBase {
 public:
  static constexpr size_t kTailleEnreg = 1251;
  static constexpr size_t kDonnee = 0, kTailleDonnee = 201, kPersonnes = 201, kTaillePersonne = 13,
                          kSources = 851, kIllustrations = 1051;
  TFicExtEvens(TGestFichier* dossier, bool creer)
      : TFicBase(dossier, TGestFichier::tfEvensExt, kTailleEnreg, "FicExtEvens", creer) {}
};

class TFicChpsSimple : public TFicBase {
 public:
  static constexpr size_t kTailleEnreg = 334;
  static constexpr size_t kLibelle = 0, kNoPersA = 21, kNoPersB = 25, kRang = 29, kDonnee = 33, kTailleDonnee = 301;
  TFicChpsSimple(TGestFichier* dossier, bool creer)
      : TFicBase(dossier, TGestFichier::tfChpsSimple, kTailleEnreg, "FicChpsSimple", creer) {}
};

// What the legacy sources and illustrations files give for a record number; false when absent.
struct TLecteursListesAncien {
  std::function<bool(long, TSourceEven&)> Source;
  std::function<bool(long, TIllustrationEven&)> Illustration;
};

// Reads event record n (and its extension) into the record; the lists are complete afterwards.
// Sources and illustrations come from the readers given; without one, an entry keeps the legacy
// record number as its identifier and empty texts. False when nothing could be read.
bool LectureAncien(TEvenement& even, TFicEvens& evens, TFicExtEvens* extensions, long n,
                   const TLecteursListesAncien& lecteurs = {});
bool LectureAncien(TChpsSimple& chps, TFicChpsSimple& fichier, long n);
// A person's card from the record numbers of its public record (LiensEvens, LiensChpsSimples;
// element 0 is the loaded flag). Records that cannot be read are skipped; their count returned.
int LectureAncien(TChpsPersonne& fiche, const TEnregPublic& personne, TFicEvens& evens, TFicExtEvens* extensions,
                  TFicChpsSimple& chps, const TLecteursListesAncien& lecteurs = {});

// Writes records in the 2009 layout (the extension record is taken when the datum is longer than
// 100 characters or a list is not empty). The record numbers written; 0 on failure.
long EcritureAncien(const TEvenement::TEnreg& even, TFicEvens& evens, TFicExtEvens& extensions,
                    const std::vector<long>& sources = {}, const std::vector<long>& illustrations = {});
long EcritureAncien(const TChpsSimple::TEnreg& chps, TFicChpsSimple& fichier);

}  // namespace kyb
