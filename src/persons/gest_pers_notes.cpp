// The note of a person (headings and texts in the notes file) and the events of other persons
// that cite it.
#include "engine/acr_query.h"
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
    if (dossier->Erreur) return false;
  }
  Public.Note = static_cast<int32_t>(note.Numero());
  return true;
}

std::vector<long> TPerson::GetCitations() const {
  std::vector<long> ids;
  TModuleBDD* bdd = Bdd();
  if (!bdd || numero_ <= 0) return ids;
  TACRQuery q(bdd->Database(),
              "SELECT DISTINCT Eve.ID FROM PersAssociees AS Pa JOIN Evenements AS Eve ON Eve.ID = Pa.ID_EVEN "
              "WHERE Pa.LienPers_No = :n AND Eve.NoPersA > 0 AND Eve.NoPersA <> :n AND Eve.Type = 0 ORDER BY Eve.ID");
  q.SetParamInteger("n", numero_);
  if (!q.Open()) return ids;
  for (; !q.Eof(); q.Next()) ids.push_back(q.Fields(0).AsInteger());
  return ids;
}

}  // namespace kyb
