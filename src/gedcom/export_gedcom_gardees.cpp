// Kept GEDCOM lines written back: each pointer becomes the pointer of the record it stands for in
// the new file, or the line goes (with its sub-lines) when that record is not there.
#include "folder/fic_notes.h"
#include "gedcom/export_gedcom_interne.h"
#include "gedcom/gedcom_gardees.h"
#include "gedcom/import_gedcom.h"
#include "gedcom/lignes_gardees.h"

namespace kyb {
namespace {

// The tag of each "N TAG value" line of a kept text.
template <class F>
void ChaqueTag(const std::string& texte, F&& f) {
  for (const TLigneGardee& l : LitLignesGardees(texte)) f(l.tag);
}

}  // namespace

std::string TExporteur::PointeurGarde(const std::string& valeur) {
  const TPointeurGarde p = LitPointeurGarde(valeur);
  switch (p.genre) {
    case 'P':
      return Sexe(static_cast<int32_t>(p.a)) != 0 ? "@I" + std::to_string(p.a) + "@" : std::string();
    case 'F': {
      const auto vivant = [&](long x) { return x == 0 || Sexe(static_cast<int32_t>(x)) != 0; };
      const int32_t f = vivant(p.a) && vivant(p.b) && p.a + p.b > 0
                            ? FamilleExistante(static_cast<int32_t>(p.a), static_cast<int32_t>(p.b)) : 0;
      return f != 0 ? "@F" + std::to_string(f) + "@" : std::string();
    }
    case 'S': {
      TSourceEven s;
      s.Type = Utf8VersUnicode(p.texte1).substr(0, kLongueurTypeSource);
      s.Descriptif = Utf8VersUnicode(p.texte2).substr(0, kLongueurDescriptif);
      return Source(s);
    }
    case 'O':
      return Media(p.texte1);
    default:
      // 7.0 names "no record" itself; a record kept whole keeps its cross-reference.
      if (v7_ && valeur == "@VOID@") return valeur;
      return EnregistrementGarde(valeur) ? valeur : std::string();
  }
}

void TExporteur::EcritGardees(const std::string& texte, int niveau, TContexteGarde contexte) {
  const TTraduitPointeur traduit = [this](const std::string& v) { return PointeurGarde(v); };
  const std::vector<TLigneGardee> lignes = LitLignesGardees(texte);
  // Kept texts start at level 1.
  bilan_.lignesGardeesRetirees += EcritLignesGardees(ecr_, lignes, 0, lignes.size(), niveau - 1, contexte, &traduit);
}

bool TExporteur::ExtensionsGardees(std::set<std::string>& tags) const {
  TFicNotes* notes = dossier_.FicNotes.get();
  if (!notes) return false;
  bool gardees = false;
  // Every directory block of the notes file, once.
  for (long bloc = 1; bloc <= notes->NbEnreg; ++bloc) {
    if (notes->LectureElementaire(bloc).Lien != TFicNotes::kLienRepertoire) continue;
    TNote n(notes, bloc);
    // The kept structures, and the lines kept beside a date, a place and the citations.
    for (const char* titre : {kTitreBalisesGedcom, kTitreDateGedcom, kTitreDetailLieuGedcom, kTitreCitationsGedcom}) {
      if (!n.Existe(titre)) continue;
      ChaqueTag(AnsiVersUtf8(n.RecupNoteTxt(titre)), [&](const std::string& tag) {
        gardees = true;
        if (tag.starts_with('_')) tags.insert(tag);
      });
    }
  }
  return gardees;
}

}  // namespace kyb
