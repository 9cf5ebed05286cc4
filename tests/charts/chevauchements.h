#pragma once
// The check shared by the chart tests: no two boxes, and no two sectors, share any area.
#include <string>

#include "charts/dessin.h"

namespace kyb::test {

// Empty, or the numbers of the first two cases found overlapping.
[[nodiscard]] inline std::string Chevauchement(const TDessin& d) {
  constexpr double e = 1e-6;
  for (size_t i = 0; i < d.Boites.size(); ++i)
    for (size_t j = i + 1; j < d.Boites.size(); ++j) {
      const TBoite& a = d.Boites[i];
      const TBoite& b = d.Boites[j];
      if (a.X + a.Largeur > b.X + e && b.X + b.Largeur > a.X + e && a.Y + a.Hauteur > b.Y + e && b.Y + b.Hauteur > a.Y + e)
        return a.Textes.Numero + " / " + b.Textes.Numero;
    }
  for (size_t i = 0; i < d.Secteurs.size(); ++i)
    for (size_t j = i + 1; j < d.Secteurs.size(); ++j) {
      const TSecteur& a = d.Secteurs[i];
      const TSecteur& b = d.Secteurs[j];
      if (a.RayonExterieur > b.RayonInterieur + e && b.RayonExterieur > a.RayonInterieur + e &&
          a.AngleDebut > b.AngleFin + e && b.AngleDebut > a.AngleFin + e)
        return a.Textes.Numero + " / " + b.Textes.Numero;
    }
  return {};
}

}  // namespace kyb::test
