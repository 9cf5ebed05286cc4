#pragma once
// TCondition: one condition of a selection of persons. Either a comparison of a field of the
// person (TChampBase) with one or two values through an operator (kind -1), or one of the 37
// ready-made conditions ("Homme", "Vivant", "Case sélectionnée"...).
//
// Operators (TOperateur, labels by RetOperateur): 0 égal à, 1 commence par, 2 termine par,
// 3 différent de, 4 entre, 5 plus grand ou égal à, 6 plus petit ou égal à, 7 vide, 8 non vide,
// 9 contenant, 10 ascendance de; -1 unset.
//
// The ready-made conditions are shown in a fixed order (positions 0 to 36, RetConditionSimple);
// RetConditionSimpleObj gives the stored kind of a position, RetPosConditionSimpleObj the
// position of a kind.
//
// Stream layout (class "TCondition", version 2): field, value 1, value 2 written as references
// to TChampBase objects, in the order field, operator (int32), value 1, value 2, kind (int32).
// A version-1 stream numbered the kinds without 10 and 22: a kind read from it is raised by 1
// when it is 21 or more, then by 1 when it is 10 or more.
//
// Nothing is reported by the tests: an unset operator or a missing value makes a condition false.
#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "platform/chaines.h"
#include "platform/flux_objets.h"
#include "search/champ_base.h"
#include "store/selection_bdd.h"

namespace kyb {

class TGestFichier;
class TPerson;

enum TOperateur : int32_t {
  opEgal = 0,
  opCommencePar = 1,
  opTerminePar = 2,
  opDifferent = 3,
  opEntre = 4,
  opPlusGrandOuEgal = 5,
  opPlusPetitOuEgal = 6,
  opVide = 7,
  opNonVide = 8,
  opContenant = 9,
  opAscendanceDe = 10,
};
inline constexpr int kNbOperateurs = 11;

// Stored kinds of the ready-made conditions (-1: a field comparison).
enum TConditionSimple : int32_t {
  csChamp = -1,
  csNom = 0, csPrenom = 1, csHomme = 2, csFemme = 3, csVivant = 4, csDecede = 5,
  csNaissanceDepartement = 6, csNaissanceDate = 7, csEvenCommune = 8, csEvenDepartement = 9,
  csEvenLieu = 10, csProfession = 11, csNoGenealogique = 12, csNoGeneration = 13, csNoSosa = 14,
  csAgeDeces = 15, csCaseCitee = 16, csCaseSelectionnee = 17, csCaseImplexe = 18,
  csCaseAscendance = 19, csCaseDescendance = 20, csCaseConjointDescendance = 21,
  csCaseFratrieAscendants = 22, csCaseInversee = 23, csAnniversaireJour = 24,
  csAnniversaireMois = 25, csCaseVide = 26, csCaseNonVide = 27, csAnniversaireMariageJour = 28,
  csAnniversaireMariageMois = 29, csJumeaux = 30, csEvenPlusAncien = 31, csEvenPlusRecent = 32,
  csFicheVide = 33, csCaseCentrale = 34, csEnfantsAdoptes = 35, csParentsAdoptifs = 36,
};

// What the document being drawn knows of the person's box: one flag per tree-box kind (17 to 23,
// 26, 27, 34), and whether the person stands on a privileged relation of the document.
struct TDonneeDocBase {
  std::set<int> Cases;
  bool RelationPrivilegiee = false;
};

[[nodiscard]] UnicodeString RetOperateur(int operateur);  // "" out of range
[[nodiscard]] int RetNbCondSimple();                       // 37
[[nodiscard]] UnicodeString RetConditionSimple(int position);
// Kind of a position; -1 for -1 or 37 and above. A position of no kind (below -1) writes the
// message "Il manque des types..." to the log "LogMsgError" and gives -1.
[[nodiscard]] int RetConditionSimpleObj(int position);
[[nodiscard]] int RetPosConditionSimpleObj(int type);  // -1 for a kind of no position
// The kinds that take no value: 2 to 5, 16 to 30, 33 to 36.
[[nodiscard]] bool IsCondSimpleBool(int type);

class TCondition final : public TObjetFlux {
 public:
  static constexpr const char* kNomClasse = "TCondition";

  TCondition() = default;
  explicit TCondition(const TCondition* autre);
  TCondition(const TCondition&) = default;
  TCondition& operator=(const TCondition&) = default;

  // True when the field, the operator, either value or the kind differ.
  [[nodiscard]] bool Different(const TCondition* autre) const;

  [[nodiscard]] bool IsCondHomme() const { return Type == csHomme; }
  [[nodiscard]] bool IsCondFemme() const { return Type == csFemme; }
  [[nodiscard]] bool IsCondNoGen() const { return Type == csNoGeneration; }
  [[nodiscard]] bool IsCondCaseSelectionnee() const { return Type == csCaseSelectionnee; }
  [[nodiscard]] bool IsCondImplexe() const { return Type == csCaseImplexe; }
  [[nodiscard]] bool IsRelationPrivilegiee() const { return Champ.SurRelationPrivilegiee(); }
  void SetCondCaseSelectionnee() { Type = csCaseSelectionnee; }
  // Generation equal to n: kind 13, operator "égal à", value 1 = n.
  void SetCondNoGenEgal(int n);

  // Text shown to the user: the label, then the operator and values unless the kind takes none.
  // dossier gives the screen label of the field (null: its internal label).
  [[nodiscard]] UnicodeString RetChnCond(const TGestFichier* dossier) const;

  // Whether the person satisfies the condition. doc gives the flags of the person's box (may be
  // null: every box flag is off); source and even restrict a field on a source or an event to
  // that event (and source slot) of the person's card, -1 for every one.
  [[nodiscard]] bool Satisfaite(TPerson& personne, const TDonneeDocBase* doc = nullptr, int source = -1,
                                int even = -1) const;
  // The element-wise comparison of a value of the person with value 1 (and value 2).
  [[nodiscard]] bool TestValeur(const UnicodeString& valeur, TTypeChpBasic type) const;

  // The condition as one comparison on the store: operators 0, 1, 2, 9 on the datum of a field
  // the store keeps as a simple field of the person (kind -1), or on the professions (kind 11),
  // with a value 1 that is not empty and holds no "," (an element list is tested element-wise).
  [[nodiscard]] bool CanConvertToSql() const;
  [[nodiscard]] TComparaisonBDD Comparaison() const;
  // The SQL text of that comparison, for display; empty when it cannot be converted.
  [[nodiscard]] std::string GetSql() const;

  [[nodiscard]] const char* NomClasse() const override { return kNomClasse; }
  [[nodiscard]] int32_t Version() const override { return 2; }
  void Ecrit(TFluxSortie& flux) const override;
  void Lit(TFluxEntree& flux, int32_t version) override;

  TChampBase Champ;
  int32_t Operateur = -1;
  TChampBase Valeur1;
  TChampBase Valeur2;
  int32_t Type = csChamp;

 private:
  [[nodiscard]] bool SatisfaiteCond(TPerson& personne, int source, int even) const;
  [[nodiscard]] bool SatisfaiteCondEven(TPerson& personne) const;
  [[nodiscard]] bool SatisfaiteCondSimple(TPerson& personne, const TDonneeDocBase* doc) const;
  [[nodiscard]] bool SatisfaiteCondRelPriv(const TDonneeDocBase* doc) const;
  [[nodiscard]] bool TestPaire(const UnicodeString& personne, const UnicodeString& v1, const UnicodeString& v2,
                               TTypeChpBasic type) const;
  [[nodiscard]] bool EstAscendant(TPerson& personne) const;

  // Ancestors of the person named by value 1, computed once per value.
  mutable std::map<UnicodeString, std::set<long>> ascendances_;
};

// Makes TChampBase and TCondition readable from streams (EnregistreClassesSelection adds the
// selections).
void EnregistreClassesRecherche();

}  // namespace kyb
