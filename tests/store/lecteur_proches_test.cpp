// The reader of relatives: the rows of a batch are those read one by one, past the size of one
// statement, with repeats, numbers without a row and an alternative-parents row alone.
#include "store/lecteur_proches.h"

#include <gtest/gtest.h>

#include "platform/thread_nom.h"
#include "store_fixture.h"

namespace kyb {
namespace {

class LecteurProches : public test::Magasin {};

bool Memes(const TProcheLu& a, const TProcheLu& b) {
  return a.FicheSupprimee == b.FicheSupprimee && a.Sexe == b.Sexe && a.Pere == b.Pere && a.Mere == b.Mere &&
         a.LigneParents == b.LigneParents && a.Parents == b.Parents && a.Conjoints == b.Conjoints &&
         a.Enfants == b.Enfants;
}

TEST_F(LecteurProches, UnLotLitCeQueLitChaquePersonne) {
  NommeThreadPrincipal();
  const long n = 2 * static_cast<long>(TLecteurProches::kLot) + 5;
  for (long no = 1; no <= n; ++no) {
    TEnregPublic p;
    p.FicheSupprimee = no % 7 ? 'N' : 'O';
    p.Sexe = no % 2 ? 'F' : 'M';
    p.Pere = static_cast<int32_t>(no / 2);
    p.Mere = static_cast<int32_t>(no / 3);
    p.Conjoints[0].Lien = static_cast<int32_t>(no + 1);
    p.Enfants[0] = static_cast<int32_t>(2 * no);
    p.Enfants[1] = static_cast<int32_t>(2 * no + 1);
    ASSERT_TRUE(module->WritePerson(p, no));
  }
  ASSERT_TRUE(module->WriteNoParents(5, TNoParent{1, 2, 3, 4, 2, 0}));
  ASSERT_TRUE(module->WriteNoParents(n + 10, TNoParent{6, 7, -1, -1, 0, 0}));  // no person row
  std::vector<long> nos;
  for (long no = n + 10; no >= -1; --no) nos.push_back(no);
  nos.push_back(5);
  TLecteurProches& l = module->LecteurProches();
  std::vector<TProcheLu> lot;
  ASSERT_TRUE(l.LitLot(nos, lot));
  ASSERT_EQ(lot.size(), nos.size());
  for (size_t i = 0; i < nos.size(); ++i) {
    TProcheLu seul;
    ASSERT_TRUE(l.Lit(nos[i], seul));
    EXPECT_TRUE(Memes(lot[i], seul)) << nos[i];
  }
  const TProcheLu& dix = lot[static_cast<size_t>(n)];
  EXPECT_EQ(std::tuple(dix.Sexe, dix.Pere, dix.Mere), std::tuple('M', 5, 3));
  EXPECT_EQ(dix.Conjoints, std::vector<int32_t>{11});
  EXPECT_EQ(dix.Enfants, (std::vector<int32_t>{20, 21}));
  EXPECT_EQ(lot[static_cast<size_t>(n + 10 - 7)].FicheSupprimee, 'O');
  EXPECT_EQ(lot.back().PereAffiche(), 3);
  EXPECT_EQ(lot.back().PaireA(), std::pair(1, 2));
  EXPECT_EQ(lot.front().Vivant(), true);
  EXPECT_EQ(lot.front().PaireA(), std::pair(6, 7));
  EXPECT_EQ(lot.front().PaireB(), std::pair(0, 0));
  // The statements are prepared again after the tables closed and opened.
  ASSERT_TRUE(module->OpenDataBase(false));
  TProcheLu apres;
  ASSERT_TRUE(l.Lit(5, apres));
  EXPECT_TRUE(Memes(apres, lot.back()));
}

}  // namespace
}  // namespace kyb
