#include "platform/chaines.h"

#include <gtest/gtest.h>

#include "platform/references_ansi.h"

namespace kyb {
namespace {

TEST(Chaines, ToutOctet1252FaitLAllerRetourParUtf16EtUtf8) {
  std::string tous;
  for (int i = 1; i < 256; ++i) tous.push_back(static_cast<char>(i));
  EXPECT_EQ(UnicodeVersAnsi(AnsiVersUnicode(tous)), tous);
  EXPECT_EQ(Utf8VersAnsi(AnsiVersUtf8(tous)), tous);
  EXPECT_EQ(UnicodeVersUtf8(AnsiVersUnicode(tous)), AnsiVersUtf8(tous));
}

TEST(Chaines, CorrespondancesConnues1252) {
  EXPECT_EQ(CarAnsiVersUnicode(0x80), u'\u20AC');
  EXPECT_EQ(CarAnsiVersUnicode(0x9C), u'\u0153');
  EXPECT_EQ(CarAnsiVersUnicode(0xE9), u'\u00E9');
  for (const unsigned char indefini : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
    EXPECT_EQ(CarAnsiVersUnicode(indefini), indefini);
  EXPECT_EQ(CarUnicodeVersAnsi(u'\u0153'), '\x9C');
  EXPECT_EQ(CarUnicodeVersAnsi(u'\u4E2D'), '?');
  EXPECT_EQ(AnsiVersUtf8("\xC9lise"), "Élise");
  EXPECT_EQ(Utf8VersAnsi("Cœur"), "C\x9C" "ur");
}

TEST(Chaines, Utf8InvalideDonneLeCaractereDeRemplacement) {
  EXPECT_EQ(Utf8VersUnicode("a\xC3"), u"a\uFFFD");
  EXPECT_EQ(Utf8VersUnicode("\xC0\xAF"), u"\uFFFD");            // overlong
  EXPECT_EQ(Utf8VersUnicode("\xED\xA0\x80"), u"\uFFFD");        // encoded surrogate
  EXPECT_EQ(Utf8VersUnicode("\xF0\x9F\x98\x80").size(), 2u);    // outside the BMP
  EXPECT_EQ(UnicodeVersUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

// Texts a user may give, each with a character Windows-1252 cannot hold or a typed "&#".
const char* const kTextesHors1252[] = {
    "Urodzony w Łodzi; 北京; Győr", "skany/Łódź.jpg", "né 😀 à Paris", "&#65;", "&#38;#x &", "a&#",
    "&#321; tapé", "x&#128512;"};

TEST(Chaines, AucunCaractereNEstPerduEnWindows1252) {
  for (const char* texte : kTextesHors1252) {
    const AnsiString ansi = Utf8VersAnsi(texte);
    EXPECT_EQ(AnsiVersUtf8(ansi), texte);
    EXPECT_EQ(UnicodeVersAnsi(Utf8VersUnicode(texte)), ansi) << texte;
    EXPECT_EQ(AnsiVersUnicode(ansi), Utf8VersUnicode(texte)) << texte;
    // A fixed field never ends inside a reference: every cut reads back as a start of the text.
    for (size_t n = 0; n <= ansi.size(); ++n) {
      const std::string debut = AnsiVersUtf8(CoupeAnsi(ansi, n));
      EXPECT_LE(CoupeAnsi(ansi, n).size(), n);
      EXPECT_EQ(std::string_view(texte).substr(0, debut.size()), debut) << texte << " cut at " << n;
      const UnicodeString caracteres = AnsiVersUnicode(CoupeAnsiCaracteres(ansi, n));
      EXPECT_EQ(Utf8VersUnicode(texte).substr(0, caracteres.size()), caracteres);
    }
    EXPECT_EQ(AnsiVersUnicode(CoupeAnsiCaracteres(ansi, 3)), Utf8VersUnicode(texte).substr(0, 3)) << texte;
  }
  EXPECT_EQ(Utf8VersAnsi("Łódź"), "&#321;\xF3" "d&#378;");
  EXPECT_EQ(AnsiVersUtf8("&#65; &#0321; &#38; &#9999999;"), "&#65; &#0321; &#38; &#9999999;");
  EXPECT_EQ(AnsiBrutVersUtf8("&#321;"), "&#321;");
  EXPECT_TRUE(EstTexteAnsi("Œuvre € &#"));
  EXPECT_FALSE(EstTexteAnsi("Łódź"));
}

TEST(Chaines, MajusculesParTable) {
  EXPECT_EQ(MajusculesAnsi(A("élève œuvre ÿ straße")), A("ÉLÈVE ŒUVRE Ÿ STRAßE"));
  EXPECT_EQ(MinusculesAnsi(A("ÉLÈVE ŒUVRE")), A("élève œuvre"));
  EXPECT_EQ(MajusculeAnsi('\xF7'), '\xF7');  // division sign is no letter
  EXPECT_EQ(MajusculesUnicode(U("élève œuvre ÿ ł")), U("ÉLÈVE ŒUVRE Ÿ Ł"));
  EXPECT_EQ(MinusculesUnicode(U("ÉLÈVE Ÿ Ł")), U("élève ÿ ł"));
  EXPECT_EQ(MajusculeUnicode(char16_t(0x9A)), char16_t(0x9A));  // C1 control, not š
  // Names beyond Latin-1: Vietnamese, Romanian, pinyin, Greek (final sigma), Russian, Armenian.
  const std::pair<const char*, const char*> kPaires[] = {
      {"nguyễn thị ơn ưu", "NGUYỄN THỊ ƠN ƯU"}, {"ștefan țară", "ȘTEFAN ȚARĂ"}, {"lǚ ǎ", "LǙ Ǎ"},
      {"σωκράτης", "ΣΩΚΡΆΤΗΣ"}, {"щёкин", "ЩЁКИН"}, {"հայկ", "ՀԱՅԿ"}, {"ḥaḍr", "ḤAḌR"}};
  for (const auto& [petit, grand] : kPaires) {
    EXPECT_EQ(MajusculesUnicode(Utf8VersUnicode(petit)), Utf8VersUnicode(grand)) << petit;
    if (std::string_view(petit) != "σωκράτης") {  // a final sigma has no way back
      EXPECT_EQ(MinusculesUnicode(Utf8VersUnicode(grand)), Utf8VersUnicode(petit)) << grand;
    }
  }
  EXPECT_TRUE(EgalSansCasseAnsi(A("Dupré"), A("DUPRÉ")));
  EXPECT_LT(CompareSansCasseAnsi("abc", "ABD"), 0);
}

TEST(Chaines, EntiersEtRognage) {
  long long v = 7;
  EXPECT_TRUE(TexteVersEntier(" 42 ", v));
  EXPECT_EQ(v, 42);
  EXPECT_TRUE(TexteVersEntier(u"-3", v));
  EXPECT_EQ(v, -3);
  v = 7;
  for (const char* refuse : {"", "4a", "+", "99999999999999999999", "1 2"}) {
    EXPECT_FALSE(TexteVersEntier(refuse, v)) << refuse;
    EXPECT_EQ(v, 7);
  }
  EXPECT_EQ(Rogne(std::string_view("  x y \t")), "x y");
  EXPECT_EQ(Rogne(std::string_view(A(" Marié "))), A("Marié"));  // accented ends are letters
  EXPECT_EQ(Rogne(std::u16string_view(u"\u00e9t\u00e9 ")), u"\u00e9t\u00e9");
}

}  // namespace
}  // namespace kyb
