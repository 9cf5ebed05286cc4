#include "names/bo_particules.h"

#include <algorithm>
#include <unordered_set>

#include "names/bo_chn1_interne.h"
#include "platform/ressources.h"

namespace kyb {

namespace {

// The list as loaded, the list with a space in front (searched by the general test) and, for the
// usual case of a word without space, the set of every beginning of every listed word.
template <typename C>
struct TListeMots {
  std::basic_string<C> brute;
  std::basic_string<C> avecEspace;
  std::unordered_set<std::basic_string<C>> debuts;
  std::unordered_set<std::basic_string<C>> majuscules;

  explicit TListeMots(std::basic_string<C> liste) : brute(std::move(liste)) {
    avecEspace = C(' ') + brute;
    debuts.insert(std::basic_string<C>());
    size_t debut = 0;
    while (debut <= brute.size()) {
      size_t fin = brute.find(C(' '), debut);
      if (fin == brute.npos) fin = brute.size();
      for (size_t n = 1; n <= fin - debut; ++n) debuts.insert(brute.substr(debut, n));
      if (fin > debut) majuscules.insert(EnMajuscules(brute.substr(debut, fin - debut)));
      debut = fin + 1;
    }
  }

  static std::basic_string<C> EnMajuscules(const std::basic_string<C>& s) {
    if constexpr (sizeof(C) == 1)
      return MajusculesAnsi(s);
    else
      return MajusculesUnicode(s);
  }

  [[nodiscard]] bool EstParticule(std::basic_string_view<C> mot) const {
    if (!mot.empty() && mot.back() == C('\'')) mot.remove_suffix(1);
    if (!mot.empty() && mot.front() == C(' '))
      return avecEspace.find(mot) != std::basic_string<C>::npos;
    if (mot.find(C(' ')) != mot.npos)
      return avecEspace.find(C(' ') + std::basic_string<C>(mot)) != std::basic_string<C>::npos;
    return debuts.contains(std::basic_string<C>(mot));
  }
};

const TListeMots<char>& Particules8() {
  static const TListeMots<char> liste(ChargeChaineAnsi(kResParticules));
  return liste;
}
const TListeMots<char16_t>& Particules16() {
  static const TListeMots<char16_t> liste(ChargeChaine(kResParticules));
  return liste;
}
const TListeMots<char>& PetitsMots8() {
  static const TListeMots<char> liste(ChargeChaineAnsi(kResPetitsMots));
  return liste;
}
const TListeMots<char16_t>& PetitsMots16() {
  static const TListeMots<char16_t> liste(ChargeChaine(kResPetitsMots));
  return liste;
}

template <typename C>
bool Delimiteur(C c) noexcept {
  switch (static_cast<std::make_unsigned_t<C>>(c)) {
    case '-': case '.': case '\'': case '?': case ' ': case '&': case '(': case ')':
    case '[': case ']': case '/': case 0xB0: case ';':
      return true;
    default:
      return false;
  }
}

// The last word of the text (empty when it has none): what is left of a surname whose every
// word reads as a particle ("Du", "Do", "de La"), so that it keeps a key.
template <typename C>
std::basic_string<C> DernierMot(std::basic_string_view<C> texte) {
  size_t fin = texte.size();
  while (fin > 0 && Delimiteur(texte[fin - 1])) --fin;
  size_t debut = fin;
  while (debut > 0 && !Delimiteur(texte[debut - 1])) --debut;
  return std::basic_string<C>(texte.substr(debut, fin - debut));
}

// Walks the text with a position i and a word start s. At a delimiter s moves past it; elsewhere
// the word that runs from s to the next delimiter is tested and, when it is a particle, removed
// with the one delimiter that follows it; the word then standing at s is tested at the next
// position, if that position still falls inside it. A word found not to be a particle gives the
// same answer at every position up to the next delimiter, so the walk jumps there.
template <typename C>
std::basic_string<C> Passe(std::basic_string_view<C> texte, const TListeMots<C>& liste) {
  std::basic_string<C> t(texte);
  const auto prochainDelimiteur = [&t](size_t depuis) {
    while (depuis < t.size() && !Delimiteur(t[depuis])) ++depuis;
    return depuis;
  };
  size_t i = 0, s = 0;
  while (i < t.size()) {
    if (Delimiteur(t[i])) {
      s = ++i;
      continue;
    }
    const size_t fin = prochainDelimiteur(s);
    if (liste.EstParticule(std::basic_string_view<C>(t).substr(s, fin - s))) {
      t.erase(s, fin - s + (fin < t.size() ? 1 : 0));
      ++i;
    } else {
      i = fin > i ? fin : prochainDelimiteur(i + 1);
    }
  }
  if (std::all_of(t.begin(), t.end(), [](C c) { return Delimiteur(c); })) {
    std::basic_string<C> dernier = DernierMot(texte);
    if (!dernier.empty()) return dernier;
  }
  return t;
}

}  // namespace

bool EstDelimiteurParticule(char c) noexcept { return Delimiteur(c); }
bool EstDelimiteurParticule(char16_t c) noexcept { return Delimiteur(c); }

const AnsiString& RetourneToutesParticules() { return Particules8().brute; }
const AnsiString& RetournePetitsMots() { return PetitsMots8().brute; }
const UnicodeString& RetourneToutesParticulesU() { return Particules16().brute; }
const UnicodeString& RetournePetitsMotsU() { return PetitsMots16().brute; }

bool EstCeUneParticule(std::string_view mot) { return Particules8().EstParticule(mot); }
bool EstCeUneParticule(std::u16string_view mot) { return Particules16().EstParticule(mot); }

bool EstCeUnPetitMot(std::string_view mot) {
  return !mot.empty() && PetitsMots8().majuscules.contains(MajusculesAnsi(mot));
}
bool EstCeUnPetitMot(std::u16string_view mot) {
  return !mot.empty() && PetitsMots16().majuscules.contains(MajusculesUnicode(mot));
}

AnsiString PasseParticule(std::string_view texte) { return Passe(texte, Particules8()); }
UnicodeString PasseParticule(std::u16string_view texte) { return Passe(texte, Particules16()); }

}  // namespace kyb
