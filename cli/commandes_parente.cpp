// kyb commands on kinship: parente, famille, consanguinite.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>
#include <sstream>

#include "commandes.h"
#include "dossier_cli.h"
#include "folder/gest_fic.h"
#include "gedcom/fratrie_gardee.h"
#include "persons/ancetres_communs.h"
#include "persons/chemins_parente.h"
#include "persons/consanguinite.h"
#include "persons/nom_parente.h"
#include "persons/lienparente.h"
#include "persons/tables_parente.h"
#include "index/ouverture_genealogie.h"

namespace kyb::cli {
namespace {

// A live person number read from the text; ErreurKy else.
long PersonneVivante(TFicPersons& f, const std::string& texte) {
  const long no = NumeroPersonne(texte);
  TPerson p(&f, 0);
  if (!LitPersonneVivante(f, no, p))
    throw ErreurKy("la personne " + texte + " n'existe pas ou a été supprimée (dernier numéro : " +
                   std::to_string(f.NbEnreg) + ")");
  return no;
}

void AfficheChemins(TFicPersons& f, const std::vector<TCheminParente>& chemins) {
  for (const TCheminParente& c : chemins) {
    std::printf("  par %s : %d génération(s) du côté de la première personne, %d du côté de la seconde\n    ",
                DesignePersonne(f, c.Ancetre).c_str(), c.GenerationsA, c.GenerationsB);
    for (size_t i = 0; i < c.Personnes.size(); ++i)
      std::printf("%s%s", i ? " → " : "", DesignePersonne(f, c.Personnes[i]).c_str());
    std::printf("\n");
  }
}

std::string Texte(const NTL::ZZ& n) {
  std::ostringstream s;
  s << n;
  return s.str();
}

// Every common ancestor, then every path (the first kMaxChemins).
void AfficheParenteComplete(TFicPersons& f, const TParenteComplete& r) {
  std::printf("Ancêtre(s) commun(s) : %zu, chemin(s) : %s\n", r.Ancetres.size(), Texte(r.NbChemins).c_str());
  for (const TAncetreCommun& c : r.Ancetres)
    std::printf("  %s : %d génération(s) au plus court, %s chemin(s)\n", DesignePersonne(f, c.No).c_str(), c.GenerationsMin(),
                Texte(c.NbChemins()).c_str());
  AfficheChemins(f, r.Chemins);
  if (NTL::ZZ(r.Chemins.size()) < r.NbChemins)
    std::printf("  (chemins suivants non montrés : %s)\n", Texte(r.NbChemins - r.Chemins.size()).c_str());
}

int Parente(const TAppel& args) {
  const bool chemins = args.Present("--chemins");
  const auto dossier = OuvreGenealogie(args[0], TAcces::Lecture);
  TFicPersons& f = *dossier->FicPersons;
  const std::optional<long> a = PersonneVivante(f, args[1]), b = PersonneVivante(f, args[2]);
  if (*a == *b) {
    std::printf("%s et %s sont la même personne.\n", DesignePersonne(f, *a).c_str(), DesignePersonne(f, *b).c_str());
    return 0;
  }
  const TPerson pa(&f, *a);
  const AnsiString mot = TLienParente(pa).RetourneLienDeParente(*b);
  TGrapheParente graphe(f);
  const AnsiString precis = TexteLiens(NommeParente(graphe, *a, *b));
  if (mot.empty() && precis.empty())
    std::printf("Aucun lien de parenté : rien ne relie %s et %s par leurs ascendances ni par alliance.\n",
                DesignePersonne(f, *a).c_str(), DesignePersonne(f, *b).c_str());
  else
    std::printf("%s est : %s — %s de %s\n", DesignePersonne(f, *b).c_str(),
                mot.empty() ? "(aucun mot simple)" : AnsiVersUtf8(mot).c_str(),
                precis.empty() ? "(aucun lien précis)" : AnsiVersUtf8(precis).c_str(), DesignePersonne(f, *a).c_str());
  if (chemins) AfficheParenteComplete(f, ChercheToutesParentes(graphe, *a, *b));
  return 0;
}

// "6,25 %": at most six significant digits, a decimal comma.
std::string Pourcentage(double valeur) {
  char texte[64];
  std::snprintf(texte, sizeof texte, "%.6g", valeur * 100);
  std::string s = texte;
  std::replace(s.begin(), s.end(), '.', ',');
  return s + " %";
}

// "1/16 (6,25 %)".
std::string Coefficient(const TFractionDyadique& v) {
  return v.Texte() + " (" + Pourcentage(v.EnDouble()) + ")";
}

void AfficheContributions(TFicPersons& f, const TCoefficientParente& c, const char* titre) {
  std::printf("%s : %zu\n", titre, c.Contributions.size());
  for (const TContributionParente& x : c.Contributions) {
    std::printf("  %s : %s", DesignePersonne(f, x.Ancetre).c_str(), Coefficient(x.Part).c_str());
    if (!x.Consanguinite.EstNul()) std::printf(", consanguinité propre %s", x.Consanguinite.Texte().c_str());
    std::printf("\n");
  }
}

int Consanguinite(const TAppel& args) {
  const auto dossier = OuvreGenealogie(args[0], TAcces::Lecture);
  TFicPersons& f = *dossier->FicPersons;
  const std::optional<long> n = PersonneVivante(f, args[1]);
  TGrapheParente graphe(f);
  if (args.size() == 2) {
    const TCoefficientParente c = CoefficientConsanguinite(graphe, *n);
    std::printf("Consanguinité de %s : %s\n", DesignePersonne(f, *n).c_str(), Coefficient(c.Valeur).c_str());
    const TNoeudParente& noeud = graphe.Noeud(*n);
    if (noeud.Pere <= 0 || noeud.Mere <= 0 || !graphe.Noeud(noeud.Pere).Vivant || !graphe.Noeud(noeud.Mere).Vivant)
      std::printf("Père ou mère inconnu : pas de consanguinité connue.\n");
    else
      AfficheContributions(f, c, "Ancêtres communs des parents");
    return 0;
  }
  const std::optional<long> m = PersonneVivante(f, args[2]);
  const TCoefficientParente c = CoefficientParente(graphe, *n, *m);
  const double fN = CoefficientConsanguinite(graphe, *n).Valeur.EnDouble();
  const double fM = CoefficientConsanguinite(graphe, *m).Valeur.EnDouble();
  std::printf("Coefficient de parenté de %s et %s : %s\n", DesignePersonne(f, *n).c_str(), DesignePersonne(f, *m).c_str(),
              Coefficient(c.Valeur).c_str());
  std::printf("Coefficient de relation : %s\n",
              Pourcentage(2 * c.Valeur.EnDouble() / std::sqrt((1 + fN) * (1 + fM))).c_str());
  AfficheContributions(f, c, "Ancêtres communs");
  return 0;
}

void AfficheListe(TFicPersons& f, const char* titre, const TTableLong& tab, const TTableLong* sauf = nullptr) {
  std::string lignes;
  int n = 0;
  for (const int32_t no : tab) {
    if (no <= 0 || (sauf && IsPersInTab(*sauf, no, kMaxTableLong))) continue;
    lignes += "  " + DesignePersonne(f, no) + "\n";
    ++n;
  }
  std::printf("%s : %d\n%s", titre, n, lignes.c_str());
}

int Famille(const TAppel& args) {
  const auto dossier = OuvreGenealogie(args[0], TAcces::Lecture);
  TFicPersons& f = *dossier->FicPersons;
  const std::optional<long> no = PersonneVivante(f, args[1]);
  const TPerson p(&f, *no);
  std::printf("Famille de %s\n", DesignePersonne(f, *no).c_str());
  int nb = 0;
  const auto liste = [&](auto&& construit) {
    auto tab = AlloueTableLong();
    construit(*tab);
    return tab;
  };
  AfficheListe(f, "Parents", *liste([&](TTableLong& t) { RetourneTabParents(p, t, nb); }));
  const auto freres = liste([&](TTableLong& t) {
    RetourneTabFreresSoeurs(p, t, nb, false, false);
    // Children with this person of a family the file gave no spouse: of the same unknown parents.
    for (const long autre : FreresSansParentsConnus(*dossier, *no))
      if (TPerson lu(&f, 0); !IsPersInTab(t, static_cast<int32_t>(autre), kMaxTableLong) && LitPersonneVivante(f, autre, lu))
        (void)AjouteNoTableLong(t, kMaxTableLong, static_cast<int32_t>(autre));
  });
  AfficheListe(f, "Frères et soeurs", *freres);
  AfficheListe(f, "Demi-frères et demi-soeurs",
               *liste([&](TTableLong& t) { RetourneTabFreresSoeurs(p, t, nb, false, true); }), freres.get());
  AfficheListe(f, "Conjoints", *liste([&](TTableLong& t) { RetourneTabConjoints(p, t, nb); }));
  AfficheListe(f, "Enfants", *liste([&](TTableLong& t) { RetourneTabEnfants(p, t, nb); }));
  AfficheListe(f, "Grands-parents", *liste([&](TTableLong& t) { RetourneTabGrdParents(p, t, nb); }));
  AfficheListe(f, "Petits-enfants", *liste([&](TTableLong& t) { RetourneTabPetitsEnfants(p, t, nb); }));
  AfficheListe(f, "Oncles et tantes", *liste([&](TTableLong& t) { RetourneTabOnclesTantes(p, t, nb, false, true); }));
  AfficheListe(f, "Cousins germains", *liste([&](TTableLong& t) { RetourneTabCousins(p, t, nb); }));
  return 0;
}

constexpr TCommande kCommandes[] = {
    {"parente", "parente CHEMIN A B [--chemins]",
     "lien de parenté de B envers A (mot simple — nom précis) ; --chemins : ancêtres communs et chemins", Parente},
    {"consanguinite", "consanguinite CHEMIN N [M]",
     "consanguinité de N, ou parenté de N et M, et les ancêtres qui y contribuent", Consanguinite},
    {"famille", "famille CHEMIN N", "parents, frères et soeurs, conjoints, enfants... de la personne N", Famille},
};

}  // namespace

std::span<const TCommande> CommandesParente() { return kCommandes; }

}  // namespace kyb::cli
