#include "fields/csstruct.h"

#include <algorithm>
#include <climits>

#include "fields/csdefchps.h"
#include "fields/csstruct_interne.h"
#include "platform/references_ansi.h"

namespace kyb {

namespace csinterne {

std::vector<std::string_view> Decoupe(std::string_view texte, char separateur) {
  std::vector<std::string_view> items;
  if (texte.empty()) return items;
  size_t debut = 0;
  for (;;) {
    const size_t pos = texte.find(separateur, debut);
    if (pos == std::string_view::npos) {
      items.push_back(texte.substr(debut));
      return items;
    }
    items.push_back(texte.substr(debut, pos - debut));
    debut = pos + 1;
  }
}

AnsiString RogneAnsi(std::string_view texte) {
  const auto blanc = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
  while (!texte.empty() && blanc(texte.front())) texte.remove_prefix(1);
  while (!texte.empty() && blanc(texte.back())) texte.remove_suffix(1);
  return AnsiString(texte);
}

std::vector<AnsiString> DecoupeRogne(std::string_view texte, char separateur) {
  std::vector<AnsiString> items;
  for (const std::string_view item : Decoupe(texte, separateur)) items.push_back(RogneAnsi(item));
  return items;
}

AnsiString Joint(const std::vector<AnsiString>& items, std::string_view separateur) {
  AnsiString r;
  for (size_t i = 0; i < items.size(); ++i) {
    if (i) r += separateur;
    r += items[i];
  }
  return r;
}

AnsiString SansControle(std::string_view texte) {
  AnsiString r(texte);
  for (char& c : r)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  return r;
}

int EntierOuDefaut(std::string_view texte, int defaut) {
  long long v = 0;
  if (!TexteVersEntier(texte, v) || v < INT_MIN || v > INT_MAX) return defaut;
  return static_cast<int>(v);
}

}  // namespace csinterne

using namespace csinterne;

namespace {

struct TDescType {
  int type;
  const char* code;     // column 3 of the definition line
  const char* libelle;  // display name, UTF-8
};

constexpr TDescType kTypes[] = {
    {tcNom, "NOM", "Nom"},
    {tcPrenom, "PRENOM", "Prénoms"},
    {tcSexe, "SEXE", "Sexe"},
    {tcNoSosa, "NOSOSA", "N° Sosa-Strad."},
    {tcEmail, "EMAIL", "E-mail"},
    {tcDdmf, "DDMF", "Date de dernière modification"},
    {tcDcf, "DCF", "Date de création"},
    {tcEvenSimple, "ES", "Evénement simple"},
    {tcEvenInfo, "EC", "Evénement avec info"},
    {tcTexte, "CPA", "Texte"},
    {tcNombre, "CPN", "Nombre"},
    {tcDate, "CPD", "Date"},
    {tcDdNotif, "DDNOTIF", "Date de dernière notification"},
    {tcListeChoix, "CPC", "Liste de choix"},
    {tcBooleen, "CPB", "Booléen : Vrai/Faux/? "},
    {tcMarqueurs, "CPT", "Marqueurs"},
    {tcBooleen20, "", "Booléen : Vrai/Faux/? "},
};

const TDescType* DescType(int type) {
  for (const TDescType& d : kTypes)
    if (d.type == type) return &d;
  return nullptr;
}

bool CommencePar(std::string_view texte, char c) { return !texte.empty() && texte[0] == c; }
const char* OuiNon(bool b) { return b ? "O" : "N"; }

bool EstLibelleParmi(std::string_view libelle, std::initializer_list<std::string_view> liste) {
  return std::find(liste.begin(), liste.end(), libelle) != liste.end();
}

// Abbreviations of the standard events (UTF-8).
struct TAbrev {
  const char* libelle;
  const char* abreviation;
};
constexpr TAbrev kAbreviations[] = {
    {"UNION", "X"},          {"NAISSANCE", "N"},          {"BAPTEME", "B"}, {"DECES", "D"},
    {"INHUMATION", "Inhum"}, {"CTR-MARIAGE", "cm"},       {"IMAGE", "Img"}, {"PROFESSION", "Prof"},
    {"RESIDENCE", "Résid"},  {"IMAGE_SIGNATURE", "ImgS"},
};

// Positions of the genealogical symbol font for the standard events (Windows-1252 codes).
struct TGlyphe {
  const char* libelle;
  unsigned char code;
};
constexpr TGlyphe kGlyphes[] = {
    {"NAISSANCE", 0xA1},  {"BAPTEME", 0xA6},   {"UNION", 0xA4},       {"DECES", 0xA2},
    {"INHUMATION", 0xA3}, {"CREMATION", 0xA5}, {"CTR-MARIAGE", 0xA7}, {"FIANCAILLES", 0xA8},
    {"DIVORCE", 0xA9},    {"BANS", 0xAA},      {"PACS", 0xAB},        {"CONCUBINAGE", 0xAC},
};

// Per-piece list as written in a line: items joined by ", ", commas inside an item made ";";
// a list whose items are all empty is written as an empty column.
AnsiString ListeLigne(const std::vector<AnsiString>& items) {
  std::vector<AnsiString> propres;
  bool vide = true;
  for (const AnsiString& item : items) {
    AnsiString p = SansControle(RogneAnsi(item));
    std::replace(p.begin(), p.end(), ',', ';');
    if (!p.empty()) vide = false;
    propres.push_back(std::move(p));
  }
  return vide ? AnsiString() : Joint(propres, ", ");
}

}  // namespace

void TChpCs::Decode(std::string_view ligne) {
  const std::vector<std::string_view> col = Decoupe(ligne, '\t');
  const size_t nbTab = col.empty() ? 0 : col.size() - 1;
  const auto C = [&col](size_t n) { return n <= col.size() ? col[n - 1] : std::string_view(); };

  const int typePrecedent = Type;
  const int boolPrecedent = ValBoolDefaut;
  const TEnsemble ensemble = Ensemble;
  *this = TChpCs();
  Type = typePrecedent;
  ValBoolDefaut = boolPrecedent;
  Ensemble = ensemble;

  LibelleInterne = C(1);
  LibelleEcran = C(2);
  for (const TDescType& d : kTypes)
    if (*d.code && C(3) == d.code) Type = d.type;
  Description = C(4);
  NbMorceaux = std::clamp(EntierOuDefaut(C(5), 0), 0, kMaxMorceaux);
  for (const AnsiString& t : DecoupeRogne(C(6), ',')) {
    const int taille = EntierOuDefaut(t, 0);
    TailleMorceaux.push_back(static_cast<int16_t>(taille < 0 || taille > INT16_MAX ? 0 : taille));
  }
  NomMorceaux = DecoupeRogne(C(7), ',');
  TagGedCom = C(8);
  SousTagGedCom = DecoupeRogne(C(9), ',');
  for (const AnsiString& t : DecoupeRogne(C(10), ','))
    IndexFicDupli.push_back(EntierOuDefaut(t, 0));
  SetNbMorceaux(NbMorceaux);
  Repetable = CommencePar(C(11), 'O');
  Liaison = C(12).empty() ? 0 : C(12)[0];

  if (nbTab >= 13) {
    Symbole = C(13);
    MotMasculin = C(14);
    MotFeminin = C(15);
  } else {
    ValBoolDefaut = 0;  // symbol, words, equivalences and cascade stay empty
  }
  if (nbTab >= 15)
    PostMortem = CommencePar(C(16), 'O');
  else
    PostMortem = EstLibelleParmi(LibelleInterne, {"INHUMATION", "INVENTAIRE_DECES", "CREMATION"});
  if (nbTab >= 16) Colonne17 = C(17);
  if (nbTab >= 17) {
    if (CommencePar(C(18), '-'))
      ValBoolDefaut = -1;
    else
      ValBoolDefaut = EntierOuDefaut(C(18), ValBoolDefaut);
  }
  if (nbTab >= 19) {
    Equivalences = C(19);
    Cascade = CommencePar(C(20), 'O');
  }
  if (nbTab >= 20)
    for (const std::string_view p : Decoupe(C(21), '$'))
      if (!p.empty()) Phrases.emplace_back(p);
  if (nbTab >= 21)
    Drapeau22 = CommencePar(C(22), 'O');
  else
    Drapeau22 = !EstLibelleParmi(LibelleInterne, {"PROFESSION", "DIPLOME"});
  if (nbTab >= 23) {
    Valeur23 = EntierOuDefaut(C(23), 0);
    Valeur24 = EntierOuDefaut(C(24), 0);
  }
  if (nbTab >= 24) Valeur25 = C(25);
  if (nbTab >= 25) Partage = CommencePar(C(26), 'O');
  if (nbTab >= 27) {
    Valeur27 = C(27);
    Valeur28 = C(28);
  }
  if (nbTab >= 28)
    Abreviation = C(29);
  else
    Abreviation = RetourneIdentEven(0);
  if (nbTab >= 29) Categorie = C(30);
}

AnsiString TChpCs::Code() const {
  std::vector<AnsiString> phrases;
  for (const AnsiString& p : Phrases) {
    AnsiString propre = SansControle(p);
    std::replace(propre.begin(), propre.end(), '$', ' ');
    if (!propre.empty()) phrases.push_back(std::move(propre));
  }
  const std::vector<AnsiString> col = {LibelleInterne,
                                       LibelleEcran,
                                       CodeType(Type),
                                       Description,
                                       std::to_string(NbMorceaux),
                                       RetTailleMorceauChn(),
                                       ListeLigne(NomMorceaux),
                                       TagGedCom,
                                       ListeLigne(SousTagGedCom),
                                       RetIndexFicDupliChn(),
                                       OuiNon(Repetable),
                                       Liaison ? AnsiString(1, Liaison) : AnsiString(),
                                       Symbole,
                                       MotMasculin,
                                       MotFeminin,
                                       OuiNon(PostMortem),
                                       Colonne17,
                                       std::to_string(ValBoolDefaut),
                                       Equivalences,
                                       OuiNon(Cascade),
                                       Joint(phrases, "$"),
                                       OuiNon(Drapeau22),
                                       std::to_string(Valeur23),
                                       std::to_string(Valeur24),
                                       Valeur25,
                                       OuiNon(Partage),
                                       Valeur27,
                                       Valeur28,
                                       Abreviation,
                                       Categorie};
  AnsiString ligne;
  for (size_t i = 0; i < col.size(); ++i) {
    if (i) ligne += '\t';
    ligne += SansControle(col[i]);
  }
  return ligne;
}

bool TChpCs::IsLibelleEcran(std::string_view libelle) const {
  return EgalSansCasseAnsi(LibelleEcran, libelle);
}

bool TChpCs::IsTagGedCom(std::string_view tag) const {
  if (tag.empty()) return false;
  for (const std::string_view t : Decoupe(TagGedCom, '/'))
    if (t == tag) return true;
  return false;
}

AnsiString TChpCs::GetTagGedCom(int n) const {
  const std::vector<std::string_view> tags = Decoupe(TagGedCom, '/');
  if (n < 0 || static_cast<size_t>(n) >= tags.size()) return {};
  return AnsiString(tags[static_cast<size_t>(n)]);
}

int TChpCs::GetNbTagGedCom() const { return static_cast<int>(Decoupe(TagGedCom, '/').size()); }

bool TChpCs::IsSousTagGedCom(std::string_view tag) const {
  return !tag.empty() &&
         std::find(SousTagGedCom.begin(), SousTagGedCom.end(), tag) != SousTagGedCom.end();
}

bool TChpCs::IsSimple() const {
  switch (Type) {
    case tcEmail:
    case tcTexte:
    case tcNombre:
    case tcDate:
    case tcListeChoix:
    case tcBooleen:
    case tcMarqueurs:
    case tcBooleen20:
      return true;
    default:
      return false;
  }
}

int TChpCs::RetStyleDonnee() const {
  if (IsBase() || IsDateGestSys()) return 1;
  if (IsSimple()) return 2;
  if (IsEvenement()) return 3;
  return 0;
}

bool TChpCs::ChpNonModifiable() const {
  return (Type >= tcNom && Type <= tcDcf) || Type == tcDdNotif || Type == tcMarqueurs ||
         EstLibelleParmi(LibelleInterne, {"CONFIDENTIEL_EXP", "ABN_NOTIF"});
}

bool TChpCs::IsCache() const {
  return EstLibelleParmi(LibelleInterne, {"COHE_VALID", "MARQUEURS", "ID_PERS", "IMAGE_SRC"});
}

bool TChpCs::IsIgnored() const {
  return EstLibelleParmi(LibelleInterne,
                         {"COHE_VALID", "MARQUEURS", "ID_PERS", "DISTANCECUM", "IMAGE_SRC"});
}

AnsiString TChpCs::GetValParDefaut() const {
  if (ValBoolDefaut == 0) return "N";
  if (ValBoolDefaut == 1) return "O";
  return "?";
}

AnsiString TChpCs::AfficheValeurBooleenne(std::string_view valeur) const {
  const bool oui = CommencePar(valeur, 'O'), non = CommencePar(valeur, 'N');
  if (EstLibelleParmi(LibelleInterne, {"FILIATION_PERE", "FILIATION_MERE"}))
    return A(oui ? "Certaine" : non ? "Incertaine" : "Indéterminée");
  return oui ? "Oui" : non ? "Non" : "?";
}

void TChpCs::SetNbMorceaux(int n) {
  NbMorceaux = std::clamp(n, 0, kMaxMorceaux);
  const size_t taille = static_cast<size_t>(NbMorceaux);
  TailleMorceaux.resize(taille, 0);
  NomMorceaux.resize(taille);
  SousTagGedCom.resize(taille);
  IndexFicDupli.resize(taille, 0);
}

int TChpCs::GetTailleTotale() const {
  int total = 0;
  for (const int16_t t : TailleMorceaux) total += std::max<int>(t, 0);
  return total;
}

AnsiString TChpCs::GetMorceauNo(std::string_view valeur, int n) const {
  if (TailleMorceaux.empty()) return AnsiString(valeur);
  if (n < 1 || static_cast<size_t>(n) > TailleMorceaux.size()) n = 1;
  size_t debut = 0;
  for (int i = 0; i < n - 1; ++i) debut += static_cast<size_t>(std::max<int>(TailleMorceaux[i], 0));
  if (debut >= valeur.size()) return {};
  return AnsiString(
      valeur.substr(debut, static_cast<size_t>(std::max<int>(TailleMorceaux[n - 1], 0))));
}

AnsiString TChpCs::GetMultiEdit(const std::vector<AnsiString>& textes) const {
  if (TailleMorceaux.empty()) return textes.empty() ? AnsiString() : textes.front();
  AnsiString valeur;
  for (size_t i = 0; i < TailleMorceaux.size(); ++i) {
    const size_t taille = static_cast<size_t>(std::max<int>(TailleMorceaux[i], 0));
    AnsiString morceau = i < textes.size() ? CoupeAnsi(textes[i], taille) : AnsiString();  // never inside a reference
    morceau.resize(taille, ' ');
    valeur += morceau;
  }
  return valeur;
}

AnsiString TChpCs::RetTailleMorceauChn() const {
  std::vector<AnsiString> items;
  for (const int16_t t : TailleMorceaux) items.push_back(std::to_string(t));
  return Joint(items, ", ");
}

AnsiString TChpCs::RetNomMorceauxChn() const { return ListeLigne(NomMorceaux); }
AnsiString TChpCs::RetSousTagGedComChn() const { return ListeLigne(SousTagGedCom); }

AnsiString TChpCs::RetIndexFicDupliChn() const {
  std::vector<AnsiString> items;
  for (const int n : IndexFicDupli) items.push_back(n ? std::to_string(n) : AnsiString());
  return ListeLigne(items);
}

AnsiString TChpCs::RetTypeString() const { return RetTypeString(Type); }

AnsiString TChpCs::RetTypeString(int type) {
  const TDescType* d = DescType(type);
  return A(d ? d->libelle : "Autres !");
}

const char* TChpCs::CodeType(int type) {
  const TDescType* d = DescType(type);
  return d ? d->code : "";
}

AnsiString TChpCs::RetourneChn() const {
  return LibelleInterne + '\t' + RetTypeString() + '\t' + LibelleEcran + '\t' + Description;
}

AnsiString TChpCs::RetourneIdentEven(int genre, bool formeLibelle) const {
  if (genre == 1) return Symbole;
  if (genre == 2) {
    for (const TGlyphe& g : kGlyphes)
      if (LibelleInterne == g.libelle) return AnsiString(1, static_cast<char>(g.code));
    return {};
  }
  AnsiString ident = Abreviation;
  if (ident.empty()) {
    for (const TAbrev& a : kAbreviations)
      if (LibelleInterne == a.libelle) ident = A(a.abreviation);
    if (ident.empty()) {
      ident = (LibelleEcran.empty() ? LibelleInterne : LibelleEcran).substr(0, 4);
      if (!ident.empty()) ident[0] = MajusculeAnsi(ident[0]);
    }
  }
  if (formeLibelle) ident += " :";
  return ident;
}

std::vector<AnsiString> TChpCs::GetEquivalences(bool cascade, const TDefChpsCs* ensemble) const {
  std::vector<AnsiString> labels;
  const auto ajoute = [&](const AnsiString& equivalences) {
    for (const AnsiString& l : DecoupeRogne(equivalences, '|'))
      if (!l.empty() && l != LibelleInterne &&
          std::find(labels.begin(), labels.end(), l) == labels.end())
        labels.push_back(l);
  };
  ajoute(Equivalences);
  if (!ensemble) ensemble = Ensemble.defs;
  // Breadth first, without recursion: a hostile file cannot exhaust the stack.
  for (size_t i = 0; cascade && ensemble && i < labels.size(); ++i)
    if (const TChpCs* chp = ensemble->RechercheChampsInternePtr(labels[i]))
      ajoute(chp->Equivalences);
  return labels;
}

}  // namespace kyb
