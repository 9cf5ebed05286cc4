// Sosa numbering on a generated full pedigree of 20 generations (1,048,575 persons: person k has
// father 2k and mother 2k + 1) and on the same pedigree with 10% implex (one person in ten of
// generations 2 to 18 takes as father the father of another person of its generation, so that
// ancestors are reached through two lines): numbering from the root, un-numbering, the search of
// a random number of the last generation, the reset of the Sosa file. The folders are generated
// once through the persons file in import mode and kept under /tmp/kyb-bench-sosa/.
// Run: kybase_bench --benchmark_filter=Sosa
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <random>

#include "folder/bo_math.h"
#include "folder/gest_fic.h"
#include "folder/gest_fic_pers.h"
#include "folder/gest_fic_sosa.h"
#include "persons/gest_pers.h"
#include "platform/fichiers.h"
#include "platform/thread_nom.h"
#include "store/datamodulebdd.h"
#include "index/ouverture_genealogie.h"

namespace kyb {
namespace {

constexpr int kGenerations = 20;
constexpr long kPersonnes = (1L << kGenerations) - 1;
const AnsiString kRacine = "/tmp/kyb-bench-sosa/";

AnsiString Chemin(bool implexe) {
  return kRacine + (implexe ? "Implexe.kya/Implexe.adb" : "Plein.kya/Plein.adb");
}

// Written once a generation is complete.
AnsiString Fait(bool implexe) { return kRacine + (implexe ? "implexe.fait" : "plein.fait"); }

std::unique_ptr<TGestFichier> Dossier(bool implexe, bool creer) {
  return std::make_unique<TGestFichier>(Chemin(implexe), AvecIndex(TGestFichier::TOptionsOuverture{.Creer = creer, .PremierePersonne = 1}));
}

// Father of each person: 2k, or with implex, for one person in ten of generations 2 to 18, the
// father of another person of the same generation.
std::vector<long> Peres(bool implexe) {
  std::vector<long> pere(static_cast<size_t>(kPersonnes) + 1, 0);
  for (long k = 1; 2 * k + 1 <= kPersonnes; ++k) pere[static_cast<size_t>(k)] = 2 * k;
  if (!implexe) return pere;
  std::mt19937 hasard(2026);
  for (long k = 4; 2 * k + 1 <= kPersonnes; ++k) {
    if (hasard() % 10 != 0) continue;
    const int g = CalculGen(static_cast<int>(k));
    std::uniform_int_distribution<long> meme(1L << g, (1L << (g + 1)) - 1);
    long autre = meme(hasard);
    if (autre == k) autre = autre == (1L << g) ? autre + 1 : autre - 1;
    pere[static_cast<size_t>(k)] = 2 * autre;
  }
  return pere;
}

void Genere(bool implexe) {
  (void)SupprimeArborescence(kRacine + (implexe ? "Implexe.kya" : "Plein.kya"));
  (void)CreeRepertoires(kRacine);
  auto g = Dossier(implexe, true);
  TFicPersons& f = *g->FicPersons;
  const std::vector<long> pere = Peres(implexe);
  (void)g->GetModuleBDD()->BeginImport(true);
  TPerson p(&f, 0);
  for (long k = 1; k <= kPersonnes; ++k) {
    if (k == 1) p.Lecture(1);  // the root made with the folder
    else p.NouvelleFiche(kEnregCourant);
    p.SetNom(u"Martin");
    p.SetSexe(k % 2 ? 'F' : 'M');
    if (2 * k + 1 <= kPersonnes) {
      p.Public.Pere = static_cast<int32_t>(pere[static_cast<size_t>(k)]);
      p.Public.Mere = static_cast<int32_t>(2 * k + 1);
    }
    p.Enregistrement();
  }
  (void)g->GetModuleBDD()->EndImport(true);
  (void)TFichier::Ouvre(Fait(implexe), TAcces::LectureEcriture, TCreation::Ecrase);
}

std::unique_ptr<TGestFichier> Ouvre(bool implexe) {
  NommeThreadPrincipal();
  if (!FichierExiste(Fait(implexe))) Genere(implexe);
  return Dossier(implexe, false);
}

void MemoireMax(benchmark::State& state) {
  rusage r{};
  getrusage(RUSAGE_SELF, &r);
  state.counters["memoire_max_Mo"] = static_cast<double>(r.ru_maxrss) / 1024.0;
}

void Numerotation(benchmark::State& state, bool implexe) {
  auto g = Ouvre(implexe);
  TFicSosas& s = *g->FicSosas;
  long ecritures = 0;
  for (auto _ : state) {
    state.PauseTiming();
    (void)s.InitFichierStrado();
    state.ResumeTiming();
    ecritures = s.NumeroterPersNo(1, NTL::ZZ(1)).Ecritures;
  }
  state.counters["ecritures"] = static_cast<double>(ecritures);
  state.SetItemsProcessed(state.iterations() * ecritures);
  MemoireMax(state);
}
void BM_Sosa_Numerotation(benchmark::State& state) { Numerotation(state, false); }
void BM_Sosa_NumerotationImplexe(benchmark::State& state) { Numerotation(state, true); }
BENCHMARK(BM_Sosa_Numerotation)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Sosa_NumerotationImplexe)->Iterations(1)->Unit(benchmark::kMillisecond);

// Both lines of the root (the root itself keeps its number).
void Denumerotation(benchmark::State& state, bool implexe) {
  auto g = Ouvre(implexe);
  TFicSosas& s = *g->FicSosas;
  for (auto _ : state) {
    state.PauseTiming();
    (void)s.InitFichierStrado();
    (void)s.NumeroterPersNo(1, NTL::ZZ(1));
    state.ResumeTiming();
    s.DenumeroterPersNo(2, false);
    s.DenumeroterPersNo(3, false);
  }
  MemoireMax(state);
}
void BM_Sosa_Denumerotation(benchmark::State& state) { Denumerotation(state, false); }
void BM_Sosa_DenumerotationImplexe(benchmark::State& state) { Denumerotation(state, true); }
BENCHMARK(BM_Sosa_Denumerotation)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Sosa_DenumerotationImplexe)->Iterations(1)->Unit(benchmark::kMillisecond);

// A random number of the last generation (2^19 to 2^20 - 1), found from the root.
void BM_Sosa_RechercheStrado2No(benchmark::State& state) {
  auto g = Ouvre(false);
  TFicSosas& s = *g->FicSosas;
  std::mt19937 hasard(7);
  std::uniform_int_distribution<long> numero(1L << (kGenerations - 1), kPersonnes);
  long trouves = 0;
  for (auto _ : state) {
    const NTL::ZZ sosa(numero(hasard));
    bool abandon = false;
    trouves += s.RechercheStrado2No(1, sosa, abandon) != 0;
  }
  state.counters["trouves"] = static_cast<double>(trouves);
  MemoireMax(state);
}
BENCHMARK(BM_Sosa_RechercheStrado2No)->Unit(benchmark::kMicrosecond);

void BM_Sosa_RemiseAZero(benchmark::State& state) {
  auto g = Ouvre(false);
  TFicSosas& s = *g->FicSosas;
  for (auto _ : state) benchmark::DoNotOptimize(s.InitFichierStrado());
  state.SetBytesProcessed(state.iterations() * (kPersonnes + 1) * static_cast<int64_t>(TSosa::kTaille));
  MemoireMax(state);
}
BENCHMARK(BM_Sosa_RemiseAZero)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kyb
