#pragma once
// What the store module needs of the genealogy folder that owns it. The folder manager
// implements it; tests may give a small stand-in.
#include "platform/interface_utilisateur.h"

namespace kyb {

class TDossierBDD {
 public:
  virtual ~TDossierBDD() = default;
  [[nodiscard]] virtual bool IsReadOnly() const = 0;
  // Owner of progress windows and questions; null shows nothing.
  [[nodiscard]] virtual TInterfaceUtilisateur* GetProprietaire() const = 0;
  // State of the check of illustration files (1 done, 5 to be redone).
  [[nodiscard]] virtual int GetEtatControleImages() const = 0;
  virtual void SetEtatControleImages(int etat) = 0;
  // Highest note number of the notes file; -1 when unknown (note numbers are then not checked).
  [[nodiscard]] virtual long NbNotes() const { return -1; }
  // Drops a person from the folder's person cache (its records are about to change).
  virtual void OublieEnCache(long /*noPers*/) {}
};

}  // namespace kyb
