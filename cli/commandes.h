#pragma once
// The sub-commands of kyb. Each subsystem keeps its own in commandes_<subsystem>.cpp and lists
// them in a table; main.cpp gathers the tables. Texts are French, output is UTF-8. How the
// arguments are declared and read: arguments.h.
#include <span>
#include <string>
#include <vector>

#include "arguments.h"

namespace kyb::cli {

struct TCommande {
  const char* nom;       // the words after kyb: "info", or a sub-command "sosa numerote"
  const char* syntaxe;   // the name then the arguments, as arguments.h reads it; shown by "kyb aide"
  const char* resume;    // one line, French
  int (*executer)(const TAppel& args);  // runs once the arguments are checked; returns the exit code
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
std::span<const TCommande> CommandesVerification();
std::span<const TCommande> CommandesSelection();
std::span<const TCommande> CommandesQuotidiennes();
std::span<const TCommande> CommandesArbre();

// Prints a French error on stderr and returns the failure exit code (1).
int Echec(const std::string& message);

inline constexpr int kCodeUsage = 2;

}  // namespace kyb::cli
