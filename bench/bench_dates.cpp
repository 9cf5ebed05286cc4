// Speed of the dates subsystem: analysis of typed texts, comparison, Hebrew conversions and day
// counts over two centuries. Figures are items per second.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "dates/analysedate.h"
#include "dates/calcjours.h"
#include "dates/calendrier_civil.h"
#include "dates/convjuif.h"

namespace {

using kyb::TDateKY;

std::string Texte(int j, int m, int a) {
  char t[40];
  std::snprintf(t, sizeof t, "%02d/%02d/%04d", j, m, a);
  return t;
}

// Valid civil days between two years, drawn with a fixed seed.
std::vector<std::string> Jours(int n, int anneeMin, int anneeMax, unsigned graine) {
  std::mt19937 alea(graine);
  std::vector<std::string> v;
  while (static_cast<int>(v.size()) < n) {
    const int a = std::uniform_int_distribution<int>(anneeMin, anneeMax)(alea);
    const int m = std::uniform_int_distribution<int>(1, 12)(alea);
    const int j = std::uniform_int_distribution<int>(1, 31)(alea);
    if (kyb::DateGregorienOk(j, m, a)) v.push_back(Texte(j, m, a));
  }
  return v;
}

void BM_AnalyseDate(benchmark::State& etat) {
  const std::vector<std::string> saisies = {
      "14 7 1789", "140789", "?/5/1789", "1789", "3-2-1900", "25.12.1850", "../07/1812",
      "1/1/26",    "29/2/1600", "12/10/1492", "31/4/1789", "7 11 1918"};
  kyb::AnsiString r;
  std::size_t i = 0;
  for (auto _ : etat) {
    benchmark::DoNotOptimize(kyb::AnalyseDate(r, saisies[i], "G", true));
    if (++i == saisies.size()) i = 0;
  }
  etat.SetItemsProcessed(etat.iterations());
}
BENCHMARK(BM_AnalyseDate);

void BM_AnalyseDateRepublicaine(benchmark::State& etat) {
  const std::vector<std::string> saisies = {"01/PLUV/12", "1 pluviose an XII", "18 brumaire an 8",
                                            "1/5/12", "6 sans-culottides an III"};
  kyb::AnsiString r;
  std::size_t i = 0;
  for (auto _ : etat) {
    benchmark::DoNotOptimize(kyb::AnalyseDate(r, saisies[i], "R", true));
    if (++i == saisies.size()) i = 0;
  }
  etat.SetItemsProcessed(etat.iterations());
}
BENCHMARK(BM_AnalyseDateRepublicaine);

// Argument: one date in how many is a range (0: none).
void BM_CompareDate(benchmark::State& etat) {
  std::vector<TDateKY> dates;
  for (const std::string& t : Jours(1024, 1600, 2000, 1)) dates.emplace_back('G', t);
  // Some dates without a day, and ranges, as in a real genealogy.
  for (std::size_t k = 0; k < dates.size(); k += 8)
    dates[k].SetDate(dates[k].GetDate().replace(0, 2, ".."));
  if (const auto pas = static_cast<std::size_t>(etat.range(0)); pas > 0)
    for (std::size_t k = 4; k < dates.size(); k += pas) dates[k].SetDate("1750/1760");
  std::size_t i = 0;
  for (auto _ : etat) {
    benchmark::DoNotOptimize(kyb::CompareDate(dates[i], dates[(i + 1) & 1023]));
    i = (i + 1) & 1023;
  }
  etat.SetItemsProcessed(etat.iterations());
}
BENCHMARK(BM_CompareDate)->Arg(0)->Arg(16)->Arg(1);

void BM_GregorienVersHebreu(benchmark::State& etat) {
  const std::vector<std::string> jours = Jours(1024, 1583, 2399, 2);
  std::size_t i = 0;
  for (auto _ : etat) {
    benchmark::DoNotOptimize(kyb::ConvGregorienHebraique(jours[i]));
    i = (i + 1) & 1023;
  }
  etat.SetItemsProcessed(etat.iterations());
}
BENCHMARK(BM_GregorienVersHebreu);

void BM_HebreuVersGregorien(benchmark::State& etat) {
  std::vector<std::string> jours;
  for (const std::string& t : Jours(1024, 1583, 2399, 3))
    jours.push_back(kyb::ConvGregorienHebraique(t));
  std::size_t i = 0;
  for (auto _ : etat) {
    benchmark::DoNotOptimize(kyb::ConvHebraiqueGregorien(jours[i]));
    i = (i + 1) & 1023;
  }
  etat.SetItemsProcessed(etat.iterations());
}
BENCHMARK(BM_HebreuVersGregorien);

void BM_CalcJours200Ans(benchmark::State& etat) {
  const std::vector<std::string> debuts = Jours(1024, 1500, 1600, 4);
  const std::vector<std::string> fins = Jours(1024, 1700, 1800, 5);
  std::vector<std::pair<TDateKY, TDateKY>> paires;
  for (int k = 0; k < 1024; ++k)
    paires.emplace_back(TDateKY('G', debuts[k]), TDateKY('G', fins[k]));
  std::size_t i = 0;
  float annees = 0;
  int entieres = 0, reste = 0, joursMois = 0;
  bool inverse = false;
  for (auto _ : etat) {
    benchmark::DoNotOptimize(kyb::CalcJours(paires[i].first, paires[i].second, &annees, &entieres,
                                            &reste, &inverse, false, &joursMois));
    i = (i + 1) & 1023;
  }
  etat.SetItemsProcessed(etat.iterations());
}
BENCHMARK(BM_CalcJours200Ans);

}  // namespace
