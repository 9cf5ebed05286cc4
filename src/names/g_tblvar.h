#pragma once
// Sorted element containers.
//
// TTableTV keeps variable-size elements serialised one after the other in a single growing byte
// buffer, reached through a table of 32-bit offsets (one per element, in table order). Sorting,
// insertion and removal move only offsets; the bytes of removed or replaced elements stay in the
// buffer until ReorganiseTableChn rewrites the live ones. Element classes derive from TEltBaseTV.
//
// TVectorTV<T> is a vector of whole element objects with the same operation names.
//
// Both find elements by binary search over the order of the elements' EltCmp. Neither is
// thread-safe. Allocation failures raise ErreurKy with a text naming the step ("Erreur allocation
// mémoire ATC"…), the table keeping its previous areas; reading at an index at or beyond the
// offset capacity raises "Indice alloc erreur : <index> <capacity>".
#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/flux_objets.h"
#include "platform/interface_utilisateur.h"

namespace kyb {

// Approximate binary search over n sorted elements, shared by the tables and the vectors:
// compare(i) is the key compared with element i (<0, 0, >0). pos becomes the equal element, or
// the place where the key would go (at most limite); egal and avant tell how the key stands
// against element pos. Nothing changes when n is 0.
template <typename Compare>
void RechercheApprochee(int n, int limite, Compare compare, int& pos, bool& egal, bool& avant) {
  if (n == 0) return;
  if (limite < 0 || limite >= n) limite = n - 1;
  pos = 0;
  int lo = 0, hi = limite;
  while (hi - lo >= 2 && pos == 0) {
    const int mid = (lo + hi) / 2;
    const int c = compare(mid);
    if (c == 0)
      pos = mid;
    else if (c > 0)
      lo = mid;
    else
      hi = mid;
  }
  if (pos == 0) {
    if (compare(lo) < 1)
      pos = lo;
    else if (hi != lo && compare(hi) < 1)
      pos = hi;
    else
      pos = std::min(hi + 1, limite);
  }
  const int c = compare(pos);
  avant = c < 1;
  egal = c == 0;
}

// A Sosa number as the tables store it: 36 raw bytes.
using TBlocZZ = std::array<uint8_t, 36>;

class TEltBaseTV {
 public:
  virtual ~TEltBaseTV() = default;

  // Serialises the element at dest; returns the position just after the last byte written.
  virtual char* Ecrit(char* dest) const = 0;
  // Deserialises from buffer + offset; returns the number of bytes read.
  virtual int Lit(const char* buffer, int offset) = 0;
  // Size of the serialised element, and an upper bound of it used before writing.
  [[nodiscard]] virtual int GetTaille() const = 0;
  [[nodiscard]] virtual int GetTailleMax() const = 0;
  // Three-way comparison with an element of the same class.
  [[nodiscard]] virtual int EltCmp(const TEltBaseTV& autre) const = 0;

  [[nodiscard]] bool operator<(const TEltBaseTV& a) const { return EltCmp(a) < 0; }
  [[nodiscard]] bool operator<=(const TEltBaseTV& a) const { return EltCmp(a) < 1; }
  [[nodiscard]] bool operator==(const TEltBaseTV& a) const { return EltCmp(a) == 0; }
  [[nodiscard]] bool operator!=(const TEltBaseTV& a) const { return EltCmp(a) != 0; }

  // Offset of the bytes this element was last read from or written to.
  [[nodiscard]] int32_t Offset() const { return offset_; }

 protected:
  TEltBaseTV() = default;
  TEltBaseTV(const TEltBaseTV&) = default;
  TEltBaseTV& operator=(const TEltBaseTV&) = default;

  // Writers: each advances p.
  static void EcritCar(char*& p, char c) { *p++ = c; }
  static void EcritMemoire(char*& p, const void* source, size_t n);
  static void EcritChn(char*& p, const char* texte);  // with its zero byte; null as empty
  static void EcritZZ(char*& p, const TBlocZZ& zz) { EcritMemoire(p, zz.data(), zz.size()); }
  // Readers: each advances p, never past the end of the bytes the table holds (what lies beyond
  // reads as zero bytes).
  void LitCar(const char*& p, char& c) const;
  void LitMemoire(const char*& p, void* dest, size_t n) const;
  // A text up to its zero byte, which is consumed; only the first n characters are kept.
  void LitChn(const char*& p, std::string& texte, size_t n) const;
  void LitZZ(const char*& p, TBlocZZ& zz) const { LitMemoire(p, zz.data(), zz.size()); }

 private:
  friend class TTableTV;
  int32_t offset_ = 0;
  bool borne_ = false;            // reads stop at limite_, the end of the table's bytes
  const char* limite_ = nullptr;
};

// Told before offsets are shifted. Insertion: (ctx, k - 1, pos - 1, false) before the offsets
// pos..k-1 move up by one to let the element appended at k stand at pos. Reclassification:
// (ctx, from, to, true) before the element at from moves to to.
using TNotifieDeplacement = void (*)(void* ctx, int de, int vers, bool drapeau);

class TTableTV {
 public:
  // An offset table of nbInitial slots and a buffer of nbInitial × tailleMoyenne bytes, both
  // zero-filled; pas is the least number of offset slots added at each growth.
  TTableTV(int nbInitial, int pas, int tailleMoyenne);
  TTableTV(const TTableTV&) = default;
  TTableTV& operator=(const TTableTV&) = default;

  void Raz();  // count and bytes used to 0, areas kept

  int Ajoute(TEltBaseTV& elt);  // returns the new element's index
  // Appends then moves to pos (0 ≤ pos ≤ count before the call); returns pos, or 0 when pos is out
  // of range (the element then stays at the end).
  int Insere(int pos, TEltBaseTV& elt, TNotifieDeplacement notifie = nullptr, void* ctx = nullptr);
  // Ordered insertion; equal elements are kept, the new one before them. Returns its index.
  int AjouteClasse(TEltBaseTV& elt, TEltBaseTV& tmp, TNotifieDeplacement notifie = nullptr,
                   void* ctx = nullptr);
  // Replaces element pos by elt and moves it to its ordered place; returns that place.
  int ChangeClasse(int pos, TEltBaseTV& elt, TEltBaseTV& tmp,
                   TNotifieDeplacement notifie = nullptr, void* ctx = nullptr);
  // Replaces element pos in place: over its old bytes when not larger, else at the buffer's end.
  void Change(int pos, TEltBaseTV& elt, TEltBaseTV& tmp);
  void Lit(int pos, TEltBaseTV& elt) const;
  void Supprime(int pos, TEltBaseTV& elt);  // elt serves as scratch
  void Echange(int a, int b);
  void ChangePtr(int pos, const TEltBaseTV& elt);  // slot pos to the bytes elt last used
  // Rewrites every element, in table order, into a fresh buffer.
  void ReorganiseTableChn(TEltBaseTV& tmp);

  // Position of an element equal to cle from debut on, or -1; with approche, the nearest one.
  [[nodiscard]] int RechercheDicoth(const TEltBaseTV& cle, TEltBaseTV& tmp, int debut,
                                    bool approche) const;
  // Insertion position of cle over elements 0..limite (-1: the last); egal and avant compare cle
  // with the element found. Nothing is done on an empty table.
  void RechercheDichotomiqueApprochee(int limite, int& pos, bool& egal, TEltBaseTV& tmp,
                                      const TEltBaseTV& cle, bool& avant) const;
  // Shell sort of the whole table (gaps 1, 4, 13, 40…), progress 0 to 100 after each pass.
  void Classement(TEltBaseTV& tmp1, TEltBaseTV& tmp2, TProgression* barre = nullptr);
  void TriShell(int debut, int fin, TProgression* barre, TEltBaseTV& tmp1, TEltBaseTV& tmp2);

  [[nodiscard]] int GetNbElt() const { return nb_; }
  [[nodiscard]] int CapaciteIndex() const { return static_cast<int>(offsets_.size()); }
  [[nodiscard]] int CapaciteTampon() const { return static_cast<int>(tampon_.size()); }
  [[nodiscard]] int OctetsUtilises() const { return utilises_; }

  // Object-stream layout, every field an int32: count, offset capacity, initial count, bytes
  // used, buffer capacity, mean element size; then count offsets (int32 each) and the used bytes
  // raw, both in pieces of at most 32768 bytes.
  void Sauvegarde(TFluxSortie& flux) const;
  // False when the stream is cut or inconsistent (counts, an offset past the bytes used, a mean
  // size above 1024); the table is then unchanged. Capacities are restored as saved, but never
  // more than twice what the data needs plus 1024, so that no later growth is sized by the
  // stream alone.
  [[nodiscard]] bool Restauration(TFluxEntree& flux);

 private:
  void AgranditIndex();
  void AgranditTampon(int tailleMax);
  int EcritALaFin(const TEltBaseTV& elt);  // returns the offset written at
  void LitOffset(int32_t offset, TEltBaseTV& elt) const;
  void Deplace(int de, int vers);  // moves one offset, shifting those between

  int32_t nbInitial_;
  int32_t pas_;
  int32_t nb_ = 0;
  int32_t utilises_ = 0;
  int32_t tailleMoyenne_;
  std::vector<int32_t> offsets_;
  std::vector<char> tampon_;
};

// A vector of elements with the operation names of TTableTV. T provides EltCmp and the four
// comparison operators. The tmp arguments of the table form are accepted and unused.
template <typename T, typename Allocateur = std::allocator<T>>
class TVectorTV {
 public:
  explicit TVectorTV(size_t reserve = 0) { elts_.reserve(reserve); }

  int Ajoute(const T& elt) {
    elts_.push_back(elt);
    return GetNbElt();
  }
  // Inserts before pos (clamped to 0..count).
  void Insere(int pos, const T& elt, T& /*tmp*/) {
    pos = std::clamp(pos, 0, GetNbElt());
    elts_.insert(elts_.begin() + pos, elt);
  }
  // Ordered insertion without duplicates: an element equal to one already there is not added
  // (ajoute false) and that one's position is returned; otherwise the new element's position.
  int AjouteClasse(const T& elt, T& tmp, bool forceFin, bool& ajoute) {
    ajoute = true;
    if (forceFin || elts_.empty()) {
      elts_.push_back(elt);
      return GetNbElt() - 1;
    }
    int pos = 0;
    bool egal = false, avant = false;
    RechercheDichotomiqueApprochee(-1, pos, egal, tmp, elt, avant);
    if (egal) {
      ajoute = false;
      return pos;
    }
    if (!avant) {
      elts_.push_back(elt);
      return GetNbElt() - 1;
    }
    elts_.insert(elts_.begin() + pos, elt);
    return pos;
  }

  [[nodiscard]] int RechercheDicoth(const T& cle, T& /*tmp*/, int debut, bool approche) const {
    const int n = GetNbElt();
    debut = std::max(debut, 0);
    if (n == 0 || debut >= n) return -1;
    int lo = debut, hi = n - 1;
    while (hi - lo > 1) {
      const int mid = (lo + hi) / 2;
      // Both possible next middles are fetched while this one is compared: a large vector
      // misses the cache at nearly every step (fetching two steps ahead measured no better).
      const char* bas = reinterpret_cast<const char*>(&elts_[(lo + mid) / 2]);
      const char* haut = reinterpret_cast<const char*>(&elts_[(mid + hi) / 2]);
      __builtin_prefetch(bas);
      __builtin_prefetch(bas + 64);  // the first names usually lie on the element's next line
      __builtin_prefetch(haut);
      __builtin_prefetch(haut + 64);
      if (cle.EltCmp(elts_[mid]) > 0)
        lo = mid;
      else
        hi = mid;
    }
    if (elts_[lo] == cle) return lo;
    if (elts_[hi] == cle) return hi;
    if (!approche) return -1;
    return cle <= elts_[lo] ? lo : hi;
  }

  void RechercheDichotomiqueApprochee(int limite, int& pos, bool& egal, T& /*tmp*/, const T& cle,
                                      bool& avant) const {
    RechercheApprochee(GetNbElt(), limite, [&](int i) { return cle.EltCmp(elts_[i]); }, pos, egal,
                       avant);
  }

  // Copies element pos into elt; nothing when pos is out of range.
  void Lit(int pos, T& elt) const {
    if (pos >= 0 && pos < GetNbElt()) elt = elts_[pos];
  }
  // The element itself; out of range, a default element.
  [[nodiscard]] const T& Lit(int pos) const {
    static const T vide{};
    return (pos >= 0 && pos < GetNbElt()) ? elts_[pos] : vide;
  }
  // Removes element pos, copied into elt first.
  void Supprime(int pos, T& elt) {
    if (pos < 0 || pos >= GetNbElt()) return;
    elt = elts_[pos];
    elts_.erase(elts_.begin() + pos);
  }
  void Change(int pos, const T& elt, T& /*tmp*/) {
    if (pos >= 0 && pos < GetNbElt()) elts_[pos] = elt;
  }
  // Sorts by operator< (equal elements in no particular order).
  void Classement(T& /*tmp1*/, T& /*tmp2*/) {
    std::sort(elts_.begin(), elts_.end(), [](const T& a, const T& b) { return a < b; });
  }

  [[nodiscard]] int GetNbElt() const { return static_cast<int>(elts_.size()); }
  void Raz() { elts_.clear(); }
  void Reserve(size_t n) { elts_.reserve(n); }
  [[nodiscard]] size_t Capacite() const { return elts_.capacity(); }
  [[nodiscard]] const std::vector<T, Allocateur>& Elements() const { return elts_; }

 protected:
  std::vector<T, Allocateur> elts_;
};

}  // namespace kyb
