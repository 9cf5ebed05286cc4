#include "index/statistiques_genealogie.h"

#include <algorithm>
#include <vector>

#include "folder/gest_fic.h"
#include "index/annees_vie.h"
#include "store/datamodulebdd.h"

namespace kyb {
namespace {

int Siecle(int annee) { return (annee - 1) / 100 + 1; }

}  // namespace

bool CalculeStatistiques(TGestFichier& g, TStatistiques& s) {
  TModuleBDD* m = g.GetModuleBDD();
  if (!m || !LitDecomptes(*m, s.Decomptes)) return false;
  const long max = m->GetMaxNoPers();
  std::vector<TCollecteAnneesVie> collectes(static_cast<size_t>(std::max(max, 0L)) + 1);
  if (!m->ParcoursEvenementsVie(0, [&collectes](long no, std::string_view libelle, const TDateKY& date) {
        if (no >= 1 && static_cast<size_t>(no) < collectes.size()) collectes[static_cast<size_t>(no)].Ajoute(libelle, date);
      }))
    return false;
  for (const long n : m->GetListPersSuppr())
    if (n >= 1 && static_cast<size_t>(n) < collectes.size()) collectes[static_cast<size_t>(n)] = {};
  long long totalAges = 0;
  long nes = 0;
  for (size_t n = 1; n < collectes.size(); ++n) {
    const TAnneesVie a = collectes[n].Annees();
    if (!a.Min) continue;
    ++nes;
    ++s.ParSiecle[Siecle(a.Min)];
    if (a.Max && a.Max >= a.Min) {
      ++s.DureesConnues;
      totalAges += a.Max - a.Min;
    }
  }
  s.NaissancesInconnues = std::max(0L, s.Decomptes.Personnes - nes);
  if (s.DureesConnues) s.DureeVieMoyenne = static_cast<double>(totalAges) / static_cast<double>(s.DureesConnues);
  return true;
}

}  // namespace kyb
