// The reference town table of France: opening it, searching a typed beginning of name, looking
// up an official code and a postal code. The file size is reported as a counter ("octets").
// Run: scripts/bench --benchmark_filter=Communes
#include <benchmark/benchmark.h>

#include <stdexcept>

#include "platform/fichiers.h"
#include "store/ficbddini.h"

namespace kyb {
namespace {

const AnsiString kTables = KYBASE_TABLES_VILLES;

// Beginnings a user types, from short and frequent to long.
const char* const kDebuts[] = {"S",     "Saint", "Saint-Ét", "Lyo",          "Marse",
                               "L'Haÿ", "Châte", "Montpel",  "Villeneuve-s", "Oeuil"};
const char* const kCodes[] = {"69123", "75056", "13055", "42218", "94038",
                              "2A004", "33063", "67482", "31555", "69232"};
const char* const kCodesPostaux[] = {"13001", "75116", "69001", "31000", "42000", "94240"};

TFicBDDINI& France() {
  static TFicBDDINI table(kTables, "France");
  if (!table.isBDDactive() && !table.OpenBDD()) throw std::runtime_error(table.DerniereErreur());
  return table;
}

void BM_CommunesOuverture(benchmark::State& state) {
  for (auto _ : state) {
    TFicBDDINI table(kTables, "France");
    if (!table.OpenBDD()) state.SkipWithError(table.DerniereErreur().c_str());
    benchmark::DoNotOptimize(table.isBDDactive());
  }
  state.counters["octets"] = static_cast<double>(TailleFichier(kTables + "/France.adb"));
}
BENCHMARK(BM_CommunesOuverture)->Unit(benchmark::kMillisecond);

void BM_CommunesRechercheVille(benchmark::State& state) {
  TFicBDDINI& table = France();
  const UnicodeString debut = U(kDebuts[state.range(0)]);
  size_t trouvees = 0;
  for (auto _ : state) trouvees = table.RechercheVille(debut).size();
  state.SetLabel(std::string(kDebuts[state.range(0)]) + " : " + std::to_string(trouvees));
}
BENCHMARK(BM_CommunesRechercheVille)->DenseRange(0, 9)->Unit(benchmark::kMicrosecond);

void BM_CommunesRechercheParInsse(benchmark::State& state) {
  TFicBDDINI& table = France();
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(table.RechercheParInsse(kCodes[i]));
    i = (i + 1) % std::size(kCodes);
  }
}
BENCHMARK(BM_CommunesRechercheParInsse)->Unit(benchmark::kMicrosecond);

void BM_CommunesRechercheParCP(benchmark::State& state) {
  TFicBDDINI& table = France();
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(table.RechercheParCP(kCodesPostaux[i]));
    i = (i + 1) % std::size(kCodesPostaux);
  }
}
BENCHMARK(BM_CommunesRechercheParCP)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kyb
