#include "folder/securite_dossier.h"

#include <string_view>

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

bool CreationParImport(const AnsiString& repertoire) {
  const TFichier f = TFichier::Ouvre(MarqueCreation(repertoire), TAcces::Lecture, TCreation::Existant);
  const std::string_view attendu(kMarqueImport);
  char lu[16] = {};
  return f.Valide() && f.LitA(0, lu, sizeof lu) == static_cast<int64_t>(attendu.size()) &&
         std::string_view(lu, attendu.size()) == attendu;
}

bool CreeRepertoireMarque(const AnsiString& repertoire, TVerrouRepertoire* verrou, const char* origine) {
  // The directory is made under a neighbouring name, receives its marker (and its writer's lock,
  // which follows it), then takes its own name in one rename: it never exists without the
  // marker, nor unlocked while it is being made.
  const AnsiString cible = SansSeparateurFinal(repertoire);
  const AnsiString provisoire = cible + ".creation";
  if (RepertoireExiste(provisoire) && !SupprimeArborescence(provisoire)) return false;
  const bool fait = CreeRepertoires(provisoire) && PoseMarqueCreation(provisoire, origine) &&
                    (!verrou || (*verrou = TVerrouRepertoire::Prend(provisoire)).Tenu()) &&
                    RemplaceFichier(provisoire, cible);
  if (!fait) {
    if (verrou) verrou->Rend();
    (void)SupprimeArborescence(provisoire);
  }
  return fait;
}

bool PoseMarqueCreation(const AnsiString& repertoire, const char* origine) {
  TFichier f = TFichier::Ouvre(MarqueCreation(repertoire), TAcces::LectureEcriture, TCreation::Ecrase);
  const std::string_view texte(origine);
  if (!f.Valide() || f.EcritA(0, texte.data(), texte.size()) != static_cast<int64_t>(texte.size()) ||
      !f.Synchronise())
    return false;
  f.Ferme();
  return SynchroniseRepertoire(repertoire);
}

bool PrendVerrouEcriture(TGestFichier& dossier, std::chrono::milliseconds attente) {
  // A folder closed and opened again by the same object keeps the lock it already holds.
  if (dossier.VerrouEcriture.Couvre(dossier.Repertoire)) return true;
  TErreurSysteme erreur = TErreurSysteme::Aucune;
  dossier.VerrouEcriture = TVerrouRepertoire::Prend(dossier.Repertoire, attente, &erreur);
  if (dossier.VerrouEcriture.Tenu() || erreur != TErreurSysteme::Verrouille) return true;
  dossier.CodeErreurBDD = TErreurMoteur::Occupe;
  dossier.CodeErreurOuverture = 2;
  dossier.Erreur = true;
  return false;
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
