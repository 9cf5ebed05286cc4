#include "platform/ressources.h"

#include <algorithm>
#include <vector>

namespace kyb {
namespace {

const std::vector<TRessource>& Table() {
  static const std::vector<TRessource> table = [] {
    std::vector<TRessource> t;
    for (const auto part : {RessourcesDossier(), RessourcesDates(), RessourcesNoms()})
      t.insert(t.end(), part.begin(), part.end());
    std::stable_sort(t.begin(), t.end(),
                     [](const TRessource& a, const TRessource& b) { return a.numero < b.numero; });
    return t;
  }();
  return table;
}

const char* Cherche(int numero) {
  const auto& t = Table();
  const auto it = std::lower_bound(t.begin(), t.end(), numero,
                                   [](const TRessource& r, int n) { return r.numero < n; });
  return (it != t.end() && it->numero == numero) ? it->texteUtf8 : nullptr;
}

}  // namespace

UnicodeString ChargeChaine(int numero) {
  const char* t = Cherche(numero);
  return t ? Utf8VersUnicode(t) : UnicodeString();
}

AnsiString ChargeChaineAnsi(int numero) {
  const char* t = Cherche(numero);
  return t ? Utf8VersAnsi(t) : AnsiString();
}

std::string ChargeChaineUtf8(int numero) {
  const char* t = Cherche(numero);
  return t ? std::string(t) : std::string();
}

bool RessourceExiste(int numero) { return Cherche(numero) != nullptr; }

std::span<const TRessource> ToutesLesRessources() { return Table(); }

}  // namespace kyb
