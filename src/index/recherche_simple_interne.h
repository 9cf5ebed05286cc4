#pragma once
// Pieces shared by the searches of the person index: searched texts in key form, comparison of a
// key with a searched one, the range of the index a surname covers.
#include <string_view>
#include <utility>
#include <vector>

#include "names/vue_elt_index.h"
#include "platform/chaines.h"
#include "platform/date_heure.h"

namespace kyb {

class TPerson;

// A searched text in key form, "*" kept between pieces: surnames lose their particles; the
// placeholders stay as they are.
[[nodiscard]] UnicodeString CleRecherche(std::u16string_view texte, bool nom);
// The searched surnames (";"-separated) and given names (space-separated), in key form.
[[nodiscard]] std::vector<UnicodeString> ElementsNom(std::u16string_view noms);
[[nodiscard]] std::vector<UnicodeString> ElementsRecherche(std::u16string_view prenoms);
// A key against a searched one: mask, phonetic code, or equality.
[[nodiscard]] bool CorrespondCle(std::u16string_view cherche, std::u16string_view cle, bool phonetique);
// The positions [debut, fin) of the entries whose surname key is cle, or begins with it, in
// entries sorted in index order: the in-memory ones or those of the file read in place.
template <class Vue>
[[nodiscard]] std::pair<size_t, size_t> PlageNom(const Vue& elts, std::u16string_view cle, bool prefixe) {
  const auto premier = [&elts](size_t bas, size_t haut, const auto& avant) {
    while (bas < haut) {
      const size_t milieu = bas + (haut - bas) / 2;
      if (avant(elts[milieu])) bas = milieu + 1;
      else haut = milieu;
    }
    return bas;
  };
  const size_t debut = premier(0, elts.size(), [&](const TEltIndex& e) { return e.Nom() < cle; });
  const size_t fin = premier(debut, elts.size(), [&](const TEltIndex& e) {
    return prefixe ? e.Nom().substr(0, cle.size()) == cle : e.Nom() == cle;
  });
  return {debut, fin};
}
// The key a place is compared under: plain upper case, index cleaning, "*" kept.
[[nodiscard]] UnicodeString CleLieu(std::u16string_view lieu);
// Whether the date-time of the person's field ("dd/mm/yyyy hh:nn:ss") lies within [du, au] (0:
// open); a person without that field passes only open bounds.
[[nodiscard]] bool DateFicheDansBornes(TPerson& personne, std::string_view libelle, TDateTime du, TDateTime au);

}  // namespace kyb
