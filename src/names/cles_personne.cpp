#include "names/cles_personne.h"

#include "names/bo_chn1.h"
#include "names/bo_chn1_interne.h"
#include "names/bo_particules.h"
#include "names/bo_soundex.h"

namespace kyb {

namespace {

template <typename C>
std::basic_string<C> CleNomT(std::basic_string_view<C> champ, int i) {
  const std::basic_string<C> elt = EltNo(i, champ, C(';'));
  const std::basic_string<C> maj = UpperANSIChaineAS(PasseParticule(elt), 2);
  const std::basic_string_view<C> rognee = noms_interne::Rogne(std::basic_string_view<C>(maj));
  return TransformeEnCaractereIndex(rognee.substr(0, kLongueurCleNom));
}

template <typename C>
std::basic_string<C> PrenomsIndex(std::basic_string_view<C> prenoms) {
  return TransformeEnCaractereIndex(UpperANSIChaineAS(prenoms, 2));
}

template <typename C>
std::basic_string<C> ClePrenomT(std::basic_string_view<C> prenoms, int j) {
  const std::basic_string<C> elt = EltNo(j, PrenomsIndex(prenoms), C(' '));
  return std::basic_string<C>(noms_interne::Rogne(std::basic_string_view<C>(elt)));
}

template <typename C>
std::basic_string<C> SoundexCleT(std::basic_string_view<C> cle) {
  std::basic_string<C> code = strSoundex(cle);
  if (code.empty() && !cle.empty()) code = UpperANSIChaineAS(cle.substr(0, 4), 2);
  return code;
}

}  // namespace

UnicodeString CleNom(std::u16string_view champNom, int i) { return CleNomT(champNom, i); }
AnsiString CleNom(std::string_view champNom, int i) { return CleNomT(champNom, i); }
int NombreClesNom(std::u16string_view champNom) { return NombreElts(champNom, u';'); }

UnicodeString ClePrenom(std::u16string_view prenoms, int j) { return ClePrenomT(prenoms, j); }
AnsiString ClePrenom(std::string_view prenoms, int j) { return ClePrenomT(prenoms, j); }
int NombreClesPrenom(std::u16string_view prenoms) {
  return NombreElts(PrenomsIndex(prenoms), u' ');
}

UnicodeString SoundexCle(std::u16string_view cle) { return SoundexCleT(cle); }
AnsiString SoundexCle(std::string_view cle) { return SoundexCleT(cle); }

}  // namespace kyb
