// The person index on a genealogy of 1,000,000 persons (KYB_BENCH_PERSONNES to change it):
// French surnames drawn with a Zipf law (s = 1) over 120 common surnames and a tail of derived
// ones, one to three given names each, a birth for every person and a death for seven in ten. The
// folder is generated once in /tmp/kyb-bench-index.
// Measured: ReinitTableIndex, the opening of the folder with a valid ".prx2", the search of an
// exact surname (first 50 persons, with and without the lines kyb cherche prints) and of a
// phonetic code, ModifClef of a renamed person
// (median of single calls), and the memory of the in-memory index per entry.
// Run: kybase_bench --benchmark_filter=Index
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "folder/gest_fic.h"
#include "folder/gest_fic_pers.h"
#include "index/gest_fic_index.h"
#include "persons/gest_pers.h"
#include "platform/fichiers.h"
#include "noms_zipf.h"
#include "platform/thread_nom.h"
#include "store/datamodulebdd.h"
#include "index/ouverture_genealogie.h"

namespace kyb {
namespace {

using namespace bench;

const AnsiString kRacine = "/tmp/kyb-bench-index/";
const AnsiString kChemin = kRacine + "Index.kya/Index.adb";

std::unique_ptr<TGestFichier> Ouvre(bool creer) {
  return std::make_unique<TGestFichier>(kChemin, AvecIndex(TGestFichier::TOptionsOuverture{.Creer = creer}));
}

// Births of every person and deaths of seven in ten, dated from the person's number, written in
// one statement each.
void GenereEvenements(TModuleBDD& m) {
  const char* const sql[] = {
      "INSERT INTO Evenements(Type, LibelleChamps, Donnee, NoPersA, NoPersB, Acte, TypeCalend, Date, Lieu, LieuDit, "
      "Note, NoIllustrationParDefaut, LienExtEven, _DONNEE, _DATE, RANG_A, RANG_B, DateLastModif) "
      "SELECT 0, 'NAISSANCE', '', ID, 0, '', 'G', printf('%02d/%02d/%04d', 1 + ID % 28, 1 + ID % 12, 1650 + ID % 300), "
      "0, '', 0, 0, 0, '', (1650 + ID % 300) * 10000 + (1 + ID % 12) * 100 + 1 + ID % 28, 1, 0, 46000.5 "
      "FROM Personnes WHERE ID > 0",
      "INSERT INTO Evenements(Type, LibelleChamps, Donnee, NoPersA, NoPersB, Acte, TypeCalend, Date, Lieu, LieuDit, "
      "Note, NoIllustrationParDefaut, LienExtEven, _DONNEE, _DATE, RANG_A, RANG_B, DateLastModif) "
      "SELECT 0, 'DECES', '', ID, 0, '', 'G', printf('../../%04d', 1670 + ID % 300 + ID % 60), "
      "0, '', 0, 0, 0, '', (1670 + ID % 300 + ID % 60) * 10000 + 101, 2, 0, 46000.5 "
      "FROM Personnes WHERE ID > 0 AND ID % 10 < 7",
  };
  for (const char* s : sql)
    if (!m.Database().ExecuteSql(s)) std::fprintf(stderr, "événements non générés : %s\n", m.Database().DerniereErreur().c_str());
}

// The generated folder, with its persons and their births and deaths (no index rows):
// ReinitTableIndex builds them.
void Genere() {
  const long n = NbPersonnes();
  {
    if (FichierExiste(kChemin)) {
      auto g = Ouvre(false);
      if (!g->Erreur && g->GetFicPersons()->NbEnreg == n && g->GetModuleBDD()->NombreLignes("Evenements") > 0) return;
    }
  }
  (void)SupprimeArborescence(kRacine + "Index.kya");
  auto g = Ouvre(true);
  TModuleBDD& m = *g->GetModuleBDD();
  std::mt19937 alea(17);
  const TZipf noms(5000), prenoms(std::size(kPrenoms));
  (void)m.BeginImport(true);
  for (long no = 1; no <= n; ++no) {
    TEnregPublic p;
    p.FicheSupprimee = 'N';
    p.Sexe = no % 2 ? 'M' : 'F';
    p.Nom = Nom(noms(alea));
    const int nbPrenoms = 1 + static_cast<int>(alea() % 3);
    for (int k = 0; k < nbPrenoms; ++k) {
      if (k) p.Prenoms += u' ';
      p.Prenoms += kPrenoms[prenoms(alea)];
    }
    (void)m.WritePerson(p, no);
  }
  (void)m.EndImport(true);
  GenereEvenements(m);
  g->GetFicPersons()->NbEnreg = n;
}

void BM_Index_ReinitTableIndex(benchmark::State& state) {
  NommeThreadPrincipal();
  Genere();
  auto g = Ouvre(false);
  for (auto _ : state) {
    if (!TFicIndexPerson::De(*g)->ReinitTableIndex()) state.SkipWithError("ReinitTableIndex a échoué");
  }
  state.counters["personnes"] = static_cast<double>(g->GetFicPersons()->NbEnreg);
  state.counters["lignes"] = static_cast<double>(TFicIndexPerson::De(*g)->NbLignes());
}
BENCHMARK(BM_Index_ReinitTableIndex)->Iterations(1)->Unit(benchmark::kMillisecond);

// The walk of the births, baptisms, deaths and burials that gives every person's years (part of
// ReinitTableIndex and of the verification).
void BM_Index_AnneesVieToutes(benchmark::State& state) {
  NommeThreadPrincipal();
  auto g = Ouvre(false);
  size_t connues = 0;
  for (auto _ : state) {
    const auto annees = TFicIndexPerson::De(*g)->AnneesVieToutes(g->GetFicPersons()->NbEnreg);
    connues = static_cast<size_t>(std::count_if(annees.begin(), annees.end(), [](const TAnneesVie& a) { return a.Min; }));
  }
  state.counters["personnes_datees"] = static_cast<double>(connues);
}
BENCHMARK(BM_Index_AnneesVieToutes)->Iterations(1)->Unit(benchmark::kMillisecond);

// Reloading the in-memory index from the rows (part of ReinitTableIndex, and of every opening
// without a valid ".prx2").
void BM_Index_ReinitTableIndexBis(benchmark::State& state) {
  NommeThreadPrincipal();
  auto g = Ouvre(false);
  for (auto _ : state) TFicIndexPerson::De(*g)->ReinitTableIndexBis();
  state.counters["entrees"] = static_cast<double>(TFicIndexPerson::De(*g)->Index()->GetNbElt());
}
BENCHMARK(BM_Index_ReinitTableIndexBis)->Iterations(1)->Unit(benchmark::kMillisecond);

// The whole opening of the folder, the ".prx2" restored and checked; the closing (which writes
// it again) is not timed.
void BM_Index_OuvertureAvecPrx2(benchmark::State& state) {
  NommeThreadPrincipal();
  for (auto _ : state) {
    auto g = Ouvre(false);
    state.PauseTiming();
    const bool restaure = TFicIndexPerson::De(*g)->Origine() == TFicIndexPerson::TOrigine::Fichier;
    const std::string motif = UnicodeVersUtf8(TFicIndexPerson::De(*g)->MotifReconstruction());
    g.reset();
    if (!restaure) {
      state.SkipWithError(("le .prx2 n'a pas été restauré : " + motif).c_str());
      break;
    }
    state.ResumeTiming();
  }
}
BENCHMARK(BM_Index_OuvertureAvecPrx2)->Iterations(5)->Unit(benchmark::kMillisecond);

// The first phonetic search after the opening, as kyb cherche makes it: the table of codes is
// built by that search. Runs before the folder is held open by the searches below (a folder opens
// once at a time).
void BM_Index_PremiereRechercheCodePhonetique(benchmark::State& state) {
  NommeThreadPrincipal();
  for (auto _ : state) {
    state.PauseTiming();
    auto g = Ouvre(false);
    if (g->Erreur || !TFicIndexPerson::De(*g)) {
      state.SkipWithError("le dossier n'a pas pu être ouvert");
      break;
    }
    state.ResumeTiming();
    const auto t = TFicIndexPerson::De(*g)->ChercheNom(u"Martain", u"", 50);
    benchmark::DoNotOptimize(t.data());
    state.PauseTiming();
    g.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_Index_PremiereRechercheCodePhonetique)->Iterations(3)->Unit(benchmark::kMillisecond);

TGestFichier& Ouvert() {
  static std::unique_ptr<TGestFichier> g = [] {
    NommeThreadPrincipal();
    return Ouvre(false);
  }();
  return *g;
}

// Surnames of ranks 1, 10, 100 and 1000 in turn: the first 50 persons of each.
void BM_Index_ChercheNomExact(benchmark::State& state) {
  TFicIndexPerson& f = *TFicIndexPerson::De(Ouvert());
  const UnicodeString noms[] = {Nom(0), Nom(9), Nom(99), Nom(999)};
  size_t i = 0, trouves = 0;
  for (auto _ : state) {
    const auto t = f.ChercheNom(noms[i++ % 4], u"", 50);
    trouves += t.size();
    benchmark::DoNotOptimize(t.data());
  }
  state.counters["personnes_par_recherche"] = static_cast<double>(trouves) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_Index_ChercheNomExact)->Unit(benchmark::kMicrosecond);

// What kyb cherche does after the process has started: the search of an exact surname and the line
// of each of the first 50 persons found (name read from the store, years from the index).
void BM_Index_ChercheNomExactAvecLignes(benchmark::State& state) {
  TFicIndexPerson& f = *TFicIndexPerson::De(Ouvert());
  const UnicodeString noms[] = {Nom(0), Nom(9), Nom(99), Nom(999)};
  size_t i = 0, lignes = 0, avecAnnees = 0;
  for (auto _ : state) {
    for (const auto& t : f.ChercheNom(noms[i++ % 4], u"", 50)) {
      const UnicodeString ligne = f.LibelleTrouve(t);
      avecAnnees += ligne.find(u'(') != UnicodeString::npos;
      ++lignes;
      benchmark::DoNotOptimize(ligne.data());
    }
  }
  state.counters["lignes_par_recherche"] = static_cast<double>(lignes) / static_cast<double>(state.iterations());
  state.counters["part_avec_annees"] = static_cast<double>(avecAnnees) / static_cast<double>(std::max<size_t>(lignes, 1));
}
BENCHMARK(BM_Index_ChercheNomExactAvecLignes)->Unit(benchmark::kMicrosecond);

// Typed spellings that are no surname of the folder: found by phonetic code only.
void BM_Index_ChercheCodePhonetique(benchmark::State& state) {
  TFicIndexPerson& f = *TFicIndexPerson::De(Ouvert());
  const UnicodeString noms[] = {u"Martain", u"Bernart", u"Moro", u"Jirard"};
  (void)f.ChercheNom(noms[0], u"", 50);  // the table of codes is built at the first such search
  size_t i = 0, trouves = 0;
  for (auto _ : state) {
    const auto t = f.ChercheNom(noms[i++ % 4], u"", 50);
    trouves += t.size();
    benchmark::DoNotOptimize(t.data());
  }
  state.counters["personnes_par_recherche"] = static_cast<double>(trouves) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_Index_ChercheCodePhonetique)->Unit(benchmark::kMicrosecond);


// Bytes of the in-memory index per entry: the capacities of its store, order and person numbers, and the table of phonetic codes
// that the searches build (per entry of the index).
void BM_Index_MemoireParEntree(benchmark::State& state) {
  TGestEltIndex& index = *TFicIndexPerson::De(Ouvert())->Index();
  for (auto _ : state) benchmark::DoNotOptimize(index.GetNbElt());
  const double n = std::max(1, index.GetNbElt());
  state.counters["entrees"] = n;
  state.counters["octets_par_entree"] = static_cast<double>(index.OctetsMemoire()) / n;
  // The table of phonetic codes holds one pair per surname.
  (void)TFicIndexPerson::De(Ouvert())->ChercheNom(u"Martain", u"", 1);
  state.counters["noms_distincts"] = static_cast<double>(TFicIndexPerson::De(Ouvert())->NbNomsCodes());
  state.counters["octets_codes_par_entree"] = static_cast<double>(TFicIndexPerson::De(Ouvert())->NbNomsCodes() *
                                                                  sizeof(std::pair<uint64_t, int32_t>)) / n;
}
BENCHMARK(BM_Index_MemoireParEntree)->Iterations(1);

// Each call renames one person (two given names) and rewrites its rows and entries; the median
// of the single calls is reported.
void BM_Index_ModifClef(benchmark::State& state) {
  TGestFichier& g = Ouvert();
  TFicIndexPerson& f = *TFicIndexPerson::De(g);
  std::mt19937 alea(3);
  std::vector<double> durees;
  long k = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const long no = 1 + static_cast<long>(alea() % static_cast<unsigned>(g.GetFicPersons()->NbEnreg));
    TPerson p(g.GetFicPersons(), no);
    p.SetNom(Nom(static_cast<size_t>(k++ % 4000)));
    p.SetPrenoms(u"Paul Émile");
    state.ResumeTiming();
    const auto debut = std::chrono::steady_clock::now();
    f.ModifClef(p);
    durees.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - debut).count());
  }
  std::sort(durees.begin(), durees.end());
  state.counters["mediane_ms"] = durees[durees.size() / 2];
  state.counters["p99_ms"] = durees[durees.size() * 99 / 100];
}
BENCHMARK(BM_Index_ModifClef)->Iterations(200)->Unit(benchmark::kMillisecond);

// The in-memory part of a rename alone: an entry moved to the place of another surname, then back
// (so that the index still matches its rows); median and p99 of the single moves.
void BM_Index_RemplaceClasseMemoire(benchmark::State& state) {
  TGestEltIndex& index = *TFicIndexPerson::De(Ouvert())->Index();
  std::mt19937 alea(7);
  std::vector<double> durees;
  for (auto _ : state) {
    const TEltIndex ancien = index.Lit(static_cast<int>(alea() % static_cast<unsigned>(index.GetNbElt())));
    TEltIndex nouveau = ancien;
    nouveau.SetNom(TGestEltIndex::FormatIndex(Nom(alea() % 4000)));
    TEltIndex tmp;
    if (index.RechercheDicoth(nouveau, tmp, 0, false) >= 0) continue;  // that entry exists already
    const TEltIndex* const sens[2][2] = {{&ancien, &nouveau}, {&nouveau, &ancien}};
    for (const auto& [de, vers] : sens) {
      const auto debut = std::chrono::steady_clock::now();
      benchmark::DoNotOptimize(index.RemplaceClasse(*de, *vers));
      durees.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - debut).count());
    }
  }
  std::sort(durees.begin(), durees.end());
  state.counters["mediane_us"] = durees[durees.size() / 2];
  state.counters["p99_us"] = durees[durees.size() * 99 / 100];
}
BENCHMARK(BM_Index_RemplaceClasseMemoire)->Iterations(500)->Unit(benchmark::kMicrosecond);

// The in-memory part of a deleted person and of an added one: the person's entries removed
// (SupprimeClefPersNo), then inserted again at their places; median and p99 of each.
void BM_Index_SupprimeAjouteMemoire(benchmark::State& state) {
  TGestEltIndex& index = *TFicIndexPerson::De(Ouvert())->Index();
  std::mt19937 alea(9);
  std::vector<double> suppressions, ajouts;
  const auto duree = [](auto debut) {
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - debut).count();
  };
  for (auto _ : state) {
    const int32_t no = index.Lit(static_cast<int>(alea() % static_cast<unsigned>(index.GetNbElt()))).NoPers;
    std::vector<TEltIndex> entrees;
    for (const TEltIndex& e : index.Elements())
      if (e.NoPers == no) entrees.push_back(e);
    auto debut = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(index.SupprimeClefPersNo(no));
    suppressions.push_back(duree(debut));
    debut = std::chrono::steady_clock::now();
    TEltIndex tmp;
    bool ajoute = false;
    for (const TEltIndex& e : entrees) benchmark::DoNotOptimize(index.AjouteClasse(e, tmp, false, ajoute));
    ajouts.push_back(duree(debut));
  }
  for (auto* d : {&suppressions, &ajouts}) std::sort(d->begin(), d->end());
  state.counters["suppr_mediane_us"] = suppressions[suppressions.size() / 2];
  state.counters["suppr_p99_us"] = suppressions[suppressions.size() * 99 / 100];
  state.counters["ajout_mediane_us"] = ajouts[ajouts.size() / 2];
  state.counters["ajout_p99_us"] = ajouts[ajouts.size() * 99 / 100];
}
BENCHMARK(BM_Index_SupprimeAjouteMemoire)->Iterations(100)->Unit(benchmark::kMicrosecond);

// Each call removes the entries and rows of one person (SupprimeClef), then its save puts them
// back (as for an added person); median and p99 of each half.
void BM_Index_SupprimeClefPuisAjout(benchmark::State& state) {
  TGestFichier& g = Ouvert();
  TFicIndexPerson& f = *TFicIndexPerson::De(g);
  std::mt19937 alea(5);
  std::vector<double> suppressions, ajouts;
  const auto duree = [](auto debut) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - debut).count();
  };
  for (auto _ : state) {
    state.PauseTiming();
    const long no = 1 + static_cast<long>(alea() % static_cast<unsigned>(g.GetFicPersons()->NbEnreg));
    TPerson p(g.GetFicPersons(), no);
    state.ResumeTiming();
    auto debut = std::chrono::steady_clock::now();
    f.SupprimeClef(no, true);
    suppressions.push_back(duree(debut));
    debut = std::chrono::steady_clock::now();
    f.ModifClef(p);
    ajouts.push_back(duree(debut));
  }
  for (auto* d : {&suppressions, &ajouts}) std::sort(d->begin(), d->end());
  state.counters["suppr_mediane_ms"] = suppressions[suppressions.size() / 2];
  state.counters["suppr_p99_ms"] = suppressions[suppressions.size() * 99 / 100];
  state.counters["ajout_mediane_ms"] = ajouts[ajouts.size() / 2];
  state.counters["ajout_p99_ms"] = ajouts[ajouts.size() * 99 / 100];
}
BENCHMARK(BM_Index_SupprimeClefPuisAjout)->Iterations(200)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kyb
