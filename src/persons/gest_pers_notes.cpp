// The note of a person (headings and texts in the notes file) and the events of other persons
// that cite it.
#include "folder/fic_notes.h"
#include "persons/gest_pers.h"
#include "store/datamodulebdd.h"

namespace kyb {

std::vector<AnsiString> TPerson::ChargeNote() const {
  std::vector<AnsiString> lignes;
  TGestFichier* dossier = Dossier();
  TFicNotes* notes = dossier ? dossier->FicNotes.get() : nullptr;
  if (!notes || Public.Note <= 0) return lignes;
  TNote note(notes, Public.Note);
  for (const AnsiString& titre : note.Titres()) {
    const AnsiString texte = note.LectureNote(titre);
    lignes.push_back(titre.empty() ? texte : titre + " : " + texte);
  }
  return lignes;
}

bool TPerson::SetNote(const AnsiString& titre, const AnsiString& texte) {
  TGestFichier* dossier = Dossier();
  TFicNotes* notes = dossier ? dossier->FicNotes.get() : nullptr;
  if (!notes || dossier->IsReadOnly() || dossier->Erreur) return false;
  TNote note(notes, Public.Note > 0 ? Public.Note : 0);
  if (texte.empty()) {
    if (Public.Note <= 0 || !note.Existe(titre)) return true;
    note.SupprimeNote(titre);
  } else {
    (void)note.ModifNote(titre, texte);
    if (dossier->Erreur || note.RepertoirePlein()) return false;
  }
  Public.Note = static_cast<int32_t>(note.Numero());
  return true;
}

std::vector<long> TPerson::GetCitations() const {
  TModuleBDD* bdd = Bdd();
  if (!bdd || numero_ <= 0) return {};
  return bdd->GetIdEvensCitant(numero_);
}

}  // namespace kyb
