#pragma once
// Cuts an operation at each of its system calls in turn and checks that what is stored is always
// the state before it or the state after it, never a mix, and that it reopens.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "support/dommages.h"

namespace kyb::test {

struct TCoupure {
  // Brings the stored state back to the one before the operation (run before each try).
  std::function<void()> prepare = [] {};
  // The operation under test; true when it reports success.
  std::function<bool()> operation;
  // Whether the stored state, reopened, is the one before the operation or the one after it.
  std::function<bool()> estAncien;
  std::function<bool()> estNouveau;
  // How the n-th call is cut: an error returned (EIO and ENOSPC in turn), every later write
  // refused (full disk), or the process killed there (the operation then runs in a child).
  PanneAuNiemeAppel::Mode mode = PanneAuNiemeAppel::Mode::UnSeul;
  // The next n to try (long operations skip some calls).
  std::function<long(long)> suivant = [](long n) { return n + 1; };
};

// Tries n = 1, 2, ... until the operation ends before reaching the n-th call. After each cut the
// stored state must be the old or the new one, the new one when the operation said it succeeded.
// Returns how many cuts were made.
inline long CoupeAChaqueAppel(const TCoupure& c) {
  long coupures = 0;
  for (long n = 1;; n = c.suivant(n)) {
    SCOPED_TRACE("coupure à l'appel " + std::to_string(n));
    c.prepare();
    if (::testing::Test::HasFatalFailure()) return coupures;
    bool ok = false, atteinte = false;
    if (c.mode == PanneAuNiemeAppel::Mode::Tue) {
      const pid_t enfant = fork();
      if (enfant == 0) {
        const PanneAuNiemeAppel panne(n, 0, c.mode);
        _exit(c.operation() ? 0 : 1);
      }
      int statut = 0;
      waitpid(enfant, &statut, 0);
      atteinte = WIFSIGNALED(statut) && WTERMSIG(statut) == SIGKILL;
      ok = WIFEXITED(statut) && WEXITSTATUS(statut) == 0;
    } else {
      const PanneAuNiemeAppel panne(n, n % 2 ? EIO : ENOSPC, c.mode);
      ok = c.operation();
      atteinte = PanneAuNiemeAppel::Atteinte();
    }
    const bool nouveau = c.estNouveau();
    if (ok) {
      EXPECT_TRUE(nouveau) << "réussite annoncée sans le nouvel état";
    } else {
      EXPECT_TRUE(nouveau || c.estAncien()) << "ni l'ancien état ni le nouveau";
    }
    if (!atteinte) {
      EXPECT_TRUE(ok) << "échec sans coupure";
      return coupures;
    }
    ++coupures;
    if (::testing::Test::HasFailure()) return coupures;
    if (n > 100000) {
      ADD_FAILURE() << "l'opération ne finit pas";
      return coupures;
    }
  }
}

}  // namespace kyb::test
