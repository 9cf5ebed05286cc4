#include "fields/csstruct.h"

#include <gtest/gtest.h>

#include "dates/bo_jours.h"
#include "fields/csdefaut.h"
#include "fields/csdefchps.h"

namespace kyb {
namespace {

// A line from its columns.
AnsiString Ligne(std::initializer_list<const char*> colonnes) {
  AnsiString r;
  bool premier = true;
  for (const char* c : colonnes) {
    if (!premier) r += '\t';
    r += A(c);
    premier = false;
  }
  return r;
}

std::vector<AnsiString> Colonnes(const AnsiString& ligne) {
  std::vector<AnsiString> r(1);
  for (const char c : ligne) {
    if (c == '\t')
      r.emplace_back();
    else
      r.back() += c;
  }
  return r;
}

const AnsiString& LigneDefaut(const char* libelle) {
  for (const AnsiString& l : LignesDefaut())
    if (Colonnes(l)[0] == libelle) return l;
  throw std::runtime_error(libelle);
}

TEST(DecodeChpCs, LigneDeDouzeColonnes) {
  // RELIGION stops at column 12: no symbol, words nor equivalences, default 0 (even over a
  // definition that had another), not post-mortem, flag 22 set; its eight names all read.
  TChpCs chp;
  chp.ValBoolDefaut = 1;
  chp.Decode(LigneDefaut("RELIGION"));
  EXPECT_EQ(chp.Symbole + chp.MotMasculin + chp.MotFeminin + chp.Equivalences, "");
  EXPECT_FALSE(chp.Cascade);
  EXPECT_EQ(chp.ValBoolDefaut, 0);
  EXPECT_FALSE(chp.PostMortem);
  EXPECT_TRUE(chp.Drapeau22);
  EXPECT_EQ(chp.NomMorceaux[1], A("Athée"));
  EXPECT_EQ(chp.SousTagGedCom, std::vector<AnsiString>(8));
}

TEST(DecodeChpCs, SeuilsDesColonnes) {
  // Each threshold counts TABs: a column is read only once the line holds enough of them.
  struct Cas {
    const char* nom;
    AnsiString ligne;
    bool postMortem;
    bool drapeau22;
    const char* symbole;
    const char* equivalences;
  };
  const AnsiString base = Ligne({"X", "X", "ES", "", "1", "20", "", "", "", "", "N", "P"});
  const Cas cas[] = {
      {"12 colonnes", base, false, true, "", ""},
      {"13 colonnes : la 13 pas encore lue", base + "\t+", false, true, "", ""},
      {"14 colonnes : 13 à 15 lues, 15 vide", base + "\t+\tMort", false, true, "+", ""},
      {"19 colonnes : 19 pas encore lue", base + Ligne({"", "+", "", "", "O", "", "", "Y"}), true,
       true, "+", ""},
      {"20 colonnes : équivalences lues", base + Ligne({"", "+", "", "", "O", "", "", "Y", "O"}),
       true, true, "+", "Y"},
      {"22 colonnes : drapeau 22 N", base + Ligne({"", "", "", "", "", "", "", "", "", "", "N"}),
       false, false, "", ""},
  };
  for (const Cas& c : cas) {
    const TChpCs chp(c.ligne);
    EXPECT_EQ(chp.PostMortem, c.postMortem) << c.nom;
    EXPECT_EQ(chp.Drapeau22, c.drapeau22) << c.nom;
    EXPECT_EQ(chp.Symbole, c.symbole) << c.nom;
    EXPECT_EQ(chp.Equivalences, c.equivalences) << c.nom;
  }
  EXPECT_TRUE(TChpCs(base + "\t+\tMort").MotFeminin.empty());
}

TEST(DecodeChpCs, LibellesParticuliers) {
  const auto ligne = [](const char* libelle, const char* col16, bool avec22) {
    AnsiString l = Ligne({libelle, "x", "ES", "", "1", "20", "", "", "", "", "N", "P"});
    if (col16) l += Ligne({"", "", "", "", col16});
    if (col16 && avec22) l += Ligne({"", "", "", "", "", "", ""});
    return l;
  };
  // Post-mortem without column 16.
  for (const char* l : {"INHUMATION", "INVENTAIRE_DECES", "CREMATION"}) {
    EXPECT_TRUE(TChpCs(ligne(l, nullptr, false)).PostMortem) << l;
    EXPECT_FALSE(TChpCs(ligne(l, "N", false)).PostMortem) << l;
  }
  EXPECT_FALSE(TChpCs(ligne("DECES", nullptr, false)).PostMortem);
  EXPECT_TRUE(TChpCs(ligne("DECES", "O", false)).PostMortem);
  // Flag 22 without column 22; with it empty, false for everyone.
  EXPECT_FALSE(TChpCs(ligne("PROFESSION", nullptr, false)).Drapeau22);
  EXPECT_FALSE(TChpCs(ligne("DIPLOME", nullptr, false)).Drapeau22);
  EXPECT_TRUE(TChpCs(ligne("TITRE", nullptr, false)).Drapeau22);
  EXPECT_FALSE(TChpCs(ligne("TITRE", "N", true)).Drapeau22);
}

TEST(DecodeChpCs, ValeurBooleenneParDefaut) {
  const AnsiString base =
      Ligne({"B", "B", "CPB", "", "1", "1", "", "", "", "", "N", "P", "", "", "", "N", "O"});
  struct Cas {
    const char* colonne18;
    int precedente;
    int attendue;
    const char* affichee;
  };
  const Cas cas[] = {
      {"-1", 0, -1, "?"}, {"-", 1, -1, "?"},  {"1", 0, 1, "O"}, {"0", 1, 0, "N"},
      {"", 1, 1, "O"},    {"abc", 1, 1, "O"}, {"7", 0, 7, "?"},
  };
  for (const Cas& c : cas) {
    TChpCs chp;
    chp.ValBoolDefaut = c.precedente;
    chp.Decode(base + "\t" + c.colonne18);
    EXPECT_EQ(chp.ValBoolDefaut, c.attendue) << c.colonne18;
    EXPECT_EQ(chp.GetValParDefaut(), c.affichee) << c.colonne18;
  }
}

TEST(DecodeChpCs, ColonnesManquantesOuFausses) {
  // More pieces than sizes or names: missing sizes 0, missing names empty.
  TChpCs chp(Ligne({"R", "R", "EC", "", "3", "90", "Quartier", "CENS", "ADDR", "44"}));
  EXPECT_EQ(chp.TailleMorceaux, (std::vector<int16_t>{90, 0, 0}));
  EXPECT_EQ(chp.NomMorceaux, (std::vector<AnsiString>{"Quartier", "", ""}));
  EXPECT_EQ(chp.IndexFicDupli, (std::vector<int>{44, 0, 0}));
  EXPECT_FALSE(chp.Repetable);
  EXPECT_EQ(chp.Liaison, 0);

  // Counts and sizes that are not numbers, negative or out of range.
  chp.Decode(Ligne({"R", "R", "EC", "", "trois", "90, x, -4, 99999"}));
  EXPECT_EQ(chp.NbMorceaux, 0);
  EXPECT_TRUE(chp.TailleMorceaux.empty());
  chp.Decode(Ligne({"R", "R", "EC", "", "4", "90, x, -4, 99999"}));
  EXPECT_EQ(chp.TailleMorceaux, (std::vector<int16_t>{90, 0, 0, 0}));
  chp.Decode(Ligne({"R", "R", "EC", "", "2000000000"}));
  EXPECT_EQ(chp.NbMorceaux, kMaxMorceaux);
  chp.Decode(Ligne({"R", "R", "EC", "", "-3"}));
  EXPECT_EQ(chp.NbMorceaux, 0);

  // An unknown type code keeps the previous type; codes compare exactly.
  chp.Decode(Ligne({"R", "R", "es"}));
  EXPECT_EQ(chp.Type, tcEvenInfo);
  chp.Decode(Ligne({"R", "R", "CPN"}));
  EXPECT_EQ(chp.Type, tcNombre);

  // Empty and one-column lines.
  chp.Decode("");
  EXPECT_TRUE(chp.LibelleInterne.empty());
  chp.Decode("SEUL");
  EXPECT_EQ(chp.LibelleInterne, "SEUL");
  EXPECT_EQ(chp.Abreviation, "SEUL");

  // Items keep their accented letters at either end.
  chp.Decode(Ligne({"R", "R", "CPC", "", "2", "5, 5", " Élu , Né "}));
  EXPECT_EQ(chp.NomMorceaux, (std::vector<AnsiString>{A("Élu"), A("Né")}));

  // Values 23 and 24 that are not numbers are 0; 23 is not read before 24 exists.
  const AnsiString l22 = Ligne({"R", "R", "ES", "", "1", "20", "", "", "", "", "N",
                                "P", "",  "",   "", "",  "",   "", "", "", "", "O"});
  EXPECT_EQ(TChpCs(l22 + "\t5").Valeur23, 0);
  EXPECT_EQ(TChpCs(l22 + "\t5\t6").Valeur23, 5);
  EXPECT_EQ(TChpCs(l22 + "\tz\t6").Valeur23, 0);
  EXPECT_EQ(TChpCs(l22 + "\tz\t6").Valeur24, 6);
}

TEST(DecodeChpCs, LignesDeLaTableParDefaut) {
  const TChpCs naissance(LigneDefaut("NAISSANCE"));
  EXPECT_EQ(naissance.Abreviation, "N");  // computed: the row stops at column 22
  const TChpCs filiation(LigneDefaut("FILIATION_PERE"));
  EXPECT_EQ(filiation.AfficheValeurBooleenne(filiation.GetValParDefaut()), A("Indéterminée"));
  // No default row ends inside a group read together: every column written is read back.
  for (const AnsiString& ligne : LignesDefaut()) {
    const std::vector<AnsiString> ecrites = Colonnes(ligne);
    const std::vector<AnsiString> relues = Colonnes(TChpCs(ligne).Code());
    ASSERT_EQ(relues.size(), 30u);
    for (size_t i = 0; i < ecrites.size(); ++i) {
      const bool vide = ecrites[i].find_first_not_of(", ") == AnsiString::npos;
      EXPECT_TRUE(vide || !relues[i].empty()) << ecrites[0] << " col " << i + 1;
    }
  }
}

// (Every default definition written and read back whole: DefChpsCs.NouveauDossierPuisRelecture.)
TEST(CodeChpCs, AllerRetourDesValeursExtremes) {
  TChpCs chp(LigneDefaut("RECENSEMENT"));
  chp.Type = tcBooleen20;  // no code: kept by decoding over the same definition
  chp.ValBoolDefaut = -1;
  chp.Valeur23 = -7;
  chp.Valeur24 = 2147483647;
  chp.Valeur25 = "v25";
  chp.Valeur27 = "v27";
  chp.Valeur28 = "v28";
  chp.Abreviation = "";
  chp.Phrases = {"a (b|c) #D", "d"};
  chp.IndexFicDupli = {0, 12, 0};
  chp.Liaison = 'C';
  TChpCs relu = chp;
  relu.Decode(chp.Code());
  EXPECT_EQ(relu, chp);

  // Separators inside texts cannot break the line or the lists.
  chp.Description = "deux\tcolonnes\r\nsur deux lignes";
  chp.NomMorceaux = {"a,b", "c", "d"};
  chp.Phrases = {"un$deux"};
  const AnsiString ligne = chp.Code();
  EXPECT_EQ(ligne.find_first_of("\r\n"), AnsiString::npos);
  relu.Decode(ligne);
  EXPECT_EQ(relu.Description, "deux colonnes  sur deux lignes");
  EXPECT_EQ(relu.NomMorceaux, (std::vector<AnsiString>{"a;b", "c", "d"}));
  EXPECT_EQ(relu.Phrases, std::vector<AnsiString>{"un deux"});
  EXPECT_EQ(relu.Categorie, chp.Categorie);
}

TEST(ChpCs, LibellesParticuliers) {
  // Labels that cannot be edited, hidden or ignored.
  const auto chp = [](const char* libelle) { return TChpCs(LigneDefaut(libelle)); };
  EXPECT_TRUE(chp("SEXE").ChpNonModifiable());
  EXPECT_FALSE(chp("CONFIDENTIEL").ChpNonModifiable());
  EXPECT_TRUE(chp("IMAGE_SRC").IsCache());
  EXPECT_FALSE(chp("DISTANCECUM").IsCache());
  EXPECT_TRUE(chp("DISTANCECUM").IsIgnored());
}

TEST(ChpCs, Morceaux) {
  const TChpCs recensement(LigneDefaut("RECENSEMENT"));
  const AnsiString valeur = recensement.GetMultiEdit({"Saint-Jean", "12", "3"});
  ASSERT_EQ(valeur.size(), 97u);
  EXPECT_EQ(recensement.GetMorceauNo(valeur, 2), "12  ");
  EXPECT_EQ(recensement.GetMorceauNo(valeur, 3), "3  ");
  EXPECT_EQ(recensement.GetMorceauNo(valeur, 4), recensement.GetMorceauNo(valeur, 1));
  EXPECT_EQ(recensement.GetMorceauNo(valeur, 0).substr(0, 10), "Saint-Jean");
  // A short value gives short or empty slices; too long a text is cut to its piece.
  EXPECT_EQ(recensement.GetMorceauNo("abc", 2), "");
  EXPECT_EQ(recensement.GetMultiEdit({AnsiString(100, 'q'), "123456"}).substr(90, 4), "1234");
  EXPECT_EQ(recensement.GetMorceauNo(recensement.GetMultiEdit({"x", A("1Ł")}), 2), "1   ");  // no cut reference
  // Without pieces the value is whole.
  const TChpCs sexe(LigneDefaut("SEXE"));
  EXPECT_EQ(sexe.GetMorceauNo("M", 1), "M");
  EXPECT_EQ(sexe.GetMultiEdit({"F"}), "F");

  TChpCs chp = recensement;
  chp.SetNbMorceaux(5);
  EXPECT_EQ(chp.RetTailleMorceauChn(), "90, 4, 3, 0, 0");
  EXPECT_EQ(chp.RetSousTagGedComChn(), "ADDR, _NOMAISON, _NOMENAGE, , ");
  chp.SetNbMorceaux(-2);
  EXPECT_EQ(chp.NomMorceaux.size(), 0u);
  EXPECT_EQ(TChpCs(LigneDefaut("SERVICE_MILITAIRE")).RetIndexFicDupliChn(), "44");
}

TEST(ChpCs, Identification) {
  const auto ident = [](const char* libelle, int genre, bool forme = false) {
    return TChpCs(LigneDefaut(libelle)).RetourneIdentEven(genre, forme);
  };
  EXPECT_EQ(ident("UNION", 0), "X");
  EXPECT_EQ(ident("RESIDENCE", 0), A("Résid"));
  EXPECT_EQ(ident("INHUMATION", 0, true), "Inhum :");
  EXPECT_EQ(ident("DECORATION", 0), A("Déco / Méd"));  // written abbreviation
  EXPECT_EQ(ident("DECES", 1), "+");
  EXPECT_EQ(ident("NAISSANCE", 2), A("¡"));
  EXPECT_EQ(ident("PROFESSION", 2), "");
  TChpCs sansEcran;
  sansEcran.LibelleInterne = "zorglub";
  EXPECT_EQ(sansEcran.RetourneIdentEven(0), "Zorg");
}

TEST(ChpCs, Phrases) {
  const TChpCs naissance(LigneDefaut("NAISSANCE"));
  struct Cas {
    int variante, choix;
    char sexe;
    const char* date;
    const char* lieu;
    const char* attendu;
  };
  const Cas cas[] = {
      {0, 0, 'M', "le 3 mars 1850", "Paris", "Jean est né le 3 mars 1850 à Paris"},
      {0, 0, 'F', "le 3 mars 1850", "Paris", "Jean est née le 3 mars 1850 à Paris"},
      {0, 1, 'F', "le 3 mars 1850", "", "Jean naît le 3 mars 1850"},
      {3, 2, '?', "en 1850", "Paris", "À Paris voit le jour Jean en 1850"},
      {4, 0, 'F', "", "Lyon", "Elle est née à Lyon"},
      {10, 5, 'M', "en 1850", "Lyon", "Il voit le jour en 1850 à Lyon"},  // 10 mod 6, 5 mod 3
  };
  for (const Cas& c : cas)
    EXPECT_EQ(naissance.RedigePhrase(c.variante, "Jean", c.sexe, A(c.date), A(c.lieu), c.choix),
              A(c.attendu))
        << c.variante << c.choix;
  EXPECT_EQ(TChpCs(LigneDefaut("RELIGION")).RedigePhrase(0, "Jean", 'M', "", ""), "");

  // Brackets in the subject are not wordings; an open group stays as written.
  AnsiString phrase = "#S (a|b";
  TChpCs::ReplaceFieldSubject(phrase, "Jean (dit Pierre|Paul)", 'M');
  EXPECT_EQ(phrase, "Jean (dit Pierre|Paul) (a|b");

  // The date as a genealogical date.
  phrase = "#S #D";
  TChpCs::ReplaceFieldDate(phrase, TDateKY('G', "03/03/1850"));
  EXPECT_NE(phrase.find("1850"), AnsiString::npos);
  EXPECT_EQ(phrase.find("#D"), AnsiString::npos);
}

}  // namespace
}  // namespace kyb
