// A country table and its descriptor: the descriptor's sections, a descriptor without its keys,
// missing and damaged tables, coordinates.
#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>
#include <set>

#include "platform/fichiers.h"
#include "platform/parametres.h"
#include "store/ficpays.h"
#include "support/support.h"

namespace kyb::test {
namespace {

const AnsiString kTables = KYBASE_TABLES_VILLES;

std::set<std::string> Codes(const std::vector<TEntreeZone>& zones) {
  std::set<std::string> codes;
  for (const auto& z : zones) codes.insert(z.code);
  return codes;
}

class CopieTable : public ::testing::Test {
 protected:
  // The France table copied under another name, with the given descriptor (none when null).
  AnsiString Copie(const char* nom, const char* descripteur) {
    EXPECT_TRUE(CopieFichier(kTables + "/France.adb", rep / (std::string(nom) + ".adb"), true));
    if (descripteur) Ecrit(rep / (std::string(nom) + ".ini"), descripteur);
    return rep.Chemin();
  }
  RepertoireTemporaire rep;
};

TEST(DescripteurFrance, SectionsBaseZoneEtClean) {
  TFicBDDINI t(kTables, "France");
  EXPECT_EQ(t.GetCodePays(), "France");
  EXPECT_TRUE(t.ShowPays());
  ASSERT_EQ(t.GetAllChamps().size(), 6u);
  EXPECT_EQ(t.GetAllChamps()[0], (TChampPays{"A_COMMUNE", u"Commune", 200, true}));
  EXPECT_EQ(t.GetAllChamps()[3], (TChampPays{"D_DEP", u"Département", 150, true}));
  EXPECT_FALSE(t.GetAllChamps()[4].visible);
  EXPECT_EQ(t.ColonneNettoyee(), "A_COMCLEAN");

  ASSERT_TRUE(t.OpenBDD()) << t.DerniereErreur();
  const auto regions = t.Zones(1);
  EXPECT_EQ(Codes(regions).count("11"), 1u);
  // The eight departments of Île-de-France, the two of Corsica; Paris is one commune.
  EXPECT_EQ(Codes(t.Zones(2, "11")),
            (std::set<std::string>{"75", "77", "78", "91", "92", "93", "94", "95"}));
  EXPECT_EQ(Codes(t.Zones(2, "94")), (std::set<std::string>{"2A", "2B"}));
  const auto paris = t.Zones(3, "75");
  ASSERT_EQ(paris.size(), 1u);
  EXPECT_EQ(paris[0].code, "75056");
  EXPECT_EQ(paris[0].nom, u"Paris");

  const auto lyon = t.RechercheParInsse("69123");
  ASSERT_FALSE(lyon.empty());
  EXPECT_EQ(t.GetLine(lyon[0]), u"Lyon ; 69001 ; 69123 ; Rhône");
  EXPECT_EQ(t.RetrieveResult(lyon[0]), u"Lyon ; Rhône ; Auvergne-Rhône-Alpes ; France");
  TVille relue;
  ASSERT_TRUE(t.GetRecord(lyon[0].enregistrement, relue));
  EXPECT_EQ(relue.code, "69123");
  EXPECT_GT(t.RecordCount(), 35000);
}

TEST_F(CopieTable, DescripteurSansSesClesDonneLesValeursParDefaut) {
  for (const char* descripteur : {static_cast<const char*>(nullptr), "", "[BASE]\n[ZONE]\n"}) {
    RepertoireTemporaire autre;
    ASSERT_TRUE(CopieFichier(kTables + "/France.adb", autre / "Essai.adb", true));
    if (descripteur) Ecrit(autre / "Essai.ini", descripteur);
    TFicBDDINI t(autre.Chemin(), "Essai");
    EXPECT_EQ(t.GetCodePays(), "France");
    EXPECT_EQ(t.CreerRequeteZ1(), "");
    ASSERT_TRUE(t.OpenBDD()) << t.DerniereErreur();
    EXPECT_EQ(t.ColonneNettoyee(), "A_COMCLEAN");
    ASSERT_EQ(t.GetAllChamps().size(), 10u);  // every column under its own name
    EXPECT_EQ(t.GetAllChamps()[2].libelle, u"C_INSEE");
    EXPECT_TRUE(t.Zones(1).empty());
    // Found without the administrative levels: no department or region then.
    const auto lyon = t.RechercheParInsse("69123");
    ASSERT_FALSE(lyon.empty());
    EXPECT_EQ(lyon[0].commune, u"Lyon");
    EXPECT_TRUE(lyon[0].departement.empty());
    ASSERT_FALSE(t.RechercheVille(u"Lyon").empty());
  }
}

TEST_F(CopieTable, DescripteurFautifRefuseOuIgnore) {
  Copie("Essai", "[CLEAN]\nA_COMMUNE=NEXISTEPAS\n");
  TFicBDDINI t(rep.Chemin(), "Essai");
  EXPECT_FALSE(t.OpenBDD());
  EXPECT_NE(t.DerniereErreur().find("nom nettoyé"), std::string::npos) << t.DerniereErreur();
  EXPECT_TRUE(t.RechercheVille(u"Lyon").empty());
  // A level whose names are not plain column names is ignored, never put into SQL.
  Ecrit(rep / "Essai.ini", "[ZONE]\nZ1=Regions; DROP TABLE Communes;NomReg\nZ2=Departements;D_DEP\n");
  TFicBDDINI u(rep.Chemin(), "Essai");
  EXPECT_EQ(u.CreerRequeteZ1(), "");
  EXPECT_EQ(u.CreerRequeteZ2(), "");
  ASSERT_TRUE(u.OpenBDD());
  EXPECT_FALSE(u.RechercheParInsse("69123").empty());
}

TEST_F(CopieTable, SauveChampsPuisRelit) {
  Copie("Essai", "[PAYS]\nCode=France\n[BASE]\nNbrChamp=3\nCHAMP1=A;a;1;1\nCHAMP2=B;b;2;1\nCHAMP3=C;c;3;1\n");
  TFicBDDINI t(rep.Chemin(), "Essai");
  const std::vector<TChampPays> champs = {{"A_COMMUNE", u"Ville", 180, true},
                                          {"B_CP", u"Code postal", 60, false}};
  t.SetNewChamps(champs);
  t.SetShowPays(false);
  ASSERT_TRUE(t.SauveChamps());
  TFicBDDINI relu(rep.Chemin(), "Essai");
  EXPECT_EQ(relu.GetAllChamps(), champs);
  EXPECT_FALSE(relu.ShowPays());
  EXPECT_EQ(relu.GetCodePays(), "France");
  const TParametres brut(CheminSysteme(rep / "Essai.ini"));
  EXPECT_EQ(brut.LitTexte("BASE", "CHAMP3", "absent"), "absent");
}

TEST_F(CopieTable, PaysOffertsEtChampsDuPaysCourant) {
  Copie("France", "[PAYS]\nCode=France\n");
  Copie("Belgique", "[PAYS]\nCode=Belgique\n[BASE]\nShowPays=1\n");
  {
    TFicPays pays(nullptr, rep.Chemin(), true);
    EXPECT_EQ(pays.GetPaysCourantAS(), "France");  // France by default
    EXPECT_EQ(pays.GetPaysAffiches(), (std::vector<AnsiString>{"Belgique", "France"}));
    ASSERT_TRUE(pays.SetShowPays("belgique", false));
    EXPECT_FALSE(pays.SetShowPays("Atlantide", false));
    EXPECT_EQ(pays.GetAllChampsCourant().size(), 10u);
    pays.SetNewChamps({{"A_COMMUNE", u"Nom", 120, true}});
    ASSERT_TRUE(pays.SauveChamps());
    pays.SetNewChamps({});
    ASSERT_TRUE(pays.ChargeChamps());
    EXPECT_EQ(pays.GetAllChampsCourant(), (std::vector<TChampPays>{{"A_COMMUNE", u"Nom", 120, true}}));
    EXPECT_FALSE(pays.RechercheParInsse("69123").empty());  // still open after the reload
  }
  TFicPays relu(nullptr, rep.Chemin(), false);
  EXPECT_EQ(relu.GetPaysAffiches(), (std::vector<AnsiString>{"France"}));
}

TEST_F(CopieTable, TableAbsente) {
  TFicPays vide(nullptr, rep.Chemin(), true);
  EXPECT_TRUE(vide.GetAllPays().empty());
  EXPECT_EQ(vide.GetPaysCourantInt(), -1);
  EXPECT_NE(vide.DerniereErreur().find("Aucune table"), std::string::npos);
  EXPECT_FALSE(vide.OpenBasePays("France"));
  EXPECT_TRUE(vide.RechercheVille(u"Lyon").empty());
  EXPECT_TRUE(vide.RechercheParInsse("69123").empty());
  EXPECT_EQ(vide.GetCPByCom(u"Lyon"), "");
  TFicCommune lieu(u"Lyon", u"", u"", u"");
  EXPECT_EQ(vide.CompleteLieu(lieu), TCompletionLieu::SansTable);
  // A descriptor alone is no table; a table removed after listing fails cleanly.
  Ecrit(rep / "Belgique.ini", "[PAYS]\nCode=Belgique\n");
  Copie("France", nullptr);
  TFicPays pays(nullptr, rep.Chemin(), false);
  EXPECT_EQ(pays.GetAllPays(), (std::vector<AnsiString>{"France"}));
  ASSERT_TRUE(SupprimeFichier(rep / "France.adb"));
  EXPECT_FALSE(pays.OpenBasePays("France"));
  EXPECT_NE(pays.DerniereErreur().find("introuvable"), std::string::npos) << pays.DerniereErreur();
}

TEST_F(CopieTable, TableEndommageeSansPlantage) {
  const int descripteurs = DescripteursOuverts();
  // Not a database at all.
  Ecrit(rep / "Texte.adb", std::string(8192, 'x'));
  // Cut in the middle, and overwritten in the middle.
  Copie("Coupee", nullptr);
  const int64_t taille = TailleFichier(rep / "Coupee.adb");
  ASSERT_EQ(::truncate(CheminSysteme(rep / "Coupee.adb").c_str(), taille / 2), 0);
  Copie("Abimee", nullptr);
  {
    std::fstream f(rep / "Abimee.adb", std::ios::binary | std::ios::in | std::ios::out);
    f.seekp(taille / 3);
    const std::string dechets(taille / 3, '\xA5');
    f.write(dechets.data(), static_cast<std::streamsize>(dechets.size()));
  }
  // A database of the engine without the town table.
  {
    TACRDatabase base(rep / "Vide.adb");
    ASSERT_TRUE(base.CreateDatabase());
  }
  {
    TFicPays pays(nullptr, rep.Chemin(), false);
    ASSERT_EQ(pays.GetAllPays().size(), 4u);
    EXPECT_FALSE(pays.OpenBasePays("Texte"));
    EXPECT_NE(pays.DerniereErreur().find("illisible"), std::string::npos) << pays.DerniereErreur();
    EXPECT_FALSE(pays.OpenBasePays("Vide"));
    EXPECT_NE(pays.DerniereErreur().find("incomplète"), std::string::npos) << pays.DerniereErreur();
    // Damaged pages: the opening or the searches fail, with a message, and nothing crashes.
    for (const char* nom : {"Coupee", "Abimee"}) {
      if (!pays.OpenBasePays(nom)) {
        EXPECT_FALSE(pays.DerniereErreur().empty());
        continue;
      }
      for (const char* debut : {"A", "L", "Saint", "Z"}) (void)pays.RechercheVille(U(debut));
      for (const char* code : {"01001", "69123", "97411"}) (void)pays.RechercheParInsse(code);
      (void)pays.RechercheParCP("75001");
      TFicCommune lieu(u"Lyon", u"", u"", u"");
      (void)pays.CompleteLieu(lieu);
      EXPECT_NE(pays.DerniereErreur().find("Recherche impossible"), std::string::npos) << nom;
    }
  }
  // The damaged files were only read.
  EXPECT_EQ(TailleFichier(rep / "Coupee.adb"), taille / 2);
  EXPECT_FALSE(FichierExiste(rep / "Coupee.adb-wal"));
  EXPECT_EQ(DescripteursOuverts(), descripteurs) << "un fichier reste ouvert";
}

TEST_F(CopieTable, PaysMemoriseEtCoordonnees) {
  Copie("France", "[PAYS]\nCode=France\n");
  TParametres reglages;
  {
    TFicPays pays(nullptr, rep.Chemin(), true, &reglages);
    ASSERT_TRUE(pays.OpenBasePays("france", true));
    EXPECT_EQ(reglages.LitTexte("Software\\KORV", "RechechePays"), "France");
    EXPECT_EQ(pays.GetIndexPays("FRANCE"), 0);
    EXPECT_EQ(pays.GetIndexPays("Belgique"), -1);
    ASSERT_TRUE(pays.UpdateGeo("69123", 45.758, 4.835));
    EXPECT_FALSE(pays.UpdateGeo("00000", 1, 1));
    const auto lyon = pays.RechercheParInsse("69123");
    ASSERT_FALSE(lyon.empty());
    EXPECT_TRUE(lyon[0].CoordonneesConnues());
    EXPECT_DOUBLE_EQ(lyon[0].latitude, 45.758);
    EXPECT_DOUBLE_EQ(lyon[0].longitude, 4.835);
  }
  // Written with the rollback journal: the file opens read-only from a read-only directory.
  EXPECT_FALSE(FichierExiste(rep / "France.adb-wal"));
  ASSERT_TRUE(DefinitLectureSeule(rep / "France.adb", true));
  TFicPays relu(nullptr, rep.Chemin(), true, &reglages);
  ASSERT_EQ(relu.GetPaysCourantAS(), "France") << relu.DerniereErreur();
  EXPECT_DOUBLE_EQ(relu.RechercheParInsse("69123")[0].latitude, 45.758);
  (void)DefinitLectureSeule(rep / "France.adb", false);
}

}  // namespace
}  // namespace kyb::test
