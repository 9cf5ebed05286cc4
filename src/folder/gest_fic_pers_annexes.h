#pragma once
// The two files that stand beside the persons file in older folders: the persons extension file
// (".exp", the spouse and child links beyond those of the person record) and the deleted-persons
// file (".psu", the numbers of deleted persons).
//
// Extension record (TExtPerson), 2904 bytes, record n at offset n * 2904:
//
//   offset  size  content
//   0       4     int32; in record 0: NbEnreg
//   4       1260  140 spouse links TLienConj (9 bytes: int32 number, byte kind, int32 value)
//   1264    600   120 person links TLienPers (5 bytes: int32 number, byte level)
//   1864    340   first list area, zeros when empty
//   2204    340   second list area
//   2544    360   third list area
//
// Deleted-persons record (TPersSuppr), 4 bytes: record 0 holds NbEnreg, records 1..NbEnreg one
// deleted person number each (int32), in no particular order.
//
// Both follow the record layer: writing beyond NbEnreg throws "FicExtPers : Erreur Enreg" or
// "FicPersSuppr : Erreur Enreg". A header claiming more records than the file holds is brought
// back to the records present; a negative count reads 0.
#include <set>

#include "folder/fic_enreg.h"
#include "store/liens.h"

namespace kyb {

class TFicExtPersons : public TFicBase {
 public:
  static constexpr size_t kTailleEnreg = 2904;
  TFicExtPersons(TGestFichier* dossier, bool creer);
  void LectureEntete() override;
};

class TExtPerson : public TEnregKy {
 public:
  static constexpr int kNbConjoints = 140;
  static constexpr int kNbLiens = 120;
  static constexpr size_t kConjoints = 4, kLiens = 1264, kListe1 = 1864, kListe2 = 2204, kListe3 = 2544;

  TExtPerson(TFicExtPersons* fichier, long numero) : TEnregKy(fichier, numero) {}

  [[nodiscard]] TLienConj Conjoint(int i) const;  // i in 0..139; empty link out of range
  void SetConjoint(int i, const TLienConj& lien);
  [[nodiscard]] TLienPers Lien(int i) const;  // i in 0..119
  void SetLien(int i, const TLienPers& lien);
  // Empty: first spouse link and first person link empty, first word of each list area 0.
  [[nodiscard]] bool Vide() const;
  // Clears the links and the three list areas.
  void Raz();
  // Clears the links only; the list areas are kept.
  void RazLiens();
};

class TFicPersSuppr : public TFicBase {
 public:
  TFicPersSuppr(TGestFichier* dossier, bool creer);
  void LectureEntete() override;

  // Takes a new record and writes no into it.
  void AjouteNo(long no);
  // Removes the first record holding no (the last record takes its place and is cleared); the
  // header is written in every case.
  void SuppNo(long no);
  // With ecrire, appends every number of the set in ascending order after the last record and
  // writes the header. The set is emptied in both cases.
  void SupprimeList(std::set<long>& numeros, bool ecrire);
  [[nodiscard]] long GetNbPersSuppr() const { return NbEnreg; }
};

class TPersSuppr : public TEnregKy {
 public:
  TPersSuppr(TFicPersSuppr* fichier, long numero) : TEnregKy(fichier, numero) {}
  [[nodiscard]] long No() const { return LitEntier32(0); }
  void SetNo(long no) { EcritEntier32(0, static_cast<int32_t>(no)); }
};

}  // namespace kyb
