#pragma once
// TDateKY: the genealogical date value. Three fixed fields, copied by value:
//
//   qualifier  3 bytes   at most 2 characters + NUL: "", " ", "<", ">", "~", "CA"/"ca", "?"
//   calendar   1 byte    'G' Gregorian (NUL, ' ', 'F' read as such), 'R' Republican,
//                        'H' Hebrew, 'A' before Christ
//   text      11 bytes   at most 10 characters + NUL, in one of the fixed forms:
//                        DD/MM/YYYY (G, H, A; unknown parts as dots), DD/MMMM/YY (R),
//                        YYYY/YYYY (range, either bound "...."), YY/YY (Republican range)
//
// The qualifier tests ignore padding blanks, so that " <" read back from the export form is still
// "before". Day, month and year counts return 1000000 (1000000.0 for floats) when they cannot be
// computed.
// Nothing here throws; malformed texts make the predicates false. CompareDate and the day counts
// between two dates are in dates/calcjours.h.
#include "platform/chaines.h"

namespace kyb {

inline constexpr int kDateIncalculable = 1000000;

class TDateKY {
 public:
  TDateKY() noexcept = default;
  TDateKY(const TDateKY& autre) noexcept;
  TDateKY(char calendrier, std::string_view texte) noexcept;
  // prefix + year on 4 digits, tag 'G': TDateKY(1750, "01/01/") is 01/01/1750.
  TDateKY(int annee, std::string_view prefixe) noexcept;
  // Export form (15 characters "#qqCdate.....#", a shorter date text padded with blanks), or a
  // typed date read by AnalyseSaisie (a valid range kept as it stands, anything else analysed;
  // text left empty when refused).
  explicit TDateKY(std::string_view texte);
  TDateKY& operator=(const TDateKY& autre) noexcept = default;
  // The total sorting order of ordredate.h (not CompareDate, which is no strict weak ordering).
  bool operator<(const TDateKY& autre) const;

  // Fields.
  void SetDate(std::string_view texte) noexcept;  // keeps the first 10 characters
  [[nodiscard]] AnsiString GetDate() const { return AnsiString(Texte()); }
  [[nodiscard]] std::string_view Texte() const noexcept { return std::string_view(date_); }
  void SetActe(std::string_view qualificatif) noexcept;  // first 2 characters
  [[nodiscard]] AnsiString GetActe() const { return AnsiString(acte_); }
  void SetCalendrier(char calendrier) noexcept { calendrier_ = calendrier; }
  [[nodiscard]] char GetCalendrier() const noexcept { return calendrier_; }

  // Parts. A zero part is written as dots; the tag becomes 'G'.
  void SetJourMoisAnnee(int jour, int mois, int annee) noexcept;
  void ExtractJourMoisAnnee(int& jour, int& mois, int& annee, bool completer) const;
  static void ModifMinMaxJourMoisAnnee(int& jour, int& mois, bool minimum) noexcept;
  // YYYYMMDD, unknown parts replaced by the fills (when not empty).
  [[nodiscard]] AnsiString RetAnneeMoisJour(std::string_view remplitAnnee,
                                            std::string_view remplitMois,
                                            std::string_view remplitJour) const;
  // "#", qualifier right-aligned on 2, tag (NUL as 'G'), text padded with blanks to 10, "#";
  // empty for an empty value.
  [[nodiscard]] AnsiString ExportInString() const;

  // The stored columns of a date (Acte 3, TypeCalend 1, Date 10 characters; Windows-1252). A
  // NUL tag is stored as 'G'. Reading back ignores the blanks a fixed-width column pads with.
  struct TColonnes {
    AnsiString acte, calendrier, date;
  };
  [[nodiscard]] TColonnes FormeStockee() const;
  [[nodiscard]] static TDateKY DepuisFormeStockee(const TColonnes& colonnes);

  // Calendar and form tests.
  [[nodiscard]] bool DateFormatGregorien() const noexcept;
  [[nodiscard]] bool DateFormatRepublicain() const noexcept { return calendrier_ == 'R'; }
  [[nodiscard]] bool DateFormatHebraique() const noexcept { return calendrier_ == 'H'; }
  [[nodiscard]] bool DateFormatAvantJC() const noexcept { return calendrier_ == 'A'; }
  [[nodiscard]] bool DateFormatFourchette() const noexcept;  // one trailing blank ignored
  [[nodiscard]] bool DateFormatFourchetteAVC4chiffre() const noexcept;

  // Qualifier.
  [[nodiscard]] bool ActeVide() const noexcept;
  [[nodiscard]] bool IsActeInferieur() const noexcept;
  [[nodiscard]] bool IsActeSuperieur() const noexcept;
  [[nodiscard]] bool IsActeImprecis() const noexcept;
  [[nodiscard]] bool NotActePrecisionDate() const noexcept;

  // Emptiness and precision.
  [[nodiscard]] bool DateVide0() const noexcept { return date_[0] == 0; }
  [[nodiscard]] bool DateVide() const noexcept;
  [[nodiscard]] bool Vide() const noexcept { return DateVide() && ActeVide(); }
  bool IsDatePrecise(int* jour, int* mois, int* annee, std::string_view texte = {},
                     bool utiliseTexte = false) const;
  [[nodiscard]] bool DateExacte() const;
  // Point date whose year is known but day or month is not.
  [[nodiscard]] bool DateIncomplete() const;
  // Neither a fully known day nor a range.
  [[nodiscard]] bool DateNiPreciseNiFourchette() const;
  [[nodiscard]] bool AnneeDateVide(AnsiString* texteAnnee = nullptr) const;
  [[nodiscard]] bool CalculDatePossible() const noexcept;

  // Years. With versGregorien, Hebrew and Republican years are converted.
  AnsiString RecupAnneeChn(bool versGregorien, int* annee = nullptr, int* anneeMin = nullptr,
                           int* anneeMax = nullptr, bool estime = true) const;
  // Applies AjusteDateFourchette first (the value changes), 0 when unknown.
  int RecupAnnee(bool versGregorien, int* anneeMin = nullptr, int* anneeMax = nullptr,
                 bool estime = true);
  void RecupAnneeFourchette(bool versGregorien, AnsiString* texteMin, AnsiString* texteMax,
                            int* moyenne, int* anneeMin, int* anneeMax) const;
  // As above; with estime an open range is closed 100 years away.
  void RecupAnneeFourchetteEstim(bool estime, bool versGregorien, AnsiString* texteMin,
                                 AnsiString* texteMax, int* moyenne, int* anneeMin,
                                 int* anneeMax) const;
  float RecupAnneeFloat(bool versGregorien, int* anneeMin = nullptr, int* anneeMax = nullptr,
                        bool* fourchette = nullptr);
  [[nodiscard]] bool LimiteAnneeMin(int n) const;

  // Ranges.
  void AjusteDateFourchette();
  // First day of the lower year or last day of the upper year, as a Gregorian point date; an open
  // bound gives the empty date "../../....".
  [[nodiscard]] TDateKY GetDateLimiteFourchette(bool superieure) const;
  bool CalculDateMoyenneFourchette(bool versGregorien);
  void TransformeFourchetteDate();
  [[nodiscard]] bool DateDansFourchette(std::string_view texteMin,
                                        std::string_view texteMax) const;
  [[nodiscard]] int DateIn(const TDateKY& d1, const TDateKY& d2) const;
  // Widens [minimum, maximum] to the Gregorian year (or known bounds); 0 stands for "not set".
  void AjusteFourchette(short& minimum, short& maximum, bool bornes) const;
  void AjusteFourchette(float& minimum, float& maximum, bool bornes) const;
  // Moves the date by about n days (day unknown beyond 30 days, month beyond 365). The result
  // always exists: a day past the end of its month becomes the last one, a day of the 1582 gap
  // the next existing day in the direction of the move; moving back past year 1 gives a date
  // before Christ. False (date unchanged) when the year is unknown or the result beyond 3000.
  bool Decalage(int n);

  // Conversion to Gregorian: a copy of the text, or in place (tag 'G' unless 'A').
  [[nodiscard]] AnsiString ConvVersGreg() const;
  void ConvVersGregInterne();

  // Days from the reference date (SetDate of the text) to this date.
  [[nodiscard]] int CalcNbJoursAbs(bool milieu, std::string_view texteReference) const;

  // Wording (in redigedate.cpp). Texts are Windows-1252.
  [[nodiscard]] AnsiString RedigeAnnee(bool majuscule = false) const;
  [[nodiscard]] AnsiString RedigeFourchette() const;
  [[nodiscard]] AnsiString PlaceJour(bool majuscule = false) const;
  [[nodiscard]] AnsiString FormatDateTilde() const;
  // Season of the Gregorian day: 0 winter, 1 spring, 2 summer, 3 autumn, -1 unknown.
  int GetSaison(AnsiString* phrase) const;
  [[nodiscard]] static AnsiString DeterminerPositionFinDeSaison(int jour);
  [[nodiscard]] static AnsiString DeterminerPositionDebutDeSaison(int jour);
  [[nodiscard]] int GetSigneZodiaque() const;
  // 1 = Sunday .. 7 = Saturday and its name; 0 and an empty name for a date not fully known.
  int RetourneJourSemaine(AnsiString& nom) const;

 private:
  char acte_[3] = {};
  char calendrier_ = 0;
  char date_[11] = {};
};

}  // namespace kyb
