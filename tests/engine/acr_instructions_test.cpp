// Prepared statements kept by the connection and lent again: each user sees its own parameters,
// users of one text at once get statements of their own, and a statement follows the schema and
// the connection of its database.
#include "moteur_fixture.h"

namespace kyb::test {
namespace {

using Instructions = BaseTemporaire;

constexpr const char* kParPersonne = "SELECT ID FROM Evenements WHERE NoPersA = :n ORDER BY ID";

int64_t Compte(TACRQuery& q) {
  int64_t n = 0;
  if (q.Open())
    for (; !q.Eof(); q.Next()) ++n;
  return n;
}

TEST_F(Instructions, PrepareesUneFoisPuisPreteesAChaqueUtilisateur) {
  TACRTable t(base, "Evenements");
  ASSERT_TRUE(t.Open());
  for (int i = 0; i < 6; ++i) Ajoute(t, i % 2, 0, "x");
  const int64_t avant = base.Activite().preparations;
  for (int tour = 0; tour < 3; ++tour) {
    TACRQuery q(base, kParPersonne);
    q.SetParamInteger("n", 1);
    EXPECT_EQ(Compte(q), 3);
  }
  EXPECT_EQ(base.Activite().preparations - avant, 1);
  {
    // The next user of the text binds nothing: the last user's value is gone.
    TACRQuery sansValeur(base, kParPersonne);
    EXPECT_EQ(Compte(sansValeur), 0);
  }
  // Two users at once, the inner one stepped to its end within each row of the outer one.
  TACRQuery dehors(base, kParPersonne), dedans(base, kParPersonne);
  dehors.SetParamInteger("n", 0);
  dedans.SetParamInteger("n", 1);
  int64_t paires = 0;
  ASSERT_TRUE(dehors.Open());
  for (; !dehors.Eof(); dehors.Next()) paires += Compte(dedans);
  EXPECT_EQ(paires, 9);
  EXPECT_EQ(base.Activite().preparations - avant, 2);
}

TEST_F(Instructions, SuiventLeSchemaEtLaConnexion) {
  TACRTable t(base, "Evenements");
  ASSERT_TRUE(t.Open());
  Ajoute(t, 1, 0, "x");
  int colonnes = 0;
  {
    TACRQuery q(base, "SELECT * FROM Evenements");
    ASSERT_TRUE(q.Open());
    colonnes = q.FieldCount();
  }
  ASSERT_TRUE(base.ExecuteSql("ALTER TABLE Evenements ADD COLUMN Ajoutee INTEGER NOT NULL DEFAULT 7"));
  TACRQuery q(base, "SELECT * FROM Evenements");
  ASSERT_TRUE(q.Open());
  EXPECT_EQ(q.FieldCount(), colonnes + 1);
  EXPECT_EQ(q.FieldByName("Ajoutee").AsInteger(), 7);
  // The database closed and opened again: the query runs on the new connection.
  q.Close();
  base.Close();
  ASSERT_TRUE(base.Open()) << base.DerniereErreur();
  ASSERT_TRUE(base.ExecuteSql("DELETE FROM Evenements"));
  ASSERT_TRUE(q.Open()) << base.DerniereErreur();
  EXPECT_TRUE(q.Eof());
}

}  // namespace
}  // namespace kyb::test
