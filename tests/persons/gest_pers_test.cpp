// TPerson identity and links in both storages, the alternative parents, and the person cache.
#include "persons/gest_pers.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "folder/dossier_ancien.h"
#include "persons/bufferisationarbchrono.h"
#include "platform/thread_nom.h"
#include "store/datamodulebdd.h"
#include "support/support.h"

namespace kyb {
namespace {

using test::Contenu;

class Personne : public ::testing::Test {
 protected:
  Personne() { NommeThreadPrincipal(); }
  std::unique_ptr<TGestFichier> Ouvre(const AnsiString& chemin, bool creer = false,
                                      TGestFichier::TModeConversion mode = TGestFichier::mcAucune) {
    return std::make_unique<TGestFichier>(chemin, creer, false, true, false, 1, mode, false, false, nullptr);
  }
  std::unique_ptr<TGestFichier> Nouveau() { return Ouvre(rep / "Famille.kya/Famille.adb", true); }
  test::RepertoireTemporaire rep;
};

TEST_F(Personne, IdentiteEtLiensDansLaBase) {
  auto g = Nouveau();
  TFicPersons* f = g->FicPersons.get();
  EXPECT_EQ(TPerson(f, 1).Public.Nom, u"X");  // the root person of a new folder
  TPerson p(f, 0);
  p.NouvelleFiche(kEnregCourant);
  ASSERT_EQ(p.Numero(), 2);
  p.SetNom(UnicodeString(150, u'é'));
  p.SetSexe('F');
  for (long i = 0; i < kMaxConjoints; ++i) p.AjouteConj(1000 + i);
  EXPECT_EQ(p.AjouteConj(5000), -1);  // full: nothing changes
  for (long i = 0; i < kMaxEnfants; ++i) p.AjouteEnf(2000 + i);
  p.SetTemoin();
  ASSERT_TRUE(p.Enregistrement());
  EXPECT_EQ(g->NoThreadEcriture, IdThread());

  const TPerson relu(f, 2);
  EXPECT_EQ(relu.Public.Nom.size(), 100u);
  EXPECT_EQ(relu.Public.TypePersonne, 'P');  // a witness with links is saved as a person
  EXPECT_EQ(relu.CompteNbConjoint(), 150);
  EXPECT_EQ(relu.Public.Enfants[149].No, 2149);
  EXPECT_EQ(g->NoThreadLecture, IdThread());
  for (const long no : {0L, -5L}) {  // unnumbered: empty, and saving writes nothing
    TPerson vide(f, no);
    EXPECT_EQ(vide.Numero(), 0);
    vide.SetNom(u"Fantôme");
    EXPECT_FALSE(vide.Enregistrement());
  }
  const TPerson loin(f, 99);  // beyond the storage: empty, with its number
  EXPECT_EQ(loin.Numero(), 99);
  EXPECT_TRUE(loin.NomEtPrenomVides());
  EXPECT_EQ(g->GetModuleBDD()->CountPerson(), 2);
}

TEST_F(Personne, ParentsAlternatifs) {
  auto g = Nouveau();
  TFicPersons* f = g->FicPersons.get();
  TModuleBDD& m = *g->GetModuleBDD();
  TPerson p(f, 0);
  p.NouvelleFiche(kEnregCourant);
  const long no = p.Numero();
  p.Public.Pere = 1;
  ASSERT_TRUE(p.Enregistrement());
  TNoParent lu;
  EXPECT_FALSE(m.ReadNoParents(no, lu));  // the default pair leaves no row

  TPerson q(f, no);
  EXPECT_EQ(q.NoParents().PereA, 1);
  q.NoParents().PereB = 7;
  q.NoParents().PerePrinc = 2;
  q.Public.Pere = 7;
  ASSERT_TRUE(q.Enregistrement());
  TEnregPublic brut;  // the row, not the Personnes column, decides the displayed father
  ASSERT_TRUE(m.ReadPerson(brut, no));
  brut.Pere = 1;
  ASSERT_TRUE(m.WritePerson(brut, no));
  TPerson r(f, no);
  EXPECT_EQ(r.Public.Pere.No, 7);
  EXPECT_EQ(r.NoParents().PereA, 1);

  r.NoParents() = TNoParent();
  r.NoParents().PereA = 3;
  r.Public.Pere = 3;
  ASSERT_TRUE(r.Enregistrement());
  EXPECT_FALSE(m.ReadNoParents(no, lu));
}

TEST_F(Personne, DossierAncien) {
  const AnsiString chemin = test::CreeDossierAncien(
      rep.Chemin(), {test::Personne(u"Lefèvre"), test::Personne(u"Dupont", 'F'), test::Personne(u"Abîmé")});
  const AnsiString prs = ChangeExtension(chemin, ".prs");
  {
    // Read by the conversion: links beyond the record's go to an extension record.
    auto g = Ouvre(chemin, false, TGestFichier::mcConversion);
    TPerson p(g->FicPersons.get(), 1);
    EXPECT_EQ(p.Public.Nom, u"Lefèvre");
    for (long i = 0; i < 12; ++i) p.AjouteConj(100 + i);
    for (long i = 0; i < 35; ++i) p.AjouteEnf(200 + i);
    ASSERT_TRUE(p.Enregistrement());
    EXPECT_EQ(p.Public.NoExtension, 1);
    TPerson nouveau(g->FicPersons.get(), 0);
    nouveau.NouvelleFiche(kEnregCourant);
    EXPECT_EQ(nouveau.Numero(), 4);
    ASSERT_TRUE(nouveau.Enregistrement());
  }
  std::string octets = Contenu(prs);
  octets[2 * kTailleEnregPersonne + TEnregPersonne::kSexe] = 'X';
  octets[3 * kTailleEnregPersonne + TEnregPersonne::kSupprime] = '\x01';
  std::ofstream(prs, std::ios::binary | std::ios::trunc) << octets;

  auto g = Ouvre(chemin);
  TFicPersons* f = g->FicPersons.get();
  const TPerson un(f, 1);
  EXPECT_EQ(un.Public.Conjoints[11].Lien.No, 111);
  EXPECT_EQ(un.Public.Enfants[34].No, 234);
  EXPECT_EQ(TPerson(f, 2).Public.Sexe, '?');
  const TPerson abime(f, 3);  // garbage: empty, with its number
  EXPECT_EQ(abime.Numero(), 3);
  EXPECT_TRUE(abime.NomEtPrenomVides());
  TPerson quatre(f, 4);
  EXPECT_EQ(quatre.Numero(), 4);
  quatre.SetNom(u"Autre");
  EXPECT_FALSE(quatre.Enregistrement());  // read-only
  EXPECT_EQ(Contenu(prs), octets);
}

TEST_F(Personne, CacheDesPersonnes) {
  auto g = Nouveau();
  TFicPersons* f = g->FicPersons.get();
  TBufferisationArbChrono& cache = TBufferisationArbChrono::De(*f);
  for (long no = 10001; no >= 1; --no) {
    auto p = std::make_unique<TPerson>(f, 0);
    p->NouvelleFiche(no);
    cache.AjoutePersonne(std::move(p));
  }
  // The 10001st person pushed out the lowest number, not the oldest entry.
  EXPECT_EQ(cache.Taille(), 10000u);
  EXPECT_FALSE(cache.Contient(2));
  EXPECT_TRUE(cache.Contient(1));
  cache.RazBuffers();
  EXPECT_EQ(cache.GetPerson(-5)->Numero(), 0);

  TPerson p(f, 1);  // a direct read drops the number from the cache: read before caching it
  TPerson* racine = cache.GetPerson(1);
  EXPECT_EQ(cache.GetPerson(1), racine);
  p.SetNom(u"Racine");
  ASSERT_TRUE(p.Enregistrement());  // refreshes the cached copy
  EXPECT_FALSE(p.Modifie());
  EXPECT_EQ(racine->Public.Nom, u"Racine");
  TPerson parCache(f, 0);
  parCache.Lecture(1, false, 0, true);
  EXPECT_EQ(parCache.Public.Nom, u"Racine");
  parCache.SetModifie(true);
  EXPECT_EQ(cache.Update(parCache), racine);
  EXPECT_EQ(cache.Update(parCache), nullptr);  // the mark was cleared
  cache.Delete(1);
  EXPECT_FALSE(cache.Contient(1));
  f->VideBufferPerson();
  EXPECT_EQ(TBufferisationArbChrono::De(*f).Taille(), 0u);
}

// Counts the statements run on the store's connection while it lives.
class CompteurRequetes {
 public:
  explicit CompteurRequetes(TModuleBDD& m) : m_(m), depart_(m.Database().Activite().instructions) {}
  [[nodiscard]] int64_t Nombre() const { return m_.Database().Activite().instructions - depart_; }

 private:
  TModuleBDD& m_;
  int64_t depart_;
};

// What a cached read gives must be what a direct read of the store gives.
void AttendComme(const TPerson& enCache, TFicPersons* f, long no) {
  const TPerson direct(f, no);
  EXPECT_EQ(enCache.Public.Nom, direct.Public.Nom);
  EXPECT_EQ(enCache.Public.Pere.No, direct.Public.Pere.No);
  EXPECT_EQ(enCache.Public.Mere.No, direct.Public.Mere.No);
  EXPECT_EQ(enCache.NoParents().PereB, direct.NoParents().PereB);
  EXPECT_EQ(enCache.NoParents().PerePrinc, direct.NoParents().PerePrinc);
}

TEST_F(Personne, LectureEnCacheSansRequeteNiDonneePerimee) {
  auto g = Nouveau();
  TFicPersons* f = g->FicPersons.get();
  TModuleBDD& m = *g->GetModuleBDD();
  TPerson ecrit(f, 0);
  ecrit.NouvelleFiche(kEnregCourant);
  const long no = ecrit.Numero();
  ecrit.SetNom(u"Durand");
  ecrit.NoParents().PereA = 1;
  ecrit.NoParents().PereB = 7;
  ecrit.NoParents().PerePrinc = 2;  // father B is the displayed one
  ecrit.Public.Pere = 7;
  ASSERT_TRUE(ecrit.Enregistrement());

  TPerson lu(f, 0);
  lu.Lecture(no, false, 0, true);  // a miss fills the cache
  {
    const CompteurRequetes compteur(m);
    for (int i = 0; i < 3; ++i) lu.Lecture(no, false, 0, true);
    EXPECT_EQ(compteur.Nombre(), 0);
  }
  EXPECT_EQ(lu.Public.Pere.No, 7);
  EXPECT_EQ(lu.NoParents().PereA, 1);
  lu.Lecture(no, true, 0, true);  // the card joins the cached person once
  {
    const CompteurRequetes compteur(m);
    lu.Lecture(no, true, 0, true);
    EXPECT_EQ(compteur.Nombre(), 0);
  }
  EXPECT_TRUE(lu.FicheChargee());

  // A save of another copy of the person refreshes the cached one, parents included.
  ecrit.SetNom(u"Dupont");
  ecrit.NoParents().PerePrinc = 0;
  ecrit.Public.Pere = 1;
  ASSERT_TRUE(ecrit.Enregistrement());
  {
    const CompteurRequetes compteur(m);
    lu.Lecture(no, false, 0, true);
    EXPECT_EQ(compteur.Nombre(), 0);
  }
  EXPECT_EQ(lu.Public.Nom, u"Dupont");
  EXPECT_EQ(lu.Public.Pere.No, 1);
  AttendComme(lu, f, no);

  // The alternative parents written alone: the cached copy is dropped, then read again.
  lu.Lecture(no, false, 0, true);
  ecrit.NoParents().PerePrinc = 2;
  ecrit.WriteNoParentFromBDD();
  lu.Lecture(no, false, 0, true);
  EXPECT_EQ(lu.Public.Pere.No, 7);
  AttendComme(lu, f, no);

  // A save the store refuses leaves nothing unsaved in the cache.
  lu.Lecture(no, false, 0, true);
  ASSERT_TRUE(m.Database().ExecuteSql("CREATE TEMP TRIGGER panne BEFORE UPDATE ON main.Personnes "
                                      "BEGIN SELECT RAISE(ABORT, 'panne provoquée'); END"));
  ecrit.SetNom(u"Perdu");
  EXPECT_FALSE(ecrit.Enregistrement());
  ASSERT_TRUE(m.Database().ExecuteSql("DROP TRIGGER temp.panne"));
  lu.Lecture(no, false, 0, true);
  EXPECT_EQ(lu.Public.Nom, u"Dupont");
  AttendComme(lu, f, no);
}

}  // namespace
}  // namespace kyb
