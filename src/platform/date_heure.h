#pragma once
// TDateTime: a double counting days since 30/12/1899 00:00; the fraction is the time of day.
// Before that day the integral part is negative and the fraction still counts forward from
// midnight (-1.25 is 29/12/1899 06:00), the convention of the platform this library comes from.
// The folder identifier takes the 8 bytes of this double, so the representation is fixed.
//
// "Now" comes from the platform clock; tests fix it with HorlogeFixee so that anything reading
// today's date (two-digit years, stamps) is reproducible.
#include <optional>
#include <string>
#include <string_view>

namespace kyb {

using TDateTime = double;

struct TDateDecodee {
  int annee = 0, mois = 0, jour = 0;
  int heure = 0, minute = 0, seconde = 0, milli = 0;
  int jourSemaine = 0;  // 1 = Sunday .. 7 = Saturday
};

// Current local date and time (or the fixed value a test installed).
[[nodiscard]] TDateTime Maintenant();
[[nodiscard]] TDateTime Aujourdhui();  // date part of Maintenant()

// Fixes the clock for the lifetime of the object (tests). Not nestable across threads.
class HorlogeFixee {
 public:
  explicit HorlogeFixee(TDateTime valeur);
  ~HorlogeFixee();
  HorlogeFixee(const HorlogeFixee&) = delete;
  HorlogeFixee& operator=(const HorlogeFixee&) = delete;
};

// Proleptic Gregorian calendar, years 1..9999. False (value untouched) when out of range.
[[nodiscard]] bool EssaieEncodeDate(int annee, int mois, int jour, TDateTime& valeur) noexcept;
[[nodiscard]] bool EssaieEncodeHeure(int heure, int minute, int seconde, int milli,
                                     TDateTime& valeur) noexcept;
// Throwing forms for values known to be valid (ErreurKy "Date incorrecte").
[[nodiscard]] TDateTime EncodeDate(int annee, int mois, int jour);
[[nodiscard]] TDateTime EncodeHeure(int heure, int minute, int seconde, int milli = 0);
// Date and time combined with the sign convention above.
[[nodiscard]] TDateTime CombineDateHeure(TDateTime date, TDateTime heure) noexcept;

[[nodiscard]] TDateDecodee DecodeDateHeure(TDateTime valeur) noexcept;
[[nodiscard]] bool EstBissextile(int annee) noexcept;
[[nodiscard]] int JoursDansMois(int annee, int mois) noexcept;

// Formats with the tokens d dd m mm yy yyyy h hh n nn s ss z zzz; "mm" right after an hour token
// means minutes ("hh:mm:ss"); "text" in quotes and any other character are copied.
[[nodiscard]] std::string FormatDateHeure(std::string_view format, TDateTime valeur);

// Parses a text written in a format of the same tokens (numbers may have fewer digits than the
// token). Nothing when the text does not match or the date does not exist.
[[nodiscard]] std::optional<TDateTime> LitDateHeure(std::string_view texte,
                                                    std::string_view format);

// Unix seconds <-> TDateTime (both UTC-free: local time is applied by the caller's clock).
[[nodiscard]] TDateTime DepuisSecondesUnix(double secondes) noexcept;
[[nodiscard]] double VersSecondesUnix(TDateTime valeur) noexcept;

}  // namespace kyb
