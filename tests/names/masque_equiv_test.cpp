// Wildcard masks, and the equivalence files: loading rules, damage, lookup and saving.
#include <gtest/gtest.h>

#include "names/masque.h"
#include "names/tab_nom_equiv.h"
#include "platform/fichiers.h"
#include "support/support.h"

namespace kyb {
namespace {

TEST(Masque, TableDesCas) {
  const struct {
    const char* masque;
    const char* texte;
    bool attendu;
  } cas[] = {
      {"MAR*", "MARTEL", true},    {"*TEL", "MARTEL", true},     {"MAR*IN", "MARTEL", false},
      {"MARTEL", "MARTEL", true},  {"MARTEL", "MARTELS", false}, {"*", "", true},
      {"***", "DUPONT", true},     {"MAR*IN", "MARTININ", true}, {"M*R*N", "MARTIN", true},
      {"A*A", "A", false},         {"*ZZ*", "ZPASZDEZNOMZ", false}, {"ZPASZDEZ*", "ZPASZDEZNOMZ", true},
  };
  for (const auto& c : cas) {
    EXPECT_EQ(StrCmpMasque(c.masque, c.texte), c.attendu) << c.masque << " " << c.texte;
    EXPECT_EQ(StrCmpMasque(U(c.masque), U(c.texte)), c.attendu) << c.masque << " " << c.texte;
  }
}

class Equivalences : public ::testing::Test {
 protected:
  [[nodiscard]] TTabNomEquiv Charge(bool lectureSeule = false) const { return {noms_, prenoms_, lectureSeule}; }
  test::RepertoireTemporaire rep_;
  AnsiString noms_ = rep_ / "Famille.neq", prenoms_ = rep_ / "Famille.preq";
};

TEST_F(Equivalences, SansFichiersTablesVidesEtListeParDefaut) {
  const TTabNomEquiv t = Charge();
  EXPECT_TRUE(t.Noms().empty());
  EXPECT_TRUE(t.Prenoms().empty());
  EXPECT_TRUE(t.Option());
  EXPECT_EQ(t.ListeInconnus(), (std::vector<AnsiString>{"INCONNU", "PERE INCONNU"}));
}

TEST_F(Equivalences, GroupesLigneDOptionEtSauvegardeIdentique) {
  test::Ecrit(noms_, "SEUL\nMartin,Martyn, Marten\n$non|X, Y\n");
  test::Ecrit(prenoms_, "JEAN,JEHAN\n");
  const TTabNomEquiv t = Charge();
  EXPECT_FALSE(t.Option());
  EXPECT_EQ(t.ListeInconnus(), (std::vector<AnsiString>{"X", "Y"}));
  EXPECT_EQ(t.Noms().size(), 2u);  // the one-element line declares nothing
  EXPECT_EQ(t.Noms().count("SEUL"), 0u);
  int nb = 0;
  EXPECT_EQ(t.GetNomEquiv("de Martin", nb, true), "MARTIN;MARTYN;MARTEN");
  EXPECT_EQ(nb, 2);
  EXPECT_EQ(t.GetNomEquiv("Jean", nb, false), "JEAN;JEHAN");
  ASSERT_TRUE(t.Sauvegarde());
  EXPECT_EQ(test::Contenu(noms_), "MARTIN,MARTYN,MARTEN\n$non|X, Y\n");
  EXPECT_EQ(test::Contenu(prenoms_), "JEAN,JEHAN\n");
}

TEST_F(Equivalences, AjoutsSuppressionsSansDoublon) {
  TTabNomEquiv t = Charge();
  EXPECT_TRUE(t.AjouteDoubleEntree("Martin", "Martel"));
  EXPECT_FALSE(t.AjouteDoubleEntree("MARTIN", "martel"));
  EXPECT_FALSE(t.AjouteUneEquiv("Martin", "MARTIN"));
  EXPECT_FALSE(t.AjouteUneEquiv("***", "MARTIN"));
  EXPECT_EQ(t.AjouteUneEquivNomComplet("Forge;Lefort", "Fabre"), 2);
  EXPECT_TRUE(t.SupprimePair("martel", "martin"));
  EXPECT_FALSE(t.SupprimePair("martel", "martin"));
  int nb = 0;
  EXPECT_EQ(t.GetNomEquiv("Martel;Lefort", nb, true), "MARTEL;LEFORT;FABRE");
  EXPECT_EQ(nb, 1);
}

TEST_F(Equivalences, LigneTropLongueCoupeeEtFichierCopieUneFois) {
  const std::string longue = "DURAND," + std::string(2993, 'A');
  test::Ecrit(noms_, longue + "\n" + longue + "\nMARTIN,MARTYN\n");
  {
    const TTabNomEquiv seule = Charge(true);  // read-only: nothing written beside the file
    EXPECT_EQ(seule.LignesCoupees(true), 2);
    EXPECT_FALSE(FichierExiste(noms_ + "Copie"));
  }
  const TTabNomEquiv t = Charge();
  const auto [d, f] = t.Noms().equal_range("DURAND");
  ASSERT_EQ(std::distance(d, f), 1);
  EXPECT_EQ(d->second.size(), 2000u - 7u);
  EXPECT_EQ(t.Noms().count("MARTIN"), 1u);
  EXPECT_EQ(test::Contenu(noms_ + "Copie"), longue + "\n" + longue + "\nMARTIN,MARTYN\n");
}

TEST_F(Equivalences, FichierUtf8LuCommeTelEtLectureSeuleNonReecrite) {
  test::Ecrit(noms_, "M\xC3\x9CLLER,MILLER\n");
  const TTabNomEquiv t = Charge(true);
  EXPECT_TRUE(t.LuEnUtf8(true));
  EXPECT_EQ(t.Noms().count("MULLER"), 1u);
  EXPECT_FALSE(t.Sauvegarde());
  EXPECT_EQ(test::Contenu(noms_), "M\xC3\x9CLLER,MILLER\n");
}

}  // namespace
}  // namespace kyb
