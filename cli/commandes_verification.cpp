// kyb commands on dates nobody wrote down and impossible ones: estime, verifie.
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

#include "commandes.h"
#include "dossier_cli.h"
#include "folder/gest_fic.h"
#include "interface_terminal.h"
#include "persons/estimationpersonne.h"
#include "persons/gest_pers.h"
#include "persons/tables_parente.h"
#include "search/verification.h"

namespace kyb::cli {
namespace {

std::string Annee(const TIntervalAnnees& i, bool haut) {
  if (haut ? i.MaxInconnu() : i.MinInconnu()) return "?";
  return std::to_string(static_cast<long>(std::floor(haut ? i.Max() : i.Min())));
}

std::string Origine(TFicPersons& f, const TOrigineEstimation& o) {
  switch (o.Quoi) {
    case TOrigineBorne::Naissance: return "sa naissance";
    case TOrigineBorne::Deces: return "son décès";
    case TOrigineBorne::Evenement: return "ses autres évènements";
    case TOrigineBorne::Union: return "son union";
    case TOrigineBorne::Enfant: return "l'enfant " + DesignePersonne(f, o.No);
    case TOrigineBorne::Parent: return "le parent " + DesignePersonne(f, o.No);
    case TOrigineBorne::Conjoint: return "le conjoint " + DesignePersonne(f, o.No);
    case TOrigineBorne::Frere: return "le frère ou la sœur " + DesignePersonne(f, o.No);
    case TOrigineBorne::Duree: return "la durée de vie";
    case TOrigineBorne::Aucune: break;
  }
  return "rien";
}

void AfficheIntervalle(TFicPersons& f, const char* quoi, const TIntervalAnnees& i, const TOrigineEstimation* bas,
                       const TOrigineEstimation* haut) {
  std::printf("  %s : de %s à %s", quoi, Annee(i, false).c_str(), Annee(i, true).c_str());
  if (bas && haut)
    std::printf("  (début : %s ; fin : %s)", Origine(f, *bas).c_str(), Origine(f, *haut).c_str());
  std::printf("\n");
}

int Estime(const TAppel& args) {
  const auto g = OuvreGenealogie(args[0], TAcces::Lecture);
  TFicPersons& f = *g->FicPersons;
  const long no = NumeroPersonne(args[1]);
  TPerson p(&f, 0);
  if (!LitPersonneVivante(f, no, p))
    throw ErreurKy("la personne " + args[1] + " n'existe pas ou a été supprimée (dernier numéro : " +
                   std::to_string(f.NbEnreg) + ")");
  TEstimationPersonne e(nullptr, true);
  e.EstimePersonne(static_cast<long>(no), &p, true, false);
  const TResultatEstimation& r = e.Resultat();
  std::printf("Estimation pour %s (années, limites d'âge des réglages)\n", DesignePersonne(f, static_cast<long>(no)).c_str());
  AfficheIntervalle(f, "naissance", r.Naissance, &r.NaissanceMin, &r.NaissanceMax);
  AfficheIntervalle(f, "décès", r.Deces, &r.DecesMin, &r.DecesMax);
  AfficheIntervalle(f, "procréation", r.Procreation, nullptr, nullptr);
  return 0;
}

// A field of a spreadsheet line: quoted when it holds a separator, a quote or a line break.
std::string Champ(const std::string& texte) {
  if (texte.find_first_of(";\"\n") == std::string::npos) return texte;
  std::string q = "\"";
  for (const char c : texte) q += c == '"' ? std::string("\"\"") : std::string(1, c);
  return q + "\"";
}

void EcritCsv(TFicPersons& f, const TBilanVerification& b) {
  std::printf("sorte;numero;nom;autre;nom_autre;detail\n");
  for (const TConstat& c : b.Constats)
    std::printf("%s;%ld;%s;%s;%s;%s\n", CodeSorteConstat(c.Sorte), c.No, Champ(NomPersonne(f, c.No)).c_str(),
                c.Autre ? std::to_string(c.Autre).c_str() : "", c.Autre ? Champ(NomPersonne(f, c.Autre)).c_str() : "",
                Champ(c.Detail).c_str());
}

void EcritRapport(TFicPersons& f, const TBilanVerification& b) {
  std::printf("Vérification de %ld personne(s) : %zu constat(s)\n", b.PersonnesVerifiees, b.Constats.size());
  for (int s = 0; s < kNbSortesConstat; ++s) {
    const auto sorte = static_cast<TSorteConstat>(s);
    const long n = b.Compte(sorte);
    if (!n) continue;
    std::printf("\n%s : %ld\n", LibelleSorteConstat(sorte), n);
    for (const TConstat& c : b.Constats) {
      if (c.Sorte != sorte) continue;
      std::printf("  %s : %s", DesignePersonne(f, c.No).c_str(), c.Detail.c_str());
      if (c.Autre) std::printf(" — avec %s", DesignePersonne(f, c.Autre).c_str());
      std::printf("\n");
    }
  }
}

int Verifie(const TAppel& args) {
  const bool csv = args.Present("--format");
  if (csv && args.Valeur("--format") != "csv")
    throw ErreurUsage("valeur « " + args.Valeur("--format") + " » refusée pour --format : csv");
  TInterfaceTerminal iu;
  const auto g = OuvreGenealogie(args[0], TAcces::Lecture, &iu);
  TBilanVerification b;
  {
    TProgression barre(&iu, u"Vérification de la généalogie");
    b = VerifieGenealogie(*g->FicPersons, &barre);
  }
  if (!b.Lue) return Echec("la généalogie n'a pas pu être lue");
  if (csv) EcritCsv(*g->FicPersons, b);
  else EcritRapport(*g->FicPersons, b);
  return 0;
}

constexpr TCommande kCommandes[] = {
    {"estime", "estime CHEMIN N", "années estimées de naissance, de décès et de procréation de la personne N, et ce qui les borne",
     Estime},
    {"verifie", "verifie CHEMIN [--format csv]", "dates impossibles et boucles de filiation de toute la généalogie (lecture seule)",
     Verifie},
};

}  // namespace

std::span<const TCommande> CommandesVerification() { return kCommandes; }

}  // namespace kyb::cli
