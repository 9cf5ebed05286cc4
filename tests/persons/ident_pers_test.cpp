// Person identifiers: their generation, and the "ID_PERS" field of a person.
#include "persons/ident_pers.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "fields/csdefchps.h"
#include "support/genealogie.h"

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
  for (int i = 0; i < 1000; ++i) ASSERT_LE(static_cast<unsigned long>(TirageIdPers()), 99998u);
}

TEST(IdentifiantDansLeDossier, CreeUneFoisPuisRelu) {
  test::TGenealogie d;
  AnsiString idA;
  const long a = d.Ajoute({u"Martin"}), b = d.Ajoute({u"Martin"}), c = d.Ajoute({u"Martin"});
  {
    TGestFichier* g = &d.Dossier();
    TFicPersons* f = d.Personnes();
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
    // The identifier that leaves the genealogy carries the IdGenea, and is accepted.
    EXPECT_EQ(pa.IdPersComplet(), g->IdGenea + idA);
    EXPECT_TRUE(pa.VerifIdPersOk(pa.IdPersComplet()));
    EXPECT_EQ(TPerson(f, c).IdPersComplet(), "");  // none asked for: none made
  }
  d.Ouvre(TGestFichier::Ouverture());
  EXPECT_EQ(d.Personne(a).RetourneIdPers(), idA);  // stored with the person
  // A read-only folder makes none and writes nothing.
  d.Ouvre(TGestFichier::OuvertureLectureSeule());
  ASSERT_TRUE(d.Dossier().IsReadOnly());
  TPerson pc = d.Personne(c);
  EXPECT_EQ(pc.RetourneIdPers(true), "");
  EXPECT_EQ(d.Personne(c, true).Fiche().GetNbChpsSimple(), 0);
}

}  // namespace
}  // namespace kyb
