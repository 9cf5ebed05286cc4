// Object stream, settings, logger, thread names, timed mutex, resources and scripted interface.
#include <gtest/gtest.h>

#include <thread>

#include "platform/date_heure.h"
#include "platform/flux_objets.h"
#include "platform/interface_utilisateur.h"
#include "platform/journal.h"
#include "platform/parametres.h"
#include "platform/ressources.h"
#include "platform/thread_nom.h"
#include "platform/verrou.h"
#include "support/support.h"

namespace kyb {
namespace {

class TNoeud : public TObjetFlux {
 public:
  const char* NomClasse() const override { return "TNoeud"; }
  int32_t Version() const override { return 2; }
  void Ecrit(TFluxSortie& f) const override {
    f.EcritEntier32(valeur);
    f.EcritChaineUnicode(nom);
    f.EcritPointeur(suivant);
  }
  void Lit(TFluxEntree& f, int32_t version) override {
    versionLue = version;
    valeur = f.LitEntier32();
    nom = f.LitChaineUnicode();
    suivant = static_cast<TNoeud*>(f.LitPointeur());
  }
  int32_t valeur = 0;
  int32_t versionLue = 0;
  UnicodeString nom;
  TNoeud* suivant = nullptr;
};

TEST(FluxObjets, PointeursPartagesEtCycles) {
  TRegistreClasses registre;
  registre.Enregistre("TNoeud", [] { return std::make_unique<TNoeud>(); });
  TNoeud a, b;
  a.valeur = 1;
  a.nom = u"Émile";
  b.valeur = -2;
  a.suivant = &b;
  b.suivant = &a;  // cycle
  TFluxSortie sortie;
  sortie.EcritChaine("en-tête");
  sortie.EcritPointeur(&a);
  sortie.EcritPointeur(&b);  // already written: a reference
  sortie.EcritPointeur(nullptr);
  sortie.EcritDouble(1.5);

  TFluxEntree entree(sortie.Donnees(), registre);
  EXPECT_EQ(entree.LitChaine(), "en-tête");
  auto* lu = static_cast<TNoeud*>(entree.LitPointeur());
  ASSERT_NE(lu, nullptr);
  EXPECT_EQ(lu->versionLue, 2);
  EXPECT_EQ(lu->nom, u"Émile");
  ASSERT_NE(lu->suivant, nullptr);
  EXPECT_EQ(lu->suivant->valeur, -2);
  EXPECT_EQ(lu->suivant->suivant, lu);
  EXPECT_EQ(entree.LitPointeur(), lu->suivant);
  EXPECT_EQ(entree.LitPointeur(), nullptr);
  EXPECT_EQ(entree.LitDouble(), 1.5);
  EXPECT_FALSE(entree.Echec());
  EXPECT_NE(entree.Adopte(lu), nullptr);
}

TEST(FluxObjets, DonneesAbimeesMettentEnEchec) {
  TRegistreClasses registre;
  registre.Enregistre("TNoeud", [] { return std::make_unique<TNoeud>(); });
  TFluxSortie sortie;
  TNoeud a;
  sortie.EcritPointeur(&a);
  const std::string& d = sortie.Donnees();
  for (size_t coupe = 0; coupe < d.size(); ++coupe) {
    TFluxEntree entree(std::string_view(d).substr(0, coupe), registre);
    EXPECT_EQ(entree.LitPointeur(), nullptr);
    EXPECT_TRUE(entree.Echec());
  }
  const std::string enorme("\xff\xff\xff\x7f", 4);  // length far beyond the data
  TFluxEntree e1(enorme, registre);
  EXPECT_TRUE(e1.LitChaine().empty());
  EXPECT_TRUE(e1.Echec());
  const std::string referenceVide("\x02\x05\x00\x00\x00", 5);
  TFluxEntree e2(referenceVide, registre);  // reference to nothing
  EXPECT_EQ(e2.LitPointeur(), nullptr);
  EXPECT_TRUE(e2.Echec());
  TFluxSortie inconnue;
  inconnue.EcritOctet(1);
  inconnue.EcritChaine("TAutre");
  TFluxEntree e3(inconnue.Donnees(), registre);
  EXPECT_EQ(e3.LitPointeur(), nullptr);
  EXPECT_TRUE(e3.Echec());
}

TEST(Parametres, LectureEcritureEtFichier) {
  test::RepertoireTemporaire rep;
  {
    TParametres p(rep / "conf/kybase.ini");
    EXPECT_EQ(p.LitTexte("Chemins", "Structure", "défaut"), "défaut");
    p.EcritTexte("Chemins", "Structure", "/srv/structure.dch");
    p.EcritEntier("Fenetre", "Largeur", 800);
    p.EcritTexte("Divers", "Multi", "a\nb");
    ASSERT_TRUE(p.Sauvegarde());
  }
  const TParametres relu(rep / "conf/kybase.ini");
  EXPECT_EQ(relu.LitTexte("Chemins", "Structure"), "/srv/structure.dch");
  EXPECT_EQ(relu.LitEntier("Fenetre", "Largeur", 0), 800);
  EXPECT_EQ(relu.LitEntier("Chemins", "Structure", -1), -1);
  EXPECT_EQ(relu.LitTexte("Divers", "Multi"), "a b");
}

TEST(Journal, LignesHorodateesParCanal) {
  test::RepertoireTemporaire rep;
  DefinitRepertoireJournaux(rep / "logs");
  const HorlogeFixee horloge(EncodeDate(2026, 12, 5) + 0.5);
  NommeThreadPrincipal();
  AjouteJournal("LogBDD.log", "Erreur|NamneBDD:AccuracerBDD_1");
  AjouteJournal("LOG_BACKUP", "OpenDataBase x.adb");
  EXPECT_EQ(LignesJournal("LogBDD.log"),
            std::vector<std::string>{"05/12/2026 12:00:00 [ThreadPrincipale] Erreur|NamneBDD:AccuracerBDD_1"});
  EXPECT_EQ(LignesJournal("LOG_BACKUP").size(), 1u);
  DefinitRepertoireJournaux("");
}

TEST(Threads, NomsEtVerrouAttenteBornee) {
  NommeThreadPrincipal();
  EXPECT_TRUE(EstThreadPrincipal());
  const unsigned long idPrincipal = IdThread();
  EXPECT_NE(idPrincipal, 0u);
  TVerrou verrou;
  ASSERT_TRUE(verrou.Prend());
  bool obtenu = true;
  bool principal = true;
  unsigned long idOuvrier = idPrincipal;
  std::thread ouvrier([&] {
    NommeThread("Geolocalisation");
    principal = EstThreadPrincipal();
    idOuvrier = IdThread();
    const TVerrouTenu tenu(verrou, std::chrono::milliseconds(20));
    obtenu = tenu.Tenu();
  });
  ouvrier.join();
  verrou.Rend();
  EXPECT_FALSE(obtenu);
  EXPECT_FALSE(principal);
  EXPECT_NE(idOuvrier, idPrincipal);
  const TVerrouTenu tenu(verrou);
  EXPECT_TRUE(tenu.Tenu());
}

TEST(Ressources, NumerosUniquesEtTextesDuDossier) {
  const auto toutes = ToutesLesRessources();
  for (size_t i = 1; i < toutes.size(); ++i)
    EXPECT_LT(toutes[i - 1].numero, toutes[i].numero) << "numéro en double : " << toutes[i].numero;
  EXPECT_EQ(ChargeChaineUtf8(6201), "Création d'un dossier généalogique");
  EXPECT_EQ(ChargeChaineAnsi(6201), A("Création d'un dossier généalogique"));
  EXPECT_TRUE(ChargeChaine(-1).empty());
  EXPECT_FALSE(RessourceExiste(999999));
}

TEST(Interface, ProgressionEtQuestionsScriptees) {
  TInterfaceScriptee iu;
  iu.Reponses().push_back(kReponseNon);
  {
    TProgression p(&iu, u"Fermeture du dossier généalogique...", 19);
    p.Texte(u"Fermeture de la base de données...");
    p.Avance();
    EXPECT_EQ(iu.Question(u"T", u"Q ?", kBoutonOui | kBoutonNon | kBoutonAnnuler, kReponseOui), kReponseNon);
    EXPECT_EQ(iu.Question(u"T", u"Q ?", kBoutonOui | kBoutonNon, kReponseOui), kReponseOui);
  }
  EXPECT_EQ(iu.Journal(), (std::vector<std::string>{
                              "ouvre:Fermeture du dossier généalogique...", "max:19",
                              "texte:Fermeture de la base de données...", "position:1",
                              "question:T|Q ?", "question:T|Q ?", "ferme"}));
  TProgression rien(nullptr, u"x");
  rien.Avance(3);
  EXPECT_FALSE(rien.Visible());
  TInterfaceSilencieuse silence;
  EXPECT_EQ(silence.Question(u"", u"", kBoutonOui, kReponseAnnuler), kReponseAnnuler);
}

}  // namespace
}  // namespace kyb
