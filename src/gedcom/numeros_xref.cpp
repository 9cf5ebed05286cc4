#include "gedcom/numeros_xref.h"

#include <algorithm>

namespace kyb {
namespace {

constexpr size_t kPrefixesMax = 8;
constexpr size_t kLongueurPrefixeMax = 8;
constexpr size_t kChiffresMax = 9;
// A table may hold numbers up to twice the keys given plus this, so that its size stays a small
// multiple of the keys it serves.
constexpr uint32_t kMargeTable = 1U << 16;

bool EstChiffre(char c) { return c >= '0' && c <= '9'; }

// Splits "I12" into "I" and 12; false when the key has not that form.
bool Decoupe(std::string_view cle, std::string_view& prefixe, uint32_t& nombre) {
  size_t i = 0;
  while (i < cle.size() && !EstChiffre(cle[i])) ++i;
  const size_t chiffres = cle.size() - i;
  if (i > kLongueurPrefixeMax || chiffres == 0 || chiffres > kChiffresMax || cle[i] == '0') return false;
  uint32_t n = 0;
  for (size_t j = i; j < cle.size(); ++j) {
    if (!EstChiffre(cle[j])) return false;
    n = n * 10 + static_cast<uint32_t>(cle[j] - '0');
  }
  prefixe = cle.substr(0, i);
  nombre = n;
  return true;
}

}  // namespace

const std::vector<int32_t>* TNumerosXref::Table(std::string_view cle, uint32_t& nombre) const {
  std::string_view prefixe;
  if (!Decoupe(cle, prefixe, nombre)) return nullptr;
  for (const TPrefixe& p : prefixes_)
    if (p.texte == prefixe) return &p.parNombre;
  return nullptr;
}

std::vector<int32_t>* TNumerosXref::Table(std::string_view cle, uint32_t& nombre, bool creer) {
  std::string_view prefixe;
  if (!Decoupe(cle, prefixe, nombre)) return nullptr;
  if (nombre > 2 * static_cast<uint32_t>(taille_) + kMargeTable) return nullptr;
  for (TPrefixe& p : prefixes_)
    if (p.texte == prefixe) return &p.parNombre;
  if (!creer || prefixes_.size() >= kPrefixesMax) return nullptr;
  prefixes_.push_back({std::string(prefixe), {}});
  return &prefixes_.back().parNombre;
}

int32_t TNumerosXref::Cherche(std::string_view cle) const {
  uint32_t nombre = 0;
  if (const std::vector<int32_t>* t = Table(cle, nombre); t && nombre < t->size() && (*t)[nombre] != 0)
    return (*t)[nombre];
  if (autres_.empty()) return 0;
  const auto it = autres_.find(cle);
  return it == autres_.end() ? 0 : it->second;
}

int32_t TNumerosXref::Numero(std::string_view cle) {
  if (const int32_t no = Cherche(cle)) return no;
  const int32_t no = ++taille_;
  uint32_t nombre = 0;
  if (std::vector<int32_t>* t = Table(cle, nombre, true)) {
    if (nombre >= t->size()) t->resize(std::max<size_t>(nombre + 1, t->size() + t->size() / 2), 0);
    (*t)[nombre] = no;
  } else {
    autres_.emplace(std::string(cle), no);
  }
  return no;
}

}  // namespace kyb
