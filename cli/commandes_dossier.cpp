// kyb commands on genealogy folders: nouveau, info, sauvegarde, compacter, reparer.
#include <cstdio>

#include "commandes.h"
#include "dossier_cli.h"
#include "folder/gest_fic.h"
#include "interface_terminal.h"
#include "store/analyse_bdd.h"
#include "store/datamodulebdd.h"
#include "store/schema_bdd.h"
#include "index/ouverture_genealogie.h"

namespace kyb::cli {
namespace {

std::unique_ptr<TGestFichier> Ouvre(const std::string& chemin, TInterfaceUtilisateur* iu) {
  return std::make_unique<TGestFichier>(CheminDossier(chemin), AvecIndex(TGestFichier::TOptionsOuverture{.SansProgression = false, .Proprietaire = iu}));
}

std::string CheminBase(const TGestFichier& g) {
  return AnsiVersUtf8(g.FabriqueNomFichier(TGestFichier::tfBaseDonnees));
}

int Nouveau(const TAppel& args) {
  TInterfaceTerminal iu;
  const TGestFichier g(CheminNouveauDossier(args[0]), AvecIndex(TGestFichier::TOptionsOuverture{.Creer = true, .SansProgression = false, .PremierePersonne = 1, .Proprietaire = &iu}));
  if (g.Erreur) {
    if (g.ReponseNomExistant != 0)
      return Echec("le dossier « " + AnsiVersUtf8(g.Repertoire) + " » existe déjà : choisissez un autre nom");
    if (g.CodeErreurBDD != TErreurMoteur::Aucune) return Echec(TexteErreurBDD(g.CodeErreurBDD, AnsiVersUtf8(g.Repertoire)));
    return Echec("le dossier généalogique « " + AnsiVersUtf8(g.Repertoire) + " » n'a pas pu être créé");
  }
  std::printf("Dossier généalogique créé : %s\n", AnsiVersUtf8(g.Repertoire).c_str());
  return 0;
}

int Info(const TAppel& args) {
  // --complet: every index of the store checked against its table, not only the pages.
  const bool complet = args.Present("--complet");
  TInterfaceTerminal iu;
  // A folder that another program is writing is described as it reads now, without waiting.
  TGestFichier::TOptionsOuverture options{.SansProgression = false, .Proprietaire = &iu};
  options.AttenteVerrou = std::chrono::milliseconds(0);
  auto g = std::make_unique<TGestFichier>(CheminDossier(args[0]), AvecIndex(options));
  const bool ecritAilleurs = g->Erreur && g->CodeErreurBDD == TErreurMoteur::Occupe;
  if (ecritAilleurs) g = std::make_unique<TGestFichier>(CheminDossier(args[0]), AvecIndex(TGestFichier::OuvertureLectureSeule(&iu)));
  if (g->Erreur) return Echec(MessageOuverture(*g));
  // A damaged store is said so, never shown as empty.
  const TAnalyseBDD analyse =
      AnalyseBDD(*g->GetModuleBDD(), complet ? TVerificationBDD::Complete : TVerificationBDD::Rapide, &iu);
  if (analyse.endommagee) return Echec(TexteErreurBDD(TErreurMoteur::Endommagee, CheminBase(*g)));
  AfficheInfo(*g, ecritAilleurs);
  if (analyse.enregistrementsFoireux > 0)
    std::printf("Anomalies        : %ld enregistrements incohérents (voir %s)\n", analyse.enregistrementsFoireux,
                analyse.journal.c_str());
  return 0;
}

int Sauvegarde(const TAppel& args) {
  const auto g = Ouvre(args[0], nullptr);
  if (g->Erreur) return Echec(MessageOuverture(*g));
  if (g->IsReadOnly()) return Echec("le dossier est en lecture seule : la copie de sauvegarde n'a pas été faite");
  TModuleBDD& m = *g->GetModuleBDD();
  if (!m.CopieADB())
    return Echec("la copie de sauvegarde a échoué, la copie précédente est intacte : " +
                 TexteErreurBDD(m.CodeErreur(), AnsiVersUtf8(m.CheminCopie())));
  std::printf("Copie de sauvegarde : %s\n", AnsiVersUtf8(m.CheminCopie()).c_str());
  return 0;
}

int Compacter(const TAppel& args) {
  TInterfaceTerminal iu;
  const auto g = Ouvre(args[0], &iu);
  if (g->Erreur) return Echec(MessageOuverture(*g));
  if (g->IsReadOnly()) return Echec("le dossier est en lecture seule : il n'a pas été compacté");
  const AnsiString chemin = g->FabriqueNomFichier(TGestFichier::tfBaseDonnees);
  const int64_t avant = TailleFichier(chemin);
  if (!g->GetModuleBDD()->CompactBDD())
    return Echec("le compactage a échoué : " + TexteErreurBDD(g->GetModuleBDD()->CodeErreur(), CheminBase(*g)));
  std::printf("Base compactée : %lld -> %lld octets\n", static_cast<long long>(avant),
              static_cast<long long>(TailleFichier(chemin)));
  return 0;
}

// Prints what the repair kept and lost; 1 when rows were lost.
int BilanReparation(const TModuleBDD& m) {
  for (const std::string& ligne : m.RapportReparation()) std::printf("  %s\n", ligne.c_str());
  std::fflush(stdout);
  if (!m.DernierBilanReparation().SansPerte())
    return Echec("la base est réparée mais des lignes illisibles ont été perdues (détail ci-dessus)");
  std::printf("Réparation terminée : aucune ligne perdue\n");
  return 0;
}

int Reparer(const TAppel& args) {
  TInterfaceTerminal iu;
  auto g = Ouvre(args[0], &iu);
  if (g->Erreur && g->CodeErreurBDD == TErreurMoteur::Endommagee) {
    // A store too damaged for its folder to open is repaired on its own.
    const AnsiString base = g->FabriqueNomFichier(TGestFichier::tfBaseDonnees);
    g.reset();
    TModuleBDD m(nullptr, base, TGestFichier::kVersionBDD);
    if (!m.RepairDatabase(false))
      return Echec("la réparation n'a pas abouti : " + m.Database().DerniereErreur());
    return BilanReparation(m);
  }
  if (g->Erreur) return Echec(MessageOuverture(*g));
  if (g->IsReadOnly()) return Echec("le dossier est en lecture seule : il n'a pas été réparé");
  TModuleBDD& m = *g->GetModuleBDD();
  if (!m.RepairDatabase(false))
    return Echec("la réparation n'a pas abouti : " + m.Database().DerniereErreur());
  return BilanReparation(m);
}

constexpr TCommande kCommandes[] = {
    {"nouveau", "nouveau CHEMIN", "crée un dossier généalogique", Nouveau},
    {"info", "info CHEMIN [--complet]", "décrit un dossier généalogique (--complet : contrôle approfondi de la base)", Info},
    {"sauvegarde", "sauvegarde CHEMIN", "copie de sauvegarde de la base", Sauvegarde},
    {"compacter", "compacter CHEMIN", "compacte la base du dossier", Compacter},
    {"reparer", "reparer CHEMIN", "contrôle et répare la base du dossier", Reparer},
};

}  // namespace

std::span<const TCommande> CommandesDossier() { return kCommandes; }

}  // namespace kyb::cli
