// The places dictionary: a place value made of town, region and country parts.
#include "dictionaries/gestduplicat.h"
#include "names/bo_chn1.h"

namespace kyb {
namespace {

UnicodeString Avant(const UnicodeString& texte, char16_t c) {
  const size_t p = texte.find(c);
  return EffBlancs(std::u16string_view(texte).substr(0, p));
}

UnicodeString Apres(const UnicodeString& texte, char16_t c) {
  const size_t p = texte.find(c);
  return p == UnicodeString::npos ? UnicodeString() : EffBlancs(std::u16string_view(texte).substr(p + 1));
}

}  // namespace

void TGestDupChnLieu::SetVilleRegion(const UnicodeString& ville, const UnicodeString& region) {
  if (region.empty())
    Valeur = ville.substr(0, TEltDupWideChn::kLgValeur);
  else
    Valeur = ville.substr(0, TEltDupWideChn::kLgComplement) + u";" + region;
  Valeur = Valeur.substr(0, TEltDupWideChn::kLgValeur);
}

void TGestDupChnLieu::GetVilleRegionPays(UnicodeString& ville, UnicodeString& region, UnicodeString& pays) const {
  ville = Avant(Valeur, u';');
  region = Apres(Valeur, u';');
  pays = Avant(Complement, u';');
  const UnicodeString reste = Apres(Complement, u';');
  if (!reste.empty()) region = region.empty() ? reste : region + u";" + reste;
}

UnicodeString TGestDupChnLieu::FormatPlace(const TEltDupWideChn& lieu) {
  const UnicodeString pays = lieu.ChargeElement(kSousChampPays, kStyleTexte);
  const UnicodeString majuscules = CleDupli(pays);
  const bool canada = majuscules == u"CANADA";
  const bool suisse = majuscules == u"SUISSE";
  const UnicodeString parties[] = {
      lieu.ChargeElement(kSousChampCommune, kStyleTexte),
      canada ? UnicodeString() : lieu.ChargeElement(kSousChampDepartement, kStyleTexte),
      suisse ? UnicodeString() : lieu.ChargeElement(kSousChampRegion, kStyleTexte),
      pays,
  };
  UnicodeString texte;
  for (const UnicodeString& p : parties) {
    if (p.empty()) continue;
    if (!texte.empty()) texte += u" ; ";
    texte += p;
  }
  return texte;
}

void TGestDupChnLieu::NettoieChaine(UnicodeString& texte) {
  UnicodeString propre;
  const int n = NombreElts(texte, u';');
  for (int i = 1; i <= n; ++i) {
    UnicodeString partie;
    for (const char16_t c : EltNo(i, texte, u';'))
      if (c != u'"') partie.push_back(c);
    partie = EffBlancs(partie);
    if (partie.empty()) continue;
    if (!propre.empty()) propre += u';';
    propre += partie;
  }
  texte = propre;
}

}  // namespace kyb
