#pragma once
// TEltIndex: one entry of the in-memory person index, the fields of one index row.
//
// The entry is kept compact (136 bytes, no heap) because an index holds several entries for each
// of hundreds of thousands of persons: the four texts are held to the widths of the index
// columns (21, 21, 5 and 5 UTF-16 units) and longer texts are cut to them.
//
// Order (EltCmp): the entries compare as the UTF-16 texts
//   Nom + 6 × U+0001 + Prenom + 5 × U+0001 + AnneeMin + 4 × U+0001 + AnneeMax + Sexe + NoPers
// (numbers in decimal, Sexe as its character, U+0000 when 0), code unit by code unit. So a
// surname that begins another sorts first, entries group by surname then given name, and the
// numbers compare as text: a range starting in 950 sorts after one starting in 1850, person 12
// before person 9.
//
// Layout of one entry in the second person index file (".prx2"), integers little-endian:
//
// | Size | Content                                                             |
// |------|---------------------------------------------------------------------|
// | 4+L  | Nom: int32 byte length L, then L bytes of UTF-8 (empty: L = 0)       |
// | 4+L  | Prenom, the same way                                                 |
// | 4+L  | NomSoundex, the same way                                             |
// | 4+L  | PrenomSoundex, the same way                                          |
// | 2    | AnneeMin                                                             |
// | 2    | AnneeMax                                                             |
// | 4    | NoPers                                                               |
// | 2    | RgNom                                                                |
// | 2    | RgPrenom                                                             |
// | 2    | RgPrenomUsuel                                                        |
// | 1    | TypePersonne                                                         |
// | 1    | Sexe (a space is written as 0)                                       |
// | 1    | FicheSupprimee                                                       |
//
// Note that Sexe comes before FicheSupprimee. A text record longer than 1024 bytes, a negative
// length or bytes that are not UTF-8 are refused as damage.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "names/enreg_index.h"
#include "platform/flux_binaire.h"
#include "platform/chaines.h"

namespace kyb {

class TEltIndex {
 public:
  static constexpr size_t kLargeurNom = 21;
  static constexpr size_t kLargeurPrenom = 21;
  static constexpr size_t kLargeurSoundex = 5;
  static constexpr int32_t kMaxOctetsTexte = 1024;
  // Smallest entry in the file: four empty texts and the 17 bytes of numbers.
  static constexpr int kTailleMinFichier = 4 * 4 + 17;

  TEltIndex() = default;
  // From a row of the store; noTravail becomes the working number (the row identifier when the
  // index is reloaded from its rows).
  TEltIndex(const TEnregIndexPerson& enreg, int32_t noTravail);
  TEltIndex(const TEltIndex&) = default;
  TEltIndex& operator=(const TEltIndex&) = default;
  void Assign(const TEltIndex& autre) { *this = autre; }

  [[nodiscard]] std::u16string_view Nom() const { return Vue(nom_, lg_[0]); }
  [[nodiscard]] std::u16string_view Prenom() const { return Vue(prenom_, lg_[1]); }
  [[nodiscard]] std::u16string_view NomSoundex() const { return Vue(nomSoundex_, lg_[2]); }
  [[nodiscard]] std::u16string_view PrenomSoundex() const { return Vue(prenomSoundex_, lg_[3]); }
  void SetNom(std::u16string_view t) { Copie(nom_, lg_[0], t); }
  void SetPrenom(std::u16string_view t) { Copie(prenom_, lg_[1], t); }
  void SetNomSoundex(std::u16string_view t) { Copie(nomSoundex_, lg_[2], t); }
  void SetPrenomSoundex(std::u16string_view t) { Copie(prenomSoundex_, lg_[3], t); }

  [[nodiscard]] int EltCmp(const TEltIndex& autre) const;
  [[nodiscard]] bool operator<(const TEltIndex& a) const { return EltCmp(a) < 0; }
  [[nodiscard]] bool operator<=(const TEltIndex& a) const { return EltCmp(a) < 1; }
  [[nodiscard]] bool operator==(const TEltIndex& a) const { return EltCmp(a) == 0; }
  [[nodiscard]] bool operator!=(const TEltIndex& a) const { return EltCmp(a) != 0; }

  // The text the order compares (see above); for checks and diagnostics.
  [[nodiscard]] UnicodeString TexteDeTri() const;

  // One entry in the file layout above. Restauration returns false on a cut or damaged entry,
  // the element then holding part of what was read.
  void Sauvegarde(TSortieBinaire& flux) const;
  [[nodiscard]] bool Restauration(TEntreeBinaire& flux);

 private:
  template <size_t N>
  static std::u16string_view Vue(const std::array<char16_t, N>& t, uint8_t lg) {
    return std::u16string_view(t.data(), lg);
  }
  template <size_t N>
  static void Copie(std::array<char16_t, N>& t, uint8_t& lg, std::u16string_view s) {
    lg = static_cast<uint8_t>(std::min(s.size(), N));
    std::copy_n(s.data(), lg, t.data());
  }

  // The members are laid out in the order the comparison reads them, so that most comparisons
  // touch one cache line: the lengths, the surname, the given name, then the numbers.
  std::array<uint8_t, 4> lg_{};
  std::array<char16_t, kLargeurNom> nom_{};
  std::array<char16_t, kLargeurPrenom> prenom_{};

 public:
  int16_t AnneeMin = 0;
  int16_t AnneeMax = 0;
  int32_t NoPers = 0;
  int16_t RgNom = 0;
  int16_t RgPrenom = 0;
  int16_t RgPrenomUsuel = 0;
  char TypePersonne = 0;
  char FicheSupprimee = 0;
  char Sexe = 0;

 private:
  std::array<char16_t, kLargeurSoundex> nomSoundex_{};
  std::array<char16_t, kLargeurSoundex> prenomSoundex_{};

 public:
  // In memory only, never saved: the working number (the row identifier in the store when the
  // index is reloaded from its rows, 0 otherwise) and a number free for the caller.
  int32_t NoTravail = -1;
  int32_t NoUtilisateur = -1;
};

}  // namespace kyb
