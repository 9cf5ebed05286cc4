// Events and simple fields in the store: a store of N persons (1,000,000 unless
// KYB_BENCH_PERSONNES says otherwise) with 4 events and 2 simple fields each, written in import
// mode; loading all records of a random person on the main thread and on a worker thread while
// the main thread writes; a year-range query on _DATE. Each beside raw SQLite doing the same rows.
// Run: kybase_bench --benchmark_filter=Evenements
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <random>
#include <thread>

#include "bench_evenements.h"
#include "platform/fichiers.h"
#include "platform/thread_nom.h"
#include "store/datamodulebdd.h"

namespace kyb {
namespace {

const AnsiString kRacine = "/tmp/kyb-bench-evenements/";
const AnsiString kChemin = kRacine + "Evenements.kya/Evenements.adb";
const char* const kBrut = "/tmp/kyb-bench-evenements/brut.db";
constexpr int kPlaces = 5000;
constexpr int kLectures = 20000;

long NbPersonnes() {
  const char* v = std::getenv("KYB_BENCH_PERSONNES");
  const long n = v ? std::atol(v) : 0;
  return n > 0 ? n : 1'000'000;
}

class DossierBench : public TDossierBDD {
 public:
  bool IsReadOnly() const override { return false; }
  TInterfaceUtilisateur* GetProprietaire() const override { return nullptr; }
  int GetEtatControleImages() const override { return 1; }
  void SetEtatControleImages(int) override {}
};
DossierBench gDossier;

// Realistic card of person n: birth, baptism two days later, union with n+1, death; a nationality
// and an identifier. Dates spread over 1600-1950, places over 5000 communes.
void Fiche(TModuleBDD& bdd, TChpsPersonne& p, long n) {
  std::mt19937 alea(static_cast<unsigned>(n));
  const int annee = 1600 + static_cast<int>(alea() % 350), mois = 1 + static_cast<int>(alea() % 12),
            jour = 1 + static_cast<int>(alea() % 28);
  const auto even = [&](const char* libelle, int a, int m, int j, long conjoint, const char16_t* donnee) {
    TEvenement e(&bdd);
    e.NouvelleFiche();
    e.SetLibelle(libelle);
    e.Enreg.Date.SetJourMoisAnnee(j, m, a);
    e.Enreg.Lieu = 1 + static_cast<int32_t>(alea() % kPlaces);
    e.Enreg.NoPersB = static_cast<int32_t>(conjoint);
    e.SetDonnee(donnee);
    p.AddEvenInTV(e);
  };
  even("NAISSANCE", annee, mois, jour, 0, u"");
  even("BAPTEME", annee, mois, std::min(jour + 2, 28), 0, u"Église paroissiale");
  even("UNION", annee + 25, 1 + static_cast<int>(alea() % 12), 1 + static_cast<int>(alea() % 28), n + 1, u"");
  even("DECES", annee + 40 + static_cast<int>(alea() % 40), 1 + static_cast<int>(alea() % 12), 10, 0, u"");
  TChpsSimple s(&bdd);
  s.SetLibelle("NATIONALITE");
  s.SetDonnee(u"Française");
  p.AddChpsSimpleInTV(s);
  s.SetLibelle("ID_PERS");
  s.SetDonnee(AnsiVersUnicode(std::to_string(0x10000000 + n)));
  p.AddChpsSimpleInTV(s);
}

std::unique_ptr<TModuleBDD> Ouvre() {
  auto bdd = std::make_unique<TModuleBDD>(&gDossier, kChemin, "5.90");
  if (!bdd->CreateDataBase() || !bdd->OpenDataBase(false)) return nullptr;
  bdd->SetLibellesPartages({"RECENSEMENT", "RELATION_PRIV"});
  return bdd;
}

// Writes the whole store in import mode; persons/s.
void Construit(TModuleBDD& bdd, long n) {
  (void)bdd.BeginImport(true);
  for (long i = 1; i <= kPlaces; ++i) {
    TLieuBDD l;
    l.Chn1 = u"Commune " + AnsiVersUnicode(std::to_string(i));
    (void)bdd.WritePlace(i, l);
  }
  TEnregPublic pub;
  pub.FicheSupprimee = 'N';
  pub.Nom = u"Martin";
  pub.Prenoms = u"Jean";
  for (long i = 1; i <= n; ++i) {
    pub.Conjoints[0].Lien = static_cast<int32_t>(i + 1);
    (void)bdd.WritePerson(pub, i);
    TChpsPersonne p(i);
    p.Conjoints = {static_cast<int32_t>(i + 1)};
    Fiche(bdd, p, i);
    (void)bdd.EnregistrerChpsOfPerson(p);
  }
  (void)bdd.EndImport(true);
}

// The store exists with its N persons (built once, kept for the other benchmarks).
std::unique_ptr<TModuleBDD> MagasinPret() {
  NommeThreadPrincipal();
  if (!FichierExiste(kChemin)) {
    auto bdd = Ouvre();
    if (bdd) Construit(*bdd, NbPersonnes());
  }
  return Ouvre();
}

void BM_Evenements_EcritureImport(benchmark::State& state) {
  NommeThreadPrincipal();
  const long n = NbPersonnes();
  for (auto _ : state) {
    state.PauseTiming();
    (void)SupprimeArborescence(kRacine + "Evenements.kya");
    auto bdd = Ouvre();
    state.ResumeTiming();
    Construit(*bdd, n);
  }
  state.SetItemsProcessed(state.iterations() * n);
  state.counters["personnes_par_s"] = benchmark::Counter(static_cast<double>(n) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Evenements_EcritureImport)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

sqlite3* OuvreBrut(bool recree) {
  if (recree) (void)SupprimeFichier(kBrut);
  (void)CreeRepertoires(kRacine);
  sqlite3* db = nullptr;
  sqlite3_open(kBrut, &db);
  sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL; PRAGMA cache_size=-32768;", nullptr, nullptr, nullptr);
  return db;
}

// The same rows in plain SQLite: the person row, then 6 rows of Evenements with the same columns
// and indexes, a commit every 1000 rows without waiting for the disk, as the import does.
void ConstruitBrut(sqlite3* db, long n) {
  sqlite3_exec(db,
               "CREATE TABLE Personnes (ID INTEGER PRIMARY KEY AUTOINCREMENT, TypePersonne INTEGER, FicheSupprimee "
               "INTEGER, Sexe INTEGER, Pere INTEGER, Mere INTEGER, Data BLOB, Nom TEXT, Prenoms TEXT, OrdrePU INTEGER, "
               "Note INTEGER, NbEnf INTEGER, NbConj INTEGER);"
               "CREATE TABLE Evenements (ID INTEGER PRIMARY KEY AUTOINCREMENT, Type INTEGER, LibelleChamps TEXT, "
               "Donnee TEXT, NoPersA INTEGER, NoPersB INTEGER, Acte TEXT, TypeCalend TEXT, Date TEXT, Lieu INTEGER, "
               "LieuDit TEXT, Note INTEGER, NoIllustrationParDefaut INTEGER, LienExtEven INTEGER, _DONNEE TEXT, "
               "_DATE INTEGER, RANG_A INTEGER, RANG_B INTEGER, DateLastModif REAL);"
               "CREATE INDEX e1 ON Evenements(LibelleChamps, _DONNEE, NoPersA);"
               "CREATE INDEX e2 ON Evenements(NoPersA, LibelleChamps); CREATE INDEX e3 ON Evenements(NoPersA, RANG_A);"
               "CREATE INDEX e4 ON Evenements(NoPersB, RANG_B); CREATE INDEX e5 ON Evenements(Lieu);"
               "CREATE INDEX e6 ON Evenements(_DATE); CREATE INDEX e7 ON Evenements(DateLastModif);",
               nullptr, nullptr, nullptr);
  sqlite3_stmt *pers = nullptr, *even = nullptr;
  sqlite3_prepare_v2(db, "INSERT INTO Personnes VALUES(?,80,78,77,0,0,x'',?,?,0,0,0,1)", -1, &pers, nullptr);
  sqlite3_prepare_v2(db, "INSERT INTO Evenements(Type, LibelleChamps, Donnee, NoPersA, NoPersB, Acte, TypeCalend, "
                         "Date, Lieu, LieuDit, Note, NoIllustrationParDefaut, LienExtEven, _DONNEE, _DATE, RANG_A, "
                         "RANG_B, DateLastModif) VALUES(?,?,?,?,?,'','G',?,?,'',0,0,0,?,?,?,0,46000.5)",
                     -1, &even, nullptr);
  sqlite3_exec(db, "PRAGMA synchronous=NORMAL; PRAGMA cache_size=-262144; BEGIN", nullptr, nullptr, nullptr);
  long lignes = 0;
  const char* libelles[] = {"NAISSANCE", "BAPTEME", "UNION", "DECES", "NATIONALITE", "ID_PERS"};
  for (long i = 1; i <= n; ++i) {
    sqlite3_bind_int64(pers, 1, i);
    sqlite3_bind_text(pers, 2, "Martin", -1, SQLITE_STATIC);
    sqlite3_bind_text(pers, 3, "Jean", -1, SQLITE_STATIC);
    sqlite3_step(pers);
    sqlite3_reset(pers);
    if (++lignes % 1000 == 0) sqlite3_exec(db, "COMMIT; BEGIN", nullptr, nullptr, nullptr);
    for (int k = 0; k < 6; ++k) {
      const int annee = 1600 + static_cast<int>((i * 7 + k) % 350);
      char date[16];
      std::snprintf(date, sizeof date, "%02d/%02d/%04d", 1 + k, 1 + k, annee);
      sqlite3_bind_int(even, 1, k < 4 ? 0 : 1);
      sqlite3_bind_text(even, 2, libelles[k], -1, SQLITE_STATIC);
      sqlite3_bind_text(even, 3, k == 4 ? "Française" : "", -1, SQLITE_STATIC);
      sqlite3_bind_int64(even, 4, i);
      sqlite3_bind_int64(even, 5, k == 2 ? i + 1 : 0);
      sqlite3_bind_text(even, 6, k < 4 ? date : "", -1, SQLITE_TRANSIENT);
      sqlite3_bind_int(even, 7, static_cast<int>(i % kPlaces));
      sqlite3_bind_text(even, 8, k == 4 ? "Française" : "", -1, SQLITE_STATIC);
      sqlite3_bind_int(even, 9, k < 4 ? annee * 10000 + 101 : 0);
      sqlite3_bind_int(even, 10, k + 1);
      sqlite3_step(even);
      sqlite3_reset(even);
      if (++lignes % 1000 == 0) sqlite3_exec(db, "COMMIT; BEGIN", nullptr, nullptr, nullptr);
    }
  }
  sqlite3_exec(db, "COMMIT; PRAGMA synchronous=FULL; PRAGMA wal_checkpoint(FULL)", nullptr, nullptr, nullptr);
  sqlite3_finalize(pers);
  sqlite3_finalize(even);
}

void BM_Evenements_SQLiteEcriture(benchmark::State& state) {
  const long n = NbPersonnes();
  for (auto _ : state) {
    state.PauseTiming();
    sqlite3* db = OuvreBrut(true);
    state.ResumeTiming();
    ConstruitBrut(db, n);
    sqlite3_close(db);
  }
  state.SetItemsProcessed(state.iterations() * n);
  state.counters["personnes_par_s"] = benchmark::Counter(static_cast<double>(n) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Evenements_SQLiteEcriture)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// Median and 99th percentile of a set of durations, in microseconds, as counters.
void Percentiles(benchmark::State& state, std::vector<double>& us, const std::string& prefixe = "") {
  if (us.empty()) return;
  std::sort(us.begin(), us.end());
  state.counters[prefixe + "median_us"] = us[us.size() / 2];
  state.counters[prefixe + "p99_us"] = us[us.size() * 99 / 100];
}

template <class F>
std::vector<double> Chronometre(int n, F&& f) {
  std::vector<double> us;
  us.reserve(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) {
    const auto t0 = std::chrono::steady_clock::now();
    f(i);
    us.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count());
  }
  return us;
}

void BM_Evenements_ChargePersonne(benchmark::State& state) {
  auto bdd = MagasinPret();
  const long n = NbPersonnes();
  std::mt19937 alea(42);
  size_t lus = 0;
  std::vector<double> us;
  for (auto _ : state) {
    us = Chronometre(kLectures, [&](int) {
      TChpsPersonne p(1 + static_cast<long>(alea() % static_cast<unsigned>(n)));
      bdd->ChargerLienChpsOfPerson(p);
      lus += p.Evenements.size() + p.ChpsSimples.size();
    });
  }
  benchmark::DoNotOptimize(lus);
  Percentiles(state, us);
  state.SetItemsProcessed(state.iterations() * kLectures);
}
BENCHMARK(BM_Evenements_ChargePersonne)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same rows in plain SQLite: two prepared selects, every column read.
void BM_Evenements_SQLiteChargePersonne(benchmark::State& state) {
  const long n = NbPersonnes();
  sqlite3* db = OuvreBrut(false);
  sqlite3_stmt *a = nullptr, *b = nullptr;
  if (sqlite3_prepare_v2(db, "SELECT * FROM Evenements WHERE NoPersA = ?", -1, &a, nullptr) != SQLITE_OK) {
    sqlite3_close(db);
    state.SkipWithError("lancer d'abord BM_Evenements_SQLiteEcriture");
    return;
  }
  sqlite3_prepare_v2(db, "SELECT * FROM Evenements WHERE NoPersB = ?", -1, &b, nullptr);
  std::mt19937 alea(42);
  size_t octets = 0;
  std::vector<double> us;
  for (auto _ : state) {
    us = Chronometre(kLectures, [&](int) {
      const long no = 1 + static_cast<long>(alea() % static_cast<unsigned>(n));
      for (sqlite3_stmt* s : {a, b}) {
        sqlite3_bind_int64(s, 1, no);
        while (sqlite3_step(s) == SQLITE_ROW)
          for (int c = 0; c < sqlite3_column_count(s); ++c) octets += static_cast<size_t>(sqlite3_column_bytes(s, c));
        sqlite3_reset(s);
      }
    });
  }
  benchmark::DoNotOptimize(octets);
  Percentiles(state, us);
  sqlite3_finalize(a);
  sqlite3_finalize(b);
  sqlite3_close(db);
}
BENCHMARK(BM_Evenements_SQLiteChargePersonne)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// A worker loads random cards while the main thread rewrites other persons' cards.
void BM_Evenements_ChargeThreadPendantEcriture(benchmark::State& state) {
  auto bdd = MagasinPret();
  const long n = NbPersonnes();
  std::vector<double> us;
  long ecrits = 0;
  double secondes = 0;
  for (auto _ : state) {
    std::atomic<bool> fini{false};
    std::thread travail([&] {
      NommeThread("ChargementChamps");
      std::mt19937 alea(7);
      us = Chronometre(kLectures / 4, [&](int) {
        TChpsPersonne p(1 + static_cast<long>(alea() % static_cast<unsigned>(n)));
        bdd->ChargerLienChpsOfPerson(p);
      });
      fini = true;
    });
    std::mt19937 alea(11);
    const auto t0 = std::chrono::steady_clock::now();
    while (!fini) {
      TChpsPersonne p(1 + static_cast<long>(alea() % static_cast<unsigned>(n)));
      bdd->ChargerLienChpsOfPerson(p);
      if (!p.Evenements.empty()) p.Evenements[0].Even.SetDonnee(u"modifié");
      ecrits += bdd->EnregistrerChpsOfPerson(p);
    }
    secondes = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    travail.join();
  }
  Percentiles(state, us, "travail_");
  state.counters["ecritures_principal_par_s"] = secondes > 0 ? static_cast<double>(ecrits) / secondes : 0;
}
BENCHMARK(BM_Evenements_ChargeThreadPendantEcriture)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Evenements_RequeteAnnees(benchmark::State& state) {
  auto bdd = MagasinPret();
  TFilterEvent f;
  f.AnneeMin = 1850;
  f.AnneeMax = 1859;
  size_t trouves = 0;
  for (auto _ : state) {
    std::map<long, long> r;
    (void)bdd->SearchEven(r, f);
    trouves = r.size();
  }
  state.counters["evenements"] = static_cast<double>(trouves);
}
BENCHMARK(BM_Evenements_RequeteAnnees)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Evenements_SQLiteRequeteAnnees(benchmark::State& state) {
  sqlite3* db = OuvreBrut(false);
  sqlite3_stmt* s = nullptr;
  if (sqlite3_prepare_v2(db, "SELECT DISTINCT ID, NoPersA, NoPersB FROM Evenements WHERE NoPersA > 0 AND Type = 0 "
                             "AND _DATE >= 18500101 AND _DATE <= 18591231", -1, &s, nullptr) != SQLITE_OK) {
    sqlite3_close(db);
    state.SkipWithError("lancer d'abord BM_Evenements_SQLiteEcriture");
    return;
  }
  size_t trouves = 0;
  for (auto _ : state) {
    std::map<long, long> r;
    while (sqlite3_step(s) == SQLITE_ROW) r[sqlite3_column_int(s, 0)] = sqlite3_column_int(s, 1);
    sqlite3_reset(s);
    trouves = r.size();
  }
  state.counters["evenements"] = static_cast<double>(trouves);
  sqlite3_finalize(s);
  sqlite3_close(db);
}
BENCHMARK(BM_Evenements_SQLiteRequeteAnnees)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

namespace bench {
long NbPersonnesEvenements() { return NbPersonnes(); }
void ConstruitEvenements(TModuleBDD& bdd, long n) { Construit(bdd, n); }
}  // namespace bench

}  // namespace kyb
