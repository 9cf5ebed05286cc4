// kyb selection: persons chosen by numbered conditions and an equation; selections kept in the
// folder.
#include <algorithm>
#include <cstdio>

#include "commandes.h"
#include "dossier_cli.h"
#include "folder/gest_fic.h"
#include "index/gest_fic_index.h"
#include "index/ouverture_genealogie.h"
#include "interface_terminal.h"
#include "search/saisie_condition.h"
#include "search/selection_complexe.h"
#include "search/selections_dossier.h"

namespace kyb::cli {
namespace {

constexpr size_t kMaxResultats = 50;

struct TDemande {
  std::string chemin, equation, enregistre, charge;
  std::vector<std::string> conditions;
  bool liste = false, equationDonnee = false;
};

// What the user asked, or a usage error (ErreurUsage) for a mix the command cannot do.
TDemande LitDemande(const TAppel& args) {
  TDemande d;
  d.chemin = args[0];
  d.equationDonnee = args.size() > 1;
  if (d.equationDonnee) d.equation = args[1];
  d.conditions = args.Valeurs("--condition");
  d.enregistre = args.Valeur("--enregistre");
  d.charge = args.Valeur("--charge");
  d.liste = args.Present("--liste");
  const bool definit = d.equationDonnee || !d.conditions.empty();
  const bool valide = d.liste ? !definit && d.charge.empty() && d.enregistre.empty()
                      : !d.charge.empty() ? !definit && d.enregistre.empty()
                                          : definit;
  if (!valide)
    throw ErreurUsage("--liste et --charge se donnent seuls ; sinon donnez une équation ou des conditions");
  return d;
}

TSelection* Cherche(TSelections& liste, const UnicodeString& nom) {
  for (auto& s : liste)
    if (s->Nom == nom) return s.get();
  return nullptr;
}

int Liste(const TSelections& liste) {
  if (liste.empty()) {
    std::printf("Aucune sélection enregistrée.\n");
    return 0;
  }
  for (const auto& s : liste) {
    std::printf("%s : %s\n", UnicodeVersUtf8(s->Nom).c_str(),
                s->Equation.empty() ? "(toutes les personnes)" : UnicodeVersUtf8(s->Equation).c_str());
    for (int i = 0; i < s->NbConditions(); ++i)
      std::printf("  %d. %s\n", i + 1, UnicodeVersUtf8(s->Conditions[i]->RetChnCond(nullptr)).c_str());
  }
  return 0;
}

// The selection run over the index, its persons printed in index order.
int Affiche(TFicIndexPerson& index, const TSelection& selection, TInterfaceTerminal& iu) {
  TResultatSelection r;
  {
    TProgression barre(&iu, u"Sélection des personnes");
    r = TSelectionComplexe(index).Execute(selection, &barre);
  }
  if (r.Invalide) return Echec("équation invalide : " + r.MessageErreur);
  if (r.Abandonnee) return Echec("sélection abandonnée");
  if (r.Numeros.empty()) {
    std::printf("Aucune personne sélectionnée.\n");
    return 0;
  }
  const TGestEltIndex* elements = index.Index();
  std::vector<int32_t> tries = r.Numeros;
  std::sort(tries.begin(), tries.end());
  size_t affichees = 0;
  std::vector<bool> montree;
  for (const TEltIndex& e : elements->Elements()) {
    if (affichees == std::min(kMaxResultats, r.Numeros.size())) break;
    if (!std::binary_search(tries.begin(), tries.end(), e.NoPers)) continue;
    if (static_cast<size_t>(e.NoPers) >= montree.size()) montree.resize(static_cast<size_t>(e.NoPers) + 1);
    if (montree[e.NoPers]) continue;
    montree[e.NoPers] = true;
    TFicIndexPerson::TTrouve t;
    t.NoPers = e.NoPers;
    t.Exact = true;
    t.AnneeMin = e.AnneeMin;
    t.AnneeMax = e.AnneeMax;
    std::printf("  %6d  %s\n", e.NoPers, UnicodeVersUtf8(index.LibelleTrouve(t)).c_str());
    ++affichees;
  }
  if (r.Numeros.size() > affichees)
    std::printf("... et %zu autres personnes\n", r.Numeros.size() - affichees);
  std::printf("%zu personne(s) sélectionnée(s)%s.\n", r.Numeros.size(),
              r.ParStore ? " (par la base de données)" : "");
  return 0;
}

int Selection(const TAppel& args) {
  const TDemande d = LitDemande(args);
  TInterfaceTerminal iu;
  // Only --enregistre writes: the folder is opened read-only otherwise.
  const auto options = d.enregistre.empty() ? TGestFichier::OuvertureLectureSeule(&iu)
                                            : TGestFichier::Ouverture(&iu);
  const TGestFichier g(CheminDossier(d.chemin), AvecIndex(options));
  if (g.Erreur) return Echec(MessageOuverture(g));
  TFicIndexPerson* index = TFicIndexPerson::De(g);
  if (!index) return Echec("ce dossier n'a pas d'index des personnes");
  TSelections gardees;
  std::string erreur;
  if (!ChargeSelections(g, gardees, erreur)) return Echec(erreur);
  if (d.liste) return Liste(gardees);
  if (!d.charge.empty()) {
    const TSelection* s = Cherche(gardees, Utf8VersUnicode(d.charge));
    if (!s) return Echec("aucune sélection enregistrée sous le nom « " + d.charge + " »");
    return Affiche(*index, *s, iu);
  }
  TSelection selection;
  selection.Equation = Utf8VersUnicode(d.equation);
  selection.Nom = Utf8VersUnicode(d.enregistre);
  for (size_t i = 0; i < d.conditions.size(); ++i) {
    TCondition c;
    if (!LitCondition(Utf8VersUnicode(d.conditions[i]), g.GetDefChpsCs(), c, erreur))
      return Echec("condition " + std::to_string(i + 1) + " : " + erreur);
    selection.AjouteCondition(c);
  }
  if (!selection.Arbre().Valide()) return Echec("équation invalide : " + selection.MessageErreur);
  if (!d.enregistre.empty()) {
    if (TSelection* ancienne = Cherche(gardees, selection.Nom)) *ancienne = selection;
    else gardees.push_back(std::make_unique<TSelection>(selection));
    if (!EnregistreSelections(g, gardees, erreur)) return Echec(erreur);
    std::printf("Sélection « %s » enregistrée.\n", d.enregistre.c_str());
  }
  return Affiche(*index, selection, iu);
}

constexpr TCommande kCommandes[] = {
    {"selection", "selection CHEMIN [EQUATION] [--condition TEXTE...] [--enregistre NOM] [--charge NOM] [--liste]",
     "personnes qui satisfont des conditions numérotées combinées par « et », « ou », « non » ; "
     "--enregistre NOM, --charge NOM, --liste",
     Selection},
};

}  // namespace

std::span<const TCommande> CommandesSelection() { return kCommandes; }

}  // namespace kyb::cli
