// Deleting and restoring a person, broken links and their repair, and the same-sex couples left
// by a change of sex.
#include <gtest/gtest.h>

#include "folder/gest_fic_sosa.h"
#include "support/genealogie.h"

namespace kyb {
namespace {

class EtatPersonne : public ::testing::Test, protected test::TGenealogie {
 protected:
  long Nouvelle(const char16_t* nom, char sexe, long pere = 0, long mere = 0) const {
    return Ajoute({nom, u"", sexe, pere, mere});
  }
  TFicPersons* f = Personnes();
  TGestFichier* g = &Dossier();
};

TEST_F(EtatPersonne, SuppressionPuisRestauration) {
  const long a = Nouvelle(u"Martin", 'M'), b = Nouvelle(u"Dupré", 'F');
  Marie(a, b);
  const long c = Nouvelle(u"Martin", 'F', a, b);
  {
    TPerson p(f, a, true);
    TEvenement e(g->GetModuleBDD());
    e.NouvelleFiche();
    e.SetLibelle("NAISSANCE");
    ASSERT_GE(p.AjoutEven(e), 0);
    ASSERT_TRUE(p.Enregistrement());
  }
  g->GetFicSosas()->EcritureNoStrado(a, NTL::ZZ(1));
  ASSERT_EQ(g->GetFicSosas()->LectureNoStrado(a), NTL::ZZ(1));

  TPerson p(f, a, true);
  ASSERT_TRUE(p.Suppression(true));
  ASSERT_TRUE(p.Enregistrement());
  const TPerson lu(f, a);
  EXPECT_EQ(lu.Public.Nom, u"XXX");
  EXPECT_EQ(lu.Public.Prenoms, u"");
  EXPECT_TRUE(lu.FicheSupprimee());
  EXPECT_TRUE(lu.AucunLien());
  EXPECT_FALSE(f->IsNoPersOk(a));
  EXPECT_EQ(TPerson(f, b).CompteNbConjoint(), 0);  // both sides
  EXPECT_EQ(TPerson(f, b).RetourneRgEnf(c), 1);    // the other parent keeps the child
  EXPECT_EQ(TPerson(f, c).Public.Pere.No, 0);
  EXPECT_EQ(TPerson(f, c).Public.Mere.No, b);
  EXPECT_EQ(TPerson(f, a, true).GetNbInfoEven(), 0);  // hidden
  EXPECT_EQ(g->GetFicSosas()->LectureNoStrado(a), NTL::ZZ(0));

  TPerson r(f, a);
  ASSERT_TRUE(r.RestaurationData());
  EXPECT_EQ(TPerson(f, a, true).GetNbInfoEven(), 1);
}

TEST_F(EtatPersonne, LiensHorsDuFichierRepares) {
  const long a = Nouvelle(u"Martin", 'M');
  TPerson p(f, a);
  EXPECT_FALSE(p.FicheCassee());
  p.Public.Mere = static_cast<int32_t>(f->NbEnreg + 5);
  p.Public.Enfants[3] = static_cast<int32_t>(f->NbEnreg + 1);
  p.Public.Conjoints[0].Lien = static_cast<int32_t>(a);  // in the file: kept
  EXPECT_TRUE(p.FicheCassee());
  EXPECT_TRUE(p.RepareFiche());
  EXPECT_FALSE(p.FicheCassee());
  EXPECT_EQ(p.Public.Mere.No, 0);
  EXPECT_EQ(p.Public.Enfants[3].No, 0);
  EXPECT_EQ(p.Public.Conjoints[0].Lien.No, a);
  EXPECT_FALSE(p.RepareFiche());

  TPerson vide(f, 0);
  EXPECT_TRUE(vide.FicheVide());
  vide.SetPrenoms(u"Jean");
  EXPECT_FALSE(vide.FicheVide());
}

TEST_F(EtatPersonne, ChangementDeSexeDansUnCouple) {
  struct {
    int reponse;
    char sexeConjoint;  // expected afterwards
    bool echange;       // the child's parents exchanged
  } const cas[] = {{kReponseOui, 'M', true}, {kReponseNon, 'F', true}, {kReponseAnnuler, 'F', false}};
  for (const auto& c : cas) {
    const long a = Nouvelle(u"Martin", 'M'), b = Nouvelle(u"Dupré", 'F');
    Marie(a, b);
    const long enfant = Nouvelle(u"Martin", 'M', a, b);
    TPerson p(f, a);
    EXPECT_FALSE(p.IsCouplesHomosexuel());
    p.SetSexe('F');
    EXPECT_TRUE(p.IsCouplesHomosexuel());
    EXPECT_TRUE(p.GestionCoupleHomoSexuel(c.reponse));
    EXPECT_EQ(TPerson(f, b).Public.Sexe, c.sexeConjoint) << c.reponse;
    const TPerson e(f, enfant);
    EXPECT_EQ(e.Public.Pere.No, c.echange ? b : a) << c.reponse;
    EXPECT_EQ(e.Public.Mere.No, c.echange ? a : b) << c.reponse;
    EXPECT_EQ(TPerson(f, a).Public.Sexe, c.reponse == kReponseAnnuler ? 'M' : 'F');
  }
}

}  // namespace
}  // namespace kyb
