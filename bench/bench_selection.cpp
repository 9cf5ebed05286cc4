// Selections over a genealogy of about 1,000,000 persons: the folder is the one whose store file
// KYB_BENCH_SELECTION names (".../p20.kya/p20.adb", a folder made by `kyb importe` from `bench/genere_gedcom.py --generations 20`);
// nothing runs without it. The first run gives one person in two a profession drawn from a short
// list (rows of the events table), so that a selection can be answered by the store.
// Measured, each beside its floor in the same run:
// - a selection the store answers (profession beginning with "Bou"), against the one query;
// - a selection evaluated person by person (three conditions on events: born between 1700 and
//   1750, and died in the Rhône or born in Lyon), in persons per second, against the same filter
//   as one query over the events and places tables.
// Run: KYB_BENCH_SELECTION=/tmp/p20.kya/p20.adb kybase_bench --benchmark_filter=Selection
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <memory>

#include "engine/acr_query.h"
#include "fields/csdefchps.h"
#include "folder/gest_fic.h"
#include "index/gest_fic_index.h"
#include "index/ouverture_genealogie.h"
#include "platform/thread_nom.h"
#include "search/saisie_condition.h"
#include "search/selection_complexe.h"
#include "store/datamodulebdd.h"

namespace kyb {
namespace {

const char* Chemin() { return std::getenv("KYB_BENCH_SELECTION"); }

TGestFichier* Dossier() {
  static std::unique_ptr<TGestFichier> g = [] {
    NommeThreadPrincipal();
    auto d = std::make_unique<TGestFichier>(AnsiString(Chemin()), AvecIndex(TGestFichier::Ouverture()));
    if (d->Erreur || !TFicIndexPerson::De(*d)) return std::unique_ptr<TGestFichier>();
    TACRQuery n(d->GetModuleBDD()->Database(), "SELECT COUNT(*) FROM Evenements WHERE LibelleChamps = 'PROFESSION'");
    if (n.Open() && n.Fields(0).AsInt64() == 0) {
      TACRQuery q(d->GetModuleBDD()->Database(),
                  "INSERT INTO Evenements (Type, LibelleChamps, Donnee, NoPersA) "
                  "SELECT 0, 'PROFESSION', CASE ID % 5 WHEN 0 THEN 'Boulanger' WHEN 1 THEN 'Bourrelier' "
                  "WHEN 2 THEN 'Canut' WHEN 3 THEN 'Tisserand' ELSE 'Laboureur' END, ID "
                  "FROM Personnes WHERE ID % 2 = 0");
      (void)q.ExecSQL();
    }
    return d;
  }();
  return g.get();
}

TSelection Selection(const std::vector<const char16_t*>& conditions, const char16_t* equation) {
  TSelection s;
  for (const char16_t* texte : conditions) {
    TCondition c;
    std::string erreur;
    if (LitCondition(texte, Dossier()->GetDefChpsCs(), c, erreur)) s.AjouteCondition(c);
  }
  s.Equation = equation;
  return s;
}

// Seconds of one run of a counting query.
double Plancher(const std::string& sql, int64_t& n) {
  const auto debut = std::chrono::steady_clock::now();
  TACRQuery q(Dossier()->GetModuleBDD()->Database(), sql);
  n = q.Open() ? q.Fields(0).AsInt64() : -1;
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count();
}

void Mesure(benchmark::State& state, const TSelection& s, bool parStore, const std::string& plancher) {
  if (!Chemin() || !Dossier()) {
    state.SkipWithError("KYB_BENCH_SELECTION ne nomme pas un dossier de généalogie");
    return;
  }
  TResultatSelection r;
  for (auto _ : state) r = TSelectionComplexe(*TFicIndexPerson::De(*Dossier())).Execute(s, nullptr, parStore);
  int64_t n = 0;
  state.counters["plancher_s"] = Plancher(plancher, n);
  state.counters["trouvees"] = static_cast<double>(r.Numeros.size());
  state.counters["trouvees_plancher"] = static_cast<double>(n);
  state.counters["examinees"] = static_cast<double>(r.Examinees);
  state.counters["par_store"] = r.ParStore;
  state.counters["personnes_par_s"] =
      benchmark::Counter(static_cast<double>(r.Examinees), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_Selection_ParLeStore(benchmark::State& state) {
  Mesure(state, Selection({u"Profession commence par Bou"}, u"1"), true,
         "SELECT COUNT(DISTINCT NoPersA) FROM Evenements WHERE LibelleChamps = 'PROFESSION' AND Donnee LIKE 'Bou%'");
}
BENCHMARK(BM_Selection_ParLeStore)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Selection_ParPersonne(benchmark::State& state) {
  Mesure(state,
         Selection({u"NAISSANCE.date entre 1700 1750", u"DECES.lieu contenant Rhône", u"NAISSANCE.lieu commence par Lyon"},
                   u"1 et (2 ou 3)"),
         false,
         "SELECT COUNT(DISTINCT n.NoPersA) FROM Evenements n LEFT JOIN Lieux ln ON ln.ID = n.Lieu "
         "WHERE n.LibelleChamps = 'NAISSANCE' AND substr(n.Date, 7, 4) BETWEEN '1700' AND '1750' AND "
         "(ln.Chn1 LIKE 'Lyon%' OR EXISTS (SELECT 1 FROM Evenements d JOIN Lieux ld ON ld.ID = d.Lieu "
         "WHERE d.NoPersA = n.NoPersA AND d.LibelleChamps = 'DECES' AND ld.Chn1 LIKE '%Rhône%'))");
}
BENCHMARK(BM_Selection_ParPersonne)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace kyb
