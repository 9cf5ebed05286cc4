// Reading a typed condition (search/saisie_condition.h).
#include "search/saisie_condition.h"

#include <algorithm>
#include <vector>

#include "fields/csdefchps.h"

namespace kyb {

namespace {

UnicodeString Maj(const UnicodeString& t) { return MajusculesUnicode(t); }

// texte begins with mot (case ignored) followed by a blank or the end; the rest after it.
bool Prefixe(const UnicodeString& texte, const UnicodeString& mot, UnicodeString& reste) {
  if (texte.size() < mot.size() || Maj(texte.substr(0, mot.size())) != Maj(mot)) return false;
  if (texte.size() > mot.size() && texte[mot.size()] != u' ') return false;
  reste = Rogne(std::u16string_view(texte).substr(mot.size()));
  return true;
}

// The operator label that begins texte (the longest: "non vide" before "vide").
int Operateur(const UnicodeString& texte, UnicodeString& reste) {
  int meilleur = -1;
  size_t longueur = 0;
  for (int op = 0; op < kNbOperateurs; ++op) {
    UnicodeString r;
    const UnicodeString l = RetOperateur(op);
    if (l.size() > longueur && Prefixe(texte, l, r)) {
      meilleur = op;
      longueur = l.size();
      reste = r;
    }
  }
  return meilleur;
}

bool DeuxValeurs(const UnicodeString& texte, UnicodeString& a, UnicodeString& b) {
  for (const char16_t* sep : {u" - ", u" et ", u" ET "}) {
    const size_t p = texte.find(sep);
    if (p != UnicodeString::npos) {
      a = Rogne(std::u16string_view(texte).substr(0, p));
      b = Rogne(std::u16string_view(texte).substr(p + std::char_traits<char16_t>::length(sep)));
      return !a.empty() && !b.empty();
    }
  }
  const size_t p = texte.find(u' ');
  if (p == UnicodeString::npos) return false;
  a = Rogne(std::u16string_view(texte).substr(0, p));
  b = Rogne(std::u16string_view(texte).substr(p + 1));
  return !a.empty() && !b.empty() && b.find(u' ') == UnicodeString::npos;
}

// The field of a typed label ("NAISSANCE.date"); false when the genealogy has no such field.
bool Champ(const UnicodeString& mot, const TDefChpsCs* defs, TChampBase& champ, std::string& erreur) {
  const size_t point = mot.find(u'.');
  const AnsiString libelle = UnicodeVersAnsi(Maj(mot.substr(0, point)));
  const UnicodeString morceau = point == UnicodeString::npos ? UnicodeString() : Maj(mot.substr(point + 1));
  static const std::vector<AnsiString> kPersonne = {"NOM", "PRENOM", "SEXE", "PERE", "MERE", "NOSOSA"};
  const TChpCs* def = defs ? defs->RechercheChampsInternePtr(libelle) : nullptr;
  if (!def && defs) def = defs->RechercheChampsLibelleEcranPtr(UnicodeVersAnsi(mot.substr(0, point)));
  const bool personne = std::find(kPersonne.begin(), kPersonne.end(), libelle) != kPersonne.end();
  if (!def && !personne) {
    erreur = "champ inconnu « " + UnicodeVersUtf8(mot.substr(0, point)) + " »";
    return false;
  }
  champ = TChampBase(def ? def->LibelleInterne : libelle, 'F', tbTexte, TSituationChamp::Personne);
  if (personne) {
    if (libelle == "PERE" || libelle == "MERE" || libelle == "NOSOSA") champ.Basic = tbNombre;
  } else if (def->IsEvenement()) {
    champ.Situation = TSituationChamp::Evenement;
  } else if (def->Type == tcNombre) {
    champ.Basic = tbNombre;
  } else if (def->Type == tcDate) {
    champ.Basic = tbDate;
  } else if (def->IsBooleen()) {
    champ.Morceau = 'V';
  }
  if (morceau.empty()) return true;
  if (!champ.SurEvenement()) {
    erreur = "le champ « " + AnsiVersUtf8(champ.Libelle) + " » n'est pas un évènement : pas de « ." +
             UnicodeVersUtf8(mot.substr(point + 1)) + " »";
    return false;
  }
  if (morceau == u"DATE") {
    champ.Morceau = 'D';
    champ.Basic = tbDate;
  } else if (morceau == u"LIEU") {
    champ.Morceau = 'L';
  } else if (morceau == u"LIEUDIT") {
    champ.Morceau = 'P';
  } else if (morceau == u"SOURCE") {
    champ.Morceau = 'S';
    champ.Situation = TSituationChamp::Source;
  } else if (morceau != u"DONNEE") {
    erreur = "partie inconnue « ." + UnicodeVersUtf8(mot.substr(point + 1)) +
             " » (attendu : date, lieu, lieudit, source, donnee)";
    return false;
  }
  return true;
}

}  // namespace

bool LitCondition(const UnicodeString& brut, const TDefChpsCs* defs, TCondition& c, std::string& erreur) {
  c = TCondition();
  const UnicodeString texte = Rogne(brut);
  if (texte.empty()) {
    erreur = "condition vide";
    return false;
  }
  // A ready-made condition, the longest label first.
  int meilleure = -1;
  UnicodeString reste;
  for (int pos = 0, lg = 0; pos < RetNbCondSimple(); ++pos) {
    UnicodeString r;
    const UnicodeString l = RetConditionSimple(pos);
    if (static_cast<int>(l.size()) > lg && Prefixe(texte, l, r)) {
      meilleure = pos;
      lg = static_cast<int>(l.size());
      reste = r;
    }
  }
  if (meilleure >= 0) {
    c.Type = RetConditionSimpleObj(meilleure);
    if (IsCondSimpleBool(c.Type)) {
      if (!reste.empty()) {
        erreur = "« " + UnicodeVersUtf8(RetConditionSimple(meilleure)) + " » ne prend pas de valeur";
        return false;
      }
      return true;
    }
  } else {
    const size_t blanc = texte.find(u' ');
    if (!Champ(texte.substr(0, blanc), defs, c.Champ, erreur)) return false;
    reste = blanc == UnicodeString::npos ? UnicodeString() : Rogne(std::u16string_view(texte).substr(blanc));
  }
  if (reste.empty()) {
    erreur = "opérateur manquant après « " + UnicodeVersUtf8(texte) + " »";
    return false;
  }
  UnicodeString valeurs;
  c.Operateur = Operateur(reste, valeurs);
  if (c.Operateur < 0) {
    const size_t blanc = reste.find(u' ');
    erreur = "opérateur inconnu « " + UnicodeVersUtf8(reste.substr(0, blanc)) +
             " » (attendu : égal à, commence par, termine par, différent de, entre, plus grand ou égal à, "
             "plus petit ou égal à, vide, non vide, contenant, ascendance de)";
    return false;
  }
  if (c.Operateur == opVide || c.Operateur == opNonVide) {
    if (valeurs.empty()) return true;
    erreur = "« " + UnicodeVersUtf8(RetOperateur(c.Operateur)) + " » ne prend pas de valeur";
    return false;
  }
  if (c.Operateur == opEntre) {
    UnicodeString a, b;
    if (!DeuxValeurs(valeurs, a, b)) {
      erreur = "« entre » demande deux valeurs (par exemple : entre 1850 1860)";
      return false;
    }
    c.Valeur1 = TChampBase(a);
    c.Valeur2 = TChampBase(b);
    return true;
  }
  if (valeurs.empty()) {
    erreur = "valeur manquante après « " + UnicodeVersUtf8(RetOperateur(c.Operateur)) + " »";
    return false;
  }
  c.Valeur1 = TChampBase(valeurs);
  return true;
}

}  // namespace kyb
