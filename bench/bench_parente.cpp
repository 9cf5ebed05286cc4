// Kinship on two generated genealogies written in import mode:
// - a pedigree of 2^G - 1 ancestors (person n: father 2n, mother 2n + 1) where every ancestor up
//   to generation 12 has a brother or sister with a child and a grandchild (first and second
//   cousins of every ancestor of the lower generations), and a line of 10 generations going down
//   from the ancestors 1024 and 1025 through a brother of 512;
// - a genealogy of about 100,000 persons in generations of couples with 3 to 9 children each.
//   The top generation also starts two lines of 20 generations (one through sons, one through
//   daughters, each child married to a person from outside) and a ladder of 20 generations of
//   cousin marriages (two couples whose son and daughter marry crosswise at every generation).
// Measured: the direct naming of random first and second cousins, the common-ancestor search of
// two persons 10 generations apart on each side, each relative-list builder (median); the precise
// naming, every common ancestor and path, and the inbreeding coefficient, each beside the
// description's naming of the same pair.
// Run: kybase_bench --benchmark_filter=Parente   (KYB_BENCH_GENERATIONS sets G, default 18)
#include <benchmark/benchmark.h>

#include <array>
#include <cstdlib>
#include <functional>
#include <random>
#include <vector>

#include "folder/gest_fic.h"
#include "persons/ancetres_communs.h"
#include "persons/chemins_parente.h"
#include "persons/consanguinite.h"
#include "persons/nom_parente.h"
#include "persons/lienparente.h"
#include "persons/tables_parente.h"
#include "platform/fichiers.h"
#include "platform/thread_nom.h"
#include "store/datamodulebdd.h"
#include "index/ouverture_genealogie.h"

namespace kyb {
namespace {

const AnsiString kRacine = "/tmp/kyb-bench-parente/";

struct TNoeud {
  int32_t pere = 0, mere = 0;
  char sexe = '?';
  std::vector<int32_t> conjoints, enfants;
};

// Persons numbered from 1; element 0 unused.
using TGraphe = std::vector<TNoeud>;

void Lie(TGraphe& g, int32_t enfant, int32_t pere, int32_t mere) {
  g[static_cast<size_t>(enfant)].pere = pere;
  g[static_cast<size_t>(enfant)].mere = mere;
  if (pere) g[static_cast<size_t>(pere)].enfants.push_back(enfant);
  if (mere) g[static_cast<size_t>(mere)].enfants.push_back(enfant);
}

std::unique_ptr<TGestFichier> Ecrit(const TGraphe& g, const AnsiString& nom) {
  const AnsiString chemin = kRacine + nom + ".kya/" + nom + ".adb";
  (void)SupprimeArborescence(kRacine + nom + ".kya");
  {
    TGestFichier d(chemin, AvecIndex(TGestFichier::Creation(0)));
    TModuleBDD& m = *d.GetModuleBDD();
    (void)m.BeginImport(false);
    for (size_t n = 1; n < g.size(); ++n) {
      TEnregPublic p;
      p.FicheSupprimee = 'N';
      p.Sexe = g[n].sexe;
      p.Nom = u"Martin";
      p.Pere = g[n].pere;
      p.Mere = g[n].mere;
      for (size_t i = 0; i < g[n].conjoints.size() && i < p.Conjoints.size(); ++i)
        p.Conjoints[i].Lien = g[n].conjoints[i];
      for (size_t i = 0; i < g[n].enfants.size() && i < p.Enfants.size(); ++i) p.Enfants[i] = g[n].enfants[i];
      (void)m.WritePerson(p, static_cast<long>(n));
    }
    (void)m.EndImport(false);
  }
  return std::make_unique<TGestFichier>(chemin, AvecIndex(TGestFichier::Ouverture()));
}

struct TPedigree {
  std::unique_ptr<TGestFichier> dossier;
  int generations = 0;
  int32_t ancetres = 0;  // 2^G - 1
  int32_t lignesJusqua = 0;  // ancestors below this number have a sibling line
  int32_t finLigne10 = 0;
  std::vector<int32_t> lignePere, ligneMere;  // the two 20-generation lines, top first
  int32_t echellePere = 0, echelleMere = 0, echelleEnfant = 0;  // the ladder's last couple and child
  // Sibling line of ancestor n: the sibling, its child, its grandchild.
  [[nodiscard]] int32_t Ligne(int32_t n, int k) const { return ancetres + 3 * (n - 2) + 1 + k; }
};

int32_t Nouveau(TGraphe& g, char sexe) {
  g.push_back({});
  g.back().sexe = sexe;
  return static_cast<int32_t>(g.size() - 1);
}

void Marie(TGraphe& g, int32_t h, int32_t f) {
  g[static_cast<size_t>(h)].conjoints.push_back(f);
  g[static_cast<size_t>(f)].conjoints.push_back(h);
}

// From couples of the top generation (no parents): the two lines and the ladder.
void LignesProfondes(TGraphe& g, TPedigree& r) {
  const int32_t t = r.ancetres / 2 + 1;  // a man, married to t + 1
  // The last son of the first line and his wife, the last daughter of the second and her husband.
  int32_t fils = t, epouse = t + 1, epoux = t, fille = t + 1;
  for (int k = 0; k < 20; ++k) {
    const int32_t f = Nouveau(g, 'M'), d = Nouveau(g, 'F');
    Lie(g, f, fils, epouse);
    Lie(g, d, epoux, fille);
    r.lignePere.push_back(fils = f);
    r.ligneMere.push_back(fille = d);
    epouse = Nouveau(g, 'F');
    epoux = Nouveau(g, 'M');
    Marie(g, fils, epouse);
    Marie(g, epoux, fille);
  }
  std::array<int32_t, 2> h{t + 2, t + 4}, f{t + 3, t + 5};
  for (int k = 0; k < 20; ++k) {
    std::array<int32_t, 2> fils{}, filles{};
    for (size_t c = 0; c < 2; ++c) {
      fils[c] = Nouveau(g, 'M');
      filles[c] = Nouveau(g, 'F');
      Lie(g, fils[c], h[c], f[c]);
      Lie(g, filles[c], h[c], f[c]);
    }
    h = fils;
    f = {filles[1], filles[0]};
    Marie(g, h[0], f[0]);
    Marie(g, h[1], f[1]);
  }
  r.echellePere = h[0];
  r.echelleMere = f[0];
  r.echelleEnfant = Nouveau(g, 'F');
  Lie(g, r.echelleEnfant, h[0], f[0]);
}

TPedigree& Pedigree() {
  static TPedigree p = [] {
    NommeThreadPrincipal();
    TPedigree r;
    const char* env = std::getenv("KYB_BENCH_GENERATIONS");
    r.generations = env ? std::atoi(env) : 18;
    r.ancetres = (1 << r.generations) - 1;
    r.lignesJusqua = std::min<int32_t>(1 << 13, r.ancetres + 1);
    const int32_t debutLigne10 = r.Ligne(r.lignesJusqua, 0);
    TGraphe g(static_cast<size_t>(debutLigne10 + 11));
    for (int32_t n = 1; n <= r.ancetres; ++n) {
      g[static_cast<size_t>(n)].sexe = n % 2 ? 'F' : 'M';
      if (n > 1) g[static_cast<size_t>(n)].conjoints.push_back(n % 2 ? n - 1 : n + 1);
    }
    for (int32_t n = 1; 2 * n + 1 <= r.ancetres; ++n) Lie(g, n, 2 * n, 2 * n + 1);
    for (int32_t n = 2; n < r.lignesJusqua; ++n) {
      const int32_t s = r.Ligne(n, 0);
      g[static_cast<size_t>(s)].sexe = g[static_cast<size_t>(s + 1)].sexe = 'M';
      g[static_cast<size_t>(s + 2)].sexe = 'F';
      Lie(g, s, 2 * n <= r.ancetres ? 2 * n : 0, 2 * n + 1 <= r.ancetres ? 2 * n + 1 : 0);
      Lie(g, s + 1, s, 0);
      Lie(g, s + 2, s + 1, 0);
    }
    // A brother of 512 (child of 1024 and 1025), then 9 generations below him: the last one
    // and the person 1 are 10 generations below 1024 and 1025.
    for (int32_t k = 0; k <= 9; ++k) {
      const int32_t n = debutLigne10 + k;
      g[static_cast<size_t>(n)].sexe = 'M';
      if (k == 0) Lie(g, n, 1024, 1025);
      else Lie(g, n, n - 1, 0);
    }
    r.finLigne10 = debutLigne10 + 9;
    LignesProfondes(g, r);
    r.dossier = Ecrit(g, "Pedigree");
    return r;
  }();
  return p;
}

// About 100,000 persons: 100 founding couples, then generations where each couple has 3 to 9
// children and the children of neighbouring families marry.
struct TLarge {
  std::unique_ptr<TGestFichier> dossier;
  int32_t sujet = 0;  // a son of the fourth generation, with grandchildren and great-grandparents
};

TLarge& Large() {
  static TLarge l = [] {
    NommeThreadPrincipal();
    std::mt19937 alea(42);
    TGraphe g(1);
    const auto nouveau = [&g](char sexe) {
      g.push_back({});
      g.back().sexe = sexe;
      return static_cast<int32_t>(g.size() - 1);
    };
    std::vector<std::pair<int32_t, int32_t>> couples;
    for (int i = 0; i < 100; ++i) {
      const int32_t h = nouveau('M'), f = nouveau('F');
      g[static_cast<size_t>(h)].conjoints.push_back(f);
      g[static_cast<size_t>(f)].conjoints.push_back(h);
      couples.emplace_back(h, f);
    }
    std::vector<int32_t> generationMilieu;
    for (int generation = 1; g.size() < 100'000; ++generation) {
      std::vector<int32_t> fils, filles;
      for (const auto& [h, f] : couples) {
        const int nb = std::uniform_int_distribution<int>(3, 9)(alea);
        for (int k = 0; k < nb && g.size() < 100'001; ++k) {
          const int32_t e = nouveau(k % 2 ? 'F' : 'M');
          Lie(g, e, h, f);
          (k % 2 ? filles : fils).push_back(e);
        }
      }
      if (generation == 4) generationMilieu = fils;
      couples.clear();
      // A son marries the daughter of the next family.
      for (size_t i = 0; i < fils.size() && i + 1 < filles.size(); ++i) {
        const int32_t h = fils[i], f = filles[i + 1];
        g[static_cast<size_t>(h)].conjoints.push_back(f);
        g[static_cast<size_t>(f)].conjoints.push_back(h);
        couples.emplace_back(h, f);
      }
    }
    TLarge r;
    r.sujet = generationMilieu.empty() ? 1 : generationMilieu[generationMilieu.size() / 20];
    r.dossier = Ecrit(g, "Large");
    return r;
  }();
  return l;
}

// Random ancestors of generations 1 to 10; their first cousin is the child of the sibling line
// of their father, the second cousin the grandchild of the line of their father's father.
void BM_Parente_NommageCousins(benchmark::State& state) {
  TPedigree& p = Pedigree();
  TFicPersons& f = *p.dossier->FicPersons;
  std::mt19937 alea(7);
  const int32_t maxX = std::min<int32_t>(p.lignesJusqua / 4, 1 << 10);
  std::uniform_int_distribution<int32_t> tirage(1, maxX - 1);
  int trouves = 0;
  for (auto _ : state) {
    const int32_t x = tirage(alea);
    const bool second = state.range(0) == 2;
    const int32_t y = second ? p.Ligne(4 * x, 2) : p.Ligne(2 * x, 1);
    const TPerson px(&f, x);
    const AnsiString mot = TLienParente(px).RetourneLienDeParente(y);
    trouves += !mot.empty();
    benchmark::DoNotOptimize(mot);
  }
  if (trouves != static_cast<int>(state.iterations())) state.SkipWithError("cousin non nommé");
}
BENCHMARK(BM_Parente_NommageCousins)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Repetitions(3)
    ->ReportAggregatesOnly(true);

void BM_Parente_AncetresCommuns10Generations(benchmark::State& state) {
  TPedigree& p = Pedigree();
  TFicPersons& f = *p.dossier->FicPersons;
  for (auto _ : state) {
    const TAncetresCommuns r = ChercheAncetresCommuns(f, 1, p.finLigne10);
    if (r.Chemins.empty() || r.Chemins[0].GenerationsA != 10 || r.Chemins[0].GenerationsB != 10)
      state.SkipWithError("ancêtres communs non trouvés");
    state.counters["lues"] = r.PersonnesLues;
  }
}
BENCHMARK(BM_Parente_AncetresCommuns10Generations)->Unit(benchmark::kMillisecond)->Repetitions(3)
    ->ReportAggregatesOnly(true);

// The pairs of the precise measures: 0 first cousins at the top of the lines, 1 the ends of the
// two lines (20 generations below their common couple), 2 the ladder's last couple, 3 an ancestor
// of generation 10 and its first cousin (the ascendancy of each: about 2^(G-10) persons).
std::pair<int32_t, int32_t> Paire(const TPedigree& p, int64_t cas) {
  switch (cas) {
    case 0: return {p.lignePere[1], p.ligneMere[1]};
    case 1: return {p.lignePere[19], p.ligneMere[19]};
    case 2: return {p.echellePere, p.echelleMere};
    default: return {1024, p.Ligne(2 * 1024, 1)};
  }
}

void BM_Parente_NommageDescription(benchmark::State& state) {
  TPedigree& p = Pedigree();
  TFicPersons& f = *p.dossier->FicPersons;
  const auto [a, b] = Paire(p, state.range(0));
  for (auto _ : state) {
    const TPerson pa(&f, a);
    benchmark::DoNotOptimize(TLienParente(pa).RetourneLienDeParente(b));
  }
}
BENCHMARK(BM_Parente_NommageDescription)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->Repetitions(3)
    ->ReportAggregatesOnly(true);

void BM_Parente_NommagePrecis(benchmark::State& state) {
  TPedigree& p = Pedigree();
  TFicPersons& f = *p.dossier->FicPersons;
  const auto [a, b] = Paire(p, state.range(0));
  for (auto _ : state) {
    TGrapheParente g(f);
    const auto liens = NommeParente(g, a, b);
    if (liens.empty()) state.SkipWithError("parenté non nommée");
    state.counters["lues"] = g.PersonnesLues();
  }
}
BENCHMARK(BM_Parente_NommagePrecis)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->Repetitions(3)
    ->ReportAggregatesOnly(true);

void BM_Parente_TousLesChemins(benchmark::State& state) {
  TPedigree& p = Pedigree();
  TFicPersons& f = *p.dossier->FicPersons;
  const auto [a, b] = Paire(p, state.range(0));
  for (auto _ : state) {
    TGrapheParente g(f);
    const TParenteComplete r = ChercheToutesParentes(g, a, b);
    if (!r.Trouve()) state.SkipWithError("ancêtres communs non trouvés");
    state.counters["chemins"] = NTL::conv<double>(r.NbChemins);
    state.counters["lues"] = r.PersonnesLues;
  }
}
BENCHMARK(BM_Parente_TousLesChemins)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Repetitions(3)
    ->ReportAggregatesOnly(true);

void BM_Parente_Consanguinite(benchmark::State& state) {
  TPedigree& p = Pedigree();
  TFicPersons& f = *p.dossier->FicPersons;
  for (auto _ : state) {
    TGrapheParente g(f);
    const TCoefficientParente c = CoefficientConsanguinite(g, p.echelleEnfant);
    if (c.Valeur.EstNul()) state.SkipWithError("consanguinité nulle");
    state.counters["F"] = c.Valeur.EnDouble();
    state.counters["lues"] = c.PersonnesLues;
  }
}
BENCHMARK(BM_Parente_Consanguinite)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

using TBuilder = std::function<void(const TPerson&, TTableLong&, int&)>;

void LancerBuilder(benchmark::State& state, const TBuilder& b) {
  TLarge& l = Large();
  const TPerson p(l.dossier->FicPersons.get(), l.sujet);
  int total = 0;
  for (auto _ : state) {
    auto t = AlloueTableLong();
    int nb = 0;
    b(p, *t, nb);
    total = nb;
    benchmark::DoNotOptimize(t);
  }
  state.counters["membres"] = total;
}

#define KYB_BUILDER(nom, appel)                                                                        \
  void BM_Parente_##nom(benchmark::State& state) {                                                    \
    LancerBuilder(state, [](const TPerson& p, TTableLong& t, int& nb) { appel; });                    \
  }                                                                                                  \
  BENCHMARK(BM_Parente_##nom)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true)

KYB_BUILDER(RetourneTabParents, RetourneTabParents(p, t, nb));
KYB_BUILDER(RetourneTabConjoints, RetourneTabConjoints(p, t, nb));
KYB_BUILDER(RetourneTabEnfants, RetourneTabEnfants(p, t, nb));
KYB_BUILDER(RetourneTabFreresSoeurs, RetourneTabFreresSoeurs(p, t, nb, false, true));
KYB_BUILDER(RetourneTabFreresSoeursComplet, RetourneTabFreresSoeursComplet(p, t, nb));
KYB_BUILDER(RetourneTabGrdParents, RetourneTabGrdParents(p, t, nb));
KYB_BUILDER(RetourneTabArrGrdParents, RetourneTabArrGrdParents(p, t, nb));
KYB_BUILDER(RetourneTabTrisaieuls, RetourneTabTrisaieuls(p, t, nb));
KYB_BUILDER(RetourneTabPetitsEnfants, RetourneTabPetitsEnfants(p, t, nb));
KYB_BUILDER(RetourneTabArrieresPetitsEnfants, RetourneTabArrieresPetitsEnfants(p, t, nb));
KYB_BUILDER(RetourneTabOnclesTantes, RetourneTabOnclesTantes(p, t, nb));
KYB_BUILDER(RetourneTabGrdOnclesTantes, RetourneTabGrdOnclesTantes(p, t, nb));
KYB_BUILDER(RetourneTabArrGrdOnclesTantes, RetourneTabArrGrdOnclesTantes(p, t, nb));
KYB_BUILDER(RetourneTabNeveuxNieces, RetourneTabNeveuxNieces(p, t, nb));
KYB_BUILDER(RetourneTabCousins, RetourneTabCousins(p, t, nb));
KYB_BUILDER(RetourneTabCousinsIssusDeGermain, RetourneTabCousinsIssusDeGermain(p, t, nb));
KYB_BUILDER(RetourneTabCousinsRemuesDeGermain, RetourneTabCousinsRemuesDeGermain(p, t, nb));
KYB_BUILDER(RetourneTabCousinsParents, RetourneTabCousinsParents(p, t, nb));
KYB_BUILDER(RetourneTabCousinsIssusGermainParents, RetourneTabCousinsIssusGermainParents(p, t, nb));
KYB_BUILDER(RetourneTabCousinsGrdParents, RetourneTabCousinsGrdParents(p, t, nb));

// Direct naming of a random person of the wide genealogy against the subject's first cousins.
void BM_Parente_NommageLarge(benchmark::State& state) {
  TLarge& l = Large();
  TFicPersons& f = *l.dossier->FicPersons;
  const TPerson p(&f, l.sujet);
  auto t = AlloueTableLong();
  int nb = 0;
  RetourneTabCousins(p, *t, nb);
  if (nb == 0) {
    state.SkipWithError("pas de cousin");
    return;
  }
  size_t i = 0;
  for (auto _ : state) {
    const AnsiString mot = TLienParente(p).RetourneLienDeParente((*t)[i++ % static_cast<size_t>(nb)]);
    benchmark::DoNotOptimize(mot);
  }
}
BENCHMARK(BM_Parente_NommageLarge)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace kyb
