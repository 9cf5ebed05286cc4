// The place of an event typed by the user. The places table holds 50 characters: a longer text
// is numbered cut, and the whole text goes to the event's note under the heading "Lieu", as the
// import does. The note is never changed where it stands: the edit writes a new directory
// (the old headings plus or minus "Lieu"), so that an edit refused later leaves the stored note
// as it was.
#include "folder/fic_dupli.h"
#include "folder/fic_notes.h"
#include "persons/edition_personne.h"

namespace kyb {
namespace {

std::string Guillemets(const std::string& texte) { return "« " + texte + " »"; }

}  // namespace

bool TEditionPersonne::NoteSansLieu(TEvenement& e, TNote& nouvelle, TFicNotes& notes) {
  long no = 0;
  nouvelle.NouvelleFiche(no);
  if (no < 1) return false;
  const TNote ancienne(&notes, e.Enreg.Note > 0 ? e.Enreg.Note : 0);
  const std::vector<AnsiString>& lignes = ancienne.Lignes();
  for (size_t i = 0; i + 1 < lignes.size(); i += 2)
    if (lignes[i] != kTitreNoteLieu) nouvelle.SetPositionTitre(lignes[i], ancienne.GetPositionTitre(lignes[i]));
  return true;
}

std::string TEditionPersonne::Lieu(TEvenement& e, const std::string& valeur) {
  const UnicodeString texte = Utf8VersUnicode(valeur);
  e.Enreg.Lieu = 0;
  if (!valeur.empty()) {
    TFicDupli* lieux = fichier_.Dossier()->GetFicLieux();
    const TEltDupWideChn lieu(texte);
    const long n = lieux ? lieux->Cherche(&lieu, true) : 0;
    if (n <= 0) return "le lieu " + Guillemets(valeur) + " n'a pas pu être enregistré";
    e.Enreg.Lieu = static_cast<int32_t>(n);
  }
  const bool long_ = texte.size() > TFicDupli::kLgValeur;
  TFicNotes* notes = fichier_.Dossier()->FicNotes.get();
  if (!notes) return long_ ? "le lieu dépasse " + std::to_string(TFicDupli::kLgValeur) + " caractères (" +
                                 std::to_string(texte.size()) + ") et le dossier n'a pas de fichier de notes"
                           : std::string();
  const bool avaitLieu = e.Enreg.Note > 0 && TNote(notes, e.Enreg.Note).Existe(kTitreNoteLieu);
  if (!long_ && !avaitLieu) return {};
  TNote note(notes, 0);
  if (!NoteSansLieu(e, note, *notes)) return "la note de l'événement n'a pas pu être écrite";
  if (long_) {
    (void)note.ModifNote(kTitreNoteLieu, Utf8VersAnsi(valeur));
    if (note.RepertoirePlein())
      return "le lieu dépasse " + std::to_string(TFicDupli::kLgValeur) + " caractères et la note de l'événement ne peut "
             "plus recevoir de rubrique pour le texte entier";
    avertissements_.push_back("le lieu " + Guillemets(valeur) + " dépasse " + std::to_string(TFicDupli::kLgValeur) +
                              " caractères : la table des lieux en garde " + std::to_string(TFicDupli::kLgValeur) +
                              ", la note de l'événement (rubrique « Lieu ») le texte entier");
  } else if (!note.EnregistrementEntete()) {
    return "la note de l'événement n'a pas pu être écrite";
  }
  if (fichier_.Dossier()->Erreur) return "la note de l'événement n'a pas pu être écrite";
  e.Enreg.Note = static_cast<int32_t>(note.Lignes().empty() ? 0 : note.Numero());
  return {};
}

}  // namespace kyb
