// Renaming, duplicating and deleting a genealogy folder (safety scheme in maintenance_dossier.h).
#include "folder/maintenance_dossier.h"

#include <algorithm>
#include <chrono>
#include <cctype>
#include <utility>
#include <vector>

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

// Files the store layer writes beside the store under the genealogy's name: backup copies and
// the store set aside by a conversion.
constexpr const char* kCopiesStore[] = {"_backup.adb", "-backup.adb", "_v4.adb", "_v5.adb"};

// The name of a folder file once the genealogy is called nouveau: "<ancien>.<ext>" becomes
// "<nouveau>.<ext>" and a backup copy "<ancien>_backup.adb" "<nouveau>_backup.adb", so that a
// restore finds it; files of fixed names keep theirs.
AnsiString NomApresRenommage(const AnsiString& fichier, const AnsiString& ancien, const AnsiString& nouveau) {
  if (fichier.size() > ancien.size() && fichier.compare(0, ancien.size() + 1, ancien + ".") == 0)
    return nouveau + fichier.substr(ancien.size());
  for (const char* copie : kCopiesStore)
    for (const char* journal : {"", "-wal", "-shm", "-journal"})
      if (fichier == ancien + copie + journal) return nouveau + copie + journal;
  return fichier;
}

// Whether fichier is "<store>.corrompu" or "<store>.corrompu.N": a damaged store kept by a repair.
bool EstStoreEcarte(const AnsiString& fichier, const AnsiString& store) {
  const AnsiString debut = store + ".corrompu";
  if (fichier.compare(0, debut.size(), debut) != 0) return false;
  if (fichier.size() == debut.size()) return true;
  if (fichier[debut.size()] != '.' || fichier.size() == debut.size() + 1) return false;
  for (size_t i = debut.size() + 1; i < fichier.size(); ++i)
    if (!std::isdigit(static_cast<unsigned char>(fichier[i]))) return false;
  return true;
}

// Entries of the folder kept as they lie under the new name: the files of the top level and of
// Notices/ renamed, every other entry keeps its name.
AnsiString NomEntreeRenommee(const AnsiString& sous, const AnsiString& entree, const AnsiString& ancien,
                             const AnsiString& nouveau) {
  return sous.empty() || sous == "Notices/" ? NomApresRenommage(entree, ancien, nouveau) : entree;
}

// Whether the manager names the genealogy of a recognised folder: "<nom>.<ext>" of that name.
bool EstLaGenealogie(const AnsiString& repertoire, const AnsiString& nom) {
  const AnsiString dossier = ExtraitNomFichier(SansSeparateurFinal(repertoire));
  return EstDossierGenealogie(repertoire) &&
         dossier.substr(0, dossier.size() - ExtraitExtension(dossier).size()) == nom;
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

bool EstDossierGenealogie(const AnsiString& repertoire) {
  const AnsiString dossier = SansSeparateurFinal(NormaliseChemin(repertoire));
  const AnsiString extension = ExtraitExtension(dossier), nomDossier = ExtraitNomFichier(dossier);
  if (extension.size() < 2 || nomDossier.size() <= extension.size() || EstLienSymbolique(dossier) ||
      !RepertoireExiste(dossier))
    return false;
  const AnsiString base = dossier + "/" + nomDossier.substr(0, nomDossier.size() - extension.size());
  for (const char* fichier : {".adb", ".prs"})
    if (FichierExiste(base + fichier) && !EstLienSymbolique(base + fichier)) return true;
  return false;
}

AnsiString DossierGenealogieContenant(const AnsiString& chemin) {
  AnsiString resolu = CheminResolu(chemin);
  while (!resolu.empty() && resolu != "/") {
    if (EstDossierGenealogie(resolu)) return resolu;
    resolu = SansSeparateurFinal(ExtraitRepertoire(resolu));
  }
  return {};
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
    case emPasGenealogie: return n + " n'est pas un dossier généalogique : rien n'a été touché";
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

AnsiString asRepStockageProjetTmp;

namespace {

// The genealogy's subdirectory of the temporary project directory takes the new name; one
// already under the new name is left as it is (nothing of it is overwritten).
void RenommeProjetTemporaire(const AnsiString& ancien, const AnsiString& nouveau) {
  if (asRepStockageProjetTmp.empty()) return;
  const AnsiString base = AvecSeparateurFinal(asRepStockageProjetTmp);
  if (!RepertoireExiste(base + ancien) || CheminOccupe(base + nouveau)) return;
  if (kyb::RenommeFichier(base + ancien, base + nouveau)) (void)SynchroniseRepertoire(base);
}

}  // namespace

int TGestFichier::RenommeGenealogie(const AnsiString& nouveauNom) {
  if (!EstLaGenealogie(Repertoire, Nom)) return emPasGenealogie;
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
  const AnsiString ancien = Nom;
  const auto nom = [&](const AnsiString& sous, const AnsiString& entree) {
    return NomEntreeRenommee(sous, entree, ancien, nouveauNom);
  };
  if (!LieArborescence(dossier, chantier, nom)) return echec(emEchecRenommage);
  // The writer's lock goes over to the new folder before it takes the name, so that no other
  // program can open it for writing in between.
  TVerrouRepertoire verrou;
  if (VerrouEcriture.Tenu() && !(verrou = TVerrouRepertoire::Prend(chantier, std::chrono::milliseconds(0))).Tenu())
    return echec(emEchecRenommage);
  if (!kyb::RenommeFichier(SansSeparateurFinal(chantier), cible))
    return echec(DerniereErreurSysteme() == TErreurSysteme::Existe ? emNomExistant : emEchecRenommage);
  if (verrou.Tenu()) VerrouEcriture = std::move(verrou);
  (void)SynchroniseRepertoire(parent);
  // From here the new folder is the genealogy; the old one is set aside, then removed.
  const AnsiString ecarte = NomLibre(dossier + kSuffixeSupprime);
  if (kyb::RenommeFichier(dossier, ecarte)) {
    (void)SynchroniseRepertoire(parent);
    (void)SupprimeArborescence(ecarte);
  }
  Repertoire = cible + "/";
  Nom = nouveauNom;
  RenommeProjetTemporaire(ancien, nouveauNom);
  return emAucune;
}

int TGestFichier::SuppressionGenealogie() {
  if (!EstLaGenealogie(Repertoire, Nom)) return emPasGenealogie;
  RemoveIllustrationsExternFiles();
  FermerFichiers();
  const AnsiString dossier = AvecSeparateurFinal(Repertoire);
  const AnsiString store = FabriqueNomFichier(tfBaseDonnees), annulation = FabriqueNomFichier(tfAnnulation);
  bool ok = true;
  const auto supprime = [&](const AnsiString& chemin) {
    if (CheminOccupe(chemin) && !RepertoireExiste(chemin) && !SupprimeFichier(chemin)) ok = false;
  };
  // The store first: from then on the folder no longer opens as a genealogy.
  for (const AnsiString& base : {store, annulation}) {
    supprime(base);
    for (const char* journal : kJournaux) supprime(base + journal);
  }
  // Every file the library names and writes: the kinds, the dictionaries, the backup copies and
  // set-aside stores, the damaged stores a repair kept, the repair report, and the temporaries
  // of a replacement cut short.
  std::vector<AnsiString> siens;
  for (int t = 0; t < kNbTypesFichier; ++t)
    if (t != tfDuplicats) siens.push_back(FabriqueNomFichier(static_cast<TF>(t)));
  for (const char* copie : kCopiesStore)
    for (const char* journal : {"", "-wal", "-shm", "-journal"}) siens.push_back(dossier + Nom + copie + journal);
  siens.push_back(ChangeExtension(store, ".~adb"));
  siens.push_back(dossier + "err.txt");
  const auto sien = [&](const AnsiString& chemin) {
    const AnsiString nom = ExtraitNomFichier(chemin);
    if (EstFichierDuplicats(nom, Nom) || EstStoreEcarte(nom, ExtraitNomFichier(store)) ||
        EstStoreEcarte(nom, ExtraitNomFichier(annulation)))
      return true;
    const bool temporaire = nom.size() > 4 && nom.compare(nom.size() - 4, 4, ".tmp") == 0;
    const AnsiString base = temporaire ? chemin.substr(0, chemin.size() - 4) : chemin;
    return std::find(siens.begin(), siens.end(), base) != siens.end() ||
           (base != chemin && EstFichierDuplicats(ExtraitNomFichier(base), Nom));
  };
  for (const AnsiString& f : siens) supprime(f);
  for (const AnsiString& f : ListeFichiers(dossier, "*.*"))
    if (sien(dossier + f)) supprime(dossier + f);
  // Notices/ is entered only when it is a directory of the folder, never through a link.
  const AnsiString notices = dossier + "Notices/";
  if (!EstLienSymbolique(notices))
    for (const AnsiString& f : ListeFichiers(notices, "*.*"))
      if (CorrespondMotif(f, "np*.*") || sien(notices + f)) supprime(notices + f);
  (void)SynchroniseRepertoire(dossier);
  for (const char* sous : {"Notices", "Images"}) (void)SupprimeRepertoireVide(dossier + sous);
  (void)SupprimeRepertoireVide(dossier);
  return ok ? emAucune : emEchecSuppression;
}

}  // namespace kyb
