#include "dates/tablenoces.h"

namespace kyb {
namespace {

// Rows 1 to 100, in UTF-8 source.
constexpr const char* kNoces[100] = {
    "noces de coton", "noces de cuir", "noces de froment", "noces de cire", "noces de bois",
    "noces de chypre", "noces de laine", "noces de coquelicot", "noces de faïence",
    "noces d'étain", "noces de corail", "noces de soie", "noces de muguet", "noces de plomb",
    "noces de cristal", "noces de saphir", "noces de rose", "noces de turquoise",
    "noces de cretonne", "noces de porcelaine", "noces d'opale", "noces de bronze",
    "noces de béryl", "noces de satin", "noces d'argent", "noces de jade", "noces d'acajou",
    "noces de nickel", "noces de velours", "noces de perle", "noces de basane", "noces de cuivre",
    "noces de porphyre", "noces d'ambre", "noces de rubis", "noces de mousseline",
    "noces de papier", "noces de mercure", "noces de crêpe", "noces d'émeraude", "noces de fer",
    "noces de nacre", "noces de flanelle", "noces de topaze", "noces de vermeil",
    "noces de lavande", "noces de cachemire", "noces d'améthyste", "noces de cèdre", "noces d'or",
    "noces de camélia", "noces de tourmaline", "noces de merisier", "noces de zibeline",
    "noces d'orchidée", "noces de buis", "noces d'azalée", "noces d'érable", "noces d'olivier",
    "noces de diamant", "noces de platane", "noces d'ivoire", "noces de lilas feuille",
    "noces d'astrakan", "noces de palissandre", "noces de jasmin", "noces de chinchilla",
    "noces de granit", "noces de mélèze", "noces de platine", "noces d'ocre", "noces de titane",
    "noces de fonte", "noces de sienne", "noces d'albâtre", "noces de zinc", "noces de silice",
    "noces d'ébène", "noces de bambou", "noces de chêne", "noces de cornaline", "noces de grenat",
    "noces de vanille", "noces d'iris", "noces de morganite", "noces de jaspe",
    "noces de psilocybe", "noces de pehuen", "noces d'onyx", "noces de granite",
    "noces d'héliodore", "noces de lys", "noces de lapis-lazuli", "noces de peridot",
    "noces d'adonsonia", "noces de potasse", "noces de tourmaline", "noces d'if",
    "noces d'araucaria", "noces d'eau",
};

std::array<AnsiString, 101> Construit() {
  std::array<AnsiString, 101> t;
  for (int i = 0; i < 100; ++i) t[i + 1] = A(kNoces[i]);
  return t;
}

}  // namespace

const std::array<AnsiString, 101> TableNoces = Construit();

}  // namespace kyb
