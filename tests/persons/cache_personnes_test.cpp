// The person cache: its table against a plain ordered set, the copy of a record through its used
// link slots, and cached reads compared field by field with direct reads of a generated family.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>

#include "persons/bufferisationarbchrono.h"
#include "persons/gest_pers.h"
#include "platform/thread_nom.h"
#include "store/datamodulebdd.h"
#include "store/enreg_public_copie.h"
#include "support/support.h"

namespace kyb {
namespace {

TLienPers Lien(int32_t no, uint8_t niveau) {
  TLienPers l(no);
  l.NivNo = niveau;
  return l;
}
TLienConj Conj(int32_t no, uint8_t niveau, int32_t compagnon) {
  TLienConj c;
  c.Lien = Lien(no, niveau);
  c.Compagnon = compagnon;
  return c;
}

// Every member of the public record, slot by slot (a link is its number and its qualifier).
void AttendMemePublic(const TEnregPublic& a, const TEnregPublic& b, const std::string& ou) {
  SCOPED_TRACE(ou);
  EXPECT_EQ(a.LiensChpsSimples, b.LiensChpsSimples);
  EXPECT_EQ(a.LiensEvens, b.LiensEvens);
  EXPECT_EQ(a.LiensCitations, b.LiensCitations);
  EXPECT_EQ(a.TypePersonne, b.TypePersonne);
  EXPECT_EQ(a.FicheSupprimee, b.FicheSupprimee);
  EXPECT_EQ(a.Sexe, b.Sexe);
  auto lien = [](const TLienPers& l) { return std::pair(l.No, l.NivNo); };
  EXPECT_EQ(lien(a.Pere), lien(b.Pere));
  EXPECT_EQ(lien(a.Mere), lien(b.Mere));
  for (size_t i = 0; i < a.Conjoints.size(); ++i) {
    EXPECT_EQ(lien(a.Conjoints[i].Lien), lien(b.Conjoints[i].Lien)) << "conjoint " << i;
    EXPECT_EQ(a.Conjoints[i].Compagnon, b.Conjoints[i].Compagnon) << "conjoint " << i;
  }
  for (size_t i = 0; i < a.Enfants.size(); ++i) EXPECT_EQ(lien(a.Enfants[i]), lien(b.Enfants[i])) << "enfant " << i;
  EXPECT_EQ(a.Nom, b.Nom);
  EXPECT_EQ(a.Prenoms, b.Prenoms);
  EXPECT_EQ(a.OrdrePU, b.OrdrePU);
  EXPECT_EQ(a.IndexPers, b.IndexPers);
  EXPECT_EQ(a.Note, b.Note);
  EXPECT_EQ(a.NoExtension, b.NoExtension);
  EXPECT_EQ(a.Autres, b.Autres);
  EXPECT_EQ(a.Indice, b.Indice);
  EXPECT_EQ(a.CodeGeneration, b.CodeGeneration);
  EXPECT_TRUE(a.Sosa == b.Sosa);
  EXPECT_EQ(a.Texte1, b.Texte1);
  EXPECT_EQ(a.Texte2, b.Texte2);
}

// A record with every slot and member set, as a reused destination would hold.
TEnregPublic Plein() {
  TEnregPublic p;
  for (int i = 0; i < kMaxLiensChamps; ++i) p.LiensChpsSimples[i] = p.LiensEvens[i] = p.LiensCitations[i] = 900 + i;
  for (int i = 0; i < kMaxConjoints; ++i) p.Conjoints[i] = Conj(5000 + i, 2, 7);
  for (int i = 0; i < kMaxEnfants; ++i) p.Enfants[i] = Lien(6000 + i, 1);
  p.Sexe = 'F';
  p.Pere = 3;
  p.Nom = UnicodeString(100, u'é');
  p.Prenoms = u"Marie Thérèse";
  p.IndexPers.fill(4);
  p.Sosa = NTL::conv<NTL::ZZ>("123456789012345678901234567890");
  p.Texte2 = u"ancien";
  return p;
}

TEST(CopiePublic, LaCopieEgaleLaSourceQuelQueSoitLeContenuDeLaDestination) {
  struct Cas {
    const char* nom;
    void (*remplit)(TEnregPublic&);
  };
  const Cas cas[] = {
      {"vide", [](TEnregPublic&) {}},
      {"premiers emplacements",
       [](TEnregPublic& p) {
         p.LiensEvens[0] = 1;
         p.LiensEvens[1] = 44;
         p.Conjoints[0] = Conj(12, 0, 3);
         p.Enfants[0] = 13;
         p.Enfants[1] = 14;
         p.Nom = u"Martin";
       }},
      {"derniers emplacements seuls",
       [](TEnregPublic& p) {
         p.LiensChpsSimples[100] = 8;
         p.LiensCitations[100] = 9;
         p.Conjoints[149] = Conj(77, 0, 0);
         p.Enfants[149] = 78;
       }},
      {"trou au milieu",
       [](TEnregPublic& p) {
         p.Enfants[0] = 5;
         p.Enfants[70] = 6;
         p.Conjoints[2] = Conj(9, 0, 0);
       }},
      {"qualificatif ou compagnon sans numero",
       [](TEnregPublic& p) {
         p.Enfants[30].NivNo = 2;
         p.Conjoints[40].Compagnon = 5;
         p.Conjoints[41].Lien.NivNo = 1;
       }},
  };
  for (const Cas& c : cas) {
    TEnregPublic source;
    c.remplit(source);
    TEnregPublic dest = Plein();
    CopiePublic(source, TLiensUtilises::De(source), dest);
    AttendMemePublic(dest, source, c.nom);
    TEnregPublic tout = Plein();
    CopiePublic(source, TLiensUtilises::Tous(), tout);
    AttendMemePublic(tout, source, std::string(c.nom) + " (tous)");
  }
  const TEnregPublic plein = Plein();
  const TLiensUtilises l = TLiensUtilises::De(plein);
  EXPECT_EQ(l.Conjoints, kMaxConjoints);
  EXPECT_EQ(l.Enfants, kMaxEnfants);
  TEnregPublic dest;
  CopiePublic(plein, l, dest);
  AttendMemePublic(dest, plein, "plein");
}

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
    if (etape % 97 == 0)
      for (const long n : numeros) {
        const auto it = modele.find(n);
        ASSERT_EQ(cache.Contient(n), it != modele.end()) << etape << " " << n;
        if (it != modele.end()) ASSERT_EQ(cache.Lit(n, false).Personne, it->second) << etape << " " << n;
      }
  }
  cache.RazBuffers();
  EXPECT_EQ(cache.Taille(), 0u);
  for (const long n : numeros) EXPECT_FALSE(cache.Contient(n));
}

class CachePersonnes : public ::testing::Test {
 protected:
  CachePersonnes() {
    NommeThreadPrincipal();
    g = std::make_unique<TGestFichier>(rep / "Famille.kya/Famille.adb", TGestFichier::Creation());
    f = g->FicPersons.get();
    m = g->GetModuleBDD();
  }

  long Nouvelle(const char16_t* nom, char sexe) {
    TPerson p(f, 0);
    p.NouvelleFiche(kEnregCourant);
    p.SetNom(nom);
    p.SetPrenoms(u"Jean Émile");
    p.SetSexe(sexe);
    p.Fiche().EvenementsCharges = p.Fiche().ChpsSimplesCharges = true;
    EXPECT_TRUE(p.Enregistrement());
    return p.Numero();
  }
  TEvenement Even(const char* libelle, const char* date) const {
    TEvenement e(m);
    e.NouvelleFiche();
    e.SetLibelle(libelle);
    e.Enreg.Date = TDateKY('G', date);
    return e;
  }

  // A couple with many children, their parents, second unions and alternative parents; events
  // and simple fields on several of them.
  void GenereFamille() {
    const long pere = Nouvelle(u"Martin", 'M');
    const long mere = Nouvelle(u"Durand", 'F');
    for (int i = 0; i < 3; ++i) autres.push_back(Nouvelle(u"Conjoint", i % 2 ? 'M' : 'F'));
    std::vector<long> enfants;
    for (int i = 0; i < kMaxEnfants; ++i) enfants.push_back(Nouvelle(u"Martin", i % 2 ? 'M' : 'F'));
    TPerson p(f, pere, true);
    TPerson q(f, mere, true);
    ASSERT_GE(p.AjouteConj(mere), 0);
    ASSERT_GE(q.AjouteConj(pere), 0);
    for (const long a : autres) ASSERT_GE(p.AjouteConj(a), 0);
    for (const long e : enfants) {
      ASSERT_GE(p.AjouteEnf(e), 0);
      ASSERT_GE(q.AjouteEnf(e), 0);
    }
    ASSERT_GE(p.AjoutEven(Even("NAISSANCE", "12/03/1820")), 0);
    ASSERT_GE(p.AjoutEven(Even("DECES", "1/1/1890")), 0);
    ASSERT_TRUE(p.SetValeurChpsSimple("PROFESSION", u"Forgeron"));
    ASSERT_GE(q.AjoutEven(Even("NAISSANCE", "vers 1825")), 0);
    ASSERT_TRUE(p.Enregistrement());
    ASSERT_TRUE(q.Enregistrement());
    for (size_t i = 0; i < enfants.size(); ++i) {
      TPerson e(f, enfants[i], true);
      e.Public.Pere = pere;
      e.Public.Mere = mere;
      if (i % 10 == 0) ASSERT_GE(e.AjoutEven(Even("BAPTEME", "2/2/1850")), 0);
      if (i % 25 == 0) {
        e.NoParents().PereA = static_cast<int32_t>(pere);
        e.NoParents().PereB = static_cast<int32_t>(autres[1]);
        e.NoParents().PerePrinc = 2;
      }
      ASSERT_TRUE(e.Enregistrement());
    }
    tous.clear();
    for (long no = 1; no <= f->NbEnreg; ++no) tous.push_back(no);
    this->pere = pere;
    this->mere = mere;
    this->enfants = enfants;
  }

  // Each person read through the cache (one reused object, shuffled order; the first pass meets
  // the copies the edits refreshed, the second one hits throughout) equals a direct read made
  // afterwards (a direct read drops the number from the cache): identity, alternative parents
  // and card.
  void AttendCacheCommeDirect(const std::string& etape) {
    std::mt19937 alea(7);
    TBufferisationArbChrono& cache = TBufferisationArbChrono::De(*f);
    for (const bool complet : {false, true}) {
      std::map<long, TPerson> lus[2];
      for (int passe = 0; passe < 2; ++passe) {
        std::shuffle(tous.begin(), tous.end(), alea);
        for (const long no : tous) {
          if (passe == 1) ASSERT_TRUE(cache.Contient(no)) << no;
          lu.Lecture(no, complet, 0, true);
          lus[passe].emplace(no, lu);
        }
      }
      for (const long no : tous) {
        const TPerson direct(f, no, complet);
        for (int passe = 0; passe < 2; ++passe) {
          const std::string ou = etape + " n°" + std::to_string(no) + (complet ? " complet" : "") +
                                 (passe ? " (en cache)" : "");
          AttendCommeDirect(lus[passe].at(no), direct, complet, ou);
        }
        if (HasFailure()) return;
      }
    }
  }

  static void AttendCommeDirect(const TPerson& lu, const TPerson& direct, bool complet, const std::string& ou) {
    ASSERT_EQ(lu.Numero(), direct.Numero()) << ou;
    AttendMemePublic(lu.Public, direct.Public, ou);
    EXPECT_EQ(lu.NoParents(), direct.NoParents()) << ou;
    EXPECT_EQ(lu.FicheChargee(), complet) << ou;
    EXPECT_EQ(direct.FicheChargee(), complet) << ou;
    const TChpsPersonne& a = lu.Fiche();
    const TChpsPersonne& b = direct.Fiche();
    ASSERT_EQ(a.Evenements.size(), b.Evenements.size()) << ou;
    for (size_t i = 0; i < a.Evenements.size(); ++i) {
      EXPECT_TRUE(a.Evenements[i].Even == b.Evenements[i].Even) << ou << " évènement " << i;
      EXPECT_EQ(a.Evenements[i].RgConj, b.Evenements[i].RgConj) << ou;
    }
    ASSERT_EQ(a.ChpsSimples.size(), b.ChpsSimples.size()) << ou;
    for (size_t i = 0; i < a.ChpsSimples.size(); ++i)
      EXPECT_TRUE(a.ChpsSimples[i].Chps.Enreg == b.ChpsSimples[i].Chps.Enreg) << ou << " champ " << i;
  }

  test::RepertoireTemporaire rep;
  std::unique_ptr<TGestFichier> g;
  TFicPersons* f = nullptr;
  TModuleBDD* m = nullptr;
  std::vector<long> autres, enfants, tous;
  long pere = 0, mere = 0;
  TPerson lu{nullptr, 0};
};

TEST_F(CachePersonnes, LectureEnCacheIdentiqueALaLectureDirecte) {
  GenereFamille();
  lu = TPerson(f, 0);
  AttendCacheCommeDirect("famille");
  if (HasFailure()) return;

  // Fewer links than the cached copy had: the slots left must read empty.
  {
    TPerson p(f, pere, false, 0, true);  // a copy of the cached person, refreshed by the save
    for (size_t i = enfants.size() / 2; i < enfants.size(); ++i) ASSERT_TRUE(p.SupprimeLienEnfant(enfants[i]));
    ASSERT_TRUE(p.SupprimeLienConjoint(autres[2]));
    ASSERT_TRUE(p.Enregistrement());
  }
  AttendCacheCommeDirect("liens retirés");
  if (HasFailure()) return;

  // A new name and one more spouse, saved from a copy of the cached person.
  {
    TPerson p(f, mere, false, 0, true);
    p.SetNom(u"Lefèvre");
    ASSERT_GE(p.AjouteConj(autres[2]), 0);  // more links than the cached copy had
    ASSERT_TRUE(p.Enregistrement());
  }
  AttendCacheCommeDirect("conjoint ajouté");
  if (HasFailure()) return;

  // A new event, alternative parents written alone, a deleted person.
  {
    TPerson r(f, enfants[10], true, 0, true);
    ASSERT_GE(r.AjoutEven(Even("RESIDENCE", "1860")), 0);
    ASSERT_TRUE(r.Enregistrement());
    TPerson e(f, enfants[3]);
    e.NoParents().MereA = static_cast<int32_t>(mere);
    e.NoParents().MereB = static_cast<int32_t>(autres[0]);
    e.NoParents().MerePrinc = 2;
    e.WriteNoParentFromBDD();
    TPerson s(f, enfants[7], true);
    ASSERT_TRUE(s.Suppression());
    ASSERT_TRUE(s.Enregistrement());
  }
  AttendCacheCommeDirect("modifications");
  if (HasFailure()) return;

  // A caller that changes the cached person in place is served what it wrote.
  TPerson* enPlace = TBufferisationArbChrono::De(*f).GetPerson(enfants[0]);
  enPlace->Public.Enfants[kMaxEnfants - 1] = 4242;
  lu.Lecture(enfants[0], false, 0, true);
  EXPECT_EQ(lu.Public.Enfants[kMaxEnfants - 1].No, 4242);
}

}  // namespace
}  // namespace kyb
