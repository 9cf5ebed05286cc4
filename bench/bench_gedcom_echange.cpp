// GEDCOM import and export of a whole genealogy: persons per second. The file is the one of
// bench_gedcom.cpp (KYBASE_BENCH_GEDCOM, default /tmp/pedigree20.ged, made by
// bench/genere_gedcom.py; --large 100000 gives the wide genealogy). The folder is made under
// KYBASE_BENCH_DOSSIER (default /tmp) and removed at the end. Peak memory is measured from
// outside: /usr/bin/time -v kyb importe FICHIER.ged CHEMIN, /usr/bin/time -v kyb exporte ...
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "folder/gest_fic.h"
#include "gedcom/export_gedcom.h"
#include "gedcom/import_gedcom.h"
#include "platform/arborescence.h"
#include "index/ouverture_genealogie.h"

namespace {

std::string Variable(const char* nom, const char* defaut) {
  const char* e = std::getenv(nom);
  return e != nullptr ? e : defaut;
}

std::string Repertoire() { return Variable("KYBASE_BENCH_DOSSIER", "/tmp") + "/kyb-bench-gedcom"; }

void BM_GedcomImport(benchmark::State& state) {
  const std::string ged = Variable("KYBASE_BENCH_GEDCOM", "/tmp/pedigree20.ged");
  long personnes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    (void)kyb::SupprimeArborescence(kyb::Utf8VersAnsi(Repertoire()));
    state.ResumeTiming();
    const kyb::TBilanImportGedcom b =
        kyb::ImporteFichierGedcom(kyb::Utf8VersAnsi(ged), kyb::Utf8VersAnsi(Repertoire() + "/B.kya/B.adb"));
    if (!b.reussi) {
      state.SkipWithError(("import impossible : " + b.erreur).c_str());
      return;
    }
    personnes += b.personnes;
  }
  state.counters["personnes/s"] = benchmark::Counter(static_cast<double>(personnes), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_GedcomImport)->Unit(benchmark::kMillisecond)->Iterations(1);

// Runs after the import above, on the folder it left.
void BM_GedcomExport(benchmark::State& state) {
  long personnes = 0;
  for (auto _ : state) {
    kyb::TGestFichier g(kyb::Utf8VersAnsi(Repertoire() + "/B.kya/B.adb"), kyb::AvecIndex(kyb::TGestFichier::OuvertureLectureSeule()));
    if (g.Erreur) {
      state.SkipWithError("dossier absent : lancer BM_GedcomImport d'abord");
      return;
    }
    const kyb::TBilanExportGedcom b =
        kyb::ExporteFichierGedcom(g, kyb::Utf8VersAnsi(Repertoire() + "/export.ged"), kyb::TVersionGedcom::V551);
    if (!b.reussi) {
      state.SkipWithError(("export impossible : " + b.erreur).c_str());
      return;
    }
    personnes += b.personnes;
  }
  (void)kyb::SupprimeArborescence(kyb::Utf8VersAnsi(Repertoire()));
  state.counters["personnes/s"] = benchmark::Counter(static_cast<double>(personnes), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_GedcomExport)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
