#pragma once
// TGestEltIndex: the in-memory person index, a sorted vector of TEltIndex, saved to and restored
// from the folder's second person index file (".prx2"):
//
// | Offset | Size | Content                                                      |
// |--------|------|--------------------------------------------------------------|
// | 0      | 5    | the bytes of "UTF-8" (no terminator)                          |
// | 5      | 4    | element count n, int32 little-endian                          |
// | 9      | ...  | n elements in index order, each laid out as in elt_index.h    |
//
// An index of no element is the 9 bytes of marker and count. Not thread-safe: the index belongs to
// the thread of the user interface; SetAbandon may be called from elsewhere to stop a search.
#include <atomic>
#include <map>
#include <vector>

#include "platform/allocateur_pages.h"
#include "names/elt_index.h"
#include "names/g_tblvar.h"
#include "platform/chaines.h"
#include "platform/interface_utilisateur.h"

namespace kyb {

class TGestFichier;

class TGestEltIndex : public TVectorTV<TEltIndex, TAllocateurGrandesPages<TEltIndex>> {
 public:
  using TMapNoPers = std::multimap<int32_t, int>;

  // tailleInitiale elements reserved; the folder manager is kept, not owned (may be null).
  TGestEltIndex(int tailleInitiale, TGestFichier* gestFichier);

  // With a progress bar, saving and restoring set its maximum to min(count, 1000), move it to
  // i × maximum / count at most once a second (the clock is read every 256 elements, pending
  // window messages are processed then) and to the maximum at the end.
  //
  // Writes the whole file through a synced temporary renamed over it (platform/ecriture_atomique.h);
  // false, with the previous file left whole, when it cannot be written.
  [[nodiscard]] bool Sauvegarde(const AnsiString& nomFichier, TProgression* barre) const;
  // Replaces the content by the file's, appended as it comes (the file is in index order).
  // Raises ErreurKy "Encodage inconnu !" when the file does not begin with "UTF-8", and ErreurKy
  // with a French message when it cannot be read or is cut or damaged; the index is then empty.
  void Restauration(const AnsiString& nomFichier, TProgression* barre);
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
  TGestFichier* gestFichier_;
  std::atomic<bool> abandon_{false};
  TMapNoPers mapNoPers_;
};

}  // namespace kyb
