// The person index: rows and in-memory entries kept in step through saves, renames and
// deletions; the ".prx2" trusted only when it matches; verification and repair of each damage.
#include "index/gest_fic_index.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>

#include "folder/gest_fic.h"
#include "folder/gest_fic_pers.h"
#include "names/cles_personne.h"
#include "persons/gest_pers.h"
#include "platform/fichiers.h"
#include "platform/thread_nom.h"
#include "store/datamodulebdd.h"
#include "support/support.h"
#include "index/ouverture_genealogie.h"

namespace kyb {
namespace {

struct TRang {
  int nom, prenom;
  const char16_t* cleNom;
  const char16_t* clePrenom;
};

class IndexPersonnes : public ::testing::Test {
 protected:
  IndexPersonnes() { NommeThreadPrincipal(); }
  std::unique_ptr<TGestFichier> Ouvre(bool creer = false, bool lectureSeule = false) {
    return std::make_unique<TGestFichier>(Chemin(), AvecIndex(TGestFichier::TOptionsOuverture{.Creer = creer, .LectureSeule = lectureSeule, .Proprietaire = &iu}));
  }
  AnsiString Chemin() const { return rep / "Famille.kya/Famille.adb"; }
  AnsiString Prx2() const { return rep / "Famille.kya/Famille.prx2"; }

  static long Ajoute(TGestFichier& g, const char16_t* nom, const char16_t* prenoms, char sexe = 'M') {
    TPerson p(g.GetFicPersons(), 0);
    p.NouvelleFiche(kEnregCourant);
    p.SetNom(nom);
    p.SetPrenoms(prenoms);
    p.SetSexe(sexe);
    EXPECT_TRUE(p.Enregistrement());
    return p.Numero();
  }
  static void Renomme(TGestFichier& g, long no, const char16_t* nom, const char16_t* prenoms) {
    TPerson p(g.GetFicPersons(), no);
    p.SetNom(nom);
    p.SetPrenoms(prenoms);
    EXPECT_TRUE(p.Enregistrement());
  }
  // Rows of a person in identifier order.
  static std::vector<TIndexPerson> Lignes(TGestFichier& g, long no) {
    std::vector<TIndexPerson> l;
    for (const long id : g.GetModuleBDD()->GetIndexPerson(no)) l.emplace_back(TFicIndexPerson::De(g), id);
    return l;
  }
  // Every row has its entry in memory and memory holds nothing else, in order.
  static void EnPhase(TGestFichier& g) {
    TFicIndexPerson* f = TFicIndexPerson::De(g);
    std::vector<UnicodeString> lignes, memoire;
    TACRQuery q(g.GetModuleBDD()->Database(), "SELECT ID FROM IndexNomPrenoms");
    ASSERT_TRUE(q.Open());
    for (; !q.Eof(); q.Next())
      lignes.push_back(TEltIndex(TIndexPerson(f, static_cast<long>(q.Fields(0).AsInt64())).Enreg, 0).TexteDeTri());
    const auto& elts = f->Index()->Elements();
    for (const TEltIndex& e : elts) memoire.push_back(e.TexteDeTri());
    EXPECT_TRUE(std::is_sorted(elts.begin(), elts.end()));
    std::sort(lignes.begin(), lignes.end());
    std::sort(memoire.begin(), memoire.end());
    EXPECT_EQ(lignes, memoire);
    EXPECT_EQ(f->NbLignes(), static_cast<long>(lignes.size()));
  }
  static std::vector<int32_t> Trouves(const TGestFichier& g, const char16_t* nom, const char16_t* prenom = u"") {
    std::vector<int32_t> n;
    for (const auto& t : TFicIndexPerson::De(g)->ChercheNom(nom, prenom, 50)) n.push_back(t.Exact ? t.NoPers : -t.NoPers);
    return n;
  }

  test::RepertoireTemporaire rep;
  TInterfaceScriptee iu;
};

TEST_F(IndexPersonnes, LignesDUnePersonne) {
  auto g = Ouvre(true);
  const struct {
    const char16_t* nom;
    const char16_t* prenoms;
    std::vector<TRang> attendu;
  } cas[] = {
      {u"Martel;Forge", u"Paul Louis",
       {{1, 1, u"MARTEL", u"PAUL"}, {1, 2, u"MARTEL", u"LOUIS"}, {2, 1, u"FORGE", u"PAUL"}, {2, 2, u"FORGE", u"LOUIS"}}},
      // 15 pairs: the first 10, surname-major.
      {u"Abel;Blanc;Caron", u"Anne Berthe Claire Denise Eve",
       {{1, 1, u"ABEL", u"ANNE"}, {1, 2, u"ABEL", u"BERTHE"}, {1, 3, u"ABEL", u"CLAIRE"}, {1, 4, u"ABEL", u"DENISE"},
        {1, 5, u"ABEL", u"EVE"}, {2, 1, u"BLANC", u"ANNE"}, {2, 2, u"BLANC", u"BERTHE"}, {2, 3, u"BLANC", u"CLAIRE"},
        {2, 4, u"BLANC", u"DENISE"}, {2, 5, u"BLANC", u"EVE"}}},
      // A repeated given name gives one row and does not count towards the ten.
      {u"Roux", u"Jean Paul Jean", {{1, 1, u"ROUX", u"JEAN"}, {1, 2, u"ROUX", u"PAUL"}}},
      {u"", u"", {{0, 0, u"", u""}}},
      {u"de la Forge", u"Élise", {{1, 1, u"FORGE", u"ELISE"}}},
  };
  long no = 0;
  for (const auto& c : cas) {
    no = Ajoute(*g, c.nom, c.prenoms);
    const auto lignes = Lignes(*g, no);
    ASSERT_EQ(lignes.size(), c.attendu.size()) << UnicodeVersUtf8(c.nom);
    for (size_t k = 0; k < lignes.size(); ++k) {
      const auto& e = lignes[k].Enreg;
      EXPECT_EQ(e.RgNom, c.attendu[k].nom);
      EXPECT_EQ(e.RgPrenom, c.attendu[k].prenom);
      EXPECT_EQ(e.Nom, c.attendu[k].cleNom);
      EXPECT_EQ(e.Prenom, c.attendu[k].clePrenom);
      EXPECT_EQ(e.NoPers, no);
      EXPECT_EQ(e.Sexe, 'M');
      EXPECT_EQ(e.RgPrenomUsuel, 0);
    }
  }
  EXPECT_EQ(Lignes(*g, no).at(0).Enreg.NomSoundex, u"F62");  // FORGE, as kyb nom gives it
  EXPECT_EQ(Lignes(*g, no).at(0).Enreg.PrenomSoundex, u"E42");
  EnPhase(*g);
}

TEST_F(IndexPersonnes, SauvegardesRenommagesSuppressionsEnPhase) {
  auto g = Ouvre(true);
  const long a = Ajoute(*g, u"Martel;Forge", u"Paul Louis");
  const long b = Ajoute(*g, u"Martin", u"Jeanne", 'F');
  EnPhase(*g);
  std::vector<long> avant = g->GetModuleBDD()->GetIndexPerson(a);
  ASSERT_EQ(avant.size(), 4u);
  // 4 rows become 2: two identifiers reused, the two others deleted.
  Renomme(*g, a, u"Martel", u"Paul Louis");
  const std::vector<long> apres = g->GetModuleBDD()->GetIndexPerson(a);
  ASSERT_EQ(apres.size(), 2u);
  for (const long id : apres) EXPECT_NE(std::find(avant.begin(), avant.end(), id), avant.end());
  EnPhase(*g);
  EXPECT_EQ(Trouves(*g, u"Forge"), std::vector<int32_t>{});
  EXPECT_EQ(Trouves(*g, u"Martel", u"Louis"), std::vector<int32_t>{static_cast<int32_t>(a)});
  // A renamed person is found under the new name only.
  Renomme(*g, b, u"Dupré", u"Jeanne");
  EXPECT_EQ(Trouves(*g, u"Martin"), std::vector<int32_t>{});
  EXPECT_EQ(Trouves(*g, u"DUPRE"), std::vector<int32_t>{static_cast<int32_t>(b)});
  EnPhase(*g);
  // Given names reordered: a row takes the name another row still holds until it is rewritten.
  Renomme(*g, a, u"Martel", u"Louis Paul Marc");
  Renomme(*g, a, u"Martel", u"Paul Marc Louis");
  EXPECT_EQ(Lignes(*g, a).size(), 3u);
  EnPhase(*g);
  // A deleted person has neither rows nor entries.
  TPerson p(g->GetFicPersons(), a);
  p.Public.FicheSupprimee = 'O';
  ASSERT_TRUE(p.Enregistrement());
  EXPECT_TRUE(g->GetModuleBDD()->GetIndexPerson(a).empty());
  EXPECT_EQ(Trouves(*g, u"Martel"), std::vector<int32_t>{});
  EnPhase(*g);
}

TEST_F(IndexPersonnes, FichierRestaureALaReouverture) {
  {
    auto g = Ouvre(true);
    for (int i = 0; i < 40; ++i) Ajoute(*g, i % 2 ? u"Bernard" : u"Bernart;Petit", u"Jean Marie");
  }
  ASSERT_TRUE(FichierExiste(Prx2()));
  iu.VideJournal();
  auto g = Ouvre();
  EXPECT_EQ(TFicIndexPerson::De(*g)->Origine(), TFicIndexPerson::TOrigine::Fichier);
  EXPECT_TRUE(TFicIndexPerson::De(*g)->MotifReconstruction().empty());
  // Trusted until the next closing only: a crash meanwhile leaves no file to trust.
  EXPECT_FALSE(FichierExiste(Prx2()));
  // The first number of a new folder is an unnamed person: one row of empty keys.
  EXPECT_EQ(TFicIndexPerson::De(*g)->Index()->GetNbElt(), 1 + 20 * 2 + 20 * 4);
  EnPhase(*g);
  // Exact keys first, then the same phonetic code.
  const auto t = Trouves(*g, u"Bernard");
  ASSERT_EQ(t.size(), 40u);
  EXPECT_GT(t.front(), 0);
  EXPECT_LT(t.back(), 0);
  EXPECT_EQ(std::count_if(t.begin(), t.end(), [](int32_t n) { return n > 0; }), 20);
}

TEST_F(IndexPersonnes, FichierDouteuxReconstruitEtSignale) {
  // Another genealogy with the same number of rows but other names.
  const test::RepertoireTemporaire autre;
  {
    TGestFichier h(autre / "Autre.kya/Autre.adb", AvecIndex(TGestFichier::Creation(0)));
    for (int i = 0; i < 30; ++i) Ajoute(h, u"Moreau", u"Louise");
  }
  {
    auto g = Ouvre(true);
    for (int i = 0; i < 30; ++i) Ajoute(*g, u"Girard", u"Paul");
  }
  const std::string sain = [this] {
    std::ifstream f(Prx2(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
  }();
  const auto remet = [&](const std::string& contenu) {
    std::ofstream(Prx2(), std::ios::binary | std::ios::trunc) << contenu;
  };
  const struct {
    const char* cas;
    std::function<void()> abime;
    const char* motif;
  } cas[] = {
      {"absent", [&] { SupprimeFichier(Prx2()); }, "absent"},
      {"coupé", [&] { remet(sain.substr(0, sain.size() / 2)); }, "illisible"},
      {"marqueur", [&] { remet("UTF-9" + sain.substr(5)); }, "Encodage inconnu"},
      {"autre généalogie",
       [&] {
         std::filesystem::copy_file(std::string(autre / "Autre.kya/Autre.prx2"), std::string(Prx2()),
                                    std::filesystem::copy_options::overwrite_existing);
       },
       "ne correspond pas à cette généalogie"},
      {"plus ancien",
       [&] {
         remet(sain);
         TDateTime d = 0;
         ASSERT_TRUE(DateModificationFichier(Chemin(), d));
         ASSERT_TRUE(DefinitDateModificationFichier(Prx2(), d - 1));
       },
       "plus ancien que la base"},
  };
  for (const auto& c : cas) {
    SCOPED_TRACE(c.cas);
    c.abime();
    iu.VideJournal();
    auto g = Ouvre();
    TFicIndexPerson* f = TFicIndexPerson::De(*g);
    EXPECT_EQ(f->Origine(), TFicIndexPerson::TOrigine::Reconstruit);
    EXPECT_NE(UnicodeVersUtf8(f->MotifReconstruction()).find(c.motif), std::string::npos)
        << UnicodeVersUtf8(f->MotifReconstruction());
    bool signale = false;
    for (const auto& l : iu.Journal()) signale |= l.rfind("message:Index des personnes|", 0) == 0;
    EXPECT_TRUE(signale);
    EXPECT_EQ(Trouves(*g, u"Girard").size(), 30u);
    EXPECT_TRUE(Trouves(*g, u"Moreau").empty());
    EnPhase(*g);
  }
}

TEST_F(IndexPersonnes, FichierEnLectureSeule) {
  long no = 0;
  {
    auto g = Ouvre(true);
    no = Ajoute(*g, u"Fabre", u"Jean");
  }
  ASSERT_TRUE(DefinitLectureSeule(Prx2(), true));
  {
    auto g = Ouvre();
    Renomme(*g, no, u"Favre", u"Jean");
    EXPECT_EQ(Trouves(*g, u"Favre"), std::vector<int32_t>{static_cast<int32_t>(no)});
  }
  auto g = Ouvre();
  EXPECT_EQ(Trouves(*g, u"Favre"), std::vector<int32_t>{static_cast<int32_t>(no)});
  EXPECT_TRUE(Trouves(*g, u"Fabre").empty() || Trouves(*g, u"Fabre")[0] < 0);  // phonetic only
  EnPhase(*g);
}

TEST_F(IndexPersonnes, DossierEnLectureSeuleNEcritRien) {
  {
    auto g = Ouvre(true);
    Ajoute(*g, u"Fabre", u"Jean");
  }
  SupprimeFichier(Prx2());
  auto g = Ouvre(false, true);
  EXPECT_EQ(TFicIndexPerson::De(*g)->Origine(), TFicIndexPerson::TOrigine::Reconstruit);
  EXPECT_EQ(Trouves(*g, u"Fabre").size(), 1u);
  g.reset();
  EXPECT_FALSE(FichierExiste(Prx2()));
}

TEST_F(IndexPersonnes, VerificationTrouveEtRepareChaqueDefaut) {
  const struct {
    const char* cas;
    std::function<void(TGestFichier&, long)> abime;
    long TBilanIndex::*compteur;
  } cas[] = {
      {"personne absente",
       [](TGestFichier& g, long no) {
         TACRQuery q(g.GetModuleBDD()->Database(), "DELETE FROM Personnes WHERE ID = :n");
         q.SetParamInteger("n", no);
         ASSERT_TRUE(q.ExecSQL());
       },
       &TBilanIndex::LignesPersonneAbsente},
      {"personne supprimée sans ses lignes",
       [](TGestFichier& g, long no) {
         TEnregPublic p;
         ASSERT_TRUE(g.GetModuleBDD()->ReadPerson(p, no));
         p.FicheSupprimee = 'O';
         ASSERT_TRUE(g.GetModuleBDD()->WritePerson(p, no));
       },
       &TBilanIndex::LignesPersonneSupprimee},
      {"ligne en double",
       [](TGestFichier& g, long no) {
         TIndexPerson l(TFicIndexPerson::De(g), g.GetModuleBDD()->GetIndexPerson(no).front());
         ASSERT_GT(l.Enregistrement(-1, TFicIndexPerson::De(g), true), 0);
       },
       &TBilanIndex::LignesEnDouble},
      // The person saved, the process killed before its index rows were written.
      {"arrêt entre la personne et ses lignes",
       [](TGestFichier& g, long no) {
         TEnregPublic p;
         ASSERT_TRUE(g.GetModuleBDD()->ReadPerson(p, no));
         p.Nom = u"Lambert";
         ASSERT_TRUE(g.GetModuleBDD()->WritePerson(p, no));
       },
       &TBilanIndex::LignesPerimees},
      {"personne sans lignes", [](TGestFichier& g, long no) { ASSERT_EQ(g.GetModuleBDD()->DeleteIndexPerson(no), 2); },
       &TBilanIndex::PersonnesSansLignes},
      {"ligne d'un numéro impossible",
       [](TGestFichier& g, long no) {
         TIndexPerson l(TFicIndexPerson::De(g), g.GetModuleBDD()->GetIndexPerson(no).front());
         l.Enreg.NoPers = 100000;
         ASSERT_GT(l.Enregistrement(-1, TFicIndexPerson::De(g), true), 0);
       },
       &TBilanIndex::LignesFoireuses},
      {"entrée absente de la mémoire",
       [](TGestFichier& g, long) {
         TEltIndex tmp;
         TFicIndexPerson::De(g)->Index()->Supprime(0, tmp);
       },
       &TBilanIndex::LignesHorsMemoire},
      {"entrée en mémoire sans ligne",
       [](TGestFichier& g, long) {
         TEltIndex e;
         e.SetNom(u"FANTOME");
         e.NoPers = 2;
         bool ajoute = false;
         TEltIndex tmp;
         (void)TFicIndexPerson::De(g)->Index()->AjouteClasse(e, tmp, false, ajoute);
       },
       &TBilanIndex::ElementsSansLigne},
  };
  for (const auto& c : cas) {
    SCOPED_TRACE(c.cas);
    const test::RepertoireTemporaire r;
    TGestFichier g(r / "V.kya/V.adb", AvecIndex(TGestFichier::Creation(0)));
    Ajoute(g, u"Garnier", u"Luc");
    const long no = Ajoute(g, u"Chevalier", u"Rose Marie", 'F');
    Ajoute(g, u"Garnier", u"Lucie", 'F');
    ASSERT_EQ(TFicIndexPerson::De(g)->CheckIndexValid(nullptr, false).Defauts(), 0);
    c.abime(g, no);
    const TBilanIndex trouve = TFicIndexPerson::De(g)->CheckIndexValid(nullptr, true);
    EXPECT_GE(trouve.*c.compteur, 1);
    EXPECT_GE(trouve.PersonnesReparees + trouve.MemoireRechargee, 1);
    const TBilanIndex apres = TFicIndexPerson::De(g)->CheckIndexValid(nullptr, false);
    EXPECT_EQ(apres.Defauts(), 0) << apres.LignesPersonneAbsente << apres.LignesPersonneSupprimee << apres.LignesEnDouble
                                  << apres.LignesPerimees << apres.LignesHorsMemoire << apres.LignesFoireuses
                                  << apres.PersonnesSansLignes << apres.ElementsSansLigne;
    EnPhase(g);
    EXPECT_EQ(Trouves(g, u"Garnier").size(), 2u);
  }
}

TEST_F(IndexPersonnes, VerificationCompleteReecritLesPersonnesDesAccordees) {
  auto g = Ouvre(true);
  const long a = Ajoute(*g, u"Lambert", u"Hugo");
  const long b = Ajoute(*g, u"Roussel", u"Ines Marie", 'F');
  TEnregPublic p;
  ASSERT_TRUE(g->GetModuleBDD()->ReadPerson(p, a));
  p.Nom = u"Lambertin";  // same number of rows, other names
  ASSERT_TRUE(g->GetModuleBDD()->WritePerson(p, a));
  ASSERT_EQ(g->GetModuleBDD()->DeleteIndexPerson(b), 2);
  EXPECT_EQ(TFicIndexPerson::De(*g)->CheckIndexValidComplete(nullptr), 2);
  EXPECT_EQ(TFicIndexPerson::De(*g)->CheckIndexValidComplete(nullptr), 0);
  EXPECT_EQ(Trouves(*g, u"Lambertin"), std::vector<int32_t>{static_cast<int32_t>(a)});
  EXPECT_EQ(Trouves(*g, u"Roussel", u"Marie"), std::vector<int32_t>{static_cast<int32_t>(b)});
  EnPhase(*g);
}

TEST_F(IndexPersonnes, LigneDUneAutrePersonneNonEcrasee) {
  auto g = Ouvre(true);
  const long a = Ajoute(*g, u"Lemoine", u"Paul");
  Ajoute(*g, u"Lemoine", u"Pierre");
  TIndexPerson l(TFicIndexPerson::De(*g), g->GetModuleBDD()->GetIndexPerson(a).front());
  const long id = l.ID;
  l.Enreg.NoPers = static_cast<int32_t>(a + 1);
  l.Enreg.Prenom = u"INTRUS";
  EXPECT_EQ(l.Enregistrement(id, TFicIndexPerson::De(*g), false), -1);
  EXPECT_EQ(TIndexPerson(TFicIndexPerson::De(*g), id).Enreg.Prenom, u"PAUL");
  EXPECT_EQ(TIndexPerson(TFicIndexPerson::De(*g), 99999).ID, 0);  // no such row: empty record
}

TEST(RemplaceClasse, DeplaceSeulementEntreLesDeuxPlaces) {
  const auto elt = [](const char16_t* nom, int32_t no) {
    TEltIndex e;
    e.SetNom(nom);
    e.NoPers = no;
    return e;
  };
  const std::vector<const char16_t*> noms = {u"BLANC", u"DUPONT", u"FABRE", u"MARTIN", u"PETIT", u"ROUX"};
  const struct {
    const char16_t* ancien;
    const char16_t* nouveau;
    bool ajoute;
    std::vector<const char16_t*> attendu;
  } cas[] = {
      {u"BLANC", u"NOEL", true, {u"DUPONT", u"FABRE", u"MARTIN", u"NOEL", u"PETIT", u"ROUX"}},
      {u"ROUX", u"CARON", true, {u"BLANC", u"CARON", u"DUPONT", u"FABRE", u"MARTIN", u"PETIT"}},
      {u"FABRE", u"FAURE", true, {u"BLANC", u"DUPONT", u"FAURE", u"MARTIN", u"PETIT", u"ROUX"}},
      {u"FABRE", u"ZOLA", true, {u"BLANC", u"DUPONT", u"MARTIN", u"PETIT", u"ROUX", u"ZOLA"}},
      {u"FABRE", u"AUBRY", true, {u"AUBRY", u"BLANC", u"DUPONT", u"MARTIN", u"PETIT", u"ROUX"}},
      // No former element: an ordered insertion.
      {u"ABSENT", u"GIRARD", true, {u"BLANC", u"DUPONT", u"FABRE", u"GIRARD", u"MARTIN", u"PETIT", u"ROUX"}},
      // The new element is already there: the former one goes, nothing is added.
      {u"FABRE", u"PETIT", false, {u"BLANC", u"DUPONT", u"MARTIN", u"PETIT", u"ROUX"}},
  };
  for (const auto& c : cas) {
    SCOPED_TRACE(UnicodeVersUtf8(c.nouveau));
    TGestEltIndex index(0, nullptr);
    for (const auto* n : noms) index.Ajoute(elt(n, 1));
    EXPECT_EQ(index.RemplaceClasse(elt(c.ancien, 1), elt(c.nouveau, 1)), c.ajoute);
    std::vector<UnicodeString> obtenu;
    for (const TEltIndex& e : index.Elements()) obtenu.emplace_back(e.Nom());
    EXPECT_EQ(obtenu, std::vector<UnicodeString>(c.attendu.begin(), c.attendu.end()));
  }
}

TEST_F(IndexPersonnes, ElementPrincipalDUnePersonne) {
  auto g = Ouvre(true);
  const long no = Ajoute(*g, u"Perrin;Colin", u"Marc Antoine");
  TGestEltIndex* index = TFicIndexPerson::De(*g)->Index();
  TEltIndex e;
  const int pos = index->ChercheClefPersNo2(static_cast<int32_t>(no), e);
  ASSERT_GE(pos, 0);
  EXPECT_EQ(e.NoPers, no);
  EXPECT_EQ(e.RgPrenom, 1);
  EXPECT_EQ(index->Lit(pos).Prenom(), u"MARC");
  TEltIndex m;
  ASSERT_GE(index->ChercheClefPersNo(static_cast<int32_t>(no), m), 0);
  EXPECT_EQ(m.Nom(), u"PERRIN");
  EXPECT_EQ(m.Prenom(), u"MARC");
  EXPECT_EQ(index->ChercheClefPersNo2(999, e), -1);
}

TEST_F(IndexPersonnes, ImportEcritLesLignesPuisRechargeLaMemoire) {
  auto g = Ouvre(true);
  ASSERT_TRUE(g->GetModuleBDD()->BeginImport(true));
  for (int i = 0; i < 30; ++i) Ajoute(*g, i % 3 ? u"Lucas" : u"Rey", u"Noé");
  ASSERT_TRUE(g->GetModuleBDD()->EndImport(true));
  EXPECT_EQ(Trouves(*g, u"Lucas").size(), 20u);
  EnPhase(*g);
}

TEST_F(IndexPersonnes, SuppressionsDiffereesPendantUneReparation) {
  auto g = Ouvre(true);
  const long a = Ajoute(*g, u"Colas", u"Yves");
  const long b = Ajoute(*g, u"Colas", u"Lise", 'F');
  TFicIndexPerson* f = TFicIndexPerson::De(*g);
  f->SetReparationEnCours(true);
  f->SupprimeClef(a, true);
  f->SupprimeClef(b, true);
  // Memory at once, rows at the end of the repair in one pass.
  EXPECT_TRUE(Trouves(*g, u"Colas").empty());
  EXPECT_EQ(g->GetModuleBDD()->GetIndexPerson(a).size(), 1u);
  EXPECT_EQ(f->ASupprimer(), (std::set<long>{a, b}));
  f->SetReparationEnCours(false);
  f->SupprimeClefDisque();
  EXPECT_TRUE(g->GetModuleBDD()->GetIndexPerson(a).empty());
  EXPECT_TRUE(g->GetModuleBDD()->GetIndexPerson(b).empty());
  EXPECT_TRUE(f->ASupprimer().empty());
  EnPhase(*g);
}

TEST_F(IndexPersonnes, ProgressionEnCentiemesEtFenetreAuDelaDe20000Lignes) {
  auto g = Ouvre(true);
  for (int i = 0; i < 12; ++i) Ajoute(*g, u"Marchal", u"Guy");
  iu.VideJournal();
  {
    TProgression barre(&iu, u"Vérification des index");
    (void)TFicIndexPerson::De(*g)->CheckIndexValid(&barre, false);
  }
  int derniere = -1;
  for (const auto& l : iu.Journal())
    if (l.rfind("position:", 0) == 0) {
      const int p = std::stoi(l.substr(9));
      EXPECT_GT(p, derniere);
      EXPECT_LE(p, 100);
      derniere = p;
    }
  EXPECT_EQ(derniere, 100);
  EXPECT_TRUE(iu.JournalContient("max:100"));
  // Reloading 13 rows shows no window.
  iu.VideJournal();
  TFicIndexPerson::De(*g)->ReinitTableIndexBis();
  EXPECT_FALSE(iu.JournalContient("ouvre:Génération des index"));
  EnPhase(*g);
}

TEST_F(IndexPersonnes, ReconstructionEtMiseANiveau) {
  {
    auto g = Ouvre(true);
    EXPECT_EQ(g->GetModuleBDD()->GetInfoChps("INDEXNAME"), u"UPDATED");
    for (int i = 0; i < 5; ++i) Ajoute(*g, u"Mercier", u"Anne Sophie", 'F');
    // An older store: rows missing and the upgrade step not yet applied.
    ASSERT_TRUE(g->GetModuleBDD()->CreerTableIndexNomPrenoms());
    ASSERT_TRUE(g->GetModuleBDD()->MAJInfoChps("INDEXNAME", u"0"));
  }
  auto g = Ouvre();
  EXPECT_EQ(g->GetModuleBDD()->GetInfoChps("INDEXNAME"), u"UPDATED");
  EXPECT_EQ(TFicIndexPerson::De(*g)->NbLignes(), 1 + 10);
  EXPECT_EQ(Trouves(*g, u"Mercier", u"Sophie").size(), 5u);
  EnPhase(*g);
  ASSERT_TRUE(TFicIndexPerson::De(*g)->ReinitTableIndex());
  EXPECT_EQ(TFicIndexPerson::De(*g)->NbLignes(), 1 + 10);
  EnPhase(*g);
  g->InitTailleIndex(100);
  EXPECT_EQ(TFicIndexPerson::De(*g)->Index()->GetNbElt(), 0);
  TFicIndexPerson::De(*g)->AddAllIndexComplete(true);
  EnPhase(*g);
}

// The searches against a plain walk of every entry: exact keys first, then the same phonetic
// codes, persons once each, in index order; again after renames change the index.
TEST_F(IndexPersonnes, RecherchesCommeUnParcoursDeToutesLesEntrees) {
  auto g = Ouvre(true);
  const char16_t* const noms[] = {u"Martin",  u"Martineau", u"Mortain", u"Marten;Roux", u"Bernard", u"Bernart",
                                  u"Berner",  u"Rousse",    u"Roux",    u"",            u"Durand",  u"Durant"};
  const char16_t* const prenoms[] = {u"Jean", u"Jeanne Marie", u"Paul", u"Pol", u"Marie"};
  for (int i = 0; i < 120; ++i) Ajoute(*g, noms[(i * 7) % std::size(noms)], prenoms[(i * 3) % std::size(prenoms)]);
  const auto reference = [&g](const char16_t* nom, const char16_t* prenom) {
    const UnicodeString cleNom = CleNom(UnicodeString(nom), 1);
    const UnicodeString clePrenom = *prenom ? ClePrenom(UnicodeString(prenom), 1) : UnicodeString();
    const UnicodeString codeNom = SoundexCle(cleNom), codePrenom = clePrenom.empty() ? u"" : SoundexCle(clePrenom);
    std::vector<int32_t> r;
    const auto ajoute = [&r](int32_t n) {
      if (std::find(r.begin(), r.end(), n) == r.end() && std::find(r.begin(), r.end(), -n) == r.end()) r.push_back(n);
    };
    const auto& elts = TFicIndexPerson::De(*g)->Index()->Elements();
    for (const TEltIndex& e : elts)
      if (e.Nom() == cleNom && (clePrenom.empty() || e.Prenom() == clePrenom)) ajoute(e.NoPers);
    for (const TEltIndex& e : elts)
      if (e.NomSoundex() == codeNom && (codePrenom.empty() || e.PrenomSoundex() == codePrenom)) ajoute(-e.NoPers);
    if (r.size() > 50) r.resize(50);
    return r;
  };
  const std::pair<const char16_t*, const char16_t*> recherches[] = {
      {u"Martin", u""}, {u"Martin", u"Jean"}, {u"Bernard", u""}, {u"Roux", u"Pol"}, {u"Rous", u""},
      {u"Durand", u"Marie"}, {u"Mortin", u""}, {u"Inconnu", u""}};
  for (int tour = 0; tour < 2; ++tour) {
    for (const auto& [nom, prenom] : recherches) {
      SCOPED_TRACE(UnicodeVersUtf8(nom) + " " + UnicodeVersUtf8(prenom));
      EXPECT_EQ(Trouves(*g, nom, prenom), reference(nom, prenom));
    }
    // Renames between two rounds: the table of codes follows.
    for (long no = 2; no < 40; no += 3) Renomme(*g, no, noms[static_cast<size_t>(no) % std::size(noms)], u"Paul");
  }
}

}  // namespace
}  // namespace kyb
