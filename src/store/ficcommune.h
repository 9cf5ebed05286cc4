#pragma once
// TFicCommune: one place as the reference tables know it: commune, department, region and
// country, in this order. The commune text never holds digits: they become blanks on
// construction and the text is trimmed. Its address form joins the four parts with ";"
// ("Lyon;Rhône;Auvergne-Rhône-Alpes;France"); SetAdresse reads it back, missing parts empty.
#include <array>

#include "platform/chaines.h"

namespace kyb {

class TFicCommune {
 public:
  static constexpr int kNbParties = 4;  // commune, department, region, country

  TFicCommune() = default;
  TFicCommune(const UnicodeString& commune, const UnicodeString& departement,
              const UnicodeString& region, const UnicodeString& pays);

  [[nodiscard]] UnicodeString GetAdresse() const { return ConstuitChnLieuPointVirgule(); }
  [[nodiscard]] UnicodeString ConstuitChnLieuPointVirgule() const;
  // An empty text clears the four parts; parts past the fourth ";" are ignored.
  void SetAdresse(const UnicodeString& adresse);

  [[nodiscard]] bool IsVide() const;
  [[nodiscard]] bool operator==(const TFicCommune& autre) const = default;
  // Parts 0 to 3 (commune, department, region, country); any other index gives an empty text.
  [[nodiscard]] const UnicodeString& operator[](int partie) const;
  void SetPartie(int partie, const UnicodeString& texte);  // the commune loses its digits

  [[nodiscard]] const UnicodeString& Commune() const { return parties_[0]; }
  [[nodiscard]] const UnicodeString& Departement() const { return parties_[1]; }
  [[nodiscard]] const UnicodeString& Region() const { return parties_[2]; }
  [[nodiscard]] const UnicodeString& Pays() const { return parties_[3]; }

 private:
  std::array<UnicodeString, kNbParties> parties_;
};

// The commune text as TFicCommune keeps it: digits replaced by blanks, then trimmed.
[[nodiscard]] UnicodeString CommuneSansChiffres(const UnicodeString& commune);

}  // namespace kyb
