// Searches of persons on a genealogy of 1,000,000 persons (KYB_BENCH_PERSONNES to change it):
// surnames drawn with a Zipf law (s = 1) as in bench_index.cpp (MARTIN about 110,000 persons,
// PETIT about 28,000, SIMON about 10,000), one to three given names, a birth for every person in
// one of 50 towns and a death for seven in ten. The folder is generated once in /tmp/kyb-bench-recherche
// (or KYB_BENCH_RACINE).
// Each figure has its floor beside it (the same name ending in _Plancher): the same question asked
// in raw SQLite over the index rows, through a connection of its own, in the same run.
// Run: kybase_bench --benchmark_filter=Recherche
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>

#include "folder/gest_fic.h"
#include "folder/gest_fic_pers.h"
#include "index/gest_fic_index.h"
#include "index/ouverture_genealogie.h"
#include "index/recherche_simple.h"
#include "names/tab_nom_equiv.h"
#include "platform/fichiers.h"
#include "noms_zipf.h"
#include "platform/thread_nom.h"
#include "store/datamodulebdd.h"

namespace kyb {
namespace {

using namespace bench;

// The directory of the folder: KYB_BENCH_RACINE, else /tmp/kyb-bench-recherche/.
const AnsiString kRacine = [] {
  const char* racine = std::getenv("KYB_BENCH_RACINE");
  return racine ? AnsiString(racine) + "/" : AnsiString("/tmp/kyb-bench-recherche/");
}();
const AnsiString kChemin = kRacine + "Recherche.kya/Recherche.adb";
constexpr int kNbVilles = 50;

std::unique_ptr<TGestFichier> Ouvre(bool creer) {
  return std::make_unique<TGestFichier>(kChemin, AvecIndex(TGestFichier::TOptionsOuverture{.Creer = creer}));
}

// The towns, then births in them (town 1 + number % 50) and deaths, one statement each.
void GenereLieuxEtEvenements(TModuleBDD& m) {
  std::string villes = "INSERT INTO Lieux(ID, FicheSupprimee, Chn1, Chn2, Chn3, Chn4) VALUES ";
  for (int v = 1; v <= kNbVilles; ++v) {
    const std::string nom = v == 1 ? "Rouen" : "Ville" + std::to_string(v);
    std::string cle = nom;
    std::transform(cle.begin(), cle.end(), cle.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    villes += (v > 1 ? "," : "") + ("(" + std::to_string(v) + ", 78, '" + nom + "', '', '', '" + cle + "')");
  }
  const std::string sql[] = {
      villes,
      "INSERT INTO Evenements(Type, LibelleChamps, Donnee, NoPersA, NoPersB, Acte, TypeCalend, Date, Lieu, LieuDit, "
      "Note, NoIllustrationParDefaut, LienExtEven, _DONNEE, _DATE, RANG_A, RANG_B, DateLastModif) "
      "SELECT 0, 'NAISSANCE', '', ID, 0, '', 'G', printf('%02d/%02d/%04d', 1 + ID % 28, 1 + ID % 12, 1650 + ID % 300), "
      "1 + ID % 50, '', 0, 0, 0, '', (1650 + ID % 300) * 10000 + (1 + ID % 12) * 100 + 1 + ID % 28, 1, 0, 46000.5 "
      "FROM Personnes WHERE ID > 0",
      "INSERT INTO Evenements(Type, LibelleChamps, Donnee, NoPersA, NoPersB, Acte, TypeCalend, Date, Lieu, LieuDit, "
      "Note, NoIllustrationParDefaut, LienExtEven, _DONNEE, _DATE, RANG_A, RANG_B, DateLastModif) "
      "SELECT 0, 'DECES', '', ID, 0, '', 'G', printf('../../%04d', 1670 + ID % 300 + ID % 60), "
      "0, '', 0, 0, 0, '', (1670 + ID % 300 + ID % 60) * 10000 + 101, 2, 0, 46000.5 "
      "FROM Personnes WHERE ID > 0 AND ID % 10 < 7",
  };
  for (const std::string& s : sql)
    if (!m.Database().ExecuteSql(s)) std::fprintf(stderr, "données non générées : %s\n", m.Database().DerniereErreur().c_str());
}

// The folder with its persons, places, events and index (built once, then kept).
void Genere() {
  const long n = NbPersonnes();
  if (FichierExiste(kChemin)) {
    auto g = Ouvre(false);
    if (!g->Erreur && g->GetFicPersons()->NbEnreg == n && TFicIndexPerson::De(*g)->NbLignes() > n) return;
  }
  (void)SupprimeArborescence(kRacine + "Recherche.kya");
  {
    auto g = Ouvre(true);
    TModuleBDD& m = *g->GetModuleBDD();
    std::mt19937 alea(17);
    const TZipf noms(5000), prenoms(std::size(kPrenoms));
    (void)m.BeginImport(true);
    for (long no = 1; no <= n; ++no) {
      TEnregPublic p;
      p.FicheSupprimee = 'N';
      p.Sexe = no % 2 ? 'M' : 'F';
      p.Nom = Nom(noms(alea));
      const int nbPrenoms = 1 + static_cast<int>(alea() % 3);
      for (int k = 0; k < nbPrenoms; ++k) {
        if (k) p.Prenoms += u' ';
        p.Prenoms += kPrenoms[prenoms(alea)];
      }
      (void)m.WritePerson(p, no);
    }
    (void)m.EndImport(true);
    GenereLieuxEtEvenements(m);
    g->GetFicPersons()->NbEnreg = n;
  }
  auto g = Ouvre(false);  // the places are loaded at opening
  if (!TFicIndexPerson::De(*g)->ReinitTableIndex()) std::fprintf(stderr, "index non généré\n");
}

void Compte(benchmark::State& state, long n) { state.counters["personnes"] = static_cast<double>(n); }

// Phonetic surname, the first 50, as the first search after the opening (which builds the table
// of codes). Runs first: the folder opens once at a time, before the others hold it open.
void BM_Recherche_PhonetiquePremiere(benchmark::State& state) {
  NommeThreadPrincipal();
  Genere();
  long n = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto g = Ouvre(false);
    if (g->Erreur || !TFicIndexPerson::De(*g)) {
      state.SkipWithError("le dossier n'a pas pu être ouvert");
      break;
    }
    TRechercheIndex r(*TFicIndexPerson::De(*g), nullptr);
    state.ResumeTiming();
    n = static_cast<long>(r.RechercheSimple({.Nom = u"Martain", .PhonetiqueNom = true}, 50, false).Personnes.size());
    state.PauseTiming();
    g.reset();
    state.ResumeTiming();
  }
  Compte(state, n);
}
BENCHMARK(BM_Recherche_PhonetiquePremiere)->Iterations(10)->Unit(benchmark::kMillisecond);

TGestFichier& Ouvert() {
  static std::unique_ptr<TGestFichier> g = [] {
    NommeThreadPrincipal();
    Genere();
    return Ouvre(false);
  }();
  return *g;
}

// A read-only connection of its own to the store, for the floors.
class TBrut {
 public:
  TBrut() { sqlite3_open_v2(CheminSysteme(kChemin).c_str(), &c_, SQLITE_OPEN_READONLY, nullptr); }
  ~TBrut() { sqlite3_close(c_); }
  // The number of rows of the statement.
  long Lignes(const std::string& sql) { return Lit(sql, false); }
  // The first column of its first row (a count).
  long Valeur(const std::string& sql) { return Lit(sql, true); }

 private:
  long Lit(const std::string& sql, bool valeur) {
    sqlite3_stmt* s = nullptr;
    long n = 0;
    if (sqlite3_prepare_v2(c_, sql.c_str(), -1, &s, nullptr) != SQLITE_OK) return -1;
    while (sqlite3_step(s) == SQLITE_ROW) n = valeur ? static_cast<long>(sqlite3_column_int64(s, 0)) : n + 1;
    sqlite3_finalize(s);
    return n;
  }
  sqlite3* c_ = nullptr;
};

// The first phonetic search of a connection just opened.
void BM_Recherche_PhonetiquePremiere_Plancher(benchmark::State& state) {
  (void)Ouvert();
  long n = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto b = std::make_unique<TBrut>();
    state.ResumeTiming();
    n = b->Lignes("SELECT DISTINCT NoPers FROM IndexNomPrenoms WHERE NomSoundex = 'M635' LIMIT 50");
    state.PauseTiming();
    b.reset();
    state.ResumeTiming();
  }
  Compte(state, n);
}
BENCHMARK(BM_Recherche_PhonetiquePremiere_Plancher)->Iterations(10)->Unit(benchmark::kMillisecond);

TBrut& Brut() {
  (void)Ouvert();
  static TBrut b;
  return b;
}

TRechercheIndex& Recherche() {
  static TRechercheIndex r(*TFicIndexPerson::De(Ouvert()), nullptr);
  return r;
}

// Exact surname (MARTIN), the first 50 persons with their lines (names read from the store).
void BM_Recherche_NomExact50Lignes(benchmark::State& state) {
  TModuleBDD& m = *Ouvert().GetModuleBDD();
  long n = 0;
  for (auto _ : state) {
    const TResultatRecherche r = Recherche().RechercheSimple({.Nom = u"Martin"}, 50, false);
    for (const int32_t no : r.Personnes) {
      TEnregPublic p;
      if (m.ReadPerson(p, no)) benchmark::DoNotOptimize(p.Nom.data());
    }
    n = static_cast<long>(r.Personnes.size());
  }
  Compte(state, n);
}
BENCHMARK(BM_Recherche_NomExact50Lignes)->Unit(benchmark::kMicrosecond);

void BM_Recherche_NomExact50Lignes_Plancher(benchmark::State& state) {
  long n = 0;
  for (auto _ : state)
    n = Brut().Lignes("SELECT length(Nom) + length(Prenoms) FROM Personnes WHERE ID IN (SELECT NoPers FROM "
                       "IndexNomPrenoms WHERE Nom = 'MARTIN' COLLATE NOCASE LIMIT 50)");
  Compte(state, n);
}
BENCHMARK(BM_Recherche_NomExact50Lignes_Plancher)->Unit(benchmark::kMicrosecond);

void BM_Recherche_Phonetique(benchmark::State& state) {
  long n = 0;
  for (auto _ : state)
    n = static_cast<long>(
        Recherche().RechercheSimple({.Nom = u"Martain", .PhonetiqueNom = true}, 50, false).Personnes.size());
  Compte(state, n);
}
BENCHMARK(BM_Recherche_Phonetique)->Unit(benchmark::kMicrosecond);

void BM_Recherche_Phonetique_Plancher(benchmark::State& state) {
  long n = 0;
  for (auto _ : state)
    n = Brut().Lignes("SELECT DISTINCT NoPers FROM IndexNomPrenoms WHERE NomSoundex = 'M635' LIMIT 50");
  Compte(state, n);
}
BENCHMARK(BM_Recherche_Phonetique_Plancher)->Unit(benchmark::kMillisecond);

// The mask MAR*IN, every match counted, the first 50 kept.
void BM_Recherche_Masque(benchmark::State& state) {
  long n = 0;
  for (auto _ : state) n = Recherche().RechercheSimple({.Nom = u"MAR*IN"}, 50).Total;
  Compte(state, n);
}
BENCHMARK(BM_Recherche_Masque)->Unit(benchmark::kMillisecond);

void BM_Recherche_Masque_Plancher(benchmark::State& state) {
  long n = 0;
  for (auto _ : state)
    n = Brut().Valeur("SELECT COUNT(DISTINCT NoPers) FROM IndexNomPrenoms WHERE Nom >= 'MAR' COLLATE NOCASE AND Nom < 'MAS' "
                       "COLLATE NOCASE AND Nom GLOB 'MAR*IN'");
  Compte(state, n);
}
BENCHMARK(BM_Recherche_Masque_Plancher)->Unit(benchmark::kMillisecond);

// A surname with 5 declared variants (PETIT: PETITEAU, PETITET, PETITIN, PETITON, PETITAUD), the
// first 50.
const TTabNomEquiv& EquivalencesPetit() {
  static TTabNomEquiv t = [] {
    TTabNomEquiv e("", "", true);
    for (const char* v : {"Petiteau", "Petitet", "Petitin", "Petiton", "Petitaud"}) (void)e.AjouteDoubleEntree("Petit", v);
    return e;
  }();
  return t;
}

void BM_Recherche_Equivalences(benchmark::State& state) {
  TRechercheIndex r(*TFicIndexPerson::De(Ouvert()), &EquivalencesPetit());
  long n = 0;
  for (auto _ : state)
    n = static_cast<long>(r.RechercheSimple({.Nom = u"Petit", .Equivalences = true}, 50, false).Personnes.size());
  Compte(state, n);
}
BENCHMARK(BM_Recherche_Equivalences)->Unit(benchmark::kMicrosecond);

void BM_Recherche_Equivalences_Plancher(benchmark::State& state) {
  long n = 0;
  for (auto _ : state)
    n = Brut().Lignes("SELECT DISTINCT NoPers FROM IndexNomPrenoms WHERE Nom COLLATE NOCASE IN ('PETIT', 'PETITEAU', "
                       "'PETITET', 'PETITIN', 'PETITON', 'PETITAUD') LIMIT 50");
  Compte(state, n);
}
BENCHMARK(BM_Recherche_Equivalences_Plancher)->Unit(benchmark::kMicrosecond);

// SIMON (about 10,000 persons) born 1700-1800 in Rouen, every match counted.
void BM_Recherche_NomAnneesLieu(benchmark::State& state) {
  long n = 0;
  for (auto _ : state)
    n = Recherche().RechercheSimple({.Nom = u"Simon", .Lieu = u"Rouen", .AnneeMin = 1700, .AnneeMax = 1800}, 50).Total;
  Compte(state, n);
}
BENCHMARK(BM_Recherche_NomAnneesLieu)->Unit(benchmark::kMillisecond);

void BM_Recherche_NomAnneesLieu_Plancher(benchmark::State& state) {
  long n = 0;
  for (auto _ : state)
    n = Brut().Valeur("SELECT COUNT(DISTINCT i.NoPers) FROM IndexNomPrenoms i JOIN Evenements e ON e.NoPersA = "
                       "i.NoPers WHERE i.Nom = 'SIMON' COLLATE NOCASE AND i.AnneeMin BETWEEN 1700 AND 1800 AND e.Lieu = 1");
  Compte(state, n);
}
BENCHMARK(BM_Recherche_NomAnneesLieu_Plancher)->Unit(benchmark::kMillisecond);

// Every person of PETIT (about 28,000) counted.
void BM_Recherche_CompteNom(benchmark::State& state) {
  long n = 0;
  for (auto _ : state) n = Recherche().RechercheSimple({.Nom = u"Petit"}, 50).Total;
  Compte(state, n);
}
BENCHMARK(BM_Recherche_CompteNom)->Unit(benchmark::kMillisecond);

void BM_Recherche_CompteNom_Plancher(benchmark::State& state) {
  long n = 0;
  for (auto _ : state) n = Brut().Valeur("SELECT COUNT(DISTINCT NoPers) FROM IndexNomPrenoms WHERE Nom = 'PETIT' COLLATE NOCASE");
  Compte(state, n);
}
BENCHMARK(BM_Recherche_CompteNom_Plancher)->Unit(benchmark::kMillisecond);

// The distinct surnames beginning with M and their counts of persons.
void BM_Recherche_RetournePatronyme(benchmark::State& state) {
  long n = 0;
  for (auto _ : state) n = static_cast<long>(Recherche().RetournePatronyme(u"M", '?', nullptr).size());
  state.counters["patronymes"] = static_cast<double>(n);
}
BENCHMARK(BM_Recherche_RetournePatronyme)->Unit(benchmark::kMillisecond);

void BM_Recherche_RetournePatronyme_Plancher(benchmark::State& state) {
  long n = 0;
  for (auto _ : state)
    n = Brut().Lignes("SELECT 1, COUNT(DISTINCT NoPers) FROM IndexNomPrenoms WHERE Nom >= 'M' COLLATE NOCASE AND Nom < 'N' COLLATE NOCASE "
                       "GROUP BY Nom");
  state.counters["patronymes"] = static_cast<double>(n);
}
BENCHMARK(BM_Recherche_RetournePatronyme_Plancher)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kyb
