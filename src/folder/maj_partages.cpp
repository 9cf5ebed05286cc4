// The one-time upgrade of the census and privileged-relation fields into shared events.
#include "fields/csdefchps.h"
#include "fields/csstruct.h"
#include "folder/gest_fic.h"
#include "platform/interface_utilisateur.h"
#include "store/datamodulebdd.h"

namespace kyb {
namespace {

bool RecensementAMettreAJour(const TChpCs* c) { return c && !c->Partage; }
bool RelationAMettreAJour(const TChpCs* c) { return c && (!c->Partage || !c->Repetable); }

}  // namespace

void TGestFichier::UpdateFile() {
  if (!ModuleBDD) return;
  if (DefChpsCs && ModuleBDD->GetInfoChps("Shared_v2") == u"0") {
    TChpCs* recensement = DefChpsCs->RechercheChampsInternePtr("RECENSEMENT");
    TChpCs* relation = DefChpsCs->RechercheChampsInternePtr("RELATION_PRIV");
    bool accepte = true;
    if (RecensementAMettreAJour(recensement) || RelationAMettreAJour(relation)) {
      // Without a window there is nobody to agree: the upgrade counts as refused.
      accepte = Proprietaire &&
                Proprietaire->Question(u"Evolution de votre base de données",
                                       u"Mise à jour des événements partagés\n"
                                       u"Donnez-vous votre accord pour mettre à jour les champs Recensement et "
                                       u"Relations privilégiées afin de profiter au mieux des évolutions de "
                                       u"Vastrel 2026 ?",
                                       kBoutonOui | kBoutonNon, kReponseOui) == kReponseOui;
      if (accepte) {
        TProgression progression(Proprietaire, u"Insertion de personnes citées + Nettyoage de doublons");
        if (RecensementAMettreAJour(recensement)) {
          recensement->Partage = true;
          (void)DefChpsCs->Sauvegarde();
          (void)ModuleBDD->CleanSharedEvent("RECENSEMENT", &progression);
        }
        if (RelationAMettreAJour(relation)) {
          relation->Partage = true;
          relation->Repetable = true;
          (void)DefChpsCs->Sauvegarde();
          (void)ModuleBDD->CleanSharedEvent("RELATION_PRIV", &progression);
        }
      }
    }
    (void)ModuleBDD->MAJInfoChps("Shared_v2", accepte ? u"UPDATED-1" : u"CANCELLED");
  }
  ModuleBDD->InitFieldCopy();
}

}  // namespace kyb
