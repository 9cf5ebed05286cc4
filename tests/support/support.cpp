#include "support/support.h"

#include "platform/fichiers.h"

#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace kyb::test {
namespace fs = std::filesystem;

namespace {

// Test programs, even run by hand, log under the temporary directory and never into the user's
// state directory.
const bool gJournauxDeTest = [] {
  const char* base = std::getenv("KYBASE_TEST_TMP");
  const fs::path racine = base && *base ? fs::path(base) : fs::temp_directory_path();
  return setenv("XDG_STATE_HOME", (racine / "etat").c_str(), 1) == 0;
}();

}  // namespace

RepertoireTemporaire::RepertoireTemporaire() {
  static std::atomic<int> compteur{0};
  const char* base = std::getenv("KYBASE_TEST_TMP");
  fs::path racine = base && *base ? fs::path(base) : fs::temp_directory_path();
  const fs::path chemin = racine / ("kyb-" + std::to_string(getpid()) + "-" +
                                    std::to_string(compteur.fetch_add(1)));
  fs::remove_all(chemin);
  fs::create_directories(chemin);
  chemin_ = chemin.string() + "/";
}

RepertoireTemporaire::~RepertoireTemporaire() {
  std::error_code ec;
  fs::remove_all(chemin_, ec);
}

int DescripteursOuverts() {
  int n = 0;
  for (const auto& e : fs::directory_iterator("/proc/self/fd")) {
    (void)e;
    ++n;
  }
  return n;
}

std::string Contenu(const std::string& chemin) {
  std::ifstream f(CheminSysteme(chemin), std::ios::binary);
  return {std::istreambuf_iterator<char>(f), {}};
}

void Ecrit(const std::string& chemin, const std::string& octets) {
  std::ofstream(CheminSysteme(chemin), std::ios::binary | std::ios::trunc) << octets;
}

}  // namespace kyb::test
