// TPerson: family navigation and link editing.
#include <algorithm>

#include "persons/gest_pers.h"
#include "persons/tables_parente.h"

namespace kyb {
namespace {

size_t I(int i) { return static_cast<size_t>(i); }

}  // namespace

int TPerson::CompteNbConjointHors(long no) const {
  int n = 0;
  for (const TLienConj& c : Public.Conjoints) n += c.Lien.No > 0 && c.Lien.No != no;
  return n;
}

int TPerson::GetFirstNoConj() const {
  for (int i = 0; i < kMaxConjoints; ++i)
    if (Public.Conjoints[I(i)].Lien.No != 0) return i;
  return 0;
}

int TPerson::CompteNbEnfant(long conjoint) const {
  if (conjoint == 0) return CompteNbEnfant();
  int n = 0;
  for (const TLienPers& e : Public.Enfants) {
    if (e.No <= 0 || !fichier_) continue;
    TPerson enfant(fichier_, 0);
    n += LitPersonneVivante(*fichier_, e.No, enfant) && enfant.NoAutreParent(numero_) == conjoint;
  }
  return n;
}

bool TPerson::IsParentOf(long no, int debut) const {
  for (int i = std::max(debut, 0); i < kMaxEnfants && Public.Enfants[I(i)].No != 0; ++i)
    if (Public.Enfants[I(i)].No == no) return true;
  return false;
}

int TPerson::FirstNullChild() const {
  for (int i = 0; i < kMaxEnfants; ++i)
    if (Public.Enfants[I(i)].No == 0) return i;
  return -1;
}

long TPerson::NoAutreParent(long no) const {
  if (no == 0) return 0;
  if (no == Public.Pere.No) return Public.Mere.No;
  if (no == Public.Mere.No) return Public.Pere.No;
  return 0;
}

int TPerson::RetourneRgConj(long no) const {
  if (no == 0) return 0;
  for (int i = kMaxConjoints - 1; i >= 0; --i)
    if (Public.Conjoints[I(i)].Lien.No == no) return i + 1;
  return 0;
}

int TPerson::RetourneRgEnf(long no) const {
  if (no == 0) return 0;
  for (int i = kMaxEnfants - 1; i >= 0; --i)
    if (Public.Enfants[I(i)].No == no) return i + 1;
  return 0;
}

bool TPerson::SetLienConj(const TLienConj& lien) {
  const int rang = RetourneRgConj(lien.Lien.No);
  if (rang == 0) return false;
  Public.Conjoints[I(rang - 1)] = lien;
  return true;
}

int TPerson::AjouteEnf(long no, long conjoint) {
  if (no == 0) return 0;
  for (int i = 0; i < kMaxEnfants && Public.Enfants[I(i)].No != 0; ++i)
    if (Public.Enfants[I(i)].No == no) return i;
  RecompacteEnfant();
  int pos = FirstNullChild();
  if (pos < 0) return -1;
  Public.Enfants[I(pos)] = static_cast<int32_t>(no);
  const int rang = conjoint == -1 ? 0 : RetourneRgConj(conjoint);
  if (rang == 0 || !fichier_) return pos;
  while (pos > 0) {
    TPerson voisin(fichier_, 0);
    if (!LitPersonneVivante(*fichier_, Public.Enfants[I(pos - 1)].No, voisin)) break;
    const int rangVoisin = RetourneRgConj(voisin.NoAutreParent(numero_));
    if (rangVoisin <= rang) break;
    std::swap(Public.Enfants[I(pos - 1)], Public.Enfants[I(pos)]);
    --pos;
  }
  return pos;
}

void TPerson::RecompacteConjoint() {
  const auto fin = std::stable_partition(Public.Conjoints.begin(), Public.Conjoints.end(),
                                         [](const TLienConj& c) { return c.Lien.No != 0; });
  std::fill(fin, Public.Conjoints.end(), TLienConj());
}

void TPerson::RecompacteEnfant() {
  const auto fin = std::stable_partition(Public.Enfants.begin(), Public.Enfants.end(),
                                         [](const TLienPers& e) { return e.No != 0; });
  std::fill(fin, Public.Enfants.end(), TLienPers());
}

void TPerson::SupprimeConjoint(long no, bool& modifie) {
  if (no == 0) return;
  for (TLienConj& c : Public.Conjoints)
    if (c.Lien.No == no) {
      c = TLienConj();
      modifie = true;
    }
}

void TPerson::SupprimeEnfant(long no, bool& modifie) {
  if (no == 0) return;
  for (TLienPers& e : Public.Enfants)
    if (e.No == no) {
      e = TLienPers();
      modifie = true;
    }
}

bool TPerson::SupprimeLienEnfant(long noEnfant) {
  bool modifie = false;
  SupprimeEnfant(noEnfant, modifie);
  RecompacteEnfant();
  TPerson enfant(fichier_, 0);
  if (fichier_ && numero_ > 0 && LitPersonneVivante(*fichier_, noEnfant, enfant)) {
    bool change = false;
    if (enfant.Public.Pere.No == numero_) enfant.Public.Pere = 0, change = true;
    if (enfant.Public.Mere.No == numero_) enfant.Public.Mere = 0, change = true;
    if (change) modifie |= enfant.Enregistrement();
  }
  return modifie;
}

bool TPerson::SupprimeLienConjoint(long noConjoint) {
  bool modifie = false;
  SupprimeConjoint(noConjoint, modifie);
  RecompacteConjoint();
  TPerson conjoint(fichier_, 0);
  if (fichier_ && numero_ > 0 && LitPersonneVivante(*fichier_, noConjoint, conjoint)) {
    bool change = false;
    conjoint.SupprimeConjoint(numero_, change);
    conjoint.RecompacteConjoint();
    if (change) modifie |= conjoint.Enregistrement();
  }
  return modifie;
}

bool TPerson::SupprimePereMere(long noParent) {
  if (noParent <= 0) return false;
  bool modifie = false;
  if (Public.Pere.No == noParent) Public.Pere = 0, modifie = true;
  if (Public.Mere.No == noParent) Public.Mere = 0, modifie = true;
  TPerson parent(fichier_, 0);
  if (fichier_ && numero_ > 0 && LitPersonneVivante(*fichier_, noParent, parent)) {
    bool change = false;
    parent.SupprimeEnfant(numero_, change);
    parent.RecompacteEnfant();
    if (change) modifie |= parent.Enregistrement();
  }
  return modifie;
}

bool TPerson::SupprimeLienParent() {
  const long pere = Public.Pere.No, mere = Public.Mere.No;
  bool modifie = SupprimePereMere(pere);
  modifie |= SupprimePereMere(mere);
  return modifie;
}

bool TPerson::SupprimeLien() {
  bool modifie = SupprimeLienParent();
  // Copies: each removal compacts the lists.
  const auto conjoints = Public.Conjoints;
  const auto enfants = Public.Enfants;
  for (const TLienConj& c : conjoints)
    if (c.Lien.No != 0) modifie |= SupprimeLienConjoint(c.Lien.No);
  for (const TLienPers& e : enfants)
    if (e.No != 0) modifie |= SupprimeLienEnfant(e.No);
  RecompacteConjoint();
  RecompacteEnfant();
  return Enregistrement() || modifie;
}

bool TPerson::DeplacerEnfantVersPos(long no, int position) {
  auto enfants = GetVectorEnfants();
  const auto it = std::find(enfants.begin(), enfants.end(), no);
  if (no == 0 || it == enfants.end()) return false;
  enfants.erase(it);
  const auto pos = static_cast<size_t>(std::clamp(position, 0, static_cast<int>(enfants.size())));
  enfants.insert(enfants.begin() + static_cast<std::ptrdiff_t>(pos), no);
  SetVectorEnfants(enfants);
  return true;
}

bool TPerson::DeplaceEnfantVersAine(long no) { return DeplacerEnfantVersPos(no, 0); }

bool TPerson::DeplaceEnfantVersBenjamin(long no) { return DeplacerEnfantVersPos(no, kMaxEnfants); }

bool TPerson::DeplacerConjVersPos(long no, int position) {
  RecompacteConjoint();
  std::vector<TLienConj> conjoints;
  for (const TLienConj& c : Public.Conjoints)
    if (c.Lien.No != 0) conjoints.push_back(c);
  const auto it =
      std::find_if(conjoints.begin(), conjoints.end(), [no](const TLienConj& c) { return c.Lien.No == no; });
  if (no == 0 || it == conjoints.end()) return false;
  const TLienConj lien = *it;
  conjoints.erase(it);
  const auto pos = static_cast<size_t>(std::clamp(position, 0, static_cast<int>(conjoints.size())));
  conjoints.insert(conjoints.begin() + static_cast<std::ptrdiff_t>(pos), lien);
  Public.Conjoints.fill(TLienConj());
  std::copy(conjoints.begin(), conjoints.end(), Public.Conjoints.begin());
  return true;
}

std::vector<long> TPerson::GetVectorEnfants() const {
  std::vector<long> v;
  for (const TLienPers& e : Public.Enfants)
    if (e.No != 0) v.push_back(e.No);
  return v;
}

void TPerson::SetVectorEnfants(const std::vector<long>& enfants) {
  Public.Enfants.fill(TLienPers());
  for (size_t i = 0; i < enfants.size() && i < Public.Enfants.size(); ++i)
    Public.Enfants[i] = static_cast<int32_t>(enfants[i]);
}

bool TPerson::ClassementEnfantIdentiqueConjoint() {
  bool bouge = false;
  if (!fichier_) return false;
  for (const TLienConj& c : Public.Conjoints) {
    TPerson conjoint(fichier_, 0);
    if (c.Lien.No == 0 || !LitPersonneVivante(*fichier_, c.Lien.No, conjoint)) continue;
    // The shared children, in the spouse's order, take the slots the shared ones hold here.
    std::vector<int> places;
    std::vector<long> ordre;
    for (int i = 0; i < kMaxEnfants; ++i)
      if (Public.Enfants[I(i)].No != 0 && conjoint.IsParentOf(Public.Enfants[I(i)].No)) places.push_back(i);
    for (const long e : conjoint.GetVectorEnfants())
      if (std::any_of(places.begin(), places.end(), [&](int i) { return Public.Enfants[I(i)].No == e; }))
        ordre.push_back(e);
    for (size_t k = 0; k < places.size() && k < ordre.size(); ++k) {
      TLienPers& place = Public.Enfants[I(places[k])];
      if (place.No != ordre[k]) {
        place = static_cast<int32_t>(ordre[k]);
        bouge = true;
      }
    }
  }
  return bouge;
}

std::vector<long> TPerson::VerifLienSysmetrique() const {
  std::vector<long> fautifs;
  if (!fichier_) return fautifs;
  const auto verifie = [&](long no, auto&& rendu) {
    TPerson autre(fichier_, 0);
    if (no > 0 && (!LitPersonneVivante(*fichier_, no, autre) || !rendu(autre))) fautifs.push_back(no);
  };
  for (const long parent : {static_cast<long>(Public.Pere.No), static_cast<long>(Public.Mere.No)})
    verifie(parent, [&](const TPerson& p) { return p.RetourneRgEnf(numero_) != 0; });
  for (const TLienConj& c : Public.Conjoints)
    verifie(c.Lien.No, [&](const TPerson& p) { return p.RetourneRgConj(numero_) != 0; });
  for (const TLienPers& e : Public.Enfants)
    verifie(e.No, [&](const TPerson& p) { return p.Public.Pere.No == numero_ || p.Public.Mere.No == numero_; });
  return fautifs;
}

std::vector<long> TPerson::VerifLienHorsFichier() const {
  std::vector<long> fautifs;
  const auto verifie = [&](long no) {
    if (no != 0 && (no < 0 || !fichier_ || !fichier_->NoPersValide(no))) fautifs.push_back(no);
  };
  verifie(Public.Pere.No);
  verifie(Public.Mere.No);
  for (const TLienConj& c : Public.Conjoints) verifie(c.Lien.No);
  for (const TLienPers& e : Public.Enfants) verifie(e.No);
  return fautifs;
}

}  // namespace kyb
