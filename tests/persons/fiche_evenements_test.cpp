// The record card in words: card order, unknown labels, unreadable dates, missing spouses.
#include "persons/fiche_evenements.h"

#include <gtest/gtest.h>

#include "support/genealogie.h"

namespace kyb {
namespace {

TEST(FicheEvenements, CasDifficilesSansPlantage) {
  const test::TGenealogie genealogie;
  TGestFichier& g = genealogie.Dossier();
  TModuleBDD& bdd = *genealogie.Bdd();
  TChpsPersonne fiche(1);
  const auto ajoute = [&](const char* libelle, const char* date, long conjoint) {
    TEvenement e(&bdd);
    e.NouvelleFiche();
    e.SetLibelle(libelle);
    e.Enreg.Date = TDateKY('G', date);
    e.Enreg.NoPersB = static_cast<int32_t>(conjoint);
    e.Enreg.Lieu = 3;  // no place table behind it: reads as 0
    fiche.AddEvenInTV(e);
  };
  ajoute("DECES", "02/03/1900", 0);
  ajoute("INCONNU_ICI", "", 0);
  ajoute("UNION", "1880/1885", 77);  // a spouse that does not exist
  ajoute("NAISSANCE", "32-13-1850", 0);  // not a stored date form
  ASSERT_TRUE(bdd.EnregistrerChpsOfPerson(fiche));
  TResolveursFiche r;
  const std::vector<std::string> lignes = FicheEvenements(g, 1, r);
  const std::vector<std::string> attendu = {
      "Union avec personne n°77 (introuvable) : entre 1880 et 1885",
      "Décès : le 2 mars 1900",
      "INCONNU_ICI (rubrique inconnue des définitions) :",
      "Naissance : « 32-13-1850 » (date illisible)",
  };
  EXPECT_EQ(lignes, attendu);
}

}  // namespace
}  // namespace kyb
