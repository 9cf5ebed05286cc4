#include "gedcom/couples_export.h"

namespace kyb {
namespace {

// The family of a person alone in its array; 0 beyond it.
int32_t Lit(const std::vector<int32_t>& v, int32_t no) {
  return static_cast<size_t>(no) < v.size() ? v[static_cast<size_t>(no)] : 0;
}

int32_t Place(std::vector<int32_t>& v, int32_t no, int32_t numero) {
  if (static_cast<size_t>(no) >= v.size()) v.resize(static_cast<size_t>(no) + static_cast<size_t>(no) / 2 + 16, 0);
  int32_t& f = v[static_cast<size_t>(no)];
  if (f == 0) f = numero;
  return f;
}

}  // namespace

size_t TCouplesExport::Case(uint64_t cle) const {
  const size_t masque = cles_.size() - 1;
  size_t i = static_cast<size_t>((cle * 0x9E3779B97F4A7C15ULL) >> decalage_);
  while (familles_[i] != 0 && cles_[i] != cle) i = (i + 1) & masque;
  return i;
}

int32_t TCouplesExport::Trouve(int32_t h, int32_t f) const {
  if (h > 0 && f == 0) return Lit(seulH_, h);
  if (h == 0 && f > 0) return Lit(seulF_, f);
  if (cles_.empty()) return 0;
  return familles_[Case(Cle(h, f))];
}

int32_t TCouplesExport::Ajoute(int32_t h, int32_t f, int32_t numero) {
  if (h > 0 && f == 0) return Place(seulH_, h, numero);
  if (h == 0 && f > 0) return Place(seulF_, f, numero);
  if (2 * (nombre_ + 1) > cles_.size()) Agrandit();
  const uint64_t cle = Cle(h, f);
  const size_t i = Case(cle);
  if (familles_[i] == 0) {
    cles_[i] = cle;
    familles_[i] = numero;
    ++nombre_;
  }
  return familles_[i];
}

void TCouplesExport::Agrandit() {
  std::vector<uint64_t> cles = std::move(cles_);
  std::vector<int32_t> familles = std::move(familles_);
  const size_t taille = cles.empty() ? 1024 : 2 * cles.size();
  cles_.assign(taille, 0);
  familles_.assign(taille, 0);
  decalage_ = 64;
  for (size_t t = taille; t > 1; t /= 2) --decalage_;
  for (size_t i = 0; i < cles.size(); ++i) {
    if (familles[i] == 0) continue;
    const size_t j = Case(cles[i]);
    cles_[j] = cles[i];
    familles_[j] = familles[i];
  }
}

}  // namespace kyb
