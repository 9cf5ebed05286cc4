// kyb commands on the person index: index (verification, rebuilding, repair).
#include <cstdio>

#include "commandes.h"
#include "dossier_cli.h"
#include "folder/gest_fic.h"
#include "folder/gest_fic_pers.h"
#include "interface_terminal.h"
#include "platform/fichiers.h"
#include "index/gest_fic_index.h"
#include "persons/gest_pers.h"
#include "index/ouverture_genealogie.h"

namespace kyb::cli {
namespace {

void Ligne(const char* libelle, long n) {
  if (n) std::printf("  %-42s : %ld\n", libelle, n);
}

// The repair of the whole genealogy and what it did.
int Repare(TFicIndexPerson& index) {
  const TBilanReconstruction b = index.ReconstruitIndex(1, true);
  if (b.Abandonnee) return Echec("la réparation a été abandonnée : rien n'a été changé aux personnes ni à l'index");
  std::printf("Généalogie réparée : %ld personnes, %ld lignes d'index.\n", b.NbPersonnes, index.NbLignes());
  Ligne("fiches absentes recréées (supprimées)", b.FichesRecreees);
  Ligne("liens vers une fiche absente retirés", b.LiensRetires);
  Ligne("liens non réciproques (signalés)", b.LiensNonReciproques);
  Ligne("témoins devenus personnes", b.TypesCorriges);
  Ligne("ordres d'enfants rétablis", b.OrdresCorriges);
  Ligne("notes hors du fichier retirées", b.NotesRetirees);
  Ligne("notes de couple complétées", b.NotesCouplesCompletees);
  Ligne("personnes au-delà du nombre supprimées", b.PersonnesEnTrop);
  if (!b.Rapport.empty())
    std::printf("Rapport des erreurs (%ld) : %s\n", b.Signalements, AnsiVersUtf8(b.Rapport).c_str());
  return 0;
}

int Index(const TAppel& args) {
  TInterfaceTerminal iu;
  const auto dossier = OuvreGenealogie(args[0], TAcces::Ecriture, &iu);
  TGestFichier& g = *dossier;
  TFicIndexPerson* index = TFicIndexPerson::De(g);
  if (!index || g.IsReadOnly()) return Echec("le dossier est en lecture seule : l'index ne peut pas être modifié");
  if (args.Commande() == "index repare") return Repare(*index);
  if (args.Commande() == "index reconstruit") {
    if (!index->ReinitTableIndex()) return Echec("la table d'index n'a pas pu être recréée");
    std::printf("Index reconstruit : %ld lignes, %d entrées en mémoire.\n", index->NbLignes(),
                index->Index() ? index->Index()->GetNbElt() : 0);
    return 0;
  }
  TBilanIndex bilan;
  {
    TProgression barre(&iu, u"Vérification des index");
    barre.Texte(u"Traitement en cours...");
    bilan = index->CheckIndexValid(&barre, true);
  }
  std::printf("Lignes d'index vérifiées : %ld\n", bilan.LignesLues);
  if (bilan.Defauts() == 0) {
    std::printf("L'index des personnes est correct.\n");
    return 0;
  }
  std::printf("Défauts trouvés :\n");
  Ligne("lignes d'une personne absente", bilan.LignesPersonneAbsente);
  Ligne("lignes d'une personne supprimée", bilan.LignesPersonneSupprimee);
  Ligne("lignes en double", bilan.LignesEnDouble);
  Ligne("lignes périmées", bilan.LignesPerimees);
  Ligne("lignes endommagées", bilan.LignesFoireuses);
  Ligne("lignes absentes de l'index en mémoire", bilan.LignesHorsMemoire);
  Ligne("personnes sans toutes leurs lignes", bilan.PersonnesSansLignes);
  Ligne("entrées en mémoire sans ligne", bilan.ElementsSansLigne);
  if (EcrituresEchouees() > 0) return Echec("l'index n'a pas pu être réparé : une écriture a échoué");
  std::printf("Index réparé : %ld personne(s) réindexée(s), %ld lignes.\n", bilan.PersonnesReparees,
              index->NbLignes());
  return 0;
}

constexpr TCommande kCommandes[] = {
    {"index verifie", "index verifie CHEMIN", "vérifie l'index des personnes et le répare", Index},
    {"index reconstruit", "index reconstruit CHEMIN", "reconstruit l'index des personnes", Index},
    {"index repare", "index repare CHEMIN", "répare toute la généalogie (liens, index, notes...)", Index},
};

}  // namespace

std::span<const TCommande> CommandesIndex() { return kCommandes; }

}  // namespace kyb::cli
