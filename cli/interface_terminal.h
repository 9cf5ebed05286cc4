#pragma once
// The user-interface interface for a terminal: one progress bar on stderr, questions answered
// with their default (kyb never blocks waiting for input), messages printed.
//
// The bar is one line, "Titre [#####.....]  45 % (450 sur 1000) texte", redrawn in place only
// when its percentage or its text changes. When stderr is not a terminal no progress is shown at
// all, not even its title: redirected output holds only results and messages.
#include <string>

#include "platform/interface_utilisateur.h"

namespace kyb::cli {

class TInterfaceTerminal final : public TInterfaceUtilisateur {
 public:
  // Bars are drawn when stderr is a terminal.
  TInterfaceTerminal();
  void ProgressionOuvre(const UnicodeString& titre) override;
  void ProgressionMaximum(int maximum) override;
  void ProgressionPosition(int position) override;
  void ProgressionTexte(const UnicodeString& texte) override;
  void ProgressionFerme() override;
  int Question(const UnicodeString& titre, const UnicodeString& texte, int boutons,
               int reponseParDefaut) override;
  void Message(const UnicodeString& titre, const UnicodeString& texte) override;

 private:
  [[nodiscard]] int Pourcentage() const;
  void Dessine();
  void EffaceLigne();
  bool terminal_;
  bool ouverte_ = false;
  bool dessinee_ = false;  // a bar line stands on the terminal, not yet ended
  std::string titre_;
  std::string texte_;
  int maximum_ = 100;
  int position_ = 0;
  int pourcentDessine_ = -1;
  std::string texteDessine_;
};

}  // namespace kyb::cli
