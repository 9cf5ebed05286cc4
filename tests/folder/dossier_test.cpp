// Opening, creation and closing of whole genealogy folders.
#include <filesystem>
#include <fstream>
#include <map>

#include "dossier_ancien.h"
#include "dossier_fixture.h"
#include "folder/fic_xml.h"
#include "folder/info_genea.h"

namespace kyb::test {
namespace {

using Mode = TGestFichier::TModeConversion;

class Dossier : public DossierTemporaire {
 protected:
  AnsiString Chemin(const char* nom = "Famille.kya/Famille.adb") const { return rep / nom; }
};

TEST_F(Dossier, CreationPuisOuverture) {
  AnsiString id;
  {
    auto g = Cree(Chemin());
    ASSERT_FALSE(g->Erreur);
    EXPECT_EQ(g->VersionFichier, 2026);
    EXPECT_TRUE(RepertoireExiste(Chemin("Famille.kya/Notices")));
    EXPECT_TRUE(FichierExiste(g->FabriqueNomFichier(TGestFichier::tfBaseDonnees)));
    EXPECT_TRUE(FichierExiste(g->FabriqueNomFichier(TGestFichier::tfXml)));
    id = g->IdGenea;
    ASSERT_EQ(id.size(), 20u);
    EXPECT_EQ(id, MajusculesAnsi(id));
  }
  auto g = Ouvre(Chemin());
  ASSERT_FALSE(g->Erreur);
  EXPECT_FALSE(g->IsReadOnly());
  EXPECT_EQ(g->VersionFichier, 2026);
  EXPECT_TRUE(g->VerifIdPersOk("P" + id + "-12"));
  EXPECT_FALSE(g->VerifIdPersOk(""));
  EXPECT_FALSE(g->VerifIdPersOk("P12"));
}

TEST_F(Dossier, IdGeneaStableDUneOuvertureALAutre) {
  AnsiString id, xin, cpt;
  {
    auto g = Cree(Chemin());
    ASSERT_FALSE(g->Erreur);
    id = g->IdGenea;
    xin = g->FabriqueNomFichier(TGestFichier::tfXml);
    cpt = g->FabriqueNomFichier(TGestFichier::tfLienIdPersCpt);
  }
  ASSERT_TRUE(FichierExiste(cpt));
  EXPECT_EQ(Contenu(cpt), id);
  for (int i = 0; i < 3; ++i) {
    auto g = Ouvre(Chemin());
    ASSERT_FALSE(g->Erreur);
    EXPECT_EQ(g->IdGenea, id) << "ouverture " << i;
  }
  // A damaged value in the .xin is taken back from the companion, and repaired on disk.
  for (const char16_t* abime : {u"", u"\u0141\u0141\u0141\u0141\u0141\u0141\u0141\u0141\u0141\u0141\u0141\u0141\u0141\u0141\u0141\u0141\u0141\u0141\u0141\u0141", u"0123456789ABCDEF4F2"}) {
    {
      auto g = Ouvre(Chemin());
      ASSERT_TRUE(g->GetFicXml()->WriteString("LienIdPers", "IdGenea", abime));
    }
    EXPECT_EQ(Ouvre(Chemin())->IdGenea, id);
    EXPECT_EQ(TFicXml(nullptr, false, xin).ReadString("LienIdPers", "IdGenea", u""), AnsiVersUnicode(id));
  }
  // Without its companion file the identifier is made again, once, then kept.
  ASSERT_TRUE(SupprimeFichier(cpt));
  AnsiString nouveau;
  {
    auto g = Ouvre(Chemin());
    nouveau = g->IdGenea;
  }
  EXPECT_NE(nouveau, id);
  EXPECT_EQ(Ouvre(Chemin())->IdGenea, nouveau);
  // A read-only opening of a folder without companion changes nothing on disk.
  ASSERT_TRUE(SupprimeFichier(cpt));
  const AnsiString avant = Contenu(xin);
  {
    const TGestFichier g(Chemin(), TGestFichier::TOptionsOuverture{.SansProgression = false, .LectureSeule = true});
    ASSERT_FALSE(g.Erreur);
    EXPECT_TRUE(g.IsReadOnly());
    EXPECT_EQ(g.IdGenea.size(), 20u);
    EXPECT_NE(g.IdGenea, nouveau);
  }
  EXPECT_EQ(Contenu(xin), avant);
  EXPECT_FALSE(FichierExiste(cpt));
}

TEST_F(Dossier, IdentifiantFaitDeLaDateEtDuChemin) {
  const HorlogeFixee horloge(0.5);  // the double 0.5: bytes 00 00 00 00 00 00 E0 3F
  const TGestFichier g(Chemin());
  const AnsiString id = g.GenereIdGenea();
  EXPECT_EQ(id.substr(0, 16), "000000000000E03F");
  // The four digits are those of the MD5 of the persons-file path.
  const TGestFichier autre(rep / "Autre.kya/Autre.adb");
  EXPECT_EQ(autre.GenereIdGenea().substr(0, 16), "000000000000E03F");
  EXPECT_NE(autre.GenereIdGenea().substr(16), id.substr(16));
}

TEST_F(Dossier, CreationSurUnDossierExistant) {
  {
    auto g = Cree(Chemin());
    AjoutePersonnes(*g, 2);
  }
  // Every file of the existing folder, with its bytes and its modification time.
  const auto etat = [this] {
    std::map<std::string, std::pair<std::filesystem::file_time_type, std::string>> fichiers;
    for (const auto& e : std::filesystem::recursive_directory_iterator(rep / "Famille.kya"))
      if (e.is_regular_file()) fichiers[e.path().string()] = {e.last_write_time(), Contenu(e.path().string())};
    return fichiers;
  };
  const auto avant = etat();
  TInterfaceScriptee iu;
  iu.Reponses().push_back(kReponseNon);
  auto g = Cree(Chemin(), &iu);
  EXPECT_TRUE(avant == etat());  // counted, not touched
  EXPECT_TRUE(g->Erreur);
  EXPECT_EQ(g->ReponseNomExistant, kReponseNon);
  ASSERT_FALSE(iu.Journal().empty());
  EXPECT_NE(iu.Journal().front().find("Elle contient 3 personnes"), std::string::npos);
  // A folder whose store is missing cannot be counted: "plusieurs".
  ASSERT_TRUE(CreeRepertoires(Chemin("Vide.kya")));
  TInterfaceScriptee iu2;
  auto vide = Cree(Chemin("Vide.kya/Vide.adb"), &iu2);
  EXPECT_TRUE(vide->Erreur);
  ASSERT_FALSE(iu2.Journal().empty());
  EXPECT_NE(iu2.Journal().front().find("Elle contient plusieurs personnes"), std::string::npos);
  EXPECT_FALSE(FichierExiste(Chemin("Vide.kya/Vide.adb")));
}

TEST_F(Dossier, DecisionsDeFormat) {
  // A persons file beside the store: format 2024, read-only unless read by the conversion.
  const AnsiString ancien = CreeDossierAncien(rep.Chemin(), {Personne(u"Martin")});
  {
    auto g = Ouvre(ancien);
    EXPECT_EQ(g->VersionFichier, 2024);
    EXPECT_TRUE(g->IsReadOnly());
  }
  {
    auto g = Ouvre(ancien, nullptr, TGestFichier::mcConversion);
    EXPECT_EQ(g->VersionFichier, 2024);
    EXPECT_FALSE(g->IsReadOnly());
  }
  // The conversion window: cancelled, or going on without a target (read-only).
  TInterfaceScriptee iu;
  iu.issueConversion = 2;
  {
    auto g = Ouvre(ancien, &iu, TGestFichier::mcProposer);
    EXPECT_TRUE(g->Erreur);
    EXPECT_TRUE(g->ConversionAnnulee);
  }
  iu.issueConversion = 1;
  {
    auto g = Ouvre(ancien, &iu, TGestFichier::mcProposer);
    EXPECT_FALSE(g->Erreur);
    EXPECT_TRUE(g->IsReadOnly());
  }
  // A folder of the 2009 generation: its store is set aside first.
  { auto courant = Cree(Chemin()); }
  ASSERT_TRUE(CreeRepertoires(Chemin("Vieux.old")));
  ASSERT_TRUE(CopieFichier(Chemin(), Chemin("Vieux.old/Vieux.adb"), false));
  auto g = Ouvre(Chemin("Vieux.old/Vieux.adb"));
  EXPECT_TRUE(FichierExiste(Chemin("Vieux.old/Vieux.~adb")));
  EXPECT_EQ(g->VersionFichier, 2009);
  EXPECT_TRUE(g->IsReadOnly());
}

TEST_F(Dossier, EchecsDOuverture) {
  ASSERT_TRUE(CreeRepertoires(Chemin("Sans.kya")));
  auto sans = Ouvre(Chemin("Sans.kya/Sans.adb"));
  EXPECT_TRUE(sans->Erreur);
  EXPECT_EQ(sans->CodeErreurOuverture, 1);
  EXPECT_EQ(sans->GetModuleBDD(), nullptr);
  EXPECT_EQ(sans->NombrePersonnes(), 0);

  ASSERT_TRUE(CreeRepertoires(Chemin("Faux.kya")));
  { std::ofstream(Chemin("Faux.kya/Faux.adb")) << "données étrangères"; }
  auto faux = Ouvre(Chemin("Faux.kya/Faux.adb"));
  EXPECT_TRUE(faux->Erreur);
  EXPECT_EQ(faux->CodeErreurOuverture, 2);
  EXPECT_EQ(Contenu(Chemin("Faux.kya/Faux.adb")), "données étrangères");
}

TEST_F(Dossier, RepertoireImpossibleACreer) {
  { std::ofstream(rep / "fichier") << "x"; }  // a file where a directory should go
  auto g = Cree(rep / "fichier/Sous.kya/Sous.adb");
  EXPECT_TRUE(g->Erreur);
  EXPECT_EQ(g->GetModuleBDD(), nullptr);
  const TGestFichier a(Chemin()), b(rep / "FAMILLE.KYA/famille.adb");
  EXPECT_TRUE(a.IsSameGenea(&b));
  EXPECT_FALSE(a.IsSameGenea(nullptr));
}

TEST_F(Dossier, FichierXmlIlisibleMisDeCote) {
  ASSERT_TRUE(CreeRepertoires(Chemin("X.kya")));
  TGestFichier g(Chemin("X.kya/X.adb"));
  { std::ofstream(g.FabriqueNomFichier(TGestFichier::tfXml)) << "<XmlForVastrel><LienIdPers>"; }
  TFicXml xml(&g, false);
  EXPECT_EQ(xml.ReadString("LienIdPers", "IdGenea", u"défaut"), u"défaut");
  EXPECT_TRUE(FichierExiste(g.FabriqueNomFichier(TGestFichier::tfXml) + ".illisible"));
  // (Written and read back over any content: the replayed fuzzing harness of this file.)
}

TEST_F(Dossier, ResumeSansOuvrir) {
  {
    auto g = Cree(Chemin());
    AjoutePersonnes(*g, 4);
    g->GetModuleBDD()->MAJInfoChps("Date_Modif_Genea", u"2024-02-29 10:11:12");
    TEnregPublic p;
    ASSERT_TRUE(g->GetModuleBDD()->WritePerson(p, -2));  // the header person, not counted
  }
  TDateTime date = 0;
  long nombre = 0;
  ASSERT_TRUE(GetInfoFileGenea(AnsiVersUnicode(Chemin()), date, nombre));
  EXPECT_EQ(nombre, 5);
  EXPECT_EQ(FormatDateHeure("dd/mm/yyyy hh:nn:ss", date), "29/02/2024 10:11:12");
  ASSERT_TRUE(RenommeFichier(Chemin(), Chemin("Famille.kya/Famille.~adb")));
  EXPECT_TRUE(GetInfoFileGenea(AnsiVersUnicode(Chemin()), date, nombre));
  EXPECT_TRUE(FichierExiste(Chemin()));
  EXPECT_FALSE(GetInfoFileGenea(u"/nulle/part.adb", date, nombre));

  TDateTime d = 0;
  for (const char16_t* texte : {u"01/02/2003 04:05:06", u"2003/02/01 04:05:06", u"01-02-2003 04:05:06",
                                u"2003-02-01 04:05:06", u"01.02.2003 04:05:06", u"2003.02.01 04:05:06"}) {
    ASSERT_TRUE(GetDateTime(texte, d)) << UnicodeVersUtf8(texte);
    EXPECT_EQ(FormatDateHeure("yyyy-mm-dd hh:nn:ss", d), "2003-02-01 04:05:06");
  }
  EXPECT_FALSE(GetDateTime(u"2003_02_01", d));
  EXPECT_FALSE(GetDateTime(u"", d));
}

}  // namespace
}  // namespace kyb::test
