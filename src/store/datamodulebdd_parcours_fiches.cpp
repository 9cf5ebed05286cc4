// Walks over the events table: events, simple fields, or both kinds in one walk, each on a
// cursor of its own so that look-ups during a walk keep their place.
#include <type_traits>

#include "store/datamodulebdd_evenements_interne.h"

namespace kyb {

bool TParcoursFiches::Debut(TACRDatabase& base, int sorte, const std::string& index, const std::string& filtre,
                            bool arriere, const TCle& debut) {
  Fin();
  sorte_ = sorte;
  filtre_ = filtre;
  c_ = std::make_unique<TACRTable>(base, "Evenements");
  if (!c_->Open() || !c_->SetIndexName(index)) {
    c_.reset();
    return false;
  }
  if (debut.empty() || !c_->FindNearest(debut)) c_->First();
  else if (arriere) c_->Prior();
  if (!Eof() && !Garde()) Suivant();
  return true;
}

bool TParcoursFiches::Garde() {
  // Rows of the other kind, hidden rows and rows outside the label filter are stepped over.
  const std::vector<int>& c = Colonnes();
  if (sorte_ >= 0 && (c_->Fields(c[eType]).AsInteger() == 0) != (sorte_ == 0)) return false;
  return c_->Fields(c[eNoPersA]).AsInteger() > 0 &&
         (filtre_.empty() || c_->Fields(c[eLibelle]).AsAnsiString() == filtre_);
}

void TParcoursFiches::Suivant() {
  for (c_->Next(); !Eof(); c_->Next())
    if (Garde()) break;
}

template <class TFiche>
void TEvenementsBDD::LitParcours(TParcoursFiches& parcours, TFiche& fiche) {
  fiche.SetBdd(&module_);
  LitLigne(parcours.Curseur(), parcours.Colonnes(), fiche.Enreg);
  if constexpr (std::is_same_v<TFiche, TEvenement>) BorneNumeros(fiche.Enreg);
  parcours.Suivant();
}

bool TEvenementsBDD::GetEvenParcours(TEvenement& even) {
  if (parcoursEvens_.Eof()) return false;
  LitParcours(parcoursEvens_, even);
  return true;
}

bool TEvenementsBDD::GetChpsSimpleParcours(TChpsSimple& chps) {
  if (parcoursChps_.Eof()) return false;
  LitParcours(parcoursChps_, chps);
  return true;
}

bool TEvenementsBDD::GetFicheParcours(TEvenement& even, TChpsSimple& chps, bool& estEven) {
  if (parcoursFiches_.Eof()) return false;
  estEven = parcoursFiches_.Curseur().Fields(parcoursFiches_.Colonnes()[eType]).AsInteger() == 0;
  if (estEven) LitParcours(parcoursFiches_, even);
  else LitParcours(parcoursFiches_, chps);
  return true;
}

}  // namespace kyb
