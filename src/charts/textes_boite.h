#pragma once
// The texts a chart shows for one person, cut to the room its box or sector leaves.
#include <string>

#include "charts/dessin.h"

namespace kyb {

struct TPersonneArbre;

// Line height for a name of that size; the other lines use 0.85 of it.
[[nodiscard]] inline double HauteurLigne(double corps) { return corps * 1.2; }
// Width of a text in the chart's sans-serif font, estimated from its characters (0.55 em a
// character, 0.7 em a capital): the writer squeezes a line that would pass its room.
[[nodiscard]] double LargeurTexte(const std::string& utf8, double corps);

// Name, years, place of birth, at most lignes of them (at least the name).
[[nodiscard]] TTextesBoite TextesPersonne(const TPersonneArbre& p, const std::string& numero, int lignes,
                                          double place, double corps);
// A person met again: its name and where it is drawn ("voir n° 12").
[[nodiscard]] TTextesBoite TextesRenvoi(const TPersonneArbre& p, const std::string& numero,
                                        const std::string& numeroDessine, int lignes, double place, double corps);

}  // namespace kyb
