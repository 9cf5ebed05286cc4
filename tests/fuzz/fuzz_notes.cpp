// Fuzzes the notes file: the bytes given become "Essai.not" of a writable folder. Every directory
// block is read with all its headings; then a few notes are rewritten (RTF texts, rewritten in
// place when they can be, and plain texts). After each write, the text written must read back,
// and no block that belonged to another note (its directory or its chain, found by a plain walk
// of the file) may have changed.
#include <unistd.h>

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "folder/fic_notes.h"
#include "folder/gest_fic.h"
#include "fuzz_commun.h"
#include "platform/fichiers.h"

namespace {

constexpr size_t B = kyb::TFicNotes::kTailleBloc;

// The folder lives in memory (fuzz_commun.h): contents are checked, not durability.
const std::string& Repertoire() {
  static const std::string rep = kyb::fuzz::Repertoire("notes") + "Essai.kya/";
  static const bool cree = kyb::CreeRepertoires(rep);
  (void)cree;
  return rep;
}

std::string Contenu(const std::string& chemin) {
  std::ifstream f(chemin, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), {}};
}

int32_t Lien(const std::string& octets, long bloc) {
  int32_t lien = 0;
  std::memcpy(&lien, octets.data() + static_cast<size_t>(bloc) * B + 508, 4);
  return lien;
}

// A directory line as a block number: plain decimal digits (optional '-'), else 0.
long Numero(const std::string& ligne) {
  char* fin = nullptr;
  const long n = std::strtol(ligne.c_str(), &fin, 10);
  const bool propre = !ligne.empty() && fin == ligne.c_str() + ligne.size() && !std::isspace(static_cast<unsigned char>(ligne[0])) && ligne[0] != '+';
  return propre ? n : 0;
}

// Blocks that belong to the notes other than `sauf`: their directories and their chains.
std::set<long> BlocsDesAutres(kyb::TFicNotes& f, const std::string& octets, long sauf) {
  std::set<long> blocs;
  const long nb = static_cast<long>(octets.size() / B) - 1;
  for (long d = 1; d <= nb && d <= f.NbEnreg; ++d) {
    if (d == sauf || Lien(octets, d) != -1) continue;
    blocs.insert(d);
    const kyb::TNote note(&f, d);
    for (size_t i = 1; i < note.Lignes().size(); i += 2) {
      std::set<long> vus;
      for (long b = Numero(note.Lignes()[i]); b > 0 && b <= nb && vus.insert(b).second;) {
        const int32_t lien = Lien(octets, b);
        if (lien == -1) break;
        blocs.insert(b);
        b = lien;
      }
    }
  }
  return blocs;
}

void Verifie(bool condition, const char* quoi, long valeur) {
  if (condition) return;
  std::fprintf(stderr, "fuzz_notes : %s (%ld)\n", quoi, valeur);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
  const std::string& rep = Repertoire();
  const std::string chemin = rep + "Essai.not";
  {
    std::ofstream not_(chemin, std::ios::binary | std::ios::trunc);
    not_.write(reinterpret_cast<const char*>(donnees), static_cast<std::streamsize>(taille));
  }
  kyb::TGestFichier dossier(rep + "Essai.adb");
  kyb::TFicNotes fichier(&dossier, false);
  const long n = fichier.NbEnreg < 300 ? fichier.NbEnreg : 300;
  for (long no = -3; no <= n + 1; ++no) {
    kyb::TNote note(&fichier, no);
    for (const kyb::AnsiString& titre : note.Titres()) (void)note.RecupNoteTxt(titre);
    (void)fichier.LectureChaine(no);
  }
  // Rewrites: three notes named by the input, alternately RTF and plain, long and short.
  for (int tour = 0; tour < 6 && !dossier.Erreur; ++tour) {
    const long no = taille > 0 ? 1 + static_cast<long>(donnees[static_cast<size_t>(tour) % taille]) % (n + 1) : 1;
    kyb::TNote note(&fichier, no);
    const std::string avant = Contenu(chemin);
    const std::set<long> autres = BlocsDesAutres(fichier, avant, note.Numero());
    const std::string texte = (tour % 2 == 0 ? std::string("{\\rtf1 ") : std::string("texte ")) +
                              std::string(static_cast<size_t>(tour % 3 == 0 ? 1500 : 200), static_cast<char>('a' + tour));
    const kyb::AnsiString titre = note.Titres().empty() ? kyb::AnsiString("Fuzz") : note.Titres().front();
    note.ModifNote(titre, texte);
    if (dossier.Erreur) break;
    const std::string apres = Contenu(chemin);
    for (const long b : autres)
      Verifie(apres.compare(static_cast<size_t>(b) * B, B, avant, static_cast<size_t>(b) * B, B) == 0,
              "bloc d'une autre note modifié", b);
    if (note.TexteListe().size() <= kyb::TFicNotes::kTailleTexte && note.Numero() > 0)
      Verifie(kyb::TNote(&fichier, note.Numero()).LectureNote(titre) == texte, "texte relu différent", note.Numero());
  }
  dossier.SetError(false);
  return 0;
}
