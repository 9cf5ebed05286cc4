// A genealogy is never lost: repair from a damaged catalogue or damaged pages; person writes,
// backups, restores, repairs and conversions cut at every system call; indexes left dropped by an
// interrupted import.
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "platform/ecriture_atomique.h"
#include "platform/journal.h"
#include "store/analyse_bdd.h"
#include "store/schema_bdd.h"
#include "store_fixture.h"
#include "support/coupures.h"

namespace kyb::test {
namespace {

TEnregPublic Personne(const std::string& nom, char supprimee = 'N') {
  TEnregPublic p;
  p.Nom = U(nom);
  p.Prenoms = u"Anne";
  p.Sexe = 'F';
  p.FicheSupprimee = supprimee;
  return p;
}

std::string Nom(long n) {
  char texte[16];
  std::snprintf(texte, sizeof texte, "P%05ld", n);
  return texte;
}

// Writes persons 1..n named P00001.. in one batch.
void EcritPersonnes(TModuleBDD& m, long n) {
  ASSERT_TRUE(m.BeginImport(false));
  for (long i = 1; i <= n; ++i) ASSERT_TRUE(m.WritePerson(Personne(Nom(i)), i));
  ASSERT_TRUE(m.EndImport(false));
}

// Every person still in the store carries its own name.
void NomsJustes(TModuleBDD& m) {
  m.BeginParcoursPerson();
  TEnregPublic p;
  long numero = 0;
  while (m.ReadPersonParcours(p, numero)) EXPECT_EQ(p.Nom, U(Nom(numero)));
  m.EndParcoursPerson();
}

bool Contient(const std::vector<std::string>& lignes, const std::string& texte) {
  for (const auto& l : lignes)
    if (l.find(texte) != std::string::npos) return true;
  return false;
}

class Securite : public Magasin {
 protected:
  std::string Fichier() const { return CheminSysteme(Chemin()); }
  // Closes the store (its journal folded in) so that the file alone holds everything.
  void Ferme() {
    module.reset();
    ASSERT_LE(TailleFichier(Chemin() + "-wal"), 0);
  }
  std::unique_ptr<TModuleBDD> Rouvre() {
    module.reset();
    auto m = std::make_unique<TModuleBDD>(&dossier, Chemin(), "5.90");
    EXPECT_TRUE(m->OpenDataBase(false)) << m->Database().DerniereErreur();
    return m;
  }
};

TEST_F(Securite, ReparationSansCatalogueGardeChaqueLigne) {
  // One damaged page in each table of the engine catalogue in turn.
  for (const char* catalogue : {"_acr_champs", "_acr_index", "_acr_base"}) {
    SCOPED_TRACE(catalogue);
    module = std::make_unique<TModuleBDD>(&dossier, Chemin(), "5.90");
    ASSERT_TRUE(module->CreateDataBase());
    ASSERT_TRUE(module->OpenDataBase(false));
    EcritPersonnes(*module, 300);
    ASSERT_TRUE(module->MAJInfoChps("Personne Favorite", u"42"));
    Ferme();
    ASSERT_TRUE(AbimePage(Fichier(), PageRacine(Fichier(), catalogue)));

    TModuleBDD m(&dossier, Chemin(), "5.90");
    if (std::string(catalogue) == "_acr_base") {
      // Refused as damaged (not as a foreign file), with the way out named.
      EXPECT_FALSE(m.OpenDataBase(false));
      EXPECT_EQ(m.CodeErreur(), TErreurMoteur::Endommagee);
      EXPECT_NE(TexteErreurBDD(m.CodeErreur(), "F.adb").find("kyb reparer"), std::string::npos);
    }
    ASSERT_TRUE(m.RepairDatabase(false)) << m.Database().DerniereErreur();
    EXPECT_EQ(m.Database().VerifieIntegrite(), "ok");
    EXPECT_TRUE(m.DernierBilanReparation().SansPerte());
    const auto rapport = m.RapportReparation();
    EXPECT_TRUE(Contient(rapport, "Personnes : 300 lignes gardées")) << rapport.front();
    EXPECT_TRUE(Contient(rapport, "La base endommagée est conservée dans"));
    ASSERT_TRUE(m.OpenDataBase(false));
    EXPECT_EQ(m.CountPerson(), 300);
    EXPECT_EQ(m.GetInfoChps("Personne Favorite"), u"42");
    NomsJustes(m);
    for (const auto& def : SchemaBDD()) {
      ASSERT_NE(m.Table(def.nom), nullptr) << def.nom;
      EXPECT_EQ(m.Table(def.nom)->FieldDefs(), def.champs) << def.nom;
    }
    m.CloseDataBase();
    for (const auto& nom : ListeFichiers(rep.Chemin() + "Famille.kya", "*")) SupprimeFichier(rep.Chemin() + "Famille.kya/" + nom);
  }
}

TEST_F(Securite, CatalogueLisibleMaisFauxReconstruit) {
  // A catalogue row that passes every page check but gives a text column an integer type.
  EcritPersonnes(*module, 40);
  ASSERT_TRUE(module->Database().ExecuteSql(
      "UPDATE _acr_champs SET type = 7 WHERE table_nom = 'Personnes' AND nom = 'Nom'"));
  module->CloseDataBase();
  ASSERT_TRUE(module->RepairDatabase(false));
  EXPECT_TRUE(module->DernierBilanReparation().reconstruite);
  EXPECT_TRUE(module->DernierBilanReparation().SansPerte());
  ASSERT_TRUE(module->OpenDataBase(false));
  EXPECT_EQ(module->Table("Personnes")->FieldDefs(), DefinitionTable("Personnes").champs);
  EXPECT_EQ(module->CountPerson(), 40);
  NomsJustes(*module);
}

TEST_F(Securite, ReparationCompteLesLignesPerdues) {
  EcritPersonnes(*module, 3000);
  Ferme();
  ASSERT_TRUE(AbimePage(Fichier(), PageContenant(Fichier(), Nom(1500))));
  TModuleBDD m(&dossier, Chemin(), "5.90");
  ASSERT_TRUE(m.OpenDataBase(false));
  ASSERT_TRUE(m.RepairDatabase(false));
  const TBilanReparation& bilan = m.DernierBilanReparation();
  EXPECT_TRUE(bilan.reconstruite);
  EXPECT_TRUE(FichierExiste(bilan.fichierEndommage));
  const auto personnes = std::find_if(bilan.tables.begin(), bilan.tables.end(),
                                      [](const TBilanTable& t) { return t.table == "Personnes"; });
  ASSERT_NE(personnes, bilan.tables.end());
  // The indexes still knew every person: the loss is counted exactly.
  EXPECT_GT(personnes->perdues, 0);
  EXPECT_FALSE(personnes->perteInconnue);
  EXPECT_EQ(personnes->gardees + personnes->perdues, 3000);
  EXPECT_EQ(m.CountPerson(), personnes->gardees);
  EXPECT_TRUE(Contient(m.RapportReparation(), "perdue"));
  EXPECT_FALSE(m.DernierBilanReparation().SansPerte());
  NomsJustes(m);
  TEnregPublic p;
  EXPECT_TRUE(m.ReadPerson(p, 1));
  EXPECT_TRUE(m.ReadPerson(p, 3000));
}

TEST_F(Securite, IndexRetablisApresUnImportInterrompu) {
  RepertoireTemporaire journaux;
  DefinitRepertoireJournaux(journaux.Chemin());
  EcritPersonnes(*module, 10);
  Ferme();
  const pid_t enfant = fork();
  ASSERT_GE(enfant, 0);
  if (enfant == 0) {
    TModuleBDD m(&dossier, Chemin(), "5.90");
    if (!m.OpenDataBase(false) || !m.BeginImport(true) || !m.WritePerson(Personne("Import"), 11)) _exit(2);
    _exit(0);  // killed before EndImport: no destructor runs
  }
  int statut = 0;
  waitpid(enfant, &statut, 0);
  ASSERT_EQ(WEXITSTATUS(statut), 0);
  auto m = Rouvre();
  // Every index of the store is back: those of persons, events and person-index rows that the
  // import had dropped were rebuilt at the opening.
  for (const auto& def : SchemaBDD()) {
    TACRTable t(m->Database(), def.nom);
    for (const auto& index : def.index) {
      EXPECT_TRUE(t.IndexExists(index.nom)) << def.nom << "." << index.nom;
      // An index on the auto-increment number is the row number itself: nothing in the file.
      const TACRFieldDef* seul = index.champs.size() == 1 ? TrouveChamp(def.champs, index.champs[0]) : nullptr;
      if (seul && seul->type == TTypeChamp::AutoInc) continue;
      EXPECT_TRUE(m->Database().IndexPhysiqueExiste(def.nom, index.nom)) << def.nom << "." << index.nom;
    }
  }
  const std::pair<const char*, const char*> retablis[] = {
      {"Personnes", "Par_Pere"}, {"Personnes", "Par_Mere"}, {"Evenements", "Par_DATE"},
      {"Evenements", "ParLieu"}, {"IndexNomPrenoms", "ParNom"}};
  for (const auto& [table, index] : retablis)
    EXPECT_TRUE(Contient(LignesJournal("LogBDD.log"),
                         std::string("Index ") + index + " de la table " + table + " rétabli"))
        << index;
  // The row-number indexes have nothing to restore: no false report of them at each opening.
  EXPECT_FALSE(Contient(LignesJournal("LogBDD.log"), "Index ParID de la table"));
  EXPECT_EQ(m->CountPerson(), 10);
  DefinitRepertoireJournaux("");
}

TEST_F(Securite, UnePersonneUneTransaction) {
  const auto commits = [&, depart = module->Database().Activite().commits] {
    return module->Database().Activite().commits - depart;
  };
  // A new deleted person: its row and its number in PersonnesSuppr in one commit.
  ASSERT_TRUE(module->WritePerson(Personne("Supprimée", 'O'), 5));
  EXPECT_EQ(commits(), 1);
  EXPECT_TRUE(module->PersonDeleted(5));
  ASSERT_TRUE(module->WritePerson(Personne("Rétablie", 'N'), 5));
  EXPECT_EQ(commits(), 2);
  EXPECT_FALSE(module->PersonDeleted(5));

  // A deleted-persons table that refuses the number: the person is not written either.
  ASSERT_TRUE(module->Database().ExecuteSql(
      "CREATE TRIGGER refus BEFORE INSERT ON PersonnesSuppr BEGIN SELECT RAISE(ABORT, 'refus'); END"));
  EXPECT_FALSE(module->WritePerson(Personne("Refusée", 'O'), 6));
  TEnregPublic p;
  EXPECT_FALSE(module->ReadPerson(p, 6));
  // Inside an import, only that person is undone; the batch goes on.
  ASSERT_TRUE(module->BeginImport(false));
  ASSERT_TRUE(module->WritePerson(Personne("Avant"), 7));
  EXPECT_FALSE(module->WritePerson(Personne("Refusée", 'O'), 8));
  ASSERT_TRUE(module->WritePerson(Personne("Après"), 9));
  ASSERT_TRUE(module->EndImport(false));
  EXPECT_TRUE(module->ReadPerson(p, 7));
  EXPECT_FALSE(module->ReadPerson(p, 8));
  EXPECT_TRUE(module->ReadPerson(p, 9));
  EXPECT_EQ(p.Nom, u"Après");
}

// A person written while the disk fills up or the calls fail: the store holds the old rows or
// the new one, whole, and says why.
TEST_F(Securite, EcritureDUnePersonneCoupeeAChaqueAppel) {
  EcritPersonnes(*module, 50);
  Ferme();
  for (const auto mode : {PanneAuNiemeAppel::Mode::UnSeul, PanneAuNiemeAppel::Mode::EcrituresSuivantes}) {
    TCoupure c;
    c.mode = mode;
    c.prepare = [&] {
      module = Rouvre();
      ASSERT_TRUE(module->Database().ExecuteSql("DELETE FROM Personnes WHERE ID = 51"));
    };
    c.operation = [&] { return module->WritePerson(Personne(Nom(51)), 51); };
    const auto etat = [&](long attendu) {
      auto m = Rouvre();
      if (!m->Connecte() || m->Database().VerifieIntegrite() != "ok" || m->CountPerson() != attendu) return false;
      NomsJustes(*m);
      return true;
    };
    c.estAncien = [&] { return etat(50); };
    c.estNouveau = [&] { return etat(51); };
    EXPECT_GT(CoupeAChaqueAppel(c), 0);
  }
  module = Rouvre();
  const PanneAuNiemeAppel disquePlein(1, ENOSPC, PanneAuNiemeAppel::Mode::EcrituresSuivantes);
  EXPECT_FALSE(module->WritePerson(Personne("Trop"), 52));
  EXPECT_EQ(module->CodeErreur(), TErreurMoteur::DisquePlein);
  EXPECT_NE(TexteErreurBDD(module->CodeErreur(), "F.adb").find("le disque est plein"), std::string::npos);
}

// The backup copy replaces the last one at once: cut by an error or killed at any call, the last
// good copy or the new one is there, whole, and the store itself is untouched.
TEST_F(Securite, CopieDeSauvegardeCoupeeOuTueeAChaqueAppel) {
  EcritPersonnes(*module, 20);
  ASSERT_TRUE(module->CopieADB());
  const std::string ancienne = Contenu(CheminSysteme(module->CheminCopie()));
  ASSERT_TRUE(module->WritePerson(Personne(Nom(21)), 21));
  Ferme();
  const AnsiString copie = ChangeExtension(Chemin(), "_backup.adb");
  const auto personnes = [](const AnsiString& chemin) {
    TACRDatabase base(chemin);
    base.SetReadOnly(true);
    if (!base.Open() || base.VerifieIntegrite() != "ok") return -1L;
    TACRTable t(base, "Personnes");
    return t.Open() ? static_cast<long>(t.RecordCount()) : -1L;
  };
  const int descripteurs = DescripteursOuverts();
  for (const auto mode : {PanneAuNiemeAppel::Mode::UnSeul, PanneAuNiemeAppel::Mode::Tue}) {
    TCoupure c;
    c.mode = mode;
    c.prepare = [&] {
      module.reset();
      Ecrit(copie, ancienne);
      (void)SupprimeFichier(copie + ".tmp");
    };
    // A store of its own: a child process never uses the connection of its parent.
    c.operation = [&] {
      TModuleBDD m(&dossier, Chemin(), "5.90");
      return m.OpenDataBase(false) && m.CopieADB();
    };
    c.estAncien = [&] {
      // Only a kill may leave its temporary file, which the next copy replaces.
      const bool propre = mode == PanneAuNiemeAppel::Mode::Tue || !FichierExiste(copie + ".tmp");
      return propre && Contenu(CheminSysteme(copie)) == ancienne && personnes(Chemin()) == 21;
    };
    c.estNouveau = [&] { return personnes(copie) == 21 && personnes(Chemin()) == 21; };
    EXPECT_GT(CoupeAChaqueAppel(c), 2);
  }
  EXPECT_EQ(DescripteursOuverts(), descripteurs);  // no handle left open by a failed step
}

TEST_F(Securite, RestaurationRefuseUneCopieAbimee) {
  EcritPersonnes(*module, 3000);
  ASSERT_TRUE(module->CopieADB());
  module->CloseDataBase();
  const std::string copie = CheminSysteme(module->CheminCopie());
  ASSERT_TRUE(AbimePage(copie, PageContenant(copie, Nom(1500))));
  ASSERT_TRUE(module->OpenDataBase(false));
  ASSERT_TRUE(module->WritePerson(Personne("Après la copie"), 3001));
  EXPECT_FALSE(module->RestoreOldADB());
  EXPECT_EQ(module->CountPerson(), 3001);
  EXPECT_TRUE(FichierExiste(module->CheminCopie()));
  // A file that is not a store at all.
  { std::ofstream(copie, std::ios::trunc) << "pas une base"; }
  EXPECT_FALSE(module->RestoreOldADB());
  ASSERT_TRUE(module->Connecte());
  EXPECT_EQ(module->CountPerson(), 3001);
}

TEST_F(Securite, CopiesRefuseesEnLectureSeule) {
  EcritPersonnes(*module, 5);
  ASSERT_TRUE(module->CopieADB());
  const std::string avant = Contenu(CheminSysteme(module->CheminCopie()));
  dossier.lectureSeule = true;
  EXPECT_FALSE(module->WritePerson(Personne("Refusée"), 6));
  EXPECT_FALSE(module->CopieADB());
  EXPECT_FALSE(module->RestoreOldADB());
  EXPECT_EQ(module->CodeErreur(), TErreurMoteur::LectureSeule);
  EXPECT_EQ(Contenu(CheminSysteme(module->CheminCopie())), avant);
  dossier.lectureSeule = false;
  EXPECT_EQ(module->CountPerson(), 5);
}

TEST_F(Securite, RestaurationCoupeeAChaqueAppel) {
  EcritPersonnes(*module, 20);
  // Always a store under the file's name: the old one (21 persons) or the copy (20).
  TCoupure c;
  c.prepare = [&] {
    module = Rouvre();
    ASSERT_TRUE(module->Database().ExecuteSql("DELETE FROM Personnes WHERE ID = 21"));
    ASSERT_TRUE(module->CopieADB());
    ASSERT_TRUE(module->WritePerson(Personne("Nouvelle"), 21));
  };
  c.operation = [&] { return module->RestoreOldADB(); };
  const auto etat = [&](long attendu) {
    module = Rouvre();
    return module->Connecte() && module->Database().VerifieIntegrite() == "ok" && module->CountPerson() == attendu;
  };
  c.estAncien = [&] { return etat(21); };
  c.estNouveau = [&] { return etat(20); };
  EXPECT_GT(CoupeAChaqueAppel(c), 0);
}

TEST_F(Securite, ReparationCoupeeAChaqueAppel) {
  EcritPersonnes(*module, 600);
  Ferme();
  ASSERT_TRUE(AbimePage(Fichier(), PageContenant(Fichier(), Nom(300))));
  const AnsiString modele = rep.Chemin() + "modele.adb";
  ASSERT_TRUE(CopieFichier(Chemin(), modele, true));
  // What a repair that nothing interrupts keeps.
  long attendues = 0;
  {
    TModuleBDD m(&dossier, Chemin(), "5.90");
    ASSERT_TRUE(m.RepairDatabase(false));
    attendues = m.CountPerson();
    ASSERT_GT(attendues, 400);
  }
  const int descripteurs = DescripteursOuverts();
  // The damaged store or the repaired one, never none; no half-made file left.
  TCoupure c;
  c.prepare = [&] {
    ASSERT_TRUE(CopieFichier(modele, Chemin(), true));
    for (const auto& nom : ListeFichiers(rep.Chemin() + "Famille.kya", "*corrompu*"))
      SupprimeFichier(rep.Chemin() + "Famille.kya/" + nom);
  };
  c.operation = [&] { return TModuleBDD(&dossier, Chemin(), "5.90").RepairDatabase(false); };
  const auto ouvre = [&](bool integre) {
    if (FichierExiste(Chemin() + ".reparation")) return false;
    TModuleBDD m(&dossier, Chemin(), "5.90");
    if (!m.OpenDataBase(false) || (m.Database().VerifieIntegrite() == "ok") != integre) return false;
    if (integre) NomsJustes(m);
    return !integre || m.CountPerson() == attendues;
  };
  c.estAncien = [&] { return ouvre(false); };
  c.estNouveau = [&] { return ouvre(true); };
  c.suivant = [](long n) { return n + 1 + n / 20; };
  EXPECT_GT(CoupeAChaqueAppel(c), 3);
  EXPECT_EQ(DescripteursOuverts(), descripteurs);
}

TEST(SecuriteConversion, ConversionCoupeeAChaqueAppel) {
  RepertoireTemporaire rep;
  const AnsiString chemin = rep / "G.kya/G.adb";
  const AnsiString modele = rep / "modele.adb";
  ASSERT_TRUE(CreeRepertoires(ExtraitRepertoire(chemin)));
  {
    TACRDatabase v4(modele);
    v4.SetGeneration(4);
    ASSERT_TRUE(v4.CreateDatabase());
    TACRTable t(v4, "Sources");
    ASSERT_TRUE(t.CreateTable(DefinitionTable("Sources").champs, DefinitionTable("Sources").index));
    ASSERT_TRUE(t.Open());
    for (int i = 0; i < 50; ++i) {
      t.Insert();
      t.FieldByName("DESCRIPTIF").SetUnicodeString(u"Registre paroissial");
      ASSERT_TRUE(t.Post());
    }
  }
  DossierEssai dossier;
  // The old generation or the new one, with every row.
  const auto generation = [&](int attendue) {
    if (TACRDatabase::GenerationFichier(chemin) != attendue) return false;
    TACRDatabase base(chemin);
    base.SetReadOnly(true);
    TACRTable t(base, "Sources");
    return base.Open() && t.Open() && t.RecordCount() == 50;
  };
  TCoupure c;
  c.prepare = [&] {
    for (const auto& nom : ListeFichiers(rep / "G.kya", "*")) SupprimeFichier(rep / ("G.kya/" + nom));
    ASSERT_TRUE(CopieFichier(modele, chemin, true));
  };
  c.operation = [&] { return TModuleBDD(&dossier, chemin, "5.90").CreateDataBase(); };
  c.estAncien = [&] { return generation(4); };
  c.estNouveau = [&] { return generation(5); };
  c.suivant = [](long n) { return n + 1 + n / 20; };
  EXPECT_GT(CoupeAChaqueAppel(c), 3);
}

TEST_F(Securite, AnalyseDeLaBase) {
  RepertoireTemporaire journaux;
  DefinitRepertoireJournaux(journaux.Chemin());
  const TAnalyseBDD saine = module->AnalyseBDD();
  EXPECT_FALSE(saine.endommagee);
  EXPECT_EQ(saine.enregistrementsFoireux, 0);
  EXPECT_TRUE(Contient(LignesJournal("DataModuleBDD_AnalyseBDD.log"), "Tous est correcte"));
  // An event that belongs to nobody, a source of no event.
  ASSERT_TRUE(module->Database().ExecuteSql(
      "INSERT INTO Evenements(LibelleChamps, NoPersA) VALUES('NAISSANCE', 0);"
      "INSERT INTO Sources(ID_EVEN, TYPE) VALUES(999, 'Acte');"));
  iu.VideJournal();
  const TAnalyseBDD a = module->AnalyseBDD();
  EXPECT_EQ(a.enregistrementsFoireux, 2);
  const auto lignes = LignesJournal("DataModuleBDD_AnalyseBDD.log");
  EXPECT_TRUE(Contient(lignes, "(Evenements) Enregistrement foireux : "));
  EXPECT_TRUE(Contient(lignes, "Erreur detecté dans la table Evenements "));
  EXPECT_TRUE(Contient(lignes, "(Sources) Enregistrement foireux : "));
  EXPECT_TRUE(Contient(lignes, "Erreur detecté dans la table Source "));
  EXPECT_TRUE(iu.JournalContient("message:Base de données|Erreur, Veuillez consulter le fichier " + a.journal));
  // Damaged pages are reported as damage.
  EcritPersonnes(*module, 2000);
  Ferme();
  ASSERT_TRUE(AbimePage(Fichier(), PageContenant(Fichier(), Nom(1000))));
  auto m = Rouvre();
  EXPECT_TRUE(m->AnalyseBDD().endommagee);
  EXPECT_TRUE(AnalyseBDD(*m, TVerificationBDD::Rapide, nullptr).endommagee);
  DefinitRepertoireJournaux("");
}

}  // namespace
}  // namespace kyb::test
