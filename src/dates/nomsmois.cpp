#include "dates/nomsmois.h"

#include "platform/ressources.h"

namespace kyb {
namespace {

// Characters [debut, debut + longueur) of a resource (1-based start), trimmed.
AnsiString Morceau(int numero, std::size_t debut, std::size_t longueur) {
  const AnsiString t = ChargeChaineAnsi(numero);
  if (t.size() < debut) return {};
  return Rogne(std::string_view(t).substr(debut - 1, longueur));
}

int ChercheRepublicain(std::string_view cle, std::size_t debut, AnsiString& nom) {
  for (int m = 1; m <= 13; ++m) {
    const AnsiString t = ChargeChaineAnsi(kResMoisRepublicain + m - 1);
    if (t.size() >= debut - 1 + cle.size() && !cle.empty() &&
        std::string_view(t).substr(debut - 1, cle.size()) == cle) {
      nom = Morceau(kResMoisRepublicain + m - 1, 9, 15);
      return m;
    }
  }
  nom = "....";
  return 0;
}

}  // namespace

AnsiString RetourneMensualite(int mois) {
  return mois >= 1 && mois <= 12 ? Morceau(kResMoisGregorien + mois, 9, 9) : AnsiString();
}

AnsiString RetourneMensualiteHeb(int mois) {
  return mois >= 1 && mois <= 13 ? Morceau(kResMoisHebraique + mois, 9, 7) : AnsiString();
}

AnsiString RetourneJour(int jourSemaine) {
  return jourSemaine >= 1 && jourSemaine <= 7 ? Morceau(kResJourSemaine + jourSemaine, 4, 9)
                                              : AnsiString();
}

int RetourneMoisRepublicain(std::string_view code, AnsiString& nom) {
  if (code.size() != 4) {
    nom = "....";
    return 0;
  }
  return ChercheRepublicain(code, 4, nom);
}

int RetourneMoisRepublicain2(std::string_view numero, AnsiString& nom) {
  if (numero.size() != 2) {
    nom = "....";
    return 0;
  }
  return ChercheRepublicain(numero, 1, nom);
}

bool RetourneMoisGregorien(int mois, AnsiString& nom) {
  nom = RetourneMensualite(mois);
  return !nom.empty();
}

bool RetourneMoisHebraique(int mois, AnsiString& nom) {
  nom = RetourneMensualiteHeb(mois);
  return !nom.empty();
}

}  // namespace kyb
