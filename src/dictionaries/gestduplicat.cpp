#include "dictionaries/gestduplicat.h"

#include <algorithm>

#include "store/datamodulebdd.h"

namespace kyb {
namespace {

UnicodeString SansGuillemets(const UnicodeString& texte) {
  UnicodeString r;
  for (const char16_t c : texte)
    if (c != u'"') r.push_back(c);
  return r;
}

// First element whose value key is not below cle (the elements are sorted by value key first).
size_t PremierCle(const std::vector<TEltDupWideChn>& elts, const UnicodeString& cle) {
  const auto it = std::lower_bound(elts.begin(), elts.end(), cle,
                                   [](const TEltDupWideChn& e, const UnicodeString& c) { return e.CleValeur() < c; });
  return static_cast<size_t>(it - elts.begin());
}

// An element without any text is no value; a place may have its country or its code alone.
bool SansTexte(const TEltDupWideChn& e) { return e.Valeur().empty() && e.Code().empty() && e.Complement().empty(); }

bool Commence(const UnicodeString& texte, const UnicodeString& debut) {
  return texte.size() >= debut.size() && std::equal(debut.begin(), debut.end(), texte.begin());
}

}  // namespace

TGestDupChn::TGestDupChn(TFicDupli* fichier) : fichier_(fichier), donne_(fichier != nullptr) {
  if (!donne_) {
    propre_ = TFicDupli::CreationTable();
    fichier_ = propre_.get();
  }
}

TGestDupChn::~TGestDupChn() = default;

TEltDupWideChn TGestDupChn::Element(const UnicodeString& valeur, const UnicodeString* code,
                                    const UnicodeString* complement) const {
  return TEltDupWideChn(SansGuillemets(valeur), code ? *code : UnicodeString(),
                        complement ? *complement : UnicodeString());
}

// --- most recently used ---------------------------------------------------------------------------

bool TGestDupChn::ChargeElementListeMRU(int& index, UnicodeString& valeur, UnicodeString* code,
                                        UnicodeString* complement) const {
  if (index < 0 || index >= NbElementsListeMRU()) return false;
  valeur = mru_[static_cast<size_t>(index)];
  const int i = IndiceElement(valeur);
  const TEltDupWideChn e = i >= 0 ? ElementGlobal(i) : TEltDupWideChn();
  if (code) *code = e.Code();
  if (complement) *complement = e.Complement();
  ++index;
  return true;
}

void TGestDupChn::AjoutElementListeMRU(const UnicodeString& valeur, const UnicodeString*, const UnicodeString*) {
  const UnicodeString v = SansGuillemets(valeur);
  if (v.empty()) return;
  const auto it = std::find(mru_.begin(), mru_.end(), v);
  if (it != mru_.end()) mru_.erase(it);
  mru_.insert(mru_.begin(), v);
  if (mru_.size() > static_cast<size_t>(kMaxMRU)) mru_.resize(kMaxMRU);
}

void TGestDupChn::SuppressionElementListeMRU(int index) {
  if (index >= 0 && index < NbElementsListeMRU()) mru_.erase(mru_.begin() + index);
}

// --- global list --------------------------------------------------------------------------------

int TGestDupChn::NbElementsListeGlobale() const {
  return donne_ ? static_cast<int>(fichier_->ClassementSansSuppr().size()) : liste_.GetNbElt();
}

TEltDupWideChn TGestDupChn::ElementGlobal(int index) const {
  if (index < 0 || index >= NbElementsListeGlobale()) return {};
  if (!donne_) return liste_.Lit(index);
  return fichier_->Vecteur().Lit(fichier_->ClassementSansSuppr()[static_cast<size_t>(index)]);
}

bool TGestDupChn::ChargeElementListeGlobale(int& index, UnicodeString& valeur, UnicodeString* code,
                                            UnicodeString* complement) const {
  if (index < 0 || index >= NbElementsListeGlobale()) return false;
  const TEltDupWideChn e = ElementGlobal(index);
  valeur = e.Valeur();
  if (code) *code = e.Code();
  if (complement) *complement = e.Complement();
  ++index;
  return true;
}

int TGestDupChn::AjoutElementListeGlobale(const UnicodeString& valeur, const UnicodeString* code,
                                          const UnicodeString* complement) {
  if (!donne_) return AjoutElementListeGlobaleSimple(valeur, code, complement);
  const TEltDupWideChn e = Element(valeur, code, complement);
  int rang = -1;
  return fichier_->Cherche(&e, true, &rang) ? rang : -1;
}

int TGestDupChn::AjoutElementListeGlobaleSimple(const UnicodeString& valeur, const UnicodeString* code,
                                                const UnicodeString* complement) {
  TEltDupWideChn e = Element(valeur, code, complement);
  if (donne_ || SansTexte(e)) return -1;
  TEltDupWideChn tmp;
  bool ajoute = false;
  return liste_.AjouteClasse(e, tmp, false, ajoute);
}

bool TGestDupChn::ControleElementListeGlobaleSimple(const UnicodeString& valeur) const {
  return IndiceElement(valeur) >= 0;
}

void TGestDupChn::ClearElementListeGlobaleSimple() {
  if (!donne_) liste_.Raz();
}

bool TGestDupChn::SuppressionAutorisee() const { return !donne_ || fichier_->Ecrivable(); }

bool TGestDupChn::SuppressionElementListeGlobale(int index) {
  if (!SuppressionAutorisee() || index < 0 || index >= NbElementsListeGlobale()) return false;
  if (!donne_) {
    TEltDupWideChn retire;
    liste_.Supprime(index, retire);
    return true;
  }
  TFicheDupli fiche(fichier_, ElementGlobal(index).Numero, false);
  fiche.Elt.Etat = kEtatSupprime;
  fiche.Enregistrement();
  return true;
}

// --- look-ups -----------------------------------------------------------------------------------

int TGestDupChn::IndiceElement(const UnicodeString& valeur, const UnicodeString* code,
                               const UnicodeString* complement) const {
  const TEltDupWideChn cle = Element(valeur, code, complement);
  if (SansTexte(cle)) return -1;
  const std::vector<TEltDupWideChn>& elts = donne_ ? fichier_->Vecteur().Elements() : liste_.Elements();
  for (size_t p = PremierCle(elts, cle.CleValeur()); p < elts.size() && elts[p].CleValeur() == cle.CleValeur(); ++p) {
    const TEltDupWideChn& e = elts[p];
    if (code && CleDupli(e.Code()) != CleDupli(cle.Code())) continue;
    if (complement && CleDupli(e.Complement()) != CleDupli(cle.Complement())) continue;
    if (!donne_) return static_cast<int>(p);
    const int rang = fichier_->Rang(static_cast<int>(p));
    if (rang >= 0) return rang;
  }
  return -1;
}

int TGestDupChn::CompareMorceauElementRecherche(const UnicodeString& texte) const {
  const UnicodeString cle = CleDupli(SansGuillemets(texte));
  const std::vector<TEltDupWideChn>& elts = donne_ ? fichier_->Vecteur().Elements() : liste_.Elements();
  for (size_t p = PremierCle(elts, cle); p < elts.size() && Commence(elts[p].CleValeur(), cle); ++p) {
    if (!donne_) return static_cast<int>(p);
    const int rang = fichier_->Rang(static_cast<int>(p));
    if (rang >= 0) return rang;
  }
  return -1;
}

bool TGestDupChn::ElementExistant(UnicodeString& valeur, const UnicodeString* code,
                                  const UnicodeString* complement, bool corrige) const {
  const int i = IndiceElement(valeur, code, complement);
  if (i >= 0 && corrige) valeur = ElementGlobal(i).Valeur();
  return i >= 0;
}

bool TGestDupChn::ElementExistantDansBDD(const UnicodeString& valeur) const {
  if (donne_ && fichier_->DansStore()) {
    const UnicodeString v = SansGuillemets(valeur).substr(0, TFicDupli::kLgValeur);
    return !v.empty() && fichier_->Store()->ChercheLieu(CleDupli(v)) != 0;
  }
  if (storeEvenements_) return storeEvenements_->DonneeEventExiste(libelle_, SansGuillemets(valeur));
  return IndiceElement(valeur) >= 0;
}

int TGestDupChn::RechercheBDD(std::vector<UnicodeString>& liste, const UnicodeString& debut, int maximum,
                              bool avecCode) {
  arret_ = false;
  liste.clear();
  const UnicodeString cle = CleDupli(SansGuillemets(debut));
  const auto ajoute = [&](const UnicodeString& valeur, const UnicodeString& code) {
    liste.push_back(avecCode && !code.empty() ? valeur + u" (" + code + u")" : valeur);
  };
  if (donne_ && fichier_->DansStore()) {
    for (const auto& [id, lieu] : fichier_->Store()->RechercheLieux(cle, maximum, false)) ajoute(lieu.Chn1, lieu.Chn2);
    return static_cast<int>(liste.size());
  }
  if (storeEvenements_) {
    liste = storeEvenements_->RechercheDonneesEvent(libelle_, SansGuillemets(debut), maximum);
    return static_cast<int>(liste.size());
  }
  const std::vector<TEltDupWideChn>& elts = donne_ ? fichier_->Vecteur().Elements() : liste_.Elements();
  for (size_t p = PremierCle(elts, cle); p < elts.size() && Commence(elts[p].CleValeur(), cle) && !arret_; ++p) {
    if (donne_ && fichier_->Rang(static_cast<int>(p)) < 0) continue;
    ajoute(elts[p].Valeur(), elts[p].Code());
    if (maximum > 0 && static_cast<int>(liste.size()) >= maximum) break;
  }
  return static_cast<int>(liste.size());
}

}  // namespace kyb
