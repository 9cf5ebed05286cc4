#include "gedcom/gedcom_gardees.h"

#include <charconv>

namespace kyb {
namespace {

std::string Hex(std::string_view s) {
  static constexpr char kChiffres[] = "0123456789ABCDEF";
  std::string r;
  r.reserve(s.size() * 2);
  for (const char c : s) {
    r += kChiffres[static_cast<unsigned char>(c) >> 4];
    r += kChiffres[static_cast<unsigned char>(c) & 15];
  }
  return r;
}

bool DeHex(std::string_view s, std::string& r) {
  if (s.size() % 2) return false;
  r.clear();
  for (size_t i = 0; i < s.size(); i += 2) {
    unsigned v = 0;
    const auto [p, ec] = std::from_chars(s.data() + i, s.data() + i + 2, v, 16);
    if (ec != std::errc() || p != s.data() + i + 2) return false;
    r += static_cast<char>(v);
  }
  return true;
}

bool Nombre(std::string_view s, long& n) {
  const auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), n);
  return ec == std::errc() && p == s.data() + s.size() && n >= 0;
}

}  // namespace

std::string PointeurGardePersonne(long no) { return "@#P" + std::to_string(no) + "@"; }
std::string PointeurGardeFamille(long mari, long femme) {
  return "@#F" + std::to_string(mari) + "." + std::to_string(femme) + "@";
}
std::string PointeurGardeFamilleSansConjoint(long rang) { return "@#G" + std::to_string(rang) + "@"; }
std::string PointeurGardeSource(std::string_view type, std::string_view titre) {
  return "@#S" + Hex(type) + "." + Hex(titre) + "@";
}
std::string PointeurGardeMedia(std::string_view chemin) { return "@#O" + Hex(chemin) + "@"; }
std::string PointeurGardeNote(std::string_view texte) { return "@#N" + Hex(texte) + "@"; }

TPointeurGarde LitPointeurGarde(std::string_view v) {
  TPointeurGarde r;
  if (v.size() < 5 || !v.starts_with("@#") || !v.ends_with('@')) return r;
  const char genre = v[2];
  const std::string_view corps = v.substr(3, v.size() - 4);
  const size_t point = corps.find('.');
  const std::string_view gauche = corps.substr(0, point);
  const std::string_view droite = point == std::string_view::npos ? std::string_view() : corps.substr(point + 1);
  bool ok = false;
  if (genre == 'P' || genre == 'G') ok = point == std::string_view::npos && Nombre(corps, r.a);
  else if (genre == 'F') ok = point != std::string_view::npos && Nombre(gauche, r.a) && Nombre(droite, r.b);
  else if (genre == 'S') ok = point != std::string_view::npos && DeHex(gauche, r.texte1) && DeHex(droite, r.texte2);
  else if (genre == 'O' || genre == 'N') ok = DeHex(corps, r.texte1);
  if (ok) r.genre = genre;
  return r;
}

}  // namespace kyb
