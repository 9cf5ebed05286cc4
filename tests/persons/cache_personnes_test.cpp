// The person cache: its table against a plain ordered set, and cached reads equal to direct
// reads of the store through every kind of change, asking nothing of the store on a hit.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

#include "persons/bufferisationarbchrono.h"
#include "support/genealogie.h"

namespace kyb {
namespace {

// The table against an ordered set: additions (the lowest number leaves when full), removals,
// look-ups, over enough numbers that entries meet in the table and are moved back on removal.
TEST(CachePersonnesTable, SuitUnEnsembleOrdonne) {
  constexpr size_t kCapacite = 40;
  TBufferisationArbChrono cache(nullptr, kCapacite);
  std::map<long, const TPerson*> modele;
  std::mt19937 alea(2026);
  std::vector<long> numeros;
  for (long i = 1; i <= 60; ++i) numeros.push_back(i);
  for (long i = 1; i <= 40; ++i) numeros.push_back(i * 128 + 1);
  numeros.push_back(kEnregEntete);
  std::uniform_int_distribution<size_t> choix(0, numeros.size() - 1);
  for (int etape = 0; etape < 20000; ++etape) {
    const long no = numeros[choix(alea)];
    if (alea() % 3 != 0) {
      auto p = std::make_unique<TPerson>(nullptr, 0);
      p->NouvelleFiche(no);
      const TPerson* adresse = p.get();
      if (!modele.count(no) && modele.size() == kCapacite) modele.erase(modele.begin());
      modele[no] = adresse;
      cache.AjoutePersonne(std::move(p));
    } else {
      cache.Delete(static_cast<int>(no));
      modele.erase(no);
    }
    ASSERT_EQ(cache.Taille(), modele.size()) << etape;
    if (etape % 97 != 0) continue;
    for (const long n : numeros) {
      const auto it = modele.find(n);
      ASSERT_EQ(cache.Contient(n), it != modele.end()) << etape << " " << n;
      if (it != modele.end()) { ASSERT_EQ(cache.Lit(n, false).Personne, it->second) << etape << " " << n; }
    }
  }
  cache.RazBuffers();
  EXPECT_EQ(cache.Taille(), 0u);
  for (const long n : numeros) EXPECT_FALSE(cache.Contient(n));
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

class CachePersonnes : public ::testing::Test, protected test::TGenealogie {
 protected:
  // A couple with the most children a person holds, second unions and alternative parents;
  // events and a simple field on several of them.
  void GenereFamille() {
    pere = Ajoute({u"Martin", u"Jean Émile", 'M', 0, 0, {{"NAISSANCE", "12/03/1820"}, {"DECES", "1/1/1890"}}});
    mere = Ajoute({u"Durand", u"Marie", 'F', 0, 0, {{"NAISSANCE", "../../1825"}}});
    for (int i = 0; i < 3; ++i) autres.push_back(Ajoute({u"Conjoint", u"", i % 2 ? 'M' : 'F'}));
    for (int i = 0; i < kMaxEnfants; ++i) {
      test::TPersonneTest e{u"Martin", u"Paul", i % 2 ? 'M' : 'F', pere, mere};
      if (i % 10 == 0) e.evens = {{"BAPTEME", "2/2/1850"}};
      enfants.push_back(Ajoute(e));
    }
    TPerson p = Personne(pere, true);
    ASSERT_GE(p.AjouteConj(mere), 0);
    for (const long a : autres) ASSERT_GE(p.AjouteConj(a), 0);
    ASSERT_TRUE(p.SetValeurChpsSimple("PROFESSION", u"Forgeron"));
    ASSERT_TRUE(p.Enregistrement());
    TPerson q = Personne(mere);
    ASSERT_GE(q.AjouteConj(pere), 0);
    ASSERT_TRUE(q.Enregistrement());
    for (size_t i = 0; i < enfants.size(); i += 25) {
      TPerson e = Personne(enfants[i]);
      e.NoParents().PereA = static_cast<int32_t>(pere);
      e.NoParents().PereB = static_cast<int32_t>(autres[1]);
      e.NoParents().PerePrinc = 2;
      ASSERT_TRUE(e.Enregistrement());
    }
    for (long no = 1; no <= Personnes()->NbEnreg; ++no) tous.push_back(no);
  }

  // Each person read through the cache (one reused object, shuffled order; the first pass meets
  // the copies the edits refreshed, the second one hits throughout and runs no statement)
  // equals a direct read made afterwards (a direct read drops the number from the cache).
  void AttendCacheCommeDirect(const std::string& etape) {
    std::mt19937 alea(7);
    for (const bool complet : {false, true}) {
      std::map<long, TPerson> lus[2];
      for (int passe = 0; passe < 2; ++passe) {
        std::shuffle(tous.begin(), tous.end(), alea);
        const CompteurRequetes compteur(*Bdd());
        for (const long no : tous) {
          lu.Lecture(no, complet, 0, true);
          lus[passe].emplace(no, lu);
        }
        if (passe == 1) {
          EXPECT_EQ(compteur.Nombre(), 0) << etape;
        }
      }
      for (const long no : tous) {
        const TPerson direct = Personne(no, complet);
        ASSERT_EQ(direct.FicheChargee(), complet);
        for (int passe = 0; passe < 2; ++passe)
          test::AttendMemePersonne(lus[passe].at(no), direct, etape + " n°" + std::to_string(no) +
                                                                 (complet ? " complet" : "") + (passe ? " (en cache)" : ""));
        if (HasFailure()) return;
      }
    }
  }

  std::vector<long> autres, enfants, tous;
  long pere = 0, mere = 0;
  TPerson lu{nullptr, 0};
};

TEST_F(CachePersonnes, LectureEnCacheIdentiqueALaLectureDirecte) {
  GenereFamille();
  lu = TPerson(Personnes(), 0);
  AttendCacheCommeDirect("famille");
  if (HasFailure()) return;

  // Fewer links than the cached copy had: the slots left must read empty.
  {
    TPerson p(Personnes(), pere, false, 0, true);  // a copy of the cached person, refreshed by the save
    for (size_t i = enfants.size() / 2; i < enfants.size(); ++i) ASSERT_TRUE(p.SupprimeLienEnfant(enfants[i]));
    ASSERT_TRUE(p.SupprimeLienConjoint(autres[2]));
    ASSERT_TRUE(p.Enregistrement());
  }
  AttendCacheCommeDirect("liens retirés");
  if (HasFailure()) return;

  // A new name and one more spouse, saved from a copy of the cached person.
  {
    TPerson p(Personnes(), mere, false, 0, true);
    p.SetNom(u"Lefèvre");
    ASSERT_GE(p.AjouteConj(autres[2]), 0);  // more links than the cached copy had
    ASSERT_TRUE(p.Enregistrement());
  }
  AttendCacheCommeDirect("conjoint ajouté");
  if (HasFailure()) return;

  // A new event, alternative parents written alone, a deleted person.
  {
    TPerson r(Personnes(), enfants[10], true, 0, true);
    ASSERT_GE(r.AjoutEven(test::Evenement(Bdd(), {"RESIDENCE", "../../1860"})), 0);
    ASSERT_TRUE(r.Enregistrement());
    TPerson e(Personnes(), enfants[3], false, 0, true);
    e.NoParents().MereA = static_cast<int32_t>(mere);
    e.NoParents().MereB = static_cast<int32_t>(autres[0]);
    e.NoParents().MerePrinc = 2;
    e.WriteNoParentFromBDD();
    TPerson s = Personne(enfants[7], true);
    ASSERT_TRUE(s.Suppression());
    ASSERT_TRUE(s.Enregistrement());
  }
  AttendCacheCommeDirect("modifications");
  if (HasFailure()) return;

  // A save the store refuses leaves nothing unsaved in the cache.
  {
    TPerson p(Personnes(), mere, false, 0, true);
    ASSERT_TRUE(Bdd()->Database().ExecuteSql("CREATE TEMP TRIGGER panne BEFORE UPDATE ON main.Personnes "
                                             "BEGIN SELECT RAISE(ABORT, 'panne provoquée'); END"));
    p.SetNom(u"Perdu");
    EXPECT_FALSE(p.Enregistrement());
    ASSERT_TRUE(Bdd()->Database().ExecuteSql("DROP TRIGGER temp.panne"));
  }
  AttendCacheCommeDirect("enregistrement refusé");
  if (HasFailure()) return;

  // A caller that changes the cached person in place is served what it wrote.
  TPerson* enPlace = TBufferisationArbChrono::De(*Personnes()).GetPerson(enfants[0]);
  enPlace->Public.Enfants[kMaxEnfants - 1] = 4242;
  lu.Lecture(enfants[0], false, 0, true);
  EXPECT_EQ(lu.Public.Enfants[kMaxEnfants - 1].No, 4242);
}

}  // namespace
}  // namespace kyb
