// TCondition: labels, the ready-made table, the value comparison, display text, streams and the
// store form (search/condition.h). The tests on a person are in condition_personne.cpp.
#include "search/condition.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "dates/bo_jours.h"
#include "dates/calcjours.h"
#include "fields/csdefchps.h"
#include "folder/gest_fic.h"
#include "platform/journal.h"

namespace kyb {

namespace {

constexpr std::array<const char16_t*, kNbOperateurs> kOperateurs = {
    u"égal à", u"commence par", u"termine par", u"différent de", u"entre", u"plus grand ou égal à",
    u"plus petit ou égal à", u"vide", u"non vide", u"contenant", u"ascendance de"};

struct TPosition {
  int type;
  const char16_t* libelle;
};
constexpr std::array<TPosition, 37> kConditionsSimples = {{
    {34, u"Case centrale de l'arbre"},
    {17, u"Case sélectionnée"},
    {26, u"Case vide"},
    {27, u"Case non vide"},
    {23, u"Case inversé (arbre circulaire)"},
    {19, u"Case de l'ascendance"},
    {20, u"Case de la descendance"},
    {21, u"Case de conjoint de la descendance"},
    {22, u"Case de frère/soeur des ascendants"},
    {18, u"Case d'un implexe - fiches de personnes répétées"},
    {16, u"Case de personne citée"},
    {33, u"Fiche Vide"},
    {0, u"Nom"},
    {1, u"Prénom"},
    {12, u"N° Généalogique"},
    {13, u"N° Génération"},
    {14, u"N° Sosa"},
    {2, u"Homme"},
    {3, u"Femme"},
    {30, u"Jumeaux"},
    {8, u"Au moins un event dans la commune"},
    {9, u"Au moins un event dans le département"},
    {10, u"Au moins un event dans ce lieu"},
    {6, u"Naissance - Département"},
    {11, u"Profession"},
    {4, u"Vivant"},
    {5, u"Décédé"},
    {7, u"Naissance - date"},
    {15, u"Age au décès"},
    {24, u"Anniversaire ce jour"},
    {25, u"Anniversaire ce mois"},
    {28, u"Anniversaire mariage ce jour"},
    {29, u"Anniversaire mariage ce mois"},
    {31, u"Date de l'événement le plus ancien"},
    {32, u"Date de l'événement le plus récent"},
    {35, u"Enfants adoptés"},
    {36, u"Parents adoptifs"},
}};

std::vector<UnicodeString> Elements(const UnicodeString& texte) {
  std::vector<UnicodeString> r;
  size_t debut = 0;
  for (;;) {
    const size_t virgule = texte.find(u',', debut);
    r.push_back(MajusculesUnicode(Rogne(std::u16string_view(texte).substr(debut, virgule - debut))));
    if (virgule == UnicodeString::npos) return r;
    debut = virgule + 1;
  }
}

bool DebutePar(const UnicodeString& t, const UnicodeString& p) { return t.compare(0, p.size(), p) == 0; }
bool FinitPar(const UnicodeString& t, const UnicodeString& s) {
  return t.size() >= s.size() && t.compare(t.size() - s.size(), s.size(), s) == 0;
}

// A number once the qualifier characters ("<", "ca", "~"...) are removed; false when none is left.
bool Nombre(const UnicodeString& t, double& n) {
  std::string chiffres;
  for (const char16_t c : t)
    if ((c >= u'0' && c <= u'9') || c == u'.' || (c == u'-' && chiffres.empty())) chiffres += static_cast<char>(c);
  if (chiffres.empty() || chiffres == "-" || chiffres == ".") return false;
  char* fin = nullptr;
  n = std::strtod(chiffres.c_str(), &fin);
  return fin && *fin == 0 && std::isfinite(n);
}

TDateKY Date(const UnicodeString& t) { return TDateKY(std::string_view(UnicodeVersAnsi(t))); }

// -2 when either side cannot be compared, else -1, 0, 1 as the basic type orders them.
int Compare(const UnicodeString& a, const UnicodeString& b, TTypeChpBasic type) {
  if (a.empty() || b.empty()) return -2;
  if (type == tbDate) {
    const TDateKY da = Date(a), db = Date(b);
    if (da.DateVide() || db.DateVide()) return -2;
    // Two dates neither of which is surely before the other (a year and one of its days) are
    // equal here, so that 14/07/1860 is "entre 1850 1860" and "égal à 1860".
    if (CompareDate(da, db, -1, 0, false) < 0) return -1;
    return CompareDate(db, da, -1, 0, false) < 0 ? 1 : 0;
  }
  if (type == tbNombre) {
    double x = 0, y = 0;
    if (!Nombre(a, x) || !Nombre(b, y)) return -2;
    return x < y ? -1 : x > y ? 1 : 0;
  }
  return a < b ? -1 : a > b ? 1 : 0;
}

}  // namespace

// --- labels and the ready-made table ---

UnicodeString RetOperateur(int operateur) {
  return operateur >= 0 && operateur < kNbOperateurs ? UnicodeString(kOperateurs[operateur]) : UnicodeString();
}

int RetNbCondSimple() { return static_cast<int>(kConditionsSimples.size()); }

UnicodeString RetConditionSimple(int position) {
  if (position >= 0 && position < RetNbCondSimple()) return kConditionsSimples[position].libelle;
  return u" ... Choix d'un autre champ ...";
}

int RetConditionSimpleObj(int position) {
  if (position >= 0 && position < RetNbCondSimple()) return kConditionsSimples[position].type;
  // A position of no kind is a fault of the caller's list: it goes to the log.
  if (position < -1)
    AjouteJournal("LogMsgError",
                  "Il manque des types à placer avec le bon index. Verifier egalement les string en ressources");
  return -1;
}

int RetPosConditionSimpleObj(int type) {
  for (int p = 0; p < RetNbCondSimple(); ++p)
    if (kConditionsSimples[p].type == type) return p;
  return -1;
}

bool IsCondSimpleBool(int type) {
  return (type >= 2 && type <= 5) || (type >= 16 && type <= 30) || (type >= 33 && type <= 36);
}

// --- TCondition ---

TCondition::TCondition(const TCondition* autre) {
  if (!autre) return;
  Champ = autre->Champ;
  Operateur = autre->Operateur;
  Valeur1 = autre->Valeur1;
  Valeur2 = autre->Valeur2;
  Type = autre->Type;
}

bool TCondition::Different(const TCondition* autre) const {
  return !autre || !(Champ == autre->Champ) || Operateur != autre->Operateur || !(Valeur1 == autre->Valeur1) ||
         !(Valeur2 == autre->Valeur2) || Type != autre->Type;
}

void TCondition::SetCondNoGenEgal(int n) {
  Type = csNoGeneration;
  Operateur = opEgal;
  Valeur1 = TChampBase(AnsiVersUnicode(std::to_string(n)));
}

UnicodeString TCondition::RetChnCond(const TGestFichier* dossier) const {
  UnicodeString texte;
  if (Type != csChamp) {
    texte = RetConditionSimple(RetPosConditionSimpleObj(Type));
  } else {
    const TChpCs* def = dossier && dossier->GetDefChpsCs()
                            ? dossier->GetDefChpsCs()->RechercheChampsInternePtr(Champ.Libelle)
                            : nullptr;
    texte = AnsiVersUnicode(def && !def->LibelleEcran.empty() ? def->LibelleEcran : Champ.Libelle);
  }
  if (IsCondSimpleBool(Type)) return texte;
  if (Operateur == opVide || Operateur == opNonVide) return texte + u" " + RetOperateur(Operateur);
  if (Operateur == opEntre)
    return texte + u" " + RetOperateur(Operateur) + u" " + Valeur1.Valeur + u" - " + Valeur2.Valeur;
  return texte + u" " + RetOperateur(Operateur) + u" " + Valeur1.Valeur;
}

bool TCondition::TestPaire(const UnicodeString& p, const UnicodeString& v1, const UnicodeString& v2,
                           TTypeChpBasic type) const {
  switch (Operateur) {
    case opEgal:
    case opDifferent:
      if (type == tbDate) return Compare(p, v1, type) == 0;
      return p == v1;
    case opCommencePar: return DebutePar(p, v1);
    case opTerminePar: return FinitPar(p, v1);
    case opContenant: return p.find(v1) != UnicodeString::npos;
    case opEntre: {
      const int bas = Compare(p, v1, type), haut = Compare(p, v2, type);
      return bas != -2 && haut != -2 && bas >= 0 && haut <= 0;
    }
    case opPlusGrandOuEgal: {
      const int c = Compare(p, v1, type);
      return c != -2 && c >= 0;
    }
    case opPlusPetitOuEgal: {
      const int c = Compare(p, v1, type);
      return c != -2 && c <= 0;
    }
    case opVide: return p.empty();
    case opNonVide: return !p.empty();
    default: return false;
  }
}

bool TCondition::TestValeur(const UnicodeString& valeur, TTypeChpBasic type) const {
  const UnicodeString v2 = MajusculesUnicode(Rogne(Valeur2.Valeur));
  // "différent de" holds when no element of the person equals an element of the value.
  const bool inverse = Operateur == opDifferent;
  for (const UnicodeString& p : Elements(valeur))
    for (const UnicodeString& v1 : Elements(Valeur1.Valeur))
      if (TestPaire(p, v1, v2, type)) return !inverse;
  return inverse;
}

// --- store form ---

bool TCondition::CanConvertToSql() const {
  if (!OperateurConvertible(Operateur) || Rogne(Valeur1.Valeur).empty() ||
      Valeur1.Valeur.find(u',') != UnicodeString::npos)
    return false;
  if (Type == csProfession) return true;
  if (Type != csChamp || Champ.Situation != TSituationChamp::Personne || Champ.Morceau != 'F' ||
      Champ.Basic == tbDate)
    return false;
  // The identity and the parents live in the persons table, not among the stored fields.
  static const std::set<AnsiString> kHorsChamps = {"NOM", "PRENOM", "SEXE", "PERE", "MERE", "NOSOSA"};
  return !Champ.Libelle.empty() && !kHorsChamps.count(Champ.Libelle);
}

TComparaisonBDD TCondition::Comparaison() const {
  TComparaisonBDD c;
  c.Libelle = Type == csProfession ? AnsiString("PROFESSION") : Champ.Libelle;
  c.Operateur = Operateur;
  c.Valeur = Rogne(Valeur1.Valeur);
  return c;
}

std::string TCondition::GetSql() const { return CanConvertToSql() ? TexteSqlComparaison(Comparaison()) : std::string(); }

// --- streams ---

bool TChampBase::operator==(const TChampBase& a) const {
  return Libelle == a.Libelle && Morceau == a.Morceau && Basic == a.Basic && Situation == a.Situation &&
         Valeur == a.Valeur;
}

void TChampBase::Ecrit(TFluxSortie& flux) const {
  flux.EcritChaine(Libelle);
  flux.EcritEntier32(Morceau);
  flux.EcritEntier32(Basic);
  flux.EcritEntier32(static_cast<int32_t>(Situation));
  flux.EcritChaineUnicode(Valeur);
}

void TChampBase::Lit(TFluxEntree& flux, int32_t version) {
  Libelle = flux.LitChaine();
  const int32_t morceau = flux.LitEntier32();
  const int32_t basic = flux.LitEntier32();
  const int32_t situation = flux.LitEntier32();
  Valeur = flux.LitChaineUnicode();
  static const std::string kMorceaux = "FDLPSV";
  if (version != 1 || morceau < 0 || morceau > 127 || kMorceaux.find(static_cast<char>(morceau)) == std::string::npos ||
      basic < tbDate || basic > tbNombre || situation < 0 || situation > 3) {
    flux.MetEnEchec();
    return;
  }
  Morceau = static_cast<char>(morceau);
  Basic = static_cast<TTypeChpBasic>(basic);
  Situation = static_cast<TSituationChamp>(situation);
}

void TCondition::Ecrit(TFluxSortie& flux) const {
  flux.EcritReference(Champ);
  flux.EcritEntier32(Operateur);
  flux.EcritReference(Valeur1);
  flux.EcritReference(Valeur2);
  flux.EcritEntier32(Type);
}

namespace {

// A TChampBase read through a reference, copied out; the stream fails on anything else.
TChampBase LitChamp(TFluxEntree& flux) {
  TObjetFlux* objet = flux.LitPointeur();
  const auto* champ = dynamic_cast<const TChampBase*>(objet);
  if (!champ) {
    flux.MetEnEchec();
    return {};
  }
  return *champ;
}

}  // namespace

void TCondition::Lit(TFluxEntree& flux, int32_t version) {
  Champ = LitChamp(flux);
  Operateur = flux.LitEntier32();
  Valeur1 = LitChamp(flux);
  Valeur2 = LitChamp(flux);
  Type = flux.LitEntier32();
  if (version == 1) {
    if (Type >= 21) ++Type;
    if (Type >= 10) ++Type;
  }
  if ((version != 1 && version != 2) || Operateur < -1 || Operateur >= kNbOperateurs || Type < -1 ||
      Type > csParentsAdoptifs)
    flux.MetEnEchec();
}

void EnregistreClassesRecherche() {
  static const bool fait = [] {
    TRegistreClasses& r = TRegistreClasses::Global();
    r.Enregistre(TChampBase::kNomClasse, [] { return std::make_unique<TChampBase>(); });
    r.Enregistre(TCondition::kNomClasse, [] { return std::make_unique<TCondition>(); });
    return true;
  }();
  (void)fait;
}

}  // namespace kyb
