#include "gedcom/numeros_xref.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>

namespace kyb {
namespace {

// Keys of every form, numbered as an obvious map numbers them: in order of first sight, each
// key its own number, whatever path (number table or hash) it takes.
TEST(NumerosXref, NumerotePremiereVueCommeUneTableOrdinaire) {
  const std::string formes[] = {"I", "F", "SOUR", "i", "Xabcdefghi", ""};
  std::mt19937 alea(7);
  std::map<std::string, int32_t> reference;
  TNumerosXref numeros;
  const auto verifie = [&](const std::string& cle) {
    const auto it = reference.find(cle);
    ASSERT_EQ(numeros.Cherche(cle), it == reference.end() ? 0 : it->second) << cle;
    const int32_t attendu = it == reference.end() ? static_cast<int32_t>(reference.size() + 1) : it->second;
    reference.emplace(cle, attendu);
    ASSERT_EQ(numeros.Numero(cle), attendu) << cle;
  };
  // Leading zeros, no digits, a suffix, digits only, numbers far beyond the count.
  for (const char* cle : {"I1", "I01", "I001", "I", "I1a", "1", "0", "I0", "I4000000000", "I999999999", "I2", "12"})
    verifie(cle);
  for (int i = 0; i < 20000; ++i) {
    const std::string& prefixe = formes[alea() % std::size(formes)];
    const uint32_t borne = i % 10 == 0 ? 2000000000U : 30000U;
    verifie(prefixe + std::to_string(alea() % borne));
  }
  EXPECT_EQ(numeros.Taille(), static_cast<int32_t>(reference.size()));
  for (const auto& [cle, no] : reference) EXPECT_EQ(numeros.Cherche(cle), no) << cle;
}

}  // namespace
}  // namespace kyb
