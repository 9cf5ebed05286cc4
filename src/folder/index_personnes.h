#pragma once
// The person index as the folder and the person object reach it. The index module gives the
// concrete index; the folder creates it at opening through the factory of its opening options,
// owns it, and destroys it in the closing order. A folder opened without a factory has no index
// (the record layers work alone; nothing is indexed).
//
// Main thread only.
#include <functional>
#include <memory>

namespace kyb {

class TGestFichier;
class TChpsPersonne;
struct TEnregPublic;

class TIndexPersonnesDossier {
 public:
  virtual ~TIndexPersonnesDossier() = default;

  // A person was saved: its rows and in-memory entries follow. fiche: the record card just saved
  // when it was loaded (it gives the lifetime years), else null (the stored events give them).
  virtual void PersonneEcrite(const TEnregPublic& personne, long numero, const TChpsPersonne* fiche,
                              bool lookUpRows) = 0;
  // Writes the rows of one person from its record (see TFicIndexPerson::ModifClef).
  virtual void ModifClef(const TEnregPublic& personne, long numero, bool lookUpRows, bool bulk,
                         bool memoire) = 0;
  // Recreates every row from the persons. False when the table could not be recreated.
  [[nodiscard]] virtual bool ReinitTableIndex() = 0;
  // Reloads the in-memory index from the rows.
  virtual void ReinitTableIndexBis() = 0;
  // Replaces the in-memory index by an empty one of that capacity.
  virtual void InitTailleIndex(long taille) = 0;
};

// Makes the index of a folder being opened (reset: the folder is being created).
using TFabriqueIndexPersonnes =
    std::function<std::unique_ptr<TIndexPersonnesDossier>(TGestFichier& dossier, bool reset)>;

}  // namespace kyb
