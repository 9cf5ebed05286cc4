// Value tables and dictionaries over 100,000 distinct French places (commune names built from the
// usual patterns, with their department and region, country France): loading a table from the
// store and from a value file, Cherche of known places, Cherche adding new ones (alone, and many
// during an import one by one or in bulk), and RechercheBDD of a typed beginning (the first 20
// matches) over the store's places.
// Run: kybase_bench --benchmark_filter=Lieux
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <set>

#include "dictionaries/gestduplicat.h"
#include "folder/fic_dupli.h"
#include "platform/fichiers.h"
#include "platform/thread_nom.h"
#include "store/datamodulebdd.h"
#include "index/ouverture_genealogie.h"

namespace kyb {
namespace {

constexpr size_t kLieux = 100'000;
const AnsiString kRacine = "/tmp/kyb-bench-lieux/";

struct TDepartement {
  const char *nom, *code, *region;
};
constexpr TDepartement kDepartements[] = {
    {"Ain", "01", "Auvergne-Rhône-Alpes"}, {"Aisne", "02", "Hauts-de-France"},
    {"Allier", "03", "Auvergne-Rhône-Alpes"}, {"Ardèche", "07", "Auvergne-Rhône-Alpes"},
    {"Ardennes", "08", "Grand Est"}, {"Aube", "10", "Grand Est"}, {"Aude", "11", "Occitanie"},
    {"Aveyron", "12", "Occitanie"}, {"Calvados", "14", "Normandie"},
    {"Cantal", "15", "Auvergne-Rhône-Alpes"}, {"Charente", "16", "Nouvelle-Aquitaine"},
    {"Cher", "18", "Centre-Val de Loire"}, {"Corrèze", "19", "Nouvelle-Aquitaine"},
    {"Côte-d'Or", "21", "Bourgogne-Franche-Comté"}, {"Côtes-d'Armor", "22", "Bretagne"},
    {"Creuse", "23", "Nouvelle-Aquitaine"}, {"Dordogne", "24", "Nouvelle-Aquitaine"},
    {"Doubs", "25", "Bourgogne-Franche-Comté"}, {"Drôme", "26", "Auvergne-Rhône-Alpes"},
    {"Eure", "27", "Normandie"}, {"Finistère", "29", "Bretagne"}, {"Gard", "30", "Occitanie"},
    {"Gers", "32", "Occitanie"}, {"Gironde", "33", "Nouvelle-Aquitaine"},
    {"Hérault", "34", "Occitanie"}, {"Ille-et-Vilaine", "35", "Bretagne"},
    {"Indre", "36", "Centre-Val de Loire"}, {"Isère", "38", "Auvergne-Rhône-Alpes"},
    {"Jura", "39", "Bourgogne-Franche-Comté"}, {"Landes", "40", "Nouvelle-Aquitaine"},
    {"Loire", "42", "Auvergne-Rhône-Alpes"}, {"Loiret", "45", "Centre-Val de Loire"},
    {"Lot", "46", "Occitanie"}, {"Manche", "50", "Normandie"}, {"Marne", "51", "Grand Est"},
    {"Mayenne", "53", "Pays de la Loire"}, {"Meuse", "55", "Grand Est"},
    {"Morbihan", "56", "Bretagne"}, {"Moselle", "57", "Grand Est"},
    {"Nièvre", "58", "Bourgogne-Franche-Comté"}, {"Nord", "59", "Hauts-de-France"},
    {"Oise", "60", "Hauts-de-France"}, {"Orne", "61", "Normandie"},
    {"Pas-de-Calais", "62", "Hauts-de-France"}, {"Puy-de-Dôme", "63", "Auvergne-Rhône-Alpes"},
    {"Saône-et-Loire", "71", "Bourgogne-Franche-Comté"}, {"Sarthe", "72", "Pays de la Loire"},
    {"Savoie", "73", "Auvergne-Rhône-Alpes"}, {"Somme", "80", "Hauts-de-France"},
    {"Tarn", "81", "Occitanie"}, {"Var", "83", "Provence-Alpes-Côte d'Azur"},
    {"Vendée", "85", "Pays de la Loire"}, {"Vienne", "86", "Nouvelle-Aquitaine"},
    {"Vosges", "88", "Grand Est"}, {"Yonne", "89", "Bourgogne-Franche-Comté"},
};

constexpr const char* kDebuts[] = {
    "Saint-", "Sainte-", "Le ", "La ", "Les ", "Villeneuve-", "Montigny-", "Beaumont-", "Château-",
    "Fontaine-", "Mont-", "Neuville-", "Bois-", "Val-", "Notre-Dame-de-", "", "", "", "", "",
};
constexpr const char* kNoms[] = {
    "Martin", "Germain", "Pierre", "Jean", "Étienne", "Laurent", "Hilaire", "Georges", "Julien",
    "Denis", "Aubin", "Amand", "Vincent", "Romain", "Quentin", "Sauveur", "Marcel", "Rémy",
    "Bonnet", "Chapelle", "Chêne", "Fontenay", "Moulin", "Essarts", "Aulnay", "Bréville",
    "Coulanges", "Villiers", "Marigny", "Varennes", "Ormes", "Vaux", "Brières", "Lavaur", "Aubrac",
    "Clairvaux", "Roche", "Bourg", "Pont", "Forges", "Maisons", "Granges", "Mesnil", "Houssaye",
};
constexpr const char* kSuites[] = {
    "", "", "", "-sur-Loire", "-sur-Seine", "-sur-Marne", "-sur-Mer", "-en-Bresse", "-en-Brie",
    "-le-Vieux", "-le-Château", "-les-Bains", "-du-Bois", "-des-Champs", "-la-Forêt",
    "-sous-Bois", "-d'Oingt", "-en-Vexin", "-lès-Nancy", "-de-Rivière",
};

// The places, distinct, in a fixed order: "Commune;Région", department code, "France".
const std::vector<TEltDupWideChn>& Lieux() {
  static const std::vector<TEltDupWideChn> lieux = [] {
    std::vector<TEltDupWideChn> r;
    std::set<UnicodeString> vus;
    std::mt19937 alea(42);
    while (r.size() < kLieux) {
      const auto& d = kDepartements[alea() % std::size(kDepartements)];
      std::string commune = std::string(kDebuts[alea() % std::size(kDebuts)]) + kNoms[alea() % std::size(kNoms)] +
                            kSuites[alea() % std::size(kSuites)];
      if (alea() % 3 == 0) commune += std::string("-") + kNoms[alea() % std::size(kNoms)];
      TEltDupWideChn e(U(commune + ";" + d.region), U(d.code), u"France");
      if (vus.insert(e.CleValeur() + u"|" + e.Code()).second) r.push_back(e);
    }
    return r;
  }();
  return lieux;
}

std::unique_ptr<TGestFichier> Dossier(bool creer) {
  return std::make_unique<TGestFichier>(kRacine + "Lieux.kya/Lieux.adb", AvecIndex(TGestFichier::TOptionsOuverture{.Creer = creer}));
}

// A folder whose store holds the 100,000 places and whose qualities file holds them too.
void Prepare() {
  static const bool fait = [] {
    NommeThreadPrincipal();
    (void)SupprimeArborescence(kRacine);
    auto g = Dossier(true);
    std::vector<TLieuBDD> lignes;
    for (const TEltDupWideChn& e : Lieux()) lignes.push_back({'N', e.Valeur(), e.Code(), e.Complement(), e.CleValeur()});
    (void)g->GetModuleBDD()->RemplaceLieux(lignes);
    // The qualities file gets the same texts, written here record by record in its layout.
    const AnsiString chemin = g->FabriqueNomFichier(TGestFichier::tfQualites);
    g.reset();
    std::string octets((kLieux + 1) * TFicDupli::kTailleEnreg, '\0');
    const auto texte = [&](size_t enreg, size_t offset, const UnicodeString& t) {
      for (size_t i = 0; i < t.size(); ++i) {
        octets[enreg * TFicDupli::kTailleEnreg + offset + 2 * i] = static_cast<char>(t[i] & 0xFF);
        octets[enreg * TFicDupli::kTailleEnreg + offset + 2 * i + 1] = static_cast<char>(t[i] >> 8);
      }
    };
    texte(0, 0, AnsiVersUnicode(std::to_string(kLieux)));
    octets[226] = 'O';
    for (size_t n = 1; n <= kLieux; ++n) {
      const TEltDupWideChn& e = Lieux()[n - 1];
      texte(n, 0, e.Valeur().substr(0, 50));
      texte(n, 102, e.Code());
      texte(n, 124, e.Complement());
      octets[n * TFicDupli::kTailleEnreg + 226] = 'N';
    }
    TFichier f = TFichier::Ouvre(chemin, TAcces::LectureEcriture, TCreation::Ecrase);
    (void)f.EcritA(0, octets.data(), octets.size());
    return true;
  }();
  (void)fait;
}

void BM_Lieux_ChargementStore(benchmark::State& state) {
  Prepare();
  auto g = Dossier(false);
  for (auto _ : state) {
    TFicDupli t(g.get(), TGestFichier::tfLieux, false);
    benchmark::DoNotOptimize(t.NbEnreg);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kLieux));
}
BENCHMARK(BM_Lieux_ChargementStore)->Unit(benchmark::kMillisecond);

void BM_Lieux_ChargementFichier(benchmark::State& state) {
  Prepare();
  auto g = Dossier(false);
  g->FicQualites.reset();  // the file's lock goes with it
  for (auto _ : state) {
    TFicDupli t(g.get(), TGestFichier::tfQualites, false);
    benchmark::DoNotOptimize(t.NbEnreg);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kLieux));
}
BENCHMARK(BM_Lieux_ChargementFichier)->Unit(benchmark::kMillisecond);

void BM_Lieux_ChercheSansAjout(benchmark::State& state) {
  Prepare();
  auto g = Dossier(false);
  TFicDupli& t = *g->GetFicLieux();
  std::vector<size_t> ordre(kLieux);
  for (size_t i = 0; i < kLieux; ++i) ordre[i] = i;
  std::shuffle(ordre.begin(), ordre.end(), std::mt19937(7));
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(t.Cherche(&Lieux()[ordre[i]], false));
    if (++i == kLieux) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Lieux_ChercheSansAjout);

// New places added one by one to a table of 100,000: type 0 the value file, 1 the store.
void BM_Lieux_ChercheAvecAjout(benchmark::State& state) {
  Prepare();
  auto g = Dossier(false);
  TFicDupli& t = state.range(0) ? *g->GetFicLieux() : *g->GetFicQualites();
  static long n = 0;  // the values stay in the tables from one run to the next
  for (auto _ : state) {
    state.PauseTiming();
    const TEltDupWideChn e(u"Nouveau-Lieu-" + AnsiVersUnicode(std::to_string(++n)) + u";Bretagne", u"29", u"France");
    state.ResumeTiming();
    benchmark::DoNotOptimize(t.Cherche(&e, true));
  }
  state.SetItemsProcessed(state.iterations());
  state.SetLabel(state.range(0) ? "store" : "fichier");
}
BENCHMARK(BM_Lieux_ChercheAvecAjout)->Arg(0)->Arg(1)->Iterations(200)->Unit(benchmark::kMicrosecond);

// 10,000 new places added to the store's table of 100,000 during an import: one by one
// (ranking rebuilt at each new value) or in bulk (ranking rebuilt once at the end).
void BM_Lieux_AjoutsImport(benchmark::State& state) {
  Prepare();
  auto g = Dossier(false);
  TFicDupli& t = *g->GetFicLieux();
  constexpr int kNouveaux = 10'000;
  static long n = 0;
  std::vector<TEltDupWideChn> nouveaux;
  for (int i = 0; i < kNouveaux; ++i)
    nouveaux.emplace_back(u"Lieu-importé-" + AnsiVersUnicode(std::to_string(++n)) + u";Bretagne", u"29", u"France");
  std::shuffle(nouveaux.begin(), nouveaux.end(), std::mt19937(3));
  for (auto _ : state) {
    (void)g->GetModuleBDD()->BeginImport(false);
    if (state.range(0)) t.DebutAjoutsEnBloc();
    for (const TEltDupWideChn& e : nouveaux) benchmark::DoNotOptimize(t.Cherche(&e, true));
    if (state.range(0)) t.FinAjoutsEnBloc();
    (void)g->GetModuleBDD()->EndImport(false);
  }
  state.SetItemsProcessed(state.iterations() * kNouveaux);
  state.SetLabel(state.range(0) ? "en bloc" : "un par un");
}
BENCHMARK(BM_Lieux_AjoutsImport)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_Lieux_RechercheBDD(benchmark::State& state) {
  Prepare();
  auto g = Dossier(false);
  TGestDupChnLieu d(g->GetFicLieux());
  const UnicodeString debuts[] = {u"Saint-M", u"mont", u"La B", U("Villeneuve-sur-L"), u"Ch", U("é")};
  std::vector<UnicodeString> liste;
  size_t i = 0, trouves = 0;
  for (auto _ : state) {
    trouves += static_cast<size_t>(d.RechercheBDD(liste, debuts[i], 20));
    if (++i == std::size(debuts)) i = 0;
  }
  state.counters["valeurs/recherche"] = static_cast<double>(trouves) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_Lieux_RechercheBDD)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kyb
