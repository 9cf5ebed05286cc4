// Saving and restoring a value dictionary: to its file (beginning "UTF-8"), to a binary stream
// and to an object stream.
#include <algorithm>
#include <string_view>

#include "dictionaries/gestduplicat.h"
#include "platform/ecriture_atomique.h"
#include "platform/erreur.h"
#include "platform/fichiers.h"

namespace kyb {
namespace {

constexpr std::string_view kMarque = "UTF-8";
constexpr int32_t kMaxOctetsValeur = 4 * static_cast<int32_t>(TEltDupWideChn::kLgValeur);

}  // namespace

bool TGestDupChn::Sauvegarde(const AnsiString& chemin) const {
  TSortieMemoire flux;
  flux.EcritOctets(kMarque.data(), kMarque.size());
  Sauvegarde(flux);
  if (!flux.Vide()) return false;
  return EcritFichierAtomique(chemin, flux.Contenu());
}

bool TGestDupChn::Restauration(const AnsiString& chemin) {
  TEntreeFichier flux(chemin);
  if (!flux.Ouvert()) return false;
  char marque[5] = {};
  if (!flux.LitOctets(marque, sizeof marque) || std::string_view(marque, sizeof marque) != kMarque)
    throw ErreurKy("Encodage inconnu !");
  return Restauration(flux);
}

void TGestDupChn::Sauvegarde(TSortieBinaire& flux) const {
  flux.EcritEntier32(static_cast<int32_t>(mru_.size()));
  for (const UnicodeString& v : mru_) WriteUnicodeString(flux, v);
  if (donne_) return;
  flux.EcritEntier32(liste_.GetNbElt());
  for (const TEltDupWideChn& e : liste_.Elements()) e.Sauvegarde(flux);
}

bool TGestDupChn::Restauration(TEntreeBinaire& flux) {
  mru_.clear();
  int32_t n = 0;
  if (!flux.LitEntier32(n) || n < 0) return false;
  for (int32_t i = 0; i < n; ++i) {
    UnicodeString v;
    if (!ReadUnicodeString(flux, v, kMaxOctetsValeur)) return false;
    if (mru_.size() < static_cast<size_t>(kMaxMRU) && !v.empty()) mru_.push_back(v);
  }
  if (donne_) return true;
  propre_ = TFicDupli::CreationTable();
  fichier_ = propre_.get();
  liste_.Raz();
  int32_t m = 0;
  bool ok = flux.LitEntier32(m) && m >= 0;
  for (int32_t i = 0; ok && i < m; ++i) {
    TEltDupWideChn e;
    ok = e.Restauration(flux);
    if (ok && !e.Valeur().empty()) (void)liste_.Ajoute(e);
  }
  // Sorted once; a damaged file's duplicates are kept once.
  TEltDupWideChn t1, t2;
  liste_.Classement(t1, t2);
  std::vector<TEltDupWideChn> uniques;
  for (const TEltDupWideChn& e : liste_.Elements())
    if (uniques.empty() || uniques.back() != e) uniques.push_back(e);
  liste_.Raz();
  for (const TEltDupWideChn& e : uniques) (void)liste_.Ajoute(e);
  return ok;
}

void TGestDupChn::Sauvegarde(TFluxSortie& flux) const {
  flux.EcritEntier32(static_cast<int32_t>(mru_.size()));
  for (const UnicodeString& v : mru_) flux.EcritChaineUnicode(v);
  if (donne_) return;
  flux.EcritEntier32(liste_.GetNbElt());
  for (const TEltDupWideChn& e : liste_.Elements()) {
    flux.EcritEntier32(static_cast<int32_t>(e.Numero));
    flux.EcritOctet(static_cast<uint8_t>(e.Etat));
    flux.EcritChaineUnicode(e.Valeur());
    flux.EcritChaineUnicode(e.Code());
    flux.EcritChaineUnicode(e.Complement());
  }
}

bool TGestDupChn::Restauration(TFluxEntree& flux) {
  mru_.clear();
  const int32_t n = flux.LitEntier32();
  for (int32_t i = 0; i < n && !flux.Echec(); ++i) {
    const UnicodeString v = flux.LitChaineUnicode();
    if (!flux.Echec() && mru_.size() < static_cast<size_t>(kMaxMRU) && !v.empty()) mru_.push_back(v);
  }
  if (donne_ || flux.Echec()) return !flux.Echec() && n >= 0;
  liste_.Raz();
  const int32_t m = flux.LitEntier32();
  TEltDupWideChn tmp;
  for (int32_t i = 0; i < m && !flux.Echec(); ++i) {
    const long numero = flux.LitEntier32();
    const char etat = static_cast<char>(flux.LitOctet());
    const UnicodeString valeur = flux.LitChaineUnicode();
    const UnicodeString code = flux.LitChaineUnicode();
    const UnicodeString complement = flux.LitChaineUnicode();
    if (flux.Echec() || valeur.empty()) continue;
    TEltDupWideChn e(valeur, code, complement, numero, etat == kEtatSupprime ? kEtatSupprime : kEtatActif);
    bool ajoute = false;
    (void)liste_.AjouteClasse(e, tmp, false, ajoute);
  }
  return !flux.Echec();
}

}  // namespace kyb
