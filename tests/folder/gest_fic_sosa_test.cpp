// The Sosa file: its 40-byte records, numbering and un-numbering with implex, loops, the depth
// limit and overflow, the search of a number, the several numbers of a person, and the faults
// (read-only folder, short or damaged file).
#include "folder/gest_fic_sosa.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <map>
#include <set>

#include "folder/bo_math.h"
#include "folder/dossier_ancien.h"
#include "folder/gest_fic_pers.h"
#include "names/g_nopers.h"
#include "platform/thread_nom.h"
#include "store/datamodulebdd.h"
#include "dossier_fixture.h"
#include "support/coupures.h"

namespace kyb {
namespace {

using test::Contenu;

using NTL::ZZ;

std::array<uint32_t, 10> Mots(const TSosa& s) {
  std::array<uint32_t, 10> m{};
  std::memcpy(m.data(), s.Octets(), 40);
  return m;
}

TSosa DepuisMots(const std::array<uint32_t, 10>& m) {
  TSosa s;
  std::memcpy(s.Octets(), m.data(), 40);
  return s;
}

ZZ Max() {
  ZZ m;
  SetSosaMax(m);
  return m;
}

TEST(EnregSosa, DispositionSurDisque) {
  constexpr uint32_t M = 0x7FFFFFFF, C = (1U << 30) - 1;
  const struct {
    ZZ valeur;
    std::array<uint32_t, 10> mots;
  } cas[] = {
      {ZZ(0), {15, 1, 0, 0, 0, 0, 0, 0, 0, 0}},
      {ZZ(5), {15, 1, 5, 0, 0, 0, 0, 0, 0, 0}},
      {ZZ((1L << 30) - 1), {15, 1, C, 0, 0, 0, 0, 0, 0, 0}},
      {ZZ(1L << 30), {15, 2, 0, 1, 0, 0, 0, 0, 0, 0}},
      {ZZ((1L << 31) + 3), {15, 2, 3, 2, 0, 0, 0, 0, 0, 0}},
      {NTL::power2_ZZ(180) + 7, {15, 7, 7, 0, 0, 0, 0, 0, 1, 0}},
      {NTL::power2_ZZ(210) - 1, {15, 7, C, C, C, C, C, C, C, 0}},
      {ZZ(-1), {15, static_cast<uint32_t>(-1), 1, 0, 0, 0, 0, 0, 0, 0}},
      {Max(), {M, M, M, M, M, M, M, M, M, 0}},
      {NTL::power2_ZZ(211), {M, M, M, M, M, M, M, M, M, 0}},  // too big: the marker, never a wrong number
  };
  for (const auto& c : cas) {
    const TSosa s(c.valeur);
    EXPECT_EQ(Mots(s), c.mots) << c.valeur;
    const ZZ relu = s.Lit();
    EXPECT_EQ(relu, NTL::NumBits(c.valeur) > 210 ? Max() : c.valeur);
  }
}

TEST(EnregSosa, EnregistrementsAbimesLusZero) {
  constexpr uint32_t M = 0x7FFFFFFF;
  const std::array<uint32_t, 10> abimes[] = {
      {},                                               // never written
      {static_cast<uint32_t>(-1), 1, 5},                // negative first word
      {65536, 1, 5},                                    // first word above 65535
      {15, 8, 5},                                       // more than seven digits
      {15, static_cast<uint32_t>(-8), 5},
      {15, 0, 5},                                       // no digit count
      {15, 1, 1U << 30},                                // a digit of 31 bits
      {M, M, M, M, M, M, M, M, 0},                      // the marker cut short
  };
  for (const auto& m : abimes) {
    const TSosa s = DepuisMots(m);
    EXPECT_EQ(s.Lit(), 0) << m[0] << " " << m[1];
    EXPECT_TRUE(s.EstZero());
  }
  EXPECT_EQ(DepuisMots({9, 1, 42}).Lit(), 42);  // any capacity word up to 65535 is accepted
}

// A genealogy folder whose persons are made for each test, with their parent links kept aside for
// the reference computations.
class Sosa : public test::DossierTemporaire {
 protected:
  Sosa() { g = Cree(Store()); }
  std::unique_ptr<TGestFichier> Ouvre(bool lectureSeule) const {
    return DossierTemporaire::Ouvre(Store(), nullptr, TGestFichier::mcAucune, lectureSeule);
  }
  TFicPersons* F() { return g->FicPersons.get(); }
  TFicSosas& S() { return *g->FicSosas; }
  AnsiString CheminSosa() const { return g->FabriqueNomFichier(TGestFichier::tfSosas); }

  // Persons are written straight to the store: the Sosa walk reads only the records.
  long Ajoute(char sexe, long pere = 0, long mere = 0) {
    const long no = F()->ReturnNewNum();
    TEnregPublic p;
    p.Sexe = sexe;
    EXPECT_TRUE(g->GetModuleBDD()->WritePerson(p, no));
    Parents(no, pere, mere);
    return no;
  }
  // Sets the parents of a person and adds it to their children.
  void Parents(long no, long pere, long mere) {
    TEnregPublic p;
    F()->LitPublic(no, p);
    p.Pere = static_cast<int32_t>(pere);
    p.Mere = static_cast<int32_t>(mere);
    EXPECT_TRUE(g->GetModuleBDD()->WritePerson(p, no));
    for (const long parent : {pere, mere}) {
      if (parent == 0) continue;
      TEnregPublic q;
      F()->LitPublic(parent, q);
      for (TLienPers& e : q.Enfants)
        if (e.No == 0) {
          e = static_cast<int32_t>(no);
          break;
        }
      EXPECT_TRUE(g->GetModuleBDD()->WritePerson(q, parent));
    }
    liens[no] = {pere, mere};
  }
  // Every Sosa number of every ancestor of the root: all lines, generation by generation (a
  // walk written independently of the library's).
  std::map<long, std::set<ZZ>> TousLesNumeros(long racine, int generations) {
    std::map<long, std::set<ZZ>> tous{{racine, {ZZ(1)}}};
    std::vector<std::pair<long, ZZ>> niveau{{racine, ZZ(1)}};
    for (int gen = 0; gen < generations && !niveau.empty(); ++gen) {
      std::vector<std::pair<long, ZZ>> suivant;
      for (const auto& [no, n] : niveau) {
        const auto [pere, mere] = liens[no];
        if (pere) suivant.emplace_back(pere, 2 * n);
        if (mere) suivant.emplace_back(mere, 2 * n + 1);
      }
      for (const auto& [no, n] : suivant) tous[no].insert(n);
      niveau = std::move(suivant);
    }
    return tous;
  }

  std::unique_ptr<TGestFichier> g;
  std::map<long, std::pair<long, long>> liens;
};

// Root 1; parents 2 and 3; grandparents 4, 5 (father's side) and 6, 7; the father's father (4)
// and the mother's father (6) are brothers: their father is Sosa 8 and 12, their mother 9 and 13.
class SosaImplexe : public Sosa {
 protected:
  SosaImplexe() {
    const long a8 = Ajoute('M'), a9 = Ajoute('F');
    const long p4 = Ajoute('M', a8, a9), p5 = Ajoute('F'), p6 = Ajoute('M', a8, a9), p7 = Ajoute('F');
    const long p2 = Ajoute('M', p4, p5), p3 = Ajoute('F', p6, p7);
    Parents(1, p2, p3);
    pere = p2, mere = p3, gpPaternel = p4, gpMaternel = p6, grandMere = p5, bisaieul = a8, bisaieule = a9;
  }
  long pere, mere, gpPaternel, gpMaternel, grandMere, bisaieul, bisaieule;
};

TEST_F(SosaImplexe, NumerotationGardeLePlusPetit) {
  ASSERT_TRUE(S().InitFichierStrado());
  const TBilanNumerotation bilan = S().NumeroterPersNo(1, ZZ(1));
  EXPECT_TRUE(bilan.Boucles.empty());
  EXPECT_FALSE(bilan.Interrompue);
  for (const auto& [no, numeros] : TousLesNumeros(1, 10))
    EXPECT_EQ(S().LectureNoStrado(no), *numeros.begin()) << "personne " << no;

  // Every number of the implex ancestors, found down through the numbered children.
  EXPECT_EQ(S().ChargeNosStrados(bisaieul, false, nullptr), (std::vector<ZZ>{ZZ(8), ZZ(12)}));
  EXPECT_EQ(S().ChargeNosStrados(bisaieule, false, nullptr), (std::vector<ZZ>{ZZ(9), ZZ(13)}));
  EXPECT_EQ(S().ChargeNosStrados(gpMaternel, false, nullptr), (std::vector<ZZ>{ZZ(6)}));
  EXPECT_TRUE(S().IsNosStrados(bisaieul, false, nullptr));
  EXPECT_FALSE(S().IsNosStrados(pere, false, nullptr));

  // From a number to its person.
  bool abandon = false;
  EXPECT_EQ(S().RechercheStrado2No(1, ZZ(1), abandon), 1);
  EXPECT_EQ(S().RechercheStrado2No(1, ZZ(6), abandon), gpMaternel);
  EXPECT_EQ(S().RechercheStrado2No(1, ZZ(12), abandon), bisaieul);
  EXPECT_EQ(S().RechercheStrado2No(1, ZZ(13), abandon), bisaieule);
  EXPECT_EQ(S().RechercheStrado2No(1, ZZ(10), abandon), 0);  // 5 has no father
  EXPECT_EQ(S().RechercheStrado2No(1, ZZ(0), abandon), 0);
  EXPECT_EQ(S().RechercheStrado2No(1, Max(), abandon), 0);
  abandon = true;
  EXPECT_EQ(S().RechercheStrado2No(1, ZZ(12), abandon), 0);
}

TEST_F(SosaImplexe, NumerotationDepuisUnEnfant) {
  ASSERT_TRUE(S().InitFichierStrado());
  (void)S().NumeroterPersNo(1, ZZ(1));
  // New parents for 5 (Sosa 5): each is numbered from its numbered child, with its own parents.
  const long grandPere = Ajoute('M');
  const long pere10 = Ajoute('M', grandPere, 0), mere11 = Ajoute('F');
  Parents(grandMere, pere10, mere11);
  EXPECT_TRUE(S().SpecNumeroterPersNo(pere10));
  EXPECT_EQ(S().LectureNoStrado(pere10), 10);
  EXPECT_EQ(S().LectureNoStrado(grandPere), 20);
  EXPECT_EQ(S().LectureNoStrado(mere11), 0);
  EXPECT_TRUE(S().SpecNumeroterPersNo(mere11));
  EXPECT_EQ(S().LectureNoStrado(mere11), 11);
  // An implex ancestor takes twice the smallest number of its children.
  S().EcritureNoStradoZero(bisaieul);
  EXPECT_TRUE(S().SpecNumeroterPersNo(bisaieul));
  EXPECT_EQ(S().LectureNoStrado(bisaieul), 8);
  // Nobody numbered below: nothing, and the user is told.
  const long seul = Ajoute('F');
  TInterfaceScriptee iu;
  g->Proprietaire = &iu;
  EXPECT_FALSE(S().MsgSpecNumeroterPersNo(seul));
  EXPECT_EQ(S().LectureNoStrado(seul), 0);
  ASSERT_EQ(iu.Journal().size(), 1u);
  EXPECT_EQ(iu.Journal()[0].rfind("message:Numérotation Sosa|Aucun enfant", 0), 0u);
  g->Proprietaire = nullptr;
}

TEST_F(SosaImplexe, DenumerotationEtMoinsUn) {
  ASSERT_TRUE(S().InitFichierStrado());
  (void)S().NumeroterPersNo(1, ZZ(1));
  S().DenumeroterPersNo(1, false);  // the root is never un-numbered this way
  EXPECT_EQ(S().LectureNoStrado(pere), 2);
  S().DenumeroterPersNo(mere, true);
  for (const long no : {mere, gpMaternel}) EXPECT_EQ(S().LectureNoStrado(no), -1);
  EXPECT_EQ(S().LectureNoStrado(bisaieul), -1);  // reached through the mother's line too
  EXPECT_TRUE(S().IsExist(mere));
  EXPECT_EQ(S().ChargeNoStrado(mere, nullptr, false), "");
  // -1 stops a later numbering on that line.
  (void)S().NumeroterPersNo(1, ZZ(1));
  EXPECT_EQ(S().LectureNoStrado(mere), -1);
  EXPECT_EQ(S().LectureNoStrado(pere), 2);
  S().DenumeroterPersNo(pere, false);
  EXPECT_EQ(S().LectureNoStrado(pere), 0);
  EXPECT_EQ(S().LectureNoStrado(gpPaternel), 0);
  EXPECT_EQ(S().LectureNoStrado(1), 1);
  EXPECT_EQ(S().ChargeNoStrado(pere, nullptr, true), "1");
  EXPECT_EQ(S().ChargeNoStrado(0, nullptr, false), "");
}

// Parents read in one pass (large folders) or person by person give the same walks, alternative
// parent pairs included.
TEST_F(SosaImplexe, ParentsLusEnUnePasse) {
  // The father's row still names the first father; its alternative pair makes another one the
  // principal father, the one a person object shows.
  const long autre = Ajoute('M');
  TEnregPublic lu;
  F()->LitPublic(pere, lu);
  TNoParent paire{.PereA = lu.Pere.No, .MereA = lu.Mere.No};
  paire.PereB = static_cast<int32_t>(autre);
  paire.PerePrinc = 2;
  ASSERT_TRUE(g->GetModuleBDD()->WriteNoParents(pere, paire));
  F()->LitPublicParentsAffiches(pere, lu);
  ASSERT_EQ(lu.Pere.No, autre);
  const long nb = F()->NbEnreg;
  std::vector<std::vector<ZZ>> resultats;
  std::vector<long> ascendances;
  for (const long seuil : {0L, 1000000L}) {
    S().SeuilChargementParents = seuil;
    ASSERT_TRUE(S().InitFichierStrado());
    (void)S().NumeroterPersNo(1, ZZ(1));
    std::vector<ZZ> numeros;
    for (long n = 1; n <= nb; ++n) numeros.push_back(S().LectureNoStrado(n));
    S().DenumeroterPersNo(mere, false);
    for (long n = 1; n <= nb; ++n) numeros.push_back(S().LectureNoStrado(n));
    resultats.push_back(numeros);
    TGestNoPersSosa table;
    (void)S().ChargeAscendance(1, 10, table);
    ascendances.push_back(table.GetNbElt());
  }
  EXPECT_EQ(resultats[0], resultats[1]);
  EXPECT_EQ(ascendances[0], ascendances[1]);
  EXPECT_EQ(resultats[0][static_cast<size_t>(autre - 1)], 4);  // the principal father's place
  EXPECT_EQ(resultats[0][static_cast<size_t>(gpPaternel - 1)], 0);
}

TEST_F(Sosa, BouclesDansLesLiens) {
  // 2 is the father of 1, 3 the father of 2, and (by damage) 2 the father of 3.
  const long p2 = Ajoute('M'), p3 = Ajoute('M', p2, 0);
  Parents(p2, p3, 0);
  Parents(1, p2, 0);
  ASSERT_TRUE(S().InitFichierStrado());
  const TBilanNumerotation bilan = S().NumeroterPersNo(1, ZZ(1));
  EXPECT_EQ(bilan.Boucles, std::vector<long>{p2});
  EXPECT_EQ(S().LectureNoStrado(p2), 2);
  EXPECT_EQ(S().LectureNoStrado(p3), 4);
  EXPECT_EQ(S().ChargeNosStrados(p2, false, nullptr), std::vector<ZZ>{ZZ(2)});
  TGestNoPersSosa table;
  EXPECT_EQ(S().ChargeAscendance(1, 150, table).Boucles, std::vector<long>{p2});
  EXPECT_TRUE(S().SpecNumeroterPersNo(p3));  // ends at the overflow marker at worst
  S().DenumeroterPersNo(p2, false);
  EXPECT_EQ(S().LectureNoStrado(p2), 0);
  EXPECT_EQ(S().LectureNoStrado(p3), 0);
  // A person its own father.
  Parents(p2, p2, 0);
  ASSERT_TRUE(S().InitFichierStrado());
  EXPECT_EQ(S().NumeroterPersNo(1, ZZ(1)).Boucles, std::vector<long>{p2});
}

// The most repeated pedigree collapse: over 30 generations the root's parents are brother and
// sister, and so are their parents, and so on. Each ancestor of generation g has 2^(g-1) numbers;
// the smallest is 2^g for the men and 2^g + 1 for the women.
TEST_F(Sosa, EffondrementRepete) {
  constexpr int kGenerations = 30;
  (void)g->GetModuleBDD()->BeginImport(false);
  std::vector<long> hommes{1}, femmes{1};  // generation 0: the root
  for (int gen = 1; gen <= kGenerations; ++gen) {
    hommes.push_back(Ajoute('M'));
    femmes.push_back(Ajoute('F'));
  }
  for (int gen = 0; gen < kGenerations; ++gen) {
    const long pere = hommes[static_cast<size_t>(gen) + 1], mere = femmes[static_cast<size_t>(gen) + 1];
    Parents(hommes[static_cast<size_t>(gen)], pere, mere);
    if (gen > 0) Parents(femmes[static_cast<size_t>(gen)], pere, mere);
  }
  (void)g->GetModuleBDD()->EndImport(false);
  ASSERT_TRUE(S().InitFichierStrado());
  const TBilanNumerotation bilan = S().NumeroterPersNo(1, ZZ(1));
  EXPECT_EQ(bilan.Ecritures, 2 * kGenerations + 1);  // every ancestor first reached with its smallest number
  EXPECT_TRUE(bilan.Boucles.empty());
  for (int gen = 1; gen <= kGenerations; ++gen) {
    EXPECT_EQ(S().LectureNoStrado(hommes[static_cast<size_t>(gen)]), NTL::power2_ZZ(gen));
    EXPECT_EQ(S().LectureNoStrado(femmes[static_cast<size_t>(gen)]), NTL::power2_ZZ(gen) + 1);
  }
  const std::vector<ZZ> dix = S().ChargeNosStrados(hommes[10], false, nullptr);
  ASSERT_EQ(dix.size(), 512u);
  for (size_t i = 0; i < dix.size(); ++i) EXPECT_EQ(dix[i], NTL::power2_ZZ(10) + 2 * static_cast<long>(i));
  const std::vector<ZZ> loin = S().ChargeNosStrados(femmes[kGenerations], false, nullptr);
  ASSERT_EQ(loin.size(), TFicSosas::kMaxNumeros);  // the smallest ones
  EXPECT_EQ(loin.front(), NTL::power2_ZZ(kGenerations) + 1);
  EXPECT_EQ(loin.back(), NTL::power2_ZZ(kGenerations) + 2 * static_cast<long>(TFicSosas::kMaxNumeros) - 1);
  TGestNoPersSosa table;
  EXPECT_EQ(S().ChargeAscendance(1, kGenerations, table).Generations, kGenerations);
  EXPECT_EQ(table.GetNbElt(), 1 + 4 * kGenerations - 2);  // each couple's parents listed twice, walked once
}

// A line of fathers 220 generations deep above the root.
class SosaLigne : public Sosa {
 protected:
  SosaLigne() {
    (void)g->GetModuleBDD()->BeginImport(false);
    long enfant = 1;
    for (int i = 0; i < 220; ++i) {
      const long p = Ajoute('M');
      Parents(enfant, p, 0);
      ligne.push_back(p);
      enfant = p;
    }
    (void)g->GetModuleBDD()->EndImport(false);
  }
  std::vector<long> ligne;  // ligne[k] is at generation k + 1
};

TEST_F(SosaLigne, DepassementEtLimiteDeProfondeur) {
  ASSERT_TRUE(S().InitFichierStrado());
  EXPECT_EQ(S().NumeroterPersNo(1, ZZ(1)).Ecritures, 221);
  for (int k = 0; k < 220; ++k) {
    const int gen = k + 1;
    const ZZ n = S().LectureNoStrado(ligne[static_cast<size_t>(k)]);
    if (gen <= 209) {
      EXPECT_EQ(n, NTL::power2_ZZ(gen)) << gen;
    } else {
      EXPECT_TRUE(IsSosaMax(n)) << gen;
      EXPECT_EQ(S().ChargeNoStrado(ligne[static_cast<size_t>(k)], nullptr, false), "Sosa Max");
    }
  }
  bool abandon = false;
  EXPECT_EQ(S().RechercheStrado2No(1, NTL::power2_ZZ(209), abandon), ligne[208]);
  EXPECT_EQ(S().ChargeNosStrados(ligne[214], false, nullptr).size(), 1u);
  // Un-numbering from generation 1 clears 150 generations and stops there.
  S().DenumeroterPersNo(ligne[0], false);
  for (int k = 0; k < 220; ++k)
    EXPECT_EQ(S().IsExist(ligne[static_cast<size_t>(k)]), k >= 150) << "génération " << k + 1;
  // Resumed from there, the rest is cleared too.
  S().DenumeroterPersNo(ligne[150], false);
  EXPECT_FALSE(S().IsExist(ligne[219]));
}

TEST_F(SosaImplexe, FichierCourtOuAbime) {
  ASSERT_TRUE(S().InitFichierStrado());
  (void)S().NumeroterPersNo(1, ZZ(1));
  const AnsiString chemin = CheminSosa();
  g.reset();
  // Cut after the root's record, in the middle of person 2's (the great-grandfather, Sosa 8).
  ASSERT_EQ(bisaieul, 2);
  std::string octets = Contenu(chemin);
  octets.resize(2 * 40 + 20);
  test::Ecrit(chemin, octets);
  g = Ouvre(false);
  EXPECT_EQ(S().LectureNoStrado(1), 1);
  EXPECT_EQ(S().LectureNoStrado(bisaieul), 0);  // half a record
  EXPECT_FALSE(S().IsExist(bisaieul));
  EXPECT_EQ(S().LectureNoStrado(pere), 0);      // beyond the end
  EXPECT_FALSE(g->Erreur);
  (void)S().NumeroterPersNo(pere, ZZ(2));  // numbering grows the file again
  EXPECT_EQ(S().LectureNoStrado(bisaieul), 8);
  // An empty file (no header) is replaced by a fresh one.
  g.reset();
  test::Ecrit(chemin, "");
  g = Ouvre(false);
  EXPECT_FALSE(g->Erreur);
  EXPECT_FALSE(g->IsReadOnly());
  EXPECT_EQ(Contenu(chemin), std::string(40, '\0'));
  EXPECT_EQ(S().LectureNoStrado(1), 0);
  // A missing file is created on a writable folder, left missing on a read-only one.
  g.reset();
  (void)SupprimeFichier(chemin);
  g = Ouvre(true);
  EXPECT_FALSE(FichierExiste(chemin));
  EXPECT_EQ(S().LectureNoStrado(1), 0);
  g.reset();
  g = Ouvre(false);
  EXPECT_TRUE(FichierExiste(chemin));
}

// A new numbering cut anywhere (an error, a full disk, a kill) leaves the old numbering whole or
// the new one whole, never a mix; a temporary left by a kill goes at the next writable opening.
TEST_F(SosaImplexe, RenumerotationToutOuRien) {
  bool enPlace = false;
  (void)S().Renumerote(1, enPlace);
  ASSERT_TRUE(enPlace);
  const AnsiString chemin = CheminSosa();
  g.reset();
  const std::string ancien = Contenu(chemin);
  g = Ouvre(false);
  (void)S().Renumerote(pere, enPlace);
  ASSERT_TRUE(enPlace);
  g.reset();
  const std::string nouveau = Contenu(chemin);
  ASSERT_NE(ancien, nouveau);
  for (const auto mode : {test::PanneAuNiemeAppel::Mode::UnSeul, test::PanneAuNiemeAppel::Mode::Tue}) {
    test::TCoupure c;
    c.mode = mode;
    c.prepare = [&] {
      g.reset();
      test::Ecrit(chemin, ancien);
      g = Ouvre(false);
    };
    c.operation = [&] {
      bool ok = false;
      (void)S().Renumerote(pere, ok);
      return ok;
    };
    c.estAncien = [&] { return Contenu(chemin) == ancien; };
    c.estNouveau = [&] { return Contenu(chemin) == nouveau; };
    EXPECT_GT(test::CoupeAChaqueAppel(c), 5);
  }
  g.reset();
  const AnsiString reste = chemin + ".tmp";
  std::ofstream(reste) << "numérotation coupée";
  g = Ouvre(false);
  EXPECT_FALSE(FichierExiste(reste));
}

}  // namespace
}  // namespace kyb
