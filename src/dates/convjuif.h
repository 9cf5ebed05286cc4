#pragma once
// The Hebrew calendar (arithmetic rules of the fixed calendar, as in Maimonides' code).
//
// Time is counted in parts (halakim): 18 a minute, 1080 an hour, 25920 a day. A year has 13
// months when year mod 19 is 0, 3, 6, 8, 11, 14 or 17, else 12. The molad of Tichri of year 1 is
// Monday 5 h 204 p; each month adds 29 d 12 h 793 p. Rosh Hashana is the day of the molad, moved
// off Sunday, Wednesday and Friday, and moved on by the rules of a molad at or after 18 h, of
// Tuesday 9 h 204 p in a common year and of Monday 15 h 589 p after a leap year. Year lengths are
// 353/354/355 days (383/384/385 with 13 months); Hechvan and Kislev take up the difference.
//
// Months are numbered from Tichri: 1 Tichri, 2 Hechvan, 3 Kislev, 4 Tevet, 5 Chevat, 6 Adar I
// (Adar of a common year), 7 Adar II (13-month years only), 8 Nissan ... 13 Eloul.
// The civil side is the French civil calendar: Julian up to 9 December 1582, Gregorian from
// 20 December 1582. Years 3761 and earlier are refused.
#include <cstdint>
#include <string_view>

#include "platform/chaines.h"

namespace kyb {

[[nodiscard]] bool AnneeHebOk(int annee) noexcept;  // > 3760
[[nodiscard]] bool MoisHebOk(int mois) noexcept;    // 1..13
// At most 30 days in months 1, 2, 3, 5, 6, 8, 10, 12; at most 29 in 4, 7, 9, 11, 13.
[[nodiscard]] bool JourHebOk(int jour, int mois) noexcept;

class ConvJuif {
 public:
  ConvJuif() = default;

  // Civil DD/MM/YYYY -> Hebrew; Hebrew DD/MM/YYYY -> civil. False (results cleared) when the
  // text is not a valid date of its calendar.
  bool convCivil_juif(std::string_view texteCivil);
  bool convJuif_civil(std::string_view texteHebreu);
  // Computes the length of the current Hebrew year; true when the Hebrew date is in Adar II of a
  // 12-month year, which does not exist.
  bool controleJuif();

  [[nodiscard]] int JourCivil() const noexcept { return jourCivil_; }
  [[nodiscard]] int MoisCivil() const noexcept { return moisCivil_; }
  [[nodiscard]] int AnneeCivile() const noexcept { return anneeCivile_; }
  [[nodiscard]] int JourHebreu() const noexcept { return jourHeb_; }
  [[nodiscard]] int MoisHebreu() const noexcept { return moisHeb_; }
  [[nodiscard]] int AnneeHebraique() const noexcept { return anneeHeb_; }
  [[nodiscard]] int NbMois() const noexcept { return nbMois_; }
  [[nodiscard]] int LongueurAnnee() const noexcept { return longueurAnnee_; }
  [[nodiscard]] int Hechvan() const noexcept { return hechvan_; }
  [[nodiscard]] int Kislev() const noexcept { return kislev_; }
  [[nodiscard]] int JourSemaine() const noexcept { return jourSemaineDate_; }  // 1 = Sunday

  // Result texts: the converted date, the kind of Hebrew year, the weekday name.
  void setReponse(const AnsiString& t) { reponse_ = t; }
  [[nodiscard]] const AnsiString& getReponse() const noexcept { return reponse_; }
  void setDistrib(const AnsiString& t) { distrib_ = t; }
  [[nodiscard]] const AnsiString& getDistrib() const noexcept { return distrib_; }
  void setJour(const AnsiString& t) { jour_ = t; }
  [[nodiscard]] const AnsiString& getJour() const noexcept { return jour_; }

  // Julian day number of 1 Tichri of a Hebrew year (year >= 1).
  [[nodiscard]] static std::int64_t JdnRochHachana(int anneeHebraique) noexcept;
  // Julian day number of day `jour` (counted on past the month's end) of a month of a Hebrew
  // year, and the number of days of that month (0 for Adar II of a 12-month year).
  [[nodiscard]] static std::int64_t JdnJourHebreu(int jour, int mois, int anneeHebraique,
                                                  int* joursDuMois = nullptr) noexcept;

 private:
  void bissextile();                         // February and century correction of the civil year
  static int embolismic(int annee) noexcept;  // 12 or 13 months
  void cycleLunaire(int annee) noexcept;     // cycles and years elapsed in the cycle
  std::int64_t moladTichri(int annee) noexcept;  // parts since the epoch
  std::int64_t moladNissan(int annee) noexcept;
  void conversion(std::int64_t parts) noexcept;  // split into parts, minutes, hours, weekday
  void conversionPartielle() noexcept;           // weekday into 1..7
  int rochHachana(int annee) noexcept;           // postponement days of the molad of Tichri
  int reportRochHachana() noexcept;   // moves the weekday off Sunday, Wednesday and Friday
  int partRochHachana(int annee) noexcept;  // rules on the hour and parts of the molad
  void rochHodechNissan(int jsCetteAnnee, int jsAnneeSuivante) noexcept;  // Hechvan, Kislev
  void caractHeb(int annee) noexcept;        // months, Rosh Hashana and lengths of a year
  void caractAnSuivant(int annee) noexcept;  // Rosh Hashana of the following year
  void j_sem(std::int64_t jdn) noexcept;     // Hebrew day, month, weekday of a Julian day
  void correctJulienGreg(std::int64_t jdn) noexcept;  // civil day in French reckoning
  void ecritTextes(bool versHebreu);
  static int LongueurMoisAnnee(int mois, const ConvJuif& c) noexcept;  // after caractHeb
  void efface() noexcept;

  int jourCivil_ = 0, moisCivil_ = 0, anneeCivile_ = 0;
  int fevrier_ = 0, correctionSiecle_ = 0;
  int jourHeb_ = 0, moisHeb_ = 0, anneeHeb_ = 0, nbMois_ = 0;
  int cycles_ = 0, bissEcoulees_ = 0, communesEcoulees_ = 0;
  std::int64_t moladTichri_ = 0, moladNissan_ = 0;
  int parts_ = 0, minutes_ = 0, heures_ = 0, jourSemaine_ = 0;
  std::int64_t semaines_ = 0;
  bool report_ = false;
  int hechvan_ = 29, kislev_ = 30, longueurAnnee_ = 0, jourSemaineDate_ = 0;
  std::int64_t jdnRoch_ = 0, jourRochSuivant_ = 0;
  int jsRochSuivant_ = 0;
  AnsiString reponse_, distrib_, jour_;
};

// Text converters in DD/MM/YYYY forms (ranges YYYY/YYYY through the year converters; empty when
// a bound is open). Gregorian -> Hebrew: unknown month computed with 04, unknown day with 26;
// Hebrew -> Gregorian: unknown month computed with 08 (Nissan), unknown day with 18; both
// written "..". An unknown year, or a date that does not exist, gives the empty text.
[[nodiscard]] AnsiString ConvGregorienHebraique(std::string_view texte);
[[nodiscard]] AnsiString ConvHebraiqueGregorien(std::string_view texte);
[[nodiscard]] AnsiString ConvAnneeGregHebr(std::string_view annee);  // through 26/04
[[nodiscard]] AnsiString ConvAnneeHebrGreg(std::string_view annee);  // through 18/08 (Nissan)

}  // namespace kyb
