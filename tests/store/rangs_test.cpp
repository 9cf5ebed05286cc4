// Ranks of a person's records: checked when a record is written alone, renumbered when a card
// with gaps or repeats is loaded; identifiers reserved by an import.
#include "platform/thread_nom.h"
#include "store/chps_personne.h"
#include "store_fixture.h"

namespace kyb::test {
namespace {

class Rangs : public Magasin {
 protected:
  void SetUp() override {
    NommeThreadPrincipal();
    Magasin::SetUp();
  }
  TEvenement Even(const char* libelle, long noPers, int32_t rang, long conjoint = 0, int32_t rangB = 0) {
    TEvenement e(module.get());
    e.NouvelleFiche();
    e.SetLibelle(libelle);
    e.Enreg.NoPersA = static_cast<int32_t>(noPers);
    e.Enreg.NoPersB = static_cast<int32_t>(conjoint);
    e.Enreg.RangA = rang;
    e.Enreg.RangB = rangB;
    return e;
  }
  std::vector<std::pair<long, long>> IdsEtRangs(const char* colonne, long noPers) {
    std::vector<std::pair<long, long>> v;
    TACRQuery q(module->Database(), std::string("SELECT ID, RANG_") + colonne + " FROM Evenements WHERE NoPers" +
                                        colonne + " = " + std::to_string(noPers) + " AND Type = 0 ORDER BY ID");
    EXPECT_TRUE(q.Open());
    for (; !q.Eof(); q.Next()) v.emplace_back(q.Fields(0).AsInteger(), q.Fields(1).AsInteger());
    return v;
  }
};

TEST_F(Rangs, UnRangDejaPrisEstRemplaceParLeSuivant) {
  TEvenement a = Even("NAISSANCE", 4, 1);
  TEvenement b = Even("RESIDENCE", 4, 1);
  TEvenement u = Even("UNION", 5, 1, 4, 0);    // spouse side: 0 is no rank
  TEvenement v = Even("UNION", 6, 1, 4, 1);    // spouse side: 1 is u's
  for (TEvenement* e : {&a, &b, &u, &v}) ASSERT_TRUE(module->EnregistrementEven(*e));
  EXPECT_EQ(a.Enreg.RangA, 1);
  EXPECT_EQ(b.Enreg.RangA, 2);
  EXPECT_EQ(u.Enreg.RangB, 1);
  EXPECT_EQ(v.Enreg.RangB, 2);
  EXPECT_EQ(v.Enreg.RangA, 1);  // holder 6's own run
  b.Enreg.RangA = 2;
  ASSERT_TRUE(module->EnregistrementEven(b));  // rewriting keeps its own rank
  EXPECT_EQ(b.Enreg.RangA, 2);
  TChpsSimple s(module.get());
  s.SetLibelle("PROFESSION");
  s.Enreg.NoPersA = 4;
  s.Enreg.RangA = 1;  // simple fields run apart from events
  ASSERT_TRUE(module->EnregistrementChpsSimple(s));
  EXPECT_EQ(s.Enreg.RangA, 1);
}

TEST_F(Rangs, FicheAvecTrousEtDoublonsRenumeroteeAuChargement) {
  std::vector<TEvenement> e{Even("NAISSANCE", 4, 0), Even("RESIDENCE", 4, 0), Even("DECES", 4, 0),
                            Even("UNION", 5, 0, 4, 0), Even("UNION", 6, 0, 4, 0)};
  for (TEvenement& x : e) ASSERT_TRUE(module->EnregistrementEven(x));
  const long id0 = e[0].Enreg.ID, id1 = e[1].Enreg.ID, id2 = e[2].Enreg.ID;
  const long u5 = e[3].Enreg.ID, u6 = e[4].Enreg.ID;
  for (const auto& [id, rangA, rangB] : {std::tuple(id0, 5, 0), std::tuple(id1, 5, 0), std::tuple(id2, 0, 0),
                                         std::tuple(u5, 1, 9), std::tuple(u6, 1, 9)}) {
    TACRQuery q(module->Database(), "UPDATE Evenements SET RANG_A = " + std::to_string(rangA) +
                                        ", RANG_B = " + std::to_string(rangB) + " WHERE ID = " + std::to_string(id));
    ASSERT_TRUE(q.ExecSQL());
  }
  TChpsPersonne p(4);
  module->ChargerLienChpsOfPerson(p);
  // Stored order (rank, then identifier): id2, id0, id1.
  const std::vector<std::pair<long, long>> attendu{{id0, 2}, {id1, 3}, {id2, 1}};
  EXPECT_EQ(IdsEtRangs("A", 4), attendu);
  EXPECT_EQ(IdsEtRangs("B", 4), (std::vector<std::pair<long, long>>{{u5, 1}, {u6, 2}}));
  for (const TEvenementTV& tv : p.Evenements) {
    if (tv.Even.Enreg.NoPersA != 4) continue;
    EXPECT_EQ(tv.Even.Enreg.RangA, tv.Even.Enreg.ID == id2 ? 1 : tv.Even.Enreg.ID == id0 ? 2 : 3);
  }
  TChpsPersonne encore(4);
  module->ChargerLienChpsOfPerson(encore);
  EXPECT_EQ(IdsEtRangs("A", 4), attendu);
}

TEST_F(Rangs, IdentifiantReserveParLImportJusquACeQuIlSoitEcrit) {
  ASSERT_TRUE(module->BeginImport(false));
  const long id = module->ReturnNewNumEven();
  EXPECT_TRUE(module->IsReserved(id));
  EXPECT_FALSE(module->IsReserved(id + 1));
  TEvenement e = Even("NAISSANCE", 3, 0);
  e.Enreg.ID = static_cast<int32_t>(id);
  ASSERT_TRUE(module->EnregistrementEven(e));
  EXPECT_EQ(e.Enreg.ID, id);
  EXPECT_FALSE(module->IsReserved(id));
  ASSERT_TRUE(module->EnregistrementEven(e));  // written again: the same row
  ASSERT_TRUE(module->EndImport(false));
  EXPECT_EQ(IdsEtRangs("A", 3), (std::vector<std::pair<long, long>>{{id, 1}}));
  EXPECT_FALSE(module->IsReserved(module->ReturnNewNumEven()));
}

}  // namespace
}  // namespace kyb::test
