// Renaming, duplicating and deleting a genealogy folder (safety scheme in maintenance_dossier.h).
#include "folder/maintenance_dossier.h"

#include <cctype>

#include "fields/csdefchps.h"
#include "folder/gest_fic.h"
#include "platform/arborescence.h"
#include "platform/ecriture_atomique.h"
#include "platform/fichiers.h"

namespace kyb {
namespace {

using TF = TGestFichier::TTypeFichier;

// Kinds copied with the folder, in copying order; the XML information file and the identifier
// link files are left out so that the copy receives its own IdGenea.
constexpr TF kCopies[] = {
    TGestFichier::tfPersonnes,     TGestFichier::tfQualites,       TGestFichier::tfIndexQualites,
    TGestFichier::tfParentes,      TGestFichier::tfIndexParentes,  TGestFichier::tfLieux,
    TGestFichier::tfIndexLieux,    TGestFichier::tfPersonnesExt,   TGestFichier::tfPersonnesSuppr,
    TGestFichier::tfSosas,         TGestFichier::tfNotes,          TGestFichier::tfRtf,
    TGestFichier::tfEin,           TGestFichier::tfIndexPersonnes, TGestFichier::tfIndexPersonnes2,
    TGestFichier::tfDefChamps,     TGestFichier::tfNomsEquiv,      TGestFichier::tfPreq,
    TGestFichier::tfNotices,       TGestFichier::tfIndexNotices,   TGestFichier::tfBaseDonnees,
    TGestFichier::tfAnnulation,    TGestFichier::tfBrd,            TGestFichier::tfGeneTp,
    TGestFichier::tfTags,
};

// Journals the store engine keeps beside a store file.
constexpr const char* kJournaux[] = {"-wal", "-shm", "-journal"};

// "<base>.d<n>" / "<base>.r<n>": a dictionary file of the genealogy base.
bool EstFichierDuplicats(const AnsiString& fichier, const AnsiString& base) {
  if (fichier.size() < base.size() + 3 || fichier.compare(0, base.size() + 1, base + ".") != 0) return false;
  const char lettre = fichier[base.size() + 1];
  if (lettre != 'd' && lettre != 'r') return false;
  for (size_t i = base.size() + 2; i < fichier.size(); ++i)
    if (!std::isdigit(static_cast<unsigned char>(fichier[i]))) return false;
  return true;
}

// The name of a folder file once the genealogy is called nouveau: "<ancien>.<ext>" becomes
// "<nouveau>.<ext>"; files of fixed names keep theirs.
AnsiString NomApresRenommage(const AnsiString& fichier, const AnsiString& ancien, const AnsiString& nouveau) {
  if (fichier.size() > ancien.size() && fichier.compare(0, ancien.size() + 1, ancien + ".") == 0)
    return nouveau + fichier.substr(ancien.size());
  return fichier;
}

// Gives every file of a directory a second name under cible (renamed as above); subdirectories
// other than Notices/ are reproduced with their names.
bool LieDossier(const AnsiString& source, const AnsiString& cible, const AnsiString& ancien,
                const AnsiString& nouveau, bool renommeFichiers) {
  if (!CreeRepertoires(cible)) return false;
  for (const AnsiString& f : ListeFichiers(source, "*.*")) {
    const AnsiString nom = renommeFichiers ? NomApresRenommage(f, ancien, nouveau) : f;
    if (!GardeSousUnAutreNom(source + f, cible + nom)) return false;
  }
  for (const AnsiString& d : ListeRepertoires(source)) {
    const bool ok = d == "Notices" ? LieDossier(source + d + "/", cible + d + "/", ancien, nouveau, true)
                                   : ReproduitArborescence(source + d, cible + d, true);
    if (!ok) return false;
  }
  return SynchroniseRepertoire(cible);
}

int CodeCopie() { return DerniereErreurSysteme() == TErreurSysteme::DisquePlein ? emDisquePlein : emEchecCopie; }

// A renaming onto a name that some file or directory already bears.
bool NomPris() {
  const TErreurSysteme e = DerniereErreurSysteme();
  return e == TErreurSysteme::Existe || e == TErreurSysteme::NonVide;
}

// Checks the new name of a folder and gives its target directory and the parent directory:
// emAucune, or why the target cannot be made.
int CibleGenealogie(const AnsiString& repertoire, const AnsiString& nouveauNom, AnsiString& cible,
                    AnsiString& parent) {
  if (!NomGenealogieValide(nouveauNom)) return emNomInvalide;
  const AnsiString dossier = SansSeparateurFinal(repertoire);
  parent = ExtraitRepertoire(dossier);
  cible = parent + nouveauNom + ExtraitExtension(dossier);
  if (CheminOccupe(cible)) return emNomExistant;
  if (!EcritureAutorisee(parent)) return emParentLectureSeule;
  return emAucune;
}

}  // namespace

bool NomGenealogieValide(const AnsiString& nom) {
  if (nom.empty() || nom.front() == ' ' || nom.back() == ' ') return false;
  for (const char c : nom) {
    if (static_cast<unsigned char>(c) < 32) return false;
    if (AnsiString("\\/:*?\"<>|.").find(c) != AnsiString::npos) return false;
  }
  return true;
}

std::string TexteErreurMaintenance(int code, const AnsiString& nom) {
  const std::string n = "« " + AnsiVersUtf8(nom) + " »";
  switch (code) {
    case emAucune: return {};
    case emNomInvalide:
      return "le nom " + n + " n'est pas permis : il ne peut être vide ni contenir \\ / : * ? \" < > | . "
             "ou un caractère de contrôle, ni commencer ou finir par une espace";
    case emNomExistant: return "une généalogie ou un fichier nommé " + n + " existe déjà à cet endroit";
    case emParentLectureSeule: return "le répertoire qui contient la généalogie est en lecture seule";
    case emDisquePlein: return "le disque est plein : la copie " + n + " n'a pas été faite, l'original est intact";
    case emEchecCopie: return "la copie " + n + " a échoué, l'original est intact";
    case emEchecRenommage: return "le renommage en " + n + " a échoué, la généalogie garde son nom";
    case emEchecSuppression: return "des fichiers de la généalogie " + n + " n'ont pas pu être supprimés";
    default: return "échec de la maintenance du dossier " + n;
  }
}

bool TGestFichier::RenommeFichier(TTypeFichier type, const AnsiString& nouveauNom, int numero) {
  const AnsiString source = FabriqueNomFichier(type, numero);
  if (!FichierExiste(source)) return false;
  const AnsiString nom = ExtraitNomFichier(source);
  return kyb::RenommeFichier(source, ExtraitRepertoire(source) + NomApresRenommage(nom, Nom, nouveauNom));
}

bool TGestFichier::DupliqueFichier(TTypeFichier type, const AnsiString& nouveauNom, const AnsiString& repertoire,
                                   int numero) {
  const AnsiString source = FabriqueNomFichier(type, numero);
  if (!FichierExiste(source)) return true;  // a kind the folder does not have
  AnsiString cible = AvecSeparateurFinal(repertoire);
  if (type == tfNotices || type == tfIndexNotices) cible += "Notices/";
  cible += NomApresRenommage(ExtraitNomFichier(source), Nom, nouveauNom);
  if (!CopieSure(source, cible)) return false;
  // A store left with its write-ahead journal (opened read-only after a crash) keeps it in the
  // copy: the engine replays it there.
  if ((type == tfBaseDonnees || type == tfAnnulation) && FichierExiste(source + "-wal") &&
      !CopieSure(source + "-wal", cible + "-wal"))
    return false;
  // The copy keeps the dates, so that the indexes stay as recent as the store they describe.
  TDateTime date = 0;
  if (DateModificationFichier(source, date)) (void)DefinitDateModificationFichier(cible, date);
  return true;
}

bool TGestFichier::DupliqueFichierNP(const AnsiString& repertoireCible) {
  const AnsiString source = AvecSeparateurFinal(Repertoire) + "Notices/";
  const AnsiString cible = AvecSeparateurFinal(repertoireCible) + "Notices/";
  for (const AnsiString& f : ListeFichiers(source, "np*.*"))
    if (!CopieSure(source + f, cible + f)) return false;
  return true;
}

int TGestFichier::DupliqueGenealogie(const AnsiString& nouveauNom) {
  AnsiString cible, parent;
  if (const int code = CibleGenealogie(Repertoire, nouveauNom, cible, parent); code != emAucune) return code;
  const AnsiString chantier = cible + kSuffixeCopieInachevee + "/";
  if (CheminOccupe(chantier) && !SupprimeArborescence(chantier)) return emEchecCopie;
  // The code is worked out from the failure before the clean-up runs.
  const auto echec = [&](int code) {
    (void)SupprimeArborescence(chantier);
    return code;
  };
  if (!CreeRepertoires(chantier + "Notices/")) return echec(CodeCopie());
  if (DefChpsCs && !DefChpsCs->DupliqueFichiersGestDupVers(chantier, nouveauNom)) return echec(CodeCopie());
  FermerFichiers();
  for (const TF type : kCopies)
    if (!DupliqueFichier(type, nouveauNom, chantier)) return echec(CodeCopie());
  if (!DupliqueFichierNP(chantier)) return echec(CodeCopie());
  const AnsiString images = AvecSeparateurFinal(Repertoire) + "Images";
  if (IsModeImport() && RepertoireExiste(images) && !ReproduitArborescence(images, chantier + "Images", false))
    return echec(CodeCopie());
  if (!SynchroniseRepertoire(chantier + "Notices/") || !SynchroniseRepertoire(chantier)) return echec(CodeCopie());
  if (!kyb::RenommeFichier(SansSeparateurFinal(chantier), cible)) {
    return echec(NomPris() ? emNomExistant : emEchecCopie);
  }
  (void)SynchroniseRepertoire(parent);
  return emAucune;
}

int TGestFichier::RenommeGenealogie(const AnsiString& nouveauNom) {
  const AnsiString dossier = SansSeparateurFinal(Repertoire);
  AnsiString cible, parent;
  if (const int code = CibleGenealogie(Repertoire, nouveauNom, cible, parent); code != emAucune) return code;
  const bool ouvert = ModuleBDD != nullptr;
  FermerFichiers();
  const AnsiString chantier = cible + kSuffixeRenommage + "/";
  const auto echec = [&](int code) {
    (void)SupprimeArborescence(chantier);
    if (ouvert) OuvrirFichier(false, false);
    return code;
  };
  if (CheminOccupe(chantier) && !SupprimeArborescence(chantier)) return echec(emEchecRenommage);
  if (!LieDossier(AvecSeparateurFinal(dossier), chantier, Nom, nouveauNom, true)) return echec(emEchecRenommage);
  if (!kyb::RenommeFichier(SansSeparateurFinal(chantier), cible))
    return echec(DerniereErreurSysteme() == TErreurSysteme::Existe ? emNomExistant : emEchecRenommage);
  (void)SynchroniseRepertoire(parent);
  // From here the new folder is the genealogy; the old one is set aside, then removed.
  const AnsiString ecarte = NomLibre(dossier + kSuffixeSupprime);
  if (kyb::RenommeFichier(dossier, ecarte)) {
    (void)SynchroniseRepertoire(parent);
    (void)SupprimeArborescence(ecarte);
  }
  Repertoire = cible + "/";
  Nom = nouveauNom;
  return emAucune;
}

int TGestFichier::SuppressionGenealogie() {
  RemoveIllustrationsExternFiles();
  FermerFichiers();
  const AnsiString dossier = AvecSeparateurFinal(Repertoire);
  bool ok = true;
  const auto supprime = [&](const AnsiString& chemin) {
    if (FichierExiste(chemin) && !SupprimeFichier(chemin)) ok = false;
  };
  // The store first: from then on the folder no longer opens as a genealogy.
  for (const TF type : {tfBaseDonnees, tfAnnulation}) {
    supprime(FabriqueNomFichier(type));
    for (const char* journal : kJournaux) supprime(FabriqueNomFichier(type) + journal);
  }
  for (int t = 0; t < kNbTypesFichier; ++t)
    if (t != tfDuplicats) supprime(FabriqueNomFichier(static_cast<TF>(t)));
  for (const AnsiString& f : ListeFichiers(dossier, Nom + ".*"))
    if (EstFichierDuplicats(f, Nom)) supprime(dossier + f);
  for (const AnsiString& f : ListeFichiers(dossier + "Notices/", "np*.*")) supprime(dossier + "Notices/" + f);
  (void)SynchroniseRepertoire(dossier);
  for (const char* sous : {"Notices", "Images"}) (void)SupprimeRepertoireVide(dossier + sous);
  (void)SupprimeRepertoireVide(dossier);
  return ok ? emAucune : emEchecSuppression;
}

}  // namespace kyb
