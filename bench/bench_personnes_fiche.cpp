// The person object with its record card, in a folder of 1,000,000 persons (KYB_BENCH_PERSONNES)
// made by the events benchmark's generator: Lecture of a random person with its events and simple
// fields (median, 99th percentile), complete reads of persons already in the cache (reads per
// second), and Enregistrement of a person changed by one event (median, 99th percentile).
// Run: kybase_bench --benchmark_filter=PersonnesFiche
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <random>

#include "bench_evenements.h"
#include "folder/gest_fic.h"
#include "folder/gest_fic_pers.h"
#include "persons/gest_pers.h"
#include "platform/fichiers.h"
#include "platform/thread_nom.h"
#include "index/ouverture_genealogie.h"

namespace kyb {
namespace {

const AnsiString kRacine = "/tmp/kyb-bench-personnes-fiche/";
const AnsiString kChemin = kRacine + "Fiches.kya/Fiches.adb";
constexpr int kLectures = 20000;
constexpr long kLecturesEnCache = 1'000'000;
constexpr int kEnregistrements = 500;

std::unique_ptr<TGestFichier> Dossier(bool creer) {
  return std::make_unique<TGestFichier>(kChemin, AvecIndex(TGestFichier::TOptionsOuverture{.Creer = creer}));
}

// The folder with its persons and cards, built once and kept for the next runs.
std::unique_ptr<TGestFichier> DossierPret() {
  NommeThreadPrincipal();
  if (!FichierExiste(kChemin)) {
    auto g = Dossier(true);
    bench::ConstruitEvenements(*g->GetModuleBDD(), bench::NbPersonnesEvenements());
  }
  return Dossier(false);
}

void Percentiles(benchmark::State& state, std::vector<double>& us) {
  if (us.empty()) return;
  std::sort(us.begin(), us.end());
  state.counters["median_us"] = us[us.size() / 2];
  state.counters["p99_us"] = us[us.size() * 99 / 100];
}

double Microsecondes(std::chrono::steady_clock::time_point depuis) {
  return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - depuis).count();
}

void BM_PersonnesFiche_Lecture(benchmark::State& state) {
  auto g = DossierPret();
  TFicPersons& f = *g->FicPersons;
  std::mt19937 alea(42);
  std::uniform_int_distribution<long> numero(1, f.NbEnreg);
  TPerson p(&f, 0);
  std::vector<double> us;
  size_t rubriques = 0;
  for (auto _ : state) {
    us.clear();
    for (int i = 0; i < kLectures; ++i) {
      const auto t0 = std::chrono::steady_clock::now();
      p.Lecture(numero(alea), true);
      us.push_back(Microsecondes(t0));
      rubriques += p.Fiche().Evenements.size() + p.Fiche().ChpsSimples.size();
    }
  }
  state.counters["rubriques_par_personne"] =
      static_cast<double>(rubriques) / kLectures / static_cast<double>(state.iterations());
  Percentiles(state, us);
  state.SetItemsProcessed(state.iterations() * kLectures);
}
BENCHMARK(BM_PersonnesFiche_Lecture)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// Persons already in the cache (the first 10,000, read once), read again at random: with their
// card (complet) or identity only.
void LectureEnCache(benchmark::State& state, bool complet) {
  auto g = DossierPret();
  TFicPersons& f = *g->FicPersons;
  const long enCache = std::min<long>(TFicPersons::kCapaciteCache, f.NbEnreg);
  TPerson p(&f, 0);
  for (long no = 1; no <= enCache; ++no) p.Lecture(no, complet, 0, true);
  std::mt19937 alea(42);
  std::uniform_int_distribution<long> numero(1, enCache);
  for (auto _ : state)
    for (long i = 0; i < kLecturesEnCache; ++i) {
      p.Lecture(numero(alea), complet, 0, true);
      benchmark::DoNotOptimize(p.Public.Sexe);
    }
  state.SetItemsProcessed(state.iterations() * kLecturesEnCache);
}
void BM_PersonnesFiche_LectureEnCacheComplete(benchmark::State& state) { LectureEnCache(state, true); }
void BM_PersonnesFiche_LectureEnCacheIdentite(benchmark::State& state) { LectureEnCache(state, false); }
BENCHMARK(BM_PersonnesFiche_LectureEnCacheComplete)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PersonnesFiche_LectureEnCacheIdentite)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// A random person read with its card, one residence added, then saved (timed): card, identity,
// links, parents and index rows in one transaction, durable on return.
void BM_PersonnesFiche_EnregistrementUnEvenement(benchmark::State& state) {
  auto g = DossierPret();
  TFicPersons& f = *g->FicPersons;
  std::mt19937 alea(7);
  std::uniform_int_distribution<long> numero(1, f.NbEnreg);
  std::vector<double> us;
  int echecs = 0;
  for (auto _ : state) {
    us.clear();
    for (int i = 0; i < kEnregistrements; ++i) {
      TPerson p(&f, numero(alea), true);
      TEvenement e(g->GetModuleBDD());
      e.NouvelleFiche();
      e.SetLibelle("RESIDENCE");
      e.Enreg.Date.SetJourMoisAnnee(1, 1, 1800 + i % 100);
      if (p.AjoutEven(e) < 0) ++echecs;
      const auto t0 = std::chrono::steady_clock::now();
      if (!p.Enregistrement()) ++echecs;
      us.push_back(Microsecondes(t0));
    }
  }
  state.counters["echecs"] = echecs;
  Percentiles(state, us);
  state.SetItemsProcessed(state.iterations() * kEnregistrements);
}
BENCHMARK(BM_PersonnesFiche_EnregistrementUnEvenement)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace kyb
