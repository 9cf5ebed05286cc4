// TPerson identity and links in both storages, and the alternative parents.
#include "persons/gest_pers.h"

#include <gtest/gtest.h>

#include "folder/dossier_ancien.h"
#include "support/genealogie.h"

namespace kyb {
namespace {

class Personne : public ::testing::Test, protected test::TGenealogie {
 protected:
  Personne() : test::TGenealogie(TGestFichier::Creation(1)) {}
  TFicPersons* f = Personnes();
};

TEST_F(Personne, IdentiteEtLiensDansLaBase) {
  EXPECT_EQ(TPerson(f, 1).Public.Nom, u"X");  // the root person of a new folder
  TPerson p(f, 0);
  p.NouvelleFiche(kEnregCourant);
  ASSERT_EQ(p.Numero(), 2);
  p.SetNom(UnicodeString(150, u'é'));
  p.SetSexe('F');
  p.AjouteConj(1000);
  p.AjouteEnf(2000);
  p.SetTemoin();
  ASSERT_TRUE(p.Enregistrement());

  const TPerson relu(f, 2);
  EXPECT_EQ(relu.Public.Nom.size(), 100u);
  EXPECT_EQ(relu.Public.TypePersonne, 'P');  // a witness with links is saved as a person
  EXPECT_EQ(relu.Public.Enfants[0].No, 2000);
  for (const long no : {0L, -5L}) {  // unnumbered: empty, and saving writes nothing
    TPerson vide(f, no);
    EXPECT_EQ(vide.Numero(), 0);
    vide.SetNom(u"Fantôme");
    EXPECT_FALSE(vide.Enregistrement());
  }
  const TPerson loin(f, 99);  // beyond the storage: empty, with its number
  EXPECT_EQ(loin.Numero(), 99);
  EXPECT_TRUE(loin.NomEtPrenomVides());
  EXPECT_EQ(Bdd()->CountPerson(), 2);
}

TEST_F(Personne, ParentsAlternatifs) {
  TModuleBDD& m = *Bdd();
  TPerson p(f, 0);
  p.NouvelleFiche(kEnregCourant);
  const long no = p.Numero();
  p.Public.Pere = 1;
  ASSERT_TRUE(p.Enregistrement());
  TNoParent lu;
  EXPECT_FALSE(m.ReadNoParents(no, lu));  // the default pair leaves no row

  TPerson q(f, no);
  EXPECT_EQ(q.NoParents().PereA, 1);
  q.NoParents().PereB = 7;
  q.NoParents().PerePrinc = 2;
  q.Public.Pere = 7;
  ASSERT_TRUE(q.Enregistrement());
  TEnregPublic brut;  // the row, not the Personnes column, decides the displayed father
  ASSERT_TRUE(m.ReadPerson(brut, no));
  brut.Pere = 1;
  ASSERT_TRUE(m.WritePerson(brut, no));
  TPerson r(f, no);
  EXPECT_EQ(r.Public.Pere.No, 7);
  EXPECT_EQ(r.NoParents().PereA, 1);

  r.NoParents() = TNoParent();
  r.NoParents().PereA = 3;
  r.Public.Pere = 3;
  ASSERT_TRUE(r.Enregistrement());
  EXPECT_FALSE(m.ReadNoParents(no, lu));
}

TEST_F(Personne, DossierAncien) {
  const AnsiString chemin = test::CreeDossierAncien(
      Repertoire().Chemin(), {test::Personne(u"Lefèvre"), test::Personne(u"Dupont", 'F'), test::Personne(u"Abîmé")});
  const auto ouvre = [&](TGestFichier::TModeConversion mode) {
    TGestFichier::TOptionsOuverture options = TGestFichier::Ouverture();
    options.PremierePersonne = 1;
    options.Conversion = mode;
    return std::make_unique<TGestFichier>(chemin, options);
  };
  {
    // Read by the conversion: links beyond the record's go to an extension record.
    auto g = ouvre(TGestFichier::mcConversion);
    TPerson p(g->FicPersons.get(), 1);
    EXPECT_EQ(p.Public.Nom, u"Lefèvre");
    for (long i = 0; i < 12; ++i) p.AjouteConj(100 + i);
    for (long i = 0; i < 35; ++i) p.AjouteEnf(200 + i);
    ASSERT_TRUE(p.Enregistrement());
    EXPECT_EQ(p.Public.NoExtension, 1);
    TPerson nouveau(g->FicPersons.get(), 0);
    nouveau.NouvelleFiche(kEnregCourant);
    EXPECT_EQ(nouveau.Numero(), 4);
    ASSERT_TRUE(nouveau.Enregistrement());
  }
  // Read back by a plain opening (read-only, which the folder and the refused save test elsewhere).
  auto g = ouvre(TGestFichier::mcAucune);
  const TPerson un(g->FicPersons.get(), 1);
  EXPECT_EQ(un.Public.Conjoints[11].Lien.No, 111);
  EXPECT_EQ(un.Public.Enfants[34].No, 234);
  EXPECT_EQ(TPerson(g->FicPersons.get(), 4).Numero(), 4);
}

}  // namespace
}  // namespace kyb
