// kyb commands on persons: personne (the whole record card), ajoute, modifie.
#include <algorithm>
#include <cstdio>
#include <utility>

#include "commandes.h"
#include "dossier_cli.h"
#include "folder/gest_fic_pers.h"
#include "persons/edition_personne.h"
#include "persons/fiche_evenements.h"
#include "persons/gest_pers.h"
#include "store/datamodulebdd.h"
#include "index/ouverture_genealogie.h"

namespace kyb::cli {
namespace {

std::string NomComplet(const TPerson& p) {
  std::string texte = UnicodeVersUtf8(p.Public.Nom);
  if (!p.Public.Prenoms.empty()) texte += " " + UnicodeVersUtf8(p.Public.Prenoms);
  return texte.empty() ? "(sans nom)" : texte;
}

// "12 (DURAND Jean)", or "-" for no link.
std::string Lien(TFicPersons& f, long no) {
  if (no <= 0) return "-";
  if (!f.NoPersValide(no)) return std::to_string(no) + " (hors du fichier)";
  return std::to_string(no) + " (" + NomComplet(TPerson(&f, no)) + ")";
}

// Why the stored person cannot be shown (a number without row, a damaged record), or nothing.
std::string Illisible(TFicPersons& f, long no) {
  const std::string quoi = "la personne " + std::to_string(no);
  if (f.AncienFormat()) {
    TEnregPersonne enreg;
    if (!f.LitEnreg(no, enreg)) return quoi + " est illisible : le fichier des personnes n'a pas pu être lu";
    if (enreg.EnregFoireux()) return quoi + " est illisible : son enregistrement est endommagé";
    return {};
  }
  TModuleBDD* bdd = f.Store();
  TEnregPublic p;
  if (!bdd || !bdd->IsIDPersExists(no)) return quoi + " n'existe pas";
  if (!bdd->ReadPerson(p, no)) return quoi + " est illisible : sa ligne de la base de données est endommagée";
  return {};
}

int Personne(const TAppel& args) {
  // Reading only: the folder is opened read-only so that nothing in it changes.
  const auto dossier = OuvreGenealogie(args[0], TAcces::Lecture);
  TGestFichier& g = *dossier;
  TFicPersons& f = *g.FicPersons;
  const long no = PersonneDuDossier(g, args[1]);
  if (const std::string e = Illisible(f, static_cast<long>(no)); !e.empty()) return Echec(e);
  TPerson p(&f, static_cast<long>(no), true);
  std::printf("Personne         : %ld%s\n", p.Numero(), p.FicheSupprimee() ? " (supprimée)" : "");
  std::printf("Nom              : %s\n", UnicodeVersUtf8(p.Public.Nom).c_str());
  std::printf("Prénoms          : %s\n", UnicodeVersUtf8(p.Public.Prenoms).c_str());
  std::printf("Sexe             : %c\n", p.Public.Sexe);
  std::printf("Type             : %s\n", p.Public.TypePersonne == 'T' ? "témoin" : "personne");
  std::printf("Père             : %s\n", Lien(f, p.Public.Pere.No).c_str());
  std::printf("Mère             : %s\n", Lien(f, p.Public.Mere.No).c_str());
  const TNoParent& a = p.NoParents();
  if (!p.DefaultNoParent())
    std::printf("Parents B        : %s, %s (principaux : %s, %s)\n", Lien(f, a.PereB).c_str(), Lien(f, a.MereB).c_str(),
                a.PerePrinc == 2 ? "B" : "A", a.MerePrinc == 2 ? "B" : "A");
  std::printf("Conjoints        : %d\n", p.CompteNbConjoint());
  for (const TLienConj& c : p.Public.Conjoints)
    if (c.Lien.No != 0) std::printf("  %s\n", Lien(f, c.Lien.No).c_str());
  std::printf("Enfants          : %d\n", p.CompteNbEnfant());
  for (const TLienPers& e : p.Public.Enfants)
    if (e.No != 0) std::printf("  %s\n", Lien(f, e.No).c_str());
  if (p.FicheChargee()) {
    const std::vector<std::string> lignes = RedigeFiche(g, p.Fiche(), ResolveursDuDossier(g));
    std::printf("Rubriques        : %d\n", p.GetNbInfoEven() + p.GetNbChpsSimple());
    for (const std::string& l : lignes) std::printf("  %s\n", l.c_str());
  }
  const std::vector<AnsiString> note = p.ChargeNote();
  if (!note.empty()) std::printf("Note             :\n");
  for (const AnsiString& l : note) std::printf("  %s\n", AnsiVersUtf8(l).c_str());
  for (const UnicodeString& c : p.ChargeCitations()) std::printf("Citée dans       : %s\n", UnicodeVersUtf8(c).c_str());
  return 0;
}

// Opens the folder for writing, applies the fields in order and saves: all of it, or nothing.
int Edite(const std::string& chemin, long no, const std::vector<std::pair<bool, std::pair<std::string, std::string>>>& champs,
          bool nouvelle) {
  const auto dossier = OuvreGenealogie(chemin, TAcces::Ecriture);
  TGestFichier& g = *dossier;
  TEditionPersonne edition = nouvelle ? TEditionPersonne(*g.FicPersons) : TEditionPersonne(*g.FicPersons, no);
  if (!edition.Erreur().empty()) return Echec(edition.Erreur());
  for (const auto& [ajout, champ] : champs)
    if (const std::string e = edition.Applique(champ.first, champ.second, ajout); !e.empty())
      return Echec(champ.first + " : " + e + " (rien n'a été écrit)");
  if (const std::string e = edition.Enregistre(); !e.empty()) return Echec(e);
  for (const std::string& a : edition.Avertissements()) std::printf("Attention : %s\n", a.c_str());
  if (nouvelle) std::printf("Personne créée : %ld\n", edition.Numero());
  else std::printf("Personne %ld modifiée : %zu rubrique(s)\n", edition.Numero(), champs.size());
  return 0;
}

int Ajoute(const TAppel& args) {
  static constexpr std::pair<const char*, const char*> kOptions[] = {
      {"--nom", "NOM"},       {"--prenoms", "PRENOMS"},        {"--sexe", "SEXE"}, {"--pere", "PERE"},
      {"--mere", "MERE"},     {"--naissance", "NAISSANCE.date"}, {"--lieu", "NAISSANCE.lieu"},
      {"--deces", "DECES.date"}};
  std::vector<std::pair<bool, std::pair<std::string, std::string>>> champs;
  for (const auto& [option, valeur] : args.DansLOrdre())
    for (const auto& [nomOption, champ] : kOptions)
      if (option == nomOption) champs.push_back({false, {champ, valeur}});
  if (args.Present("--lieu") && !args.Present("--naissance")) throw ErreurUsage("--lieu va avec --naissance");
  if (args[0].empty()) throw ErreurUsage("le chemin est vide");
  // A place comes after its date: the event exists when the place is set.
  std::stable_partition(champs.begin(), champs.end(), [](const auto& c) { return c.second.first != "NAISSANCE.lieu"; });
  return Edite(args[0], 0, champs, true);
}

int Modifie(const TAppel& args) {
  const long no = NumeroPersonne(args[1]);
  std::vector<std::pair<bool, std::pair<std::string, std::string>>> champs;
  for (const auto& [option, valeur] : args.DansLOrdre()) {
    const size_t egal = valeur.find('=');
    if (egal == std::string::npos || egal == 0) throw ErreurUsage("« " + valeur + " » n'est pas de la forme LIBELLE=VALEUR");
    champs.push_back({option == "--ajoute", {valeur.substr(0, egal), valeur.substr(egal + 1)}});
  }
  if (champs.empty()) throw ErreurUsage("il faut au moins un --champ ou un --ajoute");
  return Edite(args[0], no, champs, false);
}

constexpr TCommande kCommandes[] = {
    {"personne", "personne CHEMIN N", "fiche complète de la personne N : identité, liens, rubriques, note",
     Personne},
    {"ajoute",
     "ajoute CHEMIN --nom NOM --prenoms P --sexe M|F [--pere N] [--mere N] [--naissance DATE [--lieu L]] [--deces DATE]",
     "crée une personne (liens vers ses parents des deux côtés) et affiche son numéro", Ajoute},
    {"modifie", "modifie CHEMIN N [--champ LIBELLE=VALEUR...] [--ajoute LIBELLE=VALEUR...]",
     "change des champs de la personne N (NOM, PRENOMS, SEXE, PERE, MERE, CONJOINT, rubriques), tout ou rien",
     Modifie},
};

}  // namespace

std::span<const TCommande> CommandesPersonnes() { return kCommandes; }

}  // namespace kyb::cli
