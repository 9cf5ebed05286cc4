#pragma once
// The temporary genealogy opened with its person index, for the tests of the index and above,
// and the check that the index rows and the in-memory entries agree.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/acr_query.h"
#include "index/gest_fic_index.h"
#include "index/ouverture_genealogie.h"
#include "support/genealogie.h"

namespace kyb::test {

class TGenealogieIndex : public TGenealogie {
 public:
  explicit TGenealogieIndex(int premierePersonne = 0, TInterfaceUtilisateur* iu = nullptr)
      : TGenealogie(AvecIndex(TGestFichier::Creation(premierePersonne, iu))) {}
  [[nodiscard]] TFicIndexPerson& Index() const { return *TFicIndexPerson::De(Dossier()); }
};

// The index rows of one person (every person when no is 0), as sorted key texts.
inline std::vector<UnicodeString> LignesIndex(const TGestFichier& g, long no = 0) {
  TFicIndexPerson* f = TFicIndexPerson::De(g);
  std::vector<UnicodeString> lignes;
  TACRQuery q(g.GetModuleBDD()->Database(), "SELECT ID FROM IndexNomPrenoms");
  EXPECT_TRUE(q.Open());
  for (; !q.Eof(); q.Next()) {
    const TIndexPerson l(f, static_cast<long>(q.Fields(0).AsInt64()));
    if (no == 0 || l.Enreg.NoPers == no) lignes.push_back(TEltIndex(l.Enreg, 0).TexteDeTri());
  }
  std::sort(lignes.begin(), lignes.end());
  return lignes;
}

// Every row has its entry in memory and memory holds nothing else; the entries are in order.
inline void AttendIndexEnPhase(const TGestFichier& g) {
  TFicIndexPerson* f = TFicIndexPerson::De(g);
  const auto& elts = f->Index()->Elements();
  std::vector<UnicodeString> memoire;
  for (const TEltIndex& e : elts) memoire.push_back(e.TexteDeTri());
  EXPECT_TRUE(std::is_sorted(elts.begin(), elts.end()));
  std::sort(memoire.begin(), memoire.end());
  const std::vector<UnicodeString> lignes = LignesIndex(g);
  EXPECT_EQ(lignes, memoire);
  EXPECT_EQ(f->NbLignes(), static_cast<long>(lignes.size()));
}

}  // namespace kyb::test
