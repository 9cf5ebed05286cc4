#include "store/chps_personne.h"

#include <algorithm>
#include <numeric>

#include "dates/calcjours.h"

namespace kyb {

void TChpsPersonne::SetConjoints(const TEnregPublic& personne) {
  Conjoints.clear();
  for (const TLienConj& c : personne.Conjoints) Conjoints.push_back(c.Lien.No);
  while (!Conjoints.empty() && Conjoints.back() == 0) Conjoints.pop_back();
}

int TChpsPersonne::RetourneRgConj(long n) const {
  if (n == 0) return 0;
  for (size_t i = Conjoints.size(); i > 0; --i)
    if (Conjoints[i - 1] == n) return static_cast<int>(i);
  return 0;
}

void TChpsPersonne::Vide() {
  Evenements.clear();
  Partages.clear();
  ChpsSimples.clear();
  EvensSupprimes.clear();
  ChpsSupprimes.clear();
  EvenementsCharges = ChpsSimplesCharges = false;
}

int TChpsPersonne::AddEvenInTV(const TEvenement& even, bool partage) {
  TEvenementTV tv{even, RetourneRgConj(even.NoConjoint(NoPers)), ordre_++};
  const auto it = std::upper_bound(Evenements.begin(), Evenements.end(), tv);
  const auto position = it - Evenements.begin();
  Evenements.insert(it, std::move(tv));
  Partages.insert(Partages.begin() + position, partage);
  return static_cast<int>(position);
}

int TChpsPersonne::AddChpsSimpleInTV(const TChpsSimple& chps) {
  TChpsSimpleTV tv{chps, RetourneRgConj(chps.NoConjoint(NoPers)), ordre_++};
  const auto it = std::upper_bound(ChpsSimples.begin(), ChpsSimples.end(), tv, TChpsSimpleTV::Compare);
  const auto position = it - ChpsSimples.begin();
  ChpsSimples.insert(it, std::move(tv));
  return static_cast<int>(position);
}

bool TChpsPersonne::SupprEvenNo(int position) {
  if (position < 0 || position >= GetNbInfoEven()) return false;
  const auto p = static_cast<size_t>(position);
  if (Evenements[p].Even.Enreg.ID > 0 && !Partages[p]) EvensSupprimes.push_back(Evenements[p].Even.Enreg.ID);
  Evenements.erase(Evenements.begin() + position);
  Partages.erase(Partages.begin() + position);
  return true;
}

bool TChpsPersonne::SupprChpsSimpleNo(int position) {
  if (position < 0 || position >= GetNbChpsSimple()) return false;
  const auto p = static_cast<size_t>(position);
  if (ChpsSimples[p].Chps.Enreg.ID > 0) ChpsSupprimes.push_back(ChpsSimples[p].Chps.Enreg.ID);
  ChpsSimples.erase(ChpsSimples.begin() + position);
  return true;
}

void TChpsPersonne::Trie() {
  std::vector<std::pair<TEvenementTV, bool>> paires;
  for (size_t i = 0; i < Evenements.size(); ++i) {
    Evenements[i].RgConj = RetourneRgConj(Evenements[i].Even.NoConjoint(NoPers));
    paires.emplace_back(std::move(Evenements[i]), Partages[i]);
  }
  std::sort(paires.begin(), paires.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  for (size_t i = 0; i < paires.size(); ++i) {
    Evenements[i] = std::move(paires[i].first);
    Partages[i] = paires[i].second;
  }
  for (auto& c : ChpsSimples) c.RgConj = RetourneRgConj(c.Chps.NoConjoint(NoPers));
  std::sort(ChpsSimples.begin(), ChpsSimples.end(), TChpsSimpleTV::Compare);
}

int TChpsPersonne::GetRgEven(std::string_view libelle, long conjoint) const {
  for (size_t i = 0; i < Evenements.size(); ++i) {
    const TEvenement& e = Evenements[i].Even;
    if (e.IsLibelleChamps(libelle) && (conjoint < 0 || e.NoConjoint(NoPers) == conjoint)) return static_cast<int>(i);
  }
  return -1;
}

int TChpsPersonne::GetRgChpsSimple(std::string_view libelle) const {
  for (size_t i = 0; i < ChpsSimples.size(); ++i)
    if (ChpsSimples[i].Chps.IsLibelleChamps(libelle)) return static_cast<int>(i);
  return -1;
}

int TChpsPersonne::GetRgEvenByID(long id) const {
  for (size_t i = 0; i < Evenements.size(); ++i)
    if (Evenements[i].Even.Enreg.ID == id) return static_cast<int>(i);
  return -1;
}

namespace {

// "<" before no qualifier before the others, for two events of equal dates.
int RangActe(const TDateKY& d) {
  if (d.IsActeInferieur()) return 0;
  if (d.ActeVide()) return 1;
  return 2;
}

TDateKY DateDeTri(const TDateKY& d) {
  TDateKY copie = d;
  if (copie.DateFormatFourchette()) (void)copie.CalculDateMoyenneFourchette(true);
  return copie;
}

// Stable chronological order of the given positions; undated ones last.
void TrieChrono(const TChpsPersonne& p, std::vector<int>& positions) {
  std::vector<TDateKY> dates;
  for (const auto& e : p.Evenements) dates.push_back(DateDeTri(e.Even.Enreg.Date));
  std::stable_sort(positions.begin(), positions.end(), [&](int a, int b) {
    const TDateKY& da = dates[static_cast<size_t>(a)];
    const TDateKY& db = dates[static_cast<size_t>(b)];
    // An unreadable date text counts as no date.
    const bool videA = da.DateVide() || !da.CalculDatePossible();
    const bool videB = db.DateVide() || !db.CalculDatePossible();
    if (videA || videB) return !videA && videB;
    const int c = CompareDate(da, db, 0, 0, false);
    if (c != 0) return c < 0;
    return RangActe(da) < RangActe(db);
  });
}

}  // namespace

std::vector<int> ClassementChronoEven(const TChpsPersonne& personne) {
  std::vector<int> positions(personne.Evenements.size());
  std::iota(positions.begin(), positions.end(), 0);
  TrieChrono(personne, positions);
  return positions;
}

std::vector<int> ClassementTypeEven(const TChpsPersonne& personne,
                                    const std::function<int(const AnsiString&)>& rangLibelle) {
  std::vector<int> positions = ClassementChronoEven(personne);
  const auto rang = [&](int position) {
    const int r = rangLibelle ? rangLibelle(personne.Evenements[static_cast<size_t>(position)].Even.Enreg.LibelleChamps) : -1;
    return r < 0 ? 1 << 30 : r;
  };
  std::stable_sort(positions.begin(), positions.end(), [&](int a, int b) { return rang(a) < rang(b); });
  return positions;
}

}  // namespace kyb
