#include "interface_terminal.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "sortie_terminal.h"

namespace kyb::cli {

TInterfaceTerminal::TInterfaceTerminal() : terminal_(isatty(STDERR_FILENO) != 0) {}

void TInterfaceTerminal::ProgressionOuvre(const UnicodeString& titre) {
  if (dessinee_) ProgressionFerme();
  ouverte_ = true;
  titre_ = Echappe(UnicodeVersUtf8(titre));
  texte_.clear();
  maximum_ = 100;
  position_ = 0;
  pourcentDessine_ = -1;
  texteDessine_.clear();
}

void TInterfaceTerminal::ProgressionMaximum(int maximum) {
  maximum_ = maximum;
  Dessine();
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
  if (dessinee_) std::fprintf(stderr, "\n");
  dessinee_ = ouverte_ = false;
}

int TInterfaceTerminal::Pourcentage() const {
  if (maximum_ <= 0) return 0;
  return static_cast<int>(std::clamp(static_cast<long long>(position_) * 100 / maximum_, 0LL, 100LL));
}

void TInterfaceTerminal::Dessine() {
  if (!terminal_ || !ouverte_) return;
  const int pourcent = Pourcentage();
  if (pourcent == pourcentDessine_ && texte_ == texteDessine_) return;
  pourcentDessine_ = pourcent;
  texteDessine_ = texte_;
  constexpr int kLargeur = 30;
  const int plein = pourcent * kLargeur / 100;
  std::string barre(static_cast<size_t>(plein), '#');
  barre.append(static_cast<size_t>(kLargeur - plein), '.');
  std::fprintf(stderr, "\r%s [%s] %3d %% (%d sur %d)%s%s\033[K", titre_.c_str(), barre.c_str(), pourcent,
               std::clamp(position_, 0, std::max(maximum_, 0)), std::max(maximum_, 0), texte_.empty() ? "" : " ",
               texte_.c_str());
  std::fflush(stderr);
  dessinee_ = true;
}

void TInterfaceTerminal::EffaceLigne() {
  if (!dessinee_) return;
  std::fprintf(stderr, "\r\033[K");
  pourcentDessine_ = -1;
  texteDessine_.clear();
  dessinee_ = false;
}

int TInterfaceTerminal::Question(const UnicodeString& titre, const UnicodeString& texte, int,
                                 int reponseParDefaut) {
  EffaceLigne();
  std::fprintf(stderr, "%s\n%s\n", Echappe(UnicodeVersUtf8(titre)).c_str(), Echappe(UnicodeVersUtf8(texte)).c_str());
  return reponseParDefaut;
}

void TInterfaceTerminal::Message(const UnicodeString& titre, const UnicodeString& texte) {
  EffaceLigne();
  std::fprintf(stderr, "%s : %s\n", Echappe(UnicodeVersUtf8(titre)).c_str(), Echappe(UnicodeVersUtf8(texte)).c_str());
}

}  // namespace kyb::cli
