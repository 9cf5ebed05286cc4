// The places dictionary: a place without town, the countries offered, the parts shown, and the
// look-up of a typed beginning.
#include <gtest/gtest.h>

#include "dictionaries/gestduplicat.h"
#include "platform/thread_nom.h"
#include "support/support.h"

namespace kyb {
namespace {

TEST(DictionnaireLieuPays, LieuSansVillePaysAfficheEtChampsVisibles) {
  TGestDupChnLieu d;
  const UnicodeString france = u"France", rien;
  const UnicodeString belgique = U("Belgique;Europe");
  EXPECT_GE(d.AjoutElementListeGlobale(u"", &rien, &france), 0);  // the country alone is a place
  EXPECT_GE(d.IndiceElement(u"", &rien, &france), 0);
  EXPECT_LT(d.AjoutElementListeGlobale(u"", &rien, &rien), 0);    // nothing at all is none
  (void)d.AjoutElementListeGlobale(u"Lyon;Auvergne", &rien, &france);
  (void)d.AjoutElementListeGlobale(u"Namur", &rien, &belgique);
  EXPECT_TRUE(d.NouveauPays(u" Suisse "));
  EXPECT_FALSE(d.NouveauPays(u"FRANCE"));
  EXPECT_FALSE(d.NouveauPays(u" "));
  EXPECT_EQ(d.ListerPaysDispo(), (std::vector<UnicodeString>{u"Belgique", u"France", u"Suisse"}));
  EXPECT_TRUE(d.PaysPresent(u"suisse"));
  EXPECT_FALSE(d.PaysPresent(u"Italie"));
  d.UpdatePaysSelected({{u"belgique", false}, {u"Suisse", true}});
  EXPECT_EQ(d.InitCheckListBox(), (std::vector<std::pair<UnicodeString, bool>>{
                                      {u"Belgique", false}, {u"France", true}, {u"Suisse", true}}));
  d.SetShowPays(u"Belgique", true);
  EXPECT_TRUE(d.PaysAffiche(u"BELGIQUE"));

  const TEltDupWideChn lieu(U("Lyon;Auvergne"), u"69", u"France");
  EXPECT_EQ(d.FormatPlaceVisible(lieu), U("Lyon ; 69 ; Auvergne ; France"));
  EXPECT_TRUE(d.SetNewChamps({3, 0}));
  EXPECT_EQ(d.FormatPlaceVisible(lieu), U("France ; Lyon"));
  EXPECT_EQ(d.RetourneTag(0), 3);
  EXPECT_EQ(d.RetourneTag(2), -1);
  for (const std::vector<int>& refuse : {std::vector<int>{}, {0, 0}, {4}, {-1}}) EXPECT_FALSE(d.SetNewChamps(refuse));
  EXPECT_EQ(d.ChampsVisibles(), (std::vector<int>{3, 0}));
  EXPECT_EQ(TGestDupChnLieu::ListerChampsDispo().size(), 4u);
}

TEST(DictionnaireLieuPays, DebutTapeDansLaListeGlobale) {
  TGestDupChn d;
  for (const char* v : {"Menuisier", "Ébéniste", "Écrivain public", "Boulanger"}) (void)d.AjoutElementListeGlobale(U(v));
  EXPECT_EQ(d.CompareMorceauElementRecherche(u"ec"), 2);
  EXPECT_EQ(d.CompareMorceauElementRecherche(u"E"), 1);
  EXPECT_EQ(d.CompareMorceauElementRecherche(u"men"), 3);
  EXPECT_EQ(d.CompareMorceauElementRecherche(u""), 0);
  EXPECT_EQ(d.CompareMorceauElementRecherche(u"z"), -1);
}

}  // namespace
}  // namespace kyb
