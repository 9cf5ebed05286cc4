#include "names/g_nopers.h"

#include <algorithm>
#include <cstring>

#include "platform/erreur.h"

namespace kyb {

// --- Sosa sentinel ---

namespace {
const NTL::ZZ& SosaMax() {
  static const NTL::ZZ max = NTL::power2_ZZ(kSosaBitsMax);
  return max;
}
}  // namespace

void SetSosaMax(NTL::ZZ& sosa) { sosa = SosaMax(); }
bool IsSosaMax(const NTL::ZZ& sosa) { return sosa == SosaMax(); }

const NTL::ZZ& SosaPlusGrandStockable() {
  static const NTL::ZZ max = NTL::power2_ZZ(kSosaBitsMax) - 1;
  return max;
}

// --- TEltNoPers ---

TEltNoPers::TEltNoPers(std::string cle, int32_t noPers) : NoPers(noPers), Cle(std::move(cle)) {
  if (Cle.size() > kLongueurCle) Cle.resize(kLongueurCle);
}

char* TEltNoPers::Ecrit(char* dest) const {
  EcritMemoire(dest, &NoPers, sizeof NoPers);
  EcritChn(dest, Cle.c_str());
  return dest;
}

int TEltNoPers::Lit(const char* buffer, int offset) {
  const char* p = buffer + offset;
  LitMemoire(p, &NoPers, sizeof NoPers);
  LitChn(p, Cle, kLongueurCle);
  return static_cast<int>(p - (buffer + offset));
}

int TEltNoPers::EltCmp(const TEltBaseTV& autre) const {
  // Both keys right-aligned over spaces: the longer key's head meets spaces, its tail the other.
  const std::string& a = Cle;
  const std::string& b = static_cast<const TEltNoPers&>(autre).Cle;
  const bool aPlusLong = a.size() >= b.size();
  const std::string& longue = aPlusLong ? a : b;
  const std::string& courte = aPlusLong ? b : a;
  const size_t tete = longue.size() - courte.size();
  int c = 0;
  for (size_t i = 0; i < tete && c == 0; ++i) c = static_cast<unsigned char>(longue[i]) - ' ';
  if (c == 0 && !courte.empty()) c = std::memcmp(longue.data() + tete, courte.data(), courte.size());
  c = (c > 0) - (c < 0);
  return aPlusLong ? c : -c;
}

// --- TGestNoPers ---

TGestNoPers::TGestNoPers(int nbInitial) : TTableTV(nbInitial, 500, 50) {}

int TGestNoPers::Position(const std::string& cle) const {
  TEltNoPers tmp;
  return RechercheDicoth(TEltNoPers(cle, 0), tmp, 0, false);
}

long TGestNoPers::ChercheNoPers(const std::string& cle, bool zeroNul) const {
  if (zeroNul && cle == "0") return 0;
  const int pos = Position(cle);
  if (pos < 0) return 0;
  TEltNoPers elt;
  TTableTV::Lit(pos, elt);
  return elt.NoPers;
}

long TGestNoPers::CreerNoPers(const std::string& cle) { return CreerNoPers(cle, GetNbElt() + 1); }

long TGestNoPers::CreerNoPers(const std::string& cle, long numero) {
  TEltNoPers elt(cle, static_cast<int32_t>(numero));
  TEltNoPers tmp;
  AjouteClasse(elt, tmp);
  return numero;
}

bool TGestNoPers::SupprimeNoPers(const std::string& cle, bool zeroNul) {
  if (zeroNul && cle == "0") return false;
  const int pos = Position(cle);
  if (pos < 0) return false;
  TEltNoPers tmp;
  Supprime(pos, tmp);
  return true;
}

long TGestNoPers::ChercheNoPersEtCreer(const std::string& cle, bool zeroNul, bool toujoursNouveau) {
  if (!toujoursNouveau && zeroNul && cle == "0") return 0;
  if (toujoursNouveau || cle == "0" || cle.empty())
    return CreerNoPers("~#" + std::to_string(compteur_++) + "#");
  std::string sansArobase = cle;
  std::erase(sansArobase, '@');
  if (const long no = ChercheNoPers(sansArobase, false); no != 0) return no;
  return CreerNoPers(cle);
}

// --- TGestNoPersSosa ---

TGestNoPersSosa::TGestNoPersSosa(const TGestNoPersSosa& autre)
    : paires_(autre.paires_), parPersonne_(autre.parPersonne_), parSosa_(autre.parSosa_) {
  RazPosCourante();
}

TGestNoPersSosa& TGestNoPersSosa::operator=(const TGestNoPersSosa& autre) {
  if (this != &autre) {
    paires_ = autre.paires_;
    parPersonne_ = autre.parPersonne_;
    parSosa_ = autre.parSosa_;
    RazPosCourante();
  }
  return *this;
}

void TGestNoPersSosa::CreerNoPers(const NTL::ZZ& sosa, long numero) {
  paires_.push_back({static_cast<int32_t>(numero), sosa});
  // Pairs of one person stay in their order of creation (multimap insertion at the upper end).
  parPersonne_.emplace(numero, sosa);
  parSosa_[sosa] = numero;
}

bool TGestNoPersSosa::ChercheNoPers(long numero, NTL::ZZ& sosa, bool placeCurseur) {
  const auto it = parPersonne_.find(numero);
  if (it == parPersonne_.end()) return false;
  sosa = it->second;
  if (placeCurseur) curseurM_ = it;
  return true;
}

long TGestNoPersSosa::CherchePersNoParSosa(const NTL::ZZ& sosa) const {
  const auto it = parSosa_.find(sosa);
  return it == parSosa_.end() ? 0 : it->second;
}

long TGestNoPersSosa::Parent(long numero, bool mere) const {
  const auto it = parPersonne_.find(numero);
  if (it == parPersonne_.end() || IsSosaMax(it->second) || it->second <= 0) return 0;
  NTL::ZZ parent = it->second << 1;
  if (mere) parent += 1;
  return CherchePersNoParSosa(parent);
}

long TGestNoPersSosa::CherchePere(long numero) const { return Parent(numero, false); }
long TGestNoPersSosa::ChercheMere(long numero) const { return Parent(numero, true); }

bool TGestNoPersSosa::Lit(int index, TEltNoPersSosa& elt) const {
  if (index < 0 || index >= GetNbElt()) return false;
  elt = paires_[static_cast<size_t>(index)];
  return true;
}

std::vector<NTL::ZZ> TGestNoPersSosa::SosasDe(long numero) const {
  std::vector<NTL::ZZ> sosas;
  const auto [debut, fin] = parPersonne_.equal_range(numero);
  for (auto it = debut; it != fin; ++it) sosas.push_back(it->second);
  std::sort(sosas.begin(), sosas.end());
  return sosas;
}

void TGestNoPersSosa::RazPosCourante() {
  curseurV_ = 0;
  curseurM_ = parPersonne_.begin();
}

void TGestNoPersSosa::LitPosCouranteVLZ(TEltNoPersSosa& elt) const {
  if (LastVLZ()) throw ErreurKy("GestNoPersSosa : C - lecture en dehors !");
  elt = paires_[curseurV_];
}

void TGestNoPersSosa::NextVLZ() {
  if (!LastVLZ()) ++curseurV_;
}

void TGestNoPersSosa::LitPosCouranteMLZ(TEltNoPersSosa& elt) const {
  if (LastMLZ()) throw ErreurKy("GestNoPersSosa : B - lecture en dehors !");
  elt.NoPers = static_cast<int32_t>(curseurM_->first);
  elt.Sosa = curseurM_->second;
}

void TGestNoPersSosa::NextMLZ() {
  if (!LastMLZ()) ++curseurM_;
}

void TGestNoPersSosa::Raz() {
  paires_.clear();
  parPersonne_.clear();
  parSosa_.clear();
  RazPosCourante();
}

// --- arrays of person numbers ---

void InitNoTableLong(int32_t* table, int n, int32_t valeur) {
  if (n > 0) std::fill(table, table + n, valeur);
}

void InitNoTableInt(int* table, int n, int valeur) {
  if (n > 0) std::fill(table, table + n, valeur);
}

bool ExisteNoTableLong(const int32_t* table, int n, int32_t valeur) {
  return n > 0 && std::find(table, table + n, valeur) != table + n;
}

bool AjouteNoTableLong(int32_t* table, int n, int32_t valeur) {
  for (int i = 0; i < n; ++i) {
    if (table[i] == valeur) return true;
    if (table[i] == 0) {
      table[i] = valeur;
      return true;
    }
  }
  return false;
}

bool InsereNoTableLong(int32_t* table, int n, int32_t valeur, int pos) {
  if (n < 1 || pos < 0 || pos >= n || table[n - 1] != 0) return false;
  std::copy_backward(table + pos, table + n - 1, table + n);
  table[pos] = valeur;
  return true;
}

bool MetAZeroNoTableLong(int32_t* table, int n, int32_t valeur) {
  for (int i = n - 1; i >= 0; --i)
    if (table[i] == valeur) {
      table[i] = 0;
      return true;
    }
  return false;
}

int32_t PremierNonNulTableLong(int32_t* table, int n, bool efface) {
  for (int i = 0; i < n; ++i)
    if (table[i] != 0) {
      const int32_t v = table[i];
      if (efface) table[i] = 0;
      return v;
    }
  return 0;
}

int32_t PremierNonNulVecLong(std::vector<int32_t>& table, bool efface) {
  return PremierNonNulTableLong(table.data(), static_cast<int>(table.size()), efface);
}

int CompteNoTableLong(const int32_t* table, int n) {
  return n > 0 ? static_cast<int>(std::count_if(table, table + n, [](int32_t v) { return v != 0; })) : 0;
}

bool RecompactTableLong(int32_t* table, int n) {
  if (n < 1) return false;
  int k = 0;
  for (int i = 0; i < n; ++i)
    if (table[i] != 0) table[k++] = table[i];
  std::fill(table + k, table + n, 0);
  return k > 0;
}

void DeplaceNoVersPosTableLong(int32_t* table, int n, int32_t valeur, int pos) {
  if (n < 1 || pos < 1 || pos >= n) return;
  int i = static_cast<int>(std::find(table, table + n, valeur) - table);
  if (i == n) return;
  const int cible = pos - 1;
  for (; i < cible; ++i) std::swap(table[i], table[i + 1]);
  for (; i > cible; --i) std::swap(table[i], table[i - 1]);
}

}  // namespace kyb
