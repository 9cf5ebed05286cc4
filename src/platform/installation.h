#pragma once
// Where the running program lies, and the data of the installation that holds it.
//
// An installation under a prefix P keeps its programs in P/bin and its shipped data (reference
// town tables, samples) in P/share/kybase; the data are found from the program's own place, so a
// moved prefix still works. A program run from elsewhere (a build tree) has no such directory and
// the caller falls back to a path it knows.
#include "platform/chaines.h"

namespace kyb {

// The running program's file as the system resolves it; empty when the system does not say or
// when the path has no Windows-1252 form (it is then not used rather than altered).
[[nodiscard]] AnsiString CheminExecutable();

// P/share/kybase/ (with its trailing '/') for a program P/<dir>/<name>, when that directory
// exists; empty otherwise.
[[nodiscard]] AnsiString RepertoireDonneesInstallation();

}  // namespace kyb
