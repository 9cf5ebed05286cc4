#include <fstream>
#include <thread>

#include "platform/fichiers.h"
#include "platform/thread_nom.h"
#include "store/schema_bdd.h"
#include "store_fixture.h"

namespace kyb::test {
namespace {

TEnregPublic Personne(const char* nom, char sexe) {
  TEnregPublic p;
  p.Nom = U(nom);
  p.Prenoms = u"Jean Marie";
  p.Sexe = sexe;
  p.FicheSupprimee = 'N';
  return p;
}

// A person with parents, a rank among them and a note.
TEnregPublic PersonneLiee(const char* nom) {
  TEnregPublic p = Personne(nom, 'F');
  p.Pere = 7;
  p.Mere = 8;
  p.OrdrePU = 2;
  p.Note = 12;
  return p;
}

TEST_F(Magasin, CreationDesTablesEtDuCheminDuDossier) {
  EXPECT_TRUE(RepertoireExiste(rep.Chemin() + "Famille.kya"));
  for (const auto& def : SchemaBDD()) {
    TACRTable* t = module->Table(def.nom);
    ASSERT_NE(t, nullptr) << def.nom;
    EXPECT_EQ(t->FieldDefs(), def.champs) << def.nom;
    EXPECT_EQ(t->IndexDefs(), def.index) << def.nom;
  }
  EXPECT_EQ(static_cast<int>(module->Table("Evenements")->FindFieldDef("DateLastModif")->type), 27);
  EXPECT_EQ(module->Table("IndexNomPrenoms")->IndexDefs()[2].options, kIndexSansCasse);
  // A second creation adds nothing and keeps the rows.
  ASSERT_TRUE(module->WritePerson(Personne("Martin", 'M'), 1));
  ASSERT_TRUE(module->CreateDataBase());
  EXPECT_EQ(module->CountPerson(), 1);
}

TEST_F(Magasin, TamponDeVersionUneSeuleFois) {
  EXPECT_EQ(module->GetInfoChps("Version-G"), u"0");
  module->InitFieldCopy();
  EXPECT_EQ(module->GetInfoChps("Version-G"), u"2021.3.7");
  EXPECT_EQ(dossier.etatImages, 5);  // illustration files to be checked again
  dossier.etatImages = 1;
  module->InitFieldCopy();
  EXPECT_EQ(dossier.etatImages, 1);  // already stamped: nothing changes
  module->MAJTabInformation();
  EXPECT_EQ(module->GetVersionBDD(), u"5.90");
  EXPECT_TRUE(module->MAJInfoChps("REP_IMG_EXT", u"/images/é"));
  EXPECT_TRUE(module->MAJInfoChps("REP_IMG_EXT", u"/images/à"));
  EXPECT_EQ(module->GetInfoChps("REP_IMG_EXT"), u"/images/à");
  EXPECT_EQ(module->NombreLignes("TabInformations"), 3);
}

TEST_F(Magasin, PersonneEtBlobDesLiens) {
  TEnregPublic p = PersonneLiee("Dupré");
  for (int i = 0; i < kMaxConjoints; ++i) {
    p.Conjoints[static_cast<size_t>(i)].Lien.No = 1000 + i;
    p.Conjoints[static_cast<size_t>(i)].Lien.NivNo = static_cast<uint8_t>(i % 3);
    p.Conjoints[static_cast<size_t>(i)].Compagnon = i;
  }
  for (int i = 0; i < kMaxEnfants; ++i) {
    p.Enfants[static_cast<size_t>(i)].No = 2000 + i;
    p.Enfants[static_cast<size_t>(i)].NivNo = 1;
  }
  ASSERT_TRUE(module->WritePerson(p, 5));
  TACRTable* t = module->Table("Personnes");
  ASSERT_TRUE(t->FindKey({Cle(5)}));
  EXPECT_EQ(t->FieldByName("Data").AsBlob().size(), 2700u);
  EXPECT_EQ(t->FieldByName("NbConj").AsInteger(), 150);
  TEnregPublic lu;
  ASSERT_TRUE(module->ReadPerson(lu, 5));
  EXPECT_EQ(lu.Nom, U("Dupré"));
  EXPECT_EQ(lu.Sexe, 'F');
  EXPECT_EQ(lu.Pere.No, 7);
  EXPECT_EQ(lu.OrdrePU, 2);
  EXPECT_EQ(lu.Conjoints[149].Lien.No, 1149);
  EXPECT_EQ(lu.Conjoints[149].Compagnon, 149);
  EXPECT_EQ(lu.Conjoints[2].Lien.NivNo, 2);
  EXPECT_EQ(lu.Enfants[0].No, 2000);
  EXPECT_EQ(lu.Enfants[0].NivNo, 1);

  TEnregPublic seul = Personne("Seul", 'X');  // unknown sex reads back '?'
  seul.Conjoints[3].Lien.No = -4;              // only positive links are kept
  ASSERT_TRUE(module->WritePerson(seul, 6));
  ASSERT_TRUE(t->FindKey({Cle(6)}));
  EXPECT_TRUE(t->FieldByName("Data").AsBlob().empty());
  EXPECT_EQ(t->FieldByName("NbEnf").AsInteger(), 0);
  ASSERT_TRUE(module->ReadPerson(lu, 6));
  EXPECT_EQ(lu.Sexe, '?');
  EXPECT_EQ(lu.NbConjoints(), 0);
  EXPECT_EQ(lu.Enfants[0].No, 0);  // slots cleared before filling

  ASSERT_TRUE(module->WritePerson(Personne("Entête", 'M'), -2));  // record 0
  EXPECT_TRUE(t->FindKey({Cle(0)}));
  EXPECT_EQ(module->CountPerson(), 2);
  EXPECT_FALSE(module->ReadPerson(lu, 99));
}

// An import appends new persons through a statement of its own: each column is what the ordinary
// write stores for the same record.
TEST_F(Magasin, PersonneDImportCommeEcritureOrdinaire) {
  TEnregPublic lie = PersonneLiee("Dupré de la Grande-Maison-Neuve des Hauts-de-Seine et des Bords-de-l'Étang-Vieux ❦ XXXXXXXXX");
  lie.Conjoints[0].Lien.No = 1000;
  lie.Enfants[0].No = 2000;
  lie.Enfants[0].NivNo = 1;
  TEnregPublic seul = Personne("Seul", 'X');
  seul.TypePersonne = 'T';
  ASSERT_TRUE(module->WritePerson(lie, 1));
  ASSERT_TRUE(module->WritePerson(seul, 2));
  ASSERT_TRUE(module->BeginImport(true));
  ASSERT_TRUE(module->WritePerson(lie, 11));
  ASSERT_TRUE(module->WritePerson(seul, 12));
  ASSERT_TRUE(module->EndImport(true));
  const auto ligne = [&](long id) {
    TACRQuery q(module->Database(), "SELECT TypePersonne, FicheSupprimee, Sexe, Pere, Mere, quote(Data), Nom, "
                                    "Prenoms, OrdrePU, Note, NbEnf, NbConj FROM Personnes WHERE ID = :id");
    q.SetParamInteger("id", id);
    std::vector<std::string> valeurs;
    if (q.Open() && !q.Eof())
      for (int i = 0; i < q.FieldCount(); ++i) valeurs.push_back(q.Fields(i).AsUtf8());
    return valeurs;
  };
  for (long id : {1, 2}) {
    ASSERT_FALSE(ligne(id).empty());
    EXPECT_EQ(ligne(id + 10), ligne(id)) << id;
  }
}

TEST_F(Magasin, PersonnesSupprimeesSuiventLaMarque) {
  TEnregPublic p = Personne("B", 'M');
  ASSERT_TRUE(module->WritePerson(p, 3));
  EXPECT_FALSE(module->PersonDeleted(3));
  p.FicheSupprimee = 'O';
  ASSERT_TRUE(module->WritePerson(p, 3));
  EXPECT_TRUE(module->PersonDeleted(3));
  EXPECT_EQ(module->CountPersonDelete(), 1);
  EXPECT_EQ(module->CountPerson(), 0);
  ASSERT_TRUE(module->WritePerson(p, 3));  // still deleted: nothing added twice
  EXPECT_EQ(module->GetListPersSuppr(), std::vector<long>{3});
  p.FicheSupprimee = 'N';
  ASSERT_TRUE(module->WritePerson(p, 3));
  EXPECT_FALSE(module->PersonDeleted(3));
  // A number put there by hand stays while the person is written 'N' again.
  EXPECT_TRUE(module->AddPersSuppr(3));
  ASSERT_TRUE(module->WritePerson(p, 3));
  EXPECT_TRUE(module->PersonDeleted(3));
}

TEST_F(Magasin, ParentsAlternatifsEtLieux) {
  TNoParent parents{10, 11, 12, 13, 2, 0};
  EXPECT_FALSE(module->ReadNoParents(4, parents));
  ASSERT_TRUE(module->WriteNoParents(4, parents));
  TNoParent lu;
  ASSERT_TRUE(module->ReadNoParents(4, lu));
  EXPECT_EQ(lu, parents);
  parents.MerePrinc = 2;
  ASSERT_TRUE(module->WriteNoParents(4, parents));
  EXPECT_EQ(module->NombreLignes("IDParents"), 1);
  ASSERT_TRUE(module->DeleteNoParents(4));
  EXPECT_FALSE(module->ReadNoParents(4, lu));

  EXPECT_TRUE(module->TableLieuxExist());
  ASSERT_TRUE(module->WritePlace(3, {'N', u"Saint-Étienne", u"42", u"Loire", u"France"}));
  TLieuBDD lieu;
  ASSERT_TRUE(module->ReadPlace(3, lieu));
  EXPECT_EQ(lieu.Chn1, u"Saint-Étienne");
  EXPECT_EQ(module->GetNbLieux(), 3);
  EXPECT_FALSE(module->ReadPlace(4, lieu));
}

TEST_F(Magasin, ListesDistinctesEtParcours) {
  for (const char* nom : {"Martin", "Bernard", "Martin", "Ávila"})
    ASSERT_TRUE(module->WritePerson(Personne(nom, 'M'), module->InsertPerson()));
  EXPECT_EQ(module->GetListPersNom(), (std::vector<UnicodeString>{u"Bernard", u"Martin", U("Ávila")}));
  EXPECT_EQ(module->GetMaxNoPers(), 4);
  module->BeginParcoursPerson();
  TEnregPublic p;
  long numero = 0;
  std::vector<long> vus;
  while (module->ReadPersonParcours(p, numero)) vus.push_back(numero);
  module->EndParcoursPerson();
  EXPECT_EQ(vus, (std::vector<long>{1, 2, 3, 4}));
}

TEST_F(Magasin, ImportParLotsDeMille) {
  // Without the indexes dropped, batches of 1000 posts: the first 1000 are committed, the 500
  // after are still in the open transaction.
  ASSERT_TRUE(module->BeginImport(false));
  for (long n = 1; n <= 1500; ++n) ASSERT_TRUE(module->WritePerson(Personne("Lot", 'M'), n));
  ASSERT_TRUE(module->Database().Rollback());
  EXPECT_EQ(module->CountPerson(), 1000);
  ASSERT_TRUE(module->Database().StartTransaction());
  ASSERT_TRUE(module->EndImport(false));
  // With them dropped the import is whole or nothing: its batches are far larger.
  ASSERT_TRUE(module->BeginImport(true));
  EXPECT_GT(module->ProchainIdReserve("Evenements"), 0);
  EXPECT_FALSE(module->Table("Personnes")->IndexExists("Par_Pere"));
  for (long n = 1001; n <= 2500; ++n) ASSERT_TRUE(module->WritePerson(Personne("Lot", 'M'), n));
  ASSERT_TRUE(module->Database().Rollback());
  EXPECT_EQ(module->CountPerson(), 1000);
  ASSERT_TRUE(module->Database().StartTransaction());
  for (long n = 1001; n <= 1200; ++n) ASSERT_TRUE(module->WritePerson(Personne("Lot", 'M'), n));
  ASSERT_TRUE(module->EndImport(true));
  EXPECT_FALSE(module->Database().InTransaction());
  EXPECT_EQ(module->CountPerson(), 1200);
  EXPECT_TRUE(module->Table("Personnes")->IndexExists("Par_Pere"));
  // The suspended indexes come back in another order: the next opening has nothing to upgrade.
  module.reset();
  iu.VideJournal();
  module = std::make_unique<TModuleBDD>(&dossier, Chemin(), "5.90");
  ASSERT_TRUE(module->OpenDataBase(true));
  EXPECT_FALSE(iu.JournalContient("ouvre:Mise à jour de la base de données..."));
}

TEST_F(Magasin, CopieDeSauvegardeEtRetour) {
  ASSERT_TRUE(module->WritePerson(Personne("Avant", 'M'), 1));
  ASSERT_TRUE(module->CopieADB());
  EXPECT_TRUE(FichierExiste(module->CheminCopie()));
  ASSERT_TRUE(module->WritePerson(Personne("Après", 'M'), 1));
  ASSERT_TRUE(module->RestoreOldADB());
  TEnregPublic p;
  ASSERT_TRUE(module->ReadPerson(p, 1));
  EXPECT_EQ(p.Nom, u"Avant");
  EXPECT_FALSE(FichierExiste(module->CheminCopie()));
}

TEST_F(Magasin, ReparationEtQuestionDAnnulation) {
  ASSERT_TRUE(module->WritePerson(Personne("R", 'M'), 1));
  ASSERT_TRUE(module->RepairDatabase(false));
  EXPECT_EQ(module->CountPerson(), 1);
  // Cancelled from the progress window: asked to go on, then to stop.
  iu.DemandeAnnulation(true);
  iu.Reponses().push_back(kReponseOui);  // go on
  iu.Reponses().push_back(kReponseNon);  // stop
  EXPECT_FALSE(module->RepairDatabase(true));
  EXPECT_TRUE(module->IsCanceledRepair());
  iu.DemandeAnnulation(false);
}

// Dates of an older store, as its Evenements rows held them (calendar tag, text).
constexpr std::pair<const char*, const char*> kDatesAnciennes[] = {
    {"", "../07/1789"}, {"G", "../../1850"}, {"G", "1750/1760"}, {"H", "01/01/5785"}, {"R", "01/PLUV/12"}, {"A", "15/03/0044"}};

TEST_F(Magasin, MiseAJourDUneAncienneBase) {
  // An older store: Evenements with 8-bit data and no _DATE, Geolocalisation without address.
  module->CloseDataBase();
  module.reset();
  const AnsiString chemin = rep.Chemin() + "Ancien.kya/Ancien.adb";
  ASSERT_TRUE(CreeRepertoires(ExtraitRepertoire(chemin)));
  {
    TACRDatabase base(chemin);
    ASSERT_TRUE(base.CreateDatabase());
    TACRFieldDefs even = DefinitionTable("Evenements").champs;
    std::erase_if(even, [](const TACRFieldDef& d) { return d.nom == "_DATE"; });
    for (auto& d : even)
      if (d.nom == "Donnee") d.type = TTypeChamp::String;
    TACRIndexDefs index = DefinitionTable("Evenements").index;
    std::erase_if(index, [](const TACRIndexDef& d) { return d.nom == "Par_DATE"; });
    TACRTable t(base, "Evenements");
    ASSERT_TRUE(t.CreateTable(even, index));
    ASSERT_TRUE(t.Open());
    for (const auto& [calendrier, date] : kDatesAnciennes) {
      t.Insert();
      t.FieldByName("Donnee").SetAnsiString(A("Tisserand à Lyon"));
      t.FieldByName("TypeCalend").SetAnsiString(calendrier);
      t.FieldByName("Date").SetAnsiString(date);
      ASSERT_TRUE(t.Post());
    }
    TACRFieldDefs geo = DefinitionTable("Geolocalisation").champs;
    geo.pop_back();
    TACRTable g(base, "Geolocalisation");
    ASSERT_TRUE(g.CreateTable(geo, DefinitionTable("Geolocalisation").index));
  }
  NommeThreadPrincipal();
  TModuleBDD ancien(&dossier, chemin, "5.90");
  ASSERT_TRUE(ancien.CreateDataBase());
  iu.VideJournal();
  ASSERT_TRUE(ancien.OpenDataBase(true));
  for (const auto& def : SchemaBDD()) {
    ASSERT_NE(ancien.Table(def.nom), nullptr) << def.nom;
    EXPECT_EQ(ancien.Table(def.nom)->FieldDefs(), def.champs) << def.nom;
  }
  TACRTable* t = ancien.Table("Evenements");
  t->First();
  EXPECT_EQ(t->FieldByName("Donnee").AsUnicodeString(), U("Tisserand à Lyon"));
  // The sortable date of each calendar: unknown day and month count as the 1st, a range as its
  // lower year, 1 Tishri 5785 is 3 October 2024, 1 Pluviôse XII 22 January 1804, BC none.
  std::vector<int32_t> dates;
  for (; !t->Eof(); t->Next()) dates.push_back(t->FieldByName("_DATE").AsInteger());
  EXPECT_EQ(dates, (std::vector<int32_t>{17890701, 18500101, 17500101, 20241003, 18040122, 0}));
}

TEST(MagasinFichiers, FichierEtrangerJamaisTouche) {
  RepertoireTemporaire rep;
  const AnsiString chemin = rep / "F.kya/F.adb";
  ASSERT_TRUE(CreeRepertoires(ExtraitRepertoire(chemin)));
  { std::ofstream(chemin) << "pas une base"; }
  DossierEssai dossier;
  TModuleBDD module(&dossier, chemin, "5.90");
  EXPECT_FALSE(module.CreateDataBase());
  EXPECT_FALSE(module.OpenDataBase(false));
  EXPECT_EQ(Contenu(chemin), "pas une base");
}

TEST(MagasinFichiers, ConversionDUneGenerationAnterieure) {
  RepertoireTemporaire rep;
  const AnsiString chemin = rep / "G.kya/G.adb";
  ASSERT_TRUE(CreeRepertoires(ExtraitRepertoire(chemin)));
  {
    TACRDatabase v4(chemin);
    v4.SetGeneration(4);
    ASSERT_TRUE(v4.CreateDatabase());
    TACRTable t(v4, "Illustrations");
    ASSERT_TRUE(t.CreateTable(DefinitionTable("Illustrations").champs, DefinitionTable("Illustrations").index));
    ASSERT_TRUE(t.Open());
    t.Insert();
    t.FieldByName("ID_ILLUSTRATION").SetInteger(40);
    t.FieldByName("CHEMIN").SetAnsiString(A("C:\\Images\\Église.jpg"));
    ASSERT_TRUE(t.Post());
  }
  DossierEssai dossier;
  TModuleBDD module(&dossier, chemin, "5.90");
  ASSERT_TRUE(module.CreateDataBase());
  EXPECT_TRUE(FichierExiste(rep / "G.kya/G_v4.adb"));
  EXPECT_TRUE(TACRDatabase::IsAccuracerDatabaseFile(chemin));
  ASSERT_TRUE(module.OpenDataBase(false));
  TACRTable* t = module.Table("Illustrations");
  ASSERT_NE(t, nullptr);
  t->First();
  EXPECT_EQ(t->FieldByName("CHEMIN").AsAnsiString(), A("C:\\Images\\Église.jpg"));
  EXPECT_EQ(t->FieldByName("ID_ILLUSTRATION").AsInteger(), 40);
  EXPECT_NE(module.Table("Personnes"), nullptr);  // the missing tables were added
}

TEST_F(Magasin, LignesDeLIndexParcourues) {
  ASSERT_TRUE(module->Database().ExecuteSql(
      "INSERT INTO IndexNomPrenoms(Nom, NoPers, Sexe) VALUES('B', 2, 'F'), ('A', 1, 'M'), ('C', 2, 'F'), "
      "('D', 9, 'M'), ('E', -3, '')"));
  const auto lignes = [&](TOrdreLignesIndex ordre, long no, size_t arret = 99) {
    std::u16string vues;
    EXPECT_TRUE(module->ParcoursLignesIndex(ordre, no, [&](long id, const TEnregIndexPerson& e) {
      vues += e.Nom + (e.Sexe ? char16_t(e.Sexe) : u'_') + char16_t(u'0' + id);
      return vues.size() < arret * 3;
    }));
    return vues;
  };
  EXPECT_EQ(lignes(TOrdreLignesIndex::ParPersonne, 0), u"E_5AM2BF1CF3DM4");
  EXPECT_EQ(lignes(TOrdreLignesIndex::DUnePersonne, 2), u"CF3BF1");
  EXPECT_EQ(lignes(TOrdreLignesIndex::DUnePersonne, 2, 1), u"CF3");  // stopped by the action
  // Rows whose number names no possible person go; the others stay.
  EXPECT_EQ(module->DeleteIndexHorsPersonnes(5), 2);
  EXPECT_EQ(lignes(TOrdreLignesIndex::Table, 0).size(), 9u);
}

}  // namespace
}  // namespace kyb::test
