// The person index: rows and in-memory entries kept in step through saves, renames and
// deletions; the ".prx2" trusted only when it matches; verification and repair of each damage.
#include "index/gest_fic_index.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <set>

#include "index/recherche_simple.h"
#include "names/cles_personne.h"
#include "platform/fichiers.h"
#include "support/dommages.h"
#include "support/genealogie_index.h"

namespace kyb {
namespace {

using test::AttendIndexEnPhase;

struct TRang {
  int nom, prenom;
  const char16_t* cleNom;
  const char16_t* clePrenom;
};

long Ajoute(TGestFichier& g, const char16_t* nom, const char16_t* prenoms, char sexe = 'M') {
  return test::AjoutePersonne(g, {nom, prenoms, sexe});
}
bool Renomme(TGestFichier& g, long no, const char16_t* nom, const char16_t* prenoms) {
  TPerson p(g.GetFicPersons(), no);
  p.SetNom(nom);
  p.SetPrenoms(prenoms);
  return p.Enregistrement();
}
// Rows of a person in identifier order.
std::vector<TIndexPerson> Lignes(TGestFichier& g, long no) {
  std::vector<TIndexPerson> l;
  for (const long id : g.GetModuleBDD()->GetIndexPerson(no)) l.emplace_back(TFicIndexPerson::De(g), id);
  return l;
}
// Persons found, exact keys as positive numbers, phonetic ones as negative.
std::vector<int32_t> Trouves(const TGestFichier& g, const char16_t* nom, const char16_t* prenom = u"") {
  std::vector<int32_t> n;
  for (const auto& t : TFicIndexPerson::De(g)->ChercheNom(nom, prenom, 50)) n.push_back(t.Exact ? t.NoPers : -t.NoPers);
  return n;
}

class IndexPersonnes : public ::testing::Test {
 protected:
  IndexPersonnes() { NommeThreadPrincipal(); }
  std::unique_ptr<TGestFichier> Ouvre(bool creer = false, bool lectureSeule = false) {
    return std::make_unique<TGestFichier>(Chemin(), AvecIndex(TGestFichier::TOptionsOuverture{.Creer = creer, .LectureSeule = lectureSeule, .Proprietaire = &iu, .FabriqueIndex = {}}));
  }
  AnsiString Chemin() const { return rep / "Famille.kya/Famille.adb"; }
  AnsiString Prx2() const { return rep / "Famille.kya/Famille.prx2"; }

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
  AttendIndexEnPhase(*g);
}

TEST_F(IndexPersonnes, SauvegardesRenommagesSuppressionsEnPhase) {
  auto g = Ouvre(true);
  const long a = Ajoute(*g, u"Martel;Forge", u"Paul Louis");
  const long b = Ajoute(*g, u"Martin", u"Jeanne", 'F');
  AttendIndexEnPhase(*g);
  std::vector<long> avant = g->GetModuleBDD()->GetIndexPerson(a);
  ASSERT_EQ(avant.size(), 4u);
  // 4 rows become 2: two identifiers reused, the two others deleted.
  ASSERT_TRUE(Renomme(*g, a, u"Martel", u"Paul Louis"));
  const std::vector<long> apres = g->GetModuleBDD()->GetIndexPerson(a);
  ASSERT_EQ(apres.size(), 2u);
  for (const long id : apres) EXPECT_NE(std::find(avant.begin(), avant.end(), id), avant.end());
  AttendIndexEnPhase(*g);
  EXPECT_EQ(Trouves(*g, u"Forge"), std::vector<int32_t>{});
  EXPECT_EQ(Trouves(*g, u"Martel", u"Louis"), std::vector<int32_t>{static_cast<int32_t>(a)});
  // A renamed person is found under the new name only.
  ASSERT_TRUE(Renomme(*g, b, u"Dupré", u"Jeanne"));
  EXPECT_EQ(Trouves(*g, u"Martin"), std::vector<int32_t>{});
  EXPECT_EQ(Trouves(*g, u"DUPRE"), std::vector<int32_t>{static_cast<int32_t>(b)});
  AttendIndexEnPhase(*g);
  // Given names reordered: a row takes the name another row still holds until it is rewritten.
  ASSERT_TRUE(Renomme(*g, a, u"Martel", u"Louis Paul Marc"));
  ASSERT_TRUE(Renomme(*g, a, u"Martel", u"Paul Marc Louis"));
  EXPECT_EQ(Lignes(*g, a).size(), 3u);
  AttendIndexEnPhase(*g);
  // A deleted person has neither rows nor entries.
  TPerson p(g->GetFicPersons(), a);
  p.Public.FicheSupprimee = 'O';
  ASSERT_TRUE(p.Enregistrement());
  EXPECT_TRUE(g->GetModuleBDD()->GetIndexPerson(a).empty());
  EXPECT_EQ(Trouves(*g, u"Martel"), std::vector<int32_t>{});
  AttendIndexEnPhase(*g);
}

// A save cut at any system call: when it fails, the person's rows and entries are those of the
// person as it was; when the person was written but not all its rows, the verification finds it
// and puts the rows in step.
TEST(IndexApresUneSauvegarde, CoupeeAChaqueAppelCommeAvantOuCommeApres) {
  test::TGenealogieIndex d;
  TFicIndexPerson& index = d.Index();
  const long no = d.Ajoute({u"Martel;Forge", u"Paul Louis", 'M', 0, 0, {{"NAISSANCE", "12/03/1850"}}});
  const auto lignes = [&] { return test::LignesIndex(d.Dossier(), no); };
  const std::vector<UnicodeString> avant = lignes();
  ASSERT_EQ(avant.size(), 4u);
  ASSERT_TRUE(Renomme(d.Dossier(), no, u"Dupré", u"Jean"));
  const std::vector<UnicodeString> apres = lignes();
  ASSERT_EQ(apres.size(), 1u);
  long echecs = 0;
  for (long n = 1;; ++n) {
    SCOPED_TRACE(n);
    ASSERT_TRUE(Renomme(d.Dossier(), no, u"Martel;Forge", u"Paul Louis"));
    bool ecrit = false, atteinte = false;
    {
      const test::PanneAuNiemeAppel panne(n, n % 2 ? EIO : ENOSPC);
      ecrit = Renomme(d.Dossier(), no, u"Dupré", u"Jean");
      atteinte = test::PanneAuNiemeAppel::Atteinte();
    }
    if (!ecrit) {
      ++echecs;
      EXPECT_EQ(d.Personne(no).Public.Nom, u"Martel;Forge");
      EXPECT_EQ(lignes(), avant);
      EXPECT_EQ(Trouves(d.Dossier(), u"Dupre"), std::vector<int32_t>{});
    } else if (lignes() != apres) {
      EXPECT_GT(index.CheckIndexValid(nullptr, true).Defauts(), 0);
      EXPECT_EQ(lignes(), apres);
    }
    AttendIndexEnPhase(d.Dossier());
    if (!atteinte || HasFailure()) break;
  }
  EXPECT_GT(echecs, 0);
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
  AttendIndexEnPhase(*g);
  // Exact keys first, then the same phonetic code.
  const auto t = Trouves(*g, u"Bernard");
  ASSERT_EQ(t.size(), 40u);
  EXPECT_GT(t.front(), 0);
  EXPECT_LT(t.back(), 0);
  EXPECT_EQ(std::count_if(t.begin(), t.end(), [](int32_t n) { return n > 0; }), 20);
}

TEST_F(IndexPersonnes, FichierLuAuPremierUsage) {
  long no = 0;
  {
    auto g = Ouvre(true);
    for (int i = 0; i < 10; ++i) no = Ajoute(*g, u"Girard", u"Paul");
    ASSERT_TRUE(Renomme(*g, no, u"Girard", u"Pierre"));
    TFicIndexPerson::De(*g)->SupprimeClef(no - 1, true);
  }
  {
    auto g = Ouvre();
    EXPECT_TRUE(FichierExiste(Prx2()));
    // The store changes, the names do not: the file unread stays trusted.
    ASSERT_TRUE(g->GetModuleBDD()->MAJInfoChps("Essai", u"1"));
  }
  {
    auto g = Ouvre();
    TFicIndexPerson* index = TFicIndexPerson::De(*g);
    EXPECT_EQ(index->Origine(), TFicIndexPerson::TOrigine::Fichier);
    EXPECT_EQ(Trouves(*g, u"Girard").size(), 9u);
    // The count of rows the file gave is the table's.
    EXPECT_EQ(index->NbLignes(), static_cast<long>(g->GetModuleBDD()->NombreLignes("IndexNomPrenoms")));
  }
  {
    // Rows written while the file is unread (as an import writes them): the file is stale at once.
    auto g = Ouvre();
    TEnregPublic p;
    ASSERT_TRUE(g->GetModuleBDD()->ReadPerson(p, no));
    p.Nom = u"Lambert";
    TFicIndexPerson::De(*g)->ModifClef(p, no, true, false, false);
    EXPECT_FALSE(FichierExiste(Prx2()));
  }
  auto g = Ouvre();
  EXPECT_EQ(Trouves(*g, u"Lambert"), std::vector<int32_t>{static_cast<int32_t>(no)});
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
  const std::string sain = test::Contenu(Prx2());
  const auto remet = [&](const std::string& contenu) { test::Ecrit(Prx2(), contenu); };
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
    AttendIndexEnPhase(*g);
  }
}

// A search after an opening reads the trusted file in place: the same persons as over the index
// read whole, the file left unread; once read whole, the table of codes comes with it. A file of
// the former layout, or one damaged or wrong where the search reads, is read whole as before.
TEST_F(IndexPersonnes, RechercheDansLeFichierSansLeLireEnEntier) {
  constexpr int kNb = 100;  // 66 BERNARD, 34 BERNART and PETIT: 134 entries
  {
    auto g = Ouvre(true);
    for (int i = 0; i < kNb; ++i) Ajoute(*g, i % 3 ? u"Bernard" : u"Bernart;Petit", i % 2 ? u"Jean" : u"Marie");
  }
  const std::string sain = test::Contenu(Prx2());
  const TRechSimple criteres[] = {{.Nom = u"Bernard"}, {.Nom = u"Bernard", .PhonetiqueNom = true},
                                  {.Nom = u"Bern*", .Prenoms = u"Marie"}, {.Nom = u"Petit"}, {.Nom = u"B*D", .Sexe = 'M'}};
  std::vector<TResultatRecherche> attendus;
  // The surname list walks the file too, and again over the index read whole when it is damaged.
  const auto patronymes = [](TRechercheIndex& r) {
    std::vector<std::pair<UnicodeString, long>> liste;
    for (const TNomCompte& n : r.RetournePatronyme(u"b", '?', nullptr)) liste.emplace_back(n.Nom, n.Nombre);
    return liste;
  };
  const std::vector<std::pair<UnicodeString, long>> bernard{{u"BERNARD", 66}, {u"BERNART", 34}};
  {
    auto g = Ouvre();
    TRechercheIndex r(*TFicIndexPerson::De(*g), nullptr);
    EXPECT_EQ(patronymes(r), bernard);
    for (const TRechSimple& c : criteres) attendus.push_back(r.RechercheSimple(c, 50));
    EXPECT_TRUE(FichierExiste(Prx2()));
    // Read whole now: the phonetic codes come with the file, no search has built them.
    EXPECT_GT(TFicIndexPerson::De(*g)->Index()->GetNbElt(), 0);
    EXPECT_EQ(TFicIndexPerson::De(*g)->NbNomsCodes(), 4u);  // BERNARD, BERNART, PETIT, no surname
    for (size_t k = 0; k < std::size(criteres); ++k) {
      const TResultatRecherche r2 = r.RechercheSimple(criteres[k], 50);
      EXPECT_EQ(r2.Personnes, attendus[k].Personnes) << k;
      EXPECT_EQ(r2.Total, attendus[k].Total) << k;
    }
  }
  EXPECT_EQ(attendus[0].Total, 66);
  EXPECT_EQ(attendus[1].Total, kNb);
  EXPECT_EQ(attendus[4].Total, 66);

  // The footer gives where the entries end; the table of offsets there, where the middle one begins.
  const auto entier = [&sain](size_t position) {
    size_t v = 0;
    for (size_t k = 0; k < 4; ++k) v |= size_t{static_cast<unsigned char>(sain[position + k])} << (8 * k);
    return v;
  };
  std::string autre;  // the file of another genealogy of as many rows: the given names differ
  {
    const test::RepertoireTemporaire rep;
    {
      TGestFichier h(rep / "Autre.kya/Autre.adb", AvecIndex(TGestFichier::Creation(0)));
      for (int i = 0; i < kNb; ++i) Ajoute(h, i % 3 ? u"Bernard" : u"Bernart;Petit", i % 2 ? u"Luc" : u"Anne");
    }
    autre = test::Contenu(rep / "Autre.kya/Autre.prx2");
  }
  const size_t finEntrees = entier(sain.size() - 28), n = entier(5);
  const size_t milieu = entier(finEntrees + 8 * (n / 2));
  size_t noPers = entier(finEntrees + 8 * (n / 2 + 2));  // a BERNART entry; past its texts and years
  for (int t = 0; t < 4; ++t) noPers += 4 + entier(noPers);
  noPers += 4;
  const struct {
    const char* cas;
    std::string contenu;
    TFicIndexPerson::TOrigine origine;
  } fichiers[] = {
      {"ancienne disposition", sain.substr(0, finEntrees), TFicIndexPerson::TOrigine::Fichier},
      {"entrée abîmée", std::string(sain).replace(milieu, 4, "\xFF\xFF\xFF\xFF"),
       TFicIndexPerson::TOrigine::Reconstruit},
      {"autre généalogie", autre, TFicIndexPerson::TOrigine::Reconstruit},
      {"numéro négatif", std::string(sain).replace(noPers, 4, "\xFE\xFF\xFF\xFF"), TFicIndexPerson::TOrigine::Reconstruit},
      {"numéro au-delà des personnes", std::string(sain).replace(noPers, 4, std::string("\0\0\0\x7F", 4)),
       TFicIndexPerson::TOrigine::Reconstruit},
  };
  for (const auto& f : fichiers) {
    SCOPED_TRACE(f.cas);
    test::Ecrit(Prx2(), f.contenu);
    auto g = Ouvre();
    TRechercheIndex r(*TFicIndexPerson::De(*g), nullptr);
    EXPECT_EQ(patronymes(r), bernard);
    for (size_t k = 0; k < std::size(criteres); ++k)
      EXPECT_EQ(r.RechercheSimple(criteres[k], 50).Personnes, attendus[k].Personnes) << k;
    EXPECT_EQ(TFicIndexPerson::De(*g)->Origine(), f.origine);
    EXPECT_FALSE(FichierExiste(Prx2()));
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
    ASSERT_TRUE(Renomme(*g, no, u"Favre", u"Jean"));
    EXPECT_EQ(Trouves(*g, u"Favre"), std::vector<int32_t>{static_cast<int32_t>(no)});
  }
  auto g = Ouvre();
  EXPECT_EQ(Trouves(*g, u"Favre"), std::vector<int32_t>{static_cast<int32_t>(no)});
  EXPECT_TRUE(Trouves(*g, u"Fabre").empty() || Trouves(*g, u"Fabre")[0] < 0);  // phonetic only
  AttendIndexEnPhase(*g);
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
    AttendIndexEnPhase(g);
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
  AttendIndexEnPhase(*g);
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
  // From memory alone, for persons whose entries are spread over the index: the first in index
  // order of the principal entries of the lowest surname rank, as a walk of every entry finds it.
  const long autre = Ajoute(*g, u"Abel;Zola", u"Jean Marc");
  ASSERT_TRUE(Renomme(*g, no, u"Zola;Perrin;Abel", u"Marc"));
  index = TFicIndexPerson::De(*g)->Index();
  for (const long n : {no, autre, 999L}) {
    int attendu = -1;
    for (int i = 0; i < index->GetNbElt(); ++i) {
      const TEltIndex& x = index->Lit(i);
      if (x.NoPers == n && x.RgPrenom <= 1 && (attendu < 0 || x.RgNom < index->Lit(attendu).RgNom)) attendu = i;
    }
    EXPECT_EQ(index->ChercheClefPersNo(static_cast<int32_t>(n), m), attendu) << n;
  }
}

// The import mode writes the rows in bulk and reloads memory at its end: the same rows as
// ordinary saves, a person saved twice included.
TEST(IndexPersonnesImport, MemesLignesQueDesEnregistrementsOrdinaires) {
  std::vector<UnicodeString> attendu;
  for (const bool import : {false, true}) {
    SCOPED_TRACE(import);
    test::TGenealogieIndex d;
    TModuleBDD& m = *d.Bdd();
    if (import) {
      ASSERT_TRUE(m.BeginImport(true));
    }
    for (int i = 0; i < 30; ++i) d.Ajoute({i % 3 ? u"Lucas" : u"Rey;Roy", u"Noé Paul", 'M', 0, 0, {{"NAISSANCE", "../../1850"}}});
    ASSERT_TRUE(Renomme(d.Dossier(), 5, u"Lucas", u"Yves"));  // its rows rewritten
    if (import) {
      ASSERT_TRUE(m.EndImport(true));
    }
    EXPECT_EQ(Trouves(d.Dossier(), u"Lucas").size(), 21u);
    AttendIndexEnPhase(d.Dossier());
    if (import) {
      EXPECT_EQ(test::LignesIndex(d.Dossier()), attendu);
    } else {
      attendu = test::LignesIndex(d.Dossier());
    }
  }
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
  AttendIndexEnPhase(*g);
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
  AttendIndexEnPhase(*g);
  ASSERT_TRUE(TFicIndexPerson::De(*g)->ReinitTableIndex());
  EXPECT_EQ(TFicIndexPerson::De(*g)->NbLignes(), 1 + 10);
  AttendIndexEnPhase(*g);
  g->InitTailleIndex(100);
  EXPECT_EQ(TFicIndexPerson::De(*g)->Index()->GetNbElt(), 0);
  TFicIndexPerson::De(*g)->AddAllIndexComplete(true);
  AttendIndexEnPhase(*g);
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
