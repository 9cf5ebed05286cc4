// The places dictionary: the countries offered for entry and the parts of a place shown.
#include <algorithm>

#include "dictionaries/gestduplicat.h"
#include "names/bo_chn1.h"

namespace kyb {
namespace {

const int kSousChamps[] = {kSousChampCommune, kSousChampDepartement, kSousChampRegion, kSousChampPays};

void AjouteUnique(std::vector<UnicodeString>& v, const UnicodeString& pays) {
  const UnicodeString nom = EffBlancs(pays);
  if (nom.empty()) return;
  const UnicodeString cle = CleDupli(nom);
  if (std::none_of(v.begin(), v.end(), [&](const UnicodeString& x) { return CleDupli(x) == cle; })) v.push_back(nom);
}

}  // namespace

std::vector<UnicodeString> TGestDupChnLieu::ListerPaysDispo() const {
  std::vector<UnicodeString> v;
  UnicodeString valeur, code, complement;
  for (int i = 0; ChargeElementListeGlobale(i, valeur, &code, &complement);)
    AjouteUnique(v, complement.substr(0, complement.find(u';')));
  for (const UnicodeString& p : paysAjoutes_) AjouteUnique(v, p);
  AjouteUnique(v, pays_);
  std::sort(v.begin(), v.end(), [](const UnicodeString& a, const UnicodeString& b) { return CleDupli(a) < CleDupli(b); });
  return v;
}

bool TGestDupChnLieu::PaysPresent(const UnicodeString& pays) const {
  const UnicodeString cle = CleDupli(EffBlancs(pays));
  const std::vector<UnicodeString> v = ListerPaysDispo();
  return !cle.empty() && std::any_of(v.begin(), v.end(), [&](const UnicodeString& x) { return CleDupli(x) == cle; });
}

bool TGestDupChnLieu::NouveauPays(const UnicodeString& pays) {
  if (EffBlancs(pays).empty() || PaysPresent(pays)) return false;
  paysAjoutes_.push_back(EffBlancs(pays));
  return true;
}

void TGestDupChnLieu::SetShowPays(const UnicodeString& pays, bool montrer) {
  const UnicodeString cle = CleDupli(EffBlancs(pays));
  std::erase(paysCaches_, cle);
  if (!montrer && !cle.empty()) paysCaches_.push_back(cle);
}

bool TGestDupChnLieu::PaysAffiche(const UnicodeString& pays) const {
  return std::find(paysCaches_.begin(), paysCaches_.end(), CleDupli(EffBlancs(pays))) == paysCaches_.end();
}

std::vector<std::pair<UnicodeString, bool>> TGestDupChnLieu::InitCheckListBox() const {
  std::vector<std::pair<UnicodeString, bool>> v;
  for (const UnicodeString& p : ListerPaysDispo()) v.emplace_back(p, PaysAffiche(p));
  return v;
}

void TGestDupChnLieu::UpdatePaysSelected(const std::vector<std::pair<UnicodeString, bool>>& coches) {
  for (const auto& [pays, coche] : coches) SetShowPays(pays, coche);
}

const std::vector<UnicodeString>& TGestDupChnLieu::ListerChampsDispo() {
  static const std::vector<UnicodeString> noms{u"Ville", u"D\u00e9partement", u"R\u00e9gion", u"Pays"};
  return noms;
}

bool TGestDupChnLieu::SetNewChamps(const std::vector<int>& champs) {
  const int n = static_cast<int>(ListerChampsDispo().size());
  if (champs.empty()) return false;
  for (size_t i = 0; i < champs.size(); ++i)
    if (champs[i] < 0 || champs[i] >= n || std::find(champs.begin(), champs.begin() + static_cast<long>(i), champs[i]) !=
                                               champs.begin() + static_cast<long>(i))
      return false;
  champs_ = champs;
  return true;
}

int TGestDupChnLieu::RetourneTag(int i) const {
  return i >= 0 && i < static_cast<int>(champs_.size()) ? champs_[static_cast<size_t>(i)] : -1;
}

UnicodeString TGestDupChnLieu::FormatPlaceVisible(const TEltDupWideChn& lieu) const {
  UnicodeString texte;
  for (const int c : champs_) {
    const UnicodeString partie = lieu.ChargeElement(kSousChamps[c], kStyleTexte);
    if (partie.empty()) continue;
    if (!texte.empty()) texte += u" ; ";
    texte += partie;
  }
  return texte;
}

}  // namespace kyb
