// kyb: the command-line front of kybase. It parses arguments and calls the library.
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
  };
  std::vector<TCommande> t;
  for (const auto& part : parties) t.insert(t.end(), part.begin(), part.end());
  return t;
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

int Usage(const std::string& syntaxe) {
  std::fprintf(stderr, "kyb : usage : %s\n", syntaxe.c_str());
  return kCodeUsage;
}

int Aide(const Arguments&) {
  std::printf("Usage : kyb COMMANDE [ARGUMENTS]\n\nCommandes :\n");
  for (const TCommande& c : Toutes()) std::printf("  %-40s %s\n", c.syntaxe, c.resume);
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
  const std::string nom = argv[1];
  if (nom == "-h" || nom == "--help") return kyb::cli::Aide({});
  const kyb::cli::Arguments args(argv + 2, argv + argc);
  // Bytes that are not UTF-8 would be read with a substitute: refused, as for paths.
  for (size_t i = 0; i < args.size(); ++i)
    if (!kyb::EstUtf8Valide(args[i]))
      return kyb::cli::Echec("l'argument " + std::to_string(i + 1) + " de « kyb " + nom +
                             " » n'est pas du texte UTF-8 valide : rien n'a été fait");
  try {
    for (const TCommande& c : Toutes()) {
      if (nom != c.nom) continue;
      const int code = c.executer(args);
      // A command never ends well after one of its writes failed.
      if (code == 0 && kyb::EcrituresEchouees() > 0)
        return kyb::cli::Echec("une écriture sur le disque a échoué : le travail n'est pas complet");
      return code;
    }
    std::fprintf(stderr, "kyb : commande inconnue « %s » (voir « kyb aide »)\n", kyb::cli::Echappe(nom).c_str());
    return kyb::cli::kCodeUsage;
  } catch (const std::exception& e) {
    return kyb::cli::Echec(e.what());
  }
}
