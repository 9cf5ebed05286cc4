#include <cerrno>
#include <fstream>
#include <functional>

#include "moteur_fixture.h"
#include "platform/fichiers.h"
#include "support/dommages.h"

namespace kyb::test {
namespace {

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
  ASSERT_TRUE(base.Open());
  // A writer in the middle of a transaction never keeps a reader out (nor its look at the file).
  ASSERT_TRUE(base.StartTransaction());
  ASSERT_TRUE(base.ExecuteSql("CREATE TABLE t(x); INSERT INTO t VALUES(1)"));
  EXPECT_TRUE(TACRDatabase::IsAccuracerDatabaseFile(rep / "g.adb"));
  TACRDatabase seconde(rep / "g.adb");
  seconde.SetReadOnly(true);
  ASSERT_TRUE(seconde.Open());
  EXPECT_EQ(seconde.VerifieIntegrite(), "ok");
  EXPECT_TRUE(seconde.GetTableNames().empty());  // the uncommitted table is not seen

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

TEST(Base, CausesDesEchecs) {
  struct Cas {
    const char* nom;
    // Makes the failure happen on a database created at the path; false when it did.
    std::function<bool(TACRDatabase&, const std::string&)> echec;
    TErreurMoteur attendue;
  };
  const auto ecrit = [](TACRDatabase& b) {
    return b.ExecuteSql("CREATE TABLE t(x); INSERT INTO t SELECT zeroblob(100000)");
  };
  const std::vector<Cas> cas = {
      {"absente", [](TACRDatabase& b, const std::string& f) { return SupprimeFichier(f) && b.Open(); },
       TErreurMoteur::Ouverture},
      {"pas une base",
       [](TACRDatabase& b, const std::string& f) {
         std::ofstream(f, std::ios::trunc) << "ceci n'est pas une base";
         return b.Open();
       },
       TErreurMoteur::PasUneBase},
      {"occupée",
       [](TACRDatabase& b, const std::string& f) {
         TACRDatabase autre(f);
         return !autre.Open() || !autre.StartTransaction() || !b.Open() || b.ExecuteSql("CREATE TABLE t(x)");
       },
       TErreurMoteur::Occupe},
      {"endommagée",
       [](TACRDatabase& b, const std::string& f) { return !AbimePage(f, PageRacine(f, "_acr_base")) || b.Open(); },
       TErreurMoteur::Endommagee},
      {"lecture seule",
       [&](TACRDatabase& b, const std::string&) {
         b.SetReadOnly(true);
         return !b.Open() || ecrit(b);
       },
       TErreurMoteur::LectureSeule},
      {"disque plein",
       [&](TACRDatabase& b, const std::string&) {
         if (!b.Open()) return true;
         const PanneAuNiemeAppel plein(1, ENOSPC, PanneAuNiemeAppel::Mode::EcrituresSuivantes);
         return ecrit(b);
       },
       TErreurMoteur::DisquePlein},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    RepertoireTemporaire rep;
    const std::string fichier = rep / "b.adb";
    {
      TACRDatabase neuve(fichier);
      ASSERT_TRUE(neuve.CreateDatabase());
    }
    TACRDatabase base(fichier);
    EXPECT_FALSE(c.echec(base, fichier));
    EXPECT_EQ(base.CodeErreur(), c.attendue) << NomErreurMoteur(base.CodeErreur()) << " : " << base.DerniereErreur();
    // Said in French, never in the storage library's words ("database or disk is full"...).
    EXPECT_EQ(base.DerniereErreur().find("database"), std::string::npos) << base.DerniereErreur();
  }
}

TEST_F(BaseTemporaire, TransactionAnnuleeSiNonValidee) {
  TACRTable t(base, "Evenements");
  ASSERT_TRUE(t.Open());
  const TActiviteMoteur avant = base.Activite();
  {
    const TACRTransaction perdue(base);
    ASSERT_TRUE(perdue.Active());
    Ajoute(t, 1, 0, "perdue");
  }
  EXPECT_FALSE(base.InTransaction());
  {
    TACRTransaction gardee(base);
    Ajoute(t, 2, 0, "gardée");
    {
      const TACRTransaction interieure(base);  // one is open already: this one does nothing
      EXPECT_FALSE(interieure.Active());
    }
    EXPECT_TRUE(base.InTransaction());
    ASSERT_TRUE(gardee.Commit());
  }
  EXPECT_EQ(t.RecordCount(), 1);
  t.First();
  EXPECT_EQ(t.FieldByName("NoPersA").AsInteger(), 2);
  EXPECT_EQ(base.Activite().commits - avant.commits, 1);
  EXPECT_GT(base.Activite().instructions, avant.instructions);
}

}  // namespace
}  // namespace kyb::test
