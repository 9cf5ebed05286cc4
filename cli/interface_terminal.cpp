#include "interface_terminal.h"

#include <unistd.h>

#include <cstdio>

#include "sortie_terminal.h"

namespace kyb::cli {

void TInterfaceTerminal::ProgressionOuvre(const UnicodeString& titre) {
  position_ = 0;
  texte_.clear();
  std::fprintf(stderr, "%s\n", Echappe(UnicodeVersUtf8(titre)).c_str());
}

void TInterfaceTerminal::ProgressionPosition(int position) {
  position_ = position;
  Dessine();
}

void TInterfaceTerminal::ProgressionTexte(const UnicodeString& texte) {
  texte_ = Echappe(UnicodeVersUtf8(texte));
  Dessine();
}

void TInterfaceTerminal::ProgressionFerme() {
  if (isatty(STDERR_FILENO)) std::fprintf(stderr, "\n");
}

void TInterfaceTerminal::Dessine() {
  if (!isatty(STDERR_FILENO)) return;
  constexpr int kLargeur = 30;
  const int plein = maximum_ > 0 ? std::min(kLargeur, position_ * kLargeur / maximum_) : 0;
  std::string barre(static_cast<size_t>(plein), '#');
  barre.append(static_cast<size_t>(kLargeur - plein), '.');
  std::fprintf(stderr, "\r[%s] %s\033[K", barre.c_str(), texte_.c_str());
  std::fflush(stderr);
}

int TInterfaceTerminal::Question(const UnicodeString& titre, const UnicodeString& texte, int,
                                 int reponseParDefaut) {
  std::fprintf(stderr, "%s\n%s\n", Echappe(UnicodeVersUtf8(titre)).c_str(), Echappe(UnicodeVersUtf8(texte)).c_str());
  return reponseParDefaut;
}

void TInterfaceTerminal::Message(const UnicodeString& titre, const UnicodeString& texte) {
  std::fprintf(stderr, "%s : %s\n", Echappe(UnicodeVersUtf8(titre)).c_str(), Echappe(UnicodeVersUtf8(texte)).c_str());
}

}  // namespace kyb::cli
