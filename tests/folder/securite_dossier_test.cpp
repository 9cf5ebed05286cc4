// A genealogy folder is never lost nor altered behind the user's back: read-only folders,
// creations cut or killed at any call, names too long to reopen, bare names, the causes of failure.
#include <sys/stat.h>
#include <unistd.h>

#include <map>

#include "dossier_ancien.h"
#include "dossier_fixture.h"
#include "folder/securite_dossier.h"
#include "platform/erreur.h"
#include "support/coupures.h"

namespace kyb::test {
namespace {

// Name, size and modification time of every file of a directory.
std::map<std::string, std::string> Photo(const AnsiString& repertoire) {
  std::map<std::string, std::string> photo;
  for (const auto& nom : ListeFichiers(repertoire, "*")) {
    struct stat st{};
    ::stat(CheminSysteme(AvecSeparateurFinal(repertoire) + nom).c_str(), &st);
    photo[nom] = std::to_string(st.st_size) + "@" + std::to_string(st.st_mtim.tv_sec) + "." +
                 std::to_string(st.st_mtim.tv_nsec);
  }
  return photo;
}

using SecuriteDossier = DossierTemporaire;

TEST_F(SecuriteDossier, DossierProtegeOuvertEnLectureSeuleSansRienCreer) {
  enum class Protection { Repertoire, Base, AncienFormat };
  for (const Protection protection : {Protection::Repertoire, Protection::Base, Protection::AncienFormat}) {
    SCOPED_TRACE(static_cast<int>(protection));
    AnsiString chemin = Store();
    if (protection == Protection::AncienFormat) {
      chemin = CreeDossierAncien(rep.Chemin(), {Personne(u"Ancien")});
    } else {
      ASSERT_FALSE(Cree(chemin)->Erreur);
    }
    const AnsiString repertoire = ExtraitRepertoire(chemin);
    if (protection == Protection::Repertoire) {
      ASSERT_EQ(::chmod(CheminSysteme(repertoire).c_str(), 0555), 0);
    }
    if (protection == Protection::Base) {
      ASSERT_TRUE(DefinitLectureSeule(chemin, true));
    }
    const auto avant = Photo(repertoire);
    {
      auto g = Ouvre(chemin);
      ASSERT_FALSE(g->Erreur) << NomErreurMoteur(g->CodeErreurBDD);
      EXPECT_TRUE(g->IsReadOnly());
      EXPECT_EQ(g->NombrePersonnes(), 1);
      if (protection != Protection::AncienFormat) {
        // A write is refused and said so, never lost silently.
        EXPECT_FALSE(g->GetModuleBDD()->WritePerson(Personne(u"Refusée"), 2));
        EXPECT_NE(g->GetModuleBDD()->Database().DerniereErreur().find("lecture seule"), std::string::npos);
      }
    }
    EXPECT_EQ(Photo(repertoire), avant);  // no -wal, no -shm, nothing rewritten
    ASSERT_EQ(::chmod(CheminSysteme(repertoire).c_str(), 0755), 0);
    ASSERT_TRUE(DefinitLectureSeule(chemin, false));
    ASSERT_TRUE(SupprimeArborescence(repertoire));
  }
}

// A creation cut by an error or killed at any call leaves no folder, a whole one, or one that
// is recognised as unfinished and made again without a question.
TEST_F(SecuriteDossier, CreationCoupeeOuTueeAChaqueAppel) {
  for (const auto mode : {PanneAuNiemeAppel::Mode::UnSeul, PanneAuNiemeAppel::Mode::Tue}) {
    TCoupure c;
    c.mode = mode;
    c.prepare = [&] { ASSERT_TRUE(!RepertoireExiste(Repertoire()) || SupprimeArborescence(Repertoire())); };
    c.operation = [&] { return !Cree(Store())->Erreur; };
    c.estAncien = [&] {
      if (!RepertoireExiste(Repertoire())) return true;
      if (mode == PanneAuNiemeAppel::Mode::UnSeul) return false;  // a failed creation leaves nothing
      if (!Ouvre(Store())->CreationInachevee) return false;
      TInterfaceScriptee iu;
      const bool refaite = !Cree(Store(), &iu)->Erreur && !CreationInterrompue(Repertoire());
      for (const auto& ligne : iu.Journal())
        if (ligne.rfind("question:", 0) == 0) return false;
      return refaite && PersonnesDe(Store()) == 1;
    };
    c.estNouveau = [&] {
      auto g = Ouvre(Store());
      return !g->Erreur && g->NombrePersonnes() == 1 && g->GetModuleBDD()->Database().VerifieIntegrite() == "ok";
    };
    c.suivant = [](long n) { return n + 1 + n / 8; };
    EXPECT_GT(CoupeAChaqueAppel(c), 5);
  }
}

TEST_F(SecuriteDossier, NomTropLongPourRouvrirRefuseAvantToutFichier) {
  // The store's name fits under 260 characters, the longest file of the folder does not.
  const size_t longueurNom = (255 - rep.Chemin().size() - 9) / 2;
  const AnsiString nom(longueurNom, 'N');
  const AnsiString chemin = rep.Chemin() + nom + ".kya/" + nom + ".adb";
  ASSERT_LT(chemin.size(), 260u);
  EXPECT_THROW((void)Cree(chemin), ErreurKy);
  EXPECT_FALSE(RepertoireExiste(rep.Chemin() + nom + ".kya"));
  // Ten characters shorter, every file fits: created and reopened.
  const AnsiString court(longueurNom - 5, 'C');
  const AnsiString accepte = rep.Chemin() + court + ".kya/" + court + ".adb";
  ASSERT_FALSE(Cree(accepte)->Erreur);
  EXPECT_FALSE(Ouvre(accepte)->Erreur);
}

TEST_F(SecuriteDossier, NomNuDansLeRepertoireCourant) {
  char ancien[4096];
  ASSERT_NE(getcwd(ancien, sizeof ancien), nullptr);
  ASSERT_EQ(chdir(rep.Chemin().c_str()), 0);
  const AnsiString chemin = ConstruitAccesGenealogie("", "C", ".adb");
  const bool erreur = Cree(chemin)->Erreur;
  ASSERT_EQ(chdir(ancien), 0);
  EXPECT_EQ(chemin, "./C.kya/C.adb");
  EXPECT_FALSE(erreur);
  EXPECT_TRUE(FichierExiste(rep / "C.kya/C.adb"));
}

TEST_F(SecuriteDossier, CausesDEchecDistinguees) {
  // Full disk while creating: nothing left behind.
  {
    const PanneAuNiemeAppel disquePlein(1, ENOSPC, PanneAuNiemeAppel::Mode::EcrituresSuivantes);
    EXPECT_EQ(Cree(Store())->CodeErreurBDD, TErreurMoteur::DisquePlein);
  }
  EXPECT_FALSE(RepertoireExiste(Repertoire()));
  // Damaged store.
  ASSERT_FALSE(Cree(Store())->Erreur);
  const std::string fichier = CheminSysteme(Store());
  ASSERT_TRUE(AbimePage(fichier, PageRacine(fichier, "_acr_base")));
  EXPECT_EQ(Ouvre(Store())->CodeErreurBDD, TErreurMoteur::Endommagee);
  // A place we may not write: nothing created.
  ASSERT_TRUE(CreeRepertoires(rep / "Protege"));
  ASSERT_EQ(::chmod((rep / "Protege").c_str(), 0555), 0);
  EXPECT_EQ(Cree(rep / "Protege/Autre.kya/Autre.adb")->CodeErreurBDD, TErreurMoteur::LectureSeule);
  EXPECT_FALSE(RepertoireExiste(rep / "Protege/Autre.kya"));
  ASSERT_EQ(::chmod((rep / "Protege").c_str(), 0755), 0);
  // Each cause its own text, naming it (a busy folder: see the concurrence tests).
  const std::pair<TErreurMoteur, const char*> textes[] = {
      {TErreurMoteur::DisquePlein, "disque est plein"},
      {TErreurMoteur::Occupe, "déjà ouverte par un autre programme"},
      {TErreurMoteur::Endommagee, "kyb reparer"},
      {TErreurMoteur::LectureSeule, "pas le droit d'écrire"}};
  for (const auto& [code, texte] : textes) EXPECT_NE(TexteErreurBDD(code, "F").find(texte), std::string::npos) << texte;
}

}  // namespace
}  // namespace kyb::test
