#include "store/enreg_public_copie.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

namespace kyb {

namespace {

bool Vide(int32_t n) { return n == 0; }
bool Vide(const TLienPers& l) { return l.No == 0 && l.NivNo == 0; }
bool Vide(const TLienConj& c) { return Vide(c.Lien) && c.Compagnon == 0; }

template <class T, size_t N>
uint8_t Utilises(const std::array<T, N>& liste) {
  static_assert(N <= 255);
  size_t n = N;
  while (n > 0 && Vide(liste[n - 1])) --n;
  return static_cast<uint8_t>(n);
}

// An empty slot is all zero bytes (padding included once cleared), so the rest of the list is
// cleared in one block rather than slot by slot.
template <class T, size_t N>
void CopiePrefixe(const std::array<T, N>& source, size_t utilises, std::array<T, N>& dest) {
  static_assert(std::is_trivially_copyable_v<T>);
  const size_t n = std::min(utilises, N);
  std::memcpy(dest.data(), source.data(), n * sizeof(T));
  std::memset(static_cast<void*>(dest.data() + n), 0, (N - n) * sizeof(T));
}

}  // namespace

TLiensUtilises TLiensUtilises::De(const TEnregPublic& p) {
  TLiensUtilises l;
  l.ChpsSimples = Utilises(p.LiensChpsSimples);
  l.Evens = Utilises(p.LiensEvens);
  l.Citations = Utilises(p.LiensCitations);
  l.Conjoints = Utilises(p.Conjoints);
  l.Enfants = Utilises(p.Enfants);
  return l;
}

void PrechargePublic(const TEnregPublic& source) {
  constexpr size_t kLigne = 64;
  const char* debut = reinterpret_cast<const char*>(&source);
  const char* fin = debut + sizeof(TEnregPublic);
  for (const void* zone : {static_cast<const void*>(source.LiensChpsSimples.data()),
                           static_cast<const void*>(source.LiensEvens.data()),
                           static_cast<const void*>(source.LiensCitations.data()),
                           static_cast<const void*>(&source.TypePersonne),
                           static_cast<const void*>(source.Conjoints.data()),
                           static_cast<const void*>(source.Enfants.data())})
    __builtin_prefetch(zone);
  // Names, texts and the numbers after them, to the end of the record.
  for (const char* a = reinterpret_cast<const char*>(&source.Nom); a < fin; a += kLigne) __builtin_prefetch(a);
  __builtin_prefetch(fin - 1);
}

void CopiePublic(const TEnregPublic& source, const TLiensUtilises& liens, TEnregPublic& dest) {
  if (&source == &dest) return;
  PrechargePublic(source);
  CopiePrefixe(source.LiensChpsSimples, liens.ChpsSimples, dest.LiensChpsSimples);
  CopiePrefixe(source.LiensEvens, liens.Evens, dest.LiensEvens);
  CopiePrefixe(source.LiensCitations, liens.Citations, dest.LiensCitations);
  dest.TypePersonne = source.TypePersonne;
  dest.FicheSupprimee = source.FicheSupprimee;
  dest.Sexe = source.Sexe;
  dest.Pere = source.Pere;
  dest.Mere = source.Mere;
  CopiePrefixe(source.Conjoints, liens.Conjoints, dest.Conjoints);
  CopiePrefixe(source.Enfants, liens.Enfants, dest.Enfants);
  dest.Nom = source.Nom;
  dest.Prenoms = source.Prenoms;
  dest.OrdrePU = source.OrdrePU;
  dest.IndexPers = source.IndexPers;
  dest.Note = source.Note;
  dest.NoExtension = source.NoExtension;
  dest.Autres = source.Autres;
  dest.Indice = source.Indice;
  dest.CodeGeneration = source.CodeGeneration;
  dest.Sosa = source.Sosa;
  dest.Texte1 = source.Texte1;
  dest.Texte2 = source.Texte2;
  // A member added to the record must be copied above.
  static_assert(sizeof(TEnregPublic) == 4496, "TEnregPublic changed: update CopiePublic");
}

}  // namespace kyb
