#include "persons/tables_parente.h"

#include <algorithm>
#include <map>
#include <vector>

namespace kyb {
namespace {

using TNumeros = std::vector<int32_t>;

// Reads each person once per builder call; persons that are not live read as absent.
class TLecteur {
 public:
  // An unnumbered person is known under a key of its own.
  static constexpr long kSansNumero = -7;
  explicit TLecteur(const TPerson& origine)
      : fichier_(origine.Fichier()), soi_(origine.Numero() > 0 ? origine.Numero() : kSansNumero) {
    lus_.emplace(soi_, std::make_unique<TPerson>(origine));
  }
  [[nodiscard]] long Soi() const { return soi_; }
  const TPerson* Lit(long no) {
    if (no == soi_) return lus_[no].get();
    if (no <= 0 || !fichier_) return nullptr;
    auto it = lus_.find(no);
    if (it == lus_.end()) {
      auto p = std::make_unique<TPerson>(fichier_, 0);
      if (!LitPersonneVivante(*fichier_, no, *p)) p.reset();
      it = lus_.emplace(no, std::move(p)).first;
    }
    return it->second.get();
  }

 private:
  TFicPersons* fichier_;
  long soi_;
  std::map<long, std::unique_ptr<TPerson>> lus_;
};

void Ajoute(TNumeros& v, int32_t no) {
  if (no > 0 && v.size() < static_cast<size_t>(kMaxTableLong) && std::find(v.begin(), v.end(), no) == v.end())
    v.push_back(no);
}

TNumeros Parents(TLecteur& l, long no) {
  TNumeros v;
  if (const TPerson* p = l.Lit(no)) {
    for (const int32_t parent : {p->Public.Pere.No, p->Public.Mere.No})
      if (l.Lit(parent)) Ajoute(v, parent);
  }
  return v;
}

TNumeros Enfants(TLecteur& l, long no) {
  TNumeros v;
  if (const TPerson* p = l.Lit(no))
    for (const TLienPers& e : p->Public.Enfants)
      if (l.Lit(e.No)) Ajoute(v, e.No);
  return v;
}

TNumeros ParentsDe(TLecteur& l, const TNumeros& personnes) {
  TNumeros v;
  for (const int32_t no : personnes)
    for (const int32_t parent : Parents(l, no)) Ajoute(v, parent);
  return v;
}

TNumeros EnfantsDe(TLecteur& l, const TNumeros& personnes) {
  TNumeros v;
  for (const int32_t no : personnes)
    for (const int32_t enfant : Enfants(l, no)) Ajoute(v, enfant);
  return v;
}

TNumeros FreresSoeurs(TLecteur& l, long no, bool premier, bool demi) {
  TNumeros v;
  const TPerson* p = l.Lit(no);
  if (!p) return v;
  const int32_t pere = p->Public.Pere.No, mere = p->Public.Mere.No;
  const TNumeros dePere = Enfants(l, pere), deMere = Enfants(l, mere);
  if (demi) {
    for (const int32_t e : dePere) Ajoute(v, e);
    for (const int32_t e : deMere) Ajoute(v, e);
  } else if (pere > 0 && mere > 0) {
    for (const int32_t e : dePere)
      if (std::find(deMere.begin(), deMere.end(), e) != deMere.end()) Ajoute(v, e);
  } else {
    // One parent known: its children by another partner are half-siblings; the full ones have
    // no other known parent either.
    for (const int32_t e : pere > 0 ? dePere : deMere) {
      const TPerson* enfant = l.Lit(e);
      if (enfant && !l.Lit(pere > 0 ? enfant->Public.Mere.No : enfant->Public.Pere.No)) Ajoute(v, e);
    }
  }
  if (premier) {
    const TNoParent& a = p->NoParents();
    for (const int32_t parent : {a.PereA, a.MereA, a.PereB, a.MereB})
      for (const int32_t e : Enfants(l, parent)) Ajoute(v, e);
  }
  std::erase(v, static_cast<int32_t>(no));
  std::erase(v, static_cast<int32_t>(l.Soi()));
  return v;
}

TNumeros FreresSoeursDe(TLecteur& l, const TNumeros& personnes) {
  TNumeros v;
  for (const int32_t no : personnes)
    for (const int32_t f : FreresSoeurs(l, no, false, true)) Ajoute(v, f);
  return v;
}

// First cousins of each person of the list: children of the siblings of their parents.
TNumeros CousinsDe(TLecteur& l, const TNumeros& personnes) {
  TNumeros v;
  for (const int32_t no : personnes)
    for (const int32_t c : EnfantsDe(l, FreresSoeursDe(l, Parents(l, no)))) Ajoute(v, c);
  return v;
}

TNumeros Seul(long no) { return no != 0 ? TNumeros{static_cast<int32_t>(no)} : TNumeros{}; }

// Appends the numbers after the entries already there, skipping the person itself; the count
// of entries added goes to nb.
class TRemplissage {
 public:
  TRemplissage(TTableLong& tab, int& nb, long soi) : tab_(tab), nb_(nb), soi_(soi) {
    nb_ = 0;
    for (fin_ = 0; fin_ < kMaxTableLong && tab_[static_cast<size_t>(fin_)] != 0; ++fin_) {}
  }
  void Ajoute(const TNumeros& v) {
    for (const int32_t no : v) {
      if (no == soi_ || fin_ >= kMaxTableLong || IsPersInTab(tab_, no, fin_)) continue;
      tab_[static_cast<size_t>(fin_++)] = no;
      ++nb_;
    }
  }
  // Two halves with a separator between them; no separator when one half is empty.
  void AjouteMoities(const TNumeros& premiere, const TNumeros& seconde, int32_t separateur) {
    const int avant = nb_;
    Ajoute(premiere);
    const bool premierePresente = nb_ > avant;
    if (premierePresente && fin_ < kMaxTableLong && !seconde.empty()) {
      const int posSeparateur = fin_;
      tab_[static_cast<size_t>(fin_++)] = separateur;
      ++nb_;
      const int avantSeconde = nb_;
      Ajoute(seconde);
      if (nb_ == avantSeconde) {  // nothing after the separator: it goes
        tab_[static_cast<size_t>(posSeparateur)] = 0;
        --fin_;
        --nb_;
      }
    } else {
      Ajoute(seconde);
    }
  }

 private:
  TTableLong& tab_;
  int& nb_;
  long soi_;
  int fin_ = 0;
};

template <typename F>
TTableLong& Remplit(const TPerson& p, TTableLong& tab, int& nb, F&& membres) {
  TLecteur l(p);
  TRemplissage r(tab, nb, p.Numero());
  r.Ajoute(membres(l));
  return tab;
}

}  // namespace

std::unique_ptr<TTableLong> AlloueTableLong() { return std::make_unique<TTableLong>(); }

bool AjouteNoTableLong(TTableLong& tab, int capacite, int32_t no) {
  const int n = std::clamp(capacite, 0, kMaxTableLong);
  if (no == 0) return true;
  int libre = -1;
  for (int i = 0; i < n; ++i) {
    const int32_t v = tab[static_cast<size_t>(i)];
    if (v == no) return true;
    if (v == 0 && libre < 0) libre = i;
  }
  if (libre < 0) return false;
  tab[static_cast<size_t>(libre)] = no;
  return true;
}

void MetAZeroNoTableLong(TTableLong& tab, int32_t no) { std::replace(tab.begin(), tab.end(), no, 0); }

void RecompactTableLong(TTableLong& tab) {
  const auto fin = std::stable_partition(tab.begin(), tab.end(), [](int32_t v) { return v != 0; });
  std::fill(fin, tab.end(), 0);
}

int CompteNoTableLong(const TTableLong& tab) {
  return static_cast<int>(std::count_if(tab.begin(), tab.end(), [](int32_t v) { return v != 0; }));
}

bool IsPersInTab(const TTableLong& tab, int32_t no, int nb) {
  const int n = std::clamp(nb, 0, kMaxTableLong);
  return std::find(tab.begin(), tab.begin() + n, no) != tab.begin() + n;
}

bool LitPersonneVivante(TFicPersons& fichier, long no, TPerson& p) {
  if (no <= 0 || !fichier.NoPersValide(no)) return false;
  TPerson lu(&fichier, no);
  if (lu.FicheSupprimee()) return false;
  p = std::move(lu);
  return true;
}

TTableLong& RetourneTabParents(const TPerson& p, TTableLong& tab, int& nb) {
  return Remplit(p, tab, nb, [&](TLecteur& l) { return Parents(l, l.Soi()); });
}

TTableLong& RetourneTabConjoints(const TPerson& p, TTableLong& tab, int& nb) {
  return Remplit(p, tab, nb, [&](TLecteur& l) {
    TNumeros v;
    for (const TLienConj& c : p.Public.Conjoints)
      if (l.Lit(c.Lien.No)) Ajoute(v, c.Lien.No);
    return v;
  });
}

TTableLong& RetourneTabEnfants(const TPerson& p, TTableLong& tab, int& nb) {
  return Remplit(p, tab, nb, [&](TLecteur& l) {
    TNumeros v;
    for (const TLienPers& e : p.Public.Enfants)
      if (l.Lit(e.No)) Ajoute(v, e.No);
    return v;
  });
}

TTableLong& RetourneTabFreresSoeurs(const TPerson& p, TTableLong& tab, int& nb, bool premier, bool demi) {
  return Remplit(p, tab, nb, [&](TLecteur& l) { return FreresSoeurs(l, l.Soi(), premier, demi); });
}

TTableLong& RetourneTabFreresSoeursComplet(const TPerson& p, TTableLong& tab, int& nb) {
  return RetourneTabFreresSoeurs(p, tab, nb, true, true);
}

TTableLong& RetourneTabGrdParents(const TPerson& p, TTableLong& tab, int& nb, bool paternelSeul) {
  TLecteur l(p);
  TRemplissage r(tab, nb, p.Numero());
  const TNumeros seconde = paternelSeul ? TNumeros{} : Parents(l, p.Public.Mere.No);
  r.AjouteMoities(Parents(l, p.Public.Pere.No), seconde, kSeparateurGrdParents);
  return tab;
}

TTableLong& RetourneTabArrGrdParents(const TPerson& p, TTableLong& tab, int& nb) {
  return Remplit(p, tab, nb, [&](TLecteur& l) { return ParentsDe(l, ParentsDe(l, Parents(l, l.Soi()))); });
}

TTableLong& RetourneTabTrisaieuls(const TPerson& p, TTableLong& tab, int& nb) {
  return Remplit(p, tab, nb,
                 [&](TLecteur& l) { return ParentsDe(l, ParentsDe(l, ParentsDe(l, Parents(l, l.Soi())))); });
}

TTableLong& RetourneTabPetitsEnfants(const TPerson& p, TTableLong& tab, int& nb) {
  return Remplit(p, tab, nb, [&](TLecteur& l) { return EnfantsDe(l, Enfants(l, l.Soi())); });
}

TTableLong& RetourneTabArrieresPetitsEnfants(const TPerson& p, TTableLong& tab, int& nb) {
  return Remplit(p, tab, nb, [&](TLecteur& l) { return EnfantsDe(l, EnfantsDe(l, Enfants(l, l.Soi()))); });
}

TTableLong& RetourneTabOnclesTantes(const TPerson& p, TTableLong& tab, int& nb, bool paternelSeul, bool tableAllouee) {
  TLecteur l(p);
  TRemplissage r(tab, nb, p.Numero());
  const TNumeros seconde = paternelSeul ? TNumeros{} : FreresSoeurs(l, p.Public.Mere.No, false, true);
  r.AjouteMoities(FreresSoeurs(l, p.Public.Pere.No, false, true), seconde,
                  tableAllouee ? kSeparateurAlloue : kSeparateurGrdParents);
  return tab;
}

TTableLong& RetourneTabGrdOnclesTantes(const TPerson& p, TTableLong& tab, int& nb) {
  return Remplit(p, tab, nb, [&](TLecteur& l) { return FreresSoeursDe(l, ParentsDe(l, Parents(l, l.Soi()))); });
}

TTableLong& RetourneTabArrGrdOnclesTantes(const TPerson& p, TTableLong& tab, int& nb) {
  return Remplit(p, tab, nb, [&](TLecteur& l) {
    return FreresSoeursDe(l, ParentsDe(l, ParentsDe(l, Parents(l, l.Soi()))));
  });
}

TTableLong& RetourneTabNeveuxNieces(const TPerson& p, TTableLong& tab, int& nb) {
  return Remplit(p, tab, nb, [&](TLecteur& l) { return EnfantsDe(l, FreresSoeurs(l, l.Soi(), false, true)); });
}

TTableLong& RetourneTabCousins(const TPerson& p, TTableLong& tab, int& nb, bool paternelSeul) {
  return Remplit(p, tab, nb, [&](TLecteur& l) {
    const TNumeros parents = paternelSeul ? Seul(p.Public.Pere.No) : Parents(l, l.Soi());
    return EnfantsDe(l, FreresSoeursDe(l, parents));
  });
}

TTableLong& RetourneTabCousinsIssusDeGermain(const TPerson& p, TTableLong& tab, int& nb) {
  return Remplit(p, tab, nb, [&](TLecteur& l) { return EnfantsDe(l, CousinsDe(l, Parents(l, l.Soi()))); });
}

TTableLong& RetourneTabCousinsRemuesDeGermain(const TPerson& p, TTableLong& tab, int& nb) {
  return Remplit(p, tab, nb, [&](TLecteur& l) { return EnfantsDe(l, CousinsDe(l, Seul(l.Soi()))); });
}

TTableLong& RetourneTabCousinsParents(const TPerson& p, TTableLong& tab, int& nb, bool paternelSeul) {
  return Remplit(p, tab, nb, [&](TLecteur& l) {
    return CousinsDe(l, paternelSeul ? Seul(p.Public.Pere.No) : Parents(l, l.Soi()));
  });
}

TTableLong& RetourneTabCousinsIssusGermainParents(const TPerson& p, TTableLong& tab, int& nb) {
  return RetourneTabCousinsParents(p, tab, nb, false);
}

TTableLong& RetourneTabCousinsGrdParents(const TPerson& p, TTableLong& tab, int& nb) {
  return Remplit(p, tab, nb, [&](TLecteur& l) { return CousinsDe(l, ParentsDe(l, Parents(l, l.Soi()))); });
}

}  // namespace kyb
