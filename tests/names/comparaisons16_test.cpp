#include <gtest/gtest.h>

#include "names/bo_chn1.h"
#include "names/bo_soundex.h"

namespace kyb {
namespace {

TEST(Comparaisons16, ValeursConnues) {
  // Texts Windows-1252 holds agree with the 8-bit forms (the names fuzzing harness checks it
  // over any bytes); here what that cannot reach: absent texts, and characters outside
  // Windows-1252, which sort before all others.
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

}  // namespace
}  // namespace kyb
