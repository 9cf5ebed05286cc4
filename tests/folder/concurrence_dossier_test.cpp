// Another program at work on the folder, and what killed programs leave: a writer keeps other
// writers out but never readers, a folder being made by another program is busy (not cut), and
// the leftovers of a cut backup, numbering or rename go at the next opening.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>

#include "dossier_ancien.h"
#include "dossier_fixture.h"
#include "folder/securite_dossier.h"
#include "platform/journal.h"
#include "store/datamodulebdd.h"

namespace kyb::test {
namespace {

// A child process that runs travail, then holds on (its folder open) until it is let go or killed.
class AutreProgramme {
 public:
  template <typename Travail>
  explicit AutreProgramme(Travail travail) {
    int pret[2], fin[2];
    EXPECT_EQ(pipe(pret), 0);
    EXPECT_EQ(pipe(fin), 0);
    pid_ = fork();
    if (pid_ == 0) {
      close(pret[0]);
      close(fin[1]);
      auto tenu = travail();
      char c = 1;
      (void)!write(pret[1], &c, 1);
      (void)!read(fin[0], &c, 1);
      _exit(0);
    }
    close(pret[1]);
    close(fin[0]);
    fin_ = fin[1];
    char c = 0;
    EXPECT_EQ(read(pret[0], &c, 1), 1);
    close(pret[0]);
  }
  ~AutreProgramme() { Termine(false); }
  void Termine(bool tue) {
    if (pid_ <= 0) return;
    if (tue) kill(pid_, SIGKILL);
    close(fin_);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

 private:
  pid_t pid_ = -1;
  int fin_ = -1;
};

class ConcurrenceDossier : public DossierTemporaire {
 protected:
  std::unique_ptr<TGestFichier> OuvreSansAttendre() const {
    TGestFichier::TOptionsOuverture o = TGestFichier::Ouverture();
    o.AttenteVerrou = std::chrono::milliseconds(0);
    return std::make_unique<TGestFichier>(Store(), o);
  }
};

TEST_F(ConcurrenceDossier, UnEcrivainEcarteLesAutresEcrivainsJamaisLesLecteurs) {
  ASSERT_FALSE(Cree(Store())->Erreur);
  AutreProgramme ecrivain([this] {
    auto g = OuvreSansAttendre();
    // A write committed, and a transaction left open, as in the middle of a batch.
    (void)g->GetModuleBDD()->WritePerson(Personne(u"Validée"), g->FicPersons->ReturnNewNum());
    (void)g->GetModuleBDD()->Database().StartTransaction();
    return g;
  });
  const auto second = OuvreSansAttendre();
  EXPECT_TRUE(second->Erreur);
  EXPECT_EQ(second->CodeErreurBDD, TErreurMoteur::Occupe);
  const auto lecteur = Ouvre(Store(), nullptr, TGestFichier::mcAucune, true);
  ASSERT_FALSE(lecteur->Erreur) << NomErreurMoteur(lecteur->CodeErreurBDD);
  EXPECT_EQ(lecteur->NombrePersonnes(), 2);
  ecrivain.Termine(false);
  EXPECT_FALSE(OuvreSansAttendre()->Erreur);
  EXPECT_FALSE(FichierExiste(ChangeExtension(Store(), "_v4.adb")));
}

TEST_F(ConcurrenceDossier, DossierEnCoursDImportOccupeTantQueSonProgrammeVit) {
  // A creation for an import keeps its marker from the start: no moment shows a complete folder.
  AutreProgramme import([this] {
    TGestFichier::TOptionsOuverture creation = TGestFichier::Creation();
    creation.MarqueGardee = kMarqueImport;
    return std::make_unique<TGestFichier>(Store(), creation);
  });
  for (const bool lectureSeule : {true, false}) {
    const auto g = lectureSeule ? Ouvre(Store(), nullptr, TGestFichier::mcAucune, true) : OuvreSansAttendre();
    EXPECT_EQ(g->CodeErreurBDD, TErreurMoteur::Occupe);
    EXPECT_FALSE(g->CreationInachevee);
  }
  import.Termine(true);
  const auto g = Ouvre(Store());
  EXPECT_TRUE(g->CreationInachevee);
  EXPECT_TRUE(g->ImportInacheve);  // the way out is the import, not a new empty folder
}

TEST_F(ConcurrenceDossier, RestesDeCoupuresRetiresALOuverture) {
  DefinitRepertoireJournaux(rep / "journaux");
  AnsiString id;
  {
    const auto g = Cree(Store());
    id = g->IdGenea;
  }
  const AnsiString dossier = Repertoire() + "/";
  const AnsiString ecarte = rep / "Ancien.kya.supprime", autre = rep / "Autre.kya.supprime.2";
  for (const auto& [repertoire, identifiant] : {std::pair{ecarte, id}, std::pair{autre, AnsiString("AUTRE")}}) {
    ASSERT_TRUE(CreeRepertoires(repertoire));
    Ecrit(repertoire + "/lienidpers.cpt", identifiant);
  }
  Ecrit(dossier + "Famille_backup.adb.tmp", "copie coupée");
  ASSERT_FALSE(Ouvre(Store(), nullptr, TGestFichier::mcAucune, true)->Erreur);
  EXPECT_TRUE(FichierExiste(dossier + "Famille_backup.adb.tmp"));  // a reader removes nothing
  ASSERT_FALSE(Ouvre(Store())->Erreur);
  EXPECT_FALSE(FichierExiste(dossier + "Famille_backup.adb.tmp"));
  EXPECT_FALSE(RepertoireExiste(ecarte));
  EXPECT_TRUE(RepertoireExiste(autre));  // another genealogy's
  const auto journal = LignesJournal("LogBDD.log");
  EXPECT_EQ(std::count_if(journal.begin(), journal.end(),
                          [](const std::string& l) { return l.find("retiré à l'ouverture") != std::string::npos; }),
            2);
  DefinitRepertoireJournaux("");
}

}  // namespace
}  // namespace kyb::test
