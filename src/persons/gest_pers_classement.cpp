// Ordering of a person's children: by birth date, undated children with their spouse group.
#include <algorithm>

#include "persons/gest_pers.h"
#include "persons/tables_parente.h"
#include "store/evenement.h"

namespace kyb {

void ClasseEnfants(std::vector<TEnfantAClasser>& enfants) {
  std::stable_sort(enfants.begin(), enfants.end(),
                   [](const TEnfantAClasser& a, const TEnfantAClasser& b) { return a.naissance < b.naissance; });
  // ClasseEnfantsSansDatesParConjoints: each swap lowers the number of inversions, so it ends.
  for (bool echange = true; echange;) {
    echange = false;
    for (size_t i = 0; i + 1 < enfants.size(); ++i) {
      TEnfantAClasser& a = enfants[i];
      TEnfantAClasser& b = enfants[i + 1];
      const bool unSansDate = (a.naissance == kSansDateNaissance) != (b.naissance == kSansDateNaissance);
      if (unSansDate && a.rangConjoint > b.rangConjoint) {
        std::swap(a, b);
        echange = true;
      }
    }
  }
}

bool TPerson::EnregClassementEnfConj() {
  if (!fichier_) return false;
  (void)ClassementEnfantIdentiqueConjoint();
  std::vector<TEnfantAClasser> enfants;
  for (const long no : GetVectorEnfants()) {
    TEnfantAClasser e{static_cast<int32_t>(no)};
    TPerson enfant(fichier_, 0);
    if (LitPersonneVivante(*fichier_, no, enfant)) {
      enfant.LectureComplementaire();
      if (const TEvenement* naissance = enfant.GetEvenNaissance())
        if (const int32_t jour = DateTriable(naissance->Enreg.Date); jour > 0) e.naissance = jour;
      e.rangConjoint = RetourneRgConj(enfant.NoAutreParent(numero_));
    }
    enfants.push_back(e);
  }
  ClasseEnfants(enfants);
  std::vector<long> ordre;
  for (const TEnfantAClasser& e : enfants) ordre.push_back(e.no);
  SetVectorEnfants(ordre);
  return Enregistrement();
}

}  // namespace kyb
