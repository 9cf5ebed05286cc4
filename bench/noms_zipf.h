#pragma once
// The generated genealogies of the index and search benchmarks: their size, and surnames drawn
// with a Zipf law over common French surnames and the ones derived from them.
#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <random>
#include <vector>

#include "platform/chaines.h"

namespace kyb::bench {

inline long NbPersonnes() {
  const char* v = std::getenv("KYB_BENCH_PERSONNES");
  return v ? std::max(1000L, std::atol(v)) : 1'000'000L;
}

inline const char16_t* const kNoms[] = {
    u"Martin", u"Bernard", u"Thomas", u"Petit", u"Robert", u"Richard", u"Durand", u"Dubois", u"Moreau",
    u"Laurent", u"Simon", u"Michel", u"Lefèvre", u"Leroy", u"Roux", u"David", u"Bertrand", u"Morel",
    u"Fournier", u"Girard", u"Bonnet", u"Dupont", u"Lambert", u"Fontaine", u"Rousseau", u"Vincent",
    u"Muller", u"Lefebvre", u"Faure", u"André", u"Mercier", u"Blanc", u"Guérin", u"Boyer", u"Garnier",
    u"Chevalier", u"François", u"Legrand", u"Gauthier", u"Garcia", u"Perrin", u"Robin", u"Clément",
    u"Morin", u"Nicolas", u"Henry", u"Roussel", u"Mathieu", u"Gautier", u"Masson", u"Marchand", u"Duval",
    u"Denis", u"Dumont", u"Marie", u"Lemaire", u"Noël", u"Meyer", u"Dufour", u"Meunier", u"Brun",
    u"Blanchard", u"Giraud", u"Joly", u"Rivière", u"Lucas", u"Brunet", u"Gaillard", u"Barbier", u"Arnaud",
    u"Martinez", u"Gérard", u"Roche", u"Renard", u"Schmitt", u"Roy", u"Leroux", u"Colin", u"Vidal",
    u"Caron", u"Picard", u"Roger", u"Fabre", u"Aubert", u"Lemoine", u"Renaud", u"Dumas", u"Lacroix",
    u"Olivier", u"Philippe", u"Bourgeois", u"Pierre", u"Benoît", u"Rey", u"Leclerc", u"Payet", u"Rolland",
    u"Leclercq", u"Guillaume", u"Lecomte", u"Lopez", u"Jean", u"Dupuy", u"Guillot", u"Hubert", u"Berger",
    u"Carpentier", u"Sanchez", u"Dupuis", u"Moulin", u"Louis", u"Deschamps", u"Huet", u"Vasseur", u"Perez",
    u"Boucher", u"Fleury", u"Royer", u"Klein", u"Jacquet",
};
inline const char16_t* const kSuffixes[] = {u"eau", u"et", u"in", u"on", u"aud", u"ier", u"ot", u"y", u"ard", u"ez"};
inline const char16_t* const kPrenoms[] = {
    u"Jean", u"Marie", u"Pierre", u"Louis", u"Joseph", u"Anne", u"François", u"Jeanne", u"Jacques",
    u"Catherine", u"Marguerite", u"Antoine", u"Françoise", u"Nicolas", u"Michel", u"Étienne", u"Claude",
    u"Charles", u"Madeleine", u"Louise", u"Baptiste", u"Paul", u"Henri", u"Élisabeth", u"Victor", u"Julie",
    u"Auguste", u"Rose", u"Émile", u"Joséphine", u"Eugène", u"Célestine", u"Alexandre", u"Victoire",
    u"Guillaume", u"Thérèse", u"André", u"Agathe", u"Philippe", u"Claudine",
};

inline UnicodeString Nom(size_t rang) {
  const size_t base = std::size(kNoms);
  if (rang < base) return kNoms[rang];
  // The tail: derived surnames, each root with each suffix, then with two suffixes.
  rang -= base;
  UnicodeString n = kNoms[rang % base];
  n += kSuffixes[(rang / base) % std::size(kSuffixes)];
  if (rang / base >= std::size(kSuffixes)) n += kSuffixes[(rang / base / std::size(kSuffixes)) % std::size(kSuffixes)];
  return n;
}

// Ranks drawn with probability proportional to 1 / (rank + 1).
class TZipf {
 public:
  explicit TZipf(size_t n) : cumul_(n) {
    double s = 0;
    for (size_t i = 0; i < n; ++i) cumul_[i] = s += 1.0 / static_cast<double>(i + 1);
  }
  size_t operator()(std::mt19937& g) const {
    const double u = std::uniform_real_distribution<double>(0, cumul_.back())(g);
    return static_cast<size_t>(std::lower_bound(cumul_.begin(), cumul_.end(), u) - cumul_.begin());
  }

 private:
  std::vector<double> cumul_;
};

}  // namespace kyb::bench
