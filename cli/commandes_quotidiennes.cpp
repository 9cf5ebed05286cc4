// kyb everyday commands: personnes (a paged list of the persons with their years),
// supprime-personne, lie and delie (links between two persons, both sides kept in step),
// descendance (d'Aboville numbering).
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "commandes.h"
#include "dossier_cli.h"
#include "index/annees_vie.h"
#include "index/gest_fic_index.h"
#include "names/gest_elt_index.h"
#include "persons/edition_personne.h"
#include "persons/gest_pers.h"

namespace kyb::cli {

int Statistiques(const TAppel& args);  // commandes_statistiques.cpp

namespace {

constexpr long kParPage = 50;

// One person of the list, as its index row gives it (the row's names are keys: uppercase, no
// accents, the usual given name only; the page shows the names of the record).
struct TLignePersonne {
  long No = 0;
  int AnneeMin = 0, AnneeMax = 0;
};

// The persons of the index in its own order (surname, given names), one row each, deleted
// persons left out. The trusted index file is read in place when the index is not loaded (the
// whole index is then never held in memory); an entry found damaged there makes the list read
// the index whole (rebuilt from the rows when the file cannot be trusted).
std::vector<TLignePersonne> PersonnesDeLIndex(TGestFichier& g) {
  auto* index = dynamic_cast<TFicIndexPerson*>(g.GetFicIndexPerson());
  std::vector<TLignePersonne> lignes;
  std::vector<bool> vu;
  const auto parcours = [&](const auto& elts) {
    lignes.clear();
    vu.assign(index ? static_cast<size_t>(std::max(0L, index->NbPersonnesConnues())) + 1 : 0, false);
    for (size_t k = 0; k < elts.size(); ++k) {
      const TEltIndex& e = EntreeParcourue(elts, k);
      if (e.FicheSupprimee == 'O' || e.NoPers <= 0) continue;
      const auto no = static_cast<size_t>(e.NoPers);
      if (no >= vu.size()) vu.resize(no + 1);
      if (vu[no]) continue;
      vu[no] = true;
      lignes.push_back({e.NoPers, e.AnneeMin, e.AnneeMax});
    }
  };
  if (index)
    if (const TVueFichierIndex* vue = index->VueFichier()) {
      parcours(*vue);
      if (!index->VueEndommagee()) return lignes;
    }
  if (!index || !index->Index()) throw ErreurKy("cette généalogie n'a pas d'index des personnes");
  parcours(index->Index()->Elements());
  return lignes;
}

// "(1820-1880)"; a year the record does not state but the index estimated reads "~1911", an
// unknown one "?"; nothing when neither is known.
std::string Annees(const TLignePersonne& p, TAnneesVie declarees) {
  if (p.AnneeMin == 0 && p.AnneeMax == 0) return {};
  const auto annee = [](int index, int declaree) {
    if (declaree) return std::to_string(declaree);
    return index ? "~" + std::to_string(index) : std::string("?");
  };
  return " (" + annee(p.AnneeMin, declarees.Min) + "-" + annee(p.AnneeMax, declarees.Max) + ")";
}

void Trie(std::vector<TLignePersonne>& lignes, const std::string& tri) {
  if (tri == "numero")
    std::sort(lignes.begin(), lignes.end(), [](const auto& a, const auto& b) { return a.No < b.No; });
  else if (tri == "naissance")  // unknown years last, the index order kept among equals
    std::stable_sort(lignes.begin(), lignes.end(), [](const auto& a, const auto& b) {
      return (a.AnneeMin ? a.AnneeMin : 1 << 20) < (b.AnneeMin ? b.AnneeMin : 1 << 20);
    });
}

int Personnes(const TAppel& args) {
  const long page = args.Present("--page") ? static_cast<long>(Entier(args.Valeur("--page"), 1, 1L << 30, "numéro de page")) : 1;
  const auto dossier = OuvreGenealogie(args[0], TAcces::Lecture);
  std::vector<TLignePersonne> lignes = PersonnesDeLIndex(*dossier);
  Trie(lignes, args.Valeur("--tri", "nom"));
  const long total = static_cast<long>(lignes.size());
  const long pages = std::max(1L, (total + kParPage - 1) / kParPage);
  if (page > pages) return Echec("la page " + std::to_string(page) + " n'existe pas (dernière page : " + std::to_string(pages) + ")");
  std::printf("%ld personne(s), page %ld sur %ld\n", total, page, pages);
  const long fin = std::min(total, page * kParPage);
  for (long i = (page - 1) * kParPage; i < fin; ++i) {
    const TLignePersonne& p = lignes[static_cast<size_t>(i)];
    TPerson personne(dossier->GetFicPersons(), p.No, true);
    const TAnneesVie declarees = personne.FicheChargee() ? AnneesVie(personne.Fiche()) : TAnneesVie{};
    std::string nom = UnicodeVersUtf8(personne.Public.Nom);
    if (!personne.Public.Prenoms.empty()) nom += " " + UnicodeVersUtf8(personne.Public.Prenoms);
    std::printf("  %6ld  %s%s\n", p.No, nom.c_str(), Annees(p, declarees).c_str());
  }
  return 0;
}

// Deletes a person: its links are removed on both sides and its index rows go with it.
int SupprimePersonne(const TAppel& args) {
  if (!args.Present("--oui")) throw ErreurUsage("--oui confirme la suppression");
  const auto dossier = OuvreGenealogie(args[0], TAcces::Ecriture);
  const long no = PersonneDuDossier(*dossier, args[1]);
  if (dossier->IsReadOnly()) return Echec("le dossier est en lecture seule : la personne n'a pas été supprimée");
  TPerson p(dossier->GetFicPersons(), no, true);
  if (p.FicheSupprimee()) return Echec("la personne " + std::to_string(no) + " est déjà supprimée");
  const std::string nom = UnicodeVersUtf8(p.Public.Nom) + " " + UnicodeVersUtf8(p.Public.Prenoms);
  if (!p.Suppression() || !p.Enregistrement())
    return Echec("la personne " + std::to_string(no) + " n'a pas pu être supprimée");
  std::printf("Personne %ld supprimée : %s\n", no, nom.c_str());
  return 0;
}

// Links B to A as spouse, or as child (A is then its father or its mother, by A's sex).
int Lie(const TAppel& args) {
  const auto dossier = OuvreGenealogie(args[0], TAcces::Ecriture);
  const long a = PersonneDuDossier(*dossier, args[1]);
  const long b = PersonneDuDossier(*dossier, args[2]);
  TFicPersons& f = *dossier->GetFicPersons();
  const bool conjoint = args.Present("--conjoint");
  std::string champ = "CONJOINT";
  if (!conjoint) {
    const char sexe = TPerson(&f, a).Public.Sexe;
    if (sexe != 'M' && sexe != 'F') return Echec("le sexe de la personne " + std::to_string(a) + " n'est pas connu : père ou mère ?");
    champ = sexe == 'M' ? "PERE" : "MERE";
    // A parent already known is never replaced silently: the user unlinks it first.
    const TPerson enfant(&f, b);
    const long actuel = sexe == 'M' ? enfant.Public.Pere.No : enfant.Public.Mere.No;
    if (actuel > 0 && actuel != a)
      return Echec(std::to_string(b) + (sexe == 'M' ? " a déjà un père : " : " a déjà une mère : ") + std::to_string(actuel) +
                   " (retirez d'abord ce lien avec kyb delie)");
  }
  TEditionPersonne edition(f, conjoint ? a : b);
  if (!edition.Erreur().empty()) return Echec(edition.Erreur());
  if (const std::string e = edition.Applique(champ, std::to_string(conjoint ? b : a)); !e.empty()) return Echec(e);
  if (const std::string e = edition.Enregistre(); !e.empty()) return Echec(e);
  std::printf(conjoint ? "%ld et %ld sont conjoints.\n" : "%ld est enfant de %ld.\n", conjoint ? a : b, conjoint ? b : a);
  return 0;
}

// Removes the link between A and its spouse or child B, on both sides.
int Delie(const TAppel& args) {
  const auto dossier = OuvreGenealogie(args[0], TAcces::Ecriture);
  const long a = PersonneDuDossier(*dossier, args[1]);
  const long b = PersonneDuDossier(*dossier, args[2]);
  if (dossier->IsReadOnly()) return Echec("le dossier est en lecture seule : aucun lien n'a été retiré");
  const bool conjoint = args.Present("--conjoint");
  TPerson p(dossier->GetFicPersons(), a, true);
  if (!(conjoint ? p.SupprimeLienConjoint(b) : p.SupprimeLienEnfant(b)))
    return Echec(std::to_string(b) + (conjoint ? " n'est pas conjoint de " : " n'est pas enfant de ") + std::to_string(a));
  if (!p.Enregistrement()) return Echec("la personne " + std::to_string(a) + " n'a pas pu être enregistrée");
  std::printf(conjoint ? "%ld et %ld ne sont plus conjoints.\n" : "%ld n'est plus enfant de %ld.\n", conjoint ? a : b, conjoint ? b : a);
  return 0;
}

// "Martin Jean Baptiste (1820-1880)": the name and the years the record card states.
std::string Presente(TPerson& p) {
  std::string texte = UnicodeVersUtf8(p.Public.Nom);
  if (!p.Public.Prenoms.empty()) texte += " " + UnicodeVersUtf8(p.Public.Prenoms);
  const TAnneesVie a = p.FicheChargee() ? AnneesVie(p.Fiche()) : TAnneesVie{};
  if (a.Min || a.Max)
    texte += " (" + (a.Min ? std::to_string(a.Min) : "?") + "-" + (a.Max ? std::to_string(a.Max) : "?") + ")";
  return texte;
}

// Prints no under its d'Aboville number, then its children numbered numero.1, numero.2... in the
// order of its record, down to the last generation; a person already on the path (a damaged
// folder where one is its own ancestor) is not followed again.
long Descend(TFicPersons& f, long no, const std::string& numero, int reste, std::vector<long>& chemin) {
  TPerson p(&f, no, true);
  std::printf("%s%s  %ld %s\n", std::string(2 * chemin.size(), ' ').c_str(), numero.c_str(), no, Presente(p).c_str());
  if (reste == 0 || std::find(chemin.begin(), chemin.end(), no) != chemin.end()) return 0;
  chemin.push_back(no);
  long total = 0;
  int rang = 0;
  for (const TLienPers& e : p.Public.Enfants)
    if (e.No > 0 && f.NoPersValide(e.No))
      total += 1 + Descend(f, e.No, numero + "." + std::to_string(++rang), reste - 1, chemin);
  chemin.pop_back();
  return total;
}

int Descendance(const TAppel& args) {
  const int generations = args.size() > 2 ? static_cast<int>(Entier(args[2], 1, 1000, "nombre de générations")) : 1000;
  const auto dossier = OuvreGenealogie(args[0], TAcces::Lecture);
  const long no = PersonneDuDossier(*dossier, args[1]);
  std::vector<long> chemin;
  const long total = Descend(*dossier->GetFicPersons(), no, "1", generations, chemin);
  std::printf("%ld descendant(s).\n", total);
  return 0;
}

constexpr TCommande kCommandes[] = {
    {"personnes", "personnes CHEMIN [--tri nom|numero|naissance] [--page N]",
     "liste des personnes avec leurs années, 50 par page, triée par nom, numéro ou naissance", Personnes},
    {"supprime-personne", "supprime-personne CHEMIN N [--oui]",
     "supprime la personne N et ses liens des deux côtés ; --oui confirme", SupprimePersonne},
    {"lie", "lie CHEMIN A B --conjoint|--enfant", "lie B à A comme conjoint ou comme enfant, des deux côtés", Lie},
    {"delie", "delie CHEMIN A B --conjoint|--enfant", "retire le lien de conjoint ou d'enfant entre A et B, des deux côtés",
     Delie},
    {"descendance", "descendance CHEMIN N [GENERATIONS]",
     "descendants de la personne N numérotés à la d'Aboville (1, 1.1, 1.2, 1.1.1...)", Descendance},
    {"statistiques", "statistiques CHEMIN",
     "personnes, couples, événements, siècles de naissance, noms et lieux fréquents, durée de vie", Statistiques},
};

}  // namespace

std::span<const TCommande> CommandesQuotidiennes() { return kCommandes; }

}  // namespace kyb::cli
