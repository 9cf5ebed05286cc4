// kyb gedcom lit: reads a GEDCOM file with the streaming reader and reports what it holds.
#include <cstdio>
#include <map>
#include <string>

#include "commandes.h"
#include "gedcom/dates_gedcom.h"
#include "gedcom/lecteur_gedcom.h"
#include "platform/chaines.h"

namespace kyb::cli {

namespace {

struct TBilan {
  std::map<std::string, long> parTag;
  long dates = 0, illisibles = 0;
};

// Every DATE of a record, with its French wording or why it cannot be read.
void Dates(const TNoeudGedcom& n, TBilan& bilan) {
  if (n.tag == "DATE") {
    ++bilan.dates;
    const TDateGedcom d = LitDateGedcom(n.valeur);
    if (d.lue) {
      std::string texte = AnsiVersUtf8(d.date.PlaceJour(false));
      if (!d.phrase.empty()) texte += " (" + d.phrase + ")";
      if (d.approchee) texte += " [précision réduite]";
      std::printf("  ligne %ld : %s -> %s\n", n.ligne, n.valeur.c_str(), texte.c_str());
    } else {
      ++bilan.illisibles;
      std::printf("  ligne %ld : %s\n", n.ligne, d.erreur.c_str());
    }
  }
  for (const auto& e : n.enfants) Dates(e, bilan);
}

int Lit(const TAppel& args) {
  TLecteurGedcom lecteur;
  if (!lecteur.Ouvre(Utf8VersAnsi(args[0]))) return Echec(lecteur.Erreur());
  TBilan bilan;
  std::printf("Dates :\n");
  TNoeudGedcom n;
  while (lecteur.Suivant(n)) {
    ++bilan.parTag[n.tag];
    Dates(n, bilan);
  }
  std::printf("Dates lues : %ld, illisibles : %ld\n", bilan.dates, bilan.illisibles);
  std::printf("Fichier : %s (GEDCOM %s, %s), %ld lignes, %lld octets\n", args[0].c_str(),
              lecteur.Version().empty() ? "sans version" : lecteur.Version().c_str(),
              NomCodage(lecteur.Codage()), lecteur.Lignes(),
              static_cast<long long>(lecteur.OctetsLus()));
  std::printf("Enregistrements :\n");
  for (const auto& [tag, nombre] : bilan.parTag) std::printf("  %-8s %ld\n", tag.c_str(), nombre);
  std::printf("Avertissements : %zu\n", lecteur.Avertissements().size());
  for (const auto& a : lecteur.Avertissements())
    std::printf("  %s\n", a.message.c_str());
  return 0;
}

const TCommande kCommandes[] = {
    {"gedcom lit", "gedcom lit FICHIER.ged",
     "lit un fichier GEDCOM : enregistrements par étiquette, avertissements avec leur ligne, "
     "dates rédigées en français",
     Lit},
};

}  // namespace

std::span<const TCommande> CommandesGedcom() { return kCommandes; }

}  // namespace kyb::cli
