// libFuzzer harness of the GEDCOM import: any bytes are either refused with a message or imported
// into a folder without a crash, every warning carrying a message and a line of the file, and
// never more persons written than the INDI records of the file; what was imported then exports,
// in 5.5.1 and 7.0 in turn, to a whole file. The folder lives in memory and is made anew every 32
// inputs, so that it and each export stay small.
#include <cstddef>
#include <cstdint>
#include <string>

#include "folder/gest_fic.h"
#include "fuzz_commun.h"
#include "gedcom/export_gedcom.h"
#include "gedcom/import_gedcom.h"
#include "index/ouverture_genealogie.h"

namespace {

// Never destroyed at exit: the person index saves itself on closing through a thread-local
// buffer that the exit may already have freed.
kyb::TGestFichier* dossier = nullptr;
int utilisations = 0;

kyb::TGestFichier& Dossier() {
  using namespace kyb;
  if (!dossier || ++utilisations % 32 == 0) {
    delete dossier;
    const std::string rep = fuzz::Repertoire("import_gedcom");
    (void)SupprimeArborescence(rep + "I.kya");
    dossier = new TGestFichier(rep + "I.kya/I.adb", AvecIndex(TGestFichier::Creation()));
  }
  return *dossier;
}

long Occurrences(const std::string& texte, const std::string& motif) {
  long n = 0;
  for (size_t p = texte.find(motif); p != std::string::npos; p = texte.find(motif, p + 1)) ++n;
  return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
  using namespace kyb;
  if (taille == 0) return 0;
  const std::string texte(reinterpret_cast<const char*>(donnees), taille);
  TGestFichier& g = Dossier();
  if (g.Erreur) fuzz::Viole("dossier de travail impossible à créer");
  TBilanImportGedcom bilan;
  const bool ok = ImporteGedcom(g, {}, bilan, {}, texte);
  if (!ok && bilan.erreur.empty()) fuzz::Viole("refus sans message");
  if (!ok) return 0;
  const long lignes = Occurrences(texte, "\n") + Occurrences(texte, "\r") + 1;
  for (const auto& a : bilan.avertissements)
    if (a.message.empty() || a.ligne < 0 || a.ligne > lignes) fuzz::Viole("avertissement sans message ou hors du fichier");
  if (bilan.personnes > Occurrences(texte, "INDI")) fuzz::Viole("plus de personnes que d'INDI");
  std::string exporte;
  TBilanExportGedcom b;
  const TVersionGedcom version = utilisations % 2 ? TVersionGedcom::V70 : TVersionGedcom::V551;
  if (!ExporteGedcom(g, version, [&](std::string_view m) { exporte += m; }, b) || !b.reussi)
    fuzz::Viole("export refusé après un import réussi");
  if (exporte.find("0 HEAD") > 3 || !exporte.ends_with("0 TRLR\r\n")) fuzz::Viole("export incomplet");
  return 0;
}
