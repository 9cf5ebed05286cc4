// kyb importe / kyb exporte: a genealogy in and out as a GEDCOM file.
#include <cstdio>
#include <memory>

#include "commandes.h"
#include "dossier_cli.h"
#include "gedcom/export_gedcom.h"
#include "gedcom/import_gedcom.h"
#include "interface_terminal.h"
#include "platform/interface_utilisateur.h"
#include "index/ouverture_genealogie.h"

namespace kyb::cli {
namespace {

// Progress bar of both passes on the terminal: the census counts for a fifth.
class TBarreImport {
 public:
  explicit TBarreImport(TInterfaceUtilisateur* iu) : progression_(iu, u"Import GEDCOM", 100) {}
  void operator()(int64_t lus, int64_t total, int passe) {
    const int64_t pourcent = total > 0 ? lus * 100 / total : 0;
    const int position = static_cast<int>(passe == 1 ? pourcent / 5 : 20 + pourcent * 4 / 5);
    if (position == progression_.Position() && passe == passe_) return;
    if (passe != passe_) progression_.Texte(passe == 1 ? u"Recensement des enregistrements" : u"Écriture du dossier");
    passe_ = passe;
    progression_.Position(position);
  }

 private:
  TProgression progression_;
  int passe_ = 0;
};

int Importe(const TAppel& args) {
  TInterfaceTerminal iu;
  TBilanImportGedcom bilan;
  {
    auto barre = std::make_shared<TBarreImport>(&iu);
    bilan = ImporteFichierGedcom(CheminAnsi(args[0]), CheminNouveauDossier(args[1]),
                                 [barre](int64_t lus, int64_t total, int passe) { (*barre)(lus, total, passe); });
  }
  if (!bilan.reussi) return Echec(bilan.erreur.empty() ? "l'import a échoué" : bilan.erreur);
  for (const std::string& ligne : RapportImport(bilan)) std::printf("%s\n", ligne.c_str());
  return 0;
}

int Exporte(const TAppel& args) {
  const std::string demandee = args.Valeur("--gedcom", "5.5.1");
  if (demandee != "7" && demandee != "7.0" && demandee != "5.5.1" && demandee != "5")
    throw ErreurUsage("version GEDCOM « " + demandee + " » inconnue : 5.5.1 ou 7");
  const TVersionGedcom version = demandee.starts_with('7') ? TVersionGedcom::V70 : TVersionGedcom::V551;
  const AnsiString sortie = CheminSortie(args[1]);
  TInterfaceTerminal iu;
  const auto dossier = OuvreGenealogie(args[0], TAcces::Lecture, &iu);
  TGestFichier& g = *dossier;
  TBilanExportGedcom b;
  {
    // Persons written out of the highest number, told every few thousand persons.
    TProgression barre(&iu, u"Export GEDCOM", static_cast<int>(g.NombrePersonnes()));
    b = ExporteFichierGedcom(g, sortie, version, [&barre](long faits, long total) {
      if (barre.MaximumCourant() != total) barre.Maximum(static_cast<int>(total));
      barre.Position(static_cast<int>(faits));
    });
  }
  if (!b.reussi) return Echec(b.erreur);
  std::printf("Fichier GEDCOM %s écrit : %s\n", version == TVersionGedcom::V70 ? "7.0" : "5.5.1", args[1].c_str());
  std::printf("Personnes : %ld, familles : %ld, événements : %ld, champs simples : %ld\n", b.personnes, b.familles,
              b.evenements, b.champsSimples);
  std::printf("Notes : %ld, sources : %ld, médias : %ld\n", b.notes, b.sources, b.medias);
  if (b.datesSansForme > 0) std::printf("Dates sans forme GEDCOM, omises : %ld\n", b.datesSansForme);
  return 0;
}

const TCommande kCommandes[] = {
    {"importe", "importe FICHIER.ged CHEMIN",
     "crée le dossier généalogique CHEMIN à partir d'un fichier GEDCOM et rend compte de la lecture", Importe},
    {"exporte", "exporte CHEMIN FICHIER.ged [--gedcom 5.5.1|7]",
     "écrit la généalogie du dossier CHEMIN dans un fichier GEDCOM 5.5.1 (ou 7.0) en UTF-8", Exporte},
};

}  // namespace

std::span<const TCommande> CommandesEchange() { return kCommandes; }

}  // namespace kyb::cli
