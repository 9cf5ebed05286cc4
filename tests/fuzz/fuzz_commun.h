#pragma once
// Helpers of the harnesses: a private directory per process, whole-file reads and writes.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/fichiers.h"

namespace kyb::fuzz {

// "<tmp>/kyb-fuzz-<nom>-<pid>/", created once, in memory (/dev/shm) where the system has it: the
// harnesses check contents, not durability, and syncs on a disk would slow each run tenfold.
inline const std::string& Repertoire(const char* nom) {
  static const std::string base = RepertoireExiste("/dev/shm") ? "/dev/shm" : "/tmp";
  static const std::string rep = base + "/kyb-fuzz-" + std::string(nom) + "-" + std::to_string(getpid()) + "/";
  static const bool cree = CreeRepertoires(rep);
  (void)cree;
  return rep;
}

inline void Ecrit(const std::string& chemin, const uint8_t* donnees, size_t taille) {
  std::ofstream f(chemin, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(donnees), static_cast<std::streamsize>(taille));
}

inline std::string Lit(const std::string& chemin) {
  std::ifstream f(chemin, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(f)), {});
}

// A broken property: stop the run, the input is kept by the fuzzer.
[[noreturn]] inline void Viole(const char* propriete) {
  std::fprintf(stderr, "propriété violée : %s\n", propriete);
  std::abort();
}

}  // namespace kyb::fuzz
