// Positions for the link editors, siblings and twins, a spouse added with its union, citation
// lists, the options of a save and the tag check, the Sosa number reached through the children.
#include <gtest/gtest.h>

#include "folder/gest_fic_sosa.h"
#include "persons/tables_parente.h"
#include "support/genealogie.h"

namespace kyb {
namespace {

std::vector<int32_t> Table(const TTableLong& t, int nb) { return {t.begin(), t.begin() + nb}; }

TEST(FratriePersonne, PositionsEtFreresDansLOrdreDuParent) {
  // 1's children 4, 5, 6 with 2; 7 has no father.
  const test::TFamille f({{1, 'M', 0, 0, {2}}, {2, 'F', 0, 0, {1}}, {4, 'M', 1, 2}, {5, 'F', 1, 2}, {6, 'M', 1, 2},
                          {7, 'F', 0, 2}},
                         {{1, {4, 5, 6}}, {2, {7, 4, 5, 6}}});
  TPerson p = f.Personne(1);
  p.Public.Conjoints[2].Lien = 9;  // spouse slots: 2, empty, 9
  EXPECT_EQ(p.RechRefConj(9), 2);
  EXPECT_EQ(p.GetRangConjoint(9), 2);
  EXPECT_EQ(p.RetourneRgConj(9), 3);
  EXPECT_EQ(p.RechRefConj(8), -1);
  EXPECT_EQ(p.GetRangConjoint(8), 0);
  EXPECT_EQ(p.RechRefEnf(5), 1);
  EXPECT_EQ(p.RechRefEnf(0), -1);
  const struct {
    long no;
    int sens;
    long attendu;
  } cas[] = {{5, -1, 4}, {5, 1, 6}, {4, -1, 0}, {4, 2, 6}, {6, 1, 0}, {7, 1, 4}, {7, -1, 0}, {5, 0, 0}};
  for (const auto& c : cas) EXPECT_EQ(f.Personne(c.no).GetNoFrereOuSoeur(c.sens), c.attendu) << c.no << " " << c.sens;
}

class FratrieFiche : public ::testing::Test, public test::TGenealogie {};

TEST_F(FratrieFiche, JumeauxNesLeMemeJour) {
  const long pere = Ajoute({u"Martin", u"Jean", 'M'});
  const long mere = Ajoute({u"Durand", u"Anne", 'F'});
  const long a = Ajoute({u"Martin", u"Paul", 'M', pere, mere, {{"NAISSANCE", "12/03/1850"}}});
  const long b = Ajoute({u"Martin", u"Pierre", 'M', pere, mere, {{"NAISSANCE", "12/03/1850"}}});
  const long c = Ajoute({u"Martin", u"Luc", 'M', pere, mere, {{"NAISSANCE", "13/03/1850"}}});
  const long d = Ajoute({u"Martin", u"Rose", 'F', pere, mere, {{"NAISSANCE", "1852"}}});
  (void)Ajoute({u"Martin", u"Léa", 'F', pere, mere, {{"NAISSANCE", "1852"}}});
  const long demi = Ajoute({u"Martin", u"Eve", 'F', pere, 0, {{"NAISSANCE", "13/03/1850"}}});
  EXPECT_TRUE(Personne(a).HaveTwins());
  EXPECT_TRUE(Personne(b).HaveTwins());
  EXPECT_FALSE(Personne(c).HaveTwins());     // a day later; the half-sister does not count
  EXPECT_FALSE(Personne(d).HaveTwins());     // the year alone is no day
  EXPECT_FALSE(Personne(demi).HaveTwins());
}

TEST_F(FratrieFiche, ConjointAjouteAvecSonUnion) {
  const long homme = Ajoute({u"Martin", u"Jean", 'M'});
  const long femme = Ajoute({u"Durand", u"Anne", 'F'});
  TPerson h = Personne(homme, true);
  TPerson objet = Personne(femme, true);
  EXPECT_EQ(h.AjouteConj(femme, true, &objet), 0);
  EXPECT_EQ(h.AjouteConj(femme, true, &objet), 0);  // already a spouse: no second union
  objet.AjouteConj(homme);
  ASSERT_TRUE(h.Enregistrement());
  ASSERT_TRUE(objet.Enregistrement());  // the caller's copy carries the union: nothing lost
  EXPECT_EQ(Personne(homme, true).CountEvents("UNION"), 1);
  TPerson relue = Personne(femme, true);
  EXPECT_EQ(relue.CountEvents("UNION"), 1);
  EXPECT_NE(relue.GetEvent("UNION", homme), nullptr);
  TPerson seul = Personne(homme, true);
  EXPECT_EQ(seul.AjouteConj(Ajoute({u"Blanc", u"Lise", 'F'}), false), 1);
  EXPECT_EQ(seul.CountEvents("UNION"), 1);
}

TEST_F(FratrieFiche, PersonnesCiteesParSesEvenementsEtCitantes) {
  const long p = Ajoute({u"Martin", u"Jean", 'M'});
  const long t1 = Ajoute({u"Blanc", u"Paul", 'M'});
  const long t2 = Ajoute({u"Noir", u"Luc", 'M'});
  const long autre = Ajoute({u"Roux", u"Anne", 'F'});
  Cite(p, {"BAPTEME", "02/02/1850"}, {t1, t2});
  Cite(autre, {"BAPTEME", "02/02/1850"}, {p, t2});
  TTableLong tab{};
  int nb = 0;
  RetourneTabPersonCite(Personne(p), tab, nb);
  EXPECT_EQ(Table(tab, nb), (std::vector<int32_t>{static_cast<int32_t>(t1), static_cast<int32_t>(t2)}));
  TTableLong complet{};
  RetourneTabPersonCiteComplet(Personne(p), complet, nb);
  EXPECT_EQ(Table(complet, nb), (std::vector<int32_t>{static_cast<int32_t>(t1), static_cast<int32_t>(t2),
                                                      static_cast<int32_t>(autre)}));
}

TEST_F(FratrieFiche, EnregistrementOptionsEtMarqueursRemisEnOrdre) {
  const long no = Ajoute({u"Martin", u"Jean", 'M'});
  TPerson p = Personne(no, true);
  for (const char16_t* tag : {u" Ami ", u"AMI", u"", u"Cousin"}) {
    TChpsSimple c(Bdd());
    c.SetLibelle(kLibelleMarqueurs);
    c.SetDonnee(tag);
    (void)p.AjoutChpsSimple(c);
  }
  TPerson brut = p;
  ASSERT_TRUE(brut.Enregistrement(kEnregCourant, nullptr, {.ControleTags = false}));
  TPerson relue = Personne(no, true);
  EXPECT_EQ(relue.GetListTag().size(), 4u);
  ASSERT_TRUE(relue.Enregistrement());
  EXPECT_EQ(Personne(no, true).GetListTag(), (std::vector<UnicodeString>{u"Ami", u"Cousin"}));

  TPerson q = Personne(no, true);
  q.SetNom(u"Dupont");
  ASSERT_GE(q.AjoutChpsSimpleVierge("PROFESSION"), 0);
  ASSERT_TRUE(q.Enregistrement(kEnregCourant, nullptr, {.Fiche = false}));
  TPerson r = Personne(no, true);
  EXPECT_EQ(r.ChargeNom(), u"Dupont");
  EXPECT_FALSE(r.IsExistChpsSimple("PROFESSION"));
}

TEST(SosaParLesEnfants, EnfantAbsentDeLaListeDuParent) {
  // 2 and 3 are 1's parents, but 2's list of children is empty (damage or an import).
  const test::TFamille f({{1, 'M', 2, 3}, {2, 'M', 0, 0, {3}}, {3, 'F', 0, 0, {2}}, {4, 'M', 2, 0}},
                         {{2, {}}, {3, {1}}});
  TFicSosas& sosas = *f.Dossier().GetFicSosas();
  ASSERT_TRUE(sosas.InitFichierStrado());
  (void)sosas.NumeroterPersNo(1, NTL::ZZ(1));
  EXPECT_EQ(sosas.ChargeNosStrados(2, false, nullptr), std::vector<NTL::ZZ>{NTL::ZZ(2)});
  EXPECT_EQ(f.Personne(2).InfNoStradoEnf(), NTL::ZZ(1));
  EXPECT_EQ(f.Personne(3).InfNoStradoEnf(), NTL::ZZ(1));
  EXPECT_EQ(f.Personne(4).InfNoStradoEnf(), NTL::ZZ(0));
  sosas.EcritureNoStradoZero(2);
  EXPECT_TRUE(sosas.SpecNumeroterPersNo(2));
  EXPECT_EQ(sosas.LectureNoStrado(2), NTL::ZZ(2));
}

}  // namespace
}  // namespace kyb
