// Wildcard masks: one function over both character widths.
#include "names/masque.h"

namespace kyb {

namespace {

template <class C>
bool Correspond(std::basic_string_view<C> masque, std::basic_string_view<C> texte) noexcept {
  constexpr C etoile = static_cast<C>('*');
  const size_t premiere = masque.find(etoile);
  if (premiere == masque.npos) return masque == texte;
  if (texte.substr(0, premiere) != masque.substr(0, premiere)) return false;
  size_t pos = premiere;   // in the text, after what was matched so far
  size_t debut = premiere + 1;  // in the mask, beginning of the next piece
  while (debut <= masque.size()) {
    size_t fin = masque.find(etoile, debut);
    const bool derniere = fin == masque.npos;
    if (derniere) fin = masque.size();
    const auto piece = masque.substr(debut, fin - debut);
    if (derniere) {
      // The last piece, not followed by a star, ends the text.
      return texte.size() >= pos + piece.size() && texte.substr(texte.size() - piece.size()) == piece;
    }
    if (!piece.empty()) {
      const size_t trouve = texte.find(piece, pos);
      if (trouve == texte.npos) return false;
      pos = trouve + piece.size();
    }
    debut = fin + 1;
  }
  return true;  // the mask ended with a star
}

}  // namespace

bool StrCmpMasque(std::string_view masque, std::string_view texte) noexcept { return Correspond(masque, texte); }

bool StrCmpMasque(std::u16string_view masque, std::u16string_view texte) noexcept {
  return Correspond(masque, texte);
}

}  // namespace kyb
