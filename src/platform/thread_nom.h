#pragma once
// Names of threads as the library knows them. The store recognises the main thread by the name
// "ThreadPrincipale" and runs schema upgrades only there; worker threads name themselves.
// IdThread() is a small non-zero number unique to each thread of the process (0 means none).
#include <string>

namespace kyb {

inline constexpr const char* kNomThreadPrincipal = "ThreadPrincipale";

void NommeThread(const std::string& nom);  // names the calling thread
void NommeThreadPrincipal();               // NommeThread("ThreadPrincipale")
[[nodiscard]] const std::string& NomThread();  // empty when never named
[[nodiscard]] bool EstThreadPrincipal();
[[nodiscard]] unsigned long IdThread();

}  // namespace kyb
