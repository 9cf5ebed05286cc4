// Keyset paging against a plain sorted list, across the cursor's batches, and cursors sharing a
// table.
#include <algorithm>
#include <random>

#include "moteur_fixture.h"

namespace kyb::test {
namespace {

struct Ligne {
  int64_t noPers, type, id;
  bool operator<(const Ligne& b) const {
    return std::tie(noPers, type, id) < std::tie(b.noPers, b.type, b.id);
  }
};

// Several hundred rows on few keys: long runs of equal keys that straddle the batches.
class Parcours : public BaseTemporaire {
 protected:
  void SetUp() override {
    BaseTemporaire::SetUp();
    ASSERT_TRUE(t.Open());
    std::mt19937 alea(7);
    TACRTransaction lot(base);
    for (int i = 0; i < 500; ++i) {
      const int noPers = static_cast<int>(alea() % 8), type = static_cast<int>(alea() % 3);
      lignes.push_back({noPers, type, Ajoute(t, noPers, type, "x")});
    }
    ASSERT_TRUE(lot.Commit());
    std::sort(lignes.begin(), lignes.end());
    ASSERT_TRUE(t.SetIndexName("ParNoPersA"));
  }

  [[nodiscard]] std::vector<int64_t> Attendus(int64_t de, int64_t a) const {
    std::vector<int64_t> ids;
    for (const Ligne& l : lignes)
      if (l.noPers >= de && l.noPers <= a) ids.push_back(l.id);
    return ids;
  }
  [[nodiscard]] int64_t Id() { return t.FieldByName("ID").AsInt64(); }

  TACRTable t{base, "Evenements"};
  std::vector<Ligne> lignes;
};

TEST_F(Parcours, AvantArriereEtPlagesSuiventLOrdreDeLIndex) {
  struct Cas {
    bool plage;
    int64_t de, a;
  };
  for (const Cas& c : {Cas{false, 0, 7}, Cas{true, 2, 5}, Cas{true, 3, 3}, Cas{true, 8, 9}}) {
    SCOPED_TRACE(std::to_string(c.de) + ".." + std::to_string(c.a));
    if (c.plage) t.SetRange({Cle(c.de)}, {Cle(c.a)});
    else t.CancelRange();
    const std::vector<int64_t> attendus = Attendus(c.de, c.a);
    std::vector<int64_t> avant, arriere;
    for (t.First(); !t.Eof(); t.Next()) avant.push_back(Id());
    for (t.Last(); !t.Bof(); t.Prior()) arriere.push_back(Id());
    EXPECT_EQ(avant, attendus);
    EXPECT_EQ(std::vector<int64_t>(arriere.rbegin(), arriere.rend()), attendus);
    EXPECT_EQ(t.RecordCount(), static_cast<int64_t>(attendus.size()));
  }
}

TEST_F(Parcours, MarcheAuHasardCommeUnIndiceDansLaListe) {
  const std::vector<int64_t> ids = Attendus(0, 7);
  const auto n = static_cast<long>(ids.size());
  std::mt19937 alea(11);
  long position = 0;
  t.First();
  for (int pas = 0; pas < 3000; ++pas) {
    const unsigned coup = alea() % 10;
    if (coup < 4) {
      t.Next();
      position = std::min(position + 1, n - 1);
    } else if (coup < 8) {
      t.Prior();
      position = std::max(position - 1, 0L);
    } else {
      // Lands on the first row of a key, then walks from there.
      const Ligne& cible = lignes[alea() % lignes.size()];
      ASSERT_TRUE(t.FindKey({Cle(cible.noPers), Cle(cible.type)}));
      position = std::lower_bound(lignes.begin(), lignes.end(), Ligne{cible.noPers, cible.type, 0}) - lignes.begin();
    }
    ASSERT_EQ(Id(), ids[static_cast<size_t>(position)]) << "pas " << pas;
  }
}

TEST_F(Parcours, RechercheProcheEntreLesCles) {
  const auto premier = [&](int64_t noPers, int64_t type) {
    return std::lower_bound(lignes.begin(), lignes.end(), Ligne{noPers, type, 0})->id;
  };
  // A whole key, a key prefix, a prefix before the first key.
  const std::vector<std::pair<TCle, int64_t>> cas = {
      {{Cle(3), Cle(2)}, premier(3, 2)}, {{Cle(3)}, premier(3, 0)}, {{Cle(-5)}, lignes.front().id}};
  for (const auto& [cle, id] : cas) {
    EXPECT_TRUE(t.FindNearest(cle));
    EXPECT_EQ(Id(), id);
  }
  EXPECT_FALSE(t.FindNearest({Cle(8)}));
}

TEST_F(Parcours, UnCurseurSupprimeLaLigneDeLAutre) {
  TACRTable autre(base, "Evenements");
  ASSERT_TRUE(autre.Open());
  ASSERT_TRUE(autre.SetIndexName("ParID"));
  const std::vector<int64_t> ids = Attendus(0, 7);
  t.First();
  for (int i = 0; i < 100; ++i) t.Next();  // inside the second batch
  ASSERT_EQ(Id(), ids[100]);
  ASSERT_TRUE(autre.FindKey({Cle(ids[100])}));
  ASSERT_TRUE(autre.Delete());
  EXPECT_EQ(t.FieldByName("ID").AsInt64(), ids[100]);  // its copy of the row stays
  t.Next();
  EXPECT_EQ(Id(), ids[101]);
  t.Prior();
  EXPECT_EQ(Id(), ids[99]);
  std::vector<int64_t> reste;
  for (t.First(); !t.Eof(); t.Next()) reste.push_back(Id());
  EXPECT_EQ(reste.size(), ids.size() - 1);
}

}  // namespace
}  // namespace kyb::test
