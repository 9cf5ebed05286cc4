#include "index/recherche_dossiers.h"

#include "folder/gest_fic.h"
#include "index/gest_fic_index.h"
#include "names/tab_nom_equiv.h"

namespace kyb {

std::vector<TResultatDossier> RechercheDansDossiers(const TRechSimple& criteres,
                                                    std::span<TGestFichier* const> dossiers, size_t limite) {
  std::vector<TResultatDossier> resultats;
  resultats.reserve(dossiers.size());
  for (TGestFichier* g : dossiers) {
    TResultatDossier& r = resultats.emplace_back();
    r.Dossier = g;
    TFicIndexPerson* index = g ? TFicIndexPerson::De(*g) : nullptr;
    if (!index) {
      r.SansIndex = true;
      continue;
    }
    // Read-only: a search never rewrites the folder's equivalence files.
    const TTabNomEquiv equivalences(g->FabriqueNomFichier(TGestFichier::tfNomsEquiv),
                                    g->FabriqueNomFichier(TGestFichier::tfPreq), true);
    TRechercheIndex recherche(*index, &equivalences);
    r.Resultat = recherche.RechercheSimple(criteres, limite);
  }
  return resultats;
}

}  // namespace kyb
