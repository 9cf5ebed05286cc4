#include <fstream>
#include <iterator>

#include "moteur_fixture.h"
#include "platform/fichiers.h"
#include "support/dommages.h"

namespace kyb::test {
namespace {

std::string Contenu(const std::string& chemin) {
  std::ifstream f(chemin, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), {}};
}

TEST(Base, FichierEtrangerNiOuvertNiModifie) {
  RepertoireTemporaire rep;
  const std::string texte = rep / "notes.adb";
  std::ofstream(texte) << "ceci n'est pas une base";
  const std::string sqlite = rep / "autre.adb";
  {
    sqlite3* c = nullptr;
    ASSERT_EQ(sqlite3_open(sqlite.c_str(), &c), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(c, "CREATE TABLE t(x)", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(c);
  }
  for (const std::string& chemin : {texte, sqlite}) {
    const std::string avant = Contenu(chemin);
    TACRDatabase base(chemin);
    EXPECT_FALSE(TACRDatabase::IsAccuracerDatabaseFile(chemin));
    EXPECT_FALSE(base.Open());
    EXPECT_NE(base.DerniereErreur().find("n'est pas une base"), std::string::npos);
    EXPECT_EQ(Contenu(chemin), avant);
    EXPECT_FALSE(FichierExiste(chemin + "-wal"));
  }
  EXPECT_FALSE(TACRDatabase::IsAccuracerDatabaseFile(rep / "absent.adb"));
}

TEST(Base, CreationOuvertureExclusiveEtGeneration) {
  RepertoireTemporaire rep;
  TACRDatabase base(rep / "g.adb");
  ASSERT_TRUE(base.CreateDatabase());
  EXPECT_FALSE(base.CreateDatabase());  // exists
  base.Close();
  EXPECT_TRUE(TACRDatabase::IsAccuracerDatabaseFile(rep / "g.adb"));
  base.SetExclusive(true);
  ASSERT_TRUE(base.Open());
  TACRDatabase seconde(rep / "g.adb");
  seconde.SetExclusive(true);
  EXPECT_FALSE(seconde.Open());  // held exclusively
  base.Close();
  EXPECT_TRUE(seconde.Open());

  TACRDatabase ancienne(rep / "v4.adb");
  ancienne.SetGeneration(4);
  ASSERT_TRUE(ancienne.CreateDatabase());
  ancienne.Close();
  EXPECT_EQ(TACRDatabase::GenerationFichier(rep / "v4.adb"), 4);
  EXPECT_FALSE(TACRDatabase::IsAccuracerDatabaseFile(rep / "v4.adb"));
  EXPECT_TRUE(ancienne.Open());
  EXPECT_EQ(ancienne.Generation(), 4);
}

TEST_F(BaseTemporaire, CompactageEtReparationSansDommage) {
  TACRTable t(base, "Evenements");
  ASSERT_TRUE(t.Open());
  for (int i = 0; i < 500; ++i) Ajoute(t, i, 0, std::string(200, 'x'));
  TACRQuery q(base, "DELETE FROM Evenements WHERE NoPersA >= 100");
  ASSERT_TRUE(q.ExecSQL());
  ASSERT_TRUE(base.Compact());
  EXPECT_EQ(t.RecordCount(), 100);
  int appels = 0;
  ASSERT_TRUE(base.Repair([&](int) { ++appels; }));
  EXPECT_GT(appels, 0);
  EXPECT_EQ(base.VerifieIntegrite(), "ok");
}

TEST_F(BaseTemporaire, ReparationRecupereLesLignesLisibles) {
  {
    TACRTable t(base, "Evenements");
    ASSERT_TRUE(t.Open());
    ASSERT_TRUE(base.StartTransaction());
    for (int i = 0; i < 3000; ++i) Ajoute(t, i, 1, std::string(100, 'a' + i % 26));
    ASSERT_TRUE(base.Commit());
  }
  ASSERT_TRUE(base.Compact());
  base.Close();
  // Damage a few pages in the middle of the file.
  {
    TFichier f = TFichier::Ouvre(base.FileName(), TAcces::LectureEcriture, TCreation::Existant);
    ASSERT_TRUE(f.Valide());
    const std::string dechets(4096 * 3, '\x5A');
    ASSERT_EQ(f.EcritA(f.Taille() / 2 / 4096 * 4096, dechets.data(), dechets.size()), 4096 * 3);
  }
  ASSERT_TRUE(base.Open());
  EXPECT_NE(base.VerifieIntegrite(), "ok");
  ASSERT_TRUE(base.Repair());
  EXPECT_EQ(base.VerifieIntegrite(), "ok");
  EXPECT_TRUE(FichierExiste(base.FileName() + ".corrompu"));
  TACRTable t(base, "Evenements");
  ASSERT_TRUE(t.Open());
  const int64_t restantes = t.RecordCount();
  EXPECT_GT(restantes, 2500);
  EXPECT_LE(restantes, 3000);
  ASSERT_TRUE(t.SetIndexName("ParNoPersA"));
  EXPECT_TRUE(t.FindKey({Cle(0)}));
}

TEST(Reparation, IndexUniqueCasseSeulEcarte) {
  // Three indexes, the first unique one broken by the surviving rows: the two others stay.
  RepertoireTemporaire rep;
  TACRDatabase base(rep / "u.adb");
  ASSERT_TRUE(base.CreateDatabase());
  const TACRFieldDefs champs = {{"ID", TTypeChamp::AutoInc, 0, false},
                                {"A", TTypeChamp::Int32, 0, false},
                                {"B", TTypeChamp::Int32, 0, false},
                                {"C", TTypeChamp::Int32, 0, false}};
  const TACRIndexDefs index = {{"ParID", {"ID"}, kIndexPrimaire},
                               {"UniqueA", {"A"}, kIndexUnique},
                               {"UniqueB", {"B"}, kIndexUnique},
                               {"ParC", {"C"}, 0}};
  {
    TACRTable t(base, "T");
    ASSERT_TRUE(t.CreateTable(champs, index));
    TACRTable bourrage(base, "Bourrage");
    ASSERT_TRUE(bourrage.CreateTable(champs, {{"ParID", {"ID"}, kIndexPrimaire}}));
  }
  // Duplicates in A behind the unique index's back, and a damaged page elsewhere in the file.
  ASSERT_TRUE(base.ExecuteSql("DROP INDEX \"T_UniqueA\""));
  ASSERT_TRUE(base.ExecuteSql("INSERT INTO T(A, B, C) VALUES(1, 1, 1), (1, 2, 2), (2, 3, 3)"));
  ASSERT_TRUE(base.ExecuteSql("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000) "
                              "INSERT INTO Bourrage(A, B, C) SELECT i, i, i FROM n"));
  const std::string fichier = CheminSysteme(base.FileName());
  base.Close();
  const int page = PageRacine(fichier, "Bourrage");
  ASSERT_GT(page, 1);
  ASSERT_TRUE(AbimePage(fichier, page + 3));
  ASSERT_TRUE(base.Open());
  TBilanReparation bilan;
  ASSERT_TRUE(base.Repair({}, {}, &bilan));
  EXPECT_TRUE(bilan.reconstruite);
  EXPECT_FALSE(base.IndexPhysiqueExiste("T", "UniqueA"));
  EXPECT_TRUE(base.IndexPhysiqueExiste("T", "UniqueB"));
  EXPECT_TRUE(base.IndexPhysiqueExiste("T", "ParC"));
  TACRTable t(base, "T");
  ASSERT_TRUE(t.Open());
  EXPECT_EQ(t.RecordCount(), 3);
  const TACRIndexDefs restants = t.IndexDefs();
  EXPECT_EQ(TrouveIndex(restants, "UniqueA"), nullptr);
  EXPECT_NE(TrouveIndex(restants, "UniqueB"), nullptr);
  EXPECT_NE(TrouveIndex(restants, "ParC"), nullptr);
}

}  // namespace
}  // namespace kyb::test
