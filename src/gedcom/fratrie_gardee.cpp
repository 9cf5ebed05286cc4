#include "gedcom/fratrie_gardee.h"

#include <algorithm>

#include "gedcom/gedcom_gardees.h"
#include "gedcom/import_gedcom.h"
#include "gedcom/lignes_gardees.h"

namespace kyb {

std::vector<long> FreresSansParentsConnus(const TGestFichier& dossier, long no) {
  std::vector<long> freres, enfants;
  bool avecLui = false;
  // Each kept family ("0 @#G<rank>@ FAM") lists its children as "1 CHIL @#P<person>@".
  const auto termine = [&] {
    if (avecLui)
      for (const long e : enfants)
        if (e != no && std::find(freres.begin(), freres.end(), e) == freres.end()) freres.push_back(e);
    enfants.clear();
    avecLui = false;
  };
  for (const TLigneGardee& l : LitLignesGardees(TexteGardeGenealogie(dossier, kTitreFamillesSansConjoint))) {
    if (l.niveau == 0) termine();
    if (l.niveau != 1 || l.tag != "CHIL") continue;
    const TPointeurGarde p = LitPointeurGarde(l.valeur);
    if (p.genre != 'P') continue;
    enfants.push_back(p.a);
    avecLui = avecLui || p.a == no;
  }
  termine();
  return freres;
}

}  // namespace kyb
