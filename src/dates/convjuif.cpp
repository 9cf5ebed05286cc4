// Hebrew calendar engine (rules in convjuif.h).
#include "dates/convjuif.h"

#include "dates/analysedate.h"
#include "dates/calendrier_civil.h"
#include "dates/nomsmois.h"
#include "platform/ressources.h"

namespace kyb {
namespace {

constexpr std::int64_t kPartsJour = 25920;
constexpr std::int64_t kPartsLunaison = 765433;  // 29 d 12 h 793 p
constexpr std::int64_t kMoladAn1 = 57444;        // 2 d 5 h 204 p: Monday 5 h 204 p
constexpr std::int64_t kJdnJour0 = 347996;       // Julian day of day 0 of the molad count

AnsiString Nombre(int n, int chiffres) {
  AnsiString s(static_cast<std::size_t>(chiffres), '0');
  for (int i = chiffres - 1; i >= 0 && n > 0; --i, n /= 10) s[i] = static_cast<char>('0' + n % 10);
  return s;
}

}  // namespace

bool AnneeHebOk(int annee) noexcept { return annee > 3760; }

bool MoisHebOk(int mois) noexcept { return mois >= 1 && mois <= 13; }

bool JourHebOk(int jour, int mois) noexcept {
  if (jour < 1 || !MoisHebOk(mois)) return false;
  switch (mois) {
    case 4: case 7: case 9: case 11: case 13: return jour <= 29;
    default: return jour <= 30;
  }
}

void ConvJuif::efface() noexcept {
  jourCivil_ = moisCivil_ = anneeCivile_ = 0;
  jourHeb_ = moisHeb_ = anneeHeb_ = 0;
  jourSemaineDate_ = 0;
  reponse_.clear();
  distrib_.clear();
  jour_.clear();
}

void ConvJuif::bissextile() {
  const int a = anneeCivile_;
  fevrier_ = AnneeCivileBissextile(a) ? 29 : 28;
  if (a < 1583)
    correctionSiecle_ = fevrier_ == 29 ? -6 : -5;
  else if (a < 1700)
    correctionSiecle_ = 33 - fevrier_;
  else
    correctionSiecle_ = (a - 1701) / 100 + 34 - fevrier_ - (a - 1601) / 400;
}

int ConvJuif::embolismic(int annee) noexcept {
  switch (annee % 19) {
    case 0: case 3: case 6: case 8: case 11: case 14: case 17: return 13;
    default: return 12;
  }
}

void ConvJuif::cycleLunaire(int annee) noexcept {
  cycles_ = (annee - 1) / 19;
  const int e = (annee - 1) - 19 * cycles_;
  bissEcoulees_ = 0;
  for (const int debut : {3, 6, 8, 11, 14, 17})  // leap years 3, 6, 8, 11, 14, 17 of the cycle
    if (e >= debut) ++bissEcoulees_;
  communesEcoulees_ = e - bissEcoulees_;
}

std::int64_t ConvJuif::moladTichri(int annee) noexcept {
  cycleLunaire(annee);
  const std::int64_t mois =
      235LL * cycles_ + 12LL * communesEcoulees_ + 13LL * bissEcoulees_;
  moladTichri_ = mois * kPartsLunaison + kMoladAn1;
  return moladTichri_;
}

std::int64_t ConvJuif::moladNissan(int annee) noexcept {
  moladNissan_ = moladTichri(annee) + (embolismic(annee) == 13 ? 7 : 6) * kPartsLunaison;
  return moladNissan_;
}

void ConvJuif::conversion(std::int64_t parts) noexcept {
  parts_ = static_cast<int>(parts % 18);
  std::int64_t reste = parts / 18;
  minutes_ = static_cast<int>(reste % 60);
  reste /= 60;
  heures_ = static_cast<int>(reste % 24);
  reste /= 24;
  jourSemaine_ = static_cast<int>(reste % 7);
  semaines_ = reste / 7;
  conversionPartielle();
}

void ConvJuif::conversionPartielle() noexcept {
  while (jourSemaine_ < 1) jourSemaine_ += 7;
  while (jourSemaine_ > 7) jourSemaine_ -= 7;
}

int ConvJuif::reportRochHachana() noexcept {
  int report = 0;
  while (jourSemaine_ != 2 && jourSemaine_ != 3 && jourSemaine_ != 5 && jourSemaine_ != 7) {
    ++jourSemaine_;
    conversionPartielle();
    ++report;
    report_ = true;
  }
  return report;
}

int ConvJuif::partRochHachana(int annee) noexcept {
  if (heures_ >= 18) {
    ++jourSemaine_;
    conversionPartielle();
    return 1 + reportRochHachana();
  }
  if (embolismic(annee) != 12) return 0;
  const int h = heures_ * 1080 + minutes_ * 18 + parts_;
  if (jourSemaine_ == 2 && h >= 16789 && embolismic(annee - 1) == 13) {
    jourSemaine_ = 3;
    return 1;
  }
  if (jourSemaine_ == 3 && h >= 9924) {
    jourSemaine_ = 5;
    return 2;
  }
  return 0;
}

int ConvJuif::rochHachana(int annee) noexcept {
  conversion(moladTichri(annee));
  report_ = false;
  const int report = reportRochHachana();
  return report_ ? report : partRochHachana(annee);
}

void ConvJuif::rochHodechNissan(int jsCetteAnnee, int jsAnneeSuivante) noexcept {
  if (jsAnneeSuivante <= jsCetteAnnee) jsAnneeSuivante += 7;
  const int type = jsAnneeSuivante - jsCetteAnnee + (nbMois_ == 12 ? 2 : 0);
  hechvan_ = 29;
  kislev_ = 30;
  if (type == 5) kislev_ = 29;
  if (type == 7) hechvan_ = 30;
}

void ConvJuif::caractAnSuivant(int annee) noexcept {
  const int report = rochHachana(annee + 1);
  jourRochSuivant_ = moladTichri_ / kPartsJour + report;
  jsRochSuivant_ = jourSemaine_;
}

void ConvJuif::caractHeb(int annee) noexcept {
  caractAnSuivant(annee);
  const std::int64_t jourSuivant = jourRochSuivant_;
  const int jsSuivant = jsRochSuivant_;
  const int report = rochHachana(annee);
  const std::int64_t jour = moladTichri_ / kPartsJour + report;
  anneeHeb_ = annee;
  nbMois_ = embolismic(annee);
  jdnRoch_ = jour + kJdnJour0;
  rochHodechNissan(jourSemaine_, jsSuivant);
  longueurAnnee_ = static_cast<int>(jourSuivant - jour);
  moladNissan(annee);
}

namespace {

int LongueurMois(int mois, int nbMois, int hechvan, int kislev) noexcept {
  switch (mois) {
    case 2: return hechvan;
    case 3: return kislev;
    case 6: return nbMois == 13 ? 30 : 29;
    case 7: return nbMois == 13 ? 29 : 0;
    case 4: case 9: case 11: case 13: return 29;
    default: return 30;
  }
}

}  // namespace

int ConvJuif::LongueurMoisAnnee(int mois, const ConvJuif& c) noexcept {
  return LongueurMois(mois, c.nbMois_, c.hechvan_, c.kislev_);
}

std::int64_t ConvJuif::JdnRochHachana(int anneeHebraique) noexcept {
  ConvJuif c;
  c.caractHeb(anneeHebraique < 1 ? 1 : anneeHebraique);
  return c.jdnRoch_;
}

std::int64_t ConvJuif::JdnJourHebreu(int jour, int mois, int anneeHebraique,
                                     int* joursDuMois) noexcept {
  ConvJuif c;
  c.caractHeb(anneeHebraique < 1 ? 1 : anneeHebraique);
  std::int64_t jdn = c.jdnRoch_ + jour - 1;
  for (int k = 1; k < mois && k <= 13; ++k) jdn += LongueurMoisAnnee(k, c);
  if (joursDuMois) *joursDuMois = mois >= 1 && mois <= 13 ? LongueurMoisAnnee(mois, c) : 0;
  return jdn;
}

bool ConvJuif::controleJuif() {
  longueurAnnee_ = 295 + hechvan_ + kislev_ + (nbMois_ == 13 ? 30 : 0);
  return moisHeb_ == 7 && nbMois_ == 12;
}


void ConvJuif::j_sem(std::int64_t jdn) noexcept {
  int annee = anneeCivile_ + 3760 + (moisCivil_ >= 9 ? 1 : 0);
  if (annee < 1) annee = 1;
  caractHeb(annee);
  while (jdn < jdnRoch_ && annee > 1) caractHeb(--annee);
  while (jdn >= jdnRoch_ + longueurAnnee_) caractHeb(++annee);
  int jour = static_cast<int>(jdn - jdnRoch_);
  int mois = 1;
  for (; mois < 13; ++mois) {
    const int l = LongueurMois(mois, nbMois_, hechvan_, kislev_);
    if (jour < l) break;
    jour -= l;
  }
  moisHeb_ = mois;
  jourHeb_ = jour + 1;
  jourSemaineDate_ = static_cast<int>((jdn + 1) % 7) + 1;
}

void ConvJuif::correctJulienGreg(std::int64_t jdn) noexcept {
  JdnVersCivil(jdn, jourCivil_, moisCivil_, anneeCivile_);
  jourSemaineDate_ = static_cast<int>((jdn + 1) % 7) + 1;
}

void ConvJuif::ecritTextes(bool versHebreu) {
  const int j = versHebreu ? jourHeb_ : jourCivil_, m = versHebreu ? moisHeb_ : moisCivil_,
            a = versHebreu ? anneeHeb_ : anneeCivile_;
  reponse_ = Nombre(j, 2) + "/" + Nombre(m, 2) + "/" + Nombre(a, 4);
  distrib_ = ChargeChaineAnsi(nbMois_ == 13 ? kResAnnee13Mois : kResAnnee12Mois);
  jour_ = RetourneJour(jourSemaineDate_);
}

bool ConvJuif::convCivil_juif(std::string_view texteCivil) {
  efface();
  const int j = LitNombre(texteCivil, 0, 2), m = LitNombre(texteCivil, 3, 2),
            a = LitNombre(texteCivil, 6, 4);
  if (!DateFormatGregorien(texteCivil) || a < 1 || !MoisOk(m) || !JourOk(j, m, a)) return false;
  jourCivil_ = j;
  moisCivil_ = m;
  anneeCivile_ = a;
  bissextile();
  j_sem(CivilVersJdn(j, m, a));
  if (!AnneeHebOk(anneeHeb_)) {
    efface();
    return false;
  }
  ecritTextes(true);
  return true;
}

bool ConvJuif::convJuif_civil(std::string_view texteHebreu) {
  efface();
  const int j = LitNombre(texteHebreu, 0, 2), m = LitNombre(texteHebreu, 3, 2),
            a = LitNombre(texteHebreu, 6, 4);
  if (!DateFormatHebraique(texteHebreu) || !AnneeHebOk(a) || !JourHebOk(j, m)) return false;
  caractHeb(a);
  jourHeb_ = j;
  moisHeb_ = m;
  if (controleJuif() || j > LongueurMois(m, nbMois_, hechvan_, kislev_)) {
    efface();
    return false;
  }
  std::int64_t jdn = jdnRoch_ + j - 1;
  for (int k = 1; k < m; ++k) jdn += LongueurMois(k, nbMois_, hechvan_, kislev_);
  correctJulienGreg(jdn);
  bissextile();
  ecritTextes(false);
  return true;
}

namespace {

// Point-date conversion with computed stand-ins for unknown day and month.
AnsiString ConvertitPoint(std::string_view t, bool versHebreu, const char* jourDefaut,
                          const char* moisDefaut) {
  if (!DateFormatGregorien(t) || t.substr(6, 4) == "....") return {};
  const bool jourInconnu = t.substr(0, 2) == "..", moisInconnu = t.substr(3, 2) == "..";
  AnsiString calcul(t);
  if (jourInconnu) calcul.replace(0, 2, jourDefaut);
  if (moisInconnu) calcul.replace(3, 2, moisDefaut);
  ConvJuif c;
  if (!(versHebreu ? c.convCivil_juif(calcul) : c.convJuif_civil(calcul))) return {};
  AnsiString r = c.getReponse();
  if (jourInconnu || moisInconnu) r.replace(0, 2, "..");
  if (moisInconnu) r.replace(3, 2, "..");
  return r;
}

AnsiString ConvertitFourchette(std::string_view t, AnsiString (*annee)(std::string_view)) {
  if (t.size() != 9) return {};
  const AnsiString a1 = annee(t.substr(0, 4)), a2 = annee(t.substr(5, 4));
  if (a1.empty() || a2.empty()) return {};
  return a1 + "/" + a2;
}

AnsiString AnneeVersTexte(std::string_view annee) {
  long long a = 0;
  if (annee.size() != 4 || !TexteVersEntier(annee, a) || a < 1) return {};
  return AnsiString(annee);
}

}  // namespace

AnsiString ConvGregorienHebraique(std::string_view texte) {
  if (DateFormatFourchette(texte)) return ConvertitFourchette(texte, ConvAnneeGregHebr);
  return ConvertitPoint(texte, true, "26", "04");
}

AnsiString ConvHebraiqueGregorien(std::string_view texte) {
  if (DateFormatFourchette(texte)) return ConvertitFourchette(texte, ConvAnneeHebrGreg);
  return ConvertitPoint(texte, false, "18", "08");
}

AnsiString ConvAnneeGregHebr(std::string_view annee) {
  const AnsiString a = AnneeVersTexte(annee);
  if (a.empty()) return {};
  const AnsiString r = ConvertitPoint("26/04/" + a, true, "26", "04");
  return r.size() == 10 ? r.substr(6, 4) : AnsiString();
}

AnsiString ConvAnneeHebrGreg(std::string_view annee) {
  const AnsiString a = AnneeVersTexte(annee);
  if (a.empty()) return {};
  const AnsiString r = ConvertitPoint("18/08/" + a, false, "18", "08");
  return r.size() == 10 ? r.substr(6, 4) : AnsiString();
}

}  // namespace kyb
