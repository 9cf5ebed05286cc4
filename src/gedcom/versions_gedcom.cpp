#include "gedcom/versions_gedcom.h"

#include <algorithm>
#include <set>
#include <string>
#include <utility>

#include "gedcom/gedcom_gardees.h"
#include "platform/chaines.h"

namespace kyb {
namespace {

// What a row does beyond naming.
enum class TRegle : char {
  Aucune,
  Identifiant,  // 7.0: an EXID line whose TYPE names the 5.5.1 tag
  SansOui,      // 7.0: the structure takes no value, its "Y" goes
  AvecDate,     // 7.0: needs a DATE line; without one, an extension
  Media,        // 7.0: a medium link points to the record of its FILE; a record without one goes
  Format,       // a medium's format: its media type in 7.0 ("image/jpeg"), its subtype in 5.5.1
  Mot,          // words of an enumeration: as mots spells them in 5.5.1, capitals in 7.0
  Date,         // a date: in the version's grammar, what it cannot hold in a PHRASE (7.0)
  Age,          // an age: in 7.0's grammar ("< 8y" for CHILD), the text as read in a PHRASE
};

struct TCorrespondance {
  std::string_view chemin;     // tags from the record down, the last one the line's; "*": any tag
  std::string_view v551, v70;  // the tag in each version; empty: none ("_" and the last tag)
  TRegle regle = TRegle::Aucune;
  std::string_view type = {};  // Identifiant: the EXID's TYPE
  std::string_view mots = {};  // Mot: the words, as 5.5.1 writes them
  bool parentheses = false;    // Mot: 5.5.1 writes a text that is none of them in parentheses
};

constexpr std::string_view kMotsMedia =
    "audio book card electronic fiche film magazine manuscript map newspaper photo tombstone video other";
constexpr std::string_view kMotsRole =
    "CHIL HUSB WIFE MOTH FATH SPOU CLERGY FRIEND GODP MULTIPLE NGHBR OFFICIATOR PARENT WITN OTHER";

// A line takes the most specific row whose path ends its own (a longer path wins).
constexpr TCorrespondance kTable[] = {
    // 7.0 only.
    {"UID", "", "UID"},
    {"EXID", "", "EXID"},
    {"CREA", "", "CREA"},
    {"SDATE", "", "SDATE"},
    {"PHRASE", "", "PHRASE"},
    {"INDI.FAMC.PHRASE", "", ""},  // a link to a family has none: an extension in both
    // A family's count of children is a bare value in 5.5.1.
    {"FAM.NCHI.*", "", "*"},
    {"TRAN", "", "TRAN"},
    {"MIME", "", "MIME"},
    {"LANG", "", "LANG"},
    {"SUBM.LANG", "LANG", "LANG"},
    {"DATE.TIME", "", "TIME"},
    {"CHAN.DATE.TIME", "TIME", "TIME"},
    {"INDI.NO", "", "NO"},
    {"FAM.NO", "", "NO"},
    {"FAM.FACT", "", "FACT"},
    {"INDI.INIL", "", "INIL", TRegle::SansOui},
    {"OBJE.CROP", "", "CROP"},
    // The place of a source's event has no sub-lines in 5.5.1.
    {"SOUR.DATA.EVEN.PLAC.*", "", "*"},
    // 5.5.1 only, or in another form.
    {"AFN", "AFN", "EXID", TRegle::Identifiant, "https://gedcom.io/terms/v7/AFN"},
    {"RFN", "RFN", "EXID", TRegle::Identifiant, "https://gedcom.io/terms/v7/RFN"},
    {"RIN", "RIN", "EXID", TRegle::Identifiant, "https://gedcom.io/terms/v7/RIN"},
    {"INDI.BAPL", "BAPL", "BAPL", TRegle::SansOui},
    {"INDI.CONL", "CONL", "CONL", TRegle::SansOui},
    {"INDI.ENDL", "ENDL", "ENDL", TRegle::SansOui},
    {"INDI.SLGC", "SLGC", "SLGC", TRegle::SansOui},
    {"FAM.SLGS", "SLGS", "SLGS", TRegle::SansOui},
    {"STAT", "STAT", "STAT", TRegle::AvecDate},
    {"FAMC.STAT", "STAT", "STAT", TRegle::Mot, {}, "challenged disproven proven"},  // a child's link: no date in either
    {"FAMC.PEDI", "PEDI", "PEDI", TRegle::Mot, {}, "adopted birth foster sealing other"},
    // Dates and ages of kept lines (an ordinance's, a change's, a spouse's age at an event).
    {"DATE", "DATE", "DATE", TRegle::Date},
    {"AGE", "AGE", "AGE", TRegle::Age},
    // Enumerations whose words 7.0 writes in capitals, a text that is none of them as OTHER and
    // its PHRASE.
    {"RESN", "RESN", "RESN", TRegle::Mot, {}, "confidential locked privacy"},
    {"CALN.MEDI", "MEDI", "MEDI", TRegle::Mot, {}, kMotsMedia},
    {"SOUR.EVEN.ROLE", "ROLE", "ROLE", TRegle::Mot, {}, kMotsRole, true},
    // 7.0 gives a family event's ages to the husband and the wife only.
    {"FAM.*.AGE", "AGE", "", TRegle::Age},
    // A medium link: a pointer in 7.0; its format goes with the record.
    {"OBJE", "OBJE", "OBJE", TRegle::Media},
    {"*.OBJE.FORM", "FORM", ""},
    {"*.OBJE.FILE", "FILE", ""},
    {"*.OBJE.TITL", "TITL", "TITL"},
    // A medium record's lines of one version: a 5.5 record's title, format and data, a restriction.
    {"OBJE.TITL", "", ""},
    {"OBJE.FORM", "", ""},
    {"OBJE.BLOB", "", ""},
    {"OBJE.RESN", "", "RESN"},
    // A medium record's files, in both; the kind of medium is the TYPE of its format in 5.5.1.
    {"OBJE.FILE", "FILE", "FILE"},
    {"OBJE.FILE.FORM", "FORM", "FORM", TRegle::Format},
    {"FILE.FORM.MEDI", "TYPE", "MEDI", TRegle::Mot, {}, kMotsMedia},
    // The submission record: 5.5.1 only; a submitter's REFN: 7.0 only.
    {"SUBN", "SUBN", ""},
    {"SUBM.REFN", "", "REFN"},
    // A citation under a note: 7.0 only (5.5 had it).
    {"*.NOTE.SOUR", "", "SOUR"},
    // In neither (5.5).
    {"PLAC.SOUR", "", ""},
    {"*.OBJE.NOTE", "", ""},  // a link's; a record's is in both
};

std::string_view DernierTag(std::string_view chemin) {
  const size_t point = chemin.rfind('.');
  return point == std::string_view::npos ? chemin : chemin.substr(point + 1);
}

std::string_view SansSouligne(std::string_view tag) { return tag.starts_with('_') ? tag.substr(1) : tag; }

// An EXID TYPE of this base URI: the base itself or the base and a fragment ("…/RIN#MySystem").
bool TypeIdentifiant(std::string_view type, std::string_view base) {
  return type.starts_with(base) && (type.size() == base.size() || type[base.size()] == '#');
}

// The EXID of a 5.5.1 identifier line, as the 7.0 migration writes it: an RFN "Resource:5431"
// is 5431 with the fragment "#Resource"; an RIN is a number of the file's system, KYBASE for
// the files written here.
std::string TypeSept(std::string_view nom, std::string_view base, std::string& valeur) {
  std::string type(base);
  if (nom == "RIN") {
    type += "#";
    type += kSystemeGedcom;
  } else if (const size_t p = valeur.find(':'); nom == "RFN" && p != std::string::npos && p > 0 && p + 1 < valeur.size()) {
    type += "#" + valeur.substr(0, p);
    valeur.erase(0, p + 1);
  }
  return type;
}

// The 7.0 media type of a 5.5.1 format; a format of no known type stays as it is, a media type
// already.
std::string TypeMediaDeFormat(const std::string& format) {
  std::string type = TypeMedia(format);
  return type.empty() ? format : type;
}

// The word of mots that mot is, whatever its case, as mots spells it; empty when none.
std::string_view MotConnu(std::string_view mots, std::string_view mot) {
  const std::string cherche = MajusculesAnsi(mot);
  for (size_t d = 0, f; d < mots.size(); d = f + 1) {
    f = std::min(mots.find(' ', d), mots.size());
    if (MajusculesAnsi(mots.substr(d, f - d)) == cherche) return mots.substr(d, f - d);
  }
  return {};
}

// Index of the first line below line i (at its level + 1) with this tag; 0 when none.
size_t Enfant(const std::vector<TLigneGardee>& lignes, size_t i, std::string_view tag) {
  for (size_t k = i + 1; k < lignes.size() && lignes[k].niveau > lignes[i].niveau; ++k)
    if (lignes[k].niveau == lignes[i].niveau + 1 && lignes[k].tag == tag) return k;
  return 0;
}

// How well row c names line i under ancetres (nearest last): the number of its tags, 0 when
// it does not name it.
int Accord(const TCorrespondance& c, const std::vector<TLigneGardee>& lignes, size_t i,
           const std::vector<std::string_view>& ancetres) {
  const std::string& tag = lignes[i].tag;
  const std::string_view nom = DernierTag(c.chemin);
  if (nom != "*" && tag != c.v551 && tag != c.v70 && SansSouligne(tag) != nom) return 0;
  if (nom == "*" && tag.size() < 2) return 0;
  int n = 1;
  if (c.regle == TRegle::Identifiant && tag == c.v70) {
    const size_t t = Enfant(lignes, i, "TYPE");
    if (t == 0 || !TypeIdentifiant(lignes[t].valeur, c.type)) return 0;
    ++n;  // before the plain EXID row
  }
  std::string_view reste = c.chemin.substr(0, c.chemin.size() - nom.size());
  size_t k = ancetres.size();
  while (!reste.empty()) {
    reste.remove_suffix(1);  // the dot
    const std::string_view parent = DernierTag(reste);
    if (k == 0 || (parent != "*" && parent != ancetres[k - 1])) return 0;
    --k;
    ++n;
    reste.remove_suffix(parent.size());
  }
  return n;
}

const TCorrespondance* Correspondance(const std::vector<TLigneGardee>& lignes, size_t i,
                                      const std::vector<std::string_view>& ancetres) {
  if (lignes[i].tag == "CONT" || lignes[i].tag == "CONC") return nullptr;
  const TCorrespondance* meilleure = nullptr;
  int score = 0;
  for (const TCorrespondance& c : kTable)
    if (const int s = Accord(c, lignes, i, ancetres); s > score) {
      score = s;
      meilleure = &c;
    }
  return meilleure;
}

// The text of the PHRASE line below line i that has no lines of its own, its index in k; empty
// (k = 0) when there is none.
std::string_view PhraseSeule(const std::vector<TLigneGardee>& lignes, size_t i, size_t& k) {
  k = Enfant(lignes, i, "PHRASE");
  if (k != 0 && k + 1 < lignes.size() && lignes[k + 1].niveau > lignes[k].niveau) k = 0;
  return k == 0 ? std::string_view() : std::string_view(lignes[k].valeur);
}

// The words of line l (lignes[i]) in the form of the version (the items of a list, as RESN
// takes, one by one). In 7.0, a text that is none of them becomes OTHER, the text returned for
// its PHRASE; where the enumeration has no OTHER, the line becomes an extension. In 5.5.1, OTHER
// with a PHRASE becomes the phrase again.
std::string Mots(const TCorrespondance& c, const std::vector<TLigneGardee>& lignes, size_t i, bool v7,
                 std::vector<bool>& retiree, TLigneGardee& l) {
  if (l.valeur.empty()) return {};
  if (size_t p = 0; !v7 && !PhraseSeule(lignes, i, p).empty() && MajusculesAnsi(l.valeur) == "OTHER") {
    retiree[p] = true;
    l.valeur = c.parentheses ? "(" + lignes[p].valeur + ")" : lignes[p].valeur;
    return {};
  }
  std::string valeur;
  for (size_t d = 0, f; d <= l.valeur.size(); d = f + 1) {
    f = std::min(l.valeur.find(',', d), l.valeur.size());
    std::string_view item = std::string_view(l.valeur).substr(d, f - d);
    while (item.starts_with(' ')) item.remove_prefix(1);
    const std::string_view mot = MotConnu(c.mots, item);
    if (mot.empty() && v7 && !item.starts_with('_')) {  // "_…": an extension's word, valid as it is
      if (MotConnu(c.mots, "OTHER").empty() || l.valeur.find(',') != std::string::npos) {
        l.tag = "_" + std::string(DernierTag(c.chemin));
        return {};
      }
      std::string phrase = l.valeur;
      if (c.parentheses && phrase.size() > 2 && phrase.front() == '(' && phrase.back() == ')')
        phrase = phrase.substr(1, phrase.size() - 2);
      l.valeur = "OTHER";
      return phrase;
    }
    if (!valeur.empty()) valeur += ", ";
    valeur += mot.empty() ? std::string(item) : v7 ? MajusculesAnsi(mot) : std::string(mot);
  }
  l.valeur = std::move(valeur);
  return {};
}

// A kept date in the grammar of the version; in 7.0 what its grammar cannot hold (a dual year,
// a 5.5.1 phrase in parentheses) goes to the PHRASE returned, the date keeping what it can; in
// 5.5.1 an empty date whose phrase reads as a date takes it back.
std::string DateDeVersion(const std::vector<TLigneGardee>& lignes, size_t i, TVersionGedcom version,
                          std::vector<bool>& retiree, TLigneGardee& l) {
  size_t k = 0;
  const std::string_view phrase = PhraseSeule(lignes, i, k);
  if (version == TVersionGedcom::V551 && l.valeur.empty() && k != 0 && LitDateGedcom(phrase).lue) {
    // A date 7.0 could only hold in its phrase (a dual year) is a date again.
    l.valeur = std::string(phrase);
    retiree[k] = true;
    return {};
  }
  if (l.valeur.empty()) return {};
  const TDateEcrite d = DateGardeeGedcom(l.valeur, version);
  if (version == TVersionGedcom::V551) {
    // 5.5.1 keeps the date as it was written, but for the words of 7.0 (JULIAN, BCE).
    if (d.lisible && MajusculesAnsi(d.valeur) != MajusculesAnsi(l.valeur)) l.valeur = d.valeur;
    return {};
  }
  l.valeur = d.lisible ? d.valeur : std::string();
  return k == 0 ? d.phrase : std::string();
}

// "3 months", "40", "CHILD": an age of the older dialects in 7.0's grammar, each of years,
// months, weeks and days at most once, in that order; false when it cannot be read so.
bool AgeSept(std::string_view texte, std::string& age) {
  static constexpr std::pair<std::string_view, std::string_view> kMots[] = {
      {"CHILD", "< 8y"}, {"INFANT", "< 1y"}, {"STILLBORN", "0y"}};
  const std::string haut = MajusculesAnsi(texte);
  for (const auto& [mot, forme] : kMots)
    if (haut == mot) {
      age = forme;
      return true;
    }
  std::string_view reste = texte;
  age.clear();
  while (reste.starts_with(' ')) reste.remove_prefix(1);
  if (!reste.empty() && (reste[0] == '<' || reste[0] == '>')) {
    age = std::string(1, reste[0]) + " ";
    reste.remove_prefix(1);
  }
  static constexpr std::pair<std::string_view, char> kUnites[] = {
      {"Y", 'y'}, {"YR", 'y'}, {"YRS", 'y'}, {"YEAR", 'y'}, {"YEARS", 'y'}, {"M", 'm'}, {"MO", 'm'},
      {"MONTH", 'm'}, {"MONTHS", 'm'}, {"W", 'w'}, {"WEEK", 'w'}, {"WEEKS", 'w'}, {"D", 'd'}, {"DAY", 'd'}, {"DAYS", 'd'}};
  std::string_view ordre = "ymwd";
  bool lu = false;
  while (true) {
    while (reste.starts_with(' ')) reste.remove_prefix(1);
    if (reste.empty()) break;
    size_t n = 0;
    while (n < reste.size() && reste[n] >= '0' && reste[n] <= '9') ++n;
    if (n == 0) return false;
    const std::string_view nombre = reste.substr(0, n);
    reste.remove_prefix(n);
    while (reste.starts_with(' ')) reste.remove_prefix(1);
    size_t u = 0;
    while (u < reste.size() && reste[u] != ' ' && !(reste[u] >= '0' && reste[u] <= '9')) ++u;
    char unite = u == 0 ? 'y' : 0;  // a number alone counts years
    for (const auto& [mot, lettre] : kUnites)
      if (u > 0 && MajusculesAnsi(reste.substr(0, u)) == mot) unite = lettre;
    const size_t k = ordre.find(unite);
    if (unite == 0 || k == std::string_view::npos) return false;
    ordre.remove_prefix(k + 1);
    reste.remove_prefix(u);
    age += (lu ? " " : "") + std::string(nombre) + unite;
    lu = true;
  }
  return lu;
}

// A kept age: in 7.0 in its grammar, the text as read in the PHRASE returned when it said it
// otherwise; in 5.5.1 the text of such a phrase again (one that reads as the age itself).
std::string AgeDeVersion(const std::vector<TLigneGardee>& lignes, size_t i, bool v7, std::vector<bool>& retiree,
                         TLigneGardee& l) {
  size_t k = 0;
  const std::string_view phrase = PhraseSeule(lignes, i, k);
  std::string age;
  if (!v7) {
    if (k != 0 && AgeSept(phrase, age) && age == l.valeur) {
      l.valeur = std::string(phrase);
      retiree[k] = true;
    }
    return {};
  }
  if (l.valeur.empty()) return {};
  const std::string lu = l.valeur;
  const bool juste = AgeSept(lu, age);
  l.valeur = juste ? age : std::string();
  // The same age spaced otherwise ("<42y 6m") needs no phrase.
  std::string compact = lu;
  std::erase(compact, ' ');
  std::string forme = age;
  std::erase(forme, ' ');
  return k != 0 || (juste && compact == forme) ? std::string() : lu;
}

// Lines below line i go up one level (their parent leaves).
void Remonte(std::vector<TLigneGardee>& lignes, size_t i) {
  for (size_t k = i + 1; k < lignes.size() && lignes[k].niveau > lignes[i].niveau; ++k) --lignes[k].niveau;
}

}  // namespace

void TraduitLignesGardees(std::vector<TLigneGardee>& lignes, TContexteGarde contexte,
                          TVersionGedcom version) {
  const bool v7 = version == TVersionGedcom::V70;
  std::vector<TLigneGardee> sortie;
  sortie.reserve(lignes.size());
  std::vector<bool> retiree(lignes.size(), false);
  std::vector<std::pair<int, std::string>> pile;  // lines above, with their tags as read
  pile.reserve(lignes.size());  // never moved: ancetres sees into it
  std::vector<std::string_view> ancetres;
  for (size_t i = 0; i < lignes.size(); ++i) {
    if (retiree[i]) continue;
    while (!pile.empty() && pile.back().first >= lignes[i].niveau) pile.pop_back();
    ancetres.assign(contexte.begin(), contexte.end());
    for (const auto& p : pile) ancetres.push_back(p.second);
    pile.emplace_back(lignes[i].niveau, lignes[i].tag);
    TLigneGardee l = lignes[i];
    const TCorrespondance* c = Correspondance(lignes, i, ancetres);
    if (c && c->regle == TRegle::Media && v7 && !l.xref.empty() && Enfant(lignes, i, "FILE") == 0) {
      for (size_t k = i + 1; k < lignes.size() && lignes[k].niveau > l.niveau; ++k) retiree[k] = true;
      continue;
    }
    if (!c) {
      sortie.push_back(std::move(l));
      continue;
    }
    const std::string_view nom = DernierTag(c->chemin) == "*" ? SansSouligne(l.tag) : DernierTag(c->chemin);
    const std::string_view forme = DernierTag(v7 ? c->v70 : c->v551);
    const bool etaitIdentifiant = c->regle == TRegle::Identifiant && l.tag == c->v70;
    l.tag = forme == "*" ? std::string(nom) : forme.empty() ? "_" + std::string(nom) : std::string(forme);
    std::string typeSept, phraseSept;
    if (c->regle == TRegle::Identifiant && !v7 && etaitIdentifiant) {
      const size_t t = Enfant(lignes, i, "TYPE");
      retiree[t] = true;
      // The RFN's resource is back before its number; an RIN's system goes.
      if (nom == "RFN" && lignes[t].valeur.size() > c->type.size() + 1)
        l.valeur = lignes[t].valeur.substr(c->type.size() + 1) + ":" + l.valeur;
    } else if (c->regle == TRegle::Identifiant && v7 && !etaitIdentifiant) {
      typeSept = TypeSept(nom, c->type, l.valeur);
    } else if (c->regle == TRegle::SansOui && v7 && l.valeur == "Y") {
      l.valeur.clear();
    } else if (c->regle == TRegle::AvecDate && v7 && Enfant(lignes, i, "DATE") == 0) {
      l.tag = "_" + std::string(nom);
    } else if (c->regle == TRegle::Mot) {
      phraseSept = Mots(*c, lignes, i, v7, retiree, l);
    } else if ((c->regle == TRegle::Date || c->regle == TRegle::Age) && !l.tag.starts_with('_')) {
      phraseSept = c->regle == TRegle::Date ? DateDeVersion(lignes, i, version, retiree, l)
                                            : AgeDeVersion(lignes, i, v7, retiree, l);
    } else if (c->regle == TRegle::Format && v7 && l.valeur.find('/') == std::string::npos) {
      l.valeur = TypeMediaDeFormat(l.valeur);
    } else if (c->regle == TRegle::Format && !v7 && l.valeur.find('/') != std::string::npos) {
      l.valeur.erase(0, l.valeur.find('/') + 1);
    } else if (c->regle == TRegle::Media && v7 && l.xref.empty() && l.valeur.empty()) {
      if (const size_t f = Enfant(lignes, i, "FILE"); f != 0) {
        l.valeur = PointeurGardeMedia(lignes[f].valeur);
        retiree[f] = true;
        Remonte(lignes, f);
      }
    }
    sortie.push_back(std::move(l));
    if (!typeSept.empty()) sortie.push_back({lignes[i].niveau + 1, {}, "TYPE", std::move(typeSept)});
    if (!phraseSept.empty()) sortie.push_back({lignes[i].niveau + 1, {}, "PHRASE", std::move(phraseSept)});
  }
  lignes = std::move(sortie);
}

bool TraduitChamp(std::string& tag, std::string& valeur, std::string& type, TContexteGarde contexte,
                  TVersionGedcom version) {
  // Every tag a row names, in any form: most fields are named by none.
  static const std::set<std::string, std::less<>> kNommes = [] {
    std::set<std::string, std::less<>> r;
    for (const TCorrespondance& c : kTable) {
      const std::string nom(DernierTag(c.chemin));
      if (nom == "*") continue;
      r.insert({nom, "_" + nom, std::string(c.v551), std::string(c.v70)});
    }
    return r;
  }();
  if (!kNommes.contains(tag)) return false;
  std::vector<TLigneGardee> lignes{{1, {}, tag, valeur}};
  TraduitLignesGardees(lignes, contexte, version);
  tag = std::move(lignes[0].tag);
  valeur = std::move(lignes[0].valeur);
  type = lignes.size() > 1 && lignes[1].tag == "TYPE" ? std::move(lignes[1].valeur) : std::string();
  return true;
}

std::string TypeMedia(std::string_view format) {
  const std::string f = MinusculesAnsi(format);
  static constexpr std::pair<std::string_view, std::string_view> kTypes[] = {
      {"jpg", "image/jpeg"}, {"jpeg", "image/jpeg"}, {"png", "image/png"}, {"gif", "image/gif"},
      {"bmp", "image/bmp"}, {"webp", "image/webp"}, {"tif", "image/tiff"}, {"tiff", "image/tiff"},
      {"pdf", "application/pdf"}, {"txt", "text/plain"}, {"text", "text/plain"}, {"htm", "text/html"},
      {"html", "text/html"}, {"mp3", "audio/mpeg"}, {"wav", "audio/wav"}, {"mp4", "video/mp4"},
      {"mov", "video/quicktime"}};
  for (const auto& [ext, type] : kTypes)
    if (f == ext) return std::string(type);
  return {};
}

std::string_view TagStandard(std::string_view tag, TVersionGedcom lue) {
  const auto extensions = [](TVersionGedcom v) {
    std::vector<std::string> t = ExtensionsDeVersion(v);
    return std::set<std::string, std::less<>>(t.begin(), t.end());
  };
  static const std::set<std::string, std::less<>> k551 = extensions(TVersionGedcom::V551);
  static const std::set<std::string, std::less<>> k70 = extensions(TVersionGedcom::V70);
  const auto& kExtensions = lue == TVersionGedcom::V70 ? k70 : k551;
  return tag.starts_with('_') && kExtensions.contains(tag) ? tag.substr(1) : tag;
}

std::vector<std::string> ExtensionsDeVersion(TVersionGedcom version) {
  std::vector<std::string> tags;
  for (const TCorrespondance& c : kTable) {
    const std::string_view nom = DernierTag(c.chemin);
    if ((version == TVersionGedcom::V70 ? c.v70 : c.v551).empty() && nom != "*") tags.push_back("_" + std::string(nom));
    if (c.regle == TRegle::AvecDate && version == TVersionGedcom::V70) tags.push_back("_" + std::string(nom));
  }
  return tags;
}

}  // namespace kyb
