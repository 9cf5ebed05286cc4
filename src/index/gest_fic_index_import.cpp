// The person index at the end of an import, from what the import gathered while writing: the
// rows are those ReinitTableIndex writes (same persons in the same order, same years), without
// the walk of every person and every event that a rebuild from the store needs.
#include <algorithm>

#include "folder/gest_fic.h"
#include "index/gest_fic_index.h"
#include "index/personnes_importees.h"
#include "store/datamodulebdd.h"

namespace kyb {

bool TFicIndexPerson::RemplitApresImport(TPersonnesImportees& personnes) {
  TModuleBDD* m = Store();
  if (!m || LectureSeule()) return false;
  // Marked undone first: rows cut short are made again at the next opening.
  (void)m->MAJInfoChps("INDEXNAME", u"0");
  if (!m->CreerTableIndexNomPrenoms()) return false;
  (void)m->RemoveAllIndexPersonIndex();
  const long nb = NbPersonnes();
  std::vector<TAnneesVie> annees(static_cast<size_t>(std::max(nb, 0L)) + 1);
  for (long n = 1; n <= nb; ++n) annees[static_cast<size_t>(n)] = personnes.Declarees(n);
  CompleteParEstimation(annees, personnes.Genealogie(nb));
  personnes.LibereGenealogie();
  const bool import = m->BeginImport(false);
  TEnregPublic p;
  for (long n = 1; n <= nb; ++n) {
    if (!personnes.EstEcrite(n)) continue;
    personnes.Remplit(n, p);
    ModifClef(p, n, annees[static_cast<size_t>(n)], false, true, false);
  }
  // The secondary indexes are sorted while the batch's large page cache still holds the sort.
  if (import) (void)m->AddAllIndexPersonIndex();
  return TermineRemplissage(import);
}

}  // namespace kyb
