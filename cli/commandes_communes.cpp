// kyb commands of the reference town tables.
#include <cctype>
#include <cstdio>
#include <string>

#include "commandes.h"
#include "donnees.h"
#include "platform/chaines.h"
#include "store/ficpays.h"

namespace kyb::cli {

namespace {


std::string U8(const UnicodeString& t) { return UnicodeVersUtf8(t); }
std::string U8(const AnsiString& t) { return AnsiVersUtf8(t); }

// A code is made of digits, except the Corsican department letters ("2A004").
bool EstUnCode(const std::string& texte) {
  if (texte.empty()) return false;
  for (const char c : texte)
    if (!std::isdigit(static_cast<unsigned char>(c)) && c != 'A' && c != 'B' && c != 'a' && c != 'b')
      return false;
  return std::isdigit(static_cast<unsigned char>(texte[0]));
}

const char* Sorte(TTypeVille type) {
  switch (type) {
    case TTypeVille::Deleguee: return "commune déléguée";
    case TTypeVille::Associee: return "commune associée";
    case TTypeVille::Ancienne: return "ancienne commune";
    case TTypeVille::Arrondissement: return "arrondissement municipal";
    case TTypeVille::AncienNom: return "ancien nom";
    case TTypeVille::Actuelle: break;
  }
  return "commune";
}

void Affiche(const TFicPays& pays, const TVille& v) {
  std::printf("%s (%s)", U8(v.commune).c_str(), U8(v.code).c_str());
  // A former code of a commune that kept its name is not a former commune.
  const bool ancienCode = v.type == TTypeVille::Ancienne &&
                          TFicBDDINI::CleanCommune(v.commune) == TFicBDDINI::CleanCommune(v.communeActuelle);
  if (v.type != TTypeVille::Actuelle)
    std::printf(" : %s, aujourd'hui %s (%s)", ancienCode ? "ancien code" : Sorte(v.type),
                U8(v.communeActuelle).c_str(), U8(v.codeActuel).c_str());
  std::printf("\n  Département    : %s (%s)\n", U8(v.departement).c_str(), U8(v.codeZone).c_str());
  std::printf("  Région         : %s\n", U8(v.region).c_str());
  const bool actuelle = v.type == TTypeVille::Actuelle || v.type == TTypeVille::Arrondissement;
  std::string codes;
  for (const auto& [cp, acheminement] : pays.PaysCourant()->CodesPostaux(actuelle ? v.code : v.codeActuel))
    codes += (codes.empty() ? "" : " ") + U8(cp) + (acheminement.empty() ? "" : " (" + U8(acheminement) + ")");
  std::printf("  Codes postaux  : %s\n", codes.empty() ? U8(v.codePostal).c_str() : codes.c_str());
  if (v.population > 0) std::printf("  Population     : %d\n", v.population);
  if (v.CoordonneesConnues())
    std::printf("  Coordonnées    : %.5f, %.5f\n", v.latitude, v.longitude);
  else
    std::printf("  Coordonnées    : inconnues\n");
}

int Commune(const TAppel& args) {
  const std::string nomPays = args.Valeur("--pays", "France");
  std::string texte;
  for (const std::string& mot : args.Suite(0)) texte += (texte.empty() ? "" : " ") + mot;
  TFicPays pays(nullptr, RepertoireTablesVilles(), false);
  if (!pays.OpenBasePays(Utf8VersAnsi(nomPays))) return Echec(pays.DerniereErreur());
  std::vector<TVille> villes;
  if (EstUnCode(texte)) {
    if (texte.size() < 3) return Echec("code « " + texte + " » trop court : 3 caractères au moins");
    villes = pays.RechercheParInsse(Utf8VersAnsi(texte));
    for (TVille& v : pays.RechercheParCP(Utf8VersAnsi(texte))) {
      bool deja = false;
      for (const TVille& w : villes) deja = deja || w.enregistrement == v.enregistrement;
      if (!deja) villes.push_back(std::move(v));
    }
  } else {
    villes = pays.RechercheVille(Utf8VersUnicode(texte));
  }
  if (villes.empty()) return Echec("aucune commune ne correspond à « " + texte + " »");
  for (const TVille& v : villes) Affiche(pays, v);
  std::printf("%zu commune(s) trouvée(s)%s\n", villes.size(),
              villes.size() >= static_cast<size_t>(TFicBDDINI::kMaxResultats) ? " (les premières seulement)" : "");
  return 0;
}

constexpr TCommande kCommandes[] = {
    {"commune", "commune NOM|CODE... [--pays P]",
     "communes de référence : département, région, codes postaux, code officiel", Commune},
};

}  // namespace

std::span<const TCommande> CommandesCommunes() {
  // The tables kyb ships (installed, or those of the source tree).
  static const bool defini = [] {
    DefinitRepertoireTablesVilles(Utf8VersAnsi(RepertoireDonnees() + "/TableVille"));
    return true;
  }();
  (void)defini;
  return kCommandes;
}

}  // namespace kyb::cli
