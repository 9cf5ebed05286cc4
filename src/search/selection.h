#pragma once
// TSelection: a named set of numbered conditions (condition n is the n-th, from 1) combined by a
// boolean equation (search/equation.h). An empty equation selects every person.
// TSelectionMEV: a selection that highlights persons in a tree, with its highlighting attributes.
//
// Stream layout (class "TSelection", version 1): equation (UTF-16 string), name (UTF-16 string),
// number of conditions (int32), then each condition as a pointer. "TSelectionMEV" (version 1)
// writes the same, then the integer, the colour (int32), and the two flags (one byte each).
// A stream holding anything else (a negative or oversized count, a missing condition) fails.
//
// Errors: an invalid equation makes Satisfaite false and sets Erreur (with the French reason in
// MessageErreur); it is cleared by the next valid evaluation.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/chaines.h"
#include "platform/flux_objets.h"
#include "search/condition.h"
#include "search/equation.h"

namespace kyb {

class TSelection : public TObjetFlux {
 public:
  static constexpr const char* kNomClasse = "TSelection";
  static constexpr int32_t kMaxConditions = 10000;

  TSelection() = default;
  TSelection(const TSelection& autre);  // the conditions are copied
  TSelection& operator=(const TSelection& autre);
  ~TSelection() override = default;

  // Appends a copy of the condition; returns its number (from 1).
  int AjouteCondition(const TCondition& condition);
  [[nodiscard]] int NbConditions() const { return static_cast<int>(Conditions.size()); }

  [[nodiscard]] bool Satisfaite(TPerson& personne, const TDonneeDocBase* doc = nullptr, int source = -1,
                                int even = -1) const;
  // The equation read into its tree (read again after the text or the conditions changed).
  [[nodiscard]] const TEquation& Arbre() const;

  // Appends the other selection: names joined by " et ", each of its conditions copied and
  // "et" its number added to the equation (its own equation is not used).
  void Concat(const TSelection* autre);

  // At least one condition, and every one converts.
  [[nodiscard]] bool CanConvertToSql() const;
  // The SQL text of each condition named, grouped: "ou" starts a new group; an empty equation
  // gives one group with every condition.
  void ConvertToSql(std::map<int, std::vector<std::string>>& groupes) const;

  // Appends a generation condition for n; the equation becomes "1" and the name "Génération N° n".
  void SetCondNoGenEgal(int n);
  // Generation of the first generation condition; 1 when there is none.
  [[nodiscard]] int ChercheNoGen() const;
  [[nodiscard]] bool IsCondSurNoGen(int n) const;
  [[nodiscard]] bool IsCondImplexe() const;
  [[nodiscard]] bool IsCondHomme() const;
  [[nodiscard]] bool IsCondFemme() const;

  [[nodiscard]] bool Different(const TSelection* autre) const;

  [[nodiscard]] const char* NomClasse() const override { return kNomClasse; }
  [[nodiscard]] int32_t Version() const override { return 1; }
  void Ecrit(TFluxSortie& flux) const override;
  void Lit(TFluxEntree& flux, int32_t version) override;

  UnicodeString Equation;
  UnicodeString Nom;
  std::vector<std::unique_ptr<TCondition>> Conditions;

  mutable bool Erreur = false;
  mutable std::string MessageErreur;

 private:
  mutable TEquation arbre_;
  mutable UnicodeString arbreTexte_;
  mutable int arbreNb_ = -1;
};

class TSelectionMEV final : public TSelection {
 public:
  static constexpr const char* kNomClasse = "TSelectionMEV";

  TSelectionMEV() = default;
  TSelectionMEV(const TSelectionMEV&) = default;
  TSelectionMEV& operator=(const TSelectionMEV&) = default;

  // Not different only when the integer, the colour, both flags and every condition are equal.
  [[nodiscard]] bool Different(const TSelectionMEV* autre) const;

  [[nodiscard]] const char* NomClasse() const override { return kNomClasse; }
  void Ecrit(TFluxSortie& flux) const override;
  void Lit(TFluxEntree& flux, int32_t version) override;

  int32_t Entier = 0;
  uint32_t Couleur = 0xffffff;
  bool Drapeau1 = true;
  bool Drapeau2 = true;
};

// Replaces cible by a copy of source (of the same class); null when source is null.
void DupliqueSelection(std::unique_ptr<TSelection>& cible, const TSelection* source);

// Makes the search classes (fields, conditions, selections) readable from streams.
void EnregistreClassesSelection();

}  // namespace kyb
