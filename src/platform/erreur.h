#pragma once
// The one exception type of the library, raised only where the system names an exception
// ("Nom de fichier trop long !", "FicDupli : Erreur Enreg", ...). Its message is the French text
// shown to the user, in UTF-8.
#include <stdexcept>
#include <string>

namespace kyb {

class ErreurKy : public std::runtime_error {
 public:
  explicit ErreurKy(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace kyb
