#include "folder/securite_dossier.h"

#include "folder/gest_fic.h"
#include "platform/ecriture_atomique.h"
#include "platform/fichiers.h"

namespace kyb {

AnsiString MarqueCreation(const AnsiString& repertoire) {
  return AvecSeparateurFinal(repertoire) + ".creation-en-cours";
}

bool CreationInterrompue(const AnsiString& repertoire) {
  return FichierExiste(MarqueCreation(repertoire));
}

bool CreeRepertoireMarque(const AnsiString& repertoire) {
  // The directory is made under a neighbouring name, receives its marker, then takes its own
  // name in one rename: it never exists without the marker.
  const AnsiString cible = SansSeparateurFinal(repertoire);
  const AnsiString provisoire = cible + ".creation";
  if (RepertoireExiste(provisoire) && !SupprimeArborescence(provisoire)) return false;
  if (!CreeRepertoires(provisoire) || !PoseMarqueCreation(provisoire) || !RemplaceFichier(provisoire, cible)) {
    (void)SupprimeArborescence(provisoire);
    return false;
  }
  return true;
}

bool PoseMarqueCreation(const AnsiString& repertoire) {
  TFichier f = TFichier::Ouvre(MarqueCreation(repertoire), TAcces::LectureEcriture, TCreation::Ecrase);
  if (!f.Valide() || !f.Synchronise()) return false;
  f.Ferme();
  return SynchroniseRepertoire(repertoire);
}

bool LeveMarqueCreation(const AnsiString& repertoire) {
  return SupprimeFichier(MarqueCreation(repertoire)) && SynchroniseRepertoire(repertoire);
}

bool DossierInscriptible(const TGestFichier& dossier) {
  if (!EcritureAutorisee(dossier.Repertoire)) return false;
  for (const auto type : {TGestFichier::tfBaseDonnees, TGestFichier::tfPersonnes}) {
    const AnsiString chemin = dossier.FabriqueNomFichier(type);
    if (FichierExiste(chemin) && !EcritureAutorisee(chemin)) return false;
  }
  return true;
}

bool EmplacementInscriptible(const AnsiString& repertoire) {
  AnsiString r = SansSeparateurFinal(repertoire);
  while (!r.empty() && !RepertoireExiste(r)) {
    const AnsiString parent = SansSeparateurFinal(ExtraitRepertoire(r));
    if (parent == r) break;
    r = parent;
  }
  return EcritureAutorisee(r.empty() ? AnsiString("./") : r);
}

void VerifieNomsDeFichiers(const TGestFichier& dossier) {
  for (int t = 0; t < TGestFichier::kNbTypesFichier; ++t)
    (void)dossier.FabriqueNomFichier(static_cast<TGestFichier::TTypeFichier>(t), 999, true);
}

}  // namespace kyb
