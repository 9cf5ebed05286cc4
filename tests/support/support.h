#pragma once
// Shared test helpers: a temporary directory removed before and after each use.
#include <string>

namespace kyb::test {

// A fresh empty directory under $KYBASE_TEST_TMP (or /tmp), removed with its content on
// destruction. Chemin() ends with '/'.
class RepertoireTemporaire {
 public:
  RepertoireTemporaire();
  ~RepertoireTemporaire();
  RepertoireTemporaire(const RepertoireTemporaire&) = delete;
  RepertoireTemporaire& operator=(const RepertoireTemporaire&) = delete;
  [[nodiscard]] const std::string& Chemin() const { return chemin_; }
  [[nodiscard]] std::string operator/(const std::string& nom) const { return chemin_ + nom; }

 private:
  std::string chemin_;
};

// The whole content of a file (empty when it cannot be read), and a file written whole: the
// tests' own access to the bytes on disk, independent of the library's record layer.
[[nodiscard]] std::string Contenu(const std::string& chemin);
void Ecrit(const std::string& chemin, const std::string& octets);

// Number of open file descriptors of the process (leak checks around tests that open files).
[[nodiscard]] int DescripteursOuverts();

}  // namespace kyb::test
