#include "persons/estimationpersonne.h"

#include "folder/gest_fic_pers.h"
#include "persons/gest_pers.h"
#include "platform/erreur.h"

namespace kyb {

namespace {

constexpr float kJoursAnnee = 365.242f;

float F(int n) { return static_cast<float>(n); }

// Both bounds of a known single year.
TIntervalAnnees Point(float annee) { return TIntervalAnnees(annee, annee); }

}  // namespace

const TResultatEstimation* TEstimationCalculee::Trouve(long no, bool propresDonnees) const {
  const auto& m = propresDonnees ? propres_ : completes_;
  const auto it = m.find(no);
  return it == m.end() ? nullptr : &it->second;
}

void TEstimationCalculee::Garde(long no, bool propresDonnees, const TResultatEstimation& r) {
  (propresDonnees ? propres_ : completes_).emplace(no, r);
}

// --- constraints from one relative ---

TIntervalAnnees CreeIntervalEnfant(char sexe, const TConsConfigSais& c, const TIntervalAnnees& naissanceEnfant, bool brut) {
  int min = 0, max = 0;
  c.GetAgePremierEnfant(min, max, sexe, brut);
  return naissanceEnfant.Decale(-F(max), -F(min));
}

TIntervalAnnees CreeIntervalUnion(char sexe, const TConsConfigSais& c, const TIntervalAnnees& dateUnion, bool brut) {
  int min = 0, max = 0;
  c.GetAgeUnion(min, max, sexe, brut);
  return dateUnion.Decale(-F(max), -F(min));
}

TIntervalAnnees CreeIntervalParent(char sexeParent, const TConsConfigSais& c, const TIntervalAnnees& naissanceParent, bool brut) {
  int min = 0, max = 0;
  c.GetAgePremierEnfant(min, max, sexeParent, brut);
  return naissanceParent.Decale(F(min), F(max));
}

TIntervalAnnees CreeIntervalFrere(const TConsConfigSais& c, const TIntervalAnnees& naissanceFrere, bool brut) {
  const float ecart = F(c.EcartMaxFreres(brut));
  return naissanceFrere.Decale(-ecart, ecart);
}

TIntervalAnnees CreeIntervalConjoint(const TConsConfigSais& c, const TIntervalAnnees& naissanceConjoint) {
  const float ecart = F(c.EcartMaxConjoints);
  return naissanceConjoint.Decale(-ecart, ecart);
}

// --- the estimation ---

void TEstimationPersonne::Raz() { r_ = TResultatEstimation(); }

void TEstimationPersonne::UpdateIntervalNaissance(const TIntervalAnnees& i, TOrigineEstimation o) {
  if (r_.Naissance.RestreintMin(i)) r_.NaissanceMin = o;
  if (r_.Naissance.RestreintMax(i)) r_.NaissanceMax = o;
}

void TEstimationPersonne::UpdateIntervalDeces(const TIntervalAnnees& i, TOrigineEstimation o) {
  if (r_.Deces.RestreintMin(i)) r_.DecesMin = o;
  if (r_.Deces.RestreintMax(i)) r_.DecesMax = o;
}

void TEstimationPersonne::RecupAnneeNaissanceDeces(const TDonneesEstimation& d, float& naissance, float& deces) {
  TIntervalAnnees i;
  CalculAnneeFloatOuFourchette(d.Naissance, i, naissance);
  if (naissance == kAnneeInconnue && !i.MinInconnu()) naissance = i.Min();
  CalculAnneeFloatOuFourchette(d.Deces, i, deces);
  if (deces == kAnneeInconnue && !i.MinInconnu()) deces = i.Min();
}

void TEstimationPersonne::EstimeFourchetteNaissanceDeces(const TDonneesEstimation& d) {
  CalculAnneeFloatOuFourchette(d.Naissance, r_.Naissance, r_.AnneeNaissance);
  CalculAnneeFloatOuFourchette(d.Deces, r_.Deces, r_.AnneeDeces);
  const TOrigineEstimation propre{TOrigineBorne::Naissance, 0}, deces{TOrigineBorne::Deces, 0};
  if (!r_.Naissance.MinInconnu()) r_.NaissanceMin = propre;
  if (!r_.Naissance.MaxInconnu()) r_.NaissanceMax = propre;
  if (!r_.Deces.MinInconnu()) r_.DecesMin = deces;
  if (!r_.Deces.MaxInconnu()) r_.DecesMax = deces;
  // Nobody lives beyond the largest age at death.
  TIntervalAnnees borne;
  if (!r_.Deces.MinInconnu()) borne.SetMin(r_.Deces.Min() - F(config_->AgeMaxDeces));
  UpdateIntervalNaissance(borne, deces);
}

void TEstimationPersonne::EstimeFourchetteNaissanceRapportMariage(const TDonneesEstimation& d) {
  bool premiere = true;
  for (const auto& [conjoint, date] : d.Unions) {
    TIntervalAnnees u;
    InitIntervalsEvenement(date, u);
    if (u.Inconnu()) continue;
    const TOrigineEstimation o{TOrigineBorne::Union, 0};
    if (premiere) {
      float annee = 0;
      CalculAnneeFloatOuFourchette(date, r_.Union, annee);
      r_.AnneeUnion = annee;
      premiere = false;
    }
    UpdateIntervalNaissance(CreeIntervalUnion(d.Sexe, *config_, u, brut_), o);
    TIntervalAnnees apres;
    if (!u.MinInconnu()) apres.SetMin(u.Min());
    UpdateIntervalDeces(apres, o);
  }
}

void TEstimationPersonne::EstimeEvenementsPersonne(const TDonneesEstimation& d) {
  const TOrigineEstimation o{TOrigineBorne::Evenement, 0};
  for (const TDateKY& date : d.Autres) {
    TIntervalAnnees e;
    InitIntervalsEvenement(date, e);
    TIntervalAnnees avant, apres;  // born before the event, dead after it
    if (!e.MaxInconnu()) avant.SetMax(e.Max());
    if (!e.MinInconnu()) apres.SetMin(e.Min());
    UpdateIntervalNaissance(avant, o);
    UpdateIntervalDeces(apres, o);
  }
  TIntervalAnnees inhumation;
  InitIntervalsEvenement(d.Inhumation, inhumation);
  TIntervalAnnees avant;  // born and dead before the burial
  if (!inhumation.MaxInconnu()) avant.SetMax(inhumation.Max());
  UpdateIntervalNaissance(avant, o);
  UpdateIntervalDeces(avant, o);
}

void TEstimationPersonne::TraiteIncoherencesUtilisateurNaissanceMort() {
  const TIntervalAnnees& n = r_.Naissance;
  float reference = r_.AnneeNaissance;
  if (reference == kAnneeInconnue) reference = !n.MinInconnu() ? n.Min() : !n.MaxInconnu() ? n.Max() : kAnneeInconnue;
  if (reference == kAnneeInconnue) return;
  if (r_.AnneeDeces != kAnneeInconnue && r_.AnneeDeces < reference) r_.AnneeDeces = kAnneeInconnue;
  // Only the death the user dated is in question, not the bounds events put on it.
  if (!r_.Deces.MinInconnu() && r_.Deces.Min() < reference && r_.DecesMin.Quoi == TOrigineBorne::Deces) {
    r_.Deces.SetMin(kAnneeInconnue);
    r_.DecesMin = {};
  }
  if (!r_.Deces.MaxInconnu() && r_.Deces.Max() < reference && r_.DecesMax.Quoi == TOrigineBorne::Deces) {
    r_.Deces.SetMax(kAnneeInconnue);
    r_.DecesMax = {};
  }
}

const TResultatEstimation* TEstimationPersonne::Proche(long no, TSourceEstimation& source, TDonneesEstimation& d) {
  TEstimationCalculee& cache = cache_ ? *cache_ : local_;
  if (const TResultatEstimation* r = cache.Trouve(no, true)) {
    if (!source.Lit(no, d)) return nullptr;
    return r;
  }
  if (!source.Lit(no, d)) return nullptr;
  TEstimationPersonne e(&cache, brut_);
  e.config_ = config_;
  e.Raz();
  e.EstimeDepuis(d, source, false, true);
  return cache.Trouve(no, true);
}

void TEstimationPersonne::PrechargeProches(const TDonneesEstimation& d, TSourceEstimation& source) {
  std::vector<long> nos = d.Enfants;
  nos.insert(nos.end(), {d.Pere, d.Mere});
  nos.insert(nos.end(), d.Conjoints.begin(), d.Conjoints.end());
  source.Precharge(nos);
}

void TEstimationPersonne::EstimeFourchetteRapportEnfants(const TDonneesEstimation& d, TSourceEstimation& source) {
  // A father may die before a child is born, by at most a pregnancy.
  const float grossesse = d.Sexe == 'F' ? 0.0f : F(config_->JoursGrossesseMax - 1) / kJoursAnnee;
  TDonneesEstimation enfant;
  for (const long no : d.Enfants) {
    const TResultatEstimation* r = Proche(no, source, enfant);
    if (!r || r->Naissance.Inconnu()) continue;
    const TOrigineEstimation o{TOrigineBorne::Enfant, no};
    UpdateIntervalNaissance(CreeIntervalEnfant(d.Sexe, *config_, r->Naissance, brut_), o);
    TIntervalAnnees apres;
    if (!r->Naissance.MinInconnu()) apres.SetMin(r->Naissance.Min() - grossesse);
    UpdateIntervalDeces(apres, o);
  }
}

void TEstimationPersonne::EstimeFourchetteRapportParents(const TDonneesEstimation& d, TSourceEstimation& source) {
  TDonneesEstimation parent;
  for (const long no : {d.Pere, d.Mere}) {
    if (no <= 0 || no == d.No) continue;
    const TResultatEstimation* r = Proche(no, source, parent);
    if (!r || r->Naissance.Inconnu()) continue;
    UpdateIntervalNaissance(CreeIntervalParent(parent.Sexe, *config_, r->Naissance, brut_), {TOrigineBorne::Parent, no});
  }
}

void TEstimationPersonne::EstimeFouchetteNaissanceRapportConjoints(const TDonneesEstimation& d, TSourceEstimation& source) {
  TDonneesEstimation conjoint;
  for (const long no : d.Conjoints) {
    if (no == d.No) continue;
    const TResultatEstimation* r = Proche(no, source, conjoint);
    if (!r) continue;
    const TOrigineEstimation o{TOrigineBorne::Conjoint, no};
    if (!r->Naissance.Inconnu()) UpdateIntervalNaissance(CreeIntervalConjoint(*config_, r->Naissance), o);
    // The union the spouse dated also bounds this person's death from below.
    for (const auto& [autre, date] : conjoint.Unions) {
      if (autre != d.No) continue;
      const TIntervalAnnees u = IntervalleDate(date);
      TIntervalAnnees apres;
      if (!u.MinInconnu()) apres.SetMin(u.Min());
      UpdateIntervalDeces(apres, o);
    }
  }
}

void TEstimationPersonne::EstimeFourchetteNaissanceRapportFrere(const TDonneesEstimation& d, TSourceEstimation& source) {
  if (d.Pere <= 0 || d.Mere <= 0) return;
  TDonneesEstimation parent, frere;
  if (!source.Lit(d.Pere, parent)) return;
  const std::vector<long> enfants = parent.Enfants;
  source.Precharge(enfants);
  for (const long no : enfants) {
    if (no == d.No || !source.Lit(no, frere) || frere.Pere != d.Pere || frere.Mere != d.Mere) continue;
    const TResultatEstimation* r = Proche(no, source, frere);
    if (!r || r->Naissance.Inconnu()) continue;
    UpdateIntervalNaissance(CreeIntervalFrere(*config_, r->Naissance, brut_), {TOrigineBorne::Frere, no});
  }
}

void TEstimationPersonne::EstimeFourchetteDecesRapportNaissance() {
  const float age = F(brut_ ? config_->AgeMaxDeces : config_->AgeDecesMoyen());
  const TIntervalAnnees n = r_.AnneeNaissance != kAnneeInconnue ? Point(r_.AnneeNaissance) : r_.Naissance;
  TIntervalAnnees d;
  if (!n.MinInconnu()) d.SetMin(n.Min());
  if (!n.MaxInconnu()) d.SetMax(n.Max() + age);
  UpdateIntervalDeces(d, {TOrigineBorne::Duree, 0});
}

void TEstimationPersonne::EstimeFourchetteNaissanceRapportDeces() {
  const float age = F(brut_ ? config_->AgeMaxDeces : config_->AgeDecesMoyen());
  const TIntervalAnnees m = r_.AnneeDeces != kAnneeInconnue ? Point(r_.AnneeDeces) : r_.Deces;
  TIntervalAnnees n;
  if (!m.MinInconnu()) n.SetMin(m.Min() - age);
  if (!m.MaxInconnu()) n.SetMax(m.Max());
  UpdateIntervalNaissance(n, {TOrigineBorne::Duree, 0});
}

void TEstimationPersonne::TraiteIncoherences(const TDonneesEstimation& d) {
  if (r_.Deces.Inverse()) {
    float naissance = 0, deces = 0;
    RecupAnneeNaissanceDeces(d, naissance, deces);
    r_.Deces.SetInconnu();
    r_.DecesMin = r_.DecesMax = {};
    if (deces != kAnneeInconnue) {
      r_.Deces.SetMin(deces);
      r_.DecesMin = {TOrigineBorne::Deces, 0};
    }
  }
  if (r_.Naissance.Inverse()) {
    // Relatives that contradict each other: only the person's own birth is kept.
    InitIntervalsEvenement(d.Naissance, r_.Naissance);
    r_.NaissanceMin = r_.NaissanceMax = {};
    if (!r_.Naissance.MinInconnu()) r_.NaissanceMin = {TOrigineBorne::Naissance, 0};
    if (!r_.Naissance.MaxInconnu()) r_.NaissanceMax = {TOrigineBorne::Naissance, 0};
  }
}

void TEstimationPersonne::CalculIntervalProcreation(char sexe) {
  int min = 0, max = 0;
  config_->GetAgePremierEnfant(min, max, sexe, brut_);
  TIntervalAnnees p = r_.Naissance.Decale(F(min), F(max));
  // A man may have a child born after his death, within a pregnancy.
  const float apres = sexe == 'F' ? 0.0f : F(config_->JoursGrossesseMax - 1) / kJoursAnnee;
  TIntervalAnnees coupe;
  if (!r_.Deces.MaxInconnu()) coupe.SetMax(r_.Deces.Max() + apres);
  p.RestreintMax(coupe);
  r_.Procreation = p.Inverse() ? TIntervalAnnees() : p;
}

void TEstimationPersonne::EstimeDepuis(const TDonneesEstimation& d, TSourceEstimation& source, bool incoherences,
                                       bool propres) {
  EstimeFourchetteNaissanceDeces(d);
  if (r_.AnneeNaissance == kAnneeInconnue || r_.AnneeDeces == kAnneeInconnue || r_.AnneeUnion == kAnneeInconnue) {
    EstimeFourchetteNaissanceRapportMariage(d);
    EstimeEvenementsPersonne(d);
    if (incoherences) TraiteIncoherencesUtilisateurNaissanceMort();
    if (!propres) {
      PrechargeProches(d, source);
      EstimeFourchetteRapportEnfants(d, source);
      EstimeFourchetteRapportParents(d, source);
      EstimeFouchetteNaissanceRapportConjoints(d, source);
      EstimeFourchetteNaissanceRapportFrere(d, source);
    }
  }
  if (r_.AnneeDeces == kAnneeInconnue) EstimeFourchetteDecesRapportNaissance();
  if (r_.AnneeNaissance == kAnneeInconnue) EstimeFourchetteNaissanceRapportDeces();
  TraiteIncoherences(d);
  if (r_.AnneeNaissance != kAnneeInconnue) r_.Naissance = Point(r_.AnneeNaissance);
  if (r_.AnneeDeces != kAnneeInconnue) r_.Deces = Point(r_.AnneeDeces);
  CalculIntervalProcreation(d.Sexe);
  if (cache_) cache_->Garde(d.No, propres, r_);
  else if (propres) local_.Garde(d.No, propres, r_);
}

void TEstimationPersonne::EstimePersonne(long no, TSourceEstimation& source, bool incoherences, bool propres) {
  config_ = GConsConfigSais;
  if (!config_) throw ErreurKy("Estimation : GConsConfigSais == NULL !");
  Raz();
  if (no <= 0) return;
  TDonneesEstimation d;
  if (!source.Lit(no, d)) return;
  EstimeDepuis(d, source, incoherences, propres);
}

void TEstimationPersonne::EstimePersonne(long no, TPerson* personne, bool incoherences, bool propres) {
  config_ = GConsConfigSais;
  if (!config_) throw ErreurKy("Estimation : GConsConfigSais == NULL !");
  Raz();
  if (no <= 0 || !personne || !personne->Fichier()) return;
  if (personne->Numero() != no) personne->Lecture(no);
  if (personne->Numero() != no || personne->FicheSupprimee()) return;
  TDonneesEstimation d;
  TSourceEstimationFichier::Extrait(*personne, d);
  TSourceEstimationFichier source(*personne->Fichier());
  EstimeDepuis(d, source, incoherences, propres);
}

void TEstimationPersonne::EstimePersonne(long no, TFicPersons* fichier, bool incoherences, bool propres) {
  config_ = GConsConfigSais;
  if (!config_) throw ErreurKy("Estimation : GConsConfigSais == NULL !");
  Raz();
  if (!fichier) return;
  TSourceEstimationFichier source(*fichier);
  EstimePersonne(no, source, incoherences, propres);
}

}  // namespace kyb
