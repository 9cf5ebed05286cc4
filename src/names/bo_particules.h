#pragma once
// Particles of surnames (de, du, la, van…) and the small words of names (dit, veuve…).
//
// Both lists are space-separated texts from the resource table (numbers kResParticules and
// kResPetitsMots), written in the case forms in which surnames are typed (de, De, DE…). They are
// loaded once and kept; every function here is thread-safe.
//
// The particle test is a text search: a word W is a particle when " W" occurs anywhere in the
// list with one space put in front of it. So a word that begins a listed particle counts as one
// (D counts because DE is listed, L because LA is), and the test is case-sensitive.
#include <string_view>

#include "platform/chaines.h"

namespace kyb {

inline constexpr int kResParticules = 4610;
inline constexpr int kResPetitsMots = 4611;

// Characters separating the words of a name when particles are looked for: - . ' ? space & ( ) [ ]
// / ° ; (the degree sign is the Windows-1252 byte 0xB0, U+00B0 in UTF-16).
[[nodiscard]] bool EstDelimiteurParticule(char c) noexcept;
[[nodiscard]] bool EstDelimiteurParticule(char16_t c) noexcept;

// The two lists, as loaded from the resources.
[[nodiscard]] const AnsiString& RetourneToutesParticules();
[[nodiscard]] const AnsiString& RetournePetitsMots();
[[nodiscard]] const UnicodeString& RetourneToutesParticulesU();
[[nodiscard]] const UnicodeString& RetournePetitsMotsU();

// A trailing apostrophe is dropped first ("D'" tests as "D").
[[nodiscard]] bool EstCeUneParticule(std::string_view mot);
[[nodiscard]] bool EstCeUneParticule(std::u16string_view mot);
// True when the word is one of the small words (whole-word, case-insensitive).
[[nodiscard]] bool EstCeUnPetitMot(std::string_view mot);
[[nodiscard]] bool EstCeUnPetitMot(std::u16string_view mot);

// Removes every particle of the text wherever it stands, each with the one delimiter that follows
// it: "PAUL DE LA FORGE" gives "PAUL FORGE", "D'ARTOIS" gives "ARTOIS", "FORGE DE" gives "FORGE "
// (the caller trims). A name never loses all its words: when every word reads as a particle, the
// result is its last word ("Du" stays "Du", "de La" gives "La"), so that it keeps a key.
[[nodiscard]] AnsiString PasseParticule(std::string_view texte);
[[nodiscard]] UnicodeString PasseParticule(std::u16string_view texte);

}  // namespace kyb
