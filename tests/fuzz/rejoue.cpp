// Replays a harness without libFuzzer, as an ordinary test: each seed file of the given
// directory, then a fixed number of damaged copies of it (bytes flipped or replaced by limit
// values, cuts, pieces repeated or spliced from another seed), always the same for the same
// seeds. A broken property aborts the harness, so the test fails with the property's text.
//   rejeu_<harness> SEED_DIRECTORY [COPIES_PER_SEED]
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille);

namespace {

namespace fs = std::filesystem;
using Octets = std::vector<uint8_t>;

Octets Lit(const fs::path& chemin) {
  std::ifstream f(chemin, std::ios::binary);
  return Octets((std::istreambuf_iterator<char>(f)), {});
}

// Runs the harness on its own heap block of exactly the input's size, as libFuzzer does, so that
// a read one byte past the input is caught (a vector's spare capacity would hide it).
void Lance(const Octets& o) {
  const std::unique_ptr<uint8_t[]> bloc(new uint8_t[o.size()]);
  std::copy(o.begin(), o.end(), bloc.get());
  LLVMFuzzerTestOneInput(bloc.get(), o.size());
}

size_t Position(std::mt19937& alea, size_t taille) {
  return std::uniform_int_distribution<size_t>(0, taille)(alea);
}

// One damage among those a file meets: a flipped bit, a limit byte, a cut, a repeated piece,
// a piece of another seed, bytes inserted.
void Abime(std::mt19937& alea, Octets& o, const Octets& autre) {
  static constexpr uint8_t kLimites[] = {0x00, 0x01, 0x7F, 0x80, 0xFF, '\n', '\r', '@', ' '};
  const int genre = std::uniform_int_distribution<int>(0, 5)(alea);
  const size_t i = Position(alea, o.size());
  switch (genre) {
    case 0:
      if (!o.empty()) o[i % o.size()] ^= static_cast<uint8_t>(1u << (alea() % 8));
      break;
    case 1:
      if (!o.empty()) o[i % o.size()] = kLimites[alea() % std::size(kLimites)];
      break;
    case 2:
      o.resize(i);
      break;
    case 3: {
      const size_t fin = i + Position(alea, std::min<size_t>(o.size() - i, 64));
      const Octets morceau(o.begin() + static_cast<long>(i), o.begin() + static_cast<long>(fin));
      o.insert(o.begin() + static_cast<long>(Position(alea, o.size())), morceau.begin(), morceau.end());
      break;
    }
    case 4:
      if (!autre.empty()) {
        const size_t debut = Position(alea, autre.size() - 1);
        const size_t n = std::min<size_t>(autre.size() - debut, 1 + alea() % 128);
        o.insert(o.begin() + static_cast<long>(i), autre.begin() + static_cast<long>(debut),
                 autre.begin() + static_cast<long>(debut + n));
      }
      break;
    default:
      for (int k = 1 + static_cast<int>(alea() % 8); k > 0; --k) o.insert(o.begin() + static_cast<long>(i), static_cast<uint8_t>(alea()));
  }
}

// Harnesses keep their files under "<tmp>/kyb-fuzz-<name>-<pid>/": removed at the end.
void NettoieRepertoires() {
  const std::string suffixe = "-" + std::to_string(getpid());
  for (const char* base : {"/dev/shm", "/tmp"}) {
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(base, ec)) {
      const std::string nom = e.path().filename().string();
      if (nom.starts_with("kyb-fuzz-") && nom.ends_with(suffixe)) fs::remove_all(e.path(), ec);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage : %s RÉPERTOIRE_DE_GRAINES [COPIES]\n", argv[0]);
    return 2;
  }
  const int copies = argc > 2 ? std::atoi(argv[2]) : 200;
  std::vector<fs::path> chemins;
  for (const auto& e : fs::directory_iterator(argv[1]))
    if (e.is_regular_file()) chemins.push_back(e.path());
  std::sort(chemins.begin(), chemins.end());
  std::vector<Octets> graines;
  for (const auto& c : chemins) graines.push_back(Lit(c));
  if (graines.empty()) {
    std::fprintf(stderr, "aucune graine dans %s\n", argv[1]);
    return 1;
  }
  long cas = 0;
  for (size_t g = 0; g < graines.size(); ++g) {
    Lance(graines[g]);
    std::mt19937 alea(static_cast<uint32_t>(g * 7919 + 1));
    for (int c = 0; c < copies; ++c, ++cas) {
      Octets o = graines[g];
      for (int n = 1 + static_cast<int>(alea() % 4); n > 0; --n) Abime(alea, o, graines[(g + 1) % graines.size()]);
      Lance(o);
    }
  }
  NettoieRepertoires();
  std::printf("%zu graines, %ld copies abîmées : aucune propriété violée\n", graines.size(), cas);
  return 0;
}
