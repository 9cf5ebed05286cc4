#pragma once
// The one argument parser of kyb. A command declares its arguments once, in the syntax line of
// its TCommande; the parser reads that line, checks what the user typed against it (through
// CLI11) and hands the command a TAppel. Every command thus gets the same behaviour:
//   - `kyb CMD --help`, `kyb CMD -h` and `kyb aide CMD` print its usage and do nothing else;
//   - options anywhere after the command, as `--option valeur` or `--option=valeur`; after `--`
//     every word is a positional argument (a name starting with "-");
//   - an unknown option, a missing value or argument, a value outside its choices: one French
//     line on stderr and exit code 2 (kCodeUsage); the command body never runs.
//
// The syntax line, after the command's name:
//   CHEMIN             a positional argument, required          [GENERATIONS]  optional
//   DATE...            one or more (the last positional only)    [DEBUT...]     zero or more
//   --nom NOM          an option with a value, required          [--page N]     optional
//   --champ L=V...     an option given any number of times       [--oui]        a flag
//   --tri nom|numero   a value among these lowercase words (an uppercase name like M|F is only
//                      shown, the command checks it)
//   --conjoint|--enfant  flags of which exactly one is given ([...]: at most one)
// A flag is written last inside its brackets or before another option, never before a
// positional (it would be read as taking that word as value).
//
// Writing or converting a command (a few minutes): give the function the signature
//   int F(const TAppel& args)
// and put the full syntax in its TCommande line. args[i] is the i-th positional argument as
// typed (absent optional ones are not counted: args.size()), args.Valeur("--tri"),
// args.Present("--oui"), args.Valeurs("--champ") read options. Delete the body's own checks of
// counts and option positions, and its Usage() calls: the parser has done them. Read person
// numbers with NumeroPersonne (or PersonneDuDossier once the folder is open) and open the folder
// with OuvreGenealogie (dossier_cli.h): both throw ErreurKy with the French message, which kyb
// prints with exit code 1. A sub-command is a TCommande whose name has two words ("sosa
// numerote"): the dispatcher takes the longest name that matches.
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/erreur.h"

namespace kyb::cli {

struct TCommande;

// What the user typed for one command, checked against its syntax.
class TAppel {
 public:
  // The i-th positional argument given (0-based); the repeated last one is flattened at the end.
  [[nodiscard]] const std::string& operator[](std::size_t i) const { return positionnels_.at(i); }
  [[nodiscard]] std::size_t size() const { return positionnels_.size(); }
  [[nodiscard]] bool empty() const { return positionnels_.empty(); }
  // Positional arguments from i to the end.
  [[nodiscard]] std::span<const std::string> Suite(std::size_t i) const;
  // A flag or an option given at least once.
  [[nodiscard]] bool Present(std::string_view option) const;
  // The value of an option given once, or defaut.
  [[nodiscard]] std::string Valeur(std::string_view option, const std::string& defaut = {}) const;
  // Every value of an option, in the order typed.
  [[nodiscard]] std::vector<std::string> Valeurs(std::string_view option) const;
  // Every option with a value, in the order typed across options: (option, value).
  [[nodiscard]] const std::vector<std::pair<std::string, std::string>>& DansLOrdre() const { return options_; }
  // The command's name as dispatched ("sosa numerote").
  [[nodiscard]] const std::string& Commande() const { return commande_; }

 private:
  friend class TAnalyseur;
  std::string commande_;
  std::vector<std::string> positionnels_;
  std::vector<std::pair<std::string, std::string>> options_;
  std::vector<std::string> drapeaux_;
};

// A usage error: the French line names what is wrong; kyb adds the command's syntax and exits 2.
class ErreurUsage : public std::runtime_error {
 public:
  explicit ErreurUsage(const std::string& message) : std::runtime_error(message) {}
};

// Checks args (the words after the command's name) against c's syntax. Throws ErreurUsage.
[[nodiscard]] TAppel AnalyseArguments(const TCommande& c, const std::vector<std::string>& args);

// A person number typed by the user: decimal digits only, 1 to 2147483647. Throws ErreurKy
// (French, naming the text) for anything else: sign, spaces, junk, 0, a number too large.
[[nodiscard]] long NumeroPersonne(const std::string& texte);
// A whole number from min to max; quoi names it in the message ("nombre de générations").
[[nodiscard]] long long Entier(const std::string& texte, long long min, long long max, const std::string& quoi);

}  // namespace kyb::cli
