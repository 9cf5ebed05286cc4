#include "sortie_terminal.h"

#include <unistd.h>

#include <cstdio>

namespace kyb::cli {
namespace {

// Escape of one control character: C0 and DEL as "\xNN", C1 as "\u00NN".
void AjouteEchappement(std::string& sortie, unsigned code, bool c1) {
  char texte[8];
  std::snprintf(texte, sizeof texte, c1 ? "\\u%04X" : "\\x%02X", code);
  sortie += texte;
}

// The escaping filter, fed in pieces: a C1 character is two bytes (C2 80..C2 9F) that a piece
// may split, so a trailing C2 waits for the next piece.
class TFiltre {
 public:
  std::string Filtre(std::string_view morceau) {
    std::string sortie;
    for (const char octet : morceau) {
      const auto c = static_cast<unsigned char>(octet);
      if (attenteC2_) {
        attenteC2_ = false;
        if (c >= 0x80 && c <= 0x9F) {
          AjouteEchappement(sortie, c, true);
          continue;
        }
        sortie += '\xC2';
      }
      if (c == 0xC2)
        attenteC2_ = true;
      else if ((c < 0x20 && c != '\n' && c != '\t') || c == 0x7F)
        AjouteEchappement(sortie, c, false);
      else
        sortie += octet;
    }
    return sortie;
  }
  std::string Fin() {
    const bool attente = attenteC2_;
    attenteC2_ = false;
    return attente ? std::string("\xC2") : std::string();
  }

 private:
  bool attenteC2_ = false;
};

struct TSortie {
  FILE* vraie;
  TFiltre filtre;
};

ssize_t Ecrit(void* cookie, const char* octets, size_t taille) {
  auto* s = static_cast<TSortie*>(cookie);
  const std::string texte = s->filtre.Filtre(std::string_view(octets, taille));
  if (std::fwrite(texte.data(), 1, texte.size(), s->vraie) != texte.size() || std::fflush(s->vraie) != 0) return -1;
  return static_cast<ssize_t>(taille);
}

int Ferme(void* cookie) {
  auto* s = static_cast<TSortie*>(cookie);
  const std::string reste = s->filtre.Fin();
  return std::fwrite(reste.data(), 1, reste.size(), s->vraie) == reste.size() && std::fflush(s->vraie) == 0 ? 0 : -1;
}

}  // namespace

std::string Echappe(std::string_view texte) {
  TFiltre f;
  std::string sortie = f.Filtre(texte);
  return sortie + f.Fin();
}

void FiltreSortieStandard() {
  static TSortie sortie{stdout, {}};
  FILE* filtre = fopencookie(&sortie, "w", cookie_io_functions_t{nullptr, Ecrit, nullptr, Ferme});
  if (!filtre) return;
  // Buffered as the terminal or file it stands for.
  std::setvbuf(filtre, nullptr, isatty(STDOUT_FILENO) ? _IOLBF : _IOFBF, BUFSIZ);
  stdout = filtre;
}

}  // namespace kyb::cli
