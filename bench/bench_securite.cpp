// Safety costs of the store: a person written outside an import (one commit, with its number in
// the deleted-persons table when marked deleted), a backup copy written beside and renamed, and
// a repair of a store of 50,000 persons whose catalogue is unreadable.
// Run: scripts/bench --benchmark_filter=Securite
#include <benchmark/benchmark.h>

#include "platform/fichiers.h"
#include "platform/thread_nom.h"
#include "store/datamodulebdd.h"

namespace kyb {
namespace {

const AnsiString kRacine = "/tmp/kyb-bench-securite/";
constexpr long kPersonnes = 50'000;

TEnregPublic Personne(long n, char supprimee) {
  TEnregPublic p;
  p.Nom = u"Bernard";
  p.Prenoms = u"Louise";
  p.Sexe = 'F';
  p.FicheSupprimee = supprimee;
  p.Pere = static_cast<int32_t>(n / 2);
  return p;
}

std::unique_ptr<TModuleBDD> Magasin(const char* nom, long personnes) {
  (void)SupprimeArborescence(kRacine + nom);
  auto m = std::make_unique<TModuleBDD>(nullptr, kRacine + nom + "/" + nom + ".adb", "5.90");
  (void)m->CreateDataBase();
  (void)m->OpenDataBase(false);
  (void)m->BeginImport(false);
  for (long n = 1; n <= personnes; ++n) (void)m->WritePerson(Personne(n, 'N'), n);
  (void)m->EndImport(false);
  return m;
}

void BM_Securite_WritePerson_Supprimee(benchmark::State& state) {
  NommeThreadPrincipal();
  auto m = Magasin("Unitaire", 0);
  long n = 0;
  for (auto _ : state) {
    ++n;
    benchmark::DoNotOptimize(m->WritePerson(Personne(n, 'O'), n));
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_Securite_CopieADB(benchmark::State& state) {
  NommeThreadPrincipal();
  auto m = Magasin("Copie", kPersonnes);
  for (auto _ : state) benchmark::DoNotOptimize(m->CopieADB());
}

void BM_Securite_Reparation_SansCatalogue(benchmark::State& state) {
  NommeThreadPrincipal();
  for (auto _ : state) {
    state.PauseTiming();
    auto m = Magasin("Reparation", kPersonnes);
    (void)m->Database().ExecuteSql("UPDATE _acr_champs SET type = 7 WHERE table_nom = 'Personnes' AND nom = 'Nom'");
    m->CloseDataBase();
    state.ResumeTiming();
    benchmark::DoNotOptimize(m->RepairDatabase(false));
  }
}

BENCHMARK(BM_Securite_WritePerson_Supprimee)->Unit(benchmark::kMillisecond)->Iterations(200);
BENCHMARK(BM_Securite_CopieADB)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Securite_Reparation_SansCatalogue)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
}  // namespace kyb
