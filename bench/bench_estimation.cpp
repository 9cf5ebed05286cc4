// Estimation of dates and the check of a whole genealogy, on a folder imported beforehand:
//   python3 bench/genere_gedcom.py --generations 20 --sortie /tmp/p20.ged
//   awk 'BEGIN{srand(32)} /^2 DATE /{ if (rand() < 0.3) next } {print}' /tmp/p20.ged > /tmp/p20_30.ged
//   kyb importe /tmp/p20_30.ged /tmp/p20_30.kya
// (a pedigree of 2^20 - 1 persons with 30% of its dates removed).
// Measured: EstimePersonne of random persons with their relatives through the persons file
// (median; and among neighbouring persons, without reading the file), and the whole check: persons per second and peak memory (VmHWM, in the counters).
// The floor: raw SQLite reading, for the same random persons, the rows an estimation needs in a
// pedigree (the person, its parents 2n and 2n+1, its spouse n^1 and its child n/2, with their
// events), in two statements prepared once.
// Run: KYB_BENCH_DOSSIER=/tmp/p20_30.kya/p20_30.adb kybase_bench --benchmark_filter=Estimation
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include "folder/gest_fic.h"
#include "persons/estimationpersonne.h"
#include "persons/gest_pers.h"
#include "platform/thread_nom.h"
#include "search/verification.h"

namespace kyb {
namespace {

std::unique_ptr<TGestFichier> Ouvre(benchmark::State& state) {
  const char* chemin = std::getenv("KYB_BENCH_DOSSIER");
  if (!chemin) {
    state.SkipWithError("KYB_BENCH_DOSSIER: dossier importé à mesurer");
    return nullptr;
  }
  NommeThreadPrincipal();
  auto g = std::make_unique<TGestFichier>(AnsiString(chemin), TGestFichier::OuvertureLectureSeule());
  if (g->Erreur) {
    state.SkipWithError("dossier illisible");
    return nullptr;
  }
  return g;
}

// Peak resident memory of the process, in MB.
double PicMemoireMo() {
  std::ifstream f("/proc/self/status");
  std::string ligne;
  while (std::getline(f, ligne))
    if (ligne.rfind("VmHWM:", 0) == 0) return std::stod(ligne.substr(6)) / 1024;
  return 0;
}

void BM_Estimation_EstimePersonne(benchmark::State& state) {
  const auto g = Ouvre(state);
  if (!g) return;
  TFicPersons& f = *g->GetFicPersons();
  std::mt19937 alea(32);
  std::uniform_int_distribution<long> tirage(1, f.NbEnreg);
  for (auto _ : state) {
    TEstimationPersonne e(nullptr, true);
    e.EstimePersonne(tirage(alea), &f, true, false);
    benchmark::DoNotOptimize(e.Resultat().Naissance);
  }
}
BENCHMARK(BM_Estimation_EstimePersonne)->Iterations(2000)->Repetitions(5)->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

// A statement of the floor with five numbers bound; the number of rows read.
long LitLignes(sqlite3_stmt* s, const long (&nos)[5]) {
  for (int i = 0; i < 5; ++i) sqlite3_bind_int64(s, i + 1, nos[i]);
  long n = 0;
  while (sqlite3_step(s) == SQLITE_ROW) {
    benchmark::DoNotOptimize(sqlite3_column_blob(s, 0));
    ++n;
  }
  sqlite3_reset(s);
  return n;
}

void BM_Estimation_EstimePersonne_Plancher(benchmark::State& state) {
  const char* chemin = std::getenv("KYB_BENCH_DOSSIER");
  sqlite3* c = nullptr;
  if (!chemin || sqlite3_open_v2(chemin, &c, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
    state.SkipWithError("KYB_BENCH_DOSSIER: base importée à mesurer");
    sqlite3_close(c);
    return;
  }
  sqlite3_stmt* personnes = nullptr;
  sqlite3_stmt* evenements = nullptr;
  sqlite3_prepare_v2(c, "SELECT Data, Nom, Prenoms, Pere, Mere FROM Personnes WHERE ID IN (?,?,?,?,?)", -1,
                     &personnes, nullptr);
  sqlite3_prepare_v2(c, "SELECT Date, Type FROM Evenements WHERE NoPersA IN (?,?,?,?,?)", -1, &evenements, nullptr);
  long nb = 0;
  sqlite3_stmt* compte = nullptr;
  sqlite3_prepare_v2(c, "SELECT max(ID) FROM Personnes", -1, &compte, nullptr);
  if (sqlite3_step(compte) == SQLITE_ROW) nb = static_cast<long>(sqlite3_column_int64(compte, 0));
  sqlite3_finalize(compte);
  std::mt19937 alea(32);
  std::uniform_int_distribution<long> tirage(1, std::max(1L, nb));
  long lignes = 0;
  for (auto _ : state) {
    const long n = tirage(alea);
    const long nos[5] = {n, 2 * n, 2 * n + 1, n ^ 1, n / 2};
    lignes += LitLignes(personnes, nos) + LitLignes(evenements, nos);
  }
  state.counters["lignes"] = static_cast<double>(lignes) / static_cast<double>(state.iterations());
  sqlite3_finalize(personnes);
  sqlite3_finalize(evenements);
  sqlite3_close(c);
}
BENCHMARK(BM_Estimation_EstimePersonne_Plancher)->Iterations(2000)->Repetitions(5)->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

// The same among 200 neighbouring persons, whose pages the store already holds: the cost of an
// estimation without reading the file.
void BM_Estimation_EstimePersonneVoisins(benchmark::State& state) {
  const auto g = Ouvre(state);
  if (!g) return;
  TFicPersons& f = *g->GetFicPersons();
  std::mt19937 alea(32);
  std::uniform_int_distribution<long> tirage(1000, std::min(1200L, static_cast<long>(f.NbEnreg)));
  for (auto _ : state) {
    TEstimationPersonne e(nullptr, true);
    e.EstimePersonne(tirage(alea), &f, true, false);
    benchmark::DoNotOptimize(e.Resultat().Naissance);
  }
}
BENCHMARK(BM_Estimation_EstimePersonneVoisins)->Iterations(2000)->Repetitions(5)->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

void BM_Estimation_VerifieGenealogie(benchmark::State& state) {
  const auto g = Ouvre(state);
  if (!g) return;
  long personnes = 0;
  size_t constats = 0;
  for (auto _ : state) {
    const TBilanVerification b = VerifieGenealogie(*g->GetFicPersons());
    personnes = b.PersonnesVerifiees;
    constats = b.Constats.size();
  }
  state.counters["personnes/s"] = benchmark::Counter(static_cast<double>(personnes), benchmark::Counter::kIsRate);
  state.counters["constats"] = static_cast<double>(constats);
  state.counters["pic_Mo"] = PicMemoireMo();
}
BENCHMARK(BM_Estimation_VerifieGenealogie)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace
}  // namespace kyb
