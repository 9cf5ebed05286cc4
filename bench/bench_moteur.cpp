// The engine layer against raw SQLite on an events-shaped table: 1,000,000 inserts in one
// transaction, 1,000,000 primary-key look-ups, a walk of 1,000,000 rows on a secondary index, the
// same walk by a query reading each column straight, and short-lived queries of one text.
// Run: scripts/bench --benchmark_filter=Moteur
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <random>
#include <string>

#include "engine/acr_database.h"
#include "engine/acr_query.h"
#include "engine/acr_table.h"
#include "platform/fichiers.h"

namespace kyb {
namespace {

constexpr int kLignes = 1'000'000;

TACRFieldDefs Champs() {
  return {{"ID", TTypeChamp::AutoInc, 0, false},       {"Type", TTypeChamp::Int8, 0, false},
          {"LibelleChamps", TTypeChamp::String, 21, false}, {"Donnee", TTypeChamp::WideString, 301, false},
          {"NoPersA", TTypeChamp::Int32, 0, false},    {"NoPersB", TTypeChamp::Int32, 0, false},
          {"Acte", TTypeChamp::FixedChar, 3, false},   {"TypeCalend", TTypeChamp::FixedChar, 1, false},
          {"Date", TTypeChamp::FixedChar, 10, false},  {"Lieu", TTypeChamp::Int32, 0, false},
          {"LieuDit", TTypeChamp::WideString, 51, false}, {"Note", TTypeChamp::Int32, 0, false},
          {"NoIllustrationParDefaut", TTypeChamp::Int32, 0, false},
          {"LienExtEven", TTypeChamp::Int32, 0, false}, {"_DONNEE", TTypeChamp::WideString, 20, false},
          {"_DATE", TTypeChamp::Int32, 0, false},      {"RANG_A", TTypeChamp::Int32, 0, false},
          {"RANG_B", TTypeChamp::Int32, 0, false},     {"DateLastModif", TTypeChamp::DateTime, 0, false}};
}

TACRIndexDefs Index() {
  return {{"ParID", {"ID"}, kIndexPrimaire},
          {"ParNoPersA", {"NoPersA", "RANG_A"}, 0},
          {"ParLibEtDonnee", {"LibelleChamps", "_DONNEE", "NoPersA"}, 0}};
}

std::string Chemin(const char* nom) { return std::string("/tmp/kyb-bench-") + nom + ".adb"; }

void Efface(const std::string& chemin) {
  for (const char* suffixe : {"", "-wal", "-shm"}) SupprimeFichier(chemin + suffixe);
}

// Fresh database with the empty table.
void Prepare(TACRDatabase& base, const std::string& chemin) {
  Efface(chemin);
  base.SetFileName(chemin);
  if (!base.CreateDatabase()) throw std::runtime_error(base.DerniereErreur());
  TACRTable t(base, "Evenements");
  if (!t.CreateTable(Champs(), Index())) throw std::runtime_error(base.DerniereErreur());
}

// A raw SQLite connection of the bench's own on a database file, for the comparisons.
class TBrut {
 public:
  explicit TBrut(const std::string& chemin) {
    sqlite3_open_v2(chemin.c_str(), &c_, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_exec(c_, "PRAGMA synchronous=FULL; PRAGMA cache_size=-32768; PRAGMA journal_mode=WAL", nullptr,
                 nullptr, nullptr);
  }
  ~TBrut() { sqlite3_close_v2(c_); }
  TBrut(const TBrut&) = delete;
  TBrut& operator=(const TBrut&) = delete;
  [[nodiscard]] sqlite3* Connexion() const { return c_; }

 private:
  sqlite3* c_ = nullptr;
};

const char* kLibelles[] = {"NAISSANCE", "BAPTEME", "MARIAGE", "DECES", "PROFESSION", "RESIDENCE"};

void InsereParLaCouche(TACRDatabase& base) {
  TACRTable t(base, "Evenements");
  (void)t.Open();
  TACRField& type = t.FieldByName("Type");
  TACRField& libelle = t.FieldByName("LibelleChamps");
  TACRField& donnee = t.FieldByName("Donnee");
  TACRField& pers = t.FieldByName("NoPersA");
  TACRField& date = t.FieldByName("Date");
  TACRField& rang = t.FieldByName("RANG_A");
  TACRField& modif = t.FieldByName("DateLastModif");
  const UnicodeString texte = u"Cultivateur à Saint-Martin";
  (void)base.StartTransaction();
  for (int i = 0; i < kLignes; ++i) {
    t.Insert();
    type.SetInteger(1);
    libelle.SetAnsiString(kLibelles[i % 6]);
    donnee.SetUnicodeString(texte);
    pers.SetInteger(i / 4 + 1);
    date.SetAnsiString("12.03.1854");
    rang.SetInteger(i % 4);
    modif.SetDateTime(45000.25);
    (void)t.Post();
  }
  (void)base.Commit();
}

void InsereEnDirect(sqlite3* c) {
  std::string colonnes, marques;
  for (const auto& d : Champs()) {
    if (d.type == TTypeChamp::AutoInc) continue;
    colonnes += (colonnes.empty() ? "\"" : ", \"") + d.nom + "\"";
    marques += marques.empty() ? "?" : ", ?";
  }
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v2(c, ("INSERT INTO Evenements(" + colonnes + ") VALUES(" + marques + ")").c_str(), -1, &s, nullptr);
  const std::string texte = "Cultivateur à Saint-Martin";
  sqlite3_exec(c, "BEGIN", nullptr, nullptr, nullptr);
  for (int i = 0; i < kLignes; ++i) {
    sqlite3_reset(s);
    int p = 1;
    sqlite3_bind_int(s, p++, 1);
    sqlite3_bind_text(s, p++, kLibelles[i % 6], -1, SQLITE_STATIC);
    sqlite3_bind_text(s, p++, texte.c_str(), static_cast<int>(texte.size()), SQLITE_STATIC);
    sqlite3_bind_int(s, p++, i / 4 + 1);
    sqlite3_bind_int(s, p++, 0);
    sqlite3_bind_text(s, p++, "", 0, SQLITE_STATIC);
    sqlite3_bind_text(s, p++, "", 0, SQLITE_STATIC);
    sqlite3_bind_text(s, p++, "12.03.1854", -1, SQLITE_STATIC);  // Date
    sqlite3_bind_int(s, p++, 0);                                  // Lieu
    sqlite3_bind_text(s, p++, "", 0, SQLITE_STATIC);              // LieuDit
    for (int k = 0; k < 3; ++k) sqlite3_bind_int(s, p++, 0);      // Note, illustration, extension
    sqlite3_bind_text(s, p++, "", 0, SQLITE_STATIC);              // _DONNEE
    sqlite3_bind_int(s, p++, 0);                                  // _DATE
    sqlite3_bind_int(s, p++, i % 4);                              // RANG_A
    sqlite3_bind_int(s, p++, 0);                                  // RANG_B
    sqlite3_bind_double(s, p++, 45000.25);                        // DateLastModif
    sqlite3_step(s);
  }
  sqlite3_exec(c, "COMMIT", nullptr, nullptr, nullptr);
  sqlite3_finalize(s);
}

// A shared database of kLignes rows for the look-up and walk benchmarks.
const std::string& BaseRemplie() {
  static const std::string chemin = [] {
    {
      TACRDatabase base;
      Prepare(base, Chemin("lecture"));
    }
    InsereEnDirect(TBrut(Chemin("lecture")).Connexion());
    return Chemin("lecture");
  }();
  return chemin;
}

void BM_Moteur_Insertion_Couche(benchmark::State& state) {
  for (auto _ : state) {
    TACRDatabase base;
    Prepare(base, Chemin("couche"));
    InsereParLaCouche(base);
  }
  state.SetItemsProcessed(state.iterations() * kLignes);
}

void BM_Moteur_Insertion_SQLiteDirect(benchmark::State& state) {
  for (auto _ : state) {
    {
      TACRDatabase base;
      Prepare(base, Chemin("direct"));
    }
    InsereEnDirect(TBrut(Chemin("direct")).Connexion());
  }
  state.SetItemsProcessed(state.iterations() * kLignes);
}

void BM_Moteur_RechercheCle_Couche(benchmark::State& state) {
  TACRDatabase base(BaseRemplie());
  (void)base.Open();
  TACRTable t(base, "Evenements");
  (void)t.Open();
  (void)t.SetIndexName("ParID");
  std::mt19937 alea(1);
  int64_t somme = 0;
  for (auto _ : state) {
    for (int i = 0; i < kLignes; ++i) {
      if (t.FindKey({Cle(static_cast<int64_t>(alea() % kLignes) + 1)}))
        somme += t.FieldByName("NoPersA").AsInteger();
    }
  }
  benchmark::DoNotOptimize(somme);
  state.SetItemsProcessed(state.iterations() * kLignes);
}

void BM_Moteur_RechercheCle_SQLiteDirect(benchmark::State& state) {
  const TBrut base(BaseRemplie());
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v2(base.Connexion(), "SELECT rowid, * FROM Evenements WHERE ID = ? LIMIT 1", -1, &s, nullptr);
  std::mt19937 alea(1);
  int64_t somme = 0;
  for (auto _ : state) {
    for (int i = 0; i < kLignes; ++i) {
      sqlite3_reset(s);
      sqlite3_bind_int64(s, 1, static_cast<int64_t>(alea() % kLignes) + 1);
      if (sqlite3_step(s) == SQLITE_ROW) {
        // Read every column as the layer does.
        for (int k = 0; k < sqlite3_column_count(s); ++k) benchmark::DoNotOptimize(sqlite3_column_text(s, k));
        somme += sqlite3_column_int(s, 5);
      }
    }
  }
  sqlite3_finalize(s);
  benchmark::DoNotOptimize(somme);
  state.SetItemsProcessed(state.iterations() * kLignes);
}

void BM_Moteur_Parcours_Couche(benchmark::State& state) {
  TACRDatabase base(BaseRemplie());
  (void)base.Open();
  TACRTable t(base, "Evenements");
  (void)t.Open();
  (void)t.SetIndexName("ParNoPersA");
  int64_t n = 0;
  for (auto _ : state) {
    for (t.First(); !t.Eof(); t.Next()) n += t.FieldByName("RANG_A").AsInteger();
  }
  benchmark::DoNotOptimize(n);
  state.SetItemsProcessed(state.iterations() * kLignes);
}

void BM_Moteur_Parcours_SQLiteDirect(benchmark::State& state) {
  const TBrut base(BaseRemplie());
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v2(base.Connexion(), "SELECT rowid, * FROM Evenements ORDER BY NoPersA, RANG_A, rowid", -1, &s, nullptr);
  int64_t n = 0;
  for (auto _ : state) {
    sqlite3_reset(s);
    while (sqlite3_step(s) == SQLITE_ROW) {
      for (int k = 0; k < sqlite3_column_count(s); ++k) benchmark::DoNotOptimize(sqlite3_column_text(s, k));
      n += sqlite3_column_int(s, 17);
    }
  }
  sqlite3_finalize(s);
  benchmark::DoNotOptimize(n);
  state.SetItemsProcessed(state.iterations() * kLignes);
}

// Every column of every row, as a whole-genealogy writer reads them.
void BM_Moteur_ParcoursRequete_Couche(benchmark::State& state) {
  TACRDatabase base(BaseRemplie());
  (void)base.Open();
  int64_t n = 0;
  for (auto _ : state) {
    TACRQuery q(base, "SELECT * FROM Evenements ORDER BY NoPersA, RANG_A, ID");
    if (!q.Open()) continue;
    for (; !q.Eof(); q.Next()) {
      for (int k = 0; k < q.FieldCount(); ++k) benchmark::DoNotOptimize(q.Colonne(k).Octets());
      n += q.Colonne(16).AsInteger();
    }
  }
  benchmark::DoNotOptimize(n);
  state.SetItemsProcessed(state.iterations() * kLignes);
}

// A look-up by a query made for it, as commands do: the statement is prepared once per connection.
void BM_Moteur_RequetesCourtes_Couche(benchmark::State& state) {
  TACRDatabase base(BaseRemplie());
  (void)base.Open();
  std::mt19937 alea(1);
  int64_t somme = 0;
  constexpr int kRequetes = 100'000;
  for (auto _ : state) {
    for (int i = 0; i < kRequetes; ++i) {
      TACRQuery q(base, "SELECT NoPersA, Donnee FROM Evenements WHERE ID = :id");
      q.SetParamInteger("id", static_cast<int64_t>(alea() % kLignes) + 1);
      if (q.Open() && !q.Eof()) somme += q.Colonne(0).AsInteger();
    }
  }
  benchmark::DoNotOptimize(somme);
  state.SetItemsProcessed(state.iterations() * kRequetes);
}

BENCHMARK(BM_Moteur_Insertion_Couche)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Moteur_Insertion_SQLiteDirect)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Moteur_RechercheCle_Couche)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Moteur_RechercheCle_SQLiteDirect)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Moteur_Parcours_Couche)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_Moteur_Parcours_SQLiteDirect)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_Moteur_ParcoursRequete_Couche)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_Moteur_RequetesCourtes_Couche)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace kyb
