#pragma once
// TChampBase: the field a search condition tests, or a value it compares with. A field is named by
// the internal label of its definition (fields/csstruct.h) and the part of its record it reads;
// a value uses only Valeur.
//
// Parts ('Morceau'): 'F' the datum, 'D' the date (export form of the date value), 'L' the place
// text, 'P' the lieu-dit, 'S' the description of a source, 'V' a yes/no datum. On the person
// itself, the labels NOM, PRENOM, SEXE, PERE, MERE and NOSOSA read the identity, the parents'
// numbers ("" when unknown) and the Sosa number; other labels read the simple fields of that
// label, joined by ",".
//
// Stream layout (TFluxSortie, class "TChampBase", version 1): label (8-bit string), part (int32),
// basic type (int32), situation (int32), value (UTF-16 string).
#include <cstdint>

#include "platform/chaines.h"
#include "platform/flux_objets.h"

namespace kyb {

// Basic type of a field: how its values compare.
enum TTypeChpBasic : int32_t { tbDate = 0, tbTexte = 1, tbNombre = 2 };

// Where the field's value lies.
enum class TSituationChamp : int32_t { Personne = 0, Evenement = 1, Source = 2, RelationPrivilegiee = 3 };

class TChampBase final : public TObjetFlux {
 public:
  static constexpr const char* kNomClasse = "TChampBase";

  TChampBase() = default;
  explicit TChampBase(UnicodeString valeur) : Valeur(std::move(valeur)) {}
  TChampBase(AnsiString libelle, char morceau, TTypeChpBasic basic, TSituationChamp situation)
      : Libelle(std::move(libelle)), Morceau(morceau), Basic(basic), Situation(situation) {}
  TChampBase(const TChampBase&) = default;
  TChampBase& operator=(const TChampBase&) = default;

  [[nodiscard]] bool SurEvenement() const { return Situation == TSituationChamp::Evenement; }
  [[nodiscard]] bool SurSource() const { return Situation == TSituationChamp::Source; }
  [[nodiscard]] bool SurRelationPrivilegiee() const { return Situation == TSituationChamp::RelationPrivilegiee; }
  // The datum of a yes/no field, whose "O"/"N" are also tried as "Oui"/"Non".
  [[nodiscard]] bool OuiNon() const { return Morceau == 'V'; }
  [[nodiscard]] bool operator==(const TChampBase& autre) const;

  [[nodiscard]] const char* NomClasse() const override { return kNomClasse; }
  [[nodiscard]] int32_t Version() const override { return 1; }
  void Ecrit(TFluxSortie& flux) const override;
  void Lit(TFluxEntree& flux, int32_t version) override;

  AnsiString Libelle;
  char Morceau = 'F';
  TTypeChpBasic Basic = tbTexte;
  TSituationChamp Situation = TSituationChamp::Personne;
  UnicodeString Valeur;
};

}  // namespace kyb
