// Pointers of the lines an import keeps, written as the records they stand for.
#include "gedcom/gedcom_gardees.h"
#include "gedcom/import_gedcom_interne.h"
#include "gedcom/versions_gedcom.h"

namespace kyb {

void TImporteur::LigneGardee(const TNoeudGedcom& n, std::string& tag, std::string& valeur) const {
  // Our export's extension form of a tag of the other version.
  tag = TagStandard(n.tag, bilan_.version.starts_with("7") ? TVersionGedcom::V70 : TVersionGedcom::V551);
  valeur = n.valeur;
  if (!n.pointeur) return;
  if (const int32_t no = PersonneConnue(n.valeur); no > 0 && PersonneDefinie(no)) {
    valeur = PointeurGardePersonne(no);
  } else if (const int32_t f = FamilleConnue(n.valeur); f > 0) {
    valeur = PointeurFamille(f);
  } else if (const auto s = sources_.find(n.valeur); s != sources_.end()) {
    valeur = PointeurGardeSource(s->second.type, s->second.titre);
    sourcesCitees_.insert(n.valeur);
  } else if (const auto o = objets_.find(n.valeur); o != objets_.end()) {
    valeur = PointeurGardeMedia(o->second);
    objetsCites_.insert(n.valeur);
  } else if (const auto t = notes_.find(n.valeur); t != notes_.end()) {
    // A note record is copied where it is used; a shared note (7.0) stays one record.
    if (n.tag == "SNOTE") {
      valeur = PointeurGardeNote(t->second);
    } else {
      tag = "NOTE";
      valeur = t->second;
    }
  }
}

}  // namespace kyb
