// The scratch person of the persons file and the reloading of the value tables.
#include "folder/fic_dupli.h"
#include "folder/gest_fic.h"
#include "folder/gest_fic_pers.h"
#include "persons/gest_pers.h"
#include "platform/interface_utilisateur.h"

namespace kyb {

TPerson& TFicPersons::PersonneCourante() {
  if (!personneCourante_) personneCourante_ = std::make_unique<TPerson>(this, 0);
  return *personneCourante_;
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
