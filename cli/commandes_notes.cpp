// kyb commands on notes: note.
#include <cstdio>

#include "commandes.h"
#include "dossier_cli.h"
#include "folder/fic_notes.h"
#include "index/ouverture_genealogie.h"

namespace kyb::cli {
namespace {

int Note(const TAppel& args) {
  const long long no = Entier(args[1], 1, 0x7FFFFFFF, "numéro de note");
  // Reading only: the folder is opened read-only so that nothing in it changes.
  const auto dossier = OuvreGenealogie(args[0], TAcces::Lecture);
  const TGestFichier& g = *dossier;
  if (!g.FicNotes || !g.FicNotes->Valide()) return Echec("le dossier n'a pas de fichier de notes");
  TFicNotes& f = *g.FicNotes;
  if (no > f.NbEnreg)
    return Echec("la note " + args[1] + " n'existe pas (dernier bloc : " + std::to_string(f.NbEnreg) + ")");
  if (f.LectureElementaire(static_cast<long>(no)).Lien != TFicNotes::kLienRepertoire)
    return Echec("la note " + args[1] + " n'existe pas (le bloc " + args[1] + " n'est pas un répertoire de notes)");
  TNote note(&f, static_cast<long>(no));
  const std::vector<AnsiString> titres = note.Titres();
  std::printf("Note             : %lld\n", no);
  std::printf("Rubriques        : %zu\n", titres.size());
  for (const AnsiString& titre : titres) {
    const long bloc = note.GetPositionTitre(titre);
    std::printf("\n== %s (bloc %ld)\n", AnsiVersUtf8(titre).c_str(), bloc);
    const AnsiString texte = note.RecupNoteTxt(titre);
    std::printf("%s\n", bloc > 0 ? AnsiVersUtf8(texte).c_str() : "(sans texte)");
  }
  return 0;
}

constexpr TCommande kCommandes[] = {
    {"note", "note CHEMIN N", "rubriques et textes de la note N", Note},
};

}  // namespace

std::span<const TCommande> CommandesNotes() { return kCommandes; }

}  // namespace kyb::cli
