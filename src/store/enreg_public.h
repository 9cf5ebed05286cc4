#pragma once
// The public record of a person: identity, links and the numbers that tie it to the other files.
// The person object keeps one; the store writes it to a row of Personnes (identity, parents, and
// the spouse and child links in the Data blob), the persons file of older folders to a record.
#include <NTL/ZZ.h>

#include <array>
#include <cstdint>

#include "platform/chaines.h"
#include "store/liens.h"

namespace kyb {

inline constexpr int kMaxConjoints = 150;
inline constexpr int kMaxEnfants = 150;
inline constexpr int kMaxLiensChamps = 101;  // element 0 = loaded flag, then 100 numbers
inline constexpr int kLongueurNom = 100;
inline constexpr int kLongueurPrenoms = 70;
inline constexpr int kMaxIndexPers = 10;

struct TEnregPublic {
  std::array<int32_t, kMaxLiensChamps> LiensChpsSimples{};
  std::array<int32_t, kMaxLiensChamps> LiensEvens{};
  std::array<int32_t, kMaxLiensChamps> LiensCitations{};
  char TypePersonne = 'P';    // 'P' person, 'T' witness, ' ' either
  char FicheSupprimee = ' ';  // 'O' deleted, 'N' or ' ' live
  char Sexe = '?';            // 'M', 'F' or '?'
  TLienPers Pere, Mere;
  std::array<TLienConj, kMaxConjoints> Conjoints{};
  std::array<TLienPers, kMaxEnfants> Enfants{};
  UnicodeString Nom;      // at most 100 characters
  UnicodeString Prenoms;  // at most 70 characters
  uint8_t OrdrePU = 0;    // position of the usual first name
  std::array<int32_t, kMaxIndexPers> IndexPers{};
  int32_t Note = 0;
  int32_t NoExtension = 0;
  std::array<int32_t, 2> Autres{};
  UnicodeString Indice;
  UnicodeString CodeGeneration;
  NTL::ZZ Sosa;
  UnicodeString Texte1 = u"!!--!!";
  UnicodeString Texte2;

  // Back to a new empty person.
  void Raz() { *this = TEnregPublic(); }
  [[nodiscard]] int NbConjoints() const {
    int n = 0;
    for (const auto& c : Conjoints) n += c.Lien.No > 0;
    return n;
  }
  [[nodiscard]] int NbEnfants() const {
    int n = 0;
    for (const auto& e : Enfants) n += e.No > 0;
    return n;
  }
};

// The alternative parent pair of a person (row of IDParents).
struct TNoParent {
  int32_t PereA = -1, MereA = -1, PereB = -1, MereB = -1;
  int8_t PerePrinc = 0, MerePrinc = 0;  // 2: pair B is the principal one
  bool operator==(const TNoParent&) const = default;
};

}  // namespace kyb
