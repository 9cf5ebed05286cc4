// The GEDCOM writer: header and trailer of both versions, CONC / CONT splitting, "@" doubling,
// and what it writes read back by the reader.
#include "gedcom/ecrivain_gedcom.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gedcom/codage_gedcom.h"
#include "gedcom/lecteur_gedcom.h"

namespace kyb {
namespace {

std::vector<std::string> Lignes(const std::string& texte) {
  std::vector<std::string> l;
  std::size_t debut = 0;
  for (std::size_t p; (p = texte.find("\r\n", debut)) != std::string::npos; debut = p + 2)
    l.push_back(texte.substr(debut, p - debut));
  EXPECT_EQ(debut, texte.size());
  return l;
}

// Values of the level-1 NOTE lines of record @I1@, as the reader gives them back.
std::vector<std::string> NotesRelues(const std::string& texte) {
  TLecteurGedcom lecteur;
  EXPECT_TRUE(lecteur.OuvreTexte(texte));
  std::vector<std::string> notes;
  TNoeudGedcom n;
  while (lecteur.Suivant(n))
    if (n.xref == "@I1@")
      for (const auto& e : n.enfants) notes.push_back(e.valeur);
  for (const auto& a : lecteur.Avertissements()) ADD_FAILURE() << a.message;
  return notes;
}

TEST(EcrivainGedcom, EnteteEtFin551) {
  TEcrivainGedcom e(TVersionGedcom::V551);
  e.Entete("KYBASE", "0.1.0", "5 DEC 2026");
  e.Ligne(0, "INDI", {}, "@I1@");
  e.Ligne(1, "NAME", "Jean /Martin/");
  e.Pointeur(1, "FAMS", "@F1@");
  e.Fin();
  EXPECT_EQ(e.Texte(),
            "0 HEAD\r\n1 SOUR KYBASE\r\n2 VERS 0.1.0\r\n1 DATE 5 DEC 2026\r\n1 GEDC\r\n"
            "2 VERS 5.5.1\r\n2 FORM LINEAGE-LINKED\r\n1 CHAR UTF-8\r\n0 @I1@ INDI\r\n"
            "1 NAME Jean /Martin/\r\n1 FAMS @F1@\r\n0 TRLR\r\n");
  TEcrivainGedcom e7(TVersionGedcom::V70);
  e7.Entete("KYBASE", "0.1.0");
  e7.Fin();
  EXPECT_EQ(e7.Texte(), "\xEF\xBB\xBF" "0 HEAD\r\n1 GEDC\r\n2 VERS 7.0\r\n1 SOUR KYBASE\r\n2 VERS 0.1.0\r\n"
                        "0 TRLR\r\n");
}

TEST(EcrivainGedcom, ValeursLonguesEtMultilignesRelues) {
  std::string longue;
  for (int i = 0; i < 120; ++i) longue += "mot" + std::to_string(i) + " été @ ";
  std::string accents;  // two-byte characters: no cut may fall inside one
  for (int i = 0; i < 300; ++i) accents += "é";
  const std::vector<std::string> attendues = {
      longue,
      "ligne un\nligne deux\n\nligne quatre après une vide",
      std::string(700, 'x') + "\n" + longue,
      accents,
      "@debut et fin@",
      "",
  };
  for (const TVersionGedcom v : {TVersionGedcom::V551, TVersionGedcom::V70}) {
    TEcrivainGedcom e(v);
    e.Entete("KYBASE", "0.1.0");
    e.Ligne(0, "INDI", {}, "@I1@");
    for (const auto& valeur : attendues) e.Ligne(1, "NOTE", valeur);
    e.Fin();
    EXPECT_EQ(NotesRelues(e.Texte()), attendues);
    for (const auto& l : Lignes(e.Texte())) {
      std::size_t invalides = 0;
      (void)Utf8Valide(l, true, invalides);
      EXPECT_EQ(invalides, 0u) << l;
      if (v == TVersionGedcom::V551) {
        EXPECT_LE(l.size(), 255u);
        if (l.starts_with("2 CONC ")) {
          EXPECT_NE(l[7], ' ') << l;
        }
      } else {
        EXPECT_FALSE(l.starts_with("2 CONC")) << l;
      }
    }
  }
}

TEST(EcrivainGedcom, ArobasesDoublees) {
  EXPECT_EQ(DoubleArobases("a@b@@c", TVersionGedcom::V551), "a@@b@@@@c");
  EXPECT_EQ(DoubleArobases("@a@b", TVersionGedcom::V70), "@@a@b");
  EXPECT_EQ(DoubleArobases("a@b", TVersionGedcom::V70), "a@b");
}

TEST(EcrivainGedcom, DatesEtSortieParMorceaux) {
  std::string recu;
  int morceaux = 0;
  TEcrivainGedcom e(TVersionGedcom::V551, [&](std::string_view m) {
    recu += m;
    ++morceaux;
  });
  e.Entete("KYBASE", {});
  for (int i = 0; i < 5000; ++i) {
    e.Ligne(0, "INDI", {}, "@I" + std::to_string(i) + "@");
    e.Ligne(1, "BIRT");
    TDateKY d('R', "18/BRUM/08");
    d.SetActe("<");
    EXPECT_TRUE(e.Date(2, d));
  }
  EXPECT_FALSE(e.Date(2, TDateKY()));
  e.Fin();
  EXPECT_GT(morceaux, 1);
  EXPECT_TRUE(e.Texte().empty());
  EXPECT_NE(recu.find("2 DATE BEF @#DFRENCH R@ 18 BRUM 8\r\n"), std::string::npos);
  EXPECT_TRUE(recu.ends_with("0 TRLR\r\n"));
}

}  // namespace
}  // namespace kyb
