#pragma once
// The person index file (".prx2") read in place: the entries of a file mapped in memory found by
// position without reading the others, and its table of phonetic codes.
//
// A file written by this version carries, after its entries (see gest_elt_index.h), an appendix
// that readers of the entries alone never reach:
//
// | Size   | Content                                                                    |
// |--------|----------------------------------------------------------------------------|
// | 8 × n  | offset of each entry from the start of the file, uint64 little-endian      |
// | 12 × m | table of phonetic codes (table_codes_index.h): code uint64, position int32 |
// | 8      | offset of the table of offsets, uint64                                      |
// | 4      | n, int32 (the count of the header again)                                   |
// | 4      | m, int32                                                                   |
// | 8      | the last row number of the store's index rows when written (0: unknown)    |
// | 4      | the bytes of "IDX3"                                                         |
//
// A footer of the previous version ends with "IDX2" and has no row number (20 bytes). A file
// without the appendix (written before it existed) has no view: it is read whole as before.
//
// Entries once decoded are kept (up to a bound, then all forgotten at once), so that a search
// repeated reads them from memory; so are the ranges of the surname keys searched. Damage found
// in an entry only when it is read (an offset outside the entries, an entry cut or not UTF-8, a
// person number outside 0..NoPersMax) gives a default entry (person 0) and marks the view
// damaged; nothing reads outside the bytes given. The first positions decoded since the last
// PrendsLues are noted, so that the owner can check a few of them against what the file claims
// to describe.
#include <cstdint>
#include <map>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "names/elt_index.h"
#include "names/table_codes_index.h"
#include "names/vue_elt_index.h"
#include "platform/flux_binaire.h"

namespace kyb {

class TVueFichierIndex {
 public:
  static constexpr size_t kGardeesMax = size_t{1} << 16;

  // The bytes of a whole ".prx2" file (marker included); they must outlive the view. At most
  // gardeesMax entries are kept at once (a power of two).
  explicit TVueFichierIndex(std::string_view octets, size_t gardeesMax = kGardeesMax);

  // The marker, the count and the appendix agree with the size of the file.
  [[nodiscard]] bool Valide() const { return valide_; }
  [[nodiscard]] size_t size() const { return n_; }
  // Offset of the end of the entries (where the appendix begins).
  [[nodiscard]] uint64_t FinEntrees() const { return table_; }
  // The last row number recorded by the writer; 0 when unknown (a footer of the previous version).
  [[nodiscard]] uint64_t DerniereLigne() const { return derniereLigne_; }
  // Entry i in index order; a default entry when i is out of range or the entry is damaged.
  [[nodiscard]] TEltIndex operator[](size_t i) const;
  // The same entry decoded and not kept: for long walks (a mask, the whole list), whose entries
  // would only push out those that searches read again.
  [[nodiscard]] TEltIndex Lit(size_t i) const;
  // What a long walk over surnames reads of an entry, its texts left undecoded: the surname's
  // UTF-8 bytes (a view into the file) and the numbers.
  struct TEntreeNom {
    std::string_view NomUtf8;
    int16_t AnneeMin = 0;
    int32_t NoPers = 0;
    char TypePersonne = 0;
    char Sexe = 0;
    char FicheSupprimee = 0;
  };
  // Entry i read that way; false (and the view marked damaged) when it is damaged.
  [[nodiscard]] bool LitNom(size_t i, TEntreeNom& e) const;
  // A surname's bytes given by LitNom, decoded as an entry holds it (cut to its width); empty
  // (and the view marked damaged) when they are not UTF-8.
  [[nodiscard]] UnicodeString DecodeNom(std::string_view utf8) const;
  // An entry read so far was damaged: the file must not be trusted.
  [[nodiscard]] bool Endommage() const { return endommage_; }
  // The owner found the file wrong: it is damaged from now on.
  void MarqueEndommage() const { endommage_ = true; }
  // Entries naming a person above max are damage.
  void LimiteNoPers(int64_t max) { noPersMax_ = max; }
  // The first positions decoded (at most kLuesNotees) since the last call, in the order decoded.
  static constexpr size_t kLuesNotees = 8;
  [[nodiscard]] std::vector<size_t> PrendsLues() const { return std::exchange(lues_, {}); }

  // The range of entries of the surname key cle, or of the keys beginning with it (PlageNom).
  [[nodiscard]] std::pair<size_t, size_t> Plage(std::u16string_view cle, bool prefixe) const;
  // The range of the surname whose first entry is at debut (PlageDepuis), kept like Plage's.
  [[nodiscard]] std::pair<size_t, size_t> PlageDepuis(size_t debut) const;

  // Positions of the surnames of that code (CodeEntier), in index order.
  [[nodiscard]] std::vector<int32_t> DebutsCode(uint64_t code) const;
  // The whole table of codes; empty (and the view marked damaged) when a position is out of range
  // or the table is not sorted.
  [[nodiscard]] TTableCodes Codes() const;

  // Writes the appendix of the entries just written after the 9 bytes of marker and count.
  static void EcritAnnexe(TSortieBinaire& flux, const TVueEltIndex& elts, const TTableCodes& codes,
                          uint64_t derniereLigne);

 private:
  [[nodiscard]] uint64_t Decalage(size_t i) const;
  [[nodiscard]] std::pair<uint64_t, int32_t> Code(size_t k) const;
  [[nodiscard]] TEltIndex Decode(size_t i) const;
  void NoteLue(size_t i) const;

  std::string_view octets_;
  size_t n_ = 0;
  size_t m_ = 0;
  uint64_t table_ = 0;  // offset of the table of offsets, where the entries end
  uint64_t derniereLigne_ = 0;
  bool valide_ = false;
  mutable bool endommage_ = false;
  int64_t noPersMax_ = INT32_MAX;
  mutable std::vector<size_t> lues_;
  // Entries decoded so far: an open-addressing table of (position + 1, place in gardees_), twice
  // as large as the entries it may hold, allocated at the first entry kept.
  [[nodiscard]] const TEltIndex* Gardee(size_t i) const;
  void Garde(size_t i, const TEltIndex& e) const;
  size_t gardeesMax_;
  mutable std::vector<std::pair<uint32_t, uint32_t>> places_;
  mutable std::vector<TEltIndex> gardees_;
  mutable std::map<std::pair<UnicodeString, bool>, std::pair<size_t, size_t>, std::less<>> plages_;
  mutable std::unordered_map<size_t, std::pair<size_t, size_t>> plagesDepuis_;
};

// Entry k of a long walk over the file read in place (see Lit).
[[nodiscard]] inline TEltIndex EntreeParcourue(const TVueFichierIndex& vue, size_t k) { return vue.Lit(k); }

}  // namespace kyb
