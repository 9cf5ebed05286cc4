#pragma once
// A chart laid out, before it is written: boxes (pedigree and descendants charts) or ring
// sectors (fan chart), the lines between them, in SVG user units (1 unit = 1 px at 96 dpi),
// origin at the top left. Texts are UTF-8, not yet escaped.
#include <string>
#include <vector>

namespace kyb {

// The text lines of one person: name, years, place, as many as the room allows.
struct TTextesBoite {
  std::string Numero;               // Sosa or d'Aboville number, shown small before the name
  std::vector<std::string> Lignes;  // the name first
  double Corps = 10.5;              // font size of the name; the other lines are smaller
  double Place = 0;                 // room for a line: a longer one is squeezed to it
};

// A rectangle of the pedigree or descendants chart.
struct TBoite {
  long No = 0;                      // the person
  double X = 0, Y = 0, Largeur = 0, Hauteur = 0;
  TTextesBoite Textes;
  bool Renvoi = false;              // a person drawn elsewhere in the chart: a reference to it
  char Sexe = '?';
};

// A sector of the fan chart: between two radii and two angles (degrees, counterclockwise from
// the right of the centre; the half circle runs from 180, left, to 0, right).
struct TSecteur {
  long No = 0;
  int Anneau = 0;                   // 0: the root's half disc
  double RayonInterieur = 0, RayonExterieur = 0;
  double AngleDebut = 0, AngleFin = 0;  // AngleDebut > AngleFin
  TTextesBoite Textes;
  bool Radial = false;              // texts along the radius (outer rings), else along the arc
  bool Renvoi = false;
  char Sexe = '?';
};

struct TTrait {
  double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
};

struct TDessin {
  std::string Titre;
  double Largeur = 0, Hauteur = 0;
  double CentreX = 0, CentreY = 0;  // the fan's centre
  std::vector<TBoite> Boites;
  std::vector<TSecteur> Secteurs;
  std::vector<TTrait> Traits;       // elbow lines are given as their straight pieces
  int Generations = 0;              // generations actually drawn
  int GenerationsDemandees = 0;
};

}  // namespace kyb
