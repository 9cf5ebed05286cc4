// French wordings of dates.
#include "dates/redigedate.h"

#include <algorithm>
#include <utility>

#include "dates/analysedate.h"
#include "dates/calendrier_civil.h"
#include "dates/convrepublicain.h"
#include "dates/nomsmois.h"

namespace kyb {
namespace {

// Texts written in UTF-8 source, handed out in Windows-1252.
const AnsiString& Phrase(int n) {
  static const AnsiString textes[] = {
      A("Durant le deuxième mois de l'hiver"),    A("Durant le troisième mois de l'hiver"),
      A("Durant le deuxième mois du printemps"),  A("Durant le troisième mois du printemps"),
      A("Au cours des premiers jours de l'été"),  A("Durant le deuxième mois de l'été"),
      A("Durant le troisième mois de l'été"),     A("Au cours des premiers jours de l'automne"),
      A("Durant le deuxième mois de l'automne"),  A("Durant le troisième mois de l'automne"),
      A("de l'hiver"), A("du printemps"), A("de l'été"), A("de l'automne"),
      A("Saison inconnue"),
      A("Dernier jour "), A("Avant-dernier jour "), A("Au cours des derniers jours "),
      A("Durant le dernier mois "),
      A("Premier jour "), A("Deuxième jour "), A("Troisième jour "),
      A("Au cours des premiers jours "),
      A("après"), A("peut-être"), A(" av. J.-C."),
      A(" jour complémentaire de "), A("les jours complémentaires de "), A("pendant ")};
  return textes[n];
}

enum : int {
  kSaisonNom = 10,
  kSaisonInconnue = 14,
  kDernierJour = 15,
  kAvantDernierJour,
  kDerniersJours,
  kDernierMois,
  kPremierJour,
  kDeuxiemeJour,
  kTroisiemeJour,
  kPremiersJours,
  kApres,
  kPeutEtre,
  kAvantJC,
  kJourComplementaire,
  kJoursComplementaires,
  kPendant
};

// Whole months: phrase index and season (0 winter .. 3 autumn); -1 for the months of a change.
constexpr int kPhraseMois[13] = {-1, 0, 1, -1, 2, 3, -1, 5, 6, -1, 8, 9, -1};
constexpr int kSaisonMois[13] = {-1, 0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3};

AnsiString SansZeros(std::string_view t) {
  while (t.size() > 1 && t.front() == '0') t.remove_prefix(1);
  return AnsiString(t);
}

AnsiString Majuscule(AnsiString t, bool majuscule) {
  if (majuscule && !t.empty()) t[0] = MajusculeAnsi(t[0]);
  return t;
}

// Months of a Hebrew year: 13 in years 0, 3, 6, 8, 11, 14 and 17 of the 19-year cycle.
bool AnneeHebraiqueEmbolismique(int annee) noexcept {
  switch (annee % 19) {
    case 0: case 3: case 6: case 8: case 11: case 14: case 17: return true;
    default: return false;
  }
}

// Name of a Hebrew month; month 6 is "Adar" unless the year is known to have 13 months.
AnsiString MoisHebreu(int mois, int annee) {
  if (mois == 6 && !(annee != 0 && AnneeHebraiqueEmbolismique(annee))) return "Adar";
  return RetourneMensualiteHeb(mois);
}

// The known parts of a point date in words, and whether it names a day ("14 juillet 1789",
// "1er pluviôse an 12"), a period ("juillet 1789", "l'an 12", "1789") or the complementary days
// as a whole ("les jours complémentaires de l'an 3").
struct Corps {
  AnsiString texte;
  bool jour = false;
  bool complementaires = false;
};

Corps CorpsDate(const TDateKY& d) {
  const std::string_view t = d.Texte();
  int jour = 0, mois = 0;
  AnsiString nomMois, annee;
  const bool republicain = d.DateFormatRepublicain() && DateFormatRepublicain(t);
  if (republicain) {
    jour = RecupJour(t);
    mois = RetourneMoisRepublicain(t.substr(3, 4), nomMois);
    if (mois == 0) nomMois.clear();
    if (t.substr(8).find('.') == std::string_view::npos) annee = SansZeros(t.substr(8));
  } else if (DateFormatGregorien(t)) {
    jour = RecupJour(t);
    mois = RecupMois(t);
    const AnsiString a = t.substr(6, 4) != "...." ? SansZeros(t.substr(6, 4)) : AnsiString();
    nomMois = d.DateFormatHebraique() ? MoisHebreu(mois, std::max(0, LitNombre(a, 0, a.size())))
                                      : RetourneMensualite(mois);
    annee = a;
    if (!annee.empty() && d.DateFormatAvantJC()) annee += Phrase(kAvantJC);
  }
  if (nomMois.empty()) jour = mois = 0;
  Corps c;
  c.jour = jour != 0;
  AnsiString r = jour == 0 ? AnsiString() : jour == 1 ? AnsiString("1er") : std::to_string(jour);
  if (republicain && mois == 13) {
    // The complementary days are days of the year, not a month.
    const AnsiString an = annee.empty() ? AnsiString() : "l'an " + annee;
    if (jour) {
      r += (jour == 1 ? "" : "e") + Phrase(kJourComplementaire) + an;
    } else {
      r = Phrase(kJoursComplementaires) + an;
      c.complementaires = true;
    }
    if (annee.empty()) r.resize(r.size() - 4);  // no year: drop " de "
    c.texte = r;
    return c;
  }
  if (mois) r += (r.empty() ? "" : " ") + nomMois;
  if (!annee.empty()) {
    // A Republican year alone is "l'an 12"; after a month it is "an 12".
    if (republicain) annee = (mois ? "an " : "l'an ") + annee;
    r += (r.empty() ? "" : " ") + annee;
  }
  c.texte = r;
  return c;
}

// The qualifier without its padding blanks equals q.
bool ActeNetEst(std::string_view acte, std::string_view q) noexcept {
  while (!acte.empty() && acte.front() == ' ') acte.remove_prefix(1);
  while (!acte.empty() && acte.back() == ' ') acte.remove_suffix(1);
  return acte == q;
}

AnsiString BorneTexte(int annee, bool republicain) {
  return (republicain ? "l'an " : "") + std::to_string(annee);
}

}  // namespace

AnsiString MotQualificatif(std::string_view qualificatif) {
  while (!qualificatif.empty() && qualificatif.front() == ' ') qualificatif.remove_prefix(1);
  while (!qualificatif.empty() && qualificatif.back() == ' ') qualificatif.remove_suffix(1);
  if (qualificatif == "<") return "avant";
  if (qualificatif == ">") return Phrase(kApres);
  if (qualificatif == "~" || EgalSansCasseAnsi(qualificatif, "CA")) return "vers";
  if (qualificatif == "?") return Phrase(kPeutEtre);
  return {};
}

AnsiString TDateKY::RedigeAnnee(bool majuscule) const {
  if (DateFormatFourchette()) return Majuscule(RedigeFourchette(), majuscule);
  const AnsiString annee = RecupAnneeChn(false);
  if (annee.empty()) return {};
  AnsiString r = MotQualificatif(GetActe());
  if (!r.empty()) r += ' ';
  if (DateFormatRepublicain()) r += "l'an ";
  r += SansZeros(annee);
  if (DateFormatAvantJC()) r += Phrase(kAvantJC);
  return Majuscule(r, majuscule);
}

AnsiString TDateKY::RedigeFourchette() const {
  if (!DateFormatFourchette()) return {};
  int bas = 0, haut = 0;
  RecupAnneeFourchette(false, nullptr, nullptr, nullptr, &bas, &haut);
  const bool r = DateFormatRepublicain();
  // Before Christ the larger number is the earlier year: the bounds are said in time order.
  int debut = bas, fin = haut;
  if (DateFormatAvantJC()) std::swap(debut, fin);
  AnsiString t;
  if (debut && fin && debut == fin)
    t = "en " + BorneTexte(debut, r);
  else if (debut && fin)
    t = "entre " + BorneTexte(debut, r) + " et " + BorneTexte(fin, r);
  else if (debut)
    t = Phrase(kApres) + " " + BorneTexte(debut, r);
  else if (fin)
    t = "avant " + BorneTexte(fin, r);
  if (!t.empty() && DateFormatAvantJC()) t += Phrase(kAvantJC);
  return t;
}

AnsiString TDateKY::PlaceJour(bool majuscule) const {
  if (DateFormatFourchette()) {
    // Only doubt adds to a range; "before", "after" and "about" are already in its bounds.
    AnsiString f = RedigeFourchette();
    if (!f.empty() && ActeNetEst(GetActe(), "?"))
      f = Phrase(kPeutEtre) + " " + f;
    return Majuscule(f, majuscule);
  }
  const Corps corps = CorpsDate(*this);
  if (corps.texte.empty()) return {};
  const AnsiString mot = MotQualificatif(GetActe());
  // "le" before a day; "en" (or "pendant" for the complementary days) before a period, unless a
  // preposition already stands there: "vers 1750", "avant juillet 1750", "après l'an 12".
  const bool preposition = !mot.empty() && !ActeNetEst(GetActe(), "?");
  AnsiString article;
  if (corps.jour)
    article = "le ";
  else if (corps.complementaires)
    article = preposition ? "" : Phrase(kPendant);
  else
    article = preposition ? "" : "en ";
  AnsiString r = article + corps.texte;
  if (!mot.empty()) r = mot + " " + r;
  return Majuscule(r, majuscule);
}

AnsiString TDateKY::FormatDateTilde() const {
  if (DateFormatFourchette()) {
    AnsiString bas, haut;
    RecupAnneeFourchette(false, &bas, &haut, nullptr, nullptr, nullptr);
    return bas + " ~ " + haut;
  }
  const AnsiString annee = RecupAnneeChn(false);
  return annee.empty() ? AnsiString() : " ~ " + annee;
}

AnsiString TDateKY::DeterminerPositionFinDeSaison(int jour) {
  if (jour == 20) return Phrase(kAvantDernierJour);
  if (jour == 21) return Phrase(kDernierJour);
  if (jour < 12) return Phrase(kDernierMois);
  return Phrase(kDerniersJours);
}

AnsiString TDateKY::DeterminerPositionDebutDeSaison(int jour) {
  if (jour == 22) return Phrase(kPremierJour);
  if (jour == 23) return Phrase(kDeuxiemeJour);
  if (jour == 24) return Phrase(kTroisiemeJour);
  return Phrase(kPremiersJours);
}

int TDateKY::GetSaison(AnsiString* phrase) const {
  int jour = 0, mois = 0, annee = 0;
  ExtractJourMoisAnnee(jour, mois, annee, false);
  AnsiString p;
  int saison = -1;
  if (mois < 1 || mois > 12) {
    p = Phrase(kSaisonInconnue);
  } else if (kPhraseMois[mois] >= 0) {
    p = Phrase(kPhraseMois[mois]);
    saison = kSaisonMois[mois];
  } else if (jour <= 21) {
    saison = kSaisonMois[mois];
    p = DeterminerPositionFinDeSaison(jour) + Phrase(kSaisonNom + saison);
  } else {
    saison = (kSaisonMois[mois] + 1) % 4;
    p = DeterminerPositionDebutDeSaison(jour) + Phrase(kSaisonNom + saison);
  }
  if (phrase) *phrase = p;
  return saison;
}

int TDateKY::GetSigneZodiaque() const {
  int jour = 0, mois = 0, annee = 0;
  ExtractJourMoisAnnee(jour, mois, annee, false);
  if (jour < 1 || jour > 31) return -1;
  const int v = mois * 100 + jour;
  static constexpr int kDebuts[12] = {321, 421, 521, 622, 723, 823, 923, 1023, 1123, 1222,
                                      121, 220};
  static constexpr int kFins[12] = {420, 520, 621, 722, 822, 922, 1022, 1122, 1221, 1231,
                                    219, 320};
  for (int s = 0; s < 12; ++s)
    if (v >= kDebuts[s] && v <= kFins[s]) return s;
  return v >= 101 && v <= 120 ? 9 : -1;
}

int TDateKY::RetourneJourSemaine(AnsiString& nom) const {
  nom.clear();
  int jour = 0, mois = 0, annee = 0;
  ExtractJourMoisAnnee(jour, mois, annee, false);
  if (DateFormatAvantJC() || annee == 0 || !DateGregorienOk(jour, mois, annee)) return 0;
  const int n = JourSemaineCivil(jour, mois, annee);
  nom = RetourneJour(n);
  return n;
}

AnsiString FormatDateNews(std::string_view texte) {
  if (!DateFormatGregorien(texte)) return AnsiString(texte);
  const TDateKY d('G', texte);
  const AnsiString r = CorpsDate(d).texte;
  return r.empty() ? AnsiString(texte) : r;
}

bool MajFourchetteAnnee(TDateKY& date, std::string_view texte) {
  while (!texte.empty() && texte.front() == ' ') texte.remove_prefix(1);
  while (!texte.empty() && texte.back() == ' ') texte.remove_suffix(1);
  const std::size_t k = texte.find_first_of("-/ ");
  const std::string_view t1 = texte.substr(0, k);
  const std::string_view t2 = k == std::string_view::npos ? t1 : texte.substr(k + 1);
  const auto lit = [](std::string_view t, int& a) {
    if (t.empty() || t == "....") return a = 0, true;
    if (t.size() > 4) return false;
    a = LitNombre(t, 0, t.size());
    return a > 0;
  };
  int bas = 0, haut = 0;
  if (!lit(t1, bas) || !lit(t2, haut) || (bas == 0 && haut == 0)) return false;
  if (bas && haut && bas > haut) std::swap(bas, haut);
  const auto ecrit = [](int a) {
    if (a == 0) return AnsiString("....");
    AnsiString s = "0000";
    for (int i = 3; i >= 0 && a > 0; --i, a /= 10) s[i] = static_cast<char>('0' + a % 10);
    return s;
  };
  const char calendrier =
      date.GetCalendrier() == 'A' || date.GetCalendrier() == 'H' ? date.GetCalendrier() : 'G';
  const AnsiString texteFourchette = ecrit(bas) + "/" + ecrit(haut);
  // The one rule for typed ranges: valid years of the calendar.
  if (FourchetteSaisie(texteFourchette, calendrier) == 0) return false;
  date.SetDate(texteFourchette);
  date.SetCalendrier(calendrier);
  return true;
}

}  // namespace kyb
