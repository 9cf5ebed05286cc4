// The person's NAME as the file wrote it, and shared notes: each text one record, pointed to
// from every place that holds it (SNOTE in 7.0, a NOTE record in 5.5.1).
#include "folder/fic_notes.h"
#include "gedcom/export_gedcom_interne.h"
#include "gedcom/import_gedcom.h"
#include "gedcom/lignes_gardees.h"
#include "gedcom/noms_gedcom.h"

namespace kyb {

void TExporteur::EcritNom(const TIdentiteParcourue& p, const std::string& prefixe, const std::string& suffixe) {
  const std::string prenoms = UnicodeVersUtf8(p.prenoms), patronyme = UnicodeVersUtf8(p.nom);
  if (p.note > 0 && dossier_.FicNotes) {
    TNote n(dossier_.FicNotes.get(), p.note);
    if (n.Existe(kTitreNomGedcom)) {
      std::string garde = AnsiVersUtf8(n.LectureNote(kTitreNomGedcom));
      std::erase(garde, '\r');
      const std::vector<TLigneGardee> lignes = LitLignesGardees(LignesNomGarde(garde, patronyme, prenoms));
      static constexpr std::string_view kIndividu[] = {"INDI"};
      if (!lignes.empty() && lignes.front().tag == "NAME") {
        (void)EcritLignesGardees(ecr_, lignes, 0, lignes.size(), 0, kIndividu);
        return;
      }
    }
  }
  ecr_.Ligne(1, "NAME", NomComplet(prefixe, prenoms, patronyme, suffixe));
  if (!prenoms.empty()) ecr_.Ligne(2, "GIVN", prenoms);
  if (!patronyme.empty()) ecr_.Ligne(2, "SURN", patronyme);
}

bool TExporteur::EcritNotePartagee(const AnsiString& titre, const std::string& texte, int niveau) {
  static const AnsiString kBase = Utf8VersAnsi(kTitreNotePartagee);
  if (!titre.starts_with(kBase)) return false;
  ecr_.Pointeur(niveau, v7_ ? "SNOTE" : "NOTE", NotePartagee(texte));
  ++bilan_.notes;
  return true;
}

std::string TExporteur::NotePartagee(const std::string& texte) {
  const auto [it, nouvelle] = notesPartagees_.try_emplace(texte, static_cast<int>(notesPartagees_.size() + 1));
  if (nouvelle) ordreNotes_.push_back(&*it);
  return "@N" + std::to_string(it->second) + "@";
}

void TExporteur::EcritNotesPartagees() {
  for (const auto* n : ordreNotes_) ecr_.Ligne(0, v7_ ? "SNOTE" : "NOTE", n->first, "@N" + std::to_string(n->second) + "@");
}

}  // namespace kyb
