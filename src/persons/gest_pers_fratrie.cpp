// TPerson: positions of spouses and children for the link editors, siblings and twins, a spouse
// added with its union, and the Sosa number reached through the children.
#include "fields/csdefchps.h"
#include "folder/gest_fic_sosa.h"
#include "persons/gest_pers.h"
#include "persons/tables_parente.h"

namespace kyb {
namespace {

size_t I(int i) { return static_cast<size_t>(i); }

// The day of a birth known to the day (DateTriable), 0 otherwise.
int32_t JourNaissance(TPerson& p) {
  const TEvenement* naissance = p.RetEvenNaissance();
  if (!naissance || !naissance->Enreg.Date.DateExacte()) return 0;
  return DateTriable(naissance->Enreg.Date);
}

}  // namespace

int TPerson::RechRefConj(long no) const {
  if (no == 0) return -1;
  for (int i = 0; i < kMaxConjoints; ++i)
    if (Public.Conjoints[I(i)].Lien.No == no) return i;
  return -1;
}

int TPerson::RechRefEnf(long no) const {
  if (no == 0) return -1;
  for (int i = 0; i < kMaxEnfants; ++i)
    if (Public.Enfants[I(i)].No == no) return i;
  return -1;
}

int TPerson::GetRangConjoint(long no) const {
  if (no == 0) return 0;
  int rang = 0;
  for (const TLienConj& c : Public.Conjoints) {
    if (c.Lien.No == 0) continue;
    ++rang;
    if (c.Lien.No == no) return rang;
  }
  return 0;
}

int TPerson::AjouteConj(long no, bool avecUnion, TPerson* objetConjoint) {
  const bool deja = RechRefConj(no) >= 0;
  const int slot = AjouteConj(no);
  if (slot < 0 || deja || !avecUnion) return slot;
  const TDefChpsCs* defs = Definitions();
  const AnsiString libelle = defs ? defs->EquivUnion.Libelle : AnsiString(kLibelleUnion);
  TEvenement e(Bdd());
  e.NouvelleFiche();
  e.SetLibelle(libelle);
  if (objetConjoint && objetConjoint->Numero() != no) objetConjoint = nullptr;
  (void)AjoutEven(e, no, objetConjoint);
  return slot;
}

long TPerson::GetNoFrereOuSoeur(int sens) const {
  if (sens == 0 || !fichier_ || numero_ <= 0) return 0;
  TPerson parent(fichier_, 0);
  const long noParent = Public.Pere.No > 0 ? Public.Pere.No : Public.Mere.No;
  if (!LitPersonneVivante(*fichier_, noParent, parent)) return 0;
  const int ici = parent.RechRefEnf(numero_);
  if (ici < 0) return 0;
  // The slots in the parent's order, skipping empty ones, sens steps away.
  int reste = sens < 0 ? -sens : sens;
  for (int i = ici + (sens < 0 ? -1 : 1); i >= 0 && i < kMaxEnfants; i += sens < 0 ? -1 : 1) {
    const long e = parent.Public.Enfants[I(i)].No;
    if (e != 0 && --reste == 0) return e;
  }
  return 0;
}

bool TPerson::HaveTwins() {
  if (!fichier_) return false;
  const int32_t jour = JourNaissance(*this);
  if (jour <= 0) return false;
  TTableLong freres{};
  int nb = 0;
  RetourneTabFreresSoeurs(*this, freres, nb, false, false);
  for (int i = 0; i < nb; ++i) {
    TPerson f(fichier_, 0);
    if (freres[I(i)] > 0 && LitPersonneVivante(*fichier_, freres[I(i)], f) && JourNaissance(f) == jour) return true;
  }
  return false;
}

NTL::ZZ TPerson::InfNoStradoEnf() const {
  TGestFichier* dossier = Dossier();
  TFicSosas* sosas = dossier ? dossier->GetFicSosas() : nullptr;
  return sosas && numero_ > 0 ? sosas->InfNoStradoEnfants(numero_) : NTL::ZZ(0);
}

}  // namespace kyb
