// The index file read in place: the same entries and table of phonetic codes as the index read
// whole; a file of the former layout still read whole; damage never read past the bytes.
#include "names/vue_fichier_index.h"

#include <gtest/gtest.h>

#include "names/gest_elt_index.h"
#include "platform/erreur.h"
#include "platform/fichier_projete.h"
#include "support/support.h"

namespace kyb {
namespace {

// Sorted entries of several surnames, some sharing a phonetic code.
void RemplitIndex(TGestEltIndex& index) {
  const char16_t* const noms[][2] = {{u"MARTIN", u"M635"}, {u"MARTAIN", u"M635"}, {u"DURAND", u"D653"},
                                     {u"", u""},           {u"DURANT", u"D653"},  {u"ROUX", u"R200"}};
  for (int i = 0; i < 60; ++i) {
    TEltIndex e;
    e.SetNom(noms[i % 6][0]);
    e.SetNomSoundex(noms[i % 6][1]);
    e.SetPrenom(i % 4 ? u"JEAN" : u"ÉLODIE");
    e.NoPers = i + 1;
    e.AnneeMin = static_cast<int16_t>(1800 + i);
    e.Sexe = i % 3 ? 'M' : 'F';
    e.FicheSupprimee = i % 5 ? 'N' : 'O';
    e.TypePersonne = i % 7 ? 'P' : 'T';
    index.Ajoute(e);
  }
  TEltIndex t1, t2;
  index.Classement(t1, t2);
}

TEST(VueFichierIndex, MemesEntreesEtCodesQueLIndexLuEnEntier) {
  test::RepertoireTemporaire rep;
  TGestEltIndex index(0, nullptr);
  RemplitIndex(index);
  ASSERT_TRUE(index.Sauvegarde(rep / "i.prx2", nullptr));
  const TTableCodes codes = ConstruitTableCodes(index.Elements());
  ASSERT_EQ(codes.size(), 6u);

  const TFichierProjete projection(rep / "i.prx2");
  const TVueFichierIndex vue(projection.Octets());
  ASSERT_TRUE(vue.Valide());
  ASSERT_EQ(vue.size(), 60u);
  // Twice: the second time from the entries kept; and with room for 8 entries only, forgotten and
  // kept again as the reads go.
  const TVueFichierIndex etroite(projection.Octets(), 8);
  for (const TVueFichierIndex* v : {&vue, &etroite})
    for (int passe = 0; passe < 2; ++passe)
      for (size_t i = 0; i < v->size(); ++i) EXPECT_EQ((*v)[(i * 7) % 60], index.Lit(static_cast<int>((i * 7) % 60))) << i;
  // The reading of long walks gives the same entries, kept or not.
  for (size_t i = 0; i < etroite.size(); ++i) EXPECT_EQ(EntreeParcourue(etroite, i), index.Lit(static_cast<int>(i))) << i;
  // So does the surname walk's reading, for what it reads.
  for (size_t i = 0; i < vue.size(); ++i) {
    TVueFichierIndex::TEntreeNom e;
    ASSERT_TRUE(vue.LitNom(i, e));
    const TEltIndex& a = index.Lit(static_cast<int>(i));
    EXPECT_EQ(vue.DecodeNom(e.NomUtf8), a.Nom()) << i;
    EXPECT_EQ(std::tuple(e.AnneeMin, e.NoPers, e.TypePersonne, e.Sexe, e.FicheSupprimee),
              std::tuple(a.AnneeMin, a.NoPers, a.TypePersonne, a.Sexe, a.FicheSupprimee)) << i;
  }
  EXPECT_EQ(vue.Codes(), codes);
  EXPECT_EQ(vue.DebutsCode(CodeEntier(u"M635")), DebutsCode(codes, CodeEntier(u"M635")));
  EXPECT_EQ(vue.DebutsCode(CodeEntier(u"M635")).size(), 2u);
  EXPECT_TRUE(vue.DebutsCode(CodeEntier(u"Z000")).empty());
  // A surname's range from its first entry is the one the search by key finds; from inside a
  // surname (a damaged table of codes) as well. Each surname has 10 entries.
  for (const auto& [code, debut] : codes)
    for (const size_t depuis : {static_cast<size_t>(debut), static_cast<size_t>(debut) + 1})
      EXPECT_EQ(vue.PlageDepuis(depuis), vue.Plage(vue[static_cast<size_t>(debut)].Nom(), false)) << depuis;
  EXPECT_FALSE(vue.Endommage());

  TGestEltIndex relu(0, nullptr);
  relu.Restauration(rep / "i.prx2", nullptr);
  EXPECT_EQ(relu.PrendsCodesLus(), codes);

  // The footer of the previous version, without the last row number, is read as well.
  const std::string octets = test::Contenu(rep / "i.prx2");
  const std::string precedent = octets.substr(0, octets.size() - 12) + "IDX2";
  const TVueFichierIndex vuePrecedente(precedent);
  ASSERT_TRUE(vuePrecedente.Valide());
  EXPECT_EQ(vuePrecedente.DerniereLigne(), 0u);
  EXPECT_EQ(vuePrecedente[59], index.Lit(59));
  EXPECT_EQ(vuePrecedente.Codes(), codes);

  // A file of the former layout (the entries alone) is read whole, without a table of codes.
  const size_t finEntrees = octets.size() - 28 - 12 * 6 - 8 * 60;  // the footer, codes, offsets
  test::Ecrit(rep / "ancien.prx2", octets.substr(0, finEntrees));
  relu.Restauration(rep / "ancien.prx2", nullptr);
  ASSERT_EQ(relu.GetNbElt(), 60);
  EXPECT_EQ(relu.Lit(59), index.Lit(59));
  EXPECT_TRUE(relu.PrendsCodesLus().empty());
  EXPECT_FALSE(TVueFichierIndex(octets.substr(0, finEntrees)).Valide());
}

TEST(VueFichierIndex, DommagesSignalesSansLireAuDela) {
  test::RepertoireTemporaire rep;
  TGestEltIndex index(0, nullptr);
  RemplitIndex(index);
  ASSERT_TRUE(index.Sauvegarde(rep / "i.prx2", nullptr));
  const std::string bon = test::Contenu(rep / "i.prx2");
  const size_t table = bon.size() - 28 - 12 * 6 - 8 * 60;

  // Cut anywhere: no view (the appendix is found from the end), and the reading of the whole file
  // refuses what follows the entries when it is not a whole appendix.
  for (size_t lg = 0; lg < bon.size(); lg += 7) {
    const std::string coupe = bon.substr(0, lg);
    EXPECT_FALSE(TVueFichierIndex(coupe).Valide()) << lg;
  }
  test::Ecrit(rep / "coupe.prx2", bon.substr(0, bon.size() - 1));
  TGestEltIndex relu(0, nullptr);
  EXPECT_THROW(relu.Restauration(rep / "coupe.prx2", nullptr), ErreurKy);

  const auto abime = [&](size_t position, const std::string& octets) {
    std::string t = bon;
    t.replace(position, octets.size(), octets);
    return t;
  };
  {
    // An offset beyond the entries: that entry is a default one and the view damaged.
    const std::string t = abime(table + 8, std::string("\xFF\xFF\xFF\x00\x00\x00\x00\x00", 8));
    const TVueFichierIndex vue(t);
    ASSERT_TRUE(vue.Valide());
    EXPECT_EQ(vue[0].NoPers, TVueFichierIndex(bon)[0].NoPers);
    EXPECT_FALSE(vue.Endommage());
    EXPECT_EQ(vue[1].NoPers, 0);
    EXPECT_TRUE(vue.Endommage());
  }
  {
    // A text length beyond the entries, or not UTF-8: refused by the surname walk's reading too.
    // Entry 10, the first with a surname, from the table of offsets.
    size_t debut = 0;
    for (size_t k = 0; k < 4; ++k) debut |= size_t{static_cast<unsigned char>(bon[table + 80 + k])} << (8 * k);
    TVueFichierIndex::TEntreeNom e;
    const std::string t1 = abime(debut, "\xF0\xFF\xFF\x00"), t2 = abime(debut + 4, "\xFF");
    const TVueFichierIndex longueur(t1);
    EXPECT_FALSE(longueur.LitNom(10, e));
    EXPECT_TRUE(longueur.Endommage());
    const TVueFichierIndex utf8(t2);
    ASSERT_TRUE(utf8.LitNom(10, e));
    EXPECT_TRUE(utf8.DecodeNom(e.NomUtf8).empty());
    EXPECT_TRUE(utf8.Endommage());
  }
  {
    // A position of the table of codes beyond the entries.
    const std::string t = abime(table + 8 * 60 + 8, "\xFF\xFF\x00\x00");
    const TVueFichierIndex vue(t);
    ASSERT_TRUE(vue.Valide());
    EXPECT_TRUE(vue.Codes().empty());
    EXPECT_TRUE(vue.Endommage());
  }
}

}  // namespace
}  // namespace kyb
