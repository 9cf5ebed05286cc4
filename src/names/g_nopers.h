#pragma once
// Person-number tables: text identifiers to person numbers (TGestNoPers), the pairs (person,
// Sosa number) of an ancestor numbering (TGestNoPersSosa), and fixed arrays of person numbers in
// which 0 marks a free slot.
//
// TEltNoPers serialised in a TTableTV: 4 bytes of person number (little-endian int32), then the
// key and its zero byte. Keys keep at most 254 characters. Keys are ordered as if right-aligned in
// a field of 254 characters padded with spaces on the left, compared as unsigned bytes: a shorter
// key of ordinary characters sorts first, and decimal numbers sort in numeric order.
//
// Sosa numbers: the reserved maximum (SetSosaMax / IsSosaMax) is 2^210, the first value beyond
// the largest storable number 2^210 - 1, so that no real Sosa number can equal it.
//
// Errors: the cursors of TGestNoPersSosa raise ErreurKy when read at their end; the array
// functions find nothing and change nothing on a size below 1. Not thread-safe.
#include <NTL/ZZ.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "names/g_tblvar.h"

namespace kyb {

// --- the Sosa sentinel ---
inline constexpr long kSosaBitsMax = 210;  // storable numbers: 0 .. 2^210 - 1
void SetSosaMax(NTL::ZZ& sosa);
[[nodiscard]] bool IsSosaMax(const NTL::ZZ& sosa);
// 2^210 - 1, the largest storable Sosa number.
[[nodiscard]] const NTL::ZZ& SosaPlusGrandStockable();

// --- text identifiers to person numbers ---
class TEltNoPers : public TEltBaseTV {
 public:
  static constexpr size_t kLongueurCle = 254;

  TEltNoPers() = default;
  TEltNoPers(std::string cle, int32_t noPers);
  TEltNoPers(const TEltNoPers&) = default;
  TEltNoPers& operator=(const TEltNoPers&) = default;

  char* Ecrit(char* dest) const override;
  int Lit(const char* buffer, int offset) override;
  [[nodiscard]] int GetTaille() const override { return static_cast<int>(Cle.size()) + 5; }
  [[nodiscard]] int GetTailleMax() const override { return static_cast<int>(kLongueurCle) + 5; }
  [[nodiscard]] int EltCmp(const TEltBaseTV& autre) const override;

  int32_t NoPers = 0;
  std::string Cle;
};

class TGestNoPers : public TTableTV {
 public:
  explicit TGestNoPers(int nbInitial);

  // The person number of the key, 0 when absent; with zeroNul the key "0" gives 0 at once.
  [[nodiscard]] long ChercheNoPers(const std::string& cle, bool zeroNul) const;
  // Inserts the key in order with number = count + 1; returns that number.
  long CreerNoPers(const std::string& cle);
  // Inserts the key in order with the given number; returns it.
  long CreerNoPers(const std::string& cle, long numero);
  // Removes the key (same "0" rule as ChercheNoPers); false when absent.
  bool SupprimeNoPers(const std::string& cle, bool zeroNul);
  // Finds the key, at signs removed, or creates it. An empty key, the key "0" or toujoursNouveau
  // create a person under the generated key "~#<counter>#".
  long ChercheNoPersEtCreer(const std::string& cle, bool zeroNul, bool toujoursNouveau);
  [[nodiscard]] long CompteurCles() const { return compteur_; }

 private:
  [[nodiscard]] int Position(const std::string& cle) const;
  long compteur_ = 0;
};

// --- pairs (person number, Sosa number) of a numbering ---
struct TEltNoPersSosa {
  int32_t NoPers = 0;
  NTL::ZZ Sosa;
  // Ordered by person number alone.
  [[nodiscard]] bool operator<(const TEltNoPersSosa& b) const { return NoPers < b.NoPers; }
};

class TGestNoPersSosa {
 public:
  TGestNoPersSosa() = default;
  TGestNoPersSosa(const TGestNoPersSosa& autre);
  TGestNoPersSosa& operator=(const TGestNoPersSosa& autre);

  // Records a pair; a person may carry several Sosa numbers, a Sosa number one person (the last
  // recorded for it).
  void CreerNoPers(const NTL::ZZ& sosa, long numero);
  // The first Sosa number of the person into sosa (untouched when absent); with placeCurseur the
  // M cursor stands on the person's first pair. False when the person is absent.
  bool ChercheNoPers(long numero, NTL::ZZ& sosa, bool placeCurseur);
  [[nodiscard]] long CherchePersNoParSosa(const NTL::ZZ& sosa) const;
  // The person whose Sosa number is twice (father) or twice plus one (mother) the person's first
  // number; 0 when unknown.
  [[nodiscard]] long CherchePere(long numero) const;
  [[nodiscard]] long ChercheMere(long numero) const;
  // The pair at an index of the creation order; false out of range.
  bool Lit(int index, TEltNoPersSosa& elt) const;
  [[nodiscard]] int GetNbElt() const { return static_cast<int>(paires_.size()); }
  // Every Sosa number of a person, ascending.
  [[nodiscard]] std::vector<NTL::ZZ> SosasDe(long numero) const;

  void RazPosCourante();
  // V cursor: the creation order. Reading at the end raises "GestNoPersSosa : C - lecture en
  // dehors !".
  void LitPosCouranteVLZ(TEltNoPersSosa& elt) const;
  void NextVLZ();
  [[nodiscard]] bool LastVLZ() const { return curseurV_ >= paires_.size(); }
  // M cursor: person-number order. Reading at the end raises "GestNoPersSosa : B - lecture en
  // dehors !".
  void LitPosCouranteMLZ(TEltNoPersSosa& elt) const;
  void NextMLZ();
  [[nodiscard]] bool LastMLZ() const { return curseurM_ == parPersonne_.end(); }
  void Raz();

 private:
  [[nodiscard]] long Parent(long numero, bool mere) const;

  std::vector<TEltNoPersSosa> paires_;
  std::multimap<long, NTL::ZZ> parPersonne_;
  std::map<NTL::ZZ, long> parSosa_;
  size_t curseurV_ = 0;
  std::multimap<long, NTL::ZZ>::const_iterator curseurM_ = parPersonne_.end();
};

// --- fixed arrays of person numbers (0 = free slot) ---
void InitNoTableLong(int32_t* table, int n, int32_t valeur);
void InitNoTableInt(int* table, int n, int valeur);
[[nodiscard]] bool ExisteNoTableLong(const int32_t* table, int n, int32_t valeur);
// The value goes to the first free slot unless it stands before that slot; false when full.
bool AjouteNoTableLong(int32_t* table, int n, int32_t valeur);
// Only when the last slot is free: slots pos..n-2 move up by one and the value takes pos.
bool InsereNoTableLong(int32_t* table, int n, int32_t valeur, int pos);
// Clears the last slot holding the value; false when none does.
bool MetAZeroNoTableLong(int32_t* table, int n, int32_t valeur);
[[nodiscard]] int32_t PremierNonNulTableLong(int32_t* table, int n, bool efface);
[[nodiscard]] int32_t PremierNonNulVecLong(std::vector<int32_t>& table, bool efface);
[[nodiscard]] int CompteNoTableLong(const int32_t* table, int n);
// Non-zero values to the front in their order, the rest cleared; true when any value was found.
bool RecompactTableLong(int32_t* table, int n);
// Moves the value to slot pos - 1 by swaps with its neighbours; nothing when pos >= n.
void DeplaceNoVersPosTableLong(int32_t* table, int n, int32_t valeur, int pos);

}  // namespace kyb
