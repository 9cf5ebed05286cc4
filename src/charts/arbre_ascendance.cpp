#include "charts/arbre_ascendance.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "charts/lecteur_arbre.h"
#include "charts/textes_boite.h"

namespace kyb {
namespace {

constexpr double kMarge = 20, kTitre = 30;
constexpr double kLargeur = 200, kEcart = 36;  // box width, gap between columns
constexpr double kCorps = 10.5;
constexpr double kHauteur = 3 * 0.85 * 1.2 * kCorps + 8;  // three lines and their padding
constexpr double kCase = kHauteur + 6;                    // slot of the last column

}  // namespace

TDessin DessineAscendance(TLecteurArbre& lecteur, long racine, int generations) {
  generations = std::clamp(generations, 1, kGenerationsAscendanceMax);
  const long nbCases = 1L << generations;  // Sosa numbers 1 .. nbCases - 1
  TDessin d;
  d.GenerationsDemandees = generations;
  d.Largeur = 2 * kMarge + generations * kLargeur + (generations - 1) * kEcart;
  d.Hauteur = 2 * kMarge + kTitre + static_cast<double>(nbCases / 2) * kCase;
  std::vector<long> no(static_cast<size_t>(nbCases), 0);  // person of each Sosa number, 0: none
  std::vector<int> boite(static_cast<size_t>(nbCases), -1);
  std::unordered_map<long, long> premier;  // person → its smallest Sosa number
  no[1] = racine;
  for (long s = 1; s < nbCases; ++s) {
    if (s > 1) {
      const long enfant = s / 2;
      const TPersonneArbre* e = no[static_cast<size_t>(enfant)] ? lecteur.Personne(no[static_cast<size_t>(enfant)]) : nullptr;
      if (!e || d.Boites[static_cast<size_t>(boite[static_cast<size_t>(enfant)])].Renvoi) continue;
      no[static_cast<size_t>(s)] = s % 2 ? e->Mere : e->Pere;
    }
    const TPersonneArbre* p = no[static_cast<size_t>(s)] ? lecteur.Personne(no[static_cast<size_t>(s)]) : nullptr;
    if (!p) {
      no[static_cast<size_t>(s)] = 0;
      continue;
    }
    int g = 0;
    while ((2L << g) <= s) ++g;
    const double hauteurCase = kCase * static_cast<double>(nbCases / 2 >> g);
    TBoite b;
    b.No = p->No;
    b.Sexe = p->Sexe;
    b.X = kMarge + g * (kLargeur + kEcart);
    b.Y = kMarge + kTitre + hauteurCase * static_cast<double>(s - (1L << g)) + (hauteurCase - kHauteur) / 2;
    b.Largeur = kLargeur;
    b.Hauteur = kHauteur;
    const auto [it, nouveau] = premier.emplace(p->No, s);
    b.Renvoi = !nouveau;
    b.Textes = nouveau ? TextesPersonne(*p, std::to_string(s), 3, kLargeur - 10, kCorps)
                       : TextesRenvoi(*p, std::to_string(s), std::to_string(it->second), 3, kLargeur - 10, kCorps);
    if (s > 1) {  // elbow from the child's right side to this box's left side
      const TBoite& c = d.Boites[static_cast<size_t>(boite[static_cast<size_t>(s / 2)])];
      const double xm = c.X + c.Largeur + kEcart / 2, yc = c.Y + c.Hauteur / 2, yp = b.Y + b.Hauteur / 2;
      d.Traits.push_back({c.X + c.Largeur, yc, xm, yc});
      d.Traits.push_back({xm, yc, xm, yp});
      d.Traits.push_back({xm, yp, b.X, yp});
    }
    boite[static_cast<size_t>(s)] = static_cast<int>(d.Boites.size());
    d.Boites.push_back(std::move(b));
    d.Generations = std::max(d.Generations, g + 1);
  }
  if (!d.Boites.empty()) d.Titre = "Ascendance de " + d.Boites.front().Textes.Lignes.front();
  return d;
}

}  // namespace kyb
