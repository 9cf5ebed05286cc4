// kyb: the command-line front of kybase. It parses arguments and calls the library.
#include <algorithm>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "commandes.h"
#include "platform/caracteres.h"
#include "platform/fichiers.h"
#include "platform/thread_nom.h"
#include "sortie_terminal.h"

namespace {

using kyb::cli::TCommande;

std::vector<TCommande> Toutes() {
  // One line per subsystem's table.
  const std::span<const TCommande> parties[] = {
      kyb::cli::CommandesBase(),
      kyb::cli::CommandesDossier(),
      kyb::cli::CommandesPersonnes(),
      kyb::cli::CommandesChamps(),
      kyb::cli::CommandesDates(),
      kyb::cli::CommandesNoms(),
      kyb::cli::CommandesCommunes(),
      kyb::cli::CommandesSosa(),
      kyb::cli::CommandesNotes(),
      kyb::cli::CommandesLieux(),
      kyb::cli::CommandesEvenements(),
      kyb::cli::CommandesIndex(),
      kyb::cli::CommandesRecherche(),
      kyb::cli::CommandesParente(),
      kyb::cli::CommandesGedcom(),
      kyb::cli::CommandesMaintenance(),
      kyb::cli::CommandesEchange(),
      kyb::cli::CommandesVerification(),
      kyb::cli::CommandesSelection(),
      kyb::cli::CommandesQuotidiennes(),
      kyb::cli::CommandesArbre(),
  };
  std::vector<TCommande> t;
  for (const auto& part : parties) t.insert(t.end(), part.begin(), part.end());
  return t;
}

// The command named by the first words of args (the longest name that matches), or null; mots:
// how many words its name takes.
const TCommande* Trouve(const std::vector<TCommande>& toutes, const std::vector<std::string>& args, size_t& mots) {
  const TCommande* trouvee = nullptr;
  mots = 0;
  for (const TCommande& c : toutes) {
    std::string nom;
    size_t n = 0;
    for (; n < args.size() && nom.size() < std::string(c.nom).size(); ++n) nom += (n ? " " : "") + args[n];
    if (nom == c.nom && n > mots) trouvee = &c, mots = n;
  }
  return trouvee;
}

// The usage of a command and of its sub-commands ("date": date, date ecart, date trie).
void AfficheUsage(const std::vector<TCommande>& toutes, const TCommande& c) {
  const std::string premier = std::string(c.nom).substr(0, std::string(c.nom).find(' '));
  std::printf("Usage :\n");
  for (const TCommande& autre : toutes) {
    const std::string nom = autre.nom;
    if (nom == premier || nom.starts_with(premier + " ")) std::printf("  kyb %s\n      %s\n", autre.syntaxe, autre.resume);
  }
}

bool DemandeAide(const std::vector<std::string>& args) {
  for (const std::string& a : args) {
    if (a == "--") return false;
    if (a == "-h" || a == "--help") return true;
  }
  return false;
}

}  // namespace

namespace kyb::cli {

int Echec(const std::string& message) {
  // A failure that follows a write refused for lack of space names the full disk first.
  const bool plein = EcrituresEchouees() > 0 && CauseDerniereEcritureEchouee() == TErreurSysteme::DisquePlein &&
                     message.find("disque est plein") == std::string::npos;
  std::fprintf(stderr, "kyb : %s%s\n", plein ? "le disque est plein : " : "", Echappe(message).c_str());
  return 1;
}

int Aide(const TAppel& args) {
  const std::vector<TCommande> toutes = Toutes();
  if (!args.empty()) {
    size_t mots = 0;
    const std::vector<std::string> noms(args.Suite(0).begin(), args.Suite(0).end());
    const TCommande* c = Trouve(toutes, noms, mots);
    if (!c) throw ErreurUsage("commande inconnue « " + Echappe(args[0]) + " »");
    AfficheUsage(toutes, *c);
    return 0;
  }
  std::printf("Usage : kyb COMMANDE [ARGUMENTS]   (kyb aide COMMANDE, kyb COMMANDE --help : son usage)\n\nCommandes :\n");
  for (const TCommande& c : toutes) std::printf("  %-40s %s\n", c.syntaxe, c.resume);
  return 0;
}

}  // namespace kyb::cli

int main(int argc, char** argv) {
  kyb::NommeThreadPrincipal();
  kyb::cli::FiltreSortieStandard();
  if (argc < 2) {
    std::fprintf(stderr, "kyb : commande manquante (voir « kyb aide »)\n");
    return kyb::cli::kCodeUsage;
  }
  const std::vector<std::string> tout(argv + 1, argv + argc);
  if (tout[0] == "-h" || tout[0] == "--help") return kyb::cli::Aide({});
  // Bytes that are not UTF-8 would be read with a substitute: refused, as for paths.
  for (size_t i = 0; i < tout.size(); ++i)
    if (!kyb::EstUtf8Valide(tout[i]))
      return kyb::cli::Echec("l'argument " + std::to_string(i) + " de « kyb " + kyb::cli::Echappe(tout[0]) +
                             " » n'est pas du texte UTF-8 valide : rien n'a été fait");
  const std::vector<TCommande> toutes = Toutes();
  size_t mots = 0;
  const TCommande* c = Trouve(toutes, tout, mots);
  if (!c) {
    const bool famille = std::any_of(toutes.begin(), toutes.end(),
                                     [&](const TCommande& t) { return std::string(t.nom).starts_with(tout[0] + " "); });
    if (famille)
      std::fprintf(stderr, "kyb %s : sous-commande manquante ou inconnue (voir « kyb aide %s »)\n",
                   kyb::cli::Echappe(tout[0]).c_str(), kyb::cli::Echappe(tout[0]).c_str());
    else
      std::fprintf(stderr, "kyb : commande inconnue « %s » (voir « kyb aide »)\n", kyb::cli::Echappe(tout[0]).c_str());
    return kyb::cli::kCodeUsage;
  }
  const std::vector<std::string> args(tout.begin() + static_cast<std::ptrdiff_t>(mots), tout.end());
  if (DemandeAide(args)) {
    AfficheUsage(toutes, *c);
    return 0;
  }
  try {
    const int code = c->executer(kyb::cli::AnalyseArguments(*c, args));
    // A command never ends well after one of its writes failed.
    if (code == 0 && kyb::EcrituresEchouees() > 0)
      return kyb::cli::Echec("une écriture sur le disque a échoué : le travail n'est pas complet");
    return code;
  } catch (const kyb::cli::ErreurUsage& e) {
    std::fprintf(stderr, "kyb %s : %s (usage : kyb %s)\n", c->nom, kyb::cli::Echappe(e.what()).c_str(), c->syntaxe);
    return kyb::cli::kCodeUsage;
  } catch (const std::exception& e) {
    return kyb::cli::Echec(e.what());
  }
}
