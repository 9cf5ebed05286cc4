#pragma once
// Index keys of one person, from which the person index builds its entries: one surname key per
// ";"-separated element of the surname field, one given-name key per word of the given names, and
// the phonetic code of each key. Thread-safe.
#include <string_view>

#include "platform/chaines.h"

namespace kyb {

// Width of a surname key; the index columns keep 21 characters of each key and 5 of each code.
inline constexpr size_t kLongueurCleNom = 20;

// Surname key of element i (from 1) of the surname field split at ";": particles removed, plain
// upper case, trimmed, cut to 20 characters, then index cleaning. Empty for a missing element.
[[nodiscard]] UnicodeString CleNom(std::u16string_view champNom, int i);
[[nodiscard]] AnsiString CleNom(std::string_view champNom, int i);
// Number of surname elements (0 for an empty field).
[[nodiscard]] int NombreClesNom(std::u16string_view champNom);

// Given-name key j (from 1): the given names in plain upper case, index-cleaned, split at spaces,
// element j trimmed. Empty for a missing element.
[[nodiscard]] UnicodeString ClePrenom(std::u16string_view prenoms, int j);
[[nodiscard]] AnsiString ClePrenom(std::string_view prenoms, int j);
// Number of given-name elements (0 when there is none).
[[nodiscard]] int NombreClesPrenom(std::u16string_view prenoms);

// Phonetic code of a key; when the code is empty but the key is not ("H", or a key beginning with
// a character that yields nothing), the first 4 characters of the upper-cased key instead.
[[nodiscard]] UnicodeString SoundexCle(std::u16string_view cle);
[[nodiscard]] AnsiString SoundexCle(std::string_view cle);

}  // namespace kyb
