// TCondition::Satisfaite: a condition tested on one person (search/condition.h).
//
// Ready-made conditions left to this library to define:
// - "Vivant": no event of death or burial (nor any post-mortem event), and no birth, baptism or
//   oldest event dated more than kAgeMaxVivant years before today. "Décédé" is its negation.
// - Birthdays: day and month of the birth (of a union for the wedding anniversary) against
//   today's; "ce jour" needs both, "ce mois" the month only.
// - "Jumeaux": a brother or sister (a child of the father or of the mother) born on the same
//   known day.
// - Places: the place text of the value table; the commune is its first piece (pieces separated
//   by ","), the département its second.
// - "ascendance de": value 1 is a person number; the person is one of that person's ancestors
//   through the displayed parents.
// - Tree-box kinds read the flags the caller gives in TDonneeDocBase.
#include <algorithm>
#include <deque>
#include <string>
#include <vector>

#include "dates/calcjours.h"
#include "fields/csdefchps.h"
#include "folder/fic_dupli.h"
#include "folder/gest_fic.h"
#include "folder/gest_fic_pers.h"
#include "folder/gest_fic_sosa.h"
#include "persons/gest_pers.h"
#include "platform/date_heure.h"
#include "search/condition.h"

namespace kyb {

namespace {

constexpr int kAgeMaxVivant = 110;

TGestFichier* DossierDe(const TPerson& p) { return p.Fichier() ? p.Fichier()->Dossier() : nullptr; }

UnicodeString Texte(long n) { return AnsiVersUnicode(std::to_string(n)); }

UnicodeString DateExport(const TDateKY& d) { return d.DateVide() ? UnicodeString() : AnsiVersUnicode(d.ExportInString()); }

UnicodeString TexteLieu(const TPerson& p, const TEvenement& e) {
  const TGestFichier* g = DossierDe(p);
  TFicDupli* lieux = g ? g->GetFicLieux() : nullptr;
  return lieux && e.Enreg.Lieu > 0 ? lieux->Charge(e.Enreg.Lieu) : UnicodeString();
}

// Piece n of a place text (pieces separated by ","), trimmed.
UnicodeString Piece(const UnicodeString& lieu, int n) {
  size_t debut = 0;
  for (int i = 0; i < n; ++i) {
    debut = lieu.find(u',', debut);
    if (debut == UnicodeString::npos) return {};
    ++debut;
  }
  return Rogne(std::u16string_view(lieu).substr(debut, lieu.find(u',', debut) - debut));
}

const TDefChpsCs* Definitions(const TPerson& p) {
  const TGestFichier* g = DossierDe(p);
  return g ? g->GetDefChpsCs() : nullptr;
}

bool EstNaissance(const TPerson& p, const AnsiString& libelle) {
  const TDefChpsCs* d = Definitions(p);
  return d ? d->EquivNaissance.Libelle == libelle : libelle == kLibelleNaissance;
}

bool EstUnion(const TPerson& p, const AnsiString& libelle) {
  const TDefChpsCs* d = Definitions(p);
  return d ? d->EquivUnion.Libelle == libelle : libelle == kLibelleUnion;
}

bool EstDeces(const TPerson& p, const AnsiString& libelle) {
  const TDefChpsCs* d = Definitions(p);
  if (!d) return libelle == kLibelleDeces || libelle == kLibelleInhumation;
  if (d->IsEvenDeces(libelle)) return true;
  const TChpCs* c = d->RechercheChampsInternePtr(libelle);
  return c && c->PostMortem;
}

const TEvenement* Premier(TPerson& p, bool (*filtre)(const TPerson&, const AnsiString&)) {
  p.LectureComplementaire();
  for (const TEvenementTV& e : p.Fiche().Evenements)
    if (filtre(p, e.Even.Enreg.LibelleChamps)) return &e.Even;
  return nullptr;
}

const TEvenement* Naissance(TPerson& p) { return Premier(p, EstNaissance); }

int Annee(const TDateKY& d) {
  int j = 0, m = 0, a = 0;
  d.ExtractJourMoisAnnee(j, m, a, false);
  return a > 0 && a < kDateIncalculable ? a : 0;
}

// Oldest (plus: newest) dated event of the person.
TDateKY Extreme(TPerson& p, bool recent) {
  p.LectureComplementaire();
  TDateKY r;
  for (const TEvenementTV& e : p.Fiche().Evenements) {
    const TDateKY& d = e.Even.Enreg.Date;
    if (d.DateVide()) continue;
    if (r.DateVide() || (recent ? r < d : d < r)) r = d;
  }
  return r;
}

bool PresumeVivant(TPerson& p) {
  p.LectureComplementaire();
  for (const TEvenementTV& e : p.Fiche().Evenements)
    if (EstDeces(p, e.Even.Enreg.LibelleChamps)) return false;
  const TDateDecodee aujourdhui = DecodeDateHeure(Aujourdhui());
  const TEvenement* n = Naissance(p);
  int annee = n ? Annee(n->Enreg.Date) : 0;
  if (!annee) annee = Annee(Extreme(p, false));
  return !annee || aujourdhui.annee - annee <= kAgeMaxVivant;
}

// Day and month of the date against today's (jour: the day too).
bool Anniversaire(const TDateKY& d, bool jour) {
  int j = 0, m = 0, a = 0;
  d.ExtractJourMoisAnnee(j, m, a, false);
  const TDateDecodee t = DecodeDateHeure(Aujourdhui());
  if (m != t.mois) return false;
  return !jour || j == t.jour;
}

bool Jumeaux(TPerson& p) {
  const TEvenement* n = Naissance(p);
  if (!n || !n->Enreg.Date.DateExacte()) return false;
  const TDateKY date = n->Enreg.Date;
  for (const long parent : {static_cast<long>(p.Public.Pere.No), static_cast<long>(p.Public.Mere.No)}) {
    if (parent <= 0) continue;
    const TPerson parentP(p.Fichier(), parent);
    for (const long enfant : parentP.GetVectorEnfants()) {
      if (enfant == p.Numero() || enfant <= 0) continue;
      TPerson frere(p.Fichier(), enfant);
      const TEvenement* nf = Naissance(frere);
      if (nf && nf->Enreg.Date.DateExacte() && CompareDate(nf->Enreg.Date, date) == 0) return true;
    }
  }
  return false;
}

UnicodeString SosaTexte(const TPerson& p) {
  const TGestFichier* g = DossierDe(p);
  TFicSosas* sosas = g ? g->GetFicSosas() : nullptr;
  return sosas ? AnsiVersUnicode(sosas->ChargeNoStrado(p.Numero(), nullptr, false)) : UnicodeString();
}

// Generation of the Sosa number: 1 for 1, 2 for 2 and 3... ("" without number).
UnicodeString Generation(const TPerson& p) {
  const TGestFichier* g = DossierDe(p);
  TFicSosas* sosas = g ? g->GetFicSosas() : nullptr;
  if (!sosas) return {};
  NTL::ZZ n;
  (void)sosas->ChargeNoStrado(p.Numero(), &n, false);
  return n > 0 ? Texte(NTL::NumBits(n)) : UnicodeString();
}

UnicodeString AgeDeces(TPerson& p) {
  const TEvenement* n = Naissance(p);
  const TEvenement* d = Premier(p, [](const TPerson& q, const AnsiString& l) {
    const TDefChpsCs* defs = Definitions(q);
    return defs ? defs->EquivDeces.Libelle == l : l == kLibelleDeces;
  });
  if (!n || !d || n->Enreg.Date.DateVide() || d->Enreg.Date.DateVide()) return {};
  int annees = 0;
  bool inverse = false;
  if (CalcJours(n->Enreg.Date, d->Enreg.Date, &annees, false, &inverse) == kDateIncalculable || inverse) return {};
  return Texte(annees);
}

// The simple fields of that label joined by ",".
UnicodeString ChampsSimples(TPerson& p, const AnsiString& libelle) {
  p.LectureComplementaire();
  UnicodeString r;
  for (const TChpsSimpleTV& c : p.Fiche().ChpsSimples)
    if (c.Chps.Enreg.LibelleChamps == libelle) r += (r.empty() ? u"" : u",") + c.Chps.Enreg.Donnee;
  return r;
}

UnicodeString ValeurPersonne(TPerson& p, const AnsiString& libelle) {
  if (libelle == "NOM") return p.Public.Nom;
  if (libelle == "PRENOM") return p.Public.Prenoms;
  if (libelle == "SEXE") return UnicodeString(1, static_cast<char16_t>(p.Public.Sexe));
  if (libelle == "PERE") return p.Public.Pere.No > 0 ? Texte(p.Public.Pere.No) : UnicodeString();
  if (libelle == "MERE") return p.Public.Mere.No > 0 ? Texte(p.Public.Mere.No) : UnicodeString();
  if (libelle == "NOSOSA") return SosaTexte(p);
  return ChampsSimples(p, libelle);
}

UnicodeString ValeurEvenement(const TPerson& p, TEvenement& e, char morceau) {
  switch (morceau) {
    case 'D': return DateExport(e.Enreg.Date);
    case 'L': return TexteLieu(p, e);
    case 'P': return e.Enreg.LieuDit;
    default: return e.Enreg.Donnee;
  }
}

// Places of the person's events, as the piece asked (-1: the whole text).
bool UnLieu(TPerson& p, int piece, const TCondition& c) {
  p.LectureComplementaire();
  for (const TEvenementTV& e : p.Fiche().Evenements) {
    const UnicodeString lieu = TexteLieu(p, e.Even);
    if (!lieu.empty() && c.TestValeur(piece < 0 ? lieu : Piece(lieu, piece), tbTexte)) return true;
  }
  return false;
}

}  // namespace

bool TCondition::Satisfaite(TPerson& p, const TDonneeDocBase* doc, int source, int even) const {
  if (!IsCondSimpleBool(Type)) {
    if (Operateur < 0 || Operateur >= kNbOperateurs) return false;
    if (Operateur == opEntre && (Rogne(Valeur1.Valeur).empty() || Rogne(Valeur2.Valeur).empty())) return false;
    if (Operateur != opEntre && Operateur != opVide && Operateur != opNonVide && Rogne(Valeur1.Valeur).empty())
      return false;
  }
  if (Operateur == opAscendanceDe && !IsCondSimpleBool(Type)) return EstAscendant(p);
  if (Type != csChamp) return SatisfaiteCondSimple(p, doc);
  if (Champ.SurRelationPrivilegiee()) return SatisfaiteCondRelPriv(doc);
  if ((Champ.SurEvenement() && even < 0) || (Champ.SurSource() && (even < 0 || source < 0)))
    return SatisfaiteCondEven(p);
  return SatisfaiteCond(p, source, even);
}

bool TCondition::SatisfaiteCondRelPriv(const TDonneeDocBase* doc) const { return doc && doc->RelationPrivilegiee; }

bool TCondition::SatisfaiteCondEven(TPerson& p) const {
  p.LectureComplementaire();
  const int nb = p.Fiche().GetNbInfoEven();
  bool vu = false;
  for (int i = 0; i < nb; ++i) {
    TEvenement& e = p.Fiche().Evenements[i].Even;
    if (e.Enreg.LibelleChamps != Champ.Libelle) continue;
    if (!Champ.SurSource()) {
      vu = true;
      if (SatisfaiteCond(p, -1, i)) return true;
      continue;
    }
    const int nbSources = std::min(e.CountSource(), 50);
    for (int s = 0; s < nbSources; ++s) {
      vu = true;
      if (SatisfaiteCond(p, s, i)) return true;
    }
  }
  // A person without such an event has an empty value ("vide" holds, "différent de" too).
  return !vu && SatisfaiteCond(p, -2, -2);
}

bool TCondition::SatisfaiteCond(TPerson& p, int source, int even) const {
  UnicodeString valeur;
  if (even >= 0 && even < p.Fiche().GetNbInfoEven()) {
    TEvenement& e = p.Fiche().Evenements[even].Even;
    if (Champ.SurSource()) {
      if (source >= 0 && source < e.CountSource()) valeur = e.Sources()[source].Descriptif;
    } else {
      valeur = ValeurEvenement(p, e, Champ.Morceau);
    }
  } else if (even != -2) {
    valeur = ValeurPersonne(p, Champ.Libelle);
  }
  if (TestValeur(valeur, Champ.Basic)) return true;
  if (!Champ.OuiNon()) return false;
  // A yes/no field answered "O" or "N" is tried again as "Oui" or "Non".
  const UnicodeString v = MajusculesUnicode(Rogne(Valeur1.Valeur));
  if (v != u"O" && v != u"N") return false;
  TCondition autre(this);
  autre.Valeur1.Valeur = v == u"O" ? u"Oui" : u"Non";
  return autre.TestValeur(valeur, Champ.Basic);
}

bool TCondition::SatisfaiteCondSimple(TPerson& p, const TDonneeDocBase* doc) const {
  switch (Type) {
    case csNom: return TestValeur(p.Public.Nom, tbTexte);
    case csPrenom: {
      UnicodeString prenoms = p.Public.Prenoms;
      std::replace(prenoms.begin(), prenoms.end(), u' ', u',');
      return TestValeur(prenoms, tbTexte);
    }
    case csProfession: {
      UnicodeString professions;
      for (const UnicodeString& x : p.GetToutesProfession()) professions += (professions.empty() ? u"" : u",") + x;
      return TestValeur(professions, tbTexte);
    }
    case csHomme: return p.EstHomme();
    case csFemme: return p.EstFemme();
    case csVivant: return PresumeVivant(p);
    case csDecede: return !PresumeVivant(p);
    case csNaissanceDepartement: {
      const TEvenement* n = Naissance(p);
      return TestValeur(n ? Piece(TexteLieu(p, *n), 1) : UnicodeString(), tbTexte);
    }
    case csNaissanceDate: {
      const TEvenement* n = Naissance(p);
      return TestValeur(n ? DateExport(n->Enreg.Date) : UnicodeString(), tbDate);
    }
    case csEvenCommune: return UnLieu(p, 0, *this);
    case csEvenDepartement: return UnLieu(p, 1, *this);
    case csEvenLieu: return UnLieu(p, -1, *this);
    case csNoGenealogique: return TestValeur(Texte(p.Numero()), tbNombre);
    case csNoGeneration: return TestValeur(Generation(p), tbNombre);
    case csNoSosa: return TestValeur(SosaTexte(p), tbNombre);
    case csAgeDeces: return TestValeur(AgeDeces(p), tbNombre);
    case csCaseCitee: return p.Public.TypePersonne == 'T' || !p.GetCitations().empty();
    case csCaseSelectionnee: case csCaseImplexe: case csCaseAscendance: case csCaseDescendance:
    case csCaseConjointDescendance: case csCaseFratrieAscendants: case csCaseInversee: case csCaseVide:
    case csCaseNonVide: case csCaseCentrale:
      return doc && doc->Cases.count(Type);
    case csAnniversaireJour: case csAnniversaireMois: {
      const TEvenement* n = Naissance(p);
      return n && Anniversaire(n->Enreg.Date, Type == csAnniversaireJour);
    }
    case csAnniversaireMariageJour: case csAnniversaireMariageMois: {
      p.LectureComplementaire();
      for (const TEvenementTV& e : p.Fiche().Evenements)
        if (EstUnion(p, e.Even.Enreg.LibelleChamps) && Anniversaire(e.Even.Enreg.Date, Type == csAnniversaireMariageJour))
          return true;
      return false;
    }
    case csJumeaux: return Jumeaux(p);
    case csEvenPlusAncien: return TestValeur(DateExport(Extreme(p, false)), tbDate);
    case csEvenPlusRecent: return TestValeur(DateExport(Extreme(p, true)), tbDate);
    case csFicheVide: return p.FicheVide();
    case csEnfantsAdoptes: return p.IsAdopt();
    case csParentsAdoptifs: return p.HasEnfAdop();
    default: return TestValeur(UnicodeString(), tbTexte);
  }
}

bool TCondition::EstAscendant(TPerson& p) const {
  const UnicodeString cle = Rogne(Valeur1.Valeur);
  auto it = ascendances_.find(cle);
  if (it == ascendances_.end()) {
    std::set<long> ancetres;
    double n = 0;
    const std::string texte = UnicodeVersUtf8(cle);
    char* fin = nullptr;
    n = std::strtod(texte.c_str(), &fin);
    TFicPersons* fichier = p.Fichier();
    if (fichier && fin && *fin == 0 && n >= 1 && n <= fichier->NbPersEffective()) {
      std::deque<long> aVoir = {static_cast<long>(n)};
      while (!aVoir.empty()) {
        const TPerson q(fichier, aVoir.front());
        aVoir.pop_front();
        for (const long parent : {static_cast<long>(q.Public.Pere.No), static_cast<long>(q.Public.Mere.No)})
          if (parent > 0 && ancetres.insert(parent).second) aVoir.push_back(parent);
      }
    }
    it = ascendances_.emplace(cle, std::move(ancetres)).first;
  }
  return it->second.count(p.Numero()) > 0;
}

}  // namespace kyb
