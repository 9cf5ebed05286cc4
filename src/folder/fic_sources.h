#pragma once
// Sources and illustrations of events. In the current format they live in the store's Sources and
// Illustrations tables and these classes forward to it; folders of the 2009 format also keep
// them in record files, read only (for display and conversion):
//
// Sources file (".src"), record n at n * 336; header: int32 NbEnreg at offset 0.
//
//   offset  size  content
//   0       4     int32: record number of the event
//   4       4     int32: rank among the event's sources
//   8       32    type, 8-bit, zero-terminated
//   40      296   description, 8-bit, zero-terminated
//
// Illustrations file (".ill"), record n at n * 268; header: NbEnreg as decimal text in the first
// text field (offset 8).
//
//   offset  size  content
//   0       4     int32: record number of the event
//   4       4     int32: rank among the event's illustrations
//   8       260   file path, 8-bit, zero-terminated
//
// Both headers are capped to the records the file holds. New numbers, existence tests and writes
// always go through the store; writes do nothing in a read-only folder or one in error.
#include <memory>

#include "folder/fic_enreg.h"
#include "store/sources_bdd.h"

namespace kyb {

class TModuleBDD;

// What the sources and illustrations files share: the folder, its store, the legacy file.
class TFicReferencesEven {
 public:
  TFicReferencesEven(TGestFichier* dossier, TGestFichier::TTypeFichier type, size_t tailleAncien,
                     const char* nomCourt);
  virtual ~TFicReferencesEven() = default;
  TFicReferencesEven(const TFicReferencesEven&) = delete;
  TFicReferencesEven& operator=(const TFicReferencesEven&) = delete;

  [[nodiscard]] TGestFichier* Dossier() const { return dossier_; }
  [[nodiscard]] TModuleBDD* Module() const;
  // The legacy file of a 2009 folder; null otherwise (or when the folder has none).
  [[nodiscard]] TFicBase* Ancien() const { return ancien_.get(); }
  // 2009 format: the legacy header's count; otherwise the rows of the store's table.
  [[nodiscard]] long GetNbEnreg() const;
  // Sets no to 0 when the store does not know it, and counts it in *compte.
  void AnnuleSiInconnu(long& no, int* compte) const;
  [[nodiscard]] virtual bool NoValide(long no) const = 0;

 protected:
  [[nodiscard]] virtual const char* Table() const = 0;

  TGestFichier* dossier_;
  std::unique_ptr<TFicBase> ancien_;
};

class TFicSources : public TFicReferencesEven {
 public:
  static constexpr size_t kTailleAncien = 336;
  explicit TFicSources(TGestFichier* dossier);

  [[nodiscard]] long ReturnNewNum() const;
  [[nodiscard]] bool NoSourceValide(long no) const;
  [[nodiscard]] bool NoValide(long no) const override { return NoSourceValide(no); }
  // Walk of every source of the store.
  void PreProcessSearch() const;
  [[nodiscard]] bool GetSourceParcours(TSourceBDD& source) const;
  void PostProcessSearch() const;

 protected:
  [[nodiscard]] const char* Table() const override { return "Sources"; }
};

class TSource {
 public:
  static constexpr size_t kEven = 0, kRang = 4, kType = 8, kTailleType = 32, kDescriptif = 40,
                          kTailleDescriptif = 296;

  // Reads the source when no is positive; otherwise an empty record.
  TSource(TFicSources* fichier, long no);
  // 2009 format: the legacy record; otherwise the store's row. False when absent.
  bool Lecture(long no = kEnregCourant);
  // Writes through the store (not in a read-only folder or one in error); a record numbered 0
  // receives a new identifier.
  bool Enregistrement(long no = kEnregCourant);
  [[nodiscard]] bool LectureAncien(long no);
  [[nodiscard]] long Numero() const { return Public.Id; }

  TSourceBDD Public;

 private:
  TFicSources* fichier_;
};

class TFicIllustrations : public TFicReferencesEven {
 public:
  static constexpr size_t kTailleAncien = 268;
  explicit TFicIllustrations(TGestFichier* dossier);

  [[nodiscard]] long ReturnNewNum() const;
  [[nodiscard]] bool NoIllustrationValide(long no) const;
  [[nodiscard]] bool NoValide(long no) const override { return NoIllustrationValide(no); }
  void PreProcessSearch() const;
  [[nodiscard]] bool GetIllustrationParcours(TIllustrationBDD& illustration) const;
  void PostProcessSearch() const;

 protected:
  [[nodiscard]] const char* Table() const override { return "Illustrations"; }
};

class TIllustration {
 public:
  static constexpr size_t kEven = 0, kRang = 4, kChemin = 8, kTailleChemin = 260;

  TIllustration(TFicIllustrations* fichier, long no);
  bool Lecture(long no = kEnregCourant);
  bool Enregistrement(long no = kEnregCourant);
  [[nodiscard]] bool LectureAncien(long no);
  [[nodiscard]] long Numero() const { return Public.Id; }
  // Full path of the illustration file: a relative path is taken in the folder's images
  // directory (GetDirImages: the external directory in import modes 1 and 4).
  [[nodiscard]] AnsiString GetExpandFilename() const;

  TIllustrationBDD Public;

 private:
  TFicIllustrations* fichier_;
};

}  // namespace kyb
