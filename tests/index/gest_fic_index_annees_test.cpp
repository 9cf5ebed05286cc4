// Lifetime years of the person index: taken from birth or baptism and death or burial, the same
// whether they come from the card just saved, from the stored events or from a bulk rebuild, and
// shown with the persons found.
#include <gtest/gtest.h>

#include "folder/gest_fic.h"
#include "folder/gest_fic_pers.h"
#include "index/gest_fic_index.h"
#include "persons/gest_pers.h"
#include "platform/thread_nom.h"
#include "store/datamodulebdd.h"
#include "support/support.h"
#include "index/ouverture_genealogie.h"

namespace kyb {
namespace {

struct TEven {
  const char* libelle;
  char calendrier;
  const char* date;
};

class AnneesIndex : public ::testing::Test {
 protected:
  AnneesIndex() {
    NommeThreadPrincipal();
    g = std::make_unique<TGestFichier>(rep / "A.kya/A.adb", AvecIndex(TGestFichier::Creation(0)));
  }
  long Ajoute(const char16_t* nom, std::initializer_list<TEven> evens) {
    TPerson p(g->GetFicPersons(), 0);
    p.NouvelleFiche(kEnregCourant);
    p.SetNom(nom);
    p.SetPrenoms(u"Jean");
    p.Fiche().EvenementsCharges = p.Fiche().ChpsSimplesCharges = true;
    for (const TEven& e : evens) {
      TEvenement ev(g->GetModuleBDD());
      ev.NouvelleFiche();
      ev.SetLibelle(e.libelle);
      ev.Enreg.Date = TDateKY(e.calendrier, e.date);
      p.Fiche().AddEvenInTV(ev);
    }
    EXPECT_TRUE(p.Enregistrement());
    return p.Numero();
  }
  TAnneesVie Lignes(long no) const {
    const auto ids = g->GetModuleBDD()->GetIndexPerson(no);
    EXPECT_EQ(ids.size(), 1u);
    const TIndexPerson l(TFicIndexPerson::De(*g), ids.at(0));
    return {l.Enreg.AnneeMin, l.Enreg.AnneeMax};
  }
  test::RepertoireTemporaire rep;
  std::unique_ptr<TGestFichier> g;
};

const struct {
  const char16_t* nom;
  std::initializer_list<TEven> evens;
  TAnneesVie attendu;
} kCas[] = {
    {u"Abel", {{"NAISSANCE", 'G', "12/03/1850"}, {"DECES", 'G', "05/11/1910"}}, {1850, 1910}},
    // Baptism and burial stand in for a missing birth and death.
    {u"Blanc", {{"BAPTEME", 'G', "14/03/1850"}, {"INHUMATION", 'G', "07/11/1910"}}, {1850, 1910}},
    // A birth without its year gives way to the baptism; a dated death wins over the burial.
    {u"Caron",
     {{"NAISSANCE", 'G', "12/03/...."}, {"BAPTEME", 'G', "../../1851"}, {"DECES", 'G', "../11/1910"},
      {"INHUMATION", 'G', "01/01/1911"}},
     {1851, 1910}},
    // Ranges: the earlier bound of the birth, the later bound of the death.
    {u"Dumas", {{"NAISSANCE", 'G', "1750/1760"}, {"DECES", 'G', "1800/1810"}}, {1750, 1810}},
    // 1 pluviôse an XII is 22 January 1804.
    {u"Fabre", {{"NAISSANCE", 'R', "01/PLUV/12"}}, {1804, 0}},
    // Before Christ, and events that say nothing of birth or death.
    {u"Girard", {{"NAISSANCE", 'A', "../../0052"}, {"MARIAGE", 'G', "01/06/1875"}}, {0, 0}},
    {u"Henry", {}, {0, 0}},
};

TEST_F(AnneesIndex, DesEvenementsDeNaissanceEtDeDeces) {
  std::vector<long> numeros;
  for (const auto& c : kCas) numeros.push_back(Ajoute(c.nom, c.evens));
  for (size_t i = 0; i < std::size(kCas); ++i) {
    SCOPED_TRACE(UnicodeVersUtf8(kCas[i].nom));
    EXPECT_EQ(Lignes(numeros[i]), kCas[i].attendu);  // from the card just saved
    EXPECT_EQ(TFicIndexPerson::De(*g)->AnneesVie(numeros[i]), kCas[i].attendu);  // from the stored events
    const auto t = TFicIndexPerson::De(*g)->ChercheNom(kCas[i].nom, u"", 5);
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].AnneeMin, kCas[i].attendu.Min);
    EXPECT_EQ(t[0].AnneeMax, kCas[i].attendu.Max);
  }
  // The stored events agree with the card: nothing to repair; and a bulk rebuild gives the same.
  EXPECT_EQ(TFicIndexPerson::De(*g)->CheckIndexValid(nullptr, false).Defauts(), 0);
  ASSERT_TRUE(TFicIndexPerson::De(*g)->ReinitTableIndex());
  for (size_t i = 0; i < std::size(kCas); ++i) EXPECT_EQ(Lignes(numeros[i]), kCas[i].attendu);
  EXPECT_EQ(TFicIndexPerson::De(*g)->LibelleTrouve(TFicIndexPerson::De(*g)->ChercheNom(u"Abel", u"", 1).at(0)),
            u"Abel Jean (1850-1910)");
}

TEST_F(AnneesIndex, EvenementChangeSansLaPersonneRepareParLaVerification) {
  const long no = Ajoute(u"Lucas", {{"NAISSANCE", 'G', "02/02/1802"}});
  // The birth rewritten on its own: the index rows still tell 1802.
  TPerson p(g->GetFicPersons(), no, true);
  ASSERT_EQ(p.Fiche().GetNbInfoEven(), 1);
  TEvenement& e = p.Fiche().Evenements[0].Even;
  e.Enreg.Date = TDateKY('G', "03/03/1803");
  ASSERT_TRUE(e.Enregistrement());
  EXPECT_EQ(Lignes(no), (TAnneesVie{1802, 0}));
  const TBilanIndex bilan = TFicIndexPerson::De(*g)->CheckIndexValid(nullptr, true);
  EXPECT_EQ(bilan.LignesPerimees, 1);
  EXPECT_EQ(Lignes(no), (TAnneesVie{1803, 0}));
  EXPECT_EQ(TFicIndexPerson::De(*g)->ChercheNom(u"Lucas", u"", 1).at(0).AnneeMin, 1803);
}

TEST(TexteAnnees, AnneesInconnuesEnPointDInterrogation) {
  const struct {
    int16_t min, max;
    const char16_t* texte;
  } cas[] = {{1850, 1910, u"(1850-1910)"}, {0, 1910, u"(?-1910)"}, {1850, 0, u"(1850-?)"}, {0, 0, u""}};
  for (const auto& c : cas) EXPECT_EQ(TFicIndexPerson::TexteAnnees(c.min, c.max), c.texte);
}

}  // namespace
}  // namespace kyb
