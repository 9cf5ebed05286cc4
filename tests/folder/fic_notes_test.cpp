// The notes file: block layout, chains across many blocks, directories, rewrites in place and new
// chains, deletion, and damaged files (loops, links beyond the file, garbage directories, cut
// files, lying headers).
#include "folder/fic_notes.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <map>
#include <random>
#include <set>

#include "support/coupures.h"
#include "support/support.h"

namespace kyb {
namespace {

constexpr size_t B = TFicNotes::kTailleBloc;

// A block as bytes: text (not terminated when 508 long) and link.
std::string Bloc(const std::string& texte, int32_t lien) {
  std::string b(B, '\0');
  std::memcpy(b.data(), texte.data(), std::min(texte.size(), size_t{508}));
  std::memcpy(b.data() + 508, &lien, 4);
  return b;
}

// Every byte value but NUL, in a pseudo-random order of the given length.
std::string TexteBinaire(size_t longueur, unsigned graine) {
  std::mt19937 alea(graine);
  std::string t(longueur, 'x');
  for (char& c : t) c = static_cast<char>(1 + alea() % 255);
  return t;
}

std::string Rtf(size_t longueur, unsigned graine) {
  return "{\\rtf1\\ansi " + TexteBinaire(longueur, graine) + "}";
}

class Notes : public ::testing::Test {
 protected:
  Notes() : dossier(rep / "Essai.kya/Essai.adb") { EXPECT_TRUE(CreeRepertoires(dossier.Repertoire)); }

  AnsiString Chemin() const { return dossier.FabriqueNomFichier(TGestFichier::tfNotes); }
  std::string Contenu() const { return test::Contenu(Chemin()); }
  void EcritFichier(const std::string& octets) const { test::Ecrit(Chemin(), octets); }
  // Raw block n of the file: its text up to 507 bytes and its link.
  std::pair<std::string, int32_t> BlocBrut(long n) const {
    const std::string c = Contenu();
    const std::string b = c.substr(static_cast<size_t>(n) * B, B);
    int32_t lien = 0;
    std::memcpy(&lien, b.data() + 508, 4);
    return {std::string(b.c_str(), strnlen(b.c_str(), 507)), lien};
  }
  // The blocks of a chain by a plain walk of the file's bytes (a reference written apart from
  // the reader under test).
  std::vector<long> BlocsChaine(long premier) const {
    std::vector<long> blocs;
    std::set<long> vus;
    const long nb = static_cast<long>(Contenu().size() / B) - 1;
    for (long b = premier; b > 0 && b <= nb && vus.insert(b).second;) {
      blocs.push_back(b);
      b = BlocBrut(b).second;
    }
    return blocs;
  }
  std::unique_ptr<TFicNotes> Ouvre(bool creer = false) {
    return std::make_unique<TFicNotes>(&dossier, creer);
  }

  test::RepertoireTemporaire rep;
  TGestFichier dossier;
};

TEST_F(Notes, EnteteEtNumerotation) {
  auto f = Ouvre(true);
  EXPECT_EQ(Contenu(), Bloc("", 0));
  EXPECT_EQ(f->ReturnNewNum(), 1);
  EXPECT_EQ(BlocBrut(0).second, 1);  // NbEnreg in the link field of block 0
  EXPECT_TRUE(f->NoNoteValide(1));
  EXPECT_FALSE(f->NoNoteValide(2));
  // A writable folder without a notes file gets one.
  f.reset();
  SupprimeFichier(Chemin());
  f = Ouvre();
  EXPECT_TRUE(f->Valide());
  EXPECT_EQ(Contenu().size(), B);
}

TEST_F(Notes, TranchesDe507Caracteres) {
  auto f = Ouvre(true);
  const struct {
    size_t longueur;
    size_t blocs;
  } cas[] = {{1, 1}, {507, 1}, {508, 2}, {1014, 2}, {1015, 3}, {507 * 25 + 3, 26}};
  for (const auto& c : cas) {
    long no = 0;
    TNote note(f.get(), 0);
    note.NouvelleFiche(no);
    const std::string texte = TexteBinaire(c.longueur, static_cast<unsigned>(c.longueur));
    EXPECT_FALSE(note.ModifNote("Naissance", texte));
    const std::vector<long> blocs = BlocsChaine(note.GetPositionTitre("Naissance"));
    ASSERT_EQ(blocs.size(), c.blocs) << c.longueur;
    EXPECT_EQ(BlocBrut(blocs.back()).second, 0);
    EXPECT_EQ(BlocBrut(blocs.back()).first.size(), c.longueur - 507 * (c.blocs - 1));
    EXPECT_EQ(TNote(f.get(), no).LectureNote("Naissance"), texte) << c.longueur;
  }
}

TEST_F(Notes, ChaineCoupeeA30000Blocs) {
  std::string octets = Bloc("", 30005);
  for (long n = 1; n <= 30005; ++n) octets += Bloc("a", static_cast<int32_t>(n == 30005 ? 0 : n + 1));
  EcritFichier(octets);
  auto f = Ouvre();
  EXPECT_EQ(f->LectureChaine(1), std::string(30000, 'a'));
  EXPECT_EQ(f->LectureChaine(0), "");
}

TEST_F(Notes, Repertoire) {
  auto f = Ouvre(true);
  long no = 0;
  TNote note(f.get(), 0);
  EXPECT_TRUE(note.EnregistrementEntete());  // note 0 writes nothing
  EXPECT_EQ(Contenu().size(), B);
  note.NouvelleFiche(no);
  EXPECT_EQ(no, 1);
  EXPECT_EQ(BlocBrut(1), std::make_pair(std::string(), -1));
  note.SetPositionTitre("Naissance", 12);
  note.SetPositionTitre("Décès", 0);
  note.SetPositionTitre("Naissance", 14);
  EXPECT_TRUE(note.EnregistrementEntete());
  EXPECT_EQ(BlocBrut(1), std::make_pair(std::string("Naissance\r\n14\r\nDécès\r\n0\r\n"), -1));
  EXPECT_EQ(note.GetPositionTitre(""), 14);  // the first heading
  EXPECT_EQ(note.GetPositionTitre("Mariage"), 0);
  EXPECT_FALSE(note.Existe("Décès"));
  EXPECT_FALSE(note.AjoutNoteContenuVide("Décès"));
  EXPECT_TRUE(note.AjoutNoteContenuVide("Mariage"));
  // A list longer than 507 characters keeps its whole pairs: no heading read back points to
  // another block than its own.
  TNote longue(f.get(), no);
  for (int i = 0; i < 40; ++i) longue.SetPositionTitre("Titre " + std::to_string(i), 1000 + i);
  EXPECT_TRUE(longue.EnregistrementEntete());
  const TNote relue(f.get(), no);
  ASSERT_GT(relue.Titres().size(), 10u);
  for (const AnsiString& titre : relue.Titres()) EXPECT_EQ(relue.GetPositionTitre(titre), longue.GetPositionTitre(titre)) << titre;
}

TEST_F(Notes, RepertoirePleinRefuseLaRubrique) {
  auto f = Ouvre(true);
  TNote note(f.get(), 0);
  std::map<AnsiString, AnsiString> ecrits;
  for (int i = 0; i < 12; ++i) {
    const AnsiString titre = "Rubrique au titre assez long, numéro " + std::to_string(i);
    (void)note.ModifNote(titre, "Texte " + std::to_string(i));
    if (note.RepertoirePlein()) EXPECT_FALSE(note.Existe(titre)) << titre;
    else ecrits[titre] = "Texte " + std::to_string(i);
  }
  ASSERT_LT(ecrits.size(), 12u);
  TNote relue(f.get(), note.Numero());
  EXPECT_EQ(relue.Titres().size(), ecrits.size());
  for (const auto& [titre, texte] : ecrits) EXPECT_EQ(relue.LectureNote(titre), texte) << titre;
}

TEST_F(Notes, RemplacementEnPlaceEtNouvellesChaines) {
  auto f = Ouvre(true);
  long a = 0, b = 0;
  TNote na(f.get(), 0), nb(f.get(), 0);
  na.NouvelleFiche(a);
  nb.NouvelleFiche(b);
  const std::string longue = Rtf(507 * 5, 1), courte = Rtf(100, 2), autre = Rtf(507 * 3, 3);
  na.ModifNote("Vie", longue);
  nb.ModifNote("Vie", autre);
  const long premier = na.GetPositionTitre("Vie");
  const std::vector<long> chaineLongue = BlocsChaine(premier);
  // Shorter, then longer again: the RTF chain is rewritten in place, new blocks only past it.
  na.ModifNote("Vie", courte);
  EXPECT_EQ(BlocsChaine(premier), std::vector<long>{premier});
  EXPECT_EQ(TNote(f.get(), a).LectureNote("Vie"), courte);
  const long avant = f->NbEnreg;
  na.ModifNote("Vie", longue);
  const std::vector<long> relongue = BlocsChaine(premier);
  EXPECT_EQ(relongue.size(), 6u);
  EXPECT_EQ(relongue.front(), premier);
  for (size_t i = 1; i < relongue.size(); ++i) EXPECT_GT(relongue[i], avant);
  EXPECT_EQ(TNote(f.get(), a).LectureNote("Vie"), longue);
  EXPECT_EQ(TNote(f.get(), b).LectureNote("Vie"), autre);
  // A plain text never rewrites in place: each save takes new blocks.
  na.ModifNote("Texte", "texte simple");
  const long t1 = na.GetPositionTitre("Texte");
  na.ModifNote("Texte", "texte simple modifié");
  EXPECT_GT(na.GetPositionTitre("Texte"), t1);
  EXPECT_EQ(BlocBrut(t1).first, "texte simple");  // the old chain is left unused
  // No block belongs to two headings' chains.
  std::set<long> utilises;
  for (TNote* n : {&na, &nb})
    for (const AnsiString& titre : n->Titres())
      for (const long bloc : BlocsChaine(n->GetPositionTitre(titre))) EXPECT_TRUE(utilises.insert(bloc).second) << bloc;
}

TEST_F(Notes, SuppressionEtBlocsJamaisReutilises) {
  auto f = Ouvre(true);
  long no = 0;
  TNote note(f.get(), 0);
  note.NouvelleFiche(no);
  note.ModifNote("A", "texte A");
  note.ModifNote("B", "texte B");
  const long blocA = note.GetPositionTitre("A");
  EXPECT_FALSE(note.ModifNote("A", ""));  // an empty text removes the heading
  EXPECT_EQ(TNote(f.get(), no).Titres(), std::vector<AnsiString>{"B"});
  note.ModifNote("C", "texte C");
  EXPECT_GT(note.GetPositionTitre("C"), blocA);
  EXPECT_EQ(BlocBrut(blocA).first, "texte A");
  note.SupprimeNote("");  // everything: the note's number becomes 0
  EXPECT_EQ(note.Numero(), 0);
  EXPECT_TRUE(TNote(f.get(), no).Lignes().empty());
  // A note without a directory gets one at its first text.
  TNote nouvelle(f.get(), 0);
  EXPECT_TRUE(nouvelle.ModifNote("A", "x"));
  EXPECT_EQ(TNote(f.get(), nouvelle.Numero()).LectureNote("A"), "x");
}

TEST_F(Notes, CheminsAbimes) {
  // 1: directory of note with headings; 2 -> 3 -> 2 loops; 4 points beyond the file; 5 has a link
  // below -1; 6 -> 1 points into a directory; 7 is a directory with garbage lines.
  std::string octets = Bloc("", 8);
  octets += Bloc("Boucle\r\n2\r\nLoin\r\n4\r\nNégatif\r\n5\r\nVers répertoire\r\n6\r\nHors\r\n99\r\nSeul", -1);
  octets += Bloc("deux", 3) + Bloc("trois", 2) + Bloc("quatre", 400) + Bloc("cinq", -7) + Bloc("six", 1);
  octets += Bloc("\x01\x02\xFF\r\n\r\n\r\nabc\r\n-4\r\n 3\r\n7\r\n12x", -1);
  octets += Bloc(std::string(508, 'z'), 0);  // no terminator: byte 507 forced to 0
  EcritFichier(octets);
  auto f = Ouvre();
  TNote n1(f.get(), 1);
  EXPECT_EQ(n1.LectureNote("Boucle"), "deuxtrois");
  EXPECT_EQ(n1.LectureNote("Loin"), "quatre");
  EXPECT_EQ(n1.LectureNote("Négatif"), "cinq");
  EXPECT_EQ(n1.LectureNote("Vers répertoire"), "six");
  EXPECT_EQ(n1.LectureNote("Hors"), "");
  EXPECT_EQ(n1.Lignes().size(), 12u);  // the odd list completed
  EXPECT_EQ(n1.GetPositionTitre("Seul"), 0);
  TNote n7(f.get(), 7);
  EXPECT_EQ(n7.Lignes().size(), 8u);
  for (const AnsiString& t : n7.Titres()) EXPECT_EQ(n7.LectureNote(t), "") << t;
  EXPECT_EQ(f->LectureChaine(8), std::string(507, 'z'));
  EXPECT_FALSE(dossier.Erreur);
}

TEST_F(Notes, FichiersCoupesEtEntetesMenteurs) {
  std::string octets = Bloc("", 50) + Bloc("Vie\r\n2\r\n", -1) + Bloc("{\\rtf1 premier", 3) + Bloc("second", 0);
  EcritFichier(octets.substr(0, 3 * B + 100));  // cut inside block 3, header claiming 50
  auto f = Ouvre();
  EXPECT_EQ(f->NbEnreg, 3);
  TNote note(f.get(), 1);
  EXPECT_EQ(note.LectureNote("Vie"), "{\\rtf1 premiersecond");  // what was kept of block 3
  EXPECT_FALSE(dossier.Erreur);
  // A header claiming fewer blocks than the file holds never hands them out again.
  EcritFichier(Bloc("", 1) + octets.substr(B));
  f = Ouvre();
  EXPECT_EQ(f->NbEnreg, 3);
  EXPECT_EQ(f->ReturnNewNum(), 4);
  // A file shorter than its header.
  EcritFichier(std::string(100, '\0'));
  f = Ouvre();
  EXPECT_EQ(f->NbEnreg, 0);
  EXPECT_FALSE(dossier.Erreur);
}

TEST_F(Notes, EcritureNEcrasePasLesBlocsDAutrui) {
  // Note 1's heading points into note 2's RTF chain (4 -> 5); note 3's RTF chain loops
  // (6 -> 7 -> 6); note 8's chain runs into block 5 of note 2.
  std::string octets = Bloc("", 10);
  octets += Bloc("Vie\r\n4\r\n", -1) + Bloc("Vie\r\n4\r\n", -1) + Bloc("Vie\r\n6\r\n", -1);
  octets += Bloc("{\\rtf1 a", 5) + Bloc("b}", 0) + Bloc("{\\rtf1 c", 7) + Bloc("d", 6);
  octets += Bloc("Vie\r\n9\r\n", -1) + Bloc("{\\rtf1 e", 5) + Bloc("", 0);
  EcritFichier(octets);
  auto f = Ouvre();
  const std::string texte2 = TNote(f.get(), 2).LectureNote("Vie");
  EXPECT_EQ(texte2, "{\\rtf1 ab}");
  for (const long no : {1L, 3L, 8L}) {
    TNote note(f.get(), no);
    const std::string nouveau = Rtf(507 * 4, static_cast<unsigned>(no));
    note.ModifNote("Vie", nouveau);
    EXPECT_EQ(TNote(f.get(), note.Numero()).LectureNote("Vie"), nouveau) << no;
  }
  EXPECT_EQ(TNote(f.get(), 2).LectureNote("Vie"), texte2);
  EXPECT_EQ(BlocBrut(4).first, "{\\rtf1 a");
  EXPECT_EQ(BlocBrut(5).first, "b}");
}

TEST_F(Notes, EcritureCoupeeAncienOuNouveauTexte) {
  // A plain text replaced by a longer one: cut at any call, the heading reads its old text or its
  // new one, never a mix, and the other heading is intact.
  const std::string ancien = TexteBinaire(1200, 1), nouveau = TexteBinaire(3000, 2), autre = TexteBinaire(600, 3);
  long no = 0;
  const auto lit = [&](const char* titre) {
    dossier.SetError(false);
    auto f = Ouvre();
    return TNote(f.get(), no).LectureNote(titre);
  };
  test::TCoupure c;
  c.prepare = [&] {
    dossier.SetError(false);
    auto f = Ouvre(true);
    TNote note(f.get(), 0);
    no = 0;
    note.NouvelleFiche(no);
    note.ModifNote("A", ancien);
    note.ModifNote("B", autre);
  };
  c.operation = [&] {
    auto f = Ouvre();
    TNote note(f.get(), no);
    note.ModifNote("A", nouveau);
    return !dossier.Erreur && note.Numero() == no;  // a failed write never moves the directory
  };
  c.estAncien = [&] { return lit("A") == ancien && lit("B") == autre; };
  c.estNouveau = [&] { return lit("A") == nouveau && lit("B") == autre; };
  EXPECT_GT(test::CoupeAChaqueAppel(c), 1);
}

TEST(TexteSansRtf, Conversions) {
  const struct {
    const char* rtf;
    const char* texte;
  } cas[] = {
      {"texte sans RTF", "texte sans RTF"},
      {"{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red0\\green0\\blue0;}\\f0\\fs20 N\\'e9 \\'e0 Paris\\par "
       "{\\*\\generator Riched20;}second\\line troisi\\u232?me\\tab fin}",
       "N\xE9 \xE0 Paris\r\nsecond\r\ntroisi\xE8me\tfin"},
      {"{\\rtf1 accolades \\{ \\} et \\\\ barre\\par\\par}", "accolades { } et \\ barre"},
      {"{\\rtf1 coup\\'e9 \\'e", "coup\xE9 "},
  };
  for (const auto& c : cas) EXPECT_EQ(TexteSansRtf(c.rtf), c.texte) << c.rtf;
}

}  // namespace
}  // namespace kyb
