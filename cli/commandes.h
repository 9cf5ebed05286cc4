#pragma once
// The sub-commands of kyb. Each subsystem keeps its own in commandes_<subsystem>.cpp and lists
// them in a table; main.cpp gathers the tables. Texts are French, output is UTF-8.
#include <span>
#include <string>
#include <vector>

namespace kyb::cli {

using Arguments = std::vector<std::string>;

struct TCommande {
  const char* nom;       // first word after kyb
  const char* syntaxe;   // shown by "kyb aide"
  const char* resume;    // one line, French
  int (*executer)(const Arguments& args);  // args after the command name; returns the exit code
};

std::span<const TCommande> CommandesBase();
std::span<const TCommande> CommandesDossier();
std::span<const TCommande> CommandesPersonnes();
std::span<const TCommande> CommandesChamps();
std::span<const TCommande> CommandesDates();
std::span<const TCommande> CommandesNoms();
std::span<const TCommande> CommandesCommunes();
std::span<const TCommande> CommandesParente();
std::span<const TCommande> CommandesSosa();
std::span<const TCommande> CommandesNotes();
std::span<const TCommande> CommandesLieux();
std::span<const TCommande> CommandesEvenements();
std::span<const TCommande> CommandesIndex();
std::span<const TCommande> CommandesRecherche();
std::span<const TCommande> CommandesGedcom();
std::span<const TCommande> CommandesMaintenance();
std::span<const TCommande> CommandesEchange();

// Prints a French error on stderr and returns the failure exit code (1).
int Echec(const std::string& message);

// Prints the expected syntax on stderr and returns the usage-error exit code (2).
int Usage(const std::string& syntaxe);

inline constexpr int kCodeUsage = 2;

}  // namespace kyb::cli
