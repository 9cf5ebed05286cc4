#include "platform/arborescence.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/fichiers.h"
#include "support/support.h"

namespace kyb {
namespace {

// Where a path truly lands: through links (also dangling ones a creation would follow) and
// ".." read after the link before it, as the system reads it.
TEST(Arborescence, CheminResoluSuitLesLiens) {
  test::RepertoireTemporaire rep;
  const std::string r = CheminSysteme(CheminResolu(rep.Chemin()));
  ASSERT_TRUE(CreeRepertoires(rep / "reel/sous"));
  ASSERT_EQ(::symlink((r + "/reel/sous").c_str(), (rep / "lien").c_str()), 0);
  ASSERT_EQ(::symlink("reel/cree.txt", (rep / "pendant").c_str()), 0);
  ASSERT_EQ(::symlink("boucle", (rep / "boucle").c_str()), 0);
  struct Cas {
    const char* chemin;
    const char* attendu;  // below the resolved temporary directory; null: unresolvable
  };
  const Cas cas[] = {
      {"lien/F.adb", "/reel/sous/F.adb"}, {"lien/../F.adb", "/reel/F.adb"},
      {"pendant", "/reel/cree.txt"},      {"reel/absent/x/", "/reel/absent/x"},
      {"reel//./sous", "/reel/sous"},     {"boucle", nullptr},
  };
  for (const Cas& c : cas)
    EXPECT_EQ(CheminResolu(rep / c.chemin), c.attendu ? r + c.attendu : "") << c.chemin;
  EXPECT_TRUE(CheminDans(rep / "lien/../F.adb", rep / "reel"));
  EXPECT_FALSE(CheminDans(rep / "reelle/x", rep / "reel"));
  EXPECT_FALSE(CheminDans(rep / "boucle", rep.Chemin()));
}

}  // namespace
}  // namespace kyb
