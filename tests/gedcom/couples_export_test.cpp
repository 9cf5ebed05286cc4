#include "gedcom/couples_export.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <utility>

namespace kyb {
namespace {

// Couples of every shape (one member 0, either side; both set; numbers near and far, repeated),
// found and numbered as an ordinary map finds and numbers them, across the table's growths.
TEST(CouplesExport, TrouveEtNumeroteCommeUneTableOrdinaire) {
  std::mt19937 alea(11);
  std::map<std::pair<int32_t, int32_t>, int32_t> reference;
  TCouplesExport couples;
  couples.Dimensionne(2000);  // persons alone below and beyond the array
  int32_t suivant = 1;
  for (int i = 0; i < 30000; ++i) {
    const auto membre = [&] {
      const uint32_t forme = alea() % 8;
      if (forme == 0) return 0;
      return static_cast<int32_t>(forme < 6 ? 1 + alea() % 3000 : 1 + alea() % 2000000000);
    };
    const int32_t h = membre(), f = membre();
    const auto it = reference.find({h, f});
    ASSERT_EQ(couples.Trouve(h, f), it == reference.end() ? 0 : it->second) << h << " " << f;
    const int32_t attendu = it == reference.end() ? suivant : it->second;
    ASSERT_EQ(couples.Ajoute(h, f, suivant), attendu) << h << " " << f;
    if (attendu == suivant) reference[{h, f}] = suivant++;
  }
}

}  // namespace
}  // namespace kyb
