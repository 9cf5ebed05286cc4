// Folder maintenance: duplicating a genealogy of 1,000,000 persons (against "cp -r" of the same
// folder, which syncs nothing), and summarising a directory of 100 genealogies through
// GetInfoFileGenea without opening them.
// Run: scripts/bench --benchmark_filter=Maintenance
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "folder/gest_fic.h"
#include "folder/info_genea.h"
#include "folder/maintenance_dossier.h"
#include "platform/arborescence.h"
#include "platform/fichiers.h"
#include "platform/thread_nom.h"
#include "store/datamodulebdd.h"
#include "index/ouverture_genealogie.h"

namespace kyb {
namespace {

constexpr long kPersonnes = 1'000'000;
constexpr int kGenealogies = 100;
const AnsiString kRacine = "/tmp/kyb-bench-maintenance/";

std::unique_ptr<TGestFichier> Dossier(const AnsiString& repertoire, const AnsiString& nom, bool creer) {
  return std::make_unique<TGestFichier>(repertoire + nom + ".kya/" + nom + ".adb", AvecIndex(TGestFichier::TOptionsOuverture{.Creer = creer}));
}

// A folder of kPersonnes persons written in import mode, made once.
void PrepareGrand() {
  static const bool fait = [] {
    NommeThreadPrincipal();
    (void)SupprimeArborescence(kRacine + "Grand.kya");
    auto g = Dossier(kRacine, "Grand", true);
    TModuleBDD& m = *g->GetModuleBDD();
    (void)m.BeginImport(true);
    TEnregPublic p;
    p.Nom = u"Martin";
    p.Prenoms = u"Jean Baptiste";
    p.FicheSupprimee = 'N';
    for (long n = 2; n <= kPersonnes; ++n) {
      p.Sexe = n % 2 ? 'M' : 'F';
      p.Pere = static_cast<int32_t>(n / 2);
      (void)m.WritePerson(p, n);
    }
    (void)m.EndImport(true);
    return true;
  }();
  (void)fait;
}

void BM_Maintenance_DupliqueGenealogie(benchmark::State& state) {
  PrepareGrand();
  for (auto _ : state) {
    state.PauseTiming();
    (void)SupprimeArborescence(kRacine + "Copie.kya");
    auto g = Dossier(kRacine, "Grand", false);
    state.ResumeTiming();
    if (g->DupliqueGenealogie("Copie") != emAucune) state.SkipWithError("duplication refusée");
  }
  state.counters["octets"] = static_cast<double>(TailleFichier(kRacine + "Grand.kya/Grand.adb"));
  (void)SupprimeArborescence(kRacine + "Copie.kya");
}
BENCHMARK(BM_Maintenance_DupliqueGenealogie)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Maintenance_CpR(benchmark::State& state) {
  PrepareGrand();
  const std::string racine = CheminSysteme(kRacine);
  const std::string commande = "cp -r '" + racine + "Grand.kya' '" + racine + "Cp.kya'";
  for (auto _ : state) {
    state.PauseTiming();
    (void)SupprimeArborescence(kRacine + "Cp.kya");
    state.ResumeTiming();
    if (std::system(commande.c_str()) != 0) state.SkipWithError("cp -r a échoué");
  }
  (void)SupprimeArborescence(kRacine + "Cp.kya");
}
BENCHMARK(BM_Maintenance_CpR)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Maintenance_GetInfo100Genealogies(benchmark::State& state) {
  const AnsiString repertoire = kRacine + "Liste/";
  static const bool fait = [&] {
    NommeThreadPrincipal();
    (void)SupprimeArborescence(repertoire);
    for (int i = 0; i < kGenealogies; ++i) {
      AnsiString nom = "G";
      nom += std::to_string(i);
      (void)Dossier(repertoire, nom, true);
    }
    return true;
  }();
  (void)fait;
  for (auto _ : state) {
    long total = 0;
    for (const AnsiString& d : ListeRepertoires(repertoire)) {
      const AnsiString base = d.substr(0, d.size() - 4);
      TDateTime date = 0;
      long personnes = 0;
      if (GetInfoFileGenea(AnsiVersUnicode(repertoire + d + "/" + base + ".adb"), date, personnes)) total += 1;
    }
    if (total != kGenealogies) state.SkipWithError("généalogies manquantes");
  }
}
BENCHMARK(BM_Maintenance_GetInfo100Genealogies)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kyb
