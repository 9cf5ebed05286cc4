#pragma once
// The value tables of a genealogy folder: qualities (".qua"), kinships (".par") and places
// (".lie"), each text held once and reached by its number from the events.
//
// Record layout, current format (228 bytes, texts UTF-16LE, zero-terminated, zero-padded):
//
//   offset  size  content
//   0       102   value: at most 50 characters
//   102     22    code: at most 10 characters
//   124     102   complement: at most 50 characters
//   226     1     state: 'N' active, 'O' deleted
//   227     1     zero
//
// Older format (114 bytes, Windows-1252): value at 0 (51 bytes), code at 51 (11), complement at 62
// (51), state at 113. Record 0 is the header: its value is NbEnreg in decimal and its state 'O'.
// The layout of an existing file is read from its header (the state byte 'O' at 113 or at 226);
// a new file takes the current layout, an empty file the folder's.
//
// In the current format the places live in the store's Lieux table (one row per record: Chn1
// value, Chn2 code, Chn3 complement, Chn4 the value's key; NbEnreg the highest number); the file
// is then not opened. A store whose Lieux table is still empty takes the places of the folder's
// ".lie" file once.
//
// In memory a table holds every element, active or deleted, in a vector sorted by EltCmp, a
// position index from number to position in that vector, and the positions of the active
// elements in sorted order (the ranking without deleted elements). Look-ups by text and by number
// never touch the file; a value is found by a hash of its texts, and the sorted vector gives the
// place of a new one and the values that begin with a typed text. A value is never removed from the file: deleting marks it 'O', and finding
// it again reactivates it under its old number.
//
// Errors: a write beyond NbEnreg throws ErreurKy("FicDupli : Erreur Enreg"); nothing is written
// in a read-only folder, nor in an older folder unless it is being converted (mode 2); a failed
// read sets the folder's error flag and CodeErreurOuverture 1. A header counting more records
// than the file holds is brought back to them; an element numbered beyond NbEnreg is left out of
// the index and logged ("Err index FicDupli ..."). Main thread only.
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "folder/elt_dupli.h"
#include "folder/fic_enreg.h"
#include "folder/gest_fic.h"

namespace kyb {

class TModuleBDD;
class TFicPays;
enum class TCompletionLieu;

class TFicDupli {
 public:
  static constexpr size_t kTailleEnreg = 228;
  static constexpr size_t kTailleEnregAncien = 114;
  static constexpr size_t kLgValeur = 50, kLgCode = 10, kLgComplement = 50;

  // type: tfQualites, tfParentes or tfLieux. creer writes a new header (an empty table); a
  // missing file of a writable folder of the current format is created too.
  TFicDupli(TGestFichier* dossier, TGestFichier::TTypeFichier type, bool creer);
  // A private table held in memory only (the value dictionaries' own), without file or store.
  static std::unique_ptr<TFicDupli> CreationTable();
  ~TFicDupli();
  TFicDupli(const TFicDupli&) = delete;
  TFicDupli& operator=(const TFicDupli&) = delete;

  void LectureEntete();
  void EcritureEntete();
  void Flush();

  // Record number of the element equal to elt (texts cut to the record widths), 0 when absent.
  // A deleted element found is reactivated. With ajouter an absent element is added under
  // NbEnreg + 1 (the header written first when ecrireEntete), unless the table has nothing behind
  // it or may not be written. position receives the rank without deleted elements, -1 if absent.
  long Cherche(const TEltDupWideChn* elt, bool ajouter, int* position = nullptr, bool ecrireEntete = true);
  // Text of record no; empty for 0 or a number not in the table.
  [[nodiscard]] UnicodeString Charge(long no) const;
  // Element of record no; null when absent.
  [[nodiscard]] const TEltDupWideChn* Element(long no) const;
  [[nodiscard]] UnicodeString RetCommune(long no) const;
  [[nodiscard]] UnicodeString RetDepartement(long no, int style) const;
  [[nodiscard]] UnicodeString RetRegion(long no) const;
  [[nodiscard]] UnicodeString RetPays(long no) const;

  // Adding in bulk, for imports: between the two calls a value Cherche adds is numbered and
  // written at once but kept aside from the sorted vector, the ranking being rebuilt once at the
  // end (instead of at each new value). Cherche, Element and Charge see every value meanwhile;
  // position receives -1, and the sorted vector, the ranking and NumerosCommencantPar hold the
  // values of before. The end gives the same table as adding the values one by one. Any other
  // change of the table (a record rewritten, removed, the whole table saved) first puts the
  // values added so far in their places (RangeAjoutsEnBloc), as the end does.
  void DebutAjoutsEnBloc();
  void FinAjoutsEnBloc();
  [[nodiscard]] bool AjoutsEnBloc() const { return enBloc_; }
  void RangeAjoutsEnBloc();

  // Numbers of the active elements whose value key begins with the key of debut, in sorted
  // order, up to maximum (0: all); found by binary search, not by a walk of the table.
  [[nodiscard]] std::vector<long> NumerosCommencantPar(const UnicodeString& debut, int maximum = 0) const;

  // Rebuilds the position index from position depuis (0 when negative), then the ranking.
  void CalculIndex(int depuis, bool = false);
  void CalculClassementSansSuppr(int depuis, bool = false);
  // First rank whose position is at least position; -1 for -1 or when there is none.
  [[nodiscard]] int ApprochePosClassementSansSuppr(long position) const;
  // Marks every active record deleted, writing each; the ranking is emptied.
  void DeactivateAll();
  // Removes the element of record no from memory (the record stays in the file).
  void SupprimeElt(long no);
  [[nodiscard]] bool NoFicheValide(long no) const { return no >= 1 && no <= NbEnreg; }
  // Rewrites the whole table in sorted order, numbered from 1; false (nothing changed) when it
  // could not be written.
  bool SaveAll();

  // Reading and writing one record (the record layer's rules); false when nothing was read.
  [[nodiscard]] bool LitElement(long no, TEltDupWideChn& elt);
  void EcritElement(long no, const TEltDupWideChn& elt);
  // Replaces the element of record no in memory (moved to its sorted place) or adds it.
  void RemplaceEnMemoire(long no, const TEltDupWideChn& elt);

  // Position in the sorted vector of the element equal to cle, or where it would go.
  [[nodiscard]] int Recherche(const TEltDupWideChn& cle, bool& egal) const;
  // Position of record no in the sorted vector, -1 when absent.
  [[nodiscard]] int Position(long no) const;
  // Rank without deleted elements of a position, -1 when deleted or out of range.
  [[nodiscard]] int Rang(int position) const;

  [[nodiscard]] const TVectorTV<TEltDupWideChn>& Vecteur() const { return vecteur_; }
  [[nodiscard]] const std::vector<int>& ClassementSansSuppr() const { return classement_; }
  [[nodiscard]] TGestFichier::TTypeFichier Type() const { return type_; }
  [[nodiscard]] bool DansStore() const { return store_ != nullptr; }
  [[nodiscard]] TModuleBDD* Store() const { return store_; }
  [[nodiscard]] bool AncienFormat() const { return ancien_; }
  [[nodiscard]] size_t TailleEnreg() const { return ancien_ ? kTailleEnregAncien : kTailleEnreg; }
  // A file or a store stands behind the table.
  [[nodiscard]] bool ASupport() const;
  // Records may be written: a support, a writable folder of the current format or converted.
  [[nodiscard]] bool Ecrivable() const;
  [[nodiscard]] TGestFichier* Dossier() const { return dossier_; }

  long NbEnreg = 0;

  // --- places: the reference town tables (fic_dupli_reference.cpp) ---
  // The reference tables of the countries (RepertoireTablesVilles()), opened on first use and
  // owned by the places table; null for the other tables.
  [[nodiscard]] TFicPays* GetFicPays();
  // Fills the empty parts of a place from the commune of that name in the current country's
  // table: the code (the department's code), the region and the country; the parts given are
  // kept as typed and narrow the choice. Nothing changes unless one commune is found.
  [[nodiscard]] TCompletionLieu CompleteLieu(TEltDupWideChn& lieu);

 private:
  struct TPrefixe {
    uint64_t a = 0, b = 0;
    auto operator<=>(const TPrefixe&) const = default;
  };
  static TPrefixe Prefixe(const TEltDupWideChn& e);

  TFicDupli() = default;
  void OuvreFichier(bool creer);
  void ChargeFichier();
  void ChargeStore();
  void ImporteFichierDansStore();
  void ConvertitFichier();
  void Trie();
  [[nodiscard]] long Trouve(int pos, int* position);
  // The texts of an element cut to the record widths, as one key of numeros_.
  static void CleExacte(UnicodeString& cle, std::u16string_view valeur, std::u16string_view code,
                        std::u16string_view complement);
  void IndexeTexte(const TEltDupWideChn& e);
  void OublieTexte(const TEltDupWideChn& e);
  void EncodeEnreg(const TEltDupWideChn& e, unsigned char* enreg, bool ancien) const;
  [[nodiscard]] TEltDupWideChn DecodeEnreg(const unsigned char* enreg, long no, bool ancien) const;
  [[nodiscard]] bool RemplaceFichier(const std::vector<unsigned char>& contenu);
  void Insere(int pos, const TEltDupWideChn& e);
  void Retire(int pos);
  [[nodiscard]] const TEltDupWideChn* ElementEnAttente(long no) const;

  TGestFichier* dossier_ = nullptr;
  std::unique_ptr<TFicPays> ficPays_;  // places only, made by GetFicPays
  TGestFichier::TTypeFichier type_ = TGestFichier::tfDuplicats;
  TModuleBDD* store_ = nullptr;
  bool ancien_ = false;
  std::unique_ptr<TFicBase> fichier_;
  TVectorTV<TEltDupWideChn> vecteur_;
  std::vector<TPrefixe> prefixes_;  // key prefixes of vecteur_, same order: fast comparisons
  std::vector<int> index_;          // number -> position, -1 when absent
  std::vector<int> classement_;     // positions of the active elements, ascending
  // Exact texts -> record number (an active one when a damaged table holds the same texts twice):
  // finding a known value costs one hash look-up instead of a search through the whole vector.
  std::unordered_map<UnicodeString, long> numeros_;
  UnicodeString cle_;  // look-up key, reused so that a search allocates nothing
  bool enBloc_ = false;
  std::vector<TEltDupWideChn> enAttente_;  // values added in bulk, numbered premierEnAttente_ on
  long premierEnAttente_ = 0;
};

// One record of a value table.
class TFicheDupli {
 public:
  // memoire: the element at position no of the sorted vector (empty when out of range);
  // otherwise record no read from the table (nothing read below 1, except -2 the header).
  TFicheDupli(TFicDupli* fichier, long no, bool memoire);
  void Lecture(long no);
  void LectureMemoire(long position);
  // Writes the record (number -3 keeps the current one) and replaces it in the sorted vector.
  void Enregistrement(long no = kEnregCourant);

  TEltDupWideChn Elt;
  long Numero = 0;

 private:
  TFicDupli* fichier_;
};

}  // namespace kyb
