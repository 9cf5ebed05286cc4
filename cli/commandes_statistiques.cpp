// kyb statistiques: the counts of a genealogy (index/statistiques_genealogie.h), printed as a
// genealogist reads them.
#include <algorithm>
#include <cstdio>
#include <string>

#include "commandes.h"
#include "dossier_cli.h"
#include "fields/csdefchps.h"
#include "index/statistiques_genealogie.h"
#include "persons/fiche_evenements.h"
#include "persons/gest_pers.h"

namespace kyb::cli {
namespace {

// "XIXe siècle", "Ier siècle".
std::string Siecle(int siecle) {
  static const struct {
    int valeur;
    const char* chiffres;
  } kRomains[] = {{1000, "M"}, {900, "CM"}, {500, "D"}, {400, "CD"}, {100, "C"}, {90, "XC"}, {50, "L"},
                  {40, "XL"},  {10, "X"},   {9, "IX"},  {5, "V"},    {4, "IV"},  {1, "I"}};
  std::string texte;
  for (int reste = siecle; const auto& r : kRomains)
    for (; reste >= r.valeur; reste -= r.valeur) texte += r.chiffres;
  return texte + (siecle == 1 ? "er" : "e") + " siècle";
}

// The screen label of an event label ("Naissance" for NAISSANCE), the label itself when the
// folder defines no such field.
std::string Libelle(TGestFichier& g, const AnsiString& libelle) {
  const TDefChpsCs* defs = g.GetDefChpsCs();
  const TChpCs* c = defs ? defs->RechercheChampsInternePtr(libelle) : nullptr;
  return AnsiVersUtf8(c && !c->LibelleEcran.empty() ? c->LibelleEcran : libelle);
}

// A UTF-8 text padded to a width counted in characters.
std::string Colonne(const std::string& texte, size_t largeur) {
  const size_t n = Utf8VersUnicode(texte).size();
  return n >= largeur ? texte : texte + std::string(largeur - n, ' ');
}

void Ligne(const std::string& quoi, long combien) { std::printf("  %s %7ld\n", Colonne(quoi, 28).c_str(), combien); }

void AfficheDate(TGestFichier& g, const char* quoi, const TEvenementDate& e) {
  if (!e.NoPers) return;
  std::printf("%s : %s, %s de %s\n", quoi, AnsiVersUtf8(e.Date.PlaceJour()).c_str(), Libelle(g, e.Libelle).c_str(),
              DesignePersonne(*g.GetFicPersons(), e.NoPers).c_str());
}

}  // namespace

int Statistiques(const TAppel& args) {
  const auto dossier = OuvreGenealogie(args[0], TAcces::Lecture);
  TStatistiques s;
  if (!CalculeStatistiques(*dossier, s)) return Echec("la base de la généalogie n'a pas pu être lue");
  const TDecomptesBDD& d = s.Decomptes;
  std::printf("Personnes            : %ld (hommes : %ld, femmes : %ld, sexe inconnu : %ld)\n", d.Personnes, d.Hommes,
              d.Femmes, d.Personnes - d.Hommes - d.Femmes);
  std::printf("Couples              : %ld\n", d.Couples);
  if (s.DureesConnues) {
    std::string duree(32, '\0');
    duree.resize(static_cast<size_t>(std::snprintf(duree.data(), duree.size(), "%.1f", s.DureeVieMoyenne)));
    std::replace(duree.begin(), duree.end(), '.', ',');
    std::printf("Durée de vie moyenne : %s ans (%ld personne(s) aux naissance et décès datés)\n", duree.c_str(),
                s.DureesConnues);
  }
  AfficheDate(*dossier, "Date la plus ancienne", d.PlusAncien);
  AfficheDate(*dossier, "Date la plus récente ", d.PlusRecent);
  std::printf("\nÉvénements par sorte :\n");
  for (const auto& [libelle, n] : d.Evenements) Ligne(Libelle(*dossier, libelle), n);
  std::printf("\nPersonnes par siècle de naissance :\n");
  for (const auto& [siecle, n] : s.ParSiecle) Ligne(Siecle(siecle), n);
  if (s.NaissancesInconnues) Ligne("naissance non datée", s.NaissancesInconnues);
  std::printf("\nNoms les plus fréquents :\n");
  for (const auto& [nom, n] : d.Noms) Ligne(UnicodeVersUtf8(nom), n);
  std::printf("\nLieux les plus fréquents :\n");
  const TResolveursFiche r = ResolveursDuDossier(*dossier);
  for (const auto& [lieu, n] : d.Lieux) Ligne(r.Lieu ? UnicodeVersUtf8(r.Lieu(lieu)) : std::to_string(lieu), n);
  return 0;
}

}  // namespace kyb::cli
