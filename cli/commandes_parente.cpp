// kyb commands on kinship: parente, famille.
#include <cstdio>
#include <memory>
#include <optional>

#include "commandes.h"
#include "dossier_cli.h"
#include "folder/gest_fic.h"
#include "persons/ancetres_communs.h"
#include "persons/lienparente.h"
#include "persons/tables_parente.h"
#include "index/ouverture_genealogie.h"

namespace kyb::cli {
namespace {

// "12 (DURAND Jean)".
std::string Designe(TFicPersons& f, long no) {
  TPerson p(&f, 0);
  if (!LitPersonneVivante(f, no, p)) return std::to_string(no) + " (absente)";
  std::string nom = UnicodeVersUtf8(p.Public.Nom);
  if (!p.Public.Prenoms.empty()) nom += " " + UnicodeVersUtf8(p.Public.Prenoms);
  return std::to_string(no) + " (" + (nom.empty() ? "sans nom" : nom) + ")";
}

// A live person number read from the text; ErreurKy else.
long PersonneVivante(TFicPersons& f, const std::string& texte) {
  const long no = NumeroPersonne(texte);
  TPerson p(&f, 0);
  if (!LitPersonneVivante(f, no, p))
    throw ErreurKy("la personne " + texte + " n'existe pas ou a été supprimée (dernier numéro : " +
                   std::to_string(f.NbEnreg) + ")");
  return no;
}

void AfficheChemins(TFicPersons& f, const TAncetresCommuns& r) {
  for (const TCheminParente& c : r.Chemins) {
    std::printf("  par %s : %d génération(s) du côté de la première personne, %d du côté de la seconde\n    ",
                Designe(f, c.Ancetre).c_str(), c.GenerationsA, c.GenerationsB);
    for (size_t i = 0; i < c.Personnes.size(); ++i)
      std::printf("%s%s", i ? " → " : "", Designe(f, c.Personnes[i]).c_str());
    std::printf("\n");
  }
  if (r.Chemins.size() >= static_cast<size_t>(kMaxChemins)) std::printf("  (chemins suivants non montrés)\n");
}

int Parente(const TAppel& args) {
  const auto dossier = OuvreGenealogie(args[0], TAcces::Lecture);
  TFicPersons& f = *dossier->FicPersons;
  const std::optional<long> a = PersonneVivante(f, args[1]), b = PersonneVivante(f, args[2]);
  if (*a == *b) {
    std::printf("%s et %s sont la même personne.\n", Designe(f, *a).c_str(), Designe(f, *b).c_str());
    return 0;
  }
  const TPerson pa(&f, *a);
  const AnsiString mot = TLienParente(pa).RetourneLienDeParente(*b);
  if (!mot.empty()) {
    std::printf("%s est : %s de %s\n", Designe(f, *b).c_str(), AnsiVersUtf8(mot).c_str(), Designe(f, *a).c_str());
    return 0;
  }
  const TAncetresCommuns r = ChercheAncetresCommuns(f, *a, *b);
  if (!r.Trouve()) {
    std::printf("Aucun lien de parenté : rien ne relie %s et %s par leurs ascendances.\n", Designe(f, *a).c_str(),
                Designe(f, *b).c_str());
    return 0;
  }
  std::printf("Parenté sans nom direct entre %s et %s.\n", Designe(f, *a).c_str(), Designe(f, *b).c_str());
  std::printf("Ancêtre(s) commun(s) le(s) plus proche(s) : %zu, chemin(s) : %zu\n", r.Ancetres.size(),
              r.Chemins.size());
  AfficheChemins(f, r);
  return 0;
}

void AfficheListe(TFicPersons& f, const char* titre, const TTableLong& tab, const TTableLong* sauf = nullptr) {
  std::string lignes;
  int n = 0;
  for (const int32_t no : tab) {
    if (no <= 0 || (sauf && IsPersInTab(*sauf, no, kMaxTableLong))) continue;
    lignes += "  " + Designe(f, no) + "\n";
    ++n;
  }
  std::printf("%s : %d\n%s", titre, n, lignes.c_str());
}

int Famille(const TAppel& args) {
  const auto dossier = OuvreGenealogie(args[0], TAcces::Lecture);
  TFicPersons& f = *dossier->FicPersons;
  const std::optional<long> no = PersonneVivante(f, args[1]);
  const TPerson p(&f, *no);
  std::printf("Famille de %s\n", Designe(f, *no).c_str());
  int nb = 0;
  const auto liste = [&](auto&& construit) {
    auto tab = AlloueTableLong();
    construit(*tab);
    return tab;
  };
  AfficheListe(f, "Parents", *liste([&](TTableLong& t) { RetourneTabParents(p, t, nb); }));
  const auto freres = liste([&](TTableLong& t) { RetourneTabFreresSoeurs(p, t, nb, false, false); });
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
    {"parente", "parente CHEMIN A B", "lien de parenté de B envers A, ou leurs ancêtres communs", Parente},
    {"famille", "famille CHEMIN N", "parents, frères et soeurs, conjoints, enfants... de la personne N", Famille},
};

}  // namespace

std::span<const TCommande> CommandesParente() { return kCommandes; }

}  // namespace kyb::cli
