// Bad input to the GEDCOM import: each fault gives its French warning with its line number and
// the rest is imported; what is not GEDCOM leaves no folder; the field definitions of the folder
// (renamed or added by the user) are the mapping.
#include <gtest/gtest.h>

#include <cerrno>
#include <unistd.h>
#include <sys/wait.h>
#include <csignal>
#include <string>
#include <vector>

#include "fields/csdefchps.h"
#include "folder/gest_fic.h"
#include "gedcom/export_gedcom.h"
#include "gedcom/genealogie_texte.h"
#include "gedcom/import_gedcom.h"
#include "platform/fichiers.h"
#include "store/datamodulebdd.h"
#include "support/dommages.h"
#include "support/support.h"
#include "index/ouverture_genealogie.h"

namespace kyb {
namespace {

struct TResultat {
  TBilanImportGedcom bilan;
  std::string genealogie;
  std::string avertissements;  // one per line
};

TResultat Importe(const std::string& contenu) {
  test::RepertoireTemporaire rep;
  test::Ecrit(rep / "f.ged", contenu);
  TResultat r;
  r.bilan = ImporteFichierGedcom(Utf8VersAnsi(rep / "f.ged"), Utf8VersAnsi(rep / "G.kya/G.adb"));
  r.genealogie = test::GenealogieTexte(rep / "G.kya/G.adb");
  for (const auto& a : r.bilan.avertissements) r.avertissements += a.message + "\n";
  return r;
}

const std::string kTete = "0 HEAD\n1 GEDC\n2 VERS 5.5.1\n1 CHAR UTF-8\n";

TEST(ImportGedcomDefauts, ChaqueDefautAvertitAvecSaLigneEtLImportContinue) {
  const struct {
    const char* nom;
    std::string contenu;
    std::vector<std::string> avertissements;
    std::vector<std::string> genealogie;  // still imported
  } cas[] = {
      {"famille absente", kTete + "0 @I1@ INDI\n1 NAME A /B/\n1 FAMC @F9@\n0 TRLR\n",
       {"Ligne 7 : pointeur @F9@ vers une famille absente du fichier, ignoré."}, {"P 1 B / A ? pere 0 mere 0"}},
      {"individu absent", kTete + "0 @I1@ INDI\n1 NAME A /B/\n0 @F1@ FAM\n1 HUSB @I1@\n1 CHIL @I7@\n0 TRLR\n",
       {"Ligne 9 : pointeur @I7@ vers un individu absent du fichier, ignoré."}, {"P 1 B / A ? pere 0 mere 0 conjoints enfants note"}},
      {"individu défini deux fois", kTete + "0 @I1@ INDI\n1 NAME A /B/\n0 @I1@ INDI\n1 NAME C /D/\n0 TRLR\n",
       {"Ligne 7 : l'individu @I1@ est défini deux fois (ligne 5) ; le second est ignoré."}, {"P 1 B / A"}},
      {"famille définie deux fois",
       kTete + "0 @I1@ INDI\n0 @I2@ INDI\n0 @F1@ FAM\n1 HUSB @I1@\n0 @F1@ FAM\n1 HUSB @I2@\n0 TRLR\n",
       {"Ligne 9 : la famille @F1@ est définie deux fois (ligne 7) ; la seconde est ignorée."}, {"P 1", "P 2"}},
      {"personne son propre ancêtre",
       kTete + "0 @I1@ INDI\n1 SEX M\n0 @I2@ INDI\n1 SEX M\n0 @F1@ FAM\n1 HUSB @I1@\n1 CHIL @I2@\n"
               "0 @F2@ FAM\n1 HUSB @I2@\n1 CHIL @I1@\n0 TRLR\n",
       {"Ligne 9 : boucle de familles, @I2@ serait son propre ancêtre ; son lien avec ses parents de @F1@ est ignoré."}, {"P 1  /  M pere 2", "P 2  /  M pere 0 mere 0 conjoints enfants 1"}},
      {"date illisible", kTete + "0 @I1@ INDI\n1 BIRT\n2 DATE 31 FEB 1800\n0 TRLR\n",
       {"Ligne 7 : Date GEDCOM « 31 FEB 1800 » illisible"}, {"E 1 NAISSANCE «»  lieu «» dit «» note [Date:1 DATE (31 FEB 1800)]"}},
      {"ligne sans niveau", kTete + "0 @I1@ INDI\n1 NOTE début\nsuite sans niveau\n0 TRLR\n",
       {"Ligne 7 :"}, {"[Note:début\nsuite sans niveau]"}},
      {"octets invalides", kTete + "0 @I1@ INDI\n1 NAME A /B\xe9z/\n0 TRLR\n", {"Ligne 6 :"}, {"P 1 Béz / A"}},
      {"note absente", kTete + "0 @I1@ INDI\n1 NOTE @N4@\n0 TRLR\n",
       {"Ligne 6 : pointeur @N4@ vers une note absente du fichier, ignoré."}, {"P 1"}},
      {"source absente", kTete + "0 @I1@ INDI\n1 BIRT\n2 SOUR @S4@\n0 TRLR\n",
       {"Ligne 7 : pointeur @S4@ vers une source absente du fichier, ignoré."}, {"E 1 NAISSANCE"}},
      {"famille avant ses conjoints", kTete + "0 @F1@ FAM\n1 HUSB @I1@\n1 NOTE Mariés à Lyon\n1 _XYZ\n2 _ABC d\n0 @I1@ INDI\n1 NOTE Sa note\n0 TRLR\n", {},
       {"P 1  /  ? pere 0 mere 0 conjoints enfants note [Famille 0:Mariés à Lyon][GEDCOM famille 0:1 _XYZ\n2 _ABC d][Note:Sa note]"}},
      {"ligne de plus de 255 caractères", kTete + "0 @I1@ INDI\n1 NOTE " + std::string(400, 'x') + "\n0 TRLR\n", {},
       {"[Note:" + std::string(400, 'x') + "]"}},
      {"témoin des anciens dialectes", kTete + "0 @I1@ INDI\n1 BIRT\n2 _WITN @I2@\n0 @I2@ INDI\n0 TRLR\n", {},
       {"E 1 NAISSANCE «»  lieu «» dit «» note  {cite 2/Témoin/}"}},
      {"individu sans identifiant", kTete + "0 @I1@ INDI\n0 INDI\n1 NAME A /B/\n0 TRLR\n",
       {"Ligne 6 : individu sans identifiant « @…@ », gardé sous le numéro 2."}, {"P 2 B / A"}},
      {"témoin absent", kTete + "0 @I1@ INDI\n1 BIRT\n2 ASSO @I5@\n0 TRLR\n",
       {"Ligne 7 : pointeur @I5@ vers un individu absent du fichier, ignoré."}, {"E 1 NAISSANCE"}},
  };
  for (const auto& c : cas) {
    const TResultat r = Importe(c.contenu);
    ASSERT_TRUE(r.bilan.reussi) << c.nom << " : " << r.bilan.erreur;
    for (const std::string& a : c.avertissements) EXPECT_NE(r.avertissements.find(a), std::string::npos) << c.nom << "\n" << r.avertissements;
    for (const std::string& g : c.genealogie) EXPECT_NE(r.genealogie.find(g), std::string::npos) << c.nom << "\n" << r.genealogie;
  }
}

TEST(ImportGedcomDefauts, LaBoucleEstCoupeeUneSeuleFois) {
  // I1 -> I2 -> I3 -> I1 through three families: one link cut, the two others kept.
  const TResultat r = Importe(kTete +
                              "0 @I1@ INDI\n0 @I2@ INDI\n0 @I3@ INDI\n"
                              "0 @F1@ FAM\n1 HUSB @I2@\n1 CHIL @I1@\n0 @F2@ FAM\n1 HUSB @I3@\n1 CHIL @I2@\n"
                              "0 @F3@ FAM\n1 HUSB @I1@\n1 CHIL @I3@\n0 TRLR\n");
  ASSERT_TRUE(r.bilan.reussi);
  ASSERT_EQ(r.bilan.avertissements.size(), 1u) << r.avertissements;
  int peres = 0;
  for (size_t p = r.genealogie.find(" pere "); p != std::string::npos; p = r.genealogie.find(" pere ", p + 1))
    peres += r.genealogie.compare(p, 8, " pere 0 ") != 0;
  EXPECT_EQ(peres, 2);
}

TEST(ImportGedcomDefauts, CeQuiNEstPasGedcomNeLaissePasDeDossier) {
  test::RepertoireTemporaire rep;
  test::Ecrit(rep / "notes.txt", "Liste de courses\npain\n");
  const TBilanImportGedcom b =
      ImporteFichierGedcom(Utf8VersAnsi(rep / "notes.txt"), Utf8VersAnsi(rep / "G.kya/G.adb"));
  EXPECT_FALSE(b.reussi);
  EXPECT_FALSE(b.erreur.empty());
  EXPECT_FALSE(RepertoireExiste(Utf8VersAnsi(rep / "G.kya")));
  const TBilanImportGedcom absent =
      ImporteFichierGedcom(Utf8VersAnsi(rep / "absent.ged"), Utf8VersAnsi(rep / "G.kya/G.adb"));
  EXPECT_FALSE(absent.reussi);
  EXPECT_FALSE(RepertoireExiste(Utf8VersAnsi(rep / "G.kya")));
}

// A failed call anywhere in the creation or the import (one I/O error, or a disk full from then on)
// leaves either the whole genealogy or no folder at all.
TEST(ImportGedcomDefauts, UnImportCoupeAChaqueAppelLaisseToutOuRien) {
  const AnsiString ged = Utf8VersAnsi(std::string(KYBASE_DONNEES) + "/demo/famille.ged");
  test::RepertoireTemporaire rep;
  const AnsiString cible = Utf8VersAnsi(rep / "G.kya/G.adb");
  ASSERT_TRUE(ImporteFichierGedcom(ged, cible).reussi);
  const std::string complete = test::GenealogieTexte(rep / "G.kya/G.adb");
  ASSERT_TRUE(SupprimeArborescence(Utf8VersAnsi(rep / "G.kya")));
  long pannes = 0;
  for (long n = 1;; n += 1 + n / 6) {
    TBilanImportGedcom b;
    bool atteinte = false;
    {
      const test::PanneAuNiemeAppel panne(n, n % 2 ? ENOSPC : EIO, n % 3 ? test::PanneAuNiemeAppel::Mode::UnSeul : test::PanneAuNiemeAppel::Mode::EcrituresSuivantes);
      b = ImporteFichierGedcom(ged, cible);
      atteinte = test::PanneAuNiemeAppel::Atteinte();
    }
    if (b.reussi) {
      EXPECT_EQ(test::GenealogieTexte(rep / "G.kya/G.adb"), complete) << n;
    } else {
      EXPECT_FALSE(b.erreur.empty()) << n;
      EXPECT_FALSE(RepertoireExiste(Utf8VersAnsi(rep / "G.kya"))) << n;
    }
    ASSERT_TRUE(!RepertoireExiste(Utf8VersAnsi(rep / "G.kya")) || SupprimeArborescence(Utf8VersAnsi(rep / "G.kya")));
    if (!atteinte) break;
    ++pannes;
  }
  EXPECT_GT(pannes, 5);
}

// An import killed at any moment leaves no folder, the whole genealogy, or a folder recognised
// as unfinished that the next import makes again.
TEST(ImportGedcomDefauts, UnImportTueEstRefaitParLeSuivant) {
  constexpr int kPersonnes = 3000;
  std::string ged = kTete;
  for (int i = 1; i <= kPersonnes; ++i)
    ged += "0 @I" + std::to_string(i) + "@ INDI\n1 NAME Jean /Martin" + std::to_string(i) +
           "/\n1 BIRT\n2 DATE 1 JAN 1800\n2 PLAC Rouen\n";
  ged += "0 TRLR\n";
  test::RepertoireTemporaire rep;
  test::Ecrit(rep / "f.ged", ged);
  const AnsiString source = Utf8VersAnsi(rep / "f.ged");
  const AnsiString cible = Utf8VersAnsi(rep / "G.kya/G.adb");
  const AnsiString repertoire = Utf8VersAnsi(rep / "G.kya");
  for (int essai = 0; essai < 6; ++essai) {
    const pid_t enfant = fork();
    ASSERT_GE(enfant, 0);
    if (enfant == 0) {
      (void)ImporteFichierGedcom(source, cible);
      _exit(0);
    }
    usleep(static_cast<useconds_t>(60000 * essai));
    kill(enfant, SIGKILL);
    waitpid(enfant, nullptr, 0);
    if (!RepertoireExiste(repertoire)) continue;
    bool inacheve = false;
    {
      TGestFichier g(cible, AvecIndex(TGestFichier::Ouverture()));
      if (g.Erreur) {
        EXPECT_TRUE(g.CreationInachevee) << essai;
      } else {
        EXPECT_EQ(g.NombrePersonnes(), kPersonnes) << essai;
      }
      inacheve = g.CreationInachevee;
    }
    if (inacheve) {
      EXPECT_TRUE(ImporteFichierGedcom(source, cible).reussi) << essai;
    }
    ASSERT_TRUE(SupprimeArborescence(repertoire));
  }
}

TEST(ImportGedcomDefauts, UnDossierExistantNEstPasEcrase) {
  test::RepertoireTemporaire rep;
  test::Ecrit(rep / "f.ged", kTete + "0 @I1@ INDI\n1 NAME A /B/\n0 TRLR\n");
  ASSERT_TRUE(ImporteFichierGedcom(Utf8VersAnsi(rep / "f.ged"), Utf8VersAnsi(rep / "G.kya/G.adb")).reussi);
  const TBilanImportGedcom b = ImporteFichierGedcom(Utf8VersAnsi(rep / "f.ged"), Utf8VersAnsi(rep / "G.kya/G.adb"));
  EXPECT_FALSE(b.reussi);
  EXPECT_NE(b.erreur.find("existe déjà"), std::string::npos) << b.erreur;
}

TEST(ImportGedcomDefauts, LesDefinitionsDuDossierSontLaCorrespondance) {
  // The user gave the birth another tag and added a field of their own.
  test::RepertoireTemporaire rep;
  const AnsiString base = Utf8VersAnsi(rep / "G.kya/G.adb");
  {
    TGestFichier g(base, AvecIndex(TGestFichier::Creation()));
    ASSERT_FALSE(g.Erreur);
    TDefChpsCs& defs = *g.GetDefChpsCs();
    defs.RechercheChampsInternePtr("NAISSANCE")->TagGedCom = "_NAISS";
    ASSERT_NE(defs.CreatChpCs(Utf8VersAnsi("BAPT_PROT\tBaptême protestant\tES\t\t1\t20\t\t_BAPTP\t\t\tN\tP")), nullptr);
    const std::string texte = kTete + "0 @I1@ INDI\n1 _NAISS\n2 DATE 1800\n1 _BAPTP\n2 DATE 1801\n0 TRLR\n";
    TBilanImportGedcom bilan;
    ASSERT_TRUE(ImporteGedcom(g, {}, bilan, {}, texte));
    EXPECT_TRUE(bilan.balisesConservees.empty());
    std::string sortie;
    TBilanExportGedcom export_;
    ASSERT_TRUE(ExporteGedcom(g, TVersionGedcom::V551, [&](std::string_view s) { sortie += s; }, export_));
    EXPECT_NE(sortie.find("1 _NAISS\r\n2 DATE 1800"), std::string::npos) << sortie;
    EXPECT_NE(sortie.find("1 _BAPTP\r\n2 DATE 1801"), std::string::npos) << sortie;
  }
  const std::string g = test::GenealogieTexte(rep / "G.kya/G.adb");
  EXPECT_NE(g.find("E 1 NAISSANCE «» #  G../../1800#"), std::string::npos) << g;
  EXPECT_NE(g.find("E 1 BAPT_PROT «» #  G../../1801#"), std::string::npos) << g;
}

TEST(ImportGedcomDefauts, LeRapportCompteEtListeEnFrancais) {
  const TResultat r = Importe(kTete + "0 @I1@ INDI\n1 _FOO x\n1 _FOO y\n1 CAUS z\n0 @R1@ REPO\n0 TRLR\n");
  const std::vector<std::string> l = RapportImport(r.bilan);
  std::string tout;
  for (const auto& s : l) tout += s + "\n";
  for (const char* attendu : {"Personnes lues : 1\n", "Balises conservées : 4\n", "  _FOO : 2\n", "  CAUS : 1\n",
                              "  REPO : 1\n", "Avertissements : 0\n"})
    EXPECT_NE(tout.find(attendu), std::string::npos) << attendu << "\n" << tout;
}

}  // namespace
}  // namespace kyb
