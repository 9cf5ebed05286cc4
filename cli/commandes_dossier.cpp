// kyb commands on genealogy folders: nouveau, info, sauvegarde, compacter, reparer.
#include <cstdio>

#include "commandes.h"
#include "dossier_cli.h"
#include "folder/gest_fic.h"
#include "interface_terminal.h"
#include "store/datamodulebdd.h"
#include "store/schema_bdd.h"

namespace kyb::cli {
namespace {

std::unique_ptr<TGestFichier> Ouvre(const std::string& chemin, TInterfaceUtilisateur* iu) {
  return std::make_unique<TGestFichier>(CheminDossier(chemin), false, false, false, false, 0,
                                        TGestFichier::mcAucune, false, false, iu);
}

int Nouveau(const Arguments& args) {
  if (args.size() != 1) return Usage("kyb nouveau CHEMIN");
  TInterfaceTerminal iu;
  const TGestFichier g(CheminDossier(args[0]), true, false, false, false, 1, TGestFichier::mcAucune,
                       false, false, &iu);
  if (g.Erreur) return Echec("le dossier généalogique n'a pas pu être créé");
  std::printf("Dossier généalogique créé : %s\n", AnsiVersUtf8(g.Repertoire).c_str());
  return 0;
}

int Info(const Arguments& args) {
  if (args.size() != 1) return Usage("kyb info CHEMIN");
  TInterfaceTerminal iu;
  const auto g = Ouvre(args[0], &iu);
  if (g->Erreur) return Echec(MessageOuverture(*g));
  AfficheInfo(*g);
  return 0;
}

int Sauvegarde(const Arguments& args) {
  if (args.size() != 1) return Usage("kyb sauvegarde CHEMIN");
  const auto g = Ouvre(args[0], nullptr);
  if (g->Erreur) return Echec(MessageOuverture(*g));
  if (g->IsReadOnly() || !g->GetModuleBDD()->CopieADB()) return Echec("la copie de sauvegarde a échoué");
  std::printf("Copie de sauvegarde : %s\n", AnsiVersUtf8(g->GetModuleBDD()->CheminCopie()).c_str());
  return 0;
}

int Compacter(const Arguments& args) {
  if (args.size() != 1) return Usage("kyb compacter CHEMIN");
  TInterfaceTerminal iu;
  const auto g = Ouvre(args[0], &iu);
  if (g->Erreur) return Echec(MessageOuverture(*g));
  const AnsiString chemin = g->FabriqueNomFichier(TGestFichier::tfBaseDonnees);
  const int64_t avant = TailleFichier(chemin);
  if (g->IsReadOnly() || !g->GetModuleBDD()->CompactBDD()) return Echec("le compactage a échoué");
  std::printf("Base compactée : %lld -> %lld octets\n", static_cast<long long>(avant),
              static_cast<long long>(TailleFichier(chemin)));
  return 0;
}

int Reparer(const Arguments& args) {
  if (args.size() != 1) return Usage("kyb reparer CHEMIN");
  TInterfaceTerminal iu;
  const auto g = Ouvre(args[0], &iu);
  if (g->Erreur) return Echec(MessageOuverture(*g));
  if (g->IsReadOnly()) return Echec("le dossier est en lecture seule");
  if (!g->GetModuleBDD()->RepairDatabase(false)) return Echec("la réparation n'a pas abouti");
  std::printf("Réparation terminée : %s\n", g->GetModuleBDD()->Database().VerifieIntegrite().c_str());
  return 0;
}

constexpr TCommande kCommandes[] = {
    {"nouveau", "nouveau CHEMIN", "crée un dossier généalogique", Nouveau},
    {"info", "info CHEMIN", "décrit un dossier généalogique", Info},
    {"sauvegarde", "sauvegarde CHEMIN", "copie de sauvegarde de la base", Sauvegarde},
    {"compacter", "compacter CHEMIN", "compacte la base du dossier", Compacter},
    {"reparer", "reparer CHEMIN", "contrôle et répare la base du dossier", Reparer},
};

}  // namespace

std::span<const TCommande> CommandesDossier() { return kCommandes; }

}  // namespace kyb::cli
