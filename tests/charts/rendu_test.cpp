// Each chart kind written as SVG and rendered by a real renderer (rsvg-convert, skipped when
// absent): the PNG has the document's size, every person's name is in the document, escaped.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <utility>

#include "charts/arbre_ascendance.h"
#include "charts/arbre_descendance.h"
#include "charts/arbre_eventail.h"
#include "charts/ecrivain_svg.h"
#include "charts/lecteur_arbre.h"
#include "chevauchements.h"
#include "support/genealogie_index.h"

namespace kyb {
namespace {

class Rendu : public ::testing::Test {
 protected:
  Rendu() {
    // Names with XML's own characters and characters outside Windows-1252.
    pere_ = g_.Ajoute({u"O'Brien & <Fils>", u"Seán", 'M', 0, 0, {{"NAISSANCE", "12/03/1850"}}});
    const long mere = g_.Ajoute({u"Nguyễn", u"Thị \"Mai\"", 'F', 0, 0, {{"DECES", "02/05/1921"}}});
    for (const auto& [a, b] : {std::pair(pere_, mere), std::pair(mere, pere_)}) {
      TPerson p(g_.Personnes(), a);
      p.AjouteConj(b);
      EXPECT_TRUE(p.Enregistrement());
    }
    racine_ = g_.Ajoute({u"Martin", u"Zoë", 'F', pere_, mere, {{"NAISSANCE", "30/11/1880"}}});
    g_.Ajoute({u"李", u"Wei", 'M', 0, 0});
    enfant_ = g_.Ajoute({u"Martin", u"Élise", 'F', 0, racine_});
  }

  // The document and the PNG rendered from it; the PNG's width and height from its header.
  void Rend(const TDessin& d, const char* nom) {
    const AnsiString svg = g_.Repertoire() / (std::string(nom) + ".svg");
    ASSERT_EQ(EcritSvg(d, svg), "");
    texte_ = test::Contenu(svg);
    const std::string png = g_.Repertoire() / (std::string(nom) + ".png");
    ASSERT_EQ(std::system(("rsvg-convert -o '" + png + "' '" + svg + "'").c_str()), 0);
    const std::string octets = test::Contenu(png);
    ASSERT_GT(octets.size(), 24u);
    const auto mot = [&octets](size_t i) {
      return static_cast<long>(static_cast<unsigned char>(octets[i])) << 24 | static_cast<unsigned char>(octets[i + 1]) << 16 |
             static_cast<unsigned char>(octets[i + 2]) << 8 | static_cast<unsigned char>(octets[i + 3]);
    };
    EXPECT_EQ(octets.substr(1, 3), "PNG");
    EXPECT_EQ(mot(16), std::lround(std::ceil(d.Largeur)));
    EXPECT_EQ(mot(20), std::lround(std::ceil(d.Hauteur)));
    EXPECT_EQ(test::Chevauchement(d), "");
  }

  // Every person of the chart under its name as the reader gives it.
  void AttendNoms(TLecteurArbre& lecteur, const TDessin& d) const {
    std::vector<long> nos;
    for (const TBoite& b : d.Boites) nos.push_back(b.No);
    for (const TSecteur& s : d.Secteurs) nos.push_back(s.No);
    for (const long no : nos) EXPECT_NE(texte_.find(EchappeXml(lecteur.Personne(no)->Nom)), std::string::npos) << no;
  }

  void SetUp() override {
    if (std::system("command -v rsvg-convert > /dev/null 2>&1") != 0) GTEST_SKIP() << "rsvg-convert absent";
  }

  test::TGenealogieIndex g_;
  long pere_ = 0, racine_ = 0, enfant_ = 0;
  std::string texte_;
};

TEST_F(Rendu, Ascendance) {
  TLecteurArbre lecteur(g_.Dossier());
  const TDessin d = DessineAscendance(lecteur, racine_, 4);
  Rend(d, "ascendance");
  AttendNoms(lecteur, d);
  EXPECT_EQ(d.Boites.size(), 3u);
  EXPECT_NE(texte_.find("O'BRIEN &amp; &lt;FILS&gt; Seán"), std::string::npos);
  // Stated years as they are, the others estimated by the index.
  for (const char* annees : {">1880-~", ">1850-~", "-1921<"}) EXPECT_NE(texte_.find(annees), std::string::npos) << annees;
}

TEST_F(Rendu, Descendance) {
  TLecteurArbre lecteur(g_.Dossier());
  const TDessin d = DessineDescendance(lecteur, pere_, 3);
  Rend(d, "descendance");
  AttendNoms(lecteur, d);
  EXPECT_EQ(d.Boites.size(), 4u);
}

TEST_F(Rendu, Eventail) {
  TLecteurArbre lecteur(g_.Dossier());
  const TDessin d = DessineEventail(lecteur, enfant_, 10);
  Rend(d, "eventail");
  AttendNoms(lecteur, d);
  EXPECT_EQ(d.Secteurs.size(), 4u);
}

}  // namespace
}  // namespace kyb
