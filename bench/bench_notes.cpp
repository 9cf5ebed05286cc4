// The notes file: 100,000 notes of realistic sizes (most a few lines, some pages, a few up to
// 50 kB) written then read back, with the file's size against the texts' size; and the growth of
// the file over 1,000 edits of one note, RTF (rewritten in place) and plain (new chain each time).
// Run: scripts/bench --benchmark_filter=Notes
#include <benchmark/benchmark.h>

#include <random>

#include "folder/fic_notes.h"
#include "folder/gest_fic.h"
#include "platform/fichiers.h"

namespace kyb {
namespace {

constexpr long kNotes = 100'000;
const AnsiString kRepertoire = "/tmp/kyb-bench-notes/Notes.kya/";

// Sizes: 60 % a few lines (80-400 bytes), 30 % up to a page (400-4,000), 9 % long (4-20 kB),
// 1 % very long (20-50 kB).
size_t TailleNote(std::mt19937& alea) {
  const unsigned tirage = alea() % 100;
  const auto entre = [&alea](size_t a, size_t b) { return a + alea() % (b - a); };
  if (tirage < 60) return entre(80, 400);
  if (tirage < 90) return entre(400, 4000);
  if (tirage < 99) return entre(4000, 20000);
  return entre(20000, 50000);
}

// An RTF-like text of that size: a header, words with accented letters, paragraph marks.
std::string TexteNote(size_t taille, std::mt19937& alea) {
  static const char* const kMots[] = {"baptis\\'e9 ", "le ", "cur\\'e9 ", "paroisse ", "Saint-Malo ", "1852 ",
                                      "t\\'e9moins ", "fils ", "de ", "feu ", "laboureur ", "\\par "};
  std::string t = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 ";
  while (t.size() + 1 < taille) t += kMots[alea() % std::size(kMots)];
  t.resize(taille - 1);
  return t + "}";
}

struct TFichierNotes {
  std::vector<long> numeros;
  int64_t octetsTextes = 0;
};

std::unique_ptr<TGestFichier> Dossier() { return std::make_unique<TGestFichier>(kRepertoire + "Notes.adb"); }

// Writes the 100,000 notes into a new notes file.
TFichierNotes EcritNotes(TGestFichier& dossier) {
  TFichierNotes r;
  TFicNotes f(&dossier, true);
  std::mt19937 alea(1852);
  for (long i = 0; i < kNotes; ++i) {
    const std::string texte = TexteNote(TailleNote(alea), alea);
    long no = 0;
    TNote note(&f, 0);
    note.NouvelleFiche(no);
    note.ModifNote("Biographie", texte);
    r.numeros.push_back(note.Numero());
    r.octetsTextes += static_cast<int64_t>(texte.size());
  }
  return r;
}

void Notes_Ecriture100000(benchmark::State& state) {
  (void)SupprimeArborescence(kRepertoire);
  (void)CreeRepertoires(kRepertoire);
  auto dossier = Dossier();
  TFichierNotes r;
  for (auto _ : state) r = EcritNotes(*dossier);
  const int64_t taille = TailleFichier(dossier->FabriqueNomFichier(TGestFichier::tfNotes));
  state.counters["notes/s"] = benchmark::Counter(static_cast<double>(kNotes), benchmark::Counter::kIsRate);
  state.counters["Mo_textes"] = static_cast<double>(r.octetsTextes) / 1e6;
  state.counters["Mo_fichier"] = static_cast<double>(taille) / 1e6;
  state.counters["fichier/textes"] = static_cast<double>(taille) / static_cast<double>(r.octetsTextes);
}
BENCHMARK(Notes_Ecriture100000)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

void Notes_Lecture100000(benchmark::State& state) {
  (void)SupprimeArborescence(kRepertoire);
  (void)CreeRepertoires(kRepertoire);
  auto dossier = Dossier();
  const TFichierNotes r = EcritNotes(*dossier);
  TFicNotes f(dossier.get(), false);
  int64_t lus = 0;
  for (auto _ : state) {
    lus = 0;
    for (const long no : r.numeros) lus += static_cast<int64_t>(TNote(&f, no).LectureNote("Biographie").size());
  }
  if (lus != r.octetsTextes) state.SkipWithError("textes relus différents");
  state.counters["notes/s"] = benchmark::Counter(static_cast<double>(kNotes), benchmark::Counter::kIsRate);
  state.counters["Mo/s"] = benchmark::Counter(static_cast<double>(lus) / 1e6, benchmark::Counter::kIsRate);
}
BENCHMARK(Notes_Lecture100000)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

// 1,000 edits of one note between 200 bytes and 20 kB; arg 1: RTF (rewritten in place), arg 0:
// plain text (a new chain each time, the old one left unused).
void Notes_Modifications1000(benchmark::State& state) {
  const bool rtf = state.range(0) == 1;
  int64_t avant = 0, apres = 0;
  for (auto _ : state) {
    state.PauseTiming();
    (void)SupprimeArborescence(kRepertoire);
    (void)CreeRepertoires(kRepertoire);
    auto dossier = Dossier();
    TFicNotes f(dossier.get(), true);
    long no = 0;
    TNote note(&f, 0);
    note.NouvelleFiche(no);
    std::mt19937 alea(7);
    note.ModifNote("Biographie", TexteNote(5000, alea));
    avant = TailleFichier(f.Chemin());
    state.ResumeTiming();
    for (int i = 0; i < 1000; ++i) {
      std::string texte = TexteNote(200 + alea() % 20000, alea);
      if (!rtf) texte = "Texte " + texte;
      note.ModifNote("Biographie", texte);
    }
    apres = TailleFichier(f.Chemin());
  }
  state.counters["ko_avant"] = static_cast<double>(avant) / 1e3;
  state.counters["ko_apres"] = static_cast<double>(apres) / 1e3;
  state.counters["modifs/s"] = benchmark::Counter(1000, benchmark::Counter::kIsRate);
}
BENCHMARK(Notes_Modifications1000)->Arg(1)->Arg(0)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kyb
