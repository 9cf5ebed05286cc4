// kyb commands that change a genealogy folder as a whole: renomme, duplique, supprime, and the
// list of the genealogies of a directory.
#include <cstdio>

#include "commandes.h"
#include "dossier_cli.h"
#include "folder/gest_fic.h"
#include "folder/info_genea.h"
#include "folder/maintenance_dossier.h"
#include "platform/arborescence.h"
#include "index/ouverture_genealogie.h"

namespace kyb::cli {
namespace {

bool EstDossierGenealogie(const AnsiString& nom) {
  const AnsiString ext = ExtraitExtension(nom);
  return EgalSansCasseAnsi(ext, ".kya") || EgalSansCasseAnsi(ext, ".ky2") || EgalSansCasseAnsi(ext, ".ky3");
}

// A folder given on the command line: a genealogy folder with its store; an empty message when it is.
std::string VerifieDossier(const AnsiString& store) {
  if (!FichierExiste(store))
    return "aucune généalogie à « " + AnsiVersUtf8(ExtraitRepertoire(store)) + " » (fichier « " +
           AnsiVersUtf8(ExtraitNomFichier(store)) + " » absent)";
  const AnsiString dossier = SansSeparateurFinal(ExtraitRepertoire(store));
  const AnsiString nom = ExtraitNomFichier(dossier);
  if (!EstDossierGenealogie(dossier) || !EgalSansCasseAnsi(ExtraitExtension(store), ".adb") ||
      nom.substr(0, nom.size() - ExtraitExtension(nom).size()) + ".adb" != ExtraitNomFichier(store))
    return "« " + AnsiVersUtf8(store) + " » n'est pas la base d'un dossier généalogique : rien n'a été touché";
  return {};
}

int Renomme(const TAppel& args) {
  const AnsiString store = CheminDossier(args[0]);
  if (const std::string m = VerifieDossier(store); !m.empty()) return Echec(m);
  const AnsiString nouveau = CheminAnsi(args[1]);
  TGestFichier g(store);  // nothing opened: the files are renamed as they lie
  const int code = g.RenommeGenealogie(nouveau);
  if (code != emAucune) return Echec(TexteErreurMaintenance(code, nouveau));
  std::printf("Généalogie renommée : %s\n", AnsiVersUtf8(g.Repertoire).c_str());
  return 0;
}

int Duplique(const TAppel& args) {
  const AnsiString store = CheminDossier(args[0]);
  if (const std::string m = VerifieDossier(store); !m.empty()) return Echec(m);
  const AnsiString nouveau = CheminAnsi(args[1]);
  if (!NomGenealogieValide(nouveau)) return Echec(TexteErreurMaintenance(emNomInvalide, nouveau));
  // Opened, so that the field definitions name their dictionary files to copy.
  TGestFichier g(store, AvecIndex(TGestFichier::OuvertureLectureSeule()));
  if (g.Erreur) return Echec(MessageOuverture(g));
  const int code = g.DupliqueGenealogie(nouveau);
  if (code != emAucune) return Echec(TexteErreurMaintenance(code, nouveau));
  const AnsiString dossier = SansSeparateurFinal(g.Repertoire);
  std::printf("Copie créée : %s%s%s\n", AnsiVersUtf8(ExtraitRepertoire(dossier)).c_str(),
              AnsiVersUtf8(nouveau).c_str(), AnsiVersUtf8(ExtraitExtension(dossier)).c_str());
  return 0;
}

int Supprime(const TAppel& args) {
  if (!args.Present("--oui")) throw ErreurUsage("ajoutez --oui pour confirmer la suppression");
  const AnsiString store = CheminDossier(args[0]);
  if (const std::string m = VerifieDossier(store); !m.empty()) return Echec(m);
  TGestFichier g(store);
  const int code = g.SuppressionGenealogie();
  if (code != emAucune) return Echec(TexteErreurMaintenance(code, g.Nom));
  if (RepertoireExiste(g.Repertoire))
    std::printf("Généalogie supprimée ; le répertoire « %s » garde des fichiers qui ne sont pas les siens\n",
                AnsiVersUtf8(g.Repertoire).c_str());
  else
    std::printf("Généalogie supprimée : %s\n", AnsiVersUtf8(g.Repertoire).c_str());
  return 0;
}

int Genealogies(const TAppel& args) {
  const AnsiString repertoire = AvecSeparateurFinal(CheminAnsi(args[0]));
  if (!RepertoireExiste(repertoire)) return Echec("le répertoire « " + args[0] + " » n'existe pas");
  int nombre = 0;
  for (const AnsiString& d : ListeRepertoires(repertoire)) {
    if (!EstDossierGenealogie(d)) continue;
    const AnsiString base = d.substr(0, d.size() - ExtraitExtension(d).size());
    TDateTime date = 0;
    long personnes = 0;
    if (!GetInfoFileGenea(AnsiVersUnicode(repertoire + d + "/" + base + ".adb"), date, personnes)) continue;
    std::printf("%s\t%ld personne%s\t%s\n", AnsiVersUtf8(d).c_str(), personnes, personnes > 1 ? "s" : "",
                FormatDateHeure("dd/mm/yyyy hh:nn:ss", date).c_str());
    ++nombre;
  }
  std::printf("%d généalogie%s\n", nombre, nombre > 1 ? "s" : "");
  return 0;
}

constexpr TCommande kCommandes[] = {
    {"renomme", "renomme CHEMIN NOUVEAU_NOM", "renomme une généalogie et son dossier", Renomme},
    {"duplique", "duplique CHEMIN NOUVEAU_NOM", "copie une généalogie sous un autre nom", Duplique},
    {"supprime", "supprime CHEMIN [--oui]", "supprime les fichiers d'une généalogie", Supprime},
    {"genealogies", "genealogies REPERTOIRE", "liste les généalogies d'un répertoire", Genealogies},
};

}  // namespace

std::span<const TCommande> CommandesMaintenance() { return kCommandes; }

}  // namespace kyb::cli
