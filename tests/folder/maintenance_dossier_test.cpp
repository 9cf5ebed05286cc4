// Renaming, duplicating and deleting a genealogy folder, and their interruptions.
#include "folder/maintenance_dossier.h"

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "dossier_ancien.h"
#include "dossier_fixture.h"
#include "platform/arborescence.h"
#include "support/coupures.h"

namespace kyb::test {
namespace {

class Maintenance : public DossierTemporaire {
 protected:
  Maintenance() { AjoutePersonnes(*Cree(Store()), 3); }
  void Fichier(const AnsiString& chemin, const char* texte = "x") const {
    std::ofstream(CheminSysteme(chemin)) << texte;
  }
};

TEST_F(Maintenance, DuplicationDonneUneCopieAvecSonPropreIdentifiant) {
  Fichier(Repertoire() + "/Notices/np1.txt", "notice");
  Fichier(Repertoire() + "/etranger.txt");
  ASSERT_TRUE(CreeRepertoires(Repertoire() + "/Images/Album"));
  Fichier(Repertoire() + "/Images/Album/photo.jpg", "jpeg");
  ASSERT_EQ(Ouvre(Store())->DupliqueGenealogie("Copie"), emAucune);
  EXPECT_FALSE(FichierExiste(Repertoire("Copie") + "/Copie.xin"));
  EXPECT_FALSE(FichierExiste(Repertoire("Copie") + "/etranger.txt"));
  EXPECT_EQ(Contenu(Repertoire("Copie") + "/Notices/np1.txt"), "notice");
  EXPECT_EQ(Contenu(Repertoire("Copie") + "/Images/Album/photo.jpg"), "jpeg");
  AnsiString id;
  {
    auto copie = Ouvre(Store("Copie"));
    ASSERT_FALSE(copie->Erreur);
    EXPECT_EQ(copie->NombrePersonnes(), 4);
    id = copie->IdGenea;
  }
  // No information file was copied: the copy made its own identifier when first opened.
  EXPECT_NE(id, Ouvre(Store())->IdGenea);
  EXPECT_EQ(id.size(), 20u);
}

TEST_F(Maintenance, CopieDUneBaseLaisseeAvecSonJournal) {
  // A writer killed before closing leaves its last rows in the store's journal only.
  const pid_t enfant = fork();
  if (enfant == 0) {
    auto g = Ouvre(Store());
    (void)g->GetModuleBDD()->WritePerson(Personne(u"Tardif"), 5);
    raise(SIGKILL);
  }
  int statut = 0;
  waitpid(enfant, &statut, 0);
  ASSERT_TRUE(FichierExiste(Store() + "-wal"));
  {
    TGestFichier g(Store(), TGestFichier::OuvertureLectureSeule());
    ASSERT_FALSE(g.Erreur);
    ASSERT_EQ(g.DupliqueGenealogie("Copie"), emAucune);
  }
  EXPECT_EQ(PersonnesDe(Store("Copie")), 5);
}

TEST_F(Maintenance, NomsRefuses) {
  ASSERT_TRUE(CreeRepertoires(Repertoire("Pris")));
  for (const char* nom : {"", "a/b", "a\\b", "a:b", "a*", "a?", "a\"b", "<a>", "a|b", "a.b", " a", "a ", "a\tb"}) {
    auto g = Ouvre(Store());
    EXPECT_EQ(g->DupliqueGenealogie(nom), emNomInvalide) << nom;
    EXPECT_EQ(g->RenommeGenealogie(nom), emNomInvalide) << nom;
  }
  for (const char* nom : {"Pris", "Famille"}) EXPECT_EQ(Ouvre(Store())->DupliqueGenealogie(nom), emNomExistant);
  EXPECT_TRUE(NomGenealogieValide(A("Généalogie Dupont-Durand 1848")));
  // A parent directory that cannot be written.
  ASSERT_TRUE(DefinitLectureSeule(rep.Chemin(), true));
  {
    auto g = Ouvre(Store());
    EXPECT_EQ(g->DupliqueGenealogie("Copie"), emParentLectureSeule);
    EXPECT_EQ(g->RenommeGenealogie("Autre"), emParentLectureSeule);
  }
  ASSERT_TRUE(DefinitLectureSeule(rep.Chemin(), false));
  EXPECT_FALSE(CheminOccupe(Repertoire("Copie")));
  EXPECT_FALSE(CheminOccupe(Repertoire("Autre")));
  EXPECT_EQ(PersonnesDe(Store()), 4);
}

// Cut by an error, a full disk or a kill at any call: the original stays whole, and the copy is
// either absent or whole.
TEST_F(Maintenance, DuplicationCoupeeAChaqueAppel) {
  const std::string definitions = Contenu(Repertoire() + "/Famille.dch");
  for (const auto mode : {PanneAuNiemeAppel::Mode::UnSeul, PanneAuNiemeAppel::Mode::EcrituresSuivantes,
                          PanneAuNiemeAppel::Mode::Tue}) {
    TCoupure c;
    c.mode = mode;
    c.prepare = [&] { ASSERT_TRUE(SupprimeArborescence(Repertoire("Copie"))); };
    c.operation = [&] { return Ouvre(Store())->DupliqueGenealogie("Copie") == emAucune; };
    const auto original = [&] {
      return PersonnesDe(Store()) == 4 && Contenu(Repertoire() + "/Famille.dch") == definitions;
    };
    c.estAncien = [&] {
      // A kill may leave the unfinished copy aside; the next attempt goes through it.
      if (mode == PanneAuNiemeAppel::Mode::UnSeul && CheminOccupe(Repertoire("Copie") + kSuffixeCopieInachevee))
        return false;
      return original() && !CheminOccupe(Repertoire("Copie"));
    };
    c.estNouveau = [&] {
      return original() && PersonnesDe(Store("Copie")) == 4 &&
             !CheminOccupe(Repertoire("Copie") + kSuffixeCopieInachevee);
    };
    c.suivant = [](long n) { return n + 1 + n / 16; };
    EXPECT_GT(CoupeAChaqueAppel(c), 3);
  }
  ASSERT_TRUE(SupprimeArborescence(Repertoire("Copie")));
  // A failure by lack of room is told as such.
  const PanneAuNiemeAppel disquePlein(1, ENOSPC, PanneAuNiemeAppel::Mode::EcrituresSuivantes);
  EXPECT_EQ(Ouvre(Store())->DupliqueGenealogie("Copie"), emDisquePlein);
}

// Always one whole genealogy under the old name or the new one.
TEST_F(Maintenance, RenommageCoupeOuTueAChaqueAppel) {
  for (const auto mode : {PanneAuNiemeAppel::Mode::UnSeul, PanneAuNiemeAppel::Mode::Tue}) {
    TCoupure c;
    c.mode = mode;
    c.prepare = [&] {
      if (PersonnesDe(Store()) != 4) {  // back to the old name for the next cut
        ASSERT_TRUE(SupprimeArborescence(Repertoire()));
        ASSERT_EQ(Ouvre(Store("Neuf"))->RenommeGenealogie("Famille"), emAucune);
      }
      ASSERT_TRUE(SupprimeArborescence(Repertoire("Neuf")));
      ASSERT_TRUE(SupprimeArborescence(Repertoire("Neuf") + kSuffixeRenommage));
    };
    c.operation = [&] { return Ouvre(Store())->RenommeGenealogie("Neuf") == emAucune; };
    c.estAncien = [&] { return PersonnesDe(Store()) == 4; };
    c.estNouveau = [&] { return PersonnesDe(Store("Neuf")) == 4; };
    EXPECT_GT(CoupeAChaqueAppel(c), 2);
  }
}

// A rename leaves the folder closed under its new name, its own files renamed with it; links,
// special files and permissions come through as they were; nothing outside moves.
TEST_F(Maintenance, RenommageGardeFichiersLiensEtDroits) {
  const std::string d = CheminSysteme(Repertoire()) + "/", n = CheminSysteme(Repertoire("Neuf")) + "/";
  Fichier(Repertoire() + "/Famille.d3", "dictionnaire");
  Fichier(Repertoire() + "/Famille_backup.adb", "copie");
  Fichier(Repertoire() + "/Notices/np2.txt", "notice");
  ASSERT_TRUE(CreeRepertoires(rep / "dehors"));
  Fichier(rep / "dehors/a.txt");
  ASSERT_TRUE(CreeRepertoires(Repertoire() + "/Prive"));
  ASSERT_EQ(::symlink("../dehors", (d + "vers_dehors").c_str()), 0);
  ASSERT_EQ(::symlink("../dehors/a.txt", (d + "Prive/lien.txt").c_str()), 0);
  ASSERT_EQ(::mkfifo((d + "tube").c_str(), 0600), 0);
  ASSERT_EQ(::mkdir((d + "Prive/日本").c_str(), 0755), 0);  // a name outside Windows-1252
  ASSERT_EQ(::chmod((d + "Prive").c_str(), 0700), 0);
  ASSERT_EQ(::chmod(d.c_str(), 0750), 0);
  auto g = Ouvre(Store());
  ASSERT_EQ(g->RenommeGenealogie("Neuf"), emAucune);
  EXPECT_EQ(g->GetModuleBDD(), nullptr);
  EXPECT_EQ(g->Repertoire, Repertoire("Neuf") + "/");
  EXPECT_FALSE(CheminOccupe(Repertoire()));
  EXPECT_EQ(Contenu(Repertoire("Neuf") + "/Neuf.d3"), "dictionnaire");
  EXPECT_EQ(Contenu(Repertoire("Neuf") + "/Notices/np2.txt"), "notice");
  EXPECT_EQ(Contenu(Repertoire("Neuf") + "/Neuf_backup.adb"), "copie");  // where a restore looks
  char cible[64] = {};
  ASSERT_GT(::readlink((n + "vers_dehors").c_str(), cible, sizeof cible - 1), 0);
  EXPECT_STREQ(cible, "../dehors");
  struct stat st{};
  EXPECT_TRUE(::lstat((n + "Prive/lien.txt").c_str(), &st) == 0 && S_ISLNK(st.st_mode));
  EXPECT_TRUE(::lstat((n + "tube").c_str(), &st) == 0 && S_ISFIFO(st.st_mode));
  EXPECT_TRUE(::stat((n + "Prive").c_str(), &st) == 0 && (st.st_mode & 0777) == 0700);
  EXPECT_TRUE(::stat((n + "Prive/日本").c_str(), &st) == 0 && S_ISDIR(st.st_mode));
  EXPECT_TRUE(::stat(n.c_str(), &st) == 0 && (st.st_mode & 0777) == 0750);
  EXPECT_EQ(Contenu(rep / "dehors/a.txt"), "x");
  g.reset();  // the writer's lock goes with the object
  EXPECT_EQ(PersonnesDe(Store("Neuf")), 4);
}

TEST_F(Maintenance, RenommeFichierEtDupliqueFichier) {
  TGestFichier g(Store());
  EXPECT_TRUE(g.RenommeFichier(TGestFichier::tfNotes, "Autre"));
  EXPECT_TRUE(FichierExiste(Repertoire() + "/Autre.not"));
  EXPECT_FALSE(FichierExiste(Repertoire() + "/Famille.not"));
  EXPECT_FALSE(g.RenommeFichier(TGestFichier::tfNotes, "Autre"));  // no longer there
  ASSERT_TRUE(CreeRepertoires(rep / "ailleurs/Notices"));
  EXPECT_TRUE(g.DupliqueFichier(TGestFichier::tfDefChamps, "Autre", rep / "ailleurs"));
  EXPECT_EQ(Contenu(rep / "ailleurs/Autre.dch"), Contenu(Repertoire() + "/Famille.dch"));
}

TEST_F(Maintenance, SuppressionNeRetireQueLesFichiersDeLaGenealogie) {
  const AnsiString d = Repertoire() + "/";
  for (const char* nom : {"Famille.d3", "Famille.r3", "Famille.lie", "undo.adb", "Notices/np1.txt",
                          "Famille_backup.adb", "Famille-backup.adb", "Famille.adb.corrompu", "Famille.adb.corrompu.2",
                          "err.txt", "Famille.not.tmp", "Famille.~adb"})
    Fichier(d + nom);
  for (const char* nom : {"Famille.dx", "Famille.txt", "Autre.adb", "Notices/lisezmoi.txt"}) Fichier(d + nom);
  ASSERT_EQ(Ouvre(Store())->SuppressionGenealogie(), emAucune);
  EXPECT_EQ(ListeFichiers(d, "*.*"), (std::vector<AnsiString>{"Autre.adb", "Famille.dx", "Famille.txt"}));
  EXPECT_EQ(ListeFichiers(d + "Notices/", "*.*"), std::vector<AnsiString>{"lisezmoi.txt"});
  // A folder holding nothing else disappears whole.
  ASSERT_EQ(Cree(Store("Seule"))->SuppressionGenealogie(), emAucune);
  EXPECT_FALSE(CheminOccupe(Repertoire("Seule")));
}

// Maintenance acts on a genealogy folder only, and follows no link out of it.
TEST_F(Maintenance, SuppressionEtRenommageDUneGenealogieSeulement) {
  ASSERT_TRUE(CreeRepertoires(rep / "docs/Notices"));
  for (const char* nom : {"docs/notes.txt", "docs/rapport.txt", "docs/gene.tp", "docs/Notices/np1.txt"})
    Fichier(rep / nom);
  ASSERT_TRUE(CreeRepertoires(rep / "autre"));
  ASSERT_EQ(::symlink(CheminSysteme(Repertoire()).c_str(), (rep / "autre/Famille.kya").c_str()), 0);
  for (const std::string& chemin :
       {rep / "docs/notes.txt", rep / "docs/docs.adb", rep / "autre/Famille.kya/Famille.adb"}) {
    EXPECT_EQ(TGestFichier(chemin).SuppressionGenealogie(), emPasGenealogie) << chemin;
    EXPECT_EQ(TGestFichier(chemin).RenommeGenealogie("Autre"), emPasGenealogie) << chemin;
  }
  EXPECT_EQ(ListeFichiers(rep / "docs", "*.*"), (std::vector<AnsiString>{"gene.tp", "notes.txt", "rapport.txt"}));
  EXPECT_EQ(PersonnesDe(Store()), 4);
  // Notices/ of the folder made a link to the user's directory: not entered.
  ASSERT_TRUE(SupprimeArborescence(Repertoire() + "/Notices"));
  ASSERT_EQ(::symlink(CheminSysteme(rep / "docs/Notices").c_str(), (Repertoire() + "/Notices").c_str()), 0);
  ASSERT_EQ(Ouvre(Store())->SuppressionGenealogie(), emAucune);
  EXPECT_TRUE(FichierExiste(rep / "docs/Notices/np1.txt"));
  EXPECT_FALSE(FichierExiste(Store()));
}

// The object that renamed its folder keeps the writer's lock on it, under the new name when the
// rename succeeds and the old one when it fails, and opens it again for writing.
TEST_F(Maintenance, RenommageGardeLeVerrouDEcriture) {
  auto g = Ouvre(Store());
  for (long n = 1;; ++n) {
    int code = emAucune;
    {
      const PanneAuNiemeAppel panne(n, EIO);
      code = g->RenommeGenealogie("Neuf");
    }
    const AnsiString dossier = code == emAucune ? Repertoire("Neuf") : Repertoire();
    EXPECT_TRUE(TVerrouRepertoire::TenuAilleurs(dossier)) << n;
    if (g->GetModuleBDD() == nullptr) g->OuvrirFichier(false, true);
    ASSERT_FALSE(g->Erreur) << n;
    EXPECT_FALSE(g->IsReadOnly()) << n;
    if (code == emAucune) break;
  }
  EXPECT_TRUE(Ouvre(Store("Neuf"))->Erreur);  // no second writer while it holds the folder
}

}  // namespace
}  // namespace kyb::test
