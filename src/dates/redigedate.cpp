// French wordings of dates.
#include "dates/redigedate.h"

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
      A("Dernier jour "), A("Avant dernier jour "), A("Au cours des derniers jours "),
      A("Durant le dernier mois "),
      A("Premier jour "), A("Deuxième jour "), A("Troisième jour "),
      A("Au cours des premiers jours "),
      A("après"), A("peut-être"), A(" av. J.-C."),
      A(" jour complémentaire"), A("jours complémentaires")};
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
  kJoursComplementaires
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

// "14 juillet 1789", "juillet 1789", "1789", "1er pluviôse an 12": the parts that are known.
AnsiString CorpsDate(const TDateKY& d, int& jour, int& mois) {
  const std::string_view t = d.Texte();
  jour = mois = 0;
  AnsiString nomMois, annee;
  if (d.DateFormatRepublicain() && DateFormatRepublicain(t)) {
    jour = RecupJour(t);
    mois = RetourneMoisRepublicain(t.substr(3, 4), nomMois);
    if (mois == 0) nomMois.clear();
    if (t.substr(8).find('.') == std::string_view::npos) annee = "an " + SansZeros(t.substr(8));
  } else if (DateFormatGregorien(t)) {
    jour = RecupJour(t);
    mois = RecupMois(t);
    nomMois = d.DateFormatHebraique() ? RetourneMensualiteHeb(mois) : RetourneMensualite(mois);
    if (t.substr(6, 4) != "....") annee = SansZeros(t.substr(6, 4));
    if (!annee.empty() && d.DateFormatAvantJC()) annee += Phrase(kAvantJC);
  }
  if (nomMois.empty()) jour = mois = 0;
  AnsiString r;
  if (jour) r = jour == 1 ? AnsiString("1er") : std::to_string(jour);
  if (mois && d.DateFormatRepublicain() && mois == 13) {
    // The complementary days are named as days, not as a month.
    r = jour ? r + (jour == 1 ? "" : "e") + Phrase(kJourComplementaire)
             : Phrase(kJoursComplementaires);
  } else if (mois) {
    r += (r.empty() ? "" : " ") + nomMois;
  }
  if (!annee.empty()) r += (r.empty() ? "" : " ") + annee;
  return r;
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
  AnsiString t;
  if (bas && haut)
    t = "entre " + BorneTexte(bas, r) + " et " + BorneTexte(haut, r);
  else if (bas)
    t = Phrase(kApres) + " " + BorneTexte(bas, r);
  else if (haut)
    t = "avant " + BorneTexte(haut, r);
  if (!t.empty() && DateFormatAvantJC()) t += Phrase(kAvantJC);
  return t;
}

AnsiString TDateKY::PlaceJour(bool majuscule) const {
  if (DateFormatFourchette()) return Majuscule(RedigeFourchette(), majuscule);
  int jour = 0, mois = 0;
  const AnsiString corps = CorpsDate(*this, jour, mois);
  if (corps.empty()) return {};
  const AnsiString mot = MotQualificatif(GetActe());
  AnsiString r;
  if (mot.empty() || IsActeImprecis()) {
    r = (jour ? "le " : "en ") + corps;
    if (!mot.empty()) r = mot + " " + r;
  } else {
    r = mot + (jour ? " le " : " ") + corps;
  }
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
  int jour = 0, mois = 0;
  const AnsiString r = CorpsDate(d, jour, mois);
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
  date.SetDate(ecrit(bas) + "/" + ecrit(haut));
  if (date.GetCalendrier() != 'A' && date.GetCalendrier() != 'H') date.SetCalendrier('G');
  return true;
}

}  // namespace kyb
