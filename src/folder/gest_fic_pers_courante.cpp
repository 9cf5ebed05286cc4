// The scratch person of the persons file and the reloading of the value tables.
#include "folder/fic_dupli.h"
#include "folder/gest_fic.h"
#include "folder/gest_fic_pers.h"
#include "folder/gest_fic_pers_annexes.h"
#include "store/datamodulebdd.h"
#include "platform/interface_utilisateur.h"

namespace kyb {

void TFicPersons::LitPublic(long no, TEnregPublic& p) {
  if (no == 0 || (no < 0 && no != kEnregEntete) || !NoPersValide(no) || dossier_->Erreur) return;
  if (AncienFormat()) {
    TEnregPersonne enreg;
    if (!LitEnreg(no, enreg) || enreg.EnregFoireux()) return;
    enreg.TransfertVersPublic(p);
    const long ext = p.NoExtension;
    TFicExtPersons* fichierExt = dossier_->FicExtPersons.get();
    if (ext > 0 && fichierExt && ext <= fichierExt->NbEnreg) {
      const TExtPerson extension(fichierExt, ext);
      for (int i = 0; i < TExtPerson::kNbConjoints; ++i)
        p.Conjoints[static_cast<size_t>(kConjointsFichier + i)] = extension.Conjoint(i);
      for (int i = 0; i < TExtPerson::kNbLiens; ++i)
        p.Enfants[static_cast<size_t>(kEnfantsFichier + i)] = extension.Lien(i);
    }
  } else if (TModuleBDD* m = Store()) {
    if (!m->ReadPerson(p, no)) p.Raz();
  }
}

void TFicPersons::LitPublicParentsAffiches(long no, TEnregPublic& p) {
  LitPublic(no, p);
  TModuleBDD* m = dossier_->GetModuleBDD();
  TNoParent lu;
  if (dossier_->IsVersion2009() || !m || no <= 0 || !m->ReadNoParents(no, lu)) return;
  p.Pere = lu.PerePrinc == 2 ? lu.PereB : lu.PereA;
  p.Mere = lu.MerePrinc == 2 ? lu.MereB : lu.MereA;
}

void TFicPersons::ReloadFicDupli(TInterfaceUtilisateur* iu) {
  TGestFichier& g = *dossier_;
  struct TTable {
    std::unique_ptr<TFicDupli>& table;
    TGestFichier::TTypeFichier type;
    const char16_t* texte;
  };
  const TTable tables[] = {{g.FicQualites, TGestFichier::tfQualites, u"Qualités"},
                           {g.FicParentes, TGestFichier::tfParentes, u"Parentés"},
                           {g.FicLieux, TGestFichier::tfLieux, u"Lieux"}};
  TProgression progression(iu, u"Chargement des tables de valeurs...", 3);
  for (const TTable& t : tables) {
    progression.Texte(t.texte);
    // The old table lets go of its file (and lock) before the new one opens it.
    if (t.table) t.table->Flush();
    t.table.reset();
    t.table = std::make_unique<TFicDupli>(&g, t.type, false);
    progression.Avance();
  }
}

}  // namespace kyb
