#pragma once
// The notices file ("Notices/<Nom>.gnp"): documentary pages attached to a word (a surname, a
// given name, a profession, a title, a decoration or a part of a place), in fixed records of
// 4012 bytes with a list of free records.
//
// Record n at offset n * 4012:
//
//   offset  size  content
//   0       1     deleted mark: 1 for a deleted notice
//   1       1     notice type (TTypeNotice, 0..9)
//   4       4*80  title parts, 8-bit, zero-terminated (79 characters each)
//   324     160   image file of the notice, 8-bit, zero-terminated
//   484     1     image category (index in the category list)
//   512     3500  categories area: the notice's text by category, 8-bit, zero-terminated; the
//                 part LectureCategories reads alone
//
// Header (record 0): NbEnreg as decimal text at offset 2; the free record numbers at offset 257,
// each in decimal followed by ';', in the order they were freed. On reading, the count is capped
// to the records the file holds, and free numbers out of range or repeated are dropped; a free
// number whose record is not marked deleted is never handed out again.
//
// Errors: writing beyond NbEnreg throws "FicSource : Erreur Enreg"; failed reads and writes set
// the folder's error flag (record layer).
#include <deque>

#include "folder/fic_enreg.h"

namespace kyb {

class TNoticesPat;

// What the notices index offers the notices file: it learns each written and each deleted
// notice. The folder's notices index registers itself with SetIndex.
class TIndexNotices {
 public:
  virtual ~TIndexNotices() = default;
  virtual void Ajout(const TNoticesPat& notice) = 0;
  virtual void Suppression(int type, long numero) = 0;
};

class TFicNoticesPat : public TFicBase {
 public:
  static constexpr size_t kTailleEnreg = 4012;
  static constexpr size_t kPositionNbEnreg = 2;
  static constexpr size_t kPositionLibres = 257;

  // Opens the notices file of the folder; creer, or a writable folder without one, creates it
  // (with its "Notices/" directory).
  TFicNoticesPat(TGestFichier* dossier, bool creer);

  void LectureEntete() override;
  void EcritureEntete() override;
  // The first free number when there is one (it leaves the list), otherwise NbEnreg + 1; the
  // header is written in both cases.
  long ReturnNewNum();
  // Appends no to the free list and writes the header; numbers out of range or already listed
  // are ignored.
  void AjoutPosLibre(long no);
  [[nodiscard]] const std::deque<long>& PositionsLibres() const { return libres_; }
  // The file was cut: records its header counts, or a part of one, are missing (0 for a whole file).
  [[nodiscard]] long EnregsManquants() const { return manquants_; }

  void SetIndex(TIndexNotices* index) { index_ = index; }
  [[nodiscard]] TIndexNotices* Index() const { return index_; }

 private:
  [[nodiscard]] bool EstSupprime(long no);

  std::deque<long> libres_;
  long manquants_ = 0;
  TIndexNotices* index_ = nullptr;
};

class TNoticesPat : public TEnregKy {
 public:
  enum TTypeNotice : int {
    tnPatronyme = 0, tnProfession, tnVille, tnCodeLieu, tnDepartement, tnRegion, tnPays, tnPrenom,
    tnTitre, tnDecoration,
  };
  static constexpr int kNbTitres = 4;
  static constexpr size_t kSupprime = 0, kType = 1, kTitres = 4, kTailleTitre = 80, kImage = 324,
                          kTailleImage = 160, kCategorieImage = 484, kCategories = 512,
                          kTailleCategories = 3500;

  // -3: a new number and an empty record; another number below 1 (except -2): an empty record
  // under that number; -2 or a positive number: read.
  TNoticesPat(TFicNoticesPat* fichier, long no);

  // Reads only the categories area; the rest of the record is left as it is.
  void LectureCategories(long no);
  // Writes the record (record-layer rules, "FicSource : Erreur Enreg"); a live data record then
  // joins the notices index. Every data-record write stamps the folder's last write.
  void Enregistrement(long no = kEnregCourant, TFicNoticesPat* fichier = nullptr);
  // Marks the notice deleted, writes it, frees its number and removes it from the index.
  void Suppression();

  [[nodiscard]] bool Supprime() const { return LitOctet(kSupprime) == 1; }
  [[nodiscard]] int Type() const { return LitOctet(kType); }
  void SetType(int type) { EcritOctet(kType, static_cast<unsigned char>(type)); }
  [[nodiscard]] AnsiString Titre(int i) const;
  void SetTitre(int i, const AnsiString& titre);
  // The title parts joined with " / ".
  [[nodiscard]] AnsiString TitreComplet() const;
  [[nodiscard]] AnsiString Image() const { return LitTexte(kImage, kTailleImage); }
  void SetImage(const AnsiString& chemin) { EcritTexte(kImage, kTailleImage, chemin); }
  [[nodiscard]] AnsiString Categories() const { return LitTexte(kCategories, kTailleCategories); }
  void SetCategories(const AnsiString& texte) { EcritTexte(kCategories, kTailleCategories, texte); }

 private:
  [[nodiscard]] TFicNoticesPat* Fichier() const { return static_cast<TFicNoticesPat*>(fichier_); }
};

}  // namespace kyb
