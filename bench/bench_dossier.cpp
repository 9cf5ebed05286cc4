// Genealogy folders and persons in the store: creating a folder, opening and closing an empty
// one and one of 1,000,000 persons, WritePerson in import mode and ReadPerson by number, each
// beside raw SQLite doing the same rows.
// Run: scripts/bench --benchmark_filter=Dossier
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <random>

#include "folder/gest_fic.h"
#include "platform/fichiers.h"
#include "platform/thread_nom.h"
#include "store/datamodulebdd.h"
#include "index/ouverture_genealogie.h"

namespace kyb {
namespace {

constexpr long kPersonnes = 1'000'000;
const AnsiString kRacine = "/tmp/kyb-bench-dossiers/";

std::unique_ptr<TGestFichier> Dossier(const char* nom, bool creer) {
  return std::make_unique<TGestFichier>(kRacine + nom + ".kya/" + nom + ".adb", AvecIndex(TGestFichier::TOptionsOuverture{.Creer = creer}));
}

TEnregPublic PersonneType(long n) {
  TEnregPublic p;
  p.Nom = u"Martin";
  p.Prenoms = u"Jean Baptiste";
  p.Sexe = n % 2 ? 'M' : 'F';
  p.FicheSupprimee = 'N';
  p.Pere = static_cast<int32_t>(n / 2);
  p.Mere = static_cast<int32_t>(n / 2 + 1);
  p.Conjoints[0].Lien = static_cast<int32_t>(n + 1);
  p.Conjoints[1].Lien = static_cast<int32_t>(n + 2);
  for (int i = 0; i < 3; ++i) p.Enfants[static_cast<size_t>(i)] = static_cast<int32_t>(2 * n + i);
  return p;
}

void EcritPersonnes(TModuleBDD& m) {
  (void)m.BeginImport(true);
  for (long n = 1; n <= kPersonnes; ++n) (void)m.WritePerson(PersonneType(n), n);
  (void)m.EndImport(true);
}

// A connection of the bench's own on the store of a folder, set as the engine sets its own.
sqlite3* OuvreBrut(const char* nom) {
  sqlite3* c = nullptr;
  sqlite3_open_v2(CheminSysteme(kRacine + nom + ".kya/" + nom + ".adb").c_str(), &c, SQLITE_OPEN_READWRITE, nullptr);
  sqlite3_exec(c, "PRAGMA synchronous=FULL; PRAGMA cache_size=-32768; PRAGMA journal_mode=WAL", nullptr, nullptr,
               nullptr);
  return c;
}

// A folder of 1,000,000 persons, made once.
const char* DossierPlein() {
  static const bool fait = [] {
    (void)SupprimeArborescence(kRacine + "Plein.kya");
    NommeThreadPrincipal();
    auto g = Dossier("Plein", true);
    EcritPersonnes(*g->GetModuleBDD());
    return true;
  }();
  (void)fait;
  return "Plein";
}

void BM_Dossier_Creation(benchmark::State& state) {
  NommeThreadPrincipal();
  int i = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const std::string nom = "Neuf" + std::to_string(i++);
    (void)SupprimeArborescence(kRacine + nom + ".kya");
    state.ResumeTiming();
    auto g = Dossier(nom.c_str(), true);
    benchmark::DoNotOptimize(g->Erreur);
  }
}

void BM_Dossier_OuvertureFermeture_Vide(benchmark::State& state) {
  NommeThreadPrincipal();
  (void)SupprimeArborescence(kRacine + "Vide.kya");
  { auto g = Dossier("Vide", true); }
  for (auto _ : state) {
    auto g = Dossier("Vide", false);
    benchmark::DoNotOptimize(g->Erreur);
  }
}

void BM_Dossier_OuvertureFermeture_MillionDePersonnes(benchmark::State& state) {
  const char* nom = DossierPlein();
  for (auto _ : state) {
    auto g = Dossier(nom, false);
    benchmark::DoNotOptimize(g->NombrePersonnes());
  }
}

void BM_Dossier_WritePerson_Import(benchmark::State& state) {
  NommeThreadPrincipal();
  for (auto _ : state) {
    state.PauseTiming();
    (void)SupprimeArborescence(kRacine + "Import.kya");
    auto g = Dossier("Import", true);
    state.ResumeTiming();
    EcritPersonnes(*g->GetModuleBDD());
  }
  state.SetItemsProcessed(state.iterations() * kPersonnes);
}

void BM_Dossier_WritePerson_SQLiteDirect(benchmark::State& state) {
  NommeThreadPrincipal();
  for (auto _ : state) {
    state.PauseTiming();
    (void)SupprimeArborescence(kRacine + "Direct.kya");
    Dossier("Direct", true).reset();
    sqlite3* c = OuvreBrut("Direct");
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(c,
                       "INSERT INTO Personnes(ID, TypePersonne, FicheSupprimee, Sexe, Pere, Mere, Data, Nom, "
                       "Prenoms, OrdrePU, Note, NbEnf, NbConj) VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?)",
                       -1, &s, nullptr);
    state.ResumeTiming();
    sqlite3_exec(c, "BEGIN", nullptr, nullptr, nullptr);
    unsigned char data[45];
    for (long n = 1; n <= kPersonnes; ++n) {
      const TEnregPublic p = PersonneType(n);
      for (int i = 0; i < 2; ++i) p.Conjoints[static_cast<size_t>(i)].Ecrit(data + 9 * i);
      for (int i = 0; i < 3; ++i) {
        TLienConj e;
        e.Lien = p.Enfants[static_cast<size_t>(i)];
        e.Compagnon = -1;
        e.Ecrit(data + 18 + 9 * i);
      }
      sqlite3_reset(s);
      sqlite3_bind_int64(s, 1, n);
      sqlite3_bind_int(s, 2, 'P');
      sqlite3_bind_int(s, 3, 'N');
      sqlite3_bind_int(s, 4, p.Sexe);
      sqlite3_bind_int(s, 5, p.Pere.No);
      sqlite3_bind_int(s, 6, p.Mere.No);
      sqlite3_bind_blob(s, 7, data, sizeof data, SQLITE_STATIC);
      sqlite3_bind_text(s, 8, "Martin", -1, SQLITE_STATIC);
      sqlite3_bind_text(s, 9, "Jean Baptiste", -1, SQLITE_STATIC);
      sqlite3_bind_int(s, 10, 0);
      sqlite3_bind_int(s, 11, 0);
      sqlite3_bind_int(s, 12, 3);
      sqlite3_bind_int(s, 13, 2);
      sqlite3_step(s);
      if (n % 1000 == 0) sqlite3_exec(c, "COMMIT; BEGIN", nullptr, nullptr, nullptr);
    }
    sqlite3_exec(c, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_finalize(s);
    sqlite3_close_v2(c);
  }
  state.SetItemsProcessed(state.iterations() * kPersonnes);
}

void BM_Dossier_ReadPerson(benchmark::State& state) {
  NommeThreadPrincipal();
  auto g = Dossier(DossierPlein(), false);
  TModuleBDD& m = *g->GetModuleBDD();
  std::mt19937 alea(3);
  TEnregPublic p;
  long lus = 0;
  for (auto _ : state) {
    for (int i = 0; i < 200000; ++i) lus += m.ReadPerson(p, static_cast<long>(alea() % kPersonnes) + 1);
  }
  benchmark::DoNotOptimize(lus);
  state.SetItemsProcessed(state.iterations() * 200000);
}

void BM_Dossier_ReadPerson_SQLiteDirect(benchmark::State& state) {
  NommeThreadPrincipal();
  sqlite3* c = OuvreBrut(DossierPlein());
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v2(c, "SELECT rowid, * FROM Personnes WHERE ID = ? LIMIT 1", -1, &s, nullptr);
  std::mt19937 alea(3);
  TEnregPublic p;
  long lus = 0;
  for (auto _ : state) {
    for (int i = 0; i < 200000; ++i) {
      sqlite3_reset(s);
      sqlite3_bind_int64(s, 1, static_cast<long>(alea() % kPersonnes) + 1);
      if (sqlite3_step(s) != SQLITE_ROW) continue;
      // Decode the row as ReadPerson does.
      const auto* data = static_cast<const unsigned char*>(sqlite3_column_blob(s, 7));
      const int nbConj = sqlite3_column_int(s, 13), nbEnf = sqlite3_column_int(s, 12);
      for (int k = 0; k < nbConj; ++k) p.Conjoints[static_cast<size_t>(k)].Lit(data + 9 * k);
      for (int k = 0; k < nbEnf; ++k) {
        TLienConj e;
        e.Lit(data + 9 * (nbConj + k));
        p.Enfants[static_cast<size_t>(k)] = e.Lien;
      }
      p.Nom = Utf8VersUnicode(reinterpret_cast<const char*>(sqlite3_column_text(s, 8)));
      p.Prenoms = Utf8VersUnicode(reinterpret_cast<const char*>(sqlite3_column_text(s, 9)));
      p.Pere = sqlite3_column_int(s, 5);
      ++lus;
    }
  }
  sqlite3_finalize(s);
  sqlite3_close_v2(c);
  benchmark::DoNotOptimize(lus);
  state.SetItemsProcessed(state.iterations() * 200000);
}

BENCHMARK(BM_Dossier_Creation)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Dossier_OuvertureFermeture_Vide)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_Dossier_OuvertureFermeture_MillionDePersonnes)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Dossier_WritePerson_Import)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Dossier_WritePerson_SQLiteDirect)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Dossier_ReadPerson)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Dossier_ReadPerson_SQLiteDirect)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace kyb
