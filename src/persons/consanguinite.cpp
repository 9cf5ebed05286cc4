#include "persons/consanguinite.h"

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <tuple>
#include <unordered_map>
#include <unordered_set>

namespace kyb {
namespace {

struct THachePaire {
  size_t operator()(const std::pair<long, long>& p) const {
    return std::hash<long>()(p.first) * 1000003u ^ std::hash<long>()(p.second);
  }
};

class TCalculParente {
 public:
  TCalculParente(TGrapheParente& g, long a, long b, int maxGenerations)
      : g_(g), union_(g.AscendanceCommune({a, b}, maxGenerations)) {
    const TAscendance& ascA = g.Ascendance(a, maxGenerations);
    const TAscendance& ascB = g.Ascendance(b, maxGenerations);
    // The persons with a common ancestor of a and b in their ascendancy (themselves included):
    // kinship is 0 for every pair where one is outside.
    for (const long x : union_.Ordre) {
      const auto [pere, mere] = Parents(x);
      if ((ascA.Contient(x) && ascB.Contient(x)) || utiles_.count(pere) || utiles_.count(mere)) utiles_.insert(x);
    }
  }

  [[nodiscard]] std::pair<long, long> Parents(long x) const { return union_.Parents(g_.Noeud(x), x); }

  // The pair ordered by rank (parents before children), or nothing when its kinship is 0.
  [[nodiscard]] std::optional<std::pair<long, long>> Cle(long x, long y) const {
    if (!utiles_.count(x) || !utiles_.count(y)) return std::nullopt;
    return Rang(x) <= Rang(y) ? std::pair(x, y) : std::pair(y, x);
  }
  [[nodiscard]] int Rang(long x) const { return union_.Rang.at(x); }

  // The pairs the kinship of (x, y) is computed from, with y the later in rank.
  [[nodiscard]] std::vector<std::pair<long, long>> Sources(const std::pair<long, long>& c) const {
    std::vector<std::pair<long, long>> s;
    const auto ajoute = [&](long u, long v) {
      if (const auto k = Cle(u, v)) s.push_back(*k);
    };
    if (c.first == c.second) {
      const auto [pere, mere] = Parents(c.first);
      ajoute(pere, mere);
    } else {
      const auto [pere, mere] = Parents(c.second);
      ajoute(c.first, pere);
      ajoute(c.first, mere);
    }
    return s;
  }

  // Kinship of a pair, each pair computed once, without recursion (a collapse of many
  // generations would make it deep).
  TFractionDyadique Phi(long x, long y) {
    const auto cle = Cle(x, y);
    if (!cle) return {};
    std::vector<std::pair<long, long>> pile{*cle};
    while (!pile.empty()) {
      const auto c = pile.back();
      if (memo_.count(c)) {
        pile.pop_back();
        continue;
      }
      const auto sources = Sources(c);
      bool prets = true;
      for (const auto& s : sources)
        if (!memo_.count(s)) {
          pile.push_back(s);
          prets = false;
        }
      if (!prets) continue;
      TFractionDyadique v = c.first == c.second ? TFractionDyadique(1, 0) : TFractionDyadique();
      for (const auto& s : sources) v += memo_.at(s);
      memo_.emplace(c, v.Moitie());
      pile.pop_back();
    }
    return memo_.at(*cle);
  }

  TFractionDyadique Consanguinite(long x) {
    const auto [pere, mere] = Parents(x);
    return Phi(pere, mere);
  }

  // Every pair reached from (a, b), the later ones first, with the weight of the ways from
  // (a, b) to it; a pair of one person closes loops through that ancestor.
  std::vector<TContributionParente> Contributions(long a, long b) {
    std::vector<TContributionParente> r;
    using TCle = std::tuple<int, long, long>;
    std::map<TCle, TFractionDyadique, std::greater<>> attente;
    const auto ajoute = [&](const std::pair<long, long>& c, const TFractionDyadique& poids) {
      attente[{std::max(Rang(c.first), Rang(c.second)), c.first, c.second}] += poids;
    };
    if (const auto c = Cle(a, b)) ajoute(*c, TFractionDyadique(1, 0));
    while (!attente.empty()) {
      const auto [x, y] = std::pair(std::get<1>(attente.begin()->first), std::get<2>(attente.begin()->first));
      const TFractionDyadique poids = attente.begin()->second;
      attente.erase(attente.begin());
      if (x == y) {
        const TFractionDyadique f = Consanguinite(x);
        r.push_back({x, (poids * (f + TFractionDyadique(1, 0))).Moitie(), f});
        continue;
      }
      for (const auto& s : Sources({x, y})) ajoute(s, poids.Moitie());
    }
    std::sort(r.begin(), r.end(), [](const TContributionParente& u, const TContributionParente& v) {
      const double du = u.Part.EnDouble(), dv = v.Part.EnDouble();
      return du != dv ? du > dv : u.Ancetre < v.Ancetre;
    });
    return r;
  }

 private:
  TGrapheParente& g_;
  TAscendance union_;
  std::unordered_set<long> utiles_;
  std::unordered_map<std::pair<long, long>, TFractionDyadique, THachePaire> memo_;
};

}  // namespace

TCoefficientParente CoefficientParente(TGrapheParente& g, long a, long b, int maxGenerations) {
  TCoefficientParente r;
  const int lues = g.PersonnesLues();
  if (g.Noeud(a).Vivant && g.Noeud(b).Vivant) {
    TCalculParente calcul(g, a, b, maxGenerations);
    r.Valeur = calcul.Phi(a, b);
    r.Contributions = calcul.Contributions(a, b);
  }
  r.PersonnesLues = g.PersonnesLues() - lues;
  return r;
}

TCoefficientParente CoefficientConsanguinite(TGrapheParente& g, long no, int maxGenerations) {
  const TNoeudParente& n = g.Noeud(no);
  if (n.Pere <= 0 || n.Mere <= 0) return {};
  const int lues = g.PersonnesLues();
  TCoefficientParente r = CoefficientParente(g, n.Pere, n.Mere, maxGenerations > 0 ? maxGenerations - 1 : 0);
  r.PersonnesLues = g.PersonnesLues() - lues;
  return r;
}

}  // namespace kyb
