// The French wording of every qualifier, precision and calendar, against the table a French
// speaker reviewed (tests/dates/redaction_dates.txt).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "dates/redigedate.h"

namespace kyb {
namespace {

std::string Rogne(const std::string& t) {
  const std::size_t debut = t.find_first_not_of(' ');
  if (debut == std::string::npos) return {};
  return t.substr(debut, t.find_last_not_of(' ') - debut + 1);
}

std::vector<std::string> Colonnes(const std::string& ligne) {
  std::vector<std::string> c;
  std::size_t debut = 0;
  for (std::size_t k; (k = ligne.find('|', debut)) != std::string::npos; debut = k + 1)
    c.push_back(Rogne(ligne.substr(debut, k - debut)));
  c.push_back(Rogne(ligne.substr(debut)));
  return c;
}

TEST(RedactionTable, ChaqueQualificatifChaquePrecisionChaqueCalendrier) {
  const std::filesystem::path chemin =
      std::filesystem::path(KYBASE_DOSSIER_TESTS) / "dates" / "redaction_dates.txt";
  std::ifstream fichier(chemin);
  ASSERT_TRUE(fichier) << chemin;
  int lignes = 0;
  std::string ligne;
  while (std::getline(fichier, ligne)) {
    if (ligne.empty() || ligne[0] == '#') continue;
    const std::vector<std::string> c = Colonnes(ligne);
    ASSERT_EQ(c.size(), 5u) << ligne;
    TDateKY date(c[1][0], c[2]);
    date.SetActe(c[0] == "-" ? "" : c[0]);
    EXPECT_EQ(AnsiVersUtf8(date.PlaceJour(true)), c[4]) << ligne;
    ++lignes;
  }
  EXPECT_EQ(lignes, 6 * 33);  // six qualifiers, 33 dates over the four calendars
}

}  // namespace
}  // namespace kyb
