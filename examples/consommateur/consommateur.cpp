// A program built against an installed kybase: it creates a genealogy folder in a temporary
// directory, adds a father and his son, reads the son back and prints him in French.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "folder/gest_fic.h"
#include "folder/gest_fic_pers.h"
#include "index/gest_fic_index.h"
#include "index/ouverture_genealogie.h"
#include "persons/edition_personne.h"
#include "persons/fiche_evenements.h"
#include "persons/gest_pers.h"
#include "platform/fichiers.h"
#include "platform/journal.h"
#include "version.h"

namespace {

using Champs = std::vector<std::pair<std::string, std::string>>;

// Creates a person from its fields; its number, or 0 after printing why it failed.
long Ajoute(kyb::TFicPersons& personnes, const Champs& champs) {
  kyb::TEditionPersonne edition(personnes);
  for (const auto& [champ, valeur] : champs) {
    if (const std::string e = edition.Applique(champ, valeur); !e.empty()) {
      std::fprintf(stderr, "%s : %s\n", champ.c_str(), e.c_str());
      return 0;
    }
  }
  if (const std::string e = edition.Enregistre(); !e.empty()) {
    std::fprintf(stderr, "%s\n", e.c_str());
    return 0;
  }
  return edition.Numero();
}

std::string Nom(const kyb::TPerson& p) {
  return kyb::UnicodeVersUtf8(p.Public.Prenoms) + " " + kyb::UnicodeVersUtf8(p.Public.Nom);
}

int Demonstration(const std::string& repertoire) {
  kyb::DefinitRepertoireJournaux(repertoire + "/journaux");
  const kyb::AnsiString chemin = kyb::ConstruitAccesGenealogie(kyb::Utf8VersAnsi(repertoire + "/"), "Famille", ".adb");
  kyb::TGestFichier dossier(chemin, kyb::AvecIndex(kyb::TGestFichier::Creation()));
  if (dossier.Erreur) {
    std::fprintf(stderr, "Le dossier généalogique n'a pas pu être créé.\n");
    return 1;
  }
  kyb::TFicPersons& personnes = *dossier.GetFicPersons();
  const long pere = Ajoute(personnes, {{"NOM", "Martin"}, {"PRENOMS", "Jean"}, {"SEXE", "M"}});
  const long fils = pere == 0 ? 0
                              : Ajoute(personnes, {{"NOM", "Martin"}, {"PRENOMS", "Louis"}, {"SEXE", "M"},
                                                   {"PERE", std::to_string(pere)}, {"NAISSANCE", "14/07/1850"},
                                                   {"NAISSANCE.lieu", "Rouen"}});
  if (fils == 0) return 1;

  const kyb::TPerson lu(&personnes, fils, true);
  const kyb::TPerson sonPere(&personnes, lu.Public.Pere.No);
  std::printf("kybase %s : %s, fils de %s\n", KYBASE_VERSION, Nom(lu).c_str(), Nom(sonPere).c_str());
  for (const std::string& ligne : kyb::FicheEvenements(dossier, fils, kyb::ResolveursDuDossier(dossier)))
    std::printf("  %s\n", ligne.c_str());
  // The person index finds them by surname.
  for (const auto& trouve : kyb::TFicIndexPerson::De(dossier)->ChercheNom(u"Martin", u"", 10))
    std::printf("Trouvé : %s\n", kyb::UnicodeVersUtf8(kyb::TFicIndexPerson::De(dossier)->LibelleTrouve(trouve)).c_str());
  return 0;
}

}  // namespace

int main() {
  char modele[] = "/tmp/kybase-consommateur-XXXXXX";
  if (!mkdtemp(modele)) {
    std::perror("mkdtemp");
    return 1;
  }
  const int code = Demonstration(modele);
  (void)kyb::SupprimeArborescence(modele);
  return code;
}
