#include "store/ficcommune.h"

namespace kyb {

UnicodeString CommuneSansChiffres(const UnicodeString& commune) {
  UnicodeString texte = commune;
  for (char16_t& c : texte)
    if (c >= u'0' && c <= u'9') c = u' ';
  return Rogne(texte);
}

TFicCommune::TFicCommune(const UnicodeString& commune, const UnicodeString& departement,
                         const UnicodeString& region, const UnicodeString& pays)
    : parties_{CommuneSansChiffres(commune), departement, region, pays} {}

UnicodeString TFicCommune::ConstuitChnLieuPointVirgule() const {
  return parties_[0] + u";" + parties_[1] + u";" + parties_[2] + u";" + parties_[3];
}

void TFicCommune::SetAdresse(const UnicodeString& adresse) {
  parties_ = {};
  size_t debut = 0;
  for (int i = 0; i < kNbParties && debut <= adresse.size(); ++i) {
    const size_t fin = adresse.find(u';', debut);
    SetPartie(i, adresse.substr(debut, fin == UnicodeString::npos ? UnicodeString::npos
                                                                   : fin - debut));
    if (fin == UnicodeString::npos) break;
    debut = fin + 1;
  }
}

bool TFicCommune::IsVide() const {
  for (const auto& p : parties_)
    if (!p.empty()) return false;
  return true;
}

const UnicodeString& TFicCommune::operator[](int partie) const {
  static const UnicodeString kVide;
  return partie >= 0 && partie < kNbParties ? parties_[partie] : kVide;
}

void TFicCommune::SetPartie(int partie, const UnicodeString& texte) {
  if (partie < 0 || partie >= kNbParties) return;
  parties_[partie] = partie == 0 ? CommuneSansChiffres(texte) : texte;
}

}  // namespace kyb
