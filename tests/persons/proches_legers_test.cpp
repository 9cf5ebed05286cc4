// The reader of relatives against person objects: the estimation's facts and the kinship nodes
// of every person of a family with the awkward cases (two births, unions in an order other than
// their identifiers', a union held by the spouse, a witness, alternative parents, a deletion).
#include <gtest/gtest.h>

#include <set>

#include "persons/graphe_parente.h"
#include "persons/source_estimation.h"
#include "support/genealogie.h"

namespace kyb {
namespace {

class ProchesLegers : public ::testing::Test {
 protected:
  ProchesLegers()
      : famille_({{1, 'M', 0, 0, {2, 6}},
                  {2, 'F', 0, 0, {1}},
                  {3, 'M', 1, 2},
                  {4, 'M'},
                  {5, 'F'},
                  {6, 'F', 0, 0, {1}},
                  {7, 'M', 1, 2, {}, true},
                  {8, 'F', 1, 6}}) {
    TModuleBDD& bdd = *famille_.Bdd();
    const auto fiche = [&](long no, const std::vector<std::tuple<const char*, const char*, long>>& evens) {
      TChpsPersonne c(no);
      for (const auto& [libelle, date, conjoint] : evens) {
        TEvenement e(&bdd);
        e.NouvelleFiche();
        e.SetLibelle(libelle);
        if (*date) e.Enreg.Date = TDateKY('G', date);
        e.Enreg.NoPersB = static_cast<int32_t>(conjoint);
        c.AddEvenInTV(e);
      }
      EXPECT_TRUE(bdd.EnregistrerChpsOfPerson(c));
      return c;
    };
    (void)fiche(1, {{"NAISSANCE", "../../1800", 0}, {"NAISSANCE", "../../1802", 0},
                    {"UNION", "../../1830", 6}, {"UNION", "../../1825", 2}});
    (void)fiche(2, {{"DECES", "../../1850", 0}, {"BAPTEME", "../../1801", 0}, {"INHUMATION", "", 0},
                    {"UNION", "../../1826", 1}});
    const TChpsPersonne huit = fiche(8, {{"NAISSANCE", "../../1832", 0}});
    EXPECT_TRUE(bdd.AddPersAsso(huit.Evenements[0].Even.Enreg.ID, 5));
    EXPECT_TRUE(bdd.WriteNoParents(3, TNoParent{1, 2, 4, 5, 2, 0}));
  }

  TFicPersons& Fichier() { return famille_.Fichier(); }

  test::TFamille famille_;
};

std::vector<std::string> Textes(const std::vector<TDateKY>& dates) {
  std::set<std::string> s;  // each date once: repeats bound nothing more
  for (const TDateKY& d : dates) s.insert(std::string(d.Texte()));
  return {s.begin(), s.end()};
}

TEST_F(ProchesLegers, LesFaitsDEstimationSontCeuxDesFiches) {
  for (const bool citations : {true, false}) {
    TSourceEstimationFichier source(Fichier(), citations);
    for (long no = 0; no <= Fichier().NbEnreg; ++no) {
      SCOPED_TRACE("personne " + std::to_string(no) + (citations ? " avec citations" : ""));
      TPerson p(&Fichier(), no);
      const bool vivante = no > 0 && !p.FicheSupprimee();
      TDonneesEstimation attendu, lu;
      if (vivante) TSourceEstimationFichier::Extrait(p, attendu, citations);
      ASSERT_EQ(source.Lit(no, lu), vivante);
      EXPECT_EQ(lu.No, attendu.No);
      EXPECT_EQ(lu.Sexe, attendu.Sexe);
      EXPECT_EQ(std::pair(lu.Pere, lu.Mere), std::pair(attendu.Pere, attendu.Mere));
      EXPECT_EQ(lu.Conjoints, attendu.Conjoints);
      EXPECT_EQ(lu.Enfants, attendu.Enfants);
      for (const auto& [x, y] : {std::pair(&lu.Naissance, &attendu.Naissance), std::pair(&lu.Deces, &attendu.Deces),
                                 std::pair(&lu.Inhumation, &attendu.Inhumation)})
        EXPECT_EQ(x->Texte(), y->Texte());
      ASSERT_EQ(lu.Unions.size(), attendu.Unions.size());
      for (size_t i = 0; i < lu.Unions.size(); ++i) {
        EXPECT_EQ(lu.Unions[i].first, attendu.Unions[i].first) << "union " << i;
        EXPECT_EQ(lu.Unions[i].second.Texte(), attendu.Unions[i].second.Texte()) << "union " << i;
      }
      EXPECT_EQ(Textes(lu.Autres), Textes(attendu.Autres));
    }
  }
  EXPECT_FALSE(famille_.Dossier().Erreur);
}

TEST_F(ProchesLegers, LesNoeudsDeParenteSontCeuxDesPersonnes) {
  TGrapheParente g(Fichier());
  // The ascendancy reads its generations together.
  EXPECT_EQ(g.Ascendance(8, 3).Ordre.size(), 3u);
  EXPECT_EQ(g.Ascendance(3, 3).Ordre.size(), 3u);
  for (long no = 0; no <= Fichier().NbEnreg; ++no) {
    SCOPED_TRACE("personne " + std::to_string(no));
    const TNoeudParente& n = g.Noeud(no);
    const TPerson p(&Fichier(), no);
    ASSERT_EQ(n.Vivant, no > 0 && !p.FicheSupprimee());
    if (!n.Vivant) continue;
    long pere = 0, mere = 0, pereB = 0, mereB = 0;
    p.GetIdParent(false, pere, mere);
    p.GetIdParent(true, pereB, mereB);
    EXPECT_EQ(n.Sexe, p.Public.Sexe);
    EXPECT_EQ(std::pair(n.Pere, n.Mere), std::pair(pere, mere));
    EXPECT_EQ(std::pair(n.PereAdoptif, n.MereAdoptive), std::pair(pereB, mereB));
    std::vector<long> conjoints;
    for (const TLienConj& c : p.Public.Conjoints)
      if (c.Lien.No > 0 && c.Lien.No != no) conjoints.push_back(c.Lien.No);
    EXPECT_EQ(n.Conjoints, conjoints);
  }
  EXPECT_EQ(g.PersonnesLues(), Fichier().NbEnreg);
}

}  // namespace
}  // namespace kyb
