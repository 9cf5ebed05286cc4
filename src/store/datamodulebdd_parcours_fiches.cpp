// One walk over the events table serving events and simple fields alike.
#include "store/datamodulebdd.h"

namespace kyb {

void TModuleBDD::SauteFichesCachees() {
  TACRTable& c = *parcoursFiches_;
  while (!c.Eof() && !c.IsEmpty() && c.FieldByName("NoPersA").AsInteger() <= 0) c.Next();
}

bool TModuleBDD::BeginParcoursFiches(const std::string& index) {
  if (!ParcoursSur(parcoursFiches_, "Evenements", -1, index, {}, false, {})) return false;
  SauteFichesCachees();
  return true;
}

bool TModuleBDD::GetFicheParcours(TEvenement& even, TChpsSimple& chps, bool& estEven) {
  if (!parcoursFiches_ || parcoursFiches_->Eof() || parcoursFiches_->IsEmpty()) return false;
  TACRTable& c = *parcoursFiches_;
  estEven = c.FieldByName("Type").AsInteger() == 0;
  if (estEven) {
    even.SetBdd(this);
    GetEvenement(c, even.Enreg);
  } else {
    chps.SetBdd(this);
    GetChpsSimple(c, chps.Enreg);
  }
  c.Next();
  SauteFichesCachees();
  return true;
}

void TModuleBDD::EndParcoursFiches() { parcoursFiches_.reset(); }

}  // namespace kyb
