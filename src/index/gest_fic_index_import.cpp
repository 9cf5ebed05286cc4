// The person index at the end of an import, from what the import gathered while writing: the
// rows are those ReinitTableIndex writes (same persons in the same order, same years), without
// the walk of every person and every event that a rebuild from the store needs, and memory is
// filled from the rows as they are written, without reading them back.
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
  // Memory takes each row as it is written (the rows' order of a reload) instead of reading them
  // back; the file is made again from it.
  const bool memoire = VideMemoire() != nullptr;
  bool completes = memoire;
  // Rows cut short are all made again (INDEXNAME above): large batches lose nothing.
  const bool import = m->BeginImport(false, true);
  derniereLigne_ = -1;
  TEnregPublic p;
  for (long n = 1; n <= nb; ++n) {
    if (!personnes.EstEcrite(n)) continue;
    personnes.Remplit(n, p);
    for (const TEnregIndexPerson& e : EntreesPersonne(p, n, annees[static_cast<size_t>(n)])) {
      int64_t id = m->AjouteLigneIndexImport(e);
      if (id <= 0) {  // outside a batch: the row is posted alone
        TIndexPerson ligne(this, 0);
        ligne.Enreg = e;
        id = ligne.Enregistrement(-1, this, true);
      }
      if (id > 0 && memoire) (void)index_->Ajoute(TEltIndex(e, static_cast<int32_t>(id)));
      completes = completes && id > 0;
    }
  }
  // The secondary indexes are sorted while the batch's large page cache still holds the sort.
  if (import) (void)m->AddAllIndexPersonIndex();
  return TermineRemplissage(import, completes);
}

}  // namespace kyb
