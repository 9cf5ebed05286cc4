// Editing a person's record card through the person object: events and their refusals, couple
// events, simple fields, tags, professions, images, the coherence flag, notes and citations.
#include <gtest/gtest.h>

#include "engine/acr_query.h"
#include "fields/csdefchps.h"
#include "platform/date_heure.h"
#include "support/genealogie.h"

namespace kyb {
namespace {

struct AvecInterface {
  TInterfaceScriptee iu;
};

class RubriquesPersonne : public ::testing::Test, protected AvecInterface, protected test::TGenealogie {
 protected:
  RubriquesPersonne() : test::TGenealogie(TGestFichier::Creation(1, &iu)) {}
  long Nouvelle(const char16_t* nom, char sexe) const { return Ajoute({nom, u"", sexe}); }
  TEvenement Even(const char* libelle, const char* date = "") const { return test::Evenement(m, {libelle, date}); }
  long LignesStockees(const char* libelle) const {
    TACRQuery q(m->Database(), "SELECT count(*) FROM Evenements WHERE LibelleChamps = :l AND NoPersA > 0");
    q.SetParamAnsi("l", libelle);
    return q.Open() ? q.Fields(0).AsInteger() : -1;
  }
  TGestFichier* g = &Dossier();
  TFicPersons* f = Personnes();
  TModuleBDD* m = Bdd();
};

const std::string kRefus = "message:Fiche|Impossible d'ajouter une nouvelle rubrique pour cette fiche.";

TEST_F(RubriquesPersonne, AjoutEvenSuitLesDefinitions) {
  const long no = Nouvelle(u"Martin", 'M');
  const long c1 = Nouvelle(u"Dupré", 'F'), c2 = Nouvelle(u"Leroy", 'F');
  Marie(no, c1);
  Marie(no, c2);
  TPerson p(f, no, true);
  struct {
    const char* libelle;
    long conjoint;
    bool accepte;
  } const cas[] = {
      {"NAISSANCE", 0, true}, {"NAISSANCE", 0, false},  // neither repeatable nor couple
      {"RESIDENCE", 0, true}, {"RESIDENCE", 0, true},   // repeatable
      {"UNION", c1, true},    {"UNION", c1, false},     // couple: once per spouse
      {"UNION", c2, true},    {"INCONNUE", 0, true},    // a label without definition: once
      {"INCONNUE", 0, false},
  };
  int attendus = 0;
  for (const auto& c : cas) {
    iu.VideJournal();
    const int avant = p.GetNbInfoEven();
    const int position = p.AjoutEven(Even(c.libelle), c.conjoint);
    EXPECT_EQ(position >= 0, c.accepte) << c.libelle << " " << c.conjoint;
    EXPECT_EQ(iu.JournalContient(kRefus), !c.accepte) << c.libelle;
    EXPECT_EQ(p.GetNbInfoEven(), avant + (c.accepte ? 1 : 0)) << c.libelle;
    attendus += c.accepte;
  }
  ASSERT_TRUE(p.Enregistrement());
  const TPerson relu(f, no, true);
  EXPECT_EQ(relu.Fiche().GetNbInfoEven(), attendus);
  // One row per union, seen by both spouses.
  EXPECT_EQ(LignesStockees("UNION"), 2);
  TPerson epouse(f, c1, true);
  ASSERT_NE(epouse.GetEvent("UNION", no), nullptr);
  EXPECT_EQ(epouse.GetEvent("UNION", no)->Enreg.NoPersA, no);
  EXPECT_EQ(TPerson(f, c2, true).CountEvents("UNION"), 1);
  // A copy of another person's event, with its source, becomes a record of its own.
  TPerson q(f, c2, true);
  TEvenement copie = p.Fiche().Evenements[static_cast<size_t>(p.GetRgEven("NAISSANCE"))].Even;
  TSourceEven source;
  source.Descriptif = u"Registre paroissial";
  ASSERT_GE(copie.AjoutSource(source), 0);
  ASSERT_TRUE(copie.Enregistrement());  // the original now has its source row
  ASSERT_GE(q.AjoutEven(copie), 0);
  ASSERT_TRUE(q.Enregistrement());
  EXPECT_EQ(LignesStockees("NAISSANCE"), 2);
  EXPECT_EQ(TPerson(f, no, true).GetEvent("NAISSANCE")->Enreg.NoPersA, no);
  EXPECT_EQ(TPerson(f, c2, true).GetEvent("NAISSANCE")->CountSource(), 1);
  EXPECT_EQ(TPerson(f, no, true).GetEvent("NAISSANCE")->CountSource(), 1);
  // The spouse cannot add a second union with the same person either.
  EXPECT_LT(epouse.AjoutEvenVierge("UNION", no), 0);
}

TEST_F(RubriquesPersonne, CopieDeLaFicheSansToucherLOriginal) {
  const long no = Nouvelle(u"Martin", 'M');
  TPerson p(f, no, true);
  ASSERT_GE(p.AjoutEven(Even("NAISSANCE", "14/07/1820")), 0);
  ASSERT_TRUE(p.SetValeurChpsSimple("TELEPHONE", u"01"));
  ASSERT_TRUE(p.Enregistrement());
  ASSERT_FALSE(p.RetourneIdPers(true).empty());
  const long copie = Nouvelle(u"Martin", 'M');
  TPerson c(f, copie, true);
  TPerson original(f, no, true);
  c.CopyChamps(original);
  ASSERT_TRUE(c.Enregistrement());
  EXPECT_EQ(LignesStockees("NAISSANCE"), 2);  // a record of its own; the original stays its person's
  EXPECT_EQ(TPerson(f, no, true).GetEvent("NAISSANCE")->Enreg.NoPersA, no);
  TPerson r(f, copie, true);
  EXPECT_EQ(r.ValeursChpsSimple("TELEPHONE"), std::vector<UnicodeString>{u"01"});
  EXPECT_EQ(r.RetourneIdPers(), "");  // the identifier stays with its person
}

TEST_F(RubriquesPersonne, ModifierEtSupprimerDesEvenements) {
  const long no = Nouvelle(u"Martin", 'M');
  TPerson p(f, no, true);
  ASSERT_GE(p.AjoutEven(Even("NAISSANCE", "14/07/1820")), 0);
  ASSERT_GE(p.AjoutEven(Even("RESIDENCE", "../../1840")), 0);
  ASSERT_GE(p.AjoutEven(Even("RESIDENCE", "../../1850")), 0);
  ASSERT_TRUE(p.Enregistrement());

  TPerson q(f, no, true);
  EXPECT_EQ(q.CountEvents("RESIDENCE"), 2);
  // The birth becomes a baptism: the card is sorted again and the row is the same one.
  const int rg = q.GetRgEven("NAISSANCE");
  const long id = q.EvenNo(rg)->Enreg.ID;
  TEvenement bapteme = Even("BAPTEME", "15/07/1820");
  const int nouveau = q.MajEvenNo(rg, bapteme);
  ASSERT_GE(nouveau, 0);
  EXPECT_EQ(q.EvenNo(nouveau)->Enreg.ID, id);
  EXPECT_EQ(q.GetRgEvenByID(id), nouveau);
  EXPECT_FALSE(q.IsExistEven("NAISSANCE"));
  EXPECT_EQ(q.SupprimeEvenement("RESIDENCE"), 2);
  EXPECT_EQ(q.EvenNo(q.GetNbInfoEven()), nullptr);
  ASSERT_TRUE(q.Enregistrement());

  TPerson r(f, no, true);
  ASSERT_EQ(r.GetNbInfoEven(), 1);
  EXPECT_EQ(r.EvenNo(0)->Enreg.LibelleChamps, "BAPTEME");
  EXPECT_EQ(r.EvenNo(0)->Enreg.ID, id);
  EXPECT_EQ(LignesStockees("RESIDENCE"), 0);
  // The baptism stands for the birth; the birth itself is absent.
  EXPECT_EQ(r.GetEvenNaissance(), r.EvenNo(0));
  EXPECT_EQ(r.RetEvenNaissance(), nullptr);
  EXPECT_EQ(r.GetEvenOuEquivalent("NAISSANCE"), r.EvenNo(0));
}

TEST_F(RubriquesPersonne, ChampsSimplesMarqueursEtProfessions) {
  const long no = Nouvelle(u"Martin", 'F');
  TPerson p(f, no, true);
  EXPECT_FALSE(p.HasInfoContact());
  EXPECT_TRUE(p.SetValeurChpsSimple("TELEPHONE", u"01 23 45 67 89"));
  EXPECT_TRUE(p.SetValeurChpsSimple("TELEPHONE", u"02 00 00 00 00"));  // changed, not added
  EXPECT_EQ(p.ValeursChpsSimple("TELEPHONE"), std::vector<UnicodeString>{u"02 00 00 00 00"});
  TChpsSimple second(m);
  second.SetLibelle("TELEPHONE");
  second.SetDonnee(u"03");
  iu.VideJournal();
  EXPECT_LT(p.AjoutChpsSimple(second), 0);  // not repeatable
  EXPECT_TRUE(iu.JournalContient(kRefus));
  EXPECT_TRUE(p.HasInfoContact());
  ASSERT_GE(p.AjoutChpsSimpleVierge("EMAIL"), 0);  // repeatable; an empty one is no address
  EXPECT_TRUE(p.SetValeurChpsSimple("EMAIL", u" marie@exemple.fr "));
  EXPECT_EQ(p.GetEmail(), u"marie@exemple.fr");

  EXPECT_TRUE(p.AddTag(u"Cousins"));
  EXPECT_TRUE(p.AddTag(u"Bretagne"));
  EXPECT_FALSE(p.AddTag(u"cousins "));  // same tag, other case
  EXPECT_TRUE(p.RemoveTag(u"COUSINS"));

  EXPECT_GE(p.AjouteProfession(u"Forgeron"), 0);
  EXPECT_GE(p.AjouteProfession(u"Maréchal-ferrant"), 0);
  EXPECT_LT(p.AjouteProfession(u"forgeron"), 0);
  EXPECT_LT(p.AjouteProfession(u"  "), 0);
  ASSERT_TRUE(p.Enregistrement());

  TPerson r(f, no, true);
  EXPECT_EQ(r.ChargeProfessions().size(), std::u16string(u"Forgeron, Maréchal-ferrant").size());
  EXPECT_TRUE(r.SuppressionProfession(u"FORGERON"));
  EXPECT_EQ(r.ChargeProfessions(), u"Maréchal-ferrant");
  EXPECT_EQ(r.GetListTag(), std::vector<UnicodeString>{u"Bretagne"});
  EXPECT_EQ(r.GetEmail(), u"marie@exemple.fr");
  EXPECT_TRUE(r.SetValeurChpsSimple("TELEPHONE", u""));  // an empty datum removes it
  EXPECT_FALSE(r.IsExistChpsSimple("TELEPHONE"));
  ASSERT_TRUE(r.Enregistrement());
  EXPECT_FALSE(TPerson(f, no, true).IsExistChpsSimple("TELEPHONE"));
}

TEST_F(RubriquesPersonne, ImagesCoherenceEtTampons) {
  const long no = Nouvelle(u"Martin", 'M');
  TPerson p(f, no, true);
  EXPECT_EQ(p.CheminImagePrioritaire(), kImageParDefaut);
  ASSERT_GE(p.AddImage("a.jpg"), 0);
  ASSERT_GE(p.AddImage("b.jpg"), 0);
  EXPECT_TRUE(p.SetImageAsDefault("b.jpg"));
  EXPECT_FALSE(p.SetImageAsDefault("c.jpg"));
  ASSERT_TRUE(p.Enregistrement());
  TPerson r(f, no, true);
  EXPECT_EQ(r.CheminImagePrioritaire(), g->GetDirImages() + "b.jpg");
  ASSERT_GE(r.AddPortrait("/photos/c.jpg"), 0);
  EXPECT_EQ(r.CheminImagePrioritaire(), "/photos/c.jpg");

  // The coherence flag and its definition.
  EXPECT_FALSE(r.CoherenceValideManuellement());
  EXPECT_TRUE(r.ChangeValidationCoherence(true));

  // Stamps: the creation date stays, the modification date follows.
  {
    const HorlogeFixee horloge(EncodeDate(2024, 3, 5) + EncodeHeure(14, 7, 9));
    r.MajDateJourDDMF_DCF();
  }
  {
    const HorlogeFixee horloge(EncodeDate(2025, 12, 31) + EncodeHeure(23, 59, 0));
    r.MajDateJourDDMF_DCF();
    r.MajDateJourDDNOTIF();
  }
  ASSERT_TRUE(r.Enregistrement());
  TPerson s(f, no, true);
  EXPECT_TRUE(s.CoherenceValideManuellement());
  EXPECT_EQ(s.ValeursChpsSimple("DCF"), std::vector<UnicodeString>{u"05/03/2024 14:07:09"});
  EXPECT_EQ(s.ValeursChpsSimple("DDMF"), std::vector<UnicodeString>{u"31/12/2025 23:59:00"});
  EXPECT_EQ(s.ValeursChpsSimple("DDNOTIF"), std::vector<UnicodeString>{u"31/12/2025 23:59:00"});
  EXPECT_TRUE(s.ChangeValidationCoherence(false));
  EXPECT_FALSE(s.CoherenceValideManuellement());
}

TEST_F(RubriquesPersonne, TextesAffiches) {
  const long no = Nouvelle(u"Martin", 'F');
  TPerson p(f, no, true);
  p.SetPrenoms(u"Jeanne");
  TEvenement naissance = Even("NAISSANCE", "14/07/1820");
  naissance.SetLieuDit(u"Saint-Sever");
  ASSERT_GE(p.AjoutEven(naissance), 0);
  ASSERT_GE(p.AjoutEven(Even("DECES", "../../1880")), 0);
  EXPECT_EQ(p.ChargeNomPrenom(), u"Martin Jeanne");
  EXPECT_EQ(p.ChargeSexe(), u"Féminin");
  EXPECT_EQ(p.ChargeEven("NAISSANCE"), u"le 14 juillet 1820 (Saint-Sever)");
  EXPECT_EQ(p.InfoLigne(), u"Martin Jeanne, née le 14 juillet 1820 (Saint-Sever), décédée en 1880");
  EXPECT_EQ(p.InfoLigneAllege(), u"Martin Jeanne (1820-1880)");
  EXPECT_EQ(p.InfoNaisDecSymb(), u"° 1820 - + 1880");
  EXPECT_EQ(p.ChargeChamps("###FORME###"), u"Madame");
  EXPECT_EQ(p.ChargeChamps("NAIS#_EQ"), p.ChargeEven("NAISSANCE"));
  EXPECT_EQ(p.ChargeChamps("DEC#_EQ"), u"en 1880");
  EXPECT_EQ(p.ChargeChamps("NOM"), u"Martin");
  EXPECT_EQ(p.GetStateEvent("NAISSANCE"), 3);
  EXPECT_EQ(p.GetStateEvent("DECES"), 2);
  EXPECT_EQ(p.GetStateEvent("BAPTEME"), 0);
  EXPECT_EQ(p.ChargeRubrique(p.GetRgEven("DECES")), u"Décès : en 1880");
  // A dead person has no age today.
  EXPECT_EQ(p.GetAgeAujourdhui(), u"");
}

TEST_F(RubriquesPersonne, Ages) {
  const long no = Nouvelle(u"Martin", 'M');
  const long epouse = Nouvelle(u"Dupré", 'F');
  Marie(no, epouse);
  TPerson p(f, no, true);
  ASSERT_GE(p.AjoutEven(Even("NAISSANCE", "15/06/1980")), 0);
  TEvenement mariage = Even("UNION", "14/06/2005");
  ASSERT_GE(p.AjoutEven(mariage, epouse), 0);
  struct {
    int annee, mois, jour;
    const char16_t* age;
  } const cas[] = {{2020, 6, 14, u"39 ans"}, {2020, 6, 15, u"40 ans"}, {1981, 6, 15, u"1 an"}, {1980, 6, 15, u"0 an"}};
  for (const auto& c : cas) {
    const HorlogeFixee horloge(EncodeDate(c.annee, c.mois, c.jour));
    EXPECT_EQ(p.GetAgeAujourdhui(), c.age) << c.annee << "-" << c.mois << "-" << c.jour;
    EXPECT_EQ(p.GetAgeAujourdhuiEstime(), c.age);
  }
  EXPECT_EQ(p.GetAgesLorsDesUnions(), std::vector<UnicodeString>{u"24 ans"});
  // Known to the year only: an estimate.
  p.GetEvent("NAISSANCE")->Enreg.Date = TDateKY('G', "../../1980");
  const HorlogeFixee horloge(EncodeDate(2020, 1, 1));
  EXPECT_EQ(p.GetAgeAujourdhui(), u"");
  EXPECT_EQ(p.GetAgeAujourdhuiEstime(), u"40 ans environ");
  EXPECT_EQ(p.GetAgesLorsDesUnions(), std::vector<UnicodeString>{u"25 ans environ"});
}

TEST_F(RubriquesPersonne, NoteEtCitations) {
  const long no = Nouvelle(u"Martin", 'M');
  const long autre = Nouvelle(u"Dupré", 'F');
  TPerson p(f, no);
  ASSERT_TRUE(p.SetNote("Biographie", "Forgeron du village."));
  EXPECT_GT(p.Public.Note, 0);
  ASSERT_TRUE(p.Enregistrement());
  TPerson r(f, no);
  EXPECT_EQ(r.ChargeNote(), std::vector<AnsiString>{"Biographie : Forgeron du village."});
  ASSERT_TRUE(r.SetNote("Biographie", ""));
  EXPECT_TRUE(r.ChargeNote().empty());

  // The birth of the other person cites this one.
  Cite(autre, {"NAISSANCE", "02/02/1850"}, {no});
  const long id = TPerson(f, autre, true).GetEvent("NAISSANCE")->Enreg.ID;
  EXPECT_EQ(r.GetCitations(), std::vector<long>{id});
  EXPECT_TRUE(TPerson(f, autre).GetCitations().empty());  // its own events are no citations
  const std::vector<UnicodeString> lignes = r.ChargeCitations();
  ASSERT_EQ(lignes.size(), 1u);
  EXPECT_EQ(lignes[0], u"Naissance de Dupré (" + Utf8VersUnicode(std::to_string(autre)) + u") : le 2 février 1850");
}

TEST_F(RubriquesPersonne, RienSurUnDossierEnLectureSeule) {
  const long no = Nouvelle(u"Martin", 'M');
  Ouvre(TGestFichier::OuvertureLectureSeule());
  TPerson p = Personne(no, true);
  ASSERT_GE(p.AjoutEven(test::Evenement(Bdd(), {"NAISSANCE", "01/01/1900"})), 0);  // in memory only
  EXPECT_FALSE(p.Enregistrement());
  EXPECT_FALSE(p.SetNote("Biographie", "x"));
  EXPECT_LT(p.AjoutChpsSimpleImmediatDisque("ADRVILLE", u"Rennes"), 0);
  EXPECT_FALSE(p.IsExistChpsSimple("ADRVILLE"));  // the card is as before
  EXPECT_FALSE(Personne(no, true).IsExistEven("NAISSANCE"));
}

}  // namespace
}  // namespace kyb
