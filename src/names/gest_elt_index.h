#pragma once
// TGestEltIndex: the in-memory person index, saved to and restored from the folder's second person
// index file (".prx2"). The entries (136 bytes each) stay in a store of slots where they were put
// (a freed slot is reused); the index order is a vector of 4-byte slot numbers, so that an ordered
// insertion, a removal or a move shifts slot numbers, not entries. A bulk load and a full sort
// leave the store itself in index order (the slot of position i is i), as the searches walk it.
// The slots of one person are chained (a first slot per person number, a next slot per slot), so
// that a person's entries are found without a walk of the index.
//
//
// | Offset | Size | Content                                                      |
// |--------|------|--------------------------------------------------------------|
// | 0      | 5    | the bytes of "UTF-8" (no terminator)                          |
// | 5      | 4    | element count n, int32 little-endian                          |
// | 9      | ...  | n elements in index order, each laid out as in elt_index.h    |
// | ...    | ...  | the appendix of the file read in place (vue_fichier_index.h)  |
//
// Files without the appendix (written before it) are read the same way; they give no table of
// phonetic codes.
// An index of no element is the 9 bytes of marker and count. Not thread-safe: the index belongs to
// the thread of the user interface; SetAbandon may be called from elsewhere to stop a search.
#include <atomic>
#include <map>
#include <vector>

#include "platform/allocateur_pages.h"
#include "names/elt_index.h"
#include "names/table_codes_index.h"
#include "names/vue_elt_index.h"
#include "names/g_tblvar.h"
#include "platform/chaines.h"
#include "platform/interface_utilisateur.h"

namespace kyb {

class TGestFichier;

class TGestEltIndex {
 public:
  using TMapNoPers = std::multimap<int32_t, int>;
  template <typename T>
  using TVecteur = std::vector<T, TAllocateurGrandesPages<T>>;

  // tailleInitiale elements reserved; the folder manager is kept, not owned (may be null).
  TGestEltIndex(int tailleInitiale, TGestFichier* gestFichier);

  // Appends at the end of the order (a bulk load, sorted later by Classement); returns the count.
  int Ajoute(const TEltIndex& elt);
  // Ordered insertion without duplicates: an element equal to one already there is not added
  // (ajoute false) and that one's position is returned; otherwise the new element's position.
  // forceFin appends at the end of the order.
  int AjouteClasse(const TEltIndex& elt, TEltIndex& tmp, bool forceFin, bool& ajoute);
  // Position of an element equal to cle from debut on, or -1; with approche, the nearest one.
  [[nodiscard]] int RechercheDicoth(const TEltIndex& cle, TEltIndex& tmp, int debut, bool approche) const;
  // Copies element pos into elt; nothing when pos is out of range.
  void Lit(int pos, TEltIndex& elt) const {
    if (pos >= 0 && pos < GetNbElt()) elt = stock_[Slot(pos)];
  }
  // The element itself; out of range, a default element.
  [[nodiscard]] const TEltIndex& Lit(int pos) const;
  // Removes element pos, copied into elt first.
  void Supprime(int pos, TEltIndex& elt);
  // Sorts by operator< (equal elements in no particular order).
  void Classement(TEltIndex& tmp1, TEltIndex& tmp2);

  [[nodiscard]] int GetNbElt() const { return static_cast<int>(ordre_.size()); }
  void Raz();
  void Reserve(size_t n);
  [[nodiscard]] size_t Capacite() const { return stock_.capacity(); }
  // Bytes the index holds for its entries (store, order, person numbers, free slots).
  [[nodiscard]] size_t OctetsMemoire() const;
  // The entries in index order (valid until the next change).
  [[nodiscard]] TVueEltIndex Elements() const { return {ordre_.data(), ordre_.size(), stock_.data()}; }
  // The store of slots (free slots included), for checks of its placement.
  [[nodiscard]] const TVecteur<TEltIndex>& Stock() const { return stock_; }

  // With a progress bar, saving and restoring set its maximum to min(count, 1000), move it to
  // i × maximum / count at most once a second (the clock is read every 256 elements, pending
  // window messages are processed then) and to the maximum at the end.
  //
  // Writes the whole file through a synced temporary renamed over it (platform/ecriture_atomique.h);
  // false, with the previous file left whole, when it cannot be written. derniereLigne goes to the
  // appendix (vue_fichier_index.h): the last row number of the rows the entries were taken from.
  [[nodiscard]] bool Sauvegarde(const AnsiString& nomFichier, TProgression* barre, uint64_t derniereLigne = 0) const;
  // Replaces the content by the file's, appended as it comes (the file is in index order).
  // Raises ErreurKy "Encodage inconnu !" when the file does not begin with "UTF-8", and ErreurKy
  // with a French message when it cannot be read or is cut or damaged (bytes after the entries
  // that are not their whole appendix included); the index is then empty.
  // The table of phonetic codes saved with the file is kept for PrendsCodesLus.
  void Restauration(const AnsiString& nomFichier, TProgression* barre);
  // The table of phonetic codes of the file last restored (table_codes_index.h), handed over once;
  // empty when the file had none.
  [[nodiscard]] TTableCodes PrendsCodesLus() { return std::move(codesLus_); }
  // The last row number the file last restored recorded (0: unknown).
  [[nodiscard]] uint64_t DerniereLigneLue() const { return derniereLigneLue_; }
  // The count and the elements only, without the marker.
  [[nodiscard]] bool Sauvegarde(TSortieBinaire& flux, TProgression* barre) const;
  void Restauration(TEntreeBinaire& flux, TProgression* barre);

  // Removes every element of the person; returns how many.
  int SupprimeClefPersNo(int32_t noPers);
  // Replaces the element equal to ancien (when there is one) by nouveau at its ordered place,
  // moving only the elements between the two places; without ancien, an ordered insertion.
  // False when an element equal to nouveau was already there (nothing is added then).
  bool RemplaceClasse(const TEltIndex& ancien, const TEltIndex& nouveau);

  // Position of the person's principal element (its first given name, or its usual one), found
  // through the person's rows in the store, most recent first; -1 when none is in memory.
  [[nodiscard]] int ChercheClefPersNo2(int32_t noPers, TEltIndex& trouve) const;
  // The same, from memory alone unless parLignes: the principal element among the person's
  // entries, the first surname's preferred.
  [[nodiscard]] int ChercheClefPersNo(int32_t noPers, TEltIndex& trouve, bool parLignes = false) const;

  // Fills the map person number → position with every element (the map is emptied first).
  void InitClefIndexOfNoPers(TMapNoPers& map) const;
  // Positions of the person's elements found in the map, in increasing order, skipping those that
  // no longer hold an element of that person (the map may be older than the index). Returns the
  // first one, or -1.
  int FindClefIndexOfNoPers(const TMapNoPers& map, int32_t noPers,
                            std::vector<int>* positions = nullptr) const;
  // The working map of this index.
  [[nodiscard]] TMapNoPers& MapNoPers() { return mapNoPers_; }

  // The search key of a typed surname; needs no index.
  [[nodiscard]] static AnsiString FormatIndex(std::string_view texte);
  [[nodiscard]] static UnicodeString FormatIndex(std::u16string_view texte);

  // Asks a running search to stop at its next step.
  void SetAbandon(bool abandon) { abandon_.store(abandon); }
  [[nodiscard]] bool Abandon() const { return abandon_.load(); }

  [[nodiscard]] TGestFichier* GestFichier() const { return gestFichier_; }

 private:
  [[nodiscard]] int32_t Slot(int pos) const { return ordre_[static_cast<size_t>(pos)]; }
  // The slot joins, or leaves, the chain of its entry's person.
  void Lie(int32_t slot);
  void Delie(int32_t slot);
  void RelieTout();
  // A slot holding elt (a freed one when there is one).
  [[nodiscard]] int32_t Place(const TEltIndex& elt);
  void Libere(int32_t slot);
  // Position of the slot in the order, or -1 (a free slot).
  [[nodiscard]] int PositionDuSlot(int32_t slot) const;
  // First position of the order whose entry is not below cle (the order must be sorted).
  [[nodiscard]] TVecteur<int32_t>::const_iterator PremierNonInferieur(const TEltIndex& cle) const;
  // The store rewritten in index order, without free slots.
  void Compacte();

  TVecteur<TEltIndex> stock_;
  TVecteur<int32_t> ordre_;
  TVecteur<int32_t> suivant_;  // next slot of the same person, -1 at the end of its chain
  std::vector<int32_t> tete_;  // first slot of each person number, -1 when none
  std::vector<int32_t> hors_;  // slots of person numbers out of the range of tete_ (damaged files)
  std::vector<int32_t> libres_;
  TGestFichier* gestFichier_;
  std::atomic<bool> abandon_{false};
  TMapNoPers mapNoPers_;
  TTableCodes codesLus_;
  uint64_t derniereLigneLue_ = 0;
};

}  // namespace kyb
