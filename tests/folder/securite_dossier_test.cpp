// A genealogy folder is never lost nor altered behind the user's back: read-only folders,
// creations cut at any point, names too long to reopen, bare names, the causes of failure.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <map>

#include "dossier_ancien.h"
#include "folder/gest_fic.h"
#include "folder/securite_dossier.h"
#include "platform/erreur.h"
#include "platform/thread_nom.h"
#include "store/datamodulebdd.h"
#include "support/dommages.h"
#include "support/support.h"

namespace kyb::test {
namespace {

std::unique_ptr<TGestFichier> Cree(const AnsiString& chemin, TInterfaceUtilisateur* iu = nullptr) {
  return std::make_unique<TGestFichier>(chemin, TGestFichier::TOptionsOuverture{.Creer = true, .SansProgression = false, .PremierePersonne = 1, .Proprietaire = iu});
}

std::unique_ptr<TGestFichier> Ouvre(const AnsiString& chemin) {
  return std::make_unique<TGestFichier>(chemin, TGestFichier::TOptionsOuverture{.SansProgression = false});
}

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

class SecuriteDossier : public ::testing::Test {
 protected:
  SecuriteDossier() { NommeThreadPrincipal(); }
  AnsiString Chemin() const { return rep / "Famille.kya/Famille.adb"; }
  AnsiString Repertoire() const { return rep / "Famille.kya"; }
  RepertoireTemporaire rep;
};

TEST_F(SecuriteDossier, DossierProtegeOuvertEnLectureSeuleSansRienCreer) {
  enum class Protection { Repertoire, Base, AncienFormat };
  for (const Protection protection : {Protection::Repertoire, Protection::Base, Protection::AncienFormat}) {
    SCOPED_TRACE(static_cast<int>(protection));
    AnsiString chemin = Chemin();
    if (protection == Protection::AncienFormat) {
      TEnregPublic p;
      p.Nom = u"Ancien";
      chemin = CreeDossierAncien(rep.Chemin(), {p});
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
        TEnregPublic p;
        p.Nom = u"Refusée";
        EXPECT_FALSE(g->GetModuleBDD()->WritePerson(p, 2));
        EXPECT_NE(g->GetModuleBDD()->Database().DerniereErreur().find("lecture seule"), std::string::npos);
      }
      EXPECT_EQ(Photo(repertoire), avant);  // no -wal, no -shm, nothing rewritten
    }
    EXPECT_EQ(Photo(repertoire), avant);
    ASSERT_EQ(::chmod(CheminSysteme(repertoire).c_str(), 0755), 0);
    ASSERT_TRUE(DefinitLectureSeule(chemin, false));
    ASSERT_TRUE(SupprimeArborescence(repertoire));
  }
}

TEST_F(SecuriteDossier, CreationCoupeeAChaqueAppelNeLaisseRienOuUnDossierComplet) {
  long pannes = 0;
  for (long n = 1;; n += 1 + n / 8) {
    bool erreur = false, atteinte = false;
    {
      const PanneAuNiemeAppel panne(n, n % 2 ? ENOSPC : EIO);
      erreur = Cree(Chemin())->Erreur;
      atteinte = PanneAuNiemeAppel::Atteinte();
    }
    if (erreur) {
      EXPECT_FALSE(RepertoireExiste(Repertoire())) << n;  // a failed creation leaves nothing
    } else {
      auto g = Ouvre(Chemin());
      ASSERT_FALSE(g->Erreur) << n;
      EXPECT_EQ(g->NombrePersonnes(), 1) << n;
      EXPECT_EQ(g->GetModuleBDD()->Database().VerifieIntegrite(), "ok") << n;
    }
    ASSERT_TRUE(!RepertoireExiste(Repertoire()) || SupprimeArborescence(Repertoire()));
    if (!atteinte) {
      EXPECT_FALSE(erreur);
      break;
    }
    ++pannes;
  }
  EXPECT_GT(pannes, 5);
}

TEST_F(SecuriteDossier, CreationTueeRecommenceeSansQuestion) {
  for (int essai = 0; essai < 6; ++essai) {
    const pid_t enfant = fork();
    ASSERT_GE(enfant, 0);
    if (enfant == 0) {
      (void)Cree(Chemin());
      _exit(0);
    }
    usleep(3000 * essai);
    kill(enfant, SIGKILL);
    int statut = 0;
    waitpid(enfant, &statut, 0);
    if (RepertoireExiste(Repertoire())) {
      auto g = Ouvre(Chemin());
      // A folder cut during its creation is recognised, never taken for a genealogy.
      if (g->Erreur) EXPECT_TRUE(g->CreationInachevee) << essai;
      else EXPECT_EQ(g->NombrePersonnes(), 1) << essai;
      const bool inacheve = g->CreationInachevee;
      g.reset();
      if (inacheve) {
        TInterfaceScriptee iu;
        auto nouveau = Cree(Chemin(), &iu);
        EXPECT_FALSE(nouveau->Erreur) << essai;
        EXPECT_FALSE(CreationInterrompue(Repertoire()));
        for (const auto& ligne : iu.Journal()) EXPECT_EQ(ligne.find("question:"), std::string::npos) << ligne;
      }
    }
    ASSERT_TRUE(!RepertoireExiste(Repertoire()) || SupprimeArborescence(Repertoire()));
  }
}

TEST_F(SecuriteDossier, CreationInterrompueReconnueEtRefaite) {
  ASSERT_FALSE(Cree(Chemin())->Erreur);
  ASSERT_TRUE(PoseMarqueCreation(Repertoire()));
  auto g = Ouvre(Chemin());
  EXPECT_TRUE(g->Erreur);
  EXPECT_TRUE(g->CreationInachevee);
  g.reset();
  TInterfaceScriptee iu;
  auto nouveau = Cree(Chemin(), &iu);
  EXPECT_FALSE(nouveau->Erreur);
  EXPECT_EQ(nouveau->ReponseNomExistant, 0);
  EXPECT_FALSE(CreationInterrompue(Repertoire()));
}

TEST_F(SecuriteDossier, NomTropLongPourRouvrirRefuseAvantToutFichier) {
  // The store's name fits under 260 characters, the longest file of the folder does not.
  const size_t base = rep.Chemin().size();
  const size_t longueurNom = (255 - base - 9) / 2;
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
  EXPECT_EQ(chemin, "./C.kya/C.adb");
  const bool erreur = Cree(chemin)->Erreur;
  const bool ici = FichierExiste(rep / "C.kya/C.adb");
  EXPECT_EQ(TGestFichier("C.adb").FabriqueNomFichier(TGestFichier::tfBaseDonnees), "./C.adb");
  ASSERT_EQ(chdir(ancien), 0);
  EXPECT_FALSE(erreur);
  EXPECT_TRUE(ici);
}

TEST_F(SecuriteDossier, QuatreCausesQuatreMessages) {
  std::map<TErreurMoteur, std::string> messages;
  // Full disk while creating: nothing left behind.
  {
    const PanneAuNiemeAppel disquePlein(1, ENOSPC, PanneAuNiemeAppel::Mode::EcrituresSuivantes);
    auto g = Cree(Chemin());
    EXPECT_TRUE(g->Erreur);
    messages[g->CodeErreurBDD] = TexteErreurBDD(g->CodeErreurBDD, "F");
    EXPECT_EQ(g->CodeErreurBDD, TErreurMoteur::DisquePlein);
  }
  EXPECT_FALSE(RepertoireExiste(Repertoire()));
  // Already opened by another program.
  {
    auto premier = Cree(Chemin());
    ASSERT_FALSE(premier->Erreur);
    auto second = Ouvre(Chemin());
    EXPECT_TRUE(second->Erreur);
    EXPECT_EQ(second->CodeErreurBDD, TErreurMoteur::Occupe);
    messages[second->CodeErreurBDD] = TexteErreurBDD(second->CodeErreurBDD, "F");
  }
  // Damaged store.
  {
    const std::string fichier = CheminSysteme(Chemin());
    ASSERT_TRUE(AbimePage(fichier, PageRacine(fichier, "_acr_base")));
    auto g = Ouvre(Chemin());
    EXPECT_TRUE(g->Erreur);
    EXPECT_EQ(g->CodeErreurBDD, TErreurMoteur::Endommagee);
    messages[g->CodeErreurBDD] = TexteErreurBDD(g->CodeErreurBDD, "F");
  }
  // A place we may not write: nothing created.
  {
    ASSERT_TRUE(CreeRepertoires(rep / "Protege"));
    ASSERT_EQ(::chmod((rep / "Protege").c_str(), 0555), 0);
    auto g = Cree(rep / "Protege/Autre.kya/Autre.adb");
    EXPECT_TRUE(g->Erreur);
    EXPECT_EQ(g->CodeErreurBDD, TErreurMoteur::LectureSeule);
    EXPECT_FALSE(RepertoireExiste(rep / "Protege/Autre.kya"));
    messages[g->CodeErreurBDD] = TexteErreurBDD(g->CodeErreurBDD, "F");
    ASSERT_EQ(::chmod((rep / "Protege").c_str(), 0755), 0);
  }
  EXPECT_NE(messages[TErreurMoteur::DisquePlein].find("disque est plein"), std::string::npos);
  EXPECT_NE(messages[TErreurMoteur::Occupe].find("déjà ouverte par un autre programme"), std::string::npos);
  EXPECT_NE(messages[TErreurMoteur::Endommagee].find("endommagée"), std::string::npos);
  EXPECT_NE(messages[TErreurMoteur::Endommagee].find("kyb reparer"), std::string::npos);
  EXPECT_NE(messages[TErreurMoteur::LectureSeule].find("pas le droit d'écrire"), std::string::npos);
}

}  // namespace
}  // namespace kyb::test
