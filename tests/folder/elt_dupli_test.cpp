// Elements of the value tables and dictionaries: widths, keys, order, the 8-bit element in a
// sorted table, and the element's stream layout.
#include <gtest/gtest.h>

#include "folder/elt_dupli.h"

namespace kyb {
namespace {

TEST(EltDupWideChn, LargeursClesEtOrdre) {
  const TEltDupWideChn e(UnicodeString(310, u'a'), u"ABCDEFGHIJKL", UnicodeString(55, u'c'));
  EXPECT_EQ(e.Valeur().size(), 300u);
  EXPECT_EQ(e.Code(), u"ABCDEFGHIJ");
  EXPECT_EQ(e.Complement().size(), 50u);
  EXPECT_EQ(TEltDupWideChn(U("Étienne-lès-Œuvres")).CleValeur(), U("ETIENNE-LES-ŒUVRES"));
  // Sorted by key first, then by the texts: the plain form before the accented one.
  const std::vector<const char*> ordre = {"Abbé", "curé", "Curé", "cure", "Curie", "Zoé"};
  std::vector<TEltDupWideChn> elts;
  for (auto it = ordre.rbegin(); it != ordre.rend(); ++it) elts.emplace_back(U(*it));
  std::sort(elts.begin(), elts.end());
  std::vector<UnicodeString> trie;
  for (const auto& e2 : elts) trie.push_back(e2.Valeur());
  // Keys ABBE, CURE x3, CURIE, ZOE; among CURE: "Curé" < "cure" < "curé" by code units.
  EXPECT_EQ(trie, (std::vector<UnicodeString>{U("Abbé"), U("Curé"), u"cure", U("curé"), u"Curie", U("Zoé")}));
  EXPECT_TRUE(TEltDupWideChn(u"Lyon", u"69") < TEltDupWideChn(u"Lyon", u"7"));
  EXPECT_EQ(TEltDupWideChn(u"Lyon", u"69", u"France"), TEltDupWideChn(u"Lyon", u"69", u"France"));
}

TEST(EltDupWideChn, SousChamps) {
  const TEltDupWideChn lieu(U("Saint-Malo ; Bretagne"), u"35", u"France;Europe");
  struct Cas {
    int sousChamp, style;
    const char* attendu;
  };
  const Cas cas[] = {
      {kSousChampCommune, kStyleTexte, "Saint-Malo"}, {kSousChampRegion, kStyleTexte, "Bretagne;Europe"},
      {kSousChampDepartement, kStyleTexte, "35"},      {kSousChampDepartement, kStyleParentheses, "(35)"},
      {kSousChampPays, kStyleTexte, "France"},          {12, kStyleTexte, ""},
  };
  for (const Cas& c : cas) EXPECT_EQ(lieu.ChargeElement(c.sousChamp, c.style), U(c.attendu)) << c.sousChamp;
  EXPECT_EQ(TEltDupWideChn(u"Brest").ChargeElement(kSousChampDepartement, kStyleParentheses), u"");
}

TEST(EltDupWideChn, FluxAllerRetourEtDommages) {
  const TEltDupWideChn e(U("Fécamp"), u"76", u"France", 12, kEtatSupprime);
  TSortieMemoire sortie;
  e.Sauvegarde(sortie);
  const std::string octets = sortie.Contenu();
  // 4 + 1, then three text records: 4 + 7 ("Fécamp" in UTF-8), 4 + 2, 4 + 6.
  EXPECT_EQ(octets.size(), 5u + 11 + 6 + 10);
  EXPECT_EQ(octets.substr(0, 5), std::string("\x0c\0\0\0O", 5));
  TEntreeMemoire entree(octets);
  TEltDupWideChn lu;
  ASSERT_TRUE(lu.Restauration(entree));
  EXPECT_EQ(lu, e);
  EXPECT_EQ(lu.Numero, 12);
  EXPECT_TRUE(lu.IsFicheSupprimee());
  EXPECT_EQ(lu.CleValeur(), u"FECAMP");
  for (size_t n : {0u, 4u, 9u, 20u}) {
    const std::string coupe = octets.substr(0, n);
    TEntreeMemoire c(coupe);
    TEltDupWideChn partiel;
    EXPECT_FALSE(partiel.Restauration(c)) << n;
  }
}

TEST(EltDupChn, DansUneTableTriee) {
  TTableTV table(4, 4, 40);
  TEltDupChn tmp;
  const char* valeurs[] = {"Menuisier", "charpentier", "Boulanger", "\xc9" "b\xe9niste", "Tonnelier"};
  for (const char* v : valeurs) {
    TEltDupChn e(v);
    (void)table.AjouteClasse(e, tmp);
  }
  std::vector<AnsiString> lus;
  for (int i = 0; i < table.GetNbElt(); ++i) {
    TEltDupChn e;
    table.Lit(i, e);
    lus.push_back(e.Valeur());
  }
  EXPECT_EQ(lus, (std::vector<AnsiString>{"Boulanger", "charpentier", "\xc9" "b\xe9niste", "Menuisier", "Tonnelier"}));
  const TEltDupChn cle("MENUISIER");
  EXPECT_EQ(table.RechercheDicoth(TEltDupChn("Menuisier"), tmp, 0, false), 3);
  EXPECT_EQ(table.RechercheDicoth(cle, tmp, 0, false), -1);  // same key, another text

  TEltDupChn e("Tailleur", "ABCDEFGHIJKL", "Atelier", 7);
  EXPECT_EQ(e.Code(), "ABCDEFGHIJ");
  EXPECT_EQ(e.GetTaille(), 8 + 10 + 7 + 8 + 10 + 7 + 11);
  std::vector<char> tampon(static_cast<size_t>(e.GetTailleMax()));
  const char* fin = e.Ecrit(tampon.data());
  EXPECT_EQ(fin - tampon.data(), e.GetTaille());
  TEltDupChn relu;
  EXPECT_EQ(relu.Lit(tampon.data(), 0), e.GetTaille());
  EXPECT_EQ(relu, e);
  EXPECT_EQ(relu.Numero, 7);
  EXPECT_EQ(relu.CleValeur(), "TAILLEUR");
  EXPECT_EQ(relu.MultiChnCmp("tail"), 0);
  EXPECT_EQ(relu.MultiChnCmp("tail;abc"), 0);
  EXPECT_LT(relu.MultiChnCmp("tab"), 0);
  EXPECT_GT(relu.MultiChnCmp("tam"), 0);
}

}  // namespace
}  // namespace kyb
