// kyb commands on events: evenements.
#include <cstdio>

#include "commandes.h"
#include "dossier_cli.h"
#include "folder/gest_fic_pers.h"
#include "persons/fiche_evenements.h"
#include "store/datamodulebdd.h"
#include "index/ouverture_genealogie.h"

namespace kyb::cli {
namespace {

int Evenements(const TAppel& args) {
  const long long no = NumeroPersonne(args[1]);
  // Reading only: the folder is opened read-only so that nothing in it changes.
  const auto dossier = OuvreGenealogie(args[0], TAcces::Lecture);
  TGestFichier& g = *dossier;
  TModuleBDD* bdd = g.GetModuleBDD();
  if (!bdd) return Echec("le dossier n'a pas de base de données : ses événements ne sont pas lisibles ici");
  if (!g.FicPersons || !g.FicPersons->NoPersValide(static_cast<long>(no)) || !bdd->IsIDPersExists(static_cast<long>(no)))
    return Echec("la personne " + args[1] + " n'existe pas");
  TEnregPublic p;
  if (!bdd->ReadPerson(p, static_cast<long>(no))) return Echec("la personne " + args[1] + " est illisible");
  const TResolveursFiche r = ResolveursDuDossier(g);
  std::printf("Personne %lld : %s%s\n", no, UnicodeVersUtf8(Rogne(p.Prenoms + u" " + p.Nom)).c_str(),
              p.FicheSupprimee == 'O' ? " (supprimée)" : "");
  const std::vector<std::string> lignes = FicheEvenements(g, static_cast<long>(no), r);
  if (lignes.empty()) std::printf("Aucun événement ni champ.\n");
  for (const std::string& l : lignes) std::printf("%s\n", l.c_str());
  return 0;
}

constexpr TCommande kCommandes[] = {
    {"evenements", "evenements CHEMIN N", "événements et champs de la personne N, dans l'ordre de sa fiche",
     Evenements},
};

}  // namespace

std::span<const TCommande> CommandesEvenements() { return kCommandes; }

}  // namespace kyb::cli
