// The demo's GEDCOM part: the sample file of data/demo imported into a folder of its own, then
// exported back.
#include <cstdio>

#include "demo.h"
#include "donnees.h"
#include "gedcom/export_gedcom.h"
#include "gedcom/import_gedcom.h"
#include "index/ouverture_genealogie.h"

namespace kyb::cli {

bool DemoGedcom(const std::string& repertoire) {
  const std::string source = RepertoireDonnees() + "/demo/famille.ged";
  std::printf("\n== Import GEDCOM (kyb importe %s)\n", source.c_str());
  const AnsiString chemin = ConstruitAccesGenealogie(Utf8VersAnsi(repertoire) + "/", "ExempleGedcom", ".adb");
  const TBilanImportGedcom bilan = ImporteFichierGedcom(Utf8VersAnsi(source), chemin);
  if (!bilan.reussi) return false;
  for (const std::string& ligne : RapportImport(bilan)) std::printf("  %s\n", ligne.c_str());
  TGestFichier dossier(chemin, AvecIndex(TGestFichier::Ouverture()));
  if (dossier.Erreur) return false;
  const std::string sortie = repertoire + "/ExempleGedcom.ged";
  const TBilanExportGedcom retour = ExporteFichierGedcom(dossier, Utf8VersAnsi(sortie), TVersionGedcom::V551);
  if (!retour.reussi) return false;
  std::printf("  export GEDCOM 5.5.1 : %ld personnes, %ld familles, %ld événements\n", retour.personnes,
              retour.familles, retour.evenements);
  return true;
}

}  // namespace kyb::cli
