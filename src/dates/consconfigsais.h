#pragma once
// TConsConfigSais: the coherence limits of data entry, in years unless said. The estimation of
// dates and the check of a genealogy read them from the global GConsConfigSais, which points at
// a default-valued object until the host sets another one (null is refused by the estimation).
namespace kyb {

struct TConsConfigSais {
  int AgeMinHomme = 18, AgeMaxHomme = 50;  // age of a man at a child's birth
  int AgeMinFemme = 15, AgeMaxFemme = 50;  // age of a woman at a child's birth
  int JoursGrossesseMin = 210, JoursGrossesseMax = 270;  // length of a pregnancy, in days
  int AgeMinUnion = 17, AgeMaxUnion = 70;
  int EcartMaxConjoints = 20;  // largest age difference between spouses
  int AgeMaxDeces = 100;
  int MoisNaissanceApresDecesPere = 10;  // a child born later than that after its father's death
  int MoisEntreNaissances = 9;           // siblings born closer than that (twins aside)

  // Limits at a child's birth: the man's or the woman's ('?' takes the widest of both). When not
  // brut, min = int(1.7 min - 5) and max = int(1.7 max + 5).
  void GetAgePremierEnfant(int& min, int& max, char sexe, bool brut) const;
  // Raw: AgeMinUnion and AgeMaxUnion. Otherwise, f = 1.5 for a man, 1.4 for a woman (for
  // '?' the lower for the minimum, the higher for the maximum), both
  // bounds from the minimum: int(f min - 5) and int(f min + 5).
  void GetAgeUnion(int& min, int& max, char sexe, bool brut) const;
  // int(AgeMaxDeces / 1.7): 58 by default.
  [[nodiscard]] int AgeDecesMoyen() const;
  // The largest span between siblings: a woman's maximum minus minimum age at a child's birth.
  [[nodiscard]] int EcartMaxFreres(bool brut) const;
};

// The settings in force; points at a default-valued object at start.
extern TConsConfigSais* GConsConfigSais;

}  // namespace kyb
