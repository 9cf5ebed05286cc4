// The notices file: 4012-byte records, the free list kept in the order freed, reuse, the
// categories area, and damaged headers.
#include "folder/fic_notices.h"

#include <gtest/gtest.h>

#include <cstring>

#include "support/support.h"

namespace kyb {
namespace {

constexpr size_t T = TFicNoticesPat::kTailleEnreg;

// Records what the notices file tells its index.
struct TIndexTemoin : TIndexNotices {
  void Ajout(const TNoticesPat& n) override { ajouts.push_back(n.Numero()); }
  void Suppression(int type, long numero) override { suppressions.emplace_back(type, numero); }
  std::vector<long> ajouts;
  std::vector<std::pair<int, long>> suppressions;
};

class Notices : public ::testing::Test {
 protected:
  Notices() : dossier(rep / "Essai.kya/Essai.adb") { EXPECT_TRUE(CreeRepertoires(dossier.Repertoire)); }

  AnsiString Chemin() const { return dossier.FabriqueNomFichier(TGestFichier::tfNotices); }
  std::string Contenu() const { return test::Contenu(Chemin()); }
  // The header's text at an offset (up to its terminator).
  std::string TexteEntete(size_t offset) const {
    const std::string c = Contenu();
    return offset < c.size() ? std::string(c.c_str() + offset) : std::string();
  }
  // A file of n live records and a header written by hand.
  void EcritFichier(long n, const std::string& compte, const std::string& libres) const {
    std::string octets(static_cast<size_t>(n + 1) * T, '\0');
    std::memcpy(octets.data() + 2, compte.data(), compte.size());
    std::memcpy(octets.data() + 257, libres.data(), libres.size());
    for (long i = 1; i <= n; ++i) octets[static_cast<size_t>(i) * T + 1] = 2;  // live town notices
    EXPECT_TRUE(CreeRepertoires(ExtraitRepertoire(Chemin())));
    test::Ecrit(Chemin(), octets);
  }
  // Writes n notices titled "Notice i".
  void Remplit(TFicNoticesPat& f, int n) {
    for (int i = 1; i <= n; ++i) {
      TNoticesPat notice(&f, kEnregCourant);
      notice.SetType(TNoticesPat::tnPatronyme);
      notice.SetTitre(0, "Notice " + std::to_string(i));
      notice.Enregistrement();
    }
  }

  test::RepertoireTemporaire rep;
  TGestFichier dossier;
};

TEST_F(Notices, CreationEtEnregistrements) {
  // A writable folder without the file (nor its directory) gets both.
  TFicNoticesPat f(&dossier, false);
  ASSERT_TRUE(f.Valide());
  EXPECT_EQ(Contenu(), std::string(T, '\0').replace(2, 1, "0"));
  TIndexTemoin index;
  f.SetIndex(&index);
  TNoticesPat notice(&f, kEnregCourant);
  EXPECT_EQ(notice.Numero(), 1);
  notice.SetType(TNoticesPat::tnVille);
  notice.SetTitre(0, "Saint-Malo");
  notice.SetTitre(1, "35400");
  notice.SetImage("blason.png");
  notice.SetCategories("Histoire=Cité corsaire");
  notice.Enregistrement();
  EXPECT_EQ(index.ajouts, std::vector<long>{1});
  EXPECT_EQ(TexteEntete(2), "1");
  const std::string c = Contenu();
  ASSERT_EQ(c.size(), 2 * T);
  EXPECT_EQ(c[T + 1], 2);
  EXPECT_EQ(std::string(c.c_str() + T + 4), "Saint-Malo");
  EXPECT_EQ(std::string(c.c_str() + T + 512), "Histoire=Cité corsaire");
  const TNoticesPat relue(&f, 1);
  EXPECT_EQ(relue.TitreComplet(), "Saint-Malo / 35400");
  EXPECT_EQ(relue.Image(), "blason.png");
  // The categories area alone.
  TNoticesPat categories(&f, 0);
  categories.LectureCategories(1);
  EXPECT_EQ(categories.Categories(), "Histoire=Cité corsaire");
  EXPECT_EQ(categories.Titre(0), "");
}

TEST_F(Notices, ListeLibreDansLOrdreDeSuppression) {
  {
    TFicNoticesPat f(&dossier, true);
    TIndexTemoin index;
    f.SetIndex(&index);
    Remplit(f, 9);
    TNoticesPat sept(&f, 7);
    sept.Suppression();
    EXPECT_EQ(index.suppressions, (std::vector<std::pair<int, long>>{{0, 7}}));
    EXPECT_EQ(TexteEntete(257), "7;");
    EXPECT_EQ(f.ReturnNewNum(), 7);  // the freed record, and the list is empty again
    EXPECT_TRUE(f.PositionsLibres().empty());
    EXPECT_EQ(TexteEntete(257), "");
    EXPECT_EQ(f.ReturnNewNum(), 10);
    TNoticesPat(&f, 0).Enregistrement(10);
    for (const long no : {3L, 9L, 5L}) TNoticesPat(&f, no).Suppression();
    EXPECT_EQ(TexteEntete(257), "3;9;5;");
    f.AjoutPosLibre(9);   // already listed
    f.AjoutPosLibre(40);  // out of range
    EXPECT_EQ(TexteEntete(257), "3;9;5;");
  }
  TFicNoticesPat f(&dossier, false);
  EXPECT_EQ(f.NbEnreg, 10);
  EXPECT_EQ(f.PositionsLibres(), (std::deque<long>{3, 9, 5}));
  EXPECT_EQ(f.ReturnNewNum(), 3);
  EXPECT_EQ(f.ReturnNewNum(), 9);
  EXPECT_EQ(TexteEntete(257), "5;");
  EXPECT_TRUE(TNoticesPat(&f, 5).Supprime());
}

TEST_F(Notices, EntetesAbimes) {
  const struct {
    std::string compte, libres;
    long nbEnreg;
    std::deque<long> attendus;
  } cas[] = {
      {"6", "4;2;", 6, {4, 2}},
      {"6", "0;99;4;4;abc;-2;5", 6, {4, 5}},  // out of range, repeated, not a number
      {"50", "6;7;", 6, {6}},                 // a count beyond the file is capped
      {"-3", "1;", 0, {}},
      {"x", "", 0, {}},
  };
  for (const auto& c : cas) {
    EcritFichier(6, c.compte, c.libres);
    TFicNoticesPat f(&dossier, false);
    EXPECT_EQ(f.NbEnreg, c.nbEnreg) << c.compte << " " << c.libres;
    EXPECT_EQ(f.PositionsLibres(), c.attendus) << c.libres;
  }
  // (A listed free record that is live is never handed out: the replayed fuzzing harness of this
  // file checks it for any header.)
}

}  // namespace
}  // namespace kyb
