// Values added in bulk to the value tables (imports) give the same table as values added one by
// one: same numbers, same sorted vector and ranking, same records stored, in a file and in the
// store.
#include <gtest/gtest.h>

#include "folder/fic_dupli.h"
#include "platform/thread_nom.h"
#include "store/datamodulebdd.h"
#include "support/support.h"

namespace kyb {
namespace {

struct TValeurTapee {
  const char* valeur;
  const char* code;
  const char* complement;
};

// New values, values typed again (in bulk: found among the values just added), values differing
// only by case, accents, code or complement, two values equal once cut to 50 characters, a value
// deleted before the import (found again: reactivated), an empty one (never added).
const TValeurTapee kSaisies[] = {
    {"Saint-Étienne", "42", "France"},
    {"Lyon", "69", "France"},
    {"saint-étienne", "42", "France"},
    {"Saint-Etienne", "42", "France"},
    {"Saint-Étienne", "42", "France"},
    {"Lyon", "69", "Rhône"},
    {"Lyon", "", ""},
    {"Curé", "", ""},
    {"Témoin", "", ""},
    {"Abbaye de la Trinité de Fécamp, paroisse Saint-Étienne, aile nord", "", ""},
    {"Abbaye de la Trinité de Fécamp, paroisse Saint-Étienne, aile sud", "", ""},
    {"", "", ""},
    {"Zurich", "CH", "Suisse"},
    {"Lyon", "69", "France"},
    {"Ébreuil", "03", "France"},
    {"Ebreuil", "03", "France"},
};

class AjoutsEnBloc : public ::testing::TestWithParam<TGestFichier::TTypeFichier> {
 protected:
  AjoutsEnBloc() { NommeThreadPrincipal(); }
  static std::unique_ptr<TGestFichier> Dossier(const AnsiString& chemin, bool creer) {
    return std::make_unique<TGestFichier>(chemin, TGestFichier::TOptionsOuverture{.Creer = creer});
  }
  static TFicDupli& Table(TGestFichier& g) {
    switch (GetParam()) {
      case TGestFichier::tfLieux: return *g.GetFicLieux();
      case TGestFichier::tfQualites: return *g.GetFicQualites();
      default: return *g.GetFicParentes();
    }
  }
  // The same start in both folders: two values, the second deleted.
  static void Prepare(TFicDupli& t) {
    for (const char* v : {"Curé", "Témoin"}) {
      const TEltDupWideChn e(U(v));
      ASSERT_GT(t.Cherche(&e, true), 0);
    }
    TFicheDupli temoin(&t, 2, false);
    temoin.Elt.Etat = kEtatSupprime;
    temoin.Enregistrement();
  }
  static std::vector<long> Saisit(TFicDupli& t) {
    std::vector<long> numeros;
    for (const TValeurTapee& s : kSaisies) {
      const TEltDupWideChn e(U(s.valeur), U(s.code), U(s.complement));
      numeros.push_back(t.Cherche(&e, true));
    }
    return numeros;
  }
  // Every record as stored, read back through a fresh opening of the folder.
  static std::vector<std::u16string> Stockes(const AnsiString& chemin) {
    auto g = Dossier(chemin, false);
    TFicDupli& t = Table(*g);
    std::vector<std::u16string> lignes;
    for (long no = 1; no <= t.NbEnreg; ++no) {
      TEltDupWideChn e;
      EXPECT_TRUE(t.LitElement(no, e));
      lignes.push_back(e.Valeur() + u"|" + e.Code() + u"|" + e.Complement() + u"|" + char16_t(e.Etat));
    }
    return lignes;
  }
  test::RepertoireTemporaire rep;
  AnsiString unParUn = rep / "UnParUn.kya/UnParUn.adb";
  AnsiString enBloc = rep / "EnBloc.kya/EnBloc.adb";
};

TEST_P(AjoutsEnBloc, MemeTableQuUnParUn) {
  std::vector<long> numerosUn, numerosBloc;
  std::vector<std::u16string> vecteurUn, vecteurBloc;
  std::vector<int> classementUn, classementBloc;
  std::vector<long> commencantUn, commencantBloc;
  {
    auto g = Dossier(unParUn, true);
    TFicDupli& t = Table(*g);
    Prepare(t);
    numerosUn = Saisit(t);
    for (const TEltDupWideChn& e : t.Vecteur().Elements()) vecteurUn.push_back(e.Valeur() + char16_t(e.Numero));
    classementUn = t.ClassementSansSuppr();
    commencantUn = t.NumerosCommencantPar(u"saint");
  }
  {
    auto g = Dossier(enBloc, true);
    TFicDupli& t = Table(*g);
    Prepare(t);
    t.DebutAjoutsEnBloc();
    ASSERT_TRUE(t.AjoutsEnBloc());
    numerosBloc = Saisit(t);
    // Meanwhile the values added are found and read; ranks come at the end.
    int rang = 0;
    const TEltDupWideChn zurich(u"Zurich", u"CH", u"Suisse");
    const long noZurich = t.Cherche(&zurich, false, &rang);
    EXPECT_GT(noZurich, 2);
    EXPECT_EQ(rang, -1);
    EXPECT_EQ(t.Charge(noZurich), u"Zurich");
    EXPECT_EQ(t.Vecteur().GetNbElt(), 2);  // the sorted vector holds the values of before
    t.FinAjoutsEnBloc();
    EXPECT_FALSE(t.AjoutsEnBloc());
    for (const TEltDupWideChn& e : t.Vecteur().Elements()) vecteurBloc.push_back(e.Valeur() + char16_t(e.Numero));
    classementBloc = t.ClassementSansSuppr();
    commencantBloc = t.NumerosCommencantPar(u"saint");
    EXPECT_EQ(t.Cherche(&zurich, false, &rang), noZurich);
    EXPECT_GE(rang, 0);
  }
  // Numbers in order of first appearance: the deleted Témoin comes back under 2, Curé stays 1,
  // the two abbeys share one record, the empty value gets none.
  const std::vector<long> attendus = {3, 4, 5, 6, 3, 7, 8, 1, 2, 9, 9, 0, 10, 4, 11, 12};
  EXPECT_EQ(numerosUn, attendus);
  EXPECT_EQ(numerosBloc, attendus);
  EXPECT_EQ(vecteurBloc, vecteurUn);
  EXPECT_EQ(classementBloc, classementUn);
  EXPECT_EQ(commencantBloc, commencantUn);
  EXPECT_EQ(commencantUn.size(), 3u);  // Saint-Étienne, saint-étienne, Saint-Etienne
  EXPECT_EQ(Stockes(enBloc), Stockes(unParUn));
  EXPECT_EQ(Stockes(unParUn).size(), 12u);
}

// A record rewritten while values are being added in bulk puts them in their places first.
TEST_P(AjoutsEnBloc, EnregistrementPendantLesAjouts) {
  auto g = Dossier(enBloc, true);
  TFicDupli& t = Table(*g);
  t.DebutAjoutsEnBloc();
  for (const char* v : {"Nantes", "Brest", "Angers"}) {
    const TEltDupWideChn e(U(v));
    (void)t.Cherche(&e, true);
  }
  TFicheDupli brest(&t, 2, false);
  ASSERT_EQ(brest.Elt.Valeur(), u"Brest");
  brest.Elt.SetTextes(u"Vannes", {}, {});
  brest.Enregistrement();
  const TEltDupWideChn cholet(u"Cholet");
  EXPECT_EQ(t.Cherche(&cholet, true), 4);
  t.FinAjoutsEnBloc();
  std::vector<std::u16string> ordre;
  for (const int pos : t.ClassementSansSuppr()) ordre.push_back(t.Vecteur().Lit(pos).Valeur());
  EXPECT_EQ(ordre, (std::vector<std::u16string>{u"Angers", u"Cholet", u"Nantes", u"Vannes"}));
  const TEltDupWideChn brestEncore(u"Brest");
  EXPECT_EQ(t.Cherche(&brestEncore, false), 0);
}

INSTANTIATE_TEST_SUITE_P(Tables, AjoutsEnBloc,
                         ::testing::Values(TGestFichier::tfLieux, TGestFichier::tfQualites));

}  // namespace
}  // namespace kyb
