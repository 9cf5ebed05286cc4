// Reading throughput of the GEDCOM reader alone (no mapping into a genealogy): records, lines
// and bytes per second over a generated 20-generation pedigree. The file is made by
//   bench/genere_gedcom.py --generations 20 --sortie /tmp/pedigree20.ged
// and named by KYBASE_BENCH_GEDCOM (default /tmp/pedigree20.ged). Peak memory is measured from
// outside: /usr/bin/time -v kybase_bench --benchmark_filter=Gedcom
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "gedcom/dates_gedcom.h"
#include "gedcom/lecteur_gedcom.h"

namespace {

std::string FichierBench() {
  const char* e = std::getenv("KYBASE_BENCH_GEDCOM");
  return e != nullptr ? e : "/tmp/pedigree20.ged";
}

void BM_GedcomLecture(benchmark::State& state) {
  const std::string chemin = FichierBench();
  int64_t octets = 0, lignes = 0, enregistrements = 0;
  for (auto _ : state) {
    kyb::TLecteurGedcom lecteur;
    if (!lecteur.Ouvre(chemin)) {
      state.SkipWithError(("fichier absent : " + chemin +
                           " (bench/genere_gedcom.py le crée)").c_str());
      return;
    }
    kyb::TNoeudGedcom n;
    while (lecteur.Suivant(n)) ++enregistrements;
    octets += lecteur.OctetsLus();
    lignes += lecteur.Lignes();
    benchmark::DoNotOptimize(n);
  }
  state.SetBytesProcessed(octets);
  state.counters["lignes/s"] =
      benchmark::Counter(static_cast<double>(lignes), benchmark::Counter::kIsRate);
  state.counters["enregistrements/s"] =
      benchmark::Counter(static_cast<double>(enregistrements), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_GedcomLecture)->Unit(benchmark::kMillisecond)->Iterations(1);

// The reader with every DATE converted to TDateKY, as an import will do it.
void BM_GedcomLectureEtDates(benchmark::State& state) {
  const std::string chemin = FichierBench();
  int64_t dates = 0, lues = 0;
  for (auto _ : state) {
    kyb::TLecteurGedcom lecteur;
    if (!lecteur.Ouvre(chemin)) {
      state.SkipWithError(("fichier absent : " + chemin).c_str());
      return;
    }
    kyb::TNoeudGedcom n;
    while (lecteur.Suivant(n))
      for (const auto& e : n.enfants)
        if (const auto* d = e.Enfant("DATE")) {
          ++dates;
          lues += kyb::LitDateGedcom(d->valeur).lue ? 1 : 0;
        }
    state.SetBytesProcessed(lecteur.OctetsLus());
  }
  state.counters["dates/s"] =
      benchmark::Counter(static_cast<double>(dates), benchmark::Counter::kIsRate);
  state.counters["dates_illisibles"] = static_cast<double>(dates - lues);
}
BENCHMARK(BM_GedcomLectureEtDates)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
