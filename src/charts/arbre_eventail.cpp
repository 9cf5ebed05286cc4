#include "charts/arbre_eventail.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <unordered_map>
#include <vector>

#include "charts/lecteur_arbre.h"
#include "charts/textes_boite.h"

namespace kyb {
namespace {

constexpr double kMarge = 20, kTitre = 30;
constexpr double kRayonRacine = 80;
constexpr double kAnneauArc = 95, kAnneauRadial = 190;  // widths before widening
constexpr int kPremierRadial = 4;
constexpr double kCorps = 10, kCorpsRadial = 8.5;

struct TAnneau {
  double Interieur = 0, Exterieur = 0;
};

// Radii of rings 0..generations-1. A radial ring needs its sectors one line high at its inner
// radius (2^g sectors on a half circle); when it needs more than the ring before it ends, the
// radial rings before it widen equally to close the gap.
std::vector<TAnneau> Anneaux(int generations) {
  std::vector<double> largeur(static_cast<size_t>(generations));
  for (int g = 1; g < generations; ++g) largeur[static_cast<size_t>(g)] = g < kPremierRadial ? kAnneauArc : kAnneauRadial;
  std::vector<TAnneau> a(static_cast<size_t>(generations));
  for (bool fini = false; !fini;) {
    fini = true;
    a[0] = {0, kRayonRacine};
    for (int g = 1; g < generations && fini; ++g) {
      const size_t i = static_cast<size_t>(g);
      const double besoin = g >= kPremierRadial ? std::ldexp(HauteurLigne(kCorpsRadial), g) / std::numbers::pi : 0;
      a[i].Interieur = a[i - 1].Exterieur;
      if (besoin > a[i].Interieur + 0.5) {
        const int avant = g - kPremierRadial;
        if (avant > 0) {
          for (int k = kPremierRadial; k < g; ++k) largeur[static_cast<size_t>(k)] += (besoin - a[i].Interieur) / avant;
          fini = false;
          continue;
        }
        a[i].Interieur = besoin;
      }
      a[i].Exterieur = a[i].Interieur + largeur[i];
    }
  }
  return a;
}

}  // namespace

TDessin DessineEventail(TLecteurArbre& lecteur, long racine, int generations) {
  generations = std::clamp(generations, 1, kGenerationsEventailMax);
  const long nbNumeros = 1L << generations;
  const std::vector<TAnneau> anneaux = Anneaux(generations);
  const double rayon = anneaux.back().Exterieur;
  TDessin d;
  d.GenerationsDemandees = generations;
  d.Largeur = 2 * (rayon + kMarge);
  d.Hauteur = rayon + 2 * kMarge + kTitre;
  d.CentreX = d.Largeur / 2;
  d.CentreY = kMarge + kTitre + rayon;
  std::vector<long> no(static_cast<size_t>(nbNumeros), 0);
  std::vector<char> renvoi(static_cast<size_t>(nbNumeros), 0);
  std::unordered_map<long, long> premier;
  no[1] = racine;
  for (long s = 1; s < nbNumeros; ++s) {
    const size_t i = static_cast<size_t>(s);
    if (s > 1) {
      const TPersonneArbre* e = no[i / 2] && !renvoi[i / 2] ? lecteur.Personne(no[i / 2]) : nullptr;
      no[i] = e ? (s % 2 ? e->Mere : e->Pere) : 0;
    }
    const TPersonneArbre* p = no[i] ? lecteur.Personne(no[i]) : nullptr;
    if (!p) {
      no[i] = 0;
      continue;
    }
    int g = 0;
    while ((2L << g) <= s) ++g;
    const TAnneau& a = anneaux[static_cast<size_t>(g)];
    TSecteur sec;
    sec.No = p->No;
    sec.Sexe = p->Sexe;
    sec.Anneau = g;
    sec.RayonInterieur = a.Interieur;
    sec.RayonExterieur = a.Exterieur;
    const double pas = 180.0 / static_cast<double>(1L << g);
    sec.AngleDebut = 180.0 - pas * static_cast<double>(s - (1L << g));
    sec.AngleFin = sec.AngleDebut - pas;
    sec.Radial = g >= kPremierRadial;
    // Room: along the radius for radial texts; along the arc (or the root's diameter) otherwise.
    const double arcInterieur = a.Interieur * pas * std::numbers::pi / 180;
    const double corps = sec.Radial ? kCorpsRadial : kCorps;
    int lignes = 3;
    double place = 0;
    if (g == 0) {
      place = 1.6 * kRayonRacine;
    } else if (sec.Radial) {
      lignes = static_cast<int>(arcInterieur / HauteurLigne(corps));
      place = a.Exterieur - a.Interieur - 8;
    } else {
      lignes = static_cast<int>((a.Exterieur - a.Interieur - 6) / HauteurLigne(corps));
      place = 0.9 * (a.Interieur + a.Exterieur) / 2 * pas * std::numbers::pi / 180;
    }
    lignes = std::clamp(lignes, 1, 3);
    const auto [it, nouveau] = premier.emplace(p->No, s);
    renvoi[i] = !nouveau;
    sec.Renvoi = !nouveau;
    sec.Textes = nouveau ? TextesPersonne(*p, std::to_string(s), lignes, place, corps)
                         : TextesRenvoi(*p, std::to_string(s), std::to_string(it->second), lignes, place, corps);
    d.Secteurs.push_back(std::move(sec));
    d.Generations = std::max(d.Generations, g + 1);
  }
  if (!d.Secteurs.empty()) d.Titre = "Éventail de " + d.Secteurs.front().Textes.Lignes.front();
  return d;
}

}  // namespace kyb
