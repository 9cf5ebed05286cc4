// Every column type keeps its values through a write, a closing and a reading, read by a table
// cursor or by a query.
#include <limits>

#include "moteur_fixture.h"

namespace kyb::test {
namespace {

const TACRFieldDefs kChamps = {
    {"ID", TTypeChamp::AutoInc, 0, false},  {"Fixe", TTypeChamp::FixedChar, 20, false},
    {"Chaine", TTypeChamp::String, 0, false}, {"Memo", TTypeChamp::Memo, 0, false},
    {"Large", TTypeChamp::WideString, 0, false}, {"MemoLarge", TTypeChamp::WideMemo, 0, false},
    {"I8", TTypeChamp::Int8, 0, false},      {"I16", TTypeChamp::Int16, 0, false},
    {"I32", TTypeChamp::Int32, 0, false},    {"I64", TTypeChamp::Int64, 0, false},
    {"Octet", TTypeChamp::Byte, 0, false},   {"Reel", TTypeChamp::Double, 0, false},
    {"Moment", TTypeChamp::DateTime, 0, false}, {"Brut", TTypeChamp::Blob, 0, false}};

struct Valeurs {
  AnsiString fixe, chaine, memo;
  UnicodeString large, memoLarge;
  int64_t i8, i16, i32, i64, octet;
  double reel, moment;
  std::string brut;
};

AnsiString TousLesOctets() {
  AnsiString s;
  for (int c = 1; c < 256; ++c) s.push_back(static_cast<char>(c));
  return s;
}

TEST(Valeurs, ChaqueTypeGardeSesValeurs) {
  constexpr auto kMin64 = std::numeric_limits<int64_t>::min();
  constexpr auto kMax64 = std::numeric_limits<int64_t>::max();
  const std::vector<Valeurs> cas = {
      {A("Œuvre à €"), A("Dupré"), TousLesOctets(), U("Łódź 𝄞 😀"), U("𐍈 et 中"), -128, -32768,
       std::numeric_limits<int32_t>::min(), kMin64, 0, -0.1, -693593.0, std::string("\0\xFF\0", 3)},
      {A(""), A("a\tb\nc"), A(""), U(""), UnicodeString(1, u'\xFFFD'), 127, 32767,
       std::numeric_limits<int32_t>::max(), kMax64, 255, 1e308, 45000.999988426, std::string(1000, '\0')},
      {A("x"), A(""), A("y"), UnicodeString{0xD83D, 0xDE00}, U("é"), 0, 0, 0, 0, 'O',
       std::numeric_limits<double>::denorm_min(), 0.0, std::string()},
  };
  RepertoireTemporaire rep;
  const AnsiString fichier = rep / "types.adb";
  {
    TACRDatabase base(fichier);
    ASSERT_TRUE(base.CreateDatabase());
    TACRTable t(base, "Types");
    ASSERT_TRUE(t.CreateTable(kChamps, {{"ParID", {"ID"}, kIndexPrimaire}}));
    ASSERT_TRUE(t.Open());
    for (const Valeurs& v : cas) {
      t.Insert();
      t.FieldByName("Fixe").SetAnsiString(v.fixe);
      t.FieldByName("Chaine").SetAnsiString(v.chaine);
      t.FieldByName("Memo").SetAnsiString(v.memo);
      t.FieldByName("Large").SetUnicodeString(v.large);
      t.FieldByName("MemoLarge").SetUnicodeString(v.memoLarge);
      t.FieldByName("I8").SetInteger(v.i8);
      t.FieldByName("I16").SetInteger(v.i16);
      t.FieldByName("I32").SetInteger(v.i32);
      t.FieldByName("I64").SetInteger(v.i64);
      t.FieldByName("Octet").SetInteger(v.octet);
      t.FieldByName("Reel").SetFloat(v.reel);
      t.FieldByName("Moment").SetDateTime(v.moment);
      t.FieldByName("Brut").SetBlob(v.brut);
      ASSERT_TRUE(t.Post()) << base.DerniereErreur();
    }
  }
  TACRDatabase base(fichier);
  base.SetReadOnly(true);
  ASSERT_TRUE(base.Open());
  TACRTable t(base, "Types");
  ASSERT_TRUE(t.Open());
  ASSERT_TRUE(t.SetIndexName("ParID"));
  for (size_t i = 0; i < cas.size(); ++i) {
    SCOPED_TRACE(i);
    const Valeurs& v = cas[i];
    ASSERT_TRUE(t.FindKey({Cle(static_cast<int64_t>(i) + 1)}));
    EXPECT_EQ(t.FieldByName("Fixe").AsAnsiString(), v.fixe);
    EXPECT_EQ(t.FieldByName("Chaine").AsAnsiString(), v.chaine);
    EXPECT_EQ(t.FieldByName("Memo").AsAnsiString(), v.memo);
    EXPECT_EQ(t.FieldByName("Large").AsUnicodeString(), v.large);
    EXPECT_EQ(t.FieldByName("MemoLarge").AsUnicodeString(), v.memoLarge);
    EXPECT_EQ(t.FieldByName("I8").AsInt64(), v.i8);
    EXPECT_EQ(t.FieldByName("I16").AsInt64(), v.i16);
    EXPECT_EQ(t.FieldByName("I32").AsInt64(), v.i32);
    EXPECT_EQ(t.FieldByName("I64").AsInt64(), v.i64);
    EXPECT_EQ(t.FieldByName("Octet").AsInt64(), v.octet);
    EXPECT_EQ(t.FieldByName("Reel").AsFloat(), v.reel);
    EXPECT_EQ(t.FieldByName("Moment").AsDateTime(), v.moment);
    EXPECT_EQ(t.FieldByName("Brut").AsBlob(), v.brut);
  }
  // A query's columns read straight give what its fields give, for every kind and accessor.
  TACRQuery q(base, "SELECT *, NULL AS Nul, 2.5 AS Reel2, '12x' AS Texte FROM Types ORDER BY ID");
  ASSERT_TRUE(q.Open());
  for (; !q.Eof(); q.Next()) {
    for (int c = 0; c < q.FieldCount(); ++c) {
      SCOPED_TRACE(q.Fields(c).FieldName());
      const TColonneLue l = q.Colonne(c);
      TACRField& f = q.Fields(c);
      EXPECT_EQ(l.IsNull(), f.IsNull());
      EXPECT_EQ(l.AsInt64(), f.AsInt64());
      EXPECT_EQ(l.AsFloat(), f.AsFloat());
      EXPECT_EQ(l.AsUtf8(), f.AsUtf8());
      EXPECT_EQ(l.AsAnsiString(), f.AsAnsiString());
      EXPECT_EQ(l.AsUnicodeString(), f.AsUnicodeString());
    }
  }
  EXPECT_TRUE(q.Colonne(0).IsNull());  // past the end
}

}  // namespace
}  // namespace kyb::test
