// The public test files of the standards (the 5.5 torture tests, the 7.0 examples) through
// import, export in 5.5.1 and 7.0, import of the export and export again: both exports pass the
// grammar checks, and every value of the original is in the export of its own version.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <iostream>
#include <iterator>
#include <set>
#include <sstream>
#include <vector>
#include <string>
#include <string_view>

#include "folder/gest_fic.h"
#include "gedcom/codage_gedcom.h"
#include "gedcom/export_gedcom.h"
#include "gedcom/import_gedcom.h"
#include "gedcom/validateur_gedcom.h"
#include "index/ouverture_genealogie.h"
#include "support/support.h"

namespace kyb {
namespace {

const std::string kDossier = KYBASE_FICHIERS_GEDCOM;

// The months of the calendars whose escape a 5.5.1 export adds before a date written without it.
bool MoisDe(std::string_view echappement, std::string_view mot) {
  static constexpr std::string_view kHebreu[] = {"TSH", "CSH", "KSL", "TVT", "SHV", "ADR", "ADS",
                                                 "NSN", "IYR", "SVN", "TMZ", "AAV", "ELL"};
  static constexpr std::string_view kRepublicain[] = {"VEND", "BRUM", "FRIM", "NIVO", "PLUV", "VENT", "GERM",
                                                      "FLOR", "PRAI", "MESS", "THER", "FRUC", "COMP"};
  const auto parmi = [&](const auto& mois) { return std::find(std::begin(mois), std::end(mois), mot) != std::end(mois); };
  return (echappement == "@#DHEBREW@" && parmi(kHebreu)) || (echappement == "@#DFRENCH R@" && parmi(kRepublicain));
}

// A DATE path whose value differs from original only by calendar escapes added before dates
// whose month is of that calendar ("5 VEND 0010" written "@#DFRENCH R@ 5 VEND 0010").
bool DateEchappee(const std::string& original, const std::string& ecrit) {
  const size_t espace = original.find(' ');
  if (espace == std::string::npos || !original.substr(0, espace).ends_with("DATE") ||
      ecrit.compare(0, espace + 1, original, 0, espace + 1) != 0)
    return false;
  std::istringstream lu(ecrit.substr(espace + 1));
  std::vector<std::string> mots(std::istream_iterator<std::string>(lu), {});
  std::string sans;
  for (size_t i = 0; i < mots.size(); ++i) {
    if (mots[i] == "@#DFRENCH" && i + 1 < mots.size() && mots[i + 1] == "R@") {
      mots[i + 1] = "@#DFRENCH R@";
      ++i;
    }
    if (mots[i].starts_with("@#D")) {
      // The month follows the escape, after the day when there is one.
      size_t m = i + 1;
      if (m < mots.size() && std::isdigit(static_cast<unsigned char>(mots[m][0]))) ++m;
      if (m >= mots.size() || !MoisDe(mots[i], mots[m])) return false;
      continue;
    }
    sans += (sans.empty() ? "" : " ") + mots[i];
  }
  std::istringstream lo(original.substr(espace + 1));
  std::string attendu;
  for (std::string mot; lo >> mot;) attendu += (attendu.empty() ? "" : " ") + mot;
  return sans == attendu;
}

// 5.5 structures that neither later version has in that place: an export writes them as
// extension tags ("_SOUR" under a place), which stand for the 5.5 tag there.
bool FormeEtendue(const std::string& chemin, const std::set<std::string>& apres) {
  static constexpr struct {
    std::string_view parent, tag;
    bool enregistrement;  // under a record of that tag only
  } kFormes[] = {{"NOTE", "SOUR", false}, {"PLAC", "SOUR", false}, {"OBJE", "BLOB", true},
                 {"OBJE", "FORM", true},  {"OBJE", "TITL", true},  {"OBJE", "NOTE", false}};
  const std::string tags = chemin.substr(0, chemin.find(' '));
  std::vector<std::string> t;
  for (size_t d = 0, p; d <= tags.size(); d = p + 1) {
    p = std::min(tags.find('.', d), tags.size());
    t.push_back(tags.substr(d, p - d));
  }
  for (size_t k = 1; k < t.size(); ++k)
    for (const auto& f : kFormes) {
      if (t[k] != f.tag || t[k - 1] != f.parent || (f.enregistrement ? k != 1 : k == 1)) continue;
      std::string autre = chemin;
      size_t debut = 0;
      for (size_t i = 0; i < k; ++i) debut += t[i].size() + 1;
      autre.insert(debut, "_");
      if (apres.count(autre)) return true;
    }
  return false;
}

// A value of the original the export holds in another written form.
bool AutreForme(const std::string& chemin, const std::set<std::string>& apres) {
  if (FormeEtendue(chemin, apres)) return true;
  const std::string prefixe = chemin.substr(0, chemin.find(' ') + 1);
  for (auto it = apres.lower_bound(prefixe); it != apres.end() && it->starts_with(prefixe); ++it)
    if (DateEchappee(chemin, *it)) return true;
  return false;
}

std::string Exporte(const std::string& base, const std::string& ged, TVersionGedcom version) {
  TGestFichier g(Utf8VersAnsi(base), AvecIndex(TGestFichier::Ouverture()));
  const TBilanExportGedcom b = ExporteFichierGedcom(g, Utf8VersAnsi(ged), version);
  EXPECT_TRUE(b.reussi) << b.erreur;
  return test::Contenu(ged);
}

std::string AllerRetour(const test::RepertoireTemporaire& rep, const std::string& source, TVersionGedcom version,
                        std::string& premier) {
  const char* v = version == TVersionGedcom::V70 ? "7" : "5";
  const std::string a = rep / (std::string("A") + v + ".kya/A.adb"), b = rep / (std::string("B") + v + ".kya/B.adb");
  EXPECT_TRUE(ImporteFichierGedcom(Utf8VersAnsi(source), Utf8VersAnsi(a)).reussi) << source;
  premier = Exporte(a, rep / (std::string("a") + v + ".ged"), version);
  EXPECT_TRUE(ImporteFichierGedcom(Utf8VersAnsi(rep / (std::string("a") + v + ".ged")), Utf8VersAnsi(b)).reussi);
  return Exporte(b, rep / (std::string("b") + v + ".ged"), version);
}

TEST(FichiersPublics, ExportsValidesEtRienDePerdu) {
  for (const char* nom : {"TGC55C", "TGC55CLF", "TGC551", "TGC551LF", "maximal70", "minimal70", "age", "date",
                          "escapes", "extension-record", "extensions", "filename-1", "lang", "long-url",
                          "maximal70-lds", "maximal70-memories1", "maximal70-memories2", "maximal70-tree1",
                          "maximal70-tree2", "notes-1", "obje-1", "remarriage1", "remarriage2",
                          "same-sex-marriage", "voidptr", "xref"}) {
    SCOPED_TRACE(nom);
    test::RepertoireTemporaire rep;
    const std::string source = kDossier + "/" + nom + ".ged";
    // An ANSEL file is compared in the characters it stands for, as the exports write them.
    std::string original = test::Contenu(source);
    if (original.find("1 CHAR ANSEL") != std::string::npos) {
      std::size_t invalides = 0;
      original = AnselVersUtf8(original, invalides);
    }
    const bool sept = original.find("2 VERS 7.0") != std::string::npos;
    std::string export551, export70;
    const std::string retour551 = AllerRetour(rep, source, TVersionGedcom::V551, export551);
    const std::string retour70 = AllerRetour(rep, source, TVersionGedcom::V70, export70);
    for (const std::string& faute : test::Valide551(export551, kDossier)) ADD_FAILURE() << "5.5.1 : " << faute;
    for (const std::string& faute : test::Valide70(export70, kDossier)) ADD_FAILURE() << "7.0 : " << faute;
    if (const char* garde = std::getenv("KYBASE_GARDE_EXPORTS")) {
      test::Ecrit(std::string(garde) + "/" + nom + "-551.ged", export551);
      test::Ecrit(std::string(garde) + "/" + nom + "-70.ged", export70);
    }
    const std::set<std::string> apres = test::Chemins(sept ? retour70 : retour551);
    long perdus = 0;
    for (const std::string& chemin : test::Chemins(original)) {
      if (apres.count(chemin) || AutreForme(chemin, apres)) continue;
      ++perdus;
      ADD_FAILURE() << "perdu : " << chemin;
    }
    std::cout << nom << " : " << perdus << " chemins perdus\n";
  }
}

// The comparison takes another form only where it says the same thing.
TEST(FichiersPublics, AutresFormesComparees) {
  const struct {
    const char *original, *ecrit;
    bool meme;
  } kCas[] = {
      {"INDI.BURI.DATE 5 VEND 0010", "INDI.BURI.DATE @#DFRENCH R@ 5 VEND 0010", true},
      {"INDI.PROB.DATE FROM 25 SVN 5757 TO 26 IYR 5757", "INDI.PROB.DATE FROM @#DHEBREW@ 25 SVN 5757 TO @#DHEBREW@ 26 IYR 5757", true},
      {"INDI.WILL.DATE INT 2 TVT 5758 (x)", "INDI.WILL.DATE INT @#DHEBREW@ 2 TVT 5758 (x)", true},
      {"INDI.BURI.DATE 5 VEND 0010", "INDI.BURI.DATE @#DFRENCH R@ 6 VEND 0010", false},
      {"INDI.BURI.DATE 5 VEND 0010", "INDI.BURI.DATE @#DFRENCH R@ 5 BRUM 0010", false},
      {"INDI.BURI.DATE 5 VEND 0010", "INDI.BURI.DATE @#DFRENCH R@ 5 VEND 0011", false},
      {"INDI.BURI.DATE ABT 5 VEND 0010", "INDI.BURI.DATE @#DFRENCH R@ 5 VEND 0010", false},
      {"INDI.BURI.DATE 5 VEND 0010", "INDI.BURI.DATE @#DHEBREW@ 5 VEND 0010", false},
      {"INDI.BURI.DATE 1810", "INDI.BURI.DATE @#DFRENCH R@ 1810", false},
      {"INDI.BURI.DATE 5 VEND 0010", "INDI.DEAT.DATE @#DFRENCH R@ 5 VEND 0010", false},
      {"INDI.DEAT.PLAC.SOUR @SOUR", "INDI.DEAT.PLAC._SOUR @SOUR", true},
      {"OBJE.TITL Fleur", "OBJE._TITL Fleur", true},
      {"INDI.OBJE.TITL Fleur", "INDI.OBJE._TITL Fleur", false},
      {"INDI.SOUR @SOUR", "INDI._SOUR @SOUR", false},
  };
  for (const auto& c : kCas) EXPECT_EQ(AutreForme(c.original, {c.ecrit}), c.meme) << c.original << " / " << c.ecrit;
}

}  // namespace
}  // namespace kyb
