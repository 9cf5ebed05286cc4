#include "gedcom/couples_export.h"

namespace kyb {
namespace {

// The family of a person alone kept by number (null: beyond the array).
int32_t* Seul(std::vector<int32_t>& v, int32_t no) {
  return static_cast<size_t>(no) < v.size() ? &v[static_cast<size_t>(no)] : nullptr;
}

}  // namespace

size_t TCouplesExport::Case(uint64_t cle) const {
  const size_t masque = cases_.size() - 1;
  size_t i = static_cast<size_t>((cle * 0x9E3779B97F4A7C15ULL) >> decalage_);
  while (cases_[i].famille != 0 && cases_[i].cle != cle) i = (i + 1) & masque;
  return i;
}

int32_t TCouplesExport::Trouve(int32_t h, int32_t f) const {
  if (h > 0 && f == 0 && static_cast<size_t>(h) < seulH_.size()) return seulH_[static_cast<size_t>(h)];
  if (h == 0 && f > 0 && static_cast<size_t>(f) < seulF_.size()) return seulF_[static_cast<size_t>(f)];
  if (cases_.empty()) return 0;
  return cases_[Case(Cle(h, f))].famille;
}

int32_t TCouplesExport::Ajoute(int32_t h, int32_t f, int32_t numero) {
  int32_t* seul = h > 0 && f == 0 ? Seul(seulH_, h) : h == 0 && f > 0 ? Seul(seulF_, f) : nullptr;
  if (seul) {
    if (*seul == 0) *seul = numero;
    return *seul;
  }
  // At most three slots in four taken.
  if (4 * (nombre_ + 1) > 3 * cases_.size()) Agrandit();
  TCase& c = cases_[Case(Cle(h, f))];
  if (c.famille == 0) {
    c = {Cle(h, f), numero};
    ++nombre_;
  }
  return c.famille;
}

void TCouplesExport::Agrandit() {
  std::vector<TCase> anciennes = std::move(cases_);
  const size_t taille = anciennes.empty() ? 1024 : 2 * anciennes.size();
  cases_.assign(taille, TCase());
  decalage_ = 64;
  for (size_t t = taille; t > 1; t /= 2) --decalage_;
  for (const TCase& c : anciennes)
    if (c.famille != 0) cases_[Case(c.cle)] = c;
}

}  // namespace kyb
