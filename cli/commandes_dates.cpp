// kyb commands of the dates subsystem: reading and wording of a date, gap between two dates,
// sorting dates, Easter Sunday. Terminal texts are UTF-8; the library works in Windows-1252.
#include <algorithm>
#include <span>
#include <cstdio>
#include <string>
#include <vector>

#include "commandes.h"
#include "dates/calcjours.h"
#include "dates/convjuif.h"
#include "dates/convrepublicain.h"
#include "dates/jourcourant.h"
#include "dates/redigedate.h"
#include "dates/saisiedate.h"
#include "platform/chaines.h"

namespace kyb::cli {
namespace {

constexpr const char* kSignes[12] = {"Bélier", "Taureau",    "Gémeaux",    "Cancer",
                                     "Lion",   "Vierge",     "Balance",    "Scorpion",
                                     "Sagittaire", "Capricorne", "Verseau", "Poissons"};

const char* NomCalendrier(char c) {
  switch (c) {
    case 'R': return "républicain";
    case 'H': return "hébraïque";
    case 'A': return "avant Jésus-Christ";
    default: return "grégorien";
  }
}

// A label padded to a fixed width counted in characters (the labels are UTF-8).
std::string Libelle(const char* texte) {
  std::string s = texte;
  std::size_t largeur = 0;
  for (const char c : s) largeur += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  if (largeur < 22) s.append(22 - largeur, ' ');
  return s;
}

void Ligne(const char* libelle, const AnsiString& valeur) {
  std::printf("%s %s\n", Libelle(libelle).c_str(),
              valeur.empty() ? "—" : AnsiVersUtf8(valeur).c_str());
}

void Ligne(const char* libelle, int valeur) { Ligne(libelle, std::to_string(valeur)); }

// The calendar of "--calendrier X" (0 when absent).
char LitCalendrier(const TAppel& args) {
  if (!args.Present("--calendrier")) return 0;
  const std::string c = args.Valeur("--calendrier");
  if (c.size() != 1 || std::string("GRHA").find(c[0]) == std::string::npos)
    throw ErreurUsage("calendrier « " + c + " » inconnu : G, R, H ou A");
  return c[0];
}

// Typed text (UTF-8, French words allowed) -> date value; false and a French message when
// refused.
bool LitDate(const std::string& saisie, char calendrier, TDateKY& date, std::string& erreur) {
  const TLectureDate lecture = LitDateFrancaiseUtf8(saisie, calendrier);
  if (lecture.code != -1) {
    erreur = "date « " + saisie + " » refusée : " + AnsiVersUtf8(MotifRefusDate(lecture));
    return false;
  }
  date = lecture.date;
  return true;
}

std::string Joint(std::span<const std::string> mots) {
  std::string s;
  for (const std::string& a : mots) s += (s.empty() ? "" : " ") + a;
  return s;
}

int Ecart(const TAppel& args) {
  const char calendrier = LitCalendrier(args);
  TDateKY d[2];
  std::string erreur;
  for (int i = 0; i < 2; ++i)
    if (!LitDate(args[i], calendrier, d[i], erreur)) return Echec(erreur);
  int annees = 0;
  bool ok = false, incertain = false;
  const int jours = CalculJoursDateDate(d[0], d[1], &annees, &ok, &incertain);
  if (!ok) return Echec("écart incalculable entre ces deux dates");
  Ligne("Date 1 :", d[0].PlaceJour());
  Ligne("Date 2 :", d[1].PlaceJour());
  Ligne("Jours :", jours);
  Ligne("Années révolues :", annees);
  Ligne("Mois :", CalculMoisDateDate(d[0], d[1]));
  if (incertain) std::printf("Écart incertain : les deux dates se recouvrent.\n");
  return 0;
}

// Dates in the sorting order of TDateKY (earliest possible day first), one a line.
int Trie(const TAppel& args) {
  const char calendrier = LitCalendrier(args);
  std::vector<TDateKY> dates(args.size());
  std::string erreur;
  for (std::size_t i = 0; i < args.size(); ++i)
    if (!LitDate(args[i], calendrier, dates[i], erreur)) return Echec(erreur);
  std::stable_sort(dates.begin(), dates.end());
  for (const TDateKY& d : dates) {
    const AnsiString r = d.PlaceJour(true);
    std::printf("%s\n", r.empty() ? "(sans date)" : AnsiVersUtf8(r).c_str());
  }
  return 0;
}

int Date(const TAppel& args) {
  const char calendrier = LitCalendrier(args);
  TDateKY date;
  std::string erreur;
  if (!LitDate(Joint(args.Suite(0)), calendrier, date, erreur)) return Echec(erreur);
  const AnsiString greg = date.ConvVersGreg();
  const bool avantJC = date.DateFormatAvantJC();
  std::printf("%s %s\n", Libelle("Calendrier :").c_str(), NomCalendrier(date.GetCalendrier()));
  Ligne("Qualificatif :", date.ActeVide() ? AnsiString() : date.GetActe());
  Ligne("Texte normalisé :", date.GetDate());
  Ligne("Forme exportée :", date.ExportInString());
  Ligne("Rédaction :", date.PlaceJour(true));
  Ligne("Année :", date.RedigeAnnee(true));
  Ligne("Grégorien :", avantJC ? AnsiString() : greg);
  Ligne("Républicain :", avantJC ? AnsiString() : ConvGregorienRepublicain(greg));
  Ligne("Hébraïque :", avantJC ? AnsiString() : ConvGregorienHebraique(greg));
  AnsiString jour;
  date.RetourneJourSemaine(jour);
  Ligne("Jour de la semaine :", jour);
  const int signe = date.GetSigneZodiaque();
  Ligne("Signe du zodiaque :", signe >= 0 ? A(kSignes[signe]) : AnsiString());
  AnsiString saison;
  date.GetSaison(&saison);
  Ligne("Saison :", saison);
  return 0;
}

int Paques(const TAppel& args) {
  const AnsiString paques = CalcDatePaques(args[0]);
  if (paques.empty()) return Echec("année hors de 1583 à 2498 : « " + args[0] + " »");
  std::printf("Pâques %s : dimanche %s\n", args[0].c_str(),
              AnsiVersUtf8(FormatDateNews(paques)).c_str());
  return 0;
}

constexpr TCommande kCommandes[] = {
    {"date", "date TEXTE... [--calendrier G|R|H|A]",
     "lit une date (« vers 1750 », « entre 1750 et 1760 », « an XII »...), la rédige et la "
     "convertit", Date},
    {"date ecart", "date ecart DATE1 DATE2 [--calendrier G|R|H|A]", "jours, années et mois entre deux dates", Ecart},
    {"date trie", "date trie DATE... [--calendrier G|R|H|A]", "range des dates dans l'ordre chronologique", Trie},
    {"paques", "paques ANNEE", "date de Pâques (1583 à 2498)", Paques},
};

}  // namespace

std::span<const TCommande> CommandesDates() { return kCommandes; }

}  // namespace kyb::cli
