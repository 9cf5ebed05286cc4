#include "dates/consconfigsais.h"

#include <algorithm>

namespace kyb {

namespace {
TConsConfigSais gParDefaut;
}  // namespace

TConsConfigSais* GConsConfigSais = &gParDefaut;

void TConsConfigSais::GetAgePremierEnfant(int& min, int& max, char sexe, bool brut) const {
  if (sexe == 'M') min = AgeMinHomme, max = AgeMaxHomme;
  else if (sexe == 'F') min = AgeMinFemme, max = AgeMaxFemme;
  else min = std::min(AgeMinHomme, AgeMinFemme), max = std::max(AgeMaxHomme, AgeMaxFemme);
  if (brut) return;
  min = static_cast<int>(1.7 * min - 5);
  max = static_cast<int>(1.7 * max + 5);
}

void TConsConfigSais::GetAgeUnion(int& min, int& max, char sexe, bool brut) const {
  if (brut) {
    min = AgeMinUnion, max = AgeMaxUnion;
    return;
  }
  const double fMin = sexe == 'M' ? 1.5 : 1.4, fMax = sexe == 'F' ? 1.4 : 1.5;
  min = static_cast<int>(fMin * AgeMinUnion - 5);
  max = static_cast<int>(fMax * AgeMinUnion + 5);
}

int TConsConfigSais::AgeDecesMoyen() const { return static_cast<int>(AgeMaxDeces / 1.7); }

int TConsConfigSais::EcartMaxFreres(bool brut) const {
  int min = 0, max = 0;
  GetAgePremierEnfant(min, max, 'F', brut);
  return max - min;
}

}  // namespace kyb
