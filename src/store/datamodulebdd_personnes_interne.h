#pragma once
// Persons in the store: the tables Personnes (with the links of Data), PersonnesSuppr and
// IDParents. During an import a new person's number is only reserved (InsertPerson) and its row
// written once, in full, by WritePerson; any read of persons through this unit writes the empty
// row of a number still reserved first. Private to the store.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/acr_insertion.h"
#include "store/colonnes_curseur.h"
#include "store/datamodulebdd_coeur_interne.h"
#include "store/enreg_public.h"
#include "store/parents_sosa.h"

namespace kyb {

class TPersonnesBDD : public TUniteBDD {
 public:
  using TUniteBDD::TUniteBDD;
  void FermeCurseurs() override {
    parcoursPersonnes_.reset();
    insertionImport_.reset();
    colonnesPersonne_.Oublie();
  }

  [[nodiscard]] bool ReadPerson(TEnregPublic& personne, long numero);
  [[nodiscard]] bool ReadPersonData(TEnregPublic& personne, long numero);
  [[nodiscard]] bool WritePerson(const TEnregPublic& personne, long numero);
  [[nodiscard]] long InsertPerson();
  [[nodiscard]] bool PersonneNeuve(long numero) const { return EnImport() && numero > 0 && numero == reservee_; }
  [[nodiscard]] long GetMaxNoPers();
  [[nodiscard]] long GetIDPersonMax();
  [[nodiscard]] long CountPerson();
  [[nodiscard]] long CountPersonDelete();
  [[nodiscard]] bool PersonDeleted(long numero);
  bool AddPersSuppr(long numero);
  bool RemovePersSuppr(long numero);
  [[nodiscard]] std::vector<long> GetListPersSuppr();
  [[nodiscard]] bool ReadNoParents(long numero, TNoParent& parents);
  bool WriteNoParents(long numero, const TNoParent& parents);
  bool DeleteNoParents(long numero);
  [[nodiscard]] std::vector<std::pair<long, TNoParent>> ListeNoParents();
  [[nodiscard]] std::vector<long> EnfantsParentB(long parent);
  [[nodiscard]] std::vector<long> EnfantsParLiens(long parent);
  void BeginParcoursPerson();
  [[nodiscard]] bool ReadPersonParcours(TEnregPublic& personne, long& numero);
  void EndParcoursPerson() { parcoursPersonnes_.reset(); }
  [[nodiscard]] bool IsIDPersExists(long noPers);
  [[nodiscard]] bool ChargeParentsSosa(long nbPersonnes, std::vector<TParentsSosa>& parents);
  [[nodiscard]] std::vector<UnicodeString> GetListPersNom();
  [[nodiscard]] std::vector<UnicodeString> GetListPersPrenoms();

  // The import starts: the highest number present is noted. At its end the number still
  // reserved gets its empty row (false when that write failed).
  void DebutImport();
  [[nodiscard]] bool FinImport();

 private:
  [[nodiscard]] bool LitPersonne(TEnregPublic& personne, long numero, bool donneesSeules, const char* contexte);
  [[nodiscard]] bool PostePersonneVide(TACRTable& table, long numero);
  // A new person of an import, not deleted, appended through the import's statement.
  [[nodiscard]] bool AjoutePersonneImport(TACRTable& table, const TEnregPublic& personne, long numero);
  [[nodiscard]] bool EcritPersonneReservee();
  [[nodiscard]] std::vector<UnicodeString> ListeTextes(const std::string& sql);
  [[nodiscard]] std::vector<long> ListeNombres(const std::string& sql);

  std::unique_ptr<TACRTable> parcoursPersonnes_;
  TColonnesCurseur colonnesPersonne_;  // columns written by WritePerson
  std::unique_ptr<TACRInsertion> insertionImport_;  // AjoutePersonneImport's, kept while it lasts
  long plusGrandNumeroImport_ = 0;     // highest person number present, while importing
  long reservee_ = 0;                  // number reserved by InsertPerson while importing, no row yet
};

}  // namespace kyb
