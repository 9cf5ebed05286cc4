// The streaming GEDCOM reader: line ends, byte-order marks and character sets (ANSEL with its combining marks), faults with their line numbers, refusal of
// what is not GEDCOM, and chunk boundaries of a file on disk.
#include "gedcom/lecteur_gedcom.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "support/support.h"

namespace kyb {
namespace {

// A record flattened: "niveau xref tag [valeur]" per line, children in order.
void Aplatit(const TNoeudGedcom& n, std::string& sortie) {
  sortie += std::to_string(n.niveau) + " " + n.xref + " " + n.tag + " [" + n.valeur + "]\n";
  for (const auto& e : n.enfants) Aplatit(e, sortie);
}

struct TLecture {
  bool ouvert = false;
  std::string erreur;
  std::vector<TNoeudGedcom> enregistrements;
  std::vector<TAvertissementGedcom> avertissements;
  TCodageGedcom codage = TCodageGedcom::Utf8;
  std::string arbre;
};

TLecture Lit(const std::string& contenu) {
  TLecture l;
  TLecteurGedcom lecteur;
  l.ouvert = lecteur.OuvreTexte(contenu);
  l.erreur = lecteur.Erreur();
  TNoeudGedcom n;
  while (l.ouvert && lecteur.Suivant(n)) {
    Aplatit(n, l.arbre);
    l.enregistrements.push_back(std::move(n));
  }
  l.avertissements = lecteur.Avertissements();
  l.codage = lecteur.Codage();
  // The same records when one node is handed back at each call, as an import does.
  TLecteurGedcom relu;
  std::string arbre;
  TNoeudGedcom meme;
  if (relu.OuvreTexte(contenu))
    while (relu.Suivant(meme)) Aplatit(meme, arbre);
  EXPECT_EQ(arbre, l.arbre);
  return l;
}

bool Avertit(const TLecture& l, long ligne, const std::string& morceau) {
  for (const auto& a : l.avertissements)
    if (a.ligne == ligne && a.message.find(morceau) != std::string::npos &&
        a.message.find("Ligne " + std::to_string(ligne)) != std::string::npos)
      return true;
  return false;
}

std::string Avec(const std::string& corps, const char* fin = "\n") {
  std::string t;
  std::size_t debut = 0;
  while (debut < corps.size()) {
    const std::size_t p = corps.find('\n', debut);
    t += corps.substr(debut, p - debut) + fin;
    if (p == std::string::npos) break;
    debut = p + 1;
  }
  return t;
}

TEST(LecteurGedcom, FinsDeLigneEtMarquesDOrdre) {
  const std::string corps =
      "0 HEAD\n1 CHAR UTF-8\n0 @I1@ INDI\n1 NAME Zoé /Ébrard/\n2 NOTE a \U0001D11E\n3 CONT b\n"
      "0 TRLR";
  const TLecture reference = Lit(Avec(corps));
  ASSERT_TRUE(reference.ouvert);
  ASSERT_EQ(reference.enregistrements.size(), 3u);
  EXPECT_TRUE(reference.avertissements.empty());
  for (const char* fin : {"\r\n", "\r", "\n"}) {
    const TLecture l = Lit(Avec(corps, fin));
    EXPECT_EQ(l.arbre, reference.arbre) << "fin " << static_cast<int>(fin[0]);
    EXPECT_TRUE(l.avertissements.empty());
  }
  EXPECT_EQ(Lit("\xEF\xBB\xBF" + Avec(corps)).arbre, reference.arbre);
  // UTF-16 with its mark, both byte orders; the text holds a character outside the BMP.
  const std::u16string u16 = Utf8VersUnicode(Avec(corps, "\r\n"));
  std::string le = "\xFF\xFE", be = "\xFE\xFF";
  for (const char16_t c : u16) {
    le += static_cast<char>(c & 0xFF);
    le += static_cast<char>(c >> 8);
    be += static_cast<char>(c >> 8);
    be += static_cast<char>(c & 0xFF);
  }
  const TLecture lLe = Lit(le), lBe = Lit(be);
  EXPECT_EQ(lLe.arbre, reference.arbre);
  EXPECT_EQ(lLe.codage, TCodageGedcom::Utf16LE);
  EXPECT_EQ(lBe.arbre, reference.arbre);
  EXPECT_EQ(lBe.codage, TCodageGedcom::Utf16BE);
  EXPECT_TRUE(lLe.avertissements.empty());
}

TEST(LecteurGedcom, AnselEtSesDiacritiquesAvantLaLettre) {
  const TLecture l = Lit(
      "0 HEAD\n1 CHAR ANSEL\n0 @I1@ INDI\n"
      "1 NAME Ren\xE2" "e /Fran\xF0" "cois/\n"        // acute, cedilla
      "1 NOTE M\xE8" "uller \xA2ster \xB1\xF2" "od\xE2z\n"  // umlaut, O stroke, l stroke
      "1 NOTE Vi\xE3\xF2" "a\n"                     // circumflex + dot below, reordered
      "1 NOTE \xC3 1990 \xE9q\n"                     // copyright; q caron has no single form
      "1 NOTE bad\xD5\n"
      "0 TRLR\n");
  ASSERT_TRUE(l.ouvert);
  EXPECT_EQ(l.codage, TCodageGedcom::Ansel);
  const TNoeudGedcom& i = l.enregistrements[1];
  EXPECT_EQ(i.enfants[0].valeur, "René /François/");
  EXPECT_EQ(i.enfants[1].valeur, "Müller Øster łọdź");
  EXPECT_EQ(i.enfants[2].valeur, "Vi\u1EAD");
  EXPECT_EQ(i.enfants[3].valeur, "© 1990 q\u030C");
  EXPECT_EQ(i.enfants[4].valeur, "bad\uFFFD");
  EXPECT_TRUE(Avertit(l, 8, "ANSEL"));
  EXPECT_EQ(l.avertissements.size(), 1u);
}

TEST(LecteurGedcom, JeuxDeCaracteresHuitBits) {
  const TLecture ansi = Lit("0 HEAD\n1 CHAR ANSI\n0 @I1@ INDI\n1 NAME Ren\xE9 \x9C\x80 &#321;\n0 TRLR\n");
  EXPECT_EQ(ansi.enregistrements[1].enfants[0].valeur, "René œ€ &#321;");
  EXPECT_TRUE(ansi.avertissements.empty());
  // The PC code pages: 0x82 is é in both, 0x9B is ¢ in 437 and ø in 850.
  const struct {
    const char* nom;
    const char* attendu;
    TCodageGedcom codage;
  } pages[] = {{"IBMPC", "Frémont ¢", TCodageGedcom::Ibm437}, {"IBM PC", "Frémont ¢", TCodageGedcom::Ibm437},
               {"850", "Frémont ø", TCodageGedcom::Ibm850}, {"IBM850", "Frémont ø", TCodageGedcom::Ibm850},
               {"cp850", "Frémont ø", TCodageGedcom::Ibm850}};
  for (const auto& p : pages) {
    const TLecture l = Lit(std::string("0 HEAD\n1 CHAR ") + p.nom + "\n0 @I1@ INDI\n1 NAME Fr\x82mont \x9B\n0 TRLR\n");
    EXPECT_EQ(l.enregistrements[1].enfants[0].valeur, p.attendu) << p.nom;
    EXPECT_EQ(l.codage, p.codage) << p.nom;
    EXPECT_TRUE(l.avertissements.empty()) << p.nom;
  }
  const TLecture ascii = Lit("0 HEAD\n1 CHAR ASCII\n0 @I1@ INDI\n1 NAME Ren\xE9\n0 TRLR\n");
  EXPECT_EQ(ascii.enregistrements[1].enfants[0].valeur, "René");
  EXPECT_TRUE(Avertit(ascii, 4, "ASCII"));
  const TLecture inconnu = Lit("0 HEAD\n1 CHAR KLINGON\n0 @I1@ INDI\n1 NAME Zoé\n0 TRLR\n");
  EXPECT_TRUE(Avertit(inconnu, 2, "KLINGON"));
  EXPECT_EQ(inconnu.enregistrements[1].enfants[0].valeur, "Zoé");
  // UTF-8 declared, one byte that is not UTF-8: read as Windows-1252, with a warning.
  const TLecture faux = Lit("0 HEAD\n1 CHAR UTF-8\n0 @I1@ INDI\n1 NAME Ren\xE9\n0 TRLR\n");
  EXPECT_EQ(faux.enregistrements[1].enfants[0].valeur, "René");
  EXPECT_TRUE(Avertit(faux, 4, "invalide"));
  // 7.0 declares no CHAR: UTF-8 without a warning; "@@" only at the start of a value.
  const TLecture v7 =
      Lit("0 HEAD\n1 GEDC\n2 VERS 7.0\n0 @I1@ INDI\n1 NOTE @@a@@b\n0 TRLR\n");
  EXPECT_TRUE(v7.avertissements.empty());
  EXPECT_EQ(v7.enregistrements[1].enfants[0].valeur, "@a@@b");
  EXPECT_EQ(Lit("0 HEAD\n1 CHAR UTF-8\n0 @I1@ INDI\n1 NOTE a@@b@@@@c\n2 CONT @@d\n0 TRLR\n")
                .enregistrements[1].enfants[0].valeur,
            "a@b@@c\n@d");
}

// A NUL or a terminal command in a value: replaced, with a warning, and the rest kept.
TEST(LecteurGedcom, CaracteresDeControleRemplaces) {
  using namespace std::string_literals;
  const TLecture l = Lit("0 HEAD\n1 CHAR UTF-8\n0 @I1@ INDI\n1 NAME Je\0an /Du\x1B[2Jpont/\xC2\x85\n0 TRLR\n"s);
  EXPECT_EQ(l.enregistrements[1].enfants[0].valeur, "Je\uFFFDan /Du\uFFFD[2Jpont/\uFFFD");
  EXPECT_TRUE(Avertit(l, 4, "3 caractère(s) de contrôle"));
  // A DEL among printable letters, a tab kept.
  const TLecture del = Lit("0 HEAD\n1 CHAR UTF-8\n0 @I1@ INDI\n1 NOTE abcdefgh\x7Fijklmnop\tq\n0 TRLR\n");
  EXPECT_EQ(del.enregistrements[1].enfants[0].valeur, "abcdefgh\uFFFDijklmnop\tq");
}

// Multi-byte sequences at every place against the sixteen-byte steps of the line scan, and
// across the line's end: the clean ones read as they are, every bad one is warned about.
TEST(LecteurGedcom, SequencesUtf8AToutePlace) {
  struct TCas {
    const char* octets;
    bool bonne;
  };
  const TCas cas[] = {{"\xC3\xA9", true},      {"\xE2\x82\xAC", true}, {"\xF0\x9D\x84\x9E", true},
                      {"\xC3", false},          {"\xE2\x82", false},     {"\xED\xA0\x80", false},
                      {"\xC2\x85", false},      {"\xC0\xAF", false},     {"\xF0\x9D\x84", false}};
  for (const TCas& c : cas) {
    std::string texte = "0 HEAD\n1 CHAR UTF-8\n0 @I1@ INDI\n";
    std::vector<std::string> valeurs;
    for (std::size_t avant = 0; avant <= 17; ++avant) {
      valeurs.push_back(std::string(avant, 'x') + c.octets);
      texte += "1 NOTE " + valeurs.back() + (avant % 2 == 0 ? "\n" : "y\n");
      if (avant % 2 != 0) valeurs.back() += 'y';
    }
    const TLecture l = Lit(texte + "0 TRLR\n");
    ASSERT_EQ(l.enregistrements.size(), 3u);
    const auto& notes = l.enregistrements[1].enfants;
    ASSERT_EQ(notes.size(), valeurs.size());
    for (std::size_t i = 0; i < valeurs.size(); ++i)
      EXPECT_EQ(notes[i].valeur == valeurs[i], c.bonne) << i << " " << notes[i].valeur;
    if (c.bonne)
      EXPECT_TRUE(l.avertissements.empty()) << c.octets;
    else
      for (std::size_t i = 0; i < valeurs.size(); ++i)
        EXPECT_TRUE(Avertit(l, static_cast<long>(4 + i), "remplacé")) << i << " " << c.octets;
  }
}

TEST(LecteurGedcom, DefautsAvecNumeroDeLigne) {
  const std::string longue(400, 'x');
  const TLecture l = Lit(
      "0 HEAD\n1 CHAR UTF-8\n"
      "0 @I1@ INDI\n"
      "1 NOTE premier\n"
      "suite sans niveau\n"          // line 5
      "1 BIRT\n"
      "3 DATE 1750\n"                // line 7: level jump
      "1 NOTE " + longue + "\n"
      "0 @I2@ INDI\n"
      "1 NAME Coupé");               // no TRLR: file cut
  ASSERT_TRUE(l.ouvert);
  ASSERT_EQ(l.enregistrements.size(), 3u);
  const TNoeudGedcom& i1 = l.enregistrements[1];
  EXPECT_EQ(i1.enfants[0].valeur, "premier\nsuite sans niveau");
  EXPECT_TRUE(Avertit(l, 5, "sans numéro de niveau"));
  ASSERT_EQ(i1.enfants[1].enfants.size(), 1u);
  EXPECT_EQ(i1.enfants[1].enfants[0].valeur, "1750");
  EXPECT_EQ(i1.enfants[1].enfants[0].niveau, 2);
  EXPECT_TRUE(Avertit(l, 7, "saut de niveau"));
  EXPECT_EQ(i1.enfants[2].valeur, longue);
  EXPECT_EQ(l.enregistrements[2].enfants[0].valeur, "Coupé");
  bool coupe = false;
  for (const auto& a : l.avertissements)
    coupe = coupe || (a.message.find("sans « 0 TRLR »") != std::string::npos && a.ligne == 10);
  EXPECT_TRUE(coupe);
  EXPECT_EQ(l.avertissements.size(), 3u);
}

TEST(LecteurGedcom, CeQuiNEstPasGedcomEstRefuse) {
  for (const std::string& texte :
       {std::string(), std::string("Bonjour\n0 HEAD\n"), std::string("1 HEAD\n0 TRLR\n"),
        std::string("0 INDI\n"), std::string("\xEF\xBB\xBF"), std::string("%PDF-1.4\n")}) {
    const TLecture l = Lit(texte);
    EXPECT_FALSE(l.ouvert) << texte;
    EXPECT_EQ(l.erreur,
              "Ce fichier n'est pas un fichier GEDCOM : il doit commencer par la ligne « 0 HEAD ».");
  }
  TLecteurGedcom lecteur;
  EXPECT_FALSE(lecteur.Ouvre("/nexiste/pas.ged"));
  EXPECT_NE(lecteur.Erreur().find("Impossible d'ouvrir"), std::string::npos);
}

// A file on disk much larger than a chunk, with CR LF ends falling across chunk boundaries.
TEST(LecteurGedcom, FichierPlusGrandQuUnMorceau) {
  test::RepertoireTemporaire rep;
  const std::string chemin = rep / "grand.ged";
  std::string texte = "0 HEAD\r\n1 CHAR UTF-8\r\n";
  const int n = 20000;
  for (int i = 1; i <= n; ++i) {
    texte += "0 @I" + std::to_string(i) + "@ INDI\r\n1 NAME Élodie /Nom" + std::to_string(i) +
             "/\r\n1 NOTE " + std::string(static_cast<std::size_t>(i % 97), 'n') + "\r\n2 CONC z\r\n";
  }
  texte += "0 TRLR\r\n";
  { std::ofstream(chemin, std::ios::binary) << texte; }
  const int descripteurs = test::DescripteursOuverts();
  {
    TLecteurGedcom lecteur;
    ASSERT_TRUE(lecteur.Ouvre(chemin));
    TNoeudGedcom rec;
    int indi = 0;
    bool bon = true;
    while (lecteur.Suivant(rec)) {
      if (rec.tag != "INDI") continue;
      ++indi;
      bon = bon && rec.xref == "@I" + std::to_string(indi) + "@" && rec.enfants.size() == 2 &&
            rec.enfants[1].valeur == std::string(static_cast<std::size_t>(indi % 97), 'n') + "z";
    }
    EXPECT_TRUE(bon);
    EXPECT_EQ(indi, n);
    EXPECT_TRUE(lecteur.Avertissements().empty());
    EXPECT_EQ(lecteur.Lignes(), 3 + 4L * n);
    EXPECT_EQ(lecteur.OctetsLus(), static_cast<int64_t>(texte.size()));
  }
  EXPECT_EQ(test::DescripteursOuverts(), descripteurs);
}

}  // namespace
}  // namespace kyb
