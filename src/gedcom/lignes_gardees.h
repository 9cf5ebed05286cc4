#pragma once
// Kept GEDCOM lines: what an import could not place in the model, stored as GEDCOM text
// ("1 TAG value", one line each, continuations as CONT lines) in a note heading, and written
// back by the export under the line they belong to.
//
// Blocks: a kept text may hold several structures one after the other, each starting at the
// level of its root; a block is found again by its root's tag and value (a citation by the key
// of its description, a source record by its title).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <functional>
#include <span>

#include "folder/gest_fic.h"
#include "gedcom/ecrivain_gedcom.h"
#include "platform/chaines.h"

namespace kyb {

struct TLigneGardee {
  int niveau = 0;
  std::string xref;  // of a kept record's root ("0 @R1@ REPO"), else empty
  std::string tag;
  std::string valeur;
};

// The lines of a kept text; a line that does not start with a level and a tag is skipped.
[[nodiscard]] std::vector<TLigneGardee> LitLignesGardees(std::string_view texte);

// The pointer a kept pointer stands for in the file being written; empty when its record is not
// there (the line then goes, with the lines below it).
using TTraduitPointeur = std::function<std::string(const std::string&)>;

// The tags of the structures above kept lines, from the record down ({"INDI", "BIRT"}).
using TContexteGarde = std::span<const std::string_view>;

// Writes lines [debut, fin) in the form of the writer's version (gedcom/versions_gedcom.h), their
// structures above being contexte; a line of level n at level n + decalage. A value that is a
// pointer goes through traduit when given, else is written as it stands ("@R1@"). Returns the
// number of lines left out (with their sub-lines) because their pointer names no record.
long EcritLignesGardees(TEcrivainGedcom& ecr, const std::vector<TLigneGardee>& lignes, std::size_t debut,
                        std::size_t fin, int decalage, TContexteGarde contexte,
                        const TTraduitPointeur* traduit = nullptr);

// The line an import puts first in the kept detail of a citation written in place, with no source
// record ("1 SOUR text"): its value is the citation's whole text when the description cannot hold
// it. No GEDCOM tag starts with "#": the line is never written.
inline constexpr std::string_view kMarqueSansSource = "#SANS_SOURCE";

// A kept structure's blocks: each root (a line of the lowest level) and the lines below it.
class TBlocsGardes {
 public:
  explicit TBlocsGardes(std::string_view texte);
  // Writes the lines below the first block not yet used whose root has this tag and value (and,
  // when type is given, a _TYPE line of that value, the _TYPE line itself not written), its root
  // at level niveau; false when there is none.
  // contexte: the structures above the lines written, the root's tag last.
  bool EcritSousLignes(TEcrivainGedcom& ecr, std::string_view tag, std::string_view valeur, int niveau,
                       TContexteGarde contexte, const std::string* type = nullptr,
                       const TTraduitPointeur* traduit = nullptr);
  // Writes the first block not yet used whose root has this tag and value and a FILE line below
  // it: its root (without its value) at level niveau, then its lines; false when there is none.
  // contexte: the structures above the root.
  bool EcritBloc(TEcrivainGedcom& ecr, std::string_view tag, std::string_view valeur, int niveau,
                 TContexteGarde contexte, const TTraduitPointeur* traduit = nullptr);
  // The lines below the first block not yet used whose root has this tag and value, and the
  // root's level; the block is then used. False when there is none.
  bool Prend(std::string_view tag, std::string_view valeur, std::vector<TLigneGardee>& sous, int& racine);
  [[nodiscard]] bool Vide() const { return lignes_.empty(); }

 private:
  std::vector<TLigneGardee> lignes_;
  std::vector<std::size_t> debuts_;  // first line of each block, then lignes_.size()
  std::vector<bool> pris_;
};

// The DATE line of an event at level niveau: the date text kept by an import (a heading's text,
// "1 DATE text" and its sub-lines) while it still reads as the stored value, in the form of the
// writer's version, with its sub-lines; otherwise the value. False when a value that is not
// empty has no GEDCOM form (nothing written).
// contexte: the structures above the DATE line, for its kept sub-lines.
[[nodiscard]] bool EcritDateEvenement(TEcrivainGedcom& ecr, const TDateKY& valeur, std::string_view gardee, int niveau,
                                      TContexteGarde contexte = {});

// The headings an import keeps beside an event's date, place and citations, read at once.
struct TRubriquesGardees {
  std::string date, lieu, citations, balise, images;
};
// True when note has a heading other than titre.
[[nodiscard]] bool NoteAutreQue(const TGestFichier& dossier, int32_t note, const char* titre);
[[nodiscard]] TRubriquesGardees RubriquesGardees(const TGestFichier& dossier, int32_t note);
// The genealogy's kept lines under a heading (its note is named in TabInformations).
[[nodiscard]] std::string TexteGardeGenealogie(const TGestFichier& dossier, const char* titre);

// The key a citation is kept under: its description on one line, in UTF-8.
[[nodiscard]] std::string CleCitation(const UnicodeString& descriptif);
// The key a medium link or record is kept under: its path as an event's list holds it, in UTF-8.
[[nodiscard]] std::string CleMedia(std::string_view chemin);

}  // namespace kyb
