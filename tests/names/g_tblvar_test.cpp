#include "names/g_tblvar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <random>

#include "platform/erreur.h"

namespace kyb {
namespace {

// A text and a number, ordered by text then number; serialised as 4 raw bytes then the text.
class TEltTest : public TEltBaseTV {
 public:
  TEltTest() = default;
  TEltTest(std::string t, int32_t n) : texte(std::move(t)), numero(n) {}
  TEltTest(const TEltTest&) = default;
  TEltTest& operator=(const TEltTest&) = default;

  char* Ecrit(char* p) const override {
    EcritMemoire(p, &numero, sizeof numero);
    EcritChn(p, texte.c_str());
    return p;
  }
  int Lit(const char* buffer, int offset) override {
    const char* p = buffer + offset;
    LitMemoire(p, &numero, sizeof numero);
    LitChn(p, texte, 64);
    return static_cast<int>(p - (buffer + offset));
  }
  int GetTaille() const override { return static_cast<int>(4 + texte.size() + 1); }
  int GetTailleMax() const override { return tailleMax >= 0 ? tailleMax : GetTaille(); }
  int EltCmp(const TEltBaseTV& a) const override {
    const auto& b = static_cast<const TEltTest&>(a);
    if (const int c = texte.compare(b.texte)) return c;
    return (numero > b.numero) - (numero < b.numero);
  }
  bool operator==(const TEltTest& b) const { return EltCmp(b) == 0; }

  std::string texte;
  int32_t numero = 0;
  int tailleMax = -1;
};

std::vector<TEltTest> Contenu(const TTableTV& t) {
  std::vector<TEltTest> v(t.GetNbElt());
  for (int i = 0; i < t.GetNbElt(); ++i) t.Lit(i, v[i]);
  return v;
}

TEltTest Aleatoire(std::mt19937& alea) {
  std::string t;
  const int lg = 1 + static_cast<int>(alea() % 3);
  for (int k = 0; k < lg; ++k) t.push_back(static_cast<char>('A' + alea() % 4));
  return {t, static_cast<int32_t>(alea() % 3)};
}

TEST(TableTV, UneTableVideSansTailleMoyenneGrandit) {
  TTableTV vide(0, 1, 0);
  TEltTest gros(std::string(40, 'X'), 2);
  EXPECT_EQ(vide.Ajoute(gros), 0);
  TEltTest lu;
  vide.Lit(0, lu);
  EXPECT_EQ(lu, gros);
}

TEST(TableTV, ErreursDIndiceEtDAllocation) {
  TTableTV t(4, 2, 10);
  TEltTest e("A", 1), lu("inchangé", 9);
  t.Ajoute(e);
  t.Lit(-1, lu);
  EXPECT_EQ(lu.texte, "inchangé");
  EXPECT_THROW(t.Lit(4, lu), ErreurKy);
  TEltTest enorme("B", 2);
  enorme.tailleMax = std::numeric_limits<int>::max();
  EXPECT_THROW(t.Ajoute(enorme), ErreurKy);
  EXPECT_EQ(t.GetNbElt(), 1);  // the table keeps its areas and its content
  EXPECT_EQ(Contenu(t), std::vector<TEltTest>{e});
}

TEST(TableTV, ModificationSuppressionEtReorganisation) {
  TTableTV t(2, 2, 8);
  TEltTest tmp;
  for (const char* s : {"UN", "DEUX", "TROIS", "QUATRE"}) {
    TEltTest e(s, 0);
    t.Ajoute(e);
  }
  const int avant = t.OctetsUtilises();
  TEltTest court("2", 2), long_("DEUX-BIS", 2);
  t.Change(1, court, tmp);
  EXPECT_EQ(t.OctetsUtilises(), avant);  // rewritten over the old bytes
  t.Change(2, long_, tmp);
  EXPECT_EQ(t.OctetsUtilises(), avant + long_.GetTaille());  // appended
  t.Supprime(0, tmp);
  t.Supprime(7, tmp);  // out of range: nothing
  t.Echange(0, 2);
  EXPECT_EQ(Contenu(t),
            (std::vector<TEltTest>{{"QUATRE", 0}, {"DEUX-BIS", 2}, {"2", 2}}));
  t.ReorganiseTableChn(tmp);
  EXPECT_EQ(t.OctetsUtilises(), 11 + 13 + 6);
  EXPECT_EQ(Contenu(t), (std::vector<TEltTest>{{"QUATRE", 0}, {"DEUX-BIS", 2}, {"2", 2}}));
  TEltTest lu;
  t.Lit(2, lu);
  t.ChangePtr(0, lu);  // slot 0 now shares the bytes of element 2
  t.Lit(0, lu);
  EXPECT_EQ(lu, TEltTest("2", 2));

  EXPECT_EQ(t.Insere(1, court), 1);
  EXPECT_EQ(Contenu(t)[1], court);
  EXPECT_EQ(t.Insere(9, court), 0);  // out of range: left at the end
  EXPECT_EQ(Contenu(t).back(), court);
}

// Checks both binary searches of a sorted container against a linear walk.
template <typename Conteneur>
void VerifieRecherches(const Conteneur& c, const std::vector<TEltTest>& trie, std::mt19937& alea) {
  const int n = static_cast<int>(trie.size());
  TEltTest tmp;
  for (int essai = 0; essai < 200; ++essai) {
    const TEltTest cle = Aleatoire(alea);
    const int debut = static_cast<int>(alea() % (n + 2)) - 1;
    const int d = std::max(debut, 0);
    const bool present = std::find(trie.begin() + std::min(d, n), trie.end(), cle) != trie.end();
    const int exact = c.RechercheDicoth(cle, tmp, debut, false);
    if (d >= n) {
      EXPECT_EQ(exact, -1);
      continue;
    }
    EXPECT_EQ(exact >= 0, present);
    if (present) {
      EXPECT_EQ(trie[exact], cle);
    }
    if (!present) {
      int attendu = d;
      while (attendu < n - 1 && trie[attendu] < cle) ++attendu;
      EXPECT_EQ(c.RechercheDicoth(cle, tmp, debut, true), attendu);
    }
    const int limite = static_cast<int>(alea() % (n + 1)) - 1;
    const int l = limite < 0 ? n - 1 : limite;
    int pos = -5;
    bool egal = false, avant = false;
    c.RechercheDichotomiqueApprochee(limite, pos, egal, tmp, cle, avant);
    const auto finLimite = trie.begin() + l + 1;
    const bool dansLimite = std::find(trie.begin(), finLimite, cle) != finLimite;
    EXPECT_EQ(egal, dansLimite);
    if (egal) {
      EXPECT_EQ(trie[pos], cle);
    } else {
      int attendu = 0;
      while (attendu < l && trie[attendu] < cle) ++attendu;
      EXPECT_EQ(pos, attendu);
      EXPECT_EQ(avant, cle <= trie[pos]);
    }
  }
}

TEST(TableTV, InsertionClasseeEtRecherchesContreUnParcours) {
  std::mt19937 alea(5);
  for (int taille : {0, 1, 2, 3, 10, 200}) {
    TTableTV t(1, 1, 4);
    std::vector<TEltTest> reference;
    TEltTest tmp;
    std::vector<std::pair<int, int>> deplacements;
    const auto note = [](void* ctx, int de, int vers, bool drapeau) {
      EXPECT_FALSE(drapeau);
      static_cast<std::vector<std::pair<int, int>>*>(ctx)->emplace_back(de, vers);
    };
    for (int i = 0; i < taille; ++i) {
      TEltTest e = Aleatoire(alea);
      deplacements.clear();
      const int pos = t.AjouteClasse(e, tmp, note, &deplacements);
      const auto it = std::lower_bound(reference.begin(), reference.end(), e);
      reference.insert(it, e);
      EXPECT_EQ(Contenu(t)[pos], e);
      if (pos != i) {
        EXPECT_EQ(deplacements, (std::vector<std::pair<int, int>>{{i - 1, pos - 1}}));
      }
    }
    ASSERT_EQ(Contenu(t), reference) << taille;
    VerifieRecherches(t, reference, alea);

    TVectorTV<TEltTest> v;
    std::vector<TEltTest> sansDoublons;
    for (int i = 0; i < taille; ++i) {
      const TEltTest e = Aleatoire(alea);
      bool ajoute = false;
      const int pos = v.AjouteClasse(e, tmp, false, ajoute);
      const bool nouveau = !std::binary_search(sansDoublons.begin(), sansDoublons.end(), e);
      EXPECT_EQ(ajoute, nouveau);
      if (nouveau)
        sansDoublons.insert(std::lower_bound(sansDoublons.begin(), sansDoublons.end(), e), e);
      EXPECT_EQ(v.Lit(pos), e);
    }
    ASSERT_EQ(v.Elements(), sansDoublons);
    VerifieRecherches(v, sansDoublons, alea);
  }
}

TEST(TableTV, ReclassementDUnElementModifie) {
  std::mt19937 alea(9);
  TTableTV t(8, 8, 8);
  TEltTest tmp;
  for (int i = 0; i < 40; ++i) {
    TEltTest e = Aleatoire(alea);
    t.AjouteClasse(e, tmp);
  }
  for (int essai = 0; essai < 200; ++essai) {
    const int pos = static_cast<int>(alea() % 40);
    TEltTest e = Aleatoire(alea);
    const int fin = t.ChangeClasse(pos, e, tmp);
    const auto v = Contenu(t);
    EXPECT_EQ(v[fin], e);
    ASSERT_TRUE(std::is_sorted(v.begin(), v.end())) << essai;
  }
}

TEST(TableTV, TriShell) {
  std::mt19937 alea(2);
  for (int taille : {0, 1, 2, 17, 100, 1000}) {
    TTableTV t(4, 4, 6);
    std::vector<TEltTest> reference;
    for (int i = 0; i < taille; ++i) {
      TEltTest e = Aleatoire(alea);
      e.numero = static_cast<int32_t>(alea() % 1000);
      t.Ajoute(e);
      reference.push_back(e);
    }
    TInterfaceScriptee iu;
    {
      TProgression barre(&iu, u"tri", 100);
      TEltTest a, b;
      t.Classement(a, b, &barre);
    }
    std::sort(reference.begin(), reference.end());
    EXPECT_EQ(Contenu(t), reference);
  }
}

TEST(TableTV, FluxDObjetsAllerRetourEtFluxAbimes) {
  TTableTV t(3, 2, 5);
  TEltTest tmp;
  for (const char* s : {"B", "A", "C"}) {
    TEltTest e(s, 7);
    t.AjouteClasse(e, tmp);
  }
  TFluxSortie sortie;
  t.Sauvegarde(sortie);
  const std::string octets = sortie.Donnees();
  ASSERT_EQ(octets.size(), 24u + 3 * 4 + 3 * 6);
  const auto entier = [&](size_t i) {
    int32_t v;
    std::memcpy(&v, octets.data() + 4 * i, 4);
    return v;
  };
  EXPECT_EQ(entier(0), 3);   // count
  EXPECT_EQ(entier(3), 18);  // bytes used
  EXPECT_EQ(entier(6), 6);  // "A" was written second
  EXPECT_EQ(entier(7), 0);
  EXPECT_EQ(entier(8), 12);

  TTableTV copie(1, 1, 1);
  {
    TFluxEntree entree(octets);
    ASSERT_TRUE(copie.Restauration(entree));
  }
  EXPECT_EQ(Contenu(copie), Contenu(t));
  TEltTest e("D", 1);
  copie.AjouteClasse(e, tmp);  // and it keeps growing
  EXPECT_EQ(Contenu(copie).back(), e);

  // Every cut, a count beyond the data, an offset past the bytes used: refused, table unchanged.
  for (size_t lg = 0; lg < octets.size(); ++lg) {
    TFluxEntree entree(std::string_view(octets).substr(0, lg));
    EXPECT_FALSE(copie.Restauration(entree)) << lg;
  }
  for (const auto& [indice, valeur] : std::vector<std::pair<size_t, int32_t>>{
           {0, 1000000000}, {0, -1}, {1, 2}, {3, -4}, {4, 17}, {5, 1025}, {7, 19}}) {
    std::string abime = octets;
    std::memcpy(abime.data() + 4 * indice, &valeur, 4);
    TFluxEntree entree(abime);
    EXPECT_FALSE(copie.Restauration(entree)) << indice;
  }
  EXPECT_EQ(copie.GetNbElt(), 4);
}

}  // namespace
}  // namespace kyb
