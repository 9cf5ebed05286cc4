#include <algorithm>
#include <random>
#include <thread>

#include "moteur_fixture.h"
#include "platform/fichiers.h"

namespace kyb::test {
namespace {

using Curseur = BaseTemporaire;

std::vector<int64_t> Parcours(TACRTable& t) {
  std::vector<int64_t> ids;
  for (t.First(); !t.Eof(); t.Next()) ids.push_back(t.FieldByName("ID").AsInt64());
  return ids;
}

TEST_F(Curseur, TypesDuCatalogueEtConversionsDeTexte) {
  TACRTable t(base, "Evenements");
  ASSERT_TRUE(t.Open());
  ASSERT_NE(t.FindFieldDef("DateLastModif"), nullptr);
  EXPECT_EQ(static_cast<int>(t.FindFieldDef("DateLastModif")->type), 27);
  EXPECT_EQ(t.FindFieldDef("LibelleChamps")->taille, 21);
  t.Insert();
  t.FieldByName("LibelleChamps").SetAnsiString(A("NAISSANCE très longue étiquette"));
  t.FieldByName("Donnee").SetUnicodeString(U("Dupré œuvre 中"));
  t.FieldByName("Sexe").SetInteger('M');
  t.FieldByName("Type").SetInteger(300);  // int8 keeps its width
  t.FieldByName("Data").SetBlob(std::string("\0\1\2", 3));
  t.FieldByName("DateLastModif").SetDateTime(45000.5);
  ASSERT_TRUE(t.Post());
  ASSERT_TRUE(t.SetIndexName("ParID"));
  ASSERT_TRUE(t.FindKey({Cle(1)}));
  EXPECT_EQ(t.FieldByName("LibelleChamps").AsAnsiString(), A("NAISSANCE très longue"));
  EXPECT_EQ(t.FieldByName("Donnee").AsUnicodeString(), U("Dupré œuvre 中"));
  EXPECT_EQ(t.FieldByName("Donnee").AsAnsiString(), "Dupr\xE9 \x9Cuvre &#20013;");  // 中 as a reference
  EXPECT_EQ(t.FieldByName("Sexe").AsInteger(), 'M');
  EXPECT_EQ(t.FieldByName("Type").AsInteger(), 44);
  EXPECT_EQ(t.FieldByName("Data").AsBlob(), std::string("\0\1\2", 3));
  EXPECT_EQ(t.FieldByName("DateLastModif").AsDateTime(), 45000.5);
  // 8-bit texts are stored as UTF-8 so that SQL patterns work on accented letters.
  TACRQuery q(base, "SELECT count(*) AS n FROM Evenements WHERE LibelleChamps LIKE 'NAISSANCE tr%'");
  ASSERT_TRUE(q.Open());
  EXPECT_EQ(q.FieldByName("n").AsInteger(), 1);
}

TEST_F(Curseur, OrdreDesIndexEtRecherches) {
  TACRTable t(base, "Evenements");
  ASSERT_TRUE(t.Open());
  const int64_t a = Ajoute(t, 5, 2, "b");
  const int64_t b = Ajoute(t, 3, 1, "A");
  const int64_t c = Ajoute(t, 5, 1, "c");
  const int64_t d = Ajoute(t, 5, 1, "B");  // same key as c: rowid decides
  EXPECT_EQ(Parcours(t), (std::vector<int64_t>{a, b, c, d}));
  ASSERT_TRUE(t.SetIndexName("ParNoPersA"));
  EXPECT_EQ(Parcours(t), (std::vector<int64_t>{b, c, d, a}));
  ASSERT_TRUE(t.SetIndexName("ParDonnee"));
  EXPECT_EQ(Parcours(t), (std::vector<int64_t>{b, a, d, c}));
  EXPECT_TRUE(t.FindKey({CleUnicode(u"b")}));  // case-insensitive index
  EXPECT_EQ(t.FieldByName("ID").AsInt64(), a);

  ASSERT_TRUE(t.SetIndexName("ParNoPersA"));
  EXPECT_TRUE(t.FindKey({Cle(5)}));
  EXPECT_EQ(t.FieldByName("ID").AsInt64(), c);
  t.Next();
  EXPECT_EQ(t.FieldByName("ID").AsInt64(), d);
  EXPECT_TRUE(t.FindKey({Cle(5), Cle(2)}));
  EXPECT_EQ(t.FieldByName("ID").AsInt64(), a);
  EXPECT_FALSE(t.FindKey({Cle(4)}));
  EXPECT_EQ(t.FieldByName("ID").AsInt64(), a);  // not moved
  EXPECT_TRUE(t.FindNearest({Cle(4)}));
  EXPECT_EQ(t.FieldByName("ID").AsInt64(), c);
  EXPECT_FALSE(t.FindNearest({Cle(6)}));
  EXPECT_FALSE(t.SetIndexName("Inexistant"));

  t.Last();
  EXPECT_TRUE(t.Eof());
  EXPECT_EQ(t.FieldByName("ID").AsInt64(), a);
  t.Prior();
  EXPECT_EQ(t.FieldByName("ID").AsInt64(), d);
  t.First();
  EXPECT_TRUE(t.Bof());
  t.Prior();
  EXPECT_TRUE(t.Bof());
  EXPECT_EQ(t.FieldByName("ID").AsInt64(), b);
  EXPECT_EQ(t.RecordCount(), 4);
}

TEST_F(Curseur, PlageDeCles) {
  TACRTable t(base, "Evenements");
  ASSERT_TRUE(t.Open());
  for (int i = 1; i <= 10; ++i) Ajoute(t, i % 4, i, "x");
  ASSERT_TRUE(t.SetIndexName("ParNoPersA"));
  t.SetRange({Cle(2)}, {Cle(2)});
  std::vector<int> types;
  for (t.First(); !t.Eof(); t.Next()) types.push_back(t.FieldByName("Type").AsInteger());
  EXPECT_EQ(types, (std::vector<int>{2, 6, 10}));
  EXPECT_EQ(t.RecordCount(), 3);
  EXPECT_FALSE(t.FindKey({Cle(3)}));
  t.CancelRange();
  EXPECT_EQ(t.RecordCount(), 10);
}

TEST_F(Curseur, DeuxCurseursNeSeGenentPas) {
  TACRTable lecture(base, "Evenements"), ecriture(base, "Evenements");
  ASSERT_TRUE(lecture.Open());
  ASSERT_TRUE(ecriture.Open());
  for (int i = 0; i < 200; ++i) Ajoute(ecriture, i, 0, "x");
  ASSERT_TRUE(ecriture.SetIndexName("ParID"));
  int vus = 0;
  int64_t precedent = 0;
  for (lecture.First(); !lecture.Eof(); lecture.Next()) {
    const int64_t id = lecture.FieldByName("ID").AsInt64();
    EXPECT_GT(id, precedent);
    precedent = id;
    ++vus;
    // The other cursor looks up and edits rows while this one walks.
    ASSERT_TRUE(ecriture.FindKey({Cle(201 - vus)}));
    ecriture.Edit();
    ecriture.FieldByName("Type").SetInteger(7);
    ASSERT_TRUE(ecriture.Post());
  }
  EXPECT_EQ(vus, 200);
  TACRQuery q(base, "SELECT count(*) FROM Evenements WHERE Type = 7");
  ASSERT_TRUE(q.Open());
  EXPECT_EQ(q.Fields(0).AsInteger(), 200);
}

TEST_F(Curseur, EditionAnnulationEtSuppression) {
  TACRTable t(base, "Evenements");
  ASSERT_TRUE(t.Open());
  const int64_t a = Ajoute(t, 1, 0, "un");
  const int64_t b = Ajoute(t, 2, 0, "deux");
  const int64_t c = Ajoute(t, 3, 0, "trois");
  ASSERT_TRUE(t.SetIndexName("ParID"));
  ASSERT_TRUE(t.FindKey({Cle(b)}));
  t.Edit();
  t.FieldByName("Donnee").SetUnicodeString(u"changé");
  t.Cancel();
  EXPECT_EQ(t.FieldByName("Donnee").AsUnicodeString(), u"deux");
  t.FieldByName("Donnee").SetUnicodeString(u"hors édition");  // ignored outside edit
  EXPECT_EQ(t.FieldByName("Donnee").AsUnicodeString(), u"deux");
  t.Insert();
  t.Cancel();
  EXPECT_EQ(t.FieldByName("ID").AsInt64(), b);
  ASSERT_TRUE(t.Delete());
  EXPECT_EQ(t.FieldByName("ID").AsInt64(), c);  // moves to the next row
  ASSERT_TRUE(t.Delete());
  EXPECT_EQ(t.FieldByName("ID").AsInt64(), a);  // at the end, to the one before
  ASSERT_TRUE(t.Delete());
  EXPECT_TRUE(t.IsEmpty());
  EXPECT_TRUE(t.Eof());
  EXPECT_EQ(t.RecordCount(), 0);
  EXPECT_FALSE(t.Delete());
}

TEST_F(Curseur, AutoIncrementEtIdentifiantsImposes) {
  TACRTable t(base, "Evenements");
  ASSERT_TRUE(t.Open());
  EXPECT_EQ(Ajoute(t, 1, 0, ""), 1);
  t.Insert();
  t.FieldByName("ID").SetInteger(50);
  ASSERT_TRUE(t.Post());
  EXPECT_EQ(t.LastAutoIncValue(), 50);
  EXPECT_EQ(Ajoute(t, 1, 0, ""), 51);
  ASSERT_TRUE(t.SetLastAutoIncValue(1000));
  EXPECT_EQ(Ajoute(t, 1, 0, ""), 1001);
  // A duplicate identifier is refused and reported; the row in place is kept.
  std::string signale;
  t.OnPostError = [&](TACRTable&, const std::string& m) { signale = m; };
  t.Insert();
  t.FieldByName("ID").SetInteger(50);
  EXPECT_FALSE(t.Post());
  EXPECT_FALSE(signale.empty());
  t.Cancel();
  EXPECT_EQ(t.RecordCount(), 4);
}

TEST_F(Curseur, RestructurationGardeChaqueLigne) {
  {
    TACRTable t(base, "Evenements");
    ASSERT_TRUE(t.Open());
    Ajoute(t, 7, 1, "Élise");
    Ajoute(t, 8, 2, "Jean-Baptiste");
    t.Insert();
    t.FieldByName("ID").SetInteger(90);
    ASSERT_TRUE(t.Post());
  }
  TACRFieldDefs nouveaux = ChampsEvenements();
  nouveaux[2].taille = 40;                          // widened
  nouveaux[5].type = TTypeChamp::WideString;        // retyped
  nouveaux[4].type = TTypeChamp::Int64;             // widened integer
  nouveaux.push_back({"_DATE", TTypeChamp::Int32, 0, false});  // added
  TACRIndexDefs index = IndexEvenements();
  index.push_back({"Par_DATE", {"_DATE"}, 0});
  TACRTable t(base, "Evenements");
  ASSERT_TRUE(t.Open());
  ASSERT_TRUE(t.RestructureTable(nouveaux, index)) << base.DerniereErreur();
  EXPECT_TRUE(t.Active());
  EXPECT_EQ(t.FindFieldDef("Date")->type, TTypeChamp::WideString);
  EXPECT_EQ(t.RecordCount(), 3);
  ASSERT_TRUE(t.SetIndexName("ParNoPersA"));
  ASSERT_TRUE(t.FindKey({Cle(7)}));
  EXPECT_EQ(t.FieldByName("Donnee").AsUnicodeString(), U("Élise"));
  EXPECT_EQ(t.FieldByName("ID").AsInt64(), 1);
  EXPECT_EQ(t.FieldByName("_DATE").AsInteger(), 0);
  EXPECT_TRUE(t.IndexExists("Par_DATE"));
  EXPECT_EQ(t.LastAutoIncValue(), 90);
  EXPECT_EQ(Ajoute(t, 1, 1, ""), 91);
  // Adding a column and dropping an index.
  ASSERT_TRUE(t.AddField({"CurrentAddress", TTypeChamp::WideString, 120, false}));
  EXPECT_NE(t.FindFieldDef("CurrentAddress"), nullptr);
  ASSERT_TRUE(t.DeleteIndex("Par_DATE"));
  EXPECT_FALSE(t.IndexExists("Par_DATE"));
  EXPECT_FALSE(t.DeleteIndex("Par_DATE"));
}

TEST_F(Curseur, TransactionsEtSchema) {
  TACRTable t(base, "Evenements");
  ASSERT_TRUE(t.Open());
  {
    TACRTransaction tr(base);
    ASSERT_TRUE(tr.Active());
    Ajoute(t, 1, 0, "perdu");
  }  // rolled back
  EXPECT_EQ(t.RecordCount(), 0);
  ASSERT_TRUE(base.StartTransaction());
  Ajoute(t, 1, 0, "gardé");
  ASSERT_TRUE(base.Commit());
  EXPECT_EQ(t.RecordCount(), 1);
  EXPECT_EQ(base.GetTableNames(), std::vector<std::string>{"Evenements"});
  TACRTable autre(base, "Autre");
  EXPECT_FALSE(autre.CreateTable({{"A", TTypeChamp::Int32, 0, false}}, {{"X", {"B"}, 0}}));
  EXPECT_FALSE(autre.Exists());
  EXPECT_FALSE(t.CreateTable(ChampsEvenements(), {}));  // exists already
  ASSERT_TRUE(t.EmptyTable());
  EXPECT_EQ(t.RecordCount(), 0);
  ASSERT_TRUE(t.DeleteTable());
  EXPECT_FALSE(t.Exists());
  EXPECT_TRUE(base.GetTableNames().empty());
}

TEST_F(Curseur, RequetesNommeesDepuisUnAutreThread) {
  TACRTable t(base, "Evenements");
  ASSERT_TRUE(t.Open());
  for (int i = 0; i < 50; ++i) Ajoute(t, i % 5, i, "x");
  int64_t compteOuvrier = -1;
  std::thread ouvrier([&] {
    TACRQuery q(base, "Select * From Evenements Where NoPersA = :noPersA;");
    q.SetParamInteger("noPersA", 3);
    if (!q.Open()) return;
    compteOuvrier = 0;
    for (; !q.Eof(); q.Next()) ++compteOuvrier;
  });
  for (t.First(); !t.Eof(); t.Next()) {
  }
  ouvrier.join();
  EXPECT_EQ(compteOuvrier, 10);
  TACRQuery maj(base, "UPDATE Evenements SET Type = :t WHERE NoPersA == :n");
  maj.SetParamInteger(":t", 99);
  maj.SetParamInteger("n", 0);
  ASSERT_TRUE(maj.ExecSQL());
  EXPECT_EQ(maj.RowsAffected(), 10);
  TACRQuery fausse(base, "SELECT nimporte FROM rien");
  EXPECT_FALSE(fausse.Open());
  EXPECT_FALSE(base.DerniereErreur().empty());
}

}  // namespace
}  // namespace kyb::test
