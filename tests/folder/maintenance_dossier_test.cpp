// Renaming, duplicating and deleting a genealogy folder, and their interruptions.
#include "folder/maintenance_dossier.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <iterator>

#include "folder/gest_fic.h"
#include "platform/arborescence.h"
#include "platform/ecriture_atomique.h"
#include "platform/thread_nom.h"
#include "store/datamodulebdd.h"
#include "support/support.h"

namespace kyb {
namespace {

using test::Contenu;

// Makes the N-th call of a system function fail (full disk) or kill the process.
int gRestant = 0;
TAppelsSysteme gOrigine{};
ssize_t PwritePlein(int fd, const void* t, size_t n, off_t p) {
  if (--gRestant == 0) {
    errno = ENOSPC;
    return -1;
  }
  return gOrigine.pwrite(fd, t, n, p);
}
int FsyncTue(int fd) {
  if (--gRestant == 0) raise(SIGKILL);
  return gOrigine.fsync(fd);
}
int FdatasyncTue(int fd) {
  if (--gRestant == 0) raise(SIGKILL);
  return gOrigine.fdatasync(fd);
}
int RenameTue(const char* a, const char* b) {
  if (--gRestant == 0) raise(SIGKILL);
  return gOrigine.rename(a, b);
}

class Maintenance : public ::testing::Test {
 protected:
  Maintenance() {
    NommeThreadPrincipal();
    auto g = Ouvre(Store("Famille"), true);
    TModuleBDD& m = *g->GetModuleBDD();
    EXPECT_TRUE(m.BeginImport(false));
    TEnregPublic p;
    p.Nom = u"Lot";
    for (long n = 2; n <= 4; ++n) EXPECT_TRUE(m.WritePerson(p, n));
    EXPECT_TRUE(m.EndImport(false));
  }
  ~Maintenance() override { RestaureAppelsSysteme(); }
  AnsiString Dossier(const char* nom) const { return rep / (std::string(nom) + ".kya"); }
  AnsiString Store(const char* nom) const { return Dossier(nom) + "/" + nom + ".adb"; }
  static std::unique_ptr<TGestFichier> Ouvre(const AnsiString& chemin, bool creer = false) {
    return std::make_unique<TGestFichier>(chemin, TGestFichier::TOptionsOuverture{.Creer = creer});
  }
  // Persons of the genealogy at that store, -1 when it does not open.
  static long Personnes(const AnsiString& store) {
    if (!FichierExiste(store)) return -1;
    auto g = Ouvre(store);
    return g->Erreur ? -1 : g->NombrePersonnes();
  }
  test::RepertoireTemporaire rep;
};

TEST_F(Maintenance, DuplicationDonneUneCopieAvecSonPropreIdentifiant) {
  std::ofstream(CheminSysteme(Dossier("Famille") + "/Notices/np1.txt")) << "notice";
  std::ofstream(CheminSysteme(Dossier("Famille") + "/etranger.txt")) << "pas à elle";
  ASSERT_TRUE(CreeRepertoires(Dossier("Famille") + "/Images/Album"));
  std::ofstream(CheminSysteme(Dossier("Famille") + "/Images/Album/photo.jpg")) << "jpeg";
  {
    auto g = Ouvre(Store("Famille"));
    ASSERT_EQ(g->DupliqueGenealogie("Copie"), emAucune);
  }
  EXPECT_FALSE(FichierExiste(Dossier("Copie") + "/Copie.xin"));
  EXPECT_FALSE(FichierExiste(Dossier("Copie") + "/etranger.txt"));
  EXPECT_EQ(Contenu(Dossier("Copie") + "/Notices/np1.txt"), "notice");
  EXPECT_EQ(Contenu(Dossier("Copie") + "/Images/Album/photo.jpg"), "jpeg");
  EXPECT_FALSE(CheminOccupe(Dossier("Copie") + kSuffixeCopieInachevee));
  auto copie = Ouvre(Store("Copie"));
  ASSERT_FALSE(copie->Erreur);
  EXPECT_EQ(copie->NombrePersonnes(), 4);
  // No information file was copied: the copy made its own identifier when first opened.
  EXPECT_EQ(copie->IdGenea.size(), 20u);
  EXPECT_TRUE(FichierExiste(Dossier("Copie") + "/Copie.xin"));
  EXPECT_EQ(Personnes(Store("Famille")), 4);
}

TEST_F(Maintenance, CopieDUneBaseLaisseeAvecSonJournal) {
  // A writer killed before closing leaves its last rows in the store's journal only.
  const pid_t enfant = fork();
  if (enfant == 0) {
    auto g = Ouvre(Store("Famille"));
    TEnregPublic p;
    p.Nom = u"Tardif";
    (void)g->GetModuleBDD()->WritePerson(p, 5);
    raise(SIGKILL);
  }
  int statut = 0;
  waitpid(enfant, &statut, 0);
  ASSERT_TRUE(FichierExiste(Store("Famille") + "-wal"));
  {
    TGestFichier g(Store("Famille"), TGestFichier::OuvertureLectureSeule());
    ASSERT_FALSE(g.Erreur);
    ASSERT_EQ(g.DupliqueGenealogie("Copie"), emAucune);
  }
  EXPECT_EQ(Personnes(Store("Copie")), 5);
}

TEST_F(Maintenance, NomsRefuses) {
  ASSERT_TRUE(CreeRepertoires(Dossier("Pris")));
  struct Cas {
    const char* nom;
    int code;
  };
  const Cas cas[] = {{"", emNomInvalide},      {"a/b", emNomInvalide},  {"a\\b", emNomInvalide},
                     {"a:b", emNomInvalide},   {"a*", emNomInvalide},   {"a?", emNomInvalide},
                     {"a\"b", emNomInvalide},  {"<a>", emNomInvalide},  {"a|b", emNomInvalide},
                     {"a.b", emNomInvalide},   {" a", emNomInvalide},   {"a ", emNomInvalide},
                     {"a\tb", emNomInvalide},  {"Pris", emNomExistant}, {"Famille", emNomExistant}};
  for (const Cas& c : cas) {
    auto g = Ouvre(Store("Famille"));
    EXPECT_EQ(g->DupliqueGenealogie(c.nom), c.code) << c.nom;
    EXPECT_EQ(g->RenommeGenealogie(c.nom), c.code) << c.nom;
  }
  EXPECT_TRUE(NomGenealogieValide("Famille Dupont-Durand 1848"));
  EXPECT_TRUE(NomGenealogieValide(A("Généalogie")));
  EXPECT_EQ(Personnes(Store("Famille")), 4);
  EXPECT_EQ(TexteErreurMaintenance(emNomExistant, "Pris"),
            "une généalogie ou un fichier nommé « Pris » existe déjà à cet endroit");
}

TEST_F(Maintenance, RepertoireParentEnLectureSeule) {
  ASSERT_TRUE(DefinitLectureSeule(rep.Chemin(), true));
  {
    auto g = Ouvre(Store("Famille"));
    EXPECT_EQ(g->DupliqueGenealogie("Copie"), emParentLectureSeule);
    EXPECT_EQ(g->RenommeGenealogie("Autre"), emParentLectureSeule);
  }
  ASSERT_TRUE(DefinitLectureSeule(rep.Chemin(), false));
  EXPECT_FALSE(CheminOccupe(Dossier("Copie")));
  EXPECT_FALSE(CheminOccupe(Dossier("Autre")));
  EXPECT_EQ(Personnes(Store("Famille")), 4);
}

TEST_F(Maintenance, DisquePleinPendantLaDuplication) {
  const AnsiString definitions = Dossier("Famille") + "/Famille.dch";
  const std::string avant = Contenu(definitions);
  // Writes of a whole duplication, counted on a first copy.
  gOrigine = AppelsSysteme();
  gRestant = 1 << 30;
  AppelsSysteme().pwrite = PwritePlein;
  ASSERT_EQ(Ouvre(Store("Famille"))->DupliqueGenealogie("Mesure"), emAucune);
  RestaureAppelsSysteme();
  const int ecritures = (1 << 30) - gRestant;
  ASSERT_GT(ecritures, 3);
  int pannes = 0;
  for (int n = 1; n <= ecritures; ++n) {
    auto g = Ouvre(Store("Famille"));
    ASSERT_FALSE(g->Erreur);
    gOrigine = AppelsSysteme();
    gRestant = n;
    AppelsSysteme().pwrite = PwritePlein;
    const int code = g->DupliqueGenealogie("Copie");
    RestaureAppelsSysteme();
    g.reset();
    EXPECT_EQ(Contenu(definitions), avant) << n;
    EXPECT_EQ(Personnes(Store("Famille")), 4) << n;
    EXPECT_FALSE(CheminOccupe(Dossier("Copie") + kSuffixeCopieInachevee)) << n;
    if (code == emAucune) {  // the failed write was one of the closing's, not the copy's
      EXPECT_EQ(Personnes(Store("Copie")), 4) << n;
      ASSERT_TRUE(SupprimeArborescence(Dossier("Copie")));
      continue;
    }
    ++pannes;
    EXPECT_EQ(code, emDisquePlein) << n;
    EXPECT_FALSE(CheminOccupe(Dossier("Copie"))) << n;
  }
  EXPECT_GT(pannes, 3);
  EXPECT_EQ(TexteErreurMaintenance(emDisquePlein, "Copie"),
            "le disque est plein : la copie « Copie » n'a pas été faite, l'original est intact");
}

// Runs action in a child killed at the n-th call of the hooked function; false once the child
// ended by itself.
template <typename Action>
bool TueAuNieme(int n, void (*accroche)(), Action action) {
  const pid_t enfant = fork();
  if (enfant == 0) {
    gOrigine = AppelsSysteme();
    gRestant = n;
    accroche();
    action();
    _exit(0);
  }
  int statut = 0;
  waitpid(enfant, &statut, 0);
  return WIFSIGNALED(statut) && WTERMSIG(statut) == SIGKILL;
}

void AccrocheSynchros() {
  AppelsSysteme().fsync = FsyncTue;
  AppelsSysteme().fdatasync = FdatasyncTue;
  AppelsSysteme().rename = RenameTue;
}

TEST_F(Maintenance, DuplicationTueeLaisseLOriginalEtPasDeCopieEntiereDifferente) {
  int tuees = 0;
  for (int n = 1; TueAuNieme(n, AccrocheSynchros, [&] { (void)Ouvre(Store("Famille"))->DupliqueGenealogie("Copie"); });
       ++n) {
    ++tuees;
    EXPECT_EQ(Personnes(Store("Famille")), 4) << n;
    // Either no copy, or a whole one.
    if (CheminOccupe(Dossier("Copie"))) {
      EXPECT_EQ(Personnes(Store("Copie")), 4) << n;
    }
    // The next attempt goes through whatever the kill left.
    if (!CheminOccupe(Dossier("Copie"))) {
      ASSERT_EQ(Ouvre(Store("Famille"))->DupliqueGenealogie("Copie"), emAucune) << n;
      EXPECT_FALSE(CheminOccupe(Dossier("Copie") + kSuffixeCopieInachevee));
    }
    ASSERT_TRUE(SupprimeArborescence(Dossier("Copie")));
    ASSERT_LT(n, 500);
  }
  EXPECT_GT(tuees, 3);
}

TEST_F(Maintenance, RenommageTueLaisseToujoursUneGenealogieEntiere) {
  int tuees = 0;
  for (int n = 1; TueAuNieme(n, AccrocheSynchros, [&] { (void)Ouvre(Store("Famille"))->RenommeGenealogie("Neuf"); });
       ++n) {
    ++tuees;
    const long ancien = Personnes(Store("Famille")), neuf = Personnes(Store("Neuf"));
    EXPECT_TRUE(ancien == 4 || neuf == 4) << n;
    if (ancien != -1 && neuf != -1) {  // both names: the same files under two names
      EXPECT_EQ(ancien, neuf) << n;
    }
    // Back to the starting point for the next kill.
    if (neuf == 4 && ancien != 4) {
      ASSERT_EQ(Ouvre(Store("Neuf"))->RenommeGenealogie("Famille"), emAucune) << n;
    } else {
      ASSERT_TRUE(SupprimeArborescence(Dossier("Neuf")));
    }
    ASSERT_TRUE(SupprimeArborescence(Dossier("Neuf") + kSuffixeRenommage));
    ASSERT_LT(n, 500);
  }
  EXPECT_GT(tuees, 2);
  EXPECT_EQ(Personnes(Store("Neuf")), 4);
  EXPECT_FALSE(CheminOccupe(Dossier("Famille")));
}

TEST_F(Maintenance, RenommageLaisseLeDossierFermeSousLeNouveauNom) {
  std::ofstream(CheminSysteme(Dossier("Famille") + "/Famille.d3")) << "dictionnaire";
  std::ofstream(CheminSysteme(Dossier("Famille") + "/Notices/np2.txt")) << "notice";
  auto g = Ouvre(Store("Famille"));
  ASSERT_EQ(g->RenommeGenealogie("Neuf"), emAucune);
  EXPECT_EQ(g->GetModuleBDD(), nullptr);
  EXPECT_EQ(g->Nom, "Neuf");
  EXPECT_EQ(g->Repertoire, Dossier("Neuf") + "/");
  EXPECT_FALSE(CheminOccupe(Dossier("Famille")));
  EXPECT_EQ(Contenu(Dossier("Neuf") + "/Neuf.d3"), "dictionnaire");
  EXPECT_EQ(Contenu(Dossier("Neuf") + "/Notices/np2.txt"), "notice");
  auto neuf = Ouvre(Store("Neuf"));
  ASSERT_FALSE(neuf->Erreur);
  EXPECT_EQ(neuf->NombrePersonnes(), 4);
  EXPECT_TRUE(FichierExiste(Dossier("Neuf") + "/Neuf.xin"));
}

TEST_F(Maintenance, RenommeFichierEtDupliqueFichier) {
  auto g = std::make_unique<TGestFichier>(Store("Famille"));
  EXPECT_TRUE(g->RenommeFichier(TGestFichier::tfNotes, "Autre"));
  EXPECT_TRUE(FichierExiste(Dossier("Famille") + "/Autre.not"));
  EXPECT_FALSE(FichierExiste(Dossier("Famille") + "/Famille.not"));
  EXPECT_FALSE(g->RenommeFichier(TGestFichier::tfNotes, "Autre"));  // no longer there
  ASSERT_TRUE(CreeRepertoires(rep / "ailleurs/Notices"));
  EXPECT_TRUE(g->DupliqueFichier(TGestFichier::tfDefChamps, "Autre", rep / "ailleurs"));
  EXPECT_EQ(Contenu(rep / "ailleurs/Autre.dch"), Contenu(Dossier("Famille") + "/Famille.dch"));
}

TEST_F(Maintenance, SuppressionNeRetireQueLesFichiersDeLaGenealogie) {
  const AnsiString d = Dossier("Famille") + "/";
  for (const char* nom : {"Famille.d3", "Famille.r3", "Famille.lie", "undo.adb", "Notices/np1.txt"})
    std::ofstream(CheminSysteme(d + nom)) << "x";
  for (const char* nom : {"Famille.dx", "Famille.txt", "Autre.adb", "Notices/lisezmoi.txt"})
    std::ofstream(CheminSysteme(d + nom)) << "garde";
  auto g = Ouvre(Store("Famille"));
  ASSERT_EQ(g->SuppressionGenealogie(), emAucune);
  EXPECT_EQ(ListeFichiers(d, "*.*"), (std::vector<AnsiString>{"Autre.adb", "Famille.dx", "Famille.txt"}));
  EXPECT_EQ(ListeFichiers(d + "Notices/", "*.*"), std::vector<AnsiString>{"lisezmoi.txt"});
  // A folder holding nothing else disappears whole.
  {
    auto h = Ouvre(Store("Seule"), true);
    ASSERT_FALSE(h->Erreur);
    ASSERT_EQ(h->SuppressionGenealogie(), emAucune);
  }
  EXPECT_FALSE(CheminOccupe(Dossier("Seule")));
}

}  // namespace
}  // namespace kyb
