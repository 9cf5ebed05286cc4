// Lifetime years of the person index: taken from birth or baptism and death or burial, the same
// whether they come from the card just saved, from the stored events or from a bulk rebuild, and
// shown with the persons found.
#include <gtest/gtest.h>

#include "support/genealogie_index.h"

namespace kyb {
namespace {

class AnneesIndex : public ::testing::Test, protected test::TGenealogieIndex {
 protected:
  long Ajoute(const char16_t* nom, const std::vector<test::TEvenTest>& evens) const {
    return TGenealogie::Ajoute({nom, u"Jean", '?', 0, 0, evens});
  }
  TAnneesVie Lignes(long no) const {
    const auto ids = Bdd()->GetIndexPerson(no);
    EXPECT_EQ(ids.size(), 1u);
    const TIndexPerson l(&Index(), ids.at(0));
    return {l.Enreg.AnneeMin, l.Enreg.AnneeMax};
  }
};

const struct {
  const char16_t* nom;
  std::vector<test::TEvenTest> evens;
  TAnneesVie attendu;
} kCas[] = {
    {u"Abel", {{"NAISSANCE", "12/03/1850"}, {"DECES", "05/11/1910"}}, {1850, 1910}},
    // Baptism and burial stand in for a missing birth and death.
    {u"Blanc", {{"BAPTEME", "14/03/1850"}, {"INHUMATION", "07/11/1910"}}, {1850, 1910}},
    // A birth without its year gives way to the baptism; a dated death wins over the burial.
    {u"Caron",
     {{"NAISSANCE", "12/03/...."}, {"BAPTEME", "../../1851"}, {"DECES", "../11/1910"},
      {"INHUMATION", "01/01/1911"}},
     {1851, 1910}},
    // Ranges: the earlier bound of the birth, the later bound of the death.
    {u"Dumas", {{"NAISSANCE", "1750/1760"}, {"DECES", "1800/1810"}}, {1750, 1810}},
    // 1 pluviôse an XII is 22 January 1804 (1804.06); the death, estimated within 100 years of
    // it, is shown as the middle year 1854.
    {u"Fabre", {{"NAISSANCE", "01/PLUV/12", 'R'}}, {1804, 1854}},
    // Before Christ, and events that say nothing of birth or death.
    {u"Girard", {{"NAISSANCE", "../../0052", 'A'}, {"MARIAGE", "01/06/1875"}}, {0, 0}},
    {u"Henry", {}, {0, 0}},
};

TEST_F(AnneesIndex, DesEvenementsDeNaissanceEtDeDeces) {
  std::vector<long> numeros;
  for (const auto& c : kCas) numeros.push_back(Ajoute(c.nom, c.evens));
  for (size_t i = 0; i < std::size(kCas); ++i) {
    SCOPED_TRACE(UnicodeVersUtf8(kCas[i].nom));
    EXPECT_EQ(Lignes(numeros[i]), kCas[i].attendu);  // from the card just saved
    EXPECT_EQ(Index().AnneesVie(numeros[i]), kCas[i].attendu);  // from the stored events
    const auto t = Index().ChercheNom(kCas[i].nom, u"", 5);
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].AnneeMin, kCas[i].attendu.Min);
    EXPECT_EQ(t[0].AnneeMax, kCas[i].attendu.Max);
  }
  // The stored events agree with the card: nothing to repair; and a bulk rebuild gives the same.
  EXPECT_EQ(Index().CheckIndexValid(nullptr, false).Defauts(), 0);
  ASSERT_TRUE(Index().ReinitTableIndex());
  for (size_t i = 0; i < std::size(kCas); ++i) EXPECT_EQ(Lignes(numeros[i]), kCas[i].attendu);
  EXPECT_EQ(Index().LibelleTrouve(Index().ChercheNom(u"Abel", u"", 1).at(0)),
            u"Abel Jean (1850-1910)");
}

TEST_F(AnneesIndex, EvenementChangeSansLaPersonneRepareParLaVerification) {
  const long no = Ajoute(u"Lucas", {{"NAISSANCE", "02/02/1802"}});
  // The birth rewritten on its own: the index rows still tell 1802.
  TPerson p(Personnes(), no, true);
  ASSERT_EQ(p.Fiche().GetNbInfoEven(), 1);
  TEvenement& e = p.Fiche().Evenements[0].Even;
  e.Enreg.Date = TDateKY('G', "03/03/1803");
  ASSERT_TRUE(e.Enregistrement());
  EXPECT_EQ(Lignes(no), (TAnneesVie{1802, 1852}));  // death estimated within 100 years
  const TBilanIndex bilan = Index().CheckIndexValid(nullptr, true);
  EXPECT_EQ(bilan.LignesPerimees, 1);
  EXPECT_EQ(Lignes(no), (TAnneesVie{1803, 1853}));
  EXPECT_EQ(Index().ChercheNom(u"Lucas", u"", 1).at(0).AnneeMin, 1803);
}

TEST(TexteAnnees, AnneesInconnuesEnPointDInterrogation) {
  const struct {
    int16_t min, max;
    const char16_t* texte;
  } cas[] = {{1850, 1910, u"(1850-1910)"}, {0, 1910, u"(?-1910)"}, {1850, 0, u"(1850-?)"}, {0, 0, u""}};
  for (const auto& c : cas) EXPECT_EQ(TFicIndexPerson::TexteAnnees(c.min, c.max), c.texte);
}

}  // namespace
}  // namespace kyb
