// TSelection and TSelectionMEV (search/selection.h).
#include "search/selection.h"

namespace kyb {

TSelection::TSelection(const TSelection& autre)
    : TObjetFlux(autre), Equation(autre.Equation), Nom(autre.Nom) {
  for (const auto& c : autre.Conditions) Conditions.push_back(std::make_unique<TCondition>(c.get()));
}

TSelection& TSelection::operator=(const TSelection& autre) {
  if (this == &autre) return *this;
  Equation = autre.Equation;
  Nom = autre.Nom;
  Conditions.clear();
  for (const auto& c : autre.Conditions) Conditions.push_back(std::make_unique<TCondition>(c.get()));
  arbreNb_ = -1;
  return *this;
}

int TSelection::AjouteCondition(const TCondition& condition) {
  Conditions.push_back(std::make_unique<TCondition>(&condition));
  return NbConditions();
}

const TEquation& TSelection::Arbre() const {
  if (arbreNb_ != NbConditions() || arbreTexte_ != Equation) {
    MessageErreur.clear();
    (void)arbre_.Analyse(Equation, NbConditions(), &MessageErreur);
    arbreTexte_ = Equation;
    arbreNb_ = NbConditions();
  }
  return arbre_;
}

bool TSelection::Satisfaite(TPerson& personne, const TDonneeDocBase* doc, int source, int even) const {
  const TEquation& arbre = Arbre();
  Erreur = !arbre.Valide();
  if (Erreur) return false;
  return arbre.Evalue([&](int n) { return Conditions[n - 1]->Satisfaite(personne, doc, source, even); });
}

void TSelection::Concat(const TSelection* autre) {
  if (!autre) return;
  Nom = Nom.empty() ? autre->Nom : Nom + u" et " + autre->Nom;
  for (const auto& c : autre->Conditions) {
    const UnicodeString n = AnsiVersUnicode(std::to_string(AjouteCondition(*c)));
    Equation = Equation.empty() ? n : Equation + u" et " + n;
  }
}

bool TSelection::CanConvertToSql() const {
  if (Conditions.empty()) return false;
  for (const auto& c : Conditions)
    if (!c->CanConvertToSql()) return false;
  return true;
}

void TSelection::ConvertToSql(std::map<int, std::vector<std::string>>& groupes) const {
  groupes.clear();
  const std::vector<std::string> mots = TEquation::Mots(Equation);
  if (mots.empty()) {
    for (const auto& c : Conditions) groupes[0].push_back(c->GetSql());
    return;
  }
  int groupe = 0;
  for (const std::string& mot : mots) {
    if (mot == "ou") {
      ++groupe;
      continue;
    }
    char* fin = nullptr;
    const long n = std::strtol(mot.c_str(), &fin, 10);
    if (fin && *fin == 0 && n >= 1 && n <= NbConditions()) groupes[groupe].push_back(Conditions[n - 1]->GetSql());
  }
}

void TSelection::SetCondNoGenEgal(int n) {
  TCondition c;
  c.SetCondNoGenEgal(n);
  AjouteCondition(c);
  Equation = u"1";
  Nom = u"Génération N° " + AnsiVersUnicode(std::to_string(n));
}

int TSelection::ChercheNoGen() const {
  for (const auto& c : Conditions)
    if (c->IsCondNoGen()) {
      const std::string v = UnicodeVersUtf8(Rogne(c->Valeur1.Valeur));
      char* fin = nullptr;
      const long n = std::strtol(v.c_str(), &fin, 10);
      return fin && *fin == 0 && !v.empty() ? static_cast<int>(n) : 1;
    }
  return 1;
}

bool TSelection::IsCondSurNoGen(int n) const {
  const UnicodeString texte = AnsiVersUnicode(std::to_string(n));
  for (const auto& c : Conditions)
    if (c->IsCondNoGen() && Rogne(c->Valeur1.Valeur) == texte) return true;
  return false;
}

bool TSelection::IsCondImplexe() const {
  for (const auto& c : Conditions)
    if (c->IsCondImplexe()) return true;
  return false;
}

bool TSelection::IsCondHomme() const {
  for (const auto& c : Conditions)
    if (c->IsCondHomme()) return true;
  return false;
}

bool TSelection::IsCondFemme() const {
  for (const auto& c : Conditions)
    if (c->IsCondFemme()) return true;
  return false;
}

bool TSelection::Different(const TSelection* autre) const {
  if (!autre || autre->NbConditions() != NbConditions()) return true;
  for (int i = 0; i < NbConditions(); ++i)
    if (Conditions[i]->Different(autre->Conditions[i].get())) return true;
  return Equation != autre->Equation || Nom != autre->Nom;
}

void TSelection::Ecrit(TFluxSortie& flux) const {
  flux.EcritChaineUnicode(Equation);
  flux.EcritChaineUnicode(Nom);
  flux.EcritEntier32(NbConditions());
  for (const auto& c : Conditions) flux.EcritPointeur(c.get());
}

void TSelection::Lit(TFluxEntree& flux, int32_t version) {
  Equation = flux.LitChaineUnicode();
  Nom = flux.LitChaineUnicode();
  const int32_t nb = flux.LitEntier32();
  Conditions.clear();
  arbreNb_ = -1;
  if (version != 1 || nb < 0 || nb > kMaxConditions) {
    flux.MetEnEchec();
    return;
  }
  for (int32_t i = 0; i < nb && !flux.Echec(); ++i) {
    TObjetFlux* objet = flux.LitPointeur();  // stays in the stream's pool
    auto* c = dynamic_cast<TCondition*>(objet);
    if (!c) {
      flux.MetEnEchec();
      break;
    }
    // A condition written twice comes back as one object: each number gets its own copy.
    Conditions.push_back(std::make_unique<TCondition>(c));
  }
  if (flux.Echec()) Conditions.clear();
}

bool TSelectionMEV::Different(const TSelectionMEV* autre) const {
  if (!autre || autre->Entier != Entier || autre->Couleur != Couleur || autre->Drapeau1 != Drapeau1 ||
      autre->Drapeau2 != Drapeau2 || autre->NbConditions() != NbConditions())
    return true;
  for (int i = 0; i < NbConditions(); ++i)
    if (Conditions[i]->Different(autre->Conditions[i].get())) return true;
  return false;
}

void TSelectionMEV::Ecrit(TFluxSortie& flux) const {
  TSelection::Ecrit(flux);
  flux.EcritEntier32(Entier);
  flux.EcritEntier32(static_cast<int32_t>(Couleur));
  flux.EcritOctet(Drapeau1 ? 1 : 0);
  flux.EcritOctet(Drapeau2 ? 1 : 0);
}

void TSelectionMEV::Lit(TFluxEntree& flux, int32_t version) {
  TSelection::Lit(flux, version);
  Entier = flux.LitEntier32();
  Couleur = static_cast<uint32_t>(flux.LitEntier32());
  const uint8_t d1 = flux.LitOctet(), d2 = flux.LitOctet();
  if (d1 > 1 || d2 > 1) flux.MetEnEchec();
  Drapeau1 = d1 == 1;
  Drapeau2 = d2 == 1;
}

void DupliqueSelection(std::unique_ptr<TSelection>& cible, const TSelection* source) {
  if (!source) {
    cible.reset();
  } else if (const auto* mev = dynamic_cast<const TSelectionMEV*>(source)) {
    cible = std::make_unique<TSelectionMEV>(*mev);
  } else {
    cible = std::make_unique<TSelection>(*source);
  }
}

void EnregistreClassesSelection() {
  EnregistreClassesRecherche();
  static const bool fait = [] {
    TRegistreClasses& r = TRegistreClasses::Global();
    r.Enregistre(TSelection::kNomClasse, [] { return std::make_unique<TSelection>(); });
    r.Enregistre(TSelectionMEV::kNomClasse, [] { return std::make_unique<TSelectionMEV>(); });
    return true;
  }();
  (void)fait;
}

}  // namespace kyb
