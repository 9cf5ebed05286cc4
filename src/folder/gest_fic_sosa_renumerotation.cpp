// A whole new Sosa numbering, put in place in one step.
#include "folder/gest_fic_sosa.h"
#include "platform/ecriture_atomique.h"

namespace kyb {

AnsiString TFicSosas::CheminNouvelleNumerotation() const { return chemin_ + ".tmp"; }

TBilanNumerotation TFicSosas::Renumerote(long racine, bool& enPlace) {
  enPlace = false;
  TBilanNumerotation bilan;
  if (!Ecrivable()) return bilan;
  const AnsiString neuf = CheminNouvelleNumerotation();
  TFichier ancien = std::move(fichier_);
  fichier_ = TFichier::Ouvre(neuf, TAcces::LectureEcriture, TCreation::Ecrase);
  bool ok = fichier_.Valide() && InitFichierStrado();
  if (ok) bilan = NumeroterPersNo(racine, NTL::ZZ(1));
  ok = ok && !bilan.Interrompue && !dossier_->Erreur && fichier_.Synchronise() && RemplaceFichier(neuf, chemin_);
  if (!ok) {
    if (!dossier_->Erreur && !bilan.Interrompue) dossier_->SetError(true);
    // Renamed but not synced: the new numbering is the file's, said not sure. Otherwise the old
    // one stays, whole, under its name.
    if (FichierExiste(neuf)) {
      fichier_ = std::move(ancien);
      (void)SupprimeFichier(neuf);
    }
    return bilan;
  }
  enPlace = true;
  return bilan;
}

}  // namespace kyb
