// The pieces of an event (its sub-tagged parts: the ADDR of a residence) with the sub-lines an
// import kept below them (ADR1, CITY...), and the event line's own text when a piece took the
// datum (the 7.0 text of RESI beside its ADDR).
#include <algorithm>

#include "folder/fic_notes.h"
#include "gedcom/export_gedcom_interne.h"
#include "gedcom/import_gedcom.h"

namespace kyb {
namespace {

std::string Rubrique(TNote& n, const char* titre) {
  std::string s = AnsiVersUtf8(n.LectureNote(titre));
  std::erase(s, '\r');
  return s;
}

}  // namespace

std::string TExporteur::ValeurEtMorceaux(int32_t note, std::string& valeur,
                                         std::vector<std::pair<std::string, std::string>>& pieces) const {
  if (note <= 0 || !dossier_.FicNotes) return {};
  TNote n(dossier_.FicNotes.get(), note);
  const std::string ligne = Rubrique(n, kTitreValeurGedcom);
  if (!ligne.empty() && valeur.empty()) {
    const auto meme = std::find_if(pieces.begin(), pieces.end(), [&](const auto& p) { return p.second == ligne; });
    if (v7_) {
      // The datum that was the line's text is written there alone.
      valeur = ligne;
      if (meme != pieces.end()) pieces.erase(meme);
    } else if (meme == pieces.end()) {
      // 5.5.1 gives these events no text on the line: a note of the event keeps it.
      pieces.emplace_back("NOTE", ligne);
    }
  }
  return Rubrique(n, kTitreMorceauxGedcom);
}

void TExporteur::EcritMorceaux(const TChpCs* def, const std::vector<std::pair<std::string, std::string>>& pieces,
                               const std::string& morceaux, int niveau, std::span<std::string_view> dessus) {
  TBlocsGardes blocs(morceaux);
  const TTraduitPointeur traduit = [this](const std::string& v) { return PointeurGarde(v); };
  std::vector<std::string_view> contexte(dessus.begin(), dessus.end() - 1);
  contexte.emplace_back();
  const auto sousLignes = [&](const std::string& sous) {
    contexte.back() = sous;
    return !blocs.Vide() && blocs.EcritSousLignes(ecr_, sous, "", niveau, contexte, nullptr, &traduit);
  };
  for (const auto& [sous, texte] : pieces) {
    ecr_.Ligne(niveau, sous, texte);
    (void)sousLignes(sous);
  }
  if (blocs.Vide() || !def) return;
  // A piece without text whose sub-lines were kept (an ADDR given by its parts alone).
  for (const AnsiString& s : def->SousTagGedCom) {
    const std::string sous = s;
    if (sous.empty() || std::any_of(pieces.begin(), pieces.end(), [&](const auto& p) { return p.first == sous; })) continue;
    if (morceaux.find("1 " + sous + "\n") == std::string::npos) continue;
    ecr_.Ligne(niveau, sous);
    (void)sousLignes(sous);
  }
}

}  // namespace kyb
