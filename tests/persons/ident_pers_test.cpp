// Person identifiers: their generation, and the "ID_PERS" field of a person.
#include "persons/ident_pers.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "fields/csdefchps.h"
#include "persons/gest_pers.h"
#include "platform/thread_nom.h"
#include "store/datamodulebdd.h"
#include "support/support.h"

namespace kyb {
namespace {

TEST(IdentifiantPersonne, BlocsHexadecimauxJusquAUnTexteLibre) {
  struct Cas {
    std::vector<long> tirages;
    std::set<AnsiString> existants;
    AnsiString attendu;
  };
  const Cas cas[] = {
      {{0}, {}, "00000000"},
      {{99998}, {}, "0001869E"},                                    // the largest draw
      {{255, 1}, {"000000FF"}, "000000FF00000001"},                 // one collision: 16 characters
      {{10, 11, 12}, {"0000000A", "0000000A0000000B"}, "0000000A0000000B0000000C"},
      {{10, 11}, {"0000000B"}, "0000000A"},                         // only the whole text counts
  };
  for (const Cas& c : cas) {
    size_t suivant = 0;
    const AnsiString id = GenereIdPersUnique([&](const AnsiString& t) { return c.existants.count(t) != 0; },
                                             [&] { return c.tirages.at(suivant++); });
    EXPECT_EQ(id, c.attendu);
    EXPECT_EQ(suivant, c.attendu.size() / 8);
  }
  for (int i = 0; i < 1000; ++i) {
    const long n = TirageIdPers();
    ASSERT_GE(n, 0);
    ASSERT_LE(n, 99998);
  }
}

class IdentifiantDansLeDossier : public ::testing::Test {
 protected:
  IdentifiantDansLeDossier() { NommeThreadPrincipal(); }
  std::unique_ptr<TGestFichier> Ouvre(bool creer, bool lectureSeule = false) const {
    return std::make_unique<TGestFichier>(rep / "Famille.kya/Famille.adb", TGestFichier::TOptionsOuverture{.Creer = creer, .PremierePersonne = 1, .LectureSeule = lectureSeule});
  }
  static long NouvellePersonne(TFicPersons* f) {
    TPerson p(f, 0);
    p.NouvelleFiche(kEnregCourant);
    p.SetNom(u"Martin");
    EXPECT_TRUE(p.Enregistrement());
    return p.Numero();
  }
  test::RepertoireTemporaire rep;
};

TEST_F(IdentifiantDansLeDossier, CreeUneFoisPuisRelu) {
  long a = 0, b = 0, c = 0;
  AnsiString idA;
  {
    auto g = Ouvre(true);
    TFicPersons* f = g->FicPersons.get();
    a = NouvellePersonne(f);
    b = NouvellePersonne(f);
    c = NouvellePersonne(f);
    TPerson pa(f, a);
    EXPECT_EQ(pa.RetourneIdPers(), "");  // not asked to create: none
    EXPECT_EQ(TPerson(f, a, true).Fiche().GetNbChpsSimple(), 0);
    idA = pa.RetourneIdPers(true);
    ASSERT_EQ(idA.size(), 8u);
    EXPECT_EQ(idA.find_first_not_of("0123456789ABCDEF"), AnsiString::npos);
    EXPECT_EQ(pa.RetourneIdPers(true), idA);  // asked again: the same
    TPerson pb(f, b);
    const AnsiString idB = pb.RetourneIdPers(true);
    EXPECT_FALSE(idB.empty());
    EXPECT_NE(idB, idA);
    EXPECT_TRUE(IdPersExiste(*g->GetModuleBDD(), idA));
    EXPECT_FALSE(IdPersExiste(*g->GetModuleBDD(), idA + "00000000"));
    EXPECT_TRUE(g->GetDefChpsCs()->IsChampExist("ID_PERS"));
    EXPECT_FALSE(pa.VerifIdPersOk(idA));            // a bare identifier holds no IdGenea
    EXPECT_TRUE(pa.VerifIdPersOk(idA + g->IdGenea));
    EXPECT_FALSE(pa.VerifIdPersOk(""));
    // The identifier that leaves the genealogy carries the IdGenea, and is accepted.
    EXPECT_EQ(pa.IdPersComplet(), g->IdGenea + idA);
    EXPECT_TRUE(pa.VerifIdPersOk(pa.IdPersComplet()));
    EXPECT_EQ(TPerson(f, c).IdPersComplet(), "");  // none asked for: none made
  }
  {
    auto g = Ouvre(false);
    EXPECT_EQ(TPerson(g->FicPersons.get(), a).RetourneIdPers(), idA);  // stored with the person
  }
  // A read-only folder makes none and writes nothing.
  auto g = Ouvre(false, true);
  ASSERT_TRUE(g->IsReadOnly());
  TPerson pc(g->FicPersons.get(), c);
  EXPECT_EQ(pc.RetourneIdPers(true), "");
  EXPECT_EQ(pc.Fiche().GetNbChpsSimple(), 0);
  EXPECT_EQ(TPerson(g->FicPersons.get(), c, true).Fiche().GetNbChpsSimple(), 0);
}

}  // namespace
}  // namespace kyb
