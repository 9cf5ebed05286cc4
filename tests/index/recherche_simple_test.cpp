// Searches over the person index: names, masks, phonetic codes, placeholders, equivalences, the
// criteria read from the records, exclusions, counts beyond the limit, and the pick lists.
#include "index/recherche_simple.h"

#include <gtest/gtest.h>

#include "names/tab_nom_equiv.h"
#include "support/genealogie_index.h"

namespace kyb {
namespace {

using Numeros = std::vector<int32_t>;

class Recherche : public ::testing::Test {
 protected:
  // Person 1 is the folder's first person, without names.
  Recherche() {
    martin_ = g_.Ajoute({u"Martin", u"Jean", 'M', 0, 0, {{"NAISSANCE", "01/02/1820"}}});
    dupre_ = g_.Ajoute({u"Dupré", u"Marie Élise", 'F'});
    louis_ = g_.Ajoute({u"de Martin", u"Louis Jean", 'M', martin_, dupre_, {{"NAISSANCE", "14/07/1850"}}});
    martel_ = g_.Ajoute({u"Martel;Forge", u"Paul", 'M', 0, 0, {{"NAISSANCE", "../../1855"}}});
    sansNom_ = g_.Ajoute({u"", u"Pierre", 'M', louis_});
    anne_ = g_.Ajoute({u"Marten", u"Anne", 'F', martel_});
  }
  Numeros Cherche(const TRechSimple& c, const TTabNomEquiv* equivalences = nullptr) {
    TRechercheIndex r(g_.Index(), equivalences);
    return r.RechercheSimple(c, 100).Personnes;
  }
  test::TGenealogieIndex g_;
  int32_t martin_, dupre_, louis_, martel_, sansNom_, anne_;
};

TEST_F(Recherche, NomsMasquesPhonetiqueEtMarques) {
  const struct {
    TRechSimple c;
    Numeros attendus;
  } cas[] = {
      {{.Nom = u"martin"}, {martin_, louis_}},
      {{.Nom = u"MAR*"}, {martel_, anne_, martin_, louis_}},
      {{.Nom = u"MAR*IN"}, {martin_, louis_}},
      {{.Nom = u"forge"}, {martel_}},
      {{.Nom = u"Martin", .Prenoms = u"jean louis"}, {louis_}},
      {{.Nom = u"Martin", .Prenoms = u"j*"}, {martin_, louis_}},
      {{.Nom = u"Mar", .NomPartiel = true, .Sexe = 'F'}, {anne_}},
      {{.Nom = u"Martine", .PhonetiqueNom = true}, {anne_, martin_, louis_}},
      {{.Nom = u"ZPASZDEZNOM"}, {1, sansNom_}},
      {{.Nom = u"ZPASZDEZ*"}, {1, sansNom_}},
      {{.Prenoms = u"marie elise"}, {dupre_}},
      {{.Nom = u"MAR*", .AnneeMin = 1800, .AnneeMax = 1852}, {martin_, louis_}},
  };
  for (const auto& [c, attendus] : cas) EXPECT_EQ(Cherche(c), attendus) << UnicodeVersUtf8(c.Nom + u"/" + c.Prenoms);
}

TEST_F(Recherche, CriteresDesFichesEtEquivalences) {
  EXPECT_EQ(Cherche({.NomPere = u"MARTIN"}), (Numeros{sansNom_, louis_}));
  EXPECT_EQ(Cherche({.Nom = u"*", .NomPere = u"ZPASZDEZPERE", .NomMere = u"ZPASZDEZMERE"}).size(), 4u);
  EXPECT_EQ(Cherche({.NomMere = u"dup*"}), (Numeros{louis_}));
  EXPECT_EQ(Cherche({.Nom = u"*", .NbEnfantsMin = 1}), (Numeros{dupre_, martel_, martin_, louis_}));

  test::RepertoireTemporaire rep;
  TTabNomEquiv equivalences(rep / "a.neq", rep / "a.preq", true);
  ASSERT_TRUE(equivalences.AjouteDoubleEntree("Martin", "Martel"));
  ASSERT_TRUE(equivalences.AjouteDoubleEntree("Paul", "Jean", false));
  EXPECT_EQ(Cherche({.Nom = u"Martin", .Equivalences = true}, &equivalences), (Numeros{martel_, martin_, louis_}));
  EXPECT_EQ(Cherche({.Nom = u"Martel", .Prenoms = u"Jean", .Equivalences = true}, &equivalences),
            (Numeros{martel_, martin_, louis_}));
}

TEST_F(Recherche, ExclusionsParLesParentsEtLimite) {
  TRechercheIndex r(g_.Index(), nullptr);
  TRechSimple c{.Nom = u"*", .ExcluPereConnu = true, .Profondeur = 0};
  EXPECT_EQ(r.RechercheSimple(c, 100).Personnes, (Numeros{1, dupre_, martel_, martin_}));
  c.Profondeur = 1;  // excluded: a parent has a known father
  EXPECT_EQ(r.RechercheSimple(c, 100).Personnes, (Numeros{1, dupre_, martel_, anne_, martin_, louis_}));
  c.RazExclu();
  c.Exclus = {martin_};
  c.Exclu1 = louis_;
  const TResultatRecherche limite = r.RechercheSimple(c, 2);
  EXPECT_EQ(limite.Personnes, (Numeros{1, sansNom_}));
  EXPECT_EQ(limite.Total, 5);
}

TEST_F(Recherche, AbandonALEtapeSuivante) {
  TRechercheIndex r(g_.Index(), nullptr);
  Numeros vus;
  r.RechercheSimpleNomEtConj({}, [&](int32_t no) {
    vus.push_back(no);
    r.SetAbandon(true);  // as another thread would
    return true;
  });
  EXPECT_EQ(vus.size(), 1u);
}

TEST_F(Recherche, ComparaisonsDeNoms) {
  EXPECT_TRUE(TRechercheIndex::CompareNomPrenoms(u"Martel;Forge", u"Paul", u"FORGE", u"PAUL", false, false));
  EXPECT_TRUE(TRechercheIndex::CompareNomPrenoms(u"", u"", u"ZPASZDEZNOM", u"ZPASZDEZPRENOM", false, false));
  EXPECT_FALSE(TRechercheIndex::CompareNomPrenoms(u"Martel", u"", u"ZPASZDEZNOM", u"", false, false));
  EXPECT_TRUE(TRechercheIndex::CompareNomPrenoms(u"Martin", u"Jean", u"MARTEN", u"JEHAN", true, true));
  EXPECT_TRUE(TRechercheIndex::IsPrenomsCorrespond(u"LOUIS JEAN", u"Jean Louis"));
  EXPECT_FALSE(TRechercheIndex::IsPrenomsCorrespond(u"LOUIS PAUL", u"Jean Louis"));
}

TEST_F(Recherche, ListesDeNomsEtDePrenoms) {
  TRechercheIndex r(g_.Index(), nullptr);
  const auto patronymes = r.RetournePatronyme(u"m", '?', nullptr);
  std::vector<std::pair<UnicodeString, long>> vus;
  for (const TNomCompte& n : patronymes) vus.emplace_back(n.Nom, n.Nombre);
  EXPECT_EQ(vus, (std::vector<std::pair<UnicodeString, long>>{{u"MARTEL", 1}, {u"MARTEN", 1}, {u"MARTIN", 2}}));
  std::vector<UnicodeString> femmes;
  for (const TNomCompte& p : r.RetourneListPrenom(u" ", 'F')) femmes.push_back(p.Nom);
  EXPECT_EQ(femmes, (std::vector<UnicodeString>{u"ANNE", u"ELISE", u"MARIE"}));
  EXPECT_EQ(r.RetourneToutPrenom(u"j"), (std::vector<UnicodeString>{u"JEAN"}));
}

}  // namespace
}  // namespace kyb
