// The several Sosa numbers of a person (implex) and the ancestry of a root in Sosa order.
#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "folder/bo_math.h"
#include "folder/gest_fic_sosa.h"
#include "names/g_nopers.h"
#include "folder/gest_fic_pers.h"

namespace kyb {
namespace {

// A person on the walk down to the root: its numbered children, each with the person's role.
struct TDescente {
  explicit TDescente(long n) : no(n) {}
  long no;
  bool prepare = false;
  std::vector<std::pair<long, bool>> enfants;  // (child, the person is its mother)
  size_t suivant = 0;
};

void Fusionne(std::vector<NTL::ZZ>& numeros) {
  std::sort(numeros.begin(), numeros.end());
  numeros.erase(std::unique(numeros.begin(), numeros.end()), numeros.end());
  if (numeros.size() > TFicSosas::kMaxNumeros) numeros.resize(TFicSosas::kMaxNumeros);
}

}  // namespace

std::vector<NTL::ZZ> TFicSosas::ChargeNosStrados(long no, bool progression, TInterfaceUtilisateur* proprietaire) {
  // Numbers of a person = for each numbered child c, 2m (father) or 2m + 1 (mother) for every
  // number m of c; the root has 1. Children are walked down with an explicit stack; a child
  // still on the stack (a loop in the links) is skipped.
  TProgression avancement(progression ? proprietaire : nullptr, u"Recherche des numéros Sosa...",
                          static_cast<int>(std::max(1L, NbPersonnes())));
  std::unordered_map<long, std::vector<NTL::ZZ>> numeros;
  std::unordered_set<long> enCours;
  std::vector<TDescente> pile{TDescente(no)};
  while (!pile.empty()) {
    if (avancement.Annulee() || dossier_->Erreur) return {};
    const size_t haut = pile.size() - 1;
    if (!pile[haut].prepare) {
      const long n = pile[haut].no;
      const NTL::ZZ propre = NoDansFichier(n) ? LectureNoStrado(n) : NTL::ZZ(0);
      if (propre == 1 || propre <= 0) {  // the root, or a person outside the numbering
        numeros[n] = propre == 1 ? std::vector<NTL::ZZ>{NTL::ZZ(1)} : std::vector<NTL::ZZ>{};
        pile.pop_back();
        continue;
      }
      pile[haut].prepare = true;
      enCours.insert(n);
      avancement.Avance();
      const auto liste = Lit(n).Enfants;
      for (const long e : EnfantsDe(n, liste)) {
        if (!IsExist(e)) continue;
        const TEnregPublic& enfant = Lit(e);
        if (enfant.Pere.No == n) pile[haut].enfants.emplace_back(e, false);
        if (enfant.Mere.No == n) pile[haut].enfants.emplace_back(e, true);
      }
    }
    TDescente& d = pile[haut];
    if (d.suivant < d.enfants.size()) {
      const long enfant = d.enfants[d.suivant].first;
      if (numeros.count(enfant) || enCours.count(enfant))
        ++d.suivant;
      else
        pile.emplace_back(enfant);
      continue;
    }
    std::vector<NTL::ZZ> siens;
    for (const auto& [enfant, mere] : d.enfants) {
      const auto it = numeros.find(enfant);
      if (it == numeros.end()) continue;
      for (const NTL::ZZ& m : it->second) siens.push_back(RetSosaDuParent(m, !mere));
    }
    Fusionne(siens);
    numeros[d.no] = std::move(siens);
    enCours.erase(d.no);
    pile.pop_back();
  }
  return numeros[no];
}

bool TFicSosas::IsNosStrados(long no, bool progression, TInterfaceUtilisateur* proprietaire) {
  return ChargeNosStrados(no, progression, proprietaire).size() > 1;
}

TBilanAscendance TFicSosas::ChargeAscendance(long racine, int generations, TGestNoPersSosa& table) {
  TBilanAscendance bilan;
  table.Raz();
  if (!NoDansFichier(racine)) return bilan;
  generations = std::min(generations, static_cast<int>(kSosaBitsMax) - 1);
  std::vector<std::pair<long, NTL::ZZ>> courante{{racine, NTL::ZZ(1)}};
  std::unordered_map<long, NTL::ZZ> premier{{racine, NTL::ZZ(1)}};
  table.CreerNoPers(NTL::ZZ(1), racine);
  const TParentsCharges charges(*this);
  for (int g = 1; g <= generations && !courante.empty() && !dossier_->Erreur; ++g) {
    std::vector<std::pair<long, NTL::ZZ>> suivante;
    for (const auto& [no, sosa] : courante) {
      const TParentsSosa p = Parents(no);
      const long parents[2] = {p.Pere, p.Mere};
      for (int i = 0; i < 2; ++i) {
        const long parent = parents[i];
        if (!NoDansFichier(parent)) continue;
        NTL::ZZ s = RetSosaDuParent(sosa, i == 0);
        table.CreerNoPers(s, parent);
        bilan.Generations = g;
        const auto [it, nouveau] = premier.emplace(parent, s);
        if (nouveau) {
          suivante.emplace_back(parent, std::move(s));
        } else if (NTL::NumBits(s) > NTL::NumBits(it->second) &&
                   (s >> (NTL::NumBits(s) - NTL::NumBits(it->second))) == it->second) {
          bilan.Boucles.push_back(parent);  // met again above its own first place
        }
      }
    }
    courante = std::move(suivante);
  }
  return bilan;
}

}  // namespace kyb
