#include "charts/textes_boite.h"

#include "charts/lecteur_arbre.h"

namespace kyb {

double LargeurTexte(const std::string& utf8, double corps) {
  double largeur = 0;
  for (const char c : utf8) {
    const auto octet = static_cast<unsigned char>(c);
    if ((octet & 0xC0) == 0x80) continue;  // a continuation byte: the character is counted once
    largeur += (octet >= 'A' && octet <= 'Z') || octet >= 0xC0 ? 0.7 : 0.55;
  }
  return largeur * corps;
}

TTextesBoite TextesPersonne(const TPersonneArbre& p, const std::string& numero, int lignes, double place,
                            double corps) {
  TTextesBoite t{numero, {p.Nom}, corps, place};
  for (const std::string* texte : {&p.Annees, &p.Lieu})
    if (static_cast<int>(t.Lignes.size()) < lignes && !texte->empty()) t.Lignes.push_back(*texte);
  return t;
}

TTextesBoite TextesRenvoi(const TPersonneArbre& p, const std::string& numero, const std::string& numeroDessine,
                          int lignes, double place, double corps) {
  TTextesBoite t{numero, {p.Nom}, corps, place};
  if (lignes > 1) t.Lignes.push_back("voir n° " + numeroDessine);
  return t;
}

}  // namespace kyb
