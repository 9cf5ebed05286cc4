// Floor of kyb importe: the rows an import wrote, loaded into an empty store through SQLite's C
// API alone, as fast as SQLite can take them. Same tables and indexes (the source store's own
// DDL), the pragmas of an import (write-ahead log, no sync per batch, 256 MiB page cache), every
// row bound through one prepared statement per table in one transaction, then the secondary
// indexes built after the load and the log checkpointed.
//
//   plancher_import SOURCE.adb DESTINATION.db
//
// SOURCE is the store of an import (G.kya/G.adb), read only. The rows are streamed from it, so
// the walk of SOURCE is timed alone first: the load's own cost is the second figure minus the
// first. Prints CPU seconds (user + system) and the peak memory of the process.
#include <sqlite3.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

struct TBase {
  sqlite3* db = nullptr;
  TBase(const char* chemin, int drapeaux) {
    if (sqlite3_open_v2(chemin, &db, drapeaux, nullptr) != SQLITE_OK) Echoue(chemin);
  }
  ~TBase() { sqlite3_close_v2(db); }
  TBase(const TBase&) = delete;
  TBase& operator=(const TBase&) = delete;
  void Echoue(const std::string& quoi) const {
    std::fprintf(stderr, "plancher_import : %s : %s\n", quoi.c_str(), db ? sqlite3_errmsg(db) : "?");
    std::exit(1);
  }
  void Execute(const std::string& sql) const {
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) Echoue(sql);
  }
};

struct TInstr {
  sqlite3_stmt* s = nullptr;
  TInstr(const TBase& b, const std::string& sql) {
    if (sqlite3_prepare_v3(b.db, sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &s, nullptr) != SQLITE_OK) b.Echoue(sql);
  }
  ~TInstr() { sqlite3_finalize(s); }
  TInstr(const TInstr&) = delete;
  TInstr& operator=(const TInstr&) = delete;
};

double CpuSecondes() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
         static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

long PicMio() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss / 1024;
}

// (name, CREATE statement) of the source's tables, or of its explicit indexes.
std::vector<std::pair<std::string, std::string>> Schema(const TBase& b, const char* type) {
  TInstr q(b, std::string("SELECT name, sql FROM sqlite_master WHERE type='") + type +
                  "' AND sql IS NOT NULL AND name NOT LIKE 'sqlite_%' ORDER BY rowid");
  std::vector<std::pair<std::string, std::string>> l;
  while (sqlite3_step(q.s) == SQLITE_ROW)
    l.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(q.s, 0)),
                   reinterpret_cast<const char*>(sqlite3_column_text(q.s, 1)));
  return l;
}

// Walks every row of every table of the source; with a destination, inserts each one there.
long Parcourt(const TBase& source, const std::vector<std::pair<std::string, std::string>>& tables,
              const TBase* dest) {
  long lignes = 0;
  for (const auto& [nom, ddl] : tables) {
    TInstr lecture(source, "SELECT * FROM \"" + nom + "\"");
    const int n = sqlite3_column_count(lecture.s);
    std::string sql = "INSERT INTO \"" + nom + "\" VALUES (";
    for (int i = 0; i < n; ++i) sql += i ? ",?" : "?";
    std::unique_ptr<TInstr> ecriture = dest ? std::make_unique<TInstr>(*dest, sql + ")") : nullptr;
    while (sqlite3_step(lecture.s) == SQLITE_ROW) {
      ++lignes;
      if (!ecriture) {
        for (int i = 0; i < n; ++i) (void)sqlite3_column_value(lecture.s, i);
        continue;
      }
      for (int i = 0; i < n; ++i) sqlite3_bind_value(ecriture->s, i + 1, sqlite3_column_value(lecture.s, i));
      if (sqlite3_step(ecriture->s) != SQLITE_DONE) dest->Echoue("INSERT INTO " + nom);
      sqlite3_reset(ecriture->s);
    }
  }
  return lignes;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage : plancher_import SOURCE.adb DESTINATION.db\n");
    return 2;
  }
  std::remove(argv[2]);
  const TBase source(argv[1], SQLITE_OPEN_READONLY);
  const auto tables = Schema(source, "table");
  const auto index = Schema(source, "index");

  const double t0 = CpuSecondes();
  const long lues = Parcourt(source, tables, nullptr);
  const double lecture = CpuSecondes() - t0;

  const double t1 = CpuSecondes();
  {
    const TBase dest(argv[2], SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    dest.Execute("PRAGMA page_size=4096; PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL; PRAGMA cache_size=-262144");
    dest.Execute("BEGIN");
    for (const auto& t : tables) dest.Execute(t.second);
    (void)Parcourt(source, tables, &dest);
    dest.Execute("COMMIT");
    for (const auto& i : index) dest.Execute(i.second);
    dest.Execute("PRAGMA synchronous=FULL; PRAGMA wal_checkpoint(FULL)");
  }
  const double chargement = CpuSecondes() - t1;
  std::printf("%ld lignes, %zu tables, %zu index\n", lues, tables.size(), index.size());
  std::printf("lecture de la source seule  %8.2f s CPU\n", lecture);
  std::printf("lecture + chargement        %8.2f s CPU\n", chargement);
  std::printf("plancher (chargement seul)  %8.2f s CPU, pic %ld Mio\n", chargement - lecture, PicMio());
  return 0;
}
