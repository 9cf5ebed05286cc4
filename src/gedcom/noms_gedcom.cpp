#include "gedcom/noms_gedcom.h"

namespace kyb {

std::string NomComplet(std::string_view prefixe, std::string_view prenoms, std::string_view patronyme,
                       std::string_view suffixe) {
  std::string s;
  if (!prefixe.empty()) s.append(prefixe).push_back(' ');
  if (!prenoms.empty()) s.append(prenoms).push_back(' ');
  s.append("/").append(patronyme).append("/");
  if (!suffixe.empty()) s.append(" ").append(suffixe);
  return s;
}

std::string NomAGarder(const TNoeudGedcom& nom, std::string_view patronyme, std::string_view prenoms) {
  const auto valeur = [&](const char* tag) {
    const TNoeudGedcom* e = nom.Enfant(tag);
    return e ? std::string_view(e->valeur) : std::string_view();
  };
  const TNoeudGedcom* givn = nom.Enfant("GIVN");
  const TNoeudGedcom* surn = nom.Enfant("SURN");
  // A GIVN or SURN the file did not write and the export adds loses nothing.
  const bool memeGivn = !givn || givn->valeur == prenoms;
  const bool memeSurn = !surn || surn->valeur == patronyme;
  if (memeGivn && memeSurn && nom.valeur == NomComplet(valeur("NPFX"), prenoms, patronyme, valeur("NSFX"))) return {};
  // Only values without a line feed can be kept as one line each.
  for (const TNoeudGedcom* e : {&nom, givn, surn})
    if (e && e->valeur.find('\n') != std::string::npos) return {};
  std::string s;
  s.append(patronyme).append("\n").append(prenoms).append("\n1 NAME ").append(nom.valeur);
  for (const TNoeudGedcom* e : {givn, surn})
    if (e) s.append("\n2 ").append(e->tag).append(" ").append(e->valeur);
  return s;
}

std::string_view LignesNomGarde(std::string_view garde, std::string_view patronyme, std::string_view prenoms) {
  const std::size_t a = garde.find('\n');
  if (a == std::string_view::npos || garde.substr(0, a) != patronyme) return {};
  const std::size_t b = garde.find('\n', a + 1);
  if (b == std::string_view::npos || garde.substr(a + 1, b - a - 1) != prenoms) return {};
  return garde.substr(b + 1);
}

}  // namespace kyb
