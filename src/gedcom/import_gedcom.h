#pragma once
// Import of a GEDCOM file (5.5, 5.5.1, 5.5.5, 7.0) into a genealogy folder.
//
// The file is read twice by the streaming reader, so that memory follows the genealogy and not
// the file:
//   1. the census: every record's cross-reference gets its number (persons through TGestNoPers,
//      in the order they are met), families keep their husband, wife and children as numbers,
//      NOTE, SOUR and OBJE records keep their texts; duplicates and dangling pointers are
//      reported, and a family loop (a person their own ancestor) is cut where it closes;
//   2. the writing, inside BeginImport/EndImport: each INDI becomes a person with its parents,
//      spouses and children already known, its events and simple fields; each FAM gives its
//      couple events to the husband (the wife when there is none) with the spouse as partner.
// Events and attributes are mapped through the folder's field definitions: a tag (or one of its
// "/" alternatives) names the definition, the sub-tags of its pieces fill the pieces, so a
// user's renamed or added definition maps too. A tag that maps to nothing is kept: a value
// alone becomes a simple field under a new definition named after the tag, a structure goes
// into the "GEDCOM" heading of the person's note as its lines; both are counted in the report.
// The person index is rebuilt once at the end.
//
// Faults give French warnings with their line numbers and the import goes on.
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "gedcom/lecteur_gedcom.h"
#include "platform/chaines.h"

namespace kyb {

class TGestFichier;

// Headings of the notes written by the import (and read back by the export).
inline constexpr const char* kTitreNoteGedcom = "Note";
inline constexpr const char* kTitreBalisesGedcom = "GEDCOM";
// A family's note in its holder's note: "Famille 12" (the partner's number, 0 for a family of
// one spouse), "Famille 12 2" for the next one; written under FAM.
inline constexpr const char* kTitreNoteFamille = "Famille";
// A family's kept lines (CHAN, RIN, REFN...) in its holder's note, under this heading and the
// partner's number ("GEDCOM famille 12", 0 for a family of one spouse): written under FAM.
inline constexpr const char* kTitreBalisesFamille = "GEDCOM famille ";
inline constexpr const char* kTitreLieuGedcom = "Lieu";  // a place longer than the places table holds
// Kept lines beside what the model holds: an event's date as written (when its value does not
// say it all) with its sub-lines, the sub-lines of its place (MAP...), the detail of each of its
// citations (PAGE, QUAY, DATA...) under the key of the citation's description.
inline constexpr const char* kTitreDateGedcom = "Date";
inline constexpr const char* kTitreDetailLieuGedcom = "Lieu GEDCOM";
inline constexpr const char* kTitreCitationsGedcom = "Citations";
// The lines of its medium links beyond the file (TITL, FORM, CROP...), each link under the key of
// its file; in the genealogy's note, those of the media records.
inline constexpr const char* kTitreImagesGedcom = "Images";
// The lines below an event's pieces (ADDR with ADR1, CITY...), each piece's block under its
// sub-tag with no value; and the event line's own value when a piece of a sub-tag took the datum
// (the 7.0 text of RESI beside its ADDR): both written back by the export.
inline constexpr const char* kTitreMorceauxGedcom = "Morceaux GEDCOM";
inline constexpr const char* kTitreValeurGedcom = "Valeur GEDCOM";
// The tag an event was read under when its definition names several ("CHR/BAPM") and the export
// would write another: the export writes this one back.
inline constexpr const char* kTitreBaliseGedcom = "Balise GEDCOM";
// The PEDI of a person's second parent pair when it is not "adopted" (foster, sealing...), which
// the pair itself cannot tell: the export writes it back on that pair's FAMC.
inline constexpr const char* kTitreFiliationGedcom = "Filiation GEDCOM";
// The union of its parents a child was born in, when they married more than once ("2" for the
// second): the export lists the child in that union's FAM.
inline constexpr const char* kTitreUnionGedcom = "Union GEDCOM";
// A SEX value the model has no letter for (X), the person's sex being unknown: written back.
inline constexpr const char* kTitreSexeGedcom = "Sexe GEDCOM";
// The NAME line as the file wrote it, when the export would write it otherwise (gedcom/noms_gedcom.h).
inline constexpr const char* kTitreNomGedcom = "Nom GEDCOM";
// The lines below the NOTE lines of a note (a citation, MIME, TRAN...): "1 NOTE <heading>" for
// each, the heading of the note it was read into, then its lines from level 2.
inline constexpr const char* kTitreSousNotesGedcom = "GEDCOM des notes";
// A shared note (SNOTE of 7.0), "Note partagée 2" for the next one: written back as one record.
inline constexpr const char* kTitreNotePartagee = "Note partagée";
// The genealogy's own kept lines, in the note whose number TabInformations holds under
// kCleNoteGedcom: source records' lines beyond their title and type, and the records that
// neither a person nor a family holds (REPO...).
inline constexpr const char* kCleNoteGedcom = "NoteGedcom";
inline constexpr const char* kTitreSourcesGedcom = "Sources";
inline constexpr const char* kTitreEnregistrementsGedcom = "Enregistrements";
// The lines below persons' FAMC and FAMS beyond PEDI (NOTE, STAT...): "0 INDI <person>", then
// each link as "1 FAMC <family>" with its lines (pointers as in gedcom/gedcom_gardees.h).
inline constexpr const char* kTitreLiensGedcom = "Liens";
// The families with no spouse, kept whole: "0 @#G<rank>@ FAM" and their lines (gedcom/gedcom_gardees.h).
inline constexpr const char* kTitreFamillesSansConjoint = "Familles sans conjoint";
// The extension tags a 7.0 file documents in its HEAD.SCHMA, one "1 TAG <tag> <URI>" line each:
// written back with that URI, which may make the tag an alias of a standard structure.
inline constexpr const char* kTitreSchemaGedcom = "Extensions GEDCOM";

struct TBilanImportGedcom {
  bool reussi = false;
  std::string erreur;  // French, when the import could not be done
  std::string version, codage, logiciel;
  long personnes = 0, couples = 0, evenements = 0, champsSimples = 0, lieux = 0, notes = 0;
  long sources = 0, illustrations = 0, personnesCitees = 0;
  std::map<std::string, long> balisesConservees;  // tag -> times kept (note or new field)
  std::map<std::string, long> balisesIgnorees;    // records and tags with nothing to keep
  std::vector<TAvertissementGedcom> avertissements;
};

// Progress: bytes read so far of the total, and the pass (1 census, 2 writing).
using TAvanceeImport = std::function<void(int64_t lus, int64_t total, int passe)>;

// Imports into an open, writable folder. The source is a file path or, when texte is given, that
// text. False (with bilan.erreur) for what is not GEDCOM or a store that refuses the batch.
[[nodiscard]] bool ImporteGedcom(TGestFichier& dossier, const AnsiString& chemin, TBilanImportGedcom& bilan,
                                 const TAvanceeImport& avancee = {}, std::string_view texte = {});

// Creates the folder cheminDossier (a store path) and imports the file into it. A file that is
// not GEDCOM is refused before anything is created; a folder that already exists is refused.
[[nodiscard]] TBilanImportGedcom ImporteFichierGedcom(const AnsiString& cheminGed, const AnsiString& cheminDossier,
                                                      const TAvanceeImport& avancee = {});

// The report in French, one line each: counts, tags kept and ignored, warnings with their line.
[[nodiscard]] std::vector<std::string> RapportImport(const TBilanImportGedcom& bilan);

}  // namespace kyb
