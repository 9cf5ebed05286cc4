// kyb arbre: pedigree, descendants and fan charts of a person, written as SVG.
#include <algorithm>
#include <cstdio>

#include "charts/arbre_ascendance.h"
#include "charts/arbre_descendance.h"
#include "charts/arbre_eventail.h"
#include "charts/ecrivain_svg.h"
#include "charts/lecteur_arbre.h"
#include "commandes.h"
#include "dossier_cli.h"

namespace kyb::cli {
namespace {

constexpr int kGenerationsParDefaut = 5;

int Arbre(const TAppel& args) {
  const std::string type = args.Valeur("--type");
  const int maximum = type == "ascendance"    ? kGenerationsAscendanceMax
                      : type == "descendance" ? kGenerationsDescendanceMax
                                              : kGenerationsEventailMax;
  const long long demandees = args.Present("--generations")
                                  ? Entier(args.Valeur("--generations"), 1, 1000, "nombre de générations")
                                  : kGenerationsParDefaut;
  const int generations = static_cast<int>(std::min<long long>(demandees, maximum));
  const AnsiString sortie = CheminSortie(args.Valeur("--sortie"));
  const auto dossier = OuvreGenealogie(args[0], TAcces::Lecture);
  const long no = PersonneDuDossier(*dossier, args[1]);
  TLecteurArbre lecteur(*dossier);
  if (!lecteur.Personne(no)) return Echec("la personne " + std::to_string(no) + " est supprimée");
  const TDessin dessin = type == "ascendance"    ? DessineAscendance(lecteur, no, generations)
                         : type == "descendance" ? DessineDescendance(lecteur, no, generations)
                                                 : DessineEventail(lecteur, no, generations);
  if (const std::string erreur = EcritSvg(dessin, sortie); !erreur.empty()) return Echec(erreur);
  if (demandees > maximum)
    std::printf("%lld générations demandées : ramenées à %d, le plus pour ce type d'arbre.\n", demandees, maximum);
  const size_t personnes = dessin.Boites.size() + dessin.Secteurs.size();
  std::printf("%s : %zu case(s) sur %d génération(s), écrit dans %s\n", dessin.Titre.c_str(), personnes,
              dessin.Generations, args.Valeur("--sortie").c_str());
  return 0;
}

constexpr TCommande kCommandes[] = {
    {"arbre", "arbre CHEMIN N --type ascendance|descendance|eventail [--generations G] --sortie FICHIER",
     "arbre de la personne N en SVG : ascendance, descendance ou éventail (5 générations par défaut)",
     Arbre},
};

}  // namespace

std::span<const TCommande> CommandesArbre() { return kCommandes; }

}  // namespace kyb::cli
