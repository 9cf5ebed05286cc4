#pragma once
// Places and values in the store. TLieuxBDD: the places value table kept in Lieux (Chn4 holds the
// upper-case key of Chn1, indexed by ParChn4). TValeursBDD: the values already typed in events
// and their lists, for the value dictionaries and the pickers. Private to the store.
#include <functional>
#include <utility>
#include <vector>

#include "store/datamodulebdd.h"
#include "store/datamodulebdd_coeur_interne.h"

namespace kyb {

class TLieuxBDD : public TUniteBDD {
 public:
  using TUniteBDD::TUniteBDD;

  [[nodiscard]] bool TableLieuxExist() { return Table("Lieux") != nullptr; }
  [[nodiscard]] bool ReadPlace(long id, TLieuBDD& lieu);
  bool WritePlace(long id, const TLieuBDD& lieu);
  [[nodiscard]] long GetNbLieux();
  [[nodiscard]] bool ParcoursLieux(const std::function<void(long, const TLieuBDD&)>& action);
  [[nodiscard]] std::vector<std::pair<long, TLieuBDD>> RechercheLieux(const UnicodeString& debutCle, int maximum,
                                                                     bool avecSupprimes);
  [[nodiscard]] long ChercheLieu(const UnicodeString& cle);
  [[nodiscard]] bool RemplaceLieux(const std::vector<TLieuBDD>& lieux);
  bool AssureIndexLieux();
};

class TValeursBDD : public TUniteBDD {
 public:
  using TUniteBDD::TUniteBDD;

  [[nodiscard]] std::vector<UnicodeString> RechercheDonneesEvent(const AnsiString& libelle, const UnicodeString& debut,
                                                                 int maximum);
  [[nodiscard]] bool DonneeEventExiste(const AnsiString& libelle, const UnicodeString& donnee);
  [[nodiscard]] std::vector<UnicodeString> GetListDonneeEvent(const AnsiString& libelle);
  [[nodiscard]] std::vector<UnicodeString> GetListLieuDitEvent();
  [[nodiscard]] std::vector<long> GetListIdLieuEvent();
  [[nodiscard]] std::vector<UnicodeString> GetListDescrSources();
  [[nodiscard]] std::vector<UnicodeString> GetListTypeSource();
  [[nodiscard]] std::vector<long> GetListIdQualites();
  [[nodiscard]] std::vector<long> GetListIdParentes();
  [[nodiscard]] std::vector<long> GetListIdEvenAvec(TListeEven liste);
};

}  // namespace kyb
