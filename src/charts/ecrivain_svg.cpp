#include "charts/ecrivain_svg.h"

#include <charconv>
#include <cmath>
#include <numbers>

#include "charts/textes_boite.h"
#include "platform/ecriture_atomique.h"
#include "platform/fichiers.h"

namespace kyb {
namespace {

constexpr const char* kStyle =
    "<style>"
    "text{font-family:'DejaVu Sans',Verdana,sans-serif;fill:#1a1a1a}"
    ".titre{font-size:16px;font-weight:bold}"
    ".nom{font-weight:bold}.no{font-weight:normal;fill:#666}"
    ".M{fill:#dde8f6;stroke:#3a6ea5}.F{fill:#f8e0e8;stroke:#b04a6e}.I{fill:#eeeeee;stroke:#777}"
    ".renvoi{stroke-dasharray:4 3;fill-opacity:0.45}"
    ".traits{fill:none;stroke:#555;stroke-width:1}"
    "</style>\n";

// A coordinate with one decimal, whatever the locale.
std::string N(double v) {
  char tampon[32];
  const auto fin = std::to_chars(tampon, tampon + sizeof tampon, std::round(v * 10) / 10, std::chars_format::fixed, 1);
  std::string s(tampon, fin.ptr);
  if (s.size() > 2 && s.compare(s.size() - 2, 2, ".0") == 0) s.resize(s.size() - 2);
  return s == "-0" ? "0" : s;
}

const char* Classe(char sexe) { return sexe == 'M' ? "M" : sexe == 'F' ? "F" : "I"; }

// One text element per line, centred (milieu) or left-aligned at the frame's origin, the frame
// placed by transformation; y: baseline of each line relative to the frame.
void Lignes(std::string& s, const TTextesBoite& t, const std::string& transformation, bool milieu,
            const std::vector<double>& y) {
  for (size_t i = 0; i < t.Lignes.size(); ++i) {
    double corps = i == 0 ? t.Corps : t.Corps * 0.85;
    // A line longer than its room gets a smaller font, which every renderer honours.
    const std::string numero = i == 0 && !t.Numero.empty() ? t.Numero + "  " : std::string();
    if (const double largeur = LargeurTexte(numero + t.Lignes[i], corps); t.Place > 0 && largeur > t.Place)
      corps *= t.Place / largeur;
    s += "<text";
    if (i == 0) s += " class=\"nom\"";
    s += " font-size=\"" + N(corps) + "\" x=\"0\" y=\"" + N(y[i]) + "\"";
    if (milieu) s += " text-anchor=\"middle\"";
    if (!transformation.empty()) s += " transform=\"" + transformation + "\"";
    s += ">";
    // The number's gap is a shift, not a space, which renderers drop at a tspan's end.
    if (!numero.empty()) s += "<tspan class=\"no\">" + EchappeXml(t.Numero) + "</tspan><tspan dx=\"" + N(corps * 0.5) + "\">";
    s += EchappeXml(t.Lignes[i]) + (numero.empty() ? "" : "</tspan>") + "</text>\n";
  }
}

void Boite(std::string& s, const TBoite& b) {
  s += "<rect class=\"" + std::string(Classe(b.Sexe)) + (b.Renvoi ? " renvoi" : "") + "\" x=\"" + N(b.X) + "\" y=\"" +
       N(b.Y) + "\" width=\"" + N(b.Largeur) + "\" height=\"" + N(b.Hauteur) + "\" rx=\"4\"/>\n";
  std::vector<double> y;
  double base = 4 + b.Textes.Corps * 0.95;
  for (size_t i = 0; i < b.Textes.Lignes.size(); ++i) {
    y.push_back(base);
    base += HauteurLigne(b.Textes.Corps * 0.85);
  }
  Lignes(s, b.Textes, "translate(" + N(b.X + 5) + " " + N(b.Y) + ")", false, y);
}

void Secteur(std::string& s, const TSecteur& sec, double cx, double cy) {
  const auto point = [cx, cy](double r, double angle) {
    const double a = angle * std::numbers::pi / 180;
    return N(cx + r * std::cos(a)) + " " + N(cy - r * std::sin(a));
  };
  const std::string ro = N(sec.RayonExterieur), ri = N(sec.RayonInterieur);
  std::string chemin = "M" + point(sec.RayonExterieur, sec.AngleDebut) + " A" + ro + " " + ro + " 0 0 1 " +
                       point(sec.RayonExterieur, sec.AngleFin);
  if (sec.RayonInterieur > 0)
    chemin += " L" + point(sec.RayonInterieur, sec.AngleFin) + " A" + ri + " " + ri + " 0 0 0 " +
              point(sec.RayonInterieur, sec.AngleDebut);
  else
    chemin += " L" + N(cx) + " " + N(cy);
  s += "<path class=\"" + std::string(Classe(sec.Sexe)) + (sec.Renvoi ? " renvoi" : "") + "\" d=\"" + chemin + " Z\"/>\n";
  // The texts' frame: its origin midway in the ring on the sector's middle angle, turned along
  // the radius (reading outward on the right half, inward on the left) or along the arc.
  const double milieu = (sec.AngleDebut + sec.AngleFin) / 2;
  const double r = sec.Anneau == 0 ? sec.RayonExterieur * 0.45 : (sec.RayonInterieur + sec.RayonExterieur) / 2;
  const double rotation = sec.Anneau == 0 ? 0 : sec.Radial ? (milieu < 90 ? -milieu : 180 - milieu) : 90 - milieu;
  const size_t n = sec.Textes.Lignes.size();
  const double pas = HauteurLigne(sec.Textes.Corps * 0.9);
  std::vector<double> y;
  for (size_t i = 0; i < n; ++i)
    y.push_back((static_cast<double>(i) - static_cast<double>(n - 1) / 2) * pas + sec.Textes.Corps * 0.35);
  Lignes(s, sec.Textes, "translate(" + point(r, milieu) + ") rotate(" + N(rotation) + ")", true, y);
}

}  // namespace

std::string EchappeXml(std::string_view utf8) {
  std::string s;
  s.reserve(utf8.size());
  for (const char c : utf8) {
    switch (c) {
      case '&': s += "&amp;"; break;
      case '<': s += "&lt;"; break;
      case '>': s += "&gt;"; break;
      case '"': s += "&quot;"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') s += "\xEF\xBF\xBD";
        else s += c;
    }
  }
  return s;
}

std::string SvgDuDessin(const TDessin& d) {
  std::string s = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  // Whole pixels, so that a renderer's image has exactly the document's size.
  const std::string largeur = N(std::ceil(d.Largeur)), hauteur = N(std::ceil(d.Hauteur));
  s += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" + largeur + "\" height=\"" + hauteur +
       "\" viewBox=\"0 0 " + largeur + " " + hauteur + "\">\n";
  s += "<title>" + EchappeXml(d.Titre) + "</title>\n";
  s += kStyle;
  s += "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
  s += "<text class=\"titre\" x=\"20\" y=\"34\">" + EchappeXml(d.Titre) + "</text>\n";
  if (!d.Traits.empty()) {
    s += "<path class=\"traits\" d=\"";
    for (const TTrait& t : d.Traits) s += "M" + N(t.X1) + " " + N(t.Y1) + " L" + N(t.X2) + " " + N(t.Y2) + " ";
    s.back() = '"';
    s += "/>\n";
  }
  for (const TBoite& b : d.Boites) Boite(s, b);
  for (const TSecteur& sec : d.Secteurs) Secteur(s, sec, d.CentreX, d.CentreY);
  s += "</svg>\n";
  return s;
}

std::string EcritSvg(const TDessin& d, const AnsiString& chemin) {
  AnsiString repertoire = ExtraitRepertoire(chemin);
  if (repertoire.empty()) repertoire = "./";
  if (!RepertoireExiste(repertoire)) return "le répertoire « " + AnsiVersUtf8(repertoire) + " » n'existe pas";
  if (RepertoireExiste(chemin)) return "« " + AnsiVersUtf8(chemin) + " » est un répertoire";
  if (!EcritureAutorisee(repertoire) || (FichierExiste(chemin) && !EcritureAutorisee(chemin)))
    return "« " + AnsiVersUtf8(chemin) + " » ne peut pas être écrit (droits insuffisants)";
  const std::string svg = SvgDuDessin(d);
  TEcritureAtomique ecriture(chemin);
  if (!ecriture.Ouvert() || !ecriture.Ajoute(svg.data(), svg.size()) || !ecriture.Valide())
    return "l'écriture de « " + AnsiVersUtf8(chemin) + " » a échoué : rien n'a été écrit";
  return {};
}

}  // namespace kyb
