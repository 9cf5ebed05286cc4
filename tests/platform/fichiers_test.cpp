#include "platform/fichiers.h"

#include <gtest/gtest.h>

#include "support/support.h"

namespace kyb {
namespace {

TEST(Fichiers, Chemins) {
  EXPECT_EQ(NormaliseChemin("\\G\\Famille.kya\\x.prs"), "/G/Famille.kya/x.prs");
  EXPECT_EQ(ExtraitRepertoire("/G/Famille.kya/x.prs"), "/G/Famille.kya/");
  EXPECT_EQ(ExtraitNomFichier("\\G\\x.prs"), "x.prs");
  EXPECT_EQ(ExtraitExtension("/G/Famille.kya/x"), "");
  EXPECT_EQ(ExtraitExtension("/G/a.b/x.tar.gz"), ".gz");
  EXPECT_EQ(ChangeExtension("/G/a.b/base.adb", "_backup.adb"), "/G/a.b/base_backup.adb");
  EXPECT_EQ(ChangeExtension("/G/a.b/base", ".adb"), "/G/a.b/base.adb");
  EXPECT_EQ(SansSeparateurFinal("/G/a.kya//"), "/G/a.kya");
  EXPECT_EQ(AvecSeparateurFinal("/G"), "/G/");
}

TEST(Fichiers, MotifsALaMode83) {
  struct Cas {
    const char* nom;
    const char* motif;
    bool attendu;
  };
  const Cas cas[] = {{"a.dch", "*.dch", true},  {"A.DCH", "*.dch", true},  {"a.dch2", "*.dch", false},
                     {"sans", "*.*", true},      {"x.tag", "?.tag", true},  {"xy.tag", "?.tag", false},
                     {"Fam.r12", "Fam.r*", true}, {"", "*", true}};
  for (const Cas& c : cas) EXPECT_EQ(CorrespondMotif(c.nom, c.motif), c.attendu) << c.nom << " " << c.motif;
}

TEST(Fichiers, OperationsSurLesFichiers) {
  test::RepertoireTemporaire rep;
  const int descripteurs = test::DescripteursOuverts();
  const AnsiString accent = rep.Chemin() + A("Généalogie.kya/Notices/");
  ASSERT_TRUE(CreeRepertoires(accent));
  EXPECT_TRUE(RepertoireExiste(accent));
  const AnsiString f = accent + A("Dupré.gnp");
  {
    TFichier h = TFichier::Ouvre(f, TAcces::LectureEcriture, TCreation::Ecrase);
    ASSERT_TRUE(h.Valide());
    EXPECT_EQ(h.EcritA(10, "abc", 3), 3);
    EXPECT_TRUE(h.Synchronise());
    EXPECT_EQ(h.Taille(), 13);
    char lu[8] = {};
    EXPECT_EQ(h.LitA(11, lu, 8), 2);  // short at end of file
    EXPECT_STREQ(lu, "bc");
    // A second writer is refused while the first holds the file; a reader is not.
    TErreurSysteme erreur = TErreurSysteme::Aucune;
    EXPECT_FALSE(TFichier::Ouvre(f, TAcces::LectureEcriture, TCreation::Existant, &erreur).Valide());
    EXPECT_EQ(erreur, TErreurSysteme::Verrouille);
    EXPECT_FALSE(TFichier::Ouvre(f, TAcces::LectureEcriture, TCreation::Ecrase).Valide());
    EXPECT_EQ(h.Taille(), 13);  // not emptied by the refused opening
    EXPECT_TRUE(TFichier::Ouvre(f, TAcces::Lecture, TCreation::Existant).Valide());
  }
  EXPECT_EQ(TailleFichier(f), 13);
  EXPECT_TRUE(CopieFichier(f, accent + "copie.gnp", false));
  EXPECT_FALSE(CopieFichier(f, accent + "copie.gnp", false));
  EXPECT_TRUE(CopieFichier(f, accent + "copie.gnp", true));
  EXPECT_FALSE(RenommeFichier(f, accent + "copie.gnp"));  // target exists
  EXPECT_TRUE(RenommeFichier(accent + "copie.gnp", accent + "autre.gnp"));
  EXPECT_EQ(ListeFichiers(accent, "*.gnp"), (std::vector<AnsiString>{A("Dupré.gnp"), "autre.gnp"}));
  const TDateTime date = EncodeDate(2001, 2, 3) + 0.5;
  ASSERT_TRUE(DefinitDateModificationFichier(f, date));
  TDateTime relue = 0;
  ASSERT_TRUE(DateModificationFichier(f, relue));
  EXPECT_NEAR(relue, date, 1e-6);
  EXPECT_TRUE(SupprimeFichier(f));
  EXPECT_FALSE(FichierExiste(f));
  EXPECT_FALSE(TFichier::Ouvre(f, TAcces::Lecture, TCreation::Existant).Valide());
  EXPECT_TRUE(SupprimeArborescence(rep.Chemin() + A("Généalogie.kya")));
  EXPECT_FALSE(RepertoireExiste(accent));
  EXPECT_EQ(test::DescripteursOuverts(), descripteurs);
}

}  // namespace
}  // namespace kyb
