// The image directories of a genealogy: the folder's own "Images/", an external directory
// (import mode 4) and an optional private directory, kept in the store's information table.
#include "folder/gest_fic.h"
#include "platform/arborescence.h"
#include "platform/fichiers.h"
#include "store/datamodulebdd.h"
#include "store/sources_bdd.h"

namespace kyb {
namespace {

AnsiString ValeurInfo(TModuleBDD& m, const char* cle) { return UnicodeVersAnsi(m.GetInfoChps(cle, u"0")); }

}  // namespace

AnsiString TGestFichier::GetDirImages() { return ModeImport == 4 ? GetDirImagesExt() : GetDirImagesRep(); }

AnsiString TGestFichier::GetDirImagesRep() {
  return ModeImport == 1 ? GetDirImagesExt() : AvecSeparateurFinal(Repertoire) + "Images/";
}

AnsiString TGestFichier::GetDirImagesExt() {
  if (RepImagesExt.empty()) {
    AnsiString repertoire;
    if (ModuleBDD) repertoire = ValeurInfo(*ModuleBDD, "REP_IMG_EXT");
    if (repertoire.empty() || repertoire == "0") repertoire = AvecSeparateurFinal(Repertoire) + "Images/";
    RepImagesExt = AvecSeparateurFinal(repertoire);
    if (!RepertoireExiste(RepImagesExt)) (void)CreeRepertoires(RepImagesExt);
  }
  return RepImagesExt;
}

void TGestFichier::SetDirImagesExt(const AnsiString& repertoire) {
  RepImagesExt = repertoire;
  if (ModuleBDD) (void)ModuleBDD->MAJInfoChps("REP_IMG_EXT", AnsiVersUnicode(repertoire));
}

AnsiString TGestFichier::GetDirImagesPriv() {
  if (RepImagesPriv.empty() && ModuleBDD) {
    const AnsiString valeur = ValeurInfo(*ModuleBDD, "REP_IMG_PRIV");
    if (!valeur.empty() && valeur != "0") {
      RepImagesPriv = valeur;
      if (!RepertoireExiste(valeur)) (void)CreeRepertoires(valeur);
    }
  }
  return RepImagesPriv;
}

void TGestFichier::SetDirImagesPriv(const AnsiString& repertoire, bool actif) {
  RepImagesPrivActif = actif;
  if (actif) RepImagesPriv = repertoire;
  if (!ModuleBDD) return;
  if (actif) (void)ModuleBDD->MAJInfoChps("REP_IMG_PRIV", AnsiVersUnicode(repertoire));
  (void)ModuleBDD->MAJInfoChps("ACTIVE_REP_IMG_PRIV", actif ? u"1" : u"0");
}

bool TGestFichier::IsDirImagesPrivActive() {
  if (IsModeImport() && ModuleBDD && !GetDirImagesPriv().empty() && !RepImagesPrivActif)
    RepImagesPrivActif = ModuleBDD->GetInfoChps("ACTIVE_REP_IMG_PRIV", u"0") == u"1";
  return RepImagesPrivActif;
}

bool TGestFichier::IsInDirImagesPriv(const AnsiString& chemin) {
  if (!IsDirImagesPrivActive()) return false;
  const AnsiString prive = MajusculesAnsi(AvecSeparateurFinal(GetDirImagesPriv()));
  return MajusculesAnsi(NormaliseChemin(chemin)).find(prive) != AnsiString::npos;
}

void TGestFichier::RemoveIllustrationsExternFiles() {
  if (ModeImport != 4 || !ModuleBDD) return;
  const AnsiString externe = GetDirImagesExt();
  const AnsiString externeResolu = CheminResolu(externe);
  if (externeResolu.empty()) return;
  ModuleBDD->BeginParcoursIllustrations();
  TIllustrationBDD illustration;
  while (ModuleBDD->GetIllustrationParcours(illustration)) {
    AnsiString chemin = NormaliseChemin(illustration.Chemin);
    if (chemin.empty()) continue;
    if (chemin[0] != '/') chemin = AvecSeparateurFinal(Repertoire) + "Images/" + chemin;
    // Only a file that truly lies below the external directory once "..", and every link, are
    // resolved: a received path ("../../x") never reaches a file beside the folder.
    const AnsiString fichier = CheminResolu(chemin);
    if (fichier.empty() || fichier == externeResolu || !CheminDans(fichier, externeResolu)) continue;
    const AnsiString repertoire = SansSeparateurFinal(ExtraitRepertoire(fichier));
    if (SupprimeFichier(fichier) && repertoire != externeResolu) (void)SupprimeRepertoireVide(repertoire);
  }
  ModuleBDD->EndParcoursIllustrations();
  (void)SupprimeFichier(externe + Nom + "_historique.txt");
  (void)SupprimeRepertoireVide(externe);
}

}  // namespace kyb
