// Years the events do not state: estimated from the relatives into the index rows, shown "~".
#include <gtest/gtest.h>

#include "support/genealogie_index.h"

namespace kyb {
namespace {

TEST(AnneesEstimees, DesProchesJusquALaListeDesTrouves) {
  test::TGenealogieIndex g;
  const long louis = g.Ajoute({u"Martin", u"Louis", 'M'});
  const long paul = g.Ajoute({u"Martin", u"Paul", 'M', louis, 0, {{"NAISSANCE", "01/01/1850"}}});
  TFicIndexPerson& index = g.Index();
  // Father of a son born on 01/01/1850 at 18 to 50: born in [1800, 1832], middle 1816. Dead at
  // the earliest 269 days before the birth (1849.26), at the latest 100 years after his own
  // latest birth (1932): middle 1890. Paul's death, within 100 years of his birth: middle 1900.
  EXPECT_EQ(index.LibelleTrouve(index.ChercheNom(u"Martin", u"Louis", 1).at(0)), u"Martin Louis (~1816-~1890)");
  EXPECT_EQ(index.LibelleTrouve(index.ChercheNom(u"Martin", u"Paul", 1).at(0)), u"Martin Paul (1850-~1900)");
  // Paul's birth rewritten on its own, ten years later: both persons' rows are behind until a
  // pass over the whole index, which also gives the years the single person's estimate gives.
  TPerson p(g.Personnes(), paul, true);
  TEvenement& e = p.Fiche().Evenements.at(0).Even;
  e.Enreg.Date = TDateKY('G', "01/01/1860");
  ASSERT_TRUE(e.Enregistrement());
  EXPECT_EQ(index.MajAnneesEstimees(), 2);
  EXPECT_EQ(index.LibelleTrouve(index.ChercheNom(u"Martin", u"Louis", 1).at(0)), u"Martin Louis (~1826-~1900)");
  EXPECT_EQ(index.AnneesVie(louis), (TAnneesVie{1826, 1900}));
  EXPECT_EQ(index.MajAnneesEstimees(), 0);
  EXPECT_EQ(index.CheckIndexValid(nullptr, false).Defauts(), 0);
}

// The same change saved with the person: the father's estimate reads it, so his rows follow at
// once, and a pass over the whole index finds nothing left to rewrite.
TEST(AnneesEstimees, LesProchesSuiventLaPersonneEnregistree) {
  test::TGenealogieIndex g;
  const long louis = g.Ajoute({u"Martin", u"Louis", 'M'});
  const long paul = g.Ajoute({u"Martin", u"Paul", 'M', louis, 0, {{"NAISSANCE", "01/01/1850"}}});
  TFicIndexPerson& index = g.Index();
  TPerson p(g.Personnes(), paul, true);
  p.Fiche().Evenements.at(0).Even.Enreg.Date = TDateKY('G', "01/01/1860");
  ASSERT_TRUE(p.Enregistrement());
  EXPECT_EQ(index.LibelleTrouve(index.ChercheNom(u"Martin", u"Louis", 1).at(0)), u"Martin Louis (~1826-~1900)");
  EXPECT_EQ(index.MajAnneesEstimees(), 0);
  test::AttendIndexEnPhase(g.Dossier());
}

}  // namespace
}  // namespace kyb
