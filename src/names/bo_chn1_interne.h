#pragma once
// Private helpers shared by the name units: character-width-independent trimming and searching.
#include <string>
#include <string_view>

namespace kyb::noms_interne {

// A blank is a space or a control character, whatever the signedness of the character type
// (Windows-1252 bytes from 0x80 up are letters, never blanks).
template <typename C>
[[nodiscard]] constexpr bool EstBlanc(C c) noexcept {
  using U = std::make_unsigned_t<C>;
  return static_cast<U>(c) <= 0x20;
}

template <typename C>
[[nodiscard]] std::basic_string_view<C> Rogne(std::basic_string_view<C> t) noexcept {
  size_t debut = 0, fin = t.size();
  while (debut < fin && EstBlanc(t[debut])) ++debut;
  while (fin > debut && EstBlanc(t[fin - 1])) --fin;
  return t.substr(debut, fin - debut);
}

template <typename C>
[[nodiscard]] constexpr bool Contient(std::basic_string_view<C> ensemble, C c) noexcept {
  return ensemble.find(c) != std::basic_string_view<C>::npos;
}

// Widens an ASCII literal to any character type.
template <typename C>
[[nodiscard]] std::basic_string<C> Ascii(std::string_view s) {
  return std::basic_string<C>(s.begin(), s.end());
}

}  // namespace kyb::noms_interne
