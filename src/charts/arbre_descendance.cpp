#include "charts/arbre_descendance.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

#include "charts/lecteur_arbre.h"
#include "charts/textes_boite.h"

namespace kyb {
namespace {

constexpr double kMarge = 20, kTitre = 30;
constexpr double kLargeur = 200, kEcart = 36;
constexpr double kCorps = 10.5;
constexpr double kHauteur = 3 * 0.85 * 1.2 * kCorps + 8;
constexpr double kPas = kHauteur + 4;  // a box and the gap below it, inside a couple
constexpr double kEntreBandes = 8;     // between the bands of two siblings

class TDisposition {
 public:
  TDisposition(TLecteurArbre& lecteur, int generations, TDessin& d) : lecteur_(lecteur), generations_(generations), d_(d) {}

  // Lays out the person and its descendants in the band starting at y; returns the band's height.
  double Place(const TPersonneArbre& p, const std::string& numero, int g, double y) {
    const double x = kMarge + g * (kLargeur + kEcart);
    const auto [it, nouveau] = dessines_.emplace(p.No, numero);
    const std::string renvoi = nouveau ? std::string() : it->second;
    std::vector<const TPersonneArbre*> conjoints;
    if (nouveau)
      for (const long c : p.Conjoints)
        if (const TPersonneArbre* q = lecteur_.Personne(c)) conjoints.push_back(q);
    const double couple = kPas * static_cast<double>(1 + conjoints.size()) - 4;
    // The children first: the couple is then centred on their band.
    std::vector<double> milieux;
    double bande = 0;
    if (nouveau && g + 1 < generations_) {
      int rang = 0;
      for (const long e : p.Enfants) {
        const TPersonneArbre* enfant = lecteur_.Personne(e);
        if (!enfant) continue;
        if (!milieux.empty()) bande += kEntreBandes;
        const size_t indice = d_.Boites.size();
        const double hauteur = Place(*enfant, numero + "." + std::to_string(++rang), g + 1, y + bande);
        milieux.push_back(d_.Boites[indice].Y + kHauteur / 2);
        bande += hauteur;
      }
    }
    const double haut = y + std::max(0.0, (bande - couple) / 2);
    Ajoute(p, numero, renvoi, x, haut);
    for (size_t i = 0; i < conjoints.size(); ++i) {
      const TPersonneArbre& c = *conjoints[i];
      const auto vu = dessines_.find(c.No);
      Ajoute(c, "∞", vu == dessines_.end() ? std::string() : vu->second, x, haut + kPas * static_cast<double>(i + 1));
    }
    if (!milieux.empty()) Relie(x + kLargeur, haut + kHauteur / 2, milieux);
    d_.Generations = std::max(d_.Generations, g + 1);
    return std::max(bande, couple);
  }

 private:
  void Ajoute(const TPersonneArbre& p, const std::string& numero, const std::string& renvoi, double x, double y) {
    TBoite b;
    b.No = p.No;
    b.Sexe = p.Sexe;
    b.X = x;
    b.Y = y;
    b.Largeur = kLargeur;
    b.Hauteur = kHauteur;
    b.Renvoi = !renvoi.empty();
    b.Textes = b.Renvoi ? TextesRenvoi(p, numero, renvoi, 3, kLargeur - 10, kCorps)
                        : TextesPersonne(p, numero, 3, kLargeur - 10, kCorps);
    d_.Boites.push_back(std::move(b));
  }

  // From the couple's right side to each child's left side, through a vertical at mid-gap.
  void Relie(double x, double y, const std::vector<double>& enfants) {
    const double xm = x + kEcart / 2;
    d_.Traits.push_back({x, y, xm, y});
    d_.Traits.push_back({xm, std::min(y, enfants.front()), xm, std::max(y, enfants.back())});
    for (const double ye : enfants) d_.Traits.push_back({xm, ye, x + kEcart, ye});
  }

  TLecteurArbre& lecteur_;
  const int generations_;
  TDessin& d_;
  std::unordered_map<long, std::string> dessines_;  // person → its d'Aboville number
};

}  // namespace

TDessin DessineDescendance(TLecteurArbre& lecteur, long racine, int generations) {
  generations = std::clamp(generations, 1, kGenerationsDescendanceMax);
  TDessin d;
  d.GenerationsDemandees = generations;
  const TPersonneArbre* p = lecteur.Personne(racine);
  if (!p) return d;
  TDisposition disposition(lecteur, generations, d);
  const double hauteur = disposition.Place(*p, "1", 0, kMarge + kTitre);
  d.Titre = "Descendance de " + p->Nom;
  d.Largeur = 2 * kMarge + d.Generations * kLargeur + (d.Generations - 1) * kEcart;
  d.Hauteur = 2 * kMarge + kTitre + hauteur;
  return d;
}

}  // namespace kyb
