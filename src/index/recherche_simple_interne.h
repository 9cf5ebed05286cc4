#pragma once
// Pieces shared by the searches of the person index: searched texts in key form, comparison of a
// key with a searched one, the range of the index a surname covers.
#include <string_view>
#include <utility>
#include <vector>

#include "names/plage_nom.h"
#include "names/vue_fichier_index.h"
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
// PlageNom over the in-memory entries, or over the file read in place, which keeps the ranges.
[[nodiscard]] inline std::pair<size_t, size_t> Plage(const TVueEltIndex& elts, std::u16string_view cle, bool prefixe) {
  return PlageNom(elts, cle, prefixe);
}
[[nodiscard]] inline std::pair<size_t, size_t> Plage(const TVueFichierIndex& vue, std::u16string_view cle, bool prefixe) {
  return vue.Plage(cle, prefixe);
}
// The range of a surname from its first entry (the table of phonetic codes gives it).
[[nodiscard]] inline std::pair<size_t, size_t> PlageDuDebut(const TVueEltIndex& elts, size_t debut) {
  return PlageDepuis(elts, debut, [&elts](std::u16string_view nom) { return PlageNom(elts, nom, false); });
}
[[nodiscard]] inline std::pair<size_t, size_t> PlageDuDebut(const TVueFichierIndex& vue, size_t debut) {
  return vue.PlageDepuis(debut);
}
// The key a place is compared under: plain upper case, index cleaning, "*" kept.
[[nodiscard]] UnicodeString CleLieu(std::u16string_view lieu);
// Whether the date-time of the person's field ("dd/mm/yyyy hh:nn:ss") lies within [du, au] (0:
// open); a person without that field passes only open bounds.
[[nodiscard]] bool DateFicheDansBornes(TPerson& personne, std::string_view libelle, TDateTime du, TDateTime au);

}  // namespace kyb
