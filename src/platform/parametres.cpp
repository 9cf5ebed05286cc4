#include "platform/parametres.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/chaines.h"

namespace kyb {

TParametres::TParametres(std::string cheminUtf8) : chemin_(std::move(cheminUtf8)) {
  std::ifstream entree(chemin_);
  std::string ligne, section;
  while (std::getline(entree, ligne)) {
    const std::string t = Rogne(std::string_view(ligne));
    if (t.empty() || t[0] == ';' || t[0] == '#') continue;
    if (t.front() == '[' && t.back() == ']') {
      section = t.substr(1, t.size() - 2);
      continue;
    }
    const size_t egal = t.find('=');
    if (egal == std::string::npos) continue;
    sections_[section][Rogne(std::string_view(t).substr(0, egal))] = t.substr(egal + 1);
  }
}

std::string TParametres::LitTexte(const std::string& section, const std::string& cle,
                                  const std::string& defaut) const {
  const auto s = sections_.find(section);
  if (s == sections_.end()) return defaut;
  const auto c = s->second.find(cle);
  return c == s->second.end() ? defaut : c->second;
}

long long TParametres::LitEntier(const std::string& section, const std::string& cle,
                                 long long defaut) const {
  long long v = 0;
  return TexteVersEntier(LitTexte(section, cle), v) ? v : defaut;
}

void TParametres::EcritTexte(const std::string& section, const std::string& cle,
                             const std::string& valeur) {
  std::string propre = valeur;
  for (char& c : propre)
    if (c == '\n' || c == '\r') c = ' ';  // one line per key
  sections_[section][cle] = propre;
}

void TParametres::EcritEntier(const std::string& section, const std::string& cle,
                              long long valeur) {
  EcritTexte(section, cle, std::to_string(valeur));
}

void TParametres::SupprimeCle(const std::string& section, const std::string& cle) {
  const auto s = sections_.find(section);
  if (s != sections_.end()) s->second.erase(cle);
}

bool TParametres::Sauvegarde() const {
  if (chemin_.empty()) return true;
  namespace stdfs = std::filesystem;
  std::error_code ec;
  const stdfs::path cible(chemin_);
  if (cible.has_parent_path()) stdfs::create_directories(cible.parent_path(), ec);
  const std::string temporaire = chemin_ + ".tmp";
  {
    std::ofstream sortie(temporaire, std::ios::trunc);
    for (const auto& [section, cles] : sections_) {
      sortie << '[' << section << "]\n";
      for (const auto& [cle, valeur] : cles) sortie << cle << '=' << valeur << '\n';
      sortie << '\n';
    }
    if (!sortie.flush()) return false;
  }
  stdfs::rename(temporaire, cible, ec);
  return !ec;
}

std::string TParametres::CheminParDefaut() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg && *xdg) return std::string(xdg) + "/kybase/kybase.ini";
  const char* maison = std::getenv("HOME");
  return std::string(maison && *maison ? maison : ".") + "/.config/kybase/kybase.ini";
}

}  // namespace kyb
