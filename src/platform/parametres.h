#pragma once
// Application settings in an INI file (sections, key=value lines, UTF-8), standing in for the
// registry. Reading a missing section or key gives the default. Writes are kept in memory and
// saved by Sauvegarde(); a settings object built without a path lives in memory only (tests).
// Not thread-safe: one owner at a time.
#include <map>
#include <string>

namespace kyb {

class TParametres {
 public:
  TParametres() = default;                       // in memory only
  explicit TParametres(std::string cheminUtf8);  // loads the file when it exists

  [[nodiscard]] std::string LitTexte(const std::string& section, const std::string& cle,
                                     const std::string& defaut = {}) const;
  [[nodiscard]] long long LitEntier(const std::string& section, const std::string& cle,
                                    long long defaut) const;
  void EcritTexte(const std::string& section, const std::string& cle, const std::string& valeur);
  void EcritEntier(const std::string& section, const std::string& cle, long long valeur);
  void SupprimeCle(const std::string& section, const std::string& cle);

  // Writes the file (through a temporary file and a rename); false on failure.
  [[nodiscard]] bool Sauvegarde() const;
  [[nodiscard]] const std::string& Chemin() const { return chemin_; }

  // $XDG_CONFIG_HOME/kybase/kybase.ini, or ~/.config/kybase/kybase.ini.
  [[nodiscard]] static std::string CheminParDefaut();

 private:
  std::string chemin_;
  std::map<std::string, std::map<std::string, std::string>> sections_;
};

}  // namespace kyb
