#include "engine/acr_types.h"

#include <cmath>
#include <cstdlib>

namespace kyb {

bool TypeChampValide(int v) {
  switch (v) {
    case 1: case 2: case 4: case 5: case 6: case 7: case 8: case 9:
    case 12: case 21: case 27: case 31: case 33: case 35:
      return true;
    default:
      return false;
  }
}

bool EstTypeTexte8Bits(TTypeChamp t) {
  return t == TTypeChamp::FixedChar || t == TTypeChamp::String || t == TTypeChamp::Memo;
}

bool EstTypeTexte(TTypeChamp t) {
  return EstTypeTexte8Bits(t) || t == TTypeChamp::WideString || t == TTypeChamp::WideMemo;
}

bool EstTypeEntier(TTypeChamp t) {
  switch (t) {
    case TTypeChamp::Int8: case TTypeChamp::Int16: case TTypeChamp::Int32:
    case TTypeChamp::Int64: case TTypeChamp::Byte: case TTypeChamp::AutoInc:
      return true;
    default:
      return false;
  }
}

bool EstTypeReel(TTypeChamp t) { return t == TTypeChamp::Double || t == TTypeChamp::DateTime; }

const TACRFieldDef* TrouveChamp(const TACRFieldDefs& defs, const std::string& nom) {
  for (const auto& d : defs)
    if (d.nom == nom) return &d;
  return nullptr;
}

const TACRIndexDef* TrouveIndex(const TACRIndexDefs& defs, const std::string& nom) {
  for (const auto& d : defs)
    if (d.nom == nom) return &d;
  return nullptr;
}

int64_t TValeur::VersEntier() const {
  switch (sorte) {
    case Sorte::Entier: return entier;
    case Sorte::Reel:
      return std::isfinite(reel) && std::fabs(reel) < 9.2e18 ? static_cast<int64_t>(reel) : 0;
    case Sorte::Texte: return std::strtoll(octets.c_str(), nullptr, 10);
    default: return 0;
  }
}

double TValeur::VersReel() const {
  switch (sorte) {
    case Sorte::Entier: return static_cast<double>(entier);
    case Sorte::Reel: return reel;
    case Sorte::Texte: return std::strtod(octets.c_str(), nullptr);
    default: return 0;
  }
}

std::string TValeur::VersTexte() const {
  switch (sorte) {
    case Sorte::Entier: return std::to_string(entier);
    case Sorte::Reel: {
      char tampon[32];
      std::snprintf(tampon, sizeof tampon, "%.15g", reel);
      return tampon;
    }
    case Sorte::Texte:
    case Sorte::Blob: return octets;
    default: return {};
  }
}

std::string Identifiant(const std::string& nom) {
  std::string s = "\"";
  for (const char c : nom) {
    if (c == '"') s.push_back('"');
    s.push_back(c);
  }
  s.push_back('"');
  return s;
}

std::string NomIndexSql(const std::string& table, const std::string& index) {
  return table + "_" + index;
}

}  // namespace kyb
