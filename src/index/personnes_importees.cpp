#include "index/personnes_importees.h"

namespace kyb {

void TPersonnesImportees::Etend(long numero) {
  if (numero < 1 || static_cast<size_t>(numero) < fiches_.size()) return;
  // Numbers come mostly in order: room grows by half at a time, not by one.
  const size_t taille = static_cast<size_t>(numero) + 1;
  if (taille > fiches_.capacity()) {
    fiches_.reserve(taille + taille / 2);
    vies_.reserve(taille + taille / 2);
  }
  fiches_.resize(taille);
  vies_.resize(taille);
}

void TPersonnesImportees::Ecrite(long numero, const TEnregPublic& personne) {
  if (numero < 1) return;
  Etend(numero);
  TFiche& f = fiches_[Rang(numero)];
  f.debut = static_cast<uint32_t>(noms_.size());
  f.lgNom = static_cast<uint16_t>(personne.Nom.size());
  f.lgPrenoms = static_cast<uint16_t>(personne.Prenoms.size());
  noms_ += personne.Nom;
  noms_ += personne.Prenoms;
  f.sexe = personne.Sexe;
  f.type = personne.TypePersonne;
  f.ecrite = personne.FicheSupprimee != 'O';
  if (genealogie_) genealogie_->AjoutePersonne(numero, personne);
}

void TPersonnesImportees::Evenement(long numero, long conjoint, std::string_view libelle, const TDateKY& date) {
  if (numero < 1) return;
  Etend(numero);
  vies_[Rang(numero)].Ajoute(libelle, date);
  if (genealogie_) genealogie_->AjouteEvenement(numero, conjoint, libelle, date);
}

TGenealogieMemoire& TPersonnesImportees::Genealogie(long nbPersonnes) {
  if (!genealogie_) genealogie_ = std::make_unique<TGenealogieMemoire>();
  if (!acheve_) genealogie_->Acheve(nbPersonnes);
  acheve_ = true;
  return *genealogie_;
}

void TPersonnesImportees::Remplit(long numero, TEnregPublic& personne) const {
  if (!EstEcrite(numero)) {
    personne.FicheSupprimee = 'O';
    return;
  }
  const TFiche& f = fiches_[Rang(numero)];
  personne.Nom.assign(noms_, f.debut, f.lgNom);
  personne.Prenoms.assign(noms_, f.debut + f.lgNom, f.lgPrenoms);
  personne.Sexe = f.sexe;
  personne.TypePersonne = f.type;
  personne.FicheSupprimee = 'N';
}

TAnneesVie TPersonnesImportees::Declarees(long numero) const {
  return Valide(numero) ? vies_[Rang(numero)].Annees() : TAnneesVie{};
}

}  // namespace kyb
