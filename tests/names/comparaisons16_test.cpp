// The UTF-16 comparisons give the results of the 8-bit ones on every text Windows-1252 holds.
#include <gtest/gtest.h>

#include <random>

#include "names/bo_chn1.h"
#include "names/bo_soundex.h"

namespace kyb {
namespace {

TEST(Comparaisons16, ValeursConnues) {
  // Texts Windows-1252 holds agree with the 8-bit forms (next test); here what that cannot
  // reach: absent texts, and characters outside Windows-1252, which sort before all others.
  EXPECT_LT(strcmpFL(u"\u20AC", u"\u00C9"), 0);  // € is byte 0x80, the lowest
  EXPECT_EQ(strcmpNULL(static_cast<const char16_t*>(nullptr), nullptr), 0);
  EXPECT_EQ(strcmpNULL(nullptr, u""), 0);
  EXPECT_EQ(strcmpNULL(nullptr, u"A"), -1);
  EXPECT_EQ(strcmpNULL(u"\u00C9", nullptr), 1);
  EXPECT_EQ(strcmpSoundexPartiel(nullptr, u""), 0);
  EXPECT_LT(strcmpFL(u"\u0141", u"\u20AC"), 0);  // Ł before €
  EXPECT_LT(strcmpFL(u"\u0141", u"\u0142"), 0);
  EXPECT_GT(strcmpFL(u"A", u"\u4E2D"), 0);
}

// Random texts over letters, accented letters, the star, spaces and the bytes 0x80..0x9F.
TEST(Comparaisons16, AccordAvecLaFormeHuitBits) {
  std::mt19937 alea(1252);
  const std::string lettres = std::string("AEMNRTLae *-'") + "\xC9\xE9\xC7\xFF\x9F\x8C\x9C\x80\x81"
                              "\xD8\xDF\xE6\xB0\xA0";
  const auto texte = [&] {
    std::string t;
    const int lg = static_cast<int>(alea() % 7);
    for (int k = 0; k < lg; ++k) t.push_back(lettres[alea() % lettres.size()]);
    return t;
  };
  for (int essai = 0; essai < 20000; ++essai) {
    std::string a = texte(), b = texte();
    if (essai % 5 == 0) b = a.substr(0, a.size() / 2) + b;  // shared beginnings
    const UnicodeString ua = AnsiVersUnicode(a), ub = AnsiVersUnicode(b);
    SCOPED_TRACE(a + " | " + b);
    EXPECT_EQ(strcmpFL(ua.c_str(), ub.c_str()), strcmpFL(a.c_str(), b.c_str()));
    EXPECT_EQ(strcmpNULL(ua, ub), strcmpNULL(a.c_str(), b.c_str()));
    EXPECT_EQ(strcmpIgnDiac(ua, ub), strcmpIgnDiac(a.c_str(), b.c_str()));
    EXPECT_EQ(strcmpPartiel(ua, ub), strcmpPartiel(a.c_str(), b.c_str()));
    const int s8 = strcmpSoundexPartiel(a.c_str(), b.c_str());
    const int s16 = strcmpSoundexPartiel(ua, ub);
    EXPECT_EQ((s16 > 0) - (s16 < 0), (s8 > 0) - (s8 < 0));
  }
}

}  // namespace
}  // namespace kyb
