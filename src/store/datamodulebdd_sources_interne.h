#pragma once
// Sources and illustrations in the store (tables Sources and Illustrations): identifiers,
// look-ups, writes, and the walks of every row on cursors of their own. Private to the store.
#include <memory>
#include <string>

#include "store/datamodulebdd_coeur_interne.h"
#include "store/sources_bdd.h"

namespace kyb {

class TSourcesBDD : public TUniteBDD {
 public:
  using TUniteBDD::TUniteBDD;
  void FermeCurseurs() override {
    parcoursSources_.reset();
    parcoursIllustrations_.reset();
  }

  [[nodiscard]] long ReturnNewNumSource();
  [[nodiscard]] long ReturnNewNumIllustration();
  [[nodiscard]] bool NoSourceExists(long id);
  [[nodiscard]] bool NoIllustrationExists(long id);
  [[nodiscard]] bool LectureSource(long id, TSourceBDD& source);
  [[nodiscard]] bool LectureIllustration(long id, TIllustrationBDD& illustration);
  [[nodiscard]] bool EcritureSource(TSourceBDD& source);
  [[nodiscard]] bool EcritureIllustration(TIllustrationBDD& illustration);
  void BeginParcoursSources();
  [[nodiscard]] bool GetSourceParcours(TSourceBDD& source);
  void EndParcoursSources() { parcoursSources_.reset(); }
  void BeginParcoursIllustrations();
  [[nodiscard]] bool GetIllustrationParcours(TIllustrationBDD& illustration);
  void EndParcoursIllustrations() { parcoursIllustrations_.reset(); }

 private:
  [[nodiscard]] long NouvelIdentifiant(const std::string& table, const std::string& colonne);

  std::unique_ptr<TACRTable> parcoursSources_, parcoursIllustrations_;
};

}  // namespace kyb
