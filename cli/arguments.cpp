#include "arguments.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstdint>
#include <memory>

#include "commandes.h"
#include "platform/chaines.h"
#include "platform/erreur.h"

namespace kyb::cli {
namespace {

struct TParametre {
  std::string nom;     // "CHEMIN" or "--tri"
  std::string valeur;  // an option's value name; empty for a flag
  bool option = false;
  bool obligatoire = true;
  bool repete = false;
  std::vector<std::string> choix;  // lowercase words the value must be one of
  int groupe = -1;                 // flags of which one is chosen
  int nbValeurs = 1;               // words an option takes ("--nes-entre A B": 2)
};

struct TSyntaxe {
  std::vector<TParametre> parametres;
  std::vector<std::pair<std::vector<std::string>, bool>> groupes;  // flags, exactly one (else at most one)
};

std::vector<std::string> Decoupe(const std::string& texte, char separateur) {
  std::vector<std::string> morceaux;
  std::size_t debut = 0;
  for (std::size_t i = 0; i <= texte.size(); ++i)
    if (i == texte.size() || texte[i] == separateur) {
      if (i > debut) morceaux.push_back(texte.substr(debut, i - debut));
      debut = i + 1;
    }
  return morceaux;
}

std::string MajusculesAscii(std::string mot) {
  for (char& c : mot)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return mot;
}

bool EnMinuscules(const std::string& mot) {
  return !mot.empty() && std::all_of(mot.begin(), mot.end(), [](char c) { return (c >= 'a' && c <= 'z') || c == '-'; });
}

// Reads the syntax line of a command (see arguments.h), after its name.
TSyntaxe LitSyntaxe(const TCommande& c) {
  std::vector<std::string> mots = Decoupe(c.syntaxe, ' ');
  const std::size_t nomMots = Decoupe(c.nom, ' ').size();
  mots.erase(mots.begin(), mots.begin() + static_cast<std::ptrdiff_t>(std::min(nomMots, mots.size())));
  TSyntaxe s;
  int profondeur = 0;
  for (std::size_t i = 0; i < mots.size(); ++i) {
    std::string mot = mots[i];
    while (!mot.empty() && mot.front() == '[') ++profondeur, mot.erase(0, 1);
    int fermes = 0;
    while (!mot.empty() && mot.back() == ']') ++fermes, mot.pop_back();
    const bool facultatif = profondeur > 0;
    bool repete = false;
    if (mot.size() > 3 && mot.ends_with("...")) repete = true, mot.resize(mot.size() - 3);
    if (mot == "...") {
      if (!s.parametres.empty()) s.parametres.back().repete = true;
    } else if (mot.starts_with("--") && mot.find('|') != std::string::npos) {
      s.groupes.push_back({Decoupe(mot, '|'), !facultatif});
      for (const std::string& drapeau : s.groupes.back().first)
        s.parametres.push_back({drapeau, "", true, false, false, {}, static_cast<int>(s.groupes.size() - 1)});
    } else if (mot.starts_with("--")) {
      TParametre p{mot, "", true, !facultatif, repete, {}, -1};
      // The next word is its value unless it opens a bracket or is another option.
      if (fermes == 0 && i + 1 < mots.size() && mots[i + 1].front() != '[' && mots[i + 1].front() != '-' &&
          mots[i + 1] != "...") {
        std::string valeur = mots[++i];
        while (!valeur.empty() && valeur.back() == ']') ++fermes, valeur.pop_back();
        if (valeur.size() > 3 && valeur.ends_with("...")) p.repete = true, valeur.resize(valeur.size() - 3);
        // A second value word: "--nes-entre A B".
        if (fermes == 0 && i + 1 < mots.size() && mots[i + 1].front() != '[' && mots[i + 1].front() != '-' &&
            mots[i + 1] != "..." && !mots[i + 1].ends_with("...") && mots[i + 1] == MajusculesAscii(mots[i + 1]) &&
            profondeur > 0) {
          std::string seconde = mots[++i];
          while (!seconde.empty() && seconde.back() == ']') ++fermes, seconde.pop_back();
          valeur += " " + seconde;
          p.nbValeurs = 2;
        }
        p.valeur = valeur;
        const std::vector<std::string> choix = Decoupe(valeur, '|');
        if (choix.size() > 1 && std::all_of(choix.begin(), choix.end(), EnMinuscules)) p.choix = choix;
      } else {
        p.obligatoire = false;  // a flag: the command decides what its absence means
      }
      s.parametres.push_back(p);
    } else if (!mot.empty()) {
      s.parametres.push_back({mot, "", false, !facultatif, repete, {}, -1});
    }
    profondeur = std::max(0, profondeur - fermes);
  }
  return s;
}

std::string Guillemets(const std::string& texte) { return "« " + texte + " »"; }

std::string ListeChoix(const std::vector<std::string>& choix, const char* et) {
  std::string texte;
  for (std::size_t i = 0; i < choix.size(); ++i)
    texte += (i == 0 ? "" : i + 1 == choix.size() ? et : ", ") + choix[i];
  return texte;
}

bool NombreNegatif(const std::string& mot) {
  return mot.size() > 1 && mot[0] == '-' && std::isdigit(static_cast<unsigned char>(mot[1]));
}

}  // namespace

class TAnalyseur {
 public:
  static TAppel Analyse(const TCommande& c, const std::vector<std::string>& args);
};

TAppel TAnalyseur::Analyse(const TCommande& c, const std::vector<std::string>& args) {
  const TSyntaxe syntaxe = LitSyntaxe(c);
  CLI::App app;
  app.allow_extras();
  app.set_help_flag();
  // One storage per parameter: single words bind to a string so that CLI11 takes exactly one.
  std::vector<std::unique_ptr<std::vector<std::string>>> valeurs;
  std::vector<std::unique_ptr<std::string>> seuls;
  std::vector<std::unique_ptr<std::int64_t>> comptes;
  std::vector<CLI::Option*> cli;
  for (const TParametre& p : syntaxe.parametres) {
    if (p.option && p.valeur.empty()) {
      comptes.push_back(std::make_unique<std::int64_t>(0));
      cli.push_back(app.add_flag(p.nom, *comptes.back()));
    } else if (p.option) {
      valeurs.push_back(std::make_unique<std::vector<std::string>>());
      cli.push_back(app.add_option(p.nom, *valeurs.back())
                        ->expected(p.nbValeurs)
                        ->allow_extra_args(false)
                        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll));
    } else if (p.repete) {
      valeurs.push_back(std::make_unique<std::vector<std::string>>());
      cli.push_back(app.add_option(p.nom, *valeurs.back()));
    } else {
      seuls.push_back(std::make_unique<std::string>());
      cli.push_back(app.add_option(p.nom, *seuls.back()));
    }
  }
  std::vector<std::string> inverses(args.rbegin(), args.rend());
  try {
    app.parse(inverses);
  } catch (const CLI::ArgumentMismatch& e) {
    const std::string quoi = e.what();
    throw ErreurUsage("valeur manquante après " + Guillemets(quoi.substr(0, quoi.find(':'))));
  } catch (const CLI::ConversionError& e) {
    // Only flags convert: "Could not convert: --oui = non".
    const std::string quoi = e.what();
    const std::size_t debut = quoi.find("--"), fin = quoi.find(" =");
    throw ErreurUsage("l'option " +
                      Guillemets(debut != std::string::npos && fin > debut ? quoi.substr(debut, fin - debut) : "?") +
                      " ne prend pas de valeur");
  } catch (const CLI::ParseError&) {
    throw ErreurUsage("arguments refusés");
  }
  for (const std::string& reste : app.remaining()) {
    if (reste == "--") continue;
    if (reste.size() > 1 && reste[0] == '-' && !NombreNegatif(reste))
      throw ErreurUsage("option inconnue " + Guillemets(reste.substr(0, reste.find('='))));
    throw ErreurUsage("argument en trop : " + Guillemets(reste));
  }
  TAppel appel;
  appel.commande_ = c.nom;
  std::size_t iValeur = 0, iSeul = 0, iCompte = 0;
  for (std::size_t i = 0; i < syntaxe.parametres.size(); ++i) {
    const TParametre& p = syntaxe.parametres[i];
    const bool donne = cli[i]->count() > 0;
    if (p.option && p.valeur.empty()) {
      if (*comptes[iCompte++] > 0) appel.drapeaux_.push_back(p.nom);
      continue;
    }
    if (p.obligatoire && !donne)
      throw ErreurUsage(p.option ? "option obligatoire manquante : " + p.nom + " " + p.valeur
                                 : "argument manquant : " + p.nom);
    if (p.option) {
      const std::vector<std::string>& v = *valeurs[iValeur++];
      if (!p.repete && v.size() > static_cast<std::size_t>(p.nbValeurs)) throw ErreurUsage("option " + Guillemets(p.nom) + " donnée plusieurs fois");
      for (const std::string& valeur : v)
        if (!p.choix.empty() && std::find(p.choix.begin(), p.choix.end(), valeur) == p.choix.end())
          throw ErreurUsage("valeur " + Guillemets(valeur) + " refusée pour " + p.nom + " : " +
                            ListeChoix(p.choix, " ou "));
    } else if (p.repete) {
      const std::vector<std::string>& v = *valeurs[iValeur++];
      appel.positionnels_.insert(appel.positionnels_.end(), v.begin(), v.end());
    } else if (donne) {
      appel.positionnels_.push_back(*seuls[iSeul++]);
    } else {
      ++iSeul;
    }
  }
  // Option values in the order typed: CLI11 gives the order of the options' occurrences.
  std::vector<std::pair<std::string, std::size_t>> lus;
  for (const CLI::Option* o : app.parse_order()) {
    const auto it = std::find(cli.begin(), cli.end(), o);
    const TParametre& p = syntaxe.parametres[static_cast<std::size_t>(it - cli.begin())];
    if (!p.option || p.valeur.empty()) continue;
    std::size_t rang = 0;
    for (const auto& [nom, n] : lus) rang += nom == p.nom;
    // An option of two words appears once per word in the parse order.
    if ((rang + 1) * static_cast<std::size_t>(p.nbValeurs) > o->results().size()) continue;
    lus.push_back({p.nom, rang});
    for (int k = 0; k < p.nbValeurs; ++k)
      appel.options_.push_back({p.nom, o->results().at(rang * static_cast<std::size_t>(p.nbValeurs) + k)});
  }
  for (const auto& [drapeaux, unSeul] : syntaxe.groupes) {
    std::vector<std::string> donnes;
    for (const std::string& d : drapeaux)
      if (appel.Present(d)) donnes.push_back(d);
    if (donnes.size() > 1) throw ErreurUsage("options incompatibles : " + ListeChoix(donnes, " et "));
    if (unSeul && donnes.empty()) throw ErreurUsage("il faut l'une des options " + ListeChoix(drapeaux, " ou "));
  }
  return appel;
}

std::span<const std::string> TAppel::Suite(std::size_t i) const {
  return std::span<const std::string>(positionnels_).subspan(std::min(i, positionnels_.size()));
}

bool TAppel::Present(std::string_view option) const {
  if (std::find(drapeaux_.begin(), drapeaux_.end(), option) != drapeaux_.end()) return true;
  return std::any_of(options_.begin(), options_.end(), [option](const auto& o) { return o.first == option; });
}

std::string TAppel::Valeur(std::string_view option, const std::string& defaut) const {
  for (const auto& [nom, valeur] : options_)
    if (nom == option) return valeur;
  return defaut;
}

std::vector<std::string> TAppel::Valeurs(std::string_view option) const {
  std::vector<std::string> v;
  for (const auto& [nom, valeur] : options_)
    if (nom == option) v.push_back(valeur);
  return v;
}

TAppel AnalyseArguments(const TCommande& c, const std::vector<std::string>& args) {
  return TAnalyseur::Analyse(c, args);
}

long long Entier(const std::string& texte, long long min, long long max, const std::string& quoi) {
  const bool chiffres = !texte.empty() && texte.size() <= 18 &&
                        std::all_of(texte.begin(), texte.end(), [](char c) { return c >= '0' && c <= '9'; });
  long long n = 0;
  if (!chiffres || !TexteVersEntier(texte, n) || n < min || n > max)
    throw ErreurKy(quoi + " invalide : " + Guillemets(texte) + " (un entier de " + std::to_string(min) + " à " +
                   std::to_string(max) + ")");
  return n;
}

long NumeroPersonne(const std::string& texte) {
  return static_cast<long>(Entier(texte, 1, 0x7FFFFFFF, "numéro de personne"));
}

}  // namespace kyb::cli
