// Value dictionaries: the most-recently-used rules, the global sorted list, look-ups on the folder's
// tables and the store, place parts, and the round trips of the three persistence forms.
#include <gtest/gtest.h>

#include <iterator>

#include "dictionaries/gestduplicat.h"
#include "platform/erreur.h"
#include "support/genealogie.h"

namespace kyb {
namespace {

using test::Contenu;

std::vector<UnicodeString> Globale(const TGestDupChn& d) {
  std::vector<UnicodeString> r;
  UnicodeString v;
  for (int i = 0; d.ChargeElementListeGlobale(i, v);) r.push_back(v);
  return r;
}

TEST(DictionnaireMRU, Regles) {
  TGestDupChn d;
  d.AjoutElementListeMRU(u"Maire");
  d.AjoutElementListeMRU(u"Curé");
  d.AjoutElementListeMRU(u"Maire");
  EXPECT_EQ(d.ListeMRU(), (std::vector<UnicodeString>{u"Maire", u"Curé"}));
  d.AjoutElementListeMRU(u"");
  d.AjoutElementListeMRU(u"\"Le\" Notaire");
  EXPECT_EQ(d.ListeMRU().front(), u"Le Notaire");
  for (int i = 1; i <= 25; ++i) d.AjoutElementListeMRU(u"Valeur " + AnsiVersUnicode(std::to_string(i)));
  ASSERT_EQ(d.NbElementsListeMRU(), 20);
  EXPECT_EQ(d.ListeMRU().front(), u"Valeur 25");
  EXPECT_EQ(d.ListeMRU().back(), u"Valeur 6");
  d.SuppressionElementListeMRU(0);
  d.SuppressionElementListeMRU(40);
  EXPECT_EQ(d.ListeMRU().front(), u"Valeur 24");
  int i = 19;
  UnicodeString v;
  EXPECT_FALSE(d.ChargeElementListeMRU(i, v));
  i = 0;
  ASSERT_TRUE(d.ChargeElementListeMRU(i, v));
  EXPECT_EQ(i, 1);
}

TEST(DictionnaireGlobal, ListeTrieeEtRecherches) {
  TGestDupChn d;
  const UnicodeString code12 = u"ABCDEFGHIJKL";
  for (const char* v : {"Menuisier", "charpentier", "Boulanger", "Écrivain public", "Ébéniste"})
    (void)d.AjoutElementListeGlobale(U(v));
  EXPECT_EQ(d.AjoutElementListeGlobale(u"Tailleur", &code12), 5);
  EXPECT_EQ(d.AjoutElementListeGlobaleSimple(u"Boulanger"), 0);  // already there
  EXPECT_EQ(Globale(d), (std::vector<UnicodeString>{u"Boulanger", u"charpentier", U("Ébéniste"),
                                                    U("Écrivain public"), u"Menuisier", u"Tailleur"}));
  UnicodeString valeur = u"MENUISIER", code;
  EXPECT_TRUE(d.ElementExistant(valeur, nullptr, nullptr, true));
  EXPECT_EQ(valeur, u"Menuisier");
  EXPECT_EQ(d.IndiceElement(u"ebeniste"), 2);
  // The code was kept to its first 10 characters; a typed code is cut the same way.
  const UnicodeString code10 = u"abcdefghij", autre = u"ABCDEFGHIK";
  EXPECT_EQ(d.IndiceElement(u"Tailleur", &code10), 5);
  EXPECT_EQ(d.IndiceElement(u"Tailleur", &code12), 5);
  EXPECT_EQ(d.IndiceElement(u"Tailleur", &autre), -1);
  std::vector<UnicodeString> liste;
  EXPECT_EQ(d.RechercheBDD(liste, u"e", 0), 2);
  EXPECT_EQ(liste, (std::vector<UnicodeString>{U("Ébéniste"), U("Écrivain public")}));
  EXPECT_EQ(d.RechercheBDD(liste, u"TA", 0, true), 1);
  EXPECT_EQ(liste.front(), u"Tailleur (ABCDEFGHIJ)");
  EXPECT_TRUE(d.SuppressionElementListeGlobale(1));
  EXPECT_FALSE(d.ControleElementListeGlobaleSimple(u"charpentier"));
  d.ClearElementListeGlobaleSimple();
  EXPECT_EQ(d.NbElementsListeGlobale(), 0);
}

TEST(DictionnaireLieu, PartiesEtFormat) {
  TGestDupChnLieu d;
  d.SetVilleRegion(u"Lyon", u"");
  EXPECT_EQ(d.Valeur, u"Lyon");
  d.SetVilleRegion(UnicodeString(60, u'v'), u"Rhône");
  EXPECT_EQ(d.Valeur, UnicodeString(50, u'v') + U(";Rhône"));
  d.SetVilleRegion(u"Lyon", U("Auvergne-Rhône-Alpes"));
  d.Complement = u"France;Europe";
  UnicodeString ville, region, pays;
  d.GetVilleRegionPays(ville, region, pays);
  EXPECT_EQ(ville, u"Lyon");
  EXPECT_EQ(region, U("Auvergne-Rhône-Alpes;Europe"));
  EXPECT_EQ(pays, u"France");

  struct Cas {
    const char *valeur, *code, *complement, *attendu;
  };
  const Cas cas[] = {
      {"Lyon;Auvergne-Rhône-Alpes", "69", "France", "Lyon ; 69 ; Auvergne-Rhône-Alpes ; France"},
      {"Québec;Québec", "QC", "Canada", "Québec ; Québec ; Canada"},
      {"Genève;Léman", "GE", "Suisse", "Genève ; GE ; Suisse"},
      {"Brest", "", "", "Brest"},
  };
  for (const Cas& c : cas)
    EXPECT_EQ(TGestDupChnLieu::FormatPlace(TEltDupWideChn(U(c.valeur), U(c.code), U(c.complement))), U(c.attendu));
  UnicodeString sale = u" Lyon ;; \"Rhône\" ; ";
  TGestDupChnLieu::NettoieChaine(sale);
  EXPECT_EQ(sale, U("Lyon;Rhône"));
}

class DictionnaireDossier : public ::testing::Test, protected test::TGenealogie {
 protected:
  DictionnaireDossier() : test::TGenealogie(TGestFichier::Creation(0)) {}
  TGestFichier* g = &Dossier();
  const test::RepertoireTemporaire& rep = Repertoire();
};

TEST_F(DictionnaireDossier, SurLaTableDuDossier) {
  ASSERT_FALSE(g->Erreur);
  TGestDupChn d(g->GetFicQualites());
  EXPECT_EQ(d.AjoutElementListeGlobale(u"Témoin"), 0);
  EXPECT_EQ(d.AjoutElementListeGlobale(u"Parrain"), 0);
  EXPECT_EQ(g->GetFicQualites()->NbEnreg, 2);
  EXPECT_EQ(Globale(d), (std::vector<UnicodeString>{u"Parrain", U("Témoin")}));
  EXPECT_TRUE(d.SuppressionElementListeGlobale(0));
  EXPECT_EQ(Globale(d), std::vector<UnicodeString>{U("Témoin")});
  UnicodeString v = u"PARRAIN";
  EXPECT_FALSE(d.ElementExistant(v));
}

TEST_F(DictionnaireDossier, LieuxDansLeStore) {
  TGestDupChnLieu d(g->GetFicLieux());
  for (const char* v : {"Saint-Étienne;Loire", "Saint-Denis", "Sainte-Foy", "Salon-de-Provence", "Paris"})
    ASSERT_GE(d.AjoutElementListeGlobale(U(v)), 0);
  std::vector<UnicodeString> liste;
  EXPECT_EQ(d.RechercheBDD(liste, u"saint", 20), 3);
  EXPECT_EQ(liste, (std::vector<UnicodeString>{u"Saint-Denis", U("Saint-Étienne;Loire"), u"Sainte-Foy"}));
  EXPECT_EQ(d.RechercheBDD(liste, u"SAINT-E", 20), 1);
  EXPECT_EQ(d.RechercheBDD(liste, u"sa", 2), 2);
  EXPECT_TRUE(d.ElementExistantDansBDD(u"PARIS"));
  EXPECT_FALSE(d.ElementExistantDansBDD(u"Pari"));
  ASSERT_TRUE(d.SuppressionElementListeGlobale(d.IndiceElement(u"Paris")));
  EXPECT_FALSE(d.ElementExistantDansBDD(u"Paris"));
}

TEST_F(DictionnaireDossier, ValeursDesEvenements) {
  TModuleBDD& m = *g->GetModuleBDD();
  const char* lignes[][2] = {{"PROFESSION", "Menuisier"},  {"PROFESSION", "Menuisier"},
                             {"PROFESSION", "Meunier"},    {"PROFESSION", "Marchand de vins en gros à Bordeaux"},
                             {"RESIDENCE", "Meudon"},      {"PROFESSION", "menuisier"}};
  for (const auto& l : lignes) {
    TACRQuery q(m.Database(), "INSERT INTO Evenements (LibelleChamps, Donnee, _DONNEE) VALUES (:l, :d, :k)");
    q.SetParamAnsi("l", l[0]);
    q.SetParamUnicode("d", U(l[1]));
    q.SetParamUnicode("k", U(l[1]).substr(0, 20));
    ASSERT_TRUE(q.ExecSQL());
  }
  TGestDupChn d;
  d.LieAuxEvenements(&m, "PROFESSION");
  std::vector<UnicodeString> liste;
  EXPECT_EQ(d.RechercheBDD(liste, u"Me", 0), 2);
  EXPECT_EQ(liste, (std::vector<UnicodeString>{u"Menuisier", u"Meunier"}));
  EXPECT_EQ(d.RechercheBDD(liste, u"Marchand de vins en gros", 0), 1);  // beyond the 20 of the key
  EXPECT_EQ(d.RechercheBDD(liste, u"M", 1), 1);
  EXPECT_TRUE(d.ElementExistantDansBDD(u"Meunier"));
  EXPECT_FALSE(d.ElementExistantDansBDD(u"Meudon"));  // another field
  EXPECT_FALSE(d.ElementExistantDansBDD(u"Meunie"));
}

TEST_F(DictionnaireDossier, PersistanceDuDossierMRUSeule) {
  const AnsiString chemin = g->FabriqueNomFichier(TGestFichier::tfDuplicats, 12, true);
  {
    TGestDupChn d(g->GetFicQualites());
    (void)d.AjoutElementListeGlobale(u"Témoin");
    d.AjoutElementListeMRU(u"Maire");
    ASSERT_TRUE(d.Sauvegarde(chemin));
  }
  EXPECT_EQ(Contenu(chemin), std::string("UTF-8\x01\0\0\0\x05\0\0\0Maire", 18));
  TGestDupChn d(g->GetFicQualites());
  ASSERT_TRUE(d.Restauration(chemin));
  EXPECT_EQ(d.ListeMRU(), std::vector<UnicodeString>{u"Maire"});
  EXPECT_EQ(d.NbElementsListeGlobale(), 1);
}

TEST_F(DictionnaireDossier, PersistanceSansFichierAllerRetour) {
  TGestDupChn d;
  for (const char* v : {"Menuisier", "Ébéniste", "Tonnelier"}) (void)d.AjoutElementListeGlobale(U(v));
  const UnicodeString code = u"OUV";
  (void)d.AjoutElementListeGlobale(u"Charron", &code);
  for (const char* v : {"Tonnelier", "Charron"}) d.AjoutElementListeMRU(U(v));
  const AnsiString chemin = rep / "dico.d3";
  ASSERT_TRUE(d.Sauvegarde(chemin));
  TSortieMemoire binaire;
  d.Sauvegarde(binaire);
  TFluxSortie objets;
  d.Sauvegarde(objets);
  const auto verifie = [&](const TGestDupChn& r) {
    EXPECT_EQ(r.ListeMRU(), d.ListeMRU());
    EXPECT_EQ(Globale(r), Globale(d));
    UnicodeString v, c;
    int i = 0;
    ASSERT_TRUE(r.ChargeElementListeGlobale(i, v, &c));
    EXPECT_EQ(c, u"OUV");
  };
  TGestDupChn parFichier, parFlux, parObjets;
  ASSERT_TRUE(parFichier.Restauration(chemin));
  verifie(parFichier);
  const std::string octets = binaire.Contenu();
  TEntreeMemoire entree(octets);
  ASSERT_TRUE(parFlux.Restauration(entree));
  verifie(parFlux);
  TFluxEntree entreeObjets(objets.Donnees());
  ASSERT_TRUE(parObjets.Restauration(entreeObjets));
  verifie(parObjets);
}

TEST_F(DictionnaireDossier, FichiersRefusesOuCoupes) {
  TGestDupChn d;
  (void)d.AjoutElementListeGlobale(u"Menuisier");
  (void)d.AjoutElementListeGlobale(u"Tonnelier");
  d.AjoutElementListeMRU(u"Menuisier");
  const AnsiString chemin = rep / "dico.d4";
  ASSERT_TRUE(d.Sauvegarde(chemin));
  const std::string complet = Contenu(chemin);
  for (const std::string& mauvais : {std::string("UTF-16"), std::string("utf-8xxxx"), std::string("")}) {
    test::Ecrit(chemin, mauvais);
    TGestDupChn r;
    EXPECT_THROW((void)r.Restauration(chemin), ErreurKy) << mauvais;
  }
  // Cut inside the second element: the MRU and the first element are kept.
  test::Ecrit(chemin, complet.substr(0, complet.size() - 4));
  TGestDupChn r;
  EXPECT_FALSE(r.Restauration(chemin));
  EXPECT_EQ(r.ListeMRU(), std::vector<UnicodeString>{u"Menuisier"});
  EXPECT_EQ(Globale(r), std::vector<UnicodeString>{u"Menuisier"});
  EXPECT_FALSE(r.Restauration(rep / "absent.d4"));
}

}  // namespace
}  // namespace kyb
