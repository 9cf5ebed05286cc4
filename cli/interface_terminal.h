#pragma once
// The user-interface interface for a terminal: progress bars drawn on stderr, questions answered
// with their default (kyb never blocks waiting for input), messages printed.
#include <string>

#include "platform/interface_utilisateur.h"

namespace kyb::cli {

class TInterfaceTerminal final : public TInterfaceUtilisateur {
 public:
  void ProgressionOuvre(const UnicodeString& titre) override;
  void ProgressionMaximum(int maximum) override { maximum_ = maximum; }
  void ProgressionPosition(int position) override;
  void ProgressionTexte(const UnicodeString& texte) override;
  void ProgressionFerme() override;
  int Question(const UnicodeString& titre, const UnicodeString& texte, int boutons,
               int reponseParDefaut) override;
  void Message(const UnicodeString& titre, const UnicodeString& texte) override;

 private:
  void Dessine();
  int maximum_ = 100;
  int position_ = 0;
  std::string texte_;
};

}  // namespace kyb::cli
