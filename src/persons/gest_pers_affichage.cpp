// Texts of a person for lists, charts and documents: names, sex, events worded in French, the
// one-line summaries and ages.
#include <algorithm>

#include "dates/analysedate.h"
#include "fields/csdefchps.h"
#include "folder/fic_dupli.h"
#include "persons/fiche_evenements.h"
#include "persons/gest_pers.h"
#include "platform/date_heure.h"
#include "store/datamodulebdd.h"

namespace kyb {
namespace {

UnicodeString U(const std::string& utf8) { return Utf8VersUnicode(utf8); }

// Day, month and year of a date in the Gregorian calendar (a range by its mean year); 0 for an
// unknown part. exact: day, month and year known with no qualifier.
bool JourMoisAnnee(const TDateKY& date, int& jour, int& mois, int& annee, bool& exact) {
  jour = mois = annee = 0;
  if (date.DateVide() || !date.CalculDatePossible()) return false;
  TDateKY d = date;
  const bool fourchette = d.DateFormatFourchette();
  if (fourchette && !d.CalculDateMoyenneFourchette(true)) return false;
  if (!d.DateFormatGregorien()) d.ConvVersGregInterne();
  RecupJourMoisAnnee(d.Texte(), &jour, &mois, &annee);
  exact = !fourchette && jour > 0 && mois > 0 && annee > 0 && date.ActeVide();
  return annee > 0;
}

// Whole years from a date to another; -1 when not computable.
int Annees(const TDateKY& depuis, int jourRef, int moisRef, int anneeRef, bool& exact) {
  int j = 0, m = 0, a = 0;
  if (!JourMoisAnnee(depuis, j, m, a, exact)) return -1;
  int age = anneeRef - a;
  if (m > 0 && moisRef > 0 && (moisRef < m || (moisRef == m && j > 0 && jourRef < j))) --age;
  return age < 0 ? -1 : age;
}

UnicodeString TexteAge(int age, bool exact) {
  UnicodeString texte = U(std::to_string(age)) + (age > 1 ? u" ans" : u" an");
  return exact ? texte : texte + u" environ";
}

UnicodeString Annee(const TEvenement* e) {
  int j = 0, m = 0, a = 0;
  bool exact = false;
  if (!e || !JourMoisAnnee(e->Enreg.Date, j, m, a, exact)) return u"?";
  return U(std::to_string(a));
}

}  // namespace

UnicodeString TPerson::ChargeNomPrenom() const {
  const UnicodeString texte = Rogne(Public.Nom + u" " + Public.Prenoms);
  return texte.empty() ? u"(sans nom)" : texte;
}

UnicodeString TPerson::ChargeSexe() const {
  if (EstHomme()) return u"Masculin";
  if (EstFemme()) return u"Féminin";
  return u"Inconnu";
}

UnicodeString TPerson::ChargeRubrique(int position) {
  const TEvenement* e = EvenNo(position);
  if (!e) return {};
  const TDefChpsCs* defs = Definitions();
  const AnsiString ecran = defs ? defs->RetourneLibelleEcran(e->Enreg.LibelleChamps) : AnsiString();
  UnicodeString texte = AnsiVersUnicode(ecran.empty() ? e->Enreg.LibelleChamps : ecran);
  const UnicodeString detail = ChargeEven(e->Enreg.LibelleChamps, e->NoConjoint(numero_));
  return detail.empty() ? texte : texte + u" : " + detail;
}

UnicodeString TPerson::ChargeEven(std::string_view libelle, long conjoint) {
  const TEvenement* e = GetEvent(libelle, conjoint);
  if (!e) return {};
  UnicodeString texte = U(RedigeDateEven(e->Enreg.Date));
  const auto ajoute = [&texte](const UnicodeString& morceau) { texte += (texte.empty() ? u"" : u" ") + morceau; };
  TGestFichier* dossier = Dossier();
  if (TFicDupli* lieux = dossier ? dossier->GetFicLieux() : nullptr; lieux && e->Enreg.Lieu > 0)
    if (const UnicodeString lieu = lieux->Charge(e->Enreg.Lieu); !lieu.empty()) ajoute(u"à " + lieu);
  if (!e->Enreg.LieuDit.empty()) ajoute(u"(" + e->Enreg.LieuDit + u")");
  if (!e->Enreg.Donnee.empty()) ajoute(texte.empty() ? e->Enreg.Donnee : u": " + e->Enreg.Donnee);
  return texte;
}

UnicodeString TPerson::ChargeChpAutre(std::string_view libelle) {
  UnicodeString texte;
  for (const UnicodeString& v : ValeursChpsSimple(libelle)) texte += (texte.empty() ? u"" : u", ") + v;
  return texte;
}

UnicodeString TPerson::ChargeChamps(std::string_view nom, long conjoint) {
  if (nom == "###FORME###") return EstHomme() ? u"Monsieur" : EstFemme() ? u"Madame" : u"Madame, Monsieur";
  const auto evenement = [this, conjoint](TEvenement* e) -> UnicodeString {
    return e ? ChargeEven(e->Enreg.LibelleChamps, e->NoConjoint(numero_) != 0 ? e->NoConjoint(numero_) : conjoint)
             : UnicodeString();
  };
  if (nom == "NAIS#_EQ") return evenement(GetEvenNaissance());
  if (nom == "DEC#_EQ") return evenement(GetEvenDeces());
  if (nom == "MAR#_EQ") return evenement(GetEvenUnionOuEquivalent(conjoint));
  const TDefChpsCs* defs = Definitions();
  const TChpCs* def = defs ? defs->RechercheChampsInternePtr(nom) : nullptr;
  if (!def) return {};
  switch (def->Type) {
    case tcNom:
      return Public.Nom;
    case tcPrenom:
      return Public.Prenoms;
    case tcSexe:
      return ChargeSexe();
    default:
      break;
  }
  const long conj = def->IsLiaisonCouple() ? conjoint : -1;
  if (def->IsEvenement()) return ChargeEven(nom, conj);
  if (!AssureFiche()) return {};
  UnicodeString texte;
  for (const TChpsSimpleTV& tv : fiche_.ChpsSimples)
    if (tv.Chps.IsLibelleChamps(nom) && (conj < 0 || tv.Chps.NoConjoint(numero_) == conj))
      texte += (texte.empty() ? u"" : u", ") + tv.Chps.Enreg.Donnee;
  return texte;
}

std::vector<UnicodeString> TPerson::ChargeCitations() {
  std::vector<UnicodeString> lignes;
  TModuleBDD* bdd = Bdd();
  if (!bdd) return lignes;
  const TDefChpsCs* defs = Definitions();
  // In the order of time, then of the holder: the same whatever order the events were stored in.
  struct TCitation {
    TDateKY date;
    long titulaire;
    long id;
    UnicodeString ligne;
  };
  std::vector<TCitation> citations;
  for (const long id : GetCitations()) {
    TEvenement e(bdd);
    if (!bdd->LectureEven(e, id)) continue;
    const AnsiString ecran = defs ? defs->RetourneLibelleEcran(e.Enreg.LibelleChamps) : AnsiString();
    UnicodeString ligne = AnsiVersUnicode(ecran.empty() ? e.Enreg.LibelleChamps : ecran) + u" de ";
    const TPerson titulaire(fichier_, e.Enreg.NoPersA);
    ligne += titulaire.ChargeNomPrenom() + u" (" + U(std::to_string(e.Enreg.NoPersA)) + u")";
    if (const std::string date = RedigeDateEven(e.Enreg.Date); !date.empty()) ligne += u" : " + U(date);
    citations.push_back({e.Enreg.Date, static_cast<long>(e.Enreg.NoPersA), id, std::move(ligne)});
  }
  std::sort(citations.begin(), citations.end(), [](const TCitation& a, const TCitation& b) {
    if (a.date < b.date) return true;
    if (b.date < a.date) return false;
    return a.titulaire != b.titulaire ? a.titulaire < b.titulaire : a.id < b.id;
  });
  for (TCitation& c : citations) lignes.push_back(std::move(c.ligne));
  return lignes;
}

UnicodeString TPerson::ChargeProfessions() {
  UnicodeString texte;
  for (const UnicodeString& p : GetToutesProfession()) texte += (texte.empty() ? u"" : u", ") + p;
  return texte;
}

UnicodeString TPerson::InfoLigne() {
  UnicodeString texte = ChargeNomPrenom();
  const TDefChpsCs* defs = Definitions();
  const auto partie = [&](TEvenement* e, const char* masculin, const char* feminin) {
    if (!e) return;
    const TChpCs* def = defs ? defs->RechercheChampsInternePtr(e->Enreg.LibelleChamps) : nullptr;
    AnsiString mot = def ? (EstFemme() && !def->MotFeminin.empty() ? def->MotFeminin : def->MotMasculin) : AnsiString();
    if (mot.empty()) mot = A(EstFemme() ? feminin : masculin);
    UnicodeString motU = AnsiVersUnicode(mot);
    if (!motU.empty()) motU[0] = MinusculeUnicode(motU[0]);
    const UnicodeString detail = ChargeEven(e->Enreg.LibelleChamps);
    texte += u", " + motU + (detail.empty() ? u"" : u" " + detail);
  };
  partie(GetEvenNaissance(), "né", "née");
  partie(GetEvenDeces(), "décédé", "décédée");
  return texte;
}

UnicodeString TPerson::InfoLigneAllege() {
  TEvenement* naissance = GetEvenNaissance();
  TEvenement* deces = GetEvenDeces();
  if (!naissance && !deces) return ChargeNomPrenom();
  return ChargeNomPrenom() + u" (" + Annee(naissance) + u"-" + Annee(deces) + u")";
}

UnicodeString TPerson::InfoNaisDecSymb() {
  const TDefChpsCs* defs = Definitions();
  UnicodeString texte;
  const auto partie = [&](TEvenement* e, const char* symboleParDefaut) {
    if (!e) return;
    const TChpCs* def = defs ? defs->RechercheChampsInternePtr(e->Enreg.LibelleChamps) : nullptr;
    const AnsiString symbole = def && !def->Symbole.empty() ? def->Symbole : A(symboleParDefaut);
    UnicodeString morceau = AnsiVersUnicode(symbole) + u" " + Annee(e);
    TGestFichier* dossier = Dossier();
    if (TFicDupli* lieux = dossier ? dossier->GetFicLieux() : nullptr; lieux && e->Enreg.Lieu > 0)
      if (const UnicodeString lieu = lieux->Charge(e->Enreg.Lieu); !lieu.empty()) morceau += u" " + lieu;
    texte += (texte.empty() ? u"" : u" - ") + morceau;
  };
  partie(GetEvenNaissance(), "°");
  partie(GetEvenDeces(), "+");
  return texte;
}

UnicodeString TPerson::GetAgeAujourdhui() {
  const TEvenement* naissance = GetEvenNaissance();
  if (!naissance || GetEvenDeces()) return {};
  const TDateDecodee jour = DecodeDateHeure(Aujourdhui());
  bool exact = false;
  const int age = Annees(naissance->Enreg.Date, jour.jour, jour.mois, jour.annee, exact);
  return age >= 0 && exact ? TexteAge(age, true) : UnicodeString();
}

UnicodeString TPerson::GetAgeAujourdhuiEstime() {
  const TEvenement* naissance = GetEvenNaissance();
  if (!naissance || GetEvenDeces()) return {};
  const TDateDecodee jour = DecodeDateHeure(Aujourdhui());
  bool exact = false;
  const int age = Annees(naissance->Enreg.Date, jour.jour, jour.mois, jour.annee, exact);
  return age >= 0 ? TexteAge(age, exact) : UnicodeString();
}

std::vector<UnicodeString> TPerson::GetAgesLorsDesUnions() {
  std::vector<UnicodeString> ages;
  const TEvenement* naissance = GetEvenNaissance();
  if (!naissance || !AssureFiche()) return ages;
  const TDefChpsCs* defs = Definitions();
  for (const int position : ClassementChronoEven()) {
    const TEvenement& e = fiche_.Evenements[static_cast<size_t>(position)].Even;
    const bool union_ = defs ? defs->IsEvenUnion(e.Enreg.LibelleChamps) : e.IsLibelleChamps(kLibelleUnion);
    int j = 0, m = 0, a = 0;
    bool exactUnion = false, exactNaissance = false;
    if (!union_ || !JourMoisAnnee(e.Enreg.Date, j, m, a, exactUnion)) continue;
    const int age = Annees(naissance->Enreg.Date, exactUnion ? j : 0, exactUnion ? m : 0, a, exactNaissance);
    if (age >= 0) ages.push_back(TexteAge(age, exactUnion && exactNaissance));
  }
  return ages;
}

int TPerson::GetStateEvent(std::string_view libelle, long conjoint) {
  const TEvenement* e = GetEvent(libelle, conjoint);
  if (!e) return 0;
  if (e->Enreg.Date.DateVide()) return 1;
  return e->LieuVide() ? 2 : 3;
}

}  // namespace kyb
