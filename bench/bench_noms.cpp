// Name keys, phonetic codes and the in-memory person index.
//
// Targets: strSoundex at least 5,000,000 names/s and FormatIndex at least 1,000,000 names/s;
// an index of 2,000,000 entries restored from its file in at most 1 s, holding at most 160 bytes
// per entry, and answering at least 1,000,000 exact look-ups per second.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "names/bo_chn1.h"
#include "names/bo_soundex.h"
#include "names/cles_personne.h"
#include "names/gest_elt_index.h"

namespace kyb {
namespace {

constexpr const char* kNoms[] = {
    "Martin",   "Bernard",  "Thomas",    "Petit",     "Robert",   "Richard",  "Durand",
    "Dubois",   "Moreau",   "Laurent",   "Simon",     "Michel",   "Lefèvre",  "Leroy",
    "Roux",     "David",    "Bertrand",  "Morel",     "Fournier", "Girard",   "Bonnet",
    "Dupont",   "Lambert",  "Fontaine",  "Rousseau",  "Vincent",  "Müller",   "Faure",
    "André",    "Mercier",  "Blanc",     "Guérin",    "Boyer",    "Garnier",  "Chevalier",
    "François", "Legrand",  "Gauthier",  "Perrin",    "Robin",    "Clément",  "Morin",
    "Nicolas",  "Henry",    "Roussel",   "Mathieu",   "Masson",   "Marchand", "Duval",
    "Denis",    "Dumont",   "Lemaire",   "Noël",      "Meyer",    "Dufour",   "Meunier",
    "Brun",     "Blanchard", "Giraud",   "Joly",      "Rivière",  "Lucas",    "Brunet",
    "Gaillard", "Barbier",  "Arnaud",    "Gérard",    "Roche",    "Renard",   "Schmitt",
    "Roy",      "Leroux",   "Colin",     "Vidal",     "Caron",    "Picard",   "Roger",
    "Fabre",    "Aubert",   "Lemoine",   "Renaud",    "Dumas",    "Lacroix",  "Olivier",
    "Bourgeois", "Pierre",  "Benoît",    "Rey",       "Leclerc",  "Rolland",  "Guillaume",
    "Lecomte",  "Le Goff",  "de la Fontaine", "d'Artois", "Van der Berg", "du Pont",
    "Le Gall",  "Hébert",   "Hoarau",    "Carpentier", "Chauvin", "Tessier",  "Bailly"};

constexpr const char* kPrenoms[] = {
    "Jean",      "Marie",     "Pierre",    "Louis",     "Anne",      "François", "Joseph",
    "Jeanne",    "Catherine", "Marguerite", "Jacques",  "Nicolas",   "Antoine",  "Étienne",
    "Françoise", "Madeleine", "Claude",    "Louise",    "Élisabeth", "Paul",     "Charles",
    "Jean-Baptiste", "Marie-Anne", "Henri", "Victor",   "Auguste",   "Eugène",   "Joséphine",
    "Rose",      "Julie",     "Augustin",  "Michel",    "Guillaume", "Gabriel",  "Thérèse"};

// A plausible surname: one of the list, or two of them run together for variety.
std::string NomAleatoire(std::mt19937& alea) {
  std::string nom = kNoms[alea() % std::size(kNoms)];
  if (alea() % 3 == 0) nom += std::string("-") + kNoms[alea() % std::size(kNoms)];
  return nom;
}

std::vector<UnicodeString> NomsSaisis(size_t n) {
  std::mt19937 alea(1);
  std::vector<UnicodeString> v;
  for (size_t i = 0; i < n; ++i) v.push_back(U(NomAleatoire(alea)));
  return v;
}

void BM_strSoundex(benchmark::State& state) {
  std::vector<AnsiString> cles;
  for (const UnicodeString& n : NomsSaisis(4096)) cles.push_back(UnicodeVersAnsi(FormatIndex(n)));
  size_t i = 0;
  char code[5];
  for (auto _ : state) {
    strSoundex(cles[i++ & 4095].c_str(), code);
    benchmark::DoNotOptimize(code);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_strSoundex);

void BM_strSoundexUnicode(benchmark::State& state) {
  std::vector<UnicodeString> cles;
  for (const UnicodeString& n : NomsSaisis(4096)) cles.push_back(FormatIndex(n));
  size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(strSoundex(cles[i++ & 4095]));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_strSoundexUnicode);

void BM_FormatIndex(benchmark::State& state) {
  const std::vector<UnicodeString> noms = NomsSaisis(4096);
  size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(FormatIndex(noms[i++ & 4095]));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FormatIndex);

void BM_FormatIndexAnsi(benchmark::State& state) {
  std::vector<AnsiString> noms;
  for (const UnicodeString& n : NomsSaisis(4096)) noms.push_back(UnicodeVersAnsi(n));
  size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(FormatIndex(noms[i++ & 4095]));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FormatIndexAnsi);

// The accent-insensitive comparison of two typed names, in both forms (same names, same order).
void BM_strcmpIgnDiac(benchmark::State& state) {
  std::vector<AnsiString> noms;
  for (const UnicodeString& n : NomsSaisis(4096)) noms.push_back(UnicodeVersAnsi(n));
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(strcmpIgnDiac(noms[i & 4095].c_str(), noms[(i + 1) & 4095].c_str()));
    ++i;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_strcmpIgnDiac);

void BM_strcmpIgnDiacUnicode(benchmark::State& state) {
  const std::vector<UnicodeString> noms = NomsSaisis(4096);
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(strcmpIgnDiac(noms[i & 4095].c_str(), noms[(i + 1) & 4095].c_str()));
    ++i;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_strcmpIgnDiacUnicode);

// --- The person index of 2,000,000 entries -------------------------------------------------------

constexpr int kNbEntrees = 2'000'000;

const char* CheminFichier() {
  static const std::string chemin = [] {
    const char* tmp = std::getenv("TMPDIR");
    return std::string(tmp ? tmp : "/tmp") + "/kybase_bench_noms.prx2";
  }();
  return chemin.c_str();
}

// Entries built as the person index builds them: about three per person (surname × given names).
std::vector<TEltIndex> Entrees() {
  std::mt19937 alea(2);
  std::vector<TEltIndex> v;
  v.reserve(kNbEntrees);
  for (int32_t noPers = 1; static_cast<int>(v.size()) < kNbEntrees; ++noPers) {
    const UnicodeString nom = CleNom(U(NomAleatoire(alea)), 1);
    const UnicodeString nomSx = SoundexCle(nom);
    const int nbPrenoms = 1 + static_cast<int>(alea() % 5);
    const int16_t naissance = static_cast<int16_t>(1600 + alea() % 350);
    for (int j = 1; j <= nbPrenoms && static_cast<int>(v.size()) < kNbEntrees; ++j) {
      TEltIndex e;
      e.SetNom(nom);
      e.SetNomSoundex(nomSx);
      const UnicodeString prenom = ClePrenom(U(kPrenoms[alea() % std::size(kPrenoms)]), 1);
      e.SetPrenom(prenom);
      e.SetPrenomSoundex(SoundexCle(prenom));
      e.AnneeMin = naissance;
      e.AnneeMax = static_cast<int16_t>(naissance + 20 + alea() % 70);
      e.NoPers = noPers;
      e.RgNom = 1;
      e.RgPrenom = static_cast<int16_t>(j);
      e.TypePersonne = 'P';
      e.FicheSupprimee = 'N';
      e.Sexe = alea() % 2 ? 'M' : 'F';
      v.push_back(e);
    }
  }
  return v;
}

// The sorted index, built once and saved to the file the restore benchmark reads.
TGestEltIndex& IndexTrie() {
  static const std::unique_ptr<TGestEltIndex> index = [] {
    auto i = std::make_unique<TGestEltIndex>(kNbEntrees, nullptr);
    for (const TEltIndex& e : Entrees()) i->Ajoute(e);
    TEltIndex a, b;
    i->Classement(a, b);
    if (!i->Sauvegarde(CheminFichier(), nullptr)) std::fprintf(stderr, "sauvegarde impossible\n");
    return i;
  }();
  return *index;
}

void BM_IndexClassement(benchmark::State& state) {
  const std::vector<TEltIndex> entrees = Entrees();
  for (auto _ : state) {
    state.PauseTiming();
    TGestEltIndex index(kNbEntrees, nullptr);
    for (const TEltIndex& e : entrees) index.Ajoute(e);
    state.ResumeTiming();
    TEltIndex a, b;
    index.Classement(a, b);
  }
  state.SetItemsProcessed(state.iterations() * kNbEntrees);
}
BENCHMARK(BM_IndexClassement)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_IndexSauvegarde(benchmark::State& state) {
  const TGestEltIndex& index = IndexTrie();
  for (auto _ : state) benchmark::DoNotOptimize(index.Sauvegarde(CheminFichier(), nullptr));
  state.SetItemsProcessed(state.iterations() * kNbEntrees);
  std::ifstream f(CheminFichier(), std::ios::binary | std::ios::ate);
  state.counters["octets_fichier"] = static_cast<double>(f.tellg());
}
BENCHMARK(BM_IndexSauvegarde)->Unit(benchmark::kMillisecond)->Iterations(3);

// Resident memory of the process, from the system's account of it.
double OctetsResidents() {
  std::ifstream statm("/proc/self/statm");
  double pages = 0, residentes = 0;
  statm >> pages >> residentes;
  return residentes * 4096;
}

// Restores into a fresh index each time. Memory per entry: the vector's allocation over the
// count, and the growth of the resident memory over the restore.
void BM_IndexRestauration(benchmark::State& state) {
  IndexTrie();
  double octetsParEntree = 0, residentParEntree = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const double avant = OctetsResidents();
    state.ResumeTiming();
    TGestEltIndex index(0, nullptr);
    index.Restauration(CheminFichier(), nullptr);
    state.PauseTiming();
    octetsParEntree =
        static_cast<double>(index.Capacite() * sizeof(TEltIndex)) / index.GetNbElt();
    residentParEntree = (OctetsResidents() - avant) / index.GetNbElt();
    index.Raz();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kNbEntrees);
  state.counters["octets_par_entree"] = octetsParEntree;
  state.counters["octets_residents_par_entree"] = residentParEntree;
}
BENCHMARK(BM_IndexRestauration)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_IndexRechercheDicoth(benchmark::State& state) {
  const TGestEltIndex& index = IndexTrie();
  std::mt19937 alea(3);
  std::vector<TEltIndex> cles;
  for (int i = 0; i < 4096; ++i) cles.push_back(index.Lit(static_cast<int>(alea() % kNbEntrees)));
  TEltIndex tmp;
  size_t i = 0;
  for (auto _ : state)
    benchmark::DoNotOptimize(index.RechercheDicoth(cles[i++ & 4095], tmp, 0, false));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_IndexRechercheDicoth);

}  // namespace
}  // namespace kyb
