#include "store/chps_simple.h"

#include <algorithm>

#include "store/datamodulebdd.h"

namespace kyb {

TChpsSimple::TChpsSimple(TModuleBDD* bdd, long id) : bdd_(bdd) {
  if (id > 0) (void)Lecture(id);
}

bool TChpsSimple::Lecture(long id) {
  if (id == 0) id = Enreg.ID;
  if (!bdd_ || id <= 0) {
    NouvelleFiche();
    return false;
  }
  return bdd_->LectureChpsSimple(*this, id);
}

void TChpsSimple::SetNoPersRang(long noPers, int rang) {
  if (noPers != 0 && Enreg.NoPersB == noPers && Enreg.NoPersA != noPers) {
    if (rang > 0) Enreg.RangB = rang;
    return;
  }
  if (noPers != 0) Enreg.NoPersA = static_cast<int32_t>(noPers);
  if (rang > 0) Enreg.RangA = rang;
}

bool TChpsSimple::Enregistrement(long id, int rang, long noPers) {
  if (id != -3) Enreg.ID = static_cast<int32_t>(std::max(0L, id));
  SetNoPersRang(noPers, rang);
  return bdd_ && bdd_->EnregistrementChpsSimple(*this);
}

bool TChpsSimpleTV::Compare(const TChpsSimpleTV& a, const TChpsSimpleTV& b) {
  if (const int c = a.Chps.Enreg.LibelleChamps.compare(b.Chps.Enreg.LibelleChamps); c != 0) return c < 0;
  if (a.RgConj != b.RgConj) return a.RgConj < b.RgConj;
  const int32_t ia = a.Chps.Enreg.ID ? a.Chps.Enreg.ID : kIdNonStocke;
  const int32_t ib = b.Chps.Enreg.ID ? b.Chps.Enreg.ID : kIdNonStocke;
  if (ia != ib) return ia < ib;
  return a.Ordre < b.Ordre;
}

bool TChpsSimpleTV::operator<(const TChpsSimpleTV& b) const {
  if (const int c = Chps.Enreg.LibelleChamps.compare(b.Chps.Enreg.LibelleChamps); c != 0) return c < 0;
  return MajusculesUnicode(Chps.Enreg.Donnee) < MajusculesUnicode(b.Chps.Enreg.Donnee);
}

}  // namespace kyb
