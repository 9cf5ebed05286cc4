// Persons through TFicPersons and TPerson in a current-format folder: numbering and saving
// 1,000,000 new persons (KYB_BENCH_PERSONNES says otherwise) in import mode, then 1,000,000 reads
// at random numbers without and with the person cache, and among persons already cached, each
// beside raw SQLite doing the same rows.
// Run: kybase_bench --benchmark_filter=Personnes
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdlib>
#include <random>

#include "folder/gest_fic.h"
#include "folder/gest_fic_pers.h"
#include "index/gest_fic_index.h"
#include "persons/bufferisationarbchrono.h"
#include "persons/gest_pers.h"
#include "platform/fichiers.h"
#include "platform/thread_nom.h"
#include "store/datamodulebdd.h"
#include "index/ouverture_genealogie.h"

namespace kyb {
namespace {

long NbPersonnes() {
  const char* v = std::getenv("KYB_BENCH_PERSONNES");
  const long n = v ? std::atol(v) : 0;
  return n > 0 ? n : 1'000'000;
}
const long kPersonnes = NbPersonnes();
constexpr long kLectures = 1'000'000;
const AnsiString kRacine = "/tmp/kyb-bench-personnes/";
const AnsiString kChemin = kRacine + "Personnes.kya/Personnes.adb";

std::unique_ptr<TGestFichier> Dossier(bool creer) {
  return std::make_unique<TGestFichier>(kChemin, AvecIndex(TGestFichier::TOptionsOuverture{.Creer = creer}));
}

void Remplit(TPerson& p) {
  const long n = p.Numero();
  p.SetNom(u"Martin");
  p.SetPrenoms(u"Jean Baptiste");
  p.SetSexe(n % 2 ? 'M' : 'F');
  p.Public.Pere = static_cast<int32_t>(n / 2);
  p.Public.Mere = static_cast<int32_t>(n / 2 + 1);
  p.AjouteConj(n + 1);
  p.AjouteEnf(2 * n);
  p.AjouteEnf(2 * n + 1);
}

// ReturnNewNum (inside NouvelleFiche(-3)) and Enregistrement of every person, in import mode;
// with the person index's rows, or the persons-file path alone (the folder without its index).
void NumeroteEtEnregistre(benchmark::State& state, bool avecIndex) {
  NommeThreadPrincipal();
  for (auto _ : state) {
    state.PauseTiming();
    (void)SupprimeArborescence(kRacine + "Personnes.kya");
    auto g = Dossier(true);
    if (!avecIndex) g->FicIndexPerson.reset();
    TFicPersons& f = *g->FicPersons;
    state.ResumeTiming();
    (void)g->GetModuleBDD()->BeginImport(true);
    TPerson p(&f, 0);
    for (long i = 1; i < kPersonnes; ++i) {  // person 1 is made with the folder
      p.NouvelleFiche(kEnregCourant);
      Remplit(p);
      p.Enregistrement();
    }
    (void)g->GetModuleBDD()->EndImport(true);
    benchmark::DoNotOptimize(f.NbEnreg);
    g.reset();
    state.PauseTiming();
    if (!avecIndex) (void)SupprimeArborescence(kRacine + "Personnes.kya");  // not the folder of the reads
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kPersonnes);
}

void BM_Personnes_NumeroteEtEnregistre(benchmark::State& state) { NumeroteEtEnregistre(state, true); }
void BM_Personnes_NumeroteEtEnregistreSansIndex(benchmark::State& state) { NumeroteEtEnregistre(state, false); }
BENCHMARK(BM_Personnes_NumeroteEtEnregistre)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Personnes_NumeroteEtEnregistreSansIndex)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_Personnes_SQLiteInsertion(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    (void)SupprimeFichier("/tmp/kyb-bench-personnes/brut.db");
    (void)CreeRepertoires(kRacine);
    sqlite3* db = nullptr;
    sqlite3_open("/tmp/kyb-bench-personnes/brut.db", &db);
    sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL; CREATE TABLE Personnes (ID INTEGER "
                 "PRIMARY KEY AUTOINCREMENT, TypePersonne INTEGER, FicheSupprimee INTEGER, Sexe INTEGER, Pere "
                 "INTEGER, Mere INTEGER, Data BLOB, Nom TEXT, Prenoms TEXT, OrdrePU INTEGER, Note INTEGER, NbEnf "
                 "INTEGER, NbConj INTEGER);",
                 nullptr, nullptr, nullptr);
    state.ResumeTiming();
    // The same two statements per person: an empty row for the number, then the row itself.
    sqlite3_stmt* inserer = nullptr;
    sqlite3_stmt* ecrire = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO Personnes (TypePersonne, FicheSupprimee, Sexe) VALUES (80, 32, 63)", -1,
                       &inserer, nullptr);
    sqlite3_prepare_v2(db, "UPDATE Personnes SET TypePersonne=80, FicheSupprimee=32, Sexe=?, Pere=?, Mere=?, "
                       "Data=?, Nom='Martin', Prenoms='Jean Baptiste', OrdrePU=0, Note=0, NbEnf=2, NbConj=1 "
                       "WHERE ID=?", -1, &ecrire, nullptr);
    const std::string data(27, '\1');
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    for (long n = 1; n <= kPersonnes; ++n) {
      sqlite3_step(inserer);
      sqlite3_reset(inserer);
      const sqlite3_int64 id = sqlite3_last_insert_rowid(db);
      sqlite3_bind_int(ecrire, 1, n % 2 ? 'M' : 'F');
      sqlite3_bind_int64(ecrire, 2, id / 2);
      sqlite3_bind_int64(ecrire, 3, id / 2 + 1);
      sqlite3_bind_blob(ecrire, 4, data.data(), static_cast<int>(data.size()), SQLITE_STATIC);
      sqlite3_bind_int64(ecrire, 5, id);
      sqlite3_step(ecrire);
      sqlite3_reset(ecrire);
      if (n % 1000 == 0) sqlite3_exec(db, "COMMIT; BEGIN", nullptr, nullptr, nullptr);
    }
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_finalize(inserer);
    sqlite3_finalize(ecrire);
    sqlite3_close(db);
  }
  state.SetItemsProcessed(state.iterations() * kPersonnes);
}
BENCHMARK(BM_Personnes_SQLiteInsertion)->Iterations(1)->Unit(benchmark::kMillisecond);

// The folder of the first benchmark, made again when it is missing.
std::unique_ptr<TGestFichier> DossierPlein() {
  NommeThreadPrincipal();
  if (!FichierExiste(kChemin)) {
    auto g = Dossier(true);
    TFicPersons& f = *g->FicPersons;
    (void)g->GetModuleBDD()->BeginImport(true);
    TPerson p(&f, 0);
    for (long i = 1; i < kPersonnes; ++i) {
      p.NouvelleFiche(kEnregCourant);
      Remplit(p);
      p.Enregistrement();
    }
    (void)g->GetModuleBDD()->EndImport(true);
  }
  return Dossier(false);
}

void LectureAuHasard(benchmark::State& state, bool cache) {
  auto g = DossierPlein();
  TFicPersons& f = *g->FicPersons;
  std::mt19937 hasard(42);
  std::uniform_int_distribution<long> numero(1, f.NbEnreg);
  TPerson p(&f, 0);
  for (auto _ : state) {
    for (long i = 0; i < kLectures; ++i) {
      p.Lecture(numero(hasard), false, 0, cache);
      benchmark::DoNotOptimize(p.Public.Sexe);
    }
  }
  state.SetItemsProcessed(state.iterations() * kLectures);
  if (cache) state.counters["en_cache"] = static_cast<double>(TBufferisationArbChrono::De(f).Taille());
}

void BM_Personnes_LectureSansCache(benchmark::State& state) { LectureAuHasard(state, false); }
void BM_Personnes_LectureAvecCache(benchmark::State& state) { LectureAuHasard(state, true); }
BENCHMARK(BM_Personnes_LectureSansCache)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Personnes_LectureAvecCache)->Iterations(1)->Unit(benchmark::kMillisecond);

// Persons already in the cache: a full cache of the first persons, then random reads among them.
void BM_Personnes_LectureEnCache(benchmark::State& state) {
  auto g = DossierPlein();
  TFicPersons& f = *g->FicPersons;
  const long enCache = std::min<long>(TFicPersons::kCapaciteCache, f.NbEnreg);
  TPerson p(&f, 0);
  for (long no = 1; no <= enCache; ++no) p.Lecture(no, false, 0, true);
  std::mt19937 hasard(42);
  std::uniform_int_distribution<long> numero(1, enCache);
  for (auto _ : state) {
    for (long i = 0; i < kLectures; ++i) {
      p.Lecture(numero(hasard), false, 0, true);
      benchmark::DoNotOptimize(p.Public.Sexe);
    }
  }
  state.SetItemsProcessed(state.iterations() * kLectures);
}
BENCHMARK(BM_Personnes_LectureEnCache)->Iterations(1)->Unit(benchmark::kMillisecond);

// The same reads in raw SQLite: the Personnes row, then the IDParents look-up.
void BM_Personnes_SQLiteLecture(benchmark::State& state) {
  (void)DossierPlein();
  sqlite3* db = nullptr;
  sqlite3_open_v2(kChemin.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_stmt* personne = nullptr;
  sqlite3_stmt* parents = nullptr;
  sqlite3_prepare_v2(db, "SELECT * FROM Personnes WHERE ID = ?", -1, &personne, nullptr);
  sqlite3_prepare_v2(db, "SELECT * FROM IDParents WHERE NoPers = ?", -1, &parents, nullptr);
  std::mt19937 hasard(42);
  std::uniform_int_distribution<long> numero(1, kPersonnes);
  for (auto _ : state) {
    for (long i = 0; i < kLectures; ++i) {
      const long n = numero(hasard);
      sqlite3_bind_int64(personne, 1, n);
      if (sqlite3_step(personne) == SQLITE_ROW) {
        benchmark::DoNotOptimize(sqlite3_column_text(personne, 7));
        benchmark::DoNotOptimize(sqlite3_column_blob(personne, 6));
      }
      sqlite3_reset(personne);
      sqlite3_bind_int64(parents, 1, n);
      benchmark::DoNotOptimize(sqlite3_step(parents));
      sqlite3_reset(parents);
    }
  }
  sqlite3_finalize(personne);
  sqlite3_finalize(parents);
  sqlite3_close(db);
  state.SetItemsProcessed(state.iterations() * kLectures);
}
BENCHMARK(BM_Personnes_SQLiteLecture)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kyb
