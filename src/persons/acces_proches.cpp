#include "persons/acces_proches.h"

#include "folder/gest_fic.h"
#include "platform/thread_nom.h"
#include "store/datamodulebdd.h"

namespace kyb {

TAccesProches::TAccesProches(TFicPersons& fichier) : fichier_(fichier) {
  TGestFichier* dossier = fichier.Dossier();
  TModuleBDD* store = dossier ? dossier->GetModuleBDD() : nullptr;
  if (!store || fichier.AncienFormat() || dossier->IsVersion2009()) return;
  if (EstThreadPrincipal()) {
    lecteur_ = &store->LecteurProches();
  } else {
    prive_ = std::make_unique<TLecteurProches>(store->Database());
    lecteur_ = prive_.get();
  }
}

TAccesProches::~TAccesProches() = default;

TLecteurProches* TAccesProches::Lecteur() {
  TGestFichier* dossier = fichier_.Dossier();
  if (!lecteur_ || dossier->Erreur) return nullptr;
  dossier->MarqueLecture(IdThread());
  return lecteur_;
}

}  // namespace kyb
