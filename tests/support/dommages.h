#pragma once
// Damage and faults for the safety tests: pages of a database file overwritten, the N-th system
// call or row write made to fail, and the SQL a test needs to look at a file without the library.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>

#include "engine/acr_database.h"
#include "platform/fichiers.h"

namespace kyb::test {

inline constexpr int kTaillePage = 4096;

// Root page of a table or index, read with SQLite alone (0 when unknown).
inline int PageRacine(const std::string& chemin, const std::string& nom) {
  sqlite3* c = nullptr;
  int page = 0;
  if (sqlite3_open_v2(chemin.c_str(), &c, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(c, "SELECT rootpage FROM sqlite_master WHERE name=?", -1, &s, nullptr) == SQLITE_OK) {
      sqlite3_bind_text(s, 1, nom.c_str(), -1, SQLITE_TRANSIENT);
      if (sqlite3_step(s) == SQLITE_ROW) page = sqlite3_column_int(s, 0);
    }
    sqlite3_finalize(s);
  }
  sqlite3_close(c);
  return page;
}

// First page (1-based) of the file whose bytes contain texte; 0 when none.
inline int PageContenant(const std::string& chemin, const std::string& texte) {
  std::ifstream f(chemin, std::ios::binary);
  const std::string octets((std::istreambuf_iterator<char>(f)), {});
  const size_t p = octets.find(texte);
  return p == std::string::npos ? 0 : static_cast<int>(p / kTaillePage) + 1;
}

// Overwrites page n (1-based) with a byte pattern.
inline bool AbimePage(const std::string& chemin, int page) {
  if (page <= 1) return false;
  TFichier f = TFichier::Ouvre(chemin, TAcces::LectureEcriture, TCreation::Existant);
  const std::string dechets(kTaillePage, '\x5A');
  return f.Valide() && f.EcritA(int64_t{page - 1} * kTaillePage, dechets.data(), dechets.size()) == kTaillePage;
}

// Makes the n-th row write (insert, update or delete) on the given tables fail, on this
// connection only (temporary triggers): an operation refused halfway, the file untouched.
inline void PanneAuNiemeEcrit(TACRDatabase& base, int n, std::initializer_list<const char*> tables) {
  ASSERT_TRUE(base.ExecuteSql("CREATE TEMP TABLE IF NOT EXISTS panne(restant INTEGER)"));
  ASSERT_TRUE(base.ExecuteSql("DELETE FROM panne"));
  ASSERT_TRUE(base.ExecuteSql("INSERT INTO panne VALUES(" + std::to_string(n) + ")"));
  for (const char* table : tables)
    for (const char* op : {"INSERT", "UPDATE", "DELETE"}) {
      const std::string nom = std::string("panne_") + table + "_" + op;
      ASSERT_TRUE(base.ExecuteSql("CREATE TEMP TRIGGER IF NOT EXISTS " + nom + " BEFORE " + op + " ON main." + table +
                                  " BEGIN UPDATE panne SET restant = restant - 1; "
                                  "SELECT RAISE(ABORT, 'panne provoquée') WHERE (SELECT restant FROM panne) = 0; END"));
    }
}

// Makes the N-th call (counted over writes, syncs and renames) fail with an errno, or every
// write from the N-th on (a full disk), or kill the process at the N-th call (a crash). Restores
// the real calls on destruction.
class PanneAuNiemeAppel {
 public:
  enum class Mode { UnSeul, EcrituresSuivantes, Tue };
  PanneAuNiemeAppel(long n, int erreur, Mode mode = Mode::UnSeul) {
    etat() = {n, 0, erreur, mode, false};
    TAppelsSysteme& a = AppelsSysteme();
    a.pwrite = [](int fd, const void* b, size_t t, off_t o) -> ssize_t {
      if (Echoue(true)) return -1;
      return ::pwrite(fd, b, t, o);
    };
    a.fdatasync = [](int fd) -> int { return Echoue(false) ? -1 : ::fdatasync(fd); };
    a.fsync = [](int fd) -> int { return Echoue(false) ? -1 : ::fsync(fd); };
    a.rename = [](const char* x, const char* y) -> int { return Echoue(false) ? -1 : ::rename(x, y); };
  }
  ~PanneAuNiemeAppel() { RestaureAppelsSysteme(); }
  PanneAuNiemeAppel(const PanneAuNiemeAppel&) = delete;
  PanneAuNiemeAppel& operator=(const PanneAuNiemeAppel&) = delete;
  // Whether the failure was reached by the operation.
  [[nodiscard]] static bool Atteinte() { return etat().atteinte; }
  [[nodiscard]] static long Appels() { return etat().compte; }

 private:
  struct Etat {
    long cible;
    long compte;
    int erreur;
    Mode mode;
    bool atteinte;
  };
  static Etat& etat() {
    static Etat e{};
    return e;
  }
  static bool Echoue(bool ecriture) {
    Etat& e = etat();
    ++e.compte;
    const bool panne = e.mode == Mode::EcrituresSuivantes ? (ecriture && e.compte >= e.cible) : e.compte == e.cible;
    if (!panne) return false;
    if (e.mode == Mode::Tue) raise(SIGKILL);
    e.atteinte = true;
    errno = e.erreur;
    return true;
  }
};

}  // namespace kyb::test
