#include <thread>

#include "platform/thread_nom.h"
#include "store/chps_personne.h"
#include "store_fixture.h"
#include "support/dommages.h"

namespace kyb::test {
namespace {

class Evenements : public Magasin {
 protected:
  void SetUp() override {
    NommeThreadPrincipal();
    Magasin::SetUp();
    // Ten places in the store's place table.
    for (long i = 1; i <= 10; ++i) {
      TLieuBDD l;
      l.Chn1 = u"Lieu " + AnsiVersUnicode(std::to_string(i));
      ASSERT_TRUE(module->WritePlace(i, l));
    }
  }

  TEvenement Even(const char* libelle, long noPers, const char* date, long conjoint = 0) {
    TEvenement e(module.get());
    e.NouvelleFiche();
    e.SetLibelle(libelle);
    e.Enreg.NoPersA = static_cast<int32_t>(noPers);
    e.Enreg.NoPersB = static_cast<int32_t>(conjoint);
    e.Enreg.Date = TDateKY('G', date);
    return e;
  }

  long Compte(const std::string& sql) {
    TACRQuery q(module->Database(), sql);
    return q.Open() && !q.Eof() ? q.Fields(0).AsInteger() : -1;
  }

  std::map<long, long> Cherche(const TFilterEvent& f) {
    std::map<long, long> r;
    EXPECT_TRUE(module->SearchEven(r, f));
    return r;
  }
};

TEST_F(Evenements, EcritureEtRelectureDeChaqueColonne) {
  TEvenement e = Even("NAISSANCE", 3, "12/03/1850");
  e.Enreg.Date.SetActe("~");
  e.SetDonnee(u"  Né à la ferme de l'Étang, hameau des Prés  ");
  e.Enreg.Lieu = 4;
  e.SetLieuDit(u"Les Granges");
  e.Enreg.Note = 2;
  e.Enreg.NoIllustrationParDefaut = -1;
  ASSERT_TRUE(module->EnregistrementEven(e));
  ASSERT_GT(e.Enreg.ID, 0);
  TEvenement relu(module.get(), e.Enreg.ID);
  EXPECT_TRUE(relu == e);
  EXPECT_EQ(relu.Enreg.Date.GetActe(), "~");
  EXPECT_EQ(relu.Enreg.Date.GetCalendrier(), 'G');
  EXPECT_EQ(relu.Enreg.RangA, 1);
  // Derived columns: the trimmed datum cut to 20 characters, the date packed yyyymmdd.
  TACRQuery q(module->Database(), "SELECT _DONNEE, _DATE, Type FROM Evenements WHERE ID = :id");
  q.SetParamInteger("id", e.Enreg.ID);
  ASSERT_TRUE(q.Open());
  EXPECT_EQ(q.Fields(0).AsUnicodeString(), U("Né à la ferme de l'É"));
  EXPECT_EQ(q.Fields(1).AsInteger(), 18500312);
  EXPECT_EQ(q.Fields(2).AsInteger(), 0);
  // An identifier that is not an event reads nothing and flags the error.
  TEvenement absent(module.get());
  EXPECT_FALSE(absent.Lecture(9999));
  EXPECT_TRUE(absent.ErreurLecture());
  absent.RAZErreurLecture();
  EXPECT_FALSE(absent.ErreurLecture());
}

TEST_F(Evenements, DateTriableDesFormesStockees) {
  const struct {
    char calendrier;
    const char* texte;
    int32_t attendu;
  } cas[] = {{'G', "12/03/1850", 18500312}, {'G', "../03/1850", 18500301}, {'G', "../../1850", 18500101},
             {'G', "1750/1760", 17500101},  {'G', "..../1760", 17600101}, {'G', "../../....", 0},
             {'G', "", 0},                  {'R', "01/PLUV/12", 18040122}, {'A', "01/01/0044", 0},
             {'G', "32-13-1850", 0}};
  for (const auto& c : cas) EXPECT_EQ(DateTriable(TDateKY(c.calendrier, c.texte)), c.attendu) << c.texte;
}

TEST_F(Evenements, FiltreParAnneeEtDonneeAvecApostrophe) {
  TEvenement a = Even("NAISSANCE", 1, "12/03/1850");
  a.SetDonnee(u"Chez l'oncle");
  TEvenement b = Even("NAISSANCE", 2, "31/12/1851");
  TEvenement c = Even("DECES", 1, "../../1850");
  for (TEvenement* e : {&a, &b, &c}) ASSERT_TRUE(module->EnregistrementEven(*e));
  TFilterEvent f;
  f.AnneeMin = f.AnneeMax = 1850;
  EXPECT_EQ(Cherche(f), (std::map<long, long>{{a.Enreg.ID, 1}, {c.Enreg.ID, 1}}));
  f.Libelles = {"NAISSANCE", "BAPTEME"};
  EXPECT_EQ(Cherche(f), (std::map<long, long>{{a.Enreg.ID, 1}}));
  // The quoted datum is found through its doubled-quote form.
  const std::string sql = "SELECT count(*) FROM Evenements WHERE _DONNEE = '" +
                          UnicodeVersUtf8(TModuleBDD::FormatChaine_Donnee(u"  Chez l'oncle ", true)) + "'";
  EXPECT_EQ(Compte(sql), 1);
}

TEST_F(Evenements, CriteresDuFiltre) {
  TEvenement a = Even("BAPTEME", 1, "02/02/1700");
  a.Enreg.Lieu = 3;
  a.Enreg.Date.SetActe("<");
  a.AjoutSource({0, u"Acte", u"Registre"});
  TEvenement b = Even("BAPTEME", 2, "03/03/1701");
  b.Enreg.Lieu = 4;
  b.AjoutIllustration({0, "acte.jpg", 0});
  TEvenement c = Even("DECES", 3, "04/04/1760");
  c.Enreg.Lieu = 3;
  for (TEvenement* e : {&a, &b, &c}) ASSERT_TRUE(module->EnregistrementEven(*e));
  ASSERT_TRUE(module->Database().ExecuteSql(
      "INSERT INTO IndexNomPrenoms(Nom, Prenom, NoPers, TypePersonne, Sexe) VALUES('DURAND', 'PAUL', 2, 'P', 'M')"));
  const auto ids = [&](const TFilterEvent& f) {
    std::vector<long> v;
    for (const auto& [id, no] : Cherche(f)) v.push_back(no);
    return v;
  };
  TFilterEvent f;
  f.Lieux = {3};
  EXPECT_EQ(ids(f), (std::vector<long>{1, 3}));
  f.Lieux.clear();
  f.ModeActe = TFilterEvent::ActeEgal;
  f.Acte = "<";
  EXPECT_EQ(ids(f), (std::vector<long>{1}));
  f.ModeActe = TFilterEvent::ActeAbsent;
  EXPECT_EQ(ids(f), (std::vector<long>{2, 3}));
  f = TFilterEvent();
  f.Sources = TFilterEvent::Avec;
  EXPECT_EQ(ids(f), (std::vector<long>{1}));
  f.Sources = TFilterEvent::Sans;
  f.Medias = TFilterEvent::Sans;
  EXPECT_EQ(ids(f), (std::vector<long>{3}));
  f = TFilterEvent();
  f.Nom = u"Durand";
  EXPECT_EQ(ids(f), (std::vector<long>{2}));
  f.Nom = u"Martin";
  EXPECT_TRUE(ids(f).empty());
  EXPECT_EQ(module->FiltreEventByLieuDate({1, 2, 3}, 3, 1750, 1770), (std::vector<long>{3}));
  EXPECT_EQ(module->GetFilteredEventPerson(2, TFilterEvent()), (std::vector<long>{b.Enreg.ID}));
}

TEST_F(Evenements, PreparationDesTextesSql) {
  const struct {
    const char16_t* texte;
    const char16_t* attendu;
  } cas[] = {{u"l'an", u"l''an"}, {u"a\\b", u"a\\\\b"}, {u"l1\nl2\r", u"l1\\nl2\\r"}, {u"\t\b", u"\\t\\b"},
             {u"ok", u"ok"}};
  for (const auto& c : cas) EXPECT_EQ(TModuleBDD::ConvertirChaineFormatSQL(c.texte), c.attendu);
  EXPECT_EQ(TModuleBDD::ConvertirChaineFormatSQL(UnicodeString(u"a\0b", 3)), u"a\\0b");
  EXPECT_EQ(TModuleBDD::FormatChaine_Donnee(u"   Vingt-cinq caractères ici  ", false), U("Vingt-cinq caractère"));
}

TEST_F(Evenements, EvenementDeCoupleChezLesDeuxConjoints) {
  TEvenement u = Even("UNION", 1, "05/06/1875", 2);
  ASSERT_TRUE(module->EnregistrementEven(u));
  TEnregPublic conjoints;
  conjoints.Conjoints[0].Lien = 9;
  conjoints.Conjoints[1].Lien = 2;
  for (const long n : {1L, 2L}) {
    TChpsPersonne p(n);
    if (n == 1) p.SetConjoints(conjoints);
    module->ChargerLienChpsOfPerson(p);
    ASSERT_EQ(p.GetNbInfoEven(), 1) << n;
    EXPECT_EQ(p.Evenements[0].Even.Enreg.ID, u.Enreg.ID);
    EXPECT_TRUE(p.Evenements[0].Even.IsCouple(2, 1));
    EXPECT_EQ(p.Evenements[0].Even.NoConjoint(n), 3 - n);
    EXPECT_EQ(p.Evenements[0].RgConj, n == 1 ? 2 : 0);  // rank among the person's spouses
  }
}

TEST_F(Evenements, MasquerPuisRestaurer) {
  TEvenement a = Even("NAISSANCE", 5, "01/01/1900");
  TEvenement b = Even("DECES", 6, "01/01/1950");
  TEvenement u = Even("UNION", 5, "01/01/1925", 7);
  for (TEvenement* e : {&a, &b, &u}) ASSERT_TRUE(module->EnregistrementEven(*e));
  TFilterEvent tous;
  ASSERT_EQ(Cherche(tous).size(), 3u);
  ASSERT_TRUE(module->MasquerChpsOfPerson(5, false));
  EXPECT_EQ(Cherche(tous), (std::map<long, long>{{b.Enreg.ID, 6}}));
  TChpsPersonne p(5), conjoint(7);
  module->ChargerLienChpsOfPerson(p);
  EXPECT_EQ(p.GetNbInfoEven(), 0);
  module->ChargerLienChpsOfPerson(conjoint);
  EXPECT_EQ(conjoint.GetNbInfoEven(), 0);  // the couple record of a hidden holder stays hidden
  ASSERT_TRUE(module->MasquerChpsOfPerson(5, true));
  module->ChargerLienChpsOfPerson(p);
  ASSERT_EQ(p.GetNbInfoEven(), 2);
  EXPECT_TRUE(p.Evenements[0].Even == a);
  EXPECT_TRUE(p.Evenements[1].Even == u);
  module->ChargerLienChpsOfPerson(conjoint);
  EXPECT_EQ(conjoint.GetNbInfoEven(), 1);
}

TEST_F(Evenements, ListesBorneesEtLuesAuPremierAcces) {
  TEvenement e = Even("RECENSEMENT", 1, "../../1901");
  for (int i = 0; i < kMaxListeEven; ++i) {
    EXPECT_EQ(e.AjoutSource({0, u"Registre", U("Folio ") + AnsiVersUnicode(std::to_string(i))}), i);
    EXPECT_EQ(e.AjoutIllustration({0, "img/p" + std::to_string(i) + ".jpg", 0}), i);
    TPersAssociee pa;
    pa.Lien = 100 + i;
    pa.Qualite = i % 3;
    EXPECT_EQ(e.AjoutPersAssociee(pa), i);
  }
  TPersAssociee deTrop;
  deTrop.Lien = 999;
  EXPECT_EQ(e.AjoutSource({0, u"X", u"51e"}), -1);
  EXPECT_EQ(e.AjoutIllustration({0, "x.jpg", 0}), -1);
  EXPECT_EQ(e.AjoutPersAssociee(deTrop), -1);
  ASSERT_TRUE(module->EnregistrementEven(e));
  EXPECT_EQ(Compte("SELECT count(*) FROM Sources"), 50);
  EXPECT_EQ(Compte("SELECT max(RANG) FROM Illustrations"), 50);

  TEvenement relu(module.get(), e.Enreg.ID);
  EXPECT_FALSE(relu.Enreg.SourcesChargees);
  EXPECT_EQ(relu.CountSource(), 50);
  EXPECT_TRUE(relu.Enreg.SourcesChargees);
  EXPECT_EQ(relu.Sources()[7].Descriptif, u"Folio 7");
  EXPECT_EQ(relu.ChercheRgNoPersAssociee(110), 10);
  EXPECT_EQ(relu.PersAssociees()[10].Qualite, 1);
  // A person already cited is not added again; removing frees a place.
  TPersAssociee dejaLa;
  dejaLa.Lien = 110;
  ASSERT_TRUE(relu.SupprPersAssocieeNo(149));
  EXPECT_EQ(relu.AjoutPersAssociee(dejaLa), -1);
  const int32_t idIllustration = relu.Illustrations()[3].Id;
  relu.Enreg.NoIllustrationParDefaut = idIllustration;
  ASSERT_TRUE(relu.SupprIllustration(3));
  EXPECT_EQ(relu.Enreg.NoIllustrationParDefaut, -1);
  ASSERT_TRUE(relu.Enregistrement());
  TEvenement encore(module.get(), e.Enreg.ID);
  EXPECT_EQ(encore.CountPersAssociee(), 49);
  EXPECT_EQ(encore.CountIllustration(), 49);
  EXPECT_EQ(encore.ChercheRgNoIllustration(idIllustration), -1);
  EXPECT_EQ(encore.Sources()[0].Id, relu.Sources()[0].Id);  // identifiers survive a rewrite
}

TEST_F(Evenements, RangsEtRenumerotationDesIllustrations) {
  EXPECT_EQ(module->GetNextRangEven(8, 0), 1);
  TEvenement a = Even("NAISSANCE", 8, "");
  TEvenement b = Even("RESIDENCE", 8, "");
  ASSERT_TRUE(module->EnregistrementEven(a));
  ASSERT_TRUE(module->EnregistrementEven(b));
  EXPECT_EQ(b.Enreg.RangA, 2);
  EXPECT_EQ(module->GetNextRangEven(8, 0), 3);
  EXPECT_EQ(module->GetNextRangEven(8, 1), 1);  // simple fields count apart
  b.AjoutIllustration({0, "a.jpg", 0});
  b.AjoutIllustration({0, "b.jpg", 0});
  b.AjoutIllustration({0, "c.jpg", 0});
  ASSERT_TRUE(module->EnregistrementEven(b));
  TACRQuery trou(module->Database(), "UPDATE Illustrations SET RANG = RANG * 10");
  ASSERT_TRUE(trou.ExecSQL());
  ASSERT_TRUE(module->UpdateRang(b.Enreg.ID));
  TACRQuery q(module->Database(), "SELECT CHEMIN, RANG FROM Illustrations ORDER BY RANG");
  ASSERT_TRUE(q.Open());
  for (const char* chemin : {"a.jpg", "b.jpg", "c.jpg"}) {
    EXPECT_EQ(q.Fields(0).AsAnsiString(), chemin);
    EXPECT_EQ(q.Fields(1).AsInteger(), chemin[0] - 'a' + 1);
    q.Next();
  }
}

TEST_F(Evenements, LieuEtNoteHorsDeLeurTableLusZero) {
  dossier.nbNotes = 3;
  TEvenement e = Even("DECES", 1, "");
  e.Enreg.Lieu = 11;  // ten places
  e.Enreg.Note = 4;   // three notes
  ASSERT_TRUE(module->EnregistrementEven(e));
  EXPECT_EQ(Compte("SELECT Lieu FROM Evenements"), 11);  // stored as given
  TEvenement relu(module.get(), e.Enreg.ID);
  EXPECT_EQ(relu.Enreg.Lieu, 0);
  EXPECT_EQ(relu.Enreg.Note, 0);
  TLieuBDD onzieme;
  ASSERT_TRUE(module->WritePlace(11, onzieme));
  ASSERT_TRUE(relu.Lecture());
  EXPECT_EQ(relu.Enreg.Lieu, 11);
}

TEST_F(Evenements, OrdreDesEnveloppes) {
  TChpsPersonne p(1);
  TEnregPublic pub;
  pub.Conjoints[0].Lien = 2;
  pub.Conjoints[1].Lien = 3;
  p.SetConjoints(pub);
  const auto ajoute = [&](const char* libelle, int32_t id, long conjoint) {
    TEvenement e = Even(libelle, 1, "", conjoint);
    e.Enreg.ID = id;
    p.AddEvenInTV(e);
  };
  ajoute("UNION", 0, 2);
  ajoute("UNION", 40, 3);
  ajoute("UNION", 50, 2);
  ajoute("NAISSANCE", 0, 0);
  ajoute("NAISSANCE", 0, 0);
  ajoute("NAISSANCE", 7, 0);
  ajoute("DECES", 99, 0);
  std::vector<std::pair<std::string, int32_t>> ordre;
  for (const auto& tv : p.Evenements) ordre.emplace_back(tv.Even.Enreg.LibelleChamps, tv.Even.Enreg.ID);
  const std::vector<std::pair<std::string, int32_t>> attendu = {
      {"DECES", 99}, {"NAISSANCE", 7}, {"NAISSANCE", 0}, {"NAISSANCE", 0}, {"UNION", 50}, {"UNION", 0}, {"UNION", 40}};
  EXPECT_EQ(ordre, attendu);
  EXPECT_TRUE(p.Evenements[2] < p.Evenements[3]);  // never equal: insertion order decides
  EXPECT_FALSE(p.Evenements[3] < p.Evenements[2]);
}

TEST_F(Evenements, OrdreChronologique) {
  TChpsPersonne p(1);
  const char* dates[] = {"../../1900", "", "12/05/1850", "1840/1860", "01/01/1700"};
  for (const char* d : dates) p.AddEvenInTV(Even("RESIDENCE", 1, d));
  std::vector<std::string> vus;
  for (const int i : ClassementChronoEven(p)) vus.emplace_back(p.Evenements[static_cast<size_t>(i)].Even.Enreg.Date.Texte());
  // The range stands for 1 January of its mean year 1850, before 12 May 1850.
  EXPECT_EQ(vus, (std::vector<std::string>{"01/01/1700", "1840/1860", "12/05/1850", "../../1900", ""}));
}

TEST_F(Evenements, ChargementDepuisUnThreadDeTravail) {
  TChpsPersonne p(4);
  TEvenement e = Even("NAISSANCE", 0, "02/02/1802");
  e.Enreg.Lieu = 3;
  p.AddEvenInTV(e);
  TEvenement horsTable = Even("DECES", 0, "");
  horsTable.Enreg.Lieu = 99;  // beyond the ten places and the five notes: none on every thread
  horsTable.Enreg.Note = 9;
  p.AddEvenInTV(horsTable);
  dossier.nbNotes = 5;
  p.AddEvenInTV(Even("UNION", 0, "03/03/1830", 7));
  TChpsSimple s(module.get());
  s.SetLibelle("PROFESSION");
  s.SetDonnee(u"Tisserand");
  p.AddChpsSimpleInTV(s);
  ASSERT_TRUE(module->EnregistrerChpsOfPerson(p));
  TChpsPersonne principal(4), travail(4);
  module->ChargerLienChpsOfPerson(principal);
  std::thread t([&] {
    NommeThread("Geolocalisation");
    module->ChargerLienChpsOfPerson(travail);
  });
  t.join();
  ASSERT_EQ(travail.GetNbInfoEven(), 3);
  ASSERT_EQ(travail.GetNbChpsSimple(), 1);
  for (size_t i = 0; i < 3; ++i) EXPECT_TRUE(travail.Evenements[i].Even == principal.Evenements[i].Even) << i;
  for (const TEvenementTV& x : travail.Evenements) {
    if (x.Even.IsLibelleChamps("DECES")) {
      EXPECT_EQ(x.Even.Enreg.Lieu + x.Even.Enreg.Note, 0);
    }
  }
  EXPECT_EQ(travail.ChpsSimples[0].Chps.Enreg, principal.ChpsSimples[0].Chps.Enreg);
  EXPECT_EQ(principal.ChpsSimples[0].Chps.Enreg.Donnee, u"Tisserand");
}

TEST_F(Evenements, EcritureDUnePersonneToutOuRien) {
  const auto fiche = [&](TChpsPersonne& p) {
    p.AddEvenInTV(Even("NAISSANCE", 0, "01/01/1800"));
    TEvenement u = Even("UNION", 0, "01/01/1825", 2);
    u.AjoutSource({0, u"Acte", u"Registre paroissial"});
    TPersAssociee temoin;
    temoin.Lien = 30;
    u.AjoutPersAssociee(temoin);
    p.AddEvenInTV(u);
    TChpsSimple s(module.get());
    s.SetLibelle("PROFESSION");
    s.SetDonnee(u"Meunier");
    p.AddChpsSimpleInTV(s);
  };
  TChpsPersonne avant(1);
  fiche(avant);
  ASSERT_TRUE(module->EnregistrerChpsOfPerson(avant));
  const long lignes = Compte("SELECT count(*) FROM Evenements") + Compte("SELECT count(*) FROM Sources") +
                      Compte("SELECT count(*) FROM PersAssociees");
  // Change everything, then fail at each write in turn: the stored card stays the old one.
  for (int n = 1; n <= 12; ++n) {
    TChpsPersonne p(1);
    module->ChargerLienChpsOfPerson(p);
    ASSERT_EQ(p.GetNbInfoEven(), 2);
    p.Evenements[1].Even.SetDonnee(u"modifié");
    p.Evenements[1].Even.AjoutSource({0, u"Acte", u"Nouvelle source"});
    ASSERT_TRUE(p.SupprEvenNo(0));
    p.AddEvenInTV(Even("DECES", 0, "01/01/1870"));
    p.ChpsSimples[0].Chps.SetDonnee(u"Boulanger");
    const std::vector<TEvenementTV> memoire = p.Evenements;
    PanneAuNiemeEcrit(module->Database(), n, {"Evenements", "Sources", "Illustrations", "PersAssociees"});
    const bool ok = module->EnregistrerChpsOfPerson(p);
    ASSERT_TRUE(module->Database().ExecuteSql("UPDATE panne SET restant = -1"));
    if (ok) {
      EXPECT_GE(n, 8) << "every write of the card passed before the failure point";
      break;
    }
    TChpsPersonne relu(1);
    module->ChargerLienChpsOfPerson(relu);
    ASSERT_EQ(relu.GetNbInfoEven(), 2) << n;
    for (size_t i = 0; i < 2; ++i) {
      relu.Evenements[i].Even.ChargeListes();
      avant.Evenements[i].Even.ChargeListes();
      EXPECT_TRUE(relu.Evenements[i].Even == avant.Evenements[i].Even) << n;
    }
    EXPECT_EQ(relu.ChpsSimples[0].Chps.Enreg.Donnee, u"Meunier") << n;
    EXPECT_EQ(Compte("SELECT count(*) FROM Evenements") + Compte("SELECT count(*) FROM Sources") +
                  Compte("SELECT count(*) FROM PersAssociees"),
              lignes)
        << n;
    // The card in memory is left as it was before the call.
    ASSERT_EQ(p.Evenements.size(), memoire.size());
    for (size_t i = 0; i < memoire.size(); ++i) EXPECT_EQ(p.Evenements[i].Even.Enreg.ID, memoire[i].Even.Enreg.ID);
  }
}

TEST_F(Evenements, EvenementsPartages) {
  module->SetLibellesPartages({"RECENSEMENT"});
  TEvenement a = Even("RECENSEMENT", 1, "../../1901");
  a.Enreg.Lieu = 2;
  TEvenement b = Even("RECENSEMENT", 2, "../../1901");
  b.Enreg.Lieu = 2;
  TEvenement c = Even("RECENSEMENT", 3, "../../1906");
  for (TEvenement* e : {&a, &b, &c}) ASSERT_TRUE(module->EnregistrementEven(*e));
  EXPECT_EQ(module->CleanSharedEvent("RECENSEMENT"), 1);
  EXPECT_FALSE(module->IsIdEventExistBDD(b.Enreg.ID));
  EXPECT_TRUE(module->IsIDevenAssocieNoPers(a.Enreg.ID, 2));
  // Person 2 finds the shared event through its citation; writing its card leaves it alone.
  TChpsPersonne p(2);
  module->ChargerLienChpsOfPerson(p);
  ASSERT_EQ(p.GetNbInfoEven(), 1);
  EXPECT_EQ(p.Evenements[0].Even.Enreg.ID, a.Enreg.ID);
  EXPECT_TRUE(p.Partages[0]);
  ASSERT_TRUE(p.SupprEvenNo(0));
  ASSERT_TRUE(module->EnregistrerChpsOfPerson(p));
  EXPECT_TRUE(module->IsIdEventExistBDD(a.Enreg.ID));
  EXPECT_TRUE(module->AddPersAsso(a.Enreg.ID, 4, 1, 0));
  EXPECT_FALSE(module->AddPersAsso(a.Enreg.ID, 4, 1, 0));  // already cited
}

TEST_F(Evenements, PartagesFusionnesSansRienPerdre) {
  const auto cite = [](TEvenement& e, long no) {
    TPersAssociee p;
    p.Lien = static_cast<int32_t>(no);
    (void)e.AjoutPersAssociee(p);
  };
  // A census with a source, the same census of another person with its image, a note and a
  // transcription, and a third one holding another source: a different document.
  TEvenement a = Even("RECENSEMENT", 1, "../../1901");
  a.AjoutSource({0, u"Recensement", u"Paris 1901, folio 12"});
  TEvenement b = Even("RECENSEMENT", 2, "../../1901");
  b.AjoutIllustration({0, "rec1901.jpg", 0});
  b.Enreg.Note = 7;
  TEvenement c = Even("RECENSEMENT", 3, "../../1901");
  c.AjoutSource({0, u"Recensement", u"Paris 1901, folio 40"});
  // Three privileged relations without date, and the first one written again from the other side.
  TEvenement r10 = Even("RELATION_PRIV", 10, ""), r20 = Even("RELATION_PRIV", 20, "");
  TEvenement r30 = Even("RELATION_PRIV", 30, ""), r11 = Even("RELATION_PRIV", 11, "");
  cite(r10, 11), cite(r20, 21), cite(r30, 31), cite(r11, 10);
  for (TEvenement* e : {&a, &b, &c, &r10, &r20, &r30, &r11}) ASSERT_TRUE(module->EnregistrementEven(*e));
  const int32_t image = b.Enreg.Illustrations[0].Id;
  ASSERT_TRUE(module->Database().ExecuteSql("INSERT INTO NotesTranscription (ID_Event, ID_Illustration, Note) VALUES (" +
                                            std::to_string(b.Enreg.ID) + ", " + std::to_string(image) + ", 'Folio 12')"));

  EXPECT_EQ(module->CleanSharedEvent("RECENSEMENT"), 1);
  EXPECT_EQ(module->CleanSharedEvent("RELATION_PRIV"), 1);
  TEvenement recensement(module.get(), a.Enreg.ID);
  EXPECT_EQ(recensement.CountSource(), 1);
  ASSERT_EQ(recensement.CountIllustration(), 1);
  EXPECT_EQ(recensement.Illustrations()[0].Id, image);
  EXPECT_EQ(recensement.Enreg.Note, 7);
  EXPECT_EQ(recensement.ChercheRgNoPersAssociee(2), 0);
  EXPECT_EQ(recensement.ChercheRgNoPersAssociee(3), -1);
  EXPECT_EQ(Compte("SELECT count(*) FROM NotesTranscription WHERE ID_Event = " + std::to_string(a.Enreg.ID) +
                   " AND ID_Illustration = " + std::to_string(image)),
            1);
  TEvenement autre(module.get(), c.Enreg.ID);
  EXPECT_EQ(autre.CountSource(), 1);
  // Each relation keeps its partner; only the copy seen from the other side is merged.
  EXPECT_FALSE(module->IsIdEventExistBDD(r11.Enreg.ID));
  for (const auto& [e, partenaire] : {std::pair{&r10, 11}, {&r20, 21}, {&r30, 31}}) {
    TEvenement relu(module.get(), e->Enreg.ID);
    ASSERT_EQ(relu.CountPersAssociee(), 1) << partenaire;
    EXPECT_EQ(relu.PersAssociees()[0].Lien.No, partenaire);
  }
}

TEST_F(Evenements, ParcoursEtSuppression) {
  TEvenement a = Even("NAISSANCE", 1, "");
  TEvenement b = Even("DECES", 1, "");
  TEvenement c = Even("NAISSANCE", 2, "");
  for (TEvenement* e : {&a, &b, &c}) ASSERT_TRUE(module->EnregistrementEven(*e));
  TChpsSimple s(module.get());
  s.SetLibelle("EMAIL");
  s.Enreg.NoPersA = 1;
  ASSERT_TRUE(s.Enregistrement());
  ASSERT_TRUE(module->MasquerChpsOfPerson(2, false));
  const auto parcours = [&](const std::string& filtre) {
    std::vector<long> ids;
    EXPECT_TRUE(module->BeginParcoursEvens("ParID", filtre));
    TEvenement e(module.get());
    while (!module->EofParcoursEvens() && module->GetEvenParcours(e)) ids.push_back(e.Enreg.ID);
    module->EndParcoursEvens();
    return ids;
  };
  EXPECT_EQ(parcours(""), (std::vector<long>{a.Enreg.ID, b.Enreg.ID}));
  EXPECT_EQ(parcours("DECES"), (std::vector<long>{b.Enreg.ID}));
  ASSERT_TRUE(module->BeginParcoursChpsSimple());
  TChpsSimple lu(module.get());
  ASSERT_TRUE(module->GetChpsSimpleParcours(lu));
  EXPECT_EQ(lu.Enreg.LibelleChamps, "EMAIL");
  EXPECT_TRUE(module->EofParcoursChpsSimple());
  module->EndParcoursChpsSimple();
  a.AjoutSource({0, u"T", u"D"});
  ASSERT_TRUE(a.Enregistrement());
  ASSERT_TRUE(module->SupprimeEvenDefinitvement(a.Enreg.ID));
  EXPECT_EQ(Compte("SELECT count(*) FROM Sources"), 0);
  EXPECT_EQ(parcours(""), (std::vector<long>{b.Enreg.ID}));
}

TEST_F(Evenements, ImportAvecIdentifiantsReserves) {
  TEvenement avant = Even("NAISSANCE", 1, "");
  ASSERT_TRUE(module->EnregistrementEven(avant));
  ASSERT_TRUE(module->BeginImport(true));
  std::vector<int32_t> ids;
  for (long n = 2; n <= 4; ++n) {
    TChpsPersonne p(n);
    p.AddEvenInTV(Even("NAISSANCE", 0, "01/01/1900"));
    p.AddEvenInTV(Even("DECES", 0, "01/01/1980"));
    ASSERT_TRUE(module->EnregistrerChpsOfPerson(p));
    for (const auto& tv : p.Evenements) ids.push_back(tv.Even.Enreg.ID);
  }
  ASSERT_TRUE(module->EndImport(true));
  std::sort(ids.begin(), ids.end());
  // The probe row's identifier is the first one handed out, the others follow it.
  for (size_t i = 0; i < ids.size(); ++i) EXPECT_EQ(ids[i], avant.Enreg.ID + 1 + static_cast<int32_t>(i));
  TEvenement apres = Even("NAISSANCE", 9, "");
  ASSERT_TRUE(module->EnregistrementEven(apres));
  EXPECT_EQ(apres.Enreg.ID, ids.back() + 1);
  EXPECT_EQ(Compte("SELECT count(*) FROM Evenements"), 8);
}

// An import appends its events through a statement of its own: each column and each list row is
// what the ordinary write stores for the same record (identifiers and the modification stamp aside).
TEST_F(Evenements, AjoutDImportCommeEcritureOrdinaire) {
  const auto remplit = [&](long noPers, int rang) {
    TEvenement e = Even("MARIAGE", noPers, "12/03/1850", 7);
    e.Enreg.Date.SetActe("~");
    e.SetDonnee(u"  Célébré à l'église Saint-Étienne-du-Mont, en présence des deux familles ❦  ");
    e.Enreg.Lieu = 4;
    e.SetLieuDit(u"Les Granges d'Œuvres");
    e.Enreg.Note = 2;
    e.Enreg.RangA = rang;
    e.Enreg.RangB = rang;
    EXPECT_EQ(e.AjoutSource({0, u"Acte", u"Registre paroissial"}), 0);
    EXPECT_EQ(e.AjoutIllustration({0, "photos/église.jpg", 0}), 0);
    TPersAssociee temoin;
    temoin.Lien = 5;
    temoin.Qualite = 3;
    EXPECT_EQ(e.AjoutPersAssociee(temoin), 0);
    return e;
  };
  TEvenement ordinaire = remplit(1, 1), importe = remplit(2, 1);
  ASSERT_TRUE(module->EnregistrementEven(ordinaire));
  ASSERT_TRUE(module->BeginImport(true));
  ASSERT_TRUE(module->AjouteEvenImport(importe));
  ASSERT_TRUE(module->EndImport(true));
  ASSERT_GT(importe.Enreg.ID, ordinaire.Enreg.ID);
  const auto ligne = [&](const std::string& sql, int32_t id) {
    TACRQuery q(module->Database(), sql);
    q.SetParamInteger("id", id);
    std::vector<std::string> valeurs;
    if (q.Open())
      for (; !q.Eof(); q.Next())
        for (int i = 0; i < q.FieldCount(); ++i) valeurs.push_back(q.Fields(i).AsUtf8() + "|" + std::to_string(q.Fields(i).IsNull()));
    return valeurs;
  };
  for (const char* sql : {"SELECT Type, LibelleChamps, Donnee, NoPersB, Acte, TypeCalend, Date, Lieu, LieuDit, Note, "
                          "NoIllustrationParDefaut, LienExtEven, _DONNEE, _DATE, RANG_A, RANG_B, typeof(DateLastModif) "
                          "FROM Evenements WHERE ID = :id",
                          "SELECT TYPE, DESCRIPTIF, RANG FROM Sources WHERE ID_EVEN = :id",
                          "SELECT CHEMIN, RANG, TAG FROM Illustrations WHERE ID_EVEN = :id",
                          "SELECT LienQualite, LienParente, LienPers_No, LienPers_NivNo, Rang FROM PersAssociees WHERE ID_EVEN = :id"}) {
    const std::vector<std::string> attendu = ligne(sql, ordinaire.Enreg.ID);
    EXPECT_FALSE(attendu.empty()) << sql;
    EXPECT_EQ(ligne(sql, importe.Enreg.ID), attendu) << sql;
  }
}

TEST_F(Evenements, EditionsParLibelle) {
  TChpsSimple s(module.get());
  s.SetLibelle("PROFESSION");
  s.SetDonnee(u"Forgeron");
  s.Enreg.NoPersA = 1;
  ASSERT_TRUE(s.Enregistrement());
  EXPECT_EQ(module->ChpsSimpleEven("PROFESSION"), 1);
  TEvenement e(module.get());
  ASSERT_TRUE(e.Lecture(s.Enreg.ID));
  EXPECT_EQ(e.Enreg.Donnee, u"Forgeron");
  EXPECT_EQ(module->RenameEven("PROFESSION", "METIER"), 1);
  EXPECT_EQ(module->ModifChampsAvecLeLibelle("METIER", u"Forgeron", u"Maréchal-ferrant"), 1);
  ASSERT_TRUE(e.Lecture());
  EXPECT_EQ(e.Enreg.LibelleChamps, "METIER");
  EXPECT_EQ(e.Enreg.Donnee, U("Maréchal-ferrant"));
  EXPECT_EQ(module->UpdateResidence(0, 5), 1);
}

}  // namespace
}  // namespace kyb::test
