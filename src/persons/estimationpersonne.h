#pragma once
// TEstimationPersonne: the years within which a person was born, died and could have children,
// estimated from its own events and from the dates of its children, parents, spouses and full
// brothers and sisters, with the age limits of the data-entry settings (GConsConfigSais).
//
// Relatives are estimated with their own data only, so an estimation reads the person and its
// relatives once each and never recurses further: loops in the links cannot make it run on.
// Missing persons or dates leave bounds unknown; nothing else is reported. With brut the raw age
// limits apply, otherwise the widened ones of TConsConfigSais.
//
// The results of a run are kept in the shared cache (TEstimationCalculee) under the person
// number; a relative estimated with its own data only is taken from there when already done.
#include <unordered_map>

#include "dates/consconfigsais.h"
#include "dates/intervalle_annees.h"
#include "persons/source_estimation.h"

namespace kyb {

class TPerson;

// Who narrowed a bound, for showing the reasoning.
enum class TOrigineBorne : char { Aucune, Naissance, Deces, Evenement, Union, Enfant, Parent, Conjoint, Frere, Duree };
struct TOrigineEstimation {
  TOrigineBorne Quoi = TOrigineBorne::Aucune;
  long No = 0;  // the relative, 0 for the person's own data
};

struct TResultatEstimation {
  TIntervalAnnees Naissance, Deces, Union, Procreation;
  float AnneeNaissance = kAnneeInconnue, AnneeDeces = kAnneeInconnue, AnneeUnion = kAnneeInconnue;
  // Origins of the lower and upper bounds of the birth and death intervals.
  TOrigineEstimation NaissanceMin, NaissanceMax, DecesMin, DecesMax;
};

// Estimations already made, by person number, for the persons estimated on their own data and
// for the complete ones.
class TEstimationCalculee {
 public:
  [[nodiscard]] const TResultatEstimation* Trouve(long no, bool propresDonnees) const;
  // A person already kept keeps its entry.
  void Garde(long no, bool propresDonnees, const TResultatEstimation& r);
  void Vide() { propres_.clear(), completes_.clear(); }

 private:
  std::unordered_map<long, TResultatEstimation> propres_, completes_;
};

// The constraint one relative puts on the person's birth (see the file comment).
[[nodiscard]] TIntervalAnnees CreeIntervalEnfant(char sexe, const TConsConfigSais& c, const TIntervalAnnees& naissanceEnfant, bool brut);
[[nodiscard]] TIntervalAnnees CreeIntervalUnion(char sexe, const TConsConfigSais& c, const TIntervalAnnees& dateUnion, bool brut);
[[nodiscard]] TIntervalAnnees CreeIntervalParent(char sexeParent, const TConsConfigSais& c, const TIntervalAnnees& naissanceParent, bool brut);
[[nodiscard]] TIntervalAnnees CreeIntervalFrere(const TConsConfigSais& c, const TIntervalAnnees& naissanceFrere, bool brut);
[[nodiscard]] TIntervalAnnees CreeIntervalConjoint(const TConsConfigSais& c, const TIntervalAnnees& naissanceConjoint);

class TEstimationPersonne {
 public:
  // The cache may be null (nothing kept).
  TEstimationPersonne(TEstimationCalculee* cache, bool brut) : cache_(cache), brut_(brut) {}
  TEstimationPersonne(const TEstimationPersonne&) = default;
  ~TEstimationPersonne() = default;

  // Estimates person no, read from source. Throws ErreurKy "Estimation : GConsConfigSais == NULL !"
  // when the settings are missing. With incoherencesUtilisateur a death the user dated before
  // the birth is dropped; with propresDonnees the relatives are not read.
  void EstimePersonne(long no, TSourceEstimation& source, bool incoherencesUtilisateur, bool propresDonnees);
  // The same for a loaded person (relatives through its persons file).
  void EstimePersonne(long no, TPerson* personne, bool incoherencesUtilisateur, bool propresDonnees);
  // The same for a person of the file.
  void EstimePersonne(long no, TFicPersons* fichier, bool incoherencesUtilisateur, bool propresDonnees);

  // The birth and death years the person's own events give (kAnneeInconnue when none).
  static void RecupAnneeNaissanceDeces(const TDonneesEstimation& d, float& naissance, float& deces);
  static void InitIntervalsEvenement(const TDateKY& date, TIntervalAnnees& intervalle) {
    float annee = 0;
    CalculAnneeFloatOuFourchette(date, intervalle, annee);
  }

  [[nodiscard]] const TResultatEstimation& Resultat() const { return r_; }

 private:
  void Raz();
  void EstimeDepuis(const TDonneesEstimation& d, TSourceEstimation& source, bool incoherences, bool propres);
  void EstimeFourchetteNaissanceDeces(const TDonneesEstimation& d);
  void EstimeFourchetteNaissanceRapportMariage(const TDonneesEstimation& d);
  void EstimeEvenementsPersonne(const TDonneesEstimation& d);
  void TraiteIncoherencesUtilisateurNaissanceMort();
  // Announces to the source the parents, spouses and children the next steps read (the
  // brothers and sisters are announced once the father is read).
  void PrechargeProches(const TDonneesEstimation& d, TSourceEstimation& source);
  void EstimeFourchetteRapportEnfants(const TDonneesEstimation& d, TSourceEstimation& source);
  void EstimeFourchetteRapportParents(const TDonneesEstimation& d, TSourceEstimation& source);
  void EstimeFouchetteNaissanceRapportConjoints(const TDonneesEstimation& d, TSourceEstimation& source);
  void EstimeFourchetteNaissanceRapportFrere(const TDonneesEstimation& d, TSourceEstimation& source);
  void EstimeFourchetteDecesRapportNaissance();
  void EstimeFourchetteNaissanceRapportDeces();
  void TraiteIncoherences(const TDonneesEstimation& d);
  void CalculIntervalProcreation(char sexe);
  // The relative estimated with its own data only; null when it cannot be read.
  const TResultatEstimation* Proche(long no, TSourceEstimation& source, TDonneesEstimation& d);

  // The update operations: intersect the person's interval with the given one.
  void UpdateIntervalNaissance(const TIntervalAnnees& i, TOrigineEstimation o);
  void UpdateIntervalDeces(const TIntervalAnnees& i, TOrigineEstimation o);
  void UpdateIntervalUnion(const TIntervalAnnees& i) { r_.Union.Intersecte(i); }

  TEstimationCalculee* cache_;
  bool brut_;
  const TConsConfigSais* config_ = nullptr;
  TResultatEstimation r_;
  TEstimationCalculee local_;  // relatives of this run when no cache is shared
};

}  // namespace kyb
