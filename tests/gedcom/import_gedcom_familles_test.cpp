// Families as the genealogist brought them: two parent families (birth and adoption), couples of
// one sex, a person's spouse order, and the warnings of the family faults; then the way back out.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "folder/gest_fic.h"
#include "gedcom/export_gedcom.h"
#include "gedcom/genealogie_texte.h"
#include "gedcom/import_gedcom.h"
#include "gedcom/validateur_gedcom.h"
#include "index/ouverture_genealogie.h"
#include "support/support.h"

namespace kyb {
namespace {

const std::string kTete = "0 HEAD\n1 GEDC\n2 VERS 5.5.1\n1 CHAR UTF-8\n";  // lines 1 to 4

// I1 adopted by F1 (I2, I3), born in F2 (I4, I5).
const std::string kAdoption = kTete +
                              "0 @I1@ INDI\n1 SEX F\n1 FAMC @F1@\n2 PEDI adopted\n1 FAMC @F2@\n2 PEDI birth\n"
                              "0 @I2@ INDI\n1 SEX M\n0 @I3@ INDI\n1 SEX F\n0 @I4@ INDI\n1 SEX M\n0 @I5@ INDI\n1 SEX F\n"
                              "0 @F1@ FAM\n1 HUSB @I2@\n1 WIFE @I3@\n1 CHIL @I1@\n"
                              "0 @F2@ FAM\n1 HUSB @I4@\n1 WIFE @I5@\n1 CHIL @I1@\n0 TRLR\n";

// Two women with their child, the first one given twice as WIFE.
const std::string kDeuxFemmes = kTete +
                                "0 @I1@ INDI\n1 SEX F\n0 @I2@ INDI\n1 SEX F\n0 @I3@ INDI\n"
                                "0 @F1@ FAM\n1 WIFE @I1@\n1 WIFE @I2@\n1 CHIL @I3@\n0 TRLR\n";

// F9 has children and a marriage but no spouse: I1 (whose father is I2 through F1) names it twice
// with two PEDI, and in its SLGC; I3 is listed by it alone, I4 names it alone.
const std::string kSansConjoint = kTete +
                                  "0 @I1@ INDI\n1 SEX F\n1 FAMC @F1@\n1 FAMC @F9@\n2 PEDI adopted\n2 STAT proven\n"
                                  "1 FAMC @F9@\n2 PEDI birth\n1 SLGC\n2 FAMC @F9@\n0 @I2@ INDI\n1 SEX M\n"
                                  "0 @I3@ INDI\n0 @I4@ INDI\n1 FAMC @F9@\n"
                                  "0 @F9@ FAM\n1 MARR\n2 DATE 1998\n1 NOTE Recueillis\n1 CHIL @I1@\n1 CHIL @I3@\n"
                                  "0 @F1@ FAM\n1 HUSB @I2@\n1 CHIL @I1@\n0 TRLR\n";

struct TImport {
  TBilanImportGedcom bilan;
  std::string genealogie, avertissements;
};

TImport Importe(const test::RepertoireTemporaire& rep, const std::string& ged, const std::string& nom) {
  const std::string base = rep / (nom + ".kya/" + nom + ".adb");
  TImport r;
  r.bilan = ImporteFichierGedcom(Utf8VersAnsi(ged), Utf8VersAnsi(base));
  r.genealogie = test::GenealogieTexte(base);
  for (const auto& a : r.bilan.avertissements) r.avertissements += a.message + "\n";
  return r;
}

// Imports contenu as G, exports it in version to e.ged and returns that text.
std::string ExporteG(const test::RepertoireTemporaire& rep, const std::string& contenu, TVersionGedcom version,
                     TImport& lu) {
  test::Ecrit(rep / "f.ged", contenu);
  lu = Importe(rep, rep / "f.ged", "G");
  TGestFichier g(Utf8VersAnsi(rep / "G.kya/G.adb"), AvecIndex(TGestFichier::Ouverture()));
  EXPECT_TRUE(ExporteFichierGedcom(g, Utf8VersAnsi(rep / "e.ged"), version).reussi);
  return test::Contenu(rep / "e.ged");
}

TEST(ImportGedcomFamilles, ChaqueFamilleGardeSesPersonnesEtChaqueDefautAvertit) {
  const struct {
    const char* nom;
    std::string contenu;
    std::vector<std::string> genealogie;
    std::vector<std::string> avertissements;
  } cas[] = {
      {"adoption et naissance", kAdoption,
       {"P 1  /  F pere 4 mere 5 conjoints enfants note \n  parents A 4 5 B 2 3 affiche 0/0\n",
        "P 2  /  M pere 0 mere 0 conjoints 3 enfants note", "P 4  /  M pere 0 mere 0 conjoints 5 enfants 1 note"},
       {}},
      {"adoption seule",
       kTete + "0 @I1@ INDI\n1 FAMC @F1@\n2 PEDI ADOPTED\n0 @I2@ INDI\n1 SEX M\n0 @F1@ FAM\n1 HUSB @I2@\n1 CHIL @I1@\n0 TRLR\n",
       {"P 1  /  ? pere 2 mere 0 conjoints enfants note \n  parents A -1 -1 B 2 0 affiche 2/2\n",
        "P 2  /  M pere 0 mere 0 conjoints enfants 1 note"},
       {}},
      {"deux WIFE", kDeuxFemmes,
       {"P 1  /  F pere 0 mere 0 conjoints 2 enfants 3", "P 2  /  F pere 0 mere 0 conjoints 1 enfants 3",
        "P 3  /  ? pere 1 mere 2"},
       {}},
      {"couple donné par FAMS seuls",
       kTete + "0 @I1@ INDI\n1 SEX M\n1 FAMS @F1@\n0 @I2@ INDI\n1 SEX M\n1 FAMS @F1@\n0 @F1@ FAM\n1 CHIL @I3@\n"
               "0 @I3@ INDI\n0 TRLR\n",
       {"P 1  /  M pere 0 mere 0 conjoints 2 enfants 3", "P 2  /  M pere 0 mere 0 conjoints 1 enfants 3",
        "P 3  /  ? pere 1 mere 2"},
       {}},
      {"conjoints dans l'ordre des FAMS",
       kTete + "0 @I2@ INDI\n1 FAMS @F1@\n0 @I1@ INDI\n1 SEX M\n1 FAMS @F2@\n1 FAMS @F1@\n0 @I3@ INDI\n"
               "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n0 @F2@ FAM\n1 HUSB @I1@\n1 WIFE @I3@\n0 TRLR\n",
       {"M pere 0 mere 0 conjoints 3 1 enfants"}, {}},
      {"trois conjoints",
       kTete + "0 @I1@ INDI\n0 @I2@ INDI\n0 @I3@ INDI\n0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 WIFE @I3@\n0 TRLR\n",
       {"P 3  /  ? pere 0 mere 0 conjoints enfants"},
       {"Ligne 11 : la famille @F1@ a déjà deux conjoints ; @I3@ est ignoré."}},
      {"FAMC vers une famille qui ne cite pas l'enfant",
       kTete + "0 @I1@ INDI\n1 FAMC @F1@\n0 @I2@ INDI\n0 @F1@ FAM\n1 HUSB @I2@\n0 TRLR\n", {"P 1  /  ? pere 2"},
       {"Ligne 6 : @I1@ se dit enfant de @F1@ qui ne le compte pas parmi ses enfants ; il y est ajouté."}},
      {"PEDI contradictoires",
       kTete + "0 @I1@ INDI\n1 FAMC @F1@\n2 PEDI birth\n1 FAMC @F1@\n2 PEDI adopted\n0 @I2@ INDI\n"
               "0 @F1@ FAM\n1 HUSB @I2@\n1 CHIL @I1@\n0 TRLR\n",
       {"P 1  /  ? pere 2 mere 0 conjoints enfants note \nP 2"},
       {"Ligne 8 : PEDI contradictoires pour @I1@ dans @F1@ (voir la ligne 6) ; le premier est gardé."}},
      {"trois familles de parents",
       kTete + "0 @I1@ INDI\n1 FAMC @F1@\n1 FAMC @F2@\n1 FAMC @F3@\n2 PEDI foster\n0 @I2@ INDI\n0 @I3@ INDI\n"
               "0 @I4@ INDI\n0 @F1@ FAM\n1 HUSB @I2@\n1 CHIL @I1@\n0 @F2@ FAM\n1 HUSB @I3@\n1 CHIL @I1@\n"
               "0 @F3@ FAM\n1 HUSB @I4@\n1 CHIL @I1@\n0 TRLR\n",
       {"P 1  /  ? pere 2 mere 0", "  parents A 2 0 B 4 0 affiche 0/0\n", "P 3  /  ? pere 0 mere 0 conjoints enfants note"},
       {"Ligne 5 : @I1@ a plus de deux familles de parents ; @F2@ est ignorée pour cet enfant.",
        "Ligne 8 : @I1@ est lié à @F3@ par un PEDI autre que naissance ou adoption ; ces parents sont gardés comme "
        "parents adoptifs."}},
      {"famille sans conjoint", kSansConjoint,
       {"P 1  /  F pere 2 mere 0 conjoints enfants note [GEDCOM:", "P 3  /  ? pere 0 mere 0 conjoints enfants note \n"},
       {"Ligne 11 : PEDI contradictoires pour @I1@ dans @F9@ (voir la ligne 8) ; les deux liens sont gardés tels qu'écrits.",
        "Ligne 19 : @I4@ se dit enfant de @F9@ qui ne le compte pas parmi ses enfants ; il y est ajouté."}},
  };
  for (const auto& c : cas) {
    test::RepertoireTemporaire rep;
    test::Ecrit(rep / "f.ged", c.contenu);
    const TImport r = Importe(rep, rep / "f.ged", "G");
    ASSERT_TRUE(r.bilan.reussi) << c.nom << " : " << r.bilan.erreur;
    for (const std::string& g : c.genealogie) EXPECT_NE(r.genealogie.find(g), std::string::npos) << c.nom << "\n" << r.genealogie;
    std::string attendus;
    for (const std::string& a : c.avertissements) attendus += a + "\n";
    EXPECT_EQ(r.avertissements, attendus) << c.nom;
  }
}

// I1 and I2 married in 1900, then again in 1920 after a divorce; their children listed out of
// birth order, the undated one of the second union.
const std::string kDeuxMariages = kTete +
                                  "0 @I1@ INDI\n1 SEX M\n1 FAMS @F1@\n1 FAMS @F2@\n0 @I2@ INDI\n1 SEX F\n"
                                  "0 @I3@ INDI\n1 BIRT\n2 DATE 1910\n0 @I4@ INDI\n1 BIRT\n2 DATE 1902\n0 @I5@ INDI\n"
                                  "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 MARR\n2 DATE 1900\n1 DIV\n2 DATE 1915\n"
                                  "1 CHIL @I3@\n1 CHIL @I4@\n"
                                  "0 @F2@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 MARR\n2 DATE 1920\n1 CHIL @I5@\n0 TRLR\n";

TEST(ImportGedcomFamilles, UnCoupleMarieDeuxFoisResteDeuxFamilles) {
  test::RepertoireTemporaire rep;
  test::Ecrit(rep / "f.ged", kDeuxMariages);
  const TImport lu = Importe(rep, rep / "f.ged", "G");
  EXPECT_NE(lu.genealogie.find("P 1  /  M pere 0 mere 0 conjoints 2 2 enfants 4 3 5"), std::string::npos) << lu.genealogie;
  std::string texte;
  {
    TGestFichier g(Utf8VersAnsi(rep / "G.kya/G.adb"), AvecIndex(TGestFichier::Ouverture()));
    ASSERT_TRUE(ExporteFichierGedcom(g, Utf8VersAnsi(rep / "e.ged"), TVersionGedcom::V551).reussi);
    texte = test::Contenu(rep / "e.ged");
  }
  EXPECT_NE(texte.find("1 FAMS @F1@\r\n1 FAMS @F2@\r\n"), std::string::npos) << texte;
  const size_t f2 = texte.find("0 @F2@ FAM");
  ASSERT_NE(f2, std::string::npos) << texte;
  EXPECT_NE(texte.find("1 DIV\r\n2 DATE 1915"), std::string::npos);
  EXPECT_LT(texte.find("1 DIV\r\n"), f2);  // the divorce ends the first union
  EXPECT_EQ(texte.find("2 DATE 1900", f2), std::string::npos);
  EXPECT_NE(texte.find("2 DATE 1920", f2), std::string::npos);
  // Each union's children in its own family.
  EXPECT_NE(texte.find("1 CHIL @I4@\r\n1 CHIL @I3@\r\n"), std::string::npos);
  EXPECT_NE(texte.find("1 CHIL @I5@", f2), std::string::npos);
  EXPECT_EQ(texte.find("1 CHIL @I4@", f2), std::string::npos);
  EXPECT_EQ(Importe(rep, rep / "e.ged", "R").genealogie, lu.genealogie);
}

TEST(ImportGedcomFamilles, LesDeuxPairesDeParentsEtLesCouplesDUnSexeRessortent) {
  for (const TVersionGedcom version : {TVersionGedcom::V551, TVersionGedcom::V70}) {
    const bool v7 = version == TVersionGedcom::V70;
    test::RepertoireTemporaire rep;
    TImport lu;
    const std::string texte = ExporteG(rep, kAdoption, version, lu);
    EXPECT_NE(texte.find(v7 ? "1 FAMC @F1@\r\n2 PEDI BIRTH\r\n1 FAMC @F2@\r\n2 PEDI ADOPTED\r\n"
                            : "1 FAMC @F1@\r\n2 PEDI birth\r\n1 FAMC @F2@\r\n2 PEDI adopted\r\n"),
              std::string::npos)
        << texte;
    EXPECT_EQ(Importe(rep, rep / "e.ged", "R").genealogie, lu.genealogie);
  }
  test::RepertoireTemporaire rep;
  TImport lu;
  (void)ExporteG(rep, kDeuxFemmes, TVersionGedcom::V551, lu);
  EXPECT_EQ(Importe(rep, rep / "e.ged", "R").genealogie, lu.genealogie);
}

TEST(ImportGedcomFamilles, UneFamilleSansConjointRessortAvecSesLiensSousLeNomDeLExport) {
  for (const TVersionGedcom version : {TVersionGedcom::V551, TVersionGedcom::V70}) {
    const bool v7 = version == TVersionGedcom::V70;
    test::RepertoireTemporaire rep;
    TImport lu;
    const std::string texte = ExporteG(rep, kSansConjoint, version, lu);
    EXPECT_EQ(v7 ? test::Valide70(texte, KYBASE_FICHIERS_GEDCOM) : test::Valide551(texte, KYBASE_FICHIERS_GEDCOM),
              std::vector<std::string>{});
    const auto enregistrement = [&](const std::string& debut) {
      const size_t a = texte.find(debut);
      return a == std::string::npos ? std::string() : texte.substr(a, texte.find("\r\n0 ", a) - a);
    };
    // The family of I2 alone is F1, the family without spouse F2; the file named it F9.
    const std::string fam = enregistrement("0 @F2@ FAM\r\n");
    for (const char* l : {"1 MARR\r\n2 DATE 1998", "1 NOTE Recueillis", "1 CHIL @I1@", "1 CHIL @I3@", "1 CHIL @I4@"})
      EXPECT_NE(fam.find(l), std::string::npos) << l << "\n" << texte;
    // Each link to it under that name, PEDI and STAT in the version's case; I3 and I4 name it too.
    for (const std::string l : {"1 FAMC @F1@\r\n", v7 ? "1 FAMC @F2@\r\n2 PEDI ADOPTED\r\n2 STAT PROVEN\r\n"
                                                      : "1 FAMC @F2@\r\n2 PEDI adopted\r\n2 STAT proven\r\n",
                                v7 ? "1 FAMC @F2@\r\n2 PEDI BIRTH\r\n" : "1 FAMC @F2@\r\n2 PEDI birth\r\n",
                                "1 SLGC\r\n2 FAMC @F2@\r\n"})
      EXPECT_NE(texte.find(l), std::string::npos) << l << "\n" << texte;
    for (const char* i : {"0 @I3@ INDI", "0 @I4@ INDI"})
      EXPECT_NE(enregistrement(i).find("1 FAMC @F2@"), std::string::npos) << i;
    EXPECT_EQ(Importe(rep, rep / "e.ged", "R").genealogie, lu.genealogie);
  }
}

}  // namespace
}  // namespace kyb
