// Floor of the GEDCOM reader (BM_GedcomLecture, bench_gedcom.cpp) on the same file: the file read
// in the reader's chunks and every line split into level, cross-reference id, tag and value, with
// nothing converted, checked nor gathered into records. Both in one run:
//   KYBASE_BENCH_GEDCOM=/tmp/c31/p20.ged kybase_bench --benchmark_filter='BM_Gedcom(Lecture|PlancherDecoupe)/'
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/fichiers.h"

namespace {

std::string FichierLecteur() {
  const char* e = std::getenv("KYBASE_BENCH_GEDCOM");
  return e != nullptr ? e : "/tmp/pedigree20.ged";
}

// Splits one line; returns the sum of the parts' sizes so that nothing is optimised away.
std::size_t Decoupe(std::string_view l) {
  std::size_t i = 0;
  int niveau = 0;
  while (i < l.size() && l[i] >= '0' && l[i] <= '9') niveau = niveau * 10 + (l[i++] - '0');
  if (i < l.size()) ++i;
  std::string_view xref;
  if (i < l.size() && l[i] == '@') {
    const std::size_t fin = l.find('@', i + 1);
    if (fin != std::string_view::npos) {
      xref = l.substr(i, fin + 1 - i);
      i = fin + 2;
    }
  }
  const std::size_t debut = std::min(i, l.size());
  const std::size_t espace = l.find(' ', debut);
  const std::string_view tag = l.substr(debut, espace == std::string_view::npos ? l.npos : espace - debut);
  const std::string_view valeur = espace == std::string_view::npos ? std::string_view() : l.substr(espace + 1);
  return static_cast<std::size_t>(niveau) + xref.size() + tag.size() + valeur.size();
}

void BM_GedcomPlancherDecoupe(benchmark::State& state) {
  const std::string chemin = FichierLecteur();
  int64_t octets = 0;
  for (auto _ : state) {
    const kyb::TFichier f = kyb::TFichier::Ouvre(chemin, kyb::TAcces::Lecture, kyb::TCreation::Existant);
    if (!f) {
      state.SkipWithError(("fichier absent : " + chemin).c_str());
      return;
    }
    std::string tampon;
    std::size_t somme = 0;
    int64_t position = 0;
    for (;;) {
      const std::size_t reste = tampon.size();
      tampon.resize(reste + 64 * 1024);
      const int64_t n = f.LitA(position, tampon.data() + reste, 64 * 1024);
      tampon.resize(reste + static_cast<std::size_t>(n > 0 ? n : 0));
      if (n <= 0) break;
      position += n;
      const std::string_view t(tampon);
      std::size_t debut = 0;
      for (std::size_t fin = t.find('\n'); fin != std::string_view::npos; fin = t.find('\n', debut)) {
        somme += Decoupe(t.substr(debut, fin - debut));
        debut = fin + 1;
      }
      tampon.erase(0, debut);
    }
    octets += position;
    benchmark::DoNotOptimize(somme);
  }
  state.SetBytesProcessed(octets);
}
BENCHMARK(BM_GedcomPlancherDecoupe)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
