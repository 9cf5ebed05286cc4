// Charts: a 10-generation fan chart of a full pedigree (1,023 sectors) and a 6-generation
// descendants chart in a wide genealogy of 100,000 persons, each read, laid out and written as
// SVG, beside the floor of reading the fan's persons alone. The folders are imported once under /tmp/kyb-bench-arbre/ from the GEDCOM files named by
// KYBASE_BENCH_ARBRE_PEDIGREE (default /tmp/pedigree11.ged) and KYBASE_BENCH_ARBRE_LARGE
// (default /tmp/large100k.ged), made by
//   python3 bench/genere_gedcom.py --generations 11 --sortie /tmp/pedigree11.ged
//   python3 bench/genere_gedcom.py --large 100000 --sortie /tmp/large100k.ged
// The whole command is measured from outside: /usr/bin/time -v kyb arbre ...
// Run: kybase_bench --benchmark_filter=Arbre
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "charts/arbre_descendance.h"
#include "charts/arbre_eventail.h"
#include "charts/ecrivain_svg.h"
#include "charts/lecteur_arbre.h"
#include "folder/gest_fic.h"
#include "gedcom/import_gedcom.h"
#include "index/ouverture_genealogie.h"
#include "platform/fichiers.h"
#include "platform/thread_nom.h"

namespace kyb {
namespace {

const std::string kRepertoire = "/tmp/kyb-bench-arbre/";

// The folder imported from the file the variable names, made on first use.
std::unique_ptr<TGestFichier> Dossier(const char* variable, const char* defaut, const std::string& nom,
                                      benchmark::State& state) {
  NommeThreadPrincipal();
  const char* e = std::getenv(variable);
  const AnsiString ged = Utf8VersAnsi(e ? e : defaut);
  const AnsiString chemin = Utf8VersAnsi(kRepertoire + nom + ".kya/" + nom + ".adb");
  if (!FichierExiste(chemin)) {
    (void)CreeRepertoires(Utf8VersAnsi(kRepertoire));
    const TBilanImportGedcom b = ImporteFichierGedcom(ged, chemin);
    if (!b.reussi) {
      state.SkipWithError(("import impossible de " + AnsiVersUtf8(ged) + " : " + b.erreur).c_str());
      return nullptr;
    }
  }
  return std::make_unique<TGestFichier>(chemin, AvecIndex(TGestFichier::OuvertureLectureSeule()));
}

// The chart read, laid out and written (through a synced temporary file), or only made into its
// SVG text in memory (ecrire false): the difference is the file's write and syncs.
template <class F>
void Arbre(benchmark::State& state, const std::unique_ptr<TGestFichier>& g, F dessine) {
  if (!g) return;
  const bool ecrire = state.range(0) != 0;
  size_t cases = 0, octets = 0;
  for (auto _ : state) {
    TLecteurArbre lecteur(*g);
    const TDessin d = dessine(lecteur);
    if (ecrire && !EcritSvg(d, Utf8VersAnsi(kRepertoire + "arbre.svg")).empty()) state.SkipWithError("écriture impossible");
    cases = d.Boites.size() + d.Secteurs.size();
    octets = ecrire ? octets : SvgDuDessin(d).size();
  }
  state.counters["cases"] = static_cast<double>(cases);
  state.counters["octets"] = static_cast<double>(octets);
}

void BM_Arbre_Eventail10(benchmark::State& state) {
  const auto g = Dossier("KYBASE_BENCH_ARBRE_PEDIGREE", "/tmp/pedigree11.ged", "Pedigree", state);
  Arbre(state, g, [](TLecteurArbre& l) { return DessineEventail(l, 1, 10); });
}
BENCHMARK(BM_Arbre_Eventail10)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// Floor of the fan chart: the same 1,023 persons read through the reader, nothing laid out.
void BM_Arbre_LecturePersonnes(benchmark::State& state) {
  const auto g = Dossier("KYBASE_BENCH_ARBRE_PEDIGREE", "/tmp/pedigree11.ged", "Pedigree", state);
  if (!g) return;
  for (auto _ : state) {
    TLecteurArbre lecteur(*g);
    for (long no = 1; no <= 1023; ++no) benchmark::DoNotOptimize(lecteur.Personne(no));
  }
}
BENCHMARK(BM_Arbre_LecturePersonnes)->Unit(benchmark::kMillisecond);

void BM_Arbre_Descendance6(benchmark::State& state) {
  const auto g = Dossier("KYBASE_BENCH_ARBRE_LARGE", "/tmp/large100k.ged", "Large", state);
  Arbre(state, g, [](TLecteurArbre& l) { return DessineDescendance(l, 1, 6); });
}
BENCHMARK(BM_Arbre_Descendance6)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kyb
